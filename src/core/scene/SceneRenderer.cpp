#include "scene/SceneRenderer.h"

void CSceneRenderer::DrawPolygons(const CVector4* points, const int* counts,
                                  const CVector4* colours, int polygons) {
    for (int k = 0; k < polygons; ++k) {
        DrawPolygon(points, counts[k], colours[k]);
        points += counts[k];
    }
}

void CSceneRenderer::DrawLineLoops(const CVector4* points, const int* counts, int loops,
                                   CVector4 colour, float width) {
    for (int k = 0; k < loops; ++k) {
        DrawLineLoop(points, counts[k], colour, width);
        points += counts[k];
    }
}

void CSceneRenderer::DrawLines(const CVector4* points, const CVector4* colours, int segments,
                               float width) {
    for (int k = 0; k < segments; ++k) {
        DrawLine(points + 2 * k, colours[k], width);
    }
}

void CSceneRenderer::DrawDots(const CVector4* centres, const CVector4* colours, int count,
                              float radius) {
    for (int k = 0; k < count; ++k) {
        DrawSphere(centres[k], radius, colours[k], 8);
    }
}
