#include "ui/FilePrompt.h"

#include <QCoreApplication>
#include <QFileDialog>

#include "ui/Seam.h"

namespace {
using FilePromptSeam = KzSeam<struct FilePromptTag, KzFilePromptHook>;
}  // namespace

QString KzFileFilter(const QString& description, const QString& extension) {
    return QStringLiteral("%1 (*.%2);;%3 (*)")
        .arg(description, extension,
             QCoreApplication::translate("CFilePrompt", "すべてのファイル"));
}

KzFilePromptHook SetFilePromptHook(KzFilePromptHook hook) {
    return FilePromptSeam::Swap(std::move(hook));
}

std::string KzPromptFile(QWidget* parent, bool open, const QString& filter,
                         const QString& extension, const QString& defaultName,
                         const QString& folder) {
    if (const KzFilePromptHook& hook = FilePromptSeam::Installed()) {
        return hook(open, filter, extension, defaultName, folder);
    }
    QFileDialog dialog(parent, QString(), folder, filter);
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(extension);
    dialog.selectFile(defaultName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::string();
    }
    return dialog.selectedFiles().first().toStdString();
}
