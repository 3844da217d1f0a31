#include "field/Camera.h"

#include <cstdlib>

void DragCamera(CViewState& state, int mode, int dx, int dy, int clientW, int clientH) {
    switch (mode) {
        case DRAG_ZOOM: {
            const bool vertical = std::abs(dx) < std::abs(dy);
            const float d = static_cast<float>(vertical ? dy : dx);
            const float g = static_cast<float>(vertical ? clientH : clientW);
            if (g > 0.0f && d > 0.0f) {
                state.m_fZoom *= d / g + 1.0f;
            } else if (g > 0.0f && d < 0.0f) {
                state.m_fZoom /= 1.0f - d / g;
            }
            break;
        }
        case DRAG_ROTATE:
            if (clientW > 0 && clientH > 0) {
                state.m_vRotStep.y = static_cast<float>(dx) * 360.0f / static_cast<float>(clientW);
                state.m_vRotStep.x = static_cast<float>(dy) * 360.0f / static_cast<float>(clientH);
            }
            break;
        case DRAG_PAN:
            state.m_vPan.x += static_cast<float>(dx);
            state.m_vPan.y -= static_cast<float>(dy);
            break;
        default:
            break;
    }
    state.ApplyRotationStep();
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

void SetViewPreset(CViewState& state, CMatrix4& rotation, int preset) {
    state.ResetRotation(rotation);
    state.m_vRotStep = PresetStep(preset);
    state.ApplyRotationStep();
}
