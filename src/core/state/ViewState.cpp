#include "state/ViewState.h"

#include <algorithm>

#include "dataset/DataSetLoad.h"
#include "field/Compass.h"
#include "field/SurfaceValues.h"

CViewState::CViewState() {
    ResetDisplayState();
}

void CViewState::LoadDataSet(const std::string& folder, const CHeaderFile& header, int clientW,
                             int clientH) {
    LoadDataSetFiles(m_data, folder, header, clientW, clientH);
    // A comparison was one with the data set shown before.
    m_reference = CDataSet();
    m_comparison = CComparison();
    m_selection.ClearSelection();
    m_valueList.ClearAllRows();
    m_nBuildingAngleStep = 0;
    ResetDisplayState();
    m_data.Corners();  // the Cp half of the corners, ready for the first frame
}

void CViewState::ResetDisplayState() {
    CDisplaySettings defaults;
    std::copy(&m_settings.m_aSlot[0][0], &m_settings.m_aSlot[0][0] + SLOT_COUNT * 2,
              &defaults.m_aSlot[0][0]);
    defaults.m_abPanelContour.assign(static_cast<size_t>(m_data.m_mesh.GetPanelCount()), 1);
    m_settings = std::move(defaults);
    m_strSettingsFile.clear();
    m_strSettingsDigest.clear();

    m_camera.ResetCamera();
    CentreModel();
    m_selection.ResetPicking();
    m_data.m_geoMain.ResetObjectStyles();
    m_data.m_geoSub.ResetObjectStyles();
}

void CViewState::CentreModel() {
    // The whole building in view: with no pan the model's origin (its base) would sit at the
    // centre and a tall building would start above the window.
    CVector4 lo, hi;
    m_data.m_geoMain.GetBounds(lo, hi);
    m_camera.CentreOn((lo + hi) * 0.5f, m_data.m_fScale);
}

void CViewState::StepDirection(int step) {
    m_settings.m_nDirection =
        ::StepDirection(m_data.m_cp.m_nDirectionCount, m_settings.m_nDirection, step);
    m_settings.m_nEnvelope = ENVELOPE_NONE;
}

void CViewState::SetViewPreset(int preset) {
    m_camera.SetViewPreset(preset);
    CentreModel();
}

void CViewState::NormaliseZoom() {
    m_camera.m_fZoom = 1.0f;
    CentreModel();
}

bool CViewState::SetBuildingAngleStep(int step, bool force) {
    const int count = m_data.m_cp.m_nDirectionCount;
    step = std::clamp(step, -BuildingAngleRange(count), BuildingAngleRange(count));
    const double angle = ViewBuildingAngle(BuildingAngle(count, step));
    if (!force && step == m_nBuildingAngleStep && angle == m_data.m_dBuildingTurn) {
        return false;
    }
    m_nBuildingAngleStep = step;
    SetBuildingAngle(angle);
    return true;
}

void CViewState::SetBuildingAngle(double degrees) {
    m_data.TurnBuilding(degrees);
    m_selection.m_lstArbitrary.clear();
}

void CViewState::SetAllPanelContours(uint8_t on) {
    std::fill(m_settings.m_abPanelContour.begin(), m_settings.m_abPanelContour.end(), on);
}

FacesShown CViewState::PanelContourChoice() const {
    const std::vector<uint8_t>& flags = m_settings.m_abPanelContour;
    if (flags.empty()) {
        return FacesShown::Unknown;
    }
    const uint8_t first = flags.front();
    for (uint8_t flag : flags) {
        if (flag != first) {
            return FacesShown::Chosen;
        }
    }
    return first != 0 ? FacesShown::All : FacesShown::None;
}

void CViewState::ClearSlots() {
    if (m_selection.m_nPickMode == 6) {
        m_selection.m_nPickMode = 0;
    }
    m_selection.m_nEditSlot = -1;
    m_selection.m_nSlotPickCount = -1;
    for (int i = 0; i < SLOT_COUNT; ++i) {
        m_settings.m_abSlotOn[i] = 0;
        m_settings.m_aSlot[i][0] = CVector4();
        m_settings.m_aSlot[i][1] = CVector4();
    }
}

bool CViewState::BeginSlotEdit(int slot) {
    if (slot < 0 || slot >= SLOT_COUNT) {
        return false;
    }
    m_selection.m_nEditSlot = slot;
    m_selection.m_nSlotPickCount = -1;
    m_settings.m_aSlot[slot][0] = CVector4();
    m_settings.m_aSlot[slot][1] = CVector4();
    m_selection.m_nPickMode = 6;
    return true;
}

void CViewState::Follow(unsigned aspects) {
    // (A load has emptied the list already; these find nothing to do then.)
    if (aspects & ASPECT_POSITIONS) {
        m_valueList.RefreshPointCoordinates(Points());
    }
    if (aspects & ASPECT_DIRECTION) {
        m_valueList.UpdateValueColumn(Points(), m_settings.m_nDirection);
    }
    // Whoever changed the method (the data-value page, a reset, a settings file), the listed
    // values follow it, so the list never mixes the two methods.
    if (m_settings.m_nValueMethod != m_nPointValueMethod) {
        m_nPointValueMethod = m_settings.m_nValueMethod;
        RecomputeArbitraryValues(m_data, m_nPointValueMethod, m_selection);
        m_valueList.UpdateValueColumn(Points(), m_settings.m_nDirection);
    }
}
