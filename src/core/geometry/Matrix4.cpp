#include "geometry/Matrix4.h"

#include <cmath>
#include <cstring>

namespace {
const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
// Full-precision pi: this is the graphics library's rotation, not the geometry code's.
const double kPi = 3.14159265358979323846;
}  // namespace

void RotationMatrixf(float angleDegrees, float x, float y, float z, float out[16]) {
    // Same formula and special cases as the usual fixed-function implementation: sine and
    // cosine in double from the float angle, everything else in float.
    const float s = static_cast<float>(std::sin(angleDegrees * kPi / 180.0));
    const float c = static_cast<float>(std::cos(angleDegrees * kPi / 180.0));
    std::memcpy(out, kIdentity, sizeof kIdentity);
    auto M = [out](int row, int col) -> float& { return out[col * 4 + row]; };

    bool optimized = false;
    if (x == 0.0f) {
        if (y == 0.0f) {
            if (z != 0.0f) {
                optimized = true;  // about z only
                M(0, 0) = c;
                M(1, 1) = c;
                if (z < 0.0f) {
                    M(0, 1) = s;
                    M(1, 0) = -s;
                } else {
                    M(0, 1) = -s;
                    M(1, 0) = s;
                }
            }
        } else if (z == 0.0f) {
            optimized = true;  // about y only
            M(0, 0) = c;
            M(2, 2) = c;
            if (y < 0.0f) {
                M(0, 2) = -s;
                M(2, 0) = s;
            } else {
                M(0, 2) = s;
                M(2, 0) = -s;
            }
        }
    } else if (y == 0.0f && z == 0.0f) {
        optimized = true;  // about x only
        M(1, 1) = c;
        M(2, 2) = c;
        if (x < 0.0f) {
            M(1, 2) = s;
            M(2, 1) = -s;
        } else {
            M(1, 2) = -s;
            M(2, 1) = s;
        }
    }

    if (!optimized) {
        const float mag = std::sqrt(x * x + y * y + z * z);
        if (mag <= 1.0e-4f) {
            return;  // no usable axis: identity
        }
        x /= mag;
        y /= mag;
        z /= mag;
        const float xx = x * x, yy = y * y, zz = z * z;
        const float xy = x * y, yz = y * z, zx = z * x;
        const float xs = x * s, ys = y * s, zs = z * s;
        const float one_c = 1.0f - c;
        M(0, 0) = (one_c * xx) + c;
        M(0, 1) = (one_c * xy) - zs;
        M(0, 2) = (one_c * zx) + ys;
        M(1, 0) = (one_c * xy) + zs;
        M(1, 1) = (one_c * yy) + c;
        M(1, 2) = (one_c * yz) - xs;
        M(2, 0) = (one_c * zx) - ys;
        M(2, 1) = (one_c * yz) + xs;
        M(2, 2) = (one_c * zz) + c;
    }
}

void MultiplyMatrixf(const float a[16], const float b[16], float out[16]) {
    float p[16];
    for (int i = 0; i < 4; ++i) {
        const float ai0 = a[i], ai1 = a[4 + i], ai2 = a[8 + i], ai3 = a[12 + i];
        for (int j = 0; j < 4; ++j) {
            p[4 * j + i] =
                ai0 * b[4 * j] + ai1 * b[4 * j + 1] + ai2 * b[4 * j + 2] + ai3 * b[4 * j + 3];
        }
    }
    std::memcpy(out, p, sizeof p);
}

CMatrix4::CMatrix4() {
    SetIdentity();
}

void CMatrix4::SetIdentity() {
    for (float& v : m) {
        v = 0.0f;
    }
    m[0] = m[5] = m[10] = m[15] = 1.0f;
}

void CMatrix4::Rotate(CVector4 angles, const CVector4* axes) {
    const CVector4& a0 = axes ? axes[0] : AXIS_X;
    const CVector4& a1 = axes ? axes[1] : AXIS_Y;
    const CVector4& a2 = axes ? axes[2] : AXIS_Z;
    float t[16];
    float r[16];
    RotationMatrixf(angles.x, a0.x, a0.y, a0.z, t);
    RotationMatrixf(angles.y, a1.x, a1.y, a1.z, r);
    MultiplyMatrixf(t, r, t);
    RotationMatrixf(angles.z, a2.x, a2.y, a2.z, r);
    MultiplyMatrixf(t, r, t);
    MultiplyMatrixf(t, m, m);
}

void CMatrix4::GetDoubles(double* out) const {
    for (int i = 0; i < 16; ++i) {
        out[i] = m[i];
    }
}

void CMatrix4::SetDoubles(const double* in) {
    for (int i = 0; i < 16; ++i) {
        m[i] = static_cast<float>(in[i]);
    }
}
