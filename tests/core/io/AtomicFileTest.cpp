#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "TempDir.h"
#include "io/AtomicFile.h"

namespace fs = std::filesystem;

namespace {

TEST(AtomicFile, ReplacesWholeAndLeavesNoTemporaryFiles) {
    TempDir dir;
    const std::string path = dir.Write("out.bmp", "old contents");
    ASSERT_TRUE(kzv::WriteFileAtomically(path, std::string("new\0bytes", 9)));
    EXPECT_EQ(ReadFileBytes(path), std::string("new\0bytes", 9));
    EXPECT_EQ(CountEntries(dir.Path()), 1);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_NE(st.st_mode & S_IRGRP, 0u) << "not left private like a temporary file";
}

TEST(AtomicFile, FailureKeepsTheOldFileAndSaysWhy) {
    TempDir dir;
    std::string error;
    EXPECT_FALSE(kzv::WriteFileAtomically((dir.Path() / "no/such/folder/x").string(), "x", &error));
    EXPECT_EQ(error, "保存先のフォルダがありません。");

    // The target is a folder: the rename fails, the folder stays, no temporary file remains.
    fs::create_directory(dir.Path() / "sub");
    fs::create_directory(dir.Path() / "sub" / "target");
    dir.Write("sub/target/keep", "kept");
    EXPECT_FALSE(kzv::WriteFileAtomically((dir.Path() / "sub" / "target").string(), "x", &error));
    EXPECT_EQ(error, "同じ名前のフォルダがあります。");
    EXPECT_EQ(ReadFileBytes(dir.Path() / "sub" / "target" / "keep"), "kept");
    EXPECT_EQ(CountEntries(dir.Path() / "sub"), 1);
    EXPECT_FALSE(kzv::WriteFileAtomically("", "x"));
}

mode_t ModeOf(const fs::path& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

TEST(AtomicFile, KeepsPermissionsAndWritesThroughLinks) {
    TempDir dir;
    const std::string real = dir.Write("real.set", "old");
    ::chmod(real.c_str(), 0640);
    fs::create_directory(dir.Path() / "links");
    const fs::path link = dir.Path() / "links" / "via.set";
    fs::create_symlink("../real.set", link);  // relative to the link's folder
    ASSERT_TRUE(kzv::WriteFileAtomically(link.string(), "new"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFileBytes(real), "new");
    EXPECT_EQ(ModeOf(real), 0640u);
    EXPECT_EQ(CountEntries(dir.Path()), 2);
}

TEST(AtomicFile, RefusesAReadOnlyFile) {
    TempDir dir;
    const std::string path = dir.Write("size", "kept");
    ::chmod(path.c_str(), 0444);
    std::string error;
    EXPECT_FALSE(kzv::WriteFileAtomically(path, "new", &error));
    EXPECT_EQ(error, "ファイルが読み取り専用です。");
    EXPECT_EQ(ReadFileBytes(path), "kept");
    EXPECT_EQ(CountEntries(dir.Path()), 1);
}

TEST(AtomicFile, RemovesStaleTemporariesButNotOnesBeingWritten) {
    TempDir dir;
    const std::string path = dir.Write("dirlist", "old");
    dir.Write("dirlist.kzv-a1B2c3", "left by a crash");
    dir.Write("dirlist.kzv-a1B2c3.bak", "the user's own");
    dir.Write("other.kzv-a1B2c3", "another file's");
    // Another name's temporary that a crash left two days ago goes too; a lone ".kzv-" stays.
    const fs::path old = dir.Write("old.csv.kzv-q1W2e3", "left long ago");
    fs::last_write_time(old, fs::file_time_type::clock::now() - std::chrono::hours(48));
    const fs::path bare = dir.Write(".kzv-q1W2e3", "no name");
    fs::last_write_time(bare, fs::file_time_type::clock::now() - std::chrono::hours(48));
    const std::string busy = dir.Write("dirlist.kzv-Zz9Zz9", "being written");
    const int fd = ::open(busy.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);  // as a save in progress holds it
    ASSERT_TRUE(kzv::WriteFileAtomically(path, "new"));
    ::close(fd);
    EXPECT_FALSE(fs::exists(dir.Path() / "dirlist.kzv-a1B2c3"));
    EXPECT_TRUE(fs::exists(busy));
    EXPECT_TRUE(fs::exists(dir.Path() / "dirlist.kzv-a1B2c3.bak"));
    EXPECT_TRUE(fs::exists(dir.Path() / "other.kzv-a1B2c3"));
    EXPECT_FALSE(fs::exists(old));
    EXPECT_TRUE(fs::exists(bare));
}

}  // namespace
