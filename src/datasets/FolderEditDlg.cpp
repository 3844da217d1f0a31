#include "datasets/FolderEditDlg.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

#include "datasets/DatasetWidgets.h"

using kzv::WithId;

namespace {
// Room in a title bar for the icon and the close, maximise and minimise buttons.
constexpr int kTitleBarButtons = 140;
}  // namespace

CFolderEditDlg::CFolderEditDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QCoreApplication::translate("CFolderEditDlg", "データフォルダの編集"));
    setProperty("resourceId", static_cast<int>(IDD));

    m_pAdd = WithId(new QRadioButton(QCoreApplication::translate("CFolderEditDlg", "追加"), this),
                    IDC_ADD);
    m_pRemove = WithId(
        new QRadioButton(QCoreApplication::translate("CFolderEditDlg", "削除"), this), IDC_REMOVE);
    m_pAdd->setChecked(true);
    auto* ok = WithId(new QPushButton(QStringLiteral("OK"), this), IDC_OK);
    auto* cancel = WithId(
        new QPushButton(QCoreApplication::translate("CFolderEditDlg", "ｷｬﾝｾﾙ"), this), IDC_CANCEL);
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

    // The window manager cuts a title wider than the window ("デー… 集"): the dialog is made
    // wide enough for its title beside the title bar's buttons.
    QFont titleFont = font();
    titleFont.setBold(true);
    const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(windowTitle());
    setMinimumWidth(std::max(minimumSizeHint().width(), titleWidth + kTitleBarButtons));

    connect(ok, &QPushButton::clicked, this, &CFolderEditDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CFolderEditDlg::OnOK() {
    m_bAdd = m_pAdd->isChecked();
    accept();
}
