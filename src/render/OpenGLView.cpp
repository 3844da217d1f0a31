#include "OpenGLView.h"

#include <QBuffer>

#include <QClipboard>
#include <QGuiApplication>
#include <QOpenGLContext>
#include <QPainter>
#include <QPrinter>
#include <vector>

#include <GL/gl.h>

#include "SurfaceFormat.h"
#include "image/BmpFile.h"
#include "io/AtomicFile.h"

CContextScope::CContextScope(COpenGLView& view) : m_view(view) {
    if (CGLRenderer::HasCurrentContext()) {
        m_ok = true;
    } else if (view.context() != nullptr && view.context()->isValid()) {
        view.makeCurrent();
        m_made = m_ok = true;
    }
}

CContextScope::~CContextScope() {
    if (m_made) {
        m_view.doneCurrent();
    }
}

COpenGLView::COpenGLView(QWidget* parent) : QOpenGLWidget(parent) {
    setFormat(kzv::ViewSurfaceFormat());
    setMouseTracking(false);
}

COpenGLView::~COpenGLView() {
    TearDownGL();
}

void COpenGLView::TearDownGL() {
    if (m_bInitialized && context() != nullptr) {
        makeCurrent();
        DestroyGL();
        m_gl.ReleaseSolidLists();
        doneCurrent();
    }
    m_bInitialized = false;
    m_gl.DeleteContexts();
}

int COpenGLView::ClientWidth() const {
    return static_cast<int>(width() * devicePixelRatioF());
}
int COpenGLView::ClientHeight() const {
    return static_cast<int>(height() * devicePixelRatioF());
}

void COpenGLView::SetLights(CVector4 position0, CVector4 position1, CVector4 value0,
                            CVector4 value1, int parameter) {
    m_gl.SetLight(position0, value0, GL_LIGHT0, parameter);
    m_gl.SetLight(position1, value1, GL_LIGHT1, parameter);
}

void COpenGLView::OnMouseDrag(int, int, int, int) {}
void COpenGLView::OnBeginPrinting(QPrinter&) {}
void COpenGLView::OnEndPrinting(QPrinter&) {}

void COpenGLView::SetDefaultProjection(int w, int h) {
    if (CGLRenderer::HasCurrentContext()) {
        glLoadIdentity();
    }
    const float halfW = static_cast<float>(w / 2);
    const float halfH = static_cast<float>(h / 2);
    m_gl.SetOrtho(CVector4(-halfW, halfW, -halfH, halfH), CVector4(-5000.0f, 5000.0f, 0, 0));
}

void COpenGLView::initializeGL() {
    m_gl.CreateContext(this);
    m_gl.SetViewport(ClientWidth(), ClientHeight());
    SetDefaultProjection(ClientWidth(), ClientHeight());
    if (!m_bInitialized) {
        InitGL();
    }
    m_bInitialized = true;
}

void COpenGLView::resizeGL(int, int) {
    if (!m_bInitialized) {
        return;
    }
    m_gl.SetViewport(ClientWidth(), ClientHeight());
    SetDefaultProjection(ClientWidth(), ClientHeight());
}

void COpenGLView::paintGL() {
    RenderScene();
}

// ---- drags ----

void COpenGLView::BeginLeftDrag(QPoint point) {
    m_bCapture = true;
    m_ptLast = point;
}

void COpenGLView::DragMove(QPoint point) {
    if (m_bCapture) {
        OnMouseDrag(m_ptLast.x(), m_ptLast.y(), point.x(), point.y());
        m_ptLast = point;
    }
}

void COpenGLView::EndDrag(QPoint point) {
    if (m_bCapture) {
        OnMouseDrag(m_ptLast.x(), m_ptLast.y(), point.x(), point.y());
        m_bCapture = false;
    }
}

void COpenGLView::BeginRightDrag(QPoint point) {
    if (!m_bCapture) {
        m_bCapture = true;
        m_ptLast = point;
    }
}

// ---- image output ----

bool COpenGLView::CaptureImage(QImage& out) {
    if (context() == nullptr || !context()->isValid()) {
        out = QImage();
        return false;
    }
    makeCurrent();
    const bool ok = m_gl.ReadPixelsToBitmap(ClientWidth(), ClientHeight(), out);
    doneCurrent();
    return ok;
}

bool COpenGLView::SaveBitmap(const std::string& path, std::string* error) {
    std::vector<uint8_t> bgra;
    bool ok = false;
    if (context() != nullptr && context()->isValid()) {
        makeCurrent();
        ok = m_gl.ReadFramePixels(ClientWidth(), ClientHeight(), bgra);
        doneCurrent();
    }
    if (!ok) {
        if (error != nullptr) {
            *error = "the picture could not be read from the view";
        }
        return false;
    }
    const std::vector<uint8_t> bmp = kzv::EncodeBmp24(ClientWidth(), ClientHeight(), bgra.data());
    return kzv::WriteFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(bmp.data()), bmp.size()), error);
}

bool COpenGLView::SavePng(const std::string& path, std::string* error) {
    QImage image;
    QByteArray png;
    QBuffer buffer(&png);
    if (!CaptureImage(image) || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        if (error != nullptr) {
            *error = "the picture could not be read from the view";
        }
        return false;
    }
    return kzv::WriteFileAtomically(path, std::string_view(png.constData(), png.size()), error);
}

bool COpenGLView::CopyToClipboard() {
    QImage image;
    if (!CaptureImage(image)) {
        return false;
    }
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) {
        return false;
    }
    clipboard->setImage(image.convertToFormat(QImage::Format_RGB888));
    return true;
}

bool COpenGLView::PrintView(QPrinter& printer) {
    constexpr int kMaxPrintDpi = 300;  // a page at 1200 dpi would need gigabytes of frame buffer
    if (printer.resolution() > kMaxPrintDpi) {
        printer.setResolution(kMaxPrintDpi);
    }
    printer.setFromTo(1, 1);
    const int clientW = ClientWidth();
    const int clientH = ClientHeight();
    if (!m_gl.CreateOffscreen(clientW, clientH)) {
        return false;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        m_gl.DestroyOffscreen();
        return false;
    }
    OnBeginPrinting(printer);
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    m_rectPrint = CPrintRect{0, 0, page.width(), page.height()};
    m_gl.PrepareOffscreen(m_rectPrint.width, m_rectPrint.height, clientW, clientH);
    const bool drawn = m_gl.HasOffscreenImage() && CGLRenderer::HasCurrentContext();
    if (drawn) {
        RenderScene();
        m_gl.BlitOffscreen(&painter, m_rectPrint.left, m_rectPrint.top, m_rectPrint.height);
    }
    painter.end();

    OnEndPrinting(printer);
    if (context() != nullptr && context()->isValid()) {
        makeCurrent();
        m_gl.SetViewport(clientW, clientH);
        SetDefaultProjection(clientW, clientH);
        doneCurrent();
    }
    m_gl.DestroyOffscreen();
    return drawn;
}
