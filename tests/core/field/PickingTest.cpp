#include <gtest/gtest.h>

#include <cmath>

#include "FieldFixture.h"
#include "dataset/DataSetLoad.h"
#include "field/Picking.h"
#include "field/SurfaceValues.h"
#include "geometry/GeometryAlgorithms.h"
#include "geometry/VectorFunctions.h"
#include "state/SelectionSteps.h"
#include "state/ViewState.h"

namespace {

// A flat roof at z = 100 of four square panels (taps 1..9 on a 3 x 3 grid, 100 apart) and one
// wall panel at x = 0 below it; the main geometry has a face over the roof's left half.
class PickingTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<fieldtest::Tap> taps;
        for (int j = 0; j < 3; ++j) {
            for (int i = 0; i < 3; ++i) {
                taps.push_back({CVector4(100.0f * i, 100.0f * j, 100), {0.1 * (i + 3 * j), -1}});
            }
        }
        taps.push_back({CVector4(0, 0, 0), {0.5}});    // 10
        taps.push_back({CVector4(0, 200, 0), {0.5}});  // 11
        fieldtest::SetUp(
            state, taps,
            {{1, 2, 5, 4}, {2, 3, 6, 5}, {4, 5, 8, 7}, {5, 6, 9, 8}, {1, 4, 7, 11, 10}});
        CGeometryObject part;
        CGeometryFace left;
        left.m_vertices = {CVector4(0, 0, 100), CVector4(100, 0, 100), CVector4(100, 200, 100),
                           CVector4(0, 200, 100)};
        part.m_faces.push_back(left);
        state.m_data.m_geoMain.m_objects.push_back(part);
    }
    int Rows() const { return state.m_valueList.GetRowCount(); }
    CViewState state;
};

TEST_F(PickingTest, PicksAreUndoneStepByStepAndIdsAreReused) {
    SelectMeasurementPoint(state, 4);  // tap 5
    SelectMeasurementPoint(state, 4);  // twice: two steps, one row
    EXPECT_EQ(Rows(), 1);
    EXPECT_TRUE(state.IsListed(5));
    EXPECT_EQ(SelectArbitraryPoint(state, 0, CVector4(50, 50, 100)), -1);
    EXPECT_EQ(SelectArbitraryPoint(state, 3, CVector4(150, 150, 100)), -2);
    EXPECT_EQ(Rows(), 3);
    EXPECT_TRUE(UndoSelection(state));
    EXPECT_EQ(SelectArbitraryPoint(state, 1, CVector4(150, 50, 100)), -2);  // reused

    EXPECT_TRUE(UndoSelection(state));  // -2
    EXPECT_TRUE(UndoSelection(state));  // -1
    EXPECT_EQ(Rows(), 1);
    EXPECT_TRUE(UndoSelection(state));  // the first pick of tap 5 takes its row
    EXPECT_EQ(Rows(), 0);
    EXPECT_FALSE(UndoSelection(state));  // the second removes nothing more; none remain
    EXPECT_TRUE(state.m_selection.m_lstSelected.empty());
    EXPECT_TRUE(state.m_selection.m_lstArbitrary.empty());
}

TEST_F(PickingTest, RectangleGridGivesOneStepPerPointOnItsPlane) {
    EXPECT_EQ(RectangleOrientation(state.m_selection, CVector4(0, 0, 100), CVector4(200, 200, 100)),
              2);
    EXPECT_TRUE(state.m_selection.m_aCorner[1] == CVector4(200, 0, 100));
    EXPECT_TRUE(state.m_selection.m_aCorner[3] == CVector4(0, 200, 100));
    const std::vector<CVector4> grid = MakeGrid(state.m_selection, 2, 2, 3);
    ASSERT_EQ(grid.size(), 12u);
    EXPECT_TRUE(grid[1] == CVector4(0, 200.0f / 3, 100));  // inner loop along y
    EXPECT_TRUE(grid[4] == CVector4(100, 0, 100));
    SelectGridPoints(state, grid);
    EXPECT_EQ(Rows(), 12);
    EXPECT_EQ(state.m_selection.m_lstUndoGroup.size(), 12u);
    for (const CArbitraryPoint& point : state.m_selection.m_lstArbitrary) {
        EXPECT_GE(point.panel, 0);  // every grid point lies on a roof panel
    }
    while (UndoSelection(state)) {
    }
    EXPECT_EQ(Rows(), 0);

    // x constant and y constant; all three differing: no grid.
    EXPECT_EQ(RectangleOrientation(state.m_selection, CVector4(0, 0, 0), CVector4(0, 200, 100)), 0);
    EXPECT_TRUE(state.m_selection.m_aCorner[1] == CVector4(0, 0, 100));
    EXPECT_EQ(RectangleOrientation(state.m_selection, CVector4(0, 5, 0), CVector4(9, 5, 100)), 1);
    EXPECT_EQ(RectangleOrientation(state.m_selection, CVector4(0, 0, 0), CVector4(1, 2, 3)), 255);
    EXPECT_TRUE(MakeGrid(state.m_selection, 255, 2, 3).empty());
    // Divisions typed by the user: a grid too large for memory is never made.
    EXPECT_TRUE(MakeGrid(state.m_selection, 1, 2147483647, 2147483647).empty());
    EXPECT_TRUE(MakeGrid(state.m_selection, 1, 2000, 999).empty());
    EXPECT_EQ(MakeGrid(state.m_selection, 1, 999, 999).size(), 1000000u);
}

TEST_F(PickingTest, FacesToggleOnlyWholePanelsAndSelectTheirPoints) {
    ToggleFaceContour(state, 0);
    EXPECT_EQ(state.m_settings.m_abPanelContour, (std::vector<uint8_t>{0, 1, 0, 1, 1}));
    EXPECT_EQ(state.m_selection.m_lstUndoGroup.back(), 0);  // a step that takes nothing back
    EXPECT_EQ(SelectFacePoints(state, 0), 6);               // taps 1, 2, 4, 5, 7, 8
    EXPECT_EQ(state.m_selection.m_lstUndoGroup.back(), 6);
    state.m_data.m_geoMain.m_objects[0].m_nDisplayMode = 2;  // hidden parts are not pickable
    EXPECT_EQ(PickedFace(state.m_data.m_geoMain, 0), nullptr);
}

TEST_F(PickingTest, SurfacesAndTheCorrectionOntoAPanel) {
    const int roof[2] = {0, 3};
    const int roofAndWall[2] = {0, 4};
    const int none[2] = {-1, 0};
    EXPECT_TRUE(SameSurface(state.m_data, roof));
    EXPECT_FALSE(SameSurface(state.m_data, roofAndWall));
    EXPECT_FALSE(SameSurface(state.m_data, none));
    EXPECT_TRUE(PointOnSameSurface(state.m_data, 3, CVector4(20, 30, 100)));
    EXPECT_FALSE(PointOnSameSurface(state.m_data, 3, CVector4(20, 30, 140)));

    // Off the roof's plane: moved into it, onto the same surface; in it: unchanged.
    const CVector4 corrected = CorrectOntoPanel(state.m_data, 0, CVector4(30, 60, 140));
    EXPECT_NEAR(corrected.z, 100.0f, 1e-3f);
    EXPECT_TRUE(PointOnSameSurface(state.m_data, 0, corrected));
    const CVector4 inPlane = CorrectOntoPanel(state.m_data, 0, CVector4(30, 60, 100));
    EXPECT_NEAR(inPlane.x, 30.0f, 1e-3f);
    EXPECT_NEAR(inPlane.y, 60.0f, 1e-3f);
    // On the first corner, or a panel outside the mesh: given back unchanged.
    EXPECT_TRUE(CorrectOntoPanel(state.m_data, 0, CVector4(0, 0, 100)) == CVector4(0, 0, 100));
    EXPECT_TRUE(CorrectOntoPanel(state.m_data, 99, CVector4(1, 2, 3)) == CVector4(1, 2, 3));
}

// Points on sloped panels with coordinates in the thousands used to be found in no panel: the
// plane test compared float normals exactly. Every triangle's centroid must be found in its
// panel (or an earlier one holding it), and a point 1 % of the panel's size off its plane not.
TEST(PickingSamples, EveryPanelHoldsItsTrianglesCentroidsAtAnyBuildingAngle) {
    for (const char* name : {"tower", "gable", "lshape"}) {
        CViewState state;
        state.LoadDataSet(std::string(KZV_SAMPLES_DIR) + name + "/", CHeaderFile(), 800, 600);
        for (double angle : {0.0, 30.0}) {
            state.SetBuildingAngle(angle);
            for (int panel = 0; panel < state.m_data.m_mesh.GetPanelCount(); ++panel) {
                std::vector<CVector4> c;
                for (int k = 0; k < state.m_data.m_mesh.GetNodeCount(panel); ++k) {
                    c.push_back(state.m_data.m_taps.GetPosition(
                        state.m_data.m_mesh.GetNodeTapNo(panel, k)));
                }
                const float size = c[0].Distance(c[2]);
                const CVector4 normal = state.m_data.PanelNormal(panel);
                for (size_t t = 1; t + 1 < c.size(); ++t) {
                    const CVector4 centroid = (c[0] + c[t] + c[t + 1]) * (1.0f / 3.0f);
                    const int found = state.m_data.FindPanelContaining(centroid);
                    EXPECT_TRUE(found >= 0 && found <= panel)
                        << name << " " << angle << " panel " << panel << " found " << found;
                    const CVector4 off = centroid + normal * (0.01f * size);
                    EXPECT_FALSE(IsPointInPolygon(off, c.data(), static_cast<int>(c.size())))
                        << name << " " << angle << " panel " << panel;
                }
            }
        }
    }
}

// A roof slope of 30 degrees rising along y with taps given to tenths: quadrilaterals on the
// left, triangles on the right, and a quadrilateral whose first three corners lie on its eave.
// Tap k (1-based) of row j, column i sits at x = 1000 i, y = 800 j.
class PitchedRoofTest : public ::testing::Test {
protected:
    static CVector4 Tap(int i, int j) {
        const double y = 800.0 * j;
        return CVector4(1000.0f * i, static_cast<float>(y),
                        static_cast<float>(SnapToTenth(5000.0 + y * std::tan(GEOMETRY_PI / 6))));
    }
    static int No(int i, int j) { return 1 + i + 5 * j; }
    void SetUp() override {
        std::vector<fieldtest::Tap> taps;
        for (int j = 0; j < 3; ++j) {
            for (int i = 0; i < 5; ++i) {
                // A suction peak at tap (1, 0), the rest near zero.
                taps.push_back({Tap(i, j), {i == 1 && j == 0 ? -3.0 : 0.0}});
            }
        }
        taps.push_back({CVector4(3500, 0, 5000), {0.0}});  // 16: middle of an eave
        fieldtest::SetUp(state, taps,
                         {{No(0, 0), No(1, 0), No(1, 1), No(0, 1)},
                          {No(0, 1), No(1, 1), No(1, 2), No(0, 2)},
                          {No(1, 0), No(2, 0), No(2, 1)},
                          {No(1, 0), No(2, 1), No(1, 1)},
                          {No(3, 0), 16, No(4, 0), No(4, 1)},
                          {No(3, 0), No(4, 1), No(3, 1)}});
        normal = CVector4(0, -0.5f, static_cast<float>(std::sqrt(0.75)));
    }
    // Corners of a panel as the values are taken from it.
    CPanelCorners Corners(int panel) {
        CPanelCorners c;
        GetPanelCorners(state.m_data, panel, 0, c);
        return c;
    }
    CViewState state;
    CVector4 normal;
};

// A click lands on the pick polygon a few millimetres above the panel; the point moved onto
// the panel and snapped to tenths must stay in the sub-triangle it was over, in its panel and
// on its surface, near edges and corners too.
TEST_F(PitchedRoofTest, PickedPointsStayInTheirSubTriangleAndOnTheirSurface) {
    const double weights[][3] = {{0.3, 0.3, 0.4},
                                 {0.98, 0.01, 0.01},
                                 {0.01, 0.98, 0.01},
                                 {0.5, 0.005, 0.495},
                                 {0.001, 0.499, 0.5}};
    int checked = 0;
    for (int panel = 0; panel < state.m_data.m_mesh.GetPanelCount(); ++panel) {
        CVector4 tri[4][3];
        double val[4][3];
        const int triangles = SplitPanel(Corners(panel), tri, val);
        for (int t = 0; t < triangles; ++t) {
            for (const auto& w : weights) {
                const CVector4 exact = tri[t][0] * static_cast<float>(w[0]) +
                                       tri[t][1] * static_cast<float>(w[1]) +
                                       tri[t][2] * static_cast<float>(w[2]);
                const CVector4 q = ProjectOntoPanel(state.m_data, panel, exact + normal * 3.0f);
                EXPECT_LT(q.Distance(exact), 0.2f) << panel << " " << t;
                EXPECT_TRUE(IsPointInTriangle(q, tri[t][0], tri[t][1], tri[t][2]))
                    << panel << " " << t << " " << w[0] << " " << w[1];
                EXPECT_EQ(PanelHolding(state.m_data, panel, q), panel);
                EXPECT_TRUE(PointOnSameSurface(state.m_data, 0, q)) << panel << " " << t;
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 5 * 15);  // three quadrilaterals of four sub-triangles, three triangles
    // The panel with three corners on its eave faces the way the roof does.
    const CVector4 n = state.m_data.PanelNormal(4);
    EXPECT_NEAR(DotProduct(n, normal), 1.0f, 1e-6f);
    // Every pair of panels lies on one surface.
    for (int a = 0; a < 6; ++a) {
        for (int b = 0; b < 6; ++b) {
            const int pair[2] = {a, b};
            EXPECT_TRUE(SameSurface(state.m_data, pair)) << a << " " << b;
        }
    }
}

// The value of a click in the sub-triangle away from the suction peak comes from that
// sub-triangle, whose corners hold 0, 0 and the centre's -0.75: it used to come from the last
// sub-triangle, the one with the peak, when the snapped point tested in none.
TEST_F(PitchedRoofTest, AClickTakesItsValueFromItsOwnSubTriangle) {
    CVector4 tri[4][3];
    double val[4][3];
    SplitPanel(Corners(0), tri, val);  // sub-triangle 1: corners 3, centre, 2 (no peak)
    for (double a = 0.02; a < 1.0; a += 0.0731) {
        for (double b = 0.02; a + b < 1.0; b += 0.0517) {
            const CVector4 exact = tri[1][0] * static_cast<float>(a) +
                                   tri[1][1] * static_cast<float>(b) +
                                   tri[1][2] * static_cast<float>(1.0 - a - b);
            const CVector4 q = ProjectOntoPanel(state.m_data, 0, exact + normal * 3.0f);
            const double value =
                InterpolateAt(state.m_data, state.m_settings.m_nValueMethod, 0, q, 0);
            EXPECT_GE(value, -0.75 - 1e-9) << a << " " << b;
            EXPECT_LE(value, 1e-9) << a << " " << b;
        }
    }
}

// A rectangle on a slope lies in its plane: one edge along the slope's horizontal, the other up
// the slope, every grid point on the roof; corners on two different planes make none.
TEST_F(PitchedRoofTest, ARectangleOnTheSlopeLiesInItsPlane) {
    const CVector4 p1 = ProjectOntoPanel(state.m_data, 0, CVector4(200, 300, 5180));
    const CVector4 p2 = ProjectOntoPanel(state.m_data, 2, CVector4(1900, 700, 5410));
    const int panels[2] = {0, 2};
    ASSERT_EQ(RectangleOnSurface(state.m_data, state.m_selection, p1, p2, panels), RECT_IN_FACE);
    const CVector4 a = state.m_selection.m_aCorner[1];
    EXPECT_EQ(a.z, p1.z);  // along the horizontal
    EXPECT_NEAR(a.y, p1.y, 0.01f);
    EXPECT_NEAR(a.x, p2.x, 0.01f);
    const std::vector<CVector4> grid = MakeGrid(state.m_selection, RECT_IN_FACE, 3, 2);
    ASSERT_EQ(grid.size(), 12u);
    EXPECT_TRUE(grid.front() == p1);
    EXPECT_TRUE(grid.back() == p2);
    EXPECT_NEAR(grid[3].x, p1.x + (a.x - p1.x) / 3, 0.01f);  // outer loop along the horizontal
    SelectGridPoints(state, grid, panels[0]);
    ASSERT_EQ(state.m_selection.m_lstArbitrary.size(), 12u);
    for (const CArbitraryPoint& point : state.m_selection.m_lstArbitrary) {
        EXPECT_GE(point.panel, 0) << point.pos.x << " " << point.pos.y << " " << point.pos.z;
        EXPECT_LT(point.values[0], NO_VALUE);
    }

    // A wall below the eave: its corners are on another plane.
    std::vector<fieldtest::Tap> taps = {
        {Tap(0, 0), {0.0}},         {Tap(4, 0), {0.0}}, {CVector4(4000, 0, 0), {0.0}},
        {CVector4(0, 0, 0), {0.0}}, {Tap(0, 1), {0.0}}, {Tap(4, 1), {0.0}}};
    fieldtest::SetUp(state, taps, {{1, 2, 5}, {2, 6, 5}, {4, 3, 2, 1}});
    const int roofAndWall[2] = {0, 2};
    const CVector4 before = state.m_selection.m_aCorner[1];
    EXPECT_EQ(RectangleOnSurface(state.m_data, state.m_selection, CVector4(1000, 100, 5057.7f),
                                 CVector4(1000, 0, 2000), roofAndWall),
              RECT_NONE);
    EXPECT_TRUE(state.m_selection.m_aCorner[1] == before);
    // The wall alone: y is constant, whatever else the corners share.
    const int wall[2] = {2, 2};
    EXPECT_EQ(RectangleOnSurface(state.m_data, state.m_selection, CVector4(1000, 0, 1000),
                                 CVector4(1000, 0, 3000), wall),
              1);
}

// The gable sample turned by 30 degrees: no wall and no roof slope is axis-parallel, every face
// takes a rectangle, and on the rectangular faces all its grid points lie on the face; at 0
// degrees the walls keep their constant axis.
TEST(PickingSamples, RectanglesOnEveryFaceOfTheTurnedGable) {
    CViewState state;
    state.LoadDataSet(std::string(KZV_SAMPLES_DIR) + "gable/", CHeaderFile(), 800, 600);
    for (double angle : {0.0, 30.0}) {
        state.SetBuildingAngle(angle);
        int faces = 0;
        for (int face = 1; face <= 6; ++face) {
            // The face's first panel (its taps are numbered face * 100 + k) and the panel on its
            // plane farthest from it take the corners.
            int first = -1;
            CPanelCorners c1, c2;
            for (int panel = 0; first < 0 && panel < state.m_data.m_mesh.GetPanelCount(); ++panel) {
                GetPanelCorners(state.m_data, panel, 0, c1);
                first = c1.tap[0] / 100 == face ? panel : -1;
            }
            ASSERT_GE(first, 0);
            int second = -1;
            float farthest = 0;
            for (int panel = 0; panel < state.m_data.m_mesh.GetPanelCount(); ++panel) {
                const int pair[2] = {first, panel};
                GetPanelCorners(state.m_data, panel, 0, c2);
                if (SameSurface(state.m_data, pair) && c2.pos[0].Distance(c1.pos[0]) >= farthest) {
                    farthest = c2.pos[0].Distance(c1.pos[0]);
                    second = panel;
                }
            }
            ++faces;
            GetPanelCorners(state.m_data, second, 0, c2);
            const int panels[2] = {first, second};
            const CVector4 p1 = ProjectOntoPanel(
                state.m_data, first, (c1.pos[0] + c1.pos[1] + c1.pos[2]) * (1.0f / 3.0f));
            const CVector4 p2 = ProjectOntoPanel(
                state.m_data, second, (c2.pos[0] + c2.pos[1] + c2.pos[2]) * (1.0f / 3.0f));
            const int orientation =
                RectangleOnSurface(state.m_data, state.m_selection, p1, p2, panels);
            const bool sloped = std::fabs(state.m_data.PanelNormal(first).z) > 0.1f;
            if (angle == 0.0 && !sloped) {
                EXPECT_LT(orientation, RECT_IN_FACE) << first;
            } else {
                EXPECT_EQ(orientation, RECT_IN_FACE) << angle << " " << first;
            }
            // The gable ends (taps 2xx and 4xx) are pentagons: a rectangle reaches past them.
            if (face == 2 || face == 4) {
                continue;
            }
            for (const CVector4& g : MakeGrid(state.m_selection, orientation, 4, 5)) {
                EXPECT_TRUE(PointOnSameSurface(state.m_data, first, g))
                    << angle << " " << first << " " << g.x << " " << g.y << " " << g.z;
            }
        }
        EXPECT_EQ(faces, 6) << angle;  // four walls, two roof slopes
        // Across the ridge the corners lie on two planes: no rectangle.
        int slope[2] = {-1, -1};
        for (int panel = 0; panel < state.m_data.m_mesh.GetPanelCount(); ++panel) {
            CPanelCorners c;
            GetPanelCorners(state.m_data, panel, 0, c);
            const int face = c.tap[0] / 100 - 5;
            if ((face == 0 || face == 1) && slope[face] < 0) {
                slope[face] = panel;
            }
        }
        EXPECT_EQ(RectangleOnSurface(state.m_data, state.m_selection, CVector4(0, -2000, 7500),
                                     CVector4(0, 2000, 7500), slope),
                  RECT_NONE);
    }
}

}  // namespace
