#include "scene/SceneRenderer.h"

#include "field/ColorScale.h"

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

void CSceneRenderer::DrawBandTriangles(const CVector4* corners, const float* coords,
                                       const uint32_t* indices, int triangles,
                                       const CVector4* table, int bands) {
    if (triangles <= 0 || bands < 1) {
        return;
    }
    // The coordinate is the value on a scale of whole-numbered levels 0, 1, ..., bands.
    const CContourLevels levels = MakeContourLevels(0.0, bands, bands);
    CContourDrawing drawing;
    for (int k = 0; k < triangles; ++k) {
        const uint32_t* i = indices + 3 * k;
        const CVector4 t[3] = {corners[i[0]], corners[i[1]], corners[i[2]]};
        const double v[3] = {coords[i[0]], coords[i[1]], coords[i[2]]};
        FillBandsOnTriangle(t, v, levels, table, drawing);
    }
    std::vector<int> counts;
    std::vector<CVector4> colours;
    for (const CContourItem& item : drawing.items) {
        counts.push_back(item.count);
        colours.push_back(item.colour);
    }
    DrawPolygons(drawing.points.data(), counts.data(), colours.data(),
                 static_cast<int>(counts.size()));
}
