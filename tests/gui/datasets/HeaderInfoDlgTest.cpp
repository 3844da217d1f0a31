#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "DatasetTestSupport.h"
#include "datasets/HeaderInfoDlg.h"

namespace fs = std::filesystem;

namespace {
QString Text(const QWidget* dlg, const char* name) {
    if (auto* edit = dlg->findChild<QLineEdit*>(QString::fromLatin1(name))) {
        return edit->text();
    }
    return dlg->findChild<QPlainTextEdit*>(QString::fromLatin1(name))->toPlainText();
}
}  // namespace

TEST_F(DatasetDialogTest, HeaderInfoShowsTheFieldsInItsOrder) {
    CHeaderInfoDlg dlg(SamplesFolder() + "lshape/");
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("付随情報"));
    EXPECT_EQ(dlg.property("resourceId").toInt(), 144);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Text(&dlg, "dataName"), QStringLiteral("lshape"));
    EXPECT_EQ(Text(&dlg, "title"), QStringLiteral("L字形平面中層建物の風圧実験（サンプル）"));
    EXPECT_EQ(Text(&dlg, "measurer"), QStringLiteral("高橋 次郎"));
    EXPECT_EQ(Text(&dlg, "summary").split('\n').size(), 5);

    auto* form = dlg.findChild<QFormLayout*>();
    ASSERT_NE(form, nullptr);
    QStringList labels;
    for (int row = 0; row < form->rowCount(); ++row) {
        labels
            << qobject_cast<QLabel*>(form->itemAt(row, QFormLayout::LabelRole)->widget())->text();
    }
    EXPECT_EQ(labels, (QStringList{"データ名", "データタイトル", "管理者", "実験概要", "建物形状",
                                   "屋根形状", "建物規模", "隣接建物条件", "所属", "計測者"}));
}

TEST_F(DatasetDialogTest, HeaderInfoReportsAnUnreadableHeaderButNamesTheDataSet) {
    fs::create_directories(app.Path() / "Set 7");
    CHeaderInfoDlg dlg((app.Path() / "Set 7").string() + "/");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("ヘッダファイルの読み込みに失敗しました。"));
    EXPECT_EQ(Text(&dlg, "dataName"), QStringLiteral("Set 7"));
    EXPECT_TRUE(Text(&dlg, "title").isEmpty());
}

TEST_F(DatasetDialogTest, OpenDocumentsCreatesTheFolderAndShowsIt) {
    const fs::path set = app.Path() / "set";
    fs::create_directories(set);
    CHeaderInfoDlg dlg(set.string() + "/");
    dlg.show();
    dlg.findChild<QPushButton*>(QStringLiteral("openDocuments"))->click();
    EXPECT_TRUE(fs::is_directory(set / "Documents"));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], QString::fromStdString((set / "Documents").string()));
    EXPECT_TRUE(dlg.isVisible());  // the dialog stays open

    // Without a data set there is nowhere to make "Documents".
    CHeaderInfoDlg none("");
    none.OnOpenDocuments();
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_FALSE(none.findChild<QPushButton*>(QStringLiteral("openDocuments"))->isEnabled());
}

TEST_F(DatasetDialogTest, OpenDocumentsSaysWhereWhenNoFileBrowserStarts) {
    const fs::path set = app.Path() / "set";
    fs::create_directories(set);
    CHeaderInfoDlg dlg(set.string() + "/");
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    browserStarts = false;
    messages.clear();  // the set has no header; that message is not the one looked for
    QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("openDocuments")), Qt::LeftButton);
    const QString documents = QString::fromStdString((set / "Documents").string());
    ASSERT_EQ(opened.size(), 1u);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(documents)) << messages[0].text.toStdString();
    EXPECT_TRUE(dlg.isVisible());
}
