#include "render/GLSolids.h"

#include <GL/gl.h>

#include <cmath>

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

// Appends a vertex with its normal; OpenGL keeps both as floats.
void Put(CSolidStrip& strip, double nx, double ny, double nz, double x, double y, double z) {
    strip.normals.insert(strip.normals.end(),
                         {static_cast<float>(nx), static_cast<float>(ny), static_cast<float>(nz)});
    strip.vertices.insert(strip.vertices.end(),
                          {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)});
}

void Draw(const std::vector<CSolidStrip>& strips) {
    for (const CSolidStrip& strip : strips) {
        glBegin(strip.mode);
        for (size_t i = 0; i + 2 < strip.vertices.size(); i += 3) {
            glNormal3fv(&strip.normals[i]);
            glVertex3fv(&strip.vertices[i]);
        }
        glEnd();
    }
}

}  // namespace

std::vector<CSolidStrip> SphereStrips(double radius, int slices, int stacks) {
    std::vector<CSolidStrip> strips;
    if (slices < 1 || stacks < 1 || radius <= 0.0) {
        return strips;
    }
    std::vector<double> cs, ss;
    CircleTable(slices, cs, ss);
    for (int i = 0; i < stacks; ++i) {
        const double phi0 = (kTwoPi / 2) * i / stacks;  // from the +z pole down
        const double phi1 = (kTwoPi / 2) * (i + 1) / stacks;
        const double z0 = std::cos(phi0), r0 = std::sin(phi0);
        const double z1 = std::cos(phi1), r1 = std::sin(phi1);
        CSolidStrip& strip = strips.emplace_back();
        strip.mode = GL_QUAD_STRIP;
        for (int j = 0; j <= slices; ++j) {
            const double c = cs[static_cast<size_t>(j)], s = ss[static_cast<size_t>(j)];
            Put(strip, c * r0, s * r0, z0, c * r0 * radius, s * r0 * radius, z0 * radius);
            Put(strip, c * r1, s * r1, z1, c * r1 * radius, s * r1 * radius, z1 * radius);
        }
    }
    return strips;
}

std::vector<CSolidStrip> ConeStrips(double base, double height, int slices, int stacks) {
    std::vector<CSolidStrip> strips;
    if (slices < 1 || stacks < 1) {
        return strips;
    }
    std::vector<double> cs, ss;
    CircleTable(slices, cs, ss);
    // Base disc, facing -z.
    CSolidStrip& disc = strips.emplace_back();
    disc.mode = GL_TRIANGLE_FAN;
    Put(disc, 0, 0, -1, 0, 0, 0);
    for (int j = slices; j >= 0; --j) {
        Put(disc, 0, 0, -1, cs[static_cast<size_t>(j)] * base, ss[static_cast<size_t>(j)] * base,
            0);
    }
    // Side, stack by stack toward the apex.
    const double slant = std::sqrt(height * height + base * base);
    const double nz = slant > 0 ? base / slant : 0;
    const double nr = slant > 0 ? height / slant : 1;
    for (int i = 0; i < stacks; ++i) {
        const double z0 = height * i / stacks, z1 = height * (i + 1) / stacks;
        const double r0 = base * (stacks - i) / stacks, r1 = base * (stacks - i - 1) / stacks;
        CSolidStrip& strip = strips.emplace_back();
        strip.mode = GL_QUAD_STRIP;
        for (int j = 0; j <= slices; ++j) {
            const double c = cs[static_cast<size_t>(j)], s = ss[static_cast<size_t>(j)];
            Put(strip, c * nr, s * nr, nz, c * r0, s * r0, z0);
            Put(strip, c * nr, s * nr, nz, c * r1, s * r1, z1);
        }
    }
    return strips;
}

void SolidSphere(double radius, int slices, int stacks) {
    Draw(SphereStrips(radius, slices, stacks));
}

void SolidCone(double base, double height, int slices, int stacks) {
    Draw(ConeStrips(base, height, slices, stacks));
}

}  // namespace kzv
