#pragma once

#include <QImage>
#include <QTest>
#include <functional>

#include <GL/gl.h>

#include "OpenGLView.h"

// A view whose scene is whatever the test puts in `scene`, shown as a top-level window of the
// given client size.
class CTestView : public COpenGLView {
public:
    std::function<void(CTestView&)> scene;
    unsigned fontBase = 0;
    bool exposed = false;

    CTestView(int w, int h) {
        resize(w, h);
        show();
        exposed = QTest::qWaitForWindowExposed(this);
    }
    ~CTestView() override { TearDownGL(); }

    void InitGL() override { fontBase = m_gl.CreateFontListA(15, "ＭＳ ゴシック"); }
    void DestroyGL() override { m_gl.DeleteFontList(fontBase); }
    void RenderScene() override {
        m_gl.Clear(OPAQUE_WHITE);
        glLoadIdentity();
        if (scene) {
            scene(*this);
        }
    }

    // Draws the scene now and reads the picture back.
    QImage Frame() {
        (void)grabFramebuffer();
        QImage image;
        CaptureImage(image);
        return image;
    }
};

// The pixel at (x, y) counted from the top left.
inline QColor PixelAt(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y));
}

inline bool Near(const QColor& a, const QColor& b, int tolerance = 8) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}
