#pragma once

#include <QDialog>
#include <string>

#include "dataset/HeaderFile.h"

class QPushButton;

// "付随情報": the header of a data set, read afresh from its folder, and a button that opens
// the data set's "Documents" folder in the desktop's file browser.
class CHeaderInfoDlg : public QDialog {
    Q_OBJECT
public:
    enum { IDD = 144 };

    // dataSetFolder: the data set's path, ending with '/'.
    explicit CHeaderInfoDlg(const std::string& dataSetFolder, QWidget* parent = nullptr);

    CHeaderFile m_header;

    // "ドキュメントフォルダを開く": creates "Documents" (with missing parents) when needed and
    // shows it in the file browser without waiting for it. When the folder cannot be made or
    // no file browser starts, a message names the folder.
    void OnOpenDocuments();

private:
    std::string m_strFolder;
};
