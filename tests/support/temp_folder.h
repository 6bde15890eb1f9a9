#pragma once

// Test support: a fresh folder under /tmp, whole-file reads and writes, and
// environment variables set for the length of a test.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <unistd.h>

namespace tavro::test {

/// A fresh folder under /tmp, removed with everything in it (also what a
/// test made read-only).
class TempDir {
public:
    TempDir() {
        char name[] = "/tmp/tavro-test-XXXXXX";
        if (::mkdtemp(name) != nullptr) path_ = name;
    }
    ~TempDir() {
        namespace fs = std::filesystem;
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(path_, ec);
             it != fs::recursive_directory_iterator(); it.increment(ec)) {
            if (it->is_directory(ec)) fs::permissions(it->path(), fs::perms::owner_all, ec);
        }
        fs::permissions(path_, fs::perms::owner_all, ec);
        fs::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

/// Sets (or, with nullptr, clears) an environment variable for one test
/// and restores it afterwards.
class EnvOverride {
public:
    EnvOverride(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value != nullptr) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~EnvOverride() {
        if (old_) {
            ::setenv(name_.c_str(), old_->c_str(), 1);
        } else {
            ::unsetenv(name_.c_str());
        }
    }
    EnvOverride(const EnvOverride&) = delete;
    EnvOverride& operator=(const EnvOverride&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

/// A throw-away per-user configuration folder: XDG_CONFIG_HOME points into
/// a fresh folder, so the settings file is <path>/Zelvanor/Zelvanor.ini.
class TempConfigHome {
public:
    TempConfigHome() : xdg_("XDG_CONFIG_HOME", dir_.path().c_str()) {}
    const std::string& path() const { return dir_.path(); }
    std::string SettingsFolder() const { return dir_ / "Zelvanor"; }
    std::string SettingsFile() const { return dir_ / "Zelvanor/Zelvanor.ini"; }

private:
    TempDir dir_;
    EnvOverride xdg_;
};

} // namespace tavro::test
