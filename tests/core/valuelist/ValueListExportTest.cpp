#include <gtest/gtest.h>

#include <sys/mount.h>
#include <unistd.h>

#include <fstream>

#include "TempDir.h"
#include "ValueListFixture.h"
#include "state/ViewState.h"
#include "valuelist/ValueListExport.h"

namespace {

using namespace vltest;
namespace fs = std::filesystem;

// The headings in CP932.
const std::string kCsvHeading = "No,X,Y,Z,\x95\x97\x88\xB3\x8C\x57\x90\x94\r\n";
const std::string kTolvexHeading =
    "\x94\xD4\x8D\x86,\x96\x6B\x96\x6B\x93\x8C,\x96\x6B\x93\x8C,\x93\x8C\x96\x6B\x93\x8C,\x93\x8C,"
    "\x93\x8C\x93\xEC\x93\x8C,\x93\xEC\x93\x8C,\x93\xEC\x93\xEC\x93\x8C,\x93\xEC,\x93\xEC\x93\xEC"
    "\x90\xBC,\x93\xEC\x90\xBC,\x90\xBC\x93\xEC\x90\xBC,\x90\xBC,\x90\xBC\x96\x6B\x90\xBC,\x96\x6B"
    "\x90\xBC,\x96\x6B\x96\x6B\x90\xBC,\x96\x6B\r\n";

TEST(ValueListExportTest, CsvIsTheListAsShown) {
    CViewState state;
    SetUpTaps(state, {{10, 20, 30}});
    CValueList list;
    EXPECT_EQ(MakeCsvBytes(list.Rows()), kCsvHeading);
    list.AddPointRow(1, 10, 20, 30, -0.125);
    list.AddPointRow(-1, 11, 21, 31, 1234567);
    list.SetRelativeOrigin(state.Points(), 0);
    EXPECT_EQ(MakeCsvBytes(list.Rows()), kCsvHeading + "1,0,0,0,-0.125\r\n-,1,1,1,1.23457e+06\r\n");
    // A text CP932 cannot hold is written as '?'.
    CValueRow odd{{"\xC3\xA9", "1", "\xF0\x9F\x98\x80", "3", "4"}, 0, ""};
    EXPECT_EQ(MakeCsvBytes({odd}), kCsvHeading + "?,1,?,3,4\r\n");
}

// Tap 2 (value 200 + d), the arbitrary point -1 (1000 + d) and tap 77, which has no values.
class TolvexTest : public ::testing::Test {
protected:
    void Make(int dirs) {
        SetUpTaps(state, {{1, 0, 0}, {2, 0, 0}}, dirs);
        AddArbitrary(state, -1, {3.14159265f, 0, 0}, 1000, dirs);
        list.AddPointRow(2, 2, 0, 0, 0);
        list.AddPointRow(-1, 3.14159265f, 0, 0, 0);
        list.AddPointRow(77, 9, 9, 9, 0);
        list.SetRelativeOrigin(state.Points(), 2);  // the values still come from the points
    }
    // The lines after the heading.
    std::string Tolvex(int slider) {
        std::string bytes;
        EXPECT_TRUE(MakeTolvexBytes(list.Rows(), state.Points(), slider, bytes));
        EXPECT_EQ(bytes.substr(0, kTolvexHeading.size()), kTolvexHeading);
        return bytes.substr(kTolvexHeading.size());
    }
    CViewState state;
    CValueList list;
};

TEST_F(TolvexTest, SixteenDirectionsTurnWithTheSlider) {
    Make(16);
    EXPECT_EQ(
        Tolvex(0),
        "2,209,210,211,212,213,214,215,200,201,202,203,204,205,206,207,208\r\n"
        "-,1009,1010,1011,1012,1013,1014,1015,1000,1001,1002,1003,1004,1005,1006,1007,1008\r\n"
        "77,990,990,990,990,990,990,990,990,990,990,990,990,990,990,990,990\r\n");
    EXPECT_EQ(Tolvex(7).substr(0, 69),
              "2,202,203,204,205,206,207,208,209,210,211,212,213,214,215,200,201\r\n-,");
    list.ClearAllRows();
    EXPECT_EQ(Tolvex(0), "");
}

TEST_F(TolvexTest, ThirtyTwoDirectionsAndTheRefusalOfEight) {
    Make(32);
    EXPECT_EQ(Tolvex(-12).substr(0, 14), "2,230,200,202,");
    EXPECT_EQ(Tolvex(0).substr(0, 6), "2,218,");
    EXPECT_EQ(TolvexDirectionIndex(32, 0, 15), 16);

    CViewState eight;
    SetUpTaps(eight, {{1, 0, 0}}, 8);
    std::string bytes = "untouched";
    EXPECT_FALSE(MakeTolvexBytes(list.Rows(), eight.Points(), 0, bytes));
    EXPECT_EQ(bytes, "untouched");
    TempDir dir;
    const std::string path = (dir.Path() / "Tolvex.csv").string();
    EXPECT_EQ(WriteTolvexFile(list.Rows(), eight.Points(), 0, path),
              CExportResult::TooFewDirections);
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(WriteTolvexFile(list.Rows(), state.Points(), 0, path), CExportResult::Written);
    EXPECT_EQ(ReadFileBytes(path), kTolvexHeading + Tolvex(0));
}

// A 64 KiB tmpfs over a folder while the object lives (needs root).
struct SmallFileSystem {
    explicit SmallFileSystem(const fs::path& at) : where(at) {
        fs::create_directory(at);
        mounted = ::mount("kzv-test", at.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallFileSystem() {
        if (mounted) {
            ::umount(where.c_str());
        }
    }
    fs::path where;
    bool mounted = false;
};

TEST(ValueListExportFileTest, FailedWritesKeepTheOldFile) {
    CValueList list;
    for (int i = 1; i <= 200; ++i) {
        list.AddPointRow(i, static_cast<float>(i), 0.5f, 0.25f, 0.125);
    }
    TempDir dir;
    const std::string csv = dir.Write("output.csv", "old");
    ASSERT_EQ(WriteCsvFile(list.Rows(), csv), CExportResult::Written);
    EXPECT_EQ(ReadFileBytes(csv), MakeCsvBytes(list.Rows()));
    if (::geteuid() != 0) {  // root writes into a folder without write permission
        fs::create_directory(dir.Path() / "ro");
        const std::string kept = dir.Write("ro/output.csv", "old");
        fs::permissions(dir.Path() / "ro", fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(WriteCsvFile(list.Rows(), kept), CExportResult::WriteFailed);
        EXPECT_EQ(ReadFileBytes(kept), "old");
        fs::permissions(dir.Path() / "ro", fs::perms::owner_all);
        GTEST_SKIP() << "a full file system needs root to mount a small tmpfs";
    }
    SmallFileSystem small(dir.Path() / "small");
    if (!small.mounted) {
        GTEST_SKIP() << "cannot mount a tmpfs here";
    }
    const std::string kept = dir.Write("small/output.csv", "old");
    {
        std::ofstream filler(small.where / "filler", std::ios::binary);
        const std::string block(4096, 'x');
        for (int i = 0; i < 64 && filler.write(block.data(), block.size()).flush(); ++i) {
        }
    }
    EXPECT_EQ(WriteCsvFile(list.Rows(), kept), CExportResult::WriteFailed);
    EXPECT_EQ(ReadFileBytes(kept), "old");
    EXPECT_EQ(CountEntries(small.where), 2);  // no temporary file left
    fs::remove(small.where / "filler");
    ASSERT_EQ(::mount("kzv-test", small.where.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr),
              0);
    CViewState state;
    SetUpTaps(state, {{1, 0, 0}});
    EXPECT_EQ(WriteTolvexFile(list.Rows(), state.Points(), 0, kept), CExportResult::WriteFailed);
    EXPECT_EQ(ReadFileBytes(kept), "old");
}

}  // namespace
