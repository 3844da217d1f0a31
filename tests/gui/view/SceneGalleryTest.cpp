// Renders every sample in a range of display states and saves each frame under
// <test binary folder>/gallery/. The pictures are the reference for refactors that must not
// change a pixel (render before and after, compare the folders) and the screenshots of the
// README and the user guide. Each frame must show the model.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "field/Camera.h"
#include "render/TestView.h"
#include "view/KZ_VView.h"

namespace {

using Setup = std::function<void(CKZ_VView&)>;

std::vector<std::pair<std::string, Setup>> GalleryStates() {
    return {
        {"default", [](CKZ_VView&) {}},
        {"all-layers",
         [](CKZ_VView& v) {
             Arrange(v.Owner()).m_settings.m_bShowNumbers = 1;
             Arrange(v.Owner()).m_settings.m_bShowAxisNumbers = 1;
             Arrange(v.Owner()).m_settings.m_bShowGround = 1;
             Arrange(v.Owner()).m_settings.m_bShowWind = 1;
             for (int i = 0; i < COMMENT_ITEM_COUNT; ++i) {
                 Arrange(v.Owner()).m_settings.m_comment.flags[i] = 1;
             }
         }},
        {"plan-lines-labels",
         [](CKZ_VView& v) {
             Arrange(v.Owner()).SetViewPreset(VIEW_Y_PLUS);
             Arrange(v.Owner()).m_settings.m_nContourKind = 2;
             Arrange(v.Owner()).m_settings.m_bShowLabels = 1;
             Arrange(v.Owner()).m_settings.m_nLabelSkip = 1;
             Arrange(v.Owner()).m_settings.m_abSlotOn[0] = 1;
             Arrange(v.Owner()).m_settings.m_aSlot[0][0] = CVector4(-8000, -10000, 20000);
             Arrange(v.Owner()).m_settings.m_aSlot[0][1] = CVector4(8000, -10000, 40000);
             Arrange(v.Owner()).m_bSlotsVisible = true;
         }},
        {"lines-fixed-colours",
         [](CKZ_VView& v) {
             Arrange(v.Owner()).m_settings.m_nContourKind = 1;
             Arrange(v.Owner()).m_settings.m_nLineColorMode = 1;
             Arrange(v.Owner()).m_settings.m_clrLine = CVector4(0.2f, 0.4f, 0.1f);
             Arrange(v.Owner()).m_settings.m_bShowLabels = 1;
             Arrange(v.Owner()).m_settings.m_nLabelColorMode = 1;
             Arrange(v.Owner()).m_settings.m_clrLabel = CVector4(0.8f, 0.1f, 0.5f);
         }},
        {"direction3-angle30",
         [](CKZ_VView& v) {
             Arrange(v.Owner()).m_settings.m_nDirection = 3;
             Arrange(v.Owner()).SetBuildingAngle(30.0);
             Arrange(v.Owner()).m_settings.m_bShowWind = 1;
         }},
        {"scale10-faces",
         [](CKZ_VView& v) {
             Arrange(v.Owner()).m_settings.m_nDivisions = 10;
             Arrange(v.Owner()).m_settings.m_dColorMin = -2.0;
             Arrange(v.Owner()).m_settings.m_dColorMax = 0.5;
             Arrange(v.Owner()).m_settings.m_nTickInterval = 1;
             for (int i = 0; i < Arrange(v.Owner()).m_data.GetPartCount(); ++i) {
                 Arrange(v.Owner()).m_data.SetPartMode(i, i % 2 == 0 ? 0 : 2);
                 Arrange(v.Owner()).m_data.SetPartColor(i, MakeColorRef(200, 180, 40));
             }
             Arrange(v.Owner()).m_settings.m_clrAmbient = CVector4(0.3f, 0.3f, 0.3f, 1.0f);
         }},
        {"listed-numbers-no-markers",
         [](CKZ_VView& v) {
             // Listed taps are marked in magenta even with the markers off; their numbers too.
             Arrange(v.Owner()).m_settings.m_bShowMarkers = 0;
             Arrange(v.Owner()).m_settings.m_bShowNumbers = 1;
             Arrange(v.Owner()).m_settings.m_bShowAxisNumbers = 1;
             for (size_t i = 0; i < Arrange(v.Owner()).m_data.m_taps.m_aTapNo.size(); i += 3) {
                 const CVector4& p = Arrange(v.Owner()).m_data.m_taps.m_aPos[i];
                 Arrange(v.Owner()).m_valueList.AddPointRow(
                     Arrange(v.Owner()).m_data.m_taps.m_aTapNo[i], p.x, p.y, p.z, 0.0);
             }
             CArbitraryPoint point;
             point.id = -1;
             point.pos =
                 Arrange(v.Owner()).m_data.m_taps.m_aPos[0] + CVector4(500.0f, 0.0f, 500.0f);
             Arrange(v.Owner()).m_selection.m_lstArbitrary.push_back(point);
             Arrange(v.Owner()).m_selection.m_nCornerCount = 1;
             Arrange(v.Owner()).m_selection.m_aCorner[0] =
                 Arrange(v.Owner()).m_data.m_taps.m_aPos[1];
             Arrange(v.Owner()).m_selection.m_aCorner[1] =
                 Arrange(v.Owner()).m_data.m_taps.m_aPos[2];
             Arrange(v.Owner()).m_settings.m_comment.flags[0] = 1;
             Arrange(v.Owner()).m_settings.m_comment.flags[5] = 1;
             Arrange(v.Owner()).m_settings.m_comment.size = 20;
         }},
        {"iso-zoom-pan",
         [](CKZ_VView& v) {
             Arrange(v.Owner()).m_camera.ResetRotation();
             Arrange(v.Owner()).m_camera.Turn(CVector4(-60.0f, 0.0f, 30.0f));
             Arrange(v.Owner()).m_camera.m_fZoom = 1.6f;
             Arrange(v.Owner()).m_camera.m_vPan = CVector4(-40.0f, 30.0f, 0.0f);
             Arrange(v.Owner()).m_settings.m_abPanelContour.assign(
                 Arrange(v.Owner()).m_settings.m_abPanelContour.size(), 0);
             for (size_t p = 0; p < Arrange(v.Owner()).m_settings.m_abPanelContour.size(); p += 3) {
                 Arrange(v.Owner()).m_settings.m_abPanelContour[p] = 1;
             }
         }},
    };
}

TEST(SceneGallery, EverySampleInEveryStateShowsTheModel) {
    const QString folder = QCoreApplication::applicationDirPath() + "/gallery/";
    QDir().mkpath(folder);
    for (const char* sample : {"tower", "gable", "lshape"}) {
        for (const auto& [name, setup] : GalleryStates()) {
            SCOPED_TRACE(std::string(sample) + "-" + name);
            CStateOwner viewState;
            CKZ_VView view{viewState};
            ASSERT_TRUE(ShowExposed(view, 640, 480));
            LoadSample(view, sample);
            setup(view);
            const QImage image = GrabFrame(view);
            image.save(folder + sample + "-" + QString::fromStdString(name) + ".png");
            EXPECT_GT(CountPixelsDarkerThan(image, image.rect(), 240), 500);
        }
    }
}

}  // namespace
