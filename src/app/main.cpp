#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/KZ_VApp.h"
#include "batch/Batch.h"
#include "render/GLText.h"
#include "render/SurfaceFormat.h"
#include "text/UiLanguage.h"

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
    // "kzv batch ...": the outputs of many data sets, no window and no display.
    if (argc > 1 && std::strcmp(argv[1], "batch") == 0) {
        return kzv::BatchMain(argc - 1, argv + 1, KZV_VERSION);
    }
    // The interface speaks the locale's language unless "--lang ja|en" says otherwise.
    std::string language =
        kzv::UiLanguageFromLocale(std::getenv("LANGUAGE"), std::getenv("LC_ALL"),
                                  std::getenv("LC_MESSAGES"), std::getenv("LANG"));
    // The two answers a terminal user expects; no data set is ever loaded from the command line.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--lang") == 0 || std::strncmp(argv[i], "--lang=", 7) == 0) {
            const char* value = argv[i][6] == '=' ? argv[i] + 7 : (i + 1 < argc ? argv[++i] : "");
            if (!kzv::ParseUiLanguage(value, language)) {
                std::fprintf(stderr, "kzv: --lang takes ja or en, not '%s'\n", value);
                std::fprintf(stderr, "Try 'kzv --help' for more information.\n");
                return 2;
            }
            continue;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf(
                "Usage: kzv [--lang ja|en] [--help] [--version]\n"
                "       kzv batch [OPTION]... FOLDER...   (see kzv batch --help)\n"
                "KZ_V shows wind-tunnel pressure measurements on building models.\n"
                "Data sets are chosen in the program: ﾌｧｲﾙ(&F) -> データを読み込む\n"
                "(English: File -> Load data).\n"
                "\n"
                "  --lang ja|en  the language of the interface; without it Japanese when the\n"
                "                locale (LANGUAGE, LC_ALL, LC_MESSAGES, LANG) is Japanese,\n"
                "                English otherwise\n");
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("KZ_V %s\n", KZV_VERSION);
            return 0;
        }
    }
    if (!HasDisplay()) {
        std::fprintf(stderr,
                     "kzv: no display found; start it under a virtual one, e.g. "
                     "xvfb-run -a %s\n",
                     argv[0]);
        return 1;
    }
    kzv::PrepareOpenGLApplication();
    CKZ_VApp app(argc, argv, language);
    kzv::InstallFontSubstitutions();
    if (!app.InitInstance()) {
        return 1;
    }
    return app.exec();
}
