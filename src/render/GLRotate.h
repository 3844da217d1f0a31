#pragma once

#include "geometry/Matrix4.h"
#include "geometry/Vector4.h"

// glRotatef(angleDegrees, axis.x, axis.y, axis.z).
void GlRotate(float angleDegrees, CVector4 axis);

// The accumulated rotation's GL side: puts the new rotation in front of the stored one
// (CMatrix4::Rotate) and multiplies the result onto the current matrix, which must be the
// model-view matrix.
void RotateAndApply(CMatrix4& matrix, CVector4 angles, const CVector4* axes = nullptr);

// Multiplies the stored rotation onto the current matrix.
void ApplyRotation(const CMatrix4& matrix);
