#pragma once

// The settings file: an ini-style profile file ("[Section]" lines and
// "Key=Value" lines) in the user's configuration folder.
//
// Every operation goes to the file at once, like the platform's
// profile-string functions: a read loads the current content (another
// object on the same file may have written it since), a write loads the
// file, changes the one value and saves the whole file. Section and key
// names are matched without regard to ASCII case; the order of the file and
// every other section, key and comment are kept when a value is written.
// Values are plain text: no quoting, no escaping, numbers always with a
// decimal point whatever the process locale.
//
// Reads never throw: a missing or unreadable file, a missing key or a value
// that cannot be parsed gives the caller's default. Writes throw
// SettingsError when the file cannot be written, and then leave the old
// file as it was.

#include "physics/errors.h"

#include <string>
#include <string_view>

namespace tavro {

/// A write to the settings file failed; the message names the file. The old
/// file content is unchanged.
class SettingsError : public Error {
public:
    using Error::Error;
};

/// The per-user settings folder, ending with '/': $XDG_CONFIG_HOME when it is
/// set to an absolute path, otherwise $HOME/.config (the home folder of the
/// user database when HOME is unset or empty), followed by "Zelvanor/".
/// Nothing is created.
std::string UserSettingsFolder();

class TIniDatei {
public:
    /// Opens `fileName` in `folder`. The folder "#" means
    /// UserSettingsFolder(); any other folder is used as given, with a '/'
    /// appended when it lacks one (an empty folder is the current folder).
    /// The folder and its missing parents are created now; if that fails
    /// nothing is thrown, the writes fail later instead.
    TIniDatei(std::string_view fileName, std::string_view folder);
    virtual ~TIniDatei() = default;

    TIniDatei(const TIniDatei&) = delete;
    TIniDatei& operator=(const TIniDatei&) = delete;

    /// Folder (ending with '/' unless empty) followed by the file name.
    const std::string& Path() const { return path_; }

    /// The stored text, or `def` when the key is missing. Surrounding blanks
    /// of the stored value are not part of it. A key present with an empty
    /// value gives the empty string.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def) const;
    /// Stores `value` as it is, except that every CR and LF becomes a blank,
    /// so that the value stays on its one line. Throws SettingsError.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);

    /// A whole decimal int32 (an optional leading '-' or '+'); `def` for a
    /// missing key, empty text, trailing characters or a value out of range.
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    /// Stores the decimal text of `value`. Throws SettingsError.
    void WriteInteger(std::string_view section, std::string_view key, int value);

    /// Read as an integer: non-zero is true, zero false; `def` when the value
    /// is not an integer.
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;
    /// Stores "1" or "0". Throws SettingsError.
    void WriteBool(std::string_view section, std::string_view key, bool value);

    /// A number with a decimal point (C notation, an exponent allowed);
    /// `def` for a missing key, empty or unparsable text, a value out of the
    /// double range, "nan" or "inf". Independent of the process locale.
    double ReadFloat(std::string_view section, std::string_view key, double def) const;
    /// Stores fixed-point text with exactly 10 decimals and a point (1013 as
    /// "1013.0000000000", -2.5 as "-2.5000000000"), independent of the
    /// process locale. A non-finite value is stored as "nan", "inf" or
    /// "-inf", which reads back as the default. Throws SettingsError.
    void WriteFloat(std::string_view section, std::string_view key, double value);

    /// The first character of the stored text; `def` when the key is missing
    /// or its value is empty (a stored blank counts as empty).
    char ReadChar(std::string_view section, std::string_view key, char def) const;
    /// Stores the one-character string of `value` (CR and LF as a blank; NUL
    /// as the empty string). Throws SettingsError.
    void WriteChar(std::string_view section, std::string_view key, char value);

    /// Removes the section with all its keys and its comment. Does nothing,
    /// and writes nothing, when the section does not exist. Throws
    /// SettingsError when the file cannot be written.
    void EraseSection(std::string_view section);

    /// Whether the section exists (possibly empty). False when the file
    /// cannot be read.
    bool SectionExists(std::string_view section) const;
    /// Whether the key exists in the section. False when the file cannot be
    /// read.
    bool ValueExists(std::string_view section, std::string_view key) const;

protected:
    /// Last step of every write: moves the completely written and flushed
    /// temporary file `from` over the settings file `to`. Returns 0 or an
    /// errno value. On failure the caller removes `from`. Tests override it
    /// to simulate a process killed or a disk full at that moment.
    virtual int RenameOver(const std::string& from, const std::string& to);

private:
    // Writes `content` as the new file: into a temporary file in the same
    // folder, flushed to disk and renamed over the old file. Throws
    // SettingsError, leaving the old file as it was and no temporary file.
    void Commit(const std::string& content);

    std::string folder_;
    std::string path_;
};

} // namespace tavro
