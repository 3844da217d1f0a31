#include "dataset/FolderUtil.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

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

bool ForEachEntry(const std::string& folder, const std::function<bool(const DirEntry&)>& visit) {
    return ForEachEntryAt(AT_FDCWD, folder.c_str(), visit);
}

bool ForEachEntryAt(int dirFd, const char* name, const std::function<bool(const DirEntry&)>& visit,
                    int* keepFd) {
    // getdents64 straight into a buffer: opendir would also look the folder up with fstat,
    // and a search lists thousands of small folders.
    const int fd = ::openat(dirFd, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    const bool all = ForEachEntryOf(fd, visit);
    if (keepFd != nullptr) {
        *keepFd = fd;
    } else {
        ::close(fd);
    }
    return all;
}

bool ForEachEntryOf(int fd, const std::function<bool(const DirEntry&)>& visit) {
    alignas(8) char buffer[16384];
    bool all = true;
    for (;;) {
        const long n = ::syscall(SYS_getdents64, fd, buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        for (long at = 0; at < n && all;) {
            struct Record {
                uint64_t inode;
                int64_t offset;
                unsigned short length;
                unsigned char type;
                char name[1];
            };
            const auto* record = reinterpret_cast<const Record*>(buffer + at);
            at += record->length;
            const char* name = record->name;
            if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) {
                continue;
            }
            // The entry's type as the directory tells it; a link (one to a folder counts as a
            // folder) and an entry of a file system that does not tell are looked up.
            DirEntry entry;
            entry.name = name;
            entry.isFolder = record->type == DT_DIR;
            if (record->type == DT_LNK || record->type == DT_UNKNOWN) {
                bool link = record->type == DT_LNK;
                struct stat st {};
                if (!link && ::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
                    link = S_ISLNK(st.st_mode);
                }
                if (::fstatat(fd, name, &st, 0) == 0 && S_ISDIR(st.st_mode)) {
                    entry.isFolder = true;
                    entry.isLink = link;
                    entry.target = DirIdentity{static_cast<uint64_t>(st.st_dev),
                                               static_cast<uint64_t>(st.st_ino)};
                }
            }
            all = visit(entry);
        }
        if (!all) {
            break;
        }
    }
    return all;
}

std::vector<std::string> FindSubfolders(const std::string& folder) {
    std::vector<std::string> names;
    if (folder.empty()) {
        return names;
    }
    ForEachEntry(folder, [&names](const DirEntry& entry) {
        if (entry.isFolder) {
            names.emplace_back(entry.name);
        }
        return true;
    });
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
