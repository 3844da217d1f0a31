#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <utility>
#include <vector>

#include <sys/resource.h>

#include "SampleGen.h"
#include "app/CommandIds.h"
#include "app/ImageScaleDlg.h"
#include "app/KZ_VApp.h"
#include "app/MainFrame.h"
#include "panels/DisplayPage.h"
#include "panels/OperationPanelBar.h"
#include "panels/PageControlIds.h"
#include "panels/PageTestSupport.h"
#include "panels/ValueListBar.h"
#include "render/TestView.h"
#include "ui/FilePrompt.h"
#include "ui/MessageBox.h"
#include "view/KZ_VView.h"

namespace {

// Enabled once a data set is loaded.
const int kDataSetCommands[] = {ID_FILE_PRINT,    ID_FILE_PRINT_PREVIEW, ID_HEADER_INFO,
                                ID_SAVE_IMAGE,    ID_COPY_IMAGE,         ID_RESET_DISPLAY,
                                ID_LOAD_SETTINGS, ID_SAVE_SETTINGS,      ID_COMMENT};

// Records message boxes instead of showing them.
struct MessageRecorder {
    QStringList texts;
    KzMessageBoxHook previous;
    MessageRecorder() {
        previous =
            SetMessageBoxHook([this](const QString& text, const QString&, KzButtons, KzIcon) {
                texts << text;
                return KzAnswer::Ok;
            });
    }
    ~MessageRecorder() { SetMessageBoxHook(previous); }
};

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(ShowExposed(frame, 1000, 700)); }
    void Load(const std::string& name) { LoadSample(*frame.View(), name); }
    QColor CentrePixel() {
        const QImage image = GrabFrame(*frame.View());
        return PixelAt(image, image.width() / 2, image.height() / 2);
    }
    CMainFrame frame;
};

TEST_F(MainFrameTest, StartsEmptyWithTheDataSetCommandsGreyed) {
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("KZ_V"));
    EXPECT_EQ(&frame.View()->Owner(), &frame.Document().State());
    EXPECT_TRUE(Near(CentrePixel(), Qt::white));
    for (int id : kDataSetCommands) {
        ASSERT_NE(frame.Action(id), nullptr) << id;
        EXPECT_FALSE(frame.Action(id)->isEnabled()) << id;
    }
    EXPECT_TRUE(frame.Action(ID_LOAD_DATA)->isEnabled());
    EXPECT_TRUE(frame.Action(ID_SEARCH_DATA)->isEnabled());
    EXPECT_EQ(frame.minimumSize(), QSize(640, 400));
    // Markers and axes stay off until a data set is loaded.
    EXPECT_EQ(Arrange(frame.View()->Owner()).m_settings.m_bShowMarkers, 0);
    EXPECT_EQ(Arrange(frame.View()->Owner()).m_settings.m_bShowAxes, 0);
    // Bars on the right: the six tabs in order, tab 0 selected.
    const QTabWidget* tabs = frame.OperationPanel()->Tabs();
    ASSERT_EQ(tabs->count(), 6);
    const char* texts[] = {"方位", "操作", "表示", "コンタ", "カラーバー", "データ値"};
    const int ids[] = {133, 134, 135, 138, 159, 103};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(tabs->tabText(i), QString::fromUtf8(texts[i]));
        EXPECT_EQ(frame.OperationPanel()->Page(i)->property("resourceId").toInt(), ids[i]);
    }
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(frame.dockWidgetArea(frame.OperationPanel()), Qt::RightDockWidgetArea);
    EXPECT_EQ(frame.dockWidgetArea(frame.ValueListBar()), Qt::RightDockWidgetArea);
    EXPECT_FALSE(frame.OperationPanel()->features() & QDockWidget::DockWidgetFloatable);
}

TEST_F(MainFrameTest, MenusInOrderWithTheirIds) {
    const QList<QAction*> menus = frame.menuBar()->actions();
    ASSERT_EQ(menus.size(), 3);
    EXPECT_EQ(menus[0]->text(), QString::fromUtf8("ﾌｧｲﾙ(&F)"));
    EXPECT_EQ(menus[1]->text(), QString::fromUtf8("表示設定"));
    EXPECT_EQ(menus[2]->text(), QString::fromUtf8("ﾍﾙﾌﾟ(&H)"));
    auto ids = [](QAction* menu) {
        std::vector<int> out;
        for (QAction* a : menu->menu()->actions()) {
            out.push_back(a->isSeparator() ? 0 : a->data().toInt());
        }
        return out;
    };
    EXPECT_EQ(ids(menus[0]), (std::vector<int>{32773, 32774, 32776, 0, 32790, 32792, 32791, 0,
                                               32778, 32779, 0, 57607, 57609, 57606, 0, 57665}));
    EXPECT_EQ(ids(menus[1]), (std::vector<int>{32780, 32781, 0, 32782, 0, 32787, 32801}));
    EXPECT_EQ(ids(menus[2]), (std::vector<int>{57666, 0, 57664}));
    EXPECT_EQ(frame.Action(ID_SAVE_IMAGE)->statusTip(),
              QString::fromUtf8("ビューをBMP形式で保存します"));
    EXPECT_EQ(frame.Action(ID_FILE_PRINT)->text(), QString::fromUtf8("印刷(&P)...\tCtrl+P"));
}

TEST_F(MainFrameTest, LoadingEachSampleTitlesTheWindowAndFillsTheState) {
    struct Expect {
        const char* name;
        int directions;
    } const samples[] = {{"tower", 16}, {"gable", 8}, {"lshape", 32}};
    for (const Expect& e : samples) {
        SCOPED_TRACE(e.name);
        Arrange(frame.View()->Owner()).m_selection.m_lstSelected = {1, 2, 3};
        Arrange(frame.View()->Owner()).m_settings.m_nContourKind = 2;
        Load(e.name);
        EXPECT_EQ(frame.windowTitle(), QString::fromUtf8(e.name) + " - KZ_V");
        EXPECT_EQ(frame.NamePane()->text(), QString::fromUtf8(e.name));
        EXPECT_EQ(frame.DirectionPane()->text(), QStringLiteral("0"));
        EXPECT_EQ(frame.OperationPanel()->m_pageDirection->m_nDirCount, e.directions);
        EXPECT_EQ(Arrange(frame.View()->Owner()).m_data.m_cp.m_nDirectionCount, e.directions);
        EXPECT_EQ(Arrange(frame.View()->Owner()).m_data.m_strDataFolder,
                  SamplesFolder() + e.name + "/");
        EXPECT_TRUE(Arrange(frame.View()->Owner()).m_selection.m_lstSelected.empty());
        EXPECT_EQ(Arrange(frame.View()->Owner()).m_settings.m_nContourKind, 0);
        EXPECT_EQ(frame.OperationPanel()->m_pageDisplay->PartList()->count(),
                  Arrange(frame.View()->Owner()).m_data.GetPartCount());
        EXPECT_FALSE(frame.OperationPanel()->m_pageDataValue->UndoButton()->isEnabled());
        EXPECT_GT(Arrange(frame.View()->Owner()).m_data.m_fScale, 0.0f);
        for (int id : kDataSetCommands) {
            EXPECT_TRUE(frame.Action(id)->isEnabled()) << id;
        }
    }
}

// "ファイルへ保存" and "ファイルから読み込む" from the menu: a setting survives a reset
// through the file; a damaged file says so and changes nothing; a cancelled prompt does nothing.
TEST_F(MainFrameTest, SettingsFileSavesAndLoadsFromTheMenu) {
    Load("gable");
    QTemporaryDir dir;
    std::string answer = dir.filePath("view.set").toStdString();
    SetFilePromptHook(
        [&](bool, const QString& filter, const QString& ext, const QString& name, const QString&) {
            EXPECT_TRUE(filter.startsWith(QStringLiteral("設定ファイル (*.set)")));
            EXPECT_EQ(ext, QStringLiteral("set"));
            EXPECT_EQ(name, QStringLiteral("setting"));
            return answer;
        });
    auto runFromMenu = [&](int id) {
        QAction* displayMenu = frame.menuBar()->actions()[1];
        QTest::mouseClick(frame.menuBar(), Qt::LeftButton, Qt::NoModifier,
                          frame.menuBar()->actionGeometry(displayMenu).center());
        QMenu* menu = displayMenu->menu();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                          menu->actionGeometry(frame.Action(id)).center());
    };
    Arrange(frame.View()->Owner()).m_settings.m_nContourKind = 2;
    Arrange(frame.View()->Owner()).m_settings.m_bShowGround = 1;
    runFromMenu(ID_SAVE_SETTINGS);
    ASSERT_TRUE(QFile::exists(QString::fromStdString(answer)));
    frame.RunCommand(ID_RESET_DISPLAY);
    EXPECT_EQ(Arrange(frame.View()->Owner()).m_settings.m_nContourKind, 0);
    runFromMenu(ID_LOAD_SETTINGS);
    EXPECT_EQ(Arrange(frame.View()->Owner()).m_settings.m_nContourKind, 2);
    EXPECT_EQ(Arrange(frame.View()->Owner()).m_settings.m_bShowGround, 1);

    MessageRecorder messages;
    QFile damaged(dir.filePath("damaged.set"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("gable\r\nMATRIX_SETTING 2\r\n1.5\r\nnot a number\r\n");
    damaged.close();
    answer = damaged.fileName().toStdString();
    frame.RunCommand(ID_LOAD_SETTINGS);
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_EQ(messages.texts[0], QStringLiteral("設定ファイルの読み込みに失敗しました。"));
    EXPECT_EQ(Arrange(frame.View()->Owner()).m_camera.m_fZoom,
              1.0f);  // the zoom before the bad line was not taken
    answer.clear();
    frame.RunCommand(ID_LOAD_SETTINGS);
    frame.RunCommand(ID_SAVE_SETTINGS);
    EXPECT_EQ(messages.texts.size(), 1);
    SetFilePromptHook(nullptr);
}

TEST_F(MainFrameTest, CancelledChoiceChangesNothingAndResetRestoresDefaults) {
    Load("gable");
    frame.SetDataSetDialogs(
        [](QWidget*, const std::vector<std::string>*, std::string&, CHeaderFile&) { return false; },
        nullptr, nullptr);
    frame.RunCommand(ID_LOAD_DATA);
    EXPECT_EQ(Arrange(frame.View()->Owner()).m_data.m_strDataFolder, SamplesFolder() + "gable/");

    Arrange(frame.View()->Owner()).m_settings.m_dColorMax = 5;
    Arrange(frame.View()->Owner()).m_settings.m_bShowGround = 1;
    frame.RunCommand(ID_RESET_DISPLAY);
    EXPECT_EQ(Arrange(frame.View()->Owner()).m_settings.m_dColorMax, 1.0);
    EXPECT_EQ(Arrange(frame.View()->Owner()).m_settings.m_bShowGround, 0);

    // A chooser that confirms loads that data set.
    frame.SetDataSetDialogs(
        [](QWidget*, const std::vector<std::string>*, std::string& folder, CHeaderFile& header) {
            folder = SamplesFolder() + "tower/";
            header.Read((folder + "header").c_str());
            return true;
        },
        nullptr, nullptr);
    frame.RunCommand(ID_LOAD_DATA);
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("tower - KZ_V"));
}

TEST_F(MainFrameTest, SaveImageCommandWritesTheFileOrSaysWhy) {
    Load("tower");
    QTemporaryDir dir;
    std::string answer = dir.filePath("shot.bmp").toStdString();
    QString seenFilter, seenFolder;
    SetFilePromptHook([&](bool open, const QString& filter, const QString& ext, const QString& name,
                          const QString& folder) {
        EXPECT_FALSE(open);
        EXPECT_EQ(ext, QStringLiteral("bmp"));
        EXPECT_EQ(name, QStringLiteral("Image"));
        seenFilter = filter;
        seenFolder = folder;
        return answer;
    });
    // The picture's size is the window's (the size choice has its own tests).
    SetImageScaleHook([](int, int, int& scale) {
        scale = 1;
        return true;
    });
    frame.RunCommand(ID_SAVE_IMAGE);
    EXPECT_TRUE(QFile::exists(QString::fromStdString(answer)));
    EXPECT_TRUE(seenFilter.startsWith(QStringLiteral("BMP Files (*.bmp);;PNG Files (*.png)")));
    // A name ending in ".png" gives a PNG of the view's picture.
    answer = dir.filePath("shot.png").toStdString();
    frame.RunCommand(ID_SAVE_IMAGE);
    const QImage png(QString::fromStdString(answer), "PNG");
    EXPECT_EQ(png.size(), QSize(frame.View()->ClientWidth(), frame.View()->ClientHeight()));
    EXPECT_EQ(seenFolder,
              QString::fromStdString(SamplesFolder() + "tower/Documents"));  // it exists

    MessageRecorder messages;
    answer = dir.filePath("no/such/folder/shot.bmp").toStdString();
    frame.RunCommand(ID_SAVE_IMAGE);
    EXPECT_EQ(messages.texts.size(), 1);
    // A read-only file is refused in words and left as it was.
    answer = dir.filePath("kept.bmp").toStdString();
    QFile kept(QString::fromStdString(answer));
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly) && kept.write("kept") == 4);
    kept.close();
    kept.setPermissions(QFileDevice::ReadOwner);
    frame.RunCommand(ID_SAVE_IMAGE);
    ASSERT_EQ(messages.texts.size(), 2);
    EXPECT_TRUE(messages.texts.back().endsWith(QStringLiteral("ファイルが読み取り専用です。")));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("kept"));
    kept.close();
    answer.clear();  // cancelled: nothing happens
    frame.RunCommand(ID_SAVE_IMAGE);
    EXPECT_EQ(messages.texts.size(), 2);
    SetFilePromptHook(nullptr);
    SetImageScaleHook(nullptr);
}

TEST_F(MainFrameTest, HelpWithoutItsFileSaysWhere) {
    MessageRecorder messages;
    frame.m_strHelpPath = "/nonexistent/kzvhelp.chm";
    frame.RunCommand(ID_HELP_FINDER);
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_EQ(messages.texts[0],
              QString::fromUtf8("ヘルプファイル/nonexistent/kzvhelp.chmが見つかりません。\n"));
}

TEST(MainFrameLayout, FirstStartAndCloseWriteTheSizeFile) {
    QTemporaryDir dir;
    const std::string size = dir.filePath("size").toStdString();
    {
        CMainFrame frame;
        // No file: maximised, normal rectangle 20, 20, 1004 and at least 748, tall enough for
        // the operation panel's tallest page where the screen has room.
        frame.RestoreLayout(size);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        const CWindowLayout layout = frame.CurrentLayout();
        EXPECT_EQ(layout.left, 20);
        EXPECT_EQ(layout.top, 20);
        EXPECT_EQ(layout.right, 1004);
        EXPECT_GE(layout.bottom, 748);
        frame.showNormal();
        frame.setGeometry(50, 60, 800, 600);
        QTest::qWait(50);
        frame.close();
    }
    QFile file(QString::fromStdString(size));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 22);             // 21 lines, each with CR LF
    EXPECT_EQ(lines[0], QByteArray("1\r"));  // normal
    CWindowLayout back;
    ReadWindowLayout(size, back);
    EXPECT_EQ(back.right - back.left, 800);
    EXPECT_EQ(back.bottom - back.top, 600);
    EXPECT_GT(back.panel.vertCx, 0);
}

TEST(MainFrameLayout, FirstStartShowsEveryPageWithoutScrolling) {
    QTemporaryDir dir;
    CMainFrame frame;
    frame.RestoreLayout(dir.filePath("size").toStdString());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    QTabBar* tabs = frame.OperationPanel()->Tabs()->tabBar();
    for (int tab = 0; tab < tabs->count(); ++tab) {
        QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(tab).center());
        QCoreApplication::processEvents();
        auto* area = qobject_cast<QScrollArea*>(frame.OperationPanel()->Tabs()->currentWidget());
        ASSERT_NE(area, nullptr);
        EXPECT_FALSE(area->verticalScrollBar()->isVisible()) << "tab " << tab;
    }
    EXPECT_GT(frame.ValueListBar()->height(), 100);
    frame.close();
}

TEST(MainFrameLayout, ASizeFileThatCannotBeWrittenIsSaidOnceAndTheWindowStillCloses) {
    QTemporaryDir dir;
    // A "folder" that is a file: the write fails, also for the superuser.
    QFile blocker(dir.filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const std::string size = dir.filePath("file/size").toStdString();
    MessageRecorder messages;
    CMainFrame frame;
    frame.RestoreLayout(size);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    EXPECT_TRUE(frame.close());
    EXPECT_FALSE(frame.isVisible());
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].startsWith(
        QStringLiteral("ウィンドウの大きさと位置を保存できませんでした")));
    EXPECT_TRUE(messages.texts[0].endsWith(QString::fromStdString(size)));
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    frame.close();
    EXPECT_EQ(messages.texts.size(), 1);
}

}  // namespace

namespace {

TEST_F(MainFrameTest, ALoadThatMissesFilesSaysWhichOnceAndACompleteOneSaysNothing) {
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString() + "/part/";
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(SamplesFolder() + "tower/main.geo", folder + "main.geo");
    MessageRecorder messages;
    frame.View()->LoadDataSetFrom(folder, CHeaderFile());
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].contains(QStringLiteral("cp.dat")));
    EXPECT_TRUE(frame.View()->State().HasDataSet());  // loaded with what was there
    Load("tower");
    EXPECT_EQ(messages.texts.size(), 1);
}

}  // namespace

namespace {

// A folder named in CP932 bytes (as copied from a Japanese Windows disk) shows its name in
// the title and the status bar as the data-folder dialog does, not as mojibake.
TEST_F(MainFrameTest, AFolderNamedInCp932ShowsItsNameDecoded) {
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString() + "/\x83T\x83\x93\x83v\x83\x8b/";
    std::filesystem::create_directories(folder);
    for (const char* file : {"main.geo", "measure.pos", "cp.dat", "mesh.msh", "header"}) {
        std::filesystem::copy_file(SamplesFolder() + "gable/" + file, folder + file);
    }
    MessageRecorder messages;
    frame.View()->LoadDataSetFrom(folder, CHeaderFile());
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("サンプル - KZ_V"));
    EXPECT_EQ(frame.NamePane()->text(), QStringLiteral("サンプル"));
    std::filesystem::remove_all(folder);  // a name Qt's own clean-up cannot spell
}

}  // namespace

namespace {

// Answers every real message box that opens with a click on its first button, noting the text
// its label shows and whether that label reads it as markup.
class MessageBoxClicker : public QObject {
public:
    MessageBoxClicker() {
        m_timer.setInterval(20);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) {
                return;
            }
            const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            texts << (label != nullptr ? label->text() : QString());
            plain << (label != nullptr && label->textFormat() == Qt::PlainText);
            QTest::mouseClick(box->buttons().first(), Qt::LeftButton);
        });
        m_timer.start();
    }
    QStringList texts;
    QList<bool> plain;

private:
    QTimer m_timer;
};

// A data set whose folder name is markup shows that name, and paths inside it, as typed in the
// status bar, the caption and every message box.
TEST_F(MainFrameTest, NamesAndPathsWithMarkupAreShownAsTyped) {
    QTemporaryDir dir;
    const std::string name = "<font color=red size=7>RED<font>";
    const std::string folder = dir.path().toStdString() + "/" + name + "/";
    std::filesystem::create_directories(folder + "Documents");
    for (const char* file : {"main.geo", "measure.pos", "header"}) {
        std::filesystem::copy_file(SamplesFolder() + "gable/" + file, folder + file);
    }
    MessageBoxClicker boxes;
    frame.View()->LoadDataSetFrom(folder, CHeaderFile());  // cp.dat and mesh.msh are missing
    EXPECT_EQ(frame.NamePane()->text(), QString::fromStdString(name));
    EXPECT_EQ(frame.NamePane()->textFormat(), Qt::PlainText);
    EXPECT_EQ(frame.windowTitle(), QString::fromStdString(name + " - KZ_V"));

    frame.m_strHelpPath = folder + "Documents/kzvhelp.chm";
    frame.RunCommand(ID_HELP_FINDER);
    SetFilePromptHook([&](bool, const QString&, const QString&, const QString&, const QString&) {
        return folder + "Documents/<b>no</b>/shot.bmp";
    });
    SetImageScaleHook([](int, int, int& scale) {
        scale = 1;
        return true;
    });
    frame.RunCommand(ID_SAVE_IMAGE);
    SetFilePromptHook(nullptr);
    SetImageScaleHook(nullptr);
    ASSERT_EQ(boxes.texts.size(), 3);  // the load report, the help, the image
    EXPECT_EQ(boxes.plain, (QList<bool>{true, true, true}));
    EXPECT_EQ(boxes.texts[1], QString::fromStdString("ヘルプファイル" + folder +
                                                     "Documents/kzvhelp.chmが見つかりません。\n"));
    EXPECT_TRUE(boxes.texts[2].contains(QString::fromStdString(folder + "Documents/<b>no</b>/")))
        << boxes.texts[2].toStdString();
    EXPECT_TRUE(boxes.texts[2].contains(QLatin1Char('\n')));
}

}  // namespace

namespace {

// Qt's file dialog keeps its history in the program's configuration folder.
TEST(ProgramSettings, QtsOwnSettingsStayInTheConfigurationFolder) {
    QTemporaryDir folder;
    CKZ_VApp::KeepQtSettingsIn(folder.path().toStdString() + "/");
    {
        QFileDialog dialog(nullptr, QStringLiteral("x"), folder.path());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.show();
        QApplication::processEvents();
    }  // a Qt file dialog writes its history when it goes
    EXPECT_TRUE(QFile::exists(folder.filePath("QtProject.conf")));
}

// An allocation failure in an event becomes a message; the program goes on. The action asks
// for more memory than the process may have (an address-space limit just above what it holds).
TEST(ProgramSettings, AnAllocationFailureInAnActionBecomesAMessage) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit allows";
#endif
    MessageRecorder messages;
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &before), 0);
    bool reached = false;
    EXPECT_TRUE(KzDeliverReportingMemoryShortage([&]() -> bool {
        rlimit limit = before;
        limit.rlim_cur = static_cast<rlim_t>(8) << 30;  // 8 GiB of address space
        setrlimit(RLIMIT_AS, &limit);
        struct Restore {
            rlimit old;
            ~Restore() { setrlimit(RLIMIT_AS, &old); }
        } restore{before};
        std::vector<double> values(size_t{2} << 30);  // 16 GiB
        reached = true;
        return values.empty();
    }));
    EXPECT_FALSE(reached);
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_EQ(messages.texts[0], QString::fromUtf8(MSG_OUT_OF_MEMORY));
    EXPECT_FALSE(KzDeliverReportingMemoryShortage([] { return false; }));
    EXPECT_EQ(messages.texts.size(), 1);
}

}  // namespace

namespace {

// A load shows a busy cursor and says what it does until its first frame is on screen.
TEST_F(MainFrameTest, ALoadIsBusyUntilItsFirstFrame) {
    Load("tower");
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_EQ(frame.statusBar()->currentMessage(), QStringLiteral("表示を準備しています..."));
    EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::overrideCursor() == nullptr; }));
    EXPECT_TRUE(frame.statusBar()->currentMessage().isEmpty());
}

// A generated set of 30 000 taps, whose first frame takes seconds here: the busy cursor and
// the status text are up while that frame is being drawn, and go when it is on screen.
TEST_F(MainFrameTest, ALargeSetIsBusyThroughItsFirstFrame) {
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString() + "/large/";
    std::string error;
    ASSERT_TRUE(kzv::samplegen::WriteLargeDataSet(folder, 30000, 8, &error)) << error;
    // What the window shows as each frame of the loaded set starts to be drawn.
    std::vector<std::pair<bool, QString>> atFrames;
    QObject::connect(frame.View(), &QOpenGLWidget::aboutToCompose, [&] {
        if (frame.View()->State().HasDataSet()) {
            atFrames.emplace_back(QApplication::overrideCursor() != nullptr &&
                                      QApplication::overrideCursor()->shape() == Qt::WaitCursor,
                                  frame.statusBar()->currentMessage());
        }
    });
    CHeaderFile header;
    header.Read((folder + "header").c_str());
    frame.View()->LoadDataSetFrom(folder, header);
    EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::overrideCursor() == nullptr; }, 120000));
    ASSERT_FALSE(atFrames.empty());
    EXPECT_TRUE(atFrames[0].first);
    EXPECT_EQ(atFrames[0].second, QStringLiteral("表示を準備しています..."));
    EXPECT_TRUE(frame.statusBar()->currentMessage().isEmpty());

    // Its picture shows its bands between the markers left after thinning, drawn as black dots.
    const auto count = [this](int& black, int& coloured) {
        const QImage picture = GrabFrame(*frame.View());
        black = coloured = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QColor c(picture.pixel(x, y));
                black += c.value() < 40 ? 1 : 0;
                coloured += c.saturation() > 80 ? 1 : 0;
            }
        }
    };
    int black = 0, coloured = 0, blackBare = 0, colouredBare = 0;
    count(black, coloured);
    // The markers switched off as the user does: the display page's tab, then its check box.
    QTabBar* tabs = frame.OperationPanel()->Tabs()->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    ClickIndicator(
        PageControl<QCheckBox>(frame.OperationPanel()->m_pageDisplay, kzv::page::IDC_SHOW_MARKERS));
    ASSERT_EQ(frame.View()->State().m_settings.m_bShowMarkers, 0);
    count(blackBare, colouredBare);
    EXPECT_GT(black - blackBare, 500);
    EXPECT_GT(coloured, colouredBare / 2);
}

}  // namespace
