#pragma once

#include <functional>
#include <string>
#include <vector>

#include "dataset/HeaderFile.h"

class QWidget;

// What the view's load asks of the data-set dialogs.

// The main window's data-set chooser: runs the data-folder dialog modally; searchResults, when
// given, are shown on opening under "検索結果". True when the dialog ended with OK; folder then
// holds the data set's folder (ending with '/') whose "main.geo" passed the check and header
// the header read for it. Both are left alone when the user cancels.
using DataSetChooser =
    std::function<bool(QWidget* parent, const std::vector<std::string>* searchResults,
                       std::string& folder, CHeaderFile& header)>;

// The chooser for the program folder appFolder (ending with '/'), which holds "dirlist".
DataSetChooser MakeDataSetChooser(const std::string& appFolder);

// Runs the data-search dialog modally. True when it ended with OK; results then holds the
// data-set paths found (possibly none), ready for the data-set chooser.
bool RunDataSearch(QWidget* parent, const std::string& appFolder,
                   std::vector<std::string>& results);

// Runs the header-information dialog modally for a data set's folder (ending with '/').
void ShowHeaderInfo(QWidget* parent, const std::string& dataSetFolder);
