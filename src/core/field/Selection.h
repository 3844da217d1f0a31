#pragma once

#include <list>
#include <vector>

#include "geometry/Vector4.h"

// A point picked on the building surface: id -1, -2, ... in picking order, its position, the
// panel it lies on and its value for every direction.
struct CArbitraryPoint {
    int id = 0;
    CVector4 pos;
    int panel = -1;
    std::vector<double> values;
};

// What the user has picked and is picking: the pick mode, the ids of each selection step, the
// arbitrary surface points, the corners of a rectangle being picked and the end points of a
// label-position slot being picked.
class CSelection {
public:
    int m_nPickMode = 0;
    std::list<int> m_lstSelected;   // point ids in selection order
    std::list<int> m_lstUndoGroup;  // how many ids each selection step added
    std::list<CArbitraryPoint> m_lstArbitrary;
    CVector4 m_aCorner[4];
    int m_anCornerPanel[2] = {-1, -1};
    int m_nCornerCount = -1;
    int m_nEditSlot = -1;       // slot whose segment is being picked
    int m_nSlotPickCount = -1;  // -1 none picked, 0 point A picked, 1 both picked
    int m_anSlotPanel[2] = {-1, -1};

    // Forgets the selection: selected ids, undo groups and the arbitrary points.
    void ClearSelection();
    // No pick mode, no rectangle or slot being picked.
    void ResetPicking();
};
