#pragma once
// The edges of a set of polygons, each drawn once.

#include <vector>

#include "geometry/Vector4.h"

// The distinct edges of the polygons (counts[k] corners following one another in corners, each
// closed back to its first): end points two by two, in the order and direction an edge first
// comes. An edge two polygons share (the same two corner positions, either way round) comes
// once; polygons of fewer than two corners have none.
std::vector<CVector4> DistinctEdges(const std::vector<CVector4>& corners,
                                    const std::vector<int>& counts);
