#pragma once

#include <QDialog>

// "座標値の編集" asking what to do with coordinates that lie off the mesh: correct them by hand
// (the dialog ends with IDC_BY_HAND) or let the program move them onto a nearby panel
// (IDC_AUTOMATICALLY). Closed otherwise it ends with 0.
class CAutoCorrectDlg : public QDialog {
    Q_OBJECT
public:
    enum { IDD = 166 };
    enum ControlId {
        IDC_MESSAGE = 1348,
        IDC_ICON = 1349,
        IDC_BY_HAND = 1350,
        IDC_AUTOMATICALLY = 1351,
    };
    // The message, as the program's own text (LF between its lines).
    static const char* const kMessage;

    explicit CAutoCorrectDlg(QWidget* parent = nullptr);
};
