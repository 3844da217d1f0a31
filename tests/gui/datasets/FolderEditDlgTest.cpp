#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QTest>

#include "GuiTestSupport.h"
#include "datasets/FolderEditDlg.h"

namespace {

TEST(FolderEditDlgTest, TheDialogIsWideEnoughForItsTitleAndTheTitleBarButtons) {
    CFolderEditDlg dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("データフォルダの編集"));
    EXPECT_GE(dialog.width(),
              QFontMetrics(dialog.font()).horizontalAdvance(dialog.windowTitle()) + 120);
    dialog.close();
}

}  // namespace
