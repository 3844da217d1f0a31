#pragma once

#include <string>
#include <vector>

#include "dataset/HeaderFile.h"

class QWidget;

// What the view's load asks of the data-set dialogs.

// The outcome of the data-folder dialog: when confirmed, the data set's folder (ending with
// '/') whose "main.geo" passed the check, and the header read for it.
struct DataSetChoice {
    bool confirmed = false;
    std::string folder;
    CHeaderFile header;
};

// Runs the data-folder dialog modally. appFolder is the program folder (ending with '/') that
// holds "dirlist"; searchResults, when given, are shown on opening under "検索結果".
DataSetChoice ChooseDataSet(QWidget* parent, const std::string& appFolder,
                            const std::vector<std::string>* searchResults = nullptr);

// Runs the data-search dialog modally. True when it ended with OK; results then holds the
// data-set paths found (possibly none), ready for ChooseDataSet.
bool RunDataSearch(QWidget* parent, const std::string& appFolder,
                   std::vector<std::string>& results);

// Runs the header-information dialog modally for a data set's folder (ending with '/').
void ShowHeaderInfo(QWidget* parent, const std::string& dataSetFolder);
