#include "OpenFolder.h"

#include <QDesktopServices>
#include <QFile>
#include <QUrl>

namespace {
OpenFolderHook& Hook() {
    static OpenFolderHook hook;
    return hook;
}
}  // namespace

OpenFolderHook SetOpenFolderHook(OpenFolderHook hook) {
    OpenFolderHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

bool OpenFolderInFileBrowser(const std::string& folder) {
    const QString path = QFile::decodeName(QByteArray::fromStdString(folder));
    if (Hook()) {
        return Hook()(path);
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
