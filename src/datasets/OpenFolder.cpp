#include "datasets/OpenFolder.h"

#include <QDesktopServices>
#include <QFile>
#include <QUrl>

#include "ui/Seam.h"

namespace {
using OpenFolderSeam = KzSeam<struct OpenFolderTag, OpenFolderHook>;
}  // namespace

OpenFolderHook SetOpenFolderHook(OpenFolderHook hook) {
    return OpenFolderSeam::Swap(std::move(hook));
}

bool OpenFolderInFileBrowser(const std::string& folder) {
    const QString path = QFile::decodeName(QByteArray::fromStdString(folder));
    if (const OpenFolderHook& hook = OpenFolderSeam::Installed()) {
        return hook(path);
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
