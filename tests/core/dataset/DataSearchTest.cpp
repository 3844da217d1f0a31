#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TempDir.h"
#include "dataset/DataSearch.h"
#include "dataset/FolderUtil.h"
#include "dataset/HeaderFile.h"
#include "text/CodePage.h"

namespace fs = std::filesystem;
using namespace kzv;

namespace {

// The nine header fields in file order, as UTF-8 texts; missing ones are empty.
using Fields = std::vector<std::string>;

// A temporary data folder whose data sets the tests write one by one.
class DataSearchTest : public ::testing::Test {
protected:
    // Writes <folder>/<name>/header, in CP932 unless utf8 is set.
    std::string AddSet(const std::string& name, Fields f, bool utf8 = false,
                       const fs::path& folder = {}) {
        const fs::path set = (folder.empty() ? dir.Path() : folder) / name;
        fs::create_directories(set);
        f.resize(9);
        std::string text = "HEADER_FILE,1\r\n";
        for (size_t i = 0; i < 9; ++i) {
            if (i != 4 || !f[i].empty()) {  // an empty summary has no line at all
                text += f[i] + "\r\n";
            }
            if (i == 4) {
                text += "END\r\n";
            }
        }
        std::ofstream(set / "header", std::ios::binary) << (utf8 ? text : Utf8ToCp932(text));
        return set.string();
    }
    void Touch(const fs::path& file) {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << "x";
    }
    static DataSearchQuery Only(std::initializer_list<SearchField> fields, std::string k1,
                                std::string k2 = "") {
        DataSearchQuery q;
        q.fields.fill(false);
        for (SearchField f : fields) {
            q.Field(f) = true;
        }
        q.keyword1 = std::move(k1);
        q.keyword2 = std::move(k2);
        return q;
    }
    bool Matches(const std::string& set, const DataSearchQuery& q) {
        CHeaderFile header;
        EXPECT_TRUE(header.Read((set + "/header").c_str()));
        return DataSetMatches(set, header, q);
    }
    TempDir dir;
};

}  // namespace

TEST_F(DataSearchTest, EachCheckBoxSearchesItsOwnField) {
    const Fields f{"t-key", "a-key", "m-key", "g-key", "s1\r\ns-key",
                   "b-key", "r-key", "z-key", "j-key"};
    const std::string set = AddSet("n-key", f);
    const std::pair<SearchField, const char*> cases[] = {
        {SearchField::DataName, "n-key"},      {SearchField::Title, "t-key"},
        {SearchField::Affiliation, "a-key"},   {SearchField::Measurer, "m-key"},
        {SearchField::Manager, "g-key"},       {SearchField::Summary, "s-key"},
        {SearchField::BuildingShape, "b-key"}, {SearchField::RoofShape, "r-key"},
        {SearchField::BuildingSize, "z-key"},  {SearchField::AdjacentCondition, "j-key"},
    };
    for (const auto& [field, keyword] : cases) {
        for (const auto& [other, unused] : cases) {
            (void)unused;
            EXPECT_EQ(Matches(set, Only({other}, keyword)), other == field)
                << keyword << " with field " << static_cast<int>(other);
        }
    }
    // All boxes checked (the dialog's start) finds every field.
    DataSearchQuery all;
    all.keyword1 = "j-key";
    EXPECT_TRUE(Matches(set, all));
}

TEST_F(DataSearchTest, TwoKeywordsMustShareOneField) {
    const std::string both = AddSet("both", {"title", "", "", "", "wind\r\ntunnel"});
    const std::string split = AddSet("split", {"wind title", "", "", "", "tunnel"});
    const DataSearchQuery q = Only({SearchField::Title, SearchField::Summary}, "wind", "tunnel");
    EXPECT_TRUE(Matches(both, q));
    EXPECT_FALSE(Matches(split, q));
    // Keyword 2 alone finds nothing; keyword 1 alone is enough.
    EXPECT_FALSE(Matches(both, Only({SearchField::Summary}, "", "tunnel")));
    EXPECT_TRUE(Matches(split, Only({SearchField::Summary}, "tunnel")));
    // Substrings are case-sensitive.
    EXPECT_FALSE(Matches(both, Only({SearchField::Summary}, "Wind")));
}

TEST_F(DataSearchTest, JapaneseKeywordsMatchWholeCharactersInCp932AndUtf8Headers) {
    const std::string cp932 = AddSet("cp", {"風圧係数", "", "", "", "", "陸屋根"});
    const std::string utf8 = AddSet("u8", {"風圧係数", "", "", "", "", "陸屋根"}, true);
    for (const std::string& set : {cp932, utf8}) {
        EXPECT_TRUE(Matches(set, Only({SearchField::Title}, "圧係")));
        EXPECT_TRUE(Matches(set, Only({SearchField::BuildingShape}, "屋根", "陸")));
        // In CP932 "風圧" is 95 97 88 B3, whose middle bytes 97 88 spell "来": that
        // character is not in the title.
        EXPECT_FALSE(Matches(set, Only({SearchField::Title}, "来")));
    }
    // "ア" is 83 41 in CP932; the trail byte is an ASCII "A" but no "A" is in the text.
    const std::string kana = AddSet("kana", {"アパート"});
    EXPECT_FALSE(Matches(kana, Only({SearchField::Title}, "A")));
    EXPECT_TRUE(Matches(kana, Only({SearchField::Title}, "アパ")));
}

TEST_F(DataSearchTest, DocumentNamesAreSearchedInSubfoldersOnly) {
    const std::string set = AddSet("set", {"title"});
    Touch(fs::path(set) / "report-top.txt");  // directly in the data-set folder
    Touch(fs::path(set) / "Documents" / "notes" / "deep" / "wind-report.pdf");
    Touch(fs::path(set) / "Documents" / "photo.jpg");
    fs::create_directories(fs::path(set) / "Documents" / "folder-only");
    const SearchField docs = SearchField::DocumentNames;

    EXPECT_TRUE(Matches(set, Only({docs}, "wind-report")));
    EXPECT_FALSE(Matches(set, Only({docs}, "report-top")));
    EXPECT_FALSE(Matches(set, Only({docs}, "header")));       // the data files never match
    EXPECT_FALSE(Matches(set, Only({docs}, "folder-only")));  // folder names are no files
    // The two keywords may come from different files, but both must be found.
    EXPECT_TRUE(Matches(set, Only({docs}, "wind", "photo")));
    EXPECT_FALSE(Matches(set, Only({docs}, "wind", "top")));
    // Unchecked, the names are not looked at.
    EXPECT_FALSE(Matches(set, Only({SearchField::Title}, "photo")));
}

TEST_F(DataSearchTest, DocumentWalkStaysInsideTheDataSet) {
    // Links to folders are not entered: one back up the tree, and a "Documents" that leads
    // out of the data set (to "/" it would search the whole disk).
    const std::string set = AddSet("set", {"title"});
    fs::create_directories(fs::path(set) / "Documents" / "notes");
    Touch(fs::path(set) / "Documents" / "notes" / "inside-report.pdf");
    fs::create_directory_symlink(set, fs::path(set) / "Documents" / "loop");
    const fs::path outside = dir.Path() / "outside";
    Touch(outside / "outside-report.pdf");
    const std::string linked = AddSet("linked", {"title"});
    fs::create_directory_symlink(outside, fs::path(linked) / "Documents");
    fs::create_directory_symlink(outside, fs::path(set) / "Documents" / "away");
    EXPECT_TRUE(DocumentNameContains(set, "inside-report"));
    EXPECT_FALSE(DocumentNameContains(set, "header"));
    EXPECT_FALSE(DocumentNameContains(set, "outside-report"));
    EXPECT_FALSE(DocumentNameContains(linked, "outside-report"));
}

TEST_F(DataSearchTest, SearchWalksFoldersInListOrderAndSkipsNonDataSets) {
    const fs::path first = dir.Path() / "first";
    const fs::path second = dir.Path() / "second";
    AddSet("b", {"wind b"}, false, first);
    AddSet("a", {"wind a"}, false, first);
    AddSet("c", {"calm"}, false, first);
    AddSet("x", {"wind x"}, true, second);
    fs::create_directories(first / "no-header");
    Touch(first / "bad" / "header");  // not a header file

    EXPECT_EQ(ListDataSets(first.string()), (std::vector<std::string>{"a", "b", "c"}));

    DataSearchQuery q;
    q.keyword1 = "wind";
    const std::vector<std::string> found =
        SearchDataSets({second.string() + "/", (dir.Path() / "gone").string(), first.string()}, q);
    EXPECT_EQ(found, (std::vector<std::string>{(second / "x").string(), (first / "a").string(),
                                               (first / "b").string()}));

    q.keyword1.clear();
    EXPECT_TRUE(SearchDataSets({first.string()}, q).empty());
}

TEST_F(DataSearchTest, ProgressCountsEverySubfolderAndCanStopTheSearch) {
    const fs::path folder = dir.Path() / "data";
    AddSet("a", {"wind a"}, false, folder);
    AddSet("b", {"calm"}, false, folder);
    AddSet("c", {"wind c"}, false, folder);
    fs::create_directories(folder / "d-no-header");  // looked at and counted, not a set
    DataSearchQuery q;
    q.keyword1 = "wind";

    std::vector<std::pair<size_t, size_t>> calls;
    bool stopped = true;
    const auto all = SearchDataSets(
        {folder.string()}, q,
        [&](size_t done, size_t total) {
            calls.emplace_back(done, total);
            return true;
        },
        &stopped);
    EXPECT_FALSE(stopped);
    EXPECT_EQ(all.size(), 2u);
    EXPECT_EQ(calls,
              (std::vector<std::pair<size_t, size_t>>{{0, 4}, {1, 4}, {2, 4}, {3, 4}, {4, 4}}));

    // Stopped after the second subfolder: "a" found, "c" never looked at.
    const auto part = SearchDataSets(
        {folder.string()}, q, [](size_t done, size_t) { return done < 2; }, &stopped);
    EXPECT_TRUE(stopped);
    EXPECT_EQ(part, std::vector<std::string>{(folder / "a").string()});
    // Stopped before the first.
    EXPECT_TRUE(SearchDataSets(
                    {folder.string()}, q, [](size_t, size_t) { return false; }, &stopped)
                    .empty());
    EXPECT_TRUE(stopped);
}

TEST_F(DataSearchTest, ALargeSearchSharedAmongThreadsKeepsTheFoldersOrder) {
    const fs::path folder = dir.Path() / "many";
    std::vector<std::string> expected;
    for (int i = 0; i < 150; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "s%03d", i);
        AddSet(name, {i % 7 == 0 ? "wind" : "calm"}, false, folder);
        if (i % 7 == 0) {
            expected.push_back((folder / name).string());
        }
    }
    DataSearchQuery q;
    q.keyword1 = "wind";
    size_t last = 0;
    bool rising = true;
    const auto found = SearchDataSets({folder.string()}, q, [&](size_t done, size_t total) {
        rising = rising && done >= last && total == 150;
        last = done;
        return true;
    });
    EXPECT_EQ(found, expected);
    EXPECT_TRUE(rising);
    EXPECT_EQ(last, 150u);
}

TEST_F(DataSearchTest, ListingMarksSetsWhoseHeaderCannotBeReadAndSkipsOtherFolders) {
    const fs::path data = dir.Path() / "data";
    AddSet("a", {"wind a"}, false, data);
    Touch(data / "bad" / "header");  // not a header file
    fs::create_directories(data / "dir-header" / "header");
    Touch(data / "geo-only" / "main.geo");
    fs::create_directories(data / "pictures");
    fs::create_directories(data / "z");
    fs::create_symlink(data / "nowhere", data / "z" / "header");  // a dangling link

    std::vector<std::pair<std::string, bool>> listed;
    for (const ListedDataSet& set : ListDataSetsMarkingBroken(data.string())) {
        listed.emplace_back(set.name, set.headerReadable);
    }
    EXPECT_EQ(listed, (std::vector<std::pair<std::string, bool>>{{"a", true},
                                                                 {"bad", false},
                                                                 {"dir-header", false},
                                                                 {"geo-only", false},
                                                                 {"z", false}}));
    EXPECT_EQ(ListDataSets(data.string()), std::vector<std::string>{"a"});
    EXPECT_TRUE(ListDataSetsMarkingBroken((dir.Path() / "gone").string()).empty());
}

TEST(DataSearchSamples, FindsSampleSetsByJapaneseKeywords) {
    DataSearchQuery q;
    q.keyword1 = "切妻";
    EXPECT_EQ(SearchDataSets({KZV_SAMPLES_DIR}, q),
              (std::vector<std::string>{std::string(KZV_SAMPLES_DIR) + "gable"}));
    q.keyword1 = "memo";
    q.fields.fill(false);
    q.Field(SearchField::DocumentNames) = true;
    EXPECT_EQ(SearchDataSets({KZV_SAMPLES_DIR}, q),
              (std::vector<std::string>{std::string(KZV_SAMPLES_DIR) + "lshape"}));
}
