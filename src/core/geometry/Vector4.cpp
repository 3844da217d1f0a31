#include "geometry/Vector4.h"

#include <cmath>

bool CVector4::operator==(const CVector4& v) const {
    return std::fabs(x - v.x) < VECTOR_EPSILON && std::fabs(y - v.y) < VECTOR_EPSILON &&
           std::fabs(z - v.z) < VECTOR_EPSILON && std::fabs(w - v.w) < VECTOR_EPSILON;
}

bool CVector4::operator!=(const CVector4& v) const {
    return std::fabs(x - v.x) > VECTOR_EPSILON || std::fabs(y - v.y) > VECTOR_EPSILON ||
           std::fabs(z - v.z) > VECTOR_EPSILON || std::fabs(w - v.w) > VECTOR_EPSILON;
}

void CVector4::Set(float x_, float y_, float z_) {
    x = x_;
    y = y_;
    z = z_;
}

void CVector4::Set(float x_, float y_, float z_, float w_) {
    x = x_;
    y = y_;
    z = z_;
    w = w_;
}

void CVector4::Offset(float dx, float dy, float dz) {
    x += dx;
    y += dy;
    z += dz;
}

float CVector4::Distance(const CVector4& v) const {
    const float dx = x - v.x;
    const float dy = y - v.y;
    const float dz = z - v.z;
    return static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
}

void CVector4::Normalize() {
    const float length = Distance(CVector4(0.0f, 0.0f, 0.0f, 0.0f));
    if (length == 0.0f) {
        return;
    }
    *this = *this / length;
}

const CVector4 COLOR_BLACK(0, 0, 0, 0);
const CVector4 COLOR_WHITE(1, 1, 1, 0);
const CVector4 COLOR_GRAY(0.5f, 0.5f, 0.5f, 0);
const CVector4 COLOR_RED(1, 0, 0, 0);
const CVector4 COLOR_GREEN(0, 1, 0, 0);
const CVector4 COLOR_BLUE(0, 0, 1, 0);
const CVector4 COLOR_YELLOW(1, 1, 0, 0);
const CVector4 COLOR_MAGENTA(1, 0, 1, 0);
const CVector4 COLOR_CYAN(0, 1, 1, 0);

const CVector4 OPAQUE_BLACK(0, 0, 0, 1);
const CVector4 OPAQUE_WHITE(1, 1, 1, 1);
const CVector4 OPAQUE_RED(1, 0, 0, 1);
const CVector4 OPAQUE_GREEN(0, 1, 0, 1);
const CVector4 OPAQUE_BLUE(0, 0, 1, 1);
const CVector4 OPAQUE_YELLOW(1, 1, 0, 1);
const CVector4 OPAQUE_MAGENTA(1, 0, 1, 1);
const CVector4 OPAQUE_CYAN(0, 1, 1, 1);

const CVector4 CLEAR_BLACK(0, 0, 0, 0);
const CVector4 CLEAR_WHITE(1, 1, 1, 0);
const CVector4 CLEAR_RED(1, 0, 0, 0);
const CVector4 CLEAR_GREEN(0, 1, 0, 0);
const CVector4 CLEAR_BLUE(0, 0, 1, 0);
const CVector4 CLEAR_YELLOW(1, 1, 0, 0);
const CVector4 CLEAR_MAGENTA(1, 0, 1, 0);
const CVector4 CLEAR_CYAN(0, 1, 1, 0);

const CVector4 AXIS_X(1, 0, 0, 0);
const CVector4 AXIS_Y(0, 1, 0, 0);
const CVector4 AXIS_Z(0, 0, 1, 0);

// Defined after the colours in this translation unit, so they are initialised as copies.
const CVector4 AXIS_X_COLOR(COLOR_RED);
const CVector4 AXIS_Y_COLOR(COLOR_BLUE);
const CVector4 AXIS_Z_COLOR(COLOR_GREEN);
const CVector4 MARK_COLOR(COLOR_MAGENTA);
