#include "GLSolids.h"

#include <GL/gl.h>

#include <cmath>
#include <vector>

namespace kzv {

namespace {

constexpr double kTwoPi = 6.283185307179586;

// Cosines and sines of n + 1 angles evenly around the circle (the last equals the first).
void CircleTable(int n, std::vector<double>& c, std::vector<double>& s) {
    c.resize(static_cast<size_t>(n) + 1);
    s.resize(static_cast<size_t>(n) + 1);
    for (int i = 0; i <= n; ++i) {
        const double a = kTwoPi * (i % n) / n;
        c[static_cast<size_t>(i)] = std::cos(a);
        s[static_cast<size_t>(i)] = std::sin(a);
    }
}

}  // namespace

void SolidSphere(double radius, int slices, int stacks) {
    if (slices < 1 || stacks < 1 || radius <= 0.0) {
        return;
    }
    std::vector<double> cs, ss;
    CircleTable(slices, cs, ss);
    for (int i = 0; i < stacks; ++i) {
        const double phi0 = (kTwoPi / 2) * i / stacks;  // from the +z pole down
        const double phi1 = (kTwoPi / 2) * (i + 1) / stacks;
        const double z0 = std::cos(phi0), r0 = std::sin(phi0);
        const double z1 = std::cos(phi1), r1 = std::sin(phi1);
        glBegin(GL_QUAD_STRIP);
        for (int j = 0; j <= slices; ++j) {
            const double c = cs[static_cast<size_t>(j)], s = ss[static_cast<size_t>(j)];
            glNormal3d(c * r0, s * r0, z0);
            glVertex3d(c * r0 * radius, s * r0 * radius, z0 * radius);
            glNormal3d(c * r1, s * r1, z1);
            glVertex3d(c * r1 * radius, s * r1 * radius, z1 * radius);
        }
        glEnd();
    }
}

void SolidCone(double base, double height, int slices, int stacks) {
    if (slices < 1 || stacks < 1) {
        return;
    }
    std::vector<double> cs, ss;
    CircleTable(slices, cs, ss);
    // Base disc, facing -z.
    glBegin(GL_TRIANGLE_FAN);
    glNormal3d(0, 0, -1);
    glVertex3d(0, 0, 0);
    for (int j = slices; j >= 0; --j) {
        glVertex3d(cs[static_cast<size_t>(j)] * base, ss[static_cast<size_t>(j)] * base, 0);
    }
    glEnd();
    // Side, stack by stack toward the apex.
    const double slant = std::sqrt(height * height + base * base);
    const double nz = slant > 0 ? base / slant : 0;
    const double nr = slant > 0 ? height / slant : 1;
    for (int i = 0; i < stacks; ++i) {
        const double z0 = height * i / stacks, z1 = height * (i + 1) / stacks;
        const double r0 = base * (stacks - i) / stacks, r1 = base * (stacks - i - 1) / stacks;
        glBegin(GL_QUAD_STRIP);
        for (int j = 0; j <= slices; ++j) {
            const double c = cs[static_cast<size_t>(j)], s = ss[static_cast<size_t>(j)];
            glNormal3d(c * nr, s * nr, nz);
            glVertex3d(c * r0, s * r0, z0);
            glVertex3d(c * r1, s * r1, z1);
        }
        glEnd();
    }
}

}  // namespace kzv
