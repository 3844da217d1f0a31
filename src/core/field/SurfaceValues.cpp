#include "field/SurfaceValues.h"

#include <cmath>

#include "geometry/GeometryAlgorithms.h"
#include "geometry/VectorFunctions.h"

bool GetPanelCorners(const CViewState& state, int panel, int direction, CPanelCorners& corners) {
    corners.count = 0;
    const CCornerTable& table = state.Corners();
    const int count = table.Count(panel);
    if (count == 0) {
        return false;
    }
    const int32_t* tap = table.Taps(panel);
    const int32_t* pos = table.PosRecords(panel);
    const int32_t* cp = table.CpRecords(panel);
    for (int k = 0; k < count; ++k) {
        corners.tap[k] = tap[k];
        corners.pos[k] = state.PositionOfRecord(pos[k]);
        corners.value[k] = state.CpOfRecord(cp[k], direction);
    }
    corners.count = count;
    return true;
}

int SplitPanel(const CPanelCorners& c, CVector4 tri[4][3], double val[4][3]) {
    if (c.count != 4) {
        for (int k = 0; k < 3; ++k) {
            tri[0][k] = c.pos[k];
            val[0][k] = c.value[k];
        }
        return 1;
    }
    const CVector4 centre = (c.pos[0] + c.pos[1] + c.pos[2] + c.pos[3]) / 4.0f;
    const double centreValue = (c.value[3] + c.value[2] + c.value[1] + c.value[0]) * 0.25;
    static const int kPairs[4][2] = {{0, 3}, {3, 2}, {2, 1}, {1, 0}};
    for (int t = 0; t < 4; ++t) {
        const int a = kPairs[t][0];
        const int b = kPairs[t][1];
        tri[t][0] = c.pos[a];
        tri[t][1] = centre;
        tri[t][2] = c.pos[b];
        val[t][0] = c.value[a];
        val[t][1] = centreValue;
        val[t][2] = c.value[b];
    }
    return 4;
}

double InterpolateAt(const CViewState& state, int panel, CVector4 p, int direction) {
    CPanelCorners c;
    if (!GetPanelCorners(state, panel, direction, c)) {
        return NO_VALUE;
    }

    // The first triangle that holds p; the last one when none does.
    CVector4 tri[4][3];
    double val[4][3];
    const int triangles = SplitPanel(c, tri, val);
    int chosen = triangles - 1;
    for (int i = 0; i + 1 < triangles; ++i) {
        if (IsPointInTriangle(p, tri[i][0], tri[i][1], tri[i][2])) {
            chosen = i;
            break;
        }
    }
    const CVector4* t = tri[chosen];
    const double* w = val[chosen];

    for (int i = 0; i < 3; ++i) {
        if (p == t[i]) {
            return w[i];
        }
    }
    const double d0 = p.Distance(t[0]);
    const double d1 = p.Distance(t[1]);
    const double d2 = p.Distance(t[2]);
    return (d1 * d2 * w[0] + d0 * d2 * w[1] + d0 * d1 * w[2]) / (d1 * d2 + d0 * (d1 + d2));
}

void ComputeAllDirections(const CViewState& state, int panel, CVector4 p,
                          std::vector<double>& values) {
    const int count = state.m_cp.m_nDirectionCount;
    values.assign(count > 0 ? static_cast<size_t>(count) : 0u, 0.0);
    for (int d = 0; d < count; ++d) {
        values[static_cast<size_t>(d)] = InterpolateAt(state, panel, p, d);
    }
}

CVector4 ProjectOntoPanel(const CViewState& state, int panel, CVector4 p) {
    CPanelCorners c;
    if (!GetPanelCorners(state, panel, 0, c)) {
        return p;
    }
    // The panel's surface is its triangles (a quadrilateral's four around its centre, as its
    // values and contours are made). p goes straight onto the plane of the triangle it lies
    // over, or the nearest one, before it is snapped: snapped, it then stays within the
    // snapping's reach of that triangle, where the value is taken.
    CVector4 tri[4][3];
    double val[4][3];
    const int triangles = SplitPanel(c, tri, val);
    double nearest = INFINITY;
    double height = 0.0;
    int chosen = -1;
    for (int t = 0; t < triangles; ++t) {
        double h = 0.0;
        const double d = DistanceToTriangle(p, tri[t][0], tri[t][1], tri[t][2], &h);
        if (d >= 0.0 && d < nearest) {
            nearest = d;
            height = h;
            chosen = t;
        }
    }
    if (chosen < 0) {
        return p;  // no triangle has an area: no plane to move onto
    }
    const CVector4 n = TriangleNormal(tri[chosen][0], tri[chosen][1], tri[chosen][2]);
    const double length =
        std::sqrt(static_cast<double>(n.x) * n.x + static_cast<double>(n.y) * n.y +
                  static_cast<double>(n.z) * n.z);
    const double k = height / length;
    return CVector4(static_cast<float>(SnapToTenth(p.x - k * n.x)),
                    static_cast<float>(SnapToTenth(p.y - k * n.y)),
                    static_cast<float>(SnapToTenth(p.z - k * n.z)), 0.0f);
}

double GetArbitraryValue(const CViewState& state, int direction, double x, double y, double z) {
    const CVector4 wanted(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    for (const CArbitraryPoint& point : state.m_lstArbitrary) {
        if (point.pos == wanted) {
            if (direction < 0 || static_cast<size_t>(direction) >= point.values.size()) {
                return NO_VALUE;
            }
            return point.values[static_cast<size_t>(direction)];
        }
    }
    return NO_VALUE;
}

const CArbitraryPoint* FindArbitraryPoint(const CViewState& state, int id) {
    for (const CArbitraryPoint& point : state.m_lstArbitrary) {
        if (point.id == id) {
            return &point;
        }
    }
    return nullptr;
}

CArbitraryPoint* FindArbitraryPoint(CViewState& state, int id) {
    return const_cast<CArbitraryPoint*>(
        FindArbitraryPoint(static_cast<const CViewState&>(state), id));
}
