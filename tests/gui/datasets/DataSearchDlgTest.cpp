#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest/QTest>

#include "DataSearchDlg.h"
#include "DatasetTestSupport.h"
#include "FolderEditDlg.h"

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

TEST_F(DatasetDialogTest, FolderEditDialogReportsTheChoice) {
    CFolderEditDlg dlg;
    EXPECT_EQ(dlg.property("resourceId").toInt(), 150);
    Control<QRadioButton>(&dlg, CFolderEditDlg::IDC_REMOVE)->click();
    Control<QPushButton>(&dlg, CFolderEditDlg::IDC_OK)->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_FALSE(dlg.m_bAdd);
}
