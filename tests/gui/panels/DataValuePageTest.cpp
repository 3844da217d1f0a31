#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "GuiTestSupport.h"
#include "dataset/DataSetLoad.h"
#include "field/Picking.h"
#include "field/SurfaceValues.h"
#include "panels/DataValuePage.h"
#include "state/SelectionSteps.h"
#include "text/NumberFormat.h"

namespace {

// The data-value page on a state of its own (no view), in a tab control beside another page,
// driven by clicks.
class DataValuePageTest : public ::testing::Test {
protected:
    void SetUp() override {
        Arrange(state).LoadDataSet(std::string(KZV_SAMPLES_DIR) + "tower/", CHeaderFile(), 800,
                                   600);
        page->Attach(state);
        state.Changed(ASPECT_ALL);
        tabs.addTab(new QWidget, QStringLiteral("方位"));
        tabs.addTab(page, QStringLiteral("データ値"));
        ASSERT_TRUE(ShowExposed(tabs, 320, 300));
        ShowTab(1);
    }
    void ShowTab(int index) {
        QTest::mouseClick(tabs.tabBar(), Qt::LeftButton, {},
                          tabs.tabBar()->tabRect(index).center());
    }
    static void Click(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }
    CStateOwner state;
    QTabWidget tabs;
    CDataValuePage* page = new CDataValuePage;
};

// What PickTest does not show: "範囲指定" restarting a rectangle, another tab dropping the
// steps but not the rows, and a reset clearing the method.
TEST_F(DataValuePageTest, TabsAndResetsEndTheSelectionStepsAndTheMethod) {
    Click(page->MethodRadio(CDataValuePage::IDC_RECTANGLE));
    Arrange(state).m_selection.m_nCornerCount = 0;
    Click(page->RangeButton());
    EXPECT_TRUE(page->RangeButton()->isChecked());
    EXPECT_EQ(Arrange(state).m_selection.m_nCornerCount, -1);
    Click(page->MethodRadio(CDataValuePage::IDC_MEASUREMENT_POINT));
    EXPECT_FALSE(page->RangeButton()->isEnabled());
    SelectMeasurementPoint(Arrange(state), 0);
    SelectArbitraryPoint(Arrange(state), 0, Arrange(state).m_data.m_taps.m_aPos[1]);
    state.Changed(ASPECT_SELECTION);

    ShowTab(0);
    EXPECT_EQ(Arrange(state).m_valueList.GetRowCount(), 2);
    EXPECT_EQ(Arrange(state).m_selection.m_lstArbitrary.size(), 1u);
    EXPECT_TRUE(Arrange(state).m_selection.m_lstUndoGroup.empty());
    EXPECT_EQ(Arrange(state).m_selection.m_nPickMode, PICK_NONE);
    ShowTab(1);
    EXPECT_EQ(Arrange(state).m_selection.m_nPickMode, PICK_TAP);  // the method applies again
    EXPECT_FALSE(page->UndoButton()->isEnabled());

    Arrange(state).ResetDisplayState();
    state.Changed(ASPECT_DISPLAY);
    EXPECT_FALSE(page->MethodRadio(CDataValuePage::IDC_MEASUREMENT_POINT)->isChecked());
    Click(page->ClearButton());
    EXPECT_EQ(Arrange(state).m_valueList.GetRowCount(), 0);
    EXPECT_TRUE(Arrange(state).m_selection.m_lstArbitrary.empty());
}

// The value method: the listed arbitrary points follow a click on either radio at once, in
// the value column and in the values every export reads; a reset or a settings file shows
// its method.
TEST_F(DataValuePageTest, TheValueMethodRecomputesTheListedPoints) {
    QRadioButton* linear = page->ValueRadio(CDataValuePage::IDC_VALUE_LINEAR);
    QRadioButton* mean = page->ValueRadio(CDataValuePage::IDC_VALUE_INVERSE_DISTANCE);
    EXPECT_TRUE(linear->isChecked());
    CPanelCorners c;
    ASSERT_TRUE(GetPanelCorners(Arrange(state).m_data, 0, 0, c));
    const CVector4 p = c.pos[0] + (c.pos[1] - c.pos[0]) * 0.3f + (c.pos[2] - c.pos[0]) * 0.1f;
    SelectArbitraryPoint(Arrange(state), 0, p);
    state.Changed(ASPECT_SELECTION);
    CViewState other = *state;
    other.m_settings.m_nValueMethod = VALUE_INVERSE_DISTANCE;
    const int d = Arrange(state).m_settings.m_nDirection;
    const double linearValue =
        InterpolateAt(Arrange(state).m_data, Arrange(state).m_settings.m_nValueMethod, 0, p, d);
    const double meanValue = InterpolateAt(other.m_data, other.m_settings.m_nValueMethod, 0, p, d);
    ASSERT_NE(kzv::FormatG(linearValue), kzv::FormatG(meanValue));
    EXPECT_EQ(Arrange(state).m_valueList.GetCellText(0, VALUE_COLUMN_VALUE),
              kzv::FormatG(linearValue));

    Click(mean);
    EXPECT_EQ(Arrange(state).m_settings.m_nValueMethod, VALUE_INVERSE_DISTANCE);
    EXPECT_EQ(Arrange(state).m_valueList.GetCellText(0, VALUE_COLUMN_VALUE),
              kzv::FormatG(meanValue));
    EXPECT_EQ(Arrange(state).m_selection.m_lstArbitrary.front().values[static_cast<size_t>(d)],
              meanValue);
    Click(linear);
    EXPECT_EQ(Arrange(state).m_valueList.GetCellText(0, VALUE_COLUMN_VALUE),
              kzv::FormatG(linearValue));

    Arrange(state).m_settings.m_nValueMethod =
        VALUE_INVERSE_DISTANCE;  // as a settings file sets it
    state.Changed(ASPECT_DISPLAY);
    EXPECT_TRUE(mean->isChecked());
    EXPECT_EQ(Arrange(state).m_valueList.GetCellText(0, VALUE_COLUMN_VALUE),
              kzv::FormatG(meanValue));
    Arrange(state).ResetDisplayState();
    state.Changed(ASPECT_DISPLAY);
    EXPECT_TRUE(linear->isChecked());
}

}  // namespace
