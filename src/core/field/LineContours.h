#pragma once

#include <string>
#include <vector>

#include "dataset/DataSet.h"
#include "field/ColorScale.h"
#include "field/ContourDrawing.h"
#include "field/DisplaySettings.h"
#include "field/Selection.h"
#include "geometry/Vector4.h"

// Iso-lines at the inner contour levels, value labels where they cross the label-position
// slots, and the slots' own picture.

// The label settings of one frame, read once from the state: the slots that take part (on,
// two different points, not half picked), which levels get labels, their colour and size. It
// points into the state's slots, so it lives no longer than the state.
struct CLabelContext {
    bool show = false;
    std::vector<int> activeSlots;  // slot indices in rising order (not "slots": a Qt keyword)
    long long levelStep = 1;       // a level k is labelled when k is a multiple of this; 0: never
    bool fixedColour = false;      // m_nLabelColorMode == 1
    CVector4 colour;               // m_clrLabel
    float radius = 0.0f;           // 2.5 / m_fScale
    const CVector4 (*slot)[2] = nullptr;
};
CLabelContext MakeLabelContext(const CDataSet& data, const CDisplaySettings& settings,
                               const CSelection& selection);

// A quick test that IntersectSegments(p1, p2, q1, q2) cannot find a crossing: false only when
// the slot q1-q2 lies too far from the segment p1-p2 for any crossing the plane frame could
// produce, allowing for the frame's rounding. True means "ask IntersectSegments".
bool SegmentsMayMeet(const CVector4& p1, const CVector4& p2, const CVector4& q1,
                     const CVector4& q2);

// Appends a Label item (and its CContourLabel) for every taking-part slot the segment a-b of
// level k crosses, in slot order. Nothing when labels are off or k is not a labelled level.
void PlaceLabel(const CLabelContext& context, const CVector4& a, const CVector4& b,
                const CVector4& colour, double level, int k, CContourDrawing& out);

// The iso-line segments of one triangle (corners t, values v) for the levels 1 .. n - 1, each
// appended as a Line item followed by its labels. A level gives a segment where it meets the
// triangle's edges at two points; a corner on the level counts once, though both its edges
// reach it, so a level through a corner and across the opposite edge is drawn from the corner,
// one that only touches a corner is not drawn, and one through two corners runs along their
// edge. The colour of level k is table[k], or lineColour when table is null.
void LinesOnTriangle(const CVector4 t[3], const double v[3], const CContourLevels& levels,
                     const CVector4* table, const CVector4& lineColour, const CLabelContext& labels,
                     CContourDrawing& out);

// The slots' picture, drawn in COLOR_RED while the label-position dialog is shown: for each
// slot that is on and has two different points a sphere (radius, 8 slices, 8 stacks) at A;
// unless the slot is half picked, also its number text at A + (r, r, 0), a sphere at B and the
// line A-B of width 1.0.
struct CSlotMark {
    int slot = 0;
    CVector4 a, b;
    bool complete = false;  // false: only the sphere at A
    std::string number;     // slot + 1, "%d"
    CVector4 numberPos;
};
struct CSlotDrawing {
    float radius = 0.0f;
    CVector4 colour;
    std::vector<CSlotMark> marks;  // by slot
};
CSlotDrawing BuildSlotDrawing(const CDisplaySettings& settings, const CSelection& selection,
                              float fitScale);
