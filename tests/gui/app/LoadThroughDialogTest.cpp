#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "CommandIds.h"
#include "DataSetChooser.h"
#include "KZ_VView.h"
#include "MainFrame.h"

namespace {

// The whole road of "データを読み込む": the data-folder dialog opens on the folders of
// "dirlist", the user presses "読み込み" (1032), and the first sample loads into the view.
TEST(LoadThroughDialog, TheFirstListedSampleLoads) {
    QTemporaryDir appFolder;
    QFile dirlist(appFolder.filePath("dirlist"));
    ASSERT_TRUE(dirlist.open(QIODevice::WriteOnly));
    dirlist.write(QByteArray(KZV_SAMPLES_DIR).chopped(1) + "\n");  // without the trailing '/'
    dirlist.close();
    const std::string app = appFolder.path().toStdString() + "/";

    CMainFrame frame;
    frame.SetDataSetDialogs(MakeDataSetChooser(app), nullptr, nullptr);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));

    bool clicked = false;
    QTimer::singleShot(0, [&clicked] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
            if (button->property("controlId").toInt() == 1032) {
                button->click();
                clicked = true;
            }
        }
    });
    frame.RunCommand(ID_LOAD_DATA);
    ASSERT_TRUE(clicked);
    // Data sets are listed by name in byte order: "gable" comes first.
    EXPECT_EQ(frame.View()->m_strDataFolder, std::string(KZV_SAMPLES_DIR) + "gable/");
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("gable - KZ_V"));
    EXPECT_FALSE(frame.View()->m_header.m_strTitle.empty());
}

}  // namespace
