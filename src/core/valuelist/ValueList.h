#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "field/ShownValues.h"
#include "text/Translatable.h"

// What the value list reads of the points behind its rows: the data set's taps and value
// tables, the arbitrary points of the selection with their stored values, and which values are
// shown (the quantity, one direction or an envelope; the direction passed to the list's calls
// is the one shown).
struct CPointSource {
    const CDataSet& data;
    const CSelection& selection;
    CShownValues shown = {};
};

// The rows of the value list: one row per selected point with its number, X, Y, Z and the
// pressure coefficient for the direction shown. The cell texts are the only copy of these
// values; everything that compares or computes reads the numbers back from them.

constexpr int VALUE_COLUMN_COUNT = 5;  // No, X, Y, Z, pressure coefficient
constexpr int VALUE_COLUMN_VALUE = 4;
constexpr int SORT_KEY_COUNT = 7;  // the five columns, then X->Y->Z and Z->Y->X
constexpr int SORT_KEY_XYZ = 5;
constexpr int SORT_KEY_ZYX = 6;

// The column headings, in column order (UTF-8).
inline constexpr const char* VALUE_COLUMN_HEADINGS[VALUE_COLUMN_COUNT] = {
    "No", "X", "Y", "Z", KZV_TR_NOOP("Core", "風圧係数")};

// The warning shown when the coordinates of a measurement point's row are to be edited.
inline constexpr const char* MSG_EDIT_MEASUREMENT_POINT =
    KZV_TR_NOOP("Core", "測定点は編集できません。");
inline constexpr const char* CAPTION_EDIT_MEASUREMENT_POINT = KZV_TR_NOOP("Core", "測定点の編集");

struct CValueRow {
    // "%d" of the tap number or "-"; X, Y, Z and the value as "%g".
    std::array<std::string, VALUE_COLUMN_COUNT> text;
    // Tap number of a measurement point (>= 0), negative id of an arbitrary point.
    int id = 0;
    // While an envelope is shown, the angle of the governing direction ("風向"); else empty.
    std::string direction;
};

// The row a point gets in the list (see CValueList::AddPointRow) with coordinates shown
// relative to origin; direction: the "風向" text (empty unless an envelope is shown).
CValueRow MakePointRow(int id, float x, float y, float z, double value,
                       const std::array<double, 3>& origin = {0.0, 0.0, 0.0},
                       const std::string& direction = std::string());

// The heading of the governing direction's column, shown while an envelope is.
inline constexpr const char* DIRECTION_COLUMN_HEADING = KZV_TR_NOOP("Core", "風向");

// What the coordinate edit may do with a row.
enum class CCoordEditCheck {
    NoRow,             // no row selected: nothing happens
    MeasurementPoint,  // refused: MSG_EDIT_MEASUREMENT_POINT / CAPTION_EDIT_MEASUREMENT_POINT
    NoPoint,           // the view holds no arbitrary point with the row's id: nothing happens
    Editable,          // run the edit dialog on the view's point with the row's id
};

class CValueList {
public:
    CValueList();

    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    const std::vector<CValueRow>& Rows() const { return m_rows; }
    // The cell's text; empty for a row or column out of range.
    const std::string& GetCellText(int row, int column) const;
    // The row's point id; 0 for a row out of range.
    int GetRowId(int row) const;

    // Appends a row for the point unless a row already has its coordinates; true when added.
    // Each coordinate of the new point is taken in its shortest decimal form (12.3f is 12.3)
    // and compared with the row's text read as a double, so a point picked twice gives one
    // row whenever its coordinates have six significant digits or fewer. While relative
    // coordinates are shown, the rows' texts are compared with the texts the point would get.
    // direction: the "風向" text (empty unless an envelope is shown).
    bool AddPointRow(int id, float x, float y, float z, double value,
                     const std::string& direction = std::string());
    // Index of the first row with that id, or -1. Answered from an index, not by a search.
    int FindPointRow(int id) const;
    // Deletes the row FindPointRow finds; nothing when there is none. The last row (the one an
    // undo of the latest pick takes) goes without a walk over the others.
    void RemovePointRow(int id);
    // Deletes every row and empties the exclusion store, whose rows belong to the points that
    // were listed before (the view forgets its selection itself).
    void ClearAllRows();

    // Sorts by key 0..6 in the key's current direction, then turns that direction round.
    // Keys 0..4 compare one column as doubles; key 5 compares the integer parts (cut toward
    // zero) of X, then Y, then Z, key 6 of Z, then Y, then X. Equal rows keep their order.
    void SortRows(int key);
    // True when the next sort by key is ascending.
    bool IsSortAscending(int key) const;

    // Shows every row relative to the absolute position of that row (which then shows 0, 0,
    // 0); false, changing nothing, for a row out of range.
    bool SetRelativeOrigin(const CPointSource& points, int row);
    // Shows absolute coordinates again.
    void SetAbsolute(const CPointSource& points);
    const std::array<double, 3>& GetOrigin() const { return m_origin; }

    // Rewrites the value column for a direction: the measured value of a measurement point,
    // the stored value of the view's arbitrary point with the row's id (990 when the view
    // holds none, or the direction is not one of its values); of the quantity points.shown
    // names, and for an envelope its extreme with the governing direction's "風向" text.
    void UpdateValueColumn(const CPointSource& points, int direction);
    // After the building was turned: measurement-point rows take their taps' new positions,
    // arbitrary-point rows are deleted (the view has dropped those points). Rows held by the
    // exclusion store are treated alike, so an undo restores rows that fit the turned building.
    void RefreshPointCoordinates(const CPointSource& points);

    CCoordEditCheck CheckCoordinateEdit(const CPointSource& points, int row) const;
    // After the edit dialog ended with OK and the view's point took its new record: the row
    // shows the point's new coordinates and its value for the direction. False when the row is
    // out of range or the view holds no arbitrary point with the row's id.
    bool UpdateEditedRow(const CPointSource& points, int row, int direction);

    // One exclusion step: every row whose cell of column (0..4) read as a double lies in
    // [min, max] (excludeInside) or is <= min or >= max (outside) is removed and kept in the
    // store. Returns how many rows went. A step is recorded even when none did; a column out
    // of range records nothing.
    int ApplyExclusion(int column, double min, double max, bool excludeInside);
    // Undoes the last step: its rows come back at the end of the list in the order they were
    // removed, with the values for direction. Returns how many rows came back; 0 without a step.
    int UndoExclusion(const CPointSource& points, int direction);
    // True while the store holds removed rows (the "UNDO" button follows it).
    bool CanUndoExclusion() const { return !m_removedTexts.empty(); }
    int GetExclusionStepCount() const { return static_cast<int>(m_steps.size()); }
    // Forgets every removed row and step (the exclusion dialog's close box).
    void ClearExclusionStore();

private:
    struct CCoordKey {
        double c[3];
        bool operator==(const CCoordKey& o) const {
            return c[0] == o.c[0] && c[1] == o.c[1] && c[2] == o.c[2];
        }
    };
    struct CCoordHash {
        size_t operator()(const CCoordKey& k) const;
    };

    static CCoordKey RowKey(const CValueRow& row);
    // Rewrites the coordinates of every row and stored row for a new origin.
    void ChangeOrigin(const CPointSource& points, const std::array<double, 3>& origin);
    void RebuildIndex();

    std::vector<CValueRow> m_rows;
    std::array<uint8_t, SORT_KEY_COUNT> m_abSortAscending;
    std::array<double, 3> m_origin = {0.0, 0.0, 0.0};

    // Exclusion store: five texts per removed row, columns 4, 3, 2, 1, 0, with the row's id;
    // one count of removed rows per step.
    std::vector<std::string> m_removedTexts;
    std::vector<int> m_removedIds;
    std::vector<int> m_steps;

    // First row of every id, and the coordinates of the rows as read from their texts with
    // how many rows have them.
    std::unordered_map<int, int> m_idIndex;
    std::unordered_map<CCoordKey, int, CCoordHash> m_coordIndex;
};

// The exclusion dialog's settings for one column.
struct CExclusionCriterion {
    bool checked = false;
    std::string minText, maxText;
    bool excludeInside = true;
};

// The dialog's apply: for each column 0..4 in turn whose criterion is checked and whose MIN or
// MAX text is not empty, one ApplyExclusion step with the texts read as doubles (an empty
// text reads as 0). Returns the number of steps made.
int ApplyExclusionCriteria(CValueList& list,
                           const std::array<CExclusionCriterion, VALUE_COLUMN_COUNT>& criteria);
