#pragma once

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
