#pragma once

#include <QImage>
#include <QOpenGLWidget>
#include <QPoint>
#include <string>

#include "render/GLRenderer.h"

class QPrinter;

// Printable area of the current page: left, top, width, height in printer pixels.
struct CPrintRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

class COpenGLView;

// For the length of a scope, some context is current: the one that already was (the window's,
// or the off-screen one while printing, which share display lists), else the view's own, which
// is released again at the end. Ok() is false when the view has no context yet.
class CContextScope {
public:
    explicit CContextScope(COpenGLView& view);
    ~CContextScope();
    CContextScope(const CContextScope&) = delete;
    CContextScope& operator=(const CContextScope&) = delete;
    bool Ok() const { return m_ok; }

private:
    COpenGLView& m_view;
    bool m_made = false;
    bool m_ok = false;
};

// A view that draws only through OpenGL. It keeps the viewport and the default orthographic
// projection (one unit one pixel, origin at the centre, depth -5000..5000) in step with its
// size, paints by calling RenderScene, turns mouse drags into OnMouseDrag, holds the
// accumulated model rotation, and puts its picture into a BMP file, on the clipboard or on a
// printed page. It knows nothing about pressure data: derived views implement the virtuals.
class COpenGLView : public QOpenGLWidget {
    Q_OBJECT
public:
    explicit COpenGLView(QWidget* parent = nullptr);
    ~COpenGLView() override;

    QImage m_bitmap;         // image read back for the BMP file
    CGLRenderer m_gl;        // the drawing toolkit and its contexts
    CPrintRect m_rectPrint;  // printable area of the page being printed
    QPoint m_ptLast;         // last mouse position of a drag
    bool m_bInitialized = false;

    // Paints the whole scene into the current context.
    virtual void RenderScene() {}
    // Light 0 and light 1 with the given positions and values for parameter (e.g. GL_DIFFUSE).
    virtual void SetLights(CVector4 position0, CVector4 position1, CVector4 value0, CVector4 value1,
                           int parameter);
    // The mouse moved from (x0, y0) to (x1, y1), client pixels, during a drag.
    virtual void OnMouseDrag(int x0, int y0, int x1, int y1);
    // Per-context resources (fonts); called once with the context current.
    virtual void InitGL() {}
    // Releases them; called with the context current before the context goes.
    virtual void DestroyGL() {}
    // Around printing: the derived view switches its fonts to the printer's resolution.
    virtual void OnBeginPrinting(QPrinter& printer);
    virtual void OnEndPrinting(QPrinter& printer);
    // Around a picture drawn at a multiple of the window's size: the renderer's pixel scale is
    // already set, so fonts made now come out enlarged; the derived view switches to them.
    virtual void OnBeginImage() {}
    virtual void OnEndImage() {}

    // load identity, then the box (-(w/2), w/2, -(h/2), h/2) with depth -5000..5000.
    void SetDefaultProjection(int w, int h);

    // Client size in device pixels.
    int ClientWidth() const;
    int ClientHeight() const;

    // Drag bookkeeping called by the derived view's mouse handlers.
    void BeginLeftDrag(QPoint point);
    void DragMove(QPoint point);
    void EndDrag(QPoint point);
    void BeginRightDrag(QPoint point);
    bool HasCapture() const { return m_bCapture; }

    // The picture on the screen, read back from the frame buffer.
    bool CaptureImage(QImage& out);
    // The picture at scale (1 to 4) times the window's size: for 1 the one on the screen (when
    // the view has never been shown, it is drawn off-screen like the others); else
    // the scene drawn again off-screen with the window's projection, so the model, markers,
    // colour bar and comment grow with the picture, and with line widths and font heights
    // multiplied by scale: the same picture in finer pixels. Empty and false when the
    // off-screen image of that size cannot be made; error then says why.
    bool RenderImage(int scale, QImage& out, std::string* error = nullptr);
    // Writes the picture as a 24-bit BMP file. On failure the old file under that name is
    // untouched and error says why.
    bool SaveBitmap(const std::string& path, std::string* error = nullptr, int scale = 1);
    // The same picture as a PNG file, written the same safe way.
    bool SavePng(const std::string& path, std::string* error = nullptr, int scale = 1);
    // Puts it on the clipboard as an RGB image.
    bool CopyToClipboard();
    // Prints the scene on one page: rendered off-screen at the page's resolution (at most
    // 300 dpi), the window's aspect ratio, left-aligned and centred vertically.
    bool PrintView(QPrinter& printer);

    // Releases the per-context resources. Derived views call it from their destructors, while
    // their DestroyGL can still run.
    void TearDownGL();

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;

private:
    // After off-screen drawing: the window's viewport and projection back, the buffer gone.
    void EndOffscreen(int clientW, int clientH);

    bool m_bCapture = false;
};
