#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest/QTest>
#include <filesystem>

#include "DatasetTestSupport.h"
#include "datasets/DataSearchDlg.h"
#include "datasets/FolderEditDlg.h"

using S = CDataSearchDlg;

TEST_F(DatasetDialogTest, SearchFindsASampleByAJapaneseKeyword) {
    const std::string samples = SamplesFolder();
    WriteDirList(samples + "\n");
    S dlg(AppFolder());
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("データ検索"));
    EXPECT_EQ(dlg.property("resourceId").toInt(), 143);
    for (int id : S::kFieldIds) {
        EXPECT_TRUE(Control<QCheckBox>(&dlg, id)->isChecked()) << id;
    }
    EXPECT_EQ(Control<QCheckBox>(&dlg, 1072)->text(), QStringLiteral("屋根名称"));

    Control<QLineEdit>(&dlg, S::IDC_KEYWORD1)->setText(QStringLiteral("切妻"));
    QTest::mouseClick(Control<QPushButton>(&dlg, S::IDC_OK), Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.m_lstResults, std::vector<std::string>{samples + "gable"});
}

TEST_F(DatasetDialogTest, SearchUsesOnlyTheCheckedFieldsAndBothKeywords) {
    const std::string samples = SamplesFolder();
    WriteDirList(samples + "\n");
    S dlg(AppFolder());
    // "欠測" (missing tap) is in the summaries of tower and lshape; "16 方位" only in tower's.
    Control<QLineEdit>(&dlg, S::IDC_KEYWORD1)->setText(QStringLiteral("欠測"));
    Control<QLineEdit>(&dlg, S::IDC_KEYWORD2)->setText(QStringLiteral("16 方位"));
    dlg.RunSearch();
    EXPECT_EQ(dlg.m_lstResults, std::vector<std::string>{samples + "tower"});

    for (int id : S::kFieldIds) {
        Control<QCheckBox>(&dlg, id)->setChecked(id == 1065);  // document file names only
    }
    Control<QLineEdit>(&dlg, S::IDC_KEYWORD1)->setText(QStringLiteral("report"));
    Control<QLineEdit>(&dlg, S::IDC_KEYWORD2)->clear();
    dlg.RunSearch();
    EXPECT_EQ(dlg.m_lstResults, std::vector<std::string>{samples + "tower"});

    // Cancel ends without searching again.
    Control<QLineEdit>(&dlg, S::IDC_KEYWORD1)->setText(QStringLiteral("memo"));
    Control<QPushButton>(&dlg, S::IDC_CANCEL)->click();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(dlg.m_lstResults, std::vector<std::string>{samples + "tower"});
}

TEST_F(DatasetDialogTest, CancellingTheProgressStopsTheSearchAndKeepsTheDialogOpen) {
    // Forty data sets that all match, and no delay before the progress dialog shows.
    const std::string header = "HEADER_FILE,1\r\nwanted\r\n\r\n\r\n\r\nEND\r\n\r\n\r\n\r\n\r\n";
    for (int i = 0; i < 40; ++i) {
        const std::string set = "data/set" + std::to_string(100 + i);
        std::filesystem::create_directories(app.Path() / set);
        app.Write(set + "/header", header);
    }
    WriteDirList(AppFolder() + "data\n");
    const int previousDelay = S::SetProgressDelay(0);
    S dlg(AppFolder());
    Control<QLineEdit>(&dlg, S::IDC_KEYWORD1)->setText(QStringLiteral("wanted"));

    // While the search runs, its progress dialog handles events: click its cancel button.
    int seenAt = -1;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<QProgressDialog*>(w);
            if (progress != nullptr && progress->isVisible() && seenAt < 0) {
                seenAt = progress->value();
                QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
            }
        }
    });
    poll.start(0);
    QTest::mouseClick(Control<QPushButton>(&dlg, S::IDC_OK), Qt::LeftButton);
    poll.stop();
    S::SetProgressDelay(previousDelay);

    ASSERT_GE(seenAt, 0) << "the progress dialog never showed";
    EXPECT_LT(seenAt, 40);
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(dlg.m_lstResults.empty());
    for (QWidget* w : QApplication::topLevelWidgets()) {
        EXPECT_FALSE(qobject_cast<QProgressDialog*>(w) != nullptr && w->isVisible());
    }

    // Searching again without cancelling finds all forty.
    EXPECT_TRUE(dlg.RunSearch());
    EXPECT_EQ(dlg.m_lstResults.size(), 40u);
}

TEST_F(DatasetDialogTest, FolderEditDialogReportsTheChoice) {
    CFolderEditDlg dlg;
    EXPECT_EQ(dlg.property("resourceId").toInt(), 150);
    Control<QRadioButton>(&dlg, CFolderEditDlg::IDC_REMOVE)->click();
    Control<QPushButton>(&dlg, CFolderEditDlg::IDC_OK)->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(dlg.m_bAdd);
}
