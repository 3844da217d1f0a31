#include "field/Camera.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>

#include "geometry/VectorFunctions.h"

void CCamera::ResetCamera() {
    m_fZoom = 1.0f;
    m_vPan.Set(0, 0, 0);
    m_nDragMode = DRAG_NONE;
    SetViewPreset(VIEW_Z_PLUS);
}

void CCamera::ResetRotation() {
    m_matRotation.SetIdentity();
    m_vAngles = CVector4(0, 0, 0);
    m_vRotStep = CVector4(0, 0, 0);
}

void CCamera::Turn(CVector4 step) {
    m_vRotStep = step;
    float* angles[3] = {&m_vAngles.x, &m_vAngles.y, &m_vAngles.z};
    const float steps[3] = {step.x, step.y, step.z};
    for (int i = 0; i < 3; ++i) {
        float a = *angles[i] + steps[i];
        if (a >= 360.0f) {
            a -= 360.0f;
        } else if (a < 0.0f) {
            a += 360.0f;
        }
        *angles[i] = a;
    }
    m_matRotation.Rotate(step);
    m_vRotStep = CVector4(0, 0, 0);
}

void CCamera::Drag(int mode, int dx, int dy, int clientW, int clientH) {
    switch (mode) {
        case DRAG_ZOOM: {
            const bool vertical = std::abs(dx) < std::abs(dy);
            const float d = static_cast<float>(vertical ? dy : dx);
            const float g = static_cast<float>(vertical ? clientH : clientW);
            if (g > 0.0f && d > 0.0f) {
                m_fZoom *= d / g + 1.0f;
            } else if (g > 0.0f && d < 0.0f) {
                m_fZoom /= 1.0f - d / g;
            }
            break;
        }
        case DRAG_ROTATE:
            if (clientW > 0 && clientH > 0) {
                Turn(CVector4(static_cast<float>(dy) * 360.0f / static_cast<float>(clientH),
                              static_cast<float>(dx) * 360.0f / static_cast<float>(clientW), 0.0f));
            }
            break;
        case DRAG_PAN:
            m_vPan.x += static_cast<float>(dx);
            m_vPan.y -= static_cast<float>(dy);
            break;
        default:
            break;
    }
}

CVector4 PresetStep(int preset) {
    switch (preset) {
        case VIEW_X_PLUS:
            return CVector4(-90, 0, -90);
        case VIEW_X_MINUS:
            return CVector4(90, 180, -90);
        case VIEW_Y_PLUS:
            return CVector4(0, 0, 0);
        case VIEW_Y_MINUS:
            return CVector4(180, 0, 0);
        case VIEW_Z_PLUS:
            return CVector4(-90, 0, 0);
        case VIEW_Z_MINUS:
            return CVector4(90, 180, 0);
        default:
            return CVector4(0, 0, 0);
    }
}

void CCamera::SetViewPreset(int preset) {
    ResetRotation();
    Turn(PresetStep(preset));
}

bool CCamera::SetTypedView(double scale, double horizontal, double vertical, double z, double panX,
                           double panY) {
    // The zoom is a float: a scale that is 0 or infinite there is no scale either.
    if (!(scale >= FLT_MIN) || scale > FLT_MAX) {
        return false;
    }
    // Whole turns dropped: the same rotation, and angles that stay in [0, 360) however large
    // the typed number; pans kept within the float range.
    auto turn = [](double a) {
        return std::isfinite(a) ? static_cast<float>(std::fmod(a, 360.0)) : 0.0f;
    };
    auto shift = [](double v) {
        return std::isfinite(v) ? static_cast<float>(std::clamp(v, -1e30, 1e30)) : 0.0f;
    };
    m_fZoom = static_cast<float>(scale);
    ResetRotation();
    Turn(CVector4(turn(vertical), turn(horizontal), turn(z)));
    m_vPan.x = shift(panX);
    m_vPan.y = shift(panY);
    return true;
}

void CCamera::AnglesFromMatrix() {
    // The matrix is Rx(a) Ry(b) Rz(c); column-major, element (row i, column j) is m[4 j + i]:
    // m[8] = sin b, m[0] = cos b cos c, m[4] = -cos b sin c, m[9] = -sin a cos b,
    // m[10] = cos a cos b.
    const float* m = m_matRotation.m;
    const double sinB = std::clamp(static_cast<double>(m[8]), -1.0, 1.0);
    const double b = std::asin(sinB);
    double a, c;
    if (std::fabs(sinB) < 0.999999) {
        a = std::atan2(-m[9], m[10]);
        c = std::atan2(-m[4], m[0]);
    } else {
        // Looking along the y axis: only a + c (or a - c) is fixed; c = 0 takes all into a.
        a = std::atan2(m[6], m[5]);
        c = 0.0;
    }
    auto degrees = [](double radians) {
        double d = std::fmod(radians * 180.0 / GEOMETRY_PI, 360.0);
        if (d < 0.0) {
            d += 360.0;
        }
        // Within a rounding of a whole degree: that degree (a typed 30 is not read back as
        // 29.99998 and shown as 29).
        const double whole = std::round(d);
        return static_cast<float>(std::fabs(d - whole) < 1e-3 ? std::fmod(whole, 360.0) : d);
    };
    if (!(std::isfinite(a) && std::isfinite(b) && std::isfinite(c))) {
        return;
    }
    m_vAngles = CVector4(degrees(a), degrees(b), degrees(c));
}

CVector4 CCamera::Project(CVector4 p, float fitScale) const {
    const float k = fitScale * m_fZoom;
    const float* m = m_matRotation.m;
    const float x = k * p.x, y = k * p.y, z = k * p.z;
    return CVector4(m_vPan.x + m[0] * x + m[4] * y + m[8] * z,
                    m_vPan.y + m[1] * x + m[5] * y + m[9] * z,
                    m_vPan.z + m[2] * x + m[6] * y + m[10] * z);
}

void CCamera::CentreOn(CVector4 p, float fitScale) {
    m_vPan.Set(0, 0, 0);
    const CVector4 at = Project(p, fitScale);
    if (std::isfinite(at.x) && std::isfinite(at.y)) {
        m_vPan.Set(0.0f - at.x, 0.0f - at.y, 0);  // 0 - x: never a negative zero
    }
}
