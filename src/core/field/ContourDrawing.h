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

struct CContourDrawing {
    std::vector<CContourItem> items;
    std::vector<CVector4> points;
    std::vector<CContourLabel> labels;
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
    }

    int ItemCount() const { return static_cast<int>(items.size()); }
    int PointCount() const { return static_cast<int>(points.size()); }
    void AddItem(const CContourItem& item) { items.push_back(item); }
    void AddPoint(const CVector4& p) { points.push_back(p); }
    void AddPoints(const CVector4* p, int count) {
        for (int i = 0; i < count; ++i) {
            points.push_back(p[i]);
        }
    }
};
