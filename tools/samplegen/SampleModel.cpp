#include "SampleModel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <tuple>

namespace kzv::samplegen {

namespace {

constexpr double kPi = 3.14159265358979323846;

double Clamp(double v, double lo, double hi) {
    return std::min(hi, std::max(lo, v));
}

// Face-average Cp of a wall against the angle between its outward normal and the direction the
// wind comes from (0 = facing the wind, 90 = flow along the wall, 180 = leeward), every 15
// degrees. Shaped after the usual wind-tunnel curves for prismatic buildings.
constexpr std::array<double, 13> kWallCurve = {0.80,  0.78,  0.68,  0.50,  0.22,  -0.20, -0.62,
                                               -0.68, -0.58, -0.50, -0.45, -0.42, -0.40};

// kWallCurve with a Catmull-Rom spline, mirrored at both ends (the curve is even in the angle),
// so that Cp changes smoothly from one wind direction to the next.
double WallCurve(double angleDeg) {
    const int last = static_cast<int>(kWallCurve.size()) - 1;
    const double pos = Clamp(angleDeg, 0.0, 180.0) / 15.0;
    const int i = std::min(static_cast<int>(pos), last - 1);
    const double t = pos - i;
    auto at = [&](int k) {
        if (k < 0) {
            k = -k;
        } else if (k > last) {
            k = 2 * last - k;
        }
        return kWallCurve[static_cast<size_t>(k)];
    };
    const double p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
    return 0.5 * ((2.0 * p1) + (-p0 + p2) * t + (2.0 * p0 - 5.0 * p1 + 4.0 * p2 - p3) * t * t +
                  (-p0 + 3.0 * p1 - 3.0 * p2 + p3) * t * t * t);
}

// Distance from p along the unit plan direction dir to where that ray leaves the outline (a
// closed counter-clockwise polygon in the plan). Only edges the ray crosses outwards count, so
// a point on a downwind edge looks across the whole roof and one on an upwind edge gets 0.
double ExitDistance(const std::vector<Vec3>& outline, const Vec3& p, const Vec3& dir) {
    double best = -1.0;
    const size_t n = outline.size();
    for (size_t i = 0; i < n; ++i) {
        const Vec3& a = outline[i];
        const Vec3& b = outline[(i + 1) % n];
        const double ex = b.x - a.x, ey = b.y - a.y;
        if (ey * dir.x - ex * dir.y <= 1e-9 * std::sqrt(ex * ex + ey * ey)) {
            continue;  // the ray enters through this edge or runs along it
        }
        // Solve p + t * dir = a + s * (b - a).
        const double den = dir.x * (-ey) + dir.y * ex;
        const double qx = a.x - p.x, qy = a.y - p.y;
        double t = (qx * (-ey) + qy * ex) / den;
        const double s = (dir.x * qy - dir.y * qx) / den;
        if (s < -1e-9 || s > 1.0 + 1e-9 || t < -1e-6) {
            continue;
        }
        t = std::max(t, 0.0);
        if (best < 0.0 || t < best) {
            best = t;
        }
    }
    return best < 0.0 ? 0.0 : best;
}

double PlanArea(const std::vector<Vec3>& outline) {
    double a = 0.0;
    for (size_t i = 0; i < outline.size(); ++i) {
        const Vec3& p = outline[i];
        const Vec3& q = outline[(i + 1) % outline.size()];
        a += p.x * q.y - q.x * p.y;
    }
    return std::fabs(a) * 0.5;
}

// Deterministic scatter in [-1, 1] for a tap and a direction.
double Scatter(int32_t tapNo, int key) {
    uint32_t h = static_cast<uint32_t>(tapNo) * 2654435761u;
    h ^= static_cast<uint32_t>(key) * 40503u + 0x9e3779b9u;
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return static_cast<double>(h) / 4294967295.0 * 2.0 - 1.0;
}

double WallCp(const Surface& s, const Vec3& pos, const Vec3& flow) {
    const Vec3 from = flow * -1.0;
    const double angle = std::acos(Clamp(Dot(s.normal, from), -1.0, 1.0)) * 180.0 / kPi;
    const double base = WallCurve(angle);
    const Vec3 axis = s.end - s.start;
    const double width = Length(axis);
    const Vec3 t = axis * (1.0 / width);
    const double u = Clamp(Dot(pos - s.start, t) / width, 0.0, 1.0);
    const double zr = Clamp(pos.z / s.height, 0.0, 1.0);
    if (base >= 0.0) {
        // Stagnation pressure: highest at about two thirds of the height in the middle of the
        // face, lower towards the ground, the top and the side edges.
        return base * (0.62 + 0.45 * std::pow(zr, 0.35)) *
               (1.0 - 0.45 * (2 * u - 1) * (2 * u - 1)) * (1.0 - 0.3 * std::pow(zr, 8.0));
    }
    // Suction: strongest next to the upstream edge where the flow separates. `along` is +1 when
    // the flow runs from start to end; at 0 (leeward) both edges share the effect.
    const double along = Dot(flow, t);
    const double reach = 0.2 * width;
    const double edge = 0.5 * (1.0 + along) * std::exp(-u * width / reach) +
                        0.5 * (1.0 - along) * std::exp(-(1.0 - u) * width / reach);
    return base * (1.0 + 1.1 * edge) * (0.85 + 0.2 * zr);
}

double RoofCp(const Surface& s, const Vec3& pos, const Vec3& flow) {
    const Vec3 from = flow * -1.0;
    // Separation at the upwind eave: about -1.45 at the edge, recovering to -0.3 downstream.
    const double d = ExitDistance(s.outline, pos, from);
    const double reach = 0.15 * std::sqrt(PlanArea(s.outline));
    double cp = -0.30 - 1.15 * std::exp(-d / reach);
    // A pitched slope facing the wind gains pressure; one facing away loses a little more.
    const double facing = Dot(s.normal, from);
    cp += 1.4 * std::pow(std::max(0.0, facing), 1.5) - 0.15 * std::max(0.0, -facing);
    return cp;
}

// How much the flow separating at the roof's corners stirs the pressure at pos: 1 at a corner
// whose diagonal points into the wind, falling off over the corner's reach.
double CornerVortex(const Surface& s, const Vec3& pos, const Vec3& from) {
    if (s.outline.empty()) {
        return 0.0;
    }
    Vec3 centre{0.0, 0.0, 0.0};
    for (const Vec3& v : s.outline) {
        centre = centre + v * (1.0 / static_cast<double>(s.outline.size()));
    }
    const double reach = 0.12 * std::sqrt(PlanArea(s.outline));
    double strongest = 0.0;
    for (const Vec3& v : s.outline) {
        Vec3 out{v.x - centre.x, v.y - centre.y, 0.0};
        const double length = Length(out);
        if (length <= 0.0) {
            continue;
        }
        const double facing = Dot(out * (1.0 / length), from);
        const double dx = pos.x - v.x, dy = pos.y - v.y;
        const double near = std::exp(-std::sqrt(dx * dx + dy * dy) / reach);
        strongest = std::max(strongest, std::max(0.0, facing) * near);
    }
    return strongest;
}

}  // namespace

Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double Length(const Vec3& a) {
    return std::sqrt(Dot(a, a));
}

Vec3 Normalized(const Vec3& a) {
    return a * (1.0 / Length(a));
}

Vec3 Lerp(const Vec3& a, const Vec3& b, double t) {
    return a + (b - a) * t;
}

std::vector<Polygon> PrismWalls(const std::vector<Vec3>& plan, double height) {
    std::vector<Polygon> walls;
    for (size_t i = 0; i < plan.size(); ++i) {
        const Vec3 a{plan[i].x, plan[i].y, 0.0};
        const Vec3& q = plan[(i + 1) % plan.size()];
        const Vec3 b{q.x, q.y, 0.0};
        walls.push_back({a, b, {b.x, b.y, height}, {a.x, a.y, height}});
    }
    return walls;
}

GeoObject BoxObject(const std::string& name, double x0, double y0, double x1, double y1,
                    double height) {
    GeoObject obj;
    obj.name = name;
    obj.faces = PrismWalls({{x0, y0, 0}, {x1, y0, 0}, {x1, y1, 0}, {x0, y1, 0}}, height);
    obj.faces.push_back({{x0, y0, height}, {x1, y0, height}, {x1, y1, height}, {x0, y1, height}});
    return obj;
}

std::vector<double> Spacing(int count, bool graded) {
    std::vector<double> out;
    if (count == 1) {
        out.push_back(0.0);
        return out;
    }
    for (int i = 0; i < count; ++i) {
        const double u = static_cast<double>(i) / (count - 1);
        // u - a sin(2 pi u) / (2 pi) is monotone for a < 1, with slope 1 - a at both ends.
        out.push_back(graded ? u - 0.5 * std::sin(2.0 * kPi * u) / (2.0 * kPi) : u);
    }
    out.front() = 0.0;
    out.back() = 1.0;
    return out;
}

std::vector<TapRow> QuadRows(const Vec3& b0, const Vec3& b1, const Vec3& t0, const Vec3& t1,
                             int levels, int count, bool graded) {
    std::vector<TapRow> rows;
    for (double v : Spacing(levels, graded)) {
        rows.push_back({Lerp(b0, t0, v), Lerp(b1, t1, v), count});
    }
    return rows;
}

Mesh BuildMesh(const std::vector<MeshPatch>& patches, int surfaceCount) {
    using Key = std::tuple<long long, long long, long long>;
    // Taps of each surface in creation order; coincident taps (to 0.1 mm) are merged.
    std::vector<std::vector<Vec3>> tapPos(static_cast<size_t>(surfaceCount));
    std::vector<std::map<Key, int>> tapIndex(static_cast<size_t>(surfaceCount));
    // Panel corners as (surface, index within the surface) until the taps are numbered.
    std::vector<std::pair<int, std::vector<int>>> panels;

    auto tapAt = [&](int surface, const Vec3& p) {
        const Key key{std::llround(p.x * 10), std::llround(p.y * 10), std::llround(p.z * 10)};
        auto& index = tapIndex[static_cast<size_t>(surface)];
        const auto it = index.find(key);
        if (it != index.end()) {
            return it->second;
        }
        auto& list = tapPos[static_cast<size_t>(surface)];
        list.push_back(p);
        index.emplace(key, static_cast<int>(list.size()) - 1);
        return static_cast<int>(list.size()) - 1;
    };
    auto addPanel = [&](int surface, std::vector<int> corners) {
        for (size_t i = 0; i < corners.size(); ++i) {
            for (size_t j = i + 1; j < corners.size(); ++j) {
                if (corners[i] == corners[j]) {
                    return;  // degenerate: two corners on one tap
                }
            }
        }
        panels.emplace_back(surface, std::move(corners));
    };

    for (const MeshPatch& patch : patches) {
        std::vector<std::vector<int>> rowTaps;
        std::vector<std::vector<double>> rowParams;
        for (const TapRow& row : patch.rows) {
            std::vector<double> params = Spacing(row.count, patch.graded);
            std::vector<int> taps;
            for (double u : params) {
                taps.push_back(tapAt(patch.surface, Lerp(row.left, row.right, u)));
            }
            if (row.count == 1) {
                params[0] = 0.5;  // a single tap sits midway for the strip below
            }
            rowTaps.push_back(std::move(taps));
            rowParams.push_back(std::move(params));
        }
        for (size_t r = 0; r + 1 < rowTaps.size(); ++r) {
            const std::vector<int>& a = rowTaps[r];
            const std::vector<int>& b = rowTaps[r + 1];
            if (a.size() == b.size() && a.size() > 1) {
                for (size_t i = 0; i + 1 < a.size(); ++i) {
                    if (!patch.triangles) {
                        addPanel(patch.surface, {a[i], a[i + 1], b[i + 1], b[i]});
                    } else if ((i + r) % 2 == 0) {
                        addPanel(patch.surface, {a[i], a[i + 1], b[i + 1]});
                        addPanel(patch.surface, {a[i], b[i + 1], b[i]});
                    } else {
                        addPanel(patch.surface, {a[i], a[i + 1], b[i]});
                        addPanel(patch.surface, {a[i + 1], b[i + 1], b[i]});
                    }
                }
                continue;
            }
            // Rows of different lengths: a strip of triangles, always advancing on the row
            // whose next tap lies further left.
            const std::vector<double>& ua = rowParams[r];
            const std::vector<double>& ub = rowParams[r + 1];
            size_t i = 0, j = 0;
            while (i + 1 < a.size() || j + 1 < b.size()) {
                const bool advanceA =
                    j + 1 >= b.size() || (i + 1 < a.size() && ua[i + 1] <= ub[j + 1]);
                if (advanceA) {
                    addPanel(patch.surface, {a[i], a[i + 1], b[j]});
                    ++i;
                } else {
                    addPanel(patch.surface, {a[i], b[j + 1], b[j]});
                    ++j;
                }
            }
        }
    }

    size_t largest = 0;
    for (const auto& list : tapPos) {
        largest = std::max(largest, list.size());
    }
    int32_t stride = 100;
    while (static_cast<size_t>(stride) <= largest) {
        stride *= 10;
    }
    auto number = [&](int surface, int k) { return (surface + 1) * stride + k + 1; };

    Mesh mesh;
    for (int s = 0; s < surfaceCount; ++s) {
        const auto& list = tapPos[static_cast<size_t>(s)];
        for (size_t k = 0; k < list.size(); ++k) {
            mesh.taps.push_back({number(s, static_cast<int>(k)), list[k], s});
        }
    }
    int32_t panelNo = 1;
    for (const auto& [surface, corners] : panels) {
        Panel panel;
        panel.number = panelNo++;
        for (int k : corners) {
            panel.corners.push_back(number(surface, k));
        }
        mesh.panels.push_back(std::move(panel));
    }
    return mesh;
}

double SyntheticCp(const Surface& surface, const Vec3& pos, int32_t tapNo, double thetaDeg) {
    const double theta = thetaDeg * kPi / 180.0;
    const Vec3 flow{std::sin(theta), std::cos(theta), 0.0};
    const double cp =
        surface.kind == SurfaceKind::Wall ? WallCp(surface, pos, flow) : RoofCp(surface, pos, flow);
    const double noise = 0.015 * Scatter(tapNo, static_cast<int>(std::lround(thetaDeg * 100.0)));
    return Clamp(cp + noise, -1.8, 1.0);
}

CpStatistics SyntheticStatistics(const Surface& surface, const Vec3& pos, int32_t tapNo,
                                 double thetaDeg, double mean) {
    const double theta = thetaDeg * kPi / 180.0;
    const Vec3 from{-std::sin(theta), -std::cos(theta), 0.0};
    const int key = static_cast<int>(std::lround(thetaDeg * 100.0));
    // Turbulence of the oncoming flow, more of it under suction, most in the separated shear
    // layer next to an upwind edge and under a corner vortex.
    double rms = 0.06 + 0.10 * std::fabs(mean) + 0.20 * std::max(0.0, -mean - 0.7);
    if (surface.kind == SurfaceKind::Roof) {
        rms += 0.35 * CornerVortex(surface, pos, from);
    }
    rms *= 1.0 + 0.06 * Scatter(tapNo, key + 1);
    // Peak factors: suction is skewed towards deep negative peaks, pressure a little upwards.
    const double skew = Clamp(-mean, -1.0, 1.5) / 1.5;
    const double up = (3.3 - 0.7 * skew) * (1.0 + 0.08 * Scatter(tapNo, key + 2));
    const double down = (3.3 + 0.9 * skew) * (1.0 + 0.08 * Scatter(tapNo, key + 3));
    CpStatistics st;
    st.rms = rms;
    st.max = mean + up * rms;
    st.min = mean - down * rms;
    // The estimated peaks of a longer storm lie beyond what one sample reached.
    st.peakMax = st.max + (0.3 + 0.1 * Scatter(tapNo, key + 4)) * rms;
    st.peakMin = st.min - (0.4 + 0.15 * Scatter(tapNo, key + 5)) * rms;
    return st;
}

}  // namespace kzv::samplegen
