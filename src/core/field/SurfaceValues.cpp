#include "field/SurfaceValues.h"

#include <algorithm>
#include <cmath>

#include "geometry/GeometryAlgorithms.h"
#include "geometry/VectorFunctions.h"

bool GetPanelCorners(const CDataSet& data, int panel, int direction, CPanelCorners& corners,
                     EValueQuantity q) {
    corners.count = 0;
    const CCornerTable& table = data.Corners();
    const int count = table.Count(panel);
    if (count == 0) {
        return false;
    }
    const int32_t* tap = table.Taps(panel);
    const int32_t* pos = table.PosRecords(panel);
    const int32_t* cp = table.CpRecords(panel);
    for (int k = 0; k < count; ++k) {
        corners.tap[k] = tap[k];
        corners.pos[k] = data.PositionOfRecord(pos[k]);
        corners.value[k] = data.ValueOfRecord(q, cp[k], direction);
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

namespace {

// Where a point lies on its panel: the sub-triangle of SplitPanel that holds it and how its
// value is formed from that triangle's three corners.
struct CStencil {
    int triangle = 0;
    int corner = -1;  // the corner the point is at (CVector4 equality), or -1
    bool linear = false;
    // linear: the point's barycentric coordinates on the triangle, each 0 or more;
    // inverse distance: its distances from the corners.
    double weight[3] = {};
};

// Barycentric coordinates of the foot of p on the plane of t. A point snapped to tenths lies
// a little off a sloped panel; its foot is where it belongs. False for a triangle without
// area.
bool Barycentric(const CVector4 t[3], const CVector4& p, double l[3]) {
    const double e1[3] = {static_cast<double>(t[1].x) - t[0].x,
                          static_cast<double>(t[1].y) - t[0].y,
                          static_cast<double>(t[1].z) - t[0].z};
    const double e2[3] = {static_cast<double>(t[2].x) - t[0].x,
                          static_cast<double>(t[2].y) - t[0].y,
                          static_cast<double>(t[2].z) - t[0].z};
    const double r[3] = {static_cast<double>(p.x) - t[0].x, static_cast<double>(p.y) - t[0].y,
                         static_cast<double>(p.z) - t[0].z};
    auto dot = [](const double* a, const double* b) {
        return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
    };
    const double a = dot(e1, e1);
    const double b = dot(e1, e2);
    const double c = dot(e2, e2);
    const double det = a * c - b * b;
    if (!(det > 1e-12 * a * c)) {
        return false;
    }
    const double d = dot(r, e1);
    const double e = dot(r, e2);
    l[1] = (c * d - b * e) / det;
    l[2] = (a * e - b * d) / det;
    l[0] = 1.0 - l[1] - l[2];
    return true;
}

// The sub-triangle that holds p: the first, in SplitPanel's order, whose barycentric
// coordinates are all at least -kOnEdge (so a point on an edge between two sub-triangles
// takes the first of them); when none holds it, the one it lies least far outside. A
// barycentric tolerance rather than a test of the point itself, so that a point a snap's
// width off a sloped panel still finds its triangle.
CStencil Locate(const CVector4 tri[4][3], int triangles, const CVector4& p, int method) {
    constexpr double kOnEdge = 1e-5;
    CStencil s;
    s.triangle = triangles - 1;
    double best = -HUGE_VAL;
    double chosen[3] = {};
    bool found = false;
    for (int i = 0; i < triangles; ++i) {
        double l[3];
        if (!Barycentric(tri[i], p, l)) {
            continue;
        }
        const double inside = std::min({l[0], l[1], l[2]});
        if (inside > best || inside >= -kOnEdge) {
            best = inside;
            s.triangle = i;
            std::copy(l, l + 3, chosen);
            found = true;
            if (inside >= -kOnEdge) {
                break;
            }
        }
    }
    const CVector4* t = tri[s.triangle];
    for (int k = 0; k < 3; ++k) {
        if (p == t[k]) {
            s.corner = k;
            break;
        }
    }
    // A triangle without area has no plane to interpolate on; the inverse-distance mean still
    // gives a value within its corners' range.
    s.linear = method == VALUE_LINEAR && found;
    if (s.linear) {
        // A point outside the panel is taken to the triangle's edge rather than extrapolated.
        double sum = 0.0;
        for (int k = 0; k < 3; ++k) {
            s.weight[k] = std::max(0.0, chosen[k]);
            sum += s.weight[k];
        }
        for (double& w : s.weight) {
            w /= sum;
        }
    } else {
        for (int k = 0; k < 3; ++k) {
            s.weight[k] = p.Distance(t[k]);
        }
    }
    return s;
}

// The value of the located point from the corner values of its panel for one direction.
double StencilValue(const CStencil& s, const CPanelCorners& c, int method) {
    CVector4 tri[4][3];
    double val[4][3];
    SplitPanel(c, tri, val);
    const double* w = val[s.triangle];
    if (method == VALUE_LINEAR) {
        // The contours leave a panel with a corner without value uncoloured: its points have
        // no value either, except a tap itself.
        bool complete = true;
        for (int k = 0; k < c.count; ++k) {
            complete = complete && c.value[k] < NO_VALUE;  // a NaN counts as no value too
        }
        if (!complete) {
            const bool tap = s.corner >= 0 && (c.count == 3 || s.corner != 1);
            return tap ? w[s.corner] : NO_VALUE;
        }
    }
    if (s.corner >= 0) {
        return w[s.corner];
    }
    if (s.linear) {
        return s.weight[0] * w[0] + s.weight[1] * w[1] + s.weight[2] * w[2];
    }
    const double d0 = s.weight[0];
    const double d1 = s.weight[1];
    const double d2 = s.weight[2];
    return (d1 * d2 * w[0] + d0 * d2 * w[1] + d0 * d1 * w[2]) / (d1 * d2 + d0 * (d1 + d2));
}

// values[d - first] for the directions first .. end - 1; false for a panel outside the mesh.
bool PanelValues(const CDataSet& data, int method, int panel, CVector4 p, int first, int end,
                 double* values, EValueQuantity q = EValueQuantity::Mean) {
    CPanelCorners c;
    if (!GetPanelCorners(data, panel, first, c, q)) {
        return false;
    }
    CVector4 tri[4][3];
    double val[4][3];
    const int triangles = SplitPanel(c, tri, val);
    const CStencil stencil = Locate(tri, triangles, p, method);
    for (int d = first; d < end; ++d) {
        if (d != first) {
            GetPanelCorners(data, panel, d, c, q);
        }
        values[d - first] = StencilValue(stencil, c, method);
    }
    return true;
}

}  // namespace

double InterpolateAt(const CDataSet& data, int method, int panel, CVector4 p, int direction) {
    double value = NO_VALUE;
    PanelValues(data, method, panel, p, direction, direction + 1, &value);
    return value;
}

void ComputeAllDirections(const CDataSet& data, int method, int panel, CVector4 p,
                          std::vector<double>& values, EValueQuantity q) {
    const int count = data.m_cp.m_nDirectionCount;
    values.assign(count > 0 ? static_cast<size_t>(count) : 0u, NO_VALUE);
    if (count > 0) {
        PanelValues(data, method, panel, p, 0, count, values.data(), q);
    }
}

void RecomputeArbitraryValues(const CDataSet& data, int method, CSelection& selection) {
    for (CArbitraryPoint& point : selection.m_lstArbitrary) {
        ComputeAllDirections(data, method, point.panel, point.pos, point.values);
    }
}

CVector4 ProjectOntoPanel(const CDataSet& data, int panel, CVector4 p) {
    CPanelCorners c;
    if (!GetPanelCorners(data, panel, 0, c)) {
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

double GetArbitraryValue(const CSelection& selection, int direction, double x, double y, double z) {
    const CVector4 wanted(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    for (const CArbitraryPoint& point : selection.m_lstArbitrary) {
        if (point.pos == wanted) {
            if (direction < 0 || static_cast<size_t>(direction) >= point.values.size()) {
                return NO_VALUE;
            }
            return point.values[static_cast<size_t>(direction)];
        }
    }
    return NO_VALUE;
}

const CArbitraryPoint* FindArbitraryPoint(const CSelection& selection, int id) {
    for (const CArbitraryPoint& point : selection.m_lstArbitrary) {
        if (point.id == id) {
            return &point;
        }
    }
    return nullptr;
}

CArbitraryPoint* FindArbitraryPoint(CSelection& selection, int id) {
    return const_cast<CArbitraryPoint*>(
        FindArbitraryPoint(static_cast<const CSelection&>(selection), id));
}
