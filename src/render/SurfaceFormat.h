#pragma once

#include <QSurfaceFormat>

namespace kzv {

// The view's surfaces: compatibility profile (fixed-function pipeline), RGBA, depth 24,
// stencil 1, double buffered.
QSurfaceFormat ViewSurfaceFormat();

// Called once before the application object exists: the default format for every OpenGL
// surface, and shared contexts so that the off-screen (printing) context sees the window's
// display lists.
void PrepareOpenGLApplication();

}  // namespace kzv
