#include "MessageBox.h"

#include <QMessageBox>

#include "Seam.h"

namespace {
using MessageBoxSeam = KzSeam<struct MessageBoxTag, KzMessageBoxHook>;
}  // namespace

KzMessageBoxHook SetMessageBoxHook(KzMessageBoxHook hook) {
    return MessageBoxSeam::Swap(std::move(hook));
}

KzAnswer KzMessageBox(QWidget* parent, const QString& text, const QString& caption,
                      KzButtons buttons, KzIcon icon) {
    const QString title = caption.isNull() ? QStringLiteral("KZ_V") : caption;
    if (const KzMessageBoxHook& hook = MessageBoxSeam::Installed()) {
        return hook(text, title, buttons, icon);
    }
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
        case KzIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case KzIcon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case KzIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case KzIcon::Error:
            box.setIcon(QMessageBox::Critical);
            break;
        case KzIcon::None:
            break;
    }
    if (buttons == KzButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? KzAnswer::Yes : KzAnswer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return KzAnswer::Ok;
}
