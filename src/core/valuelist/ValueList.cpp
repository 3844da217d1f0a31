#include "valuelist/ValueList.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>
#include <utility>

#include "field/SurfaceValues.h"
#include "text/NumberFormat.h"
#include "valuelist/PointLookup.h"

namespace {

using kzv::FormatG;
using kzv::ReadDoubleOrZero;

bool ValidColumn(int column) {
    return column >= 0 && column < VALUE_COLUMN_COUNT;
}

std::string NumberText(int id) {
    return id > 0 ? std::to_string(id) : std::string("-");
}

// A position as the decimals its coordinates are shown as: differences of these are
// differences of the shown numbers (12586.9 - 12345.6 = 241.3, where the floats differ by
// 241.30078).
std::array<double, 3> DecimalPosition(const CVector4& p) {
    return {kzv::ShortestDecimal(p.x), kzv::ShortestDecimal(p.y), kzv::ShortestDecimal(p.z)};
}

// The absolute position of a point whose row (or stored row) has these coordinate texts:
// the tap's or arbitrary point's own position while the view holds it, so that switching
// between relative and absolute coordinates loses no digits; otherwise the texts plus the
// origin they were written against.
std::array<double, 3> AbsolutePosition(const CPointSource& points, const CArbitraryById& arbitrary,
                                       int id, const std::string* xyz,
                                       const std::array<double, 3>& origin) {
    const CVector4* pos = nullptr;
    CVector4 tapPos;
    if (id >= 0) {
        if (points.data.m_taps.FindTap(id) >= 0) {
            tapPos = points.data.m_taps.GetPosition(id);
            pos = &tapPos;
        }
    } else if (const CArbitraryPoint* point = arbitrary.Find(id)) {
        pos = &point->pos;
    }
    if (pos != nullptr) {
        return DecimalPosition(*pos);
    }
    return {ReadDoubleOrZero(xyz[0]) + origin[0], ReadDoubleOrZero(xyz[1]) + origin[1],
            ReadDoubleOrZero(xyz[2]) + origin[2]};
}

void WriteCoordinates(std::string* xyz, const std::array<double, 3>& absolute,
                      const std::array<double, 3>& origin) {
    for (int i = 0; i < 3; ++i) {
        xyz[i] = FormatG(absolute[i] - origin[i]);
    }
}

}  // namespace

CValueList::CValueList() {
    m_abSortAscending.fill(1);
}

const std::string& CValueList::GetCellText(int row, int column) const {
    static const std::string empty;
    if (row < 0 || row >= GetRowCount() || !ValidColumn(column)) {
        return empty;
    }
    return m_rows[static_cast<size_t>(row)].text[static_cast<size_t>(column)];
}

int CValueList::GetRowId(int row) const {
    return row >= 0 && row < GetRowCount() ? m_rows[static_cast<size_t>(row)].id : 0;
}

size_t CValueList::CCoordHash::operator()(const CCoordKey& k) const {
    size_t h = 0;
    for (double c : k.c) {
        c += 0.0;  // -0 and 0 are equal, so they hash alike
        uint64_t bits;
        std::memcpy(&bits, &c, sizeof bits);
        h = h * 1000003u ^ std::hash<uint64_t>()(bits);
    }
    return h;
}

CValueList::CCoordKey CValueList::RowKey(const CValueRow& row) {
    return {{ReadDoubleOrZero(row.text[1]), ReadDoubleOrZero(row.text[2]),
             ReadDoubleOrZero(row.text[3])}};
}

void CValueList::RebuildIndex() {
    m_idIndex.clear();
    m_coordIndex.clear();
    m_idIndex.reserve(m_rows.size());
    m_coordIndex.reserve(m_rows.size());
    for (size_t i = 0; i < m_rows.size(); ++i) {
        m_idIndex.emplace(m_rows[i].id, static_cast<int>(i));  // keeps the first
        ++m_coordIndex[RowKey(m_rows[i])];
    }
}

CValueRow MakePointRow(int id, float x, float y, float z, double value,
                       const std::array<double, 3>& origin, const std::string& direction) {
    const std::array<double, 3> widened = DecimalPosition(CVector4(x, y, z));
    CValueRow row;
    row.id = id;
    row.text[0] = NumberText(id);
    for (int i = 0; i < 3; ++i) {
        row.text[static_cast<size_t>(i) + 1] =
            FormatG(widened[static_cast<size_t>(i)] - origin[static_cast<size_t>(i)]);
    }
    row.text[VALUE_COLUMN_VALUE] = FormatG(value);
    row.direction = direction;
    return row;
}

bool CValueList::AddPointRow(int id, float x, float y, float z, double value,
                             const std::string& direction) {
    CValueRow row = MakePointRow(id, x, y, z, value, m_origin, direction);

    const bool absolute = m_origin[0] == 0.0 && m_origin[1] == 0.0 && m_origin[2] == 0.0;
    const CCoordKey key =
        absolute
            ? CCoordKey{{kzv::ShortestDecimal(x), kzv::ShortestDecimal(y), kzv::ShortestDecimal(z)}}
            : RowKey(row);
    if (m_coordIndex.count(key) != 0) {
        return false;
    }
    m_idIndex.emplace(id, GetRowCount());
    ++m_coordIndex[RowKey(row)];
    m_rows.push_back(std::move(row));
    return true;
}

int CValueList::FindPointRow(int id) const {
    const auto it = m_idIndex.find(id);
    return it == m_idIndex.end() ? -1 : it->second;
}

void CValueList::RemovePointRow(int id) {
    const int row = FindPointRow(id);
    if (row < 0) {
        return;
    }
    if (row + 1 < GetRowCount()) {
        m_rows.erase(m_rows.begin() + row);
        RebuildIndex();
        return;
    }
    // The last row: no other row moves. Its id's entry is its own (FindPointRow found it), and
    // its coordinates' count drops by one.
    m_idIndex.erase(id);
    const auto key = m_coordIndex.find(RowKey(m_rows.back()));
    if (key != m_coordIndex.end() && --key->second == 0) {
        m_coordIndex.erase(key);
    }
    m_rows.pop_back();
}

void CValueList::ClearAllRows() {
    m_rows.clear();
    m_idIndex.clear();
    m_coordIndex.clear();
    ClearExclusionStore();
}

bool CValueList::IsSortAscending(int key) const {
    return key >= 0 && key < SORT_KEY_COUNT && m_abSortAscending[static_cast<size_t>(key)] != 0;
}

void CValueList::SortRows(int key) {
    if (key < 0 || key >= SORT_KEY_COUNT) {
        return;
    }
    const bool ascending = m_abSortAscending[static_cast<size_t>(key)] != 0;
    // Each row's sort values are read from its texts once, not at every comparison.
    const size_t n = m_rows.size();
    const int width = key < VALUE_COLUMN_COUNT ? 1 : 3;
    static const int kColumns[SORT_KEY_COUNT][3] = {{0}, {1}, {2}, {3}, {4}, {1, 2, 3}, {3, 2, 1}};
    std::vector<double> keys(n * static_cast<size_t>(width));
    for (size_t r = 0; r < n; ++r) {
        for (int j = 0; j < width; ++j) {
            const double v =
                ReadDoubleOrZero(m_rows[r].text[static_cast<size_t>(kColumns[key][j])]);
            keys[r * static_cast<size_t>(width) + static_cast<size_t>(j)] =
                width == 1 ? v : std::trunc(v);
        }
    }
    std::vector<size_t> order(n);
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const double* ka = &keys[a * static_cast<size_t>(width)];
        const double* kb = &keys[b * static_cast<size_t>(width)];
        for (int j = 0; j < width; ++j) {
            if (ka[j] != kb[j]) {
                return ascending ? ka[j] < kb[j] : kb[j] < ka[j];
            }
        }
        return false;
    });
    std::vector<CValueRow> sorted;
    sorted.reserve(n);
    for (size_t i : order) {
        sorted.push_back(std::move(m_rows[i]));
    }
    m_rows = std::move(sorted);
    m_idIndex.clear();
    for (size_t i = 0; i < m_rows.size(); ++i) {
        m_idIndex.emplace(m_rows[i].id, static_cast<int>(i));
    }
    m_abSortAscending[static_cast<size_t>(key)] = ascending ? 0 : 1;
}

void CValueList::ChangeOrigin(const CPointSource& points, const std::array<double, 3>& origin) {
    const CArbitraryById arbitrary(points.selection);
    for (CValueRow& row : m_rows) {
        WriteCoordinates(&row.text[1],
                         AbsolutePosition(points, arbitrary, row.id, &row.text[1], m_origin),
                         origin);
    }
    // A stored row holds columns 4, 3, 2, 1, 0: Z, Y, X at offsets 1, 2, 3.
    for (size_t i = 0; i < m_removedIds.size(); ++i) {
        std::string* stored = &m_removedTexts[i * VALUE_COLUMN_COUNT];
        std::string xyz[3] = {stored[3], stored[2], stored[1]};
        WriteCoordinates(xyz, AbsolutePosition(points, arbitrary, m_removedIds[i], xyz, m_origin),
                         origin);
        stored[3] = std::move(xyz[0]);
        stored[2] = std::move(xyz[1]);
        stored[1] = std::move(xyz[2]);
    }
    m_origin = origin;
    RebuildIndex();
}

bool CValueList::SetRelativeOrigin(const CPointSource& points, int row) {
    if (row < 0 || row >= GetRowCount()) {
        return false;
    }
    const CValueRow& selected = m_rows[static_cast<size_t>(row)];
    ChangeOrigin(points, AbsolutePosition(points, CArbitraryById(points.selection), selected.id,
                                          &selected.text[1], m_origin));
    return true;
}

void CValueList::SetAbsolute(const CPointSource& points) {
    ChangeOrigin(points, {0.0, 0.0, 0.0});
}

void CValueList::UpdateValueColumn(const CPointSource& points, int direction) {
    const CArbitraryById arbitrary(points.selection);
    const int count = points.data.m_cp.m_nDirectionCount;
    for (CValueRow& row : m_rows) {
        const CShownValue v = RowPointValue(points, arbitrary, row.id, direction);
        row.text[VALUE_COLUMN_VALUE] = FormatG(v.value);
        row.direction = points.shown.IsEnvelope() ? DirectionText(count, v.direction) : "";
    }
}

void CValueList::RefreshPointCoordinates(const CPointSource& points) {
    auto tapPosition = [&](int id) { return DecimalPosition(points.data.m_taps.GetPosition(id)); };
    m_rows.erase(std::remove_if(m_rows.begin(), m_rows.end(),
                                [](const CValueRow& row) { return row.id < 0; }),
                 m_rows.end());
    for (CValueRow& row : m_rows) {
        WriteCoordinates(&row.text[1], tapPosition(row.id), m_origin);
    }

    // The store: arbitrary rows leave it (and their steps shrink), the others move.
    std::vector<std::string> texts;
    std::vector<int> ids;
    size_t entry = 0;
    for (int& count : m_steps) {
        int kept = 0;
        for (int i = 0; i < count && entry < m_removedIds.size(); ++i, ++entry) {
            if (m_removedIds[entry] < 0) {
                continue;
            }
            std::string* stored = &m_removedTexts[entry * VALUE_COLUMN_COUNT];
            std::string xyz[3];
            WriteCoordinates(xyz, tapPosition(m_removedIds[entry]), m_origin);
            stored[3] = std::move(xyz[0]);
            stored[2] = std::move(xyz[1]);
            stored[1] = std::move(xyz[2]);
            for (int c = 0; c < VALUE_COLUMN_COUNT; ++c) {
                texts.push_back(std::move(stored[c]));
            }
            ids.push_back(m_removedIds[entry]);
            ++kept;
        }
        count = kept;
    }
    m_removedTexts = std::move(texts);
    m_removedIds = std::move(ids);
    RebuildIndex();
}

CCoordEditCheck CValueList::CheckCoordinateEdit(const CPointSource& points, int row) const {
    if (row < 0 || row >= GetRowCount()) {
        return CCoordEditCheck::NoRow;
    }
    const int id = m_rows[static_cast<size_t>(row)].id;
    if (id >= 0) {
        return CCoordEditCheck::MeasurementPoint;
    }
    return FindArbitraryPoint(points.selection, id) != nullptr ? CCoordEditCheck::Editable
                                                               : CCoordEditCheck::NoPoint;
}

bool CValueList::UpdateEditedRow(const CPointSource& points, int row, int direction) {
    if (CheckCoordinateEdit(points, row) != CCoordEditCheck::Editable) {
        return false;
    }
    CValueRow& r = m_rows[static_cast<size_t>(row)];
    const CArbitraryPoint* point = FindArbitraryPoint(points.selection, r.id);
    WriteCoordinates(&r.text[1], DecimalPosition(point->pos), m_origin);
    CShownValues shown = points.shown;
    shown.direction = direction;
    const CShownValue v = ShownValueOfPoint(points.data, shown, *point);
    r.text[VALUE_COLUMN_VALUE] = FormatG(v.value);
    r.direction =
        shown.IsEnvelope() ? DirectionText(points.data.m_cp.m_nDirectionCount, v.direction) : "";
    RebuildIndex();
    return true;
}

int CValueList::ApplyExclusion(int column, double min, double max, bool excludeInside) {
    if (!ValidColumn(column)) {
        return 0;
    }
    std::vector<CValueRow> kept;
    kept.reserve(m_rows.size());
    int removed = 0;
    for (CValueRow& row : m_rows) {
        const double v = ReadDoubleOrZero(row.text[static_cast<size_t>(column)]);
        const bool remove = excludeInside ? (min <= v && v <= max) : (v <= min || v >= max);
        if (!remove) {
            kept.push_back(std::move(row));
            continue;
        }
        for (int c = VALUE_COLUMN_COUNT - 1; c >= 0; --c) {
            m_removedTexts.push_back(std::move(row.text[static_cast<size_t>(c)]));
        }
        m_removedIds.push_back(row.id);
        ++removed;
    }
    m_rows = std::move(kept);
    m_steps.push_back(removed);
    RebuildIndex();
    return removed;
}

int CValueList::UndoExclusion(const CPointSource& points, int direction) {
    if (m_steps.empty()) {
        return 0;
    }
    const size_t n = std::min(static_cast<size_t>(m_steps.back()), m_removedIds.size());
    m_steps.pop_back();
    // The last n stored rows, restored in the order they were removed.
    const size_t first = m_removedIds.size() - n;
    for (size_t i = first; i < m_removedIds.size(); ++i) {
        CValueRow row;
        row.id = m_removedIds[i];
        for (int c = 0; c < VALUE_COLUMN_COUNT; ++c) {
            row.text[static_cast<size_t>(c)] =
                std::move(m_removedTexts[i * VALUE_COLUMN_COUNT + VALUE_COLUMN_COUNT - 1 -
                                         static_cast<size_t>(c)]);
        }
        m_rows.push_back(std::move(row));
    }
    m_removedIds.resize(first);
    m_removedTexts.resize(first * VALUE_COLUMN_COUNT);
    UpdateValueColumn(points, direction);
    RebuildIndex();
    return static_cast<int>(n);
}

void CValueList::ClearExclusionStore() {
    m_removedTexts.clear();
    m_removedIds.clear();
    m_steps.clear();
}

int ApplyExclusionCriteria(CValueList& list,
                           const std::array<CExclusionCriterion, VALUE_COLUMN_COUNT>& criteria) {
    int steps = 0;
    for (int i = 0; i < VALUE_COLUMN_COUNT; ++i) {
        const CExclusionCriterion& c = criteria[static_cast<size_t>(i)];
        if (!c.checked || (c.minText.empty() && c.maxText.empty())) {
            continue;
        }
        list.ApplyExclusion(i, kzv::ReadDoubleOrZero(c.minText), kzv::ReadDoubleOrZero(c.maxText),
                            c.excludeInside);
        ++steps;
    }
    return steps;
}
