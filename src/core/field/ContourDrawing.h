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

    // Empties the lists but keeps their capacity for the next frame.
    void Clear() {
        items.clear();
        points.clear();
        labels.clear();
        m_items = m_points = 0;
        m_reuse = false;
    }

    // A frame written over the last one: items and points are assigned over the kept elements
    // (CVector4 has a virtual destructor, so emptying and refilling the lists would visit every
    // element twice more) and EndFrame drops what is left over. Between the two the lists may
    // be longer than the frame: writers go through the functions below.
    void BeginFrame() {
        labels.clear();
        m_items = m_points = 0;
        m_reuse = true;
    }
    void EndFrame() {
        items.resize(m_items);
        points.resize(m_points);
        m_reuse = false;
    }

    int ItemCount() const { return static_cast<int>(m_reuse ? m_items : items.size()); }
    int PointCount() const { return static_cast<int>(m_reuse ? m_points : points.size()); }
    void AddItem(const CContourItem& item) { Put(items, m_items, item); }
    void AddPoint(const CVector4& p) { Put(points, m_points, p); }
    void AddPoints(const CVector4* p, int count) {
        for (int i = 0; i < count; ++i) {
            Put(points, m_points, p[i]);
        }
    }

private:
    template <typename T>
    void Put(std::vector<T>& list, size_t& used, const T& value) {
        if (!m_reuse) {
            list.push_back(value);
        } else if (used < list.size()) {
            list[used++] = value;
        } else {
            list.push_back(value);
            ++used;
        }
    }

    size_t m_items = 0;
    size_t m_points = 0;
    bool m_reuse = false;
};
