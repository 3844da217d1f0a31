// Speed of selecting and listing points on the large generated data set (see LargeSet.h):
// a 100 x 100 grid of arbitrary points on a wall (10 201 points: panel search, values for
// every direction, rows), undoing it step by step, and sorting the 10 201 rows by each key.
// Each runs on a state alone ("Model") and on one followed by the value-list page, shown and
// repainted after every announced change ("Widget"). Needs an X display:
//   xvfb-run -a build/bench/kzv_pick_bench

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTableView>
#include <QTest>
#include <cstdio>

#include "LargeSet.h"
#include "dataset/DataSetLoad.h"
#include "field/Picking.h"
#include "state/SelectionSteps.h"
#include "state/StateOwner.h"
#include "state/ViewState.h"
#include "valuelist/ValueListDlg.h"

namespace {

// The large set loaded twice: alone, and followed by the shown value-list page.
CViewState* g_model = nullptr;
CStateOwner* g_shown = nullptr;
std::vector<CVector4> g_grid;

// The state to change: the shown one through an edit that announces nothing itself (Announce
// tells the page afterwards, as one edit of the program would at its end).
CViewState& State(bool widget) {
    return widget ? *g_shown->Edit() : *g_model;
}

// Announces a change; with the page, lets it repaint as the event loop would.
void Announce(bool widget, unsigned aspects) {
    if (widget) {
        g_shown->Changed(aspects);
        QApplication::processEvents();
    }
}

void Clear(bool widget) {
    ClearAllRows(State(widget));
    Announce(widget, ASPECT_SELECTION);
}

void BM_SelectGrid(benchmark::State& bench, bool widget) {
    for (auto _ : bench) {
        SelectGridPoints(State(widget), g_grid);
        Announce(widget, ASPECT_SELECTION);
        bench.PauseTiming();
        Clear(widget);
        bench.ResumeTiming();
    }
    bench.SetItemsProcessed(bench.iterations() * static_cast<int64_t>(g_grid.size()));
}

// Every step taken back one at a time, each announced (and shown) as the button does.
void BM_UndoStepByStep(benchmark::State& bench, bool widget) {
    for (auto _ : bench) {
        bench.PauseTiming();
        SelectGridPoints(State(widget), g_grid);
        Announce(widget, ASPECT_SELECTION);
        bench.ResumeTiming();
        while (UndoSelection(State(widget))) {
            Announce(widget, ASPECT_SELECTION);
        }
        Announce(widget, ASPECT_SELECTION);
    }
    bench.SetItemsProcessed(bench.iterations() * static_cast<int64_t>(g_grid.size()));
}

// The grid's rows sorted by one key, alternately ascending and descending.
void BM_SortRows(benchmark::State& bench, bool widget) {
    const int key = static_cast<int>(bench.range(0));
    SelectGridPoints(State(widget), g_grid);
    Announce(widget, ASPECT_SELECTION);
    for (auto _ : bench) {
        State(widget).m_valueList.SortRows(key);
        Announce(widget, ASPECT_VALUE_LIST);
    }
    bench.SetItemsProcessed(bench.iterations() * State(widget).m_valueList.GetRowCount());
    Clear(widget);
}

BENCHMARK_CAPTURE(BM_SelectGrid, Model, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SelectGrid, Widget, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_UndoStepByStep, Model, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_UndoStepByStep, Widget, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SortRows, Model, false)
    ->DenseRange(0, SORT_KEY_COUNT - 1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SortRows, Widget, true)
    ->DenseRange(0, SORT_KEY_COUNT - 1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const kzv::bench::LargeSet& set = kzv::bench::TheLargeSet();
    if (!set.Ok()) {
        std::fprintf(stderr, "could not generate the large data set: %s\n", set.Error().c_str());
        return 1;
    }
    CViewState model;
    CStateOwner shown;
    model.LoadDataSet(set.Folder(), CHeaderFile(), 1000, 800);
    shown.Edit()->LoadDataSet(set.Folder(), CHeaderFile(), 1000, 800);
    g_model = &model;
    g_shown = &shown;

    // A 100 x 100 rectangle over most of the south wall (the plane of the smallest y).
    CVector4 lo, hi;
    model.m_data.m_geoMain.GetBounds(lo, hi);
    const CVector4 size = hi - lo;
    const int orientation = RectangleOrientation(
        model.m_selection, CVector4(lo.x + 0.1f * size.x, lo.y, lo.z + 0.1f * size.z),
        CVector4(hi.x - 0.1f * size.x, lo.y, hi.z - 0.1f * size.z));
    g_grid = MakeGrid(model.m_selection, orientation, 100, 100);

    CValueListDlg page;
    page.Attach(shown);
    shown.Changed(ASPECT_ALL);
    page.resize(420, 600);
    page.show();
    if (!QTest::qWaitForWindowExposed(&page)) {
        return 1;
    }

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
