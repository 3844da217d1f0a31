#include <gtest/gtest.h>

#include "TempDir.h"
#include "dataset/CpFile.h"

namespace {

class CpFileTest : public ::testing::Test {
protected:
    bool Read(const std::string& text) { return cp.Read(dir.Write("cp.dat", text).c_str()); }
    TempDir dir;
    CCpFile cp;
};

TEST_F(CpFileTest, ReadsRecordsCommentsAndEndMarkerWithEitherLineEnd) {
    const std::string text =
        "CP_FILE,1\n8\n"
        "# comment between header and records\n"
        "101,0.1,0.2,0.3,0.4,0.5,0.6,0.7,0.8\n"
        "#102,9,9,9,9,9,9,9,9\n"
        "102, -1.5e-1, 2,3,4,5,6,7,8,99,100\n"
        "EOF\n"
        "103,1,1,1,1,1,1,1,1\n";
    for (const std::string& variant : {text, WithCrLf(text)}) {
        ASSERT_TRUE(Read(variant));
        EXPECT_EQ(cp.m_nDirectionCount, 8);
        ASSERT_EQ(cp.m_aTapNo, (std::vector<int32_t>{101, 102}));
        ASSERT_EQ(cp.m_aCp.size(), 16u);  // extra values on 102 dropped
        EXPECT_DOUBLE_EQ(cp.GetCp(101, 7), 0.8);
        EXPECT_DOUBLE_EQ(cp.GetCp(102, 0), -0.15);
        EXPECT_DOUBLE_EQ(cp.GetCp(102, 7), 8.0);
        EXPECT_EQ(cp.GetCp(103, 0), NO_VALUE);  // after the end marker
    }
}

TEST_F(CpFileTest, LookupIsByTapNumberAndFirstRecordWins) {
    std::string text = "CP_FILE,1\n16\n";
    auto record = [](int tap, double base) {
        std::string line = std::to_string(tap);
        for (int d = 0; d < 16; ++d) {
            line += "," + std::to_string(base + d);
        }
        return line + "\n";
    };
    text += record(5, 100) + record(9, 200) + record(5, 300) + "EOF\n";
    ASSERT_TRUE(Read(text));
    EXPECT_DOUBLE_EQ(cp.GetCp(9, 3), 203.0);  // element 1 * 16 + 3
    EXPECT_DOUBLE_EQ(cp.m_aCp[1 * 16 + 3], 203.0);
    EXPECT_DOUBLE_EQ(cp.GetCp(5, 15), 115.0);  // first record of 5, not the third
    EXPECT_EQ(cp.GetCp(7, 0), NO_VALUE);
    EXPECT_EQ(cp.GetCp(9, 16), NO_VALUE);  // direction out of range never reads past
    EXPECT_EQ(cp.GetCp(9, -1), NO_VALUE);
}

TEST_F(CpFileTest, HeaderRulesAndDirectionCountAfterRejection) {
    EXPECT_TRUE(Read("CP_FILE,0\n16\nEOF\n"));
    EXPECT_EQ(cp.m_nDirectionCount, 16);
    EXPECT_TRUE(cp.m_aTapNo.empty());
    EXPECT_EQ(cp.GetCp(1, 0), NO_VALUE);

    const char* rejected[] = {
        "cp_file,1\n8\nEOF\n",   // tag is case-sensitive
        "CP_FILE,2\n8\nEOF\n",   // newer version
        "CP_FILE,x\n8\nEOF\n",   // version not a number
        "CP_FILEX,1\n8\nEOF\n",  // tag longer
        "CP_FILE\n8\nEOF\n",     // no comma
        "CP_FILE,1\n12\nEOF\n",  // not a multiple of 8
        "CP_FILE,1\n0\nEOF\n",   // zero
        "CP_FILE,1\n-8\nEOF\n",  // negative
        "CP_FILE,1\nEOF\n",      // no count
        "CP_FILE,1\n",           // ends after the tag line
        "",                      // empty file
    };
    for (const char* text : rejected) {
        cp.m_aTapNo = {1};
        cp.m_aCp.assign(16, 0.0);
        EXPECT_FALSE(Read(text)) << text;
        EXPECT_TRUE(cp.m_aTapNo.empty()) << text;
        EXPECT_TRUE(cp.m_aCp.empty()) << text;
        EXPECT_EQ(cp.m_nDirectionCount, 16) << text;  // the previous accepted count stays
        EXPECT_EQ(cp.GetCp(1, 0), NO_VALUE) << text;
    }
    EXPECT_FALSE(cp.Read((dir.Path() / "missing.dat").c_str()));
    EXPECT_FALSE(cp.Read(nullptr));
}

TEST(CpFileDefaults, DirectionCountIsUsableBeforeAnyFile) {
    CCpFile cp;
    EXPECT_EQ(cp.m_nDirectionCount, 8);
    EXPECT_EQ(cp.GetCp(1, 0), NO_VALUE);
}

TEST_F(CpFileTest, MalformedLinesAreSkippedAndTheTableStaysAligned) {
    const std::string text =
        "CP_FILE,1\n8\n"
        "\n"                             // empty
        "tap,1,2,3,4,5,6,7,8\n"          // no tap number
        "201,1,2,3\n"                    // too few values
        "202,1,2,3,4,x,6,7,8\n"          // text among values
        "203,1,2,3,4,5,6,7,inf\n"        // not a finite number
        "204,1,2,3,4,5,6,7,1e999\n"      // out of range
        "99999999999,1,2,3,4,5,6,7,8\n"  // tap number beyond 32 bits
        "EOF \n"                         // not exactly the marker
        "205,+1,2,3,4,5,6,7,8\n"         // explicit sign is fine
        "206;1;2;3;4;5;6;7;8\n";         // any single separator; no end marker
    ASSERT_TRUE(Read(text));
    EXPECT_EQ(cp.m_aTapNo, (std::vector<int32_t>{205, 206}));
    EXPECT_EQ(cp.m_aCp.size(), cp.m_aTapNo.size() * 8);
    EXPECT_DOUBLE_EQ(cp.GetCp(205, 0), 1.0);
    EXPECT_DOUBLE_EQ(cp.GetCp(206, 7), 8.0);
    EXPECT_EQ(cp.GetCp(201, 0), NO_VALUE);
}

TEST_F(CpFileTest, LongLinesAreOneRecordAndHugeCountsAllocateNothingUpFront) {
    // A 32-direction record padded far beyond 511 characters is still one record.
    std::string line = "7";
    for (int d = 0; d < 32; ++d) {
        line += ",      " + std::string(20, ' ') + std::to_string(d) + ".000000000000";
    }
    ASSERT_GT(line.size(), 511u);
    ASSERT_TRUE(Read("CP_FILE,1\n32\n" + line + "\n8,0,0\nEOF\n"));
    EXPECT_EQ(cp.m_aTapNo, (std::vector<int32_t>{7}));
    EXPECT_DOUBLE_EQ(cp.GetCp(7, 31), 31.0);

    // A count near the int limit is refused before anything is reserved.
    EXPECT_FALSE(Read("CP_FILE,1\n2147483640\n1,2,3\nEOF\n"));
    EXPECT_EQ(cp.m_nDirectionCount, 32);
    EXPECT_TRUE(cp.m_aTapNo.empty());
    EXPECT_EQ(cp.GetCp(1, 0), NO_VALUE);

    // A 10 MB line of junk without a line end.
    ASSERT_TRUE(Read("CP_FILE,1\n8\n" + std::string(10u << 20, '9')));
    EXPECT_TRUE(cp.m_aTapNo.empty());
}

TEST_F(CpFileTest, CopiesAnswerLikeTheOriginal) {
    ASSERT_TRUE(Read("CP_FILE,1\n8\n3,1,2,3,4,5,6,7,8\nEOF\n"));
    CCpFile copy;
    copy = cp;
    cp.Read((dir.Path() / "missing").c_str());
    EXPECT_DOUBLE_EQ(copy.GetCp(3, 4), 5.0);
    EXPECT_EQ(cp.GetCp(3, 4), NO_VALUE);
}

}  // namespace
