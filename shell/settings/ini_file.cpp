#include "shell/settings/ini_file.h"

#include "physics/numeric/number_text.h"
#include "shell/settings/file_replacement.h"

// Plain bytes: values are stored as they come (UTF-8 in practice), names are
// compared with ASCII case folding, independent of the locale.
#define SI_NO_CONVERSION
#include <SimpleIni.h>

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>

#include <cerrno>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavro {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Values are trimmed when read, as profile strings are; a value that begins
// or ends with a blank, or is itself enclosed in quotes, is therefore stored
// in double quotes, which reading takes off again (a blank as thousands
// separator survives that way).
bool IsEnclosed(std::string_view v) {
    return v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
}

std::string Quoted(std::string_view v) {
    if (v.empty() || (!IsBlank(v.front()) && !IsBlank(v.back()) && !IsEnclosed(v)))
        return std::string(v);
    std::string out;
    out.reserve(v.size() + 2);
    out.push_back('"');
    out.append(v);
    out.push_back('"');
    return out;
}

std::string Unquoted(std::string_view v) {
    return std::string(IsEnclosed(v) ? v.substr(1, v.size() - 2) : v);
}

// A settings file is a few kilobytes; anything far larger is not one, and is
// neither read into memory nor replaced.
constexpr size_t kMaxFileSize = 16 * 1024 * 1024;

// How long a write waits for another program's write of the same file; that
// takes milliseconds, so only a stopped or hanging program holds it longer.
constexpr std::chrono::milliseconds kLockWait{5000};
// Temporary files at least this old are left over from an interrupted write.
constexpr std::chrono::seconds kStaleAge{300};

// SimpleIni drops comment lines after the last entry of a file. A section
// with this name, appended to the text before parsing, takes them as its own
// comment; the section is removed after parsing and put back, as the last
// one, only to save the text, from which its line is then cut. The comment
// so stays at the end of the file. No real file holds a name with control
// characters.
constexpr const char* kTailSection = "\x01tail\x01";
constexpr std::string_view kTailLine = "[\x01tail\x01]\n";

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Whether SimpleIni understands every byte of the text, so that a rewrite
// keeps all of it. It stops at a NUL byte (a UTF-16 file has one in every
// ASCII character) and silently skips a line that is no "[section]", no
// "key=value", no comment and not blank; it also drops what follows the
// "]" of a section line. Bytes that are no valid UTF-8 are kept as they are.
bool IsCompleteIniText(std::string_view text) {
    if (text.substr(0, kUtf8Bom.size()) == kUtf8Bom) text.remove_prefix(kUtf8Bom.size());
    if (text.find('\0') != std::string_view::npos) return false;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        while (!line.empty() && IsBlank(line.front()))
            line.remove_prefix(1);
        while (!line.empty() && IsBlank(line.back()))
            line.remove_suffix(1);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            if (line.find(']') != line.size() - 1) return false;
            continue;
        }
        if (line.front() == '=' || line.find('=') == std::string_view::npos) return false;
    }
    return true;
}

// The parsed content of the settings file.
class Document {
public:
    Document() : ini_(false, false, false) {
        ini_.SetSpaces(false); // "Key=Value", as profile files have it
        ini_.SetQuotes(false); // values are stored as they are
    }

    // Returns 0, ENOENT (the document is then empty), EILSEQ for a text that
    // cannot be parsed to its end (the document is then empty too) or
    // another errno value.
    int Load(const std::string& path) {
        const int err = ReadWholeFile(path, kMaxFileSize, original_);
        if (err != 0) {
            original_.clear();
            return err;
        }
        if (!IsCompleteIniText(original_)) return EILSEQ;
        std::string text = original_;
        text += '\n';
        text += kTailLine;
        // SimpleIni takes a UTF-8 byte-order mark off and writes it back.
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
    // The file content as loaded.
    const std::string& Original() const { return original_; }

    // Applies the changes in order. Returns 0 or ENOMEM; `changed` says
    // whether any of them changed the content.
    int Apply(const std::vector<SettingsChange>& changes, bool& changed) {
        changed = false;
        for (const SettingsChange& c : changes) {
            if (c.erase) {
                if (!ini_.SectionExists(c.section.c_str())) continue;
                ini_.Delete(c.section.c_str(), nullptr);
            } else if (ini_.SetValue(c.section.c_str(), c.key.c_str(), c.value.c_str()) < 0) {
                return ENOMEM;
            }
            changed = true;
        }
        return 0;
    }

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
    std::string original_;
    std::string tailComment_;
};

// Loads the file and applies the changes a batch has collected so far.
// Returns 0, or the errno value that makes the file unreadable (a missing
// file is an empty one).
int LoadWithChanges(const std::string& path, const std::vector<SettingsChange>& changes,
                    Document& doc) {
    const int err = doc.Load(path);
    if (err != 0 && err != ENOENT) return err;
    bool changed = false;
    return doc.Apply(changes, changed);
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

std::optional<std::string> TIniDatei::Lookup(std::string_view section, std::string_view key) const {
    Document doc;
    if (LoadWithChanges(path_, pending_, doc) != 0) return std::nullopt;
    const char* v = doc.ini().GetValue(std::string(section).c_str(), std::string(key).c_str());
    if (v == nullptr) return std::nullopt;
    return Unquoted(v);
}

std::string TIniDatei::ReadString(std::string_view section, std::string_view key,
                                  std::string_view def) const {
    std::optional<std::string> v = Lookup(section, key);
    return v ? *v : std::string(def);
}

int TIniDatei::ReadInteger(std::string_view section, std::string_view key, int def) const {
    std::optional<std::string> v = Lookup(section, key);
    int out = def;
    if (v && ParseInt32(*v, out)) return out;
    return def;
}

bool TIniDatei::ReadBool(std::string_view section, std::string_view key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

double TIniDatei::ReadFloat(std::string_view section, std::string_view key, double def) const {
    std::optional<std::string> v = Lookup(section, key);
    double out = def;
    if (v && ParseDouble(*v, out)) return out;
    return def;
}

char TIniDatei::ReadChar(std::string_view section, std::string_view key, char def) const {
    std::optional<std::string> v = Lookup(section, key);
    return v && !v->empty() ? v->front() : def;
}

bool TIniDatei::SectionExists(std::string_view section) const {
    Document doc;
    if (LoadWithChanges(path_, pending_, doc) != 0) return false;
    return doc.ini().SectionExists(std::string(section).c_str());
}

bool TIniDatei::ValueExists(std::string_view section, std::string_view key) const {
    return Lookup(section, key).has_value();
}

int TIniDatei::ReadError() const {
    Document doc;
    const int err = doc.Load(path_);
    return err == ENOENT ? 0 : err;
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
    Stage({false, std::string(section), std::string(key), Quoted(v)});
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
    Stage({true, std::string(section), {}, {}});
}

void TIniDatei::BeginBatch() {
    ++batchDepth_;
}

void TIniDatei::CommitBatch() {
    if (batchDepth_ == 0) return;
    if (--batchDepth_ == 0) WritePending();
}

void TIniDatei::Stage(SettingsChange change) {
    pending_.push_back(std::move(change));
    if (batchDepth_ == 0) WritePending();
}

int TIniDatei::RenameOver(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

void TIniDatei::WritePending() {
    std::vector<SettingsChange> changes;
    changes.swap(pending_);
    if (changes.empty()) return;

    // A link in place of the file stays a link: the file it leads to is the
    // one replaced, in its own folder.
    std::string target;
    if (const int err = ResolveLinks(path_, target); err != 0) {
        Fail(path_, "cannot follow the link to the file", err);
    }
    // A file the user made read-only keeps its content, as it would if it
    // were written in place.
    if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0) {
        Fail(path_, "the file is read-only", errno);
    }

    FileLock lock;
    if (const int err = lock.Acquire(target, kLockWait); err != 0) {
        Fail(path_,
             err == EWOULDBLOCK ? "another program keeps the file locked" : "cannot lock the file",
             err);
    }
    // A file the lock had to create is removed again unless it was replaced.
    struct Tidy {
        FileLock& lock;
        ~Tidy() { lock.RemoveIfCreated(); }
    } tidy{lock};

    // The content of now, read under the lock: another program's write
    // that ended a moment ago is kept.
    Document doc;
    if (const int err = doc.Load(target); err != 0 && err != ENOENT) {
        Fail(path_, "cannot read the current content", err);
    }
    bool changed = false;
    if (doc.Apply(changes, changed) != 0) Fail(path_, "out of memory", ENOMEM);
    if (!changed) return;
    std::string text;
    if (!doc.Text(text)) Fail(path_, "cannot format the content", 0);
    if (text == doc.Original()) return;

    std::string temp;
    std::string what;
    if (const int err = WriteTemporaryFile(target, text, lock.Status(), temp, what); err != 0) {
        Fail(path_, what, err);
    }
    if (const int err = RenameOver(temp, target); err != 0) {
        ::unlink(temp.c_str());
        Fail(path_, "cannot replace the file", err);
    }
    SyncFolderOf(target);
}

int TIniDatei::RemoveStaleTemporaryFiles() noexcept {
    try {
        std::string target;
        if (ResolveLinks(path_, target) != 0) return 0;
        FileLock lock;
        if (lock.Acquire(target, kLockWait) != 0) return 0;
        const int removed = ::tavro::RemoveStaleTemporaryFiles(target, kStaleAge);
        lock.RemoveIfCreated();
        return removed;
    } catch (...) {
        return 0; // out of memory
    }
}

} // namespace tavro
