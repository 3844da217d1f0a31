#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "GuiTestSupport.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "datasets/DataSetChooser.h"
#include "view/KZ_VView.h"

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
    EXPECT_EQ(Arrange(frame.View()->Owner()).m_data.m_strDataFolder,
              std::string(KZV_SAMPLES_DIR) + "gable/");
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("gable - KZ_V"));
    EXPECT_FALSE(Arrange(frame.View()->Owner()).m_data.m_header.m_strTitle.empty());
}

// Load one data set, then another picked with the mouse: everything the view shows of the
// header (the comment block's items) is the second one's, none of the first's is left.
TEST(LoadThroughDialog, ASecondLoadShowsOnlyItsOwnHeader) {
    QTemporaryDir appFolder;
    QFile dirlist(appFolder.filePath("dirlist"));
    ASSERT_TRUE(dirlist.open(QIODevice::WriteOnly));
    dirlist.write(QByteArray(KZV_SAMPLES_DIR) + "\n");
    dirlist.close();

    CMainFrame frame;
    frame.SetDataSetDialogs(MakeDataSetChooser(appFolder.path().toStdString() + "/"), nullptr,
                            nullptr);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));

    // In the dialog: click the data set named `name`, then "読み込み".
    auto pickAndLoad = [](const QString& name) {
        QTimer::singleShot(0, [name] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            for (QListWidget* list : dialog->findChildren<QListWidget*>()) {
                const QList<QListWidgetItem*> items = list->findItems(name, Qt::MatchExactly);
                ASSERT_EQ(items.size(), 1);
                QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                                  list->visualItemRect(items[0]).center());
            }
            for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
                if (button->property("controlId").toInt() == 1032) {
                    QTest::mouseClick(button, Qt::LeftButton);
                }
            }
        });
    };
    pickAndLoad(QStringLiteral("gable"));
    frame.RunCommand(ID_LOAD_DATA);
    ASSERT_EQ(Arrange(frame.View()->Owner()).m_data.m_strDataFolder,
              std::string(KZV_SAMPLES_DIR) + "gable/");
    pickAndLoad(QStringLiteral("tower"));
    frame.RunCommand(ID_LOAD_DATA);
    ASSERT_EQ(Arrange(frame.View()->Owner()).m_data.m_strDataFolder,
              std::string(KZV_SAMPLES_DIR) + "tower/");

    CHeaderFile tower;
    ASSERT_TRUE(tower.Read(KZV_SAMPLES_DIR "tower/header"));
    const std::vector<std::string> expected{"tower",
                                            tower.m_strTitle,
                                            tower.m_strAffiliation,
                                            tower.m_strMeasurer,
                                            tower.m_strManager,
                                            tower.m_strSummary,
                                            tower.m_strBuildingShape,
                                            tower.m_strRoofShape,
                                            tower.m_strBuildingSize,
                                            tower.m_strAdjacentCondition};
    EXPECT_EQ(frame.View()->CommentItemTexts(), expected);
}

}  // namespace
