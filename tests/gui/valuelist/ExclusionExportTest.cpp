#include <gtest/gtest.h>
#include <unistd.h>

#include <sys/stat.h>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "field/Picking.h"
#include "panels/PageTestSupport.h"
#include "state/SelectionSteps.h"
#include "ui/FilePrompt.h"
#include "valuelist/ExcludeRangeDlg.h"
#include "valuelist/OutputDlg.h"
#include "valuelist/ValueListDlg.h"
#include "valuelist/ValueListExport.h"
#include "view/PickSupport.h"

namespace {

std::string ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("<none>");
}

// The value-list page on a state of its own with a few taps listed, its exclusion and export
// dialogs driven by clicks; the file prompt answers from `answers` and records what it asked.
class ExclusionExportTest : public ::testing::Test {
protected:
    void Load(const std::string& sample) {
        LoadSampleState(state, sample);
        page.Attach(state);
        state.Changed(ASPECT_ALL);
        for (int tap : {9, 2, 30, 4, 17}) {
            SelectMeasurementPoint(Arrange(state), tap);
        }
        state.Changed(ASPECT_SELECTION);
        ASSERT_EQ(Arrange(state).m_valueList.GetRowCount(), 5);
        ASSERT_TRUE(ShowExposed(page, 420, 400));
        previousPrompt = SetFilePromptHook([this](bool open, const QString& filter,
                                                  const QString& extension, const QString& name,
                                                  const QString&) {
            prompts.push_back((open ? "open " : "save ") + filter + " " + extension + " " + name);
            std::string answer = answers.empty() ? std::string() : answers.front();
            if (!answers.empty()) {
                answers.erase(answers.begin());
            }
            return answer;
        });
    }
    void TearDown() override { SetFilePromptHook(previousPrompt); }

    // Clicks "ファイル" and, in the export dialog, the format's radio and "出力" as many times
    // as asked; then whatever `more` does with the dialog still open.
    void Export(int format, int presses, std::function<void(QDialog&)> more = {}) {
        WhenModalShows(COutputDlg::IDD, [=](QDialog& dialog) {
            ClickIndicator(PageControl<QRadioButton>(&dialog, format));
            for (int i = 0; i < presses && dialog.isVisible(); ++i) {
                Click(PageControl<QPushButton>(&dialog, COutputDlg::IDC_OUTPUT));
            }
            if (more) {
                more(dialog);
            }
        });
        Click(PageControl<QPushButton>(&page, CValueListDlg::IDC_FILE));
    }

    CStateOwner state;
    CValueListDlg page;
    MessageLog messages;
    KzFilePromptHook previousPrompt;
    std::vector<QString> prompts;
    std::vector<std::string> answers;
    QTemporaryDir folder;
};

TEST_F(ExclusionExportTest, AnExclusionStepAndItsUndoThroughTheDialog) {
    Load("tower");
    Click(PageControl<QPushButton>(&page, CValueListDlg::IDC_EXCLUDE));
    CExcludeRangeDlg* dialog = page.ExcludeDialog();
    ASSERT_TRUE(dialog->isVisible());
    QPushButton* undo = PageControl<QPushButton>(dialog, CExcludeRangeDlg::IDC_UNDO);
    QLineEdit* min = PageControl<QLineEdit>(dialog, CExcludeRangeDlg::IDC_MIN + 0);
    EXPECT_FALSE(min->isEnabled());
    EXPECT_FALSE(undo->isEnabled());

    // Rows whose number lies outside the two middle numbers go: the bounds go too.
    std::vector<int> numbers;
    for (int row = 0; row < 5; ++row) {
        numbers.push_back(Arrange(state).m_valueList.GetRowId(row));
    }
    std::vector<int> sorted = numbers;
    std::sort(sorted.begin(), sorted.end());
    ClickIndicator(PageControl<QCheckBox>(dialog, CExcludeRangeDlg::IDC_CHECK + 0));
    ASSERT_TRUE(min->isEnabled());
    QTest::keyClicks(min, QString::number(sorted[1]));
    QTest::keyClicks(PageControl<QLineEdit>(dialog, CExcludeRangeDlg::IDC_MAX + 0),
                     QString::number(sorted[3]));
    ClickIndicator(PageControl<QRadioButton>(dialog, CExcludeRangeDlg::IDC_OUTSIDE + 0));
    Click(PageControl<QPushButton>(dialog, CExcludeRangeDlg::IDC_APPLY));
    ASSERT_EQ(page.List()->model()->rowCount(), 1);
    EXPECT_EQ(Arrange(state).m_valueList.GetRowId(0), sorted[2]);
    EXPECT_TRUE(undo->isEnabled());

    // Another direction, then UNDO: the four rows come back after the one left, in the order
    // they went, with the values of the direction shown now.
    Arrange(state).m_settings.m_nDirection = 5;
    state.Changed(ASPECT_DIRECTION);
    Click(undo);
    ASSERT_EQ(page.List()->model()->rowCount(), 5);
    std::vector<int> expected;
    for (int id : numbers) {
        if (id != sorted[2]) {
            expected.push_back(id);
        }
    }
    CValueList fresh = Arrange(state).m_valueList;
    fresh.UpdateValueColumn(Arrange(state).Points(), 5);
    for (int row = 1; row < 5; ++row) {
        EXPECT_EQ(Arrange(state).m_valueList.GetRowId(row), expected[static_cast<size_t>(row - 1)]);
        EXPECT_EQ(page.List()->model()->index(row, 4).data().toString().toStdString(),
                  fresh.GetCellText(row, 4));
    }
    EXPECT_FALSE(undo->isEnabled());

    // "閉じる" keeps the steps; the close box forgets them.
    Click(PageControl<QPushButton>(dialog, CExcludeRangeDlg::IDC_APPLY));
    Click(PageControl<QPushButton>(dialog, CExcludeRangeDlg::IDC_CLOSE));
    EXPECT_FALSE(dialog->isVisible());
    Click(PageControl<QPushButton>(&page, CValueListDlg::IDC_EXCLUDE));
    EXPECT_TRUE(undo->isEnabled());
    QCloseEvent close;
    QApplication::sendEvent(dialog->windowHandle(), &close);
    EXPECT_FALSE(dialog->isVisible());
    Click(PageControl<QPushButton>(&page, CValueListDlg::IDC_EXCLUDE));
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(page.List()->model()->rowCount(), 1);
}

TEST_F(ExclusionExportTest, CsvAndTolvexFilesAreTheRowsAsTheCoreWritesThem) {
    Load("tower");
    Arrange(state).m_nBuildingAngleStep = 7;  // the Tolvex columns turn by the state's step
    const QString csv = folder.filePath("list.csv");
    const QString tolvex = folder.filePath("tolvex.csv");
    // A cancelled prompt leaves the dialog open with its choice; the next press writes.
    answers = {"", csv.toStdString()};
    Export(COutputDlg::IDC_CSV, 2);
    answers = {tolvex.toStdString()};
    Export(COutputDlg::IDC_TOLVEX, 1);
    ASSERT_EQ(prompts.size(), 3u);
    EXPECT_EQ(prompts[0],
              QString::fromUtf8("save CSV Files (*.csv);;すべてのファイル (*) csv output"));
    EXPECT_EQ(prompts[2],
              QString::fromUtf8("save CSV Files (*.csv);;すべてのファイル (*) csv Tolvex"));
    EXPECT_EQ(ReadAll(csv), MakeCsvBytes(Arrange(state).m_valueList.Rows()));
    std::string bytes;
    ASSERT_TRUE(MakeTolvexBytes(state->m_valueList.Rows(), state->Points(), 7, bytes));
    EXPECT_EQ(ReadAll(tolvex), bytes);
    // Each file has the record of how it was made beside it.
    EXPECT_NE(ReadAll(csv + ".json").find("\"kind\": \"csv\""), std::string::npos);
    EXPECT_NE(ReadAll(tolvex + ".json").find("\"kind\": \"tolvex\""), std::string::npos);
    EXPECT_TRUE(messages.entries.empty());
}

TEST_F(ExclusionExportTest, EightDirectionsRefuseTolvexAndTheDialogStaysOpen) {
    Load("gable");
    bool open = false;
    Export(COutputDlg::IDC_TOLVEX, 1, [&](QDialog& dialog) {
        open = dialog.isVisible();
        Click(PageControl<QPushButton>(&dialog, COutputDlg::IDC_CANCEL));
    });
    EXPECT_TRUE(open);
    EXPECT_TRUE(prompts.empty());
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text, QString::fromUtf8(MSG_TOLVEX_EIGHT_DIRECTIONS));
}

TEST_F(ExclusionExportTest, AFailedWriteSaysSoAndKeepsTheOldFile) {
    Load("tower");
    // A folder that does not exist: each format's own message, and the dialog ends.
    const std::string missing = folder.filePath("missing/list.csv").toStdString();
    answers = {missing, missing};
    Export(COutputDlg::IDC_CSV, 2);
    Export(COutputDlg::IDC_TOLVEX, 2);
    ASSERT_EQ(prompts.size(), 2u);
    ASSERT_EQ(messages.entries.size(), 2u);
    // The cause follows on a second line.
    const QString noFolder = QStringLiteral("\n保存先のフォルダがありません。");
    EXPECT_EQ(messages.entries[0].text, QString::fromUtf8(MSG_CSV_WRITE_FAILED) + noFolder);
    EXPECT_EQ(messages.entries[1].text, QString::fromUtf8(MSG_TOLVEX_WRITE_FAILED) + noFolder);
    EXPECT_EQ(messages.entries[1].caption, QStringLiteral("KZ_V"));

    if (geteuid() == 0) {
        GTEST_SKIP() << "root writes into read-only folders (the core tests a full tmpfs)";
    }
    // A read-only folder: the old file stays as it was.
    const QString path = folder.filePath("old.csv");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    ASSERT_EQ(chmod(folder.path().toLocal8Bit().constData(), 0555), 0);
    answers = {path.toStdString()};
    Export(COutputDlg::IDC_CSV, 1);
    chmod(folder.path().toLocal8Bit().constData(), 0755);
    ASSERT_EQ(messages.entries.size(), 3u);
    EXPECT_EQ(messages.entries[2].text, QString::fromUtf8(MSG_CSV_WRITE_FAILED) +
                                            QStringLiteral("\n書き込みが許可されていません。"));
    EXPECT_EQ(ReadAll(path), "old");
}

}  // namespace
