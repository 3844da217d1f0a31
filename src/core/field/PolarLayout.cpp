#include "field/PolarLayout.h"

#include <algorithm>
#include <cmath>

#include "dataset/CpFile.h"
#include "field/Compass.h"
#include "geometry/VectorFunctions.h"
#include "text/CsvField.h"
#include "text/NumberFormat.h"

namespace {

double ValueOf(const std::vector<double>& values, int direction) {
    return static_cast<size_t>(direction) < values.size() ? values[static_cast<size_t>(direction)]
                                                          : NO_VALUE;
}

// A run of consecutive directions with a value: first direction and length; whole when every
// direction has one.
struct CRun {
    int first = 0;
    int length = 0;
};

// The runs of directions marked present, in the order of their first direction after a gap;
// a run may wrap from the last direction to 0. Empty when none is present. With every
// direction present, one run from 0 over all of them.
std::vector<CRun> RunsOf(const std::vector<bool>& present) {
    const int n = static_cast<int>(present.size());
    std::vector<CRun> runs;
    int gap = -1;
    for (int d = 0; d < n && gap < 0; ++d) {
        if (!present[static_cast<size_t>(d)]) {
            gap = d;
        }
    }
    if (gap < 0) {
        if (n > 0) {
            runs.push_back({0, n});
        }
        return runs;
    }
    // Walk once round, starting just after a gap, so that no run is split at the wrap.
    for (int k = 1; k <= n; ++k) {
        const int d = (gap + k) % n;
        if (!present[static_cast<size_t>(d)]) {
            continue;
        }
        if (!runs.empty() && (runs.back().first + runs.back().length) % n == d) {
            ++runs.back().length;
        } else {
            runs.push_back({d, 1});
        }
    }
    return runs;
}

// The tick step: 1, 2 or 5 times a power of ten, the smallest that spans [lo, hi] in at most
// POLAR_MAX_TICK_INTERVALS intervals. mantissa and exponent give it exactly.
void ChooseStep(double lo, double hi, int& mantissa, int& exponent, double& step) {
    const double raw = (hi - lo) / POLAR_MAX_TICK_INTERVALS;
    exponent = static_cast<int>(std::floor(std::log10(raw)));
    for (;;) {
        for (int m : {1, 2, 5}) {
            const double s = m * std::pow(10.0, exponent);
            // A little slack, so that a value equal to a tick (1.2 / 0.2) does not add one.
            const double intervals = std::ceil(hi / s - 1e-9) - std::floor(lo / s + 1e-9);
            if (intervals <= POLAR_MAX_TICK_INTERVALS) {
                mantissa = m;
                step = s;
                return;
            }
        }
        ++exponent;
    }
}

// k steps of mantissa x 10^exponent, as the nearest double to the decimal, so that "%g" writes
// the round value; never -0.
double TickValue(long long k, int mantissa, int exponent) {
    const double units = static_cast<double>(k * mantissa);
    const double v =
        exponent >= 0 ? units * std::pow(10.0, exponent) : units / std::pow(10.0, -exponent);
    return v + 0.0;
}

}  // namespace

bool IsPolarValue(double value) {
    // Also below -NO_VALUE: no pressure coefficient, and it keeps the range's arithmetic finite.
    return value > -NO_VALUE && value < NO_VALUE;
}

CPolarXY PolarUnitVector(double windAngle) {
    // The compass turns its arrow's tail (straight down) clockwise on the screen by the wind
    // angle (TurnCompassPoint).
    const double t = DegToRad(windAngle);
    return {-std::sin(t), std::cos(t)};
}

double CPolarLayout::Radius(double value) const {
    return POLAR_INNER_RADIUS +
           (1.0 - POLAR_INNER_RADIUS) * (value - valueMin) / (valueMax - valueMin);
}

double CPolarLayout::ValueAt(double radius) const {
    return valueMin +
           (radius - POLAR_INNER_RADIUS) / (1.0 - POLAR_INNER_RADIUS) * (valueMax - valueMin);
}

CPolarXY CPolarLayout::PointOf(int direction, double value) const {
    const CPolarXY u =
        PolarUnitVector(WindAngle(buildingAngle, DirectionAngle(directionCount, direction)));
    const double r = Radius(value);
    return {u.x * r, u.y * r};
}

CPolarLayout MakePolarLayout(const std::vector<CPolarSeriesInput>& series, int directionCount,
                             double buildingAngle) {
    CPolarLayout layout;
    const int n = std::clamp(directionCount, 0, kMaxDirectionCount);
    layout.directionCount = n;
    layout.buildingAngle = buildingAngle;

    // The range: zero and every value drawn, band included.
    double lo = 0.0, hi = 0.0;
    for (const CPolarSeriesInput& s : series) {
        for (const std::vector<double>* values : {&s.values, &s.bandMin, &s.bandMax}) {
            for (int d = 0; d < n; ++d) {
                const double v = ValueOf(*values, d);
                if (IsPolarValue(v)) {
                    lo = std::min(lo, v);
                    hi = std::max(hi, v);
                }
            }
        }
    }
    // No values, or all (nearly) zero: a range to draw the zero circle in.
    if (!(hi - lo >= 1e-6)) {
        lo = -1.0;
        hi = 1.0;
    }
    int mantissa = 1, exponent = 0;
    ChooseStep(lo, hi, mantissa, exponent, layout.tickStep);
    const auto kLo = static_cast<long long>(std::floor(lo / layout.tickStep + 1e-9));
    const auto kHi = static_cast<long long>(std::ceil(hi / layout.tickStep - 1e-9));
    layout.valueMin = TickValue(kLo, mantissa, exponent);
    layout.valueMax = TickValue(kHi, mantissa, exponent);
    layout.zeroRadius = layout.Radius(0.0);
    for (long long k = kLo; k <= kHi; ++k) {
        CPolarTick tick;
        tick.value = TickValue(k, mantissa, exponent);
        tick.radius = layout.Radius(tick.value);
        tick.label = kzv::FormatG(tick.value);
        tick.zero = k == 0;
        layout.ticks.push_back(std::move(tick));
    }

    for (int d = 0; d < n; ++d) {
        CPolarSpoke spoke;
        spoke.direction = d;
        spoke.angle = DirectionAngle(n, d);
        spoke.windAngle = WindAngle(buildingAngle, spoke.angle);
        const CPolarXY u = PolarUnitVector(spoke.windAngle);
        spoke.x = u.x;
        spoke.y = u.y;
        spoke.label = kzv::FormatG(spoke.angle);
        layout.spokes.push_back(std::move(spoke));
    }

    auto pointAt = [&layout](int d, double v) {
        const double r = layout.Radius(v);
        const CPolarSpoke& spoke = layout.spokes[static_cast<size_t>(d)];
        return CPolarPoint{spoke.x * r, spoke.y * r, d, v};
    };

    for (const CPolarSeriesInput& s : series) {
        CPolarSeriesLayout out;
        std::vector<bool> present(static_cast<size_t>(n)), banded(static_cast<size_t>(n));
        const bool hasBand = !s.bandMin.empty() && !s.bandMax.empty();
        for (int d = 0; d < n; ++d) {
            const double v = ValueOf(s.values, d);
            present[static_cast<size_t>(d)] = IsPolarValue(v);
            if (present[static_cast<size_t>(d)]) {
                out.points.push_back(pointAt(d, v));
            }
            banded[static_cast<size_t>(d)] = hasBand && IsPolarValue(ValueOf(s.bandMin, d)) &&
                                             IsPolarValue(ValueOf(s.bandMax, d));
        }

        // A ring needs three directions; with one or two the run is an open line.
        const auto isRing = [n](const CRun& run) { return run.length == n && n >= 3; };
        for (const CRun& run : RunsOf(present)) {
            CPolarSegment segment;
            for (int k = 0; k < run.length; ++k) {
                const int d = (run.first + k) % n;
                segment.points.push_back(pointAt(d, ValueOf(s.values, d)));
            }
            if (isRing(run)) {
                segment.closed = true;
                segment.points.push_back(segment.points.front());
            }
            out.segments.push_back(std::move(segment));
        }

        for (const CRun& run : RunsOf(banded)) {
            std::vector<CPolarXY> upper, lower;
            for (int k = 0; k < run.length; ++k) {
                const int d = (run.first + k) % n;
                const CPolarPoint a = pointAt(d, ValueOf(s.bandMax, d));
                const CPolarPoint b = pointAt(d, ValueOf(s.bandMin, d));
                upper.push_back({a.x, a.y});
                lower.push_back({b.x, b.y});
            }
            if (isRing(run)) {
                out.band.push_back(std::move(upper));
                out.band.push_back(std::move(lower));
            } else if (run.length >= 2) {
                upper.insert(upper.end(), lower.rbegin(), lower.rend());
                out.band.push_back(std::move(upper));
            }
        }
        layout.series.push_back(std::move(out));
    }
    return layout;
}

int PolarDirectionAt(const CPolarLayout& layout, double x, double y) {
    if (layout.directionCount <= 0) {
        return -1;
    }
    // The compass measures a drag from its centre in pixels; the angle does not depend on the
    // scale, so the unit point is taken to the compass's circle.
    double angle = 0.0;
    if (!DragAngle(COMPASS_CENTRE + COMPASS_RADIUS * x, COMPASS_CENTRE + COMPASS_RADIUS * y,
                   angle)) {
        return -1;
    }
    return ReleaseDirection(layout.directionCount, angle, layout.buildingAngle);
}

std::string MakePolarCsv(const std::vector<std::string>& names,
                         const std::vector<CPolarSeriesInput>& series, int directionCount) {
    constexpr const char* kEnd = "\r\n";
    const int n = std::clamp(directionCount, 0, kMaxDirectionCount);
    const auto banded = [](const CPolarSeriesInput& s) {
        return !s.bandMin.empty() && !s.bandMax.empty();
    };
    std::string text = "方位";
    for (size_t k = 0; k < series.size(); ++k) {
        const std::string name = k < names.size() ? names[k] : std::string();
        text += "," + kzv::CsvField(name);
        if (banded(series[k])) {
            text += "," + kzv::CsvField(name + " 最小") + "," + kzv::CsvField(name + " 最大");
        }
    }
    text += kEnd;
    const auto cell = [](const std::vector<double>& values, int d) {
        const double v = ValueOf(values, d);
        return "," + (IsPolarValue(v) ? kzv::FormatG(v) : std::string());
    };
    for (int d = 0; d < n; ++d) {
        text += kzv::FormatG(DirectionAngle(n, d));
        for (const CPolarSeriesInput& s : series) {
            text += cell(s.values, d);
            if (banded(s)) {
                text += cell(s.bandMin, d) + cell(s.bandMax, d);
            }
        }
        text += kEnd;
    }
    return text;
}
