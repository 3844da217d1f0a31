#pragma once
// Where model points fall on the pressure view's window: the model-view matrix of a frame and
// the view's projection, a box centred on the window with one unit a pixel. Used to thin the
// taps a frame draws and to keep a pick pass to what can lie under the cursor.

#include <vector>

#include "geometry/Vector4.h"

class CWindowProjection {
public:
    // modelView in OpenGL's column order; width and height of the window in pixels.
    CWindowProjection(const float modelView[16], int width, int height);
    // Window pixels of p, x to the right and y down from the top left corner.
    void At(const CVector4& p, float& x, float& y) const;
    // Pixels per model unit (the camera's zoom and the fit scale).
    float Unit() const { return m_unit; }
    // The unit direction toward the viewer in model coordinates (the eye's z axis): a surface
    // whose normal has a positive part along it faces the viewer.
    CVector4 TowardViewer() const;

private:
    float m_m[16];
    float m_halfW, m_halfH, m_unit;
};

// Indices of the positions whose discs of radius pixels may reach the square of half width
// half about the window point (x, y).
std::vector<int> PointsNear(const CWindowProjection& window, const std::vector<CVector4>& points,
                            float radius, float x, float y, float half);
// Indices of the polygons (counts[k] corners following one another in corners) whose window
// bounding boxes reach that square.
std::vector<int> PolygonsNear(const CWindowProjection& window, const std::vector<CVector4>& corners,
                              const std::vector<int>& counts, float x, float y, float half);
