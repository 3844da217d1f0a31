#include <gtest/gtest.h>

#include "ValueListFixture.h"
#include "state/ViewState.h"

namespace {

using namespace vltest;

// Taps 1..5 at x = 1..5 and the arbitrary point -1 at x = 0, direction 0 shown.
class ExclusionTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetUpTaps(state, {{1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, 0, 0}, {5, 0, 0}});
        AddArbitrary(state, -1, {0, 0, 0}, 1000);
        for (int t = 1; t <= 5; ++t) {
            list.AddPointRow(t, static_cast<float>(t), 0, 0, 100.0 * t);
        }
        list.AddPointRow(-1, 0, 0, 0, 1000);
    }
    CViewState state;
    CValueList list;
};

TEST_F(ExclusionTest, BoundsAreRemovedInBothModes) {
    EXPECT_EQ(list.ApplyExclusion(1, 2, 4, true), 3);
    EXPECT_EQ(Ids(list), (IdList{1, 5, -1}));
    list.UndoExclusion(state.Points(), 0);
    EXPECT_EQ(list.ApplyExclusion(1, 2, 4, false), 5);
    EXPECT_EQ(Ids(list), (IdList{3}));
    list.UndoExclusion(state.Points(), 0);
    // min > max: nothing is inside, everything is outside.
    EXPECT_EQ(list.ApplyExclusion(1, 4, 2, true), 0);
    EXPECT_EQ(list.ApplyExclusion(1, 4, 2, false), 6);
}

TEST_F(ExclusionTest, StepsUndoOneAtATimeAndRestoreAtTheEnd) {
    std::array<CExclusionCriterion, VALUE_COLUMN_COUNT> criteria;
    criteria[0] = {true, "", "", true};        // checked but empty: no step
    criteria[1] = {true, "", "1.5", true};     // only MAX: [0, 1.5] takes 1 and "-" (0)
    criteria[4] = {true, "250", "450", true};  // values 300 and 400
    EXPECT_EQ(ApplyExclusionCriteria(list, criteria), 2);
    EXPECT_EQ(list.ApplyExclusion(1, 100, 200, true), 0);  // an empty step of its own
    EXPECT_EQ(Ids(list), (IdList{2, 5}));

    EXPECT_EQ(list.UndoExclusion(state.Points(), 7), 0);
    // The second criterion's rows come back at the end, in the order they were removed, with
    // the values of the direction shown now.
    EXPECT_EQ(list.UndoExclusion(state.Points(), 7), 2);
    EXPECT_EQ(RowTexts(list), (Texts{"2 2 0 0 207", "5 5 0 0 507", "3 3 0 0 307", "4 4 0 0 407"}));
    EXPECT_TRUE(list.CanUndoExclusion());
    EXPECT_EQ(list.UndoExclusion(state.Points(), 7), 2);
    EXPECT_EQ(RowTexts(list).back(), "- 0 0 0 1007");
    EXPECT_EQ(list.FindPointRow(-1), 5);
    EXPECT_FALSE(list.CanUndoExclusion());
    EXPECT_EQ(list.UndoExclusion(state.Points(), 7), 0);

    list.ApplyExclusion(1, 0, 2, true);
    list.ClearExclusionStore();  // the dialog's close box
    EXPECT_FALSE(list.CanUndoExclusion());
    EXPECT_EQ(list.UndoExclusion(state.Points(), 0), 0);
}

// Stored rows never come back in another coordinate frame, on a turned building, or after the
// list was emptied (for another data set).
TEST_F(ExclusionTest, StoredRowsFollowTheListsChanges) {
    list.ApplyExclusion(1, 3.5, 10, true);      // taps 4 and 5
    list.SetRelativeOrigin(state.Points(), 0);  // tap 1 at x = 1
    list.UndoExclusion(state.Points(), 0);
    EXPECT_EQ(RowTexts(list)[4], "4 3 0 0 400");
    list.SetAbsolute(state.Points());

    list.ApplyExclusion(1, -1, 0.5, true);   // the arbitrary point
    list.ApplyExclusion(1, 1.5, 2.5, true);  // tap 2
    state.SetBuildingAngle(90);
    list.RefreshPointCoordinates(state.Points());
    EXPECT_EQ(list.UndoExclusion(state.Points(), 0), 1);
    EXPECT_EQ(RowTexts(list).back(), "2 -0 2 0 200");
    EXPECT_EQ(list.UndoExclusion(state.Points(), 0), 0);  // the arbitrary row went with its point

    list.ApplyExclusion(0, 0, 10, true);
    list.ClearAllRows();
    EXPECT_FALSE(list.CanUndoExclusion());
}

}  // namespace
