#pragma once

#include <QDialog>

class CStateOwner;
class QDoubleSpinBox;
class QLabel;
class QTableWidget;

// "一致度": how the shown data set and the reference of a comparison agree, per face and for
// the whole building, at the direction shown and over all directions; the tolerance of the
// matching by position, which can be changed and applied; the figures copied as CSV text.
// Modeless; it follows the state (direction steps, a new matching, the end of the comparison).
class CAgreementDlg : public QDialog {
    Q_OBJECT
public:
    enum ControlId {
        IDC_AGREEMENT_TABLE = 1401,
        IDC_TOLERANCE = 1402,
        IDC_REMATCH = 1403,
        IDC_COPY = 1404,
        IDC_MATCHING = 1405,
    };

    CAgreementDlg(CStateOwner& owner, QWidget* parent = nullptr);
    ~CAgreementDlg() override;

    QTableWidget* Table() const { return m_table; }
    // The figures as the CSV the copy puts on the clipboard.
    QString CsvText() const;

private:
    void Refresh();
    void Rematch();

    CStateOwner& m_owner;
    int m_nListener = 0;
    QLabel* m_matching;
    QDoubleSpinBox* m_tolerance;
    QTableWidget* m_table;
};
