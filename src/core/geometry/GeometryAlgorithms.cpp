#include "geometry/GeometryAlgorithms.h"

#include <algorithm>
#include <cmath>

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

namespace {

struct Vec3d {
    double x, y, z;
};

Vec3d Sub(const CVector4& a, const CVector4& b) {
    return {static_cast<double>(a.x) - b.x, static_cast<double>(a.y) - b.y,
            static_cast<double>(a.z) - b.z};
}

Vec3d Cross(const Vec3d& u, const Vec3d& v) {
    return {u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
}

double Dot(const Vec3d& u, const Vec3d& v) {
    return u.x * v.x + u.y * v.y + u.z * v.z;
}

}  // namespace

bool IsPointOnPolygonPlane(CVector4 p, const CVector4* polygon, int count) {
    if (polygon == nullptr) {
        return false;
    }
    // The normals of the triangles (p, corner i, corner i + 1) must all be parallel. They are
    // compared in double precision with a tolerance on the angle between them (cosine at least
    // 1 - 1e-6, about 0.08 degrees): float coordinates in the thousands put a point that lies
    // on a sloped panel off its plane by rounding alone, which an exact comparison of float
    // normals rejects. A point off the plane by a visible fraction of the panel still fails.
    constexpr double kMinCosine = 1.0 - 1e-6;
    // Triangles thinner than this (sine of their angle at p) have no direction to compare.
    constexpr double kMinSine = 1e-9;
    bool haveReference = false;
    Vec3d reference{0, 0, 0};
    double referenceLength = 0.0;
    for (int i = 0; i + 1 < count; ++i) {
        const Vec3d u = Sub(polygon[i], p);
        const Vec3d v = Sub(polygon[i + 1], p);
        const Vec3d n = Cross(u, v);
        const double length = std::sqrt(Dot(n, n));
        const double scale = std::sqrt(Dot(u, u) * Dot(v, v));
        if (!(length > kMinSine * scale)) {
            continue;  // degenerate (or not finite): skipped
        }
        if (!haveReference) {
            reference = n;
            referenceLength = length;
            haveReference = true;
        } else if (std::fabs(Dot(n, reference)) < kMinCosine * length * referenceLength) {
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
