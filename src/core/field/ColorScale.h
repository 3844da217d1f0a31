#pragma once

#include <vector>

#include "field/ContourDrawing.h"
#include "field/DisplaySettings.h"
#include "geometry/Color.h"
#include "geometry/Vector4.h"

// The colour scale of the pressure picture: contour levels, the band of a value, the band
// polygons of a triangle, and the colour table ramped in HSV space.

// The scale's ends, its band count and the n + 1 contour levels L0 = min,
// Lk+1 = Lk + (max - min) / n, summed one by one (so Ln may differ from max in the last bits).
struct CContourLevels {
    double min = 0.0;
    double max = 0.0;
    int n = 0;
    std::vector<double> level;  // n + 1 entries; empty when n < 1
    // Every level finite and none below the one before (max not below min): bands can then be
    // found by bisection and a triangle only reaches the bands between its corners' values.
    bool ascending = false;
    double bandsPerUnit = 0.0;  // n / (max - min) when ascending: a first guess of a band
};
CContourLevels MakeContourLevels(double min, double max, int n);

// Band of a value: 0 for values not above min, n - 1 for values at or above max, else the
// first k with Lk <= v < Lk+1 (n - 1 when rounding leaves no such k).
int BandIndex(double v, double min, double max, int n);

// The same with the levels already summed (n >= 1).
int BandIndex(double v, const CContourLevels& levels);

// The band coordinate of a value v in band band = BandIndex(v, levels) (see CBandTriangles);
// for ascending levels only.
double BandCoordinate(double v, int band, const CContourLevels& levels);

// a + r (b - a) per coordinate in double, stored as float: where a level crosses an edge.
// Inline: the band walk calls it for every crossing.
inline CVector4 PointAt(const CVector4& a, const CVector4& b, double r) {
    return CVector4(static_cast<float>(a.x + r * (static_cast<double>(b.x) - a.x)),
                    static_cast<float>(a.y + r * (static_cast<double>(b.y) - a.y)),
                    static_cast<float>(a.z + r * (static_cast<double>(b.z) - a.z)),
                    static_cast<float>(a.w + r * (static_cast<double>(b.w) - a.w)));
}

// One band's part of a triangle.
struct CBandPolygon {
    int band = 0;
    std::vector<CVector4> points;
};

// Appends to out, as Band items, the parts of the triangle t (values v) that lie in each band
// of the levels, in band order: the whole triangle when its three values share a band, else
// every band polygon of more than two points (a corner at min or max appears twice in the end
// band; the doubled point is harmless). Colours come from table[band]; table must hold n
// entries, and n must be at least 1.
void FillBandsOnTriangle(const CVector4 t[3], const double v[3], const CContourLevels& levels,
                         const CVector4* table, CContourDrawing& out);

// The same for a triangle whose corners' bands are known: band[k] = BandIndex(v[k], levels).
// Only the bands that the triangle's values can reach are visited; the others would collect
// no point.
void FillBandsOnTriangle(const CVector4 t[3], const double v[3], const int band[3],
                         const CContourLevels& levels, const CVector4* table, CContourDrawing& out);

// The band polygons of one triangle, without colours.
std::vector<CBandPolygon> FillBandsOnTriangle(const CVector4 t[3], const double v[3],
                                              const CContourLevels& levels);

// HSV with every component in [0, 1), h the hue as a fraction of the circle.
struct CHsv {
    double h = 0.0;
    double s = 0.0;
    double v = 0.0;
};
struct CRgb {
    double r = 0.0;
    double g = 0.0;
    double b = 0.0;
};

// r, g, b in 0..255; v comes back in the same unit.
CHsv RgbToHsv(double r, double g, double b);
CRgb HsvToRgb(double h, double s, double v);

// Step k (1..n) of a ramp of n colours from c1 to c2 in HSV space: step 1 is c1, step n is c2,
// the steps between lie k/n of the way (hue interpolated linearly, not round the circle).
COLORREF InterpolateColorHsv(int n, int k, COLORREF c1, COLORREF c2);

// Fills the first min(n, 30) entries of table with the ramp from minColour to maxColour over
// n bands. A count below 1 changes nothing.
void FillColorRamp(CVector4* table, int n, COLORREF minColour, COLORREF maxColour);
// The same for the settings' colour table over m_nDivisions bands. Redrawing is the caller's
// part.
void FillColorRamp(CDisplaySettings& settings, COLORREF minColour, COLORREF maxColour);

// The label interval that goes with a band count when the count is changed: 1 up to 15 bands;
// 5 for 25; 3 for the multiples of 6 (18, 24, 30); 0 (ends and middle only) for the other odd
// counts; 2 for the other even counts.
int DefaultTickInterval(int divisions);
