#include "FolderBrowser.h"

#include <QFileDialog>

#include "DatasetWidgets.h"
#include "dataset/FolderUtil.h"

namespace {
CFolderBrowser::Hook& BrowserHook() {
    static CFolderBrowser::Hook hook;
    return hook;
}
}  // namespace

CFolderBrowser::Hook CFolderBrowser::SetHook(Hook hook) {
    Hook previous = std::move(BrowserHook());
    BrowserHook() = std::move(hook);
    return previous;
}

std::string CFolderBrowser::Browse(QWidget* owner) {
    const QString title = QStringLiteral("フォルダの選択");
    const QString chosen = BrowserHook() ? BrowserHook()(owner, title)
                                         : QFileDialog::getExistingDirectory(
                                               owner, title, QString(), QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty()) {
        return std::string();
    }
    // Only real file-system folders count (not, say, a remote location of the dialog).
    const std::string path = kzv::WithoutTrailingSlash(kzv::QStringToPath(chosen));
    return kzv::FolderExists(path) ? path : std::string();
}
