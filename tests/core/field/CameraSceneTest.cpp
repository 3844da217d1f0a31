#include <gtest/gtest.h>

#include "TempDir.h"
#include "field/Camera.h"
#include "field/SceneLayout.h"
#include "state/ViewState.h"

namespace {

TEST(Camera, ZoomDragsAreSymmetricAndRotateDragsTurnAFullCircle) {
    CCamera c;
    c.Drag(DRAG_ZOOM, 400, 10, 800, 600);  // half the width to the right
    EXPECT_FLOAT_EQ(c.m_fZoom, 1.5f);
    c.Drag(DRAG_ZOOM, -400, 10, 800, 600);
    EXPECT_FLOAT_EQ(c.m_fZoom, 1.0f);
    c.Drag(DRAG_ZOOM, 5, -300, 800, 600);  // mostly vertical: measured against H
    EXPECT_FLOAT_EQ(c.m_fZoom, 1.0f / 1.5f);

    c.m_vAngles = CVector4(30, 40, 50);
    c.Drag(DRAG_ROTATE, 0, 600, 800, 600);  // full height: 360 about X
    EXPECT_FLOAT_EQ(c.m_vAngles.x, 30.0f);
    c.Drag(DRAG_ROTATE, -200, 0, 800, 600);
    EXPECT_FLOAT_EQ(c.m_vAngles.y, 310.0f);          // 40 - 90 wrapped into [0, 360)
    EXPECT_TRUE(c.m_vRotStep == CVector4(0, 0, 0));  // nothing left for the redraw to apply

    c.Drag(DRAG_PAN, 7, 9, 800, 600);
    EXPECT_FLOAT_EQ(c.m_vPan.x, 7.0f);
    EXPECT_FLOAT_EQ(c.m_vPan.y, -9.0f);
}

TEST(Camera, EveryDragStepReachesTheMatrixOnceWhateverComesBetween) {
    // Drags that arrive before a redraw used to lose or repeat a step; the matrix and the
    // angles must always tell the same rotation.
    CCamera c;
    c.ResetRotation();
    c.Drag(DRAG_ROTATE, 80, 0, 800, 600);   // 36 degrees about Y
    c.Drag(DRAG_ZOOM, 10, 0, 800, 600);     // no turn
    c.Drag(DRAG_ROTATE, 0, -60, 800, 600);  // -36 degrees about X
    CMatrix4 expected;
    expected.Rotate(CVector4(0, 36, 0));
    expected.Rotate(CVector4(-36, 0, 0));
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(c.m_matRotation.m[i], expected.m[i]) << i;
    }
    EXPECT_TRUE(c.m_vAngles == CVector4(324, 36, 0));
}

TEST(Camera, PresetsResetTheRotationAndTurnToTheirView) {
    CCamera c;
    c.m_matRotation.Rotate(CVector4(10, 20, 30));
    c.m_vAngles = CVector4(1, 2, 3);
    c.SetViewPreset(VIEW_Y_PLUS);
    EXPECT_TRUE(c.m_vAngles == CVector4(0, 0, 0));
    EXPECT_EQ(c.m_matRotation.m[0], 1.0f);
    EXPECT_EQ(c.m_matRotation.m[1], 0.0f);
    c.SetViewPreset(VIEW_X_MINUS);
    EXPECT_TRUE(c.m_vAngles == CVector4(90, 180, 270));
    c.SetViewPreset(VIEW_Z_PLUS);  // the reset display state's view: y up becomes z up
    EXPECT_TRUE(c.m_vAngles == CVector4(270, 0, 0));
    EXPECT_NEAR(c.m_matRotation.m[6], -1.0f, 1e-6f);  // model y goes into the screen
}

// A main geometry that spans x from -halfX to halfX, y from -5000 to 5000, z from 0 to top.
void Box(CViewState& s, TempDir& dir, float halfX, float top) {
    const std::string text = "GEOMETRY_FILE,1\n0,0\n1\nB\n1\n3\n" + std::to_string(-halfX) +
                             ",-5000,0\n" + std::to_string(halfX) + ",5000,0\n0,0," +
                             std::to_string(top) + "\n";
    s.m_data.m_geoMain.Load(dir.Write("box.geo", text).c_str());
}

TEST(SceneLayout, ExtentStepsAndAxisNumbers) {
    EXPECT_EQ(GridStep(20000), 1000);
    EXPECT_EQ(GridStep(20001), 2000);
    EXPECT_EQ(GridStep(40000), 2000);
    EXPECT_EQ(GridStep(100000), 5000);
    EXPECT_EQ(GridStep(100001), 10000);

    TempDir dir;
    CViewState s;
    s.m_data.m_fScale = 0.01f;
    Box(s, dir, 30000, 12000);  // reaches 30 m in x
    EXPECT_DOUBLE_EQ(SceneExtent(s.m_data), 45000.0);
    std::vector<CSceneText> texts;
    std::vector<CSceneSphere> spheres;
    AxisTicks(s.m_data, texts, spheres);
    ASSERT_EQ(texts.size(), spheres.size());
    // X and Y: +-5 .. +-40, four numbers per step, 8 steps; then Z by 1000 up to 1.5 x 12 m.
    EXPECT_EQ(texts[0].text, "5");
    EXPECT_EQ(texts[1].text, "-5");
    EXPECT_EQ(texts[4 * 7].text, "40");
    EXPECT_EQ(texts[4 * 8].text, "1");
    EXPECT_TRUE(texts[4 * 8].colour == AXIS_Z_COLOR);
    // Z: 1..17 above (K < 18000), -1..-5 below (K < 6000 - 0).
    EXPECT_EQ(texts.size(), 4u * 8 + 17 + 5);
    EXPECT_EQ(spheres[0].radius, 200.0f);  // 2 / scale, cut to an integer

    // Ground grid: F = 45000; 9 lines each way on each side; centre lines only without axes.
    EXPECT_EQ(GroundGridLines(s.m_data, s.m_settings).size(), 4u * 9);
    s.m_settings.m_bShowAxes = 0;
    EXPECT_EQ(GroundGridLines(s.m_data, s.m_settings).size(), 4u * 9 + 2);

    const std::vector<CAxisItem> axes = AxisItems(s.m_data);
    EXPECT_FLOAT_EQ(axes[0].line.b.x, 45000.0f);
    EXPECT_FLOAT_EQ(axes[2].line.a.z, -6000.0f);
    EXPECT_FLOAT_EQ(axes[2].letter.position.z, 18000.0f);
}

TEST(SceneLayout, WindArrowsTurnWithTheDirection) {
    TempDir dir;
    CViewState s;
    Box(s, dir, 4000, 1000);  // E = 7500: step 1000, F = 7000
    s.m_data.m_cp.m_nDirectionCount = 16;
    s.m_settings.m_nDirection = 4;
    EXPECT_FLOAT_EQ(WindArrowAngle(s.m_data, s.m_settings), -90.0f);
    const std::vector<CSceneLine> arrows = WindArrowLines(s.m_data);
    EXPECT_EQ(arrows.size(), 15u * 3);  // x = -7000 .. 7000
    EXPECT_FLOAT_EQ(arrows[0].a.x, -7000.0f);
    EXPECT_FLOAT_EQ(arrows[0].a.y, -1000.0f);
    EXPECT_FLOAT_EQ(arrows[1].a.x, -6800.0f);  // head: s / 5 = 200 aside, s / 2 back
    EXPECT_FLOAT_EQ(arrows[1].a.y, -500.0f);
}

TEST(SceneLayout, NumberPanelFollowsTheCornerCounts) {
    CViewState s;
    s.m_data.m_mesh.m_aPanelNo = {1, 2, 3};
    s.m_data.m_mesh.m_aNodeCount = {4, 3, 4};
    s.m_data.m_mesh.m_aNodeTapNo.assign(11, 1);
    s.m_data.m_mesh.RebuildOffsets();
    EXPECT_EQ(NumberPanelOfTap(s.m_data, 0), 0);
    EXPECT_EQ(NumberPanelOfTap(s.m_data, 3), 0);
    EXPECT_EQ(NumberPanelOfTap(s.m_data, 4), 1);
    EXPECT_EQ(NumberPanelOfTap(s.m_data, 6), 1);
    EXPECT_EQ(NumberPanelOfTap(s.m_data, 7), 2);
    EXPECT_EQ(NumberPanelOfTap(s.m_data, 10), 2);
    EXPECT_EQ(NumberPanelOfTap(s.m_data, 11), -1);
}

}  // namespace
