#include "datasets/DataSetChooser.h"

#include "datasets/DataFolderDlg.h"
#include "datasets/DataSearchDlg.h"
#include "datasets/HeaderInfoDlg.h"

DataSetChooser MakeDataSetChooser(const std::string& appFolder) {
    return [appFolder](QWidget* parent, const std::vector<std::string>* searchResults,
                       std::string& folder, CHeaderFile& header) {
        CDataFolderDlg dlg(appFolder, searchResults, parent);
        if (dlg.exec() != QDialog::Accepted) {
            return false;
        }
        folder = dlg.m_strFolder;
        header.CopyFrom(dlg.m_header);
        return true;
    };
}

bool RunDataSearch(QWidget* parent, const std::string& appFolder,
                   std::vector<std::string>& results) {
    CDataSearchDlg dlg(appFolder, parent);
    if (dlg.exec() != QDialog::Accepted) {
        return false;
    }
    results = dlg.m_lstResults;
    return true;
}

void ShowHeaderInfo(QWidget* parent, const std::string& dataSetFolder) {
    CHeaderInfoDlg dlg(dataSetFolder, parent);
    dlg.exec();
}
