#include "shell/settings/file_replacement.h"

#include "shell/settings/ini_file.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <latch>
#include <string>
#include <thread>
#include <vector>

#include <cstdio>

#include <fcntl.h>
#include <sys/file.h>

namespace tavro {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

namespace fs = std::filesystem;
using namespace std::chrono_literals;

TEST(FileReplacement, TemporaryNamesOfAFile) {
    const struct {
        const char* name;
        bool ours;
    } cases[] = {
        {"Zelvanor.ini.tmp-aB3xY9", true},
        {"Zelvanor.ini.tmp-000000", true},
        {"Zelvanor.ini.tmp-aB3xY", false},
        {"Zelvanor.ini.tmp-aB3xY90", false},
        {"Zelvanor.ini.tmp-aB3x.9", false},
        {"Zelvanor.ini.tmp-aB3x\xC3\xA4", false},
        {"Zelvanor.ini.tmpXaB3xY9", false},
        {"zelvanor.ini.tmp-aB3xY9", false},
        {"Zelvanor.ini", false},
        {"Other.ini.tmp-aB3xY9", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsTemporaryName(c.name, "Zelvanor.ini"), c.ours) << c.name;
}

TEST(FileReplacement, LinksAreFollowedToTheirFile) {
    TempDir dir;
    fs::create_directories(dir / "a/b");
    WriteFile(dir / "a/b/file", "x");
    fs::create_symlink("b/file", dir / "a/rel");
    fs::create_symlink(dir / "a/rel", dir / "abs");
    fs::create_symlink("missing", dir / "dangling");
    fs::create_symlink("loop2", dir / "loop1");
    fs::create_symlink("loop1", dir / "loop2");
    const struct {
        std::string path;
        int err;
        std::string target;
    } cases[] = {
        {dir / "a/b/file", 0, dir / "a/b/file"}, {dir / "a/rel", 0, dir / "a/b/file"},
        {dir / "abs", 0, dir / "a/b/file"},      {dir / "dangling", 0, dir / "missing"},
        {dir / "none", 0, dir / "none"},         {dir / "loop1", ELOOP, ""},
    };
    for (const auto& c : cases) {
        std::string target;
        EXPECT_EQ(ResolveLinks(c.path, target), c.err) << c.path;
        if (c.err == 0) {
            EXPECT_EQ(target, c.target) << c.path;
        }
    }
}

TEST(FileReplacement, LockOfAMissingFileCreatesItAndRemovesItUnused) {
    TempDir dir;
    const std::string path = dir / "Zelvanor.ini";
    {
        FileLock lock;
        ASSERT_EQ(lock.Acquire(path, 1s), 0);
        EXPECT_TRUE(lock.Created());
        EXPECT_TRUE(fs::is_regular_file(path));
        // Another lock on the same file waits and gives up.
        FileLock other;
        EXPECT_EQ(other.Acquire(path, 50ms), EWOULDBLOCK);
        lock.RemoveIfCreated();
    }
    EXPECT_FALSE(fs::exists(path));

    WriteFile(path, "[A]\n");
    FileLock lock;
    ASSERT_EQ(lock.Acquire(path, 1s), 0);
    EXPECT_FALSE(lock.Created());
    lock.RemoveIfCreated();
    EXPECT_EQ(ReadFile(path), "[A]\n");

    fs::create_directory(dir / "folder");
    FileLock folder;
    EXPECT_NE(folder.Acquire(dir / "folder", 50ms), 0);
}

// Each write read the file, changed its key and renamed a new file over it
// without a lock: a write between another's read and rename was lost.
TEST(FileReplacement, WriterWaitsForTheLockAndKeepsTheHoldersReplacement) {
    TempDir dir;
    TIniDatei ini("Zelvanor.ini", dir.path());
    WriteFile(ini.Path(), "[GLOBAL]\nLanguage=1\n");

    // Another writer holds the lock.
    auto holder = std::make_unique<UniqueFd>(::open(ini.Path().c_str(), O_RDWR | O_CLOEXEC));
    ASSERT_EQ(::flock(holder->get(), LOCK_EX), 0);
    std::atomic<bool> done = false;
    std::thread writer([&] {
        ini.WriteInteger("Tavro", "Edge", 700);
        done = true;
    });
    std::this_thread::sleep_for(300ms);
    EXPECT_FALSE(done);
    EXPECT_EQ(ReadFile(ini.Path()), "[GLOBAL]\nLanguage=1\n");
    // The holder replaces the file, as a writer does, then lets go.
    WriteFile(dir / "new", "[GLOBAL]\nLanguage=3\n");
    ASSERT_EQ(std::rename((dir / "new").c_str(), ini.Path().c_str()), 0);
    holder.reset();
    writer.join();
    EXPECT_EQ(ReadFile(ini.Path()), "[GLOBAL]\nLanguage=3\n\n\n[Tavro]\nEdge=700\n");
}

TEST(FileReplacement, ConcurrentWritersLoseNoKey) {
    TempDir dir;
    constexpr int kWriters = 4;
    constexpr int kKeys = 10;
    std::latch start(kWriters);
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.emplace_back([&, w] {
            TIniDatei ini("Zelvanor.ini", dir.path());
            start.arrive_and_wait();
            for (int k = 0; k < kKeys; ++k)
                ini.WriteInteger("W" + std::to_string(w), "K" + std::to_string(k), w * 100 + k);
        });
    }
    for (std::thread& t : writers)
        t.join();
    const TIniDatei ini("Zelvanor.ini", dir.path());
    for (int w = 0; w < kWriters; ++w) {
        for (int k = 0; k < kKeys; ++k) {
            EXPECT_EQ(ini.ReadInteger("W" + std::to_string(w), "K" + std::to_string(k), -1),
                      w * 100 + k)
                << "writer " << w << " key " << k;
        }
    }
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.path()))
        names.push_back(e.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"Zelvanor.ini"});
}

} // namespace
} // namespace tavro
