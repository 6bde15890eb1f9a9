#include "shell/settings/file_replacement.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <memory>
#include <thread>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tavro {

namespace {

// The kernel's own limit of links followed in one lookup.
constexpr int kMaxLinks = 40;
// A locked file replaced under the locker's hands is locked again; far more
// rounds than any real contention needs.
constexpr int kMaxLockRounds = 1000;
constexpr std::chrono::milliseconds kLockPoll{10};

constexpr std::string_view kTempInfix = ".tmp-";
constexpr size_t kTempRandomChars = 6;

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

UniqueFd::~UniqueFd() {
    if (fd_ >= 0) ::close(fd_);
}

void UniqueFd::Reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
}

int UniqueFd::Close() {
    const int fd = fd_;
    fd_ = -1;
    if (fd < 0) return 0;
    return ::close(fd) == 0 ? 0 : errno;
}

int ReadWholeFile(const std::string& path, size_t maxSize, std::string& out) {
    out.clear();
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.get() < 0) return errno;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) return errno;
    if (S_ISDIR(st.st_mode)) return EISDIR;
    if (!S_ISREG(st.st_mode)) return EINVAL;
    if (static_cast<unsigned long long>(st.st_size) > maxSize) return EFBIG;
    char buf[8192];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return 0;
        out.append(buf, static_cast<size_t>(n));
        if (out.size() > maxSize) return EFBIG; // grew while read
    }
}

int ResolveLinks(const std::string& path, std::string& target) {
    std::string p = path;
    for (int links = 0;; ++links) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0) {
            if (errno != ENOENT) return errno;
            break; // a missing file, or the missing target of a link
        }
        if (!S_ISLNK(st.st_mode)) break;
        if (links == kMaxLinks) return ELOOP;
        std::string link(st.st_size > 0 ? static_cast<size_t>(st.st_size) + 1 : 4096, '\0');
        const ssize_t n = ::readlink(p.c_str(), link.data(), link.size());
        if (n < 0) return errno;
        if (static_cast<size_t>(n) >= link.size()) return ENAMETOOLONG; // grew meanwhile
        link.resize(static_cast<size_t>(n));
        if (link.empty()) return ENOENT;
        p = link.front() == '/' ? link : FolderOf(p) + "/" + link;
    }
    target = p;
    return 0;
}

int FileLock::Acquire(const std::string& path, std::chrono::milliseconds wait) {
    path_ = path;
    const int err = Lock(wait);
    // A file this object does not hold locked is never removed by it.
    if (err != 0) created_ = false;
    return err;
}

int FileLock::Lock(std::chrono::milliseconds wait) {
    const std::string& path = path_;
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (int round = 0; round < kMaxLockRounds; ++round) {
        created_ = false;
        // O_NONBLOCK keeps a FIFO in place of the file from blocking the open.
        constexpr int kFlags = O_RDWR | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK;
        int fd = ::open(path.c_str(), kFlags);
        if (fd < 0 && errno == ENOENT) {
            fd = ::open(path.c_str(), kFlags | O_CREAT | O_EXCL, 0666);
            if (fd < 0 && errno == EEXIST) continue; // another writer created it
            created_ = fd >= 0;
        }
        if (fd < 0) return errno;
        fd_.Reset(fd);
        if (::fstat(fd, &status_) != 0) return errno;
        if (!S_ISREG(status_.st_mode)) return EINVAL;

        for (;;) {
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0) break;
            const int err = errno;
            if (err == EINTR) continue;
            if (err == ENOLCK || err == EOPNOTSUPP) return 0;
            if (err != EWOULDBLOCK) return err;
            if (std::chrono::steady_clock::now() >= deadline) return EWOULDBLOCK;
            std::this_thread::sleep_for(kLockPoll);
        }

        // The holder before us may have renamed a new file over the one
        // locked here: then the lock guards nothing, and the new file is
        // the one to lock.
        struct stat now {};
        if (::lstat(path.c_str(), &now) == 0 && SameFile(now, status_)) {
            return ::fstat(fd, &status_) == 0 ? 0 : errno;
        }
        if (std::chrono::steady_clock::now() >= deadline) return EWOULDBLOCK;
    }
    return EWOULDBLOCK;
}

void FileLock::RemoveIfCreated() {
    if (!created_ || fd_.get() < 0) return;
    created_ = false;
    struct stat mine {};
    struct stat now {};
    if (::fstat(fd_.get(), &mine) == 0 && ::lstat(path_.c_str(), &now) == 0 &&
        SameFile(mine, now) && now.st_size == 0) {
        ::unlink(path_.c_str());
    }
}

int WriteTemporaryFile(const std::string& path, std::string_view content, const struct stat& like,
                       std::string& temp, std::string& what) {
    std::string name = path + std::string(kTempInfix) + std::string(kTempRandomChars, 'X');
    UniqueFd fd(::mkostemp(name.data(), O_CLOEXEC));
    if (fd.get() < 0) {
        what = "cannot create a temporary file in the folder";
        return errno;
    }
    // Until the file is complete it is removed on every exit.
    struct Remover {
        const std::string& name;
        bool armed = true;
        ~Remover() {
            if (armed) ::unlink(name.c_str());
        }
    } remover{name};

    if (::fchmod(fd.get(), like.st_mode & 07777) != 0) {
        what = "cannot set the file mode";
        return errno;
    }
    if (::geteuid() == 0 && (like.st_uid != 0 || like.st_gid != 0)) {
        // Run as root on a user's file: the file stays the user's. Best effort.
        if (::fchown(fd.get(), like.st_uid, like.st_gid) != 0) {
        }
    }

    const char* p = content.data();
    size_t left = content.size();
    while (left > 0) {
        const ssize_t n = ::write(fd.get(), p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            what = "cannot write the temporary file";
            return errno;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    if (::fsync(fd.get()) != 0) {
        what = "cannot flush the temporary file";
        return errno;
    }
    if (const int err = fd.Close(); err != 0) {
        what = "cannot close the temporary file";
        return err;
    }
    remover.armed = false;
    temp = std::move(name);
    return 0;
}

void SyncFolderOf(const std::string& path) {
    const UniqueFd dir(::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
}

bool IsTemporaryName(std::string_view name, std::string_view fileName) {
    const size_t stem = fileName.size() + kTempInfix.size();
    if (name.size() != stem + kTempRandomChars) return false;
    if (name.substr(0, fileName.size()) != fileName) return false;
    if (name.substr(fileName.size(), kTempInfix.size()) != kTempInfix) return false;
    for (const char c : name.substr(stem)) {
        if (!IsAsciiAlnum(c)) return false;
    }
    return true;
}

int RemoveStaleTemporaryFiles(const std::string& path, std::chrono::seconds minAge) {
    const std::string folder = FolderOf(path);
    const std::string fileName = NameOf(path);
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
    if (!dir) return 0;
    const std::time_t now = std::time(nullptr);
    int removed = 0;
    // Bounded by the folder's entries; unlinking the entry just read is safe
    // while reading on.
    while (const dirent* e = ::readdir(dir.get())) {
        if (!IsTemporaryName(e->d_name, fileName)) continue;
        const std::string full = folder + "/" + e->d_name;
        struct stat st {};
        if (::lstat(full.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        if (st.st_uid != ::geteuid()) continue;
        if (now - st.st_mtime < minAge.count()) continue;
        if (::unlink(full.c_str()) == 0) ++removed;
    }
    return removed;
}

} // namespace tavro
