#include <gtest/gtest.h>

#include "TempDir.h"
#include "dataset/HeaderFile.h"
#include "text/CodePage.h"

namespace {

// The nine fields in order, for whole-header comparisons.
std::vector<std::string> Fields(const CHeaderFile& h) {
    return {h.m_strTitle,     h.m_strAffiliation,  h.m_strMeasurer,
            h.m_strManager,   h.m_strSummary,      h.m_strBuildingShape,
            h.m_strRoofShape, h.m_strBuildingSize, h.m_strAdjacentCondition};
}

class HeaderFileTest : public ::testing::Test {
protected:
    bool Read(const std::string& text) { return header.Read(dir.Write("header", text).c_str()); }
    TempDir dir;
    CHeaderFile header;
};

// "風圧係数" and "表" in CP932; the trail byte of "表" is 0x5C, a backslash in ASCII.
const std::string kCpTitle = "\x95\x97\x88\xB3\x8C\x57\x90\x94\x95\x5C";

TEST_F(HeaderFileTest, ReadsJapaneseHeaderByteExactWithEitherLineEnd) {
    const std::string text = "HEADER_FILE,1\n" + kCpTitle +
                             "\nLab A\nSato\nSuzuki\n"
                             "line one\n\nline, three\nEND\n"
                             "box\nflat\n100x50x30\nnone\nignored\nEND\n";
    for (const std::string& variant : {text, WithCrLf(text)}) {
        header.Clear();
        ASSERT_TRUE(Read(variant));
        EXPECT_EQ(Fields(header), (std::vector<std::string>{kCpTitle, "Lab A", "Sato", "Suzuki",
                                                            "line one\r\n\r\nline, three", "box",
                                                            "flat", "100x50x30", "none"}));
        EXPECT_EQ(kzv::FileTextToUtf8(header.m_strTitle), "風圧係数表");
    }
}

TEST_F(HeaderFileTest, EmptySummaryAndVersions) {
    ASSERT_TRUE(Read("HEADER_FILE,0\nT\nA\nM\nG\nEND\nS\nR\nZ\nC\n"));
    EXPECT_EQ(Fields(header),
              (std::vector<std::string>{"T", "A", "M", "G", "", "S", "R", "Z", "C"}));
    // A single summary line keeps no line break.
    ASSERT_TRUE(Read("HEADER_FILE,1\nT\nA\nM\nG\nonly\nEND\nS\nR\nZ\nC\n"));
    EXPECT_EQ(header.m_strSummary, "only");
}

TEST_F(HeaderFileTest, RejectedFileLeavesFieldsAsTheyWere) {
    ASSERT_TRUE(Read("HEADER_FILE,1\nT\nA\nM\nG\nsum\nEND\nS\nR\nZ\nC\n"));
    const std::vector<std::string> before = Fields(header);
    EXPECT_FALSE(Read("HEADER_FILE,2\nX\nX\nX\nX\nEND\nX\nX\nX\nX\n"));
    EXPECT_FALSE(Read("header_file,1\nX\n"));
    EXPECT_FALSE(Read("HEADER_FILE,v1\nX\n"));
    EXPECT_FALSE(Read("HEADER_FILE 1\nX\n"));
    EXPECT_FALSE(Read(""));
    EXPECT_FALSE(header.Read((dir.Path() / "missing").string().c_str()));
    EXPECT_EQ(Fields(header), before);
}

TEST_F(HeaderFileTest, TruncatedFileCountsAsReadWithTheMissingFieldsEmpty) {
    const std::string full = "HEADER_FILE,1\nT\nA\nM\nG\nsum\nEND\nS\nR\nZ\nC\n";
    // Ends after the building shape: roof, size and adjacent conditions are empty, not left
    // over from the previous read.
    ASSERT_TRUE(Read(full));
    ASSERT_TRUE(Read("HEADER_FILE,1\nT2\nA2\nM2\nG2\nEND\nS2"));
    EXPECT_EQ(Fields(header),
              (std::vector<std::string>{"T2", "A2", "M2", "G2", "", "S2", "", "", ""}));

    // Ends without "END": the summary holds the lines up to the end of the file.
    ASSERT_TRUE(Read(full));
    ASSERT_TRUE(Read("HEADER_FILE,1\nT3\nA3\nM3\nG3\nfirst\nsecond\n"));
    EXPECT_EQ(Fields(header), (std::vector<std::string>{"T3", "A3", "M3", "G3", "first\r\nsecond",
                                                        "", "", "", ""}));

    // Only the first line: every field empty.
    ASSERT_TRUE(Read(full));
    ASSERT_TRUE(Read("HEADER_FILE,1\r\n"));
    EXPECT_EQ(Fields(header), std::vector<std::string>(9));
}

TEST_F(HeaderFileTest, ClearAndCopyFromActOnTheNineFields) {
    ASSERT_TRUE(Read("HEADER_FILE,1\nT\nA\nM\nG\nsum\nEND\nS\nR\nZ\nC\n"));
    CHeaderFile copy;
    copy.CopyFrom(header);
    EXPECT_EQ(Fields(copy), Fields(header));
    header.Clear();
    EXPECT_EQ(Fields(header), std::vector<std::string>(9));
    EXPECT_EQ(header.m_strTag, "HEADER_FILE");
    EXPECT_EQ(header.m_nVersion, 1);
}

}  // namespace
