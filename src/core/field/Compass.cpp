#include "field/Compass.h"

#include <algorithm>
#include <cmath>

#include "geometry/VectorFunctions.h"
#include "text/NumberFormat.h"

namespace {

// Into [0, 360).
double Normalise(double degrees) {
    double a = std::fmod(degrees, 360.0);
    if (a < 0.0) {
        a += 360.0;
    }
    return a >= 360.0 ? 0.0 : a;
}

// A bitmap coordinate cut toward zero; far-off points of the neighbours' plans stay far off
// without leaving the int range.
int ToPixel(double v) {
    return kzv::TruncToInt(std::clamp(v, -1e6, 1e6));
}

}  // namespace

double DirectionStep(int count) {
    return count > 0 ? 360.0 / count : 0.0;
}

double DirectionAngle(int count, int index) {
    return DirectionStep(count) * index;
}

int StepDirection(int count, int current, int step) {
    if (count <= 0) {
        return 0;
    }
    int target = current + step;
    if (target < 0) {
        target += count;
    } else if (target > count - 1) {
        target = 0;
    }
    // A step of more than one round (not made by the page's controls) still lands on a
    // direction.
    return std::clamp(target, 0, count - 1);
}

int BuildingAngleRange(int count) {
    return count > 0 ? count / 2 : 0;
}

double BuildingAngle(int count, int sliderPos) {
    const double angle = DirectionStep(count) * sliderPos;
    return angle == -180.0 ? 180.0 : angle;
}

double ViewBuildingAngle(double buildingAngle) {
    double a = 0.0 - buildingAngle;
    if (a < 0.0) {
        a += 360.0;
    } else if (a > 360.0) {
        a -= 360.0;
    }
    return a;
}

double WindAngle(double buildingAngle, double directionAngle) {
    return Normalise(buildingAngle + directionAngle);
}

CCompassPoint TurnCompassPoint(double x, double y, double degrees) {
    if (degrees == 0.0) {
        return {ToPixel(x), ToPixel(y)};
    }
    const double t = DegToRad(degrees);
    const double dx = x - COMPASS_CENTRE, dy = y - COMPASS_CENTRE;
    const double u = SnapToTenth(dx * std::cos(t) - dy * std::sin(t));
    const double v = SnapToTenth(dx * std::sin(t) + dy * std::cos(t));
    return {ToPixel(COMPASS_CENTRE + u), ToPixel(COMPASS_CENTRE + v)};
}

CCompassPolygon TurnCompassPolygon(const CCompassPolygon& polygon, double degrees) {
    CCompassPolygon turned;
    turned.reserve(polygon.size());
    for (const CCompassPoint& p : polygon) {
        turned.push_back(TurnCompassPoint(p.x, p.y, degrees));
    }
    return turned;
}

double PlanScale(const CGeometry& main) {
    double r = 0.0;
    for (const CGeometryObject& part : main.m_objects) {
        for (const CGeometryFace& face : part.m_faces) {
            for (const CVector4& v : face.m_vertices) {
                r = std::max(r, std::hypot(static_cast<double>(v.x), static_cast<double>(v.y)));
            }
        }
    }
    return r > 0.0 && std::isfinite(r) ? COMPASS_PLAN_RADIUS / r : 1.0;
}

std::vector<CCompassPolygon> PlanOutlines(const CGeometry& geo, double scale) {
    std::vector<CCompassPolygon> outlines;
    for (const CGeometryObject& part : geo.m_objects) {
        for (const CGeometryFace& face : part.m_faces) {
            CCompassPolygon polygon;
            polygon.reserve(face.m_vertices.size());
            for (const CVector4& v : face.m_vertices) {
                polygon.push_back(
                    {ToPixel(COMPASS_CENTRE + scale * v.x), ToPixel(COMPASS_CENTRE - scale * v.y)});
            }
            outlines.push_back(std::move(polygon));
        }
    }
    return outlines;
}

CCompassPolygon WindArrowPolygon() {
    return {{75, 75}, {90, 85}, {80, 85}, {80, 135}, {70, 135}, {70, 85}, {60, 85}};
}

std::vector<CCompassTick> CompassTicks(int count) {
    constexpr int kAxisTick = 12, kDirectionTick = 6;
    const double bottom = COMPASS_CENTRE + COMPASS_RADIUS;
    auto tick = [bottom](double degrees, int length) {
        return CCompassTick{TurnCompassPoint(COMPASS_CENTRE, bottom, degrees),
                            TurnCompassPoint(COMPASS_CENTRE, bottom - length, degrees)};
    };
    std::vector<CCompassTick> ticks;
    for (int axis = 0; axis < 4; ++axis) {
        ticks.push_back(tick(90.0 * axis, kAxisTick));
    }
    const int quarter = count / 4;
    for (int i = 1; quarter > 0 && i < count; ++i) {
        if (i % quarter != 0) {
            ticks.push_back(tick(DirectionAngle(count, i), kDirectionTick));
        }
    }
    return ticks;
}

std::vector<std::string> AxisTickLabels(double buildingAngle) {
    if (std::fmod(buildingAngle, 90.0) != 0.0) {
        return {};
    }
    double bottom = 0.0 - buildingAngle;
    double left = 90.0 - buildingAngle;
    double right = 270.0 - buildingAngle;
    if (bottom < 0.0) {
        bottom += 360.0;
    }
    if (left < 0.0) {
        left += 360.0;
    }
    if (right >= 360.0) {
        right -= 360.0;
    }
    return {kzv::FormatG(180.0 - buildingAngle), kzv::FormatG(bottom), kzv::FormatG(left),
            kzv::FormatG(right)};
}

bool ArrowHit(double windAngle, int x, int y) {
    const CCompassPoint diagonals[2][2] = {
        {TurnCompassPoint(70, 85, windAngle), TurnCompassPoint(80, 135, windAngle)},
        {TurnCompassPoint(70, 135, windAngle), TurnCompassPoint(80, 85, windAngle)}};
    for (const auto& d : diagonals) {
        // The rectangle holds its left and top edges, not its right and bottom ones.
        const int left = std::min(d[0].x, d[1].x), right = std::max(d[0].x, d[1].x);
        const int top = std::min(d[0].y, d[1].y), bottom = std::max(d[0].y, d[1].y);
        if (x >= left && x < right && y >= top && y < bottom) {
            return true;
        }
    }
    return false;
}

bool DragAngle(double x, double y, double& angle) {
    const double dx = x - COMPASS_CENTRE, dy = y - COMPASS_CENTRE;
    const double length = std::sqrt(dx * dx + dy * dy);
    if (!(length > 0.0)) {
        return false;
    }
    // Between the downward vertical and the line to the mouse; right of the centre the angle
    // goes on past 180.
    const double cosine = std::clamp(dy / length, -1.0, 1.0);
    double a = std::acos(cosine) * 180.0 / GEOMETRY_PI;
    if (dx > 0.0) {
        a = 360.0 - a;
    }
    angle = Normalise(a);
    return true;
}

int ReleaseDirection(int count, double dragAngle, double buildingAngle) {
    if (count <= 0) {
        return 0;
    }
    const double step = DirectionStep(count);
    const double q = Normalise(dragAngle - buildingAngle);
    const int d = static_cast<int>(std::floor(q / step));
    const int index = q - step * d < step * (d + 1) - q ? d : d + 1;
    return index >= count ? 0 : std::max(index, 0);
}
