#include <gtest/gtest.h>

#include <QApplication>

#include "render/GLText.h"
#include "render/SurfaceFormat.h"

// One QApplication for every GUI test; the tests run under a (virtual) X display. Listing the
// tests (done at build time for CTest) needs no display, so no application is made for it.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests)) {
        return RUN_ALL_TESTS();
    }
    kzv::PrepareOpenGLApplication();
    QApplication app(argc, argv);
    kzv::InstallFontSubstitutions();
    return RUN_ALL_TESTS();
}
