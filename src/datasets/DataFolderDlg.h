#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "dataset/HeaderFile.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;
namespace kzv {
class CExtentListWidget;
}

// "データフォルダ": the user picks a data folder from "dirlist" (or the entry of the last
// search's results), sees its data sets with their header, and loads one. Every load of a
// data set goes through this dialog; it ends with OK only for a data set whose "main.geo"
// can be read.
class CDataFolderDlg : public QDialog {
    Q_OBJECT
public:
    enum { IDD = 142 };
    enum ControlId {
        IDC_FOLDER_LIST = 1031,
        IDC_DATASET_LIST = 1035,
        IDC_EDIT_FOLDERS = 1030,
        IDC_SEARCH = 1034,
        IDC_CANCEL = 1029,
        IDC_LOAD = 1032,
        IDC_DATA_NAME = 1041,
        IDC_TITLE = 1061,
        IDC_AFFILIATION = 1036,
        IDC_MEASURER = 1040,
        IDC_MANAGER = 1038,
        IDC_SUMMARY = 1039,
        IDC_BUILDING_SHAPE = 1050,
        IDC_ROOF_SHAPE = 1046,
        IDC_BUILDING_SIZE = 1049,
        IDC_ADJACENT = 1044,
    };
    // Labels of the header fields, in the order of the fields above (data name first).
    static const int kLabelIds[10];

    // appFolder: the program folder (ending with '/') that holds "dirlist". searchResults:
    // data-set paths to show on opening under "検索結果" (may be null; not kept).
    CDataFolderDlg(const std::string& appFolder, const std::vector<std::string>* searchResults,
                   QWidget* parent = nullptr);
    ~CDataFolderDlg() override;

    CHeaderFile m_header;     // header of the data set selected in the list
    std::string m_strFolder;  // after OK: the chosen data set's path, ending with '/'

    // Lists the data sets of the selected folder (dropping the search-result entry), selects
    // the first and shows its header. Runs whenever the user picks another folder.
    void FillDataSetList();
    // Shows the header of the selected data set, or disables the header part when there is
    // none. Runs whenever the user selects another data set.
    void UpdateHeaderFields();
    // Shows paths under the "検索結果" entry of the folder list.
    void ShowSearchResults(const std::vector<std::string>& results);
    // Path of the selected data set, ending with '/'; empty without a selection.
    std::string SelectedDataSetPath() const;

    // "読み込み": checks "main.geo" and ends with OK, or says why not and stays open.
    void OnLoad();
    // "フォルダの編集": add or remove a data folder.
    void OnEditFolders();
    // Adds the folder the folder browser returns, unless it is listed already.
    void AddFolder();
    // Asks, then removes the selected folder from the list and from "dirlist".
    void RemoveSelectedFolder();
    // "検索": runs the search dialog and shows what it found.
    void OnSearch();

    // The widest data-set text seen since the program started plus 5 pixels: the horizontal
    // scroll extent of the data-set list.
    static int HorizontalExtent();

private:
    void BuildControls();
    void ReadFolderList();
    void AddDataSetString(const std::string& bytes, bool headerReadable = true);
    int SearchEntryIndex() const;
    bool IsSearchEntry(int index) const;
    std::vector<std::string> ListedFolders() const;
    void EnableHeaderPart(bool enable);
    std::string DirListPath() const;
    // Tells the user that "dirlist" could not be written, so what was just asked is not kept.
    void ReportListNotWritten(const QString& what);

    std::string m_strAppFolder;
    QComboBox* m_pFolderList;
    kzv::CExtentListWidget* m_pDataSetList;
    QLineEdit* m_pDataName;
    QLineEdit* m_pFields[8];  // title .. adjacent condition, without the summary
    QPlainTextEdit* m_pSummary;
    std::vector<QLabel*> m_labels;
};
