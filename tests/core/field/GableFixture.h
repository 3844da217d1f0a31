#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "FieldFixture.h"

// A low-rise gable building as a wind-tunnel model is measured (millimetres of a 1:100 model):
// 160 x 100 footprint, eaves at 60, ridge along x at 80. Taps on a 20 mm grid on the
// windward wall, both roof slopes and the west gable end, each face with its own taps and its
// own mesh: triangles everywhere except the leeward slope and the gable end's wall part, which
// are quadrilaterals. One direction of mean Cp, written with four decimals as "cp.dat" holds
// them: the windward slope has suctions below -1 near the eave, and every value within 0.03 of
// one of the levels -1.8, -1.6, -0.9 and -0.8 is that level exactly, as four-decimal data so
// often are. Those levels are contour levels of -1..1 in 20 bands and of -2..1 in 15 bands
// that their repeated sums meet exactly.
namespace gable {

struct Face {
    std::vector<int> panels;  // indices into the mesh
};

struct Model {
    std::vector<Face> faces;
    int tapsOnLevels = 0;
};

inline double FourDecimals(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", v);
    return std::strtod(text, nullptr);
}

inline Model Build(CViewState& state) {
    std::vector<fieldtest::Tap> taps;
    std::vector<std::vector<int32_t>> panels;
    Model model;
    std::mt19937 rng(24);
    std::uniform_real_distribution<double> noise(-0.04, 0.04);
    const double levels[] = {-1.8, -1.6, -0.9, -0.8};

    // A face: an nu x nw grid of taps at origin + i du + j dw, Cp from field(i, j); split
    // into triangles (alternating diagonals) or kept as quadrilaterals.
    auto face = [&](CVector4 origin, CVector4 du, CVector4 dw, int nu, int nw, bool quads,
                    auto field) {
        const int32_t first = static_cast<int32_t>(taps.size()) + 1;
        for (int j = 0; j < nw; ++j) {
            for (int i = 0; i < nu; ++i) {
                double cp = FourDecimals(field(i, j) + noise(rng));
                for (double level : levels) {
                    if (std::fabs(cp - level) < 0.03) {
                        cp = FourDecimals(level);
                        ++model.tapsOnLevels;
                    }
                }
                taps.push_back(
                    {origin + du * static_cast<float>(i) + dw * static_cast<float>(j), {cp}});
            }
        }
        Face f;
        auto tap = [&](int i, int j) { return first + j * nu + i; };
        for (int j = 0; j + 1 < nw; ++j) {
            for (int i = 0; i + 1 < nu; ++i) {
                const int32_t a = tap(i, j), b = tap(i + 1, j), c = tap(i + 1, j + 1),
                              d = tap(i, j + 1);
                if (quads) {
                    f.panels.push_back(static_cast<int>(panels.size()));
                    panels.push_back({a, b, c, d});
                } else if ((i + j) % 2 == 0) {
                    f.panels.push_back(static_cast<int>(panels.size()));
                    panels.push_back({a, b, c});
                    f.panels.push_back(static_cast<int>(panels.size()));
                    panels.push_back({a, c, d});
                } else {
                    f.panels.push_back(static_cast<int>(panels.size()));
                    panels.push_back({a, b, d});
                    f.panels.push_back(static_cast<int>(panels.size()));
                    panels.push_back({b, c, d});
                }
            }
        }
        model.faces.push_back(f);
        return first;
    };

    // Windward wall y = 0: stagnation in the middle, lower towards the corners.
    face(CVector4(0, 0, 0), CVector4(20, 0, 0), CVector4(0, 0, 15), 9, 5, false,
         [](int i, int j) { return 0.75 - 0.012 * (i - 4) * (i - 4) - 0.06 * (j - 1) * (j - 1); });
    // Windward slope from the eave (y = 0, z = 60) to the ridge (y = 50, z = 80): separation
    // at the eave, strongest near the corners.
    face(CVector4(0, 0, 60), CVector4(20, 0, 0), CVector4(0, 10, 4), 9, 6, false,
         [](int i, int j) { return -2.1 + 0.3 * j + 0.02 * (i - 4) * (i - 4) - 0.004 * j * j; });
    // Leeward slope from the ridge down to y = 100.
    face(CVector4(0, 50, 80), CVector4(20, 0, 0), CVector4(0, 10, -4), 9, 6, true,
         [](int i, int j) { return -0.95 + 0.05 * j + 0.03 * std::fabs(i - 4.0); });
    // West gable end x = 0: its wall part as quadrilaterals, its gable as triangles over the
    // wall's top row, a row at z = 72 and the apex.
    auto gableEnd = [](double y, double z) { return -1.05 + 0.0045 * y + 0.0013 * z; };
    const int32_t wall = face(CVector4(0, 0, 0), CVector4(0, 20, 0), CVector4(0, 0, 15), 6, 5, true,
                              [&](int i, int j) { return gableEnd(20.0 * i, 15.0 * j); });
    const int32_t row = static_cast<int32_t>(taps.size()) + 1;
    for (const CVector4 p :
         {CVector4(0, 30, 72), CVector4(0, 50, 72), CVector4(0, 70, 72), CVector4(0, 50, 80)}) {
        taps.push_back({p, {FourDecimals(gableEnd(p.y, p.z) + noise(rng))}});
    }
    auto b = [&](int i) { return wall + 4 * 6 + i; };  // the wall's top row, z = 60
    const int32_t m0 = row, m1 = row + 1, m2 = row + 2, apex = row + 3;
    for (const std::vector<int32_t>& t : std::vector<std::vector<int32_t>>{{b(0), b(1), m0},
                                                                           {b(1), b(2), m0},
                                                                           {b(2), m1, m0},
                                                                           {b(2), b(3), m1},
                                                                           {b(3), m2, m1},
                                                                           {b(3), b(4), m2},
                                                                           {b(4), b(5), m2},
                                                                           {m0, m1, apex},
                                                                           {m1, m2, apex}}) {
        model.faces.back().panels.push_back(static_cast<int>(panels.size()));
        panels.push_back(t);
    }
    fieldtest::SetUp(state, taps, panels, 1);
    state.m_fLift = 0.0f;
    return model;
}

}  // namespace gable
