#include "DataSetChooser.h"

#include "DataFolderDlg.h"
#include "DataSearchDlg.h"
#include "HeaderInfoDlg.h"

DataSetChoice ChooseDataSet(QWidget* parent, const std::string& appFolder,
                            const std::vector<std::string>* searchResults) {
    DataSetChoice choice;
    CDataFolderDlg dlg(appFolder, searchResults, parent);
    if (dlg.exec() == QDialog::Accepted) {
        choice.confirmed = true;
        choice.folder = dlg.m_strFolder;
        choice.header.CopyFrom(dlg.m_header);
    }
    return choice;
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
