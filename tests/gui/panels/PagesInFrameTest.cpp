// The three pages in the main window with the view: keys and drags in the view reach the
// pages and the status bar through the state, and the screenshots of the pages and of the
// tower at three directions are saved under <test binary folder>/pages/.

#include <QLineEdit>
#include <QTabWidget>

#include "app/MainFrame.h"
#include "panels/OperationPanelBar.h"
#include "panels/PageControlIds.h"
#include "panels/PageTestSupport.h"
#include "render/TestView.h"

namespace {

using namespace kzv::page;

class PagesInFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ShowExposed(frame, 1200, 900));
        LoadSample(*frame.View(), "tower");
    }
    QString DirectionPane() const { return frame.DirectionPane()->text(); }
    CMainFrame frame;
};

TEST_F(PagesInFrameTest, PageKeysInTheViewStepTheDirectionEverywhere) {
    CKZ_VView* view = frame.View();
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    EXPECT_EQ(frame.focusWidget(), view);  // a click gives the view the keyboard
    EXPECT_EQ(DirectionPane(), QStringLiteral("0"));

    QTest::keyClick(view, Qt::Key_PageUp);
    EXPECT_EQ(Arrange(view->Owner()).m_settings.m_nDirection, 1);
    EXPECT_EQ(DirectionPane(), QStringLiteral("22.5"));
    const QWidget* page = frame.OperationPanel()->m_pageDirection;
    EXPECT_EQ(PageControl<QLineEdit>(page, IDC_DIR_ANGLE)->text(), QStringLiteral("22.5"));
    QTest::keyClick(view, Qt::Key_PageDown);
    QTest::keyClick(view, Qt::Key_PageDown);
    EXPECT_EQ(Arrange(view->Owner()).m_settings.m_nDirection, 15);
    EXPECT_EQ(DirectionPane(), QStringLiteral("337.5"));
    EXPECT_FALSE(view->statusTip().isEmpty());
}

TEST_F(PagesInFrameTest, DragInTheViewShowsTheNewAnglesOnTheOperationPage) {
    CKZ_VView* view = frame.View();
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    QTest::mouseMove(view, QPoint(100 - view->width() / 4, 100 + view->height() / 8));
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier,
                        QPoint(100 - view->width() / 4, 100 + view->height() / 8));
    const QWidget* page = frame.OperationPanel()->m_pageOperation;
    const int fields[] = {IDC_SET_HORIZONTAL, IDC_SET_VERTICAL, IDC_SET_Z};
    const float angles[] = {Arrange(view->Owner()).m_camera.m_vAngles.y,
                            Arrange(view->Owner()).m_camera.m_vAngles.x,
                            Arrange(view->Owner()).m_camera.m_vAngles.z};
    for (int i = 0; i < 3; ++i) {
        const int shown = PageControl<QLineEdit>(page, fields[i])->text().toInt();
        EXPECT_EQ(shown, static_cast<int>(angles[i])) << fields[i];
        EXPECT_GE(shown, 0);
        EXPECT_LE(shown, 359);
    }
    EXPECT_NE(PageControl<QLineEdit>(page, IDC_SET_HORIZONTAL)->text(), QStringLiteral("0"));
}

TEST_F(PagesInFrameTest, ScreenshotsOfThePagesAndOfTheTowerAtThreeDirections) {
    QTabWidget* tabs = frame.OperationPanel()->Tabs();
    const char* names[] = {"direction", "operation", "display"};
    for (int i = 0; i < 3; ++i) {
        tabs->setCurrentIndex(i);
        QWidget* page = tabs->widget(i);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.windowHandle()));
        SaveScreenshot(page->grab().toImage(), QString::fromUtf8(names[i]));
    }

    CKZ_VView* view = frame.View();
    // From above at a slant, so the wind arrows on the ground show.
    Arrange(view->Owner()).m_settings.m_bShowWind = 1;
    Arrange(view->Owner()).m_settings.m_bShowGround = 1;
    Arrange(view->Owner()).m_camera.ResetRotation();
    Arrange(view->Owner()).m_camera.Turn(CVector4(-60.0f, 0.0f, 30.0f));
    Arrange(view->Owner()).m_camera.m_fZoom = 0.8f;
    view->Owner().Changed(ASPECT_GEOMETRY | ASPECT_CAMERA);
    QImage previous;
    for (int direction : {0, 4, 8}) {
        Arrange(view->Owner()).m_settings.m_nDirection = direction;
        view->Owner().Changed(ASPECT_DIRECTION);
        const QImage image = GrabFrame(*view);
        SaveScreenshot(image, QStringLiteral("tower-direction-%1").arg(direction));
        EXPECT_NE(image, previous) << direction;  // the field is coloured for each direction
        previous = image;
    }
}

}  // namespace
