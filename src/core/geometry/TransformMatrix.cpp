#include "geometry/TransformMatrix.h"

#include <cmath>
#include <utility>

void CTransformMatrix::SetIdentity() {
    for (int i = 0; i < 16; ++i) {
        m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
    }
}

void CTransformMatrix::SetTranslation(float x, float y, float z) {
    SetIdentity();
    m[12] = x;
    m[13] = y;
    m[14] = z;
}

void CTransformMatrix::SetRotation(int axis, double radians) {
    SetIdentity();
    const float c = static_cast<float>(std::cos(radians));
    const float s = static_cast<float>(std::sin(radians));
    switch (axis) {
        case 0:
            m[5] = c;
            m[6] = s;
            m[9] = -s;
            m[10] = c;
            break;
        case 1:
            m[10] = c;
            m[8] = s;
            m[2] = -s;
            m[0] = c;
            break;
        case 2:
            m[0] = c;
            m[1] = s;
            m[4] = -s;
            m[5] = c;
            break;
        default:
            break;
    }
}

void CTransformMatrix::PreMultiply(const CTransformMatrix& r) {
    float result[16];
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            long double sum = 0.0L;
            for (int k = 0; k < 4; ++k) {
                sum += static_cast<long double>(m[4 * i + k]) * r.m[4 * k + j];
            }
            result[4 * i + j] = static_cast<float>(sum);
        }
    }
    for (int i = 0; i < 16; ++i) {
        m[i] = result[i];
    }
}

float CTransformMatrix::Determinant3() const {
    // a(r, c) = m[4c + r]; expansion along the first row.
    auto a = [this](int r, int c) { return static_cast<long double>(m[4 * c + r]); };
    const long double det = a(0, 0) * (a(1, 1) * a(2, 2) - a(1, 2) * a(2, 1)) -
                            a(0, 1) * (a(1, 0) * a(2, 2) - a(1, 2) * a(2, 0)) +
                            a(0, 2) * (a(1, 0) * a(2, 1) - a(1, 1) * a(2, 0));
    return static_cast<float>(det);
}

CTransformMatrix CTransformMatrix::Inverse() const {
    if (Determinant3() == 0.0f) {
        return *this;
    }
    // [this | identity], row by row.
    float a[4][8];
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            a[r][c] = m[4 * c + r];
            a[r][4 + c] = (r == c) ? 1.0f : 0.0f;
        }
    }
    for (int j = 0; j < 4; ++j) {
        // The first row from j on with the largest magnitude in column j; none when all are 0.
        int k = -1;
        float best = 0.0f;
        for (int r = j; r < 4; ++r) {
            if (std::fabs(a[r][j]) > best) {
                best = std::fabs(a[r][j]);
                k = r;
            }
        }
        if (k < 0) {
            return *this;
        }
        if (k != j) {
            for (int c = 0; c < 8; ++c) {
                std::swap(a[j][c], a[k][c]);
            }
        }
        const float pivot = a[j][j];
        for (int c = j; c < 8; ++c) {
            a[j][c] /= pivot;
        }
        for (int r = 0; r < 4; ++r) {
            if (r == j) {
                continue;
            }
            const float f = a[r][j];
            for (int c = j; c < 8; ++c) {
                a[r][c] -= a[j][c] * f;
            }
        }
    }
    CTransformMatrix inv;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            inv.m[4 * c + r] = a[r][4 + c];
        }
    }
    return inv;
}

CVector4 TransformPoint(const CTransformMatrix& m, CVector4 p) {
    float out[3];
    for (int i = 0; i < 3; ++i) {
        out[i] = m.m[i] * p.x + m.m[4 + i] * p.y + m.m[8 + i] * p.z + m.m[12 + i];
    }
    return CVector4(out[0], out[1], out[2], 0.0f);
}
