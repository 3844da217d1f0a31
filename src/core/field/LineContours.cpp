#include "field/LineContours.h"

#include <algorithm>
#include <cmath>

#include "geometry/GeometryAlgorithms.h"
#include "geometry/VectorFunctions.h"
#include "text/NumberFormat.h"

namespace {

// The slot is between the picks of its two points.
bool IsHalfPicked(const CSelection& selection, int slot) {
    return selection.m_nSlotPickCount == 0 && selection.m_nEditSlot == slot;
}

}  // namespace

bool SegmentsMayMeet(const CVector4& p1, const CVector4& p2, const CVector4& q1,
                     const CVector4& q2) {
    // IntersectSegments works in a frame whose origin is p1 and whose z axis is the normal of
    // the plane (p1, p2, q1). A crossing it reports is a point of the slot whose frame
    // coordinates are (x, 0, z) with |x| <= |p2 - p1|, and whose z grows from q1's z (which
    // is 0 up to the frame's tilt) by at most |q2 - q1|. The frame's normal is built from
    // components snapped to tenths, so its tilt is up to about 0.1 / |normal| radians, plus
    // the rounding of the float cross product. Hence the slot must come within
    //   |p2 - p1| + |q2 - q1| + tilt * |q1 - p1|
    // of p1; every allowance is taken several times over.
    auto length = [](const CVector4& v) {
        return std::sqrt(static_cast<double>(v.x) * v.x + static_cast<double>(v.y) * v.y +
                         static_cast<double>(v.z) * v.z);
    };
    const CVector4 a = p2 - p1;
    const CVector4 b = q1 - p1;
    const double la = length(a);
    const double lb = length(b);
    const double normal = length(TriangleNormal(p1, p2, q1));
    double tilt = 1.0;
    if (normal > 0.0) {
        tilt = std::min(1.0, (0.5 + 1e-5 * la * lb) / normal + 1e-4);
    }
    const double slack = 1e-4 * (length(p1) + length(q1) + length(q2) + 1.0);
    const double reach = la + length(q2 - q1) + tilt * lb + slack;

    // Distance from p1 to the slot, in double.
    const double dx = static_cast<double>(q2.x) - q1.x;
    const double dy = static_cast<double>(q2.y) - q1.y;
    const double dz = static_cast<double>(q2.z) - q1.z;
    const double ex = static_cast<double>(p1.x) - q1.x;
    const double ey = static_cast<double>(p1.y) - q1.y;
    const double ez = static_cast<double>(p1.z) - q1.z;
    const double dd = dx * dx + dy * dy + dz * dz;
    double t = dd > 0.0 ? (ex * dx + ey * dy + ez * dz) / dd : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double rx = ex - t * dx;
    const double ry = ey - t * dy;
    const double rz = ez - t * dz;
    const double distance = std::sqrt(rx * rx + ry * ry + rz * rz);
    // Written so that a NaN anywhere leaves the decision to IntersectSegments.
    return !(distance > reach);
}

CLabelContext MakeLabelContext(const CDataSet& data, const CDisplaySettings& settings,
                               const CSelection& selection) {
    CLabelContext context;
    context.show = settings.m_bShowLabels != 0;
    for (int i = 0; i < SLOT_COUNT; ++i) {
        if (settings.m_abSlotOn[i] != 0 && settings.m_aSlot[i][0] != settings.m_aSlot[i][1] &&
            !IsHalfPicked(selection, i)) {
            context.activeSlots.push_back(i);
        }
    }
    // Level k is labelled when it is a multiple of skip + 1. The skip edit can hold a negative
    // number while it is typed; a step of 0 (skip -1) then labels no level instead of dividing
    // by zero.
    context.levelStep = static_cast<long long>(settings.m_nLabelSkip) + 1;
    context.fixedColour = settings.m_nLabelColorMode == 1;
    context.colour = settings.m_clrLabel;
    context.radius = 2.5f / data.m_fScale;
    context.slot = settings.m_aSlot;
    return context;
}

void PlaceLabel(const CLabelContext& context, const CVector4& a, const CVector4& b,
                const CVector4& colour, double level, int k, CContourDrawing& out) {
    if (!context.show || context.activeSlots.empty() || context.levelStep == 0 ||
        k % context.levelStep != 0) {
        return;
    }
    for (int i : context.activeSlots) {
        CVector4 crossing;
        if (!SegmentsMayMeet(a, b, context.slot[i][0], context.slot[i][1]) ||
            !IntersectSegments(a, b, context.slot[i][0], context.slot[i][1], crossing)) {
            continue;
        }
        CContourLabel label;
        label.centre = crossing;
        label.radius = context.radius;
        label.textPos = crossing + CVector4(2.0f * context.radius, 0.0f, 0.0f);
        label.text = kzv::FormatFixed2(level);
        label.slot = i;
        CContourItem item;
        item.type = ContourItemType::Label;
        item.first = static_cast<int>(out.labels.size());
        item.count = 1;
        item.index = k;
        item.colour = context.fixedColour ? context.colour : colour;
        out.labels.push_back(std::move(label));
        out.AddItem(item);
    }
}

void LinesOnTriangle(const CVector4 t[3], const double v[3], const CContourLevels& levels,
                     const CVector4* table, const CVector4& lineColour, const CLabelContext& labels,
                     CContourDrawing& out) {
    if (v[0] == v[1] && v[1] == v[2]) {
        return;
    }
    const double low = std::min({v[0], v[1], v[2]});
    const double high = std::max({v[0], v[1], v[2]});
    for (int k = 1; k < levels.n; ++k) {
        const double l = levels.level[static_cast<size_t>(k)];
        if (l < low || l > high) {
            continue;  // no edge can reach this level
        }
        // A corner on the level is reached from both of its edges; it is one point of the
        // line, so a level through a corner and across the opposite edge gives the segment
        // between them, and a level that only touches a corner gives none.
        CVector4 crossing[3];
        int corner[3] = {-1, -1, -1};
        int count = 0;
        auto addCorner = [&](int c) {
            if (std::find(corner, corner + count, c) == corner + count) {
                corner[count] = c;
                crossing[count++] = t[c];
            }
        };
        for (int e = 0; e < 3; ++e) {
            const CVector4& a = t[e];
            const CVector4& b = t[(e + 1) % 3];
            const double va = v[e];
            const double vb = v[(e + 1) % 3];
            if (va == vb || !((va <= l && l <= vb) || (vb <= l && l <= va))) {
                continue;
            }
            if (va == l) {
                addCorner(e);
            } else if (vb == l) {
                addCorner((e + 1) % 3);
            } else {
                crossing[count++] = PointAt(a, b, (l - va) / (vb - va));
            }
        }
        if (count != 2) {
            continue;
        }
        const CVector4& colour = table != nullptr ? table[k] : lineColour;
        CContourItem item;
        item.type = ContourItemType::Line;
        item.first = out.PointCount();
        item.count = 2;
        item.index = k;
        item.colour = colour;
        out.AddItem(item);
        out.AddPoint(crossing[0]);
        out.AddPoint(crossing[1]);
        PlaceLabel(labels, crossing[0], crossing[1], colour, l, k, out);
    }
}

CSlotDrawing BuildSlotDrawing(const CDisplaySettings& settings, const CSelection& selection,
                              float fitScale) {
    CSlotDrawing drawing;
    drawing.radius = 2.5f / fitScale;
    drawing.colour = COLOR_RED;
    const float r = drawing.radius;
    for (int i = 0; i < SLOT_COUNT; ++i) {
        if (settings.m_abSlotOn[i] == 0 || !(settings.m_aSlot[i][0] != settings.m_aSlot[i][1])) {
            continue;
        }
        CSlotMark mark;
        mark.slot = i;
        mark.a = settings.m_aSlot[i][0];
        mark.b = settings.m_aSlot[i][1];
        mark.complete = !IsHalfPicked(selection, i);
        if (mark.complete) {
            mark.number = kzv::FormatInt(i + 1);
            mark.numberPos = mark.a + CVector4(r, r, 0.0f);
        }
        drawing.marks.push_back(std::move(mark));
    }
    return drawing;
}
