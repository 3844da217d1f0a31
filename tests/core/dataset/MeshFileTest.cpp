#include <gtest/gtest.h>

#include "Checks.h"
#include "TempDir.h"
#include "dataset/MeshFile.h"

namespace {

class MeshFileTest : public ::testing::Test {
protected:
    bool Read(const std::string& text) { return mesh.Read(dir.Write("mesh.msh", text).c_str()); }

    // Every panel's corner count equals the corners appended for it, and no corner is tap 0.
    void ExpectConsistent() {
        ASSERT_NO_FATAL_FAILURE(ExpectMeshAligned(mesh));
        for (int32_t tap : mesh.m_aNodeTapNo) {
            EXPECT_NE(tap, 0);
        }
    }

    TempDir dir;
    CMeshFile mesh;
};

TEST_F(MeshFileTest, TrianglesAndQuadrilateralsWithEitherLineEnd) {
    const std::string text = "MESH_FILE,1\n7,101,102,103,0\n8,103,102,104,105\nEOF\n";
    for (const std::string& variant : {text, WithCrLf(text)}) {
        ASSERT_TRUE(Read(variant));
        ExpectConsistent();
        EXPECT_EQ(mesh.m_aPanelNo, (std::vector<int32_t>{7, 8}));
        EXPECT_EQ(mesh.m_aNodeCount, (std::vector<int32_t>{3, 4}));
        EXPECT_EQ(mesh.GetNodeOffset(1), 3u);
        EXPECT_EQ(mesh.GetNodeTapNo(0, 2), 103);
        EXPECT_EQ(mesh.GetNodeTapNo(1, 2), 104);
        EXPECT_EQ(mesh.GetNodeTapNo(1, 3), 105);
        // Out-of-range indices answer 0 (never a corner) instead of reading past the table.
        EXPECT_EQ(mesh.GetNodeTapNo(0, 3), 0);
        EXPECT_EQ(mesh.GetNodeTapNo(2, 0), 0);
        EXPECT_EQ(mesh.GetNodeTapNo(-1, 0), 0);
    }
}

TEST_F(MeshFileTest, EndsAtAnyLineStartingWithE) {
    ASSERT_TRUE(Read("MESH_FILE,1\nEOF\n"));
    EXPECT_EQ(mesh.GetPanelCount(), 0);
    ASSERT_TRUE(Read("MESH_FILE,0\n1,1,2,3,0\nEND\n2,1,2,3,0\n"));
    EXPECT_EQ(mesh.GetPanelCount(), 1);
    ASSERT_TRUE(Read("MESH_FILE,1\n1,1,2,3,0\n2,1,2,3,4"));  // no marker, no final line end
    EXPECT_EQ(mesh.GetPanelCount(), 2);
    ExpectConsistent();
}

TEST_F(MeshFileTest, HeaderRules) {
    for (const char* text :
         {"MESH_FILE,2\n1,1,2,3,0\nEOF\n", "Mesh_File,1\nEOF\n", "MESH_FILE;1\nEOF\n", ""}) {
        mesh.m_aPanelNo = {1};
        mesh.m_aNodeCount = {3};
        mesh.m_aNodeTapNo = {1, 2, 3};
        EXPECT_FALSE(Read(text)) << text;
        EXPECT_TRUE(mesh.m_aPanelNo.empty());
        EXPECT_TRUE(mesh.m_aNodeCount.empty());
        EXPECT_TRUE(mesh.m_aNodeTapNo.empty());
        EXPECT_EQ(mesh.GetNodeTapNo(0, 0), 0);
    }
}

TEST_F(MeshFileTest, BrokenRecordsStoreNothingAndKeepCountsEqualToCorners) {
    ASSERT_TRUE(
        Read("MESH_FILE,1\n"
             "1,11,12,13\n"    // triangle without its trailing 0: still a triangle
             "2,0,12,13,14\n"  // 0 among the first three corners
             "3,11,0,13,0\n"
             "4,11,12,0,14\n"
             "5,11,12\n"    // two corners
             "6\n"          // panel number only
             "x,1,2,3,4\n"  // text
             "\n"
             "  EOF\n"                // does not begin with E: not a record either
             "7,21,22,23,24,25,26\n"  // fields after the fourth are ignored
             "8;31;32;33;0\n"         // any single separator
             "EOF\n"));
    ExpectConsistent();
    EXPECT_EQ(mesh.m_aPanelNo, (std::vector<int32_t>{1, 7, 8}));
    EXPECT_EQ(mesh.m_aNodeCount, (std::vector<int32_t>{3, 4, 3}));
    EXPECT_EQ(mesh.m_aNodeTapNo, (std::vector<int32_t>{11, 12, 13, 21, 22, 23, 24, 31, 32, 33}));
    EXPECT_EQ(mesh.GetNodeTapNo(2, 0), 31);
}

TEST_F(MeshFileTest, CopiesKeepTheirOwnOffsets) {
    ASSERT_TRUE(Read("MESH_FILE,1\n1,1,2,3,4\n2,5,6,7,0\nEOF\n"));
    CMeshFile copy = mesh;
    ASSERT_TRUE(Read("MESH_FILE,1\n1,9,8,7,0\nEOF\n"));
    EXPECT_EQ(copy.GetNodeTapNo(1, 0), 5);
    EXPECT_EQ(mesh.GetNodeTapNo(0, 0), 9);
    EXPECT_EQ(mesh.GetNodeTapNo(1, 0), 0);
}

}  // namespace
