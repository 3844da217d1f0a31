#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "geometry/Matrix4.h"

namespace {

bool IsIdentity(const CMatrix4& m) {
    for (int i = 0; i < 16; ++i) {
        if (m.m[i] != ((i % 5 == 0) ? 1.0f : 0.0f)) {
            return false;
        }
    }
    return true;
}

TEST(Matrix4, NewAndResetMatricesAreIdentity) {
    CMatrix4 m;
    EXPECT_TRUE(IsIdentity(m));
    m.m[3] = 7;
    m.SetIdentity();
    EXPECT_TRUE(IsIdentity(m));
}

TEST(Matrix4, DoublesRoundTripBitForBit) {
    CMatrix4 m;
    m.Rotate(CVector4(12.5f, -33.25f, 71.0f));
    double d[16];
    m.GetDoubles(d);
    CMatrix4 n;
    n.SetDoubles(d);
    EXPECT_EQ(std::memcmp(m.m, n.m, sizeof m.m), 0);
}

TEST(Matrix4, ZeroRotationLeavesMatrixUnchanged) {
    CMatrix4 m;
    m.Rotate(CVector4(30, 40, 50));
    const CMatrix4 before = m;
    m.Rotate(CVector4(0, 0, 0));
    EXPECT_EQ(std::memcmp(m.m, before.m, sizeof m.m), 0);
}

TEST(Matrix4, RotationsAboutAxesFollowTheRightHandRule) {
    CMatrix4 m;
    m.Rotate(CVector4(0, 0, 90));      // about Z: x goes to y
    EXPECT_NEAR(m.m[1], 1.0f, 1e-6f);  // column 0 row 1
    EXPECT_NEAR(m.m[4], -1.0f, 1e-6f);
    m.SetIdentity();
    m.Rotate(CVector4(90, 0, 0));  // about X: y goes to z
    EXPECT_NEAR(m.m[6], 1.0f, 1e-6f);
    m.SetIdentity();
    m.Rotate(CVector4(0, 90, 0));  // about Y: z goes to x
    EXPECT_NEAR(m.m[8], 1.0f, 1e-6f);
}

TEST(Matrix4, NewRotationGoesInFrontOfTheAccumulatedOne) {
    // Rotate(x=90) then Rotate(z=90): stored = Rz * Rx. Apply to the x unit vector: Rx leaves
    // it, Rz takes it to y. The other order would give y as well for x, so check z: Rx takes
    // z to -y, then Rz takes -y to x.
    CMatrix4 m;
    m.Rotate(CVector4(90, 0, 0));
    m.Rotate(CVector4(0, 0, 90));
    // Column 2 is the image of the z unit vector.
    EXPECT_NEAR(m.m[8], 1.0f, 1e-6f);
    EXPECT_NEAR(m.m[9], 0.0f, 1e-6f);
    EXPECT_NEAR(m.m[10], 0.0f, 1e-6f);
}

TEST(Matrix4, GivenAxesReplaceTheDefaultsAndGeneralAxisMatchesFormula) {
    const CVector4 axes[3] = {CVector4(0, 0, 1), CVector4(0, 1, 0), CVector4(1, 0, 0)};
    CMatrix4 a;
    a.Rotate(CVector4(90, 0, 0), axes);  // first angle about Z now
    EXPECT_NEAR(a.m[1], 1.0f, 1e-6f);

    float r[16];
    RotationMatrixf(120.0f, 1, 1, 1, r);  // cycles the axes: x -> y -> z -> x
    EXPECT_NEAR(r[1], 1.0f, 1e-6f);
    EXPECT_NEAR(r[6], 1.0f, 1e-6f);
    EXPECT_NEAR(r[8], 1.0f, 1e-6f);
    RotationMatrixf(45.0f, 0, 0, 0, r);  // no axis: identity
    CMatrix4 id;
    EXPECT_EQ(std::memcmp(r, id.m, sizeof r), 0);
}

}  // namespace
