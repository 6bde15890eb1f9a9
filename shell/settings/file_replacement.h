#pragma once

// Reading a small file whole, and replacing it as a whole, safe against a crash at any moment and
// against other processes replacing the same file: the new content goes into
// a temporary file beside the file (the file's name followed by ".tmp-" and
// six letters or digits), is flushed to disk and renamed over the file, all
// while the writer holds an exclusive advisory lock (flock) on the file
// itself. Because the rename puts a new inode in place, a locker checks after
// locking that the path still names the inode it locked, and locks again
// otherwise. Plain POSIX; failures are errno values.

#include <chrono>
#include <string>
#include <string_view>

#include <sys/stat.h>

namespace tavro {

/// A file descriptor closed on destruction.
class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) : fd_(fd) {}
    ~UniqueFd();
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int get() const { return fd_; }
    /// Closes the descriptor held and takes `fd`.
    void Reset(int fd);
    /// Closes now; returns 0 or the errno value of close, which may be the
    /// first sign of a failed delayed write.
    int Close();

private:
    int fd_;
};

/// Reads the whole regular file `path` into `out`. Returns 0, ENOENT for a
/// missing file, EISDIR for a folder, EINVAL for any other kind of file (a
/// FIFO does not block the call), EFBIG for a file over `maxSize` bytes, or
/// the errno value of open or read.
int ReadWholeFile(const std::string& path, size_t maxSize, std::string& out);

/// The path of the file that `path` names once symbolic links are followed
/// in its last component, a link to a link included; a relative link target
/// is taken relative to the link's folder. The folders on the way are left as
/// they are: the file is replaced within its own folder, which they lead to
/// either way. Returns 0 and sets `target` (to `path` itself when that is no
/// link or does not exist; to the missing target of a dangling link), or
/// ELOOP after 40 links, or the errno value of lstat or readlink.
int ResolveLinks(const std::string& path, std::string& target);

/// An exclusive advisory lock on a regular file, held until destruction.
class FileLock {
public:
    FileLock() = default;
    ~FileLock() = default;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    /// Locks the file at `path` (not following a link there; resolve it
    /// first), creating it empty with the process's umask when it is
    /// missing. Waits for another holder at most `wait`. Returns 0, or
    /// EWOULDBLOCK when the wait ran out, EINVAL when `path` is no regular
    /// file, or the errno value of open or flock. A file system without
    /// flock (ENOLCK, EOPNOTSUPP) gives 0 without a lock: the replacement is
    /// still atomic, only not serialised.
    int Acquire(const std::string& path, std::chrono::milliseconds wait);

    /// Whether Acquire created the file.
    bool Created() const { return created_; }
    /// The status of the locked file: its permission bits are those of the
    /// replacement (for a created file those the umask gives a new file).
    const struct stat& Status() const { return status_; }
    /// Removes the file when Acquire created it and the path still names
    /// that file, empty: a replacement that wrote nothing leaves no file.
    void RemoveIfCreated();

private:
    int Lock(std::chrono::milliseconds wait);

    UniqueFd fd_;
    std::string path_;
    bool created_ = false;
    struct stat status_ {};
};

/// Writes `content` into a new temporary file beside `path`, named
/// path + ".tmp-XXXXXX", with the permission bits of `like` (and, when the
/// process runs as root, its owner, as far as possible), flushed to disk and
/// closed. Returns 0 and sets `temp`; otherwise an errno value with `what`
/// naming the failed step, and no temporary file is left.
int WriteTemporaryFile(const std::string& path, std::string_view content, const struct stat& like,
                       std::string& temp, std::string& what);

/// Flushes the folder of `path` to disk, which makes a rename in it durable.
/// Failures are ignored: the file is complete either way.
void SyncFolderOf(const std::string& path);

/// Whether `name` (a folder entry, no folder) is that of a temporary file
/// beside the file named `fileName`: fileName + ".tmp-" + six ASCII letters
/// or digits.
bool IsTemporaryName(std::string_view name, std::string_view fileName);

/// Removes the temporary files that interrupted replacements of `path` left
/// in its folder: entries with IsTemporaryName that are regular files (not
/// links), owned by the effective user and last modified at least `minAge`
/// ago. The caller holds the lock of `path`, so no replacement of this
/// program is under way; the age keeps the files of a writer that does not
/// lock. Returns how many were removed; failures are skipped.
int RemoveStaleTemporaryFiles(const std::string& path, std::chrono::seconds minAge);

} // namespace tavro
