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

TEST_F(DataValuePageTest, MethodsSetThePickModeAndTheRangeButtonFollowsTheRectangle) {
    const std::pair<int, int> methods[] = {{CDataValuePage::IDC_MEASUREMENT_POINT, PICK_TAP},
                                           {CDataValuePage::IDC_ARBITRARY_POINT, PICK_POINT},
                                           {CDataValuePage::IDC_FACE_POINTS, PICK_FACE_TAPS},
                                           {CDataValuePage::IDC_RECTANGLE, PICK_RECTANGLE}};
    for (auto [id, mode] : methods) {
        Click(page->MethodRadio(id));
        EXPECT_EQ(state.m_nPickMode, mode) << id;
        EXPECT_EQ(page->RangeButton()->isEnabled(), mode == PICK_RECTANGLE) << id;
        EXPECT_EQ(page->RangeButton()->isChecked(), mode == PICK_RECTANGLE) << id;
    }
    // "範囲指定" again starts the rectangle over.
    state.m_nCornerCount = 0;
    Click(page->RangeButton());
    EXPECT_TRUE(page->RangeButton()->isChecked());
    EXPECT_EQ(state.m_nCornerCount, -1);
    // A finished rectangle: the method stays chosen, "範囲指定" is released.
    state.m_nPickMode = PICK_NONE;
    state.Changed(ASPECT_SELECTION);
    EXPECT_FALSE(page->RangeButton()->isChecked());
    EXPECT_TRUE(page->MethodRadio(CDataValuePage::IDC_RECTANGLE)->isChecked());
    // A reset: no method, no picking.
    Click(page->RangeButton());
    state.ResetDisplayState();
    state.Changed(ASPECT_ALL & ~(ASPECT_DATASET | ASPECT_POSITIONS));
    for (int id = CDataValuePage::IDC_MEASUREMENT_POINT; id <= CDataValuePage::IDC_FACE_POINTS;
         ++id) {
        EXPECT_FALSE(page->MethodRadio(id)->isChecked()) << id;
    }
    EXPECT_FALSE(page->RangeButton()->isEnabled());
    EXPECT_EQ(state.m_nPickMode, PICK_NONE);
}

TEST_F(DataValuePageTest, AnotherTabKeepsTheRowsButNotTheStepsAndClearAllForgetsEverything) {
    Click(page->MethodRadio(CDataValuePage::IDC_MEASUREMENT_POINT));
    SelectMeasurementPoint(state, 0);
    SelectArbitraryPoint(state, 0, state.m_taps.m_aPos[1]);
    state.Changed(ASPECT_SELECTION);
    EXPECT_TRUE(page->UndoButton()->isEnabled());

    ShowTab(0);
    EXPECT_EQ(state.m_valueList.GetRowCount(), 2);
    EXPECT_EQ(state.m_lstArbitrary.size(), 1u);
    EXPECT_TRUE(state.m_lstUndoGroup.empty());
    EXPECT_EQ(state.m_nPickMode, PICK_NONE);
    ShowTab(1);
    EXPECT_EQ(state.m_nPickMode, PICK_TAP);  // the method applies again
    EXPECT_FALSE(page->UndoButton()->isEnabled());

    // One step, taken back: the button goes grey with the last one.
    SelectMeasurementPoint(state, 5);
    state.Changed(ASPECT_SELECTION);
    Click(page->UndoButton());
    EXPECT_EQ(state.m_valueList.GetRowCount(), 2);
    EXPECT_FALSE(page->UndoButton()->isEnabled());

    Click(page->ClearButton());
    EXPECT_EQ(state.m_valueList.GetRowCount(), 0);
    EXPECT_TRUE(state.m_lstArbitrary.empty());
    EXPECT_TRUE(state.m_lstSelected.empty());
}

}  // namespace
