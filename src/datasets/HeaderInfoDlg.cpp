#include "datasets/HeaderInfoDlg.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dataset/FolderUtil.h"
#include "datasets/DatasetWidgets.h"
#include "datasets/OpenFolder.h"
#include "ui/MessageBox.h"

using kzv::FileTextToQString;

namespace {

QLineEdit* AddField(QFormLayout* form, QWidget* parent, const char* objectName,
                    const QString& label, const std::string& text) {
    QLineEdit* field = kzv::MakeReadOnlyField(parent);
    field->setObjectName(QString::fromLatin1(objectName));
    kzv::SetFieldText(field, text);
    form->addRow(label, field);
    return field;
}

}  // namespace

CHeaderInfoDlg::CHeaderInfoDlg(const std::string& dataSetFolder, QWidget* parent)
    : QDialog(parent), m_strFolder(dataSetFolder) {
    setWindowTitle(QCoreApplication::translate("CHeaderInfoDlg", "付随情報"));
    setProperty("resourceId", static_cast<int>(IDD));

    if (m_strFolder.empty() || !m_header.Read((m_strFolder + "header").c_str())) {
        // Nothing in the program writes header files, so the message only reports the failure.
        KzMessageBox(this, QCoreApplication::translate("CHeaderInfoDlg",
                                                       "ヘッダファイルの読み込みに失敗しました。"));
        m_header.Clear();
    }

    auto* form = new QFormLayout;
    AddField(form, this, "dataName", QCoreApplication::translate("CHeaderInfoDlg", "データ名"),
             kzv::LastPathComponent(m_strFolder));
    AddField(form, this, "title", QCoreApplication::translate("CHeaderInfoDlg", "データタイトル"),
             m_header.m_strTitle);
    AddField(form, this, "manager", QCoreApplication::translate("CHeaderInfoDlg", "管理者"),
             m_header.m_strManager);
    QPlainTextEdit* summary = kzv::MakeReadOnlySummary(this);
    summary->setObjectName(QStringLiteral("summary"));
    summary->setPlainText(FileTextToQString(m_header.m_strSummary));
    form->addRow(QCoreApplication::translate("CHeaderInfoDlg", "実験概要"), summary);
    AddField(form, this, "buildingShape", QCoreApplication::translate("CHeaderInfoDlg", "建物形状"),
             m_header.m_strBuildingShape);
    AddField(form, this, "roofShape", QCoreApplication::translate("CHeaderInfoDlg", "屋根形状"),
             m_header.m_strRoofShape);
    AddField(form, this, "buildingSize", QCoreApplication::translate("CHeaderInfoDlg", "建物規模"),
             m_header.m_strBuildingSize);
    AddField(form, this, "adjacentCondition",
             QCoreApplication::translate("CHeaderInfoDlg", "隣接建物条件"),
             m_header.m_strAdjacentCondition);
    AddField(form, this, "affiliation", QCoreApplication::translate("CHeaderInfoDlg", "所属"),
             m_header.m_strAffiliation);
    AddField(form, this, "measurer", QCoreApplication::translate("CHeaderInfoDlg", "計測者"),
             m_header.m_strMeasurer);

    auto* open = new QPushButton(
        QCoreApplication::translate("CHeaderInfoDlg", "ドキュメントフォルダを開く"), this);
    open->setObjectName(QStringLiteral("openDocuments"));
    open->setAutoDefault(false);
    // Without a data set there is no folder to put "Documents" in.
    open->setEnabled(!m_strFolder.empty());
    auto* close = new QPushButton(QCoreApplication::translate("CHeaderInfoDlg", "閉じる"), this);
    close->setObjectName(QStringLiteral("close"));
    close->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(open);
    buttons->addStretch();
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    resize(520, sizeHint().height());

    connect(open, &QPushButton::clicked, this, &CHeaderInfoDlg::OnOpenDocuments);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void CHeaderInfoDlg::OnOpenDocuments() {
    if (m_strFolder.empty()) {
        return;
    }
    const std::string documents = kzv::JoinPath(m_strFolder, "Documents");
    const QString shown = FileTextToQString(documents);
    if (!kzv::CreateFolderTree(documents)) {
        KzMessageBox(this, QCoreApplication::translate("CHeaderInfoDlg",
                                                       "フォルダ %1 を作成できませんでした。")
                               .arg(shown));
        return;
    }
    if (!OpenFolderInFileBrowser(documents)) {
        // No file browser could be started: say so, and where the documents are.
        KzMessageBox(
            this, QCoreApplication::translate("CHeaderInfoDlg", "フォルダ %1 を開けませんでした。")
                      .arg(shown));
    }
}
