#pragma once

#include <vector>

#include "dataset/DataSet.h"
#include "dataset/Geometry.h"
#include "field/Selection.h"

// The pick modes and the rectangle and face arithmetic behind a click (what a click does to
// the state is in state/SelectionSteps.h).

// Pick modes.
enum PickMode {
    PICK_NONE = 0,
    PICK_FACE_CONTOUR = 1,  // contour page: toggle the contours of a face
    PICK_TAP = 2,           // a measurement point
    PICK_POINT = 3,         // one arbitrary point
    PICK_RECTANGLE = 4,     // a corner of a rectangle of grid points
    PICK_FACE_TAPS = 5,     // every measurement point of a face
    PICK_SLOT = 6,          // an end point of a label-position slot
};

// The polygon of the main geometry that pick name n stands for: parts in order, those of
// display mode 2 left out, their polygons in order. Null when there is no such polygon.
const CGeometryFace* PickedFace(const CGeometry& geo, int name);

// Whether p lies in the face's polygon.
bool PointInFace(const CGeometryFace& face, CVector4 p);
// Corner positions of a panel (working taps); empty outside the mesh.
std::vector<CVector4> PanelCornerPositions(const CDataSet& data, int panel);

// The rectangle through the corners p1 and p2: m_aCorner becomes (p1, A, p2, B) and the result
// is the constant axis: 0 x, 1 y, 2 z (exact float comparison, in this order), 255 when all
// three coordinates differ (an inclined rectangle: no grid; m_aCorner unchanged).
int RectangleOrientation(CSelection& selection, CVector4 p1, CVector4 p2);
// Orientations besides the constant axes 0, 1 and 2: a rectangle in the plane of a face on
// which no coordinate is constant (a roof slope, the wall of a turned building), and none.
constexpr int RECT_IN_FACE = 3;
constexpr int RECT_NONE = 255;
// The rectangle through the corners p1 and p2, picked on the panels given, on their surface.
// When the panels lie on one plane: a plane on which x, y or z is constant (all corners of
// both panels within SURFACE_TOLERANCE of p1's) gives that axis, and m_aCorner as
// RectangleOrientation makes them for it; any other plane gives RECT_IN_FACE, with the edges
// along the plane's horizontal (A = p1 + h (D . h), D = p2 - p1) and along its slope
// (B = p2 - (A - p1)), so that p1, A, p2, B is a rectangle in the plane. Panels on different
// planes (a ridge or an eave between the corners) make no rectangle: RECT_NONE, m_aCorner
// unchanged.
int RectangleOnSurface(const CDataSet& data, CSelection& selection, CVector4 p1, CVector4 p2,
                       const int panels[2]);
// The (p + 1) x (q + 1) grid over m_aCorner[0]..m_aCorner[2] of a rectangle of that
// orientation, outer loop over the first varying axis (for RECT_IN_FACE: along the horizontal,
// p1 to A, then along the slope, p1 to B); empty for RECT_NONE, p, q < 1, or a grid of more
// than MAX_GRID_POINTS points.
std::vector<CVector4> MakeGrid(const CSelection& selection, int orientation, int p, int q);
// Grids above this many points ask the user first.
constexpr long long MAX_GRID_POINTS_UNASKED = 100000;
// No grid has more points than this: every point carries a row and a value per direction, and
// a few billion of them (P and Q are typed by the user) would exhaust memory.
constexpr long long MAX_GRID_POINTS = 2000000;
long long GridPointCount(int p, int q);

// Whether two panels lie on one plane: false when either is -1, true when they are the same.
bool SameSurface(const CDataSet& data, const int panels[2]);
// The panel that holds p, preferring the given one and then those on its surface: preferred
// when it holds p, else the first (in mesh order) on the same surface that does, else the
// first that does (-1 for none). A point on the edge between two surfaces lies in panels of
// both; the one on the surface it was placed on is meant, not the wall that comes earlier in
// the mesh below an eave.
int PanelHolding(const CDataSet& data, int preferred, CVector4 p);
// SameSurface of PanelHolding(panel, p) and panel; false when no panel holds p.
bool PointOnSameSurface(const CDataSet& data, int panel, CVector4 p);
// p moved into the plane of panel along its first and last edges (law-of-sines decomposition:
// a point already in the plane comes back unchanged). A degenerate panel, a panel outside the
// mesh, or p on the first corner give p back unchanged, so the same-surface check decides.
CVector4 CorrectOntoPanel(const CDataSet& data, int panel, CVector4 p);
