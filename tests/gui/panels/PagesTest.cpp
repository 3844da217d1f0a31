#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>

#include "GuiTestSupport.h"
#include "dataset/DataSetLoad.h"
#include "panels/DataValuePage.h"
#include "panels/Pages.h"
#include "state/ViewState.h"

namespace {

// Pages follow the state alone: no view, no GL window.
TEST(Pages, FollowTheStateThroughItsChangeNotification) {
    CStateOwner state;
    CDisplayPage display;
    CDirectionPage direction;
    CDataValuePage dataValue;
    for (CPanelPage* page :
         {static_cast<CPanelPage*>(&display), static_cast<CPanelPage*>(&direction),
          static_cast<CPanelPage*>(&dataValue)}) {
        page->Attach(state);
    }
    Arrange(state).LoadDataSet(std::string(KZV_SAMPLES_DIR) + "lshape/", CHeaderFile(), 800, 600);
    state.Changed(ASPECT_ALL);
    EXPECT_EQ(display.PartList()->count(), Arrange(state).m_data.GetPartCount());
    EXPECT_EQ(direction.m_nDirCount, 32);
    EXPECT_FALSE(dataValue.UndoButton()->isEnabled());

    Arrange(state).m_selection.m_lstUndoGroup.push_back(1);
    state.Changed(ASPECT_SELECTION);
    EXPECT_TRUE(dataValue.UndoButton()->isEnabled());
}

}  // namespace
