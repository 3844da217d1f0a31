#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "FieldFixture.h"
#include "dataset/DataSetLoad.h"
#include "dataset/PanelIndex.h"
#include "field/SurfaceValues.h"
#include "geometry/GeometryAlgorithms.h"
#include "state/ViewState.h"

namespace {

using fieldtest::SetUp;

// A triangle (values 0, 0, 3) and a unit quad in the z = 0 plane (values 1, 2, 3, 4), and a
// vertical quad in the plane y = 20.
class SurfaceValuesTest : public ::testing::Test {
protected:
    void SetUp() override {
        fieldtest::SetUp(state,
                         {{CVector4(-1, 0, 0), {0}},
                          {CVector4(1, 0, 0), {0}},
                          {CVector4(0, 2, 0), {3}},
                          {CVector4(10, 0, 0), {1, 10}},
                          {CVector4(12, 0, 0), {2, 20}},
                          {CVector4(12, 2, 0), {3, 30}},
                          {CVector4(10, 2, 0), {4, 40}},
                          {CVector4(100, 20, 0), {0}},
                          {CVector4(110, 20, 0), {0}},
                          {CVector4(110, 20, 10), {0}},
                          {CVector4(100, 20, 10), {0}},
                          {CVector4(0, 0, 0), {}}},
                         {{1, 2, 3}, {4, 5, 6, 7}, {8, 9, 10, 11}, {4, 5, 12}}, 2);
    }
    CViewState state;
};

TEST_F(SurfaceValuesTest, LinearOnTheTriangleByDefault) {
    EXPECT_EQ(state.m_settings.m_nValueMethod, VALUE_LINEAR);
    // The middle of the edge between the two corners of value 0; a quarter of the way up.
    EXPECT_DOUBLE_EQ(
        InterpolateAt(state.m_data, state.m_settings.m_nValueMethod, 0, CVector4(0, 0, 0), 0), 0.0);
    EXPECT_DOUBLE_EQ(
        InterpolateAt(state.m_data, state.m_settings.m_nValueMethod, 0, CVector4(0, 0.5f, 0), 0),
        0.75);
    // The quad's sub-triangle (P1, C, P0) near the edge P0-P1, at y = 0.1 of the centre's 1.
    EXPECT_DOUBLE_EQ(
        InterpolateAt(state.m_data, state.m_settings.m_nValueMethod, 1, CVector4(11, 0.1f, 0), 0),
        1.5 + 0.1f * 1.0);
    // Off the panel: the value at the nearest place of the triangle, never beyond its corners.
    EXPECT_DOUBLE_EQ(
        InterpolateAt(state.m_data, state.m_settings.m_nValueMethod, 0, CVector4(0, 3, 0), 0), 3.0);
    // A panel with a corner without value is blank in the picture: no value, but at its taps.
    EXPECT_EQ(
        InterpolateAt(state.m_data, state.m_settings.m_nValueMethod, 3, CVector4(11, 0.1f, 0), 0),
        NO_VALUE);
    EXPECT_EQ(
        InterpolateAt(state.m_data, state.m_settings.m_nValueMethod, 3, CVector4(10, 0, 0), 0),
        1.0);
    EXPECT_EQ(InterpolateAt(state.m_data, state.m_settings.m_nValueMethod, 3, CVector4(0, 0, 0), 0),
              NO_VALUE);
}

TEST_F(SurfaceValuesTest, InverseDistanceMeanOfTheTriangle) {
    state.m_settings.m_nValueMethod = VALUE_INVERSE_DISTANCE;
    // Distances 1, 1 and 2: 3 * (1 * 1) / (1 * 2 + 1 * (1 + 2)).
    EXPECT_DOUBLE_EQ(
        InterpolateAt(state.m_data, state.m_settings.m_nValueMethod, 0, CVector4(0, 0, 0), 0), 0.6);
    // A point on a corner answers that corner's value exactly.
    EXPECT_EQ(InterpolateAt(state.m_data, state.m_settings.m_nValueMethod, 0, CVector4(0, 2, 0), 0),
              3.0);
}

TEST_F(SurfaceValuesTest, QuadIsSplitAtItsCentre) {
    state.m_settings.m_nValueMethod = VALUE_INVERSE_DISTANCE;
    // The centre is a corner of every sub-triangle: the mean of the four values.
    EXPECT_DOUBLE_EQ(
        InterpolateAt(state.m_data, state.m_settings.m_nValueMethod, 1, CVector4(11, 1, 0), 0),
        2.5);
    EXPECT_DOUBLE_EQ(
        InterpolateAt(state.m_data, state.m_settings.m_nValueMethod, 1, CVector4(11, 1, 0), 1),
        25.0);
    EXPECT_EQ(
        InterpolateAt(state.m_data, state.m_settings.m_nValueMethod, 1, CVector4(12, 2, 0), 1),
        30.0);
    // Near edge P0-P1 (y = 0.1) the triangle (P1, C, P0) is used: corners 2, 2.5, 1.
    const CVector4 p(11, 0.1f, 0);
    const double d0 = p.Distance(CVector4(12, 0, 0)), d1 = p.Distance(CVector4(11, 1, 0)),
                 d2 = p.Distance(CVector4(10, 0, 0));
    EXPECT_DOUBLE_EQ(InterpolateAt(state.m_data, state.m_settings.m_nValueMethod, 1, p, 0),
                     (d1 * d2 * 2 + d0 * d2 * 2.5 + d0 * d1 * 1) / (d1 * d2 + d0 * (d1 + d2)));
    // A corner without a value enters with 990: the panel's value near it is large.
    EXPECT_GT(
        InterpolateAt(state.m_data, state.m_settings.m_nValueMethod, 3, CVector4(1, 0.1f, 0), 0),
        500.0);
}

TEST_F(SurfaceValuesTest, PanelsOutsideTheMeshHaveNoValue) {
    EXPECT_EQ(
        InterpolateAt(state.m_data, state.m_settings.m_nValueMethod, -1, CVector4(0, 0, 0), 0),
        NO_VALUE);
    EXPECT_EQ(InterpolateAt(state.m_data, state.m_settings.m_nValueMethod, 4, CVector4(0, 0, 0), 0),
              NO_VALUE);
    const CVector4 p(1.26f, 2.0f, 3.0f);
    EXPECT_EQ(ProjectOntoPanel(state.m_data, -1, p), p);

    std::vector<double> values{7, 7, 7, 7, 7};
    ComputeAllDirections(state.m_data, state.m_settings.m_nValueMethod, 1, CVector4(11, 1, 0),
                         values);
    EXPECT_EQ(values, (std::vector<double>{2.5, 25.0}));
    ComputeAllDirections(state.m_data, state.m_settings.m_nValueMethod, -1, CVector4(11, 1, 0),
                         values);
    EXPECT_EQ(values, (std::vector<double>{NO_VALUE, NO_VALUE}));
}

TEST_F(SurfaceValuesTest, ProjectionMovesOntoThePlaneAndSnapsToTenths) {
    CVector4 q = ProjectOntoPanel(state.m_data, 2, CVector4(105.06f, 20.0f, 7.449f));
    EXPECT_FLOAT_EQ(q.x, 105.0f);
    EXPECT_FLOAT_EQ(q.y, 20.0f);
    EXPECT_FLOAT_EQ(q.z, 7.4f);
    q = ProjectOntoPanel(state.m_data, 2, CVector4(102.391f, 20.0f, 3.0f));
    EXPECT_FLOAT_EQ(q.x, 102.4f);
    // A point in front of the face lands on it.
    q = ProjectOntoPanel(state.m_data, 2, CVector4(104.0f, 26.5f, 5.0f));
    EXPECT_FLOAT_EQ(q.x, 104.0f);
    EXPECT_FLOAT_EQ(q.y, 20.0f);
    EXPECT_FLOAT_EQ(q.z, 5.0f);
}

TEST_F(SurfaceValuesTest, ArbitraryPointsAreFoundByExactCoordinatesAndId) {
    state.m_selection.m_lstArbitrary.push_back(
        CArbitraryPoint{-1, CVector4(1.5f, 2.5f, 3.5f), 0, {0.1, 0.2}});
    state.m_selection.m_lstArbitrary.push_back(
        CArbitraryPoint{-2, CVector4(1.5f, 2.5f, 3.5f), 0, {9, 9}});
    EXPECT_EQ(GetArbitraryValue(state.m_selection, 1, 1.5, 2.5, 3.5), 0.2);
    EXPECT_EQ(GetArbitraryValue(state.m_selection, 1, 1.5 + 1e-3, 2.5, 3.5), NO_VALUE);
    EXPECT_EQ(GetArbitraryValue(state.m_selection, 2, 1.5, 2.5, 3.5),
              NO_VALUE);  // no such direction
    EXPECT_EQ(GetArbitraryValue(state.m_selection, -1, 1.5, 2.5, 3.5), NO_VALUE);
    ASSERT_NE(FindArbitraryPoint(state.m_selection, -2), nullptr);
    EXPECT_EQ(FindArbitraryPoint(state.m_selection, -2)->values[0], 9.0);
    EXPECT_EQ(FindArbitraryPoint(state.m_selection, -3), nullptr);
    state.m_selection.m_lstArbitrary.clear();
    EXPECT_EQ(GetArbitraryValue(state.m_selection, 0, 1.5, 2.5, 3.5), NO_VALUE);
}

// The first panel in mesh order that holds p, by testing every panel.
int LinearSearch(const CViewState& state, CVector4 p) {
    for (int i = 0; i < state.m_data.m_mesh.GetPanelCount(); ++i) {
        CVector4 corners[4];
        const int n = state.m_data.m_mesh.m_aNodeCount[static_cast<size_t>(i)];
        for (int k = 0; k < n && k < 4; ++k) {
            corners[k] = state.m_data.m_taps.GetPosition(state.m_data.m_mesh.GetNodeTapNo(i, k));
        }
        if (IsPointInPolygon(p, corners, n)) {
            return i;
        }
    }
    return -1;
}

// Points on and off the panels of a loaded sample: corners, edge midpoints, centres, random
// points on the panels and random points in the space around them.
std::vector<CVector4> ProbePoints(const CViewState& state, std::mt19937& rng) {
    std::vector<CVector4> points;
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    CVector4 lo(1e9f, 1e9f, 1e9f), hi(-1e9f, -1e9f, -1e9f);
    for (int i = 0; i < state.m_data.m_mesh.GetPanelCount(); ++i) {
        const int n = state.m_data.m_mesh.m_aNodeCount[static_cast<size_t>(i)];
        CVector4 c[4];
        for (int k = 0; k < n; ++k) {
            c[k] = state.m_data.m_taps.GetPosition(state.m_data.m_mesh.GetNodeTapNo(i, k));
            lo.Set(std::min(lo.x, c[k].x), std::min(lo.y, c[k].y), std::min(lo.z, c[k].z));
            hi.Set(std::max(hi.x, c[k].x), std::max(hi.y, c[k].y), std::max(hi.z, c[k].z));
        }
        points.push_back(c[0]);
        points.push_back((c[0] + c[1]) * 0.5f);
        points.push_back((c[0] + c[1] + c[2]) / 3.0f);
        float a = unit(rng), b = unit(rng);
        if (a + b > 1.0f) {
            a = 1.0f - a;
            b = 1.0f - b;
        }
        points.push_back(c[0] + (c[1] - c[0]) * a + (c[2] - c[0]) * b);
    }
    for (int i = 0; i < 500; ++i) {
        points.emplace_back(lo.x + (hi.x - lo.x) * unit(rng), lo.y + (hi.y - lo.y) * unit(rng),
                            lo.z + (hi.z - lo.z) * unit(rng));
    }
    return points;
}

TEST(PanelIndexTest, AgreesWithASearchOverEveryPanel) {
    std::mt19937 rng(7);
    for (const char* name : {"tower", "gable", "lshape"}) {
        const std::string folder = std::string(KZV_SAMPLES_DIR) + name + "/";
        CViewState state;
        CHeaderFile header;
        state.LoadDataSet(folder, header, 800, 600);
        ASSERT_GT(state.m_data.m_mesh.GetPanelCount(), 0) << name;
        for (double angle : {0.0, 30.0}) {
            state.SetBuildingAngle(angle);
            const CPanelIndex index(state.m_data);
            int found = 0;
            for (const CVector4& p : ProbePoints(state, rng)) {
                const int expected = LinearSearch(state, p);
                ASSERT_EQ(index.FindPanelContaining(p), expected)
                    << name << " angle " << angle << " at " << p.x << ", " << p.y << ", " << p.z;
                found += expected >= 0;
            }
            EXPECT_GT(found, state.m_data.m_mesh.GetPanelCount()) << name;
        }
    }
}

TEST(PanelIndexTest, EmptyMeshAndNonFinitePoints) {
    CViewState state;
    CPanelIndex empty(state.m_data);
    EXPECT_EQ(empty.FindPanelContaining(CVector4(0, 0, 0)), -1);

    fieldtest::SetUp(state,
                     {{CVector4(0, 0, 0), {0}}, {CVector4(1, 0, 0), {0}}, {CVector4(0, 1, 0), {0}}},
                     {{1, 2, 3}});
    const CPanelIndex index(state.m_data);
    EXPECT_EQ(index.FindPanelContaining(CVector4(0.2f, 0.2f, 0)), 0);
    EXPECT_EQ(index.FindPanelContaining(CVector4(NAN, 0.2f, 0)), -1);
    EXPECT_EQ(index.FindPanelContaining(CVector4(INFINITY, 0.2f, 0)), -1);
    EXPECT_EQ(index.FindPanelContaining(CVector4(0.2f, 0.2f, 0.5f)), -1);
}

}  // namespace
