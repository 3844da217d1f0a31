// Pictures per second of the window's image save against the batch's drawing, for one data
// set and all its directions at a window size:
//   xvfb-run -a build/bench/kzv_save_bench FOLDER [WxH]
// "window": the view on screen; each direction is drawn and saved as "画像の保存" saves it
// (a repaint, the frame read back, PNG, written safely). "off-screen": the view never shown,
// each picture drawn off-screen and saved the same way, as "kzv batch" does (under Xvfb the
// off-screen context is Qt's; without a display it is the surfaceless one). The whole batch,
// process start and data-set load included, is timed from the shell: time kzv batch --png.

#include <QApplication>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "render/GLText.h"
#include "render/SurfaceFormat.h"
#include "state/StateOwner.h"
#include "view/KZ_VView.h"

namespace {

double SavePictures(CKZ_VView& view, CStateOwner& owner, const std::string& folder, bool shown) {
    const int count = owner.State().m_data.m_cp.m_nDirectionCount;
    const auto start = std::chrono::steady_clock::now();
    for (int d = 0; d < count; ++d) {
        owner.Edit(ASPECT_DIRECTION)->m_settings.m_nDirection = d;
        if (shown) {
            view.repaint();  // the frame on the screen is the one saved
        }
        std::string error;
        if (!view.SavePng(folder + "/" + std::to_string(d) + ".png", &error, 1)) {
            std::fprintf(stderr, "save failed: %s\n", error.c_str());
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return count / seconds;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: kzv_save_bench FOLDER [WxH]\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '/') {
        folder += '/';
    }
    int w = 800, h = 600;
    if (argc > 2 && std::sscanf(argv[2], "%dx%d", &w, &h) != 2) {
        return 2;
    }
    kzv::PrepareOpenGLApplication();
    QApplication app(argc, argv);
    kzv::InstallFontSubstitutions();
    const std::string out = std::filesystem::temp_directory_path() / "kzv-save-bench";
    std::filesystem::create_directories(out);
    CHeaderFile header;
    header.Read((folder + "header").c_str());

    CStateOwner windowOwner;
    CKZ_VView window(windowOwner);
    window.resize(w, h);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        return 1;
    }
    window.LoadDataSetFrom(folder, header);
    window.repaint();
    const double onScreen = SavePictures(window, windowOwner, out, true);

    CStateOwner hiddenOwner;
    CKZ_VView hidden(hiddenOwner);
    hidden.resize(w, h);
    hidden.LoadDataSetFrom(folder, header);
    const double offScreen = SavePictures(hidden, hiddenOwner, out, false);

    std::printf("%s %dx%d taps=%zu directions=%d window=%.1f/s off-screen=%.1f/s\n", folder.c_str(),
                w, h, windowOwner.State().m_data.m_taps.m_aTapNo.size(),
                windowOwner.State().m_data.m_cp.m_nDirectionCount, onScreen, offScreen);
    std::filesystem::remove_all(out);
    return 0;
}
