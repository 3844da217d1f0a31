#include "field/SceneLayout.h"

#include "field/FieldText.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace {

// The scene extent from bounds already measured, for callers that need the bounds as well.
double ExtentOf(const CVector4& lo, const CVector4& hi) {
    const double m = std::max({std::fabs(lo.x), std::fabs(hi.x), std::fabs(lo.y), std::fabs(hi.y)});
    return 1.5 * m;
}

}  // namespace

double SceneExtent(const CViewState& state) {
    CVector4 lo, hi;
    state.m_geoMain.GetBounds(lo, hi);
    return ExtentOf(lo, hi);
}

int GridStep(double extent) {
    if (extent <= 20000.0) {
        return 1000;
    }
    if (extent <= 40000.0) {
        return 2000;
    }
    if (extent <= 100000.0) {
        return 5000;
    }
    return 10000;
}

std::vector<CSceneLine> GroundGridLines(const CViewState& state) {
    std::vector<CSceneLine> lines;
    const double e = SceneExtent(state);
    const double s = GridStep(e);
    const float f = static_cast<float>(s * std::floor(e / s));
    for (int k = 1; k * s <= f; ++k) {
        const float d = static_cast<float>(k * s);
        lines.push_back({CVector4(-f, d, 0), CVector4(f, d, 0)});
        lines.push_back({CVector4(-f, -d, 0), CVector4(f, -d, 0)});
        lines.push_back({CVector4(d, -f, 0), CVector4(d, f, 0)});
        lines.push_back({CVector4(-d, -f, 0), CVector4(-d, f, 0)});
    }
    if (!state.m_bShowAxes) {
        lines.push_back({CVector4(-f, 0, 0), CVector4(f, 0, 0)});
        lines.push_back({CVector4(0, -f, 0), CVector4(0, f, 0)});
    }
    return lines;
}

float WindArrowAngle(const CViewState& state) {
    const int count = state.m_cp.m_nDirectionCount;
    if (count <= 0) {
        return 0.0f;
    }
    return -(state.m_nDirection * 45.0f / (count * 0.125f));
}

std::vector<CSceneLine> WindArrowLines(const CViewState& state) {
    std::vector<CSceneLine> lines;
    const double e = SceneExtent(state);
    const int s = GridStep(e);
    const int f = static_cast<int>(s * std::floor(e / s));
    for (int x = -f; x <= f; x += s) {
        const CVector4 tip(static_cast<float>(x), 0, 0);
        lines.push_back({CVector4(static_cast<float>(x), static_cast<float>(-s), 0), tip});
        lines.push_back(
            {CVector4(static_cast<float>(x + s / 5), static_cast<float>(-s / 2), 0), tip});
        lines.push_back(
            {CVector4(static_cast<float>(x - s / 5), static_cast<float>(-s / 2), 0), tip});
    }
    return lines;
}

std::vector<CAxisItem> AxisItems(const CViewState& state) {
    CVector4 lo, hi;
    state.m_geoMain.GetBounds(lo, hi);
    const float e = static_cast<float>(ExtentOf(lo, hi));
    const float zTop = 1.5f * hi.z;
    std::vector<CAxisItem> items(3);
    items[0] = {{CVector4(-e, 0, 0), CVector4(e, 0, 0)},
                CVector4(e, 0, 0),
                90.0f,
                CVector4(0, 1, 0),
                {CVector4(e - 10, 5, 0), "X", AXIS_X_COLOR}};
    items[1] = {{CVector4(0, -e, 0), CVector4(0, e, 0)},
                CVector4(0, e, 0),
                -90.0f,
                CVector4(1, 0, 0),
                {CVector4(-10, e + 5, 0), "Y", AXIS_Y_COLOR}};
    items[2] = {{CVector4(0, 0, lo.z - 0.5f * hi.z), CVector4(0, 0, zTop)},
                CVector4(0, 0, zTop),
                0.0f,
                CVector4(),
                {CVector4(-10, 5, zTop), "Z", AXIS_Z_COLOR}};
    return items;
}

void AxisTicks(const CViewState& state, std::vector<CSceneText>& texts,
               std::vector<CSceneSphere>& spheres) {
    CVector4 lo, hi;
    state.m_geoMain.GetBounds(lo, hi);
    const double e = ExtentOf(lo, hi);
    const int s = GridStep(e);
    const float t = static_cast<float>(static_cast<int>(2.0f / state.m_fScale));
    bool any = false;
    for (long long n = s; n < e; n += s) {
        const float p = static_cast<float>(n);
        for (const auto& [pos, colour, value] :
             {std::tuple{CVector4(p, 0, 0), AXIS_X_COLOR, n / 1000},
              std::tuple{CVector4(-p, 0, 0), AXIS_X_COLOR, -n / 1000},
              std::tuple{CVector4(0, p, 0), AXIS_Y_COLOR, n / 1000},
              std::tuple{CVector4(0, -p, 0), AXIS_Y_COLOR, -n / 1000}}) {
            texts.push_back({pos, kzv::FormatInt(static_cast<int>(value)), colour});
            spheres.push_back({pos, t, colour});
        }
        any = true;
    }
    if (!any) {
        return;
    }
    const double top = 1.5 * hi.z;
    const double bottom = 0.5 * hi.z - lo.z;
    const long long step = top <= 20000.0 ? 1000 : s;
    for (long long k = step;; k += step) {
        bool drew = false;
        if (k < top) {
            const CVector4 pos(0, 0, static_cast<float>(k));
            texts.push_back({pos, kzv::FormatInt(static_cast<int>(k / 1000)), AXIS_Z_COLOR});
            spheres.push_back({pos, t, AXIS_Z_COLOR});
            drew = true;
        }
        if (k < bottom) {
            const CVector4 pos(0, 0, static_cast<float>(-k));
            texts.push_back({pos, kzv::FormatInt(static_cast<int>(-k / 1000)), AXIS_Z_COLOR});
            spheres.push_back({pos, t, AXIS_Z_COLOR});
            drew = true;
        }
        if (!drew) {
            break;
        }
    }
}

int NumberPanelOfTap(const CViewState& state, int tapIndex) {
    // The first panel whose corners, counted from the start, pass tapIndex: a binary search
    // over the corner offsets instead of summing the counts for every tap.
    const int panels = state.m_mesh.GetPanelCount();
    if (tapIndex < 0) {
        return panels > 0 ? 0 : -1;
    }
    int lo = 0, hi = panels;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (state.m_mesh.GetNodeOffset(mid + 1) <= static_cast<size_t>(tapIndex)) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo < panels ? lo : -1;
}
