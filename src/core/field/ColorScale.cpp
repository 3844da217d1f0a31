#include "field/ColorScale.h"

#include <algorithm>
#include <cmath>

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

CVector4 PointAt(const CVector4& a, const CVector4& b, double r) {
    return CVector4(static_cast<float>(a.x + r * (static_cast<double>(b.x) - a.x)),
                    static_cast<float>(a.y + r * (static_cast<double>(b.y) - a.y)),
                    static_cast<float>(a.z + r * (static_cast<double>(b.z) - a.z)),
                    static_cast<float>(a.w + r * (static_cast<double>(b.w) - a.w)));
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
    const double lo = std::min({v[0], v[1], v[2]});
    const double* l = levels.level.data();
    first = std::min({b[0], b[1], b[2]});
    while (first > 0 && l[first] >= lo) {
        --first;
    }
    last = std::max({b[0], b[1], b[2]});
}

// Calls emit(band, points, count) for every band polygon of the triangle whose corners lie in
// bands band.
template <typename Emit>
void ForEachBandKnown(const CVector4 t[3], const double v[3], const int band[3],
                      const CContourLevels& levels, Emit emit) {
    if (band[0] == band[1] && band[0] == band[2]) {
        emit(band[0], t, 3);
        return;
    }
    const int n = levels.n;
    const double* l = levels.level.data();
    int first = 0, last = n - 1;
    BandRange(v, band, levels, first, last);
    // Each edge adds at most its start twice and two crossings. The points are assigned into
    // this thread's scratch array: constructing twelve CVector4s (each with its vtable) for
    // every triangle costs more than filling them.
    static thread_local CVector4 polygon[12];
    for (int k = first; k <= last; ++k) {
        const double lo = l[k];
        const double hi = l[k + 1];
        int count = 0;
        for (int e = 0; e < 3; ++e) {
            const CVector4& a = t[e];
            const CVector4& b = t[(e + 1) % 3];
            const double va = v[e];
            const double vb = v[(e + 1) % 3];
            if (lo <= va && va <= hi) {
                polygon[count++] = a;
            }
            if ((k == 0 && va <= levels.min) || (k == n - 1 && va >= levels.max)) {
                polygon[count++] = a;
            }
            if (vb > va) {
                if (va <= lo && lo <= vb) {
                    polygon[count++] = PointAt(a, b, (lo - va) / (vb - va));
                }
                if (va <= hi && hi <= vb) {
                    polygon[count++] = PointAt(a, b, (hi - va) / (vb - va));
                }
            } else if (vb < va) {
                if (vb <= hi && hi <= va) {
                    polygon[count++] = PointAt(a, b, (hi - va) / (vb - va));
                }
                if (vb <= lo && lo <= va) {
                    polygon[count++] = PointAt(a, b, (lo - va) / (vb - va));
                }
            }
        }
        if (count > 2) {
            emit(k, polygon, count);
        }
    }
}

template <typename Emit>
void ForEachBand(const CVector4 t[3], const double v[3], const CContourLevels& levels, Emit emit) {
    const int b[3] = {BandIndex(v[0], levels), BandIndex(v[1], levels), BandIndex(v[2], levels)};
    ForEachBandKnown(t, v, b, levels, emit);
}

void EmitBand(int band, const CVector4* points, int count, const CVector4* table,
              CContourDrawing& out) {
    CContourItem item;
    item.type = ContourItemType::Band;
    item.first = out.PointCount();
    item.count = count;
    item.index = band;
    item.colour = table[band];
    out.AddItem(item);
    out.AddPoints(points, count);
}

}  // namespace

void FillBandsOnTriangle(const CVector4 t[3], const double v[3], const CContourLevels& levels,
                         const CVector4* table, CContourDrawing& out) {
    ForEachBand(t, v, levels, [&](int band, const CVector4* points, int count) {
        EmitBand(band, points, count, table, out);
    });
}

void FillBandsOnTriangle(const CVector4 t[3], const double v[3], const int band[3],
                         const CContourLevels& levels, const CVector4* table,
                         CContourDrawing& out) {
    ForEachBandKnown(t, v, band, levels, [&](int k, const CVector4* points, int count) {
        EmitBand(k, points, count, table, out);
    });
}

std::vector<CBandPolygon> FillBandsOnTriangle(const CVector4 t[3], const double v[3],
                                              const CContourLevels& levels) {
    std::vector<CBandPolygon> polygons;
    ForEachBand(t, v, levels, [&](int band, const CVector4* points, int count) {
        polygons.push_back(CBandPolygon{band, std::vector<CVector4>(points, points + count)});
    });
    return polygons;
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
