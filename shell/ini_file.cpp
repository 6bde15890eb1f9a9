#include "shell/ini_file.h"

#include "physics/number_text.h"

// Plain bytes: values are stored as they come (UTF-8 in practice), names are
// compared with ASCII case folding, independent of the locale.
#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>

#include <cerrno>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavro {

namespace {

// A settings file is a few kilobytes; anything far larger is not one, and is
// neither read into memory nor replaced.
constexpr off_t kMaxFileSize = 16 * 1024 * 1024;

// SimpleIni drops comment lines after the last entry of a file. A section
// with this name, appended to the text before parsing, takes them as its own
// comment; the section is removed after parsing and put back, as the last
// one, only to save the text, from which its line is then cut. The comment
// so stays at the end of the file. No real file holds a name with control
// characters.
constexpr const char* kTailSection = "\x01tail\x01";
constexpr std::string_view kTailLine = "[\x01tail\x01]\n";

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closes now and reports the close error, which may be the first sign of
    // a failed delayed write.
    int Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int fd_;
};

// Reads a whole regular file. Returns 0, ENOENT for a missing file, or
// another errno value. O_NONBLOCK keeps a FIFO in place of the file from
// blocking the open.
int ReadWholeFile(const std::string& path, std::string& out) {
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.get() < 0) return errno;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return errno;
    if (S_ISDIR(st.st_mode)) return EISDIR;
    if (!S_ISREG(st.st_mode)) return EINVAL;
    if (st.st_size > kMaxFileSize) return EFBIG;
    out.clear();
    char buf[8192];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return 0;
        out.append(buf, static_cast<size_t>(n));
        if (out.size() > static_cast<size_t>(kMaxFileSize)) return EFBIG;
    }
}

// The parsed content of the settings file.
class Document {
public:
    Document() : ini_(false, false, false) {
        ini_.SetSpaces(false); // "Key=Value", as profile files have it
        ini_.SetQuotes(false); // values are stored as they are
    }

    // Returns 0, ENOENT (the document is then empty) or another errno value.
    int Load(const std::string& path) {
        std::string text;
        const int err = ReadWholeFile(path, text);
        if (err != 0) return err;
        text += '\n';
        text += kTailLine;
        if (ini_.LoadData(text) < 0) return ENOMEM;
        CSimpleIniA::TNamesDepend sections;
        ini_.GetAllSections(sections);
        for (const auto& s : sections) {
            if (std::strcmp(s.pItem, kTailSection) == 0 && s.pComment != nullptr) {
                tailComment_ = s.pComment;
            }
        }
        ini_.Delete(kTailSection, nullptr);
        return 0;
    }

    CSimpleIniA& ini() { return ini_; }

    // The file text; false when SimpleIni could not produce it.
    bool Text(std::string& out) {
        out.clear();
        const bool tail = !tailComment_.empty();
        if (tail && ini_.SetValue(kTailSection, nullptr, nullptr, tailComment_.c_str()) < 0) {
            return false;
        }
        // The signature is written only when the loaded file had one.
        const bool ok = ini_.Save(out, true) >= 0;
        if (tail) {
            ini_.Delete(kTailSection, nullptr);
            const size_t at = out.find(kTailLine);
            if (at != std::string::npos) out.erase(at, kTailLine.size());
        }
        return ok;
    }

private:
    CSimpleIniA ini_;
    std::string tailComment_;
};

// The stored value, or nothing when the file or the key is missing or the
// file cannot be read.
std::optional<std::string> Lookup(const std::string& path, std::string_view section,
                                  std::string_view key) {
    Document doc;
    if (doc.Load(path) != 0) return std::nullopt;
    const char* v = doc.ini().GetValue(std::string(section).c_str(), std::string(key).c_str());
    if (v == nullptr) return std::nullopt;
    return std::string(v);
}

std::string ErrorText(int err) {
    return std::error_code(err, std::generic_category()).message();
}

[[noreturn]] void Fail(const std::string& path, const std::string& what, int err) {
    std::string msg = "cannot write settings file '" + path + "': " + what;
    if (err != 0) msg += ": " + ErrorText(err);
    throw SettingsError(msg);
}

// Names that would change the line structure of the file are refused.
void CheckNames(const std::string& path, std::string_view section, std::string_view key) {
    if (section.find_first_of(std::string_view("]\r\n\0", 4)) != std::string_view::npos) {
        Fail(path, "invalid section name '" + std::string(section) + "'", 0);
    }
    if (key.empty() || key.front() == '[' || key.front() == ';' || key.front() == '#' ||
        key.find_first_of(std::string_view("=\r\n\0", 4)) != std::string_view::npos) {
        Fail(path, "invalid key name '" + std::string(key) + "'", 0);
    }
}

// Loads the file for a change; a missing file is an empty document. A file
// that exists but cannot be read is not replaced: its content would be lost.
void LoadForWrite(const std::string& path, Document& doc) {
    const int err = doc.Load(path);
    if (err != 0 && err != ENOENT) Fail(path, "cannot read the current content", err);
}

mode_t CurrentUmask() {
    // The only way to read the mask is to set it; the program has one thread.
    const mode_t m = ::umask(0);
    ::umask(m);
    return m;
}

} // namespace

std::string UserSettingsFolder() {
    std::string base;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        // A relative value is invalid by the XDG rules and is ignored.
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (home != nullptr && home[0] != '\0') {
            base = home;
        } else if (const passwd* pw = ::getpwuid(::getuid());
                   pw != nullptr && pw->pw_dir != nullptr && pw->pw_dir[0] != '\0') {
            base = pw->pw_dir;
        } else {
            base = ".";
        }
        while (base.size() > 1 && base.back() == '/')
            base.pop_back();
        if (base == "/") base.clear();
        base += "/.config";
    }
    while (!base.empty() && base.back() == '/')
        base.pop_back();
    return base + "/Zelvanor/";
}

TIniDatei::TIniDatei(std::string_view fileName, std::string_view folder)
    : folder_(folder == "#" ? UserSettingsFolder() : std::string(folder)) {
    if (!folder_.empty() && folder_.back() != '/') folder_ += '/';
    path_ = folder_ + std::string(fileName);
    if (!folder_.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(folder_, ec); // a failure shows at the first write
    }
}

std::string TIniDatei::ReadString(std::string_view section, std::string_view key,
                                  std::string_view def) const {
    std::optional<std::string> v = Lookup(path_, section, key);
    return v ? *v : std::string(def);
}

int TIniDatei::ReadInteger(std::string_view section, std::string_view key, int def) const {
    std::optional<std::string> v = Lookup(path_, section, key);
    int out = def;
    if (v && ParseInt32(*v, out)) return out;
    return def;
}

bool TIniDatei::ReadBool(std::string_view section, std::string_view key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

double TIniDatei::ReadFloat(std::string_view section, std::string_view key, double def) const {
    std::optional<std::string> v = Lookup(path_, section, key);
    double out = def;
    if (v && ParseDouble(*v, out)) return out;
    return def;
}

char TIniDatei::ReadChar(std::string_view section, std::string_view key, char def) const {
    std::optional<std::string> v = Lookup(path_, section, key);
    return v && !v->empty() ? v->front() : def;
}

bool TIniDatei::SectionExists(std::string_view section) const {
    Document doc;
    if (doc.Load(path_) != 0) return false;
    return doc.ini().SectionExists(std::string(section).c_str());
}

bool TIniDatei::ValueExists(std::string_view section, std::string_view key) const {
    return Lookup(path_, section, key).has_value();
}

void TIniDatei::WriteString(std::string_view section, std::string_view key,
                            std::string_view value) {
    CheckNames(path_, section, key);
    // A line break in the value would end its line and make the rest of the
    // value a line of its own.
    std::string v(value);
    for (char& c : v) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    Document doc;
    LoadForWrite(path_, doc);
    if (doc.ini().SetValue(std::string(section).c_str(), std::string(key).c_str(), v.c_str()) < 0) {
        Fail(path_, "out of memory", ENOMEM);
    }
    std::string text;
    if (!doc.Text(text)) Fail(path_, "cannot format the content", 0);
    Commit(text);
}

void TIniDatei::WriteInteger(std::string_view section, std::string_view key, int value) {
    char buf[16];
    const auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value);
    (void)ec; // an int always fits
    WriteString(section, key, std::string_view(buf, static_cast<size_t>(ptr - buf)));
}

void TIniDatei::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void TIniDatei::WriteFloat(std::string_view section, std::string_view key, double value) {
    // DBL_MAX has 309 integer digits; with the sign, point and 10 decimals
    // the text stays below 330 characters.
    char buf[400];
    const auto [ptr, ec] =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 10);
    if (ec != std::errc()) Fail(path_, "cannot format the number", 0);
    WriteString(section, key, std::string_view(buf, static_cast<size_t>(ptr - buf)));
}

void TIniDatei::WriteChar(std::string_view section, std::string_view key, char value) {
    WriteString(section, key, value == '\0' ? std::string_view() : std::string_view(&value, 1));
}

void TIniDatei::EraseSection(std::string_view section) {
    Document doc;
    LoadForWrite(path_, doc);
    const std::string name(section);
    if (!doc.ini().SectionExists(name.c_str())) return;
    doc.ini().Delete(name.c_str(), nullptr);
    std::string text;
    if (!doc.Text(text)) Fail(path_, "cannot format the content", 0);
    Commit(text);
}

int TIniDatei::RenameOver(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

void TIniDatei::Commit(const std::string& content) {
    // A file the user made read-only keeps its content, as it would if it
    // were written in place.
    struct stat old {};
    const bool haveOld = ::stat(path_.c_str(), &old) == 0;
    if (haveOld && ::access(path_.c_str(), W_OK) != 0) Fail(path_, "the file is read-only", errno);

    std::string temp = path_ + ".tmp-XXXXXX";
    Fd fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (fd.get() < 0) Fail(path_, "cannot create a temporary file in the folder", errno);

    // Until the rename succeeded the temporary file is removed on every exit.
    struct Remover {
        const std::string& name;
        bool armed = true;
        ~Remover() {
            if (armed) ::unlink(name.c_str());
        }
    } remover{temp};

    const mode_t mode = haveOld ? (old.st_mode & 07777) : (0666 & ~CurrentUmask());
    if (::fchmod(fd.get(), mode) != 0) Fail(path_, "cannot set the file mode", errno);
    if (haveOld && ::geteuid() == 0 && (old.st_uid != 0 || old.st_gid != 0)) {
        // Run as root on a user's file: the file stays the user's. Best effort.
        if (::fchown(fd.get(), old.st_uid, old.st_gid) != 0) {
        }
    }

    const char* p = content.data();
    size_t left = content.size();
    while (left > 0) {
        const ssize_t n = ::write(fd.get(), p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            Fail(path_, "cannot write the temporary file", errno);
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    if (::fsync(fd.get()) != 0) Fail(path_, "cannot flush the temporary file", errno);
    if (const int err = fd.Close(); err != 0) Fail(path_, "cannot close the temporary file", err);

    if (const int err = RenameOver(temp, path_); err != 0) {
        Fail(path_, "cannot replace the file", err);
    }
    remover.armed = false;

    // Makes the rename itself durable. The new content is complete either
    // way, so a failure here is not an error.
    Fd dir(::open(folder_.empty() ? "." : folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
}

} // namespace tavro
