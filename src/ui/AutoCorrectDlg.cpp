#include "ui/AutoCorrectDlg.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "ui/ControlId.h"

using kzv::WithId;

const char* const CAutoCorrectDlg::kMessage = QT_TRANSLATE_NOOP(
    "CAutoCorrectDlg",
    "指定された座標は、メッシュ内部の点ではないか、\nまたは、メッシュ平面から外れています。"
    "\n近傍の座標値に自動補正して設定することができます。");

CAutoCorrectDlg::CAutoCorrectDlg(QWidget* parent) : QDialog(parent) {
    setProperty("resourceId", static_cast<int>(IDD));
    setWindowTitle(QCoreApplication::translate("CAutoCorrectDlg", "座標値の編集"));

    auto* icon = WithId(new QLabel(this), IDC_ICON);
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(side, side));
    auto* message = WithId(new QPlainTextEdit(this), IDC_MESSAGE);
    // The edit breaks lines at '\n' alone (the message has no CR).
    message->setPlainText(QCoreApplication::translate("CAutoCorrectDlg", kMessage));
    message->setReadOnly(true);
    message->setMinimumWidth(message->fontMetrics().horizontalAdvance(QLatin1Char('M')) * 34);
    message->setFixedHeight(message->fontMetrics().lineSpacing() * 4 + 12);

    auto* byHand = WithId(
        new QPushButton(QCoreApplication::translate("CAutoCorrectDlg", "手動で修正する"), this),
        IDC_BY_HAND);
    auto* automatic =
        WithId(new QPushButton(
                   QCoreApplication::translate("CAutoCorrectDlg", "自動補正して設定する"), this),
               IDC_AUTOMATICALLY);
    byHand->setDefault(true);
    connect(byHand, &QPushButton::clicked, this, [this] { done(IDC_BY_HAND); });
    connect(automatic, &QPushButton::clicked, this, [this] { done(IDC_AUTOMATICALLY); });

    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addWidget(message);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(byHand);
    buttons->addWidget(automatic);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
}
