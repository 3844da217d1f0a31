// Which taps and panels a pick pass keeps: those that can reach the square about the cursor.
#include <gtest/gtest.h>

#include "scene/WindowProjection.h"

TEST(WindowProjection, KeepsWhatCanReachThePickSquareAndNothingElse) {
    // Two pixels a unit, the model moved 10 pixels right: (0, 0) lies at window (110, 50).
    const float modelView[16] = {2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 10, 0, 0, 1};
    const CWindowProjection window(modelView, 200, 100);
    float x = 0, y = 0;
    window.At(CVector4(5, 10, 7), x, y);
    EXPECT_FLOAT_EQ(x, 120.0f);
    EXPECT_FLOAT_EQ(y, 30.0f);  // y grows downwards on the window
    EXPECT_FLOAT_EQ(window.Unit(), 2.0f);

    // Square of half width 6 about (110, 50); discs of radius 3 pixels reach it from 9 away.
    const std::vector<CVector4> taps = {CVector4(0, 0, 0), CVector4(4.5f, 0, 0),
                                        CVector4(4.6f, 0, 0), CVector4(0, -4.5f, 0),
                                        CVector4(-4.5f, 4.5f, 0)};
    EXPECT_EQ(PointsNear(window, taps, 3.0f, 110.0f, 50.0f, 6.0f), (std::vector<int>{0, 1, 3, 4}));

    // A large triangle around the square with no corner in it is kept, one beside it is not
    // until the square moves onto it; a panel without corners never is.
    const std::vector<CVector4> corners = {CVector4(-50, -50, 0), CVector4(50, -50, 0),
                                           CVector4(0, 50, 0),    CVector4(10, 0, 0),
                                           CVector4(20, 0, 0),    CVector4(15, 5, 0)};
    EXPECT_EQ(PolygonsNear(window, corners, {3, 0, 3}, 110.0f, 50.0f, 6.0f), (std::vector<int>{0}));
    EXPECT_EQ(PolygonsNear(window, corners, {3, 0, 3}, 135.0f, 45.0f, 6.0f),
              (std::vector<int>{0, 2}));
}
