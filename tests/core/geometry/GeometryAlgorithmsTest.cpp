#include <gtest/gtest.h>

#include <cmath>

#include "geometry/GeometryAlgorithms.h"
#include "geometry/TransformMatrix.h"
#include "geometry/VectorFunctions.h"

namespace {

void ExpectNear(const CVector4& v, float x, float y, float z, float tol = 1e-5f) {
    EXPECT_NEAR(v.x, x, tol);
    EXPECT_NEAR(v.y, y, tol);
    EXPECT_NEAR(v.z, z, tol);
}

void ExpectMatrixNear(const CTransformMatrix& a, const CTransformMatrix& b, float tol) {
    for (int i = 0; i < 16; ++i) {
        EXPECT_NEAR(a.m[i], b.m[i], tol) << "element " << i;
    }
}

TEST(TransformMatrixTest, RotationsAreRightHandedAndPreMultiplyAppliesLast) {
    const double quarter = GEOMETRY_PI * 0.5;
    CTransformMatrix r;
    r.SetRotation(0, quarter);  // about X: y toward z
    ExpectNear(TransformPoint(r, CVector4(0, 1, 0)), 0, 0, 1);
    r.SetRotation(1, quarter);  // about Y: z toward x
    ExpectNear(TransformPoint(r, CVector4(0, 0, 1)), 1, 0, 0);
    r.SetRotation(2, quarter);  // about Z: x toward y
    ExpectNear(TransformPoint(r, CVector4(1, 0, 0)), 0, 1, 0);
    r.SetRotation(3, quarter);
    ExpectMatrixNear(r, CTransformMatrix(), 0.0f);

    // Translate, then turn about Z: (1, 0, 0) -> (3, 0, 0) -> (0, 3, 0).
    CTransformMatrix m;
    m.SetTranslation(2, 0, 0);
    r.SetRotation(2, quarter);
    m.PreMultiply(r);
    ExpectNear(TransformPoint(m, CVector4(1, 0, 0, 5)), 0, 3, 0);
    EXPECT_EQ(TransformPoint(m, CVector4(1, 0, 0, 5)).w, 0.0f);
}

TEST(TransformMatrixTest, DeterminantAndInverse) {
    CTransformMatrix id;
    EXPECT_EQ(id.Determinant3(), 1.0f);
    ExpectMatrixNear(id.Inverse(), id, 0.0f);

    CTransformMatrix t, expected;
    t.SetTranslation(1, 2, 3);
    expected.SetTranslation(-1, -2, -3);
    ExpectMatrixNear(t.Inverse(), expected, 0.0f);

    // A general affine matrix (scale, turn, shift) times its inverse is the identity.
    CTransformMatrix m, r;
    m.SetIdentity();
    m.m[0] = 2.0f;
    m.m[5] = 0.5f;
    m.m[10] = 4.0f;
    EXPECT_FLOAT_EQ(m.Determinant3(), 4.0f);
    r.SetRotation(1, 0.7);
    m.PreMultiply(r);
    r.SetRotation(0, -1.1);
    m.PreMultiply(r);
    t.SetTranslation(5, -6, 7);
    m.PreMultiply(t);
    CTransformMatrix product = m;
    product.PreMultiply(m.Inverse());
    ExpectMatrixNear(product, id, 1e-5f);
    const CVector4 p(3, -2, 9);
    ExpectNear(TransformPoint(m.Inverse(), TransformPoint(m, p)), 3, -2, 9, 1e-4f);

    // Singular 3x3 block: returned unchanged.
    CTransformMatrix flat;
    flat.m[10] = 0.0f;
    flat.m[12] = 4.0f;
    EXPECT_EQ(flat.Determinant3(), 0.0f);
    ExpectMatrixNear(flat.Inverse(), flat, 0.0f);

    // Regular 3x3 block but a zero last row: no inverse exists, returned unchanged.
    CTransformMatrix open;
    open.m[15] = 0.0f;
    ExpectMatrixNear(open.Inverse(), open, 0.0f);
}

TEST(PlaneFrameTest, WorkedExamples) {
    const CTransformMatrix m =
        BuildPlaneFrame(CVector4(0, 0, 0), CVector4(1, 0, 0), CVector4(0, 0, 1));
    ExpectMatrixNear(m, CTransformMatrix(), 1e-9f);

    const CTransformMatrix f =
        BuildPlaneFrame(CVector4(5, 0, 0), CVector4(0, 1, 0), CVector4(1, 0, 0));
    ExpectNear(TransformPoint(f, CVector4(5, 0, 0)), 0, 0, 0);
    ExpectNear(TransformPoint(f, CVector4(5, 1, 0)), 1, 0, 0);
    ExpectNear(TransformPoint(f, CVector4(6, 0, 0)), 0, 0, 1);
}

TEST(PlaneFrameTest, ObliquePlaneLandsInXYPlane) {
    // Plane y + z = 2 through (1, 1, 1); the direction is its line of slope along x.
    const CTransformMatrix f =
        BuildPlaneFrame(CVector4(1, 1, 1), CVector4(1, 0, 0), CVector4(0, 1, 1));
    ExpectNear(TransformPoint(f, CVector4(4, 1, 1)), 3, 0, 0);
    const CVector4 q = TransformPoint(f, CVector4(1, 2, 0));
    EXPECT_NEAR(q.z, 0.0f, 1e-5f);
    EXPECT_NEAR(q.Distance(CVector4()), std::sqrt(2.0f), 1e-5f);
    ExpectNear(TransformPoint(f, CVector4(1, 2, 2)), 0, 0, std::sqrt(2.0f));
}

TEST(PredicateTest, PointOnSegment) {
    const CVector4 a(0, 0, 0), b(2, 0, 0);
    EXPECT_TRUE(IsPointOnSegment(CVector4(1, 0, 0), a, b));
    EXPECT_TRUE(IsPointOnSegment(a, a, b));
    EXPECT_TRUE(IsPointOnSegment(b, a, b));
    EXPECT_FALSE(IsPointOnSegment(CVector4(3, 0, 0), a, b));
    EXPECT_FALSE(IsPointOnSegment(CVector4(-1, 0, 0), a, b));
    EXPECT_FALSE(IsPointOnSegment(CVector4(1, 0.01f, 0), a, b));
}

TEST(PredicateTest, PointOnPolygonPlane) {
    const CVector4 square[4] = {{0, 0, 5}, {10, 0, 5}, {10, 10, 5}, {0, 10, 5}};
    EXPECT_TRUE(IsPointOnPolygonPlane(CVector4(3, 4, 5), square, 4));
    EXPECT_TRUE(IsPointOnPolygonPlane(CVector4(30, -4, 5), square, 4));  // plane, not polygon
    EXPECT_FALSE(IsPointOnPolygonPlane(CVector4(3, 4, 6), square, 4));
    // Every normal zero: p on the line of a degenerate polygon.
    const CVector4 line[3] = {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}};
    EXPECT_FALSE(IsPointOnPolygonPlane(CVector4(5, 0, 0), line, 3));
    EXPECT_FALSE(IsPointOnPolygonPlane(CVector4(3, 4, 5), square, 1));
    EXPECT_FALSE(IsPointOnPolygonPlane(CVector4(3, 4, 5), square, -4));
    EXPECT_FALSE(IsPointOnPolygonPlane(CVector4(3, 4, 5), nullptr, 4));
}

TEST(PredicateTest, PointInTriangle) {
    // A tilted triangle, so the test does not only work in the x-y plane.
    const CVector4 a(0, 0, 0), b(10, 0, 10), c(0, 10, 0);
    EXPECT_TRUE(IsPointInTriangle(a, a, b, c));
    EXPECT_TRUE(IsPointInTriangle(CVector4(5, 0, 5), a, b, c));  // edge midpoint
    EXPECT_TRUE(IsPointInTriangle(CVector4(5, 5, 5), a, b, c));  // on the edge b-c
    const CVector4 centroid = (a + b + c) / 3.0f;
    EXPECT_TRUE(IsPointInTriangle(centroid, a, b, c));
    EXPECT_FALSE(IsPointInTriangle(CVector4(5, -1, 5), a, b, c));  // outside a-b
    EXPECT_FALSE(IsPointInTriangle(CVector4(6, 6, 6), a, b, c));   // outside b-c, in plane
    EXPECT_FALSE(IsPointInTriangle(centroid + CVector4(0, 0, 1), a, b, c));  // off the plane
}

// A slope of 3 in 4 with corners given to tenths, as a pitched roof's taps are: points put on
// it and snapped to tenths miss its plane by up to 0.16 mm, and those near an edge or a corner
// used to be refused (the plane test compared the directions of thin triangles). A millimetre
// off the plane or outside an edge is off.
TEST(PredicateTest, PointsSnappedOntoASlopeLieOnIt) {
    const CVector4 a(-2175.2f, -4000, 6000), b(0, -4000, 6000), c(0, -3318.3f, 6511.3f);
    const CVector4 d(-2175.2f, -3318.3f, 6511.3f);
    const CVector4 quad[4] = {a, b, c, d};
    const CVector4 up(0, -0.6f, 0.8f);  // the slope's unit normal
    int tested = 0;
    for (double u : {0.0, 1e-4, 0.002, 0.3, 0.999, 1.0}) {
        for (double v : {0.0, 1e-4, 0.001, 0.5, 0.9999, 1.0}) {
            const CVector4 exact =
                a + (b - a) * static_cast<float>(u) + (d - a) * static_cast<float>(v);
            const CVector4 p(static_cast<float>(SnapToTenth(exact.x)),
                             static_cast<float>(SnapToTenth(exact.y)),
                             static_cast<float>(SnapToTenth(exact.z)));
            EXPECT_TRUE(IsPointInPolygon(p, quad, 4)) << u << " " << v;
            EXPECT_TRUE(IsPointOnPolygonPlane(p, quad, 4)) << u << " " << v;
            EXPECT_FALSE(IsPointInPolygon(p + up, quad, 4)) << u << " " << v;
            EXPECT_FALSE(IsPointOnPolygonPlane(p - up, quad, 4)) << u << " " << v;
            ++tested;
        }
    }
    EXPECT_EQ(tested, 36);
    // In the plane but a millimetre beyond the eave (a-b) or the far edge (c-d).
    EXPECT_FALSE(IsPointInPolygon(CVector4(-1000, -4000.8f, 5999.4f), quad, 4));
    EXPECT_FALSE(IsPointInPolygon(CVector4(-1000, -3317.5f, 6511.9f), quad, 4));
    EXPECT_TRUE(IsPointInPolygon(CVector4(-1000, -3318.3f, 6511.3f), quad, 4));
}

// Newell's normal does not depend on the corner the polygon starts at, and a panel whose
// first three corners lie on a line (a tap in the middle of its eave) still has one.
TEST(PredicateTest, PolygonNormalUsesEveryCorner) {
    const CVector4 roof[4] = {
        {0, -4000, 6000}, {1000, -4000, 6000}, {2000, -4000, 6000}, {1000, -2000, 7500}};
    for (int start = 0; start < 4; ++start) {
        const CVector4 turned[4] = {roof[start], roof[(start + 1) % 4], roof[(start + 2) % 4],
                                    roof[(start + 3) % 4]};
        CVector4 n = PolygonNormal(turned, 4);
        n.Normalize();
        ExpectNear(n, 0, -0.6f, 0.8f, 1e-6f);
    }
    EXPECT_TRUE(PolygonNormal(roof, 3) == CVector4());  // three corners on a line
    EXPECT_TRUE(PolygonNormal(roof, 2) == CVector4());
}

TEST(PredicateTest, PointInPolygonUsesTheFan) {
    const CVector4 quad[4] = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};
    EXPECT_TRUE(IsPointInPolygon(CVector4(8, 2, 0), quad, 4));  // first triangle
    EXPECT_TRUE(IsPointInPolygon(CVector4(2, 8, 0), quad, 4));  // second triangle
    EXPECT_FALSE(IsPointInPolygon(CVector4(12, 5, 0), quad, 4));
    EXPECT_TRUE(IsPointInPolygon(CVector4(2, 1, 0), quad, 3));
    EXPECT_FALSE(IsPointInPolygon(CVector4(2, 8, 0), quad, 3));
    EXPECT_FALSE(IsPointInPolygon(CVector4(0, 0, 0), quad, 2));
    EXPECT_FALSE(IsPointInPolygon(CVector4(0, 0, 0), quad, -1));
    EXPECT_FALSE(IsPointInPolygon(CVector4(0, 0, 0), nullptr, 4));

    // Concave pentagon with a notch from the top at (5, 4). The fan triangle (0, 2, 3) reaches
    // into the notch, so (6, 5.5) tests true although it lies outside; (5, 8) stays outside.
    const CVector4 penta[5] = {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {5, 4, 0}, {0, 10, 0}};
    EXPECT_TRUE(IsPointInPolygon(CVector4(8, 2, 0), penta, 5));
    EXPECT_TRUE(IsPointInPolygon(CVector4(1, 8, 0), penta, 5));
    EXPECT_TRUE(IsPointInPolygon(CVector4(6, 5.5f, 0), penta, 5));
    EXPECT_FALSE(IsPointInPolygon(CVector4(5, 8, 0), penta, 5));
}

TEST(PredicateTest, IntersectSegments) {
    const CVector4 p1(0, 0, 0), p2(2, 0, 0);
    CVector4 out(9, 9, 9);
    ASSERT_TRUE(IntersectSegments(p1, p2, CVector4(1, -1, 0), CVector4(1, 1, 0), out));
    ExpectNear(out, 1, 0, 0);
    EXPECT_FALSE(IntersectSegments(p1, p2, CVector4(3, -1, 0), CVector4(3, 1, 0), out));
    EXPECT_FALSE(IntersectSegments(p1, p2, CVector4(1, 1, 0), CVector4(1, 2, 0), out));
    EXPECT_FALSE(IntersectSegments(p1, p2, CVector4(0, 1, 0), CVector4(2, 1, 0), out));
    EXPECT_FALSE(IntersectSegments(p1, p2, CVector4(2, 1, 0), CVector4(0, 1, 0), out));

    // A crossing in the tilted plane x = 5.
    ASSERT_TRUE(IntersectSegments(CVector4(5, 0, 0), CVector4(5, 2, 2), CVector4(5, 0, 2),
                                  CVector4(5, 2, 0), out));
    ExpectNear(out, 5, 1, 1, 1e-4f);
    // The crossing point as the end of the second segment.
    ASSERT_TRUE(IntersectSegments(p1, p2, CVector4(1, 0, 0), CVector4(1, 3, 0), out));
    ExpectNear(out, 1, 0, 0);
    // Degenerate second segment on the first one's line: no crossing, no garbage.
    EXPECT_FALSE(IntersectSegments(p1, p2, CVector4(1, 0, 0), CVector4(1, 0, 0), out));
}

}  // namespace
