#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "TempDir.h"
#include "dataset/DataFolderList.h"
#include "dataset/FolderUtil.h"

namespace fs = std::filesystem;
using namespace kzv;

namespace {

using Folders = std::vector<std::string>;

}  // namespace

TEST(DataFolderList, MissingListIsCreatedEmptyAndGrowsByAppending) {
    TempDir dir;
    const std::string path = DataFolderListPath(dir.Path().string() + "/");
    EXPECT_EQ(path, dir.Path().string() + "/dirlist");

    Folders folders{"stale"};
    EXPECT_EQ(ReadDataFolderList(path, folders), DataFolderListStatus::Missing);
    EXPECT_TRUE(folders.empty());

    ASSERT_TRUE(CreateEmptyDataFolderList(path));
    EXPECT_EQ(ReadFileBytes(path), "");
    EXPECT_EQ(ReadDataFolderList(path, folders), DataFolderListStatus::Read);
    EXPECT_TRUE(folders.empty());

    // "データ" in UTF-8: path bytes go into the file as they are.
    const std::string japanese = "/home/u/\xE3\x83\x87\xE3\x83\xBC\xE3\x82\xBF";
    ASSERT_TRUE(AppendToDataFolderList(path, "/data/b"));
    ASSERT_TRUE(AppendToDataFolderList(path, japanese));
    EXPECT_EQ(ReadFileBytes(path), "/data/b\n" + japanese + "\n");
    EXPECT_EQ(ReadDataFolderList(path, folders), DataFolderListStatus::Read);
    EXPECT_EQ(folders, (Folders{"/data/b", japanese}));

    // Creating again never empties a list.
    ASSERT_TRUE(CreateEmptyDataFolderList(path));
    EXPECT_EQ(ReadFileBytes(path), "/data/b\n" + japanese + "\n");
}

TEST(DataFolderList, ReadsLongAndCrLfLinesWholeAndSkipsBlankOnes) {
    TempDir dir;
    const std::string longPath = "/" + std::string(400, 'x');  // beyond any fixed line buffer
    const std::string path = dir.Write("dirlist", "/a\r\n\n" + longPath + "\n/last");
    Folders folders;
    ASSERT_EQ(ReadDataFolderList(path, folders), DataFolderListStatus::Read);
    EXPECT_EQ(folders, (Folders{"/a", longPath, "/last"}));

    // Appending after a last line without its LF keeps the two paths apart.
    ASSERT_TRUE(AppendToDataFolderList(path, "/new"));
    ASSERT_EQ(ReadDataFolderList(path, folders), DataFolderListStatus::Read);
    EXPECT_EQ(folders, (Folders{"/a", longPath, "/last", "/new"}));
}

TEST(DataFolderList, RewriteReplacesTheWholeListAndLeavesNoScratchFile) {
    TempDir dir;
    const std::string path = dir.Write("dirlist", "/a\n/b\n/c\n");
    ASSERT_TRUE(WriteDataFolderList(path, {"/c", "/a"}));
    EXPECT_EQ(ReadFileBytes(path), "/c\n/a\n");
    ASSERT_TRUE(WriteDataFolderList(path, {}));
    EXPECT_EQ(ReadFileBytes(path), "");
    EXPECT_EQ(CountEntries(dir.Path()), 1);
}

TEST(DataFolderList, PathsThatCannotBeOneLineAreRefused) {
    TempDir dir;
    const std::string path = dir.Write("dirlist", "/a\n");
    EXPECT_FALSE(AppendToDataFolderList(path, ""));
    EXPECT_FALSE(AppendToDataFolderList(path, "/x\n/y"));
    EXPECT_EQ(ReadFileBytes(path), "/a\n");
}

TEST(DataFolderList, UnreadableListIsReportedAndNeverOverwritten) {
    TempDir dir;
    // A folder where the list should be: neither a list nor replaceable by one.
    const std::string asFolder = (dir.Path() / "dirlist").string();
    fs::create_directory(asFolder);
    Folders folders;
    EXPECT_EQ(ReadDataFolderList(asFolder, folders), DataFolderListStatus::Unreadable);
    EXPECT_FALSE(CreateEmptyDataFolderList(asFolder));
    EXPECT_FALSE(AppendToDataFolderList(asFolder, "/x"));
    EXPECT_TRUE(FolderExists(asFolder));

    if (::geteuid() != 0) {  // root reads any file
        const std::string locked = dir.Write("locked", "/a\n");
        ::chmod(locked.c_str(), 0);
        EXPECT_EQ(ReadDataFolderList(locked, folders), DataFolderListStatus::Unreadable);
        EXPECT_FALSE(AppendToDataFolderList(locked, "/x"));
        ::chmod(locked.c_str(), 0600);
        EXPECT_EQ(ReadFileBytes(locked), "/a\n");
    }
}

TEST(DataFolderList, OnlyTheSameFolderCountsAsListed) {
    const Folders listed{"/data/set10", "/data/Photos/", "/"};
    EXPECT_FALSE(IsFolderListed(listed, "/data/set1"));    // a prefix is another folder
    EXPECT_FALSE(IsFolderListed(listed, "/data/photos"));  // names are case-sensitive
    EXPECT_TRUE(IsFolderListed(listed, "/data/set10/"));
    EXPECT_TRUE(IsFolderListed(listed, "/data/Photos"));
    EXPECT_TRUE(IsFolderListed(listed, "/"));
    EXPECT_FALSE(IsFolderListed({}, "/data"));
}

TEST(FolderUtil, SubfoldersComeInByteOrderWithoutFiles) {
    TempDir dir;
    const fs::path root = dir.Path();
    for (const char* name : {"b", "a", "B", "\xE5\xBB\xBA", ".hidden"}) {
        fs::create_directory(root / name);
    }
    dir.Write("file.txt", "x");
    fs::create_directory_symlink(root / "a", root / "link");
    fs::create_symlink(root / "file.txt", root / "filelink");

    EXPECT_EQ(FindSubfolders(root.string()),
              (Folders{".hidden", "B", "a", "b", "link", "\xE5\xBB\xBA"}));
    EXPECT_EQ(FindSubfolders(root.string() + "/"), FindSubfolders(root.string()));
    EXPECT_TRUE(FindSubfolders((root / "missing").string()).empty());
    EXPECT_TRUE(FindSubfolders((root / "file.txt").string()).empty());
    EXPECT_TRUE(FindSubfolders("").empty());
}

TEST(FolderUtil, FolderExistsOnlyForDirectories) {
    TempDir dir;
    EXPECT_TRUE(FolderExists(dir.Path().string()));
    EXPECT_TRUE(FolderExists(dir.Path().string() + "/"));
    EXPECT_FALSE(FolderExists(dir.Write("f", "x")));
    EXPECT_FALSE(FolderExists((dir.Path() / "none").string()));
    EXPECT_FALSE(FolderExists(""));
}

TEST(FolderUtil, CreateFolderTreeMakesMissingParents) {
    TempDir dir;
    const std::string deep = (dir.Path() / "set" / "Documents" / "a").string();
    EXPECT_TRUE(CreateFolderTree(deep + "/"));
    EXPECT_TRUE(FolderExists(deep));
    EXPECT_TRUE(CreateFolderTree(deep));  // already there
    // A file in the way cannot become a folder.
    const std::string file = dir.Write("plain", "x");
    EXPECT_FALSE(CreateFolderTree(file + "/sub"));
    EXPECT_FALSE(CreateFolderTree(""));
}

TEST(FolderUtil, PathPieces) {
    EXPECT_EQ(JoinPath("/d", "set"), "/d/set");
    EXPECT_EQ(JoinPath("/d/", "set"), "/d/set");
    EXPECT_EQ(LastPathComponent("/data/Set 7/"), "Set 7");
    EXPECT_EQ(LastPathComponent("/data/Set 7"), "Set 7");
    EXPECT_EQ(LastPathComponent("name"), "name");
    EXPECT_EQ(WithoutTrailingSlash("/d//"), "/d");
    EXPECT_EQ(WithoutTrailingSlash("/"), "/");
}
