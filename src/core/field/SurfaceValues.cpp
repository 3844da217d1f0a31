#include "field/SurfaceValues.h"

#include "geometry/GeometryAlgorithms.h"
#include "geometry/TransformMatrix.h"
#include "geometry/VectorFunctions.h"

bool GetPanelCorners(const CViewState& state, int panel, int direction, CPanelCorners& corners) {
    corners.count = 0;
    const CMeshFile& mesh = state.m_mesh;
    if (panel < 0 || panel >= mesh.GetPanelCount() ||
        static_cast<size_t>(panel) >= mesh.m_aNodeCount.size()) {
        return false;
    }
    const int count = mesh.m_aNodeCount[static_cast<size_t>(panel)];
    if (count != 3 && count != 4) {
        return false;
    }
    for (int k = 0; k < count; ++k) {
        const int32_t tap = mesh.GetNodeTapNo(panel, k);
        corners.tap[k] = tap;
        corners.pos[k] = state.m_taps.GetPosition(tap);
        corners.value[k] = state.m_cp.GetCp(tap, direction);
    }
    corners.count = count;
    return true;
}

double InterpolateAt(const CViewState& state, int panel, CVector4 p, int direction) {
    CPanelCorners c;
    if (!GetPanelCorners(state, panel, direction, c)) {
        return NO_VALUE;
    }

    CVector4 t[3];
    double w[3];
    if (c.count == 4) {
        // The quadrilateral as four triangles around its centre, tried in this order; the last
        // one is taken when none holds p.
        const CVector4 centre = (c.pos[0] + c.pos[1] + c.pos[2] + c.pos[3]) / 4.0f;
        const double centreValue = (c.value[3] + c.value[2] + c.value[1] + c.value[0]) * 0.25;
        static const int kPairs[4][2] = {{0, 3}, {3, 2}, {2, 1}, {1, 0}};
        int chosen = 3;
        for (int i = 0; i < 4; ++i) {
            if (IsPointInTriangle(p, c.pos[kPairs[i][0]], centre, c.pos[kPairs[i][1]])) {
                chosen = i;
                break;
            }
        }
        const int a = kPairs[chosen][0];
        const int b = kPairs[chosen][1];
        t[0] = c.pos[a];
        t[1] = centre;
        t[2] = c.pos[b];
        w[0] = c.value[a];
        w[1] = centreValue;
        w[2] = c.value[b];
    } else {
        for (int i = 0; i < 3; ++i) {
            t[i] = c.pos[i];
            w[i] = c.value[i];
        }
    }

    for (int i = 0; i < 3; ++i) {
        if (p == t[i]) {
            return w[i];
        }
    }
    const double d0 = p.Distance(t[0]);
    const double d1 = p.Distance(t[1]);
    const double d2 = p.Distance(t[2]);
    return (d1 * d2 * w[0] + d0 * d2 * w[1] + d0 * d1 * w[2]) / (d1 * d2 + d0 * (d1 + d2));
}

void ComputeAllDirections(const CViewState& state, int panel, CVector4 p,
                          std::vector<double>& values) {
    const int count = state.m_cp.m_nDirectionCount;
    values.assign(count > 0 ? static_cast<size_t>(count) : 0u, 0.0);
    for (int d = 0; d < count; ++d) {
        values[static_cast<size_t>(d)] = InterpolateAt(state, panel, p, d);
    }
}

CVector4 ProjectOntoPanel(const CViewState& state, int panel, CVector4 p) {
    CPanelCorners c;
    if (!GetPanelCorners(state, panel, 0, c)) {
        return p;
    }
    const CVector4 normal = TriangleNormal(c.pos[0], c.pos[1], c.pos[2]);
    const CVector4 direction = c.pos[1] - c.pos[0];
    // In this frame p is the origin and the panel's plane is parallel to the x-y plane, so
    // taking the z of the panel's first corner moves p straight onto the plane.
    const CTransformMatrix frame = BuildPlaneFrame(p, direction, normal);
    CVector4 onPlane = TransformPoint(frame, p);
    onPlane.z = TransformPoint(frame, c.pos[0]).z;
    const CVector4 back = TransformPoint(frame.Inverse(), onPlane);
    return CVector4(static_cast<float>(SnapToTenth(back.x)),
                    static_cast<float>(SnapToTenth(back.y)),
                    static_cast<float>(SnapToTenth(back.z)), 0.0f);
}

double GetArbitraryValue(const CViewState& state, int direction, double x, double y, double z) {
    const CVector4 wanted(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    for (const CArbitraryPoint& point : state.m_lstArbitrary) {
        if (point.pos == wanted) {
            if (direction < 0 || static_cast<size_t>(direction) >= point.values.size()) {
                return NO_VALUE;
            }
            return point.values[static_cast<size_t>(direction)];
        }
    }
    return NO_VALUE;
}

const CArbitraryPoint* FindArbitraryPoint(const CViewState& state, int id) {
    for (const CArbitraryPoint& point : state.m_lstArbitrary) {
        if (point.id == id) {
            return &point;
        }
    }
    return nullptr;
}

CArbitraryPoint* FindArbitraryPoint(CViewState& state, int id) {
    return const_cast<CArbitraryPoint*>(
        FindArbitraryPoint(static_cast<const CViewState&>(state), id));
}
