#include "dataset/DataFolderList.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "dataset/FolderUtil.h"
#include "dataset/LineReader.h"
#include "io/AtomicFile.h"

namespace fs = std::filesystem;

namespace kzv {

namespace {

bool FileExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::path(path), ec);
}

bool IsRegularFile(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(fs::path(path), ec);
}

bool HoldsLineEnd(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

}  // namespace

std::string DataFolderListPath(const std::string& appFolder) {
    return JoinPath(appFolder, "dirlist");
}

DataFolderListStatus ReadDataFolderList(const std::string& path,
                                        std::vector<std::string>& folders) {
    folders.clear();
    if (!FileExists(path)) {
        return DataFolderListStatus::Missing;
    }
    CLineReader reader;
    if (!IsRegularFile(path) || !reader.Open(path.c_str())) {
        return DataFolderListStatus::Unreadable;
    }
    std::string line;
    while (reader.ReadLine(line)) {
        if (!line.empty()) {
            folders.push_back(line);
        }
    }
    return DataFolderListStatus::Read;
}

bool CreateEmptyDataFolderList(const std::string& path) {
    if (FileExists(path)) {
        return IsRegularFile(path);
    }
    // Append mode creates the file but never empties one that appeared in the meantime.
    std::ofstream out(path, std::ios::binary | std::ios::app);
    return out.good() && IsRegularFile(path);
}

bool AppendToDataFolderList(const std::string& path, const std::string& folder) {
    if (folder.empty() || HoldsLineEnd(folder)) {
        return false;
    }
    std::string bytes;
    if (FileExists(path)) {
        std::ifstream in(path, std::ios::binary);
        if (!IsRegularFile(path) || !in) {
            return false;
        }
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (in.bad()) {
            return false;
        }
        if (!bytes.empty() && bytes.back() != '\n') {
            bytes += '\n';
        }
    }
    bytes += folder;
    bytes += '\n';
    return WriteFileAtomically(path, bytes);
}

bool WriteDataFolderList(const std::string& path, const std::vector<std::string>& folders) {
    std::string bytes;
    for (const std::string& folder : folders) {
        if (folder.empty() || HoldsLineEnd(folder)) {
            continue;
        }
        bytes += folder;
        bytes += '\n';
    }
    return WriteFileAtomically(path, bytes);
}

bool IsFolderListed(const std::vector<std::string>& folders, const std::string& folder) {
    const std::string wanted = WithoutTrailingSlash(folder);
    for (const std::string& listed : folders) {
        if (WithoutTrailingSlash(listed) == wanted) {
            return true;
        }
    }
    return false;
}

}  // namespace kzv
