#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <tuple>
#include <utility>

#include "FieldFixture.h"
#include "field/ColorScale.h"
#include "field/ContourWalk.h"
#include "field/SurfaceValues.h"
#include "geometry/VectorFunctions.h"
#include "state/ViewState.h"

// The lines and the values on a gable building with real-looking data agree with an
// independent reading of the same piecewise linear field.
namespace {

using Point = std::array<double, 3>;

Point ToPoint(const CVector4& v) {
    return {v.x, v.y, v.z};
}
double Distance(const Point& a, const Point& b) {
    return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) +
                     (a[2] - b[2]) * (a[2] - b[2]));
}
// A position as a key, to a thousandth of a millimetre.
std::array<long long, 3> Key(const Point& p) {
    return {std::llround(p[0] * 1000), std::llround(p[1] * 1000), std::llround(p[2] * 1000)};
}
using Segment = std::pair<std::array<long long, 3>, std::array<long long, 3>>;
Segment SegmentKey(const Point& a, const Point& b) {
    const auto ka = Key(a), kb = Key(b);
    return ka < kb ? Segment{ka, kb} : Segment{kb, ka};
}

// A low-rise gable building as a wind-tunnel model is measured (millimetres of a 1:100 model):
// 160 x 100 footprint, eaves at 60, ridge along x at 80. Taps on a 20 mm grid on the
// windward wall, both roof slopes and the west gable end's wall, each face with its own taps
// and mesh: triangles, but quadrilaterals on the leeward slope and the gable end. One
// direction of mean Cp with four decimals as "cp.dat" holds them, suctions below -1 near the
// windward eave, and every value within 0.03 of -1.8, -1.6, -0.9 or -0.8 that level exactly,
// as four-decimal data so often are: contour levels of -1..1 in 20 bands and of -2..1 in 15
// bands whose repeated sums meet those values exactly.
double FourDecimals(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", v);
    return std::strtod(text, nullptr);
}

std::vector<std::vector<int>> BuildGable(CViewState& state, int& tapsOnLevels) {
    std::vector<fieldtest::Tap> taps;
    std::vector<std::vector<int32_t>> panels;
    std::vector<std::vector<int>> faces;
    std::mt19937 rng(24);
    std::uniform_real_distribution<double> noise(-0.04, 0.04);
    // An nu x nw grid of taps at origin + i du + j dw with Cp field(i, j), as triangles with
    // alternating diagonals or as quadrilaterals.
    auto face = [&](CVector4 origin, CVector4 du, CVector4 dw, int nu, int nw, bool quads,
                    auto field) {
        const int32_t first = static_cast<int32_t>(taps.size()) + 1;
        for (int j = 0; j < nw; ++j) {
            for (int i = 0; i < nu; ++i) {
                double cp = FourDecimals(field(i, j) + noise(rng));
                for (double level : {-1.8, -1.6, -0.9, -0.8}) {
                    if (std::fabs(cp - level) < 0.03) {
                        cp = FourDecimals(level);
                        ++tapsOnLevels;
                    }
                }
                taps.push_back({origin + du * float(i) + dw * float(j), {cp}});
            }
        }
        faces.emplace_back();
        for (int j = 0; j + 1 < nw; ++j) {
            for (int i = 0; i + 1 < nu; ++i) {
                const int32_t a = first + j * nu + i, b = a + 1, c = b + nu, d = a + nu;
                const bool even = (i + j) % 2 == 0;
                for (std::vector<int32_t> panel :
                     quads ? std::vector<std::vector<int32_t>>{{a, b, c, d}}
                           : (even ? std::vector<std::vector<int32_t>>{{a, b, c}, {a, c, d}}
                                   : std::vector<std::vector<int32_t>>{{a, b, d}, {b, c, d}})) {
                    faces.back().push_back(static_cast<int>(panels.size()));
                    panels.push_back(panel);
                }
            }
        }
    };
    // Windward wall y = 0: stagnation in the middle, less towards the corners.
    face(CVector4(0, 0, 0), CVector4(20, 0, 0), CVector4(0, 0, 15), 9, 5, false,
         [](int i, int j) { return 0.75 - 0.012 * (i - 4) * (i - 4) - 0.06 * (j - 1) * (j - 1); });
    // Windward slope from the eave (y = 0, z = 60) to the ridge: separation at the eave.
    face(CVector4(0, 0, 60), CVector4(20, 0, 0), CVector4(0, 10, 4), 9, 6, false,
         [](int i, int j) { return -2.1 + 0.3 * j + 0.02 * (i - 4) * (i - 4) - 0.004 * j * j; });
    // Leeward slope from the ridge down to y = 100.
    face(CVector4(0, 50, 80), CVector4(20, 0, 0), CVector4(0, 10, -4), 9, 6, true,
         [](int i, int j) { return -0.95 + 0.05 * j + 0.03 * std::fabs(i - 4.0); });
    // West gable end x = 0, below the eaves.
    face(CVector4(0, 0, 0), CVector4(0, 20, 0), CVector4(0, 0, 15), 6, 5, true,
         [](int i, int j) { return -1.05 + 0.09 * i + 0.0195 * j; });
    fieldtest::SetUp(state, taps, panels, 1);
    state.m_data.m_fLift = 0.0f;
    return faces;
}

struct Corner {
    Point p;
    double v;
};

// The triangles of one panel as the picture is made of them: a quadrilateral as four
// triangles around its centre, which carries the mean of the four values.
std::vector<std::array<Corner, 3>> Triangles(const CViewState& state, int panel) {
    std::vector<Corner> c;
    for (int k = 0; k < state.m_data.m_mesh.GetNodeCount(panel); ++k) {
        const int tap = state.m_data.m_mesh.GetNodeTapNo(panel, k);
        c.push_back(
            {ToPoint(state.m_data.m_taps.GetPosition(tap)), state.m_data.m_cp.GetCp(tap, 0)});
    }
    if (c.size() == 3) {
        return {{c[0], c[1], c[2]}};
    }
    Corner centre{{0, 0, 0}, 0};
    for (const Corner& k : c) {
        for (int i = 0; i < 3; ++i) {
            centre.p[static_cast<size_t>(i)] += k.p[static_cast<size_t>(i)] / 4;
        }
        centre.v += k.v / 4;
    }
    return {{c[0], centre, c[3]}, {c[3], centre, c[2]}, {c[2], centre, c[1]}, {c[1], centre, c[0]}};
}

// Marching triangles by the signs of value - level, decided exactly: the length of the level
// set of the face's piecewise linear field. An edge lying on the level counts once, however
// many triangles share it; a whole triangle on the level has no line.
double ReferenceLength(const CViewState& state, const std::vector<int>& face, double level) {
    double length = 0.0;
    std::set<Segment> edges;
    for (int panel : face) {
        for (const auto& t : Triangles(state, panel)) {
            int sign[3], zeros = 0;
            for (int i = 0; i < 3; ++i) {
                sign[i] = (t[i].v > level) - (t[i].v < level);
                zeros += sign[i] == 0;
            }
            auto cross = [&](int i, int j) {
                const long double r = (static_cast<long double>(level) - t[i].v) /
                                      (static_cast<long double>(t[j].v) - t[i].v);
                Point p;
                for (size_t c = 0; c < 3; ++c) {
                    p[c] = static_cast<double>(t[i].p[c] + r * (t[j].p[c] - t[i].p[c]));
                }
                return p;
            };
            if (zeros == 2) {
                const int other = sign[0] != 0 ? 0 : (sign[1] != 0 ? 1 : 2);
                const Point& a = t[(other + 1) % 3].p;
                const Point& b = t[(other + 2) % 3].p;
                if (edges.insert(SegmentKey(a, b)).second) {
                    length += Distance(a, b);
                }
            } else if (zeros == 1) {
                const int z = sign[0] == 0 ? 0 : (sign[1] == 0 ? 1 : 2);
                const int i = (z + 1) % 3, j = (z + 2) % 3;
                if (sign[i] != sign[j]) {
                    length += Distance(t[z].p, cross(i, j));
                }
            } else if (zeros == 0 && !(sign[0] == sign[1] && sign[1] == sign[2])) {
                // The corner alone on its side and the two edges leaving it.
                const int alone = sign[0] == sign[1] ? 2 : (sign[0] == sign[2] ? 1 : 0);
                length += Distance(cross(alone, (alone + 1) % 3), cross(alone, (alone + 2) % 3));
            }
        }
    }
    return length;
}

class PictureAgreementTest : public ::testing::Test {
protected:
    void SetUp() override { faces = BuildGable(state, tapsOnLevels); }
    // Only the panels of one face carry contours.
    void OnlyFace(const std::vector<int>& face) {
        state.SetAllPanelContours(0);
        for (int panel : face) {
            state.m_settings.m_abPanelContour[static_cast<size_t>(panel)] = 1;
        }
    }
    CViewState state;
    std::vector<std::vector<int>> faces;
    int tapsOnLevels = 0;
};

TEST_F(PictureAgreementTest, IsoLineLengthsPerLevelAndFaceMatchAnIndependentContouring) {
    ASSERT_GT(tapsOnLevels, 20);
    state.m_settings.m_nContourKind = 1;
    state.m_settings.m_nLineColorMode = 1;
    int levelsThroughTaps = 0;
    for (const auto& [min, max, n] : {std::tuple{-1.0, 1.0, 20}, std::tuple{-2.0, 1.0, 15}}) {
        state.m_settings.m_dColorMin = min;
        state.m_settings.m_dColorMax = max;
        state.m_settings.m_nDivisions = n;
        const CContourLevels levels = MakeContourLevels(min, max, n);
        for (size_t f = 0; f < faces.size(); ++f) {
            OnlyFace(faces[f]);
            CContourDrawing drawing;
            ComputeContours(state.m_data, state.m_settings, state.m_selection, drawing);
            // What the user sees: a segment drawn twice (along an edge two triangles share)
            // is one line.
            std::map<int, double> drawn;
            std::set<Segment> seen;
            for (const CContourItem& item : drawing.items) {
                if (item.type != ContourItemType::Line) {
                    continue;
                }
                const Point a = ToPoint(drawing.points[static_cast<size_t>(item.first)]);
                const Point b = ToPoint(drawing.points[static_cast<size_t>(item.first + 1)]);
                if (seen.insert(SegmentKey(a, b)).second) {
                    drawn[item.index] += Distance(a, b);
                }
            }
            for (int k = 1; k < n; ++k) {
                const double level = levels.level[static_cast<size_t>(k)];
                levelsThroughTaps += level == FourDecimals(level);
                const double expected = ReferenceLength(state, faces[f], level);
                EXPECT_NEAR(drawn[k], expected, 1e-3 * (1.0 + expected))
                    << "face " << f << ", level " << level << " of " << min << ".." << max;
            }
        }
    }
    EXPECT_GE(levelsThroughTaps, 4 * 4);  // -0.9, -0.8, -1.8, -1.6 on each face
}

// Where a value lies among the levels: its band, or -1 near a level, where a point's colour
// may be either band's within the tolerance of InPolygon.
int ClearBand(double v, const CContourLevels& levels) {
    for (double l : levels.level) {
        if (std::fabs(v - l) < 0.01) {
            return -1;
        }
    }
    return BandIndex(v, levels);
}

// Whether the foot of p on the plane of the convex polygon lies inside it or within 0.15 mm of
// it, and p within 0.15 mm of the plane: snapping to tenths moves a coordinate by up to 0.09,
// so a point at a face's border may come out that far beyond it or off a sloped face.
bool InPolygon(const Point& p, const std::vector<Point>& poly) {
    Point n{0, 0, 0};  // Newell's normal
    for (size_t i = 0; i < poly.size(); ++i) {
        const Point& a = poly[i];
        const Point& b = poly[(i + 1) % poly.size()];
        n[0] += (a[1] - b[1]) * (a[2] + b[2]);
        n[1] += (a[2] - b[2]) * (a[0] + b[0]);
        n[2] += (a[0] - b[0]) * (a[1] + b[1]);
    }
    const double len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (len == 0.0) {
        return false;
    }
    for (double& c : n) {
        c /= len;
    }
    auto sub = [](const Point& a, const Point& b) {
        return Point{a[0] - b[0], a[1] - b[1], a[2] - b[2]};
    };
    const Point r = sub(p, poly[0]);
    if (std::fabs(r[0] * n[0] + r[1] * n[1] + r[2] * n[2]) > 0.15) {
        return false;
    }
    for (size_t i = 0; i < poly.size(); ++i) {
        const Point e = sub(poly[(i + 1) % poly.size()], poly[i]);
        const Point q = sub(p, poly[i]);
        const Point c{e[1] * q[2] - e[2] * q[1], e[2] * q[0] - e[0] * q[2],
                      e[0] * q[1] - e[1] * q[0]};
        if (c[0] * n[0] + c[1] * n[1] + c[2] * n[2] < -0.15 * Distance(e, {0, 0, 0})) {
            return false;
        }
    }
    return true;
}

// A value listed for a point is the value of the colour drawn there, at points picked as a
// click places them (snapped to tenths, a little off the sloped roof), and two panels that
// share an edge give one value along it.
TEST_F(PictureAgreementTest, ValuesMatchTheColourDrawnAndRunOnAcrossPanelEdges) {
    state.m_settings.m_dColorMin = -2.0;
    state.m_settings.m_dColorMax = 1.0;
    state.m_settings.m_nDivisions = 30;
    const CContourLevels levels = MakeContourLevels(-2.0, 1.0, 30);
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    int checked = 0;
    for (size_t f = 0; f < faces.size(); ++f) {
        OnlyFace(faces[f]);
        CContourDrawing drawing;
        ComputeContours(state.m_data, state.m_settings, state.m_selection, drawing);
        std::vector<std::pair<int, std::vector<Point>>> bands;
        for (const CContourItem& item : drawing.items) {
            std::vector<Point> poly;
            for (int i = 0; i < item.count; ++i) {
                poly.push_back(ToPoint(drawing.points[static_cast<size_t>(item.first + i)]));
            }
            bands.emplace_back(item.index, poly);
        }
        for (int panel : faces[f]) {
            for (const auto& t : Triangles(state, panel)) {
                for (int s = 0; s < 6; ++s) {
                    double a = unit(rng), b = unit(rng);
                    if (a + b > 1.0) {
                        a = 1.0 - a;
                        b = 1.0 - b;
                    }
                    CVector4 p;
                    for (int c = 0; c < 3; ++c) {
                        const size_t i = static_cast<size_t>(c);
                        const double x =
                            t[0].p[i] + a * (t[1].p[i] - t[0].p[i]) + b * (t[2].p[i] - t[0].p[i]);
                        (&p.x)[c] = static_cast<float>(SnapToTenth(x));
                    }
                    const double v =
                        InterpolateAt(state.m_data, state.m_settings.m_nValueMethod, panel, p, 0);
                    const int band = ClearBand(v, levels);
                    if (band < 0) {
                        continue;
                    }
                    int found = 0;
                    for (const auto& [index, poly] : bands) {
                        if (InPolygon(ToPoint(p), poly)) {
                            ++found;
                            ASSERT_EQ(index, band) << "panel " << panel << " value " << v << " at "
                                                   << p.x << ", " << p.y << ", " << p.z;
                        }
                    }
                    ASSERT_GT(found, 0) << "panel " << panel;
                    ++checked;
                }
            }
        }
    }
    EXPECT_GT(checked, 1500);

    // Each edge two panels share, reached from the second: the same values along it.
    int edges = 0;
    std::map<std::pair<int, int>, int> firstPanel;
    for (int panel = 0; panel < state.m_data.m_mesh.GetPanelCount(); ++panel) {
        const int n = state.m_data.m_mesh.GetNodeCount(panel);
        for (int k = 0; k < n; ++k) {
            const int a = state.m_data.m_mesh.GetNodeTapNo(panel, k);
            const int b = state.m_data.m_mesh.GetNodeTapNo(panel, (k + 1) % n);
            const auto [it, first] = firstPanel.emplace(std::minmax(a, b), panel);
            if (first) {
                continue;
            }
            for (float r : {0.25f, 0.5f, 0.7f}) {
                const CVector4 p =
                    state.m_data.m_taps.GetPosition(a) +
                    (state.m_data.m_taps.GetPosition(b) - state.m_data.m_taps.GetPosition(a)) * r;
                EXPECT_NEAR(
                    InterpolateAt(state.m_data, state.m_settings.m_nValueMethod, it->second, p, 0),
                    InterpolateAt(state.m_data, state.m_settings.m_nValueMethod, panel, p, 0), 1e-6)
                    << "panels " << it->second << ", " << panel;
            }
            ++edges;
        }
    }
    EXPECT_GT(edges, 100);
}

}  // namespace
