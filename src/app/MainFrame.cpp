#include "MainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QUrl>
#include <filesystem>

#include "CommandIds.h"
#include "CommentDlg.h"
#include "KZ_VApp.h"
#include "KZ_VView.h"
#include "MessageBox.h"
#include "OperationPanelBar.h"
#include "ValueListBar.h"
#include "field/Compass.h"
#include "state/DataSetLoad.h"
#include "text/NumberFormat.h"

namespace {

// The commands that need a loaded data set.
const int kDataSetCommands[] = {ID_FILE_PRINT,    ID_FILE_PRINT_PREVIEW, ID_HEADER_INFO,
                                ID_SAVE_IMAGE,    ID_COPY_IMAGE,         ID_RESET_DISPLAY,
                                ID_LOAD_SETTINGS, ID_SAVE_SETTINGS,      ID_COMMENT};

}  // namespace

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    setMinimumSize(640, 400);
    m_pView = new CKZ_VView(this);
    m_pView->SetHost(this);
    setCentralWidget(m_pView);

    // Status bar: prompts in pane 0, the data-set name in pane 1, the direction in pane 2.
    m_paneName = new QLabel(this);
    m_paneDirection = new QLabel(this);
    m_paneName->setMinimumWidth(120);
    m_paneDirection->setMinimumWidth(40);
    statusBar()->addPermanentWidget(m_paneName);
    statusBar()->addPermanentWidget(m_paneDirection);

    // The operation panel, and the value list below it in the same column.
    m_pPanelBar = new COperationPanelBar(this);
    m_pValueBar = new CValueListBar(this);
    addDockWidget(Qt::RightDockWidgetArea, m_pPanelBar);
    addDockWidget(Qt::RightDockWidgetArea, m_pValueBar);
    splitDockWidget(m_pPanelBar, m_pValueBar, Qt::Vertical);

    // The pages follow the state in the order a load refreshes them; the frame comes last.
    for (CPanelPage* page : {static_cast<CPanelPage*>(m_pPanelBar->m_pageDisplay),
                             static_cast<CPanelPage*>(m_pPanelBar->m_pageDirection),
                             static_cast<CPanelPage*>(m_pValueBar->m_page),
                             static_cast<CPanelPage*>(m_pPanelBar->m_pageDataValue),
                             static_cast<CPanelPage*>(m_pPanelBar->m_pageOperation),
                             static_cast<CPanelPage*>(m_pPanelBar->m_pageContour),
                             static_cast<CPanelPage*>(m_pPanelBar->m_pageColorBar)}) {
        page->Attach(*m_pView);
    }
    m_pView->AddListener([this](unsigned aspects) { OnStateChanged(aspects); });

    CreateMenus();
    UpdateCommandStates();
    UpdateCaption();
}

CMainFrame::~CMainFrame() {
    if (m_pView != nullptr) {
        m_pView->SetHost(nullptr);
    }
}

QAction* CMainFrame::AddCommand(QMenu* menu, int id, const QString& text, const QString& prompt) {
    QAction* action = nullptr;
    if (menu != nullptr) {
        action = menu->addAction(text);
    } else {
        action = new QAction(text, this);
        addAction(action);
    }
    action->setData(id);
    if (!prompt.isEmpty()) {
        action->setStatusTip(prompt);
    }
    connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    m_actions[id] = action;
    return action;
}

void CMainFrame::CreateMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
    AddCommand(file, ID_LOAD_DATA, QStringLiteral("データを読み込む"),
               QStringLiteral("データを読み込む"));
    AddCommand(file, ID_SEARCH_DATA, QStringLiteral("データの検索"),
               QStringLiteral("データの検索"));
    AddCommand(file, ID_HEADER_INFO, QStringLiteral("付随情報の参照"),
               QStringLiteral("付随情報の参照"));
    file->addSeparator();
    AddCommand(file, ID_SAVE_IMAGE, QStringLiteral("画像の保存"),
               QStringLiteral("ビューをBMP形式で保存します"));
    AddCommand(file, ID_COPY_IMAGE, QStringLiteral("画像のコピー"),
               QStringLiteral("ビューの画像をクリップボードにコピーします"));
    file->addSeparator();
    AddCommand(file, ID_FILE_PRINT, QStringLiteral("印刷(&P)...\tCtrl+P"));
    AddCommand(file, ID_FILE_PRINT_PREVIEW, QStringLiteral("印刷ﾌﾟﾚﾋﾞｭｰ(&V)"));
    AddCommand(file, ID_FILE_PRINT_SETUP, QStringLiteral("ﾌﾟﾘﾝﾀの設定(&R)..."));
    file->addSeparator();
    AddCommand(file, ID_APP_EXIT, QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"));

    QMenu* display = menuBar()->addMenu(QStringLiteral("表示設定"));
    AddCommand(display, ID_RESET_DISPLAY, QStringLiteral("初期状態に戻す"),
               QStringLiteral("表示設定を初期状態に戻します"));
    AddCommand(display, ID_LOAD_SETTINGS, QStringLiteral("ファイルから読み込む"),
               QStringLiteral("ファイルから表示設定を読み込みます"));
    display->addSeparator();
    AddCommand(display, ID_SAVE_SETTINGS, QStringLiteral("ファイルへ保存"),
               QStringLiteral("表示設定をファイルへ保存します"));
    display->addSeparator();
    AddCommand(display, ID_COMMENT, QStringLiteral("コメント表示"),
               QStringLiteral("画面内へコメントを表示します"));

    QMenu* help = menuBar()->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    AddCommand(help, ID_HELP_FINDER, QStringLiteral("目次(&C)...\tCtrl+H"));
    help->addSeparator();
    AddCommand(help, ID_APP_ABOUT, QStringLiteral("KZ_V のﾊﾞｰｼﾞｮﾝ情報(&A)..."));

    // Accelerators: the menu texts show them; the shortcuts make them work.
    m_actions[ID_FILE_PRINT]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    m_actions[ID_HELP_FINDER]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    // Opening a file has no menu item, only its shortcut.
    AddCommand(nullptr, ID_FILE_OPEN, QString())->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
}

QAction* CMainFrame::Action(int id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::RunCommand(int id) {
    const QAction* action = Action(id);
    if (action != nullptr && !action->isEnabled()) {
        return;
    }
    switch (id) {
        case ID_LOAD_DATA:
            m_pView->OnLoadData();
            break;
        case ID_SEARCH_DATA:
            OnSearchData();
            break;
        case ID_HEADER_INFO:
            OnHeaderInfo();
            break;
        case ID_SAVE_IMAGE:
            OnSaveImage();
            break;
        case ID_COPY_IMAGE:
            OnCopyImage();
            break;
        case ID_FILE_PRINT:
            OnPrint();
            break;
        case ID_FILE_PRINT_PREVIEW:
            OnPrintPreview();
            break;
        case ID_FILE_PRINT_SETUP:
            OnPrintSetup();
            break;
        case ID_APP_EXIT:
            close();
            break;
        case ID_RESET_DISPLAY:
            OnResetDisplay();
            break;
        case ID_HELP_FINDER:
            OnHelp();
            break;
        case ID_APP_ABOUT:
            if (auto* app = qobject_cast<CKZ_VApp*>(QCoreApplication::instance())) {
                app->OnAppAbout();
            }
            break;
        case ID_FILE_NEW:
            OnFileNew();
            break;
        case ID_FILE_OPEN:
            OnFileOpen();
            break;
        case ID_COMMENT:
            OnComment();
            break;
        default:
            break;  // the settings file comes with its own work
    }
}

void CMainFrame::UpdateCommandStates() {
    const bool loaded = m_pView != nullptr && m_pView->HasDataSet();
    for (int id : kDataSetCommands) {
        if (QAction* action = Action(id)) {
            action->setEnabled(loaded);
        }
    }
}

void CMainFrame::UpdateCaption() {
    setWindowTitle(QString::fromStdString(m_doc.Caption()));
}

// ---- the view's host ----

void CMainFrame::OnStateChanged(unsigned aspects) {
    if (aspects & ASPECT_DATASET) {
        SetDataSetName(DataSetName(m_pView->m_strDataFolder));
        UpdateCommandStates();
    }
    if (aspects & (ASPECT_DATASET | ASPECT_DIRECTION)) {
        // The angle of the shown direction, as the direction page shows it.
        const double angle = DirectionAngle(m_pView->m_cp.m_nDirectionCount, m_pView->m_nDirection);
        m_paneDirection->setText(m_pView->HasDataSet() ? QString::fromStdString(kzv::FormatG(angle))
                                                       : QString());
    }
}

void CMainFrame::SetDataSetName(const std::string& name) {
    m_doc.SetTitle(name);
    UpdateCaption();
    m_paneName->setText(QString::fromStdString(name));
}

void CMainFrame::SetDataSetDialogs(Chooser chooser, Searcher searcher, HeaderViewer headerViewer) {
    m_chooser = std::move(chooser);
    m_searcher = std::move(searcher);
    m_headerViewer = std::move(headerViewer);
}

bool CMainFrame::ChooseDataSet(const std::vector<std::string>* searchResults, std::string& folder,
                               CHeaderFile& header) {
    return m_chooser && m_chooser(this, searchResults, folder, header);
}

// ---- commands ----

void CMainFrame::OnSearchData() {
    std::vector<std::string> results;
    if (m_searcher && m_searcher(this, results)) {
        m_pView->LoadDataSet(&results);
    }
}

void CMainFrame::OnHeaderInfo() {
    if (m_headerViewer) {
        m_headerViewer(this, m_pView->m_strDataFolder);
    }
}

void CMainFrame::OnSaveImage() {
    const std::string path = CKZ_VApp::PromptFileName(
        false, QStringLiteral("BMP Files"), QStringLiteral("bmp"), QStringLiteral("Image"));
    if (path.empty()) {
        return;
    }
    std::string error;
    if (!m_pView->SaveBitmap(path, &error)) {
        KzMessageBox(this,
                     QStringLiteral("ファイル %1 に書き込めませんでした。\n%2")
                         .arg(QString::fromStdString(path), QString::fromStdString(error)),
                     QString(), KzButtons::Ok, KzIcon::Error);
    }
}

void CMainFrame::OnCopyImage() {
    m_pView->CopyToClipboard();
}

QPrinter* CMainFrame::Printer() {
    // One printer for print, preview and set-up, so the set-up's choices are used.
    if (!m_pPrinter) {
        m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    }
    return m_pPrinter.get();
}

void CMainFrame::OnPrint() {
    QPrintDialog dialog(Printer(), this);
    if (dialog.exec() == QDialog::Accepted) {
        m_pView->PrintView(*m_pPrinter);
    }
}

void CMainFrame::OnPrintPreview() {
    QPrintPreviewDialog preview(Printer(), this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { m_pView->PrintView(*printer); });
    preview.exec();
}

void CMainFrame::OnPrintSetup() {
    QPageSetupDialog dialog(Printer(), this);
    dialog.exec();
}

void CMainFrame::OnResetDisplay() {
    m_pView->ResetDisplayState();
    m_pView->Changed(ASPECT_ALL & ~(ASPECT_DATASET | ASPECT_POSITIONS));
}

void CMainFrame::OnComment() {
    CCommentDlg dialog(m_pView, this);
    dialog.exec();
    m_pView->update();
}

void CMainFrame::OnHelp() {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(m_strHelpPath, ec)) {
        KzMessageBox(this, QStringLiteral("ヘルプファイル%1が見つかりません。\n")
                               .arg(QString::fromStdString(m_strHelpPath)));
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(m_strHelpPath)));
}

void CMainFrame::OnFileNew() {
    // The document holds nothing: a new one only empties the title.
    m_doc.SetTitle(std::string());
    UpdateCaption();
}

void CMainFrame::OnFileOpen() {
    // Opening a file only names the document after it; the view keeps its data set.
    const std::string path = CKZ_VApp::PromptFileName(true, QStringLiteral("すべてのファイル"),
                                                      QStringLiteral("*"), QString());
    if (!path.empty()) {
        m_doc.SetTitle(QFileInfo(QString::fromStdString(path)).fileName().toStdString());
        UpdateCaption();
    }
}

// ---- layout ----

void CMainFrame::RestoreLayout(const std::string& sizePath) {
    m_strSizePath = sizePath;
    CWindowLayout layout;
    ReadWindowLayout(sizePath, layout);
    m_pPanelBar->SetSizes(layout.panel);
    m_pValueBar->SetSizes(layout.values);
    setGeometry(layout.left, layout.top, std::max(0, layout.right - layout.left),
                std::max(0, layout.bottom - layout.top));
    resizeDocks({m_pPanelBar, m_pValueBar}, {layout.panel.vertCx, layout.values.vertCx},
                Qt::Horizontal);
    resizeDocks({m_pPanelBar, m_pValueBar}, {layout.panel.vertCy, layout.values.vertCy},
                Qt::Vertical);
    switch (layout.showCmd) {
        case CWindowLayout::SHOW_MINIMIZED:
            showMinimized();
            break;
        case CWindowLayout::SHOW_NORMAL:
            showNormal();
            break;
        default:
            showMaximized();
            break;
    }
}

CWindowLayout CMainFrame::CurrentLayout() const {
    CWindowLayout layout;
    layout.showCmd = isMaximized()   ? CWindowLayout::SHOW_MAXIMIZED
                     : isMinimized() ? CWindowLayout::SHOW_MINIMIZED
                                     : CWindowLayout::SHOW_NORMAL;
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    layout.left = normal.left();
    layout.top = normal.top();
    layout.right = normal.left() + normal.width();
    layout.bottom = normal.top() + normal.height();
    layout.panel = m_pPanelBar->Sizes();
    layout.values = m_pValueBar->Sizes();
    return layout;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_strSizePath.empty()) {
        WriteWindowLayout(m_strSizePath, CurrentLayout());
    }
    QMainWindow::closeEvent(event);
}
