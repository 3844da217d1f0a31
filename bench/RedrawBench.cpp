// Time of one full redraw of the pressure view for the large generated data set (see
// LargeSet.h), with every layer on: unchanged, after a pure camera change (which reuses the
// cached contours), after a direction change (which computes them again) and with 10 000
// taps listed in the value list. Needs an X display:
//   xvfb-run -a build/bench/kzv_redraw_bench
// KZV_NO_NUMBERS, KZV_NO_MESH and KZV_NO_MARKERS (set to anything) switch a layer off to see
// what it costs; KZV_NUMBER_BITMAPS=n draws the numbers of the first n taps as one bitmap
// each and the others in pieces, whatever the set's size.
//
// Modes of its own instead of the Google Benchmark runs:
//   --limit   records the final primitives of one full frame (CGLRecording) and draws them
//             from prebuilt arrays; prints the median redraw and limit times, redraw / limit
//             and how many pixels the two pictures differ in (0 is expected).
//   --memory  the resident memory of the program idle (window shown, nothing loaded), its
//             peak after a load and after one and two frames, and malloc's heap in use at
//             each step (the rest is libraries, the GL's JIT code and its mapped memory).
//   --table   both, as the one line the benchmark table reads:
//             redraw_s=<median> limit_s=<median> peak_mb=<x> idle_mb=<y>
// KZV_BENCH_REPEATS sets the interleaved repeats of redraw and limit (at least 5, default 7).
// In these modes the data set is written by a child process, so that generating it leaves
// nothing in this program's memory.

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <GL/gl.h>

#include "LargeSet.h"
#include "SampleGen.h"
#include "render/GLRecording.h"
#include "render/GLText.h"
#include "render/SurfaceFormat.h"
#include "view/KZ_VView.h"

namespace {

CKZ_VView* g_view = nullptr;

void Redraw() {
    g_view->makeCurrent();
    g_view->RenderScene();
    glFinish();
    g_view->doneCurrent();
}

void BM_FullRedraw(benchmark::State& state) {
    for (auto _ : state) {
        Redraw();
    }
}
BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_RedrawAfterCameraChange(benchmark::State& state) {
    for (auto _ : state) {
        (*g_view->Owner().Edit()).m_camera.Turn(CVector4(0.0f, 1.0f, 0.0f));
        Redraw();
    }
    state.counters["contours"] = g_view->FrameCache().contourComputations;
}
BENCHMARK(BM_RedrawAfterCameraChange)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_RedrawAfterDirectionChange(benchmark::State& state) {
    for (auto _ : state) {
        (*g_view->Owner().Edit()).m_settings.m_nDirection =
            ((*g_view->Owner().Edit()).m_settings.m_nDirection + 1) %
            (*g_view->Owner().Edit()).m_data.m_cp.m_nDirectionCount;
        Redraw();
    }
    state.counters["contours"] = g_view->FrameCache().contourComputations;
}
BENCHMARK(BM_RedrawAfterDirectionChange)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same redraw with 10 000 taps listed in the value list: each listed tap is looked up by
// id and always drawn as a mark, whatever the marker switch says.
void BM_FullRedrawWithListedTaps(benchmark::State& state) {
    const size_t listed =
        std::min<size_t>(10000, (*g_view->Owner().Edit()).m_data.m_taps.m_aTapNo.size());
    for (size_t i = 0; i < listed; ++i) {
        const CVector4& p = (*g_view->Owner().Edit()).m_data.m_taps.m_aPos[i];
        const int tap = (*g_view->Owner().Edit()).m_data.m_taps.m_aTapNo[i];
        (*g_view->Owner().Edit())
            .m_valueList.AddPointRow(tap, p.x, p.y, p.z,
                                     (*g_view->Owner().Edit()).m_data.m_cp.GetCp(tap, 0));
    }
    for (auto _ : state) {
        Redraw();
    }
    state.counters["listed"] =
        static_cast<double>((*g_view->Owner().Edit()).m_valueList.GetRowCount());
    (*g_view->Owner().Edit()).m_valueList.ClearAllRows();
}
BENCHMARK(BM_FullRedrawWithListedTaps)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// ---- limit and memory ----

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// A value of /proc/self/status ("VmRSS", "VmHWM") in MB.
double StatusMb(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(key) + ":";
    while (std::getline(status, line)) {
        if (line.compare(0, prefix.size(), prefix) == 0) {
            return std::atof(line.c_str() + prefix.size()) / 1024.0;  // the value is in kB
        }
    }
    return 0.0;
}

// The bytes malloc has handed out and not had back, in MB.
double HeapMb() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

double CpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n == 0 ? 0.0 : n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

std::vector<uint8_t> ReadFrame() {
    std::vector<uint8_t> pixels;
    g_view->m_gl.ReadFramePixels(g_view->ClientWidth(), g_view->ClientHeight(), pixels);
    return pixels;
}

size_t DifferingPixels(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    if (a.size() != b.size()) {
        return std::max(a.size(), b.size()) / 4;
    }
    size_t n = 0;
    for (size_t i = 0; i + 3 < a.size(); i += 4) {
        n += std::memcmp(&a[i], &b[i], 3) != 0 ? 1 : 0;  // blue, green, red; alpha aside
    }
    return n;
}

struct LimitResult {
    double redraw = 0.0;
    double limit = 0.0;
    double cpuRedraw = 0.0;  // processor time, all threads (steadier on a busy machine)
    double cpuLimit = 0.0;
    size_t differing = 0;
    size_t drawCalls = 0;
    size_t vertices = 0;
    size_t bitmaps = 0;
};

// Records one full frame, then times redraw and limit in interleaved repeats, each repeat
// drawing enough frames to take a quarter of a second.
LimitResult MeasureLimit(int repeats) {
    LimitResult result;
    CGLRecording recording;
    g_view->makeCurrent();
    g_view->RenderScene();  // caches filled, so the recorded frame is a plain redraw
    glFinish();
    g_view->m_gl.SetRecording(&recording);
    g_view->RenderScene();
    g_view->m_gl.SetRecording(nullptr);
    glFinish();
    const std::vector<uint8_t> redrawn = ReadFrame();
    const unsigned list = recording.Compile();
    glCallList(list);
    glFinish();
    result.differing = DifferingPixels(redrawn, ReadFrame());
    g_view->doneCurrent();
    result.drawCalls = recording.DrawCalls();
    result.vertices = recording.VertexCount();
    result.bitmaps = recording.BitmapCount();

    auto redraw = [] { Redraw(); };
    auto limit = [list] {
        g_view->makeCurrent();
        glCallList(list);
        glFinish();
        g_view->doneCurrent();
    };
    // Wall time per frame; the processor time of all the program's threads goes to cpu.
    auto time = [](auto& draw, int frames, std::vector<double>& cpu) {
        const double cpu0 = CpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < frames; ++i) {
            draw();
        }
        cpu.push_back((CpuSeconds() - cpu0) / frames);
        return Seconds(std::chrono::steady_clock::now() - start) / frames;
    };
    std::vector<double> cpuRedraw, cpuLimit;
    const double first = time(redraw, 1, cpuRedraw);
    cpuRedraw.clear();
    const int frames = std::max(1, static_cast<int>(0.25 / std::max(first, 1e-6)));
    std::vector<double> redraws, limits;
    for (int r = 0; r < repeats; ++r) {
        redraws.push_back(time(redraw, frames, cpuRedraw));
        limits.push_back(time(limit, frames, cpuLimit));
    }
    result.redraw = Median(redraws);
    result.limit = Median(limits);
    result.cpuRedraw = Median(cpuRedraw);
    result.cpuLimit = Median(cpuLimit);
    g_view->makeCurrent();
    glDeleteLists(list, 1);
    g_view->doneCurrent();
    return result;
}

// Every layer on: both contour kinds, labels, numbers, mesh, markers, grid, arrows, axes and
// axis numbers, the colour bar and every comment item.
void ShowEveryLayer(CKZ_VView& view) {
    (*view.Owner().Edit()).m_settings.m_nContourKind = 2;
    (*view.Owner().Edit()).m_settings.m_bShowLabels = 1;
    (*view.Owner().Edit()).m_settings.m_bShowNumbers = std::getenv("KZV_NO_NUMBERS") ? 0 : 1;
    (*view.Owner().Edit()).m_settings.m_bShowMesh = std::getenv("KZV_NO_MESH") ? 0 : 1;
    (*view.Owner().Edit()).m_settings.m_bShowMarkers = std::getenv("KZV_NO_MARKERS") ? 0 : 1;
    (*view.Owner().Edit()).m_settings.m_bShowGround = 1;
    (*view.Owner().Edit()).m_settings.m_bShowWind = 1;
    (*view.Owner().Edit()).m_settings.m_bShowAxisNumbers = 1;
    if (const char* limit = std::getenv("KZV_NUMBER_BITMAPS")) {
        view.m_nNumberBitmapLimit = 0;
        view.m_nLargeSetNumberBitmaps = static_cast<size_t>(std::strtoul(limit, nullptr, 10));
    }
}

// Writes the large data set into folder from a child process; false when it failed.
bool WriteSetInChild(const std::string& folder) {
    const pid_t child = fork();
    if (child < 0) {
        return false;
    }
    if (child == 0) {
        std::string error;
        const bool ok = kzv::samplegen::WriteLargeDataSet(
            folder, kzv::bench::EnvInt("KZV_BENCH_TAPS", 20000),
            kzv::bench::EnvInt("KZV_BENCH_DIRECTIONS", 32), &error);
        if (!ok) {
            std::fprintf(stderr, "could not generate the large data set: %s\n", error.c_str());
        }
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Runs --limit, --memory or --table on the data set in folder.
int RunOwnMode(const std::string& mode, const std::filesystem::path& folder) {
    int rc = 0;
    {
        CStateOwner viewState;
        CKZ_VView view(viewState);
        view.resize(1024, 768);
        view.show();
        if (!QTest::qWaitForWindowExposed(&view)) {
            rc = 1;
        } else {
            g_view = &view;
            Redraw();  // the empty view: the program idle
            const double idle = StatusMb("VmRSS");
            const double idleHeap = HeapMb();
            CHeaderFile header;
            header.Read((folder / "header").c_str());
            view.LoadDataSetFrom(folder.string() + "/", header);
            const double afterLoad = StatusMb("VmHWM");
            const double loadHeap = HeapMb();
            ShowEveryLayer(view);
            for (int i = 0; i < COMMENT_ITEM_COUNT; ++i) {
                (*view.Owner().Edit()).m_settings.m_comment.flags[i] = 1;
            }
            Redraw();
            const double peak = StatusMb("VmHWM");
            const double loaded = StatusMb("VmRSS");
            if (mode == "--memory") {
                const double heap = HeapMb();
                Redraw();
                std::printf(
                    "idle %.1f MB (heap %.1f MB), peak during the load %.1f MB (heap after it "
                    "%.1f MB), after load and one frame %.1f MB (heap in use %.1f MB), peak "
                    "%.1f MB; after a second frame %.1f MB (heap %.1f MB), peak %.1f MB\n",
                    idle, idleHeap, afterLoad, loadHeap, loaded, heap, peak, StatusMb("VmRSS"),
                    HeapMb(), StatusMb("VmHWM"));
            } else {
                const int repeats = std::max(5, kzv::bench::EnvInt("KZV_BENCH_REPEATS", 7));
                const LimitResult r = MeasureLimit(repeats);
                if (mode == "--table") {
                    std::printf("redraw_s=%.4f limit_s=%.4f peak_mb=%.1f idle_mb=%.1f\n", r.redraw,
                                r.limit, peak, idle);
                    if (r.differing != 0) {
                        std::fprintf(stderr, "limit picture differs in %zu pixels\n", r.differing);
                    }
                } else {
                    g_view->makeCurrent();
                    std::printf("%s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
                    g_view->doneCurrent();
                    std::printf(
                        "taps %zu: redraw %.4f s, limit %.4f s, redraw / limit %.2f (processor "
                        "time %.4f s / %.4f s = %.2f); %zu pixels differ; limit: %zu draw calls, "
                        "%zu vertices, %zu bitmaps\n",
                        (*view.Owner().Edit()).m_data.m_taps.m_aTapNo.size(), r.redraw, r.limit,
                        r.redraw / r.limit, r.cpuRedraw, r.cpuLimit, r.cpuRedraw / r.cpuLimit,
                        r.differing, r.drawCalls, r.vertices, r.bitmaps);
                    std::printf("peak after the limit %.1f MB\n", StatusMb("VmHWM"));
                }
            }
            g_view = nullptr;
        }
    }
    return rc;
}

}  // namespace

int main(int argc, char** argv) {
    std::string ownMode;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--limit" || arg == "--memory" || arg == "--table") {
            ownMode = arg;
        }
    }
    // The child writes the set before this process starts any thread of its own.
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kzv-redraw-" + std::to_string(::getpid()));
    if (!ownMode.empty() && !WriteSetInChild(folder.string())) {
        return 1;
    }

    kzv::PrepareOpenGLApplication();
    QApplication app(argc, argv);
    kzv::InstallFontSubstitutions();
    if (!ownMode.empty()) {
        const int rc = RunOwnMode(ownMode, folder);
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
        return rc;
    }

    const kzv::bench::LargeSet& set = kzv::bench::TheLargeSet();
    if (!set.Ok()) {
        std::fprintf(stderr, "could not generate the large data set: %s\n", set.Error().c_str());
        return 1;
    }
    CStateOwner viewState;
    CKZ_VView view(viewState);
    view.resize(1024, 768);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view)) {
        return 1;
    }
    CHeaderFile header;
    header.Read(set.File("header").c_str());
    view.LoadDataSetFrom(set.Folder(), header);
    ShowEveryLayer(view);
    g_view = &view;

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
