#include "datasets/FolderBrowser.h"

#include <QCoreApplication>
#include <QFileDialog>

#include "dataset/FolderUtil.h"
#include "datasets/DatasetWidgets.h"
#include "ui/Seam.h"

namespace {
using BrowserSeam = KzSeam<struct BrowserTag, CFolderBrowser::Hook>;
}  // namespace

CFolderBrowser::Hook CFolderBrowser::SetHook(Hook hook) {
    return BrowserSeam::Swap(std::move(hook));
}

std::string CFolderBrowser::Browse(QWidget* owner) {
    const QString title = QCoreApplication::translate("CFolderBrowser", "フォルダの選択");
    const Hook& hook = BrowserSeam::Installed();
    const QString chosen = hook ? hook(owner, title)
                                : QFileDialog::getExistingDirectory(owner, title, QString(),
                                                                    QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty()) {
        return std::string();
    }
    // Only real file-system folders count (not, say, a remote location of the dialog).
    const std::string path = kzv::WithoutTrailingSlash(kzv::QStringToPath(chosen));
    return kzv::FolderExists(path) ? path : std::string();
}
