#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "TempDir.h"
#include "dataset/ValueTables.h"

namespace {

// A table file of n directions: one record per tap, value base + tap / 1000 + d / 10 with
// four decimals, as measured tables are written.
std::string Table(int n, const std::vector<int32_t>& taps, double base, const char* extra = "") {
    std::string text = "CP_FILE,1\n" + std::to_string(n) + "\n# comment line\n";
    for (int32_t tap : taps) {
        text += std::to_string(tap);
        for (int d = 0; d < n; ++d) {
            char v[32];
            std::snprintf(v, sizeof v, ",%.4f", base + tap / 1000.0 + d / 10.0);
            text += v;
        }
        text += "\n";
    }
    return text + extra + "EOF\n";
}

std::string ReasonOf(const std::vector<CRefusedTable>& refused, EValueQuantity q) {
    for (const CRefusedTable& r : refused) {
        if (r.quantity == q) {
            return r.reason;
        }
    }
    return std::string();
}

// Every extra table goes through the reader of "cp.dat" and its checks: a wrong direction
// count, a bad line, a missing end marker or a file that cannot be opened refuse that table
// alone, with a reason naming the file; the others load, aligned with the mean by tap number.
TEST(ValueTables, ReadsEachTableLikeCpDatAndRefusesTheBadOnesAlone) {
    TempDir dir;
    const std::vector<int32_t> taps = {101, 102, 103, 201};
    dir.Write("cp.dat", Table(8, taps, -0.5));
    dir.Write("cpmax.dat", Table(8, taps, 1.0));
    dir.Write("cpmin.dat", Table(16, taps, -2.0));                     // 16 directions
    dir.Write("cprms.dat", Table(8, taps, 0.1, "104,0.1,0.2,abc\n"));  // a bad line
    // Another order, tap 102 missing, tap 999 not in cp.dat: looked up by tap number.
    dir.Write("cppeakmax.dat", Table(8, {201, 999, 103, 101}, 2.0));
    std::filesystem::create_directory(dir.Path() / "cppeakmin.dat");  // present, not a file

    CCpFile mean;
    ASSERT_TRUE(mean.Read((dir.Path() / "cp.dat").c_str()));
    CValueTables tables;
    std::vector<CRefusedTable> refused;
    tables.Read(dir.Path().string(), mean, &refused);

    EXPECT_TRUE(tables.Has(EValueQuantity::Mean));
    EXPECT_TRUE(tables.Has(EValueQuantity::Max));
    EXPECT_TRUE(tables.Has(EValueQuantity::PeakMax));
    for (EValueQuantity q : {EValueQuantity::Min, EValueQuantity::Rms, EValueQuantity::PeakMin}) {
        EXPECT_FALSE(tables.Has(q));
        EXPECT_EQ(tables.Table(q, mean), nullptr);
        EXPECT_EQ(tables.ValueOfRecord(q, mean, 0, 0), NO_VALUE);
    }
    ASSERT_EQ(refused.size(), 3u);
    EXPECT_EQ(ReasonOf(refused, EValueQuantity::Min).rfind("cpmin.dat（最小）: ", 0), 0u);
    EXPECT_NE(ReasonOf(refused, EValueQuantity::Min).find("方位数 16 が cp.dat の方位数 8"),
              std::string::npos);
    EXPECT_NE(ReasonOf(refused, EValueQuantity::Rms).find("読めない行が 1 行"), std::string::npos);
    EXPECT_NE(ReasonOf(refused, EValueQuantity::PeakMin).find("通常のファイルではありません"),
              std::string::npos);
    for (const CRefusedTable& r : refused) {
        EXPECT_EQ(r.reason.find('\n'), std::string::npos) << r.reason;
    }

    // Same order as cp.dat: record i is record i.
    EXPECT_DOUBLE_EQ(tables.ValueOfRecord(EValueQuantity::Max, mean, 2, 7), 1.0 + 0.103 + 0.7);
    EXPECT_DOUBLE_EQ(tables.ValueOfRecord(EValueQuantity::Mean, mean, 2, 7), -0.5 + 0.103 + 0.7);
    EXPECT_EQ(tables.ValueOfRecord(EValueQuantity::Max, mean, 2, 8), NO_VALUE);
    EXPECT_EQ(tables.ValueOfRecord(EValueQuantity::Max, mean, 4, 0), NO_VALUE);
    // Another order: aligned with the mean's records, the missing tap without a value.
    const CCpFile* peak = tables.Table(EValueQuantity::PeakMax, mean);
    ASSERT_NE(peak, nullptr);
    EXPECT_EQ(peak->m_aTapNo, mean.m_aTapNo);
    ASSERT_EQ(peak->m_aCp.size(), mean.m_aCp.size());
    EXPECT_DOUBLE_EQ(tables.ValueOfRecord(EValueQuantity::PeakMax, mean, 0, 3), 2.0 + 0.101 + 0.3);
    EXPECT_DOUBLE_EQ(tables.ValueOfTap(EValueQuantity::PeakMax, mean, 201, 0), 2.0 + 0.201);
    EXPECT_EQ(tables.ValueOfTap(EValueQuantity::PeakMax, mean, 102, 5), NO_VALUE);
    EXPECT_EQ(tables.ValueOfTap(EValueQuantity::PeakMax, mean, 999, 0), NO_VALUE);
    EXPECT_EQ(tables.MissingTaps(EValueQuantity::PeakMax), 1u);
    EXPECT_EQ(tables.LeftOutRecords(EValueQuantity::PeakMax), 1u);
    EXPECT_EQ(tables.MissingTaps(EValueQuantity::Max), 0u);

    // A folder with none of them, read again into the same object: only the mean remains.
    TempDir plain;
    plain.Write("cp.dat", Table(8, taps, -0.5));
    refused.clear();
    tables.Read(plain.Path().string() + "/", mean, &refused);
    EXPECT_TRUE(refused.empty());
    EXPECT_FALSE(tables.Has(EValueQuantity::Max));
    EXPECT_FALSE(tables.Has(EValueQuantity::PeakMax));
}

// A table handed into the tables is moved: a copy would hold every value twice for a moment
// and cost as much as reading the file again. The moved table keeps its tap lookup.
TEST(ValueTables, ATableIsMovedNotCopied) {
    static_assert(
        std::is_nothrow_move_constructible_v<CCpFile> && std::is_nothrow_move_assignable_v<CCpFile>,
        "CCpFile must move");
    TempDir dir;
    dir.Write("cp.dat", Table(8, {101, 102, 205}, -1.25));
    CCpFile read;
    ASSERT_TRUE(read.Read((dir.Path() / "cp.dat").c_str()));
    const double* values = read.m_aCp.data();
    CCpFile moved = std::move(read);
    EXPECT_EQ(moved.m_aCp.data(), values);
    EXPECT_EQ(moved.FindRecord(205), 2);
    EXPECT_DOUBLE_EQ(moved.GetCp(205, 7), -1.25 + 0.205 + 0.7);
}

// A table without its end marker or with too few values on a line is as incomplete as a
// cp.dat would be: refused, not shown with holes.
TEST(ValueTables, IncompleteTablesAreRefused) {
    TempDir dir;
    dir.Write("cp.dat", Table(8, {1, 2}, 0.0));
    CCpFile mean;
    ASSERT_TRUE(mean.Read((dir.Path() / "cp.dat").c_str()));
    const struct {
        const char* text;
        const char* reason;
    } cases[] = {
        {"CP_FILE,1\n8\n1,1,1,1,1,1,1,1,1\n2,1,1,1,1,1,1,1,1\n", "「EOF」"},
        {"CP_FILE,1\n8\n1,1,1,1,1,1,1,1,1\n2,1,1,1\nEOF\n", "読めない行が 1 行"},
        {"CP_FILE,1\n8\n1,1,1,1,1,1,1,1,1\n2,1,1,1,1,1,1,1,1e9\nEOF\n", "使えない数値"},
        {"CP_FILE,2\n8\nEOF\n", "読み込めません。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        dir.Write("cprms.dat", c.text);
        CValueTables tables;
        std::vector<CRefusedTable> refused;
        tables.Read(dir.Path().string(), mean, &refused);
        EXPECT_FALSE(tables.Has(EValueQuantity::Rms));
        ASSERT_EQ(refused.size(), 1u);
        EXPECT_EQ(refused[0].quantity, EValueQuantity::Rms);
        EXPECT_NE(refused[0].reason.find(c.reason), std::string::npos) << refused[0].reason;
    }
}

}  // namespace
