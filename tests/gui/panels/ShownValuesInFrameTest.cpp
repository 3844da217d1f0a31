// What the view shows beyond the mean of one direction, chosen as a user chooses it: the
// quantity on the contour page, an envelope in the direction choice, the governing-direction
// layer, and the colour scale fitted to the data. Screenshots go to <build>/shots/.

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <cmath>

#include "app/MainFrame.h"
#include "field/ColorBar.h"
#include "field/ShownValues.h"
#include "panels/OperationPanelBar.h"
#include "panels/PageControlIds.h"
#include "panels/PageTestSupport.h"
#include "render/TestView.h"
#include "state/SelectionSteps.h"
#include "text/NumberFormat.h"
#include "valuelist/ValueListDlg.h"

namespace {

using namespace kzv::page;

QString ShotsFolder() {
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/../shots");
    QDir().mkpath(folder);
    return folder;
}

class ShownValuesInFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(ShowExposed(frame, 1200, 900));
        LoadSample(*frame.View(), "gable");
    }
    const CViewState& State() { return frame.Document().State().State(); }
    QWidget* Page(QWidget* page) {
        frame.OperationPanel()->Tabs()->setCurrentWidget(page);
        return page;
    }
    CMainFrame frame;
};

TEST_F(ShownValuesInFrameTest, QuantityAndEnvelopeDriveTheListTheStatusBarAndTheSteps) {
    // Tap rows listed before the choice follow it.
    {
        auto edit = frame.Document().State().Edit(ASPECT_SELECTION);
        SelectMeasurementPoint(*edit, 0);
        SelectMeasurementPoint(*edit, 5);
    }
    const int tap = State().m_valueList.GetRowId(0);
    QWidget* contour = Page(frame.OperationPanel()->m_pageContour);
    auto* quantity = PageControl<QComboBox>(contour, IDC_QUANTITY);
    ChooseEntry(quantity, static_cast<int>(EValueQuantity::PeakMin));
    EXPECT_EQ(State().m_settings.m_nQuantity, static_cast<int>(EValueQuantity::PeakMin));
    EXPECT_EQ(State().m_valueList.GetCellText(0, VALUE_COLUMN_VALUE),
              kzv::FormatG(State().m_data.m_tables.ValueOfTap(EValueQuantity::PeakMin,
                                                              State().m_data.m_cp, tap, 0)));
    EXPECT_EQ(frame.DirectionPane()->text(), QStringLiteral("ピーク最小 0"));

    // The envelope: the last entries after the directions' angles.
    QWidget* direction = Page(frame.OperationPanel()->m_pageDirection);
    auto* choice = PageControl<QComboBox>(direction, IDC_DIR_CHOICE);
    const int n = State().m_data.m_cp.m_nDirectionCount;
    ASSERT_EQ(choice->count(), n + 3);
    EXPECT_EQ(choice->itemText(n + 1), QStringLiteral("全風向の最小"));
    ChooseEntry(choice, n + 1);
    EXPECT_EQ(State().m_settings.m_nEnvelope, ENVELOPE_MIN);
    EXPECT_EQ(frame.DirectionPane()->text(), QStringLiteral("ピーク最小 全風向の最小"));
    // The list shows the extreme over the directions and its direction's angle.
    const CCpFile& table = State().m_data.Table(EValueQuantity::PeakMin);
    const int record = table.FindRecord(tap);
    double lowest = NO_VALUE;
    int at = -1;
    for (int d = 0; d < n; ++d) {
        const double v = table.m_aCp[static_cast<size_t>(record * n + d)];
        if (at < 0 || v < lowest) {
            lowest = v;
            at = d;
        }
    }
    EXPECT_EQ(State().m_valueList.GetCellText(0, VALUE_COLUMN_VALUE), kzv::FormatG(lowest));
    EXPECT_EQ(State().m_valueList.Rows()[0].direction, DirectionText(n, at));
    EXPECT_EQ(frame.ValueListPage()->findChild<QTableView*>()->model()->columnCount(), 6);

    // The governing-direction layer, then a screenshot of it.
    auto* governing = PageControl<QCheckBox>(direction, IDC_DIR_GOVERNING);
    ASSERT_TRUE(governing->isEnabled());
    ClickIndicator(governing);
    EXPECT_EQ(State().m_settings.m_bShowGoverning, 1);
    frame.View()->grab();
    ASSERT_FALSE(frame.View()->FrameCache().numberTexts.empty());
    EXPECT_EQ(frame.View()->FrameCache().numberTexts[0], DirectionText(n, at));
    // Looked at from above the eaves, the scale fitted to the envelope's suctions.
    {
        auto edit = frame.Document().State().Edit(ASPECT_CAMERA);
        edit->m_camera.ResetRotation();
        edit->m_camera.Turn(CVector4(-60.0f, 0.0f, 30.0f));
    }
    Click(PageControl<QPushButton>(Page(frame.OperationPanel()->m_pageColorBar), IDC_BAR_FIT));
    EXPECT_LE(State().m_settings.m_dColorMin, lowest);
    GrabFrame(*frame.View());
    EXPECT_TRUE(frame.View()->SavePng(
        (ShotsFolder() + QStringLiteral("/gable-peakmin-envelope-governing.png")).toStdString()));
    EXPECT_FALSE(frame.RangePane()->text().isEmpty());

    // A step leaves the envelope for the direction next to the one shown before it.
    QTest::mouseClick(frame.View(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QTest::keyClick(frame.View(), Qt::Key_PageUp);
    EXPECT_EQ(State().m_settings.m_nEnvelope, ENVELOPE_NONE);
    EXPECT_EQ(State().m_settings.m_nDirection, 1);
    EXPECT_EQ(choice->currentIndex(), 1);
    EXPECT_TRUE(State().m_valueList.Rows()[0].direction.empty());
}

TEST_F(ShownValuesInFrameTest, FittingTheScaleEnclosesTheDataAndTheBarMarksWhatItLeavesOut) {
    const CViewState& state = State();
    // The mean passes -1 .. 1 below: the bar shows the lower triangle, in the lowest band's
    // colour, under the bar's middle (the bar's lower edge is 276 pixels from the top).
    const QPoint underTheBar(20, 283);
    EXPECT_EQ(GrabFrame(*frame.View()).pixelColor(underTheBar), QColor(0, 0, 255));
    CDataRange range = frame.View()->FrameCache().contours.shownRange;
    ASSERT_FALSE(range.Empty());
    ASSERT_LT(range.min, -1.0);
    CColorBarExtras extras;
    extras.overflow =
        ScaleOverflow(range, state.m_settings.m_dColorMin, state.m_settings.m_dColorMax);
    EXPECT_TRUE(BuildColorBar(state.m_settings, 800, 600, extras).below);

    QWidget* bar = Page(frame.OperationPanel()->m_pageColorBar);
    ClickIndicator(PageControl<QCheckBox>(bar, IDC_BAR_FIT_SYMMETRIC));
    Click(PageControl<QPushButton>(bar, IDC_BAR_FIT));
    EXPECT_EQ(state.m_settings.m_nDivisions, 30);
    EXPECT_EQ(state.m_settings.m_dColorMin, -state.m_settings.m_dColorMax);
    EXPECT_LE(state.m_settings.m_dColorMin, range.min);
    EXPECT_GE(state.m_settings.m_dColorMax, range.max);
    EXPECT_EQ(state.m_settings.m_dColorMax * 100, std::round(state.m_settings.m_dColorMax * 100));
    EXPECT_EQ(GrabFrame(*frame.View()).pixelColor(underTheBar), QColor(Qt::white));
    range = frame.View()->FrameCache().contours.shownRange;
    const CScaleOverflow after =
        ScaleOverflow(range, state.m_settings.m_dColorMin, state.m_settings.m_dColorMax);
    EXPECT_FALSE(after.below || after.above);
    EXPECT_TRUE(frame.View()->SavePng(
        (ShotsFolder() + QStringLiteral("/gable-fitted-scale.png")).toStdString()));

    // Over every direction the fit encloses the whole table.
    ClickIndicator(PageControl<QCheckBox>(bar, IDC_BAR_FIT_ALL));
    Click(PageControl<QPushButton>(bar, IDC_BAR_FIT));
    const CDataRange all = DataRange(state.m_data.m_cp.m_aCp);
    EXPECT_LE(state.m_settings.m_dColorMin, all.min);
    EXPECT_GE(state.m_settings.m_dColorMax, all.max);
}

}  // namespace
