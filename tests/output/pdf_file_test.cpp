// Replacing a file: failures at every step keep the old file and leave no
// temporary file; links, permissions, read-only files and long names.

#include "output/pdf_file.h"

#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace tavro {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

namespace fs = std::filesystem;

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string Content(size_t size) {
    std::string content = "%PDF-1.4\n";
    for (size_t i = 0; content.size() < size; ++i)
        content += char('a' + i % 26);
    content.resize(size);
    return content;
}

std::string ErrorOf(const std::string& path, std::string_view content,
                    const FileCalls& calls = FileCalls()) {
    try {
        ReplaceFile(path, content, calls);
    } catch (const Error& e) {
        return e.what();
    }
    return {};
}

TEST(ReplaceFile, AFailedWriteFsyncCloseOrRenameKeepsTheOldFile) {
    struct Case {
        const char* what;
        int error;
        std::function<void(FileCalls&)> inject;
    };
    const std::vector<Case> cases = {
        {"disk full at the first write", ENOSPC,
         [](FileCalls& c) {
             c.write = [](int, const void*, size_t) -> ssize_t {
                 errno = ENOSPC;
                 return -1;
             };
         }},
        {"disk full after a short write", ENOSPC,
         [](FileCalls& c) {
             c.write = [calls = 0](int fd, const void* data, size_t n) mutable -> ssize_t {
                 if (++calls == 1) return ::write(fd, data, n / 2);
                 errno = ENOSPC;
                 return -1;
             };
         }},
        {"a write that takes nothing", EIO,
         [](FileCalls& c) { c.write = [](int, const void*, size_t) -> ssize_t { return 0; }; }},
        {"fsync reports the lost write", EIO,
         [](FileCalls& c) {
             c.fsync = [](int) {
                 errno = EIO;
                 return -1;
             };
         }},
        {"close reports the quota", EDQUOT,
         [](FileCalls& c) {
             c.close = [](int fd) {
                 ::close(fd);
                 errno = EDQUOT;
                 return -1;
             };
         }},
        {"rename fails", EXDEV,
         [](FileCalls& c) {
             c.rename = [](const char*, const char*) {
                 errno = EXDEV;
                 return -1;
             };
         }},
    };
    TempDir dir;
    const std::string keep = dir / "keep.pdf";
    WriteFile(keep, "the previous document");
    for (const Case& c : cases) {
        FileCalls calls;
        c.inject(calls);
        EXPECT_EQ(ErrorOf(keep, Content(100000), calls), std::strerror(c.error)) << c.what;
        EXPECT_EQ(ReadFile(keep), "the previous document") << c.what;
        EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"keep.pdf"}) << c.what;
    }
    // Interrupted writes are resumed.
    FileCalls interrupted;
    interrupted.write = [calls = 0](int fd, const void* data, size_t n) mutable -> ssize_t {
        if (++calls % 2 == 1) {
            errno = EINTR;
            return -1;
        }
        return ::write(fd, data, std::min<size_t>(n, 1000));
    };
    ReplaceFile(keep, Content(5000), interrupted);
    EXPECT_EQ(ReadFile(keep), Content(5000));
}

// A small tmpfs holds the old file and a filler that leaves every possible
// amount of free room (the file system counts whole pages) from none to
// more than the new document needs.
TEST(ReplaceFile, ADiskFilledToAnySizeKeepsTheOldFile) {
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a small tmpfs needs root";
    TempDir dir;
    const std::string mnt = dir / "mnt";
    fs::create_directory(mnt);
    if (::mount("tavro-test", mnt.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=256k") != 0) {
        GTEST_SKIP() << "mounting a tmpfs was refused: " << std::strerror(errno);
    }
    struct Unmount {
        std::string path;
        ~Unmount() { ::umount2(path.c_str(), MNT_DETACH); }
    } unmount{mnt};
    const std::string keep = mnt + "/keep.pdf";
    const std::string filler = mnt + "/filler";
    const std::string old = Content(48 * 1024);
    const std::string fresh = Content(60 * 1024 + 123);
    const long page = ::sysconf(_SC_PAGESIZE);
    auto freeBytes = [&] {
        struct statvfs s {};
        ::statvfs(mnt.c_str(), &s);
        return long(s.f_bavail * s.f_frsize);
    };
    int replaced = 0;
    int refused = 0;
    for (long room = 0; room <= long(fresh.size()) + 2 * page; room += page) {
        fs::remove(filler);
        WriteFile(keep, old);
        // Fill with whole pages until exactly `room` bytes are left.
        const long fill = freeBytes() - room;
        ASSERT_GE(fill, 0) << "the tmpfs is too small";
        WriteFile(filler, std::string(size_t(fill), 'x'));
        ASSERT_EQ(freeBytes(), room);
        const std::string error = ErrorOf(keep, fresh);
        const std::string now = ReadFile(keep);
        if (error.empty()) {
            ++replaced;
            EXPECT_EQ(now, fresh) << room;
        } else {
            ++refused;
            EXPECT_EQ(error, std::strerror(ENOSPC)) << room;
            EXPECT_EQ(now, old) << room << " bytes free: the old file was damaged";
        }
        EXPECT_EQ(Names(mnt), (std::vector<std::string>{"filler", "keep.pdf"})) << room;
    }
    EXPECT_GT(refused, 10);
    EXPECT_GE(replaced, 1);
}

TEST(ReplaceFile, WritesThroughSymbolicLinks) {
    TempDir dir;
    fs::create_directory(dir / "real");
    const std::string target = dir / "real/sheet.pdf";
    WriteFile(target, "old");
    // A relative link, a link to that link, and a link whose file is new.
    fs::create_symlink("real/sheet.pdf", dir / "link.pdf");
    fs::create_symlink(dir / "link.pdf", dir / "link2.pdf");
    fs::create_symlink("real/new.pdf", dir / "dangling.pdf");
    ReplaceFile(dir / "link2.pdf", "through two links");
    EXPECT_EQ(ReadFile(target), "through two links");
    ReplaceFile(dir / "dangling.pdf", "created");
    EXPECT_EQ(ReadFile(dir / "real/new.pdf"), "created");
    for (const char* link : {"link.pdf", "link2.pdf", "dangling.pdf"})
        EXPECT_TRUE(fs::is_symlink(dir / link)) << link;
    EXPECT_EQ(Names(dir / "real"), (std::vector<std::string>{"new.pdf", "sheet.pdf"}));
    // A loop of links is refused like the system refuses it.
    fs::create_symlink("loop-b", dir / "loop-a");
    fs::create_symlink("loop-a", dir / "loop-b");
    EXPECT_EQ(ErrorOf(dir / "loop-a", "x"), std::strerror(ELOOP));
}

TEST(ReplaceFile, KeepsPermissionsAndRefusesReadOnlyFiles) {
    TempDir dir;
    const std::string shared = dir / "shared.pdf";
    WriteFile(shared, "old");
    ::chmod(shared.c_str(), 0640);
    ReplaceFile(shared, "new");
    struct stat st {};
    ::stat(shared.c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadFile(shared), "new");

    const std::string locked = dir / "locked.pdf";
    WriteFile(locked, "read only");
    ::chmod(locked.c_str(), 0444);
    EXPECT_EQ(ErrorOf(locked, "new"), std::strerror(EACCES));
    EXPECT_EQ(ReadFile(locked), "read only");
    ::stat(locked.c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0444u);
    // A folder in place of the file.
    fs::create_directory(dir / "folder.pdf");
    EXPECT_EQ(ErrorOf(dir / "folder.pdf", "x"), std::strerror(EISDIR));
    EXPECT_EQ(Names(dir.path()),
              (std::vector<std::string>{"folder.pdf", "locked.pdf", "shared.pdf"}));
    // A folder the user may not write to gives the same message (the
    // superuser may write into any folder).
    if (::geteuid() != 0) {
        fs::create_directory(dir / "closed");
        ::chmod((dir / "closed").c_str(), 0555);
        EXPECT_EQ(ErrorOf(dir / "closed/sheet.pdf", "x"), std::strerror(EACCES));
    }
}

TEST(ReplaceFile, TemporaryNamesStayWithinTheNameLimit) {
    const std::string longName = std::string(246, 'n') + ".pdf";
    EXPECT_EQ(TemporaryName("a.pdf", 255, 0xabcdef), ".a.pdf.tmp-00abcdef");
    EXPECT_EQ(TemporaryName(longName, 255, 1).size(), 255u);
    // Cut between whole characters: "ä" is two bytes.
    std::string umlauts;
    for (int i = 0; i < 125; ++i)
        umlauts += "ä";
    const std::string cut = TemporaryName(umlauts, 19, 7);
    EXPECT_EQ(cut, ".ää.tmp-00000007");

    TempDir dir;
    const std::string path = dir / longName;
    ReplaceFile(path, "first");
    ReplaceFile(path, "second");
    EXPECT_EQ(ReadFile(path), "second");
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{longName});
}

} // namespace
} // namespace tavro
