#include "state/Comparing.h"

#include <cstdio>

#include "dataset/DataSetLoad.h"
#include "field/Picking.h"
#include "field/ShownValues.h"

namespace {

void Compare(CViewState& state, double toleranceMm) {
    state.m_comparison = CComparison();
    const CTapMatching matching =
        MatchTaps(state.m_data.m_tapsOrg, state.m_reference.m_tapsOrg, toleranceMm);
    CompareDataSets(state.m_data.m_cp, state.m_reference.m_cp, matching, state.m_comparison);
    // The difference is one more quantity of the shown data set: contours, labels, values, the
    // value list and the CSV show it as they show a table.
    state.m_data.m_tables.SetDifference(state.m_comparison.difference, state.m_data.m_cp);
}

}  // namespace

bool StartComparison(CViewState& state, const std::string& folder, const CHeaderFile& header,
                     double toleranceMm, std::string* reason) {
    CDataSet reference;
    LoadDataSetFiles(reference, folder, header, 0, 0);
    if (!CanCompare(state.m_data.m_cp, reference.m_cp)) {
        if (reason != nullptr) {
            char text[256];
            std::snprintf(text, sizeof text, MSG_COMPARE_DIRECTIONS,
                          reference.m_cp.m_nDirectionCount, state.m_data.m_cp.m_nDirectionCount);
            *reason = text;
        }
        return false;
    }
    state.m_reference = std::move(reference);
    Compare(state, toleranceMm);
    return true;
}

void RematchComparison(CViewState& state, double toleranceMm) {
    if (IsComparing(state)) {
        Compare(state, toleranceMm);
    }
}

void EndComparison(CViewState& state) {
    state.m_reference = CDataSet();
    state.m_comparison = CComparison();
    state.m_data.m_tables.DropDifference();
    if (state.m_settings.m_nQuantity == static_cast<int>(EValueQuantity::Difference)) {
        state.m_settings.m_nQuantity = static_cast<int>(EValueQuantity::Mean);
    }
}

std::vector<int> FacesOfTaps(const CViewState& state) {
    const CGeometry& geo = state.m_data.m_geoMainOrg;
    std::vector<const CGeometryFace*> faces;
    for (int name = 0; const CGeometryFace* face = PickedFace(geo, name); ++name) {
        faces.push_back(face);
    }
    std::vector<int> result;
    for (const CTapMatch& tap : state.m_comparison.matching.taps) {
        const CVector4 p = state.m_data.m_tapsOrg.GetPosition(tap.tapNo);
        int found = -1;
        for (size_t f = 0; f < faces.size() && found < 0; ++f) {
            if (PointInFace(*faces[f], p)) {
                found = static_cast<int>(f);
            }
        }
        result.push_back(found);
    }
    return result;
}

std::string FaceName(int face) {
    return "面 " + std::to_string(face + 1);
}

std::string ShownStateCaption(const CViewState& state) {
    const CShownValues shown = ShownValuesOf(state.m_data, state.m_settings);
    std::string caption = ShownCaption(shown);
    if (shown.quantity == EValueQuantity::Difference && IsComparing(state)) {
        caption += ": " + DataSetName(state.m_data.m_strDataFolder) + " − " +
                   DataSetName(state.m_reference.m_strDataFolder);
    }
    return caption;
}

std::vector<CAgreementTable> AgreementTables(const CViewState& state) {
    const std::vector<int> faces = FacesOfTaps(state);
    return {ComputeAgreement(state.m_comparison, faces, state.m_settings.m_nDirection),
            ComputeAgreement(state.m_comparison, faces, -1)};
}
