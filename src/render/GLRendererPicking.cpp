// The renderer's picking: the selection-mode pass and the way back from window to model.
#include "render/GLRenderer.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

#include "field/PickHits.h"

// ---- picking ----

void CGLRenderer::BeginPick(size_t capacity) {
    m_bPickOverflowed = false;
    if (!HasCurrentContext()) {
        return;
    }
    m_selectBuffer.assign(std::max<size_t>(capacity, 4), 0u);
    glSelectBuffer(static_cast<GLsizei>(m_selectBuffer.size()), m_selectBuffer.data());
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0xFFFFFFFFu);
}

void CGLRenderer::SetPickMatrix(double x, double y) {
    if (!HasCurrentContext()) {
        return;
    }
    GLint viewport[4];
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluPickMatrix(x, y, 10, 10, viewport);
    glOrtho(m_box[0], m_box[1], m_box[2], m_box[3], m_box[4], m_box[5]);
    glMatrixMode(GL_MODELVIEW);
}

void CGLRenderer::LoadName(unsigned name) {
    if (HasCurrentContext()) {
        glLoadName(name);
    }
}

void CGLRenderer::DrawNamedPolygons(const CVector4* points, const int* counts, int polygons,
                                    unsigned firstName) {
    if (!HasCurrentContext() || points == nullptr || counts == nullptr) {
        return;
    }
    const CVector4* corner = points;
    for (int k = 0; k < polygons; ++k) {
        glLoadName(firstName + static_cast<unsigned>(k));
        glBegin(GL_POLYGON);
        for (int i = 0; i < counts[k]; ++i) {
            glVertex3fv(corner[i].Data());
        }
        glEnd();
        corner += counts[k];
    }
}

unsigned CGLRenderer::EndPick(unsigned* names, float* depth) {
    if (!HasCurrentContext()) {
        return ProcessHits(0, names, depth);
    }
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    const int hits = glRenderMode(GL_RENDER);
    m_bPickOverflowed = hits < 0;
    glMatrixMode(GL_MODELVIEW);
    return ProcessHits(hits, names, depth);
}

unsigned CGLRenderer::ProcessHits(int hits, unsigned* names, float* depth) {
    // The caller's names array holds at least 64 entries.
    return kzv::ProcessHitRecords(m_selectBuffer.data(), static_cast<int>(m_selectBuffer.size()),
                                  hits, names, 64, depth);
}

CVector4 CGLRenderer::UnProject(int x, int y, float z) {
    if (!HasCurrentContext()) {
        return CVector4();
    }
    GLint viewport[4];
    GLdouble modelview[16];
    GLdouble projection[16];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    GLdouble ox = 0, oy = 0, oz = 0;
    gluUnProject(x, viewport[3] - y, z, modelview, projection, viewport, &ox, &oy, &oz);
    return CVector4(static_cast<float>(ox), static_cast<float>(oy), static_cast<float>(oz), 0.0f);
}
