#include <gtest/gtest.h>

#include "ValueListFixture.h"
#include "state/ViewState.h"
#include "valuelist/PrintLayout.h"

namespace {

using namespace vltest;

TEST(ValueListTest, SamePointTwiceIsOneRowAndIdsAreFoundAfterReuse) {
    CValueList list;
    EXPECT_TRUE(list.AddPointRow(7, 12.3f, 0.1f, 100.0f, 0.25));
    EXPECT_FALSE(list.AddPointRow(-1, 12.3f, 0.1f, 100.0f, 0.5));  // the position decides
    // Seven significant digits: the row says 1234.57, which the point never equals.
    EXPECT_TRUE(list.AddPointRow(-2, 1234.567f, 0, -3, -1.5));
    EXPECT_TRUE(list.AddPointRow(-3, 1234.567f, 0, -3, 1e-5));
    EXPECT_EQ(RowTexts(list),
              (Texts{"7 12.3 0.1 100 0.25", "- 1234.57 0 -3 -1.5", "- 1234.57 0 -3 1e-05"}));

    // The view undoes point -2 and gives -3's id to a new point while -3's row is excluded;
    // the exclusion's undo brings the old row back behind it.
    CViewState state;
    list.RemovePointRow(-2);
    list.RemovePointRow(-2);
    EXPECT_EQ(list.FindPointRow(-3), 1);
    list.ApplyExclusion(4, 0, 0.1, true);
    list.RemovePointRow(-3);
    list.AddPointRow(-3, 9, 0, 0, 0);
    list.UndoExclusion(state.Points(), 0);
    EXPECT_EQ(Ids(list), (IdList{7, -3, -3}));
    EXPECT_EQ(list.GetCellText(list.FindPointRow(-3), 1), "9");
    list.RemovePointRow(-3);
    EXPECT_EQ(list.GetCellText(list.FindPointRow(-3), 1), "1234.57");
    list.ClearAllRows();
    EXPECT_EQ(list.FindPointRow(7), -1);
}

// Two rows can come to share a position (a point listed while the row at its position was
// excluded, then that row restored). Removing the last of them leaves the other's position
// taken.
TEST(ValueListTest, RemovingTheLastRowKeepsAnEqualRowsPositionTaken) {
    CViewState state;
    CValueList list;
    list.AddPointRow(1, 5, 5, 5, 0.5);
    list.AddPointRow(2, 7, 7, 7, 0.25);
    list.ApplyExclusion(0, 1, 1, true);
    EXPECT_TRUE(list.AddPointRow(-1, 5, 5, 5, 0.5));
    list.UndoExclusion(state.Points(), 0);
    EXPECT_EQ(Ids(list), (IdList{2, -1, 1}));
    list.RemovePointRow(1);
    EXPECT_FALSE(list.AddPointRow(-2, 5, 5, 5, 0.5));
    list.RemovePointRow(-1);
    list.RemovePointRow(2);
    EXPECT_EQ(list.FindPointRow(2), -1);
    EXPECT_TRUE(list.AddPointRow(-2, 5, 5, 5, 0.5));
    EXPECT_EQ(list.FindPointRow(-2), 0);
}

TEST(ValueListTest, SortKeysAndTheirDirections) {
    CValueList list;
    list.AddPointRow(3, 1.9f, 5, 0, 0.5);
    list.AddPointRow(-1, 1.2f, 3, 9, -0.2);
    list.AddPointRow(2, -0.5f, 7, 1, 2);
    list.AddPointRow(1, 12.9f, 0, 0, 1);
    list.SortRows(0);  // "-" reads as 0
    EXPECT_EQ(Ids(list), (IdList{-1, 1, 2, 3}));
    list.SortRows(0);
    EXPECT_EQ(Ids(list), (IdList{3, 2, 1, -1}));
    // X->Y->Z on integer parts: -0.5 is 0, 1.9 and 1.2 are both 1 and Y decides.
    list.SortRows(SORT_KEY_XYZ);
    EXPECT_EQ(Ids(list), (IdList{2, -1, 3, 1}));
    list.SortRows(SORT_KEY_ZYX);  // its first press is ascending too
    EXPECT_EQ(Ids(list), (IdList{1, 3, 2, -1}));
    EXPECT_EQ(list.FindPointRow(2), 2);
}

TEST(ValueListTest, RelativeOriginAndBack) {
    CViewState state;
    SetUpTaps(state, {{1000, 2000, 0.5f}, {0.123456f, 10, 20}, {1001, 2001, 1.5f}});
    AddArbitrary(state, -1, {5, 5, 5}, 1000);
    CValueList list;
    list.AddPointRow(1, 1000, 2000, 0.5f, 100);
    list.AddPointRow(2, 0.123456f, 10, 20, 200);
    list.AddPointRow(-1, 5, 5, 5, 1000);
    ASSERT_TRUE(list.SetRelativeOrigin(state.Points(), 0));
    EXPECT_TRUE(list.AddPointRow(3, 1001, 2001, 1.5f, 300));  // written relative as well
    EXPECT_FALSE(list.AddPointRow(3, 1001, 2001, 1.5f, 300));
    EXPECT_EQ(RowTexts(list), (Texts{"1 0 0 0 100", "2 -999.877 -1990 19.5 200",
                                     "- -995 -1995 4.5 1000", "3 1 1 1 300"}));
    // Another row as origin, then absolute: the true coordinates, not the six-digit texts.
    ASSERT_TRUE(list.SetRelativeOrigin(state.Points(), 2));
    EXPECT_EQ(RowTexts(list)[1], "2 -4.87654 5 15 200");
    list.SetAbsolute(state.Points());
    EXPECT_EQ(RowTexts(list), (Texts{"1 1000 2000 0.5 100", "2 0.123456 10 20 200", "- 5 5 5 1000",
                                     "3 1001 2001 1.5 300"}));
}

TEST(ValueListTest, RelativeCoordinatesSubtractTheDecimalsShown) {
    // Floats of 12345.6 and 12586.9 differ by -241.30078...; the texts by -241.3.
    CViewState state;
    SetUpTaps(state, {{12345.6f, -2312.3f, 0.1f}, {12586.9f, 0, 0.3f}});
    AddArbitrary(state, -1, {12345.7f, 0, 0.4f}, 1000);
    CValueList list;
    list.AddPointRow(1, 12345.6f, -2312.3f, 0.1f, 100);
    list.AddPointRow(2, 12586.9f, 0, 0.3f, 200);
    ASSERT_TRUE(list.SetRelativeOrigin(state.Points(), 1));
    list.AddPointRow(-1, 12345.7f, 0, 0.4f, 1000);
    EXPECT_EQ(RowTexts(list),
              (Texts{"1 -241.3 -2312.3 -0.2 100", "2 0 0 0 200", "- -241.2 0 0.1 1000"}));
}

TEST(ValueListTest, ValueColumnFindsArbitraryPointsById) {
    CViewState state;
    SetUpTaps(state, {{0, 0, 0}});
    CValueList list;
    list.AddPointRow(1, 0, 0, 0, 100);
    list.AddPointRow(99, 1, 0, 0, 990);  // a tap the Cp table lacks
    // A 3 x 3 grid whose coordinates have more than six significant digits.
    for (int i = 0, id = -1; i < 9; ++i, --id) {
        const CVector4 pos(10.0f + 40.0f * (i / 3) / 3.0f, 10.0f + 40.0f * (i % 3) / 3.0f, 7);
        AddArbitrary(state, id, pos, -1000.0 * id);
        ASSERT_TRUE(list.AddPointRow(id, pos.x, pos.y, pos.z, -1000.0 * id));
    }
    list.AddPointRow(-20, 99, 0, 0, 5);  // no such point in the view
    list.UpdateValueColumn(state.Points(), 5);
    Texts values;
    for (int r = 0; r < list.GetRowCount(); ++r) {
        values.push_back(list.GetCellText(r, VALUE_COLUMN_VALUE));
    }
    EXPECT_EQ(values, (Texts{"105", "990", "1005", "2005", "3005", "4005", "5005", "6005", "7005",
                             "8005", "9005", "990"}));
}

TEST(ValueListTest, TurningTheBuildingDropsArbitraryRowsAndMovesTheTaps) {
    CViewState state;
    SetUpTaps(state, {{10, 0, 5}, {0, 20, 3}});
    AddArbitrary(state, -1, {1, 1, 1}, 1000);
    CValueList list;
    list.AddPointRow(1, 10, 0, 5, 1.5);
    list.AddPointRow(-1, 1, 1, 1, 1000);
    list.AddPointRow(2, 0, 20, 3, 2.5);
    list.SetRelativeOrigin(state.Points(), 0);
    state.SetBuildingAngle(90);
    list.RefreshPointCoordinates(state.Points());
    // Taps now at (0, 10, 5) and (-20, -0, 3) ("%g" keeps a zero's sign), origin (10, 0, 5).
    EXPECT_EQ(RowTexts(list), (Texts{"1 -10 10 0 1.5", "2 -30 -0 -2 2.5"}));
    EXPECT_EQ(list.FindPointRow(2), 1);
}

TEST(ValueListTest, CoordinateEditRefusesMeasurementPoints) {
    CViewState state;
    SetUpTaps(state, {{50, 0, 0}});
    AddArbitrary(state, -1, {1, 2, 3}, 1000);
    CValueList list;
    list.AddPointRow(-1, 1, 2, 3, 1000);
    list.AddPointRow(1, 50, 0, 0, 100);
    list.AddPointRow(-7, 9, 9, 9, 0);  // the view has no point -7
    list.SortRows(1);
    list.SortRows(1);  // descending X: 1, -7, -1
    EXPECT_EQ(list.CheckCoordinateEdit(state.Points(), 0), CCoordEditCheck::MeasurementPoint);
    EXPECT_EQ(list.CheckCoordinateEdit(state.Points(), 1), CCoordEditCheck::NoPoint);
    EXPECT_EQ(list.CheckCoordinateEdit(state.Points(), 2), CCoordEditCheck::Editable);
    EXPECT_FALSE(list.UpdateEditedRow(state.Points(), 0, 0));
    // The dialog's OK moved the point; the row follows, relative to the origin shown.
    list.SetRelativeOrigin(state.Points(), 0);
    state.m_selection.m_lstArbitrary.front().pos = CVector4(60, 4, 0.5f);
    state.m_selection.m_lstArbitrary.front().values.assign(16, 7.25);
    ASSERT_TRUE(list.UpdateEditedRow(state.Points(), 2, 3));
    EXPECT_EQ(RowTexts(list)[2], "- 10 4 0.5 7.25");
    EXPECT_FALSE(list.AddPointRow(-2, 60, 4, 0.5f, 0));
}

TEST(ValueListTest, PrintLayoutFillsPagesWithEqualRowCounts) {
    CValueList list;
    for (int i = 1; i <= 7; ++i) {
        list.AddPointRow(i, static_cast<float>(i), 0, 0, 0.5);
    }
    // Line height 12 on a printable height of 40: three rows a page.
    const std::vector<CPrintPage> pages = LayoutPrintPages(list.Rows(), 12, 8, 40);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[1].size(), 3u);
    EXPECT_EQ(pages[2].size(), 1u);
    const CPrintLine& line = pages[1][2];  // row 6
    EXPECT_EQ(line.y, 34);
    const int x[] = {10, 34, 82, 130, 154};
    for (int c = 0; c < VALUE_COLUMN_COUNT; ++c) {
        EXPECT_EQ(line.cells[c].x, x[c]);
        EXPECT_EQ(line.cells[c].text, list.GetCellText(5, c));
    }
    ASSERT_EQ(LayoutPrintPages({}, 12, 8, 40).size(), 1u);  // one empty page
    EXPECT_TRUE(LayoutPrintPages({}, 12, 8, 40)[0].empty());
    // A line taller than the page still prints, one row a page.
    EXPECT_EQ(LayoutPrintPages(list.Rows(), 50, 8, 40).size(), 7u);
}

}  // namespace
