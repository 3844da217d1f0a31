#pragma once

#include <cstdint>
#include <vector>

#include "dataset/DataSet.h"
#include "field/ContourDrawing.h"
#include "field/DisplaySettings.h"
#include "field/Selection.h"

// The pressure picture of the values shown (ShownValuesOf: the quantity's table, for the current
// wind direction or its envelope over all of them) as drawing items, computed afresh on every
// call (out is cleared first; its capacity is reused).
//
// Panels are walked in mesh order. A panel is left out when its contour flag is not 1 (a panel
// past the end of m_abPanelContour counts as off), when it has neither 3 nor 4 corners, or when
// any corner has no value (990 or more). A quadrilateral is split at its centre into the four
// triangles (P0,C,P3), (P3,C,P2), (P2,C,P1), (P1,C,P0). Each triangle is lifted off the surface
// by the panel's normal x m_fLift (no lift when the panel has no normal yet); then:
//   - kind 0 or 2: its band polygons (Band items);
//   - kind 1 or 2: lifted once more, its iso-lines (Line items, each followed by its Label
//     items) in the colour of their level (line colour mode 0) or m_clrLine (mode 1), no lines
//     for other modes; and after every triangle a Slots item.
// Nothing is produced for other kinds, or when m_nDivisions is not 1..30 (the colour table
// holds 30 entries).
//
// With BandForm::Triangles the bands are the triangles themselves (out.triangles) instead of
// Band items, where the levels ascend from min to max; a panel with a corner more than 1 024
// bands off the scale still gets its band polygons.
enum class BandForm : uint8_t { Polygons, Triangles };
void ComputeContours(const CDataSet& data, const CDisplaySettings& settings,
                     const CSelection& selection, CContourDrawing& out,
                     BandForm form = BandForm::Polygons);

// Everything ComputeContours reads besides the data set itself (which the generation stands
// for): two equal inputs give the same drawing, so a frame may reuse the last one.
struct CContourInputs {
    uint64_t generation = 0;
    int direction = 0;
    int quantity = 0;     // the quantity and envelope shown (ShownValuesOf)
    uint64_t tables = 0;  // the value tables' stamp
    int envelope = 0;
    std::vector<uint8_t> panelContour;
    int kind = 0;
    int lineColorMode = 0;
    CVector4 lineColour;
    uint8_t showLabels = 0;
    int labelSkip = 0;
    int labelColorMode = 0;
    CVector4 labelColour;
    uint8_t slotOn[SLOT_COUNT] = {};
    CVector4 slot[SLOT_COUNT][2];
    int editSlot = 0;
    int slotPickCount = 0;
    double colorMin = 0.0;
    double colorMax = 0.0;
    int divisions = 0;
    CVector4 colorTable[MAX_DIVISIONS];
    float scale = 0.0f;
    float lift = 0.0f;
    BandForm form = BandForm::Polygons;  // set by the caller: ContourInputsOf leaves Polygons

    bool operator==(const CContourInputs& o) const;
    bool operator!=(const CContourInputs& o) const { return !(*this == o); }
};
CContourInputs ContourInputsOf(const CDataSet& data, const CDisplaySettings& settings,
                               const CSelection& selection);
