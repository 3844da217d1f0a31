#include <gtest/gtest.h>

#include "geometry/PolygonEdges.h"

// Two roof triangles share their diagonal (run the other way round in the second); a wall
// quadrilateral meets the roof at the eave but lies a little off it (its corners lifted along
// its own normal), so the eave is two edges; a two-corner polygon is one edge there and back.
TEST(PolygonEdges, SharedEdgesComeOnceInTheirFirstDirection) {
    const CVector4 a(0, 0, 10), b(4, 0, 12.5f), c(4, 3, 12.5f), d(0, 3, 10);
    const CVector4 a2(0, -0.01f, 10), d2(0, 3.01f, 10), e(0, 3, 0), f(0, 0, 0);
    const std::vector<CVector4> corners = {a, b, c, a, c, d, f, a2, d2, e, b, c};
    const std::vector<CVector4> edges = DistinctEdges(corners, {3, 3, 4, 2});
    // The last polygon's edges both came before.
    EXPECT_EQ(edges,
              (std::vector<CVector4>{a, b, b, c, c, a, c, d, d, a, f, a2, a2, d2, d2, e, e, f}));
    EXPECT_TRUE(DistinctEdges(corners, {}).empty());
    EXPECT_EQ(DistinctEdges(corners, {1, 40}).size(), 0u);  // too few corners, or too many
}
