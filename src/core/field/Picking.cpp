#include "field/Picking.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "geometry/GeometryAlgorithms.h"

const CGeometryFace* PickedFace(const CGeometry& geo, int name) {
    if (name < 0) {
        return nullptr;
    }
    int n = name;
    for (const CGeometryObject& part : geo.m_objects) {
        if (part.m_nDisplayMode == 2) {
            continue;
        }
        if (static_cast<size_t>(n) < part.m_faces.size()) {
            return &part.m_faces[static_cast<size_t>(n)];
        }
        n -= static_cast<int>(part.m_faces.size());
    }
    return nullptr;
}

namespace {

bool InFace(const CGeometryFace& face, CVector4 p) {
    return IsPointInPolygon(p, face.m_vertices.data(), static_cast<int>(face.m_vertices.size()));
}

}  // namespace

bool PointInFace(const CGeometryFace& face, CVector4 p) {
    return InFace(face, p);
}

std::vector<CVector4> PanelCornerPositions(const CDataSet& data, int panel) {
    std::vector<CVector4> corners;
    if (panel < 0 || panel >= data.m_mesh.GetPanelCount()) {
        return corners;
    }
    for (int k = 0; k < data.m_mesh.GetNodeCount(panel); ++k) {
        corners.push_back(data.m_taps.GetPosition(data.m_mesh.GetNodeTapNo(panel, k)));
    }
    return corners;
}

namespace {

// m_aCorner = (p1, A, p2, B) of the rectangle whose constant axis is given: A and B take p1's
// coordinate on that axis.
void SetAxisCorners(CSelection& selection, int axis, CVector4 p1, CVector4 p2) {
    CVector4 a, b;
    switch (axis) {
        case 0:
            a = CVector4(p1.x, p1.y, p2.z);
            b = CVector4(p1.x, p2.y, p1.z);
            break;
        case 1:
            a = CVector4(p1.x, p1.y, p2.z);
            b = CVector4(p2.x, p1.y, p1.z);
            break;
        default:
            a = CVector4(p2.x, p1.y, p1.z);
            b = CVector4(p1.x, p2.y, p1.z);
            break;
    }
    selection.m_aCorner[0] = p1;
    selection.m_aCorner[1] = a;
    selection.m_aCorner[2] = p2;
    selection.m_aCorner[3] = b;
}

float Coordinate(const CVector4& v, int axis) {
    return axis == 0 ? v.x : axis == 1 ? v.y : v.z;
}

}  // namespace

int RectangleOrientation(CSelection& selection, CVector4 p1, CVector4 p2) {
    int orientation;
    if (p1.x == p2.x) {
        orientation = 0;
    } else if (p1.y == p2.y) {
        orientation = 1;
    } else if (p1.z == p2.z) {
        orientation = 2;
    } else {
        return RECT_NONE;
    }
    SetAxisCorners(selection, orientation, p1, p2);
    return orientation;
}

int RectangleOnSurface(const CDataSet& data, CSelection& selection, CVector4 p1, CVector4 p2,
                       const int panels[2]) {
    if (!SameSurface(data, panels)) {
        return RECT_NONE;
    }
    std::vector<CVector4> points = PanelCornerPositions(data, panels[0]);
    if (panels[1] != panels[0]) {
        const std::vector<CVector4> more = PanelCornerPositions(data, panels[1]);
        points.insert(points.end(), more.begin(), more.end());
    }
    // A plane on which one coordinate is constant: the rectangle of that axis.
    for (int axis = 0; axis < 3; ++axis) {
        bool constant = true;
        for (const CVector4& c : points) {
            constant = constant &&
                       std::fabs(Coordinate(c, axis) - Coordinate(p1, axis)) <= SURFACE_TOLERANCE;
        }
        if (constant) {
            SetAxisCorners(selection, axis, p1, p2);
            return axis;
        }
    }
    // The plane's normal from both panels' corners (the widest triangle among them, which the
    // snapping of the taps tilts least), and its horizontal direction h = n x z.
    CVector4 n;
    if (!PlaneNormal(points.data(), static_cast<int>(points.size()), n)) {
        return RECT_NONE;
    }
    const double hx = n.y, hy = -n.x;
    const double hLength = std::sqrt(hx * hx + hy * hy);
    if (!(hLength > 0.0)) {
        return RECT_NONE;
    }
    const double dx = static_cast<double>(p2.x) - p1.x, dy = static_cast<double>(p2.y) - p1.y;
    const double along = (dx * hx + dy * hy) / (hLength * hLength);
    const CVector4 a(static_cast<float>(p1.x + along * hx), static_cast<float>(p1.y + along * hy),
                     p1.z);
    selection.m_aCorner[0] = p1;
    selection.m_aCorner[1] = a;
    selection.m_aCorner[2] = p2;
    selection.m_aCorner[3] =
        CVector4(static_cast<float>(p2.x - (static_cast<double>(a.x) - p1.x)),
                 static_cast<float>(p2.y - (static_cast<double>(a.y) - p1.y)), p2.z);
    return RECT_IN_FACE;
}

long long GridPointCount(int p, int q) {
    return (static_cast<long long>(p) + 1) * (static_cast<long long>(q) + 1);
}

std::vector<CVector4> MakeGrid(const CSelection& selection, int orientation, int p, int q) {
    std::vector<CVector4> grid;
    if (orientation < 0 || orientation > RECT_IN_FACE || p < 1 || q < 1 ||
        GridPointCount(p, q) > MAX_GRID_POINTS) {
        return grid;
    }
    if (orientation == RECT_IN_FACE) {
        // p1 + (A - p1) i / p + (B - p1) j / q, in double so that the far corner is p2.
        const CVector4& o = selection.m_aCorner[0];
        const CVector4& a = selection.m_aCorner[1];
        const CVector4& b = selection.m_aCorner[3];
        const double u[3] = {static_cast<double>(a.x) - o.x, static_cast<double>(a.y) - o.y,
                             static_cast<double>(a.z) - o.z};
        const double v[3] = {static_cast<double>(b.x) - o.x, static_cast<double>(b.y) - o.y,
                             static_cast<double>(b.z) - o.z};
        grid.reserve(static_cast<size_t>(GridPointCount(p, q)));
        for (int i = 0; i <= p; ++i) {
            const double s = static_cast<double>(i) / p;
            for (int j = 0; j <= q; ++j) {
                const double t = static_cast<double>(j) / q;
                grid.emplace_back(static_cast<float>(o.x + u[0] * s + v[0] * t),
                                  static_cast<float>(o.y + u[1] * s + v[1] * t),
                                  static_cast<float>(o.z + u[2] * s + v[2] * t));
            }
        }
        return grid;
    }
    const CVector4 p1 = selection.m_aCorner[0];
    const CVector4 d = selection.m_aCorner[2] - p1;
    // The two varying axes (u, v) and the constant one.
    static const int kAxes[3][2] = {{1, 2}, {0, 2}, {0, 1}};
    const int u = kAxes[orientation][0];
    const int v = kAxes[orientation][1];
    const float start[3] = {p1.x, p1.y, p1.z};
    const float span[3] = {d.x, d.y, d.z};
    grid.reserve(static_cast<size_t>(GridPointCount(p, q)));
    for (int i = 0; i <= p; ++i) {
        for (int j = 0; j <= q; ++j) {
            float c[3] = {start[0], start[1], start[2]};
            c[u] = span[u] / static_cast<float>(p) * static_cast<float>(i) + start[u];
            c[v] = span[v] / static_cast<float>(q) * static_cast<float>(j) + start[v];
            grid.emplace_back(c[0], c[1], c[2]);
        }
    }
    return grid;
}

bool SameSurface(const CDataSet& data, const int panels[2]) {
    if (panels[0] < 0 || panels[1] < 0) {
        return false;
    }
    if (panels[0] == panels[1]) {
        return true;
    }
    std::vector<CVector4> points;
    for (int k = 0; k < 2; ++k) {
        for (const CVector4& c : PanelCornerPositions(data, panels[k])) {
            if (points.empty() || !(c == points.back())) {
                points.push_back(c);
            }
        }
    }
    if (points.size() < 2) {
        return false;
    }
    return IsPointOnPolygonPlane(points[0], points.data() + 1, static_cast<int>(points.size()) - 1);
}

int PanelHolding(const CDataSet& data, int preferred, CVector4 p) {
    const std::vector<CVector4> corners = PanelCornerPositions(data, preferred);
    if (IsPointInPolygon(p, corners.data(), static_cast<int>(corners.size()))) {
        return preferred;
    }
    // A point on an edge between surfaces lies in panels of both; one on the preferred
    // panel's surface is the one meant.
    const int onSurface = data.FindPanelContaining(p, [&](int panel) {
        const int pair[2] = {panel, preferred};
        return SameSurface(data, pair);
    });
    return onSurface >= 0 ? onSurface : data.FindPanelContaining(p);
}

bool PointOnSameSurface(const CDataSet& data, int panel, CVector4 p) {
    const int panels[2] = {PanelHolding(data, panel, p), panel};
    return SameSurface(data, panels);
}

CVector4 CorrectOntoPanel(const CDataSet& data, int panel, CVector4 p) {
    const std::vector<CVector4> v = PanelCornerPositions(data, panel);
    if (v.size() < 3) {
        return p;
    }
    using Vec = std::array<double, 3>;
    auto diff = [](const CVector4& x, const CVector4& y) {
        return Vec{static_cast<double>(x.x) - y.x, static_cast<double>(x.y) - y.y,
                   static_cast<double>(x.z) - y.z};
    };
    auto dot = [](const Vec& x, const Vec& y) { return x[0] * y[0] + x[1] * y[1] + x[2] * y[2]; };
    const Vec a = diff(v[1], v[0]);
    const Vec b = diff(v.back(), v[0]);
    const Vec c = diff(p, v[0]);
    const double la = std::sqrt(dot(a, a));
    const double lb = std::sqrt(dot(b, b));
    const double lc = std::sqrt(dot(c, c));
    if (la == 0.0 || lb == 0.0 || lc == 0.0) {
        return p;
    }
    const double cosPhi = dot(a, b) / (la * lb);
    const double sinPhi = std::sqrt(std::max(0.0, 1.0 - cosPhi * cosPhi));
    if (!(sinPhi > 1e-12)) {
        return p;  // the first and last edges are parallel: no plane to move into
    }
    const double cosTheta = dot(c, a) / (lc * la);
    const double sinTheta = std::sqrt(std::max(0.0, 1.0 - cosTheta * cosTheta));
    const double kb = (sinTheta / sinPhi) * lc / lb;
    const double ka = ((cosTheta - sinTheta * cosPhi / sinPhi) * lc) / la;
    return CVector4(static_cast<float>(v[0].x + ka * a[0] + kb * b[0]),
                    static_cast<float>(v[0].y + ka * a[1] + kb * b[1]),
                    static_cast<float>(v[0].z + ka * a[2] + kb * b[2]));
}
