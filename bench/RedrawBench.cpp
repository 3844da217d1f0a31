// Time of one full redraw of the pressure view for the large generated data set (see
// LargeSet.h), with every layer on: unchanged, after a pure camera change (which reuses the
// cached contours), after a direction change (which computes them again) and with 10 000
// taps listed in the value list. Needs an X display:
//   xvfb-run -a build/bench/kzv_redraw_bench
// KZV_NO_NUMBERS, KZV_NO_MESH and KZV_NO_MARKERS (set to anything) switch a layer off to see
// what it costs.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <GL/gl.h>

#include "GLText.h"
#include "KZ_VView.h"
#include "LargeSet.h"
#include "SurfaceFormat.h"

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
        g_view->Turn(CVector4(0.0f, 1.0f, 0.0f));
        Redraw();
    }
    state.counters["contours"] = g_view->FrameCache().contourComputations;
}
BENCHMARK(BM_RedrawAfterCameraChange)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_RedrawAfterDirectionChange(benchmark::State& state) {
    for (auto _ : state) {
        g_view->m_nDirection = (g_view->m_nDirection + 1) % g_view->m_cp.m_nDirectionCount;
        Redraw();
    }
    state.counters["contours"] = g_view->FrameCache().contourComputations;
}
BENCHMARK(BM_RedrawAfterDirectionChange)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same redraw with 10 000 taps listed in the value list: each listed tap is looked up by
// id and always drawn as a mark, whatever the marker switch says.
void BM_FullRedrawWithListedTaps(benchmark::State& state) {
    const size_t listed = std::min<size_t>(10000, g_view->m_taps.m_aTapNo.size());
    for (size_t i = 0; i < listed; ++i) {
        const CVector4& p = g_view->m_taps.m_aPos[i];
        const int tap = g_view->m_taps.m_aTapNo[i];
        g_view->m_valueList.AddPointRow(tap, p.x, p.y, p.z, g_view->m_cp.GetCp(tap, 0));
    }
    for (auto _ : state) {
        Redraw();
    }
    state.counters["listed"] = static_cast<double>(g_view->m_valueList.GetRowCount());
    g_view->m_valueList.ClearAllRows();
}
BENCHMARK(BM_FullRedrawWithListedTaps)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    kzv::PrepareOpenGLApplication();
    QApplication app(argc, argv);
    kzv::InstallFontSubstitutions();

    const kzv::bench::LargeSet& set = kzv::bench::TheLargeSet();
    if (!set.Ok()) {
        std::fprintf(stderr, "could not generate the large data set: %s\n", set.Error().c_str());
        return 1;
    }
    CKZ_VView view;
    view.resize(1024, 768);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view)) {
        return 1;
    }
    CHeaderFile header;
    header.Read(set.File("header").c_str());
    view.LoadDataSetFrom(set.Folder(), header);
    // Every layer on: both contour kinds, labels on a few slots, numbers, grid, arrows, axes.
    view.m_nContourKind = 2;
    view.m_bShowLabels = 1;
    view.m_bShowNumbers = std::getenv("KZV_NO_NUMBERS") ? 0 : 1;
    view.m_bShowMesh = std::getenv("KZV_NO_MESH") ? 0 : 1;
    view.m_bShowMarkers = std::getenv("KZV_NO_MARKERS") ? 0 : 1;
    view.m_bShowGround = 1;
    view.m_bShowWind = 1;
    view.m_bShowAxisNumbers = 1;
    g_view = &view;

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
