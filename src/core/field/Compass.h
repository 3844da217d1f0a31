#pragma once

#include <string>
#include <vector>

#include "dataset/Geometry.h"

// The arithmetic of the direction page: stepping the wind direction, the building and wind
// angles, and the compass, a 150 x 150 bitmap (y down, centre (75, 75)) showing the building's
// plan and an arrow for the wind, whose arrow the user can drag to another direction.
//
// Angles are degrees. A wind angle of 0 draws the arrow coming from the bottom of the compass;
// larger angles turn it clockwise on the screen.

constexpr int COMPASS_SIZE = 150;
constexpr int COMPASS_CENTRE = 75;
constexpr int COMPASS_RADIUS = 75;

struct CCompassPoint {
    int x = 0;
    int y = 0;
    bool operator==(const CCompassPoint& o) const { return x == o.x && y == o.y; }
};
using CCompassPolygon = std::vector<CCompassPoint>;

// ---- directions and angles ----

// Degrees between neighbouring directions of a data set with count directions; 0 when there
// are none.
double DirectionStep(int count);
// The angle of direction index.
double DirectionAngle(int count, int index);
// current + step, wrapped as the direction buttons wrap: below 0 by adding count, beyond the
// last direction to 0. 0 when there are no directions.
int StepDirection(int count, int current, int step);
// The building-angle slider runs from -BuildingAngleRange to +BuildingAngleRange.
int BuildingAngleRange(int count);
// The building angle of a slider position; -180 is taken as 180.
double BuildingAngle(int count, int sliderPos);
// The angle the view turns the building by for a building angle: negated, in [0, 360].
double ViewBuildingAngle(double buildingAngle);
// The angle the wind arrow is drawn at: building + direction angle, in [0, 360).
double WindAngle(double buildingAngle, double directionAngle);

// ---- the compass picture ----

// (x, y) turned about the compass centre by degrees: the offsets are turned and snapped to
// tenths as the geometry's rotations are, then the point is cut to whole pixels toward zero.
CCompassPoint TurnCompassPoint(double x, double y, double degrees);
CCompassPolygon TurnCompassPolygon(const CCompassPolygon& polygon, double degrees);

// How far from the centre the plan of the main building reaches, in pixels: inside the ring
// of ticks and bearings, whatever the building angle.
constexpr int COMPASS_PLAN_RADIUS = 45;
// Pixels per model unit of the plan: the main geometry's corner farthest from the vertical
// axis lies COMPASS_PLAN_RADIUS from the centre, so that the plan stays inside the circle when
// it turns; 1 when there is no such corner off the axis.
double PlanScale(const CGeometry& main);
// Every face polygon of every part in plan, in bitmap pixels (not turned).
std::vector<CCompassPolygon> PlanOutlines(const CGeometry& geo, double scale);

// The wind arrow, not turned: tip at the centre, tail toward the bottom edge.
CCompassPolygon WindArrowPolygon();

// A tick from the circle inwards.
struct CCompassTick {
    CCompassPoint outer, inner;
};
// The four axis ticks (longer), then one for every direction that does not fall on an axis.
std::vector<CCompassTick> CompassTicks(int count);
// The bearings the four axis ticks stand for relative to the building, top, bottom, left and
// right, as "%g"; empty unless the building angle is a multiple of 90.
std::vector<std::string> AxisTickLabels(double buildingAngle);

// ---- dragging the arrow ----

// Whether (x, y) hits the shaft of the arrow drawn at windAngle: the union of the rectangles
// spanned by the shaft's two turned diagonals.
bool ArrowHit(double windAngle, int x, int y);
// The angle of (x, y) seen from the centre, measured like the wind angle. False (angle
// unchanged) at the centre itself, where there is none.
bool DragAngle(double x, double y, double& angle);
// The direction an arrow released at dragAngle chooses: the nearer of the two directions
// around it, the higher one at exactly half-way; the last direction wraps to 0.
int ReleaseDirection(int count, double dragAngle, double buildingAngle);
