#pragma once

#include "geometry/TransformMatrix.h"
#include "geometry/Vector4.h"

// Geometric predicates and constructions on points of the measurement mesh. Vector equality
// is CVector4's epsilon comparison applied to unit vectors; the only other tolerance is the
// one built into SnapToTenth.

// The matrix that moves origin to (0, 0, 0), turns normal onto +z and then direction onto +x,
// so that the plane through origin with that normal becomes the x-y plane. The intermediate
// normal and direction are turned with RotateAboutAxis and therefore snapped to tenths.
CTransformMatrix BuildPlaneFrame(CVector4 origin, CVector4 direction, CVector4 normal);

// p equals a or b, or lies strictly between them with p - a and b - p pointing the same way.
bool IsPointOnSegment(CVector4 p, CVector4 a, CVector4 b);

// The normals of the triangles (p, polygon[i], polygon[i + 1]) all lie along one line; zero
// normals are skipped, and at least one must be non-zero. The closing pair (last, first) is
// not tested. False for a null polygon or fewer than two corners.
bool IsPointOnPolygonPlane(CVector4 p, const CVector4* polygon, int count);

// p lies in the plane of the triangle and inside it or on its edges; a point counts as inside
// when the normals of the sub-triangles towards each edge agree with the triangle's normal to
// a cosine of at least 0.99.
bool IsPointInTriangle(CVector4 p, CVector4 a, CVector4 b, CVector4 c);

// p lies in one of the fan triangles (0, k, k + 1) of the polygon. False for a null polygon or
// fewer than three corners.
bool IsPointInPolygon(CVector4 p, const CVector4* points, int count);

// The crossing of the segments p1-p2 and q1-q2, assumed to lie in one plane; ends count. False
// for parallel segments and for segments that do not meet.
bool IntersectSegments(CVector4 p1, CVector4 p2, CVector4 q1, CVector4 q2, CVector4& out);
