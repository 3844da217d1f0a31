#include "render/SurfaceFormat.h"

#include <QCoreApplication>

namespace kzv {

QSurfaceFormat ViewSurfaceFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setRedBufferSize(8);
    format.setGreenBufferSize(8);
    format.setBlueBufferSize(8);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(1);
    format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    return format;
}

void PrepareOpenGLApplication() {
    QSurfaceFormat::setDefaultFormat(ViewSurfaceFormat());
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

}  // namespace kzv
