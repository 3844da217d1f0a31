#include <gtest/gtest.h>

#include <QApplication>

#include "MainFrame.h"

TEST(MainFrame, OpensTitledWithTheApplicationName) {
    CMainFrame frame;
    frame.show();
    QApplication::processEvents();
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("KZ_V"));
    EXPECT_TRUE(frame.isVisible());
}
