#include "io/ConfigFolder.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "io/AtomicFile.h"
#include "text/CoreText.h"
#include "text/Translatable.h"

namespace fs = std::filesystem;

namespace kzv {

namespace {

std::string WithSlash(std::string path) {
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    return path;
}

bool CanWriteIn(const std::string& folder) {
    std::error_code ec;
    return fs::is_directory(folder, ec) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

std::string InstalledDataFolder(const std::string& programFolder) {
    const fs::path data = (fs::path(WithSlash(programFolder)) / "../share/kzv/").lexically_normal();
    return WithSlash(data.string());
}

CConfigFolder ChooseConfigFolder(const std::string& programFolder, const std::string& xdgConfigHome,
                                 const std::string& home, const std::string& installedDataFolder) {
    CConfigFolder result;
    std::error_code ec;
    const bool installed = fs::is_directory(installedDataFolder, ec);
    if (!installed && CanWriteIn(programFolder)) {
        result.folder = WithSlash(programFolder);
        return result;
    }
    const std::string base = !xdgConfigHome.empty() && xdgConfigHome[0] == '/'
                                 ? WithSlash(xdgConfigHome)
                                 : WithSlash(home) + ".config/";
    result.folder = base + "kzv/";
    fs::create_directories(result.folder, ec);
    if (!CanWriteIn(result.folder)) {
        result.problem = kzv::CoreText(
            KZV_TR_NOOP(
                "Core",
                "設定フォルダ %1 "
                "に書き込めないため、データフォルダのリストとウィンドウの配置を保存できません。"),
            {result.folder});
        return result;
    }
    const std::string dirlist = result.folder + "dirlist";
    const std::string samples = installed ? WithSlash(installedDataFolder) + "samples" : "";
    if (installed && !fs::exists(dirlist, ec) && fs::is_directory(samples, ec)) {
        WriteFileAtomically(dirlist, samples + "\n");
    }
    return result;
}

std::string FindHelpIndex(const std::string& installedDataFolder,
                          const std::string& sourceHelpFolder) {
    const std::string installed = WithSlash(installedDataFolder) + "help/index.html";
    const std::string source = WithSlash(sourceHelpFolder) + "index.html";
    std::error_code ec;
    if (!fs::is_regular_file(installed, ec) && !sourceHelpFolder.empty() &&
        fs::is_regular_file(source, ec)) {
        return source;
    }
    return installed;
}

}  // namespace kzv
