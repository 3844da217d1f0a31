#pragma once

#include <QDialog>
#include <array>

#include "valuelist/ValueList.h"

class CValueListDlg;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "除外範囲の指定": removes rows of the value list whose number, X, Y, Z or coefficient lies
// inside (or outside) a range, one step per checked column, and undoes the steps one by one.
// Modeless child of the value-list page, made once and hidden, never destroyed before the
// page. "閉じる" and Escape hide it and keep the steps; the window's close box hides it and
// forgets them, so the removed rows can no longer come back.
class CExcludeRangeDlg : public QDialog {
    Q_OBJECT
public:
    enum { IDD = 145 };
    // Per column (No, X, Y, Z, coefficient) the first id; column i uses id + i.
    enum ControlId {
        IDC_APPLY = 1113,
        IDC_CLOSE = 1114,
        IDC_INSIDE = 1115,     // ..1119 "内側を除外"
        IDC_MAX = 1120,        // ..1124
        IDC_MAX_LABEL = 1125,  // ..1129 "MAX"
        IDC_MIN = 1130,        // ..1134
        IDC_MIN_LABEL = 1135,  // ..1139 "MIN"
        IDC_OUTSIDE = 1140,    // ..1144 "外側を除外"
        IDC_RANGE = 1145,      // ..1149 "範囲"
        IDC_CHECK = 1150,      // ..1154 "No", "X", "Y", "Z", "風圧係数"
        IDC_UNDO = 1155,
        IDC_OK = 1156,  // kept hidden and disabled; its command applies and hides the dialog
    };

    explicit CExcludeRangeDlg(CValueListDlg* page);

    // The five criteria as the controls hold them.
    std::array<CExclusionCriterion, VALUE_COLUMN_COUNT> Criteria() const;
    // "適用": one exclusion step per checked column with a MIN or MAX text, in column order.
    void OnApply();
    void OnUndo();
    // "UNDO" is enabled exactly while the page holds removed rows.
    void UpdateUndoButton();

protected:
    void showEvent(QShowEvent* event) override;
    // The close box: hide and forget the steps.
    void closeEvent(QCloseEvent* event) override;

private:
    void EnableCriterion(int column, bool enable);

    CValueListDlg* m_page;
    QCheckBox* m_check[VALUE_COLUMN_COUNT];
    QLineEdit* m_min[VALUE_COLUMN_COUNT];
    QLineEdit* m_max[VALUE_COLUMN_COUNT];
    QLabel* m_minLabel[VALUE_COLUMN_COUNT];
    QLabel* m_maxLabel[VALUE_COLUMN_COUNT];
    QGroupBox* m_range[VALUE_COLUMN_COUNT];
    QRadioButton* m_inside[VALUE_COLUMN_COUNT];
    QRadioButton* m_outside[VALUE_COLUMN_COUNT];
    QPushButton* m_undo;
};
