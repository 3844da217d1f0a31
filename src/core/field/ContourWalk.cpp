#include "field/ContourWalk.h"

#include "field/ColorScale.h"
#include "field/LineContours.h"
#include "field/SurfaceValues.h"

void ComputeContours(const CViewState& state, CContourDrawing& out) {
    out.Clear();
    const int kind = state.m_nContourKind;
    const int n = state.m_nDivisions;
    if ((kind != 0 && kind != 1 && kind != 2) || n < 1 || n > MAX_DIVISIONS) {
        return;
    }
    const bool bands = kind == 0 || kind == 2;
    const bool lines = kind == 1 || kind == 2;
    const bool drawLines = lines && (state.m_nLineColorMode == 0 || state.m_nLineColorMode == 1);
    const CVector4* lineTable = state.m_nLineColorMode == 0 ? state.m_aColorTable : nullptr;

    const CContourLevels levels = MakeContourLevels(state.m_dColorMin, state.m_dColorMax, n);
    const CLabelContext labels = lines ? MakeLabelContext(state) : CLabelContext();

    CContourItem slotsItem;
    slotsItem.type = ContourItemType::Slots;

    const int panels = state.m_mesh.GetPanelCount();
    CPanelCorners c;
    for (int i = 0; i < panels; ++i) {
        if (static_cast<size_t>(i) >= state.m_abPanelContour.size() ||
            state.m_abPanelContour[static_cast<size_t>(i)] != 1) {
            continue;
        }
        if (!GetPanelCorners(state, i, state.m_nDirection, c)) {
            continue;
        }
        bool complete = true;
        for (int k = 0; k < c.count; ++k) {
            // Written so that a NaN counts as no value too.
            complete = complete && c.value[k] < NO_VALUE;
        }
        if (!complete) {
            continue;
        }
        const CVector4 lift = state.PanelNormal(i) * state.m_fLift;

        CVector4 tri[4][3];
        double val[4][3];
        const int triangles = SplitPanel(c, tri, val);

        for (int t = 0; t < triangles; ++t) {
            CVector4* p = tri[t];
            for (int k = 0; k < 3; ++k) {
                p[k] = p[k] + lift;
            }
            if (bands) {
                FillBandsOnTriangle(p, val[t], levels, state.m_aColorTable, out);
            }
            if (lines) {
                for (int k = 0; k < 3; ++k) {
                    p[k] = p[k] + lift;
                }
                if (drawLines) {
                    LinesOnTriangle(p, val[t], levels, lineTable, state.m_clrLine, labels, out);
                }
                out.items.push_back(slotsItem);
            }
        }
    }
}
