#include <gtest/gtest.h>

#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "DataValuePage.h"
#include "GuiTestSupport.h"
#include "field/Picking.h"
#include "state/DataSetLoad.h"

namespace {

// The data-value page on a state of its own (no view), in a tab control beside another page,
// driven by clicks.
class DataValuePageTest : public ::testing::Test {
protected:
    void SetUp() override {
        LoadDataSetFiles(state, std::string(KZV_SAMPLES_DIR) + "tower/", CHeaderFile(), 800, 600);
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
    CViewState state;
    QTabWidget tabs;
    CDataValuePage* page = new CDataValuePage;
};

// What PickTest does not show: "範囲指定" restarting a rectangle, another tab dropping the
// steps but not the rows, and a reset clearing the method.
TEST_F(DataValuePageTest, TabsAndResetsEndTheSelectionStepsAndTheMethod) {
    Click(page->MethodRadio(CDataValuePage::IDC_RECTANGLE));
    state.m_nCornerCount = 0;
    Click(page->RangeButton());
    EXPECT_TRUE(page->RangeButton()->isChecked());
    EXPECT_EQ(state.m_nCornerCount, -1);
    Click(page->MethodRadio(CDataValuePage::IDC_MEASUREMENT_POINT));
    EXPECT_FALSE(page->RangeButton()->isEnabled());
    SelectMeasurementPoint(state, 0);
    SelectArbitraryPoint(state, 0, state.m_taps.m_aPos[1]);
    state.Changed(ASPECT_SELECTION);

    ShowTab(0);
    EXPECT_EQ(state.m_valueList.GetRowCount(), 2);
    EXPECT_EQ(state.m_lstArbitrary.size(), 1u);
    EXPECT_TRUE(state.m_lstUndoGroup.empty());
    EXPECT_EQ(state.m_nPickMode, PICK_NONE);
    ShowTab(1);
    EXPECT_EQ(state.m_nPickMode, PICK_TAP);  // the method applies again
    EXPECT_FALSE(page->UndoButton()->isEnabled());

    state.ResetDisplayState();
    state.Changed(ASPECT_DISPLAY);
    EXPECT_FALSE(page->MethodRadio(CDataValuePage::IDC_MEASUREMENT_POINT)->isChecked());
    Click(page->ClearButton());
    EXPECT_EQ(state.m_valueList.GetRowCount(), 0);
    EXPECT_TRUE(state.m_lstArbitrary.empty());
}

}  // namespace
