#pragma once

#include <cstdint>
#include <vector>

#include "dataset/DataSet.h"
#include "field/DisplaySettings.h"
#include "field/Selection.h"
#include "geometry/Vector4.h"

// Values of the pressure coefficient at points of the building surface, interpolated from the
// taps at the corners of the mesh panel that holds the point.

// The corners of one panel: tap numbers, positions (working copy of the taps, i.e. after the
// building angle) and values for one wind direction, in the panel's corner order.
struct CPanelCorners {
    int count = 0;  // 3 or 4
    int32_t tap[4] = {};
    CVector4 pos[4];
    double value[4] = {};
};

// Fills corners for a panel and direction, the values from the table of quantity q. False,
// leaving corners.count 0, when the panel is outside the mesh or has neither 3 nor 4 corners.
bool GetPanelCorners(const CDataSet& data, int panel, int direction, CPanelCorners& corners,
                     EValueQuantity q = EValueQuantity::Mean);

// The panel as triangles with their corner values; returns how many. A triangle is itself; a
// quadrilateral is four triangles (corner a, centre, corner b) around its centre, whose value
// is the mean of the four, for the corner pairs (0,3), (3,2), (2,1), (1,0) in this order.
int SplitPanel(const CPanelCorners& corners, CVector4 tri[4][3], double val[4][3]);

// Value at p, a point on or near the panel, for one direction, from the sub-triangle of
// SplitPanel that holds p (its foot on the triangle's plane, so a point snapped a little off a
// sloped panel counts where it belongs; a point on an edge between two sub-triangles takes the
// first of them; a point outside every sub-triangle the one it lies least far outside). By
// method (ValueMethod):
//   VALUE_LINEAR: the linear interpolation of the triangle's corner values, the same field the
//     contours colour, so a value and the colour drawn at its place agree and values run on
//     continuously across panel edges. A point outside the triangle takes the value of the
//     nearest place on it. A panel with a corner without value (the contours leave it blank)
//     answers NO_VALUE, except at one of its taps.
//   VALUE_INVERSE_DISTANCE: the mean of the triangle's corner values weighted by the inverse
//     of their distances from p; corners without a value enter it with NO_VALUE.
// A point at a corner of the triangle (CVector4 equality) takes that corner's value as it is.
// A panel outside the mesh (-1 included) answers NO_VALUE.
double InterpolateAt(const CDataSet& data, int method, int panel, CVector4 p, int direction);

// values[d] = InterpolateAt(panel, p, d) for every direction of the Cp table; values is resized
// to the direction count (empty when the count is 0 or less). From the table of quantity q.
void ComputeAllDirections(const CDataSet& data, int method, int panel, CVector4 p,
                          std::vector<double>& values, EValueQuantity q = EValueQuantity::Mean);

// The values of every arbitrary point computed again from its panel and position, after the
// value method changed.
void RecomputeArbitraryValues(const CDataSet& data, int method, CSelection& selection);

// p moved onto the panel's surface, each coordinate then snapped to tenths: straight onto the
// plane of the panel's triangle (of SplitPanel) that p lies over, or of the nearest one. A
// panel outside the mesh, or one without area, gives p back unchanged.
CVector4 ProjectOntoPanel(const CDataSet& data, int panel, CVector4 p);

// The stored value for direction d of the first arbitrary point at (x, y, z) (compared as
// floats with CVector4 equality); NO_VALUE when no point is there or d is not one of its
// directions.
double GetArbitraryValue(const CSelection& selection, int direction, double x, double y, double z);

// The first arbitrary point with that id, or null.
const CArbitraryPoint* FindArbitraryPoint(const CSelection& selection, int id);
CArbitraryPoint* FindArbitraryPoint(CSelection& selection, int id);
