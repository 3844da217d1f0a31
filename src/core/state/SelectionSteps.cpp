#include "state/SelectionSteps.h"

#include "field/Picking.h"
#include "field/SurfaceValues.h"

namespace {

// The row of a tap with its value shown (and governing direction, for an envelope).
void AddTapRow(CViewState& state, int tap, const CVector4& p) {
    const CPointSource points = state.Points();
    const CShownValue v = ShownValueOfTap(state.m_data, points.shown, tap);
    state.m_valueList.AddPointRow(
        tap, p.x, p.y, p.z, v.value,
        points.shown.IsEnvelope() ? DirectionText(state.m_data.m_cp.m_nDirectionCount, v.direction)
                                  : std::string());
}

// An arbitrary point with its values and row; no undo step.
int AddArbitraryPoint(CViewState& state, int panel, CVector4 p) {
    CArbitraryPoint point;
    point.id = -(static_cast<int>(state.m_selection.m_lstArbitrary.size()) + 1);
    point.pos = p;
    point.panel = panel;
    ComputeAllDirections(state.m_data, state.m_settings.m_nValueMethod, panel, p, point.values);
    const CPointSource points = state.Points();
    const CShownValue v = ShownValueOfPoint(state.m_data, points.shown, point);
    state.m_selection.m_lstArbitrary.push_back(point);
    state.m_valueList.AddPointRow(
        point.id, p.x, p.y, p.z, v.value,
        points.shown.IsEnvelope() ? DirectionText(state.m_data.m_cp.m_nDirectionCount, v.direction)
                                  : std::string());
    state.m_selection.m_lstSelected.push_back(point.id);
    return point.id;
}

}  // namespace

void SelectMeasurementPoint(CViewState& state, int tapIndex) {
    if (tapIndex < 0 || static_cast<size_t>(tapIndex) >= state.m_data.m_taps.m_aTapNo.size()) {
        return;
    }
    const int tap = state.m_data.m_taps.m_aTapNo[static_cast<size_t>(tapIndex)];
    const CVector4& p = state.m_data.m_taps.m_aPos[static_cast<size_t>(tapIndex)];
    AddTapRow(state, tap, p);
    state.m_selection.m_lstSelected.push_back(tap);
    state.m_selection.m_lstUndoGroup.push_back(1);
}

int SelectArbitraryPoint(CViewState& state, int panel, CVector4 p) {
    const int id = AddArbitraryPoint(state, panel, p);
    state.m_selection.m_lstUndoGroup.push_back(1);
    return id;
}

void SelectGridPoints(CViewState& state, const std::vector<CVector4>& grid, int cornerPanel) {
    for (const CVector4& g : grid) {
        SelectArbitraryPoint(state, PanelHolding(state.m_data, cornerPanel, g), g);
    }
}

int SelectFacePoints(CViewState& state, int name) {
    const CGeometryFace* face = PickedFace(state.m_data.m_geoMain, name);
    int added = 0;
    if (face != nullptr) {
        for (size_t i = 0; i < state.m_data.m_taps.m_aTapNo.size(); ++i) {
            const CVector4& p = state.m_data.m_taps.m_aPos[i];
            if (!PointInFace(*face, p)) {
                continue;
            }
            const int tap = state.m_data.m_taps.m_aTapNo[i];
            AddTapRow(state, tap, p);
            state.m_selection.m_lstSelected.push_back(tap);
            ++added;
        }
    }
    state.m_selection.m_lstUndoGroup.push_back(added);
    return added;
}

void ToggleFaceContour(CViewState& state, int name) {
    if (const CGeometryFace* face = PickedFace(state.m_data.m_geoMain, name)) {
        const int panels = state.m_data.m_mesh.GetPanelCount();
        for (int panel = 0; panel < panels; ++panel) {
            const std::vector<CVector4> corners = PanelCornerPositions(state.m_data, panel);
            bool inside = !corners.empty();
            for (const CVector4& c : corners) {
                inside = inside && PointInFace(*face, c);
            }
            if (inside && static_cast<size_t>(panel) < state.m_settings.m_abPanelContour.size()) {
                uint8_t& flag = state.m_settings.m_abPanelContour[static_cast<size_t>(panel)];
                flag = flag ? 0 : 1;
            }
        }
    }
    state.m_selection.m_lstUndoGroup.push_back(0);  // a step that takes nothing back
}

bool UndoSelection(CViewState& state) {
    if (state.m_selection.m_lstUndoGroup.empty()) {
        return false;
    }
    for (int k = state.m_selection.m_lstUndoGroup.back();
         k > 0 && !state.m_selection.m_lstSelected.empty(); --k) {
        const int id = state.m_selection.m_lstSelected.back();
        state.m_valueList.RemovePointRow(id);
        if (!state.m_selection.m_lstArbitrary.empty() &&
            state.m_selection.m_lstArbitrary.back().id == id) {
            state.m_selection.m_lstArbitrary.pop_back();
        }
        state.m_selection.m_lstSelected.pop_back();
    }
    state.m_selection.m_lstUndoGroup.pop_back();
    return !state.m_selection.m_lstUndoGroup.empty();
}

void ClearAllRows(CViewState& state) {
    state.m_selection.ClearSelection();
    state.m_valueList.ClearAllRows();
}
