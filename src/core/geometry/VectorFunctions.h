#pragma once

#include "geometry/Vector4.h"

// pi as the geometry code uses it everywhere (eleven decimals), not the full-precision value.
constexpr double GEOMETRY_PI = 3.14159265359;

// degrees * 3.14159265359 * (1/180)
double DegToRad(double degrees);

// Cuts to one decimal with a tolerance of 0.01 that absorbs rounding noise:
// 1.29 -> 1.3, 1.289 -> 1.2, 1.25 -> 1.2, -1.29 -> -1.3.
double SnapToTenth(double v);

// Planes for RotateAboutAxis: which pair of components turns.
enum RotationPlane { PLANE_XY = 0, PLANE_YZ = 1, PLANE_ZX = 2 };

// Turns point about the line through centre parallel to a coordinate axis (plane 0: about Z,
// x toward y; 1: about X, y toward z; 2: about Y, z toward x). The two turned coordinates are
// snapped to tenths; the third and w are copied.
CVector4 RotateAboutAxis(int plane, double radians, CVector4 centre, CVector4 point);

// Angle of the direction (a, b) from the a axis toward the b axis, in [0, 2*pi) with the
// geometry pi. (0, 0) must not be passed.
double PolarAngle(double a, double b);

// (p1 - p0) x (p2 - p0), not normalised, w = 0.
CVector4 TriangleNormal(CVector4 p0, CVector4 p1, CVector4 p2);

// Newell's sum over the polygon's edges (closing edge included), computed in double about the
// corners' mean, not normalised, w = 0: for a plane polygon twice its area along its normal.
// Unlike TriangleNormal of the first three corners it does not depend on where the corners
// start, and a polygon whose first three corners lie on a line still gets its normal. Zero
// for fewer than three corners or corners on one line.
CVector4 PolygonNormal(const CVector4* points, int count);

// x, y and z only.
float DotProduct(CVector4 u, CVector4 v);
