#include "valuelist/OutputDlg.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dataset/FolderUtil.h"
#include "state/Comparing.h"
#include "state/Sidecar.h"
#include "state/ViewState.h"
#include "ui/ControlId.h"
#include "ui/FilePrompt.h"
#include "ui/MessageBox.h"
#include "valuelist/ValueListExport.h"

using kzv::WithId;

COutputDlg::COutputDlg(const CViewState& state, QWidget* parent)
    : QDialog(parent),
      m_state(state),
      m_csv(WithId(new QRadioButton(QStringLiteral("CSV"), this), IDC_CSV)),
      m_tolvex(WithId(new QRadioButton(QStringLiteral("Tolvex"), this), IDC_TOLVEX)) {
    setProperty("resourceId", static_cast<int>(IDD));
    setWindowTitle(QCoreApplication::translate("COutputDlg", "出力"));

    auto* format = new QGroupBox(QCoreApplication::translate("COutputDlg", "形式"), this);
    auto* radios = new QVBoxLayout(format);
    radios->addWidget(m_csv);
    radios->addWidget(m_tolvex);
    // The Tolvex file holds the mean of every direction, whatever the view shows.
    if (!m_state.Points().shown.IsPlainMean()) {
        auto* note =
            WithId(new QLabel(QCoreApplication::translate("COutputDlg",
                                                          "Tolvex 形式は表示中の値（%1）ではなく、"
                                                          "常に平均値を出力します。")
                                  .arg(QString::fromStdString(ShownStateCaption(m_state))),
                              format),
                   IDC_TOLVEX_NOTE);
        note->setWordWrap(true);
        radios->addWidget(note);
    }
    m_csv->setChecked(true);

    auto* output = WithId(new QPushButton(QCoreApplication::translate("COutputDlg", "出力"), this),
                          IDC_OUTPUT);
    auto* cancel = WithId(new QPushButton(QCoreApplication::translate("COutputDlg", "ｷｬﾝｾﾙ"), this),
                          IDC_CANCEL);
    output->setDefault(true);
    connect(output, &QPushButton::clicked, this, &COutputDlg::OnOutput);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(output);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(format);
    layout->addLayout(buttons);
}

std::string COutputDlg::PromptPath(const QString& defaultName) {
    // The program's save prompt: the format's filter and all files, starting in the data
    // set's "Documents" folder when it has one.
    const QString folder =
        QString::fromStdString(kzv::PromptStartFolder(m_state.m_data.m_strDataFolder));
    return KzPromptFile(this, false,
                        KzFileFilter(QStringLiteral("CSV Files"), QStringLiteral("csv")),
                        QStringLiteral("csv"), defaultName, folder);
}

void COutputDlg::OnOutput() {
    const bool tolvex = m_tolvex->isChecked();
    if (tolvex && !CanWriteTolvex(m_state.Points())) {
        KzMessageBox(this, QCoreApplication::translate("Core", MSG_TOLVEX_EIGHT_DIRECTIONS),
                     QString(), KzButtons::Ok, KzIcon::Error);
        return;
    }
    const std::string path =
        PromptPath(tolvex ? QStringLiteral("Tolvex") : QStringLiteral("output"));
    if (path.empty()) {
        return;
    }
    const std::vector<CValueRow>& rows = m_state.m_valueList.Rows();
    std::string error;
    const CExportResult result =
        tolvex ? WriteTolvexFile(rows, m_state.Points(), m_state.m_nBuildingAngleStep, path, &error)
               : WriteCsvFile(rows, path, &error, ShownStateCaption(m_state),
                              m_state.Points().shown.IsEnvelope());
    if (result == CExportResult::TooFewDirections) {
        KzMessageBox(this, QCoreApplication::translate("Core", MSG_TOLVEX_EIGHT_DIRECTIONS),
                     QString(), KzButtons::Ok, KzIcon::Error);
        return;
    }
    if (result == CExportResult::Written) {
        // The record of how the file was made, beside it.
        CSidecarInfo info;
        info.kind = tolvex ? CSidecarKind::Tolvex : CSidecarKind::Csv;
        info.time = SidecarTimeNow();
        if (!WriteSidecar(path, m_state, info, &error)) {
            KzMessageBox(
                this,
                QCoreApplication::translate("COutputDlg",
                                            "ファイル %1 に書き込めませんでした。\n%2")
                    .arg(QString::fromStdString(path + SIDECAR_EXTENSION), KzCoreText(error)),
                QString(), KzButtons::Ok, KzIcon::Error);
        }
    }
    if (result == CExportResult::WriteFailed) {
        // The fixed text, then the cause on a line of its own.
        KzMessageBox(this,
                     QCoreApplication::translate(
                         "Core", tolvex ? MSG_TOLVEX_WRITE_FAILED : MSG_CSV_WRITE_FAILED) +
                         QLatin1Char('\n') + KzCoreText(error),
                     QString(), KzButtons::Ok, KzIcon::Error);
    }
    accept();
}
