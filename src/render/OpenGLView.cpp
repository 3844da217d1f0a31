#include "render/OpenGLView.h"

#include <QBuffer>
#include <QCoreApplication>

#include <QClipboard>
#include <QGuiApplication>
#include <QOpenGLContext>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cstring>
#include <vector>

#include <GL/gl.h>

#include "image/BmpFile.h"
#include "io/AtomicFile.h"
#include "render/SurfaceFormat.h"

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
        m_gl.ReleaseContextObjects();
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

namespace {

std::string Unreadable() {
    return QCoreApplication::translate("COpenGLView", "ビューの画像を読み取れませんでした。")
        .toStdString();
}

// An upright image as glReadPixels delivers a frame: blue, green, red, alpha, bottom row first.
std::vector<uint8_t> BottomUpBgra(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const size_t rowBytes = static_cast<size_t>(rgb.width()) * 4;
    std::vector<uint8_t> bgra(rowBytes * static_cast<size_t>(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y) {
        // Little-endian RGB32 is stored blue, green, red, 0xFF.
        std::memcpy(bgra.data() + static_cast<size_t>(rgb.height() - 1 - y) * rowBytes,
                    rgb.constScanLine(y), rowBytes);
    }
    return bgra;
}

}  // namespace

bool COpenGLView::RenderImage(int scale, QImage& out, std::string* error) {
    out = QImage();
    scale = std::max(scale, 1);
    // A view that was never on the screen (the batch's) has no picture to read: it draws
    // off-screen at every scale.
    if (scale == 1 && context() != nullptr && context()->isValid()) {
        if (!CaptureImage(out) && error != nullptr) {
            *error = Unreadable();
        }
        return !out.isNull();
    }
    const int clientW = ClientWidth();
    const int clientH = ClientHeight();
    const int w = clientW * scale;
    const int h = clientH * scale;
    if (!m_bInitialized) {
        SetDefaultProjection(clientW, clientH);  // the box a window of this size would have
    }
    bool drawn = false;
    // The context comes with a token image; PrepareOffscreen makes the real one, so two images
    // of that size never exist at once.
    const bool context = clientW > 0 && clientH > 0 && m_gl.CreateOffscreen(1, 1);
    if (context) {
        // The window's projection box on a viewport scale times as large: everything placed in
        // model or window units grows with it; pixel sizes grow by the renderer's scale.
        m_gl.SetPixelScale(scale);
        OnBeginImage();
        m_gl.PrepareOffscreen(w, h, clientW, clientH);
        const COffscreenInfo& info = m_gl.OffscreenInfo();
        if (m_gl.HasOffscreenImage() && CGLRenderer::HasCurrentContext() && info.width == w &&
            info.height == h) {
            RenderScene();
            QImage picture(w, h, QImage::Format_RGB32);
            picture.fill(Qt::white);
            QPainter painter(&picture);
            m_gl.BlitOffscreen(&painter, 0, 0, h);
            painter.end();
            out = picture;
            drawn = true;
        }
        OnEndImage();
        m_gl.SetPixelScale(1);
        EndOffscreen(clientW, clientH);
    }
    if (!drawn && error != nullptr) {
        *error =
            context || clientW <= 0 || clientH <= 0
                ? QCoreApplication::translate(
                      "COpenGLView", "画像を %1 × %2 ピクセルで作れませんでした（大きすぎます）。")
                      .arg(w)
                      .arg(h)
                      .toStdString()
                : QCoreApplication::translate("COpenGLView",
                                              "画像を描く OpenGL の環境を作れませんでした。")
                      .toStdString();
    }
    return drawn;
}

bool COpenGLView::SaveBitmap(const std::string& path, std::string* error, int scale) {
    std::vector<uint8_t> bgra;
    int w = ClientWidth();
    int h = ClientHeight();
    bool ok = false;
    if (scale > 1) {
        QImage image;
        if (!RenderImage(scale, image, error)) {
            return false;
        }
        bgra = BottomUpBgra(image);
        w = image.width();
        h = image.height();
        ok = true;
    } else if (context() != nullptr && context()->isValid()) {
        makeCurrent();
        ok = m_gl.ReadFramePixels(w, h, bgra);
        doneCurrent();
    }
    if (!ok) {
        if (error != nullptr) {
            *error = Unreadable();
        }
        return false;
    }
    const std::vector<uint8_t> bmp = kzv::EncodeBmp24(w, h, bgra.data());
    return kzv::WriteFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(bmp.data()), bmp.size()), error);
}

bool COpenGLView::SavePng(const std::string& path, std::string* error, int scale) {
    QImage image;
    if (!RenderImage(scale, image, error)) {
        return false;
    }
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        if (error != nullptr) {
            *error = Unreadable();
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
    EndOffscreen(clientW, clientH);
    return drawn;
}

void COpenGLView::EndOffscreen(int clientW, int clientH) {
    if (context() != nullptr && context()->isValid()) {
        makeCurrent();
        m_gl.SetViewport(clientW, clientH);
        SetDefaultProjection(clientW, clientH);
        doneCurrent();
    }
    m_gl.DestroyOffscreen();
}
