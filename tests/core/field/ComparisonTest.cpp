#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "field/Comparison.h"
#include "text/CodePage.h"

namespace {

struct Tap {
    int32_t no;
    float x, y, z;
};

CMeasurePosFile Positions(const std::vector<Tap>& taps) {
    CMeasurePosFile pos;
    for (const Tap& t : taps) {
        pos.m_aTapNo.push_back(t.no);
        pos.m_aPos.emplace_back(t.x, t.y, t.z);
    }
    pos.RebuildIndex();
    return pos;
}

CCpFile Table(int directions, const std::vector<int32_t>& taps, const std::vector<double>& cp) {
    CCpFile file;
    file.m_nDirectionCount = directions;
    file.m_aTapNo = taps;
    file.m_aCp = cp;
    file.RebuildIndex();
    return file;
}

// A gable-ended house, 12 m x 8 m, in full-scale mm: the south wall (face 1), the west gable
// (face 2) and the south roof slope (face 3). Tap 104 and tap 201 share the south-west corner.
std::vector<Tap> House() {
    return {{101, -4500, -4000, 1500}, {102, -1500, -4000, 1500}, {103, 1500, -4000, 1500},
            {104, -6000, -4000, 4500}, {105, 4500, -4000, 4500},  {201, -6000, -4000, 4500},
            {202, -6000, 0, 7500},     {203, -6000, 2500, 3000},  {301, -4000, -2700, 7000},
            {302, 0, -1300, 8000},     {303, 4000, -2700, 7000},  {304, 5200, -3500, 6300}};
}

// Four-decimal values with suctions far below -1, some records missing a value.
std::vector<double> Values(size_t taps, int directions, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> cp(-2.8, 1.1);
    std::vector<double> v(taps * static_cast<size_t>(directions));
    for (double& x : v) {
        x = std::round(cp(rng) * 1e4) / 1e4;
    }
    v[5] = NO_VALUE;
    v[v.size() - 3] = NO_VALUE;
    return v;
}

std::vector<int32_t> Numbers(const std::vector<Tap>& taps) {
    std::vector<int32_t> n;
    for (const Tap& t : taps) {
        n.push_back(t.no);
    }
    return n;
}

TEST(Comparison, MatchingByNumberWhenTheNumbersFitAndByPositionWhenTheyOnlyCoincide) {
    const std::vector<Tap> house = House();
    // The reference lacks two taps and has one more: most numbers fit, so they decide, and the
    // missing taps stay unmatched even though a neighbour lies within the tolerance.
    std::vector<Tap> fewer = house;
    fewer.erase(fewer.begin() + 9);  // 302
    fewer.erase(fewer.begin() + 1);  // 102
    fewer.push_back({401, 6000, 0, 3000});
    CTapMatching m = MatchTaps(Positions(house), Positions(fewer), 5000.0);
    EXPECT_EQ(m.mode, CTapMatchMode::ByNumber);
    EXPECT_EQ(m.numberPairs, 10);
    EXPECT_EQ(m.unmatched, (std::vector<int32_t>{102, 302}));
    EXPECT_EQ(m.unmatchedReference, (std::vector<int32_t>{401}));
    EXPECT_EQ(m.MatchedCount(), 10);
    EXPECT_EQ(m.taps[0].refTapNo, 101);

    // A CFD run numbered 101, 102, ... in another order: the numbers coincide, the places do
    // not, so Auto matches by position; forcing numbers still can.
    std::vector<Tap> cfd = house;
    for (size_t i = 0; i < cfd.size(); ++i) {
        cfd[i].no = house[(i * 5) % house.size()].no;
        cfd[i].x += 12.0f;  // a slightly different model
    }
    m = MatchTaps(Positions(house), Positions(cfd), 50.0);
    EXPECT_EQ(m.mode, CTapMatchMode::ByPosition);
    EXPECT_LT(m.numberPairsWithin, m.numberPairs / 2);
    EXPECT_TRUE(m.unmatched.empty());
    for (size_t i = 0; i < house.size(); ++i) {
        EXPECT_EQ(m.taps[i].refTapNo, cfd[i].no);
        EXPECT_NEAR(m.taps[i].distance, 12.0, 1e-9);
    }
    EXPECT_EQ(MatchTaps(Positions(house), Positions(cfd), 50.0, CTapMatchMode::ByNumber).mode,
              CTapMatchMode::ByNumber);

    // A table filled by hand without its index, with a second record of tap 101 far away: the
    // taps are the first record of each number all the same.
    CMeasurePosFile bare;
    for (const Tap& t : house) {
        bare.m_aTapNo.push_back(t.no);
        bare.m_aPos.emplace_back(t.x, t.y, t.z);
    }
    bare.m_aTapNo.push_back(101);
    bare.m_aPos.emplace_back(90000.0f, 0.0f, 0.0f);
    m = MatchTaps(bare, Positions(house), 0.0);
    EXPECT_EQ(m.taps.size(), house.size());
    EXPECT_EQ(m.MatchedCount(), 12);
    EXPECT_EQ(m.numberPairsWithin, 12);
}

TEST(Comparison, MatchingByPositionTakesEachReferenceTapOnceWithOneTapUnmatched) {
    // The reference numbers its taps 1, 2, ...; tap 303 has no reference tap within reach, the
    // two taps at the shared corner each get one of the two reference taps there (the one with
    // the same number first), and 304 takes tap 10, nearest to 105 too, which falls back on 11.
    const std::vector<Tap> house = House();
    const std::vector<Tap> ref = {
        {1, -4490, -4000, 1500},   {2, -1500, -3990, 1510}, {3, 1500, -4000, 1480},
        {201, -6000, -4000, 4500}, {5, -6000, -4000, 4500}, {6, -6000, 10, 7500},
        {7, -6000, 2500, 3000},    {8, -4000, -2700, 7000}, {9, 0, -1300, 8020},
        {10, 4900, -3750, 5500},   {11, 4500, -4000, 3350}};
    const CTapMatching m = MatchTaps(Positions(house), Positions(ref), 1200.0);
    EXPECT_EQ(m.mode, CTapMatchMode::ByPosition);
    std::vector<int32_t> partners;
    for (const CTapMatch& t : m.taps) {
        partners.push_back(t.matched ? t.refTapNo : -1);
        if (t.matched) {
            EXPECT_LE(t.distance, 1200.0);
        }
    }
    EXPECT_EQ(partners, (std::vector<int32_t>{1, 2, 3, 5, 11, 201, 6, 7, 8, 9, -1, 10}));
    EXPECT_EQ(m.unmatched, (std::vector<int32_t>{303}));
    EXPECT_TRUE(m.unmatchedReference.empty());
}

TEST(Comparison, PositionMatchingEqualsTakingAllPairsFromTheClosestUp) {
    // Crowded random taps on a 2 m grid, a tolerance wider than the spacing: many taps compete.
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> cell(0, 9);
    std::uniform_real_distribution<float> jitter(-600.0f, 600.0f);
    for (int round = 0; round < 20; ++round) {
        std::vector<Tap> a, b;
        for (int i = 0; i < 40; ++i) {
            a.push_back({100 + i, 2000.0f * cell(rng), 2000.0f * cell(rng), 0});
            b.push_back({i % 3 == 0 ? 100 + i : 900 + i, a.back().x + jitter(rng),
                         a.back().y + jitter(rng), jitter(rng)});
        }
        std::shuffle(b.begin(), b.end(), rng);
        b.resize(33);
        const double tol = 1500.0;
        const CTapMatching m =
            MatchTaps(Positions(a), Positions(b), tol, CTapMatchMode::ByPosition);

        // Brute force: every pair within the tolerance, in the documented order.
        std::vector<std::tuple<double, bool, size_t, size_t>> pairs;
        for (size_t i = 0; i < a.size(); ++i) {
            for (size_t j = 0; j < b.size(); ++j) {
                const double dx = double(a[i].x) - b[j].x, dy = double(a[i].y) - b[j].y,
                             dz = double(a[i].z) - b[j].z;
                const double d = std::sqrt(dx * dx + dy * dy + dz * dz);
                if (d <= tol) {
                    pairs.emplace_back(d, a[i].no != b[j].no, i, j);
                }
            }
        }
        std::sort(pairs.begin(), pairs.end());
        std::vector<int32_t> expected(a.size(), -1);
        std::vector<bool> used(b.size(), false);
        for (const auto& [d, other, i, j] : pairs) {
            if (expected[i] < 0 && !used[j]) {
                expected[i] = b[j].no;
                used[j] = true;
            }
        }
        for (size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(m.taps[i].matched ? m.taps[i].refTapNo : -1, expected[i])
                << round << " " << i;
        }
    }
}

TEST(Comparison, ADataSetComparedWithItselfDiffersByZeroAndCorrelatesFully) {
    const std::vector<Tap> house = House();
    const CMeasurePosFile pos = Positions(house);
    // Tap 304 has no record: it has no values, and no difference.
    std::vector<int32_t> numbers = Numbers(house);
    numbers.pop_back();
    const CCpFile cp = Table(16, numbers, Values(numbers.size(), 16, 3));
    CComparison c;
    ASSERT_TRUE(CompareDataSets(cp, cp, MatchTaps(pos, pos, 10.0), c));
    EXPECT_EQ(c.matching.mode, CTapMatchMode::ByNumber);
    for (const CTapMatch& t : c.matching.taps) {
        for (int d = 0; d < 16; ++d) {
            const bool value = t.tapNo != 304 && cp.GetCp(t.tapNo, d) < NO_VALUE;
            EXPECT_EQ(c.difference.GetCp(t.tapNo, d), value ? 0.0 : NO_VALUE);
        }
    }
    const std::vector<int> faces = {1, 1, 1, 1, 1, 2, 2, 2, 3, 3, 3, 3};
    for (int direction : {-1, 0, 9}) {
        const CAgreementTable t = ComputeAgreement(c, faces, direction);
        ASSERT_EQ(t.faces.size(), 3u);
        EXPECT_EQ(t.building.taps, 11);
        for (const CAgreement& a : {t.building, t.faces[0].figures, t.faces[2].figures}) {
            EXPECT_EQ(a.meanDifference, 0.0);
            EXPECT_EQ(a.rmsDifference, 0.0);
            EXPECT_EQ(a.largestDifference, 0.0);
            EXPECT_TRUE(a.hasCorrelation);
            EXPECT_DOUBLE_EQ(a.correlation, 1.0);
        }
    }

    // Another direction count cannot be compared.
    const CCpFile eight = Table(8, numbers, Values(numbers.size(), 8, 3));
    EXPECT_FALSE(CanCompare(cp, eight));
    EXPECT_FALSE(CompareDataSets(cp, eight, c.matching, c));
    EXPECT_TRUE(c.difference.m_aTapNo.empty());
}

// The figures of a scope, straight from the definitions (one-pass sums for the correlation).
struct Brute {
    int taps = 0, values = 0;
    double mean = 0, rms = 0, largest = 0;
    int32_t largestTap = 0;
    int largestDir = -1;
    bool hasR = false;
    double r = 0;
};

TEST(Comparison, AgreementFiguresPerFaceAndForTheBuildingMatchABruteForceCount) {
    const std::vector<Tap> house = House();
    const int n = 8;
    const std::vector<int32_t> numbers = Numbers(house);
    const std::vector<double> shownCp = Values(numbers.size(), n, 11);
    // The reference: the same house with its neighbour, numbered from 1, tap 203 missing.
    std::vector<Tap> refTaps = house;
    std::vector<double> refCp(shownCp.size());
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> change(-0.4, 0.3);
    for (size_t k = 0; k < refCp.size(); ++k) {
        refCp[k] =
            shownCp[k] >= NO_VALUE ? -0.5 : std::round((shownCp[k] + change(rng)) * 1e4) / 1e4;
    }
    refCp[20] = NO_VALUE;
    for (size_t i = 0; i < refTaps.size(); ++i) {
        refTaps[i].no = static_cast<int32_t>(i + 1);
    }
    refTaps.erase(refTaps.begin() + 7);
    refCp.erase(refCp.begin() + 7 * n, refCp.begin() + 8 * n);
    const CCpFile shown = Table(n, numbers, shownCp), ref = Table(n, Numbers(refTaps), refCp);
    CComparison c;
    ASSERT_TRUE(
        CompareDataSets(shown, ref, MatchTaps(Positions(house), Positions(refTaps), 100.0), c));
    ASSERT_EQ(c.matching.unmatched, (std::vector<int32_t>{203}));
    // Face 2 is the gable with one tap left over; tap 304 belongs to no face.
    const std::vector<int> faces = {1, 1, 1, 1, 1, 2, 2, 2, 3, 3, 3};

    for (int direction : {-1, 2, 7}) {
        const CAgreementTable table = ComputeAgreement(c, faces, direction);
        ASSERT_EQ(table.faces.size(), 3u);
        for (int scope = 0; scope <= 3; ++scope) {  // faces 1 to 3, then the building (0)
            Brute b;
            double ss = 0, sr = 0, sss = 0, srr = 0, ssr = 0;
            for (size_t i = 0; i < house.size(); ++i) {
                const int face = i < faces.size() ? faces[i] : -1;
                const int32_t refNo = c.matching.taps[i].refTapNo;
                if (house[i].no == 203 || (scope != 0 && face != scope)) {
                    continue;
                }
                bool any = false;
                for (int d = 0; d < n; ++d) {
                    if (direction >= 0 && d != direction) {
                        continue;
                    }
                    const double s = shown.GetCp(house[i].no, d), r = ref.GetCp(refNo, d);
                    if (s >= NO_VALUE || r >= NO_VALUE) {
                        continue;
                    }
                    any = true;
                    ++b.values;
                    b.mean += s - r;
                    b.rms += (s - r) * (s - r);
                    if (std::fabs(s - r) > std::fabs(b.largest) || b.largestDir < 0) {
                        b.largest = s - r;
                        b.largestTap = house[i].no;
                        b.largestDir = d;
                    }
                    ss += s, sr += r, sss += s * s, srr += r * r, ssr += s * r;
                }
                b.taps += any ? 1 : 0;
            }
            const double k = b.values;
            b.mean /= k;
            b.rms = std::sqrt(b.rms / k);
            const double cov = ssr - ss * sr / k, vs = sss - ss * ss / k, vr = srr - sr * sr / k;
            b.hasR = b.values >= 2 && vs > 1e-12 && vr > 1e-12;
            b.r = cov / std::sqrt(vs * vr);

            const CAgreement& a = scope == 0 ? table.building : table.faces[scope - 1].figures;
            SCOPED_TRACE("direction " + std::to_string(direction) + " scope " +
                         std::to_string(scope));
            EXPECT_EQ(a.taps, b.taps);
            EXPECT_EQ(a.values, b.values);
            EXPECT_NEAR(a.meanDifference, b.mean, 1e-12);
            EXPECT_NEAR(a.rmsDifference, b.rms, 1e-12);
            EXPECT_EQ(a.largestDifference, b.largest);
            EXPECT_EQ(a.largestTapNo, b.largestTap);
            EXPECT_EQ(a.largestDirection, b.largestDir);
            ASSERT_EQ(a.hasCorrelation, b.hasR);
            if (b.hasR) {
                EXPECT_NEAR(a.correlation, b.r, 1e-9);
            }
        }
        // One direction of the gable: the two taps left of it.
        if (direction >= 0) {
            EXPECT_EQ(table.faces[1].figures.values, 2);
        }
    }

    // A single pair, and a constant side, give no correlation.
    CComparison flat = c;
    std::fill(flat.reference.begin(), flat.reference.end(), -0.85);
    const CAgreementTable constant = ComputeAgreement(flat, faces, -1);
    EXPECT_FALSE(constant.building.hasCorrelation);
    EXPECT_GT(constant.building.rmsDifference, 0.0);
    const CAgreementTable one = ComputeAgreement(c, {1}, 3);
    EXPECT_EQ(one.faces[0].figures.values, 1);
    EXPECT_FALSE(one.faces[0].figures.hasCorrelation);

    // The CSV names both sets and the difference, and holds one row per face and the building.
    const std::string csv =
        MakeAgreementCsv({ComputeAgreement(c, faces, 2), one}, c, "gable, with HOUSE_W", "gable",
                         [](int face) { return "面" + std::to_string(face); });
    EXPECT_EQ(csv.rfind("表示データ,\"gable, with HOUSE_W\"\r\n比較データ,gable\r\n"
                        "差,表示データ - 比較データ\r\n照合,位置（許容差 100 mm）\r\n"
                        "照合できたタップ,11/12\r\n\r\n方位,面,タップ数,",
                        0),
              0u);
    EXPECT_NE(csv.find("\r\n90,面2,2,2,"), std::string::npos);
    // A single pair: every figure but the correlation, an empty cell.
    const size_t row = csv.find("\r\n135,面1,1,1,");
    ASSERT_NE(row, std::string::npos);
    const std::string single = csv.substr(row + 2, csv.find("\r\n", row + 2) - row - 2);
    EXPECT_EQ(std::count(single.begin(), single.end(), ','), 9);
    EXPECT_EQ(single.back(), ',');
    EXPECT_NE(csv.find("\r\n135,建物全体,11,11,"), std::string::npos);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 7 + 4 + 2);
    EXPECT_EQ(kzv::Cp932ToUtf8(kzv::Utf8ToCp932(csv)), csv);  // a file keeps every word
}

}  // namespace
