#pragma once

#include <QAbstractTableModel>
#include <array>
#include <functional>
#include <utility>
#include <vector>

#include "ui/PanelPage.h"
#include "valuelist/ValueList.h"

class QMenu;
class QPrinter;
class QPushButton;
class QRadioButton;
class QTableView;
class CValueList;
class CExcludeRangeDlg;

// The value list's rows as a five-column table model over the state's rows; the texts are
// read from the rows when shown, so a long list costs nothing until it is scrolled to.
class CValueListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CValueListModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}
    // directionColumn: a sixth column "風向" with each row's governing direction (while an
    // envelope is shown).
    void SetList(const CValueList* list, bool directionColumn = false);
    // The rows changed in any way: the views read them again.
    void Reload();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const CValueList* m_list = nullptr;
    bool m_bDirectionColumn = false;
};

// The value-list page: one row per selected point with its number, X, Y, Z and the pressure
// coefficient for the direction shown. It sorts the rows (by a column heading or by the two
// sort buttons), shows coordinates absolute or relative to the selected row, edits the
// coordinates of an arbitrary point, prints the rows, removes rows by ranges (step by step,
// with undo) and writes them to a CSV or Tolvex file.
class CValueListDlg : public CPanelPage {
    Q_OBJECT
public:
    enum { IDD = 131 };
    enum ControlId {
        IDC_LIST = 1105,
        IDC_ABSOLUTE = 1106,
        IDC_RELATIVE = 1107,
        IDC_PRINT = 1108,
        IDC_EXCLUDE = 1109,
        IDC_SORT_XYZ = 1111,
        IDC_SORT_ZYX = 1112,
        IDC_FILE = 1161,
    };
    // The context menu's one command, "座標値の編集".
    static constexpr int ID_EDIT_COORDINATES = 32788;

    explicit CValueListDlg(QWidget* parent = nullptr);
    ~CValueListDlg() override;

    // Deletes every row and makes the view forget its whole selection.
    void ClearAllRows();
    // Sorts by key 0..6 (the five columns, X->Y->Z, Z->Y->X), each key alternating between
    // ascending and descending.
    void SortRows(int key);
    // Command 32788: edits the coordinates of the selected row's arbitrary point.
    void OnEditCoordinates();
    // Prints the rows after the print dialog; says so when the printer cannot start.
    void OnPrint();

    // "除外範囲指定": shows the exclusion dialog (modeless, kept between showings).
    void OnExclude();
    // "ファイル": runs the export dialog on the rows.
    void OnFile();

    // For the exclusion dialog: one step per checked criterion; undo of the last step with
    // the values of the direction shown; whether there is something to undo; forgetting it all.
    void ApplyExclusionCriteria(
        const std::array<CExclusionCriterion, VALUE_COLUMN_COUNT>& criteria);
    void UndoExclusion();
    bool CanUndoExclusion() const;
    void ClearExclusionStore();
    CExcludeRangeDlg* ExcludeDialog() const { return m_exclude; }

    // The row the single-row commands act on: the current row when it is selected (the one
    // clicked last), else the first selected row; -1 when none is.
    int SelectedRow() const;
    // The points of the selected rows (several with Ctrl or Shift), in row order.
    std::vector<int> SelectedIds() const;
    QTableView* List() const { return m_list; }
    QMenu* ContextMenu() const { return m_menu; }
    QRadioButton* AbsoluteRadio() const { return m_absolute; }
    QRadioButton* RelativeRadio() const { return m_relative; }

    void RefreshFromView() override;

signals:
    // The selected rows now stand for other points (SelectedIds).
    void SelectedPointsChanged();
    // The context menu's "風向特性".
    void PolarDiagramRequested();

protected:
    // The rows follow a new data set, a turned building, a new direction, the selection and
    // the list's own changes; other changes leave the list as it is.
    void OnStateChanged(unsigned aspects) override;
    void resizeEvent(QResizeEvent* event) override;
    // A new font widens or narrows the columns with it.
    void changeEvent(QEvent* event) override;

private:
    void OnAbsolute();
    void OnRelative();
    void OnSelectionChanged();
    // The selected rows in row order.
    std::vector<int> SelectedRows() const;
    // Column widths for the page's width: 30, 60, 60, 60 and the rest.
    void FitColumns();

    CValueListModel* m_model;
    QTableView* m_list;
    QRadioButton* m_absolute;
    QRadioButton* m_relative;
    QMenu* m_menu;
    CExcludeRangeDlg* m_exclude;
    QPrinter* m_printer = nullptr;  // kept, so the print dialog's choices stay
    // The rows the user selected with their points, and the current row and its point, as
    // they were before the rows last changed; the points last announced.
    std::vector<std::pair<int, int>> m_selected;
    int m_nCurrentRow = -1;
    int m_nCurrentId = 0;
    std::vector<int> m_announcedIds;
};
