#include <gtest/gtest.h>

#include <cmath>

#include "Checks.h"
#include "geometry/Color.h"
#include "geometry/Vector4.h"
#include "geometry/VectorFunctions.h"

namespace {

TEST(Vector4, ConstructorsAndArithmeticLeaveOperandsAlone) {
    ExpectVec(CVector4(), 0, 0, 0, 0);
    ExpectVec(CVector4(1, 2, 3), 1, 2, 3, 0);
    const CVector4 a(1, 2, 3, 4);
    const CVector4 b(10, 20, 30, 40);
    ExpectVec(a + b, 11, 22, 33, 44);
    ExpectVec(b - a, 9, 18, 27, 36);
    ExpectVec(a * 2.0f, 2, 4, 6, 8);
    ExpectVec(b / 10.0f, 1, 2, 3, 4);
    ExpectVec(a, 1, 2, 3, 4);
    ExpectVec(b, 10, 20, 30, 40);
}

TEST(Vector4, EqualityUsesFloatEpsilonAndExactEpsilonIsNeither) {
    const CVector4 a(0, 0, 0, 0);
    const CVector4 half(0, VECTOR_EPSILON / 2, 0, 0);
    EXPECT_TRUE(a == half);
    EXPECT_FALSE(a != half);

    const CVector4 exact(0, 0, VECTOR_EPSILON, 0);  // differs by exactly 2^-23
    EXPECT_FALSE(a == exact);
    EXPECT_FALSE(a != exact);

    const CVector4 far(0, 0, 0, 1e-6f);  // w takes part
    EXPECT_FALSE(a == far);
    EXPECT_TRUE(a != far);
}

TEST(Vector4, SetOffsetDistanceNormalize) {
    CVector4 v(1, 2, 3, 9);
    v.Set(4, 5, 6);
    ExpectVec(v, 4, 5, 6, 9);
    v.Set(1, 1, 1, 1);
    v.Offset(1, 2, 3);
    ExpectVec(v, 2, 3, 4, 1);

    EXPECT_FLOAT_EQ(CVector4(0, 0, 0, 5).Distance(CVector4(3, 4, 0, 0)), 5.0f);

    CVector4 zero(0, 0, 0, 7);
    zero.Normalize();
    ExpectVec(zero, 0, 0, 0, 7);

    CVector4 n(3, 0, 4, 1);
    n.Normalize();
    ExpectVec(n, 0.6f, 0, 0.8f, 0.2f);
}

TEST(Vector4, NamedConstants) {
    ExpectVec(COLOR_GRAY, 0.5f, 0.5f, 0.5f, 0);
    ExpectVec(OPAQUE_CYAN, 0, 1, 1, 1);
    ExpectVec(CLEAR_MAGENTA, 1, 0, 1, 0);
    ExpectVec(AXIS_Y, 0, 1, 0, 0);
    EXPECT_TRUE(AXIS_X_COLOR == COLOR_RED);
    EXPECT_TRUE(AXIS_Y_COLOR == COLOR_BLUE);
    EXPECT_TRUE(AXIS_Z_COLOR == COLOR_GREEN);
    EXPECT_TRUE(MARK_COLOR == COLOR_MAGENTA);
}

TEST(Color, PackedValuesTruncateAndComeBackWithZeroAlpha) {
    const COLORREF c = VectorToColorRef(CVector4(1, 0.5f, 0, 0.7f));
    EXPECT_EQ(RedOf(c), 255u);
    EXPECT_EQ(GreenOf(c), 127u);
    EXPECT_EQ(BlueOf(c), 0u);
    EXPECT_EQ(c >> 24, 0u);
    EXPECT_EQ(RedOf(VectorToColorRef(CVector4(0.999f, 0, 0))), 254u);

    const CVector4 back = ColorRefToVector(c);
    EXPECT_FLOAT_EQ(back.x, 1.0f);
    EXPECT_FLOAT_EQ(back.y, static_cast<float>(127 * 0.00392156862745098));
    EXPECT_FLOAT_EQ(back.z, 0.0f);
    EXPECT_FLOAT_EQ(back.w, 0.0f);
    // Truncation means a round trip can lose one step but never gains one.
    for (unsigned v = 0; v < 256; ++v) {
        const unsigned r = RedOf(VectorToColorRef(ColorRefToVector(MakeColorRef(v, 0, 0))));
        EXPECT_TRUE(r == v || r + 1 == v) << v;
    }
    EXPECT_EQ(RedOf(VectorToColorRef(ColorRefToVector(MakeColorRef(255, 0, 0)))), 255u);
}

TEST(Color, OutOfRangeComponentsWrapToLowByteWithoutOverflow) {
    // floor(2 * 255) = 510 -> 510 & 0xFF = 254; floor(-1 * 255) = -255 -> 0x01.
    EXPECT_EQ(RedOf(VectorToColorRef(CVector4(2.0f, 0, 0))), 254u);
    EXPECT_EQ(RedOf(VectorToColorRef(CVector4(-1.0f, 0, 0))), 1u);
    // Far beyond the int range, and not finite: no undefined conversion, some byte results.
    (void)VectorToColorRef(CVector4(1e30f, -1e30f, INFINITY));
    EXPECT_EQ(VectorToColorRef(CVector4(NAN, 0, 0)), 0u);
}

TEST(VectorFunctions, DegToRadUsesElevenDecimalPi) {
    EXPECT_NEAR(DegToRad(180.0), 3.14159265359, 1e-15);
    EXPECT_EQ(DegToRad(90.0), 90.0 * 3.14159265359 * 0.005555555555555556);
    EXPECT_GT(std::fabs(DegToRad(180.0) - M_PI), 1e-13);
}

TEST(VectorFunctions, SnapToTenthCutsWithTolerance) {
    EXPECT_DOUBLE_EQ(SnapToTenth(1.29), 1.3);
    EXPECT_DOUBLE_EQ(SnapToTenth(1.289), 1.2);
    EXPECT_DOUBLE_EQ(SnapToTenth(1.25), 1.2);
    EXPECT_DOUBLE_EQ(SnapToTenth(-1.29), -1.3);
    EXPECT_DOUBLE_EQ(SnapToTenth(9.99999), 10.0);
    EXPECT_DOUBLE_EQ(SnapToTenth(-0.04), 0.0);
    EXPECT_DOUBLE_EQ(SnapToTenth(1.04), 1.0);
    EXPECT_DOUBLE_EQ(SnapToTenth(1.095), 1.1);
}

TEST(VectorFunctions, RotateAboutAxisTurnsTheRightPairAndSnaps) {
    const CVector4 o;
    const CVector4 a = RotateAboutAxis(PLANE_XY, DegToRad(90), o, CVector4(10, 0, 3, 0));
    ExpectVec(a, 0, 10, 3, 0);
    const CVector4 b = RotateAboutAxis(PLANE_YZ, DegToRad(90), o, CVector4(0, 10, 0, 0));
    ExpectVec(b, 0, 0, 10, 0);
    const CVector4 c = RotateAboutAxis(PLANE_ZX, DegToRad(90), o, CVector4(0, 7, 10, 2));
    ExpectVec(c, 10, 7, 0, 2);  // z toward x; y and w copied
    // About a centre off the origin.
    const CVector4 d =
        RotateAboutAxis(PLANE_XY, DegToRad(180), CVector4(5, 5, 0), CVector4(6, 5, 1));
    ExpectVec(d, 4, 5, 1, 0);
    // Tiny angle still snaps: 1.25 -> 1.2.
    ExpectVec(RotateAboutAxis(PLANE_XY, 0.000001, o, CVector4(1.25f, 0, 0)), 1.2f, 0, 0, 0);
}

TEST(VectorFunctions, PolarAngleQuadrants) {
    EXPECT_DOUBLE_EQ(PolarAngle(1, 0), 0.0);
    EXPECT_DOUBLE_EQ(PolarAngle(0, 1), std::acos(0.0));
    EXPECT_DOUBLE_EQ(PolarAngle(-1, 0), 3.14159265359);
    EXPECT_DOUBLE_EQ(PolarAngle(0, -1), 6.28318530718 - std::acos(0.0));
    EXPECT_NEAR(PolarAngle(-1, -1), 3.14159265359 + M_PI / 4, 1e-12);
    EXPECT_NEAR(PolarAngle(1, -1), 6.28318530718 - M_PI / 4, 1e-12);
    EXPECT_NEAR(PolarAngle(-2, 1), 3.14159265359 - std::asin(1 / std::sqrt(5.0)), 1e-12);
    EXPECT_NEAR(PolarAngle(1, 3), std::acos(1 / std::sqrt(10.0)), 1e-12);
}

TEST(VectorFunctions, TriangleNormalAndDot) {
    const CVector4 n = TriangleNormal(CVector4(1, 1, 1), CVector4(3, 1, 1), CVector4(1, 4, 1, 5));
    ExpectVec(n, 0, 0, 6, 0);
    EXPECT_FLOAT_EQ(DotProduct(CVector4(1, 2, 3, 100), CVector4(4, 5, 6, 100)), 32.0f);
}

}  // namespace
