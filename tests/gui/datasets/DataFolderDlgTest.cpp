#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QtTest/QTest>

#include "DatasetTestSupport.h"
#include "Watchdog.h"
#include "dataset/LoadReport.h"
#include "datasets/DataFolderDlg.h"
#include "datasets/DataSearchDlg.h"
#include "datasets/FolderEditDlg.h"
#include "text/CodePage.h"

namespace fs = std::filesystem;
using D = CDataFolderDlg;

namespace {

class DataFolderDlgTest : public DatasetDialogTest {
protected:
    QComboBox* Folders(const QWidget* dlg) { return Control<QComboBox>(dlg, D::IDC_FOLDER_LIST); }
    QListWidget* Sets(const QWidget* dlg) { return Control<QListWidget>(dlg, D::IDC_DATASET_LIST); }
    QString Field(const QWidget* dlg, int id) { return Control<QLineEdit>(dlg, id)->text(); }
    static QStringList Items(const QListWidget* list) {
        QStringList items;
        for (int i = 0; i < list->count(); ++i) {
            items << list->item(i)->text();
        }
        return items;
    }
    // A data set with a readable header in folder; main.geo holds geoText unless it is empty.
    static void AddSet(const fs::path& folder, const std::string& name, const std::string& geo) {
        fs::create_directories(folder / name);
        std::ofstream(folder / name / "header", std::ios::binary) << "HEADER_FILE,1\ntitle\n";
        if (!geo.empty()) {
            std::ofstream(folder / name / "main.geo", std::ios::binary) << geo;
        }
    }
};

}  // namespace

TEST_F(DataFolderDlgTest, ListsTheSampleSetsWithTheirHeaders) {
    const std::string samples = SamplesFolder();
    WriteDirList(samples.substr(0, samples.size() - 1) + "\n");
    D dlg(AppFolder(), nullptr);

    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("データフォルダ"));
    EXPECT_EQ(dlg.property("resourceId").toInt(), 142);
    EXPECT_EQ(Folders(&dlg)->count(), 1);
    EXPECT_EQ(Items(Sets(&dlg)), (QStringList{"gable", "lshape", "tower"}));
    EXPECT_EQ(Field(&dlg, D::IDC_DATA_NAME), QStringLiteral("gable"));
    EXPECT_EQ(Field(&dlg, D::IDC_TITLE), QStringLiteral("切妻屋根低層住宅の風圧実験（サンプル）"));
    EXPECT_EQ(Field(&dlg, D::IDC_ROOF_SHAPE), QStringLiteral("切妻屋根"));
    EXPECT_EQ(Field(&dlg, D::IDC_ADJACENT), QStringLiteral("西側に切妻住宅 1 棟、南東に車庫 1 棟"));
    EXPECT_EQ(Control<QPlainTextEdit>(&dlg, D::IDC_SUMMARY)->toPlainText().count('\n'), 2);
    EXPECT_EQ(dlg.SelectedDataSetPath(), samples + "gable/");

    // Picking another data set shows its header.
    Sets(&dlg)->setCurrentRow(2);
    EXPECT_EQ(Field(&dlg, D::IDC_DATA_NAME), QStringLiteral("tower"));
    EXPECT_EQ(Field(&dlg, D::IDC_MEASURER), QStringLiteral("山田 太郎"));
    EXPECT_EQ(Field(&dlg, D::IDC_AFFILIATION),
              QStringLiteral("サンプル大学 工学部 建築学科 風工学研究室"));
    EXPECT_TRUE(Control<QLabel>(&dlg, 1052)->isEnabled());

    // Loading passes the "main.geo" check and hands over path and header.
    QTest::mouseClick(Control<QPushButton>(&dlg, D::IDC_LOAD), Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.m_strFolder, samples + "tower/");
    EXPECT_EQ(kzv::FileTextToUtf8(dlg.m_header.m_strManager), "佐藤 花子");
    EXPECT_TRUE(messages.empty());
    EXPECT_GT(D::HorizontalExtent(), 5);
}

TEST_F(DataFolderDlgTest, SearchResultEntryShowsFullPathsUntilAnotherFolderIsPicked) {
    const std::string samples = SamplesFolder();
    WriteDirList(samples + "\n");
    const std::vector<std::string> results{samples + "lshape", samples + "tower"};
    D dlg(AppFolder(), &results);

    QComboBox* folders = Folders(&dlg);
    ASSERT_EQ(folders->count(), 2);
    EXPECT_EQ(folders->currentText(), QStringLiteral("検索結果"));
    EXPECT_EQ(Items(Sets(&dlg)), (QStringList{QString::fromStdString(results[0]),
                                              QString::fromStdString(results[1])}));
    EXPECT_EQ(Field(&dlg, D::IDC_DATA_NAME), QStringLiteral("lshape"));
    EXPECT_EQ(dlg.SelectedDataSetPath(), samples + "lshape/");

    // The user picks the real folder: the entry goes, names replace the paths.
    folders->setCurrentIndex(0);
    emit folders->activated(0);
    EXPECT_EQ(folders->count(), 1);
    EXPECT_EQ(Items(Sets(&dlg)), (QStringList{"gable", "lshape", "tower"}));
    EXPECT_EQ(folders->findText(QStringLiteral("検索結果")), -1);
}

TEST_F(DataFolderDlgTest, LoadRefusesAMissingOrWrongGeometryAndStaysOpen) {
    const fs::path data = app.Path() / "data";
    AddSet(data, "bad", "NOT_GEOMETRY,1\n");
    AddSet(data, "missing", "");
    AddSet(data, "newer", "GEOMETRY_FILE,2\n");
    AddSet(data, "ok", "GEOMETRY_FILE,1\ngarbage body\n");
    WriteDirList(data.string() + "\n");
    D dlg(AppFolder(), nullptr);
    dlg.show();

    const QString refused = QStringLiteral("実験建物ジオメトリファイルが不正です。");
    for (int row = 0; row < 3; ++row) {
        Sets(&dlg)->setCurrentRow(row);
        messages.clear();
        dlg.OnLoad();
        ASSERT_EQ(messages.size(), 1u) << row;
        EXPECT_EQ(messages[0].text, refused);
        EXPECT_EQ(messages[0].caption, QStringLiteral("KZ_V"));
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_TRUE(dlg.m_strFolder.empty());
    }
    // A damaged body behind a good first line passes the check (double click loads too).
    Sets(&dlg)->setCurrentRow(3);
    messages.clear();
    emit Sets(&dlg)->itemDoubleClicked(Sets(&dlg)->item(3));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.m_strFolder, (data / "ok").string() + "/");
}

TEST_F(DataFolderDlgTest, NothingToLoadWithoutADataSet) {
    // No "dirlist" yet: it is created empty and the header part is disabled.
    D dlg(AppFolder(), nullptr);
    EXPECT_TRUE(fs::exists(DirList()));
    EXPECT_EQ(ReadDirList(), "");
    EXPECT_EQ(Folders(&dlg)->count(), 0);
    EXPECT_FALSE(Sets(&dlg)->isEnabled());
    EXPECT_FALSE(Control<QLineEdit>(&dlg, D::IDC_TITLE)->isEnabled());
    EXPECT_FALSE(Control<QLabel>(&dlg, 1051)->isEnabled());
    dlg.OnLoad();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("実験建物ジオメトリファイルが不正です。"));
    EXPECT_NE(dlg.result(), QDialog::Accepted);
}

TEST_F(DataFolderDlgTest, UnreadableHeaderOfASearchResultIsReportedAndCleared) {
    const std::string samples = SamplesFolder();
    const std::vector<std::string> results{samples + "tower", samples + "no-such-set"};
    D dlg(AppFolder(), &results);
    EXPECT_FALSE(Field(&dlg, D::IDC_TITLE).isEmpty());
    Sets(&dlg)->setCurrentRow(1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("ヘッダの読み込みに失敗しました。"));
    EXPECT_TRUE(Field(&dlg, D::IDC_TITLE).isEmpty());
    EXPECT_TRUE(dlg.m_header.m_strTitle.empty());
    EXPECT_EQ(Field(&dlg, D::IDC_DATA_NAME), QStringLiteral("no-such-set"));
}

TEST_F(DataFolderDlgTest, AddingRefusesOnlyAFolderThatIsListedAlready) {
    const fs::path set10 = app.Path() / "set10";
    const fs::path set1 = app.Path() / "set1";
    fs::create_directories(set10);
    AddSet(set1, "a", "GEOMETRY_FILE,1\n");
    WriteDirList(set10.string() + "\n");
    D dlg(AppFolder(), nullptr);

    // "set1" is the beginning of the listed "set10" but another folder.
    browserAnswer = QString::fromStdString(set1.string());
    dlg.AddFolder();
    EXPECT_EQ(browserTitles.back(), QStringLiteral("フォルダの選択"));
    EXPECT_EQ(ReadDirList(), set10.string() + "\n" + set1.string() + "\n");
    EXPECT_EQ(Folders(&dlg)->currentIndex(), 1);
    EXPECT_EQ(Items(Sets(&dlg)), QStringList{"a"});

    // The same folder again (with a trailing '/'), a cancelled browser, and a path that is
    // no folder change nothing.
    for (const QString& answerPath :
         {browserAnswer + "/", QString(), QString::fromStdString((app.Path() / "none").string())}) {
        browserAnswer = answerPath;
        dlg.AddFolder();
        EXPECT_EQ(Folders(&dlg)->count(), 2);
    }
    EXPECT_EQ(ReadDirList(), set10.string() + "\n" + set1.string() + "\n");
}

TEST_F(DataFolderDlgTest, RemovingAsksAndRewritesTheList) {
    WriteDirList("/nowhere/a\n/nowhere/b\n/nowhere/c\n");
    D dlg(AppFolder(), nullptr);
    QComboBox* folders = Folders(&dlg);
    folders->setCurrentIndex(1);

    answer = KzAnswer::No;
    dlg.RemoveSelectedFolder();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              QStringLiteral("/nowhere/b\nを保存フォルダリストから削除しますか？"));
    EXPECT_EQ(messages[0].caption, QStringLiteral("削除"));
    EXPECT_EQ(messages[0].buttons, KzButtons::YesNo);
    EXPECT_EQ(messages[0].icon, KzIcon::Question);
    EXPECT_EQ(folders->count(), 3);

    answer = KzAnswer::Yes;
    dlg.RemoveSelectedFolder();
    EXPECT_EQ(ReadDirList(), "/nowhere/a\n/nowhere/c\n");
    EXPECT_EQ(folders->count(), 2);
    EXPECT_EQ(folders->currentIndex(), 0);
    // The folders are not there at all: their data-set list is empty.
    EXPECT_EQ(Sets(&dlg)->count(), 0);
}

TEST_F(DataFolderDlgTest, EditAndSearchButtonsRunTheirDialogs) {
    const std::string samples = SamplesFolder();
    WriteDirList("/nowhere/a\n" + samples + "\n");
    D dlg(AppFolder(), nullptr);

    // "フォルダの編集" with "削除" chosen removes the selected folder.
    answer = KzAnswer::Yes;
    QTimer::singleShot(0, [] {
        auto* edit = qobject_cast<CFolderEditDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->windowTitle(), QStringLiteral("データフォルダの編集"));
        EXPECT_TRUE(Control<QRadioButton>(edit, CFolderEditDlg::IDC_ADD)->isChecked());
        Control<QRadioButton>(edit, CFolderEditDlg::IDC_REMOVE)->setChecked(true);
        Control<QPushButton>(edit, CFolderEditDlg::IDC_OK)->click();
    });
    Control<QPushButton>(&dlg, D::IDC_EDIT_FOLDERS)->click();
    EXPECT_EQ(ReadDirList(), samples + "\n");

    // "検索" shows what the search found under "検索結果".
    QTimer::singleShot(0, [] {
        auto* search = qobject_cast<CDataSearchDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(search, nullptr);
        Control<QLineEdit>(search, CDataSearchDlg::IDC_KEYWORD1)->setText(QStringLiteral("陸屋根"));
        Control<QPushButton>(search, CDataSearchDlg::IDC_OK)->click();
    });
    Control<QPushButton>(&dlg, D::IDC_SEARCH)->click();
    EXPECT_EQ(Folders(&dlg)->currentText(), QStringLiteral("検索結果"));
    EXPECT_EQ(Items(Sets(&dlg)), (QStringList{QString::fromStdString(samples + "lshape"),
                                              QString::fromStdString(samples + "tower")}));
}

TEST_F(DataFolderDlgTest, ScrollExtentFollowsTheWidestTextEverShown) {
    const std::string longPath = "/" + std::string(300, 'w') + "/set";
    const std::vector<std::string> results{longPath};
    D dlg(AppFolder(), &results);
    dlg.resize(400, 300);
    dlg.show();
    QApplication::processEvents();
    QListWidget* list = Sets(&dlg);
    const int width = list->fontMetrics().horizontalAdvance(QString::fromStdString(longPath));
    EXPECT_GE(D::HorizontalExtent(), width + 5);
    EXPECT_GE(list->horizontalScrollBar()->maximum(),
              D::HorizontalExtent() - list->viewport()->width());

    // A later dialog with short names keeps the extent.
    const int extent = D::HorizontalExtent();
    const std::vector<std::string> shorter{"/a"};
    D again(AppFolder(), &shorter);
    EXPECT_EQ(D::HorizontalExtent(), extent);
}

TEST_F(DataFolderDlgTest, MouseClicksPickDataSetsAndADoubleClickLoads) {
    const std::string samples = SamplesFolder();
    WriteDirList(samples + "\n");
    D dlg(AppFolder(), nullptr);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    QListWidget* list = Sets(&dlg);
    auto at = [list](int row) { return list->visualItemRect(list->item(row)).center(); };

    // A click selects the row under the mouse and shows its header; a click with Ctrl on the
    // selected row keeps it selected, as a single-selection list does.
    for (int row : {2, 1, 2}) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at(row));
        EXPECT_TRUE(list->isEnabled()) << row;
        EXPECT_EQ(Field(&dlg, D::IDC_DATA_NAME), list->item(row)->text());
    }
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, at(2));
    EXPECT_TRUE(list->item(2)->isSelected());
    EXPECT_TRUE(Control<QLineEdit>(&dlg, D::IDC_TITLE)->isEnabled());
    EXPECT_EQ(Field(&dlg, D::IDC_MEASURER), QStringLiteral("山田 太郎"));  // tower's

    // A double click (press, release, double click) on another data set loads that one, with
    // its own header.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at(1));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at(1));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.m_strFolder, samples + "lshape/");
    CHeaderFile lshape;
    ASSERT_TRUE(lshape.Read((samples + "lshape/header").c_str()));
    EXPECT_EQ(dlg.m_header.m_strTitle, lshape.m_strTitle);
    EXPECT_EQ(dlg.m_header.m_strMeasurer, lshape.m_strMeasurer);
}

TEST_F(DataFolderDlgTest, RefusalsNameTheirCauseAndSetsWithoutAHeaderAreListedMarked) {
    const fs::path data = app.Path() / "data";
    const std::string geo = "GEOMETRY_FILE,1\n";
    AddSet(data, "a-badgeo", "NOT_GEOMETRY,1\n");
    AddSet(data, "b-gone", geo);
    AddSet(data, "c-file", geo);
    fs::create_directories(data / "d-noheader");
    std::ofstream(data / "d-noheader" / "main.geo", std::ios::binary) << geo;
    fs::create_directories(data / "pictures");  // no data set: not listed
    WriteDirList(data.string() + "\n");
    D dlg(AppFolder(), nullptr);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    QListWidget* list = Sets(&dlg);
    EXPECT_EQ(Items(list), (QStringList{"a-badgeo", "b-gone", "c-file",
                                        QStringLiteral("d-noheader（ヘッダなし）")}));

    // The folders change under the open dialog.
    fs::remove_all(data / "b-gone");
    fs::remove_all(data / "c-file");
    std::ofstream(data / "c-file", std::ios::binary) << "x";

    auto* load = Control<QPushButton>(&dlg, D::IDC_LOAD);
    auto refusalAt = [&](int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(list->item(row)).center());
        messages.clear();
        QTest::mouseClick(load, Qt::LeftButton);
        EXPECT_TRUE(dlg.isVisible()) << row;
        EXPECT_TRUE(dlg.m_strFolder.empty()) << row;
        return messages.size() == 1 ? messages[0].text
                                    : QStringLiteral("(%1 boxes)").arg(messages.size());
    };
    EXPECT_EQ(refusalAt(0), QStringLiteral("実験建物ジオメトリファイルが不正です。"));
    EXPECT_EQ(refusalAt(1), QStringLiteral("データセットのフォルダが見つかりません。\n") +
                                QString::fromStdString((data / "b-gone").string()));
    EXPECT_TRUE(refusalAt(2).startsWith(
        QStringLiteral("データセットのフォルダがフォルダではなくファイルです。")));
    // Selecting the marked set says nothing more and shows no header; loading names the file.
    const QString noHeader = refusalAt(3);
    EXPECT_TRUE(noHeader.startsWith(
        QStringLiteral("ヘッダファイルを読み込めません。ファイルがありません。")))
        << noHeader.toStdString();
    EXPECT_TRUE(
        noHeader.endsWith(QString::fromStdString((data / "d-noheader" / "header").string())));
    EXPECT_EQ(Field(&dlg, D::IDC_DATA_NAME), QStringLiteral("d-noheader"));
    EXPECT_TRUE(Field(&dlg, D::IDC_TITLE).isEmpty());
}

TEST_F(DataFolderDlgTest, AFolderListThatCannotBeWrittenIsSaidAndNothingLooksChanged) {
    const fs::path set1 = app.Path() / "set1";
    fs::create_directories(set1);
    WriteDirList("/nowhere/a\n/nowhere/b\n");
    D dlg(AppFolder(), nullptr);
    QComboBox* folders = Folders(&dlg);
    // "dirlist" becomes a folder: no write can replace it, also for the superuser.
    fs::remove(DirList());
    fs::create_directories(DirList() + "/x");

    browserAnswer = QString::fromStdString(set1.string());
    dlg.AddFolder();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.startsWith(
        QStringLiteral("フォルダを保存フォルダリストに追加できませんでした。")));
    EXPECT_TRUE(messages[0].text.endsWith(QString::fromStdString(DirList())));
    EXPECT_EQ(folders->count(), 2);

    messages.clear();
    answer = KzAnswer::Yes;  // to "remove?", and to the failure's box
    folders->setCurrentIndex(1);
    dlg.RemoveSelectedFolder();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[1].text.startsWith(
        QStringLiteral("フォルダを保存フォルダリストから削除できませんでした。")));
    EXPECT_EQ(folders->count(), 2);
    EXPECT_EQ(folders->itemText(1), QStringLiteral("/nowhere/b"));
}

TEST_F(DataFolderDlgTest, LongSummaryWrapsWithinItsBox) {
    const fs::path data = app.Path() / "data";
    fs::create_directories(data / "long");
    std::string summary;
    for (int i = 0; i < 40; ++i) {
        summary += "風洞実験の概要 ";
    }
    std::ofstream(data / "long" / "header", std::ios::binary) << "HEADER_FILE,1\ntitle\na\nm\nk\n"
                                                              << summary << "\nEND\n";
    WriteDirList(data.string() + "\n");
    D dlg(AppFolder(), nullptr);
    dlg.resize(700, 500);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    auto* box = Control<QPlainTextEdit>(&dlg, D::IDC_SUMMARY);
    // The one long line is broken into several lines of the box's width: nothing lies beyond
    // its right edge.
    EXPECT_EQ(box->horizontalScrollBar()->maximum(), 0);
    const QTextBlock block = box->document()->firstBlock();
    ASSERT_NE(block.layout(), nullptr);
    EXPECT_GT(block.layout()->lineCount(), 2);
}

namespace {

// Counts the layout requests and viewport resizes of a list: a list whose geometry has
// settled gets none while nothing changes.
class LayoutCounter : public QObject {
public:
    explicit LayoutCounter(QListWidget* list) : m_list(list) {
        list->installEventFilter(this);
        list->viewport()->installEventFilter(this);
    }
    int count = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if ((watched == m_list && event->type() == QEvent::LayoutRequest) ||
            (watched == m_list->viewport() && event->type() == QEvent::Resize)) {
            ++count;
        }
        return false;
    }

private:
    QListWidget* m_list;
};

}  // namespace

TEST_F(DataFolderDlgTest, ListWidthSettlesForLongNamesAndShortListsAfterLongOnes) {
    Watchdog watchdog(120);
    const fs::path longFolder = app.Path() / "long";
    const fs::path shortFolder = app.Path() / "short";
    std::string wide;  // 85 x 風: a 255-byte name
    for (int i = 0; i < 85; ++i) {
        wide += "風";
    }
    AddSet(longFolder, wide, "GEOMETRY_FILE,1\n");
    AddSet(shortFolder, "b", "");  // lacks main.geo
    WriteDirList(longFolder.string() + "\n" + shortFolder.string() + "\n");
    D dlg(AppFolder(), nullptr);
    dlg.resize(520, 360);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    QListWidget* list = Sets(&dlg);
    LayoutCounter counter(list);
    const auto settles = [&](const char* step) {
        for (int i = 0; i < 20; ++i) {
            QApplication::processEvents();
        }
        counter.count = 0;
        for (int i = 0; i < 20; ++i) {
            QApplication::processEvents();
        }
        EXPECT_EQ(counter.count, 0) << step;
        EXPECT_GE(list->horizontalScrollBar()->maximum(),
                  D::HorizontalExtent() - list->viewport()->width())
            << step;
    };
    settles("long name");

    // The user switches the drop-down to the short folder and loads its set.
    QComboBox* folders = Folders(&dlg);
    folders->setFocus();
    QTest::keyClick(folders, Qt::Key_Down);
    ASSERT_EQ(Items(list), QStringList{"b"});
    settles("short list after the long one");
    QTest::keyClick(&dlg, Qt::Key_Return);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("実験建物ジオメトリファイルが不正です。"));

    // Long search-result paths, then a short folder again.
    std::vector<std::string> paths;
    for (int i = 0; i < 30; ++i) {
        paths.push_back((longFolder / (wide + std::to_string(i)) / wide).string());
    }
    dlg.ShowSearchResults(paths);
    settles("long search results");
    QTest::keyClick(folders, Qt::Key_Up);
    ASSERT_EQ(Items(list), QStringList{"b"});
    settles("back to a short folder");
}

TEST_F(DataFolderDlgTest, FoldersAndGeometriesThatCannotBeReadSayWhy) {
    const fs::path data = app.Path() / "data";
    AddSet(data, "geo-folder", "");
    fs::create_directories(data / "geo-folder" / "main.geo");  // a folder, not a file
    const fs::path file = app.Path() / "a-file";
    std::ofstream(file, std::ios::binary) << "x";
    WriteDirList(file.string() + "\n" + data.string() + "\n");
    D dlg(AppFolder(), nullptr);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, QStringLiteral("データフォルダがフォルダではなくファイルです。\n") +
                                    QString::fromStdString(file.string()));
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    QComboBox* folders = Folders(&dlg);
    folders->setFocus();
    QTest::keyClick(folders, Qt::Key_Down);
    ASSERT_EQ(Items(Sets(&dlg)), QStringList{"geo-folder"});
    QTest::mouseClick(Control<QPushButton>(&dlg, D::IDC_LOAD), Qt::LeftButton);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text,
              QStringLiteral("実験建物ジオメトリファイルを読み込めません。") +
                  QString::fromStdString(kzv::FaultText(kzv::FileFault::NotRegularFile, "", 0)) +
                  QLatin1Char('\n') +
                  QString::fromStdString((data / "geo-folder" / "main.geo").string()));
    if (::geteuid() != 0) {  // the superuser reads every folder
        ::chmod(data.c_str(), 0);
        QTest::keyClick(folders, Qt::Key_Up);
        QTest::keyClick(folders, Qt::Key_Down);
        ::chmod(data.c_str(), 0755);
        ASSERT_EQ(messages.size(), 4u);
        EXPECT_TRUE(
            messages[3].text.startsWith(QStringLiteral("データフォルダを読む権限がありません。")));
    }
}
