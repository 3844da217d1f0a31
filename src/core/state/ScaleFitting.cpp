#include "state/ScaleFitting.h"

#include <algorithm>
#include <vector>

#include "field/ColorScale.h"
#include "field/ScaleFit.h"
#include "field/ShownValues.h"

bool FitColourScale(CViewState& state, bool allDirections, bool symmetric) {
    if (!state.HasDataSet()) {
        return false;
    }
    const CShownValues shown = ShownValuesOf(state.m_data, state.m_settings);
    CDataRange range;
    if (allDirections && !shown.IsEnvelope()) {
        range = DataRange(state.m_data.Table(shown.quantity).m_aCp);
    } else {
        std::vector<double> column;
        ShownColumn(state.m_data, shown, column);
        range = DataRange(column);
    }
    if (range.Empty()) {
        return false;
    }
    CDisplaySettings& settings = state.m_settings;
    const int interval = DefaultTickInterval(settings.m_nDivisions);
    const CScaleFit fit = FitScale(range, settings.m_nDivisions, symmetric, std::max(1, interval));
    settings.m_dColorMin = fit.min;
    settings.m_dColorMax = fit.max;
    settings.m_nTickInterval = interval;
    return true;
}
