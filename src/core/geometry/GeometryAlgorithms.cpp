#include "geometry/GeometryAlgorithms.h"

#include <algorithm>

#include "geometry/VectorFunctions.h"

namespace {

constexpr double kHalfPi = GEOMETRY_PI * 0.5;

float Length(const CVector4& v) {
    return v.Distance(CVector4());
}

CVector4 Normalized(CVector4 v) {
    v.Normalize();
    return v;
}

}  // namespace

CTransformMatrix BuildPlaneFrame(CVector4 origin, CVector4 direction, CVector4 normal) {
    const CVector4 centre;
    CTransformMatrix m;
    m.SetTranslation(-origin.x, -origin.y, -origin.z);
    CVector4 n = normal;
    CVector4 u = direction;

    // Turn about Y until the normal has no x component.
    if (n.z != 0.0f || n.x != 0.0f) {
        const double angle = PolarAngle(n.x, n.z) - kHalfPi;
        n = RotateAboutAxis(PLANE_ZX, angle, centre, n);
        u = RotateAboutAxis(PLANE_ZX, angle, centre, u);
        CTransformMatrix r;
        r.SetRotation(1, angle);
        m.PreMultiply(r);
    }
    // Turn about X until the normal points along +z.
    if (n.y != 0.0f || n.z != 0.0f) {
        const double angle = kHalfPi - PolarAngle(n.y, n.z);
        n = RotateAboutAxis(PLANE_YZ, angle, centre, n);
        u = RotateAboutAxis(PLANE_YZ, angle, centre, u);
        CTransformMatrix r;
        r.SetRotation(0, angle);
        m.PreMultiply(r);
    }
    // Turn about Z until the direction lies along +x.
    if (u.x != 0.0f || u.y != 0.0f) {
        CTransformMatrix r;
        r.SetRotation(2, -PolarAngle(u.x, u.y));
        m.PreMultiply(r);
    }
    return m;
}

bool IsPointOnSegment(CVector4 p, CVector4 a, CVector4 b) {
    if (p == a || p == b) {
        return true;
    }
    return Normalized(p - a) == Normalized(b - p);
}

bool IsPointOnPolygonPlane(CVector4 p, const CVector4* polygon, int count) {
    if (polygon == nullptr) {
        return false;
    }
    bool haveReference = false;
    CVector4 reference;
    for (int i = 0; i + 1 < count; ++i) {
        CVector4 n = TriangleNormal(p, polygon[i], polygon[i + 1]);
        if (Length(n) == 0.0f) {
            continue;
        }
        n.Normalize();
        if (!haveReference) {
            reference = n;
            haveReference = true;
        } else if (n != reference && n != reference * -1.0f) {
            return false;
        }
    }
    return haveReference;
}

bool IsPointInTriangle(CVector4 p, CVector4 a, CVector4 b, CVector4 c) {
    const CVector4 plane[3] = {b, c, p};
    if (!IsPointOnPolygonPlane(a, plane, 3)) {
        return false;
    }
    if (IsPointOnSegment(p, a, b) || IsPointOnSegment(p, b, c) || IsPointOnSegment(p, c, a)) {
        return true;
    }
    const CVector4 n = Normalized(TriangleNormal(a, b, c));
    const CVector4 edges[3][2] = {{a, b}, {b, c}, {c, a}};
    for (const auto& edge : edges) {
        CVector4 m = TriangleNormal(p, edge[0], edge[1]);
        if (Length(m) == 0.0f) {
            return false;
        }
        m.Normalize();
        // Snapping the cosine to tenths accepts every cosine from 0.99 up.
        if (SnapToTenth(DotProduct(n, m)) != 1.0) {
            return false;
        }
    }
    return true;
}

bool IsPointInPolygon(CVector4 p, const CVector4* points, int count) {
    if (points == nullptr || count < 3) {
        return false;
    }
    // A fan from the first corner: (0,1,2), (0,2,3), ...
    for (int k = 1; k + 1 < count; ++k) {
        if (IsPointInTriangle(p, points[0], points[k], points[k + 1])) {
            return true;
        }
    }
    return false;
}

bool IntersectSegments(CVector4 p1, CVector4 p2, CVector4 q1, CVector4 q2, CVector4& out) {
    const CVector4 d1 = Normalized(p2 - p1);
    const CVector4 d2 = Normalized(q2 - q1);
    if (d1 == d2 || d1 == d2 * -1.0f) {
        return false;
    }
    CVector4 n = TriangleNormal(p1, p2, q1);
    if (Length(n) == 0.0f) {
        n = TriangleNormal(p1, p2, q2);
    }
    // In the plane's frame p1 is the origin and p1-p2 runs along the x axis.
    const CTransformMatrix m = BuildPlaneFrame(p1, d1, n);
    const CVector4 tp1 = TransformPoint(m, p1);
    const CVector4 tp2 = TransformPoint(m, p2);
    const CVector4 tq1 = TransformPoint(m, q1);
    const CVector4 tq2 = TransformPoint(m, q2);

    if (!(tq1.y * tq2.y <= 0.0f)) {
        return false;
    }
    const float x = tq1.x + (-tq1.y) * (tq2.x - tq1.x) / (tq2.y - tq1.y);
    // Written so that a NaN (q1-q2 lying on the x axis) fails too.
    if (!(x >= std::min(tp1.x, tp2.x) && x <= std::max(tp1.x, tp2.x))) {
        return false;
    }
    out = TransformPoint(m.Inverse(), CVector4(x, 0.0f, 0.0f, 0.0f));
    return true;
}
