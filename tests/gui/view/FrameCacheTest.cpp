#include <gtest/gtest.h>

#include <QTest>

#include "field/Picking.h"
#include "render/TestView.h"
#include "view/KZ_VView.h"
#include "view/PickSupport.h"

namespace {

// The contours are computed again only when something they are drawn from changed.
TEST(FrameCache, CameraMovesReuseTheContoursAndEveryInputRenewsThem) {
    CStateOwner viewState;
    CKZ_VView view{viewState};
    ASSERT_TRUE(ShowExposed(view, 400, 300));
    LoadSample(view, "tower");
    (void)GrabFrame(view);
    const int computed = view.FrameCache().contourComputations;

    // A real drag and a preset: the picture changes, the contours are reused.
    const QImage before = GrabFrame(view);
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    QTest::mouseMove(&view, QPoint(160, 130));
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, QPoint(160, 130));
    Arrange(view.Owner()).SetViewPreset(VIEW_Y_PLUS);
    EXPECT_NE(GrabFrame(view), before);
    EXPECT_EQ(view.FrameCache().contourComputations, computed);

    // Each input, written directly as a page does, is noticed without any announcement.
    int expected = computed;
    auto renewed = [&](const char* what) {
        (void)GrabFrame(view);
        EXPECT_EQ(view.FrameCache().contourComputations, ++expected) << what;
    };
    Arrange(view.Owner()).m_settings.m_nDirection = 3;
    renewed("direction");
    Arrange(view.Owner()).m_settings.m_nContourKind = 2;
    renewed("kind");
    Arrange(view.Owner()).m_settings.m_abPanelContour[4] = 0;
    renewed("panel flag");
    Arrange(view.Owner()).m_settings.m_aColorTable[10] = COLOR_WHITE;
    renewed("colour");
    Arrange(view.Owner()).m_settings.m_aSlot[2][1].x += 0.001f;
    renewed("slot");
    Arrange(view.Owner()).SetBuildingAngle(15.0);
    renewed("building angle");
}

}  // namespace

// The taps' markers and numbers are one display list, made again only when what they are drawn
// from changes: not for a drag, but for a tap listed by a click, another way of drawing the
// numbers, the numbers switched off and a turned building.
TEST(FrameCache, TapMarkersAreCompiledOnceAndRenewedByTheirInputs) {
    CStateOwner viewState;
    CKZ_VView view{viewState};
    ASSERT_TRUE(ShowExposed(view, 500, 400));
    LoadSample(view, "tower");
    Arrange(view.Owner()).m_settings.m_bShowNumbers = 1;
    // Every tap drawn: with thinning the shown subset (and so the list) follows the camera.
    Arrange(view.Owner()).m_settings.m_bThinTaps = 0;
    (void)GrabFrame(view);
    const int made = view.FrameCache().pointsCompilations;
    EXPECT_GE(made, 1);

    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    QTest::mouseMove(&view, QPoint(130, 110));
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, QPoint(130, 110));
    const QImage turned = GrabFrame(view);
    EXPECT_EQ(view.FrameCache().pointsCompilations, made);

    Arrange(view.Owner()).m_selection.m_nPickMode = PICK_TAP;
    const int i = LoneFrontTap(view, QPoint(250, 200));
    ASSERT_GE(i, 0);
    const QPoint at =
        WindowPoint(view, Arrange(view.Owner()).m_data.m_taps.m_aPos[static_cast<size_t>(i)]);
    QTest::mouseClick(&view, Qt::LeftButton, {}, at);
    ASSERT_EQ(Arrange(view.Owner()).m_valueList.GetRowCount(), 1);
    const QImage listed = GrabFrame(view);
    EXPECT_EQ(view.FrameCache().pointsCompilations, made + 1);
    EXPECT_NE(listed, turned);
    EXPECT_TRUE(Near(PixelAt(listed, at.x(), at.y()),
                     QColor::fromRgbF(MARK_COLOR.x, MARK_COLOR.y, MARK_COLOR.z)));
    // Half the numbers in pieces, then all of them: the same picture.
    view.m_nNumberBitmapLimit = 0;
    view.m_nLargeSetNumberBitmaps = Arrange(view.Owner()).m_data.m_taps.m_aTapNo.size() / 2;
    EXPECT_EQ(GrabFrame(view), listed);
    view.m_nLargeSetNumberBitmaps = 0;
    EXPECT_EQ(GrabFrame(view), listed);
    EXPECT_EQ(view.FrameCache().pointsCompilations, made + 3);
    Arrange(view.Owner()).m_settings.m_bShowNumbers = 0;
    (void)GrabFrame(view);
    EXPECT_EQ(view.FrameCache().pointsCompilations, made + 4);
    Arrange(view.Owner()).SetBuildingAngle(30.0);
    (void)GrabFrame(view);
    EXPECT_EQ(view.FrameCache().pointsCompilations, made + 5);
}
