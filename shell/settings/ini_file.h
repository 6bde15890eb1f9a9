#pragma once

// The settings file: an ini-style profile file ("[Section]" lines and
// "Key=Value" lines) in the user's configuration folder.
//
// Every operation goes to the file at once, like the platform's
// profile-string functions: a read loads the current content (another
// object on the same file may have written it since), a write loads the
// file, changes the one value and replaces the whole file. Inside a batch
// (BeginBatch ... CommitBatch) the writes are collected and the batch
// replaces the file once. Section and key names are matched without regard
// to ASCII case; the order of the file and every other section, key and
// comment are kept when a value is written. Values are plain text: no
// quoting, no escaping, numbers always with a decimal point whatever the
// process locale.
//
// A replacement runs under an exclusive advisory lock on the file: it reads
// the current content, changes it in memory, writes it into a temporary file
// beside the file, flushes that and renames it over the file. Two programs
// writing at once so never interleave, and a crash leaves the old or the new
// file, never a mix. A symbolic link in place of the file stays: the file it
// leads to is replaced, with its permissions.
//
// A file that cannot be read to its end (a NUL byte, UTF-16, a line that is
// no section, key, comment or blank line) is unreadable, like one without
// read permission: reads give the defaults, and it is never replaced, as a
// rewrite would drop what could not be read. A UTF-8 byte-order mark is kept.
//
// Reads never throw: a missing or unreadable file, a missing key or a value
// that cannot be parsed gives the caller's default. Writes throw
// SettingsError when the file cannot be written, and then leave the old
// file as it was.

#include "physics/numeric/errors.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

/// One change a batch of TIniDatei collects: a value set, or a section erased.
struct SettingsChange {
    bool erase = false;
    std::string section;
    std::string key;
    std::string value;
};

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
    /// of the stored value are not part of it; a value enclosed in a pair of
    /// double or single quotes is read without them. A key present with an
    /// empty value gives the empty string.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view def) const;
    /// Stores `value` as it is, except that every CR and LF becomes a blank,
    /// so that the value stays on its one line; a value with a blank at
    /// either end or enclosed in quotes is written in double quotes, so that
    /// reading gives it back whole. Throws SettingsError.
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

    /// Starts a batch: until the matching CommitBatch the writes and erases
    /// only check their names and are collected, and the reads of this
    /// object see them. Batches nest; the outermost one writes. A batch not
    /// committed when the object is destroyed is dropped.
    void BeginBatch();
    /// Ends a batch. The outermost one replaces the file once with all the
    /// collected changes applied, in their order, to the content the file
    /// has then (under the lock, so that no other writer's change is lost);
    /// nothing is written when they change nothing. Throws SettingsError when
    /// the file cannot be written; the file then keeps its old content and
    /// the changes are dropped. Without a batch it does nothing.
    void CommitBatch();

    /// 0 when the file can be read to its end or does not exist; otherwise
    /// the errno value that makes it unreadable: EILSEQ for a content that
    /// cannot be parsed to its end, EACCES, EISDIR, EFBIG (over 16 MiB) and
    /// the like. Such a file is never replaced.
    int ReadError() const;

    /// Removes the temporary files that writes interrupted by a crash or a
    /// kill left beside the file: named as this class names them (the file
    /// name, ".tmp-" and six letters or digits), regular files of the
    /// effective user, at least five minutes old. It holds the file's lock
    /// meanwhile, so no write of this class is under way; the age spares the
    /// file of a writer that does not lock. Returns how many were removed;
    /// never throws.
    int RemoveStaleTemporaryFiles() noexcept;

    /// Whether the section exists (possibly empty). False when the file
    /// cannot be read.
    bool SectionExists(std::string_view section) const;
    /// Whether the key exists in the section. False when the file cannot be
    /// read.
    bool ValueExists(std::string_view section, std::string_view key) const;

protected:
    /// Last step of every write: moves the completely written and flushed
    /// temporary file `from` over the file `to` (the settings file, or the file
    /// its link leads to). Returns 0 or an
    /// errno value. On failure the caller removes `from`. Tests override it
    /// to simulate a process killed or a disk full at that moment.
    virtual int RenameOver(const std::string& from, const std::string& to);

private:
    // The stored value with the collected changes applied, or nothing.
    std::optional<std::string> Lookup(std::string_view section, std::string_view key) const;
    // Collects a change; outside a batch writes it at once.
    void Stage(SettingsChange change);
    // Replaces the file with the collected changes applied, under the lock.
    // Throws SettingsError, leaving the old file as it was and no temporary
    // file; the changes are dropped either way.
    void WritePending();

    std::string folder_;
    std::string path_;
    std::vector<SettingsChange> pending_;
    int batchDepth_ = 0;
};

} // namespace tavro
