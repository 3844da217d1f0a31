#pragma once

#include <QDialog>

#include "field/RangeRequest.h"

class QLineEdit;
class QPushButton;
class CViewState;

// "データ表示点の範囲指定": after two rectangle corners were picked, shows them for correction
// and asks into how many parts the rectangle is divided along its two varying axes. It ends
// with OK only for valid divisions and corners that lie on the surfaces they were picked on.
class CRangeDlg : public QDialog {
    Q_OBJECT
public:
    enum { IDD = 161 };
    enum ControlId {
        IDC_X1 = 1301,
        IDC_Y1 = 1302,
        IDC_Z1 = 1303,
        IDC_X2 = 1304,
        IDC_Y2 = 1305,
        IDC_Z2 = 1306,
        IDC_P = 1307,
        IDC_Q = 1308,
        IDC_DIVIDE = 1309,
        IDC_CANCEL = 1310,
    };

    CRangeDlg(const CViewState& state, const CRangeRequest& request, QWidget* parent = nullptr);

    // After OK: the corners as read back from the edits and the divisions.
    const CRangeRequest& Request() const { return m_request; }

    // "分割実行" (also Enter): checks the divisions and the corners and ends with OK, or says
    // what is wrong and stays open.
    void OnDivide();

    QLineEdit* Edit(int id) const;

private:
    // The division in the edit: a whole number from 1 up, or 0 when the text is none.
    static int ReadDivisions(const QLineEdit* edit);

    const CViewState& m_state;
    CRangeRequest m_request;
    QLineEdit* m_edits[8];  // X1, Y1, Z1, X2, Y2, Z2, P, Q
};
