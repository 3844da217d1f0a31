#pragma once

#include <string>

namespace kzv {

// Where the program keeps "dirlist" and "size".
struct CConfigFolder {
    std::string folder;   // ends with '/'
    std::string problem;  // why the list cannot be kept there (UTF-8); empty when it can
};

// The folder an installed program's samples and help lie in: <prefix>/share/kzv/ for a
// program in <prefix>/bin/, written without "..". Ends with '/'.
std::string InstalledDataFolder(const std::string& programFolder);

// An installed program (one whose installedDataFolder exists) keeps its files in
// xdgConfigHome + "/kzv/", or home + "/.config/kzv/" when xdgConfigHome is empty or not
// absolute, made when missing; the first time "dirlist" is made there it lists the installed
// samples (installedDataFolder + "samples"). Installed under a prefix the user may write to
// (~/.local) changes nothing: "bin" is no place for them. Otherwise (a build tree, a portable
// copy) the program's folder, when it can write there; else the configuration folder too.
// Folders end with '/'.
CConfigFolder ChooseConfigFolder(const std::string& programFolder, const std::string& xdgConfigHome,
                                 const std::string& home, const std::string& installedDataFolder);

// The user guide's first page: the installed one (installedDataFolder + "help/index.html"),
// else the one in sourceHelpFolder (the source tree's help folder, for a program run from its
// build tree). When neither exists, the installed path, for the message that says it is
// missing.
std::string FindHelpIndex(const std::string& installedDataFolder,
                          const std::string& sourceHelpFolder);

}  // namespace kzv
