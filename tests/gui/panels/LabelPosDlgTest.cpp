// The label-position dialog on a bare state: its boxes write the slots, "編集" starts a slot's
// pick and is released when the pick ends. The view's pick pass is played by the test: it
// writes the two end points and ends the pick as the view does after the second click.

#include <QCheckBox>
#include <QPushButton>

#include "LabelPosDlg.h"
#include "PageControlIds.h"
#include "panels/PageTestSupport.h"

namespace {

using namespace kzv::page;

class LabelPosDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.Attach(state);
        LoadSampleState(state, "gable");
        ASSERT_TRUE(ShowExposed(dialog, 320, 420));
    }
    QPushButton* Edit(int k) { return PageControl<QPushButton>(&dialog, IDC_SLOT_EDIT_BASE + k); }

    // The view's part of a slot pick: one click on the model.
    void PickPoint(const CVector4& p) {
        state.m_nSlotPickCount += 1;
        state.m_aSlot[state.m_nEditSlot][state.m_nSlotPickCount] = p;
        if (state.m_nSlotPickCount == 1) {
            state.m_nSlotPickCount = -1;
            state.m_nPickMode = 0;
            state.m_nEditSlot = -1;
        }
        state.Changed(ASPECT_SELECTION | ASPECT_CONTOURS);
    }

    CViewState state;
    CLabelPosDlg dialog;
};

TEST_F(LabelPosDlgTest, EditPicksTheSlotAndIsReleasedWhenThePickEnds) {
    EXPECT_TRUE(state.m_bSlotsVisible);
    EXPECT_EQ(dialog.property("resourceId").toInt(), IDD_LABEL_POS);
    state.m_aSlot[2][0].Set(1, 1, 1);
    state.m_aSlot[2][1].Set(2, 2, 2);

    Click(Edit(3));
    EXPECT_TRUE(Edit(3)->isChecked());
    EXPECT_EQ(state.m_nPickMode, 6);
    EXPECT_EQ(state.m_nEditSlot, 2);
    // The old segment goes at once.
    EXPECT_TRUE(state.m_aSlot[2][0] == CVector4() && state.m_aSlot[2][1] == CVector4());

    PickPoint(CVector4(10, 0, 5));
    EXPECT_TRUE(Edit(3)->isChecked());  // one point is not a segment yet
    PickPoint(CVector4(10, 0, 50));
    EXPECT_FALSE(Edit(3)->isChecked());
    EXPECT_TRUE(state.m_aSlot[2][0] == CVector4(10, 0, 5));
    EXPECT_TRUE(state.m_aSlot[2][1] == CVector4(10, 0, 50));

    ClickIndicator(PageControl<QCheckBox>(&dialog, IDC_SLOT_ON_BASE + 3));
    EXPECT_EQ(state.m_abSlotOn[2], 1);
    ClickIndicator(PageControl<QCheckBox>(&dialog, IDC_SLOT_ON_BASE + 20));
    EXPECT_EQ(state.m_abSlotOn[19], 1);

    // A pressed button pressed again starts again; another slot's button takes over.
    Click(Edit(5));
    Click(Edit(5));
    EXPECT_TRUE(Edit(5)->isChecked());
    Click(Edit(20));
    EXPECT_FALSE(Edit(5)->isChecked());
    EXPECT_EQ(state.m_nEditSlot, 19);
    // Another pick mode ends the slot's pick too.
    state.m_nPickMode = 2;
    state.Changed(ASPECT_SELECTION);
    EXPECT_FALSE(Edit(20)->isChecked());

    Click(PageControl<QPushButton>(&dialog, IDC_LABEL_POS_CLOSE));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(state.m_bSlotsVisible);
}

TEST_F(LabelPosDlgTest, BoxesKeepTheirStateAfterASettingsLoad) {
    ClickIndicator(PageControl<QCheckBox>(&dialog, IDC_SLOT_ON_BASE + 1));
    state.ResetDisplayState();  // turns every slot off
    state.Changed(ASPECT_ALL & ~(ASPECT_DATASET | ASPECT_POSITIONS));
    EXPECT_TRUE(PageControl<QCheckBox>(&dialog, IDC_SLOT_ON_BASE + 1)->isChecked());
    dialog.ReleaseEditButton(-1);  // no such slot: nothing
    dialog.ReleaseEditButton(SLOT_COUNT);
}

}  // namespace
