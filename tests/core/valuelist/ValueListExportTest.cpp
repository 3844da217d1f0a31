#include <gtest/gtest.h>

#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "TempDir.h"
#include "ValueListFixture.h"
#include "valuelist/ValueList.h"
#include "valuelist/ValueListExport.h"

namespace {

namespace fs = std::filesystem;

// "No,X,Y,Z,風圧係数" and the start of the Tolvex heading, "番号,北北東", in CP932.
const std::string kCsvHeading = "No,X,Y,Z,\x95\x97\x88\xB3\x8C\x57\x90\x94\r\n";
const std::string kTolvexHeadingStart = "\x94\xD4\x8D\x86,\x96\x6B\x96\x6B\x93\x8C,";

// The text after the heading line.
std::string Body(const std::string& bytes) {
    return bytes.substr(bytes.find("\r\n") + 2);
}

TEST(ValueListExportTest, CsvIsTheListAsShown) {
    CViewState state;
    vltest::SetUpTaps(state, {CVector4(10, 20, 30), CVector4(-1.5f, 0.25f, 1e-5f)});
    CValueList list;
    EXPECT_EQ(MakeCsvBytes(list.Rows()), kCsvHeading);
    list.AddPointRow(1, 10, 20, 30, -0.125);
    list.AddPointRow(2, -1.5f, 0.25f, 1e-5f, 990);
    list.AddPointRow(-1, 11, 21, 31, 1234567);
    EXPECT_EQ(
        MakeCsvBytes(list.Rows()),
        kCsvHeading + "1,10,20,30,-0.125\r\n2,-1.5,0.25,1e-05,990\r\n-,11,21,31,1.23457e+06\r\n");
    list.SetRelativeOrigin(state, 0);
    EXPECT_EQ(Body(MakeCsvBytes(list.Rows())),
              "1,0,0,0,-0.125\r\n2,-11.5,-19.75,-30,990\r\n-,1,1,1,1.23457e+06\r\n");
    // A text CP932 cannot hold is written with '?' in its place.
    CValueRow odd;
    odd.text = {"\xC3\xA9", "1", "\xF0\x9F\x98\x80", "3", "4"};
    EXPECT_EQ(Body(MakeCsvBytes({odd})), "?,1,?,3,4\r\n");
}

// Taps 1 and 2 (value 100 t + d), the arbitrary point -1 (1000 + d) and a tap the table lacks.
class TolvexTest : public ::testing::Test {
protected:
    void Make(int directions) {
        vltest::SetUpTaps(state, {CVector4(1, 0, 0), CVector4(2, 0, 0)}, directions);
        vltest::AddArbitrary(state, -1, CVector4(3.14159265f, 0, 0), 1000, directions);
        list.AddPointRow(2, 2, 0, 0, 0);
        list.AddPointRow(-1, 3.14159265f, 0, 0, 0);
        list.AddPointRow(77, 9, 9, 9, 0);
    }
    std::string Tolvex(int slider) {
        std::string bytes;
        EXPECT_TRUE(MakeTolvexBytes(list.Rows(), state, slider, bytes));
        EXPECT_EQ(bytes.compare(0, kTolvexHeadingStart.size(), kTolvexHeadingStart), 0);
        return Body(bytes);
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
    // The arbitrary point is found by its id, also while relative coordinates are shown.
    list.SetRelativeOrigin(state, 2);
    EXPECT_EQ(Tolvex(7).substr(0, 64),
              "2,200,201,202,203,204,205,206,207,208,209,210,211,212,213,214,21");
    EXPECT_EQ(Tolvex(-8).substr(0, 11), "2,201,202,2");
    list.ClearAllRows();
    EXPECT_EQ(Tolvex(0), "");

    std::string full;
    ASSERT_TRUE(MakeTolvexBytes(list.Rows(), state, 0, full));
    EXPECT_EQ(full, std::string(kTolvexHeadingStart) +
                        "\x96\x6B\x93\x8C,\x93\x8C\x96\x6B\x93\x8C,\x93\x8C,\x93\x8C\x93\xEC"
                        "\x93\x8C,\x93\xEC\x93\x8C,\x93\xEC\x93\xEC\x93\x8C,\x93\xEC,\x93\xEC"
                        "\x93\xEC\x90\xBC,\x93\xEC\x90\xBC,\x90\xBC\x93\xEC\x90\xBC,\x90\xBC,"
                        "\x90\xBC\x96\x6B\x90\xBC,\x96\x6B\x90\xBC,\x96\x6B\x96\x6B\x90\xBC,"
                        "\x96\x6B\r\n");
}

TEST_F(TolvexTest, ThirtyTwoDirectionsAndTheRefusalOfEight) {
    Make(32);
    EXPECT_EQ(TolvexDirectionIndex(32, -12, 0), 6);
    EXPECT_EQ(TolvexDirectionIndex(32, 0, 0), 18);
    EXPECT_EQ(TolvexDirectionIndex(32, 0, 15), 16);
    EXPECT_EQ(TolvexDirectionIndex(64, 3, 0), 39);
    EXPECT_EQ(Tolvex(-12).substr(0, 14), "2,206,208,210,");

    CViewState eight;
    vltest::SetUpTaps(eight, {CVector4(1, 0, 0)}, 8);
    std::string bytes = "untouched";
    EXPECT_FALSE(MakeTolvexBytes(list.Rows(), eight, 0, bytes));
    EXPECT_EQ(bytes, "untouched");
    TempDir dir;
    const std::string path = (dir.Path() / "Tolvex.csv").string();
    EXPECT_EQ(WriteTolvexFile(list.Rows(), eight, 0, path), CExportResult::TooFewDirections);
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(WriteTolvexFile(list.Rows(), state, 0, path), CExportResult::Written);
    EXPECT_EQ(Body(ReadFileBytes(path)), Tolvex(0));
}

// A tmpfs of 64 KiB mounted over a folder for the life of the object (root only).
class SmallFileSystem {
public:
    explicit SmallFileSystem(const fs::path& where) : m_where(where) {
        fs::create_directory(where);
        m_mounted = ::mount("kzv-test", where.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallFileSystem() {
        if (m_mounted) {
            ::umount(m_where.c_str());
        }
    }
    bool Mounted() const { return m_mounted; }
    bool MakeReadOnly() {
        return ::mount("kzv-test", m_where.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    fs::path m_where;
    bool m_mounted = false;
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

    if (::geteuid() != 0) {
        // A folder without write permission (root would write into it regardless).
        fs::create_directory(dir.Path() / "ro");
        const std::string kept = dir.Write("ro/output.csv", "old");
        fs::permissions(dir.Path() / "ro", fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(WriteCsvFile(list.Rows(), kept), CExportResult::WriteFailed);
        EXPECT_EQ(ReadFileBytes(kept), "old");
        fs::permissions(dir.Path() / "ro", fs::perms::owner_all);
        GTEST_SKIP() << "a full file system needs root to mount a small tmpfs";
    }
    SmallFileSystem small(dir.Path() / "small");
    if (!small.Mounted()) {
        GTEST_SKIP() << "cannot mount a tmpfs here";
    }
    const std::string kept = dir.Write("small/output.csv", "old");
    {
        std::ofstream filler(dir.Path() / "small" / "filler", std::ios::binary);
        const std::string block(4096, 'x');
        for (int i = 0; i < 64 && filler.write(block.data(), block.size()); ++i) {
            filler.flush();
        }
    }
    std::string error;
    EXPECT_EQ(WriteCsvFile(list.Rows(), kept, &error), CExportResult::WriteFailed);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadFileBytes(kept), "old");
    EXPECT_EQ(CountEntries(dir.Path() / "small"), 2);

    fs::remove(dir.Path() / "small" / "filler");
    ASSERT_TRUE(small.MakeReadOnly());
    CViewState state;
    vltest::SetUpTaps(state, {CVector4(1, 0, 0)});
    EXPECT_EQ(WriteTolvexFile(list.Rows(), state, 0, kept), CExportResult::WriteFailed);
    EXPECT_EQ(ReadFileBytes(kept), "old");
}

}  // namespace
