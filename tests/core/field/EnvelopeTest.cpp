#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "dataset/CpFile.h"
#include "field/Envelope.h"

namespace {

// The extreme of one record by a plain loop over its directions, for comparison: better(a, b)
// tells whether a replaces the best so far b; the first direction wins a tie.
template <typename Better>
std::pair<double, int> BruteForce(const std::vector<double>& cp, size_t record, int n,
                                  Better better) {
    double best = NO_VALUE;
    int dir = -1;
    for (int d = 0; d < n; ++d) {
        const double v = cp[record * static_cast<size_t>(n) + static_cast<size_t>(d)];
        if (v < NO_VALUE && (dir < 0 || better(v, best))) {
            best = v;
            dir = d;
        }
    }
    return {best, dir};
}

// A table of 32 directions shaped like a low-rise roof: a smooth background in -1.2 .. 0.8
// with four decimals, then in every record a planted suction peak and pressure peak at known
// directions, often repeated at a second, later direction (a tie), gaps of no value (990,
// larger than every value, which must not count as a maximum), and records with no value.
struct Planted {
    std::vector<double> cp;
    std::vector<int> maxDir, minDir;  // -1 for a record without values
    std::vector<double> maxValue, minValue;
};

Planted MakeTable(size_t records, int n) {
    std::mt19937 rng(27);
    std::uniform_int_distribution<int> anyDir(0, n - 1);
    std::uniform_real_distribution<double> background(-1.2, 0.8);
    Planted t;
    t.cp.resize(records * static_cast<size_t>(n));
    for (size_t i = 0; i < records; ++i) {
        double* row = &t.cp[i * static_cast<size_t>(n)];
        for (int d = 0; d < n; ++d) {
            row[d] = std::round(background(rng) * 1e4) / 1e4;
        }
        if (i % 7 == 3) {
            for (int d = 0; d < n; ++d) {
                row[d] = NO_VALUE;
            }
            t.maxDir.push_back(-1);
            t.minDir.push_back(-1);
            t.maxValue.push_back(NO_VALUE);
            t.minValue.push_back(NO_VALUE);
            continue;
        }
        const int lo = anyDir(rng);
        int hi = anyDir(rng);
        if (hi == lo) {
            hi = (lo + 1) % n;
        }
        const double suction = -1.5 - 0.001 * static_cast<double>(i % 500);
        const double pressure = 0.9 + 0.0001 * static_cast<double>(i % 50);
        row[lo] = suction;
        row[hi] = pressure;
        if (i % 3 == 0) {  // the same extreme again later: the first one governs
            for (int d = n - 1; d > lo; --d) {
                if (d != hi) {
                    row[d] = suction;
                    break;
                }
            }
            for (int d = n - 1; d > hi; --d) {
                if (d != lo && row[d] != suction) {
                    row[d] = pressure;
                    break;
                }
            }
        }
        if (i % 5 == 1) {  // gaps, but never on the planted extremes
            for (int d = 0; d < n; d += 4) {
                if (row[d] != suction && row[d] != pressure) {
                    row[d] = NO_VALUE;
                }
            }
        }
        t.maxDir.push_back(hi);
        t.minDir.push_back(lo);
        t.maxValue.push_back(pressure);
        t.minValue.push_back(suction);
    }
    return t;
}

TEST(Envelope, ExtremesAndGoverningDirectionsMatchALoopOverDirections) {
    const int n = 32;
    const size_t records = 3000;
    const Planted t = MakeTable(records, n);
    CCpFile table;
    table.m_nDirectionCount = n;
    table.m_aCp = t.cp;
    const CEnvelope env = ComputeEnvelope(table);
    ASSERT_EQ(env.RecordCount(), records);
    EXPECT_EQ(env.directionCount, n);
    for (size_t i = 0; i < records; ++i) {
        SCOPED_TRACE("record " + std::to_string(i));
        // The planted extremes: suction outweighs pressure, so it is also the absolute maximum.
        EXPECT_EQ(env.maxDirection[i], t.maxDir[i]);
        EXPECT_EQ(env.minDirection[i], t.minDir[i]);
        EXPECT_EQ(env.absMaxDirection[i], t.minDir[i]);
        EXPECT_EQ(env.max[i], t.maxValue[i]);
        EXPECT_EQ(env.min[i], t.minValue[i]);
        EXPECT_EQ(env.absMax[i], t.minValue[i]);
        // And the loop over directions agrees on everything.
        const auto max = BruteForce(t.cp, i, n, [](double a, double b) { return a > b; });
        const auto min = BruteForce(t.cp, i, n, [](double a, double b) { return a < b; });
        const auto abs =
            BruteForce(t.cp, i, n, [](double a, double b) { return std::fabs(a) > std::fabs(b); });
        EXPECT_EQ(env.At(i).Value(EEnvelopeKind::Max), max.first);
        EXPECT_EQ(env.At(i).Direction(EEnvelopeKind::Max), max.second);
        EXPECT_EQ(env.Values(EEnvelopeKind::Min)[i], min.first);
        EXPECT_EQ(env.Directions(EEnvelopeKind::Min)[i], min.second);
        EXPECT_EQ(env.Values(EEnvelopeKind::AbsMax)[i], abs.first);
        EXPECT_EQ(env.Directions(EEnvelopeKind::AbsMax)[i], abs.second);
        // One point's values give the same as its record.
        const std::vector<double> point(t.cp.begin() + static_cast<long>(i) * n,
                                        t.cp.begin() + static_cast<long>(i + 1) * n);
        const CEnvelopeValue e = EnvelopeOf(point);
        EXPECT_EQ(e.absMax, env.absMax[i]);
        EXPECT_EQ(e.minDirection, env.minDirection[i]);
    }
}

// Ties between a suction and a pressure of the same size, a single value among gaps, and the
// edges of the input.
TEST(Envelope, TiesSingleValuesAndEmptyInput) {
    const double x = NO_VALUE;
    // |-1.2| = |1.2|: the first of them governs the absolute maximum, with its sign.
    CEnvelopeValue e = EnvelopeOf({0.3, 1.2, -1.2, 1.2, 0.0, -0.4, 0.1, -1.2});
    EXPECT_EQ(e.absMax, 1.2);
    EXPECT_EQ(e.absMaxDirection, 1);
    EXPECT_EQ(e.maxDirection, 1);
    EXPECT_EQ(e.min, -1.2);
    EXPECT_EQ(e.minDirection, 2);
    e = EnvelopeOf({x, x, -1.2, x, 1.2, x, x, x});
    EXPECT_EQ(e.absMax, -1.2);
    EXPECT_EQ(e.absMaxDirection, 2);
    // One value: it is every extreme. NaN counts as no value.
    e = EnvelopeOf({x, x, x, x, x, std::nan(""), x, -0.8765});
    EXPECT_EQ(e.max, -0.8765);
    EXPECT_EQ(e.min, -0.8765);
    EXPECT_EQ(e.absMaxDirection, 7);
    // No value, or no directions at all.
    for (const std::vector<double>& none : {std::vector<double>(8, x), std::vector<double>()}) {
        e = EnvelopeOf(none);
        EXPECT_EQ(e.max, NO_VALUE);
        EXPECT_EQ(e.Value(EEnvelopeKind::AbsMax), NO_VALUE);
        EXPECT_EQ(e.Direction(EEnvelopeKind::Min), -1);
    }
    EXPECT_EQ(ComputeEnvelope({1.0, 2.0}, 0).RecordCount(), 0u);
    // A partial record at the end is not read; a record outside the table has no value.
    const CEnvelope env = ComputeEnvelope(std::vector<double>(8 * 2 + 3, -0.5), 8);
    ASSERT_EQ(env.RecordCount(), 2u);
    EXPECT_EQ(env.minDirection[1], 0);
    EXPECT_EQ(env.At(2).max, NO_VALUE);
    EXPECT_EQ(env.At(2).maxDirection, -1);
}

}  // namespace
