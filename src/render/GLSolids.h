#pragma once

namespace kzv {

// Solid sphere about the origin and solid cone along +z (base disc at z = 0, apex at
// z = height), drawn in immediate mode with normals for lighting: the same solids, slices and
// stacks as GLUT's glutSolidSphere and glutSolidCone, without needing GLUT's X connection.
void SolidSphere(double radius, int slices, int stacks);
void SolidCone(double base, double height, int slices, int stacks);

}  // namespace kzv
