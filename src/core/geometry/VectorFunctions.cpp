#include "geometry/VectorFunctions.h"

#include <cmath>

double DegToRad(double degrees) {
    return degrees * GEOMETRY_PI * 0.005555555555555556;
}

double SnapToTenth(double v) {
    const double t = v * 10.0;
    if (t >= 0.0) {
        return std::trunc(t + 0.1) * 0.1;
    }
    return std::trunc(t - 0.1) * 0.1;
}

namespace {

// The two components a plane turns: b toward a.
float* FirstOf(CVector4& v, int plane) {
    return plane == PLANE_XY ? &v.x : plane == PLANE_YZ ? &v.y : &v.z;
}
float* SecondOf(CVector4& v, int plane) {
    return plane == PLANE_XY ? &v.y : plane == PLANE_YZ ? &v.z : &v.x;
}

}  // namespace

CVector4 RotateAboutAxis(int plane, double radians, CVector4 centre, CVector4 point) {
    CVector4 result = point;
    const double cb = *FirstOf(centre, plane);
    const double ca = *SecondOf(centre, plane);
    const double db = *FirstOf(point, plane) - cb;
    const double da = *SecondOf(point, plane) - ca;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    *FirstOf(result, plane) = static_cast<float>(SnapToTenth(cb + (c * db - s * da)));
    *SecondOf(result, plane) = static_cast<float>(SnapToTenth(c * da + s * db + ca));
    return result;
}

double PolarAngle(double a, double b) {
    const double r = std::sqrt(a * a + b * b);
    const double na = std::fabs(a / r);
    const double nb = std::fabs(b / r);
    const double angle = nb < na ? std::asin(nb) : std::acos(na);
    if (a >= 0.0 && b >= 0.0) {
        return angle;
    }
    if (a < 0.0 && b >= 0.0) {
        return GEOMETRY_PI - angle;
    }
    if (a < 0.0) {
        return GEOMETRY_PI + angle;
    }
    return (GEOMETRY_PI + GEOMETRY_PI) - angle;
}

CVector4 TriangleNormal(CVector4 p0, CVector4 p1, CVector4 p2) {
    const CVector4 u = p1 - p0;
    const CVector4 v = p2 - p0;
    return CVector4(u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x, 0.0f);
}

CVector4 PolygonNormal(const CVector4* points, int count) {
    if (points == nullptr || count < 3) {
        return CVector4();
    }
    double mean[3] = {0.0, 0.0, 0.0};
    for (int i = 0; i < count; ++i) {
        mean[0] += points[i].x;
        mean[1] += points[i].y;
        mean[2] += points[i].z;
    }
    for (double& m : mean) {
        m /= count;
    }
    double n[3] = {0.0, 0.0, 0.0};
    for (int i = 0; i < count; ++i) {
        const CVector4& a = points[i];
        const CVector4& b = points[(i + 1) % count];
        const double ay = a.y - mean[1], az = a.z - mean[2], ax = a.x - mean[0];
        const double by = b.y - mean[1], bz = b.z - mean[2], bx = b.x - mean[0];
        n[0] += (ay - by) * (az + bz);
        n[1] += (az - bz) * (ax + bx);
        n[2] += (ax - bx) * (ay + by);
    }
    return CVector4(static_cast<float>(n[0]), static_cast<float>(n[1]), static_cast<float>(n[2]),
                    0.0f);
}

float DotProduct(CVector4 u, CVector4 v) {
    return u.x * v.x + u.y * v.y + u.z * v.z;
}
