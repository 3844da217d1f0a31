#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "dataset/CpFile.h"
#include "field/PolarLayout.h"

namespace {

constexpr double kEps = 1e-9;

std::vector<std::string> Labels(const CPolarLayout& layout) {
    std::vector<std::string> labels;
    for (const CPolarTick& tick : layout.ticks) {
        labels.push_back(tick.label);
    }
    return labels;
}

std::vector<int> Directions(const CPolarSegment& segment) {
    std::vector<int> d;
    for (const CPolarPoint& p : segment.points) {
        d.push_back(p.direction);
    }
    return d;
}

// Every spoke's point, anywhere along it and up to 0.45 of a step to either side of it, chooses
// that direction (the tie at exactly half-way is the compass's, tested with it).
void ExpectClicksRoundTrip(const CPolarLayout& layout) {
    const int n = layout.directionCount;
    const double step = 360.0 / n;
    for (const CPolarSpoke& spoke : layout.spokes) {
        for (double r : {0.1, 0.5, 1.2}) {
            for (double off : {-0.45 * step, 0.0, 0.45 * step}) {
                const CPolarXY u = PolarUnitVector(spoke.windAngle + off);
                EXPECT_EQ(PolarDirectionAt(layout, r * u.x, r * u.y), spoke.direction)
                    << n << " directions, spoke " << spoke.direction << " offset " << off;
            }
        }
    }
    EXPECT_EQ(PolarDirectionAt(layout, 0.0, 0.0), -1);
}

TEST(PolarLayout, EightDirectionsOfBothSignsSitOnTheirSpokesWithSuctionsInsideTheZeroCircle) {
    // A windward wall tap: pressure from the south, suction far below -1 from the west.
    const std::vector<double> cp = {0.8127, 0.4, -0.6, -1.2, -0.5, -0.3, -0.4, 0.5};
    const CPolarLayout layout = MakePolarLayout({{cp, {}, {}}}, 8, 0.0);

    // Round ticks enclosing the data and zero: steps of 0.5 from -1.5 to 1.
    EXPECT_EQ(Labels(layout), (std::vector<std::string>{"-1.5", "-1", "-0.5", "0", "0.5", "1"}));
    EXPECT_DOUBLE_EQ(layout.valueMin, -1.5);
    EXPECT_DOUBLE_EQ(layout.valueMax, 1.0);
    EXPECT_NEAR(layout.ticks.front().radius, POLAR_INNER_RADIUS, kEps);
    EXPECT_NEAR(layout.ticks.back().radius, 1.0, kEps);
    EXPECT_NEAR(layout.zeroRadius, 0.68, kEps);
    EXPECT_TRUE(layout.ticks[3].zero);
    EXPECT_FALSE(layout.ticks[2].zero);

    // North up: direction 0 (wind from the south) below the centre, 90 degrees (from the west)
    // to the left, 180 above, 270 to the right.
    ASSERT_EQ(layout.spokes.size(), 8u);
    EXPECT_EQ(layout.spokes[6].label, "270");
    const CPolarSeriesLayout& s = layout.series.at(0);
    ASSERT_EQ(s.points.size(), 8u);
    EXPECT_NEAR(s.points[0].x, 0.0, kEps);
    EXPECT_NEAR(s.points[0].y, 0.2 + 0.8 * 2.3127 / 2.5, kEps);
    EXPECT_NEAR(s.points[2].x, -0.488, kEps);
    EXPECT_NEAR(s.points[2].y, 0.0, kEps);
    EXPECT_NEAR(s.points[4].y, -0.52, kEps);
    EXPECT_NEAR(s.points[6].x, 0.552, kEps);
    EXPECT_NEAR(s.points[1].x, -s.points[1].y, kEps);  // south-west, down-left
    EXPECT_LT(s.points[1].x, 0.0);
    for (const CPolarPoint& p : s.points) {
        const double r = std::hypot(p.x, p.y);
        EXPECT_EQ(r < layout.zeroRadius, cp[static_cast<size_t>(p.direction)] < 0.0);
        EXPECT_NEAR(layout.ValueAt(r), p.value, kEps);  // hovering reads the value back
    }
    // No value missing: one closed ring through all eight.
    ASSERT_EQ(s.segments.size(), 1u);
    EXPECT_TRUE(s.segments[0].closed);
    EXPECT_EQ(Directions(s.segments[0]), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 0}));
    ExpectClicksRoundTrip(layout);
}

TEST(PolarLayout, ATurnedBuildingTurnsTheSpokesWithTheCompass) {
    // 16 directions, the slider two steps right: 45 degrees.
    const std::vector<double> cp(16, -0.25);
    const CPolarLayout layout = MakePolarLayout({{cp, {}, {}}}, 16, 45.0);
    ASSERT_EQ(layout.spokes.size(), 16u);
    EXPECT_EQ(layout.spokes[1].label, "22.5");
    // Direction 0 now comes from the south-west (down-left), 90 degrees from the north-west.
    EXPECT_NEAR(layout.spokes[0].x, -std::sqrt(0.5), 1e-6);
    EXPECT_NEAR(layout.spokes[0].y, std::sqrt(0.5), 1e-6);
    EXPECT_NEAR(layout.spokes[4].x, -std::sqrt(0.5), 1e-6);
    EXPECT_NEAR(layout.spokes[4].y, -std::sqrt(0.5), 1e-6);
    EXPECT_DOUBLE_EQ(layout.spokes[12].windAngle, 315.0);
    // All negative: zero is the outer circle, and the point lies on its spoke.
    EXPECT_DOUBLE_EQ(layout.valueMax, 0.0);
    EXPECT_NEAR(layout.zeroRadius, 1.0, kEps);
    const CPolarPoint& p = layout.series[0].points[4];
    const double r = std::hypot(p.x, p.y);
    EXPECT_NEAR(p.x / r, layout.spokes[4].x, kEps);
    EXPECT_NEAR(p.y / r, layout.spokes[4].y, kEps);
    ExpectClicksRoundTrip(layout);
    ExpectClicksRoundTrip(MakePolarLayout({}, 16, -157.5));
}

TEST(PolarLayout, ThirtyTwoDirectionsOfPressureOnlyKeepZeroAtTheInnerCircle) {
    std::vector<double> cp(32);
    for (size_t d = 0; d < cp.size(); ++d) {
        cp[d] = 0.05 + 0.0078 * static_cast<double>(d);  // up to 0.2918
    }
    const CPolarLayout layout = MakePolarLayout({{cp, {}, {}}}, 32, 180.0);
    EXPECT_EQ(Labels(layout),
              (std::vector<std::string>{"0", "0.05", "0.1", "0.15", "0.2", "0.25", "0.3"}));
    EXPECT_NEAR(layout.zeroRadius, POLAR_INNER_RADIUS, kEps);
    EXPECT_EQ(layout.spokes[1].label, "11.25");
    EXPECT_EQ(layout.spokes[31].label, "348.75");
    // Turned half round: direction 0 comes from the top.
    EXPECT_NEAR(layout.series[0].points[0].x, 0.0, 1e-6);
    EXPECT_LT(layout.series[0].points[0].y, 0.0);
    ExpectClicksRoundTrip(layout);
}

TEST(PolarLayout, TicksAreRoundAndEncloseDeepSuctionsAndNoDataStillHasAZeroCircle) {
    for (const std::vector<double>& cp :
         {std::vector<double>{-3.4567, -2.9, -0.35, 0.1234, 0.9, 0.4, -1.1, -2.2},
          std::vector<double>{-0.0421, -0.0188, 0.0063, 0.0312, 0.0, 0.0, 0.0, 0.0},
          std::vector<double>{-12.5, 3.75, 0, 0, 0, 0, 0, 0}}) {
        const CPolarLayout layout = MakePolarLayout({{cp, {}, {}}}, 8, 0.0);
        ASSERT_GE(layout.ticks.size(), 3u);
        EXPECT_LE(layout.ticks.size(), static_cast<size_t>(POLAR_MAX_TICK_INTERVALS + 1));
        for (double v : cp) {
            EXPECT_LE(layout.valueMin, v);
            EXPECT_GE(layout.valueMax, v);
        }
        int zeros = 0;
        for (const CPolarTick& tick : layout.ticks) {
            // A whole number of steps, the step 1, 2 or 5 times a power of ten.
            const double k = tick.value / layout.tickStep;
            EXPECT_NEAR(k, std::round(k), 1e-9);
            const double m =
                layout.tickStep / std::pow(10.0, std::floor(std::log10(layout.tickStep)));
            EXPECT_TRUE(std::fabs(m - 1) < 1e-9 || std::fabs(m - 2) < 1e-9 ||
                        std::fabs(m - 5) < 1e-9);
            zeros += tick.zero ? 1 : 0;
        }
        EXPECT_EQ(zeros, 1);
    }
    const CPolarLayout empty = MakePolarLayout({{{NO_VALUE, NO_VALUE}, {}, {}}}, 8, 0.0);
    EXPECT_EQ(Labels(empty), (std::vector<std::string>{"-1", "-0.5", "0", "0.5", "1"}));
    EXPECT_TRUE(empty.series[0].segments.empty());
    EXPECT_EQ(PolarDirectionAt(MakePolarLayout({}, 0, 0.0), 0.0, 0.5), -1);
}

TEST(PolarLayout, MissingValuesBreakTheLineAndTheBand) {
    // Missing at 3 (no record) and 7 (short vector): two runs, the second across the wrap.
    std::vector<double> cp = {-0.5, -0.6, -0.7, NO_VALUE, -0.9, -1.0, -1.1};
    const CPolarLayout layout = MakePolarLayout({{cp, {}, {}}}, 8, 0.0);
    const CPolarSeriesLayout& s = layout.series[0];
    ASSERT_EQ(s.segments.size(), 2u);
    EXPECT_EQ(Directions(s.segments[0]), (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(Directions(s.segments[1]), (std::vector<int>{0, 1, 2}));
    EXPECT_FALSE(s.segments[0].closed);
    EXPECT_EQ(s.points.size(), 6u);

    cp = {NO_VALUE, -0.6, 0.3, 0.2, 0.1, 1e300, -0.5, -0.4};  // 1e300 counts as missing too
    const CPolarLayout wrap = MakePolarLayout({{cp, {}, {}}}, 8, 0.0);
    ASSERT_EQ(wrap.series[0].segments.size(), 2u);
    EXPECT_EQ(Directions(wrap.series[0].segments[0]), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(Directions(wrap.series[0].segments[1]), (std::vector<int>{6, 7}));
    EXPECT_DOUBLE_EQ(wrap.valueMax, 0.4);

    // A band all round: an upper and a lower ring, and they widen the range. A band with a gap
    // gives one polygon per run of two directions or more, upper forward and lower back.
    const std::vector<double> mean = {-0.5, -0.5, -0.5, -0.5, -0.5, -0.5, -0.5, -0.5};
    const std::vector<double> lo = {-2.1, -0.9, -0.9, -0.9, -0.9, -0.9, -0.9, -0.9};
    const std::vector<double> hi = {0.2, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0};
    const CPolarLayout banded = MakePolarLayout({{mean, lo, hi}}, 8, 0.0);
    ASSERT_EQ(banded.series[0].band.size(), 2u);
    EXPECT_EQ(banded.series[0].band[0].size(), 8u);
    EXPECT_DOUBLE_EQ(banded.valueMin, -2.5);
    EXPECT_NEAR(std::hypot(banded.series[0].band[1][0].x, banded.series[0].band[1][0].y),
                banded.Radius(-2.1), kEps);
    std::vector<double> gappy = hi;
    gappy[2] = NO_VALUE;
    gappy[5] = NO_VALUE;
    const CPolarLayout parted = MakePolarLayout({{mean, lo, gappy}}, 8, 0.0);
    ASSERT_EQ(parted.series[0].band.size(), 2u);
    EXPECT_EQ(parted.series[0].band[0].size(), 4u);  // directions 3, 4 up, then 4, 3 down
    EXPECT_EQ(parted.series[0].band[1].size(), 8u);  // 6, 7, 0, 1
    const CPolarXY top = parted.PointOf(3, 0.0), bottom = parted.PointOf(3, -0.9);
    EXPECT_NEAR(parted.series[0].band[0][0].x, top.x, kEps);
    EXPECT_NEAR(parted.series[0].band[0][0].y, top.y, kEps);
    EXPECT_NEAR(parted.series[0].band[0][3].x, bottom.x, kEps);
    EXPECT_NEAR(parted.series[0].band[0][3].y, bottom.y, kEps);
}

TEST(PolarLayout, CsvHasARowPerDirectionAndEmptyCellsForMissingValues) {
    const std::vector<double> mean = {-0.5, 0.1234, NO_VALUE, -1.75};
    const std::string csv =
        MakePolarCsv({"101", "A,\"B\""}, {{mean, {}, {}}, {{-0.25}, {-0.3, -2.5}, {-0.2, 0.5}}}, 4);
    EXPECT_EQ(csv,
              "方位,101,\"A,\"\"B\"\"\",\"A,\"\"B\"\" 最小\",\"A,\"\"B\"\" 最大\"\r\n"
              "0,-0.5,-0.25,-0.3,-0.2\r\n"
              "90,0.1234,,-2.5,0.5\r\n"
              "180,,,,\r\n"
              "270,-1.75,,,\r\n");
}

}  // namespace
