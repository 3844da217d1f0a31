#include "ui/MessageBox.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <new>

#include "ui/Seam.h"

namespace {
using MessageBoxSeam = KzSeam<struct MessageBoxTag, KzMessageBoxHook>;
}  // namespace

QString KzCoreText(const std::string& text) {
    return QCoreApplication::translate("Core", text.c_str());
}

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
    // Messages hold names and paths from the disk: shown as typed, never read as markup, and
    // their line breaks kept.
    box.setTextFormat(Qt::PlainText);
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

const char* const MSG_OUT_OF_MEMORY =
    QT_TRANSLATE_NOOP("CMessageBox",
                      "メモリが足りないため、操作を最後まで行えませんでした。\n"
                      "選択する点の数を減らすなどして、もう一度操作してください。");

bool KzDeliverReportingMemoryShortage(const std::function<bool()>& deliver) {
    try {
        return deliver();
    } catch (const std::bad_alloc&) {
        // What the action had allocated is freed by now, so the box itself can be shown.
        KzMessageBox(QApplication::activeWindow(),
                     QCoreApplication::translate("CMessageBox", MSG_OUT_OF_MEMORY), QString(),
                     KzButtons::Ok, KzIcon::Error);
        return true;
    }
}
