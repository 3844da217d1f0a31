#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>

#include "TempDir.h"
#include "dataset/DataSetLoad.h"
#include "field/ContourWalk.h"
#include "geometry/VectorFunctions.h"
#include "state/StateOwner.h"
#include "state/ViewState.h"

namespace fs = std::filesystem;

namespace {

const std::string kTower = std::string(KZV_SAMPLES_DIR) + "tower/";
const std::string kLShape = std::string(KZV_SAMPLES_DIR) + "lshape/";

class ViewStateTest : public ::testing::Test {
protected:
    void Load(const std::string& folder, int w = 1000, int h = 500) {
        CHeaderFile header;
        header.Read((folder + "header").c_str());
        state.LoadDataSet(folder, header, w, h);
    }
    CViewState state;
};

TEST_F(ViewStateTest, LoadResetsEveryDisplaySettingToItsInitialState) {
    Load(kTower);
    // Change a bit of everything, then load again.
    state.m_settings.m_nContourKind = 2;
    state.m_settings.m_dColorMax = 3;
    state.m_settings.m_nDivisions = 7;
    state.m_settings.m_bShowMarkers = 0;
    state.m_settings.m_bShowGround = 1;
    state.m_camera.m_fZoom = 4;
    state.m_camera.m_vPan.Set(5, 6, 7);
    state.m_settings.m_abSlotOn[3] = 1;
    state.m_settings.m_aSlot[3][0].Set(1, 2, 3);
    state.m_settings.m_comment.flags[5] = 1;
    state.m_settings.m_comment.size = 30;
    state.m_selection.m_lstSelected = {101, 102};
    state.m_selection.m_lstUndoGroup = {2};
    state.m_selection.m_lstArbitrary.push_back(CArbitraryPoint{-1, CVector4(), 0, {}});
    state.m_data.SetPartMode(0, 0);
    state.m_camera.Turn(CVector4(10, 20, 30));
    Load(kLShape);

    EXPECT_EQ(state.m_settings.m_bShowMarkers, 1);
    EXPECT_EQ(state.m_settings.m_bShowNumbers, 0);
    EXPECT_EQ(state.m_settings.m_bShowAxes, 1);
    EXPECT_EQ(state.m_settings.m_bShowAxisNumbers, 0);
    EXPECT_EQ(state.m_settings.m_bShowMesh, 1);
    EXPECT_EQ(state.m_settings.m_bShowGround, 0);
    EXPECT_EQ(state.m_settings.m_bShowWind, 0);
    EXPECT_EQ(state.m_settings.m_nContourKind, 0);
    EXPECT_EQ(state.m_settings.m_dColorMax, 1.0);
    EXPECT_EQ(state.m_settings.m_dColorMin, -1.0);
    EXPECT_EQ(state.m_settings.m_nDivisions, 30);
    EXPECT_TRUE(state.m_settings.m_aColorTable[0] == COLOR_BLUE);
    EXPECT_TRUE(state.m_settings.m_aColorTable[29] == COLOR_RED);
    EXPECT_EQ(state.m_settings.m_nTickInterval, 3);
    EXPECT_EQ(state.m_camera.m_fZoom, 1.0f);
    EXPECT_EQ(state.m_settings.m_abSlotOn[3], 0);
    EXPECT_EQ(state.m_settings.m_aSlot[3][0].x, 1.0f);  // slot segments stay
    EXPECT_EQ(state.m_settings.m_comment.flags[5], 0);
    EXPECT_EQ(state.m_settings.m_comment.size, 14);
    EXPECT_EQ(state.m_selection.m_nCornerCount, -1);
    EXPECT_TRUE(state.m_selection.m_lstSelected.empty());
    EXPECT_TRUE(state.m_selection.m_lstUndoGroup.empty());
    EXPECT_TRUE(state.m_selection.m_lstArbitrary.empty());
    // The model turned -90 degrees about X from the identity; the angles read 270, 0, 0.
    EXPECT_TRUE(state.m_camera.m_vAngles == CVector4(270, 0, 0));
    CMatrix4 turned;
    turned.Rotate(CVector4(-90, 0, 0));
    EXPECT_EQ(std::memcmp(state.m_camera.m_matRotation.m, turned.m, sizeof turned.m), 0);
    // Contours on for every panel of the new mesh; every part grey and outlined.
    EXPECT_EQ(state.m_settings.m_abPanelContour.size(),
              static_cast<size_t>(state.m_data.m_mesh.GetPanelCount()));
    EXPECT_GT(state.m_data.m_mesh.GetPanelCount(), 0);
    for (uint8_t f : state.m_settings.m_abPanelContour) {
        EXPECT_EQ(f, 1);
    }
    for (int i = 0; i < state.m_data.GetPartCount(); ++i) {
        EXPECT_EQ(state.m_data.GetPartMode(i), 1);
        EXPECT_EQ(state.m_data.GetPartColor(i), VectorToColorRef(CVector4(0.7f, 0.7f, 0.7f)));
    }
    EXPECT_EQ(state.m_data.m_cp.m_nDirectionCount, 32);
    EXPECT_EQ(state.m_data.m_strDataFolder, kLShape);
}

TEST_F(ViewStateTest, BuildingAngleTurnsFromTheAsReadCopies) {
    Load(kTower);
    const std::vector<CVector4> original = state.m_data.m_taps.m_aPos;
    const CGeometry geoOriginal = state.m_data.m_geoMain;
    state.m_selection.m_lstArbitrary.push_back(CArbitraryPoint{-1, CVector4(), 0, {}});

    state.SetBuildingAngle(90.0);
    ASSERT_EQ(state.m_data.m_taps.m_aPos.size(), original.size());
    for (size_t i = 0; i < original.size(); ++i) {
        const CVector4 expected =
            RotateAboutAxis(PLANE_XY, DegToRad(90.0), CVector4(), original[i]);
        EXPECT_EQ(state.m_data.m_taps.m_aPos[i].x, expected.x);
        EXPECT_EQ(state.m_data.m_taps.m_aPos[i].y, expected.y);
        EXPECT_EQ(state.m_data.m_taps.m_aPos[i].z, original[i].z);
        // Snapped to tenths.
        EXPECT_NEAR(state.m_data.m_taps.m_aPos[i].x * 10,
                    std::round(state.m_data.m_taps.m_aPos[i].x * 10), 1e-2);
    }
    EXPECT_TRUE(state.m_selection.m_lstArbitrary.empty());

    state.SetBuildingAngle(45.0);
    state.SetBuildingAngle(0.0);  // exactly as read: no rotation arithmetic at all
    for (size_t i = 0; i < original.size(); ++i) {
        EXPECT_EQ(std::memcmp(&state.m_data.m_taps.m_aPos[i].x, &original[i].x, 4 * sizeof(float)),
                  0);
    }
    const CVector4& a = state.m_data.m_geoMain.m_objects[0].m_faces[0].m_vertices[0];
    const CVector4& b = geoOriginal.m_objects[0].m_faces[0].m_vertices[0];
    EXPECT_EQ(std::memcmp(&a.x, &b.x, 4 * sizeof(float)), 0);
}

TEST_F(ViewStateTest, PanelNormalsAndLift) {
    Load(kTower);
    ASSERT_EQ(state.m_data.m_aPanelNormal.size(),
              static_cast<size_t>(state.m_data.m_mesh.GetPanelCount()));
    for (const CVector4& n : state.m_data.m_aPanelNormal) {
        EXPECT_NEAR(n.Distance(CVector4()), 1.0f, 1e-5f);
    }
    // The tower reaches 60 m = 60000 mm.
    EXPECT_FLOAT_EQ(state.m_data.m_fLift, 60.0f);

    TempDir dir;
    dir.Write("small.geo", "GEOMETRY_FILE,1\n0,0\n1\nA\n1\n3\n-999,0,0\n0,999,0\n0,0,500\n");
    dir.Write("big.geo", "GEOMETRY_FILE,1\n0,0\n1\nA\n1\n3\n-25000,0,0\n0,10,0\n0,0,5\n");
    CViewState s;
    s.m_data.m_geoMain.Load((dir.Path() / "small.geo").c_str());
    s.m_data.UpdatePanelNormals();
    EXPECT_EQ(s.m_data.m_fLift, 1.0f);
    s.m_data.m_geoMain.Load((dir.Path() / "big.geo").c_str());
    s.m_data.UpdatePanelNormals();
    EXPECT_FLOAT_EQ(s.m_data.m_fLift, 25.0f);
}

TEST_F(ViewStateTest, PartIndexRunsOverMainThenSub) {
    Load(kLShape);
    const int mainCount = static_cast<int>(state.m_data.m_geoMain.m_objects.size());
    ASSERT_GT(state.m_data.m_geoSub.m_objects.size(), 0u);
    state.m_data.SetPartMode(mainCount, 0);
    EXPECT_EQ(state.m_data.m_geoSub.m_objects[0].m_nDisplayMode, 0);
    EXPECT_EQ(state.m_data.m_geoSubOrg.m_objects[0].m_nDisplayMode, 0);
    state.m_data.SetPartColor(mainCount, MakeColorRef(255, 0, 0));
    EXPECT_EQ(state.m_data.GetPartColor(mainCount), MakeColorRef(255, 0, 0));
    // Kept through a rotation, which rebuilds the working copies from the as-read ones.
    state.SetBuildingAngle(30);
    EXPECT_EQ(state.m_data.GetPartMode(mainCount), 0);
    EXPECT_EQ(state.m_data.GetPartColor(mainCount), MakeColorRef(255, 0, 0));
    // Out of range: nothing changes, nothing is read past the end.
    state.m_data.SetPartMode(state.m_data.GetPartCount(), 0);
    state.m_data.SetPartMode(-1, 0);
    EXPECT_EQ(state.m_data.GetPartMode(state.m_data.GetPartCount()), 2);
}

TEST(DataSetLoad, FitScaleNameAndMissingFiles) {
    EXPECT_FLOAT_EQ(FitScale(CVector4(200, 50, 100), 1000, 500, 1.0f), 3.5f);
    EXPECT_EQ(FitScale(CVector4(0, 50, 100), 1000, 500, 2.5f), 2.5f);  // degenerate: kept
    EXPECT_EQ(FitScale(CVector4(200, 50, 0), 1000, 500, 2.5f), 2.5f);
    EXPECT_EQ(FitScale(CVector4(200, 50, 100), 0, 500, 2.5f), 2.5f);

    EXPECT_EQ(DataSetName("/data/sets/Set 7/"), "Set 7");
    EXPECT_EQ(DataSetName("/data/sets/Set 7"), "Set 7");
    EXPECT_EQ(DataSetName("relative/"), "relative");

    // A data set with only its geometry: no taps, no values, 8 directions, no panels.
    TempDir dir;
    fs::create_directory(dir.Path() / "bare");
    dir.Write("bare/main.geo", "GEOMETRY_FILE,1\n0,0\n1\nA\n1\n3\n0,0,0\n100,0,0\n0,0,50\n");
    dir.Write("bare/cp.dat", "CP_FILE,1\n12\nEOF\n");  // rejected: not a multiple of 8
    CViewState state;
    state.m_data.m_cp.m_nDirectionCount = 16;  // left from an earlier data set
    state.LoadDataSet((dir.Path() / "bare").string() + "/", CHeaderFile(), 1000, 500);
    EXPECT_EQ(state.m_data.m_cp.m_nDirectionCount, 8);
    EXPECT_EQ(state.m_data.m_cp.GetCp(1, 0), NO_VALUE);
    EXPECT_TRUE(state.m_data.m_taps.m_aTapNo.empty());
    EXPECT_EQ(state.m_data.m_mesh.GetPanelCount(), 0);
    EXPECT_TRUE(state.m_data.m_geoSub.m_objects.empty());
    EXPECT_FLOAT_EQ(state.m_data.m_fScale, 0.7f * std::min(1000.0f / 100, 500.0f / 50));
    // The user is told what was not read; a complete data set says nothing.
    EXPECT_NE(state.m_data.m_strLoadReport.find("cp.dat"), std::string::npos);
    EXPECT_NE(state.m_data.m_strLoadReport.find("mesh.msh"), std::string::npos);
    state.LoadDataSet(kTower, CHeaderFile(), 1000, 500);
    EXPECT_EQ(state.m_data.m_strLoadReport, "");
}

}  // namespace

namespace {

TEST(StateOwner, ListenersHearEveryChangeInOrderAndCanLeave) {
    CStateOwner owner;
    std::vector<std::string> heard;
    const int first =
        owner.AddListener([&](unsigned a) { heard.push_back("1:" + std::to_string(a)); });
    int second = 0;
    second = owner.AddListener([&](unsigned a) {
        heard.push_back("2:" + std::to_string(a));
        owner.RemoveListener(second);  // leaving from inside a notification is safe
    });
    owner.Changed(ASPECT_DIRECTION);
    owner.Changed(ASPECT_CAMERA | ASPECT_COMMENT);
    owner.RemoveListener(first);
    owner.Changed(ASPECT_ALL);
    EXPECT_EQ(heard,
              (std::vector<std::string>{"1:" + std::to_string(ASPECT_DIRECTION),
                                        "2:" + std::to_string(ASPECT_DIRECTION),
                                        "1:" + std::to_string(ASPECT_CAMERA | ASPECT_COMMENT)}));
}

// Edits nest: whatever the inner edits touch is announced once, when the outermost ends, after
// every write is made; an edit that touches nothing announces nothing.
TEST(StateOwner, NestedEditsAnnounceOnceWhenTheOutermostEnds) {
    CStateOwner owner;
    std::vector<unsigned> heard;
    int directionHeard = -1;
    owner.AddListener([&](unsigned a) {
        heard.push_back(a);
        directionHeard = owner->m_settings.m_nDirection;
    });
    {
        auto outer = owner.Edit(ASPECT_DIRECTION);
        outer->m_settings.m_nDirection = 3;
        {
            auto inner = owner.Edit(ASPECT_CAMERA);
            inner->m_camera.m_fZoom = 2.0f;
        }
        owner.Changed(ASPECT_COMMENT);
        EXPECT_TRUE(heard.empty());
        outer.Touch(ASPECT_SELECTION);
        outer->m_settings.m_nDirection = 4;
    }
    EXPECT_EQ(heard, (std::vector<unsigned>{ASPECT_DIRECTION | ASPECT_CAMERA | ASPECT_COMMENT |
                                            ASPECT_SELECTION}));
    EXPECT_EQ(directionHeard, 4);
    { auto nothing = owner.Edit(); }
    owner.Edit(ASPECT_DIRECTION)->m_settings.m_nDirection = 5;  // a one-line edit
    EXPECT_EQ(heard.size(), 2u);
    EXPECT_EQ(directionHeard, 5);
}

// A second data set loads beside the first into one state, and the contours of each are
// computed from its own data with the same settings.
TEST(StateOwner, TwoDataSetsStandSideBySide) {
    CStateOwner owner;
    {
        auto edit = owner.Edit(ASPECT_DATASET);
        edit->LoadDataSet(kTower, CHeaderFile(), 800, 600);
        LoadDataSetFiles(edit->m_reference, kLShape, CHeaderFile(), 800, 600);
        edit->m_settings.m_nDirection = 2;
    }
    const CViewState& state = owner.State();
    EXPECT_NE(state.m_data.m_mesh.GetPanelCount(), state.m_reference.m_mesh.GetPanelCount());
    CDisplaySettings settings = state.m_settings;
    CContourDrawing shown, reference;
    ComputeContours(state.m_data, settings, state.m_selection, shown);
    settings.m_abPanelContour.assign(static_cast<size_t>(state.m_reference.m_mesh.GetPanelCount()),
                                     1);
    ComputeContours(state.m_reference, settings, state.m_selection, reference);
    EXPECT_FALSE(shown.items.empty());
    EXPECT_FALSE(reference.items.empty());
    CContourDrawing alone;
    CViewState lshape;
    lshape.LoadDataSet(kLShape, CHeaderFile(), 800, 600);
    lshape.m_settings.m_nDirection = 2;
    ComputeContours(lshape.m_data, lshape.m_settings, lshape.m_selection, alone);
    EXPECT_EQ(reference.items.size(), alone.items.size());
    EXPECT_EQ(reference.points.size(), alone.points.size());
}

TEST(ViewStateReset, RestoresTheDeclaredDefaultsButKeepsSlotSegments) {
    CViewState state;
    state.LoadDataSet(kTower, CHeaderFile(), 800, 600);
    const uint64_t generation = state.m_data.Generation();
    state.m_settings.m_nDirection = 5;
    state.m_settings.m_nDivisions = 12;
    state.m_settings.m_aColorTable[7] = COLOR_WHITE;
    state.m_settings.m_comment.font = "ＭＳ 明朝";
    state.m_settings.m_clrAmbient = CVector4(0.1f, 0.1f, 0.1f, 1.0f);
    state.m_settings.m_aSlot[19][1].Set(4, 5, 6);
    state.m_selection.m_nPickMode = 3;
    state.m_selection.m_nEditSlot = 2;
    state.ResetDisplayState();
    // The defaults of the display-settings table.
    EXPECT_EQ(state.m_settings.m_nDirection, 0);
    EXPECT_EQ(state.m_settings.m_nDivisions, 30);
    EXPECT_TRUE(state.m_settings.m_aColorTable[7] == CDisplaySettings().m_aColorTable[7]);
    EXPECT_EQ(state.m_settings.m_comment.font, "ＭＳ ゴシック");
    EXPECT_FLOAT_EQ(state.m_settings.m_clrAmbient.x, 0.7f);
    EXPECT_FLOAT_EQ(state.m_settings.m_clrSpecular.x, 0.8f);
    EXPECT_FLOAT_EQ(state.m_settings.m_clrShininess.x, 100.0f);
    EXPECT_EQ(state.m_settings.m_aSlot[19][1].z, 6.0f);
    EXPECT_EQ(state.m_selection.m_nPickMode, 0);
    EXPECT_EQ(state.m_selection.m_nEditSlot, -1);
    // A reset is not a new data set: drawings derived from positions stay valid.
    EXPECT_EQ(state.m_data.Generation(), generation);
    state.SetBuildingAngle(10);
    EXPECT_GT(state.m_data.Generation(), generation);
}

}  // namespace

namespace {

TEST(ViewStateReset, EverySampleStartsWholeAndCentredInTheWindow) {
    for (const char* name : {"tower", "gable", "lshape"}) {
        SCOPED_TRACE(name);
        CViewState state;
        state.LoadDataSet(std::string(KZV_SAMPLES_DIR) + name + "/", CHeaderFile(), 640, 480);
        CVector4 lo, hi;
        state.m_data.m_geoMain.GetBounds(lo, hi);
        const CVector4 centre = state.m_camera.Project((lo + hi) * 0.5f, state.m_data.m_fScale);
        EXPECT_NEAR(centre.x, 0.0f, 0.01f);
        EXPECT_NEAR(centre.y, 0.0f, 0.01f);
        for (int corner = 0; corner < 8; ++corner) {
            const CVector4 p(corner & 1 ? hi.x : lo.x, corner & 2 ? hi.y : lo.y,
                             corner & 4 ? hi.z : lo.z);
            const CVector4 at = state.m_camera.Project(p, state.m_data.m_fScale);
            EXPECT_LE(std::fabs(at.x), 320.0f);
            EXPECT_LE(std::fabs(at.y), 240.0f);
        }
    }
}

}  // namespace

namespace {

TEST(ViewStateSlots, EditingClearsTheSlotAndClearingEndsThePick) {
    CViewState state;
    state.m_settings.m_abSlotOn[2] = 1;
    state.m_settings.m_aSlot[2][1].Set(4, 5, 6);
    state.m_settings.m_aSlot[7][0].Set(7, 8, 9);
    // "編集" of slot 3: its segment goes at once, before any point is picked.
    EXPECT_TRUE(state.BeginSlotEdit(2));
    EXPECT_EQ(state.m_selection.m_nPickMode, 6);
    EXPECT_EQ(state.m_selection.m_nEditSlot, 2);
    EXPECT_TRUE(state.m_settings.m_aSlot[2][1] == CVector4());
    EXPECT_TRUE(state.m_settings.m_aSlot[7][0] == CVector4(7, 8, 9));
    EXPECT_FALSE(state.BeginSlotEdit(SLOT_COUNT));
    EXPECT_FALSE(state.BeginSlotEdit(-1));
    EXPECT_EQ(state.m_selection.m_nEditSlot, 2);

    // Clearing in the middle of the pick leaves no mode that would write to slot -1.
    state.m_selection.m_nSlotPickCount = 0;
    state.ClearSlots();
    EXPECT_EQ(state.m_selection.m_nPickMode, 0);
    EXPECT_EQ(state.m_selection.m_nEditSlot, -1);
    EXPECT_EQ(state.m_selection.m_nSlotPickCount, -1);
    EXPECT_EQ(state.m_settings.m_abSlotOn[2], 0);
    EXPECT_TRUE(state.m_settings.m_aSlot[7][0] == CVector4());
    state.m_selection.m_nPickMode = 2;  // another control's mode is not the slots' to end
    state.ClearSlots();
    EXPECT_EQ(state.m_selection.m_nPickMode, 2);
}

TEST(ViewStateFaces, ChoiceFollowsThePanelFlags) {
    CViewState state;
    EXPECT_EQ(state.PanelContourChoice(), FacesShown::Unknown);
    state.m_settings.m_abPanelContour.assign(4, 0);
    EXPECT_EQ(state.PanelContourChoice(), FacesShown::None);
    state.m_settings.m_abPanelContour[3] = 1;
    EXPECT_EQ(state.PanelContourChoice(), FacesShown::Chosen);
    state.SetAllPanelContours(1);
    EXPECT_EQ(state.PanelContourChoice(), FacesShown::All);
}

}  // namespace
