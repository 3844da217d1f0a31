#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "FieldFixture.h"
#include "field/ColorScale.h"

namespace {

using fieldtest::Area;

TEST(ColorScaleTest, BandIndexAtAndBeyondTheEnds) {
    EXPECT_EQ(BandIndex(-1.0, -1.0, 1.0, 30), 0);
    EXPECT_EQ(BandIndex(-7.0, -1.0, 1.0, 30), 0);
    EXPECT_EQ(BandIndex(1.0, -1.0, 1.0, 30), 29);
    EXPECT_EQ(BandIndex(5.0, -1.0, 1.0, 30), 29);
    EXPECT_EQ(BandIndex(0.0, -1.0, 1.0, 2), 1);
    EXPECT_EQ(BandIndex(-0.01, -1.0, 1.0, 2), 0);
    // A reversed scale answers only the end bands.
    EXPECT_EQ(BandIndex(0.0, 1.0, -1.0, 4), 0);
    EXPECT_EQ(BandIndex(2.0, 1.0, -1.0, 4), 3);

    // The summed levels give the same bands as the walk, at and between every level.
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> any(-2.0, 2.0);
    for (int n : {2, 7, 30}) {
        const CContourLevels levels = MakeContourLevels(-1.0, 1.0, n);
        ASSERT_EQ(levels.level.size(), static_cast<size_t>(n) + 1);
        for (double l : levels.level) {
            EXPECT_EQ(BandIndex(l, levels), BandIndex(l, -1.0, 1.0, n));
        }
        for (int i = 0; i < 200; ++i) {
            const double v = any(rng);
            EXPECT_EQ(BandIndex(v, levels), BandIndex(v, -1.0, 1.0, n));
        }
    }
    EXPECT_TRUE(MakeContourLevels(-1.0, 1.0, 0).level.empty());
}

TEST(ColorScaleTest, TriangleInOneBandIsOnePolygon) {
    const CVector4 t[3] = {CVector4(0, 0, 0), CVector4(1, 0, 0), CVector4(0, 1, 0)};
    const double v[3] = {0.01, 0.02, 0.03};
    const auto polygons = FillBandsOnTriangle(t, v, MakeContourLevels(-1.0, 1.0, 30));
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].band, 15);
    ASSERT_EQ(polygons[0].points.size(), 3u);
    EXPECT_EQ(polygons[0].points[1], t[1]);
}

TEST(ColorScaleTest, TwoBandsMeetAlongTheIsoLine) {
    const CVector4 t[3] = {CVector4(0, 0, 0), CVector4(2, 0, 0), CVector4(0, 2, 0)};
    const double v[3] = {-1.0, 0.0, 1.0};
    const auto polygons = FillBandsOnTriangle(t, v, MakeContourLevels(-1.0, 1.0, 2));
    ASSERT_EQ(polygons.size(), 2u);
    EXPECT_EQ(polygons[0].band, 0);
    EXPECT_EQ(polygons[1].band, 1);
    // The line of value 0 runs from t1 to the middle of t2-t0; each side holds half.
    EXPECT_NEAR(Area(polygons[0].points), 1.0, 1e-6);
    EXPECT_NEAR(Area(polygons[1].points), 1.0, 1e-6);
    bool hasMiddle = false;
    for (const CVector4& p : polygons[1].points) {
        hasMiddle = hasMiddle || p == CVector4(0, 1, 0);
    }
    EXPECT_TRUE(hasMiddle);
}

TEST(ColorScaleTest, BandPolygonsCoverTheTriangleOnce) {
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> coord(-50.0f, 50.0f);
    std::uniform_real_distribution<double> value(-1.6, 1.6);
    for (int n : {2, 5, 30}) {
        const CContourLevels levels = MakeContourLevels(-1.0, 1.0, n);
        for (int i = 0; i < 300; ++i) {
            const CVector4 t[3] = {CVector4(coord(rng), coord(rng), coord(rng)),
                                   CVector4(coord(rng), coord(rng), coord(rng)),
                                   CVector4(coord(rng), coord(rng), coord(rng))};
            double v[3] = {value(rng), value(rng), value(rng)};
            if (i % 10 == 0) {
                v[1] = levels.level[1];  // a corner exactly on a level
            }
            if (i % 10 == 1) {
                v[2] = 1.0;  // a corner exactly at max
            }
            const double whole = Area({t[0], t[1], t[2]});
            double sum = 0.0;
            int last = -1;
            for (const CBandPolygon& band : FillBandsOnTriangle(t, v, levels)) {
                EXPECT_GT(band.band, last);  // one polygon per band, rising
                last = band.band;
                sum += Area(band.points);
            }
            EXPECT_NEAR(sum, whole, 1e-4 * whole + 1e-3) << "n " << n << " case " << i;
        }
    }
}

// Bands are only looked for between the corners' bands; every band visited (the levels taken
// as not ascending) must give the same polygons, degenerate ones of a corner exactly on a
// level included.
TEST(ColorScaleTest, VisitingOnlyTheSpannedBandsLosesNoPolygon) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> value(-1.3, 1.3);
    for (int n : {2, 7, 30}) {
        const CContourLevels levels = MakeContourLevels(-1.0, 1.0, n);
        ASSERT_TRUE(levels.ascending);
        CContourLevels everyBand = levels;
        everyBand.ascending = false;
        std::uniform_int_distribution<size_t> level(0, levels.level.size() - 1);
        const CVector4 t[3] = {CVector4(0, 0, 0), CVector4(3, 1, 0), CVector4(1, 4, 2)};
        for (int i = 0; i < 2000; ++i) {
            double v[3] = {value(rng), value(rng), value(rng)};
            for (double& x : v) {
                if (rng() % 3 == 0) {
                    x = levels.level[level(rng)];  // on a level, min and max among them
                }
            }
            const auto fast = FillBandsOnTriangle(t, v, levels);
            const auto full = FillBandsOnTriangle(t, v, everyBand);
            ASSERT_EQ(fast.size(), full.size()) << v[0] << " " << v[1] << " " << v[2];
            for (size_t k = 0; k < fast.size(); ++k) {
                EXPECT_EQ(fast[k].band, full[k].band);
                ASSERT_EQ(fast[k].points.size(), full[k].points.size());
                for (size_t j = 0; j < fast[k].points.size(); ++j) {
                    EXPECT_EQ(fast[k].points[j].x, full[k].points[j].x);
                    EXPECT_EQ(fast[k].points[j].y, full[k].points[j].y);
                    EXPECT_EQ(fast[k].points[j].z, full[k].points[j].z);
                }
            }
        }
    }
    // A reversed or empty scale is not ascending: every band is visited.
    EXPECT_FALSE(MakeContourLevels(1.0, -1.0, 4).ascending);
    EXPECT_FALSE(MakeContourLevels(1.0, 1.0, 4).ascending);
}

// The band polygons as the scale defines them: a triangle whose corners share a band is that
// band's one polygon; else band by band, band k takes, edge by edge, the edge's start corner
// when its value lies in [Lk, Lk+1], the start again in an end band when its value lies at or
// beyond that end, and the edge's crossings of Lk and Lk+1 in the edge's direction; polygons
// of two points or fewer are left out.
std::vector<CBandPolygon> BandsByDefinition(const CVector4 t[3], const double v[3],
                                            const CContourLevels& levels) {
    std::vector<CBandPolygon> out;
    const int band0 = BandIndex(v[0], levels);
    if (band0 == BandIndex(v[1], levels) && band0 == BandIndex(v[2], levels)) {
        out.push_back(CBandPolygon{band0, {t[0], t[1], t[2]}});
        return out;
    }
    const int n = levels.n;
    for (int k = 0; k < n; ++k) {
        const double lo = levels.level[static_cast<size_t>(k)];
        const double hi = levels.level[static_cast<size_t>(k) + 1];
        CBandPolygon band{k, {}};
        for (int e = 0; e < 3; ++e) {
            const CVector4& a = t[e];
            const CVector4& b = t[(e + 1) % 3];
            const double va = v[e];
            const double vb = v[(e + 1) % 3];
            if (lo <= va && va <= hi) {
                band.points.push_back(a);
            }
            if ((k == 0 && va <= levels.min) || (k == n - 1 && va >= levels.max)) {
                band.points.push_back(a);
            }
            const bool crossesLo = vb > va ? va <= lo && lo <= vb : vb < va && vb <= lo && lo <= va;
            const bool crossesHi = vb > va ? va <= hi && hi <= vb : vb < va && vb <= hi && hi <= va;
            const CVector4 atLo = PointAt(a, b, (lo - va) / (vb - va));
            const CVector4 atHi = PointAt(a, b, (hi - va) / (vb - va));
            if (vb > va) {
                if (crossesLo)
                    band.points.push_back(atLo);
                if (crossesHi)
                    band.points.push_back(atHi);
            } else {
                if (crossesHi)
                    band.points.push_back(atHi);
                if (crossesLo)
                    band.points.push_back(atLo);
            }
        }
        if (band.points.size() > 2) {
            out.push_back(band);
        }
    }
    return out;
}

// The walk finds each crossing once and goes edge by edge; its polygons must be those of the
// definition point for point, on pitched-roof-like triangles with four-decimal values that
// often sit exactly on a level or at an end, suctions far below the scale, flat edges, NaN, a
// one-band scale and a reversed one.
TEST(ColorScaleTest, BandWalkGivesTheDefinedPolygonsBitForBit) {
    std::mt19937 rng(32);
    std::uniform_real_distribution<float> coord(-120.0f, 120.0f);
    std::uniform_int_distribution<int> tenThousandths(-32000, 15000);
    const CContourLevels scales[] = {
        MakeContourLevels(-1.0, 1.0, 30), MakeContourLevels(-2.0, 0.6, 13),
        MakeContourLevels(-1.5, 0.5, 1),  MakeContourLevels(-0.8, 0.4, 4),
        MakeContourLevels(1.0, -1.0, 4),  MakeContourLevels(0.5, -1.5, 1),
        MakeContourLevels(-3.0, 1.0, 2)};
    for (const CContourLevels& levels : scales) {
        std::uniform_int_distribution<size_t> level(0, levels.level.size() - 1);
        for (int i = 0; i < 3000; ++i) {
            const CVector4 t[3] = {CVector4(coord(rng), coord(rng), coord(rng)),
                                   CVector4(coord(rng), coord(rng), 42.5f),
                                   CVector4(coord(rng), coord(rng), 42.5f)};
            double v[3];
            for (double& x : v) {
                const int pick = static_cast<int>(rng() % 8);
                x = pick == 0   ? levels.level[level(rng)]
                    : pick == 1 ? levels.min
                    : pick == 2 ? levels.max
                                : tenThousandths(rng) / 10000.0;
            }
            if (i % 50 == 0) {
                v[1] = v[0];  // an edge of one value
            }
            if (i % 97 == 0) {
                v[2] = std::nan("");
            }
            const auto walked = FillBandsOnTriangle(t, v, levels);
            const auto defined = BandsByDefinition(t, v, levels);
            ASSERT_EQ(walked.size(), defined.size()) << v[0] << " " << v[1] << " " << v[2];
            for (size_t k = 0; k < walked.size(); ++k) {
                ASSERT_EQ(walked[k].band, defined[k].band);
                ASSERT_EQ(walked[k].points.size(), defined[k].points.size());
                for (size_t j = 0; j < walked[k].points.size(); ++j) {
                    const CVector4& a = walked[k].points[j];
                    const CVector4& b = defined[k].points[j];
                    ASSERT_TRUE(a.x == b.x && a.y == b.y && a.z == b.z && a.w == b.w)
                        << "band " << k << " point " << j;
                }
            }
        }
    }
}

TEST(ColorScaleTest, HsvConversions) {
    const CHsv red = RgbToHsv(255, 0, 0);
    EXPECT_EQ(red.h, 0.0);
    EXPECT_EQ(red.s, 1.0);
    EXPECT_EQ(red.v, 255.0);
    EXPECT_NEAR(RgbToHsv(0, 0, 255).h, 2.0 / 3.0, 1e-12);
    EXPECT_NEAR(RgbToHsv(255, 0, 255).h, 5.0 / 6.0, 1e-12);
    EXPECT_EQ(RgbToHsv(80, 80, 80).s, 0.0);
    EXPECT_EQ(RgbToHsv(0, 0, 0).v, 0.0);

    const CRgb grey = HsvToRgb(0.3, 0.0, 77.0);
    EXPECT_EQ(grey.r, 77.0);
    EXPECT_EQ(grey.b, 77.0);
    // Hue 1.0 is red again, not a seventh sector.
    const CRgb one = HsvToRgb(1.0, 1.0, 255.0);
    EXPECT_EQ(one.r, 255.0);
    EXPECT_EQ(one.g, 0.0);
    EXPECT_EQ(one.b, 0.0);
}

TEST(ColorScaleTest, RampRunsThroughHueLinearly) {
    const COLORREF red = MakeColorRef(255, 0, 0);
    const COLORREF blue = MakeColorRef(0, 0, 255);
    EXPECT_EQ(InterpolateColorHsv(6, 1, red, blue), red);
    EXPECT_EQ(InterpolateColorHsv(6, 6, red, blue), blue);
    // Step k lies k/n of the way: hue 1/6 (yellow), 1/3 (green), 1/2 (cyan), never magenta.
    EXPECT_EQ(InterpolateColorHsv(4, 1, red, blue), red);
    EXPECT_EQ(InterpolateColorHsv(4, 2, red, blue), MakeColorRef(0, 255, 0));
    EXPECT_EQ(InterpolateColorHsv(4, 3, red, blue), MakeColorRef(0, 255, 255));
    // Hue 2/9: sector 1, red = 255 (1 - 1/3) truncated.
    EXPECT_EQ(InterpolateColorHsv(6, 2, red, blue), MakeColorRef(169, 255, 0));
    EXPECT_EQ(InterpolateColorHsv(12, 3, red, blue), MakeColorRef(255, 255, 0));
    for (int k = 1; k <= 30; ++k) {
        const COLORREF c = InterpolateColorHsv(30, k, red, blue);
        EXPECT_FALSE(RedOf(c) > 0 && BlueOf(c) > 0 && GreenOf(c) == 0) << k;
    }

    // Magenta (hue 5/6) to pink (hue ~0.97): the steps lie in the sixth sector, (v, p, q).
    const COLORREF magenta = MakeColorRef(255, 0, 255);
    const COLORREF pink = MakeColorRef(255, 192, 203);
    const COLORREF mid = InterpolateColorHsv(4, 2, magenta, pink);
    EXPECT_EQ(RedOf(mid), 255u);
    EXPECT_GT(BlueOf(mid), GreenOf(mid));
    EXPECT_LT(BlueOf(mid), 255u);
}

TEST(ColorScaleTest, FillColorRampSetsTheTable) {
    CDisplaySettings state;
    state.m_nDivisions = 5;
    FillColorRamp(state, MakeColorRef(0, 0, 255), MakeColorRef(255, 0, 0));
    EXPECT_EQ(state.m_aColorTable[0], ColorRefToVector(MakeColorRef(0, 0, 255)));
    EXPECT_EQ(state.m_aColorTable[4], ColorRefToVector(MakeColorRef(255, 0, 0)));
    EXPECT_EQ(VectorToColorRef(state.m_aColorTable[2]),
              InterpolateColorHsv(5, 3, MakeColorRef(0, 0, 255), MakeColorRef(255, 0, 0)));

    // More bands than the table holds fill the table and stop there.
    state.m_nDivisions = 64;
    FillColorRamp(state, MakeColorRef(0, 0, 255), MakeColorRef(255, 0, 0));
    EXPECT_EQ(VectorToColorRef(state.m_aColorTable[29]),
              InterpolateColorHsv(64, 30, MakeColorRef(0, 0, 255), MakeColorRef(255, 0, 0)));
}

}  // namespace
