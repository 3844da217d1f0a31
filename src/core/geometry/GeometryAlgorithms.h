#pragma once

#include "geometry/TransformMatrix.h"
#include "geometry/Vector4.h"

// Geometric predicates and constructions on points of the measurement mesh.

// How far, in millimetres, a point may lie off a plane, or outside a triangle in its plane,
// and still count as on it. Every coordinate the program places is snapped to tenths
// (SnapToTenth moves it by less than 0.09), which puts a point meant for a sloped plane up to
// 0.16 off it; the taps that span the plane are given to tenths as well (and snapped again
// when the building turns), which tilts the plane by about as much again over a face. The
// samples at every building angle need at most 0.35; a point a millimetre off is off.
constexpr double SURFACE_TOLERANCE = 0.5;

// The matrix that moves origin to (0, 0, 0), turns normal onto +z and then direction onto +x,
// so that the plane through origin with that normal becomes the x-y plane. The intermediate
// normal and direction are turned with RotateAboutAxis and therefore snapped to tenths.
CTransformMatrix BuildPlaneFrame(CVector4 origin, CVector4 direction, CVector4 normal);

// p equals a or b, or lies strictly between them with p - a and b - p pointing the same way.
bool IsPointOnSegment(CVector4 p, CVector4 a, CVector4 b);

// p and the polygon's corners lie on one plane: each within SURFACE_TOLERANCE of the plane
// through p, the corner farthest from p and the corner farthest from the line between those
// two (a well-spread triangle, so that the snapping of its corners tilts it least). False when
// all of them lie on one line (within the tolerance), for a null polygon and for fewer than
// two corners.
bool IsPointOnPolygonPlane(CVector4 p, const CVector4* polygon, int count);

// The unit normal of the plane through the points' widest-spread triangle, chosen as above
// from the first point. False, normal unchanged, when they lie on one line.
bool PlaneNormal(const CVector4* points, int count, CVector4& normal);

// How far p lies from the triangle a-b-c within the triangle's plane: 0 when p's foot on the
// plane is inside the triangle or on its edges, else the distance from the foot to the nearest
// edge. height (when given) receives p's distance from the plane, signed along
// (b - a) x (c - a). Negative (height 0) for a degenerate triangle or a point that is not
// finite.
double DistanceToTriangle(CVector4 p, CVector4 a, CVector4 b, CVector4 c, double* height);

// p lies within SURFACE_TOLERANCE of the triangle: of its plane and of its inside or edges.
bool IsPointInTriangle(CVector4 p, CVector4 a, CVector4 b, CVector4 c);

// p lies in one of the fan triangles (0, k, k + 1) of the polygon. False for a null polygon or
// fewer than three corners.
bool IsPointInPolygon(CVector4 p, const CVector4* points, int count);

// The crossing of the segments p1-p2 and q1-q2, assumed to lie in one plane; ends count. False
// for parallel segments and for segments that do not meet.
bool IntersectSegments(CVector4 p1, CVector4 p2, CVector4 q1, CVector4 q2, CVector4& out);
