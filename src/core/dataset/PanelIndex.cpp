#include "dataset/PanelIndex.h"

#include <algorithm>
#include <cmath>

#include "dataset/DataSet.h"
#include "geometry/GeometryAlgorithms.h"

namespace {

// A panel spanning more cells than this goes to the list tested at every query, so that one
// huge panel cannot fill the grid.
constexpr int64_t kMaxCellsPerPanel = 512;
// Cells per axis are kept below this so that a cell's key fits in 63 bits.
constexpr int64_t kMaxDim = int64_t(1) << 20;

bool IsFinite(const CVector4& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

}  // namespace

void CPanelIndex::Build(const CDataSet& data) {
    const CMeshFile& mesh = data.m_mesh;
    const int panels = mesh.GetPanelCount();
    m_count.assign(static_cast<size_t>(panels), 0);
    m_corners.assign(static_cast<size_t>(panels) * 4, CVector4());
    m_box.assign(static_cast<size_t>(panels), Box{});
    m_slotKey.clear();
    m_slotCell.clear();
    m_cellStart.clear();
    m_cellPanels.clear();
    m_large.clear();
    const CCornerTable& table = data.Corners();
    m_dims[0] = m_dims[1] = m_dims[2] = 0;

    bool any = false;
    double extentSum = 0.0;
    int boxed = 0;
    for (int p = 0; p < panels; ++p) {
        const int count = mesh.GetNodeCount(p);
        if (count != 3 && count != 4) {
            continue;  // IsPointInPolygon would need its corners; such a panel holds nothing
        }
        Box box{{INFINITY, INFINITY, INFINITY}, {-INFINITY, -INFINITY, -INFINITY}};
        bool finite = true;
        const int32_t* record = table.PosRecords(p);
        for (int k = 0; k < count; ++k) {
            const CVector4 c = data.PositionOfRecord(record[k]);
            m_corners[static_cast<size_t>(p) * 4 + static_cast<size_t>(k)] = c;
            finite = finite && IsFinite(c);
            const float v[3] = {c.x, c.y, c.z};
            for (int a = 0; a < 3; ++a) {
                box.lo[a] = std::min(box.lo[a], v[a]);
                box.hi[a] = std::max(box.hi[a], v[a]);
            }
        }
        m_count[static_cast<size_t>(p)] = count;
        if (!finite) {
            // Cannot be placed in the grid; keep it with the panels tested every time.
            for (int a = 0; a < 3; ++a) {
                box.lo[a] = -INFINITY;
                box.hi[a] = INFINITY;
            }
            m_box[static_cast<size_t>(p)] = box;
            m_large.push_back(p);
            continue;
        }
        // The inside test accepts points on the edges within float noise, so the box is grown
        // by a generous share of the panel's size and of its coordinates' magnitude.
        float extent = 0.0f;
        float magnitude = 0.0f;
        for (int a = 0; a < 3; ++a) {
            extent = std::max(extent, box.hi[a] - box.lo[a]);
            magnitude = std::max({magnitude, std::fabs(box.lo[a]), std::fabs(box.hi[a])});
        }
        const float pad = 0.01f * extent + 1e-4f * magnitude + 1e-3f;
        for (int a = 0; a < 3; ++a) {
            box.lo[a] -= pad;
            box.hi[a] += pad;
        }
        m_box[static_cast<size_t>(p)] = box;
        extentSum += extent + 2.0 * pad;
        ++boxed;
        if (!any) {
            m_all = box;
            any = true;
        } else {
            for (int a = 0; a < 3; ++a) {
                m_all.lo[a] = std::min(m_all.lo[a], box.lo[a]);
                m_all.hi[a] = std::max(m_all.hi[a], box.hi[a]);
            }
        }
    }
    if (boxed == 0) {
        return;
    }

    // Cells about as large as an average panel: a panel then touches a few cells and a cell
    // holds a few panels.
    m_cell = static_cast<float>(extentSum / boxed);
    for (int a = 0; a < 3; ++a) {
        const double span = static_cast<double>(m_all.hi[a]) - m_all.lo[a];
        m_cell = std::max(m_cell, static_cast<float>(span / static_cast<double>(kMaxDim - 1)));
    }
    if (!(m_cell > 0.0f)) {
        m_cell = 1.0f;
    }
    for (int a = 0; a < 3; ++a) {
        const double span = static_cast<double>(m_all.hi[a]) - m_all.lo[a];
        m_dims[a] = std::min<int64_t>(kMaxDim, static_cast<int64_t>(span / m_cell) + 1);
    }

    // The cell ranges of the panels in the grid (the others go to m_large), and how many
    // panel entries the cells will hold.
    struct Range {
        int32_t lo[3], hi[3];  // cells per axis stay below 2^20
    };
    std::vector<Range> range(static_cast<size_t>(panels));
    std::vector<uint8_t> inGrid(static_cast<size_t>(panels), 0);
    size_t entries = 0;
    for (int p = 0; p < panels; ++p) {
        if (m_count[static_cast<size_t>(p)] == 0 ||
            !std::isfinite(m_box[static_cast<size_t>(p)].lo[0])) {
            continue;
        }
        const Box& box = m_box[static_cast<size_t>(p)];
        Range& r = range[static_cast<size_t>(p)];
        int64_t lo[3], hi[3];
        CellOf(CVector4(box.lo[0], box.lo[1], box.lo[2]), lo);
        CellOf(CVector4(box.hi[0], box.hi[1], box.hi[2]), hi);
        for (int a = 0; a < 3; ++a) {
            r.lo[a] = static_cast<int32_t>(lo[a]);
            r.hi[a] = static_cast<int32_t>(hi[a]);
        }
        const int64_t cells =
            (r.hi[0] - r.lo[0] + 1) * (r.hi[1] - r.lo[1] + 1) * (r.hi[2] - r.lo[2] + 1);
        if (cells > kMaxCellsPerPanel) {
            m_large.push_back(p);
            continue;
        }
        inGrid[static_cast<size_t>(p)] = 1;
        entries += static_cast<size_t>(cells);
    }
    const auto forEachCell = [&](int p, auto visit) {
        const Range& r = range[static_cast<size_t>(p)];
        for (int64_t iz = r.lo[2]; iz <= r.hi[2]; ++iz) {
            for (int64_t iy = r.lo[1]; iy <= r.hi[1]; ++iy) {
                for (int64_t ix = r.lo[0]; ix <= r.hi[0]; ++ix) {
                    visit(Key(ix, iy, iz));
                }
            }
        }
    };

    // Number the occupied cells and count their panels. A cell is mostly shared by several
    // panels; the table starts at a quarter of the entries and doubles whenever it is half
    // full, so it stays small, and never fills.
    size_t slots = 16;
    while (slots < entries / 4) {
        slots *= 2;
    }
    m_slotKey.assign(slots, 0);
    m_slotCell.assign(slots, -1);
    std::vector<size_t> counts;
    std::vector<int32_t> entryCell;  // the cell of every entry, panel after panel
    entryCell.reserve(entries);
    for (int p = 0; p < panels; ++p) {
        if (inGrid[static_cast<size_t>(p)] != 0) {
            forEachCell(p, [&](uint64_t key) {
                size_t s = SlotOf(key);
                if (m_slotCell[s] < 0) {
                    if (2 * (counts.size() + 1) > m_slotKey.size()) {
                        GrowCellTable();
                        s = SlotOf(key);
                    }
                    m_slotKey[s] = key;
                    m_slotCell[s] = static_cast<int32_t>(counts.size());
                    counts.push_back(0);
                }
                ++counts[static_cast<size_t>(m_slotCell[s])];
                entryCell.push_back(m_slotCell[s]);
            });
        }
    }
    // Then lay the lists out one after another and fill them; p rises, so each is sorted.
    m_cellStart.assign(counts.size() + 1, 0);
    for (size_t c = 0; c < counts.size(); ++c) {
        m_cellStart[c + 1] = m_cellStart[c] + counts[c];
    }
    m_cellPanels.assign(entries, 0);
    std::vector<size_t> fill(m_cellStart.begin(), m_cellStart.end() - 1);
    size_t e = 0;
    for (int p = 0; p < panels; ++p) {
        if (inGrid[static_cast<size_t>(p)] != 0) {
            forEachCell(p, [&](uint64_t) {
                m_cellPanels[fill[static_cast<size_t>(entryCell[e++])]++] = p;
            });
        }
    }
    std::sort(m_large.begin(), m_large.end());
}

void CPanelIndex::GrowCellTable() {
    std::vector<uint64_t> keys;
    std::vector<int32_t> cells;
    keys.swap(m_slotKey);
    cells.swap(m_slotCell);
    m_slotKey.assign(keys.size() * 2, 0);
    m_slotCell.assign(keys.size() * 2, -1);
    for (size_t i = 0; i < keys.size(); ++i) {
        if (cells[i] >= 0) {
            const size_t s = SlotOf(keys[i]);
            m_slotKey[s] = keys[i];
            m_slotCell[s] = cells[i];
        }
    }
}

size_t CPanelIndex::SlotOf(uint64_t key) const {
    const size_t mask = m_slotKey.size() - 1;
    // Fibonacci hashing: the key times 2^64 / golden ratio, the slot taken from the top bits.
    const int shift = 64 - __builtin_ctzll(m_slotKey.size());
    size_t s = static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> shift);
    while (m_slotCell[s] >= 0 && m_slotKey[s] != key) {
        s = (s + 1) & mask;
    }
    return s;
}

bool CPanelIndex::FindCell(uint64_t key, size_t& begin, size_t& end) const {
    if (m_slotKey.empty()) {
        return false;
    }
    const int32_t cell = m_slotCell[SlotOf(key)];
    if (cell < 0) {
        return false;
    }
    begin = m_cellStart[static_cast<size_t>(cell)];
    end = m_cellStart[static_cast<size_t>(cell) + 1];
    return true;
}

bool CPanelIndex::CellOf(const CVector4& p, int64_t cell[3]) const {
    const float v[3] = {p.x, p.y, p.z};
    bool inside = true;
    for (int a = 0; a < 3; ++a) {
        const double t = (static_cast<double>(v[a]) - m_all.lo[a]) / m_cell;
        if (!(t >= 0.0) || v[a] > m_all.hi[a]) {
            inside = false;
        }
        cell[a] =
            std::clamp<int64_t>(t >= 0.0 ? static_cast<int64_t>(std::min(t, double(kMaxDim))) : 0,
                                0, std::max<int64_t>(m_dims[a] - 1, 0));
    }
    return inside;
}

uint64_t CPanelIndex::Key(int64_t ix, int64_t iy, int64_t iz) const {
    return static_cast<uint64_t>(ix) | (static_cast<uint64_t>(iy) << 21) |
           (static_cast<uint64_t>(iz) << 42);
}

bool CPanelIndex::Holds(int panel, const CVector4& p) const {
    const Box& box = m_box[static_cast<size_t>(panel)];
    if (p.x < box.lo[0] || p.x > box.hi[0] || p.y < box.lo[1] || p.y > box.hi[1] ||
        p.z < box.lo[2] || p.z > box.hi[2]) {
        return false;
    }
    return IsPointInPolygon(p, &m_corners[static_cast<size_t>(panel) * 4],
                            m_count[static_cast<size_t>(panel)]);
}

int CPanelIndex::FindPanelContaining(CVector4 p) const {
    return VisitPanelsHolding(
        p, [](const void*, int) { return true; }, nullptr);
}

int CPanelIndex::VisitPanelsHolding(CVector4 p, bool (*visit)(const void*, int),
                                    const void* context) const {
    if (!IsFinite(p)) {
        return -1;
    }
    size_t i = 0, aEnd = 0;
    int64_t cell[3];
    if (!(m_dims[0] > 0 && CellOf(p, cell) && FindCell(Key(cell[0], cell[1], cell[2]), i, aEnd))) {
        i = aEnd = 0;
    }
    // Both lists are ascending: merge them so that panels are tested in mesh order.
    const int* a = m_cellPanels.data();
    const std::vector<int>& b = m_large;
    size_t j = 0;
    while (i < aEnd || j < b.size()) {
        int panel;
        if (j >= b.size() || (i < aEnd && a[i] < b[j])) {
            panel = a[i++];
        } else {
            panel = b[j++];
        }
        if (Holds(panel, p) && visit(context, panel)) {
            return panel;
        }
    }
    return -1;
}
