#pragma once

#include "geometry/Vector4.h"

// 4x4 float matrix in OpenGL column-major order (element (row r, column c) at 4c + r): the
// accumulated model rotation of the 3-D view. A new matrix is the identity.
class CMatrix4 {
public:
    float m[16];

    CMatrix4();
    CMatrix4(const CMatrix4&) = default;
    CMatrix4& operator=(const CMatrix4&) = default;
    virtual ~CMatrix4() = default;

    void SetIdentity();

    // Puts the rotation by angles.x about axes[0], angles.y about axes[1] and angles.z about
    // axes[2] (degrees; AXIS_X, AXIS_Y, AXIS_Z when axes is null) in front of the stored
    // rotation: stored = Rx * Ry * Rz * stored, computed in float exactly as OpenGL's
    // glRotatef/glMultMatrixf would. Multiplying the result onto the current GL matrix is the
    // render layer's job.
    void Rotate(CVector4 angles, const CVector4* axes = nullptr);

    void GetDoubles(double* out) const;
    void SetDoubles(const double* in);

    const float* Data() const { return m; }
};

// The matrix glRotatef(angleDegrees, x, y, z) multiplies onto the current matrix.
void RotationMatrixf(float angleDegrees, float x, float y, float z, float out[16]);

// out = a * b in column-major order with float arithmetic, as glMultMatrixf accumulates.
// out may alias a or b.
void MultiplyMatrixf(const float a[16], const float b[16], float out[16]);
