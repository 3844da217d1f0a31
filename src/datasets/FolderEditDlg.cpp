#include "FolderEditDlg.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "DatasetWidgets.h"

using kzv::WithId;

CFolderEditDlg::CFolderEditDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("データフォルダの編集"));
    setProperty("resourceId", static_cast<int>(IDD));

    m_pAdd = WithId(new QRadioButton(QStringLiteral("追加"), this), IDC_ADD);
    m_pRemove = WithId(new QRadioButton(QStringLiteral("削除"), this), IDC_REMOVE);
    m_pAdd->setChecked(true);
    auto* ok = WithId(new QPushButton(QStringLiteral("OK"), this), IDC_OK);
    auto* cancel = WithId(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this), IDC_CANCEL);
    ok->setDefault(true);

    auto* choices = new QVBoxLayout;
    choices->addWidget(m_pAdd);
    choices->addWidget(m_pRemove);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(choices);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &CFolderEditDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CFolderEditDlg::OnOK() {
    m_bAdd = m_pAdd->isChecked();
    accept();
}
