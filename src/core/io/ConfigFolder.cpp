#include "io/ConfigFolder.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "io/AtomicFile.h"

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

CConfigFolder ChooseConfigFolder(const std::string& programFolder, const std::string& xdgConfigHome,
                                 const std::string& home, const std::string& samplesFolder) {
    CConfigFolder result;
    if (CanWriteIn(programFolder)) {
        result.folder = WithSlash(programFolder);
        return result;
    }
    const std::string base = !xdgConfigHome.empty() && xdgConfigHome[0] == '/'
                                 ? WithSlash(xdgConfigHome)
                                 : WithSlash(home) + ".config/";
    result.folder = base + "kzv/";
    std::error_code ec;
    fs::create_directories(result.folder, ec);
    if (!CanWriteIn(result.folder)) {
        result.problem =
            "設定フォルダ " + result.folder +
            " に書き込めないため、データフォルダのリストとウィンドウの配置を保存できません。";
        return result;
    }
    const std::string dirlist = result.folder + "dirlist";
    if (!fs::exists(dirlist, ec) && fs::is_directory(samplesFolder, ec)) {
        WriteFileAtomically(dirlist, samplesFolder + "\n");
    }
    return result;
}

}  // namespace kzv
