#include "app/MainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/CommandIds.h"
#include "app/HelpWindow.h"
#include "app/ImageScaleDlg.h"
#include "app/KZ_VApp.h"
#include "dataset/DataSetLoad.h"
#include "dataset/FolderUtil.h"
#include "field/Compass.h"
#include "field/ShownValues.h"
#include "panels/AgreementDlg.h"
#include "panels/CommentDlg.h"
#include "panels/LabelPosDlg.h"
#include "panels/OperationPanelBar.h"
#include "panels/PolarPage.h"
#include "panels/RangeDlg.h"
#include "panels/ValueListBar.h"
#include "state/Comparing.h"
#include "state/SettingsFile.h"
#include "state/Sidecar.h"
#include "text/CodePage.h"
#include "text/NumberFormat.h"
#include "ui/AutoCorrectDlg.h"
#include "ui/FilePrompt.h"
#include "ui/MessageBox.h"
#include "ui/PrintPrompt.h"
#include "valuelist/ValueListDlg.h"
#include "view/KZ_VView.h"

namespace {

// The menus: each title and its command ids in order, 0 for a separator.
struct CMenuLayout {
    const char* title;
    std::vector<int> ids;
};
const CMenuLayout kMenus[] = {
    {QT_TRANSLATE_NOOP("CMainFrame", "ﾌｧｲﾙ(&F)"),
     {ID_LOAD_DATA, ID_SEARCH_DATA, ID_HEADER_INFO, 0, ID_LOAD_REFERENCE, ID_AGREEMENT,
      ID_END_COMPARISON, 0, ID_SAVE_IMAGE, ID_COPY_IMAGE, 0, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW,
      ID_FILE_PRINT_SETUP, 0, ID_APP_EXIT}},
    {QT_TRANSLATE_NOOP("CMainFrame", "表示設定"),
     {ID_RESET_DISPLAY, ID_LOAD_SETTINGS, 0, ID_SAVE_SETTINGS, 0, ID_COMMENT, ID_POLAR_DIAGRAM}},
    {QT_TRANSLATE_NOOP("CMainFrame", "ﾍﾙﾌﾟ(&H)"), {ID_HELP_FINDER, 0, ID_APP_ABOUT}},
};

// Why a reference was refused, in the interface's language: the core words it in Japanese,
// with the two direction counts in it.
QString ComparisonRefusal(const std::string& reason) {
    // The two numbers in it, then the text they make (no sscanf: it reads the format's
    // non-ASCII bytes by the C library's locale).
    std::vector<int> numbers;
    for (size_t i = 0; i < reason.size(); ++i) {
        if (std::isdigit(static_cast<unsigned char>(reason[i])) != 0 &&
            (i == 0 || std::isdigit(static_cast<unsigned char>(reason[i - 1])) == 0)) {
            numbers.push_back(std::atoi(reason.c_str() + i));
        }
    }
    if (numbers.size() == 2) {
        char text[256];
        std::snprintf(text, sizeof text, MSG_COMPARE_DIRECTIONS, numbers[0], numbers[1]);
        if (reason == text) {
            return QString::asprintf(
                QCoreApplication::translate("Core", MSG_COMPARE_DIRECTIONS).toUtf8().constData(),
                numbers[0], numbers[1]);
        }
    }
    return QCoreApplication::translate("Core", reason.c_str());
}

}  // namespace

const std::vector<CMainFrame::CCommand>& CMainFrame::Commands() {
    using E = CommandEnable;
    static const std::vector<CCommand> commands = {
        {ID_LOAD_DATA, QT_TRANSLATE_NOOP("CMainFrame", "データを読み込む"),
         QT_TRANSLATE_NOOP("CMainFrame", "データを読み込む"), E::Always, &CMainFrame::OnLoadData},
        {ID_SEARCH_DATA, QT_TRANSLATE_NOOP("CMainFrame", "データの検索"),
         QT_TRANSLATE_NOOP("CMainFrame", "データの検索"), E::Always, &CMainFrame::OnSearchData},
        {ID_HEADER_INFO, QT_TRANSLATE_NOOP("CMainFrame", "付随情報の参照"),
         QT_TRANSLATE_NOOP("CMainFrame", "付随情報の参照"), E::WithDataSet,
         &CMainFrame::OnHeaderInfo},
        {ID_LOAD_REFERENCE, QT_TRANSLATE_NOOP("CMainFrame", "比較するデータを読み込む"),
         QT_TRANSLATE_NOOP("CMainFrame", "表示中のデータと比べるデータセットを読み込みます"),
         E::WithDataSet, &CMainFrame::OnLoadReference},
        {ID_AGREEMENT, QT_TRANSLATE_NOOP("CMainFrame", "一致度"),
         QT_TRANSLATE_NOOP("CMainFrame", "表示データと比較データの一致度を表示します"),
         E::Comparing, &CMainFrame::OnAgreement},
        {ID_END_COMPARISON, QT_TRANSLATE_NOOP("CMainFrame", "比較を終了"),
         QT_TRANSLATE_NOOP("CMainFrame", "比較データを閉じます"), E::Comparing,
         &CMainFrame::OnEndComparison},
        {ID_SAVE_IMAGE, QT_TRANSLATE_NOOP("CMainFrame", "画像の保存"),
         QT_TRANSLATE_NOOP("CMainFrame", "ビューをBMP形式で保存します"), E::WithDataSet,
         &CMainFrame::OnSaveImage},
        {ID_COPY_IMAGE, QT_TRANSLATE_NOOP("CMainFrame", "画像のコピー"),
         QT_TRANSLATE_NOOP("CMainFrame", "ビューの画像をクリップボードにコピーします"),
         E::WithDataSet, &CMainFrame::OnCopyImage},
        {ID_FILE_PRINT, QT_TRANSLATE_NOOP("CMainFrame", "印刷(&P)...\tCtrl+P"), "", E::WithDataSet,
         &CMainFrame::OnPrint},
        {ID_FILE_PRINT_PREVIEW, QT_TRANSLATE_NOOP("CMainFrame", "印刷ﾌﾟﾚﾋﾞｭｰ(&V)"), "",
         E::WithDataSet, &CMainFrame::OnPrintPreview},
        {ID_FILE_PRINT_SETUP, QT_TRANSLATE_NOOP("CMainFrame", "ﾌﾟﾘﾝﾀの設定(&R)..."), "", E::Always,
         &CMainFrame::OnPrintSetup},
        {ID_APP_EXIT, QT_TRANSLATE_NOOP("CMainFrame", "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"), "", E::Always,
         &CMainFrame::OnExit},
        {ID_RESET_DISPLAY, QT_TRANSLATE_NOOP("CMainFrame", "初期状態に戻す"),
         QT_TRANSLATE_NOOP("CMainFrame", "表示設定を初期状態に戻します"), E::WithDataSet,
         &CMainFrame::OnResetDisplay},
        {ID_LOAD_SETTINGS, QT_TRANSLATE_NOOP("CMainFrame", "ファイルから読み込む"),
         QT_TRANSLATE_NOOP("CMainFrame", "ファイルから表示設定を読み込みます"), E::WithDataSet,
         &CMainFrame::OnLoadSettings},
        {ID_SAVE_SETTINGS, QT_TRANSLATE_NOOP("CMainFrame", "ファイルへ保存"),
         QT_TRANSLATE_NOOP("CMainFrame", "表示設定をファイルへ保存します"), E::WithDataSet,
         &CMainFrame::OnSaveSettings},
        {ID_COMMENT, QT_TRANSLATE_NOOP("CMainFrame", "コメント表示"),
         QT_TRANSLATE_NOOP("CMainFrame", "画面内へコメントを表示します"), E::WithDataSet,
         &CMainFrame::OnComment},
        {ID_POLAR_DIAGRAM, QT_TRANSLATE_NOOP("CMainFrame", "風向特性"),
         QT_TRANSLATE_NOOP("CMainFrame", "選択した点の風向ごとの値を図で表示します"), E::Always,
         &CMainFrame::OnPolarDiagram},
        {ID_HELP_FINDER, QT_TRANSLATE_NOOP("CMainFrame", "目次(&C)...\tCtrl+H"), "", E::Always,
         &CMainFrame::OnHelp},
        {ID_APP_ABOUT, QT_TRANSLATE_NOOP("CMainFrame", "KZ_V のﾊﾞｰｼﾞｮﾝ情報(&A)..."), "", E::Always,
         &CMainFrame::OnAbout},
        // No menu item: the framework's new document, and opening a file by its shortcut.
        {ID_FILE_NEW, "", "", E::Always, &CMainFrame::OnFileNew},
        {ID_FILE_OPEN, "", "", E::Always, &CMainFrame::OnFileOpen},
    };
    return commands;
}

const CMainFrame::CCommand* CMainFrame::FindCommand(int id) {
    for (const CCommand& command : Commands()) {
        if (command.id == id) {
            return &command;
        }
    }
    return nullptr;
}

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
    setMinimumSize(640, 400);
    setWindowIcon(CKZ_VApp::LoadIconImage(128));
    m_pView = new CKZ_VView(m_doc.State(), this);
    m_pView->SetHost(this);
    setCentralWidget(m_pView);

    // Status bar: prompts in pane 0, the data-set name in pane 1, the direction in pane 2.
    m_paneName = new QLabel(this);
    m_paneDirection = new QLabel(this);
    // The name is a folder's name: shown as it is spelt, never as markup.
    m_paneName->setTextFormat(Qt::PlainText);
    m_paneDirection->setTextFormat(Qt::PlainText);
    m_paneName->setMinimumWidth(120);
    m_paneDirection->setMinimumWidth(40);
    statusBar()->addPermanentWidget(m_paneName);
    statusBar()->addPermanentWidget(m_paneDirection);
    // The true minimum and maximum of what is shown, beside the direction: where they lie
    // outside MIN..MAX the colour bar shows a triangle at that end.
    m_paneRange = new QLabel(this);
    m_paneRange->setTextFormat(Qt::PlainText);
    statusBar()->addPermanentWidget(m_paneRange);
    connect(m_pView, &CKZ_VView::ShownRangeChanged, m_paneRange, &QLabel::setText);

    // The operation panel, and the value list below it in the same column.
    m_pPanelBar = new COperationPanelBar(this);
    m_pValueList = new CValueListDlg;
    m_pValueBar = new CValueListBar(this, m_pValueList);
    addDockWidget(Qt::RightDockWidgetArea, m_pPanelBar);
    addDockWidget(Qt::RightDockWidgetArea, m_pValueBar);
    splitDockWidget(m_pPanelBar, m_pValueBar, Qt::Vertical);
    // The polar diagram on the left edge, hidden until opened.
    m_pPolarBar = new CPolarBar(this, new CPolarPage);
    addDockWidget(Qt::LeftDockWidgetArea, m_pPolarBar);
    m_pPolarBar->hide();

    // The pages follow the state in the order a load refreshes them; the frame comes last.
    for (CPanelPage* page : {static_cast<CPanelPage*>(m_pPanelBar->m_pageDisplay),
                             static_cast<CPanelPage*>(m_pPanelBar->m_pageDirection),
                             static_cast<CPanelPage*>(m_pValueBar->m_page),
                             static_cast<CPanelPage*>(m_pPanelBar->m_pageDataValue),
                             static_cast<CPanelPage*>(m_pPanelBar->m_pageOperation),
                             static_cast<CPanelPage*>(m_pPanelBar->m_pageContour),
                             static_cast<CPanelPage*>(m_pPanelBar->m_pageColorBar),
                             static_cast<CPanelPage*>(m_pPolarBar->m_page)}) {
        page->Attach(m_doc.State());
    }
    // The diagram draws the points of the rows selected in the value list.
    connect(m_pValueList, &CValueListDlg::SelectedPointsChanged, this,
            [this] { m_pPolarBar->m_page->SetChosenPoints(m_pValueList->SelectedIds()); });
    connect(m_pValueList, &CValueListDlg::PolarDiagramRequested, this,
            [this] { ShowPolarBar(true); });
    m_nStateListener =
        m_doc.State().AddListener([this](unsigned aspects) { OnStateChanged(aspects); });

    // The label-position dialog: made once, hidden; the contour page's button brings it up.
    m_pLabelPosDlg = new CLabelPosDlg(this);
    m_pLabelPosDlg->Attach(m_doc.State());
    connect(m_pPanelBar->m_pageContour, &CContourPage::EditLabelPositions, this, [this] {
        m_pLabelPosDlg->show();
        m_pLabelPosDlg->raise();
        m_pLabelPosDlg->activateWindow();
    });

    CreateMenus();
    UpdateCommandStates();
    UpdateCaption();
}

CMainFrame::~CMainFrame() {
    // The pages still announce changes while QWidget's destructor hides them; by then this
    // frame is only a QWidget and must not hear them.
    m_doc.State().RemoveListener(m_nStateListener);
    // The children (the view, the bars with their pages, the dialogs) go while the state they
    // show still exists: hidden first, as QWidget's destructor would (a number box that loses
    // the focus commits its text then, with every page still there, and pages still change the
    // state while they are hidden), then deleted.
    hide();
    while (QWidget* child = findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        delete child;
    }
    m_pView = nullptr;
}

QAction* CMainFrame::AddCommand(QMenu* menu, int id) {
    const CCommand* command = FindCommand(id);
    const QString text =
        command != nullptr ? QCoreApplication::translate("CMainFrame", command->text) : QString();
    QAction* action = nullptr;
    if (menu != nullptr) {
        action = menu->addAction(text);
    } else {
        action = new QAction(text, this);
        addAction(action);
    }
    action->setData(id);
    if (command != nullptr && command->prompt[0] != '\0') {
        action->setStatusTip(QCoreApplication::translate("CMainFrame", command->prompt));
    }
    connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
    m_actions[id] = action;
    return action;
}

void CMainFrame::CreateMenus() {
    for (const CMenuLayout& layout : kMenus) {
        QMenu* menu = menuBar()->addMenu(QCoreApplication::translate("CMainFrame", layout.title));
        for (int id : layout.ids) {
            if (id == 0) {
                menu->addSeparator();
            } else {
                AddCommand(menu, id);
            }
        }
    }
    // Accelerators: the menu texts show them; the shortcuts make them work.
    m_actions[ID_FILE_PRINT]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    // F1 too, where desktop programs have their help.
    m_actions[ID_HELP_FINDER]->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_H), QKeySequence(Qt::Key_F1)});
    // Opening a file has no menu item, only its shortcut.
    AddCommand(nullptr, ID_FILE_OPEN)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    // The polar diagram's item is ticked while its bar is open (also when its close button
    // shuts it).
    QAction* polar = m_actions[ID_POLAR_DIAGRAM];
    polar->setCheckable(true);
    connect(m_pPolarBar, &QDockWidget::visibilityChanged, polar,
            [this, polar] { polar->setChecked(!m_pPolarBar->isHidden()); });
}

QAction* CMainFrame::Action(int id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::RunCommand(int id) {
    const QAction* action = Action(id);
    const CCommand* command = FindCommand(id);
    if ((action != nullptr && !action->isEnabled()) || command == nullptr ||
        command->run == nullptr || !IsCommandEnabled(*command)) {
        return;
    }
    (this->*command->run)();
}

bool CMainFrame::IsCommandEnabled(const CCommand& command) const {
    switch (command.enable) {
        case CommandEnable::Always:
            return true;
        case CommandEnable::WithDataSet:
            return m_pView != nullptr && m_doc.State()->HasDataSet();
        case CommandEnable::Comparing:
            return IsComparing(*m_doc.State());
    }
    return false;
}

void CMainFrame::UpdateCommandStates() {
    for (const auto& [id, action] : m_actions) {
        if (const CCommand* command = FindCommand(id)) {
            action->setEnabled(IsCommandEnabled(*command));
        }
    }
}

void CMainFrame::UpdateCaption() {
    setWindowTitle(QString::fromStdString(m_doc.Caption()));
}

// ---- the view's host ----

void CMainFrame::OnStateChanged(unsigned aspects) {
    if (aspects & (ASPECT_DATASET | ASPECT_REFERENCE)) {
        UpdateCommandStates();
    }
    if (aspects & ASPECT_DATASET) {
        SetDataSetName(DataSetName(m_doc.State()->m_data.m_strDataFolder));
        if (!m_doc.State()->m_data.m_strLoadReport.empty()) {
            KzMessageBox(this, QString::fromStdString(m_doc.State()->m_data.m_strLoadReport),
                         QString(), KzButtons::Ok, KzIcon::Warning);
        }
    }
    if (aspects & (ASPECT_DATASET | ASPECT_DIRECTION)) {
        // The angle of the shown direction, as the direction page shows it, or the envelope's
        // entry; after the quantity when it is not the mean ("ピーク最小 全風向の最小").
        const CViewState& state = m_doc.State().State();
        const CShownValues shown = ShownValuesOf(state.m_data, state.m_settings);
        QString text = shown.IsEnvelope()
                           ? QCoreApplication::translate("Core", EnvelopeLabel(shown.envelope))
                           : QString::fromStdString(kzv::FormatG(DirectionAngle(
                                 state.m_data.m_cp.m_nDirectionCount, shown.direction)));
        if (shown.quantity != EValueQuantity::Mean) {
            text = QCoreApplication::translate("Core", ValueQuantityLabel(shown.quantity)) +
                   QLatin1Char(' ') + text;
        }
        m_paneDirection->setText(state.HasDataSet() ? text : QString());
    }
}

void CMainFrame::SetDataSetName(const std::string& name) {
    // The folder's name as the data-folder dialog shows it (CP932 bytes decoded).
    const std::string shown = kzv::FileTextToUtf8(name);
    m_doc.SetTitle(shown);
    UpdateCaption();
    m_paneName->setText(QString::fromStdString(shown));
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

bool CMainFrame::RunRangeDialog(const CViewState& state, CRangeRequest& request) {
    CRangeDlg dialog(state, request, this);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    request = dialog.Request();
    return true;
}

int CMainFrame::RunAutoCorrectDialog() {
    CAutoCorrectDlg dialog(this);
    return dialog.exec();
}

// ---- commands ----

void CMainFrame::OnLoadData() {
    m_pView->OnLoadData();
}

void CMainFrame::OnExit() {
    close();
}

void CMainFrame::OnAbout() {
    CKZ_VApp::OnAppAbout();
}

void CMainFrame::OnSearchData() {
    std::vector<std::string> results;
    if (m_searcher && m_searcher(this, results)) {
        m_pView->LoadDataSet(&results);
    }
}

void CMainFrame::OnHeaderInfo() {
    if (m_headerViewer) {
        m_headerViewer(this, m_doc.State()->m_data.m_strDataFolder);
    }
}

void CMainFrame::OnSaveImage() {
    // BMP as the 24-bit file the program always wrote; PNG for reports, chosen by the name.
    const QString filter = QStringLiteral("BMP Files (*.bmp);;PNG Files (*.png);;%1 (*)")
                               .arg(QCoreApplication::translate("CMainFrame", "すべてのファイル"));
    const std::string path = KzPromptFile(
        this, false, filter, QStringLiteral("bmp"), QStringLiteral("Image"),
        QString::fromStdString(kzv::PromptStartFolder(m_doc.State()->m_data.m_strDataFolder)));
    if (path.empty()) {
        return;
    }
    // Then the picture's size: the window's, or 2 to 4 times it for print-quality reports.
    // The choice is kept for the next save.
    if (!KzChooseImageScale(this, m_pView->ClientWidth(), m_pView->ClientHeight(), m_nImageScale)) {
        return;
    }
    std::string error;
    const bool png =
        QString::fromStdString(path).endsWith(QStringLiteral(".png"), Qt::CaseInsensitive);
    bool saved = png ? m_pView->SavePng(path, &error, m_nImageScale)
                     : m_pView->SaveBitmap(path, &error, m_nImageScale);
    std::string failedPath = path;
    if (saved) {
        // The record of how the picture was made, beside it.
        CSidecarInfo info;
        info.kind = CSidecarKind::Picture;
        info.pictureWidth = m_pView->ClientWidth() * m_nImageScale;
        info.pictureHeight = m_pView->ClientHeight() * m_nImageScale;
        info.pictureScale = m_nImageScale;
        info.time = SidecarTimeNow();
        saved = WriteSidecar(path, *m_doc.State(), info, &error);
        failedPath = path + SIDECAR_EXTENSION;
    }
    if (!saved) {
        KzMessageBox(
            this,
            QCoreApplication::translate("CMainFrame", "ファイル %1 に書き込めませんでした。\n%2")
                .arg(QString::fromStdString(failedPath), KzCoreText(error)),
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
    if (KzPrintDialog(this, *Printer())) {
        m_pView->PrintView(*m_pPrinter);
    }
}

void CMainFrame::OnPrintPreview() {
    KzPrintPreview(this, *Printer(), [this](QPrinter& printer) { m_pView->PrintView(printer); });
}

void CMainFrame::OnPrintSetup() {
    QPageSetupDialog dialog(Printer(), this);
    dialog.exec();
}

void CMainFrame::OnResetDisplay() {
    m_doc.State().Edit(ASPECT_DISPLAY)->ResetDisplayState();
}

void CMainFrame::OnSaveSettings() {
    const std::string path = CKZ_VApp::PromptFileName(
        false, QCoreApplication::translate("Core", SETTINGS_FILE_DESCRIPTION),
        QString::fromUtf8(SETTINGS_FILE_EXTENSION), QString::fromUtf8(SETTINGS_FILE_DEFAULT_NAME),
        m_doc.State()->m_data.m_strDataFolder);
    if (path.empty()) {
        return;
    }
    std::string error;
    if (!WriteSettingsFile(path, *m_doc.State(), &error)) {
        KzMessageBox(this,
                     QCoreApplication::translate("Core", MSG_SETTINGS_WRITE_FAILED) + '\n' +
                         KzCoreText(error),
                     QString(), KzButtons::Ok, KzIcon::Error);
    }
}

void CMainFrame::OnLoadSettings() {
    const std::string path = CKZ_VApp::PromptFileName(
        true, QCoreApplication::translate("Core", SETTINGS_FILE_DESCRIPTION),
        QString::fromUtf8(SETTINGS_FILE_EXTENSION), QString::fromUtf8(SETTINGS_FILE_DEFAULT_NAME),
        m_doc.State()->m_data.m_strDataFolder);
    if (path.empty()) {
        return;
    }
    bool applied = false;
    {
        // One announcement for the settings, the direction and the building's turn to the
        // file's step; the pages show all of it afresh.
        auto edit = m_doc.State().Edit();
        applied = ApplySettingsFile(path, *edit);
        if (applied) {
            edit.Touch(ASPECT_DISPLAY | ASPECT_POSITIONS);
        }
    }
    if (!applied) {
        KzMessageBox(this, QCoreApplication::translate("Core", MSG_SETTINGS_READ_FAILED), QString(),
                     KzButtons::Ok, KzIcon::Error);
    }
}

void CMainFrame::OnLoadReference() {
    std::string folder;
    CHeaderFile header;
    if (!ChooseDataSet(nullptr, folder, header)) {
        return;  // cancelled: the comparison (if any) stays
    }
    std::string reason;
    bool started = false;
    {
        auto edit = m_doc.State().Edit(ASPECT_COMPARISON);
        EndComparison(*edit);
        started = StartComparison(*edit, folder, header, DEFAULT_MATCH_TOLERANCE_MM, &reason);
    }
    if (!started) {
        KzMessageBox(this, ComparisonRefusal(reason), QString(), KzButtons::Ok, KzIcon::Warning);
        return;
    }
    const std::vector<int32_t>& unmatched = m_doc.State()->m_comparison.matching.unmatched;
    if (!unmatched.empty()) {
        // One message for all of them; a long list names the first ones and counts the rest.
        QString list;
        const size_t shown = std::min<size_t>(unmatched.size(), 40);
        for (size_t i = 0; i < shown; ++i) {
            list += (i > 0 ? QStringLiteral(", ") : QString()) + QString::number(unmatched[i]);
        }
        if (shown < unmatched.size()) {
            list += QCoreApplication::translate("CMainFrame", " ほか %1 点")
                        .arg(unmatched.size() - shown);
        }
        KzMessageBox(this, QCoreApplication::translate("Core", MSG_COMPARE_UNMATCHED) + list,
                     QString(), KzButtons::Ok, KzIcon::Information);
    }
    OnAgreement();
}

void CMainFrame::OnAgreement() {
    if (m_pAgreementDlg == nullptr) {
        m_pAgreementDlg = new CAgreementDlg(m_doc.State(), this);
    }
    m_pAgreementDlg->show();
    m_pAgreementDlg->raise();
}

void CMainFrame::OnEndComparison() {
    EndComparison(*m_doc.State().Edit(ASPECT_COMPARISON));
    if (m_pAgreementDlg != nullptr) {
        m_pAgreementDlg->hide();
    }
}

void CMainFrame::OnComment() {
    CCommentDlg dialog(m_doc.State(), m_pView->ClientWidth(), m_pView->ClientHeight(), this);
    dialog.exec();
    m_pView->update();
}

void CMainFrame::OnPolarDiagram() {
    ShowPolarBar(m_pPolarBar->isHidden());
}

void CMainFrame::ShowPolarBar(bool open) {
    if (open && m_pPolarBar->isHidden()) {
        m_bPolarKept = true;
        // At the width it had when it was closed (or kept in "size"): read before the shown
        // bar reports its width as it is laid out now.
        const int width = m_pPolarBar->Sizes().vertCx;
        m_pPolarBar->show();
        resizeDocks({m_pPolarBar}, {width}, Qt::Horizontal);
    } else if (!open) {
        m_pPolarBar->hide();
    }
    m_actions[ID_POLAR_DIAGRAM]->setChecked(open);
}

void CMainFrame::OnHelp() {
    // A drag or a menu in progress ends before the help comes up.
    if (QWidget* grabber = QWidget::mouseGrabber()) {
        grabber->releaseMouse();
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(m_strHelpPath, ec)) {
        KzMessageBox(
            this, QCoreApplication::translate("CMainFrame", "ヘルプファイル%1が見つかりません。\n")
                      .arg(QString::fromStdString(m_strHelpPath)));
        return;
    }
    const QString index = QString::fromStdString(m_strHelpPath);
    if (m_pHelpWindow == nullptr || m_strHelpIndex != index) {
        delete m_pHelpWindow;
        m_pHelpWindow = new CHelpWindow(index, this);
        m_strHelpIndex = index;
    }
    m_pHelpWindow->ShowContents();
}

void CMainFrame::OnFileNew() {
    // A new document only empties the title: the state (the data set shown) stays.
    m_doc.SetTitle(std::string());
    UpdateCaption();
}

void CMainFrame::OnFileOpen() {
    // Opening a file only names the document after it; the view keeps its data set.
    const std::string path = CKZ_VApp::PromptFileName(
        true, QCoreApplication::translate("CMainFrame", "すべてのファイル"), QStringLiteral("*"),
        QString(), m_doc.State()->m_data.m_strDataFolder);
    if (!path.empty()) {
        m_doc.SetTitle(QFileInfo(QString::fromStdString(path)).fileName().toStdString());
        UpdateCaption();
    }
}

// ---- layout ----

namespace {
// The value list's height at a first start, below the operation panel.
constexpr int kFirstValueListHeight = 200;
}  // namespace

void CMainFrame::RestoreLayout(const std::string& sizePath) {
    m_strSizePath = sizePath;
    CWindowLayout layout;
    std::error_code ec;
    if (!std::filesystem::exists(sizePath, ec)) {
        // A first start: the operation panel tall enough for its tallest page, the value list
        // below it keeping the rest of the window.
        const int tallest = std::max(layout.panel.vertCy, m_pPanelBar->HeightForTallestPage());
        layout.panel.horzCy = layout.panel.vertCy = layout.panel.floatCy = tallest;
        layout.values.horzCy = layout.values.vertCy = layout.values.floatCy = kFirstValueListHeight;
        // The window (maximised, but this is its normal size) tall enough for both bars, as far
        // as the screen allows.
        const int frame = menuBar()->sizeHint().height() + statusBar()->sizeHint().height() + 40;
        layout.bottom =
            std::max(layout.bottom, layout.top + tallest + kFirstValueListHeight + frame);
    }
    ReadWindowLayout(sizePath, layout);
    // A layout saved on a screen that is gone (or a damaged file) must not put the window
    // where nobody can see it.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableVirtualGeometry();
        FitWindowOnto(layout, area.left(), area.top(), area.right() + 1, area.bottom() + 1);
    }
    m_pPanelBar->SetSizes(layout.panel);
    m_pValueBar->SetSizes(layout.values);
    if (layout.hasPolar) {
        m_pPolarBar->SetSizes(layout.polar);
        m_bPolarKept = true;
    }
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
    layout.hasPolar = m_bPolarKept;
    layout.polar = m_pPolarBar->Sizes();
    return layout;
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // The window closes whatever happens; a layout that could not be kept is said once, so a
    // second close does not ask again.
    if (!m_strSizePath.empty() && !WriteWindowLayout(m_strSizePath, CurrentLayout()) &&
        !m_bSizeFailureShown) {
        m_bSizeFailureShown = true;
        KzMessageBox(this,
                     QCoreApplication::translate(
                         "CMainFrame",
                         "ウィンドウの大きさと位置を保存できませんでした（書き込み禁止か"
                         "空き容量不足です）。\n") +
                         QString::fromUtf8(kzv::FileTextToUtf8(m_strSizePath)),
                     QString(), KzButtons::Ok, KzIcon::Warning);
    }
    QMainWindow::closeEvent(event);
}
