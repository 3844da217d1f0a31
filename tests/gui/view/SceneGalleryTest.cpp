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

#include "view/KZ_VView.h"
#include "field/Camera.h"
#include "render/TestView.h"

namespace {

using Setup = std::function<void(CKZ_VView&)>;

std::vector<std::pair<std::string, Setup>> GalleryStates() {
    return {
        {"default", [](CKZ_VView&) {}},
        {"all-layers",
         [](CKZ_VView& v) {
             v.m_bShowNumbers = 1;
             v.m_bShowAxisNumbers = 1;
             v.m_bShowGround = 1;
             v.m_bShowWind = 1;
             for (int i = 0; i < COMMENT_ITEM_COUNT; ++i) {
                 v.m_comment.flags[i] = 1;
             }
         }},
        {"plan-lines-labels",
         [](CKZ_VView& v) {
             v.SetViewPreset(VIEW_Y_PLUS);
             v.m_nContourKind = 2;
             v.m_bShowLabels = 1;
             v.m_nLabelSkip = 1;
             v.m_abSlotOn[0] = 1;
             v.m_aSlot[0][0] = CVector4(-8000, -10000, 20000);
             v.m_aSlot[0][1] = CVector4(8000, -10000, 40000);
             v.m_bSlotsVisible = true;
         }},
        {"lines-fixed-colours",
         [](CKZ_VView& v) {
             v.m_nContourKind = 1;
             v.m_nLineColorMode = 1;
             v.m_clrLine = CVector4(0.2f, 0.4f, 0.1f);
             v.m_bShowLabels = 1;
             v.m_nLabelColorMode = 1;
             v.m_clrLabel = CVector4(0.8f, 0.1f, 0.5f);
         }},
        {"direction3-angle30",
         [](CKZ_VView& v) {
             v.m_nDirection = 3;
             v.SetBuildingAngle(30.0);
             v.m_bShowWind = 1;
         }},
        {"scale10-faces",
         [](CKZ_VView& v) {
             v.m_nDivisions = 10;
             v.m_dColorMin = -2.0;
             v.m_dColorMax = 0.5;
             v.m_nTickInterval = 1;
             for (int i = 0; i < v.GetPartCount(); ++i) {
                 v.SetPartMode(i, i % 2 == 0 ? 0 : 2);
                 v.SetPartColor(i, MakeColorRef(200, 180, 40));
             }
             v.m_clrAmbient = CVector4(0.3f, 0.3f, 0.3f, 1.0f);
         }},
        {"listed-numbers-no-markers",
         [](CKZ_VView& v) {
             // Listed taps are marked in magenta even with the markers off; their numbers too.
             v.m_bShowMarkers = 0;
             v.m_bShowNumbers = 1;
             v.m_bShowAxisNumbers = 1;
             for (size_t i = 0; i < v.m_taps.m_aTapNo.size(); i += 3) {
                 const CVector4& p = v.m_taps.m_aPos[i];
                 v.m_valueList.AddPointRow(v.m_taps.m_aTapNo[i], p.x, p.y, p.z, 0.0);
             }
             CArbitraryPoint point;
             point.id = -1;
             point.pos = v.m_taps.m_aPos[0] + CVector4(500.0f, 0.0f, 500.0f);
             v.m_lstArbitrary.push_back(point);
             v.m_nCornerCount = 1;
             v.m_aCorner[0] = v.m_taps.m_aPos[1];
             v.m_aCorner[1] = v.m_taps.m_aPos[2];
             v.m_comment.flags[0] = 1;
             v.m_comment.flags[5] = 1;
             v.m_comment.size = 20;
         }},
        {"iso-zoom-pan",
         [](CKZ_VView& v) {
             v.ResetRotation();
             v.Turn(CVector4(-60.0f, 0.0f, 30.0f));
             v.m_fZoom = 1.6f;
             v.m_vPan = CVector4(-40.0f, 30.0f, 0.0f);
             v.m_abPanelContour.assign(v.m_abPanelContour.size(), 0);
             for (size_t p = 0; p < v.m_abPanelContour.size(); p += 3) {
                 v.m_abPanelContour[p] = 1;
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
            CKZ_VView view;
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
