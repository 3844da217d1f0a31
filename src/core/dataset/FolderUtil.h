#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Small folder utilities of the data-folder list, the data search and the header dialog.
// Paths use '/'; a data-set folder path ends with '/'.
namespace kzv {

// True when path names an existing directory (a symbolic link to one counts).
bool FolderExists(const std::string& path);

// The folder the program's file prompts start in for a data-set folder (ending in '/'): its
// "Documents" subfolder when there is one, else the data-set folder; empty without a data set.
std::string PromptStartFolder(const std::string& dataFolder);

// Names of the direct subfolders of folder ("." and ".." never appear), in byte order of the
// names so that every listing of the same folder comes out the same. Empty when folder does
// not exist or cannot be read. Symbolic links to directories count as subfolders.
std::vector<std::string> FindSubfolders(const std::string& folder);

// Where a folder lies on disk: a walk that meets the same folder again (through a link) can
// tell.
struct DirIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
    bool operator==(const DirIdentity& o) const { return device == o.device && inode == o.inode; }
};

// One entry of a folder listing.
struct DirEntry {
    const char* name = nullptr;
    bool isFolder = false;  // a folder, or a link to one
    bool isLink = false;    // a link to a folder: target tells which folder
    DirIdentity target;
};

// Calls visit for every entry of folder but "." and "..", in directory order, until it returns
// false. False when the folder cannot be read or visit stopped the walk.
bool ForEachEntry(const std::string& folder, const std::function<bool(const DirEntry&)>& visit);
// The same for the folder name inside the open folder dirFd (AT_FDCWD for a path), so that a
// walk down a tree does not look up the whole path of every folder again. With keepFd the
// listed folder stays open, for opening its subfolders, and the caller closes *keepFd (set
// only when the folder could be opened).
bool ForEachEntryAt(int dirFd, const char* name, const std::function<bool(const DirEntry&)>& visit,
                    int* keepFd = nullptr);
// The same for a folder opened (for reading) by the caller, listed from its start.
bool ForEachEntryOf(int fd, const std::function<bool(const DirEntry&)>& visit);

// Creates folder and every missing parent. A trailing '/' is ignored. True when the folder
// exists afterwards (also when it existed before).
bool CreateFolderTree(const std::string& path);

// folder + '/' + name, without doubling a '/' that folder already ends with.
std::string JoinPath(const std::string& folder, const std::string& name);

// The last component of path, ignoring trailing '/'s: "/data/set 7/" gives "set 7".
std::string LastPathComponent(const std::string& path);

// path without its trailing '/'s; the root "/" stays "/".
std::string WithoutTrailingSlash(const std::string& path);

}  // namespace kzv
