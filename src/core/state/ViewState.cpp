#include "state/ViewState.h"

#include <algorithm>

#include "field/SurfaceValues.h"

CViewState::CViewState() {
    ResetDisplayState();
}

void CViewState::ResetDisplayState() {
    CDisplaySettings defaults;
    std::copy(&m_aSlot[0][0], &m_aSlot[0][0] + SLOT_COUNT * 2, &defaults.m_aSlot[0][0]);
    defaults.m_abPanelContour.assign(static_cast<size_t>(m_mesh.GetPanelCount()), 1);
    static_cast<CDisplaySettings&>(*this) = std::move(defaults);

    ResetCamera();
    CentreModel();
    ResetPicking();
    m_geoMain.ResetObjectStyles();
    m_geoSub.ResetObjectStyles();
}

void CViewState::CentreModel() {
    // The whole building in view: with no pan the model's origin (its base) would sit at the
    // centre and a tall building would start above the window.
    CVector4 lo, hi;
    m_geoMain.GetBounds(lo, hi);
    CentreOn((lo + hi) * 0.5f, m_fScale);
}

void CViewState::SetViewPreset(int preset) {
    CCamera::SetViewPreset(preset);
    CentreModel();
}

void CViewState::NormaliseZoom() {
    m_fZoom = 1.0f;
    CentreModel();
}

void CViewState::SetBuildingAngle(double degrees) {
    TurnBuilding(degrees);
    m_lstArbitrary.clear();
}

void CViewState::SetAllPanelContours(uint8_t on) {
    std::fill(m_abPanelContour.begin(), m_abPanelContour.end(), on);
}

FacesShown CViewState::PanelContourChoice() const {
    if (m_abPanelContour.empty()) {
        return FacesShown::Unknown;
    }
    const uint8_t first = m_abPanelContour.front();
    for (uint8_t flag : m_abPanelContour) {
        if (flag != first) {
            return FacesShown::Chosen;
        }
    }
    return first != 0 ? FacesShown::All : FacesShown::None;
}

void CViewState::ClearSlots() {
    if (m_nPickMode == 6) {
        m_nPickMode = 0;
    }
    m_nEditSlot = -1;
    m_nSlotPickCount = -1;
    for (int i = 0; i < SLOT_COUNT; ++i) {
        m_abSlotOn[i] = 0;
        m_aSlot[i][0] = CVector4();
        m_aSlot[i][1] = CVector4();
    }
}

bool CViewState::BeginSlotEdit(int slot) {
    if (slot < 0 || slot >= SLOT_COUNT) {
        return false;
    }
    m_nEditSlot = slot;
    m_nSlotPickCount = -1;
    m_aSlot[slot][0] = CVector4();
    m_aSlot[slot][1] = CVector4();
    m_nPickMode = 6;
    return true;
}

int CViewState::AddListener(Listener listener) {
    m_listeners.push_back({m_nNextListener, std::move(listener)});
    return m_nNextListener++;
}

void CViewState::RemoveListener(int handle) {
    m_listeners.erase(std::remove_if(m_listeners.begin(), m_listeners.end(),
                                     [handle](const Entry& e) { return e.handle == handle; }),
                      m_listeners.end());
}

void CViewState::Changed(unsigned aspects) {
    // (A load has emptied the list already; these find nothing to do then.)
    if (aspects & ASPECT_POSITIONS) {
        m_valueList.RefreshPointCoordinates(*this);
    }
    if (aspects & ASPECT_DIRECTION) {
        m_valueList.UpdateValueColumn(*this, m_nDirection);
    }
    // Whoever changed the method (the data-value page, a reset, a settings file), the listed
    // values follow it, so the list never mixes the two methods.
    if (m_nValueMethod != m_nPointValueMethod) {
        m_nPointValueMethod = m_nValueMethod;
        RecomputeArbitraryValues(*this);
        m_valueList.UpdateValueColumn(*this, m_nDirection);
    }
    // A listener may add or remove listeners; walk a copy of the handles.
    std::vector<int> handles;
    for (const Entry& e : m_listeners) {
        handles.push_back(e.handle);
    }
    for (int handle : handles) {
        for (const Entry& e : m_listeners) {
            if (e.handle == handle) {
                Listener call = e.listener;
                call(aspects);
                break;
            }
        }
    }
}
