#include "dataset/FolderUtil.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace kzv {

bool FolderExists(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    std::error_code ec;
    return fs::is_directory(fs::path(path), ec);
}

std::vector<std::string> FindSubfolders(const std::string& folder) {
    std::vector<std::string> names;
    if (folder.empty()) {
        return names;
    }
    std::error_code ec;
    fs::directory_iterator it(fs::path(folder), fs::directory_options::skip_permission_denied, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code typeEc;
        if (it->is_directory(typeEc)) {
            names.push_back(it->path().filename().string());
        }
    }
    // Directory order on Linux depends on the file system; byte order keeps the listing
    // stable between runs and machines.
    std::sort(names.begin(), names.end());
    return names;
}

bool CreateFolderTree(const std::string& path) {
    const std::string folder = WithoutTrailingSlash(path);
    if (folder.empty()) {
        return false;
    }
    std::error_code ec;
    fs::create_directories(fs::path(folder), ec);
    return FolderExists(folder);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '/') {
        return folder + name;
    }
    return folder + '/' + name;
}

std::string WithoutTrailingSlash(const std::string& path) {
    size_t end = path.size();
    while (end > 1 && path[end - 1] == '/') {
        --end;
    }
    return path.substr(0, end);
}

std::string LastPathComponent(const std::string& path) {
    const std::string trimmed = WithoutTrailingSlash(path);
    const size_t slash = trimmed.rfind('/');
    if (slash == std::string::npos) {
        return trimmed;
    }
    return trimmed.substr(slash + 1);
}

std::string PromptStartFolder(const std::string& dataFolder) {
    const std::string documents = dataFolder + "Documents";
    return !dataFolder.empty() && FolderExists(documents) ? documents : dataFolder;
}

}  // namespace kzv
