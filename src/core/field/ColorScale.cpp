#include "field/ColorScale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

CContourLevels MakeContourLevels(double min, double max, int n) {
    CContourLevels levels;
    levels.min = min;
    levels.max = max;
    levels.n = n;
    if (n < 1) {
        return levels;
    }
    levels.level.reserve(static_cast<size_t>(n) + 1);
    double l = min;
    levels.level.push_back(l);
    bool ascending = std::isfinite(l);
    for (int k = 0; k < n; ++k) {
        const double next = l + (max - min) / n;
        ascending = ascending && std::isfinite(next) && next >= l;
        l = next;
        levels.level.push_back(l);
    }
    levels.ascending = ascending && max > min;
    levels.bandsPerUnit = levels.ascending ? n / (max - min) : 0.0;
    return levels;
}

int BandIndex(double v, double min, double max, int n) {
    if (!(v > min)) {
        return 0;
    }
    if (v >= max) {
        return n - 1;
    }
    double g = min;
    for (int i = 0; i < n; ++i) {
        const double h = g + (max - min) / n;
        if (g <= v && v < h) {
            return i;
        }
        g = h;
    }
    return n - 1;
}

int BandIndex(double v, const CContourLevels& levels) {
    // The same steps as above, reading the sums instead of adding again.
    const int n = levels.n;
    if (!(v > levels.min)) {
        return 0;
    }
    if (v >= levels.max) {
        return n - 1;
    }
    const double* l = levels.level.data();
    if (levels.ascending) {
        // The last level not above v starts the only band that can hold v (min < v here).
        // The sums lie within rounding of min + k (max - min) / n, so the guess from the
        // uniform step is the band or next to it; the levels themselves decide.
        const double guess = (v - levels.min) * levels.bandsPerUnit;
        int i = guess < 0.0 ? 0 : guess > n ? n : static_cast<int>(guess);
        while (i > 0 && l[i] > v) {
            --i;
        }
        while (i < n && l[i + 1] <= v) {
            ++i;
        }
        return std::min(i, n - 1);
    }
    for (int i = 0; i < n; ++i) {
        if (l[i] <= v && v < l[i + 1]) {
            return i;
        }
    }
    return n - 1;
}

double BandCoordinate(double v, int band, const CContourLevels& levels) {
    const double t = (v - levels.min) * levels.bandsPerUnit;
    if (!(v >= levels.min && v <= levels.max)) {
        return t;
    }
    return std::clamp(t, band + CBandTriangles::kBandInside,
                      band + 1 - CBandTriangles::kBandInside);
}

namespace {

// The bands [first, last] that can collect a point of a triangle with values v in bands b. A
// point of band k is a corner inside [Lk, Lk+1], a crossing of Lk or Lk+1 between two
// corners' values, or, in an end band, a corner beyond that end of the scale; with ascending
// levels none of them can exist unless [Lk, Lk+1] meets [lowest value, highest value] or k is
// such an end band. That leaves the bands from the lowest corner's, and the ones below it
// whose upper level equals the lowest value, to the highest corner's. Every band when the
// levels are not ascending or a value is NaN.
void BandRange(const double v[3], const int b[3], const CContourLevels& levels, int& first,
               int& last) {
    first = 0;
    last = levels.n - 1;
    if (!levels.ascending || std::isnan(v[0]) || std::isnan(v[1]) || std::isnan(v[2])) {
        return;
    }
    const double lo = std::min(v[0], std::min(v[1], v[2]));
    const double* l = levels.level.data();
    first = std::min(b[0], std::min(b[1], b[2]));
    while (first > 0 && l[first] >= lo) {
        --first;
    }
    last = std::max(b[0], std::max(b[1], b[2]));
}

// The most points one band's polygon of a triangle can have: each edge adds at most its start
// corner twice (inside the band, and again at an end of the scale) and two crossings.
constexpr int kMaxBandPoints = 12;

// Hands every band polygon of the triangle whose corners lie in bands band to sink, in band
// order: sink.Whole(k) for a triangle wholly in band k, else sink.Polygon(k, points, count) for
// each band polygon of more than two points.
//
// Band k's polygon is, edge by edge (corner e to corner e + 1), its start corner when its value
// lies in [Lk, Lk+1], the start corner again in an end band when its value lies at or beyond
// that end of the scale, and the edge's crossings of Lk and Lk+1, in the edge's direction. The
// walk goes edge by edge instead of band by band: each crossing is found once (it is the upper
// level of one band and the lower of the next) and appended to both its bands; an edge rising
// in value meets the levels upwards, a falling edge downwards, so every band receives its
// points in the order above.
template <typename Sink>
void ForEachBandKnown(const CVector4 t[3], const double v[3], const int band[3],
                      const CContourLevels& levels, Sink& sink) {
    if (band[0] == band[1] && band[0] == band[2]) {
        sink.Whole(band[0]);
        return;
    }
    const int n = levels.n;
    const double* l = levels.level.data();
    int first = 0, last = n - 1;
    BandRange(v, band, levels, first, last);
    // The polygons of bands first..last, built in this thread's scratch arrays: constructing
    // them for every triangle would cost more than filling them.
    static thread_local CVector4 polygon[MAX_DIVISIONS][kMaxBandPoints];
    uint8_t count[MAX_DIVISIONS] = {};
    for (int e = 0; e < 3; ++e) {
        const int f = e == 2 ? 0 : e + 1;
        const CVector4& a = t[e];
        const double va = v[e];
        const double vb = v[f];
        for (int k = first; k <= last; ++k) {
            if (l[k] <= va && va <= l[k + 1]) {
                polygon[k][count[k]++] = a;
            }
        }
        if (first == 0 && va <= levels.min) {
            polygon[0][count[0]++] = a;
        }
        if (last == n - 1 && va >= levels.max && !(n == 1 && va <= levels.min)) {
            polygon[n - 1][count[n - 1]++] = a;
        }
        const bool up = vb > va;
        if (!up && !(vb < va)) {
            continue;  // one value along the edge (or no value): it crosses no level
        }
        const double low = up ? va : vb;
        const double high = up ? vb : va;
        const CVector4& b = t[f];
        // The levels Lj (first <= j <= last + 1) the edge crosses, met in its direction; Lj
        // is the lower level of band j and the upper one of band j - 1.
        const int step = up ? 1 : -1;
        const int from = up ? first : last + 1;
        const int to = up ? last + 2 : first - 1;
        for (int j = from; j != to; j += step) {
            const double level = l[j];
            if (!(low <= level && level <= high)) {
                continue;
            }
            const CVector4 p = PointAt(a, b, (level - va) / (vb - va));
            if (j > first) {
                polygon[j - 1][count[j - 1]++] = p;
            }
            if (j <= last) {
                polygon[j][count[j]++] = p;
            }
        }
    }
    for (int k = first; k <= last; ++k) {
        if (count[k] > 2) {
            sink.Polygon(k, polygon[k], count[k]);
        }
    }
}

// Appends the polygons to a drawing as Band items.
class CDrawingSink {
public:
    CDrawingSink(const CVector4 t[3], const CVector4* table, CContourDrawing& out)
        : m_t(t), m_table(table), m_out(out) {}
    void Whole(int k) {
        Item(k, m_out.PointCount(), 3);
        m_out.AddPoints(m_t, 3);
    }
    void Polygon(int k, const CVector4* points, int count) {
        Item(k, m_out.PointCount(), count);
        m_out.AddPoints(points, count);
    }

private:
    void Item(int k, int first, int count) {
        CContourItem item;
        item.type = ContourItemType::Band;
        item.first = first;
        item.count = count;
        item.index = k;
        item.colour = m_table[k];
        m_out.AddItem(item);
    }

    const CVector4* m_t;
    const CVector4* m_table;
    CContourDrawing& m_out;
};

// Collects the polygons as a list of their own.
class CPolygonSink {
public:
    explicit CPolygonSink(const CVector4 t[3]) : m_t(t) {}
    void Whole(int k) { polygons.push_back(CBandPolygon{k, std::vector<CVector4>(m_t, m_t + 3)}); }
    void Polygon(int k, const CVector4* points, int count) {
        polygons.push_back(CBandPolygon{k, std::vector<CVector4>(points, points + count)});
    }

    std::vector<CBandPolygon> polygons;

private:
    const CVector4* m_t;
};

void Bands(const double v[3], const CContourLevels& levels, int b[3]) {
    for (int k = 0; k < 3; ++k) {
        b[k] = BandIndex(v[k], levels);
    }
}

}  // namespace

void FillBandsOnTriangle(const CVector4 t[3], const double v[3], const CContourLevels& levels,
                         const CVector4* table, CContourDrawing& out) {
    int b[3];
    Bands(v, levels, b);
    FillBandsOnTriangle(t, v, b, levels, table, out);
}

void FillBandsOnTriangle(const CVector4 t[3], const double v[3], const int band[3],
                         const CContourLevels& levels, const CVector4* table,
                         CContourDrawing& out) {
    CDrawingSink sink(t, table, out);
    ForEachBandKnown(t, v, band, levels, sink);
}

std::vector<CBandPolygon> FillBandsOnTriangle(const CVector4 t[3], const double v[3],
                                              const CContourLevels& levels) {
    int b[3];
    Bands(v, levels, b);
    CPolygonSink sink(t);
    ForEachBandKnown(t, v, b, levels, sink);
    return std::move(sink.polygons);
}

CHsv RgbToHsv(double r, double g, double b) {
    CHsv hsv;
    const double v = std::max({r, g, b});
    const double d = v - std::min({r, g, b});
    hsv.v = v;
    hsv.s = v != 0.0 ? d / v : 0.0;
    if (hsv.s == 0.0) {
        hsv.h = 0.0;
        return hsv;
    }
    double h;
    if (r == v) {
        h = (g - b) / d;
    } else if (g == v) {
        h = 2.0 + (b - r) / d;
    } else {
        h = 4.0 + (r - g) / d;
    }
    h *= 60.0;
    if (h < 0.0) {
        h += 360.0;
    }
    hsv.h = h * 0.002777777777777778;
    return hsv;
}

CRgb HsvToRgb(double h, double s, double v) {
    if (s == 0.0) {
        return CRgb{v, v, v};
    }
    const double x = h == 1.0 ? 0.0 : h * 6.0;
    const double i = std::floor(x);
    const double f = x - i;
    const double p = v * (1.0 - s);
    const double q = v * (1.0 - s * f);
    const double t = v * (1.0 - s * (1.0 - f));
    // A hue outside [0, 1) is taken round the circle to its sector instead of falling through.
    int sector = std::isfinite(i) ? static_cast<int>(std::fmod(i, 6.0)) : 0;
    if (sector < 0) {
        sector += 6;
    }
    switch (sector) {
        case 0:
            return CRgb{v, t, p};
        case 1:
            return CRgb{q, v, p};
        case 2:
            return CRgb{p, v, t};
        case 3:
            return CRgb{p, q, v};
        case 4:
            return CRgb{t, p, v};
        default:
            return CRgb{v, p, q};
    }
}

namespace {

// Truncated toward zero; anything outside a byte's range is held at its ends.
unsigned ToByte(double c) {
    if (!(c > 0.0)) {
        return 0;
    }
    if (c >= 255.0) {
        return 255;
    }
    return static_cast<unsigned>(c);
}

}  // namespace

COLORREF InterpolateColorHsv(int n, int k, COLORREF c1, COLORREF c2) {
    const CHsv a = RgbToHsv(RedOf(c1), GreenOf(c1), BlueOf(c1));
    const CHsv b = RgbToHsv(RedOf(c2), GreenOf(c2), BlueOf(c2));
    CHsv m;
    if (k == 1) {
        m = a;
    } else if (k == n) {
        m = b;
    } else {
        m.h = a.h + k * (b.h - a.h) / n;
        m.s = a.s + k * (b.s - a.s) / n;
        m.v = a.v + k * (b.v - a.v) / n;
    }
    const CRgb rgb = HsvToRgb(m.h, m.s, m.v);
    return MakeColorRef(ToByte(rgb.r), ToByte(rgb.g), ToByte(rgb.b));
}

void FillColorRamp(CVector4* table, int n, COLORREF minColour, COLORREF maxColour) {
    const int bands = std::min(n, MAX_DIVISIONS);
    for (int i = 0; i < bands; ++i) {
        table[i] = ColorRefToVector(InterpolateColorHsv(n, i + 1, minColour, maxColour));
    }
}

void FillColorRamp(CDisplaySettings& settings, COLORREF minColour, COLORREF maxColour) {
    FillColorRamp(settings.m_aColorTable, settings.m_nDivisions, minColour, maxColour);
}

int DefaultTickInterval(int divisions) {
    if (divisions <= 15) {
        return 1;
    }
    if (divisions == 25) {
        return 5;
    }
    if (divisions % 6 == 0) {
        return 3;
    }
    return divisions % 2 != 0 ? 0 : 2;
}
