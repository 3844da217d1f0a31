#include "field/LineContours.h"

#include "field/FieldText.h"
#include "geometry/GeometryAlgorithms.h"

namespace {

// The slot is between the picks of its two points.
bool IsHalfPicked(const CViewState& state, int slot) {
    return state.m_nSlotPickCount == 0 && state.m_nEditSlot == slot;
}

}  // namespace

CLabelContext MakeLabelContext(const CViewState& state) {
    CLabelContext context;
    context.show = state.m_bShowLabels != 0;
    for (int i = 0; i < SLOT_COUNT; ++i) {
        if (state.m_abSlotOn[i] != 0 && state.m_aSlot[i][0] != state.m_aSlot[i][1] &&
            !IsHalfPicked(state, i)) {
            context.slots.push_back(i);
        }
    }
    // Level k is labelled when it is a multiple of skip + 1. The skip edit can hold a negative
    // number while it is typed; a step of 0 (skip -1) then labels no level instead of dividing
    // by zero.
    context.levelStep = static_cast<long long>(state.m_nLabelSkip) + 1;
    context.fixedColour = state.m_nLabelColorMode == 1;
    context.colour = state.m_clrLabel;
    context.radius = 2.5f / state.m_fScale;
    context.slot = state.m_aSlot;
    return context;
}

void PlaceLabel(const CLabelContext& context, const CVector4& a, const CVector4& b,
                const CVector4& colour, double level, int k, CContourDrawing& out) {
    if (!context.show || context.slots.empty() || context.levelStep == 0 ||
        k % context.levelStep != 0) {
        return;
    }
    for (int i : context.slots) {
        CVector4 crossing;
        if (!IntersectSegments(a, b, context.slot[i][0], context.slot[i][1], crossing)) {
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
        out.items.push_back(item);
    }
}

void LinesOnTriangle(const CVector4 t[3], const double v[3], const CContourLevels& levels,
                     const CVector4* table, const CVector4& lineColour,
                     const CLabelContext& labels, CContourDrawing& out) {
    if (v[0] == v[1] && v[1] == v[2]) {
        return;
    }
    for (int k = 1; k < levels.n; ++k) {
        const double l = levels.level[static_cast<size_t>(k)];
        CVector4 crossing[3];
        int count = 0;
        for (int e = 0; e < 3; ++e) {
            const CVector4& a = t[e];
            const CVector4& b = t[(e + 1) % 3];
            const double va = v[e];
            const double vb = v[(e + 1) % 3];
            if (va == vb || !((va <= l && l <= vb) || (vb <= l && l <= va))) {
                continue;
            }
            if (va == l) {
                crossing[count++] = a;
            } else if (vb == l) {
                crossing[count++] = b;
            } else {
                const double r = (l - va) / (vb - va);
                crossing[count++] =
                    CVector4(static_cast<float>(a.x + r * (static_cast<double>(b.x) - a.x)),
                             static_cast<float>(a.y + r * (static_cast<double>(b.y) - a.y)),
                             static_cast<float>(a.z + r * (static_cast<double>(b.z) - a.z)),
                             static_cast<float>(a.w + r * (static_cast<double>(b.w) - a.w)));
            }
        }
        if (count != 2) {
            continue;
        }
        const CVector4& colour = table != nullptr ? table[k] : lineColour;
        CContourItem item;
        item.type = ContourItemType::Line;
        item.first = static_cast<int>(out.points.size());
        item.count = 2;
        item.index = k;
        item.colour = colour;
        out.items.push_back(item);
        out.points.push_back(crossing[0]);
        out.points.push_back(crossing[1]);
        PlaceLabel(labels, crossing[0], crossing[1], colour, l, k, out);
    }
}

CSlotDrawing BuildSlotDrawing(const CViewState& state) {
    CSlotDrawing drawing;
    drawing.radius = 2.5f / state.m_fScale;
    drawing.colour = COLOR_RED;
    const float r = drawing.radius;
    for (int i = 0; i < SLOT_COUNT; ++i) {
        if (state.m_abSlotOn[i] == 0 || !(state.m_aSlot[i][0] != state.m_aSlot[i][1])) {
            continue;
        }
        CSlotMark mark;
        mark.slot = i;
        mark.a = state.m_aSlot[i][0];
        mark.b = state.m_aSlot[i][1];
        mark.complete = !IsHalfPicked(state, i);
        if (mark.complete) {
            mark.number = kzv::FormatInt(i + 1);
            mark.numberPos = mark.a + CVector4(r, r, 0.0f);
        }
        drawing.marks.push_back(std::move(mark));
    }
    return drawing;
}

void ClearSlots(CViewState& state) {
    state.m_nEditSlot = -1;
    state.m_nSlotPickCount = -1;
    for (int i = 0; i < SLOT_COUNT; ++i) {
        state.m_abSlotOn[i] = 0;
        state.m_aSlot[i][0] = CVector4(0.0f, 0.0f, 0.0f, 0.0f);
        state.m_aSlot[i][1] = CVector4(0.0f, 0.0f, 0.0f, 0.0f);
    }
}
