#pragma once

#include "geometry/Vector4.h"

// A 4x4 affine matrix computed on the CPU, in OpenGL column-major order (element (row r,
// column c) at 4c + r). A new matrix is the identity. Unlike CMatrix4 it never touches
// OpenGL; it carries points into and out of a plane's own frame.
class CTransformMatrix {
public:
    float m[16];

    CTransformMatrix() { SetIdentity(); }

    void SetIdentity();
    // The identity with the translation (x, y, z) in elements 12, 13, 14.
    void SetTranslation(float x, float y, float z);
    // The right-handed rotation about the X (0), Y (1) or Z (2) axis; any other axis gives
    // the identity.
    void SetRotation(int axis, double radians);

    // this = r * this: a point transformed by the result goes through the old matrix first and
    // through r second. Sums are accumulated in extended precision and stored as float.
    void PreMultiply(const CTransformMatrix& r);

    // Determinant of the upper-left 3x3 block, accumulated in extended precision.
    float Determinant3() const;

    // Gauss-Jordan inverse with partial pivoting in float. A matrix whose upper-left 3x3
    // determinant is exactly zero, or one that meets a zero pivot, is returned unchanged.
    CTransformMatrix Inverse() const;
};

// (m * (x, y, z, 1)) with w = 0, in float.
CVector4 TransformPoint(const CTransformMatrix& m, CVector4 p);
