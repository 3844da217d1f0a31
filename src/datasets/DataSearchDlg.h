#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "dataset/DataSearch.h"

class QCheckBox;
class QLineEdit;

// "データ検索": keywords and the fields to look in; OK searches every data set of every
// folder in "dirlist" and ends the dialog with the paths found.
class CDataSearchDlg : public QDialog {
    Q_OBJECT
public:
    enum { IDD = 143 };
    enum ControlId {
        IDC_KEYWORD1 = 1074,
        IDC_KEYWORD2 = 1075,
        IDC_OK = 1076,
        IDC_CANCEL = 1062,
    };
    // Check-box ids in the order of kzv::SearchField.
    static const int kFieldIds[kzv::kSearchFieldCount];

    // appFolder: the program folder (ending with '/') whose "dirlist" names the data folders.
    explicit CDataSearchDlg(const std::string& appFolder, QWidget* parent = nullptr);

    // Data-set paths found by the last search (no trailing '/'), in the order found.
    std::vector<std::string> m_lstResults;

    // The query the controls describe.
    kzv::DataSearchQuery Query() const;
    // Searches with the controls' query, filling m_lstResults. A search that runs longer than
    // the progress delay shows a progress dialog whose cancel button stops it; a stopped
    // search keeps m_lstResults as it was and returns false.
    bool RunSearch();

    // How long a search runs before its progress dialog shows (500 ms); tests set 0 so the
    // dialog shows at once. Returns the previous delay.
    static int SetProgressDelay(int ms);

private:
    void OnOK();

    static int s_nProgressDelayMs;

    std::string m_strAppFolder;
    QLineEdit* m_pKeyword1;
    QLineEdit* m_pKeyword2;
    QCheckBox* m_pFields[kzv::kSearchFieldCount];
};
