#pragma once

#include <cstddef>
#include <unordered_map>

#include "dataset/CpFile.h"
#include "field/SurfaceValues.h"
#include "valuelist/ValueList.h"

// The view's arbitrary points by id, answering what FindArbitraryPoint answers (the first
// point with that id) without walking the list once per row.
class CArbitraryById {
public:
    explicit CArbitraryById(const CSelection& selection) {
        m_points.reserve(selection.m_lstArbitrary.size());
        for (const CArbitraryPoint& point : selection.m_lstArbitrary) {
            m_points.emplace(point.id, &point);  // keeps the first
        }
    }
    const CArbitraryPoint* Find(int id) const {
        const auto it = m_points.find(id);
        return it == m_points.end() ? nullptr : it->second;
    }

private:
    std::unordered_map<int, const CArbitraryPoint*> m_points;
};

// The stored value of an arbitrary point for a direction; NO_VALUE without a point or when
// the direction is not one of its values.
inline double ArbitraryValue(const CArbitraryPoint* point, int direction) {
    if (point == nullptr || direction < 0 ||
        static_cast<size_t>(direction) >= point->values.size()) {
        return NO_VALUE;
    }
    return point->values[static_cast<size_t>(direction)];
}

// The value of a row's point for a direction: measured for a measurement point (id >= 0),
// stored for an arbitrary point (found by id); of the quantity and envelope points.shown names.
inline CShownValue RowPointValue(const CPointSource& points, const CArbitraryById& arbitrary,
                                 int id, int direction) {
    CShownValues shown = points.shown;
    shown.direction = direction;
    if (id >= 0) {
        return ShownValueOfTap(points.data, shown, id);
    }
    const CArbitraryPoint* point = arbitrary.Find(id);
    if (point == nullptr) {
        return {};
    }
    return ShownValueOfPoint(points.data, shown, *point);
}
