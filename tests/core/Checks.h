#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>

#include "dataset/MeshFile.h"
#include "geometry/Vector4.h"

// Each of v's four parts equals the expected one to within four units in the last place.
inline void ExpectVec(const CVector4& v, float x, float y, float z, float w = 0.0f) {
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, z);
    EXPECT_FLOAT_EQ(v.w, w);
}

// The mesh tables line up: a corner count for every panel, each 3 or 4, and as many corners
// as they add up to. Stops at once when the panel tables differ in length; call it through
// ASSERT_NO_FATAL_FAILURE to stop the caller too.
inline void ExpectMeshAligned(const CMeshFile& mesh) {
    ASSERT_EQ(mesh.m_aPanelNo.size(), mesh.m_aNodeCount.size());
    size_t corners = 0;
    for (int32_t n : mesh.m_aNodeCount) {
        EXPECT_TRUE(n == 3 || n == 4);
        corners += static_cast<size_t>(n);
    }
    EXPECT_EQ(corners, mesh.m_aNodeTapNo.size());
}
