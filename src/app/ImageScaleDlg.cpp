#include "app/ImageScaleDlg.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/Seam.h"

using ImageScaleSeam = KzSeam<struct ImageScaleTag, KzImageScaleHook>;

CImageScaleDlg::CImageScaleDlg(int clientW, int clientH, int scale, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QCoreApplication::translate("CImageScaleDlg", "画像の解像度"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QCoreApplication::translate("CImageScaleDlg", "保存する画像の大きさ:"), this));
    for (int k = 1; k <= kMaxScale; ++k) {
        const QString name = k == 1 ? QCoreApplication::translate("CImageScaleDlg", "画面と同じ")
                                    : QCoreApplication::translate("CImageScaleDlg", "%1倍").arg(k);
        auto* choice =
            new QRadioButton(QCoreApplication::translate("CImageScaleDlg", "%1（%2 × %3 ピクセル）")
                                 .arg(name)
                                 .arg(clientW * k)
                                 .arg(clientH * k),
                             this);
        choice->setObjectName(QStringLiteral("scale%1").arg(k));
        layout->addWidget(choice);
        m_choices[k - 1] = choice;
    }
    Choice(std::clamp(scale, 1, kMaxScale))->setChecked(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)
        ->setText(QCoreApplication::translate("CImageScaleDlg", "キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

int CImageScaleDlg::Scale() const {
    for (int k = 1; k <= kMaxScale; ++k) {
        if (Choice(k)->isChecked()) {
            return k;
        }
    }
    return 1;
}

KzImageScaleHook SetImageScaleHook(KzImageScaleHook hook) {
    return ImageScaleSeam::Swap(std::move(hook));
}

bool KzChooseImageScale(QWidget* parent, int clientW, int clientH, int& scale) {
    if (const KzImageScaleHook& hook = ImageScaleSeam::Installed()) {
        return hook(clientW, clientH, scale);
    }
    CImageScaleDlg dialog(clientW, clientH, scale, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    scale = dialog.Scale();
    return true;
}
