#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "geometry/Vector4.h"

class CDataSet;

// Finds the mesh panel that holds a point without testing every panel: a sparse uniform grid
// over the panels' bounding boxes hands out the few panels near the point, which are then
// tested in mesh order with IsPointInPolygon. The answer is the same as a search over all
// panels in mesh order: the first panel whose corner polygon holds the point.
//
// The index keeps its own copy of the corner positions taken when it is built. The tap
// positions change with the building angle (and with every load), so whoever changes them
// must rebuild the index before the next query.
class CPanelIndex {
public:
    CPanelIndex() = default;
    explicit CPanelIndex(const CDataSet& data) { Build(data); }

    // Takes the corner positions of every panel from the data set's working taps and mesh.
    void Build(const CDataSet& data);

    // The first panel, in mesh order, whose corner polygon holds p; -1 when none does (and for
    // a point with a non-finite coordinate, which no panel holds).
    int FindPanelContaining(CVector4 p) const;
    // The first panel, in mesh order, that holds p and that accept takes; -1 when none.
    template <typename Accept>
    int FindPanelContaining(CVector4 p, Accept accept) const;

    int GetPanelCount() const { return static_cast<int>(m_count.size()); }

private:
    struct Box {
        float lo[3];
        float hi[3];
    };

    // Calls visit(panel) for the panels that hold p, in mesh order, until it returns true;
    // returns that panel or -1.
    int VisitPanelsHolding(CVector4 p, bool (*visit)(const void*, int), const void* context) const;

    bool CellOf(const CVector4& p, int64_t cell[3]) const;
    uint64_t Key(int64_t ix, int64_t iy, int64_t iz) const;
    bool Holds(int panel, const CVector4& p) const;
    // The panels of one grid cell's range of m_cellPanels; false for an empty cell.
    bool FindCell(uint64_t key, size_t& begin, size_t& end) const;
    // Slot of key in the cell table, or of the empty slot where it would go.
    size_t SlotOf(uint64_t key) const;
    void GrowCellTable();

    std::vector<int> m_count;         // corners of each panel (0 when not 3 or 4)
    std::vector<CVector4> m_corners;  // 4 per panel
    std::vector<Box> m_box;           // padded bounding box per panel
    Box m_all{};                      // union of the panels' boxes
    float m_cell = 1.0f;              // edge of a grid cell
    int64_t m_dims[3] = {0, 0, 0};    // cells along x, y, z
    // The occupied cells in an open-addressing table (key, dense cell number), and every
    // cell's panels, ascending, in one flat list: cell c holds m_cellPanels[m_cellStart[c],
    // m_cellStart[c + 1]).
    std::vector<uint64_t> m_slotKey;
    std::vector<int32_t> m_slotCell;  // -1 for an empty slot
    std::vector<size_t> m_cellStart;
    std::vector<int> m_cellPanels;
    std::vector<int> m_large;  // panels too big for the grid, tested at every query
};

template <typename Accept>
int CPanelIndex::FindPanelContaining(CVector4 p, Accept accept) const {
    return VisitPanelsHolding(
        p,
        [](const void* context, int panel) {
            return (*static_cast<const Accept*>(context))(panel);
        },
        &accept);
}

// Free form of the query, for callers that hold the index next to the state.
inline int FindPanelContaining(const CPanelIndex& index, CVector4 p) {
    return index.FindPanelContaining(p);
}
