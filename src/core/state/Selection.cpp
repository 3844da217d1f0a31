#include "state/Selection.h"

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

void CSelection::SetListed(int id, bool listed) {
    if (listed) {
        m_setListed.insert(id);
    } else {
        const auto it = m_setListed.find(id);
        if (it != m_setListed.end()) {
            m_setListed.erase(it);  // one row's worth
        }
    }
}
