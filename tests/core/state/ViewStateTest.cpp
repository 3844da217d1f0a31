#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>

#include "TempDir.h"
#include "geometry/VectorFunctions.h"
#include "state/DataSetLoad.h"
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
        LoadDataSetFiles(state, folder, header, w, h);
    }
    CViewState state;
};

TEST_F(ViewStateTest, LoadResetsEveryDisplaySettingToItsInitialState) {
    Load(kTower);
    // Change a bit of everything, then load again.
    state.m_nContourKind = 2;
    state.m_dColorMax = 3;
    state.m_nDivisions = 7;
    state.m_bShowMarkers = 0;
    state.m_bShowGround = 1;
    state.m_fZoom = 4;
    state.m_vPan.Set(5, 6, 7);
    state.m_abSlotOn[3] = 1;
    state.m_aSlot[3][0].Set(1, 2, 3);
    state.m_comment.flags[5] = 1;
    state.m_comment.size = 30;
    state.m_lstSelected = {101, 102};
    state.m_lstUndoGroup = {2};
    state.m_lstArbitrary.push_back(CArbitraryPoint{-1, CVector4(), 0, {}});
    state.SetPartMode(0, 0);
    state.Turn(CVector4(10, 20, 30));
    Load(kLShape);

    EXPECT_EQ(state.m_bShowMarkers, 1);
    EXPECT_EQ(state.m_bShowNumbers, 0);
    EXPECT_EQ(state.m_bShowAxes, 1);
    EXPECT_EQ(state.m_bShowAxisNumbers, 0);
    EXPECT_EQ(state.m_bShowMesh, 1);
    EXPECT_EQ(state.m_bShowGround, 0);
    EXPECT_EQ(state.m_bShowWind, 0);
    EXPECT_EQ(state.m_nContourKind, 0);
    EXPECT_EQ(state.m_dColorMax, 1.0);
    EXPECT_EQ(state.m_dColorMin, -1.0);
    EXPECT_EQ(state.m_nDivisions, 30);
    EXPECT_TRUE(state.m_aColorTable[0] == COLOR_BLUE);
    EXPECT_TRUE(state.m_aColorTable[29] == COLOR_RED);
    EXPECT_EQ(state.m_nTickInterval, 3);
    EXPECT_EQ(state.m_fZoom, 1.0f);
    EXPECT_EQ(state.m_abSlotOn[3], 0);
    EXPECT_EQ(state.m_aSlot[3][0].x, 1.0f);  // slot segments stay
    EXPECT_EQ(state.m_comment.flags[5], 0);
    EXPECT_EQ(state.m_comment.size, 14);
    EXPECT_EQ(state.m_nCornerCount, -1);
    EXPECT_TRUE(state.m_lstSelected.empty());
    EXPECT_TRUE(state.m_lstUndoGroup.empty());
    EXPECT_TRUE(state.m_lstArbitrary.empty());
    // The model turned -90 degrees about X from the identity; the angles read 270, 0, 0.
    EXPECT_TRUE(state.m_vAngles == CVector4(270, 0, 0));
    CMatrix4 turned;
    turned.Rotate(CVector4(-90, 0, 0));
    EXPECT_EQ(std::memcmp(state.m_matRotation.m, turned.m, sizeof turned.m), 0);
    // Contours on for every panel of the new mesh; every part grey and outlined.
    EXPECT_EQ(state.m_abPanelContour.size(), static_cast<size_t>(state.m_mesh.GetPanelCount()));
    EXPECT_GT(state.m_mesh.GetPanelCount(), 0);
    for (uint8_t f : state.m_abPanelContour) {
        EXPECT_EQ(f, 1);
    }
    for (int i = 0; i < state.GetPartCount(); ++i) {
        EXPECT_EQ(state.GetPartMode(i), 1);
        EXPECT_EQ(state.GetPartColor(i), VectorToColorRef(CVector4(0.7f, 0.7f, 0.7f)));
    }
    EXPECT_EQ(state.m_cp.m_nDirectionCount, 32);
    EXPECT_EQ(state.m_strDataFolder, kLShape);
}

TEST_F(ViewStateTest, BuildingAngleTurnsFromTheAsReadCopies) {
    Load(kTower);
    const std::vector<CVector4> original = state.m_taps.m_aPos;
    const CGeometry geoOriginal = state.m_geoMain;
    state.m_lstArbitrary.push_back(CArbitraryPoint{-1, CVector4(), 0, {}});

    state.SetBuildingAngle(90.0);
    ASSERT_EQ(state.m_taps.m_aPos.size(), original.size());
    for (size_t i = 0; i < original.size(); ++i) {
        const CVector4 expected =
            RotateAboutAxis(PLANE_XY, DegToRad(90.0), CVector4(), original[i]);
        EXPECT_EQ(state.m_taps.m_aPos[i].x, expected.x);
        EXPECT_EQ(state.m_taps.m_aPos[i].y, expected.y);
        EXPECT_EQ(state.m_taps.m_aPos[i].z, original[i].z);
        // Snapped to tenths.
        EXPECT_NEAR(state.m_taps.m_aPos[i].x * 10, std::round(state.m_taps.m_aPos[i].x * 10), 1e-2);
    }
    EXPECT_TRUE(state.m_lstArbitrary.empty());

    state.SetBuildingAngle(45.0);
    state.SetBuildingAngle(0.0);  // exactly as read: no rotation arithmetic at all
    for (size_t i = 0; i < original.size(); ++i) {
        EXPECT_EQ(std::memcmp(&state.m_taps.m_aPos[i].x, &original[i].x, 4 * sizeof(float)), 0);
    }
    const CVector4& a = state.m_geoMain.m_objects[0].m_faces[0].m_vertices[0];
    const CVector4& b = geoOriginal.m_objects[0].m_faces[0].m_vertices[0];
    EXPECT_EQ(std::memcmp(&a.x, &b.x, 4 * sizeof(float)), 0);
}

TEST_F(ViewStateTest, PanelNormalsAndLift) {
    Load(kTower);
    ASSERT_EQ(state.m_aPanelNormal.size(), static_cast<size_t>(state.m_mesh.GetPanelCount()));
    for (const CVector4& n : state.m_aPanelNormal) {
        EXPECT_NEAR(n.Distance(CVector4()), 1.0f, 1e-5f);
    }
    // The tower reaches 60 m = 60000 mm.
    EXPECT_FLOAT_EQ(state.m_fLift, 60.0f);

    TempDir dir;
    dir.Write("small.geo", "GEOMETRY_FILE,1\n0,0\n1\nA\n1\n3\n-999,0,0\n0,999,0\n0,0,500\n");
    dir.Write("big.geo", "GEOMETRY_FILE,1\n0,0\n1\nA\n1\n3\n-25000,0,0\n0,10,0\n0,0,5\n");
    CViewState s;
    s.m_geoMain.Load((dir.Path() / "small.geo").c_str());
    s.UpdatePanelNormals();
    EXPECT_EQ(s.m_fLift, 1.0f);
    s.m_geoMain.Load((dir.Path() / "big.geo").c_str());
    s.UpdatePanelNormals();
    EXPECT_FLOAT_EQ(s.m_fLift, 25.0f);
}

TEST_F(ViewStateTest, PartIndexRunsOverMainThenSub) {
    Load(kLShape);
    const int mainCount = static_cast<int>(state.m_geoMain.m_objects.size());
    ASSERT_GT(state.m_geoSub.m_objects.size(), 0u);
    state.SetPartMode(mainCount, 0);
    EXPECT_EQ(state.m_geoSub.m_objects[0].m_nDisplayMode, 0);
    EXPECT_EQ(state.m_geoSubOrg.m_objects[0].m_nDisplayMode, 0);
    state.SetPartColor(mainCount, MakeColorRef(255, 0, 0));
    EXPECT_EQ(state.GetPartColor(mainCount), MakeColorRef(255, 0, 0));
    // Kept through a rotation, which rebuilds the working copies from the as-read ones.
    state.SetBuildingAngle(30);
    EXPECT_EQ(state.GetPartMode(mainCount), 0);
    EXPECT_EQ(state.GetPartColor(mainCount), MakeColorRef(255, 0, 0));
    // Out of range: nothing changes, nothing is read past the end.
    state.SetPartMode(state.GetPartCount(), 0);
    state.SetPartMode(-1, 0);
    EXPECT_EQ(state.GetPartMode(state.GetPartCount()), 2);
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
    state.m_cp.m_nDirectionCount = 16;  // left from an earlier data set
    LoadDataSetFiles(state, (dir.Path() / "bare").string() + "/", CHeaderFile(), 1000, 500);
    EXPECT_EQ(state.m_cp.m_nDirectionCount, 8);
    EXPECT_EQ(state.m_cp.GetCp(1, 0), NO_VALUE);
    EXPECT_TRUE(state.m_taps.m_aTapNo.empty());
    EXPECT_EQ(state.m_mesh.GetPanelCount(), 0);
    EXPECT_TRUE(state.m_geoSub.m_objects.empty());
    EXPECT_FLOAT_EQ(state.m_fScale, 0.7f * std::min(1000.0f / 100, 500.0f / 50));
    // The user is told what was not read; a complete data set says nothing.
    EXPECT_NE(state.m_strLoadReport.find("cp.dat"), std::string::npos);
    EXPECT_NE(state.m_strLoadReport.find("mesh.msh"), std::string::npos);
    LoadDataSetFiles(state, kTower, CHeaderFile(), 1000, 500);
    EXPECT_EQ(state.m_strLoadReport, "");
}

}  // namespace

namespace {

TEST(ViewStateNotification, ListenersHearEveryChangeInOrderAndCanLeave) {
    CViewState state;
    std::vector<std::string> heard;
    const int first =
        state.AddListener([&](unsigned a) { heard.push_back("1:" + std::to_string(a)); });
    int second = 0;
    second = state.AddListener([&](unsigned a) {
        heard.push_back("2:" + std::to_string(a));
        state.RemoveListener(second);  // leaving from inside a notification is safe
    });
    state.Changed(ASPECT_DIRECTION);
    state.Changed(ASPECT_CAMERA | ASPECT_COMMENT);
    state.RemoveListener(first);
    state.Changed(ASPECT_ALL);
    EXPECT_EQ(heard,
              (std::vector<std::string>{"1:" + std::to_string(ASPECT_DIRECTION),
                                        "2:" + std::to_string(ASPECT_DIRECTION),
                                        "1:" + std::to_string(ASPECT_CAMERA | ASPECT_COMMENT)}));
}

TEST(ViewStateReset, RestoresTheDeclaredDefaultsButKeepsSlotSegments) {
    CViewState state;
    LoadDataSetFiles(state, kTower, CHeaderFile(), 800, 600);
    const uint64_t generation = state.Generation();
    state.m_nDirection = 5;
    state.m_nDivisions = 12;
    state.m_aColorTable[7] = COLOR_WHITE;
    state.m_comment.font = "ＭＳ 明朝";
    state.m_clrAmbient = CVector4(0.1f, 0.1f, 0.1f, 1.0f);
    state.m_aSlot[19][1].Set(4, 5, 6);
    state.m_nPickMode = 3;
    state.m_nEditSlot = 2;
    state.ResetDisplayState();
    // The defaults of the display-settings table.
    EXPECT_EQ(state.m_nDirection, 0);
    EXPECT_EQ(state.m_nDivisions, 30);
    EXPECT_TRUE(state.m_aColorTable[7] == CDisplaySettings().m_aColorTable[7]);
    EXPECT_EQ(state.m_comment.font, "ＭＳ ゴシック");
    EXPECT_FLOAT_EQ(state.m_clrAmbient.x, 0.7f);
    EXPECT_FLOAT_EQ(state.m_clrSpecular.x, 0.8f);
    EXPECT_FLOAT_EQ(state.m_clrShininess.x, 100.0f);
    EXPECT_EQ(state.m_aSlot[19][1].z, 6.0f);
    EXPECT_EQ(state.m_nPickMode, 0);
    EXPECT_EQ(state.m_nEditSlot, -1);
    // A reset is not a new data set: drawings derived from positions stay valid.
    EXPECT_EQ(state.Generation(), generation);
    state.SetBuildingAngle(10);
    EXPECT_GT(state.Generation(), generation);
}

}  // namespace

namespace {

TEST(ViewStateReset, EverySampleStartsWholeAndCentredInTheWindow) {
    for (const char* name : {"tower", "gable", "lshape"}) {
        SCOPED_TRACE(name);
        CViewState state;
        LoadDataSetFiles(state, std::string(KZV_SAMPLES_DIR) + name + "/", CHeaderFile(), 640, 480);
        CVector4 lo, hi;
        state.m_geoMain.GetBounds(lo, hi);
        const CVector4 centre = state.Project((lo + hi) * 0.5f, state.m_fScale);
        EXPECT_NEAR(centre.x, 0.0f, 0.01f);
        EXPECT_NEAR(centre.y, 0.0f, 0.01f);
        for (int corner = 0; corner < 8; ++corner) {
            const CVector4 p(corner & 1 ? hi.x : lo.x, corner & 2 ? hi.y : lo.y,
                             corner & 4 ? hi.z : lo.z);
            const CVector4 at = state.Project(p, state.m_fScale);
            EXPECT_LE(std::fabs(at.x), 320.0f);
            EXPECT_LE(std::fabs(at.y), 240.0f);
        }
    }
}

}  // namespace

namespace {

TEST(ViewStateSlots, EditingClearsTheSlotAndClearingEndsThePick) {
    CViewState state;
    state.m_abSlotOn[2] = 1;
    state.m_aSlot[2][1].Set(4, 5, 6);
    state.m_aSlot[7][0].Set(7, 8, 9);
    // "編集" of slot 3: its segment goes at once, before any point is picked.
    EXPECT_TRUE(state.BeginSlotEdit(2));
    EXPECT_EQ(state.m_nPickMode, 6);
    EXPECT_EQ(state.m_nEditSlot, 2);
    EXPECT_TRUE(state.m_aSlot[2][1] == CVector4());
    EXPECT_TRUE(state.m_aSlot[7][0] == CVector4(7, 8, 9));
    EXPECT_FALSE(state.BeginSlotEdit(SLOT_COUNT));
    EXPECT_FALSE(state.BeginSlotEdit(-1));
    EXPECT_EQ(state.m_nEditSlot, 2);

    // Clearing in the middle of the pick leaves no mode that would write to slot -1.
    state.m_nSlotPickCount = 0;
    state.ClearSlots();
    EXPECT_EQ(state.m_nPickMode, 0);
    EXPECT_EQ(state.m_nEditSlot, -1);
    EXPECT_EQ(state.m_nSlotPickCount, -1);
    EXPECT_EQ(state.m_abSlotOn[2], 0);
    EXPECT_TRUE(state.m_aSlot[7][0] == CVector4());
    state.m_nPickMode = 2;  // another control's mode is not the slots' to end
    state.ClearSlots();
    EXPECT_EQ(state.m_nPickMode, 2);
}

TEST(ViewStateFaces, ChoiceFollowsThePanelFlags) {
    CViewState state;
    EXPECT_EQ(state.PanelContourChoice(), FacesShown::Unknown);
    state.m_abPanelContour.assign(4, 0);
    EXPECT_EQ(state.PanelContourChoice(), FacesShown::None);
    state.m_abPanelContour[3] = 1;
    EXPECT_EQ(state.PanelContourChoice(), FacesShown::Chosen);
    state.SetAllPanelContours(1);
    EXPECT_EQ(state.PanelContourChoice(), FacesShown::All);
}

}  // namespace
