// Replacing a file by a complete new one.

#include "output/pdf_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tavro {

namespace {

[[noreturn]] void Fail(int error) {
    throw Error(std::strerror(error));
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a chain of symbolic links ends at (which need not exist yet).
// Only the last component is followed: folders on the way are links the
// system follows anyway, and the temporary file goes beside the target.
std::string FinalTarget(std::string path) {
    // The limit of the system's own resolution (MAXSYMLINKS).
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
        std::vector<char> target(PATH_MAX + 1);
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0) Fail(errno);
        if (size_t(n) >= target.size()) Fail(ENAMETOOLONG);
        const std::string link(target.data(), size_t(n));
        path = link.starts_with('/') ? link : FolderOf(path) + "/" + link;
    }
    Fail(ELOOP);
}

// A created temporary file: removed again unless it was renamed into place.
class Temporary {
public:
    Temporary(const std::string& folder, const std::string& name) {
        long nameMax = ::pathconf(folder.c_str(), _PC_NAME_MAX);
        if (nameMax < 14) nameMax = NAME_MAX;
        std::random_device random;
        int error = 0;
        // A collision needs another writer with the same random name; a
        // few tries are enough.
        for (int attempt = 0; attempt < 16; ++attempt) {
            const std::string path =
                folder + "/" + TemporaryName(name, size_t(nameMax), unsigned(random()));
            // 0666 and the umask give a new file the permissions of any
            // other new file (mkstemp would leave it private to the user).
            fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0) {
                path_ = path;
                return;
            }
            error = errno;
            if (error != EEXIST) break;
        }
        Fail(error);
    }
    ~Temporary() {
        if (fd_ >= 0) ::close(fd_);
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;

    int Fd() const { return fd_; }
    const std::string& Path() const { return path_; }
    // The descriptor is closed (successfully or not, it is gone).
    void Closed() { fd_ = -1; }
    // The file is in place and no longer this object's.
    void Renamed() { path_.clear(); }

private:
    int fd_ = -1;
    std::string path_;
};

void WriteAll(const FileCalls& calls, int fd, std::string_view content) {
    size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = calls.write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) Fail(errno);
        // A write that takes nothing would loop for ever.
        if (n == 0) Fail(EIO);
        done += size_t(n);
    }
}

// Makes the rename itself durable; the file is in place either way, so a
// folder that cannot be synchronised is no failure of the write.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

FileCalls::FileCalls()
    : write(::write), fsync(::fsync), close(::close),
      rename([](const char* from, const char* to) { return std::rename(from, to); }) {}

std::string TemporaryName(const std::string& name, size_t nameMax, unsigned random) {
    std::array<char, 16> suffix{};
    std::snprintf(suffix.data(), suffix.size(), ".tmp-%08x", random);
    const size_t room = nameMax - 1 - std::strlen(suffix.data());
    size_t keep = std::min(name.size(), room);
    // Never end inside a UTF-8 character: continuation bytes are 10xxxxxx.
    while (keep > 0 && keep < name.size() &&
           (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
        --keep;
    return "." + name.substr(0, keep) + suffix.data();
}

void ReplaceFile(const std::string& path, std::string_view content, const FileCalls& calls) {
    const std::string target = FinalTarget(path);
    const std::string folder = FolderOf(target);
    const std::string name = target.substr(target.rfind('/') + 1);
    if (name.empty()) Fail(EISDIR);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists) {
        if (S_ISDIR(old.st_mode)) Fail(EISDIR);
        // The superuser may write anything; a file without any write bit
        // is still one its owner made read-only.
        if (::access(target.c_str(), W_OK) != 0 || (old.st_mode & 0222) == 0) Fail(EACCES);
    }
    Temporary file(folder, name);
    if (exists) {
        // Owner and group first: changing them may clear the set-id bits.
        [[maybe_unused]] const int owned = ::fchown(file.Fd(), old.st_uid, old.st_gid);
        if (::fchmod(file.Fd(), old.st_mode & 07777) != 0) Fail(errno);
    }
    WriteAll(calls, file.Fd(), content);
    if (calls.fsync(file.Fd()) != 0) Fail(errno);
    const int fd = file.Fd();
    file.Closed();
    if (calls.close(fd) != 0) Fail(errno);
    if (calls.rename(file.Path().c_str(), target.c_str()) != 0) Fail(errno);
    file.Renamed();
    SyncFolder(folder);
}

} // namespace tavro
