#include <gtest/gtest.h>

#include <cmath>

#include "field/Compass.h"
#include "field/SceneLayout.h"
#include "state/ViewState.h"
#include "valuelist/ValueListExport.h"

// A turned building: the compass, the 3-D wind arrows and the Tolvex columns must all tell the
// same wind. The compass is the reference: its arrow, drawn by the page's own functions, comes
// from the bearing the user reads off it.

namespace {

constexpr double kPi = 3.14159265358979;

// The way the wind blows in plan (x east, y north) as the compass draws direction n with the
// slider at s: from the arrow's tail to its tip on screen (y down).
void CompassWind(int count, int s, int n, double& x, double& y) {
    const CCompassPolygon arrow = TurnCompassPolygon(
        WindArrowPolygon(), WindAngle(BuildingAngle(count, s), DirectionAngle(count, n)));
    const double tailX = (arrow[3].x + arrow[4].x) / 2.0, tailY = (arrow[3].y + arrow[4].y) / 2.0;
    const double dx = arrow[0].x - tailX, dy = -(arrow[0].y - tailY);
    const double length = std::hypot(dx, dy);
    x = dx / length;
    y = dy / length;
}

// The building turned as the direction page turns it for slider position s.
void TurnAsThePageDoes(CViewState& state, int s) {
    state.SetBuildingAngle(
        ViewBuildingAngle(BuildingAngle(state.m_data.m_cp.m_nDirectionCount, s)));
}

TEST(TurnedBuilding, ThreeDWindArrowsBlowAsTheCompassShows) {
    for (int count : {8, 16, 32}) {
        CViewState state;
        state.m_data.m_cp.m_nDirectionCount = count;
        for (int s = -count / 2; s <= count / 2; ++s) {
            TurnAsThePageDoes(state, s);
            for (int n = 0; n < count; ++n) {
                state.m_settings.m_nDirection = n;
                // The arrows point to +y before the turn about z.
                const double a = WindArrowAngle(state.m_data, state.m_settings) * kPi / 180.0;
                double x = 0, y = 0;
                CompassWind(count, s, n, x, y);
                EXPECT_NEAR(-std::sin(a), x, 0.03) << count << " s " << s << " n " << n;
                EXPECT_NEAR(std::cos(a), y, 0.03) << count << " s " << s << " n " << n;
            }
        }
    }
}

TEST(TurnedBuilding, TolvexColumnHoldsTheDirectionWhoseCompassArrowComesFromItsBearing) {
    for (int count : {16, 32}) {
        for (int s = -count / 2; s <= count / 2; ++s) {
            for (int k = 0; k < TOLVEX_COLUMN_COUNT; ++k) {
                // Column k is the wind from bearing 22.5 (k + 1): it blows the other way.
                const double bearing = 22.5 * (k + 1) * kPi / 180.0;
                double x = 0, y = 0;
                CompassWind(count, s, TolvexDirectionIndex(count, s, k), x, y);
                EXPECT_NEAR(x, -std::sin(bearing), 0.03) << count << " s " << s << " k " << k;
                EXPECT_NEAR(y, -std::cos(bearing), 0.03) << count << " s " << s << " k " << k;
            }
        }
    }
}

}  // namespace
