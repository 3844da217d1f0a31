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

// A table shaped like low-rise roof data: a background in -1.2 .. 0.8 with four decimals, in
// every record a planted suction peak at a known direction, in every third record the same
// peak again at the last direction (a tie the first one wins), gaps of no value (990, larger
// than every value, which must not count as a maximum) and records with no value at all.
TEST(Envelope, ExtremesAndGoverningDirectionsMatchALoopOverDirections) {
    const int n = 32;
    const size_t records = 3000;
    std::mt19937 rng(27);
    std::uniform_real_distribution<double> background(-1.2, 0.8);
    CCpFile table;
    table.m_nDirectionCount = n;
    std::vector<int> planted(records, -1);
    for (size_t i = 0; i < records; ++i) {
        std::vector<double> row(n);
        for (double& v : row) {
            v = i % 7 == 3 ? NO_VALUE : std::round(background(rng) * 1e4) / 1e4;
        }
        if (i % 7 != 3) {
            planted[i] = static_cast<int>(i % (n - 1));
            row[static_cast<size_t>(planted[i])] = -1.5 - 0.001 * static_cast<double>(i % 900);
            if (i % 3 == 0) {
                row[n - 1] = row[static_cast<size_t>(planted[i])];
            }
            for (int d = 2; i % 5 == 1 && d < n - 1; d += 4) {
                row[static_cast<size_t>(d)] = d == planted[i] ? row[d] : NO_VALUE;
            }
        }
        table.m_aCp.insert(table.m_aCp.end(), row.begin(), row.end());
    }
    const CEnvelope env = ComputeEnvelope(table);
    ASSERT_EQ(env.RecordCount(), records);
    EXPECT_EQ(env.directionCount, n);
    const auto gt = [](double a, double b) { return a > b; };
    const auto lt = [](double a, double b) { return a < b; };
    const auto absGt = [](double a, double b) { return std::fabs(a) > std::fabs(b); };
    for (size_t i = 0; i < records; ++i) {
        SCOPED_TRACE("record " + std::to_string(i));
        // The planted suction is the minimum and the absolute maximum.
        EXPECT_EQ(env.minDirection[i], planted[i]);
        EXPECT_EQ(env.absMaxDirection[i], planted[i]);
        const auto max = BruteForce(table.m_aCp, i, n, gt);
        const auto min = BruteForce(table.m_aCp, i, n, lt);
        const auto abs = BruteForce(table.m_aCp, i, n, absGt);
        EXPECT_EQ(env.At(i).Value(EEnvelopeKind::Max), max.first);
        EXPECT_EQ(env.At(i).Direction(EEnvelopeKind::Max), max.second);
        EXPECT_EQ(env.Values(EEnvelopeKind::Min)[i], min.first);
        EXPECT_EQ(env.Directions(EEnvelopeKind::Min)[i], min.second);
        EXPECT_EQ(env.Values(EEnvelopeKind::AbsMax)[i], abs.first);
        EXPECT_EQ(env.Directions(EEnvelopeKind::AbsMax)[i], abs.second);
        // One point's values give what its record gives.
        const CEnvelopeValue e = EnvelopeOf(&table.m_aCp[i * n], n);
        EXPECT_EQ(e.absMax, env.absMax[i]);
        EXPECT_EQ(e.maxDirection, env.maxDirection[i]);
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
