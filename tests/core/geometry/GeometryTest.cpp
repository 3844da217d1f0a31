#include <gtest/gtest.h>

#include "TempDir.h"
#include "dataset/Geometry.h"
#include "dataset/LineReader.h"
#include "geometry/VectorFunctions.h"

namespace {

void ExpectCorner(const CVector4& v, float x, float y, float z) {
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, z);
    EXPECT_EQ(v.w, 0.0f);
}

class GeometryTest : public ::testing::Test {
protected:
    bool Load(const std::string& text) { return geo.Load(dir.Write("main.geo", text).c_str()); }
    TempDir dir;
    CGeometry geo;
};

const char* const kTower =
    "GEOMETRY_FILE,1\n"
    "0,0\n"
    "1\n"
    "TOWER\n"
    "1\n"
    "4\n"
    "0,0,0\n"
    "10,0,0\n"
    "10,0,30\n"
    "0,0,30\n";

TEST_F(GeometryTest, ReadsTheBoxFaceWithEitherLineEnd) {
    for (const std::string& text : {std::string(kTower), WithCrLf(kTower)}) {
        ASSERT_TRUE(Load(text));
        ASSERT_EQ(geo.m_objects.size(), 1u);
        const CGeometryObject& obj = geo.m_objects[0];
        EXPECT_EQ(obj.m_strName, "TOWER");
        ASSERT_EQ(obj.m_faces.size(), 1u);
        const auto& v = obj.m_faces[0].m_vertices;
        ASSERT_EQ(v.size(), 4u);
        ExpectCorner(v[0], 0, 0, 0);
        ExpectCorner(v[1], 10, 0, 0);
        ExpectCorner(v[2], 10, 0, 30);
        ExpectCorner(v[3], 0, 0, 30);
        EXPECT_EQ(obj.m_color, CVector4(0.7f, 0.7f, 0.7f, 0.0f));
        EXPECT_EQ(obj.m_nDisplayMode, 1);
    }
}

TEST_F(GeometryTest, FirstLineDecidesAcceptance) {
    EXPECT_TRUE(Load("GEOMETRY_FILE,0\n1.5,-2\n0\n"));
    EXPECT_FLOAT_EQ(geo.m_vHeader.x, 1.5f);
    EXPECT_FLOAT_EQ(geo.m_vHeader.y, -2.0f);
    EXPECT_TRUE(geo.m_objects.empty());

    ASSERT_TRUE(Load(kTower));
    EXPECT_FALSE(Load("GEOMETRY_FILE,2\n7,7\n0\n"));
    EXPECT_TRUE(geo.m_objects.empty());  // emptied even though rejected
    EXPECT_EQ(geo.m_vHeader.x, 0.0f);    // header numbers of the last accepted file stay
    EXPECT_FALSE(Load("geometry_file,1\n0,0\n0\n"));
    EXPECT_FALSE(Load("GEOMETRY_FILE,one\n0,0\n0\n"));
    EXPECT_FALSE(Load("GEOMETRY_FILE\n0,0\n0\n"));
    EXPECT_FALSE(Load(""));
    EXPECT_FALSE(geo.Load((dir.Path() / "missing.geo").string().c_str()));
    EXPECT_FALSE(geo.Load(nullptr));
}

TEST_F(GeometryTest, NamesAndCornerSeparators) {
    const std::string name = "\x95\x5C\x96\xCA";  // CP932 bytes; 0x5C is a trail byte here
    ASSERT_TRUE(
        Load("GEOMETRY_FILE,1\n0,0\n2\n"
             "ROOF,extra\n1\n3\n1.5, 2,3\n1.5;2;3 rest\n  -1e1|2| 3 tail\n" +
             name + "\n0\n"));
    ASSERT_EQ(geo.m_objects.size(), 2u);
    EXPECT_EQ(geo.m_objects[0].m_strName, "ROOF");
    const auto& v = geo.m_objects[0].m_faces.at(0).m_vertices;
    ASSERT_EQ(v.size(), 3u);
    ExpectCorner(v[0], 1.5f, 2, 3);
    ExpectCorner(v[1], 1.5f, 2, 3);
    ExpectCorner(v[2], -10, 2, 3);
    EXPECT_EQ(geo.m_objects[1].m_strName, name);
    EXPECT_TRUE(geo.m_objects[1].m_faces.empty());

    // The name is cut at 511 characters; the rest of its line does not become the next item.
    ASSERT_TRUE(Load("GEOMETRY_FILE,1\n0,0\n1\n" + std::string(600, 'N') + "\n0\n"));
    ASSERT_EQ(geo.m_objects.size(), 1u);
    EXPECT_EQ(geo.m_objects[0].m_strName, std::string(511, 'N'));
}

TEST_F(GeometryTest, MalformedBodyKeepsWhatWasReadAndStillLoads) {
    const std::string head = "GEOMETRY_FILE,1\n3,4\n";

    // Object count not a number, negative, or missing: no objects.
    for (const char* count : {"many\n", "-1\n", ""}) {
        EXPECT_TRUE(Load(head + count + "A\n0\n"));
        EXPECT_TRUE(geo.m_objects.empty());
    }
    // An unreadable second line: zero header numbers and nothing read after it.
    EXPECT_TRUE(Load("GEOMETRY_FILE,1\n3;4\n1\nA\n0\n"));
    EXPECT_EQ(geo.m_vHeader, CVector4());
    EXPECT_TRUE(geo.m_objects.empty());

    // More objects counted than present: only the ones in the file.
    ASSERT_TRUE(Load(head + "5\nA\n0\nB\n0\n"));
    ASSERT_EQ(geo.m_objects.size(), 2u);
    EXPECT_EQ(geo.m_objects[1].m_strName, "B");

    // The file ends inside a face: the face keeps the corners read, reading stops there.
    ASSERT_TRUE(Load(head + "2\nA\n3\n4\n0,0,0\n1,0,0\n"));
    ASSERT_EQ(geo.m_objects.size(), 1u);
    ASSERT_EQ(geo.m_objects[0].m_faces.size(), 1u);
    EXPECT_EQ(geo.m_objects[0].m_faces[0].m_vertices.size(), 2u);

    // A corner that does not parse ends the read: the next object is not read either.
    ASSERT_TRUE(Load(head + "2\nA\n1\n3\n0,0,0\n1,,0\n2,0,0\nB\n0\n"));
    ASSERT_EQ(geo.m_objects.size(), 1u);
    EXPECT_EQ(geo.m_objects[0].m_faces.at(0).m_vertices.size(), 1u);

    // A face count that does not parse: the object keeps its name and no faces.
    ASSERT_TRUE(Load(head + "2\nA\n-3\nB\n0\n"));
    ASSERT_EQ(geo.m_objects.size(), 1u);
    EXPECT_EQ(geo.m_objects[0].m_strName, "A");
    EXPECT_TRUE(geo.m_objects[0].m_faces.empty());

    // A face count too large: the next object's name line is not a corner count.
    ASSERT_TRUE(Load(head + "2\nA\n2\n1\n5,5,5\nB\n0\n"));
    ASSERT_EQ(geo.m_objects.size(), 1u);
    EXPECT_EQ(geo.m_objects[0].m_faces.size(), 1u);
    EXPECT_EQ(geo.m_objects[0].m_color, CVector4(0.7f, 0.7f, 0.7f, 0.0f));
    EXPECT_FLOAT_EQ(geo.m_vHeader.y, 4.0f);
}

TEST_F(GeometryTest, HugeCountsAllocateOnlyWhatTheFileHolds) {
    const std::string head = "GEOMETRY_FILE,1\n0,0\n";
    ASSERT_TRUE(Load(head + "2000000000\nA\n2000000000\n2000000000\n1,2,3\n"));
    ASSERT_EQ(geo.m_objects.size(), 1u);
    ASSERT_EQ(geo.m_objects[0].m_faces.size(), 1u);
    ASSERT_EQ(geo.m_objects[0].m_faces[0].m_vertices.size(), 1u);
    EXPECT_LT(geo.m_objects.capacity(), 16u);
    EXPECT_LT(geo.m_objects[0].m_faces[0].m_vertices.capacity(), 16u);

    // Counts beyond int do not parse and end the read.
    ASSERT_TRUE(Load(head + "1\nA\n99999999999999999999\n"));
    ASSERT_EQ(geo.m_objects.size(), 1u);
    EXPECT_TRUE(geo.m_objects[0].m_faces.empty());
}

TEST_F(GeometryTest, ReadFaceAndReadObjectReportWhetherTheItemIsComplete) {
    kzv::CLineReader reader;
    ASSERT_TRUE(reader.Open(dir.Write("body", "2\n1,2,3\n4,5,6\n3\n7,8,9\n").c_str()));
    CGeometryFace face;
    face.m_vertices.resize(9);  // replaced, not appended to
    EXPECT_TRUE(CGeometry::ReadFace(reader, face));
    EXPECT_EQ(face.m_vertices.size(), 2u);
    EXPECT_FALSE(CGeometry::ReadFace(reader, face));
    ASSERT_EQ(face.m_vertices.size(), 1u);
    ExpectCorner(face.m_vertices[0], 7, 8, 9);

    ASSERT_TRUE(reader.Open(dir.Write("obj", "WALL,x\n1\n0\nNEXT\n").c_str()));
    CGeometryObject obj;
    EXPECT_TRUE(CGeometry::ReadObject(reader, obj));
    EXPECT_EQ(obj.m_strName, "WALL");
    EXPECT_EQ(obj.m_faces.size(), 1u);
    EXPECT_FALSE(CGeometry::ReadObject(reader, obj));
    EXPECT_EQ(obj.m_strName, "NEXT");
    EXPECT_TRUE(obj.m_faces.empty());
}

TEST_F(GeometryTest, SizeBoundsAndEmptyGeometry) {
    CVector4 lo(9, 9, 9, 7), hi(9, 9, 9, 8);
    geo.GetBounds(lo, hi);
    EXPECT_EQ(lo, CVector4(0, 0, 0, 7));
    EXPECT_EQ(hi, CVector4(0, 0, 0, 8));
    EXPECT_EQ(geo.GetSize(), CVector4());

    ASSERT_TRUE(Load("GEOMETRY_FILE,1\n0,0\n2\nA\n1\n2\n-5,1,0\n5,2,30\nB\n1\n1\n0,-3,10\n"));
    geo.GetBounds(lo, hi);
    EXPECT_EQ(lo, CVector4(-5, -3, 0, 7));  // w untouched
    EXPECT_EQ(hi, CVector4(5, 2, 30, 8));
    EXPECT_EQ(geo.GetSize(), CVector4(10, 5, 30, 0));
}

TEST_F(GeometryTest, RotateAboutZSnapsToTenths) {
    ASSERT_TRUE(Load("GEOMETRY_FILE,1\n0,0\n1\nA\n1\n2\n10,0,3\n1.25,0,0\n"));
    CGeometry turned = geo;
    turned.RotateAboutZ(DegToRad(90));
    const auto& v = turned.m_objects[0].m_faces[0].m_vertices;
    ExpectCorner(v[0], 0, 10, 3);
    turned = geo;
    turned.RotateAboutZ(0.000001);
    ExpectCorner(v[1], 1.2f, 0, 0);
}

TEST_F(GeometryTest, CopyAssignmentCarriesStylesAndReloadResetsThem) {
    ASSERT_TRUE(Load("GEOMETRY_FILE,1\n2,3\n1\nA\n1\n1\n1,2,3\n"));
    geo.m_objects[0].m_color = COLOR_RED;
    geo.m_objects[0].m_nDisplayMode = 0;
    CGeometry copy;
    copy = geo;
    EXPECT_EQ(copy.m_vHeader, CVector4(2, 3, 0, 0));
    ASSERT_EQ(copy.m_objects.size(), 1u);
    EXPECT_EQ(copy.m_objects[0].m_color, COLOR_RED);
    EXPECT_EQ(copy.m_objects[0].m_nDisplayMode, 0);
    EXPECT_EQ(copy.m_objects[0].m_faces[0].m_vertices[0], CVector4(1, 2, 3, 0));

    ASSERT_TRUE(geo.Load((dir.Path() / "main.geo").string().c_str()));
    EXPECT_EQ(geo.m_objects[0].m_color, CVector4(0.7f, 0.7f, 0.7f, 0.0f));
    EXPECT_EQ(geo.m_objects[0].m_nDisplayMode, 1);
}

}  // namespace
