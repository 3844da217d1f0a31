#include <gtest/gtest.h>

#include <QTest>

#include "KZ_VView.h"
#include "render/TestView.h"

namespace {

// The contours are computed again only when something they are drawn from changed.
TEST(FrameCache, CameraMovesReuseTheContoursAndEveryInputRenewsThem) {
    CKZ_VView view;
    ASSERT_TRUE(ShowExposed(view, 400, 300));
    LoadSample(view, "tower");
    (void)GrabFrame(view);
    const int computed = view.FrameCache().contourComputations;

    // A real drag and a preset: the picture changes, the contours are reused.
    const QImage before = GrabFrame(view);
    QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    QTest::mouseMove(&view, QPoint(160, 130));
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, QPoint(160, 130));
    view.SetViewPreset(VIEW_Y_PLUS);
    EXPECT_NE(GrabFrame(view), before);
    EXPECT_EQ(view.FrameCache().contourComputations, computed);

    // Each input, written directly as a page does, is noticed without any announcement.
    int expected = computed;
    auto renewed = [&](const char* what) {
        (void)GrabFrame(view);
        EXPECT_EQ(view.FrameCache().contourComputations, ++expected) << what;
    };
    view.m_nDirection = 3;
    renewed("direction");
    view.m_nContourKind = 2;
    renewed("kind");
    view.m_abPanelContour[4] = 0;
    renewed("panel flag");
    view.m_aColorTable[10] = COLOR_WHITE;
    renewed("colour");
    view.m_aSlot[2][1].x += 0.001f;
    renewed("slot");
    view.SetBuildingAngle(15.0);
    renewed("building angle");
}

}  // namespace
