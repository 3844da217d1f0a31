// kzv_soak: drives the whole program with random mouse and key actions for a long time and
// reports crashes, hangs and memory growth. Not a test (it proves nothing about one
// behaviour); run it through tools/soak.sh, which starts it under a virtual display.
//
//   kzv_soak [--actions N] [--seed S] [--sample tower|gable|lshape] [--name NAME] [--trace 1]
//   --name loads the sample from a copy under that folder name (markup, a 255-byte name, ...).
//
// Everything the program writes goes into a temporary folder: its "dirlist" and "size", and
// every file a save or export prompt asks for (the prompts, message boxes, colour and print
// dialogs are answered at random through the program's own seams, so no native dialog can
// wait for a person). A watchdog thread is the liveness probe: when the event loop has not run
// an action for 30 s it prints the last action and ends the process with status 3.
//
// Memory: every 500 actions the resident memory, the heap in use (allocated and not freed, in
// every malloc arena) and the display lists alive; at the end the growth of the heap in use
// after the first 1 000 actions and the resident memory once malloc_trim has given the free
// memory back. Resident memory alone grows in steps when a large buffer (a picture saved at
// twice the window's size, its off-screen frame buffer) is freed into the allocator, which
// keeps it; a leak shows as heap in use or display lists that keep rising.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <string>
#include <thread>

#include <GL/gl.h>
#include <malloc.h>
#include <unistd.h>

#include "app/CommandIds.h"
#include "app/ImageScaleDlg.h"
#include "app/KZ_VApp.h"
#include "app/MainFrame.h"
#include "dataset/DataFolderList.h"
#include "dataset/HeaderFile.h"
#include "render/GLText.h"
#include "render/SurfaceFormat.h"
#include "ui/ColorPrompt.h"
#include "ui/FilePrompt.h"
#include "ui/MessageBox.h"
#include "ui/PrintPrompt.h"
#include "view/KZ_VView.h"

namespace {

std::atomic<long> g_heartbeat{0};
std::atomic<long> g_actionNumber{0};
bool g_trace = false;  // --trace: every action and the memory before it on stderr
char g_lastAction[256] = "start";

void Note(long number, const std::string& what) {
    std::snprintf(g_lastAction, sizeof g_lastAction, "%s", what.c_str());
    g_actionNumber = number;
    ++g_heartbeat;
}

// Resident and peak memory in MB from /proc/self/status (VmRSS, VmHWM, RssAnon: the part not
// backed by files, i.e. without the code of the program and its libraries).
double MemoryMb(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0) {
            return std::atof(line.c_str() + std::strlen(key)) / 1024.0;
        }
    }
    return 0.0;
}

// Heap in use in MB over every malloc arena (threads of Qt and of the GL driver allocate in
// arenas of their own, which mallinfo2 does not count): the memory the arenas hold from the
// system, less their free chunks (the top chunk among them), plus the blocks that have their
// own mapping. Read from malloc_info's totals.
double HeapInUseMb() {
    char* text = nullptr;
    size_t size = 0;
    FILE* out = open_memstream(&text, &size);
    if (out == nullptr) {
        return 0.0;
    }
    malloc_info(0, out);
    std::fclose(out);
    const std::string xml(text, size);
    std::free(text);
    // The totals follow the last arena's closing tag.
    const size_t totals = xml.rfind("</heap>");
    auto field = [&](const char* tag) -> double {
        const size_t at = xml.find(tag, totals == std::string::npos ? 0 : totals);
        if (at == std::string::npos) {
            return 0.0;
        }
        const size_t value = xml.find("size=\"", at);
        return value == std::string::npos ? 0.0 : std::atof(xml.c_str() + value + 6);
    };
    const double bytes = field("<system type=\"current\"") - field("<total type=\"fast\"") -
                         field("<total type=\"rest\"") + field("<total type=\"mmap\"");
    return bytes / (1024.0 * 1024.0);
}

// Display lists alive in the view's context (shared with its off-screen contexts), found by
// asking the driver about every name below the next one it would hand out.
long LiveDisplayLists(COpenGLView& view) {
    CContextScope scope(view);
    if (!scope.Ok()) {
        return -1;
    }
    const GLuint next = glGenLists(1);
    if (next != 0) {
        glDeleteLists(next, 1);
    }
    const GLuint end = std::max<GLuint>(next, 1u << 16);
    long live = 0;
    for (GLuint name = 1; name < end; ++name) {
        live += glIsList(name) == GL_TRUE ? 1 : 0;
    }
    return live;
}

void OnFatalSignal(int sig) {
    // Only async-signal-safe calls: the last action goes out with write().
    const char head[] = "\nkzv_soak: CRASH (signal) during action: ";
    (void)!::write(2, head, sizeof head - 1);
    (void)!::write(2, g_lastAction, std::strlen(g_lastAction));
    (void)!::write(2, "\n", 1);
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

class Soak {
public:
    Soak(CMainFrame& frame, const QString& folder, unsigned seed, long actions)
        : m_frame(frame), m_folder(folder), m_random(seed), m_total(actions) {}

    // Answers every seam at random; saves go into the temporary folder.
    void InstallAnswers() {
        SetMessageBoxHook([this](const QString&, const QString&, KzButtons buttons, KzIcon) {
            ++m_messages;
            if (buttons == KzButtons::Ok) {
                return KzAnswer::Ok;
            }
            return Chance(2) ? KzAnswer::Yes : KzAnswer::No;
        });
        SetFilePromptHook([this](bool open, const QString&, const QString& ext, const QString&,
                                 const QString&) -> std::string {
            if (Chance(4)) {
                return {};  // cancelled
            }
            const QString name =
                QStringLiteral("out%1.%2").arg(Pick(4)).arg(ext.isEmpty() ? "x" : ext);
            const QString path = m_folder + "/" + name;
            if (open && !QFile::exists(path)) {
                return (m_folder + "/garbage." + ext).toStdString();
            }
            return path.toStdString();
        });
        SetColorHook([this](const QColor&) -> std::optional<QColor> {
            if (Chance(3)) {
                return std::nullopt;
            }
            return QColor(Pick(256), Pick(256), Pick(256));
        });
        SetImageScaleHook([this](int, int, int& scale) {
            scale = 1 + Pick(2);  // the window's size or twice it
            return !Chance(4);
        });
        SetPrintDialogHook([](QPrinter&) { return false; });
        SetPrintPreviewHook([](QPrinter&, const KzPaintPages&) {});
    }

    void Start() {
        m_rssStart = MemoryMb("VmRSS:");
        Schedule();
    }

private:
    // Each action is a fresh single-shot timer set before the action runs: a timer does not
    // fire again while its own handler still runs, and an action may open a modal dialog whose
    // event loop must keep receiving actions.
    void Schedule() {
        QTimer::singleShot(5, &m_frame, [this] {
            if (m_done >= m_total) {
                Finish();
                return;
            }
            Schedule();
            Step();
        });
    }

    bool Chance(int oneIn) { return Pick(oneIn) == 0; }
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }
    QPoint PointIn(const QWidget* w) {
        return QPoint(Pick(std::max(1, w->width())), Pick(std::max(1, w->height())));
    }

    // One random action on whatever the user would see on top: a popup menu, a modal dialog,
    // or the main window.
    void Step() {
        const long n = ++m_done;
        if (QWidget* popup = QApplication::activePopupWidget()) {
            if (Chance(3)) {
                Act(n, "Escape on popup", [&] { QTest::keyClick(popup, Qt::Key_Escape); });
            } else {
                // Any item but the one that ends the program.
                const QPoint at = PointIn(popup);
                auto* menu = qobject_cast<QMenu*>(popup);
                const QAction* item = menu != nullptr ? menu->actionAt(at) : nullptr;
                if (item != nullptr && item == m_frame.Action(ID_APP_EXIT)) {
                    Act(n, "Escape on menu", [&] { QTest::keyClick(popup, Qt::Key_Escape); });
                } else {
                    Act(n, "click popup",
                        [&] { QTest::mouseClick(popup, Qt::LeftButton, {}, at); });
                }
            }
        } else if (QWidget* modal = QApplication::activeModalWidget()) {
            ActOn(n, modal, /*modal=*/true);
        } else {
            ActOn(n, &m_frame, false);
        }
        if (n % 500 == 0 || n == m_total) {
            Report(n);
        }
    }

    // Resident memory beside the heap the program has allocated and not freed: the resident
    // figure also holds freed memory the allocator keeps for reuse (its high-water mark), the
    // heap figure does not. The display lists are the driver's objects the program made.
    void Report(long n) {
        const double rss = MemoryMb("VmRSS:");
        const double heap = HeapInUseMb();
        const long lists = LiveDisplayLists(*m_frame.View());
        if (n == std::min<long>(kWarmUp, m_total)) {
            m_rssWarm = rss;
            m_heapWarm = heap;
        } else if (n > kWarmUp) {
            // The heap in use rises and falls with what is open and shown; a leak lifts the
            // low as well as the high of the reports after the warm-up.
            m_heapLow = std::min(m_heapLow, heap);
            m_heapHigh = std::max(m_heapHigh, heap);
            m_listsLow = std::min(m_listsLow, lists);
            m_listsHigh = std::max(m_listsHigh, lists);
        }
        std::fprintf(stderr,
                     "kzv_soak: %ld actions, %.0f MB resident (%.0f MB anonymous), %.1f MB heap "
                     "in use, %ld display lists\n",
                     n, rss, MemoryMb("RssAnon:"), heap, lists);
    }

    void ActOn(long n, QWidget* top, bool modal) {
        if (modal && Chance(12)) {
            Act(n, "Escape on dialog", [&] { QTest::keyClick(top, Qt::Key_Escape); });
            return;
        }
        const int kind = Pick(10);
        if (kind == 0 && !modal) {
            // A command from the menus, as its menu item would run it.
            const auto& commands = CMainFrame::Commands();
            const auto& command = commands[static_cast<size_t>(Pick(int(commands.size())))];
            if (command.id == ID_APP_EXIT) {
                return;
            }
            Act(n, std::string("command ") + command.text, [&] { m_frame.RunCommand(command.id); });
            return;
        }
        // A visible child widget under the pointer, or the window itself.
        const QList<QWidget*> children = top->findChildren<QWidget*>();
        QWidget* target = top;
        if (!children.isEmpty() && kind < 8) {
            QWidget* child = children[Pick(int(children.size()))];
            if (child->isVisible() && child->width() > 0 && child->height() > 0) {
                target = child;
            }
        }
        // The widget's class, its control id when it has one, and its window's class: enough
        // to tell which of a dialog's swatches or buttons an action hit.
        QString name = target->metaObject()->className();
        const QVariant id = target->property("controlId");
        if (id.isValid()) {
            name += QStringLiteral(" #%1").arg(id.toInt());
        }
        if (target->window() != target) {
            name += QStringLiteral(" in ") + target->window()->metaObject()->className();
        }
        const QPoint at = PointIn(target);
        switch (Pick(6)) {
            case 0:
            case 1:
                Act(n, "click " + name.toStdString(), [&] {
                    QTest::mouseClick(target, Chance(5) ? Qt::RightButton : Qt::LeftButton,
                                      Chance(6) ? Qt::ShiftModifier : Qt::NoModifier, at);
                });
                break;
            case 2:
                Act(n, "double-click " + name.toStdString(),
                    [&] { QTest::mouseDClick(target, Qt::LeftButton, {}, at); });
                break;
            case 3: {
                const Qt::MouseButton button = Chance(3) ? Qt::RightButton : Qt::LeftButton;
                const Qt::KeyboardModifiers mods = Chance(3) ? Qt::ShiftModifier : Qt::NoModifier;
                const QPoint to = PointIn(target);
                Act(n, "drag " + name.toStdString(), [&] {
                    QTest::mousePress(target, button, mods, at);
                    QTest::mouseMove(target, (at + to) / 2);
                    QTest::mouseMove(target, to);
                    QTest::mouseRelease(target, button, mods, to);
                });
                break;
            }
            case 4: {
                static const Qt::Key keys[] = {Qt::Key_PageUp, Qt::Key_PageDown,  Qt::Key_Up,
                                               Qt::Key_Down,   Qt::Key_Left,      Qt::Key_Right,
                                               Qt::Key_Tab,    Qt::Key_Return,    Qt::Key_Space,
                                               Qt::Key_Delete, Qt::Key_Backspace, Qt::Key_F1};
                const Qt::Key key = keys[Pick(int(std::size(keys)))];
                Act(n, "key on " + name.toStdString(), [&] { QTest::keyClick(target, key); });
                break;
            }
            default: {
                static const char* texts[] = {"0", "-1",    "12.5",  "1e9",   "abc",
                                              "",  "99999", "0.001", "-3e38", "１２"};
                const QString text = QString::fromUtf8(texts[Pick(int(std::size(texts)))]);
                Act(n, "type into " + name.toStdString(), [&] {
                    if (auto* edit = qobject_cast<QLineEdit*>(target)) {
                        QTest::mouseClick(edit, Qt::LeftButton, {}, at);
                        edit->selectAll();
                    }
                    if (text.toLatin1() == text.toUtf8()) {
                        QTest::keyClicks(target, text);
                    } else {  // QTest types ASCII only; wide digits come as one key event
                        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
                        QApplication::sendEvent(target, &press);
                    }
                    QTest::keyClick(target, Qt::Key_Tab);
                });
                break;
            }
        }
    }

    template <typename F>
    void Act(long n, const std::string& what, F&& action) {
        Note(n, what);
        if (g_trace) {
            std::fprintf(stderr, "kzv_soak: %ld %s (%.0f MB, heap %.1f MB)\n", n, what.c_str(),
                         MemoryMb("VmRSS:"), HeapInUseMb());
        }
        action();
        ++g_heartbeat;
    }

    void Finish() {
        const double rssEnd = MemoryMb("VmRSS:");
        const double peak = MemoryMb("VmHWM:");
        const double heapEnd = HeapInUseMb();
        // What the allocator gives back when asked: the rest of the resident memory is in use
        // (the program's, Qt's and the driver's) or code and mapped files.
        malloc_trim(0);
        const double rssTrimmed = MemoryMb("VmRSS:");
        const double anonTrimmed = MemoryMb("RssAnon:");
        const long warm = std::min<long>(kWarmUp, m_total);
        std::printf(
            "kzv_soak: %ld actions, %ld message boxes, no crash, no hang\n"
            "kzv_soak: resident memory %.0f MB at start, %.0f MB after %ld actions, %.0f MB at "
            "the end (peak %.0f MB), %.0f MB after malloc_trim (%.0f MB anonymous)\n"
            "kzv_soak: heap in use %.1f MB after %ld actions, %.1f MB at the end (%+.1f MB)\n",
            m_done, m_messages, m_rssStart, m_rssWarm, warm, rssEnd, peak, rssTrimmed, anonTrimmed,
            m_heapWarm, warm, heapEnd, heapEnd - m_heapWarm);
        if (m_heapHigh > 0.0) {
            std::printf(
                "kzv_soak: after %ld actions heap in use %.1f to %.1f MB, display lists %ld to "
                "%ld in the reports every 500 actions\n",
                warm, m_heapLow, m_heapHigh, m_listsLow, m_listsHigh);
        }
        std::fflush(stdout);
        // Modal loops may still be open (a dialog the last actions opened): leave from here.
        std::_Exit(0);
    }

    CMainFrame& m_frame;
    QString m_folder;
    std::mt19937 m_random;
    long m_total;
    long m_done = 0;
    long m_messages = 0;
    double m_rssStart = 0.0;
    double m_rssWarm = 0.0;
    double m_heapWarm = 0.0;
    double m_heapLow = 1e300;  // range of the reports after the warm-up
    double m_heapHigh = 0.0;
    long m_listsLow = std::numeric_limits<long>::max();
    long m_listsHigh = 0;
    static constexpr long kWarmUp = 1000;  // growth is counted from here
};

}  // namespace

int main(int argc, char* argv[]) {
    long actions = 5000;
    unsigned seed = 1;
    std::string sample = "tower";
    std::string name;  // the copy's folder name, when it is to differ from the sample's
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--actions") == 0) {
            actions = std::atol(argv[i + 1]);
        } else if (std::strcmp(argv[i], "--seed") == 0) {
            seed = static_cast<unsigned>(std::atol(argv[i + 1]));
        } else if (std::strcmp(argv[i], "--trace") == 0) {
            g_trace = std::atoi(argv[i + 1]) != 0;
        } else if (std::strcmp(argv[i], "--sample") == 0) {
            sample = argv[i + 1];
        } else if (std::strcmp(argv[i], "--name") == 0) {
            name = argv[i + 1];
        }
    }
    std::signal(SIGSEGV, OnFatalSignal);
    std::signal(SIGABRT, OnFatalSignal);
    std::signal(SIGFPE, OnFatalSignal);
    std::signal(SIGBUS, OnFatalSignal);

    kzv::PrepareOpenGLApplication();
    CKZ_VApp app(argc, argv);
    kzv::InstallFontSubstitutions();

    // The program's files and a copy of the samples live in a folder of their own.
    QTemporaryDir temp;
    const QString folder = temp.path();
    const std::string samples = folder.toStdString() + "/samples";
    if (std::system(("cp -r '" + std::string(KZV_SAMPLES_DIR) + "' '" + samples + "'").c_str()) !=
        0) {
        std::fprintf(stderr, "kzv_soak: cannot copy the samples\n");
        return 2;
    }
    kzv::WriteDataFolderList(folder.toStdString() + "/dirlist", {samples});
    QFile garbage(folder + "/garbage.set");
    if (garbage.open(QIODevice::WriteOnly)) {
        garbage.write("not a settings file\n");
    }
    if (!app.InitInstance(folder.toStdString() + "/")) {
        return 2;
    }
    CMainFrame& frame = *app.MainFrame();
    if (!name.empty()) {
        std::error_code ec;
        std::filesystem::rename(samples + "/" + sample, samples + "/" + name, ec);
        if (ec) {
            std::fprintf(stderr, "kzv_soak: cannot rename the sample to %s\n", name.c_str());
            return 2;
        }
        sample = name;
    }
    const std::string set = samples + "/" + sample + "/";
    CHeaderFile header;
    header.Read((set + "header").c_str());
    frame.View()->LoadDataSetFrom(set, header);

    std::thread([] {
        long seen = -1;
        auto since = std::chrono::steady_clock::now();
        for (;;) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            const long beat = g_heartbeat.load();
            if (beat != seen) {
                seen = beat;
                since = std::chrono::steady_clock::now();
            } else if (std::chrono::steady_clock::now() - since > std::chrono::seconds(30)) {
                std::fprintf(stderr, "kzv_soak: HANG: no progress for 30 s in action %ld: %s\n",
                             g_actionNumber.load(), g_lastAction);
                std::_Exit(3);
            }
        }
    }).detach();

    Soak soak(frame, folder, seed, actions);
    soak.InstallAnswers();
    soak.Start();
    return app.exec();
}
