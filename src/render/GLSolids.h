#pragma once

#include <vector>

namespace kzv {

// One primitive of a solid: its OpenGL mode (GL_QUAD_STRIP, GL_TRIANGLE_FAN) and a normal and
// a position per vertex, three floats each.
struct CSolidStrip {
    unsigned mode = 0;
    std::vector<float> normals;
    std::vector<float> vertices;
};

// Solid sphere about the origin and solid cone along +z (base disc at z = 0, apex at
// z = height): the same solids, slices and stacks as GLUT's glutSolidSphere and
// glutSolidCone, without needing GLUT's X connection. The strips are what the immediate-mode
// calls below send, vertex by vertex.
std::vector<CSolidStrip> SphereStrips(double radius, int slices, int stacks);
std::vector<CSolidStrip> ConeStrips(double base, double height, int slices, int stacks);

// Draws them in immediate mode with normals for lighting.
void SolidSphere(double radius, int slices, int stacks);
void SolidCone(double base, double height, int slices, int stacks);

}  // namespace kzv
