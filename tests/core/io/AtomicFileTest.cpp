#include <gtest/gtest.h>

#include <sys/stat.h>

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
    EXPECT_FALSE(error.empty());

    // The target is a folder: the rename fails, the folder stays, no temporary file remains.
    fs::create_directory(dir.Path() / "sub");
    fs::create_directory(dir.Path() / "sub" / "target");
    dir.Write("sub/target/keep", "kept");
    EXPECT_FALSE(kzv::WriteFileAtomically((dir.Path() / "sub" / "target").string(), "x", &error));
    EXPECT_EQ(ReadFileBytes(dir.Path() / "sub" / "target" / "keep"), "kept");
    EXPECT_EQ(CountEntries(dir.Path() / "sub"), 1);
    EXPECT_FALSE(kzv::WriteFileAtomically("", "x"));
}

}  // namespace
