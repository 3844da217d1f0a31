#include "field/SceneLayout.h"

#include "text/NumberFormat.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The scene extent from bounds already measured, for callers that need the bounds as well.
double ExtentOf(const CVector4& lo, const CVector4& hi) {
    const double m = std::max({std::fabs(lo.x), std::fabs(hi.x), std::fabs(lo.y), std::fabs(hi.y)});
    return 1.5 * m;
}

// Grid lines, arrows and ticks on each side of the origin at most. Buildings of ordinary size
// need a few dozen; only absurd coordinates reach the cap, and then the step grows tenfold
// until the count fits, so that the grid stays a grid at a coarser step.
constexpr double kMaxSteps = 1000;
// Coordinates beyond this are not drawn: they leave no room in single precision for the
// camera's arithmetic (and 3e38 x 1.5 does not fit a float at all).
constexpr double kMaxDrawable = 1e30;

// The step of the ground grid, wind arrows and axis numbers for extent e, and how many steps
// fit into e (F = count x step). count is 0 (and nothing is drawn) for an extent that is not
// drawable.
struct CSpacing {
    double step = 1000;
    double count = 0;
    bool drawable = false;
};

CSpacing GridSpacing(double e) {
    CSpacing sp;
    if (!(e >= 0.0 && e <= kMaxDrawable)) {
        return sp;
    }
    sp.step = GridStep(e);
    while (std::floor(e / sp.step) > kMaxSteps) {
        sp.step *= 10.0;
    }
    sp.count = std::floor(e / sp.step);
    sp.drawable = true;
    return sp;
}

// An axis number ("%d" of metres) with its sphere, unless the number does not fit "%d".
bool AddTick(std::vector<CSceneText>& texts, std::vector<CSceneSphere>& spheres,
             const CVector4& pos, double millimetres, const CVector4& colour, float radius) {
    const double metres = std::trunc(millimetres / 1000.0);
    if (!(std::fabs(metres) <= std::numeric_limits<int>::max())) {
        return false;
    }
    texts.push_back({pos, kzv::FormatInt(static_cast<int>(metres)), colour});
    spheres.push_back({pos, radius, colour});
    return true;
}

}  // namespace

double SceneExtent(const CDataSet& data) {
    CVector4 lo, hi;
    data.m_geoMain.GetBounds(lo, hi);
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

std::vector<CSceneLine> GroundGridLines(const CDataSet& data, const CDisplaySettings& settings) {
    std::vector<CSceneLine> lines;
    const CSpacing sp = GridSpacing(SceneExtent(data));
    if (!sp.drawable) {
        return lines;
    }
    const float f = static_cast<float>(sp.step * sp.count);
    for (double k = 1; k <= sp.count; ++k) {
        const float d = static_cast<float>(k * sp.step);
        lines.push_back({CVector4(-f, d, 0), CVector4(f, d, 0)});
        lines.push_back({CVector4(-f, -d, 0), CVector4(f, -d, 0)});
        lines.push_back({CVector4(d, -f, 0), CVector4(d, f, 0)});
        lines.push_back({CVector4(-d, -f, 0), CVector4(-d, f, 0)});
    }
    if (!settings.m_bShowAxes) {
        lines.push_back({CVector4(-f, 0, 0), CVector4(f, 0, 0)});
        lines.push_back({CVector4(0, -f, 0), CVector4(0, f, 0)});
    }
    return lines;
}

float WindArrowAngle(const CDataSet& data, const CDisplaySettings& settings) {
    const int count = data.m_cp.m_nDirectionCount;
    if (count <= 0) {
        return 0.0f;
    }
    // The data's directions are fixed to the building: a turned building turns its wind too,
    // as the compass draws it.
    const float turn = static_cast<float>(std::fmod(data.m_dBuildingTurn, 360.0));
    return turn - settings.m_nDirection * 45.0f / (count * 0.125f);
}

std::vector<CSceneLine> WindArrowLines(const CDataSet& data) {
    std::vector<CSceneLine> lines;
    const CSpacing sp = GridSpacing(SceneExtent(data));
    if (!sp.drawable) {
        return lines;
    }
    // Every step is a multiple of 10, so s / 5 and s / 2 are the integer divisions they were.
    const float s = static_cast<float>(sp.step);
    const float side = static_cast<float>(sp.step / 5);
    const float back = static_cast<float>(sp.step / 2);
    for (double k = -sp.count; k <= sp.count; ++k) {
        const float x = static_cast<float>(k * sp.step);
        const CVector4 tip(x, 0, 0);
        lines.push_back({CVector4(x, -s, 0), tip});
        lines.push_back({CVector4(x + side, -back, 0), tip});
        lines.push_back({CVector4(x - side, -back, 0), tip});
    }
    return lines;
}

std::vector<CAxisItem> AxisItems(const CDataSet& data) {
    CVector4 lo, hi;
    data.m_geoMain.GetBounds(lo, hi);
    const double extent = ExtentOf(lo, hi);
    const double top = 1.5 * static_cast<double>(hi.z);
    const double bottom = static_cast<double>(lo.z) - 0.5 * static_cast<double>(hi.z);
    if (!(extent <= kMaxDrawable && std::fabs(top) <= kMaxDrawable &&
          std::fabs(bottom) <= kMaxDrawable)) {
        return {};  // coordinates too large to draw
    }
    const float e = static_cast<float>(extent);
    const float zTop = static_cast<float>(top);
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
    items[2] = {{CVector4(0, 0, static_cast<float>(bottom)), CVector4(0, 0, zTop)},
                CVector4(0, 0, zTop),
                0.0f,
                CVector4(),
                {CVector4(-10, 5, zTop), "Z", AXIS_Z_COLOR}};
    return items;
}

void AxisTicks(const CDataSet& data, std::vector<CSceneText>& texts,
               std::vector<CSceneSphere>& spheres) {
    CVector4 lo, hi;
    data.m_geoMain.GetBounds(lo, hi);
    const double e = ExtentOf(lo, hi);
    const CSpacing sp = GridSpacing(e);
    // 2 / scale cut to an integer; a scale of 0 gives no spheres rather than infinite ones.
    const float q = 2.0f / data.m_fScale;
    const float t = std::isfinite(q) ? std::trunc(q) : 0.0f;
    bool any = false;
    for (double k = 1; k <= sp.count && k * sp.step < e; ++k) {
        const double n = k * sp.step;
        const float p = static_cast<float>(n);
        any = AddTick(texts, spheres, CVector4(p, 0, 0), n, AXIS_X_COLOR, t) || any;
        AddTick(texts, spheres, CVector4(-p, 0, 0), -n, AXIS_X_COLOR, t);
        AddTick(texts, spheres, CVector4(0, p, 0), n, AXIS_Y_COLOR, t);
        AddTick(texts, spheres, CVector4(0, -p, 0), -n, AXIS_Y_COLOR, t);
    }
    if (!any) {
        return;
    }
    const double top = 1.5 * static_cast<double>(hi.z);
    const double bottom = 0.5 * static_cast<double>(hi.z) - static_cast<double>(lo.z);
    const double reach = std::max(top, bottom);
    if (!(reach <= kMaxDrawable)) {
        return;
    }
    double step = top <= 20000.0 ? 1000.0 : sp.step;
    while (reach / step > kMaxSteps) {
        step *= 10.0;
    }
    for (double k = step;; k += step) {
        bool drew = false;
        if (k < top) {
            AddTick(texts, spheres, CVector4(0, 0, static_cast<float>(k)), k, AXIS_Z_COLOR, t);
            drew = true;
        }
        if (k < bottom) {
            AddTick(texts, spheres, CVector4(0, 0, static_cast<float>(-k)), -k, AXIS_Z_COLOR, t);
            drew = true;
        }
        if (!drew) {
            break;
        }
    }
}

int NumberPanelOfTap(const CDataSet& data, int tapIndex) {
    // The first panel whose corners, counted from the start, pass tapIndex: a binary search
    // over the corner offsets instead of summing the counts for every tap.
    const int panels = data.m_mesh.GetPanelCount();
    if (tapIndex < 0) {
        return panels > 0 ? 0 : -1;
    }
    int lo = 0, hi = panels;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (data.m_mesh.GetNodeOffset(mid + 1) <= static_cast<size_t>(tapIndex)) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo < panels ? lo : -1;
}
