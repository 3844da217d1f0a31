#include "datasets/DataSearchDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

#include "dataset/DataFolderList.h"
#include "datasets/DatasetWidgets.h"

using kzv::WithId;

int CDataSearchDlg::s_nProgressDelayMs = 500;

int CDataSearchDlg::SetProgressDelay(int ms) {
    const int previous = s_nProgressDelayMs;
    s_nProgressDelayMs = ms;
    return previous;
}

const int CDataSearchDlg::kFieldIds[kzv::kSearchFieldCount] = {1063, 1066, 1067, 1068, 1069, 1070,
                                                               1071, 1072, 1073, 1064, 1065};

namespace {
const char* const kFieldLabels[kzv::kSearchFieldCount] = {
    QT_TRANSLATE_NOOP("CDataSearchDlg", "データ名"),
    QT_TRANSLATE_NOOP("CDataSearchDlg", "データタイトル"),
    QT_TRANSLATE_NOOP("CDataSearchDlg", "所属"),
    QT_TRANSLATE_NOOP("CDataSearchDlg", "計測者"),
    QT_TRANSLATE_NOOP("CDataSearchDlg", "管理者"),
    QT_TRANSLATE_NOOP("CDataSearchDlg", "実験概要"),
    QT_TRANSLATE_NOOP("CDataSearchDlg", "建物形状"),
    QT_TRANSLATE_NOOP("CDataSearchDlg", "屋根名称"),
    QT_TRANSLATE_NOOP("CDataSearchDlg", "建物規模"),
    QT_TRANSLATE_NOOP("CDataSearchDlg", "隣接建物条件"),
    QT_TRANSLATE_NOOP("CDataSearchDlg", "ドキュメントファイル名")};
}  // namespace

CDataSearchDlg::CDataSearchDlg(const std::string& appFolder, QWidget* parent)
    : QDialog(parent), m_strAppFolder(appFolder) {
    setWindowTitle(QCoreApplication::translate("CDataSearchDlg", "データ検索"));
    setProperty("resourceId", static_cast<int>(IDD));

    m_pKeyword1 = WithId(new QLineEdit(this), IDC_KEYWORD1);
    m_pKeyword2 = WithId(new QLineEdit(this), IDC_KEYWORD2);
    auto* keywords = new QFormLayout;
    keywords->addRow(QCoreApplication::translate("CDataSearchDlg", "キーワード１"), m_pKeyword1);
    keywords->addRow(QCoreApplication::translate("CDataSearchDlg", "キーワード２"), m_pKeyword2);

    auto* fieldBox = new QGroupBox(this);
    auto* grid = new QGridLayout(fieldBox);
    for (int i = 0; i < kzv::kSearchFieldCount; ++i) {
        m_pFields[i] = WithId(
            new QCheckBox(QCoreApplication::translate("CDataSearchDlg", kFieldLabels[i]), fieldBox),
            kFieldIds[i]);
        m_pFields[i]->setChecked(true);
        grid->addWidget(m_pFields[i], i / 2, i % 2);
    }

    auto* ok = WithId(new QPushButton(QStringLiteral("OK"), this), IDC_OK);
    auto* cancel = WithId(
        new QPushButton(QCoreApplication::translate("CDataSearchDlg", "ｷｬﾝｾﾙ"), this), IDC_CANCEL);
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(keywords);
    layout->addWidget(fieldBox);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &CDataSearchDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

kzv::DataSearchQuery CDataSearchDlg::Query() const {
    kzv::DataSearchQuery query;
    query.keyword1 = m_pKeyword1->text().toStdString();
    query.keyword2 = m_pKeyword2->text().toStdString();
    for (int i = 0; i < kzv::kSearchFieldCount; ++i) {
        query.fields[static_cast<size_t>(i)] = m_pFields[i]->isChecked();
    }
    return query;
}

bool CDataSearchDlg::RunSearch() {
    std::vector<std::string> folders;
    kzv::ReadDataFolderList(kzv::DataFolderListPath(m_strAppFolder), folders);
    // The search reads every header of every listed folder and can take a while: a search
    // still running after the delay shows how far it has come, and can be cancelled.
    QProgressDialog progress(
        QCoreApplication::translate("CDataSearchDlg", "データを検索しています..."),
        QCoreApplication::translate("CDataSearchDlg", "キャンセル"), 0, 0, this);
    progress.setWindowTitle(windowTitle());
    progress.setWindowModality(Qt::WindowModal);  // modal: setValue then handles the cancel
    progress.setMinimumDuration(s_nProgressDelayMs);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool stopped = false;
    const auto toInt = [](size_t n) {
        return static_cast<int>(std::min<size_t>(n, std::numeric_limits<int>::max()));
    };
    std::vector<std::string> results = kzv::SearchDataSets(
        folders, Query(),
        [&](size_t done, size_t total) {
            if (done == 0) {
                progress.setMaximum(toInt(total));
            }
            progress.setValue(toInt(done));
            return !progress.wasCanceled();
        },
        &stopped);
    QApplication::restoreOverrideCursor();
    progress.close();
    if (stopped) {
        return false;
    }
    m_lstResults = std::move(results);
    return true;
}

void CDataSearchDlg::OnOK() {
    // A cancelled search leaves the dialog open with its keywords, to search again or close.
    if (RunSearch()) {
        accept();
    }
}
