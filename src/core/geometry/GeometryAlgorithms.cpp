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

namespace {

// The plane through the widest-spread triangle of the points: the first, the one farthest from
// it, and the one farthest from the line through those two; normal not normalised, length its
// length. False when the points lie on one line within SURFACE_TOLERANCE (or are not finite).
template <typename Point>
bool SpreadPlane(int count, Point point, Vec3d& normal, double& length) {
    if (count < 3) {
        return false;
    }
    const CVector4 origin = point(0);
    int far = 0;
    double best = -1.0;
    for (int i = 1; i < count; ++i) {
        const Vec3d d = Sub(point(i), origin);
        if (Dot(d, d) > best) {
            best = Dot(d, d);
            far = i;
        }
    }
    const Vec3d axis = Sub(point(far), origin);
    int wide = 0;
    best = -1.0;
    for (int i = 1; i < count; ++i) {
        const Vec3d c = Cross(axis, Sub(point(i), origin));
        if (Dot(c, c) > best) {
            best = Dot(c, c);
            wide = i;
        }
    }
    normal = Cross(axis, Sub(point(wide), origin));
    length = std::sqrt(Dot(normal, normal));
    // The widest point within the tolerance of the line: every point lies on that line.
    return length > SURFACE_TOLERANCE * std::sqrt(Dot(axis, axis));
}

}  // namespace

bool PlaneNormal(const CVector4* points, int count, CVector4& normal) {
    Vec3d n;
    double length = 0.0;
    if (points == nullptr || !SpreadPlane(
                                 count, [points](int i) { return points[i]; }, n, length)) {
        return false;
    }
    normal = CVector4(static_cast<float>(n.x / length), static_cast<float>(n.y / length),
                      static_cast<float>(n.z / length), 0.0f);
    return true;
}

bool IsPointOnPolygonPlane(CVector4 p, const CVector4* polygon, int count) {
    if (polygon == nullptr || count < 2) {
        return false;
    }
    auto point = [&](int i) { return i == 0 ? p : polygon[i - 1]; };
    Vec3d normal;
    double length = 0.0;
    if (!SpreadPlane(count + 1, point, normal, length)) {
        return false;
    }
    for (int i = 1; i <= count; ++i) {
        if (!(std::fabs(Dot(normal, Sub(point(i), p))) <= SURFACE_TOLERANCE * length)) {
            return false;
        }
    }
    return true;
}

double DistanceToTriangle(CVector4 p, CVector4 a, CVector4 b, CVector4 c, double* height) {
    if (height != nullptr) {
        *height = 0.0;
    }
    const Vec3d ab = Sub(b, a);
    const Vec3d ac = Sub(c, a);
    const Vec3d normal = Cross(ab, ac);
    const double length = std::sqrt(Dot(normal, normal));
    // Sides this much shorter than the triangle's longest say it has no area.
    const double scale = std::max({Dot(ab, ab), Dot(ac, ac), Dot(Sub(c, b), Sub(c, b))});
    if (!(length > 1e-12 * scale)) {
        return -1.0;
    }
    const Vec3d ap = Sub(p, a);
    const double h = Dot(ap, normal) / length;
    if (!std::isfinite(h)) {
        return -1.0;
    }
    if (height != nullptr) {
        *height = h;
    }
    // The foot of p on the plane, relative to a.
    const Vec3d foot{ap.x - h * normal.x / length, ap.y - h * normal.y / length,
                     ap.z - h * normal.z / length};
    const Vec3d corner[3] = {{0, 0, 0}, ab, ac};
    bool inside = true;
    double nearest = INFINITY;
    for (int e = 0; e < 3; ++e) {
        const Vec3d& u = corner[e];
        const Vec3d& v = corner[(e + 1) % 3];
        const Vec3d edge{v.x - u.x, v.y - u.y, v.z - u.z};
        const Vec3d toFoot{foot.x - u.x, foot.y - u.y, foot.z - u.z};
        // Inside lies to the left of every edge seen along the normal.
        if (Dot(Cross(edge, toFoot), normal) < 0.0) {
            inside = false;
        }
        const double t = std::clamp(Dot(toFoot, edge) / Dot(edge, edge), 0.0, 1.0);
        const Vec3d gap{toFoot.x - t * edge.x, toFoot.y - t * edge.y, toFoot.z - t * edge.z};
        nearest = std::min(nearest, std::sqrt(Dot(gap, gap)));
    }
    return inside ? 0.0 : nearest;
}

bool IsPointInTriangle(CVector4 p, CVector4 a, CVector4 b, CVector4 c) {
    double height = 0.0;
    const double distance = DistanceToTriangle(p, a, b, c, &height);
    return distance >= 0.0 && distance <= SURFACE_TOLERANCE &&
           std::fabs(height) <= SURFACE_TOLERANCE;
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
