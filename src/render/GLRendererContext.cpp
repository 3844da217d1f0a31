// The renderer's contexts: the window's, the off-screen image (Qt's context, or the
// surfaceless one without a display) and reading pictures back.
#include "render/GLRenderer.h"

#include <QImage>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLWidget>
#include <QPainter>
#include <cstdio>
#include <cstring>

#include <GL/gl.h>

#include "image/PageFit.h"
#include "render/EglOffscreen.h"
#include "render/GLRecording.h"
#include "render/SurfaceFormat.h"

bool CGLRenderer::HasCurrentContext() {
    return QOpenGLContext::currentContext() != nullptr || kzv::CEglOffscreen::IsCurrent();
}

// ---- context and frame ----

bool CGLRenderer::CreateContext(QOpenGLWidget* window) {
    if (m_window != nullptr) {
        return true;
    }
    if (window == nullptr || window->context() == nullptr || !window->context()->isValid()) {
        std::fputs("しょきかしっぱい\n", stderr);  // no usable pixel format / context
        return false;
    }
    m_window = window;
    // Inside the widget's own initialisation its context is already current.
    const bool wasCurrent = QOpenGLContext::currentContext() == window->context();
    if (!wasCurrent) {
        m_window->makeCurrent();
    }
    glClearDepth(1.0);
    glClearStencil(0);
    glEnable(GL_DEPTH_TEST);
    glGetError();
    if (!wasCurrent) {
        m_window->doneCurrent();
    }
    return true;
}

void CGLRenderer::MakeCurrent() {
    if (m_window != nullptr) {
        m_window->makeCurrent();
    }
}

unsigned CGLRenderer::ReleaseCurrent() {
    unsigned error = GL_NO_ERROR;
    if (HasCurrentContext()) {
        error = glGetError();
    }
    if (m_window != nullptr) {
        m_window->doneCurrent();
    }
    return error;
}

void CGLRenderer::SwapBuffers() {
    // The widget presents its framebuffer when its paint ends; outside a paint, ask for one.
    if (m_window != nullptr) {
        m_window->update();
    }
}

void CGLRenderer::SetViewport(int w, int h) {
    if (HasCurrentContext()) {
        glViewport(0, 0, w, h);
    }
}

void CGLRenderer::SetOrtho(CVector4 box, CVector4 depth) {
    m_box[0] = box.x;
    m_box[1] = box.y;
    m_box[2] = box.z;
    m_box[3] = box.w;
    m_box[4] = depth.x;
    m_box[5] = depth.y;
    if (!HasCurrentContext()) {
        return;
    }
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(box.x, box.y, box.z, box.w, depth.x, depth.y);
    glMatrixMode(GL_MODELVIEW);
}

void CGLRenderer::Clear(CVector4 colour) {
    if (!HasCurrentContext()) {
        return;
    }
    if (m_recording != nullptr) {
        m_recording->Clear(colour);
    }
    glClearColor(colour.x, colour.y, colour.z, colour.w);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

void CGLRenderer::DeleteContexts() {
    // The window's context is the widget's own and goes with it.
    m_window = nullptr;
    DestroyOffscreen();
    if (m_egl != nullptr) {
        m_egl.reset();  // and the lists and texture made in it
        m_solidLists.clear();
        m_bandTexture = 0;
        m_offscreenInfo = COffscreenInfo();
    }
}

// ---- off-screen image ----

bool CGLRenderer::CreateOffscreen(int w, int h) {
    if (m_egl != nullptr) {
        // Current from here on, as the window's context is for the fonts made next.
        return m_egl->MakeCurrent();
    }
    if (HasOffscreen()) {
        return true;
    }
    auto* surface = new QOffscreenSurface();
    surface->setFormat(kzv::ViewSurfaceFormat());
    surface->create();
    auto* context = new QOpenGLContext();
    context->setFormat(kzv::ViewSurfaceFormat());
    // Share display lists (fonts) with the window's context.
    if (m_window != nullptr && m_window->context() != nullptr) {
        context->setShareContext(m_window->context());
    } else {
        context->setShareContext(QOpenGLContext::globalShareContext());
    }
    if (!surface->isValid() || !context->create()) {
        delete context;
        delete surface;
        // No OpenGL through Qt's platform: without a window to share with, draw without one.
        if (m_window != nullptr) {
            return false;
        }
        auto egl = std::make_unique<kzv::CEglOffscreen>();
        if (!egl->Create()) {
            return false;
        }
        m_egl = std::move(egl);
    } else {
        m_offscreenSurface = surface;
        m_offscreenContext = context;
    }
    if (!CreateOffscreenBitmap(w, h)) {
        DestroyOffscreen();
        return false;
    }
    return true;
}

bool CGLRenderer::HasOffscreenImage() const {
    return m_offscreenFbo != nullptr || (m_egl != nullptr && m_egl->HasImage());
}

bool CGLRenderer::MakeOffscreenCurrent() {
    if (m_egl != nullptr) {
        return m_egl->MakeCurrent();
    }
    if (m_offscreenContext == nullptr || !m_offscreenContext->makeCurrent(m_offscreenSurface)) {
        return false;
    }
    if (m_offscreenFbo != nullptr) {
        m_offscreenFbo->bind();
    }
    return true;
}

bool CGLRenderer::CreateOffscreenBitmap(int w, int h) {
    if (m_egl != nullptr) {
        if (!m_egl->Resize(w, h)) {
            return false;  // the previous image stays
        }
        m_offscreenInfo.width = w;
        m_offscreenInfo.height = h;
        return true;
    }
    if (w <= 0 || h <= 0 || m_offscreenContext == nullptr ||
        !m_offscreenContext->makeCurrent(m_offscreenSurface)) {
        return false;
    }
    auto* fbo = new QOpenGLFramebufferObject(w, h, QOpenGLFramebufferObject::CombinedDepthStencil);
    if (!fbo->isValid()) {
        delete fbo;  // the previous image stays
        return false;
    }
    delete m_offscreenFbo;
    m_offscreenFbo = fbo;
    m_offscreenInfo.width = w;
    m_offscreenInfo.height = h;
    return true;
}

void CGLRenderer::PrepareOffscreen(int pageW, int pageH, int clientW, int clientH) {
    const kzv::PageFit fit = kzv::FitClientToPage(pageW, pageH, clientW, clientH);
    CreateOffscreenBitmap(fit.width, fit.height);
    if (!MakeOffscreenCurrent()) {
        return;
    }
    SetViewport(m_offscreenInfo.width, m_offscreenInfo.height);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    SetOrtho(CVector4(m_box[0], m_box[1], m_box[2], m_box[3]), CVector4(m_box[4], m_box[5], 0, 0));
}

void CGLRenderer::BlitOffscreen(QPainter* printer, int left, int top, int pageH) {
    if (m_egl != nullptr) {
        if (!m_egl->HasImage() || !m_egl->MakeCurrent()) {
            return;
        }
    } else if (m_offscreenFbo == nullptr || m_offscreenContext == nullptr) {
        return;
    } else if (QOpenGLContext::currentContext() != m_offscreenContext && !MakeOffscreenCurrent()) {
        return;
    } else {
        m_offscreenFbo->bind();
    }
    glFinish();
    // The scene is drawn with alpha 0 in places (the white background among them); the window
    // shows its frame opaque, so the printed picture is read the same way, as RGB with the
    // alpha dropped. Taking the alpha as coverage would turn those places black or empty.
    for (int i = 0; i < 8 && glGetError() != GL_NO_ERROR; ++i) {
        // an error left by the drawing is no reason to lose the picture
    }
    QImage image;
    if (printer != nullptr &&
        ReadPixelsToBitmap(m_offscreenInfo.width, m_offscreenInfo.height, image)) {
        printer->drawImage(QPoint(left, kzv::PictureTop(top, pageH, image.height())), image);
    }
    if (m_egl != nullptr) {
        return;  // stays current: it stands in for the window's context until DestroyOffscreen
    }
    m_offscreenFbo->release();
    m_offscreenContext->doneCurrent();
}

void CGLRenderer::DestroyOffscreen() {
    if (m_egl != nullptr) {
        // The surfaceless context holds the display lists (fonts, solids) the renderer keeps
        // track of, as a window's would: it lives until the renderer's contexts go.
        m_egl->DoneCurrent();
        return;
    }
    // The frame buffer is deleted with its context current when it can be.
    const bool made = m_offscreenContext != nullptr && m_offscreenFbo != nullptr &&
                      m_offscreenContext->makeCurrent(m_offscreenSurface);
    delete m_offscreenFbo;
    m_offscreenFbo = nullptr;
    if (made) {
        m_offscreenContext->doneCurrent();
    }
    delete m_offscreenContext;
    m_offscreenContext = nullptr;
    delete m_offscreenSurface;
    m_offscreenSurface = nullptr;
    m_offscreenInfo = COffscreenInfo();
}

// ---- read-back ----

bool CGLRenderer::ReadFramePixels(int w, int h, std::vector<uint8_t>& bgra) {
    bgra.clear();
    if (w <= 0 || h <= 0 || !HasCurrentContext()) {
        return false;
    }
    GLint fbo = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING, &fbo);
    bgra.assign(static_cast<size_t>(w) * static_cast<size_t>(h) * 4, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_BGRA, GL_UNSIGNED_BYTE, bgra.data());
    if (bgra[0] == 0) {
        if (fbo == 0) {
            glReadBuffer(GL_BACK);
        }
        glReadPixels(0, 0, w, h, GL_BGRA, GL_UNSIGNED_BYTE, bgra.data());
        if (fbo == 0) {
            glReadBuffer(GL_FRONT);
        }
    }
    return glGetError() == GL_NO_ERROR;
}

bool CGLRenderer::ReadPixelsToBitmap(int w, int h, QImage& out) {
    std::vector<uint8_t> bgra;
    if (!ReadFramePixels(w, h, bgra)) {
        out = QImage();
        return false;
    }
    out = QImage(w, h, QImage::Format_RGB32);
    const size_t rowBytes = static_cast<size_t>(w) * 4;
    for (int y = 0; y < h; ++y) {
        // Little-endian RGB32 is stored blue, green, red, 0xFF: the bytes as read.
        std::memcpy(out.scanLine(h - 1 - y), bgra.data() + static_cast<size_t>(y) * rowBytes,
                    rowBytes);
    }
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            line[x] |= 0xFF000000u;
        }
    }
    return true;
}
