#include <gtest/gtest.h>

#include <QAbstractItemDelegate>
#include <QAction>
#include <QApplication>
#include <QFont>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTest>

#include "GuiTestSupport.h"
#include "dataset/DataSetLoad.h"
#include "field/Picking.h"
#include "state/SelectionSteps.h"
#include "ui/CoordEditDlg.h"
#include "valuelist/ValueListDlg.h"
#include "view/PickSupport.h"

namespace {

// The value-list page on a state of its own (no view), driven by clicks: three taps of the
// tower's front wall and one arbitrary point on it.
class ValueListDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        Arrange(state).LoadDataSet(std::string(KZV_SAMPLES_DIR) + "tower/", CHeaderFile(), 800,
                                   600);
        page.Attach(state);
        state.Changed(ASPECT_ALL);
        for (int tap : {9, 2, 30}) {
            SelectMeasurementPoint(Arrange(state), tap);
        }
        const CVector4 p(1234.5f, -10000, 20000);
        SelectArbitraryPoint(Arrange(state), Arrange(state).m_data.FindPanelContaining(p), p);
        state.Changed(ASPECT_SELECTION);
        ASSERT_TRUE(ShowExposed(page, 420, 400));
    }
    QTableView* List() { return page.List(); }
    QString Cell(int row, int column) {
        return List()->model()->index(row, column).data().toString();
    }
    std::vector<int> Ids() {
        std::vector<int> ids;
        for (int row = 0; row < Arrange(state).m_valueList.GetRowCount(); ++row) {
            ids.push_back(Arrange(state).m_valueList.GetRowId(row));
        }
        return ids;
    }
    QPoint RowPoint(int row) { return List()->visualRect(List()->model()->index(row, 1)).center(); }
    void ClickRow(int row, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, modifiers, RowPoint(row));
    }
    void ClickHeading(int column) {
        QHeaderView* header = List()->horizontalHeader();
        const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
    }
    static void Click(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }
    CStateOwner state;
    CValueListDlg page;
    MessageLog messages;
};

TEST_F(ValueListDlgTest, ColumnsHoldTheWidestCoordinatesUncut) {
    // A desktop font of 12 points; low on the wall, relative to the point 20 m up: "-18765.4".
    QFont larger = page.font();
    larger.setPointSize(12);
    page.setFont(larger);
    const CVector4 p(-9876.5f, -10000, 1234.6f);
    SelectArbitraryPoint(Arrange(state), Arrange(state).m_data.FindPanelContaining(p), p);
    state.Changed(ASPECT_SELECTION);
    const int far = Arrange(state).m_valueList.GetRowCount() - 1;
    int east = 0;
    for (int row = 0; row < far; ++row) {
        east = Cell(row, 1).toDouble() > Cell(east, 1).toDouble() ? row : east;
    }
    ClickRow(east);
    Click(ControlOf<QRadioButton>(&page, CValueListDlg::IDC_RELATIVE));
    ASSERT_EQ(Cell(far, 3), QStringLiteral("-18765.4"));
    // What the cells need, as the list's delegate measures them.
    QStyleOptionViewItem option;
    option.initFrom(List());
    option.font = List()->font();
    option.fontMetrics = QFontMetrics(option.font);
    option.features = QStyleOptionViewItem::HasDisplay;
    for (int row = 0; row < Arrange(state).m_valueList.GetRowCount(); ++row) {
        for (int column = 0; column < 4; ++column) {
            const QModelIndex index = List()->model()->index(row, column);
            EXPECT_GE(List()->columnWidth(column),
                      List()->itemDelegate()->sizeHint(option, index).width())
                << row << " " << Cell(row, column).toStdString();
        }
    }
}

TEST_F(ValueListDlgTest, HeadingsAndButtonsSortAndTheSelectionStaysWithItsRow) {
    const int tap9 = Arrange(state).m_data.m_taps.m_aTapNo[9];
    EXPECT_EQ(List()->model()->headerData(4, Qt::Horizontal).toString(),
              QStringLiteral("風圧係数"));
    ClickRow(0);
    ClickHeading(0);  // "No": the arbitrary point ("-") reads as 0
    EXPECT_EQ(Arrange(state).m_valueList.GetRowId(0), -1);
    EXPECT_EQ(Cell(0, 0), QStringLiteral("-"));
    EXPECT_EQ(Arrange(state).m_valueList.GetRowId(page.SelectedRow()), tap9);
    ClickHeading(0);  // and the other way round
    EXPECT_EQ(Arrange(state).m_valueList.GetRowId(3), -1);

    // X->Y->Z, ascending on the first press: X's integer parts never fall.
    Click(ControlOf<QPushButton>(&page, CValueListDlg::IDC_SORT_XYZ));
    for (int row = 1; row < 4; ++row) {
        EXPECT_LE(static_cast<long>(Cell(row - 1, 1).toDouble()),
                  static_cast<long>(Cell(row, 1).toDouble()));
    }
    EXPECT_FALSE(Arrange(state).m_valueList.IsSortAscending(SORT_KEY_XYZ));

    // Column widths follow the page's width.
    page.resize(500, 400);
    const int fixed = List()->columnWidth(0) + 3 * List()->columnWidth(3);
    EXPECT_GE(List()->columnWidth(0), 30);
    EXPECT_GE(List()->columnWidth(3), 60);
    EXPECT_EQ(List()->columnWidth(4), 500 - fixed - 4);
}

TEST_F(ValueListDlgTest, SeveralRowsStaySelectedWithTheirPointsWhenTheRowsMove) {
    int announced = 0;
    QObject::connect(&page, &CValueListDlg::SelectedPointsChanged, [&announced] { ++announced; });
    ClickRow(0);
    ClickRow(2, Qt::ControlModifier);
    ClickRow(3, Qt::ControlModifier);
    const std::vector<int> ids = Ids();
    ASSERT_EQ(page.SelectedIds(), (std::vector<int>{ids[0], ids[2], ids[3]}));
    EXPECT_EQ(announced, 3);
    // The row clicked last is the one the single-row commands take.
    EXPECT_EQ(page.SelectedRow(), 3);

    ClickHeading(0);
    ClickHeading(0);  // the other way round: every row moves
    std::vector<int> selected = page.SelectedIds();
    std::sort(selected.begin(), selected.end());
    std::vector<int> expected = {ids[0], ids[2], ids[3]};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(selected, expected);
    EXPECT_EQ(Arrange(state).m_valueList.GetRowId(page.SelectedRow()), ids[3]);

    // Shift takes the run of rows up to the one clicked; a plain click one row again.
    ClickRow(0);
    ClickRow(2, Qt::ShiftModifier);
    EXPECT_EQ(page.SelectedIds().size(), 3u);
    ClickRow(1);
    EXPECT_EQ(page.SelectedIds(), std::vector<int>{Arrange(state).m_valueList.GetRowId(1)});
}

TEST_F(ValueListDlgTest, RelativeCoordinatesFollowTheSelectedRowUntilAbsoluteAgain) {
    QRadioButton* relative = page.RelativeRadio();
    EXPECT_TRUE(page.AbsoluteRadio()->isChecked());
    EXPECT_FALSE(relative->isEnabled());
    const QString x0 = Cell(0, 1), x3 = Cell(3, 1);
    ClickRow(3);
    ASSERT_TRUE(relative->isEnabled());
    Click(relative);
    EXPECT_EQ(Cell(3, 1) + Cell(3, 2) + Cell(3, 3), QStringLiteral("000"));
    EXPECT_NEAR(Cell(0, 1).toDouble(), x0.toDouble() - x3.toDouble(), 0.05);
    ClickRow(0);
    Click(relative);  // another row becomes the origin
    EXPECT_EQ(Cell(0, 1), QStringLiteral("0"));
    Click(page.AbsoluteRadio());
    EXPECT_EQ(Cell(0, 1), x0);
    EXPECT_EQ(Cell(3, 1), x3);
}

TEST_F(ValueListDlgTest, EditingCoordinatesRefusesTapsAndMovesAnArbitraryPoint) {
    // A tap's row, by double click: press, release, double click, release as the window
    // system sends them.
    ClickRow(1);
    QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, RowPoint(1));
    QTest::mouseRelease(List()->viewport(), Qt::LeftButton, {}, RowPoint(1));
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text, QStringLiteral("測定点は編集できません。"));
    EXPECT_EQ(messages.entries[0].caption, QStringLiteral("測定点の編集"));

    // The arbitrary point's row, by the context menu at the mouse (a right click through the
    // window, which makes the context-menu event).
    const QPoint at = List()->viewport()->mapTo(&page, RowPoint(3));
    QTest::mouseClick(page.windowHandle(), Qt::RightButton, {}, at);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    QAction* edit = menu->actions().front();
    EXPECT_EQ(edit->text(), QStringLiteral("座標値の編集"));
    EXPECT_EQ(edit->data().toInt(), 32788);
    WhenModalShows(CCoordEditDlg::IDD, [](QDialog& dialog) {
        QLineEdit* x = ControlOf<QLineEdit>(&dialog, CCoordEditDlg::IDC_X);
        EXPECT_EQ(x->text(), QStringLiteral("1234.5"));
        x->selectAll();
        QTest::keyClicks(x, QStringLiteral("-3000"));
        Click(ControlOf<QPushButton>(&dialog, CCoordEditDlg::IDC_OK));
    });
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(edit).center());
    EXPECT_EQ(Cell(3, 1), QStringLiteral("-3000"));
    EXPECT_FLOAT_EQ(Arrange(state).m_selection.m_lstArbitrary.front().pos.x, -3000.0f);
    EXPECT_EQ(messages.entries.size(), 1u);
}

}  // namespace
