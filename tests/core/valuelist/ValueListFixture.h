#pragma once

#include <string>
#include <vector>

#include "../field/FieldFixture.h"
#include "state/ViewState.h"
#include "valuelist/ValueList.h"

// A view state for the value-list tests: taps 1, 2, ... at the given positions whose Cp at
// direction d is 100 t + d, and arbitrary points whose value at d is base + d, so that a value
// text tells which point and direction it came from.
namespace vltest {

inline void SetUpTaps(CViewState& state, const std::vector<CVector4>& positions,
                      int directions = 16) {
    std::vector<fieldtest::Tap> taps;
    for (size_t i = 0; i < positions.size(); ++i) {
        fieldtest::Tap tap{positions[i], {}};
        for (int d = 0; d < directions; ++d) {
            tap.cp.push_back(100.0 * static_cast<double>(i + 1) + d);
        }
        taps.push_back(tap);
    }
    fieldtest::SetUp(state, taps, {}, directions);
    state.m_tapsOrg = state.m_taps;
}

inline void AddArbitrary(CViewState& state, int id, CVector4 pos, double base,
                         int directions = 16) {
    CArbitraryPoint point;
    point.id = id;
    point.pos = pos;
    for (int d = 0; d < directions; ++d) {
        point.values.push_back(base + d);
    }
    state.m_lstArbitrary.push_back(point);
}

// Every row as its five texts joined by single spaces.
inline std::vector<std::string> RowTexts(const CValueList& list) {
    std::vector<std::string> out;
    for (const CValueRow& row : list.Rows()) {
        out.push_back(row.text[0] + " " + row.text[1] + " " + row.text[2] + " " + row.text[3] +
                      " " + row.text[4]);
    }
    return out;
}

}  // namespace vltest
