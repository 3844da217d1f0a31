// The label-position dialog on a bare state. The view's pick pass is played by the test: it
// writes the two end points and ends the pick as the view does after the second click.

#include <QCheckBox>
#include <QPushButton>

#include "panels/LabelPosDlg.h"
#include "panels/PageControlIds.h"
#include "panels/PageTestSupport.h"

namespace {

using namespace kzv::page;

TEST(LabelPosDlgTest, EditPicksTheSlotAndIsReleasedWhenThePickEnds) {
    CStateOwner state;
    CLabelPosDlg dialog;
    dialog.Attach(state);
    LoadSampleState(state, "gable");
    ASSERT_TRUE(ShowExposed(dialog, 320, 420));
    EXPECT_TRUE(Arrange(state).m_bSlotsVisible);
    auto edit = [&](int k) { return PageControl<QPushButton>(&dialog, IDC_SLOT_EDIT_BASE + k); };
    auto pick = [&](const CVector4& p) {
        Arrange(state).m_settings.m_aSlot[Arrange(state).m_selection.m_nEditSlot]
                                         [++Arrange(state).m_selection.m_nSlotPickCount] = p;
        if (Arrange(state).m_selection.m_nSlotPickCount == 1) {
            Arrange(state).m_selection.m_nSlotPickCount = -1;
            Arrange(state).m_selection.m_nPickMode = 0;
            Arrange(state).m_selection.m_nEditSlot = -1;
        }
        state.Changed(ASPECT_SELECTION | ASPECT_CONTOURS);
    };

    Arrange(state).m_settings.m_aSlot[2][1].Set(2, 2, 2);
    Click(edit(3));
    EXPECT_EQ(Arrange(state).m_selection.m_nPickMode, 6);
    EXPECT_EQ(Arrange(state).m_selection.m_nEditSlot, 2);
    EXPECT_TRUE(Arrange(state).m_settings.m_aSlot[2][1] ==
                CVector4());  // the old segment goes at once
    pick(CVector4(10, 0, 5));
    EXPECT_TRUE(edit(3)->isChecked());
    pick(CVector4(10, 0, 50));
    EXPECT_FALSE(edit(3)->isChecked());
    EXPECT_TRUE(Arrange(state).m_settings.m_aSlot[2][0] == CVector4(10, 0, 5));
    EXPECT_TRUE(Arrange(state).m_settings.m_aSlot[2][1] == CVector4(10, 0, 50));
    ClickIndicator(PageControl<QCheckBox>(&dialog, IDC_SLOT_ON_BASE + 3));
    EXPECT_EQ(Arrange(state).m_settings.m_abSlotOn[2], 1);

    // Another slot's "編集" takes over from a pressed one.
    Click(edit(5));
    Click(edit(20));
    EXPECT_FALSE(edit(5)->isChecked());
    EXPECT_EQ(Arrange(state).m_selection.m_nEditSlot, 19);

    Click(PageControl<QPushButton>(&dialog, IDC_LABEL_POS_CLOSE));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(Arrange(state).m_bSlotsVisible);
}

}  // namespace
