#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "field/ScaleFit.h"
#include "geometry/Vector4.h"

// What the contour walk produces for one frame, in drawing order. The drawing code replays the
// items with the render back-end; nothing here draws.
enum class ContourItemType : uint8_t {
    Band,   // filled polygon: points [first, first + count), colour; index = band k
    Line,   // iso-line segment, width 1.0: points first and first + 1, colour; index = level k
    Label,  // value label: labels[first], drawn in colour; index = level k
    Slots,  // draw the label-position slots here (only while the slot dialog is shown)
    Blank,  // a panel without a value: polygon points [first, first + count) in the background
            // colour, so that it stays uncoloured and still hides what lies behind it
};

struct CContourItem {
    ContourItemType type = ContourItemType::Band;
    int first = 0;
    int count = 0;
    int index = 0;
    CVector4 colour;
};

// A value label where an iso-line crosses a label-position slot: a solid sphere (8 slices,
// 8 stacks) of radius at centre, and the text at textPos with the label font.
struct CContourLabel {
    CVector4 centre;
    float radius = 0.0f;
    CVector4 textPos;  // centre + (2 radius, 0, 0)
    std::string text;  // the level, "%.2f"
    int slot = 0;      // the slot it was found on
};

// Filled bands as the triangles the walk cuts the panels into, each corner with its band
// coordinate: k + the fraction of band k's span by which its value lies above Lk. Drawn with
// the coordinate looking up a table of the band colours without filtering, they give the
// picture of the band polygons: the band edges lie where the coordinate, interpolated along the
// triangle as the value is, crosses a whole number, that is where the value crosses a level.
// A corner whose value lies on the scale is kept a hair (kBandInside) inside the band BandIndex
// gives it, so that a value on a level, and a triangle flat on one, takes the band above the
// level as its polygons do; beyond the scale's ends the coordinate runs on and the end bands'
// colours cover it.
struct CBandTriangles {
    static constexpr double kBandInside = 1.0 / 1024;
    std::vector<CVector4> corners;  // a panel's corners (a quadrilateral's centre last)
    std::vector<float> coords;      // one per corner
    std::vector<uint32_t> indices;  // the corners of each triangle, three by three
    std::vector<CVector4> table;    // the colour of each band

    int Count() const { return static_cast<int>(indices.size() / 3); }
    void Clear() {
        corners.clear();
        coords.clear();
        indices.clear();
        table.clear();
    }
};

struct CContourDrawing {
    std::vector<CContourItem> items;
    std::vector<CVector4> points;
    std::vector<CContourLabel> labels;
    // The bands as triangles, when they were asked for in that form (then no Band item is
    // made but for panels the coordinate cannot carry, see ComputeContours).
    CBandTriangles triangles;
    // The true range of the values shown, over every tap (also those of panels left out).
    CDataRange shownRange;

    // The walk's working arrays, kept with the drawing so that the next frame reuses their
    // room: the shown value and the band of every record of the value table.
    struct Scratch {
        std::vector<double> values;
        std::vector<int8_t> bands;
    } scratch;

    // Empties the lists but keeps their capacity for the next frame (the elements are plain
    // data, so emptying costs nothing per element).
    void Clear() {
        items.clear();
        points.clear();
        labels.clear();
        triangles.Clear();
    }

    int ItemCount() const { return static_cast<int>(items.size()); }
    int PointCount() const { return static_cast<int>(points.size()); }
    void AddItem(const CContourItem& item) { items.push_back(item); }
    void AddPoint(const CVector4& p) { points.push_back(p); }
    void AddPoints(const CVector4* p, int count) { points.insert(points.end(), p, p + count); }
};
