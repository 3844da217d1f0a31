#include "field/Selection.h"

void CSelection::ClearSelection() {
    m_lstSelected.clear();
    m_lstUndoGroup.clear();
    m_lstArbitrary.clear();
}

void CSelection::ResetPicking() {
    m_nPickMode = 0;
    m_nCornerCount = -1;
    m_nEditSlot = -1;
    m_nSlotPickCount = -1;
}
