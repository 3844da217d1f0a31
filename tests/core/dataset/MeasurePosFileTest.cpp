#include <gtest/gtest.h>

#include "Checks.h"
#include "TempDir.h"
#include "dataset/MeasurePosFile.h"
#include "geometry/VectorFunctions.h"

namespace {

class MeasurePosFileTest : public ::testing::Test {
protected:
    bool Read(const std::string& text) { return pos.Read(dir.Write("measure.pos", text).c_str()); }
    TempDir dir;
    CMeasurePosFile pos;
};

TEST_F(MeasurePosFileTest, ReadsRecordsInFileOrderWithEitherLineEnd) {
    const std::string text =
        "MEASUREPOS_FILE,1\n"
        "101,-1.5e1,2.25,3\n"
        "102, 4, 5, 6 trailing text\n"  // blanks before numbers and text after them are fine
        "101,7,8,9\n"                   // a repeated tap: both kept, the first answers
        "EOF\n"
        "103,0,0,0\n";
    for (const std::string& variant : {text, WithCrLf(text)}) {
        ASSERT_TRUE(Read(variant));
        ASSERT_EQ(pos.m_aTapNo, (std::vector<int32_t>{101, 102, 101}));
        ASSERT_EQ(pos.m_aPos.size(), 3u);
        ExpectVec(pos.GetPosition(101), -15, 2.25f, 3);
        ExpectVec(pos.GetPosition(102), 4, 5, 6);
        ExpectVec(pos.m_aPos[2], 7, 8, 9);
        ExpectVec(pos.GetPosition(103), 0, 0, 0);  // absent: the origin
    }
}

TEST_F(MeasurePosFileTest, HeaderRules) {
    EXPECT_TRUE(Read("MEASUREPOS_FILE,1\nEOF\n"));
    EXPECT_TRUE(pos.m_aTapNo.empty());
    EXPECT_TRUE(Read("MEASUREPOS_FILE,0\nEOF\n"));
    for (const char* text :
         {"MEASUREPOS_FILE,2\n1,1,1,1\nEOF\n", "measurepos_file,1\n1,1,1,1\nEOF\n",
          "MEASUREPOS_FILE,\n1,1,1,1\nEOF\n", "", "\n\n"}) {
        pos.m_aTapNo = {1};
        pos.m_aPos = {CVector4()};
        EXPECT_FALSE(Read(text)) << text;
        EXPECT_TRUE(pos.m_aTapNo.empty());
        EXPECT_TRUE(pos.m_aPos.empty());
    }
    EXPECT_FALSE(pos.Read((dir.Path() / "none").c_str()));
}

TEST_F(MeasurePosFileTest, LinesThatAreNotRecordsAreSkipped) {
    ASSERT_TRUE(
        Read("MEASUREPOS_FILE,1\n"
             "\n"
             "text\n"
             "1,2,3\n"       // three numbers
             "2 ,2,3,4\n"    // the comma must follow the number directly
             "3,1,nan,2\n"   // not a finite number
             "4,1e39,0,0\n"  // beyond single precision
             "5,1,2,3\n"));  // no end marker: stops at the end of the file
    EXPECT_EQ(pos.m_aTapNo, (std::vector<int32_t>{5}));
    EXPECT_EQ(pos.m_aPos.size(), pos.m_aTapNo.size());
}

TEST_F(MeasurePosFileTest, RotateAboutZTurnsAndSnapsToTenths) {
    ASSERT_TRUE(Read("MEASUREPOS_FILE,1\n1,1,0,2\n2,1.04,0,0\n3,1.095,0,0\nEOF\n"));
    CMeasurePosFile original;
    original = pos;
    pos.RotateAboutZ(DegToRad(90));
    ExpectVec(pos.GetPosition(1), 0, 1, 2);
    pos = original;
    pos.RotateAboutZ(0.0);
    ExpectVec(pos.GetPosition(2), 1.0f, 0, 0);
    ExpectVec(pos.GetPosition(3), 1.1f, 0, 0);
    ExpectVec(original.GetPosition(2), 1.04f, 0, 0);  // the copy was not touched
}

}  // namespace
