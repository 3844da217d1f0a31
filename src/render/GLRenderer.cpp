// The renderer's state that every concern shares: construction and the transformations.
#include "render/GLRenderer.h"

#include <GL/gl.h>

#include "geometry/Matrix4.h"
#include "render/EglOffscreen.h"
#include "render/GLText.h"

CGLRenderer::CGLRenderer() = default;

CGLRenderer::~CGLRenderer() {
    DestroyOffscreen();
    m_egl.reset();
}

// ---- transformations ----

static_assert(GL_FACE_FRONT_AND_BACK == GL_FRONT_AND_BACK, "GL_FRONT_AND_BACK");
static_assert(GL_PARAM_DIFFUSE == GL_DIFFUSE, "GL_DIFFUSE");
static_assert(GL_LIGHT_0 == GL_LIGHT0 && GL_LIGHT_0 + 1 == GL_LIGHT1, "GL_LIGHT0");

void CGLRenderer::LoadIdentity() {
    if (HasCurrentContext()) {
        glLoadIdentity();
    }
}

void CGLRenderer::PushMatrix() {
    if (HasCurrentContext()) {
        glPushMatrix();
    }
}

void CGLRenderer::PopMatrix() {
    if (HasCurrentContext()) {
        glPopMatrix();
    }
}

void CGLRenderer::Rotate(float angleDegrees, CVector4 axis) {
    if (HasCurrentContext()) {
        glRotatef(angleDegrees, axis.x, axis.y, axis.z);
    }
}

void CGLRenderer::MultMatrix(const CMatrix4& matrix) {
    if (HasCurrentContext()) {
        glMultMatrixf(matrix.Data());
    }
}

void CGLRenderer::ModelView(float out[16]) const {
    for (int i = 0; i < 16; ++i) {
        out[i] = i % 5 == 0 ? 1.0f : 0.0f;
    }
    if (HasCurrentContext()) {
        glGetFloatv(GL_MODELVIEW_MATRIX, out);
    }
}

void CGLRenderer::SetDepthTest(bool on) {
    if (HasCurrentContext()) {
        if (on) {
            glEnable(GL_DEPTH_TEST);
        } else {
            glDisable(GL_DEPTH_TEST);
        }
    }
}

void CGLRenderer::BeginWindowOverlay(int w, int h) {
    if (!HasCurrentContext()) {
        return;
    }
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, w, 0, h, -5000, 5000);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glScalef(1.0f, -1.0f, 1.0f);
    glTranslatef(0.0f, static_cast<float>(-h), 0.0f);
}

void CGLRenderer::EndWindowOverlay() {
    if (!HasCurrentContext()) {
        return;
    }
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void CGLRenderer::Flush() {
    if (HasCurrentContext()) {
        glFlush();
    }
}

void CGLRenderer::Translate(CVector4 v) {
    if (HasCurrentContext()) {
        glTranslatef(v.x, v.y, v.z);
    }
}

void CGLRenderer::Scale(float s) {
    if (HasCurrentContext()) {
        glScalef(s, s, s);
    }
}

void CGLRenderer::Scale(CVector4 v) {
    if (HasCurrentContext()) {
        glScalef(v.x, v.y, v.z);
    }
}
