#include <gtest/gtest.h>

#include <cmath>

#include <cfloat>

#include "field/Camera.h"
#include "field/Compass.h"

namespace {

TEST(Compass, DirectionStepsWrapAndTheSliderEndsBothMean180) {
    EXPECT_EQ(StepDirection(16, 15, +1), 0);
    EXPECT_EQ(StepDirection(16, 0, -1), 15);
    EXPECT_EQ(StepDirection(16, 7, 0), 7);
    EXPECT_EQ(StepDirection(16, 3, 40), 0);  // no step leaves the range
    EXPECT_EQ(StepDirection(0, 0, 1), 0);    // no data set
    EXPECT_DOUBLE_EQ(DirectionAngle(16, 15), 337.5);

    EXPECT_EQ(BuildingAngleRange(16), 8);
    EXPECT_EQ(BuildingAngle(16, -8), 180.0);
    EXPECT_EQ(BuildingAngle(16, 8), 180.0);
    EXPECT_EQ(BuildingAngle(8, -3), -135.0);
    // The view turns the other way: +45 on the compass is 315 for the view, -135 is 135.
    EXPECT_EQ(ViewBuildingAngle(45.0), 315.0);
    EXPECT_EQ(ViewBuildingAngle(-135.0), 135.0);
    EXPECT_EQ(ViewBuildingAngle(0.0), 0.0);
    EXPECT_EQ(WindAngle(180.0, 337.5), 157.5);
}

TEST(Compass, ArrowTurnsClockwiseFromTheBottomAndOnlyItsShaftIsHit) {
    const CCompassPolygon arrow = WindArrowPolygon();
    EXPECT_EQ(TurnCompassPolygon(arrow, 0.0), arrow);
    // 90 degrees: the tail comes from the left.
    EXPECT_EQ(TurnCompassPoint(75, 135, 90.0), (CCompassPoint{15, 75}));
    EXPECT_EQ(TurnCompassPoint(75, 135, 180.0), (CCompassPoint{75, 15}));

    EXPECT_TRUE(ArrowHit(0.0, 75, 110));
    EXPECT_TRUE(ArrowHit(0.0, 70, 85));    // the rectangle holds its top-left corner
    EXPECT_FALSE(ArrowHit(0.0, 80, 110));  // but not its right edge
    EXPECT_FALSE(ArrowHit(0.0, 75, 80));   // the head is not part of the grip
    EXPECT_FALSE(ArrowHit(0.0, 40, 75));
    EXPECT_TRUE(ArrowHit(90.0, 40, 75));
    EXPECT_FALSE(ArrowHit(90.0, 75, 110));
}

TEST(Compass, DragAnglesAndReleaseChooseTheNearerDirectionTheHigherAtHalfWay) {
    double a = -1.0;
    EXPECT_TRUE(DragAngle(75, 140, a));
    EXPECT_DOUBLE_EQ(a, 0.0);
    EXPECT_TRUE(DragAngle(10, 75, a));
    EXPECT_NEAR(a, 90.0, 1e-9);
    EXPECT_TRUE(DragAngle(75, 10, a));
    EXPECT_NEAR(a, 180.0, 1e-9);
    EXPECT_TRUE(DragAngle(140, 75, a));
    EXPECT_NEAR(a, 270.0, 1e-9);
    EXPECT_FALSE(DragAngle(75, 75, a));  // the centre has no angle: the last one stays
    EXPECT_NEAR(a, 270.0, 1e-9);

    EXPECT_EQ(ReleaseDirection(16, 11.25, 0.0), 1);  // exactly half-way
    EXPECT_EQ(ReleaseDirection(16, 11.2, 0.0), 0);
    EXPECT_EQ(ReleaseDirection(16, 56.25, 45.0), 1);  // measured from the building
    EXPECT_EQ(ReleaseDirection(16, 30.0, 45.0), 15);  // behind the building's 0
    EXPECT_EQ(ReleaseDirection(16, 355.0, 0.0), 0);   // past the last direction: back to 0
}

TEST(Compass, PlanStaysInsideTheCircleAtEveryAngleAndAxisLabelsAppearOnlyForSquareAngles) {
    CGeometry main;
    main.m_objects.resize(1);
    main.m_objects[0].m_faces.resize(1);
    main.m_objects[0].m_faces[0].m_vertices = {CVector4(-10000, -10000, 0),
                                               CVector4(10000, -10000, 0), CVector4(10000, 5000, 0),
                                               CVector4(-10000, 5000, 0)};
    const std::vector<CCompassPolygon> plan = PlanOutlines(main, PlanScale(main));
    ASSERT_EQ(plan.size(), 1u);
    // The far corners reach the plan's radius, and no turn takes any corner past it.
    double farthest = 0;
    for (int step = -16; step <= 16; ++step) {
        for (const CCompassPoint& p : TurnCompassPolygon(plan[0], 11.25 * step)) {
            const double d = std::hypot(p.x - COMPASS_CENTRE, p.y - COMPASS_CENTRE);
            EXPECT_LE(d, COMPASS_PLAN_RADIUS + 1.5) << step;
            farthest = std::max(farthest, d);
        }
    }
    EXPECT_GT(farthest, COMPASS_PLAN_RADIUS - 1.5);
    EXPECT_EQ(PlanScale(CGeometry()), 1.0);

    EXPECT_EQ(AxisTickLabels(0.0), (std::vector<std::string>{"180", "0", "90", "270"}));
    EXPECT_EQ(AxisTickLabels(-90.0), (std::vector<std::string>{"270", "90", "180", "0"}));
    EXPECT_EQ(AxisTickLabels(180.0), (std::vector<std::string>{"0", "180", "270", "90"}));
    EXPECT_TRUE(AxisTickLabels(22.5).empty());
    // 16 directions: 4 axis ticks and the 12 directions between them.
    EXPECT_EQ(CompassTicks(16).size(), 16u);
}

TEST(Camera, TypedViewNeedsAPositiveScaleAndOtherwiseChangesNothing) {
    CCamera c;
    c.m_vPan = CVector4(3, 4, 0);
    const CVector4 angles = c.m_vAngles;
    for (double bad : {0.0, -2.0, 1e39, 1e-50}) {
        EXPECT_FALSE(c.SetTypedView(bad, 10, 20, 30, 5, 6));
        EXPECT_EQ(c.m_fZoom, 1.0f);
        EXPECT_TRUE(c.m_vAngles == angles);
        EXPECT_EQ(c.m_vPan.x, 3.0f);
    }
    ASSERT_TRUE(c.SetTypedView(2.0, 30, 20, -10, 5, -6));
    EXPECT_EQ(c.m_fZoom, 2.0f);
    // Horizontal-plane angle about y, vertical-plane angle about x, from the reset orientation.
    EXPECT_FLOAT_EQ(c.m_vAngles.x, 20.0f);
    EXPECT_FLOAT_EQ(c.m_vAngles.y, 30.0f);
    EXPECT_FLOAT_EQ(c.m_vAngles.z, 350.0f);
    EXPECT_EQ(c.m_vPan.x, 5.0f);
    EXPECT_EQ(c.m_vPan.y, -6.0f);
    // Whole turns are dropped, so the angles stay within a turn.
    ASSERT_TRUE(c.SetTypedView(1.0, 7200.0 + 15.0, 0, 0, 0, 0));
    EXPECT_FLOAT_EQ(c.m_vAngles.y, 15.0f);
}

}  // namespace
