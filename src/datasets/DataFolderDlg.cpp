#include "datasets/DataFolderDlg.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QCoreApplication>

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cerrno>
#include <cstring>

#include <algorithm>

#include "dataset/DataFolderList.h"
#include "dataset/DataSearch.h"
#include "dataset/FolderUtil.h"
#include "dataset/Geometry.h"
#include "dataset/LoadReport.h"
#include "datasets/DataSearchDlg.h"
#include "datasets/DatasetWidgets.h"
#include "datasets/FolderBrowser.h"
#include "datasets/FolderEditDlg.h"
#include "ui/MessageBox.h"

using kzv::FileTextToQString;
using kzv::WithId;

const int CDataFolderDlg::kLabelIds[10] = {1051, 1053, 1054, 1055, 1056,
                                           1057, 1058, 1059, 1060, 1052};

namespace {

// Item data of the folder list: the path's bytes, and a mark on the search-result entry (so a
// data folder that happens to be named "検索結果" is not taken for it).
constexpr int kPathRole = Qt::UserRole;
constexpr int kSearchEntryRole = Qt::UserRole + 1;
// Item data of the data-set list: set on a data set whose header cannot be read.
constexpr int kNoHeaderRole = Qt::UserRole + 2;

// The widest data-set text seen since the program started; never reduced.
int g_nMaxTextWidth = 0;

std::string PathOf(const QVariant& data) {
    return data.toByteArray().toStdString();
}

// Why a data set's folder cannot be loaded from; empty when it is a folder we may read.
QString FolderFault(const std::string& path) {
    const std::string folder = kzv::WithoutTrailingSlash(path);
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) {
        return QCoreApplication::translate("CDataFolderDlg",
                                           "データセットのフォルダが見つかりません。");
    }
    if (!S_ISDIR(st.st_mode)) {
        return QCoreApplication::translate(
            "CDataFolderDlg", "データセットのフォルダがフォルダではなくファイルです。");
    }
    if (::access(folder.c_str(), R_OK | X_OK) != 0) {
        return QCoreApplication::translate("CDataFolderDlg",
                                           "データセットのフォルダを読む権限がありません。");
    }
    return QString();
}

// Why a data folder that is there cannot be listed; empty when it can be, and for one that is
// gone (a listed folder that no longer exists simply lists no data sets).
QString DataFolderFault(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK);
    if (fd >= 0) {
        ::close(fd);
        return QString();
    }
    switch (errno) {
        case ENOENT:
            return QString();
        case ENOTDIR:
            return QCoreApplication::translate("CDataFolderDlg",
                                               "データフォルダがフォルダではなくファイルです。");
        case EACCES:
        case EPERM:
            return QCoreApplication::translate("CDataFolderDlg",
                                               "データフォルダを読む権限がありません。");
        default:
            return QCoreApplication::translate("CDataFolderDlg",
                                               "データフォルダを読めません（%1）。")
                .arg(QString::fromLocal8Bit(std::strerror(errno)));
    }
}

// The refusal for a geometry that cannot be read. A missing file or a wrong first line keeps
// the one message for an invalid geometry; a file that is there but cannot be read says why.
QString GeometryFault(const std::string& geoPath, const kzv::CFileReadInfo& info) {
    if (info.fault == kzv::FileFault::Missing || info.fault == kzv::FileFault::WrongTag ||
        info.fault == kzv::FileFault::NewerVersion || info.fault == kzv::FileFault::None) {
        return QCoreApplication::translate("CDataFolderDlg",
                                           "実験建物ジオメトリファイルが不正です。");
    }
    return QCoreApplication::translate("CDataFolderDlg",
                                       "実験建物ジオメトリファイルを読み込めません。") +
           QString::fromStdString(kzv::FaultText(info.fault, "GEOMETRY_FILE", info.byteLimit)) +
           QLatin1Char('\n') + FileTextToQString(geoPath);
}

// The refusal for a header that cannot be read, with its cause and the file's path.
QString HeaderFault(const std::string& headerPath, const kzv::CFileReadInfo& info) {
    return QCoreApplication::translate("CDataFolderDlg", "ヘッダファイルを読み込めません。") +
           QString::fromStdString(kzv::FaultText(info.fault, "HEADER_FILE", info.byteLimit)) +
           QLatin1Char('\n') + FileTextToQString(headerPath);
}

}  // namespace

CDataFolderDlg::CDataFolderDlg(const std::string& appFolder,
                               const std::vector<std::string>* searchResults, QWidget* parent)
    : QDialog(parent), m_strAppFolder(appFolder) {
    BuildControls();
    ReadFolderList();
    if (searchResults != nullptr) {
        ShowSearchResults(*searchResults);
    }
}

CDataFolderDlg::~CDataFolderDlg() = default;

void CDataFolderDlg::BuildControls() {
    setWindowTitle(QCoreApplication::translate("CDataFolderDlg", "データフォルダ"));
    setProperty("resourceId", static_cast<int>(IDD));

    m_pFolderList = WithId(new QComboBox(this), IDC_FOLDER_LIST);
    m_pFolderList->setEditable(false);
    m_pFolderList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_pFolderList->setMinimumContentsLength(30);

    m_pDataSetList = WithId(new kzv::CExtentListWidget(this), IDC_DATASET_LIST);
    m_pDataSetList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pDataSetList->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_pDataSetList->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    auto* edit = WithId(
        new QPushButton(QCoreApplication::translate("CDataFolderDlg", "フォルダの編集"), this),
        IDC_EDIT_FOLDERS);
    auto* search = WithId(
        new QPushButton(QCoreApplication::translate("CDataFolderDlg", "検索"), this), IDC_SEARCH);
    auto* cancel =
        WithId(new QPushButton(QCoreApplication::translate("CDataFolderDlg", "キャンセル"), this),
               IDC_CANCEL);
    auto* load = WithId(
        new QPushButton(QCoreApplication::translate("CDataFolderDlg", "読み込み"), this), IDC_LOAD);
    load->setDefault(true);

    // The header part: read-only fields with their labels, data name first.
    auto* group = new QGroupBox(QCoreApplication::translate("CDataFolderDlg", "付随情報"), this);
    auto* grid = new QGridLayout(group);
    const char* const labels[10] = {QT_TRANSLATE_NOOP("CDataFolderDlg", "データ名"),
                                    QT_TRANSLATE_NOOP("CDataFolderDlg", "データタイトル"),
                                    QT_TRANSLATE_NOOP("CDataFolderDlg", "所属"),
                                    QT_TRANSLATE_NOOP("CDataFolderDlg", "計測者"),
                                    QT_TRANSLATE_NOOP("CDataFolderDlg", "管理者"),
                                    QT_TRANSLATE_NOOP("CDataFolderDlg", "実験概要"),
                                    QT_TRANSLATE_NOOP("CDataFolderDlg", "建物形状"),
                                    QT_TRANSLATE_NOOP("CDataFolderDlg", "屋根形状"),
                                    QT_TRANSLATE_NOOP("CDataFolderDlg", "建物規模"),
                                    QT_TRANSLATE_NOOP("CDataFolderDlg", "隣接建物条件")};
    const int fieldIds[8] = {IDC_TITLE,          IDC_AFFILIATION, IDC_MEASURER,      IDC_MANAGER,
                             IDC_BUILDING_SHAPE, IDC_ROOF_SHAPE,  IDC_BUILDING_SIZE, IDC_ADJACENT};
    m_pDataName = WithId(kzv::MakeReadOnlyField(group), IDC_DATA_NAME);
    m_pSummary = WithId(kzv::MakeReadOnlySummary(group), IDC_SUMMARY);
    for (int i = 0; i < 8; ++i) {
        m_pFields[i] = WithId(kzv::MakeReadOnlyField(group), fieldIds[i]);
    }
    QWidget* const rows[10] = {m_pDataName, m_pFields[0], m_pFields[1], m_pFields[2], m_pFields[3],
                               m_pSummary,  m_pFields[4], m_pFields[5], m_pFields[6], m_pFields[7]};
    for (int i = 0; i < 10; ++i) {
        auto* label =
            WithId(new QLabel(QCoreApplication::translate("CDataFolderDlg", labels[i]), group),
                   kLabelIds[i]);
        label->setBuddy(rows[i]);
        m_labels.push_back(label);
        grid->addWidget(label, i, 0, Qt::AlignTop);
        grid->addWidget(rows[i], i, 1);
    }

    auto* left = new QVBoxLayout;
    left->addWidget(
        new QLabel(QCoreApplication::translate("CDataFolderDlg", "データ保存フォルダ"), this));
    left->addWidget(m_pFolderList);
    auto* folderButtons = new QHBoxLayout;
    folderButtons->addWidget(edit);
    folderButtons->addWidget(search);
    folderButtons->addStretch();
    left->addLayout(folderButtons);
    left->addWidget(m_pDataSetList, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(load);
    buttons->addWidget(cancel);
    auto* right = new QVBoxLayout;
    right->addWidget(group, 1);
    right->addLayout(buttons);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right, 2);

    // Only the user's own choices refill the lists; programmatic changes call the steps
    // themselves.
    connect(m_pFolderList, &QComboBox::activated, this, [this](int) { FillDataSetList(); });
    // The selection, not the current row: a mouse press makes its row current before it
    // selects it, so the current row alone would say that nothing is selected.
    connect(m_pDataSetList, &QListWidget::itemSelectionChanged, this,
            &CDataFolderDlg::UpdateHeaderFields);
    connect(m_pDataSetList, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem*) { OnLoad(); });
    connect(load, &QPushButton::clicked, this, &CDataFolderDlg::OnLoad);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(edit, &QPushButton::clicked, this, &CDataFolderDlg::OnEditFolders);
    connect(search, &QPushButton::clicked, this, &CDataFolderDlg::OnSearch);
}

std::string CDataFolderDlg::DirListPath() const {
    return kzv::DataFolderListPath(m_strAppFolder);
}

void CDataFolderDlg::ReadFolderList() {
    std::vector<std::string> folders;
    const kzv::DataFolderListStatus status = kzv::ReadDataFolderList(DirListPath(), folders);
    if (status == kzv::DataFolderListStatus::Missing) {
        kzv::CreateEmptyDataFolderList(DirListPath());
    }
    for (const std::string& folder : folders) {
        m_pFolderList->addItem(FileTextToQString(folder), QByteArray::fromStdString(folder));
    }
    m_pFolderList->setCurrentIndex(m_pFolderList->count() > 0 ? 0 : -1);
    FillDataSetList();
}

int CDataFolderDlg::SearchEntryIndex() const {
    for (int i = 0; i < m_pFolderList->count(); ++i) {
        if (IsSearchEntry(i)) {
            return i;
        }
    }
    return -1;
}

bool CDataFolderDlg::IsSearchEntry(int index) const {
    return index >= 0 && m_pFolderList->itemData(index, kSearchEntryRole).toBool();
}

std::vector<std::string> CDataFolderDlg::ListedFolders() const {
    std::vector<std::string> folders;
    for (int i = 0; i < m_pFolderList->count(); ++i) {
        if (!IsSearchEntry(i)) {
            folders.push_back(PathOf(m_pFolderList->itemData(i, kPathRole)));
        }
    }
    return folders;
}

void CDataFolderDlg::AddDataSetString(const std::string& bytes, bool headerReadable) {
    QString text = FileTextToQString(bytes);
    if (!headerReadable) {
        text += QCoreApplication::translate("CDataFolderDlg", "（ヘッダなし）");
    }
    auto* item = new QListWidgetItem(text);
    item->setData(kPathRole, QByteArray::fromStdString(bytes));
    item->setData(kNoHeaderRole, !headerReadable);
    m_pDataSetList->addItem(item);
    g_nMaxTextWidth =
        std::max(g_nMaxTextWidth, m_pDataSetList->fontMetrics().horizontalAdvance(text));
    m_pDataSetList->SetHorizontalExtent(HorizontalExtent());
}

int CDataFolderDlg::HorizontalExtent() {
    return g_nMaxTextWidth + 5;
}

void CDataFolderDlg::FillDataSetList() {
    {
        const QSignalBlocker blockList(m_pDataSetList);
        const QSignalBlocker blockFolders(m_pFolderList);
        m_pDataSetList->clear();
        const int searchEntry = SearchEntryIndex();
        if (searchEntry >= 0) {
            const bool wasCurrent = m_pFolderList->currentIndex() == searchEntry;
            m_pFolderList->removeItem(searchEntry);
            if (wasCurrent) {
                m_pFolderList->setCurrentIndex(-1);
            }
        }
        const int current = m_pFolderList->currentIndex();
        if (current >= 0) {
            const std::string folder = PathOf(m_pFolderList->itemData(current, kPathRole));
            // An empty list alone would not tell a folder without data sets from one that
            // cannot be read.
            const QString fault = DataFolderFault(folder);
            if (!fault.isEmpty()) {
                KzMessageBox(this, fault + QLatin1Char('\n') + FileTextToQString(folder));
            }
            for (const kzv::ListedDataSet& set : kzv::ListDataSetsMarkingBroken(folder)) {
                AddDataSetString(set.name, set.headerReadable);
            }
            if (m_pDataSetList->count() > 0) {
                m_pDataSetList->setCurrentRow(0);
            }
        }
    }
    UpdateHeaderFields();
}

std::string CDataFolderDlg::SelectedDataSetPath() const {
    const int folder = m_pFolderList->currentIndex();
    const QList<QListWidgetItem*> selected = m_pDataSetList->selectedItems();
    if (folder < 0 || selected.isEmpty()) {
        return std::string();
    }
    const QListWidgetItem* item = selected.first();
    const std::string text = PathOf(item->data(kPathRole));
    if (IsSearchEntry(folder)) {
        return kzv::WithoutTrailingSlash(text) + '/';
    }
    return kzv::JoinPath(PathOf(m_pFolderList->itemData(folder, kPathRole)), text) + '/';
}

void CDataFolderDlg::EnableHeaderPart(bool enable) {
    m_pDataSetList->setEnabled(enable);
    m_pDataName->setEnabled(enable);
    m_pSummary->setEnabled(enable);
    for (QLineEdit* field : m_pFields) {
        field->setEnabled(enable);
    }
    for (QLabel* label : m_labels) {
        label->setEnabled(enable);
    }
}

void CDataFolderDlg::UpdateHeaderFields() {
    const std::string path = SelectedDataSetPath();
    if (path.empty()) {
        // Nothing selected: no header to show, so none of another data set stays visible.
        m_pDataName->clear();
        m_pSummary->clear();
        for (QLineEdit* field : m_pFields) {
            field->clear();
        }
        EnableHeaderPart(false);
        return;
    }
    // A set listed as without a header says so in its text already; no box each time it is
    // selected.
    const QList<QListWidgetItem*> selected = m_pDataSetList->selectedItems();
    const bool markedNoHeader = selected.first()->data(kNoHeaderRole).toBool();
    if (markedNoHeader || !m_header.Read((path + "header").c_str())) {
        if (!markedNoHeader) {
            KzMessageBox(this, QCoreApplication::translate("CDataFolderDlg",
                                                           "ヘッダの読み込みに失敗しました。"));
        }
        m_header.Clear();
    }
    m_pDataName->setText(FileTextToQString(kzv::LastPathComponent(path)));
    const std::string* const texts[8] = {
        &m_header.m_strTitle,        &m_header.m_strAffiliation,      &m_header.m_strMeasurer,
        &m_header.m_strManager,      &m_header.m_strBuildingShape,    &m_header.m_strRoofShape,
        &m_header.m_strBuildingSize, &m_header.m_strAdjacentCondition};
    for (int i = 0; i < 8; ++i) {
        kzv::SetFieldText(m_pFields[i], *texts[i]);
    }
    m_pSummary->setPlainText(FileTextToQString(m_header.m_strSummary));
    EnableHeaderPart(true);
}

void CDataFolderDlg::ShowSearchResults(const std::vector<std::string>& results) {
    {
        const QSignalBlocker blockList(m_pDataSetList);
        const QSignalBlocker blockFolders(m_pFolderList);
        int entry = SearchEntryIndex();
        if (entry < 0) {
            m_pFolderList->addItem(QCoreApplication::translate("CDataFolderDlg", "検索結果"));
            entry = m_pFolderList->count() - 1;
            m_pFolderList->setItemData(entry, true, kSearchEntryRole);
        }
        m_pFolderList->setCurrentIndex(entry);
        m_pDataSetList->clear();
        for (const std::string& path : results) {
            AddDataSetString(path);
        }
        if (m_pDataSetList->count() > 0) {
            m_pDataSetList->setCurrentRow(0);
        }
    }
    UpdateHeaderFields();
}

void CDataFolderDlg::OnLoad() {
    // Without a selection there is no data set to check, which counts as a failed check.
    const std::string path = SelectedDataSetPath();
    if (path.empty()) {
        KzMessageBox(this, QCoreApplication::translate("CDataFolderDlg",
                                                       "実験建物ジオメトリファイルが不正です。"));
        return;
    }
    // Each refusal names its cause: the folder itself, then its geometry, then its header.
    const QString folderFault = FolderFault(path);
    if (!folderFault.isEmpty()) {
        KzMessageBox(this, folderFault + QLatin1Char('\n') +
                               FileTextToQString(kzv::WithoutTrailingSlash(path)));
        return;
    }
    CGeometry scratch;
    kzv::CFileReadInfo geoInfo;
    if (!scratch.Load((path + "main.geo").c_str(), &geoInfo)) {
        KzMessageBox(this, GeometryFault(path + "main.geo", geoInfo));
        return;
    }
    // The header handed over is the one of the data set loaded, read afresh, so that a load
    // can never pair one data set with another's header.
    kzv::CFileReadInfo headerInfo;
    if (!m_header.Read((path + "header").c_str(), &headerInfo)) {
        m_header.Clear();
        KzMessageBox(this, HeaderFault(path + "header", headerInfo));
        return;
    }
    m_strFolder = path;
    accept();
}

void CDataFolderDlg::OnEditFolders() {
    CFolderEditDlg dlg(this);
    if (dlg.exec() != QDialog::Accepted) {
        return;
    }
    if (dlg.m_bAdd) {
        AddFolder();
    } else {
        RemoveSelectedFolder();
    }
}

void CDataFolderDlg::AddFolder() {
    const std::string path = CFolderBrowser::Browse(this);
    // Only a folder that is listed already is refused; "/d/set1" is a different folder from
    // a listed "/d/set10".
    if (path.empty() || kzv::IsFolderListed(ListedFolders(), path)) {
        return;
    }
    if (path.find_first_of("\r\n") != std::string::npos) {
        // "dirlist" holds one path per line: this one could not be read back.
        KzMessageBox(
            this,
            QCoreApplication::translate(
                "CDataFolderDlg", "改行を含む名前のフォルダは保存フォルダリストに追加できません。"),
            QString(), KzButtons::Ok, KzIcon::Warning);
        return;
    }
    if (!kzv::AppendToDataFolderList(DirListPath(), path)) {
        ReportListNotWritten(QCoreApplication::translate(
            "CDataFolderDlg", "フォルダを保存フォルダリストに追加できませんでした。"));
        return;
    }
    {
        const QSignalBlocker block(m_pFolderList);
        m_pFolderList->addItem(FileTextToQString(path), QByteArray::fromStdString(path));
        m_pFolderList->setCurrentIndex(m_pFolderList->count() - 1);
    }
    FillDataSetList();
}

void CDataFolderDlg::RemoveSelectedFolder() {
    const int current = m_pFolderList->currentIndex();
    // The search-result entry is no data folder: there is nothing to remove from "dirlist".
    if (current < 0 || IsSearchEntry(current)) {
        return;
    }
    const QString text =
        QCoreApplication::translate("CDataFolderDlg", "%1\nを保存フォルダリストから削除しますか？")
            .arg(m_pFolderList->itemText(current));
    if (KzMessageBox(this, text, QCoreApplication::translate("CDataFolderDlg", "削除"),
                     KzButtons::YesNo, KzIcon::Question) != KzAnswer::Yes) {
        return;
    }
    // The list is written first: a folder whose removal was not kept stays listed.
    std::vector<std::string> kept;
    for (int i = 0; i < m_pFolderList->count(); ++i) {
        if (i != current && !IsSearchEntry(i)) {
            kept.push_back(PathOf(m_pFolderList->itemData(i, kPathRole)));
        }
    }
    if (!kzv::WriteDataFolderList(DirListPath(), kept)) {
        ReportListNotWritten(QCoreApplication::translate(
            "CDataFolderDlg", "フォルダを保存フォルダリストから削除できませんでした。"));
        return;
    }
    {
        const QSignalBlocker block(m_pFolderList);
        m_pFolderList->removeItem(current);
        m_pFolderList->setCurrentIndex(m_pFolderList->count() > 0 ? 0 : -1);
    }
    FillDataSetList();
}

void CDataFolderDlg::ReportListNotWritten(const QString& what) {
    KzMessageBox(this,
                 QCoreApplication::translate(
                     "CDataFolderDlg",
                     "%1\nファイルに書き込めません（書き込み禁止か空き容量不足です）。\n%2")
                     .arg(what, FileTextToQString(DirListPath())),
                 QString(), KzButtons::Ok, KzIcon::Warning);
}

void CDataFolderDlg::OnSearch() {
    CDataSearchDlg dlg(m_strAppFolder, this);
    if (dlg.exec() == QDialog::Accepted) {
        ShowSearchResults(dlg.m_lstResults);
    }
}
