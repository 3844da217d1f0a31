#pragma once

#include <QDialog>

class QRadioButton;

// "データフォルダの編集": asks whether to add a data folder or remove the selected one.
class CFolderEditDlg : public QDialog {
    Q_OBJECT
public:
    enum { IDD = 150 };
    enum ControlId { IDC_ADD = 1245, IDC_REMOVE = 1246, IDC_OK = 1247, IDC_CANCEL = 1248 };

    explicit CFolderEditDlg(QWidget* parent = nullptr);

    bool m_bAdd = true;  // the choice on OK: add (true) or remove (false)

private:
    void OnOK();

    QRadioButton* m_pAdd;
    QRadioButton* m_pRemove;
};
