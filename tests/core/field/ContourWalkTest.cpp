#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

#include "FieldFixture.h"
#include "dataset/DataSetLoad.h"
#include "field/ColorScale.h"
#include "field/ContourWalk.h"
#include "field/SurfaceValues.h"
#include "scene/RecordingRenderer.h"
#include "state/ViewState.h"

namespace {

// One flat quad in z = 0 (normal +z) with values -1, 1, 1, -1 over x.
class ContourWalkTest : public ::testing::Test {
protected:
    void SetUp() override {
        fieldtest::SetUp(state,
                         {{CVector4(0, 0, 0), {-1.0}},
                          {CVector4(4, 0, 0), {1.0}},
                          {CVector4(4, 4, 0), {1.0}},
                          {CVector4(0, 4, 0), {-1.0}}},
                         {{1, 2, 3, 4}});
        state.m_data.m_fLift = 0.5f;
        state.m_settings.m_nDivisions = 4;
    }
    std::vector<ContourItemType> Types() {
        ComputeContours(state.m_data, state.m_settings, state.m_selection, out);
        std::vector<ContourItemType> types;
        for (const auto& item : out.items) {
            types.push_back(item.type);
        }
        return types;
    }
    CViewState state;
    CContourDrawing out;
};

using T = ContourItemType;

TEST_F(ContourWalkTest, QuadIsDrawnAsFourLiftedTriangles) {
    ASSERT_EQ(state.m_data.m_aPanelNormal[0], CVector4(0, 0, 1));
    ComputeContours(state.m_data, state.m_settings, state.m_selection, out);
    // The first triangle (P0, C, P3) has corners -1, 0, -1: bands 0 and 1, and band 2 only
    // touches it at C (a polygon of three copies of C).
    ASSERT_FALSE(out.items.empty());
    const CContourItem& first = out.items[0];
    EXPECT_EQ(first.type, T::Band);
    EXPECT_EQ(first.index, 0);
    EXPECT_EQ(first.colour, state.m_settings.m_aColorTable[0]);
    const CVector4 lifted[3] = {CVector4(0, 0, 0.5f), CVector4(2, 2, 0.5f), CVector4(0, 4, 0.5f)};
    const double v[3] = {-1.0, 0.0, -1.0};
    const auto expected = FillBandsOnTriangle(lifted, v, MakeContourLevels(-1.0, 1.0, 4));
    ASSERT_EQ(expected.size(), 3u);
    EXPECT_EQ(expected[2].points, std::vector<CVector4>(3, lifted[1]));
    ASSERT_EQ(first.count, static_cast<int>(expected[0].points.size()));
    for (int k = 0; k < first.count; ++k) {
        EXPECT_EQ(out.points[static_cast<size_t>(first.first + k)],
                  expected[0].points[static_cast<size_t>(k)]);
    }
    std::set<int> bands;
    for (const auto& item : out.items) {
        EXPECT_EQ(item.type, T::Band);
        bands.insert(item.index);
    }
    EXPECT_EQ(bands, (std::set<int>{0, 1, 2, 3}));
}

TEST_F(ContourWalkTest, LinesFollowBandsAndSlotsEndEachTriangle) {
    state.m_settings.m_nContourKind = 2;
    state.m_settings.m_bShowLabels = 1;
    state.m_settings.m_abSlotOn[0] = 1;
    state.m_settings.m_aSlot[0][0] = CVector4(0.5f, 1.0f, 1.0f);
    state.m_settings.m_aSlot[0][1] = CVector4(3.5f, 1.0f, 1.0f);
    // Triangle (P0, C, P3): bands 0, 1 and 2 (C alone); line -0.5 with a label on the slot;
    // no line 0.0, which only touches the corner C; slots. Then the next triangle.
    const std::vector<T> types = Types();
    const std::vector<T> start = {T::Band, T::Band, T::Band, T::Line, T::Label, T::Slots, T::Band};
    ASSERT_GE(types.size(), start.size());
    EXPECT_EQ(std::vector<T>(types.begin(), types.begin() + 7), start);
    // Bands lie at the lift, lines and labels at twice the lift.
    EXPECT_FLOAT_EQ(out.points[static_cast<size_t>(out.items[0].first)].z, 0.5f);
    EXPECT_FLOAT_EQ(out.points[static_cast<size_t>(out.items[3].first)].z, 1.0f);
    EXPECT_FLOAT_EQ(out.labels[0].centre.z, 1.0f);
    EXPECT_EQ(out.labels[0].text, "-0.50");
    EXPECT_EQ(std::count(types.begin(), types.end(), T::Slots), 4);

    state.m_settings.m_nContourKind = 1;
    state.m_settings.m_nLineColorMode = 1;
    state.m_settings.m_clrLine = COLOR_MAGENTA;
    ComputeContours(state.m_data, state.m_settings, state.m_selection, out);
    for (const auto& item : out.items) {
        EXPECT_NE(item.type, T::Band);
        if (item.type == T::Line) {
            EXPECT_EQ(item.colour, COLOR_MAGENTA);
        }
    }
    // Another line colour mode draws no lines, but the slots still have their place.
    state.m_settings.m_nLineColorMode = 2;
    EXPECT_EQ(Types(), std::vector<T>(4, T::Slots));
    state.m_settings.m_nContourKind = 3;
    EXPECT_TRUE(Types().empty());
}

TEST_F(ContourWalkTest, PanelsOffOrWithoutValuesAreLeftOut) {
    state.m_settings.m_abPanelContour[0] = 0;
    EXPECT_TRUE(Types().empty());
    state.m_settings.m_abPanelContour.clear();  // flags not sized for the mesh yet
    EXPECT_TRUE(Types().empty());
    state.m_settings.m_abPanelContour.assign(1, 1);
    state.m_settings.m_nDivisions = 31;  // more bands than colours
    EXPECT_TRUE(Types().empty());
}

// The walk resolves the panels' corners once and keeps them; a Cp table or mesh rebuilt since
// (its index rebuilt, as every reader and hand-made table does) must be resolved anew.
TEST_F(ContourWalkTest, CornersFollowARebuiltCpTableAndMesh) {
    ComputeContours(state.m_data, state.m_settings, state.m_selection, out);
    const CContourDrawing before = out;
    // The same values with the records in reverse order: the same picture.
    std::reverse(state.m_data.m_cp.m_aTapNo.begin(), state.m_data.m_cp.m_aTapNo.end());
    std::reverse(state.m_data.m_cp.m_aCp.begin(),
                 state.m_data.m_cp.m_aCp.end());  // same in every direction
    state.m_data.m_cp.RebuildIndex();
    ComputeContours(state.m_data, state.m_settings, state.m_selection, out);
    ASSERT_EQ(out.points.size(), before.points.size());
    for (size_t i = 0; i < out.points.size(); ++i) {
        EXPECT_EQ(out.points[i].x, before.points[i].x);
        EXPECT_EQ(out.points[i].y, before.points[i].y);
    }
    // A mesh whose corner 2 is tap 1 again (value -1 at both of x = 0 and (4, 4)).
    state.m_data.m_mesh.m_aNodeTapNo = {1, 2, 1, 4};
    state.m_data.m_mesh.RebuildOffsets();
    ComputeContours(state.m_data, state.m_settings, state.m_selection, out);
    CPanelCorners c;
    ASSERT_TRUE(GetPanelCorners(state.m_data, 0, 0, c));
    EXPECT_EQ(c.value[2], -1.0);
    EXPECT_NE(out.points.size(), before.points.size());
    // Shrinking frames leave no points of the larger one behind.
    state.m_settings.m_nContourKind = 1;
    state.m_settings.m_nLineColorMode = 2;
    ComputeContours(state.m_data, state.m_settings, state.m_selection, out);
    EXPECT_TRUE(out.points.empty());
    EXPECT_EQ(out.items.size(), 4u);  // the slot items only
}

TEST(ContourWalkSample, PanelOfATapWithoutValueStaysUncoloured) {
    CViewState state;
    const std::string folder = std::string(KZV_SAMPLES_DIR) + "tower/";
    CHeaderFile header;
    state.LoadDataSet(folder, header, 800, 600);
    int32_t missing = 0;
    for (int32_t tap : state.m_data.m_taps.m_aTapNo) {
        if (state.m_data.m_cp.FindRecord(tap) < 0) {
            missing = tap;
        }
    }
    ASSERT_NE(missing, 0);
    // Panels with the tap, and a panel that shares a corner with one of them but not the tap.
    const int panels = state.m_data.m_mesh.GetPanelCount();
    std::vector<int> withTap;
    std::set<int32_t> corners;
    for (int p = 0; p < panels; ++p) {
        bool has = false;
        for (int k = 0; k < state.m_data.m_mesh.m_aNodeCount[static_cast<size_t>(p)]; ++k) {
            has = has || state.m_data.m_mesh.GetNodeTapNo(p, k) == missing;
        }
        if (has) {
            withTap.push_back(p);
            for (int k = 0; k < state.m_data.m_mesh.m_aNodeCount[static_cast<size_t>(p)]; ++k) {
                corners.insert(state.m_data.m_mesh.GetNodeTapNo(p, k));
            }
        }
    }
    ASSERT_FALSE(withTap.empty());
    int neighbour = -1;
    for (int p = 0; p < panels && neighbour < 0; ++p) {
        bool shares = false, has = false;
        for (int k = 0; k < state.m_data.m_mesh.m_aNodeCount[static_cast<size_t>(p)]; ++k) {
            const int32_t tap = state.m_data.m_mesh.GetNodeTapNo(p, k);
            has = has || tap == missing;
            shares = shares || corners.count(tap) > 0;
        }
        if (shares && !has) {
            neighbour = p;
        }
    }
    ASSERT_GE(neighbour, 0);

    state.m_settings.m_nContourKind = 2;
    state.m_settings.m_abPanelContour.assign(static_cast<size_t>(panels), 0);
    for (int p : withTap) {
        state.m_settings.m_abPanelContour[static_cast<size_t>(p)] = 1;
    }
    CContourDrawing out;
    ComputeContours(state.m_data, state.m_settings, state.m_selection, out);
    // Only a blank polygon each, which hides what lies behind; no lines without bands.
    ASSERT_EQ(out.items.size(), withTap.size());
    for (const CContourItem& item : out.items) {
        EXPECT_EQ(item.type, ContourItemType::Blank);
    }
    state.m_settings.m_nContourKind = 1;
    ComputeContours(state.m_data, state.m_settings, state.m_selection, out);
    EXPECT_TRUE(out.items.empty());
    state.m_settings.m_abPanelContour[static_cast<size_t>(neighbour)] = 1;
    ComputeContours(state.m_data, state.m_settings, state.m_selection, out);
    EXPECT_FALSE(out.items.empty());
}

TEST_F(ContourWalkTest, BandTrianglesKeepValuesOnALevelInTheBandAboveIt) {
    // Scale -1..1 in 4 bands: levels -1, -0.5, 0, 0.5, 1. A quad flat on the level 0.5.
    fieldtest::SetUp(state,
                     {{CVector4(0, 0, 0), {0.5}},
                      {CVector4(4, 0, 0), {0.5}},
                      {CVector4(4, 4, 0), {0.5}},
                      {CVector4(0, 4, 0), {0.5}}},
                     {{1, 2, 3, 4}});
    state.m_settings.m_nContourKind = 0;
    ComputeContours(state.m_data, state.m_settings, state.m_selection, out, BandForm::Triangles);
    EXPECT_TRUE(out.items.empty());
    ASSERT_EQ(out.triangles.Count(), 4);
    EXPECT_EQ(out.triangles.corners.size(), 5u);  // the four triangles share corners and centre
    ASSERT_EQ(out.triangles.table.size(), 4u);
    for (const float t : out.triangles.coords) {
        EXPECT_GT(t, 3.0f);
        EXPECT_LT(t, 3.01f);
    }
    // Values at and beyond the ends keep their place on the scale, so that the edges of the
    // bands between them lie where the polygons have them.
    const CContourLevels levels = MakeContourLevels(-1.0, 1.0, 4);
    EXPECT_DOUBLE_EQ(BandCoordinate(-3.0, 0, levels), -4.0);
    EXPECT_DOUBLE_EQ(BandCoordinate(1.5, 3, levels), 5.0);
    EXPECT_NEAR(BandCoordinate(-1.0, 0, levels), 0.0, 0.01);
    EXPECT_NEAR(BandCoordinate(1.0, 3, levels), 4.0, 0.01);
    EXPECT_LT(BandCoordinate(1.0, 3, levels), 4.0);

    // A corner 1 800 bands off the scale: that panel's bands stay polygons.
    fieldtest::SetUp(state,
                     {{CVector4(0, 0, 0), {900.0}},
                      {CVector4(4, 0, 0), {0.2}},
                      {CVector4(0, 4, 0), {-0.3}},
                      {CVector4(4, 4, 0), {0.1}}},
                     {{1, 2, 3}, {2, 4, 3}});
    ComputeContours(state.m_data, state.m_settings, state.m_selection, out, BandForm::Triangles);
    EXPECT_EQ(out.triangles.Count(), 1);
    EXPECT_FALSE(out.items.empty());
    for (const CContourItem& item : out.items) {
        EXPECT_EQ(item.type, T::Band);
    }
    // A reversed scale has no band coordinate: every band is a polygon.
    std::swap(state.m_settings.m_dColorMin, state.m_settings.m_dColorMax);
    ComputeContours(state.m_data, state.m_settings, state.m_selection, out, BandForm::Triangles);
    EXPECT_EQ(out.triangles.Count(), 0);
    EXPECT_FALSE(out.items.empty());
}

TEST(ContourWalkSample, BandTrianglesCoverTheAreasOfTheBandPolygons) {
    for (const char* sample : {"tower", "gable", "lshape"}) {
        CViewState state;
        CHeaderFile header;
        state.LoadDataSet(std::string(KZV_SAMPLES_DIR) + sample + "/", header, 800, 600);
        state.m_settings.m_nContourKind = 0;
        for (const int direction : {0, 5}) {
            state.m_settings.m_nDirection = direction;
            // Band areas of the polygons, and of the triangles drawn by a renderer without a
            // texture (which cuts them into the polygons of their coordinates).
            const auto areas = [&state](BandForm form) {
                CContourDrawing out;
                ComputeContours(state.m_data, state.m_settings, state.m_selection, out, form);
                CRecordingRenderer r;
                const CBandTriangles& t = out.triangles;
                r.DrawBandTriangles(t.corners.data(), t.coords.data(), t.indices.data(), t.Count(),
                                    t.table.data(), static_cast<int>(t.table.size()));
                for (const CContourItem& item : out.items) {
                    r.DrawPolygon(&out.points[static_cast<size_t>(item.first)], item.count,
                                  item.colour);
                }
                std::vector<double> area(MAX_DIVISIONS, 0.0);
                const CVector4* table = state.m_settings.m_aColorTable;
                for (const CRecordedPrimitive& p : r.Of(RecordedKind::Polygon)) {
                    const auto band = std::find(table, table + MAX_DIVISIONS, p.colour) - table;
                    area[static_cast<size_t>(band % MAX_DIVISIONS)] += fieldtest::Area(p.points);
                }
                return area;
            };
            const std::vector<double> polygons = areas(BandForm::Polygons);
            const std::vector<double> triangles = areas(BandForm::Triangles);
            double whole = 0.0;
            for (const double a : polygons) {
                whole += a;
            }
            ASSERT_GT(whole, 0.0);
            for (size_t k = 0; k < polygons.size(); ++k) {
                EXPECT_NEAR(triangles[k], polygons[k], 1e-4 * whole)
                    << sample << " direction " << direction << " band " << k;
            }
        }
    }
}

}  // namespace
