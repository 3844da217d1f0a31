#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <cstdlib>
#include <functional>

#include <GL/gl.h>

#include "GuiTestSupport.h"
#include "render/OpenGLView.h"

// Draws the view's scene now and reads the picture back.
inline QImage GrabFrame(COpenGLView& view) {
    (void)view.grabFramebuffer();
    QImage image;
    view.CaptureImage(image);
    return image;
}

// A view whose scene is whatever the test puts in `scene`, shown as a top-level window of the
// given client size.
class CTestView : public COpenGLView {
public:
    std::function<void(CTestView&)> scene;
    unsigned fontBase = 0;

    CTestView(int w, int h) {
        // A constructor cannot stop the test; a window that never shows fails it here, where
        // the cause is plain, rather than later at some pixel.
        if (!ShowExposed(*this, w, h)) {
            ADD_FAILURE() << "the test window was never exposed";
        }
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

    QImage Frame() { return GrabFrame(*this); }
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

// Pixels of area, edges included, whose lightness (0..255) is below `lightness`.
inline int CountPixelsDarkerThan(const QImage& image, const QRect& area, int lightness) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (QColor(image.pixel(x, y)).lightness() < lightness) {
                ++n;
            }
        }
    }
    return n;
}
