#include "GLRotate.h"

#include <GL/gl.h>

#include "GLRenderer.h"

void GlRotate(float angleDegrees, CVector4 axis) {
    if (CGLRenderer::HasCurrentContext()) {
        glRotatef(angleDegrees, axis.x, axis.y, axis.z);
    }
}

void RotateAndApply(CMatrix4& matrix, CVector4 angles, const CVector4* axes) {
    matrix.Rotate(angles, axes);
    ApplyRotation(matrix);
}

void ApplyRotation(const CMatrix4& matrix) {
    if (CGLRenderer::HasCurrentContext()) {
        glMultMatrixf(matrix.Data());
    }
}
