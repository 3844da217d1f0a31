#include <cstdio>
#include <cstdlib>

#include "GLText.h"
#include "KZ_VApp.h"
#include "SurfaceFormat.h"

namespace {

// Qt aborts with a long message when no display can be opened; say it in one line instead.
bool HasDisplay() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform != nullptr && *platform != '\0') {
        return true;  // the caller chose a platform (offscreen, vnc, ...)
    }
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

}  // namespace

int main(int argc, char* argv[]) {
    if (!HasDisplay()) {
        std::fprintf(stderr,
                     "kzv: no display found; start it under a virtual one, e.g. "
                     "xvfb-run -a %s\n",
                     argv[0]);
        return 1;
    }
    kzv::PrepareOpenGLApplication();
    CKZ_VApp app(argc, argv);
    kzv::InstallFontSubstitutions();
    if (!app.InitInstance()) {
        return 1;
    }
    return app.exec();
}
