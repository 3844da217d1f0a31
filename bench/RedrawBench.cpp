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
//   --layers  a drag frame with each layer switched off in turn, with the default layers and
//             with every layer on, beside the triangles alone: what each layer costs, in
//             processor seconds (steady on a busy machine; run with LP_NUM_THREADS=0).
//   --frames  draws KZV_BENCH_FRAMES (10) drag frames with the default layers (every layer
//             with KZV_EVERY set), each followed by the triangles alone, for a profiler.
//   --pick    the direction step, then a click picking a tap and one picking a point at the
//             window's centre, timed.
//   --table   the one line the benchmark table reads:
//             redraw_s=<median> limit_s=<median> peak_mb=<x> idle_mb=<y> default_s=<median>
//             tris_s=<median> rss1_mb= rss2_mb= rss3_mb= heap1_mb= heap2_mb= heap3_mb=
//             step_s=<median> contours_s=<median>
//             redraw: a frame with every layer on after a camera turn (cached contours);
//             limit: the replay of that frame's recorded primitives; default: the same with
//             the default layers; tris: the mesh's triangles drawn once from vertex arrays with
//             one colour per corner, the least any viewer of the field must draw; rss and heap:
//             the whole process's resident memory and malloc's heap in use (the GL driver's
//             allocations included) after the first frame, after a direction step and its
//             frame, and after one more frame; step: a direction step with the default
//             layers (the next direction's contours and the frame); contours: the contour
//             computation of a direction alone.
// KZV_BENCH_REPEATS sets the interleaved repeats of the timings (default 7; --table takes
// fewer on request, at least 1). KZV_BENCH_NO_REPLAY leaves the replay out of --table (its
// recording of a million-tap frame takes gigabytes); limit_s is then 0.
// KZV_BENCH_SET=<folder> uses a data set already written there instead of generating one.
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
#include <functional>
#include <string>
#include <vector>

#include <GL/gl.h>

#include "LargeSet.h"
#include "SampleGen.h"
#include "field/ContourWalk.h"
#include "field/Picking.h"
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

// The mesh as triangles (a quadrilateral as two) over one vertex per tap, each tap coloured by
// its value of the shown direction on a blue-to-red ramp over the colour range.
struct TriangleArrays {
    std::vector<float> xyz;
    std::vector<uint8_t> rgba;
    std::vector<uint32_t> index;
};

TriangleArrays MakeTriangleArrays(const CViewState& state) {
    TriangleArrays t;
    const CDataSet& data = state.m_data;
    const size_t taps = data.m_taps.m_aPos.size();
    t.xyz.reserve(taps * 3);
    t.rgba.reserve(taps * 4);
    const double lo = state.m_settings.m_dColorMin;
    const double span = std::max(1e-9, state.m_settings.m_dColorMax - lo);
    for (size_t i = 0; i < taps; ++i) {
        const CVector4& p = data.m_taps.m_aPos[i];
        t.xyz.insert(t.xyz.end(), {p.x, p.y, p.z});
        const double v = data.m_cp.GetCp(data.m_taps.m_aTapNo[i], state.m_settings.m_nDirection);
        const double f = std::clamp((v - lo) / span, 0.0, 1.0);
        t.rgba.insert(t.rgba.end(), {static_cast<uint8_t>(255 * f), 64,
                                     static_cast<uint8_t>(255 * (1.0 - f)), 255});
    }
    const CCornerTable& corners = data.CornerPositions();
    for (int p = 0; p < corners.GetPanelCount(); ++p) {
        const int32_t* r = corners.PosRecords(p);
        const int n = corners.Count(p);
        if (n < 3 || r[0] < 0 || r[1] < 0 || r[2] < 0 || (n == 4 && r[3] < 0)) {
            continue;
        }
        const auto u = [](int32_t k) { return static_cast<uint32_t>(k); };
        t.index.insert(t.index.end(), {u(r[0]), u(r[1]), u(r[2])});
        if (n == 4) {
            t.index.insert(t.index.end(), {u(r[0]), u(r[2]), u(r[3])});
        }
    }
    return t;
}

// One frame of the triangles alone, with the camera of the view's last frame (RenderScene
// leaves its model-view matrix in place).
void DrawTriangles(const TriangleArrays& t) {
    g_view->makeCurrent();
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glShadeModel(GL_SMOOTH);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, t.xyz.data());
    glColorPointer(4, GL_UNSIGNED_BYTE, 0, t.rgba.data());
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(t.index.size()), GL_UNSIGNED_INT,
                   t.index.data());
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glFinish();
    g_view->doneCurrent();
}

// Records one full frame, then times redraw and limit in interleaved repeats, each repeat
// drawing enough frames to take a quarter of a second.
LimitResult MeasureLimit(int repeats) {
    LimitResult result;
    if (std::getenv("KZV_BENCH_NO_REPLAY") != nullptr) {
        return result;
    }
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
    for (int i = 0; i < COMMENT_ITEM_COUNT; ++i) {
        (*view.Owner().Edit()).m_settings.m_comment.flags[i] = 1;
    }
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

// Turns the camera a little, as one step of a drag does, and draws the frame.
void DragFrame() {
    g_view->Owner().Edit()->m_camera.Turn(CVector4(0.0f, 0.5f, 0.0f));
    Redraw();
}

// Sets the display switches of the settings' defaults (the picture a user first gets).
void ShowDefaultLayers(CKZ_VView& view) {
    const CDisplaySettings defaults;
    auto edit = view.Owner().Edit();
    CDisplaySettings& s = edit->m_settings;
    s.m_nContourKind = defaults.m_nContourKind;
    s.m_bShowLabels = defaults.m_bShowLabels;
    s.m_bShowNumbers = defaults.m_bShowNumbers;
    s.m_bShowMesh = defaults.m_bShowMesh;
    s.m_bShowMarkers = defaults.m_bShowMarkers;
    s.m_bShowGround = defaults.m_bShowGround;
    s.m_bShowWind = defaults.m_bShowWind;
    s.m_bShowAxisNumbers = defaults.m_bShowAxisNumbers;
    s.m_comment = defaults.m_comment;
}

// --table after the load and the first frame with every layer on: the memory after a
// direction step and after one more frame, then the interleaved timings of the drag frame with
// every layer and with the default layers against the triangles alone (and the replay).
void RunTable(CKZ_VView& view, double peak, double idle, double rss1, double heap1) {
    {
        auto edit = view.Owner().Edit();
        edit->m_settings.m_nDirection =
            (edit->m_settings.m_nDirection + 1) % edit->m_data.m_cp.m_nDirectionCount;
    }
    Redraw();
    const double rss2 = StatusMb("VmRSS");
    const double heap2 = HeapMb();
    Redraw();
    const double rss3 = StatusMb("VmRSS");
    const double heap3 = HeapMb();
    const double peakAll = std::max(peak, StatusMb("VmHWM"));

    const int repeats = std::max(1, kzv::bench::EnvInt("KZV_BENCH_REPEATS", 7));
    const LimitResult r = MeasureLimit(std::max(repeats, 5));
    const TriangleArrays triangles = MakeTriangleArrays(view.Owner().State());
    // Each repeat sets its layers, draws two frames untimed (so that caches the switch made
    // stale are filled again: new contours are drawn directly and compiled by the frame after),
    // then enough timed frames to take a quarter of a second (at least one); the medians of
    // the repeats are printed.
    const auto timeFrames = [](const std::function<void()>& setUp,
                               const std::function<void()>& draw, int frames) {
        setUp();
        draw();
        draw();
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < frames; ++i) {
            draw();
        }
        return Seconds(std::chrono::steady_clock::now() - start) / frames;
    };
    const auto framesFor = [](double seconds) {
        return std::max(1, static_cast<int>(0.25 / std::max(seconds, 1e-6)));
    };
    const std::function<void()> every = [&view] { ShowEveryLayer(view); };
    const std::function<void()> defaults = [&view] { ShowDefaultLayers(view); };
    const std::function<void()> nothing = [] {};
    const std::function<void()> drag = DragFrame;
    const std::function<void()> tris = [&triangles] { DrawTriangles(triangles); };
    // The direction step with the default layers (the next direction's contours, their runs
    // and the frame) against the contour computation alone.
    std::vector<double> stepTimes, contourTimes;
    ShowDefaultLayers(view);
    Redraw();
    for (int k = 0; k < repeats; ++k) {
        const auto start = std::chrono::steady_clock::now();
        {
            auto edit = view.Owner().Edit();
            edit->m_settings.m_nDirection =
                (edit->m_settings.m_nDirection + 1) % edit->m_data.m_cp.m_nDirectionCount;
        }
        Redraw();
        stepTimes.push_back(Seconds(std::chrono::steady_clock::now() - start));
        const CViewState& state = view.Owner().State();
        CContourDrawing drawing;
        const auto computing = std::chrono::steady_clock::now();
        // In the form of the bands the frame drew.
        ComputeContours(state.m_data, state.m_settings, state.m_selection, drawing,
                        view.FrameCache().contourKey.form);
        contourTimes.push_back(Seconds(std::chrono::steady_clock::now() - computing));
    }
    const int allFrames = framesFor(timeFrames(every, drag, 1));
    const int plainFrames = framesFor(timeFrames(defaults, drag, 1));
    const int trisFrames = framesFor(timeFrames(nothing, tris, 1));
    std::vector<double> allTimes, plainTimes, trisTimes;
    for (int k = 0; k < repeats; ++k) {
        allTimes.push_back(timeFrames(every, drag, allFrames));
        plainTimes.push_back(timeFrames(defaults, drag, plainFrames));
        trisTimes.push_back(timeFrames(nothing, tris, trisFrames));
    }
    std::printf(
        "redraw_s=%.4f limit_s=%.4f peak_mb=%.1f idle_mb=%.1f default_s=%.4f tris_s=%.4f "
        "rss1_mb=%.1f rss2_mb=%.1f rss3_mb=%.1f heap1_mb=%.1f heap2_mb=%.1f heap3_mb=%.1f "
        "step_s=%.4f contours_s=%.4f\n",
        Median(allTimes), r.limit, peakAll, idle, Median(plainTimes), Median(trisTimes), rss1, rss2,
        rss3, heap1, heap2, heap3, Median(stepTimes), Median(contourTimes));
    if (r.differing != 0) {
        std::fprintf(stderr, "limit picture differs in %zu pixels\n", r.differing);
    }
}

// --layers: what each layer costs in a drag frame, with the default layers and with every
// layer on: the frame with that one layer switched off, beside the whole frame and the
// triangles alone (medians of repeats, processor seconds).
void RunLayers(CKZ_VView& view) {
    using Switch = std::function<void(CDisplaySettings&)>;
    const std::vector<std::pair<const char*, Switch>> layers = {
        {"none", [](CDisplaySettings&) {}},
        {"markers", [](CDisplaySettings& s) { s.m_bShowMarkers = 0; }},
        {"numbers", [](CDisplaySettings& s) { s.m_bShowNumbers = 0; }},
        {"mesh", [](CDisplaySettings& s) { s.m_bShowMesh = 0; }},
        {"labels", [](CDisplaySettings& s) { s.m_bShowLabels = 0; }},
        {"lines", [](CDisplaySettings& s) { s.m_nContourKind = 0; }},
        {"bands", [](CDisplaySettings& s) { s.m_nContourKind = 1; }},
        {"axes", [](CDisplaySettings& s) { s.m_bShowAxes = 0; }},
        {"colourbar", [](CDisplaySettings& s) { s.m_bShowColorBar = 0; }},
        {"ground+wind", [](CDisplaySettings& s) { s.m_bShowGround = s.m_bShowWind = 0; }},
        {"comment", [](CDisplaySettings& s) { s.m_comment = CCommentRecord(); }},
    };
    const TriangleArrays triangles = MakeTriangleArrays(view.Owner().State());
    const int repeats = std::max(1, kzv::bench::EnvInt("KZV_BENCH_REPEATS", 3));
    // Processor time of the whole program a frame (with LP_NUM_THREADS=0 the software GL
    // rasterises on this thread, and other work on the machine does not count).
    const auto frameTime = [](const std::function<void()>& draw) {
        draw();
        draw();
        int frames = 0;
        const double start = CpuSeconds();
        do {
            draw();
            ++frames;
        } while (CpuSeconds() - start < 0.25);
        return (CpuSeconds() - start) / frames;
    };
    std::vector<double> tris;
    for (int k = 0; k < repeats; ++k) {
        tris.push_back(frameTime([&triangles] { DrawTriangles(triangles); }));
    }
    std::printf("triangles %.4f s\n", Median(tris));
    for (const bool every : {false, true}) {
        for (const auto& [name, off] : layers) {
            std::vector<double> times;
            for (int k = 0; k < repeats; ++k) {
                every ? ShowEveryLayer(view) : ShowDefaultLayers(view);
                off(view.Owner().Edit()->m_settings);
                times.push_back(frameTime(DragFrame));
            }
            std::printf("%s layers, %s off: %.4f s\n", every ? "every" : "default", name,
                        Median(times));
        }
    }
}

// --pick: a click at the window's centre picking a tap, then an arbitrary point, with the
// direction step before them: the seconds of each and whether it found something.
void RunPick(CKZ_VView& view) {
    const auto seconds = [](const std::function<void()>& work) {
        const auto start = std::chrono::steady_clock::now();
        work();
        return Seconds(std::chrono::steady_clock::now() - start);
    };
    ShowDefaultLayers(view);
    Redraw();
    const double step = seconds([] {
        {
            auto edit = g_view->Owner().Edit();
            edit->m_settings.m_nDirection =
                (edit->m_settings.m_nDirection + 1) % edit->m_data.m_cp.m_nDirectionCount;
        }
        Redraw();
    });
    std::printf("direction step and its frame %.3f s\n", step);
    for (const int mode : {PICK_TAP, PICK_POINT}) {
        view.Owner().Edit()->m_selection.m_nPickMode = mode;
        const size_t before = static_cast<size_t>(view.Owner().State().m_valueList.GetRowCount());
        const double pick =
            seconds([&view] { view.PickAt(view.ClientWidth() / 2, view.ClientHeight() / 2); });
        std::printf("%s pick %.3f s, rows %zu -> %zu\n", mode == PICK_TAP ? "tap" : "point", pick,
                    before, static_cast<size_t>(view.Owner().State().m_valueList.GetRowCount()));
    }
}

// Runs --limit, --memory, --table or --layers on the data set in folder.
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
            } else if (mode == "--table") {
                RunTable(view, peak, idle, loaded, HeapMb());
            } else if (mode == "--layers") {
                RunLayers(view);
            } else if (mode == "--pick") {
                RunPick(view);
            } else if (mode == "--frames") {
                std::getenv("KZV_EVERY") != nullptr ? ShowEveryLayer(view)
                                                    : ShowDefaultLayers(view);
                const TriangleArrays triangles = MakeTriangleArrays(view.Owner().State());
                for (int i = kzv::bench::EnvInt("KZV_BENCH_FRAMES", 10); i > 0; --i) {
                    DragFrame();
                    DrawTriangles(triangles);
                }
            } else {
                const int repeats = std::max(5, kzv::bench::EnvInt("KZV_BENCH_REPEATS", 7));
                const LimitResult r = MeasureLimit(repeats);
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
        if (arg == "--limit" || arg == "--memory" || arg == "--table" || arg == "--layers" ||
            arg == "--frames" || arg == "--pick") {
            ownMode = arg;
        }
    }
    // The child writes the set before this process starts any thread of its own.
    const char* given = std::getenv("KZV_BENCH_SET");
    const std::filesystem::path folder =
        given != nullptr
            ? std::filesystem::path(given)
            : std::filesystem::temp_directory_path() / ("kzv-redraw-" + std::to_string(::getpid()));
    if (!ownMode.empty() && given == nullptr && !WriteSetInChild(folder.string())) {
        return 1;
    }

    kzv::PrepareOpenGLApplication();
    QApplication app(argc, argv);
    kzv::InstallFontSubstitutions();
    if (!ownMode.empty()) {
        const int rc = RunOwnMode(ownMode, folder);
        std::error_code ec;
        if (given == nullptr) {
            std::filesystem::remove_all(folder, ec);
        }
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
