// The contour and colour-bar pages in the main window with the view, the label-position
// dialog they bring up, and the operation panel at its default size. Screenshots of the pages
// and of the samples with labelled line contours are saved under <test binary folder>/pages/.

#include <QDockWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>

#include "app/MainFrame.h"
#include "panels/ContourPage.h"
#include "panels/LabelPosDlg.h"
#include "panels/OperationPanelBar.h"
#include "panels/PageControlIds.h"
#include "panels/PageTestSupport.h"
#include "panels/ValueListBar.h"
#include "render/TestView.h"

namespace {

using namespace kzv::page;

constexpr int kContourTab = 3;
constexpr int kColorBarTab = 4;

class ContourInFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ShowExposed(frame, 1200, 900));
        frame.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
        // The bars at their default sizes, as a first start lays them out.
        frame.resizeDocks({Bar(), frame.ValueListBar()}, {320, 320}, Qt::Horizontal);
        frame.resizeDocks({Bar(), frame.ValueListBar()}, {100, 500}, Qt::Vertical);
        Settle();
    }
    // Lets the window lay itself out after a change of size or tab.
    static void Settle() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
        }
    }
    COperationPanelBar* Bar() const { return frame.OperationPanel(); }
    // Selects a tab by clicking it, as the user does.
    CPanelPage* ShowTab(int tab) {
        QTabBar* tabs = Bar()->Tabs()->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(tab).center());
        EXPECT_EQ(Bar()->Tabs()->currentIndex(), tab);
        Settle();
        return Bar()->Page(tab);
    }
    void Enter(QWidget* page, int id, const QString& text) {
        auto* edit = PageControl<QLineEdit>(page, id);
        Click(edit);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    CMainFrame frame;
};

// Two slots crossing on the first face (taps 101, 102, ...), along the diagonals of the box
// around its taps: on an upright plane face they lie in the face and cross the lines on it.
void PutSlotsOnFirstFace(CViewState& state) {
    CVector4 lo(1e30f, 1e30f, 1e30f), hi(-1e30f, -1e30f, -1e30f);
    for (size_t i = 0; i < state.m_data.m_taps.m_aTapNo.size(); ++i) {
        if (state.m_data.m_taps.m_aTapNo[i] / 100 != 1) {
            continue;
        }
        const CVector4& p = state.m_data.m_taps.m_aPos[i];
        lo.Set(std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z));
        hi.Set(std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z));
    }
    state.m_settings.m_abSlotOn[0] = state.m_settings.m_abSlotOn[1] = 1;
    state.m_settings.m_aSlot[0][0] = lo;
    state.m_settings.m_aSlot[0][1] = hi;
    state.m_settings.m_aSlot[1][0] = CVector4(lo.x, lo.y, hi.z);
    state.m_settings.m_aSlot[1][1] = CVector4(hi.x, hi.y, lo.z);
}

TEST_F(ContourInFrameTest, ContourPageBringsUpTheLabelDialogAndPicksFacesInFront) {
    LoadSample(*frame.View(), "tower");
    CPanelPage* page = ShowTab(kContourTab);
    ClickIndicator(PageControl<QRadioButton>(page, IDC_KIND_LINES));
    Click(PageControl<QPushButton>(page, IDC_EDIT_LABEL_POS));
    EXPECT_TRUE(frame.LabelPosDlg()->isVisible());
    EXPECT_TRUE(Arrange(frame.View()->Owner()).m_bSlotsVisible);

    // Face picking follows the tabs.
    ClickIndicator(PageControl<QRadioButton>(page, IDC_FACES_CHOSEN));
    ShowTab(0);
    EXPECT_EQ(Arrange(frame.View()->Owner()).m_selection.m_nPickMode, 0);
    ShowTab(kContourTab);
    EXPECT_EQ(Arrange(frame.View()->Owner()).m_selection.m_nPickMode, 1);
}

TEST_F(ContourInFrameTest, EveryPageFitsTheDefaultBarAndScrollsWhenTaller) {
    LoadSample(*frame.View(), "gable");
    // 33 x 32 at least; wider only by what the title with its close button needs.
    EXPECT_EQ(Bar()->minimumSize().height(), 32);
    EXPECT_GE(Bar()->minimumSize().width(), 33);
    EXPECT_LE(Bar()->minimumSize().width(), 48);
    ASSERT_EQ(Bar()->width(), 320);
    const char* names[] = {"direction", "operation",  "display",
                           "contour",   "colour-bar", "data-value"};
    for (int tab = 0; tab < 6; ++tab) {
        SCOPED_TRACE(names[tab]);
        CPanelPage* page = ShowTab(tab);
        auto* area = qobject_cast<QScrollArea*>(Bar()->Tabs()->widget(tab));
        ASSERT_NE(area, nullptr);
        // Nothing cut off at the side; a page taller than the bar scrolls.
        EXPECT_EQ(area->horizontalScrollBar()->maximum(), 0);
        EXPECT_LE(page->minimumSizeHint().width(), area->viewport()->width());
        EXPECT_EQ(area->verticalScrollBar()->isVisible(),
                  page->minimumSizeHint().height() > area->viewport()->height());
        SaveScreenshot(page->grab().toImage(), QString::fromUtf8(names[tab]));
        if (tab == kContourTab) {
            SaveScreenshot(Bar()->grab().toImage(), QStringLiteral("operation-panel-contour"));
        }
    }
}

TEST_F(ContourInFrameTest, ScreenshotsOfLabelledLineContoursAndATenBandScale) {
    CKZ_VView* view = frame.View();
    for (const char* sample : {"tower", "gable", "lshape"}) {
        SCOPED_TRACE(sample);
        LoadSample(*view, sample);
        CPanelPage* page = ShowTab(kContourTab);
        ClickIndicator(PageControl<QRadioButton>(page, IDC_KIND_BOTH));
        ClickIndicator(PageControl<QRadioButton>(page, IDC_LABELS_ON));
        ClickIndicator(PageControl<QRadioButton>(page, IDC_LABEL_COLOR_FIXED));  // black
        PutSlotsOnFirstFace(Arrange(view->Owner()));
        Arrange(view->Owner()).m_camera.ResetRotation();
        Arrange(view->Owner()).m_camera.Turn(CVector4(-60.0f, 0.0f, 20.0f));
        Arrange(view->Owner()).m_camera.m_fZoom = 0.8f;
        view->Owner().Changed(ASPECT_CONTOURS | ASPECT_CAMERA);
        const QImage image = GrabFrame(*view);
        SaveScreenshot(image, QStringLiteral("%1-lines-labels").arg(sample));
        EXPECT_EQ(Arrange(view->Owner()).m_settings.m_nContourKind, 2);
        EXPECT_GT(view->FrameCache().contours.labels.size(), 3u);
    }

    CPanelPage* page = ShowTab(kColorBarTab);
    Enter(page, IDC_BAR_DIVISIONS, QStringLiteral("10"));
    Enter(page, IDC_BAR_MAX, QStringLiteral("0.5"));
    Enter(page, IDC_BAR_MIN, QStringLiteral("-2"));
    EXPECT_EQ(Arrange(view->Owner()).m_settings.m_nDivisions, 10);
    EXPECT_EQ(Arrange(view->Owner()).m_settings.m_nTickInterval, 1);
    EXPECT_EQ(Arrange(view->Owner()).m_settings.m_dColorMax, 0.5);
    EXPECT_EQ(Arrange(view->Owner()).m_settings.m_dColorMin, -2.0);
    const QImage image = GrabFrame(*view);
    SaveScreenshot(image, QStringLiteral("lshape-scale-10-bands"));
    // The bar's top band is red and its bottom band blue, ten bands over 256 pixels.
    const int x = 20, top = 21, bottom = top + 255;
    EXPECT_TRUE(Near(PixelAt(image, x, top + 5), QColor(255, 0, 0)));
    EXPECT_TRUE(Near(PixelAt(image, x, bottom - 5), QColor(0, 0, 255)));
}

}  // namespace
