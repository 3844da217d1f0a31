#pragma once

#include <string>
#include <vector>

// "dirlist" in the program folder: the data folders the user keeps, one path per line (the
// path's bytes followed by LF), in the order they were added.
namespace kzv {

enum class DataFolderListStatus { Read, Missing, Unreadable };

// Path of "dirlist" in the program folder (which ends with '/').
std::string DataFolderListPath(const std::string& appFolder);

// Reads the list into folders (replacing what it held). Lines are read whole, however long,
// and a CR before the LF is dropped; empty lines name no folder and are skipped. Missing when
// there is no such file, Unreadable when it exists but cannot be read (folders is then empty).
DataFolderListStatus ReadDataFolderList(const std::string& path, std::vector<std::string>& folders);

// Creates an empty list when there is none; an existing file is never touched. True when the
// file exists afterwards.
bool CreateEmptyDataFolderList(const std::string& path);

// Adds folder as the last line, keeping every byte already in the file (a last line without
// its LF gets one first, so the two paths do not run together). The file is replaced in one
// step. False, with the file unchanged, for an empty path, a path holding a line end (it could
// not be read back as one line), or when the file exists but cannot be read or written.
bool AppendToDataFolderList(const std::string& path, const std::string& folder);

// Replaces the list with folders, in order. A crash part-way leaves the old file or the whole
// new one, never a truncated list.
bool WriteDataFolderList(const std::string& path, const std::vector<std::string>& folders);

// True when folder is already in folders. A trailing '/' does not make a different folder;
// otherwise the comparison is exact (file names on Linux are case-sensitive), so "/d/set1" is
// not taken for "/d/set10".
bool IsFolderListed(const std::vector<std::string>& folders, const std::string& folder);

}  // namespace kzv
