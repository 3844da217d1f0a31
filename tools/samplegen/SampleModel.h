#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The in-memory model of a generated data set: building geometry, the surfaces that carry taps,
// how each surface is meshed, and the synthetic pressure field. Lengths are full-scale
// millimetres, z is vertical, x points east and y north.
namespace kzv::samplegen {

struct Vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

inline Vec3 operator+(const Vec3& a, const Vec3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(const Vec3& a, const Vec3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator*(const Vec3& a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline double Dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 Cross(const Vec3& a, const Vec3& b);
double Length(const Vec3& a);
Vec3 Normalized(const Vec3& a);
Vec3 Lerp(const Vec3& a, const Vec3& b, double t);

// A planar polygon of a geometry file, corners in outline order, counter-clockwise seen from
// outside the building (so the right-hand normal points outward).
using Polygon = std::vector<Vec3>;

struct GeoObject {
    std::string name;  // UTF-8; written in CP932
    std::vector<Polygon> faces;
};

// A box standing on the ground: four walls and a flat roof.
GeoObject BoxObject(const std::string& name, double x0, double y0, double x1, double y1,
                    double height);

// Walls of a prism over a plan outline given counter-clockwise seen from above.
std::vector<Polygon> PrismWalls(const std::vector<Vec3>& plan, double height);

enum class SurfaceKind { Wall, Roof };

// A part of the building surface whose taps are numbered as one block (101.., 201.., ...) and
// which responds to the wind as a unit. Taps at the same position inside one surface are
// shared by its patches.
struct Surface {
    std::string label;  // used in cp.dat comments; UTF-8
    SurfaceKind kind = SurfaceKind::Wall;
    Vec3 normal;  // outward, unit length
    // Walls: the ground line from start to end (in the direction of increasing row parameter)
    // and the height used for the vertical pressure profile.
    Vec3 start;
    Vec3 end;
    double height = 0.0;
    // Roofs: the plan outline of the whole roof (z ignored), counter-clockwise from above; the
    // distance a point lies downwind of it drives the leading-edge suction.
    std::vector<Vec3> outline;
};

// One row of taps, spread from left to right (count 1: a single tap at left).
struct TapRow {
    Vec3 left;
    Vec3 right;
    int count = 2;
};

// A structured patch of panels on one surface: successive rows are joined by quadrilaterals
// where they have the same tap count (or by pairs of triangles when `triangles` is set) and by
// a strip of triangles where the counts differ. Rows run bottom to top and left to right as
// seen from outside, which makes every panel counter-clockwise seen from outside.
struct MeshPatch {
    int surface = 0;
    std::vector<TapRow> rows;
    bool triangles = false;
    bool graded = false;  // taps closer together towards the row ends, as on real models
};

// Rows across a quadrilateral: bottom edge b0-b1, top edge t0-t1, `levels` rows of `count`
// taps. Level heights are graded towards both edges when `graded` is set.
std::vector<TapRow> QuadRows(const Vec3& b0, const Vec3& b1, const Vec3& t0, const Vec3& t1,
                             int levels, int count, bool graded);

// Parameters 0..1 of `count` points, closer together towards both ends when graded.
std::vector<double> Spacing(int count, bool graded);

struct Tap {
    int32_t number = 0;
    Vec3 pos;
    int surface = 0;
};

struct Panel {
    int32_t number = 0;
    std::vector<int32_t> corners;  // 3 or 4 tap numbers in outline order
};

struct Mesh {
    std::vector<Tap> taps;  // surface by surface
    std::vector<Panel> panels;
};

// Places the taps of every patch, merges coincident taps of one surface and numbers them
// (s + 1) * stride + k for surface s, where stride is the smallest power of ten, at least 100,
// above every surface's tap count. Panels are numbered 1, 2, ... in patch order.
Mesh BuildMesh(const std::vector<MeshPatch>& patches, int surfaceCount);

// The synthetic pressure coefficient of a tap for a wind direction. The wind blows towards the
// bearing theta measured clockwise from +y (direction index d of N: theta = d * 360 / N), so
// direction 0 is wind from -y towards +y. This is the way the viewer's wind arrow points.
// Windward walls reach about +0.8, side walls and roofs fall to about -1.5 next to the edge
// where the flow separates, leeward walls sit near -0.4 to -0.6. A small deterministic scatter
// (a hash of tap and direction) stands in for measurement noise.
double SyntheticCp(const Surface& surface, const Vec3& pos, int32_t tapNo, double thetaDeg);

// The statistics of the synthetic pressure over a sampling time beside its mean (the value of
// SyntheticCp as written): the standard deviation, the highest and lowest sampled values and
// the estimated peaks. The fluctuation grows with the suction, most where the flow separates
// at an upwind edge and, on roofs, at the corners facing the wind (where conical vortices
// form); suction peaks reach further from the mean than pressure peaks. Always
// peakMin < min < mean < max < peakMax and rms > 0.
struct CpStatistics {
    double rms = 0.0;
    double max = 0.0;
    double min = 0.0;
    double peakMax = 0.0;
    double peakMin = 0.0;
};
CpStatistics SyntheticStatistics(const Surface& surface, const Vec3& pos, int32_t tapNo,
                                 double thetaDeg, double mean);

}  // namespace kzv::samplegen
