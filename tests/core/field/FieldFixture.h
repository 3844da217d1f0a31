#pragma once

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "state/ViewState.h"

// Small hand-made data sets for the field tests: taps numbered 1, 2, ... at the given positions
// with one value per direction, and panels listing tap numbers.
namespace fieldtest {

// Vector area of a planar polygon (Newell), so doubled points and collinear points add nothing.
inline double Area(const std::vector<CVector4>& p) {
    double x = 0, y = 0, z = 0;
    for (size_t i = 0; i < p.size(); ++i) {
        const CVector4& a = p[i];
        const CVector4& b = p[(i + 1) % p.size()];
        x += (static_cast<double>(a.y) - b.y) * (static_cast<double>(a.z) + b.z);
        y += (static_cast<double>(a.z) - b.z) * (static_cast<double>(a.x) + b.x);
        z += (static_cast<double>(a.x) - b.x) * (static_cast<double>(a.y) + b.y);
    }
    return 0.5 * std::sqrt(x * x + y * y + z * z);
}

struct Tap {
    CVector4 pos;
    std::vector<double> cp;  // empty: the tap has no record in the Cp table
};

inline void SetUp(CViewState& state, const std::vector<Tap>& taps,
                  const std::vector<std::vector<int32_t>>& panels, int directions = 8) {
    state.m_data.m_taps.m_aTapNo.clear();
    state.m_data.m_taps.m_aPos.clear();
    state.m_data.m_cp.m_aTapNo.clear();
    state.m_data.m_cp.m_aCp.clear();
    state.m_data.m_cp.m_nDirectionCount = directions;
    for (size_t i = 0; i < taps.size(); ++i) {
        const int32_t no = static_cast<int32_t>(i) + 1;
        state.m_data.m_taps.m_aTapNo.push_back(no);
        state.m_data.m_taps.m_aPos.push_back(taps[i].pos);
        if (!taps[i].cp.empty()) {
            state.m_data.m_cp.m_aTapNo.push_back(no);
            for (int d = 0; d < directions; ++d) {
                state.m_data.m_cp.m_aCp.push_back(
                    taps[i].cp[static_cast<size_t>(d) % taps[i].cp.size()]);
            }
        }
    }
    state.m_data.m_taps.RebuildIndex();
    state.m_data.m_cp.RebuildIndex();
    state.m_data.m_mesh.m_aPanelNo.clear();
    state.m_data.m_mesh.m_aNodeTapNo.clear();
    state.m_data.m_mesh.m_aNodeCount.clear();
    for (size_t p = 0; p < panels.size(); ++p) {
        state.m_data.m_mesh.m_aPanelNo.push_back(static_cast<int32_t>(p) + 1);
        state.m_data.m_mesh.m_aNodeTapNo.insert(state.m_data.m_mesh.m_aNodeTapNo.end(),
                                                panels[p].begin(), panels[p].end());
        state.m_data.m_mesh.m_aNodeCount.push_back(static_cast<int32_t>(panels[p].size()));
    }
    state.m_data.m_mesh.RebuildOffsets();
    state.m_settings.m_abPanelContour.assign(panels.size(), 1);
    state.m_data.UpdateDerived();
}

}  // namespace fieldtest
