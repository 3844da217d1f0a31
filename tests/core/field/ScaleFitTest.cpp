#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "dataset/CpFile.h"
#include "field/ScaleFit.h"

namespace {

// Whether step is 1, 1.2, 1.5, 2, 2.5, 3, 4, 5, 6 or 8 times a power of ten.
bool IsRoundStep(double step) {
    const double mantissa = step / std::pow(10.0, std::floor(std::log10(step)));
    for (double m : {1.0, 1.2, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0, 8.0, 10.0}) {
        if (std::fabs(mantissa - m) < 1e-9) {
            return true;
        }
    }
    return false;
}

// Whether v is the double nearest to a decimal of at most 12 significant digits.
bool IsShortDecimal(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.12g", v);
    return std::strtod(text, nullptr) == v;
}

bool IsWhole(double x) {
    return std::fabs(x - std::round(x)) < 1e-6;
}

// Tables like measured ones: four decimals, suctions far below -1 or pressures only, at
// several magnitudes and offsets; for every band count, with and without grouping by the
// label interval and symmetric or not, the fitted scale encloses the data, its ends are round
// decimals on the grid of the step, and it is no wider than the next smaller step would allow.
TEST(ScaleFit, FittedEndsEncloseTheDataAndAreRound) {
    std::mt19937 rng(11);
    const struct {
        double lo, hi;
    } shapes[] = {{-2.37, 0.92},  {-4.8, -0.3},   {0.12, 0.87},
                  {-0.01, 0.013}, {-310.0, 45.0}, {-996.9, -996.2}};
    for (const auto& shape : shapes) {
        std::uniform_real_distribution<double> any(shape.lo, shape.hi);
        std::vector<double> values(600);
        for (double& v : values) {
            v = std::round(any(rng) * 1e4) / 1e4;
        }
        values[17] = NO_VALUE;
        const CDataRange data = DataRange(values);
        ASSERT_EQ(data.count, values.size() - 1);
        const double span = data.max - data.min;
        const double largest = std::max(std::fabs(data.min), std::fabs(data.max));
        for (int bands : {1, 2, 5, 7, 10, 15, 18, 24, 25, 30}) {
            for (int group : {1, 3, 5}) {
                for (bool symmetric : {false, true}) {
                    SCOPED_TRACE(std::to_string(shape.lo) + " " + std::to_string(bands) + " " +
                                 std::to_string(group) + (symmetric ? " symmetric" : ""));
                    const CScaleFit fit = FitScale(data, bands, symmetric, group);
                    const int g = bands % group == 0 ? group : 1;
                    // One group is fitted as two halves.
                    const double step = fit.bandWidth * g / (bands == g ? 2 : 1);
                    EXPECT_LE(fit.min, data.min);
                    EXPECT_GE(fit.max, data.max);
                    EXPECT_TRUE(IsRoundStep(step)) << step;
                    EXPECT_TRUE(IsShortDecimal(fit.min)) << fit.min;
                    EXPECT_TRUE(IsShortDecimal(fit.max)) << fit.max;
                    EXPECT_NEAR(fit.max - fit.min, bands * fit.bandWidth,
                                1e-9 * (fit.max - fit.min));
                    if (symmetric) {
                        EXPECT_EQ(fit.min, -fit.max);
                        EXPECT_LT(fit.max, 1.34 * largest + 1e-12);
                    } else {
                        EXPECT_TRUE(IsWhole(fit.min / step)) << fit.min << " / " << step;
                        EXPECT_LT(fit.max - fit.min, 1.34 * (span + step));
                    }
                    const CScaleOverflow out = ScaleOverflow(data, fit.min, fit.max);
                    EXPECT_FALSE(out.below || out.above);
                }
            }
        }
    }
    // The roundest of the positions that fit, not merely the middle one.
    CScaleFit fit = FitScale(CDataRange{-2.37, 0.92, 2}, 30, false);
    EXPECT_EQ(fit.min, -2.4);
    EXPECT_EQ(fit.max, 1.2);
    fit = FitScale(CDataRange{0.1, 0.9, 2}, 10, false);
    EXPECT_EQ(fit.min, 0.0);
    EXPECT_EQ(fit.max, 1.0);
    fit = FitScale(CDataRange{-2.37, 0.92, 2}, 30, true);
    EXPECT_EQ(fit.max, 3.0);
}

// The true range leaves out missing values; a scale reports the ends the data pass; data with
// no spread or no values still get a usable range around them.
TEST(ScaleFit, DataRangeOverflowAndDegenerateData) {
    const double x = NO_VALUE;
    const std::vector<double> table = {-1.4321, 0.5,  x,  // record 0, directions 0..2
                                       x,       0.75, -0.2, std::nan(""), x, 0.3};
    CDataRange all = DataRange(table);
    EXPECT_EQ(all.count, 5u);
    EXPECT_EQ(all.min, -1.4321);
    EXPECT_EQ(all.max, 0.75);
    const CDataRange d2 = DirectionRange(table, 3, 2);
    EXPECT_EQ(d2.count, 2u);
    EXPECT_EQ(d2.min, -0.2);
    EXPECT_EQ(d2.max, 0.3);
    EXPECT_TRUE(DirectionRange(table, 3, 3).Empty());
    EXPECT_TRUE(DirectionRange({x, x, x}, 1, 0).Empty());

    CScaleOverflow out = ScaleOverflow(all, -1.0, 1.0);
    EXPECT_TRUE(out.below);
    EXPECT_FALSE(out.above);
    out = ScaleOverflow(all, -1.4321, 0.7);  // on the lower end is inside
    EXPECT_FALSE(out.below);
    EXPECT_TRUE(out.above);
    out = ScaleOverflow(CDataRange(), -1.0, 1.0);
    EXPECT_FALSE(out.below || out.above);

    const struct {
        std::vector<double> values;
        double inside;
    } degenerate[] = {
        {{x, x}, 0.0}, {{-1.2345}, -1.2345}, {{0.0, 0.0, x}, 0.0}, {{-0.8, -0.8, -0.8}, -0.8}};
    for (const auto& c : degenerate) {
        for (bool symmetric : {false, true}) {
            for (int bands : {0, 1, 30}) {
                const CScaleFit fit = FitScale(DataRange(c.values), bands, symmetric);
                EXPECT_LT(fit.min, c.inside);
                EXPECT_GT(fit.max, c.inside);
                EXPECT_GT(fit.bandWidth, 0.0);
                if (DataRange(c.values).Empty()) {
                    EXPECT_LE(fit.min, -1.0);
                    EXPECT_GE(fit.max, 1.0);
                } else if (c.inside != 0.0 && !symmetric) {
                    EXPECT_LT(fit.max - fit.min, std::fabs(c.inside)) << "far too wide";
                }
            }
        }
    }
}

}  // namespace
