#pragma once

#include <QDialog>
#include <array>

#include "field/Selection.h"

class QLineEdit;
class CViewState;

// "座標値の編集" for an arbitrary point listed in the value list: the user types new X, Y, Z
// (relative to the list's origin, as the list shows them). A position is taken only on the
// surface of the panel that held the point; otherwise the dialog offers to move it onto that
// surface. After OK, Record() holds the point's new position, panel and values.
class CCoordEditDlg : public QDialog {
    Q_OBJECT
public:
    enum { IDD = 163 };
    enum ControlId {
        IDC_X = 1343,
        IDC_Y = 1344,
        IDC_Z = 1345,
        IDC_OK = 1346,
        IDC_CANCEL = 1347,
    };

    // record: a copy of the point's record; origin: the list's relative origin (0, 0, 0 for
    // absolute coordinates).
    CCoordEditDlg(const CViewState& state, const CArbitraryPoint& record,
                  const std::array<double, 3>& origin, QWidget* parent = nullptr);

    const CArbitraryPoint& Record() const { return m_record; }
    QLineEdit* Edit(int id) const;

    // OK: takes the typed position when it lies on the point's surface, else asks whether to
    // correct it; stays open while the position is not taken.
    void OnOK();

private:
    // Whether the position's panel lies on the reference panel's surface.
    bool Accepted(int found) const;

    const CViewState& m_state;
    CArbitraryPoint m_record;
    std::array<double, 3> m_origin;
    int m_nRefPanel;         // the panel the point was made on (or, without one, holds it)
    int m_nFoundPanel = -1;  // the panel of the typed position
    QLineEdit* m_edits[3];
};
