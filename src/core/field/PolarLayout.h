#pragma once

#include <string>
#include <vector>

// The layout of the polar diagram of a point's values over all wind directions, in unit
// coordinates: centre (0, 0), outer circle of radius 1, y down as on the screen and in the
// compass bitmap, so that a painter maps (x, y) to (cx + R x, cy + R y) without a flip.
//
// Angles follow the compass of the direction page (field/Compass.h): north up, and the value of
// direction i of N lies on the spoke of the wind angle WindAngle(buildingAngle,
// DirectionAngle(N, i)), on the side the wind comes from, where the compass draws the arrow's
// tail: wind angle 0 at the bottom, larger angles clockwise on the screen. The building angle is
// the direction page's (BuildingAngle of its slider), so the diagram turns with the compass.
//
// Radial mapping. A signed Cp cannot be a plain radius: suctions (negative Cp) would have none.
// The radius is linear in the value between two round values enclosing the data and zero:
//     r(v) = POLAR_INNER_RADIUS + (1 - POLAR_INNER_RADIUS) (v - valueMin) / (valueMax - valueMin)
// so the zero circle sits at its place in between, suctions inside it and pressures outside.
// The lowest tick is a small circle rather than the centre: the lowest values are the peak
// suctions a wind engineer looks for, and at the centre all directions meet, so they would
// crowd into one spot whose direction cannot be read. Zero is always inside the range, so that
// inside and outside the zero circle keep their meaning for every tap, also one with values of
// one sign only.
//
// A missing value (NO_VALUE or more, -NO_VALUE or less, or NaN) breaks the line: the values of a
// series make segments of consecutive directions, and one closed ring when none is missing.

// Radius of the circle that stands for the lowest tick value.
constexpr double POLAR_INNER_RADIUS = 0.2;
// The radial axis has at most this many intervals between its round ticks.
constexpr int POLAR_MAX_TICK_INTERVALS = 6;

struct CPolarXY {
    double x = 0.0;
    double y = 0.0;
};

// One series to draw (a tap or an arbitrary point): a value per direction index; directions
// beyond the vector are missing. The band, when both vectors are given, is drawn between the
// lower and upper values (e.g. the min and max tables around the mean).
struct CPolarSeriesInput {
    std::vector<double> values;
    std::vector<double> bandMin;
    std::vector<double> bandMax;
};

struct CPolarPoint {
    double x = 0.0;
    double y = 0.0;
    int direction = 0;
    double value = 0.0;
};

// A polyline of consecutive directions. A closed one goes all the way round and repeats its
// first point at the end; an open one may cross from the last direction to direction 0, and a
// single point (both neighbours missing) is a segment of its own, to be drawn as a mark.
struct CPolarSegment {
    std::vector<CPolarPoint> points;
    bool closed = false;
};

struct CPolarSeriesLayout {
    std::vector<CPolarSegment> segments;
    // Every direction that has a value, in index order (marks, hovering).
    std::vector<CPolarPoint> points;
    // The band as polygons to be filled together with the odd-even rule: the upper and the
    // lower ring when the band goes all the way round, otherwise one polygon per run of
    // directions with both values (upper values forward, lower ones back). Runs of a single
    // direction have no area and are left out.
    std::vector<std::vector<CPolarXY>> band;
};

// A circle of the radial axis.
struct CPolarTick {
    double value = 0.0;
    double radius = 0.0;
    std::string label;  // "%g" in the C locale
    bool zero = false;  // the zero circle, drawn stronger
};

// The spoke of a direction, from the centre to (x, y) on the outer circle.
struct CPolarSpoke {
    int direction = 0;
    double angle = 0.0;      // DirectionAngle: what the direction page shows
    double windAngle = 0.0;  // the compass angle, with the building angle
    double x = 0.0;
    double y = 0.0;
    std::string label;  // the angle, "%g" in the C locale
};

struct CPolarLayout {
    int directionCount = 0;
    double buildingAngle = 0.0;
    // The round values of the innermost and outermost tick circles.
    double valueMin = -1.0;
    double valueMax = 1.0;
    double tickStep = 0.5;
    double zeroRadius = 0.0;
    std::vector<CPolarTick> ticks;  // from valueMin outwards
    std::vector<CPolarSpoke> spokes;
    std::vector<CPolarSeriesLayout> series;  // in the order given

    // The radius of a value; values outside the ticks map outside the tick circles.
    double Radius(double value) const;
    // The value at a radius (the inverse of Radius), e.g. under the mouse.
    double ValueAt(double radius) const;
    // The point of a value on a direction's spoke.
    CPolarXY PointOf(int direction, double value) const;
};

// The layout of the series over directionCount directions (1 to kMaxDirectionCount) with the
// building turned by buildingAngle degrees. No spokes and no series' lines for a count below 1.
CPolarLayout MakePolarLayout(const std::vector<CPolarSeriesInput>& series, int directionCount,
                             double buildingAngle);

// The direction whose spoke is nearest to (x, y), the point a click chooses: the rule of the
// compass's arrow (ReleaseDirection; the higher direction at exactly half-way). -1 at the centre
// and when there are no directions.
int PolarDirectionAt(const CPolarLayout& layout, double x, double y);

// The unit vector of a wind angle on the diagram: wind angle 0 points down, 90 left.
CPolarXY PolarUnitVector(double windAngle);

// The diagram's numbers as CSV text for the clipboard: UTF-8, CR LF line ends. A heading
// "方位" and a column per series (its name; with a band also "<name> 最小" and "<name> 最大"),
// then a row per direction: its angle and the values, "%g" in the C locale, an empty cell
// where a value is missing. Names with a comma or quote are quoted.
std::string MakePolarCsv(const std::vector<std::string>& names,
                         const std::vector<CPolarSeriesInput>& series, int directionCount);

// Whether a value is one to draw: strictly between -NO_VALUE and NO_VALUE.
bool IsPolarValue(double value);
