#pragma once

#include <string>
#include <vector>

#include "../field/FieldFixture.h"
#include "state/ViewState.h"
#include "valuelist/ValueList.h"

// Taps 1, 2, ... whose Cp at direction d is 100 t + d, arbitrary points whose value is base + d:
// a value text tells which point and direction it came from.
namespace vltest {

inline void SetUpTaps(CViewState& state, const std::vector<CVector4>& positions, int dirs = 16) {
    std::vector<fieldtest::Tap> taps;
    for (size_t i = 0; i < positions.size(); ++i) {
        taps.push_back({positions[i], {}});
        for (int d = 0; d < dirs; ++d) {
            taps.back().cp.push_back(100.0 * static_cast<double>(i + 1) + d);
        }
    }
    fieldtest::SetUp(state, taps, {}, dirs);
    state.m_data.m_tapsOrg = state.m_data.m_taps;
}

inline void AddArbitrary(CViewState& state, int id, CVector4 pos, double base, int dirs = 16) {
    state.m_selection.m_lstArbitrary.push_back({id, pos, -1, {}});
    for (int d = 0; d < dirs; ++d) {
        state.m_selection.m_lstArbitrary.back().values.push_back(base + d);
    }
}

// Every row as its five texts joined by single spaces.
inline std::vector<std::string> RowTexts(const CValueList& list) {
    std::vector<std::string> out;
    for (const CValueRow& r : list.Rows()) {
        out.push_back(r.text[0] + " " + r.text[1] + " " + r.text[2] + " " + r.text[3] + " " +
                      r.text[4]);
    }
    return out;
}

using Texts = std::vector<std::string>;
using IdList = std::vector<int>;

inline IdList Ids(const CValueList& list) {
    IdList ids;
    for (const CValueRow& row : list.Rows()) {
        ids.push_back(row.id);
    }
    return ids;
}

}  // namespace vltest
