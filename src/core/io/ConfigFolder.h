#pragma once

#include <string>

namespace kzv {

// Where the program keeps "dirlist" and "size".
struct CConfigFolder {
    std::string folder;   // ends with '/'
    std::string problem;  // why the list cannot be kept there (UTF-8); empty when it can
};

// The program's folder when it can write there (a build tree, a portable copy). Otherwise
// (installed under /usr or /opt) xdgConfigHome + "/kzv/", or home + "/.config/kzv/" when
// xdgConfigHome is empty or not absolute, made when missing; the first time "dirlist" is made
// there it lists samplesFolder, when that folder exists. Folders end with '/'.
CConfigFolder ChooseConfigFolder(const std::string& programFolder, const std::string& xdgConfigHome,
                                 const std::string& home, const std::string& samplesFolder);

}  // namespace kzv
