// Speed of the value list on 10 000 rows of the large generated data set (see LargeSet.h):
// 5 000 taps and 5 000 arbitrary points. Adding every row (with the duplicate test), sorting
// by each of the seven keys, one exclusion step and its undo, and both exports.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "LargeSet.h"
#include "dataset/DataSetLoad.h"
#include "state/ViewState.h"
#include "valuelist/ValueList.h"
#include "valuelist/ValueListExport.h"

namespace {

constexpr int kRows = 10000;

// The large set loaded once, with an arbitrary point beside each of its first taps, and the
// list of one row per tap and per arbitrary point.
struct ListedSet {
    CViewState state;
    CValueList list;
    bool ok = false;
    ListedSet() {
        const kzv::bench::LargeSet& set = kzv::bench::TheLargeSet();
        if (!set.Ok()) {
            return;
        }
        CHeaderFile header;
        state.LoadDataSet(set.Folder(), header, 1000, 800);
        const int taps =
            std::min<int>(kRows / 2, static_cast<int>(state.m_data.m_taps.m_aTapNo.size()));
        for (int i = 0; i < taps; ++i) {
            const int32_t tap = state.m_data.m_taps.m_aTapNo[static_cast<size_t>(i)];
            CArbitraryPoint point;
            point.id = -(i + 1);
            point.pos =
                state.m_data.m_taps.m_aPos[static_cast<size_t>(i)] + CVector4(0.37f, 0.0f, 0.0f);
            for (int d = 0; d < state.m_data.m_cp.m_nDirectionCount; ++d) {
                point.values.push_back(state.m_data.m_cp.GetCp(tap, d) * 0.9);
            }
            state.m_selection.m_lstArbitrary.push_back(point);
        }
        AddAll(list);
        ok = list.GetRowCount() > 0;
    }
    void AddAll(CValueList& to) const {
        for (size_t i = 0; i < state.m_selection.m_lstArbitrary.size(); ++i) {
            const int32_t tap = state.m_data.m_taps.m_aTapNo[i];
            const CVector4& p = state.m_data.m_taps.m_aPos[i];
            to.AddPointRow(tap, p.x, p.y, p.z, state.m_data.m_cp.GetCp(tap, 0));
        }
        for (const CArbitraryPoint& a : state.m_selection.m_lstArbitrary) {
            to.AddPointRow(a.id, a.pos.x, a.pos.y, a.pos.z, a.values.front());
        }
    }
};

const ListedSet& Set() {
    static const ListedSet set;
    return set;
}

bool Ready(benchmark::State& bench) {
    if (!Set().ok) {
        bench.SkipWithError("could not load the large data set");
    }
    return Set().ok;
}

void BM_AddPointRows(benchmark::State& bench) {
    if (!Ready(bench)) {
        return;
    }
    for (auto _ : bench) {
        CValueList list;
        Set().AddAll(list);
        benchmark::DoNotOptimize(list.GetRowCount());
    }
    bench.SetItemsProcessed(bench.iterations() * Set().list.GetRowCount());
}

// Sorts a fresh copy of the list in picking order each time (the copy is not timed).
void BM_SortRows(benchmark::State& bench) {
    if (!Ready(bench)) {
        return;
    }
    const int key = static_cast<int>(bench.range(0));
    for (auto _ : bench) {
        bench.PauseTiming();
        CValueList list = Set().list;
        bench.ResumeTiming();
        list.SortRows(key);
        benchmark::DoNotOptimize(list.Rows().data());
    }
    bench.SetItemsProcessed(bench.iterations() * Set().list.GetRowCount());
}

// Removes the rows whose value lies in the middle half of the range, then undoes the step.
void BM_ExcludeAndUndo(benchmark::State& bench) {
    if (!Ready(bench)) {
        return;
    }
    for (auto _ : bench) {
        bench.PauseTiming();
        CValueList list = Set().list;
        bench.ResumeTiming();
        const int removed = list.ApplyExclusion(VALUE_COLUMN_VALUE, -0.5, 0.5, true);
        const int restored = list.UndoExclusion(Set().state.Points(), 0);
        benchmark::DoNotOptimize(removed + restored);
    }
    bench.SetItemsProcessed(bench.iterations() * Set().list.GetRowCount());
}

void BM_CsvBytes(benchmark::State& bench) {
    if (!Ready(bench)) {
        return;
    }
    for (auto _ : bench) {
        benchmark::DoNotOptimize(MakeCsvBytes(Set().list.Rows()));
    }
    bench.SetItemsProcessed(bench.iterations() * Set().list.GetRowCount());
}

void BM_TolvexBytes(benchmark::State& bench) {
    if (!Ready(bench)) {
        return;
    }
    std::string bytes;
    for (auto _ : bench) {
        MakeTolvexBytes(Set().list.Rows(), Set().state.Points(), 3, bytes);
        benchmark::DoNotOptimize(bytes.data());
    }
    bench.SetItemsProcessed(bench.iterations() * Set().list.GetRowCount());
}

BENCHMARK(BM_AddPointRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortRows)->DenseRange(0, SORT_KEY_COUNT - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExcludeAndUndo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TolvexBytes)->Unit(benchmark::kMillisecond);

}  // namespace
