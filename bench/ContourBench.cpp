// Speed of the pressure picture's arithmetic on the large generated data set (see LargeSet.h):
// the contour walk with every layer on, bands alone, and the panel search of a rectangle
// selection with the index against a search over every panel.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "LargeSet.h"
#include "dataset/DataSetLoad.h"
#include "dataset/PanelIndex.h"
#include "field/ContourWalk.h"
#include "geometry/GeometryAlgorithms.h"
#include "state/ViewState.h"

namespace {

// The large set, loaded once into a view state for the life of the program.
struct LoadedSet {
    CViewState state;
    bool ok = false;
    LoadedSet() {
        const kzv::bench::LargeSet& set = kzv::bench::TheLargeSet();
        if (set.Ok()) {
            CHeaderFile header;
            state.LoadDataSet(set.Folder(), header, 1000, 800);
            ok = state.m_data.m_mesh.GetPanelCount() > 0;
        }
    }
};

LoadedSet& Set() {
    static LoadedSet set;
    return set;
}

// Five slots, each from a tap to the tap 40 records later (mostly on the same face), or to the
// last tap when a small KZV_BENCH_TAPS leaves fewer.
void PlaceSlots(CViewState& state) {
    const auto& pos = state.m_data.m_taps.m_aPos;
    for (int i = 0; i < 5; ++i) {
        const size_t a = pos.size() / 6 * static_cast<size_t>(i + 1);
        state.m_settings.m_abSlotOn[i] = 1;
        state.m_settings.m_aSlot[i][0] = pos[a];
        state.m_settings.m_aSlot[i][1] = pos[std::min(a + 40, pos.size() - 1)];
    }
}

void RunContours(benchmark::State& bench, int kind, bool labels) {
    if (!Set().ok) {
        bench.SkipWithError("could not load the large data set");
        return;
    }
    CViewState& state = Set().state;
    state.m_settings.m_nContourKind = kind;
    state.m_settings.m_bShowLabels = labels ? 1 : 0;
    PlaceSlots(state);
    CContourDrawing out;
    for (auto _ : bench) {
        ComputeContours(state.m_data, state.m_settings, state.m_selection, out);
        benchmark::DoNotOptimize(out.items.data());
    }
    bench.counters["panels"] = state.m_data.m_mesh.GetPanelCount();
    bench.counters["items"] = static_cast<double>(out.items.size());
    bench.counters["labels"] = static_cast<double>(out.labels.size());
}

void BM_ContoursAllLayers(benchmark::State& bench) {
    RunContours(bench, 2, true);
}
void BM_ContoursBandsOnly(benchmark::State& bench) {
    RunContours(bench, 0, false);
}
void BM_ContoursNoLabels(benchmark::State& bench) {
    RunContours(bench, 2, false);
}

// Bands of another quantity and of an envelope over every direction: the walk plus one pass
// over the table (the envelope's extremes per record), against BM_ContoursBandsOnly.
void RunShown(benchmark::State& bench, EValueQuantity quantity, int envelope) {
    if (!Set().ok) {
        bench.SkipWithError("could not load the large data set");
        return;
    }
    CViewState& state = Set().state;
    if (!state.m_data.m_tables.Has(quantity)) {
        bench.SkipWithError("the large data set lacks the table");
        return;
    }
    state.m_settings.m_nContourKind = 0;
    state.m_settings.m_bShowLabels = 0;
    state.m_settings.m_nQuantity = static_cast<int>(quantity);
    state.m_settings.m_nEnvelope = envelope;
    CContourDrawing out;
    for (auto _ : bench) {
        ComputeContours(state.m_data, state.m_settings, state.m_selection, out);
        benchmark::DoNotOptimize(out.items.data());
    }
    state.m_settings.m_nQuantity = 0;
    state.m_settings.m_nEnvelope = ENVELOPE_NONE;
    bench.counters["directions"] = state.m_data.m_cp.m_nDirectionCount;
}
void BM_ContoursPeakMin(benchmark::State& bench) {
    RunShown(bench, EValueQuantity::PeakMin, ENVELOPE_NONE);
}
void BM_ContoursPeakMinEnvelope(benchmark::State& bench) {
    RunShown(bench, EValueQuantity::PeakMin, ENVELOPE_MIN);
}

void BM_PanelIndexBuild(benchmark::State& bench) {
    if (!Set().ok) {
        bench.SkipWithError("could not load the large data set");
        return;
    }
    for (auto _ : bench) {
        CPanelIndex index(Set().state.m_data);
        benchmark::DoNotOptimize(index);
    }
}

// 21 x 21 points of a rectangle selection spanned by two taps and the height between them,
// found with the index and by testing every panel in turn.
std::vector<CVector4> GridPoints(const CViewState& state) {
    const CVector4 a = state.m_data.m_taps.GetPosition(state.m_data.m_mesh.GetNodeTapNo(0, 0));
    const CVector4 b = state.m_data.m_taps.m_aPos[state.m_data.m_taps.m_aPos.size() / 8];
    std::vector<CVector4> points;
    for (int i = 0; i <= 20; ++i) {
        for (int j = 0; j <= 20; ++j) {
            points.push_back(a + (b - a) * (0.05f * static_cast<float>(i)) +
                             CVector4(0, 0, 0.05f * static_cast<float>(j)) * (b.z - a.z));
        }
    }
    return points;
}

void BM_FindPanelIndexed(benchmark::State& bench) {
    if (!Set().ok) {
        bench.SkipWithError("could not load the large data set");
        return;
    }
    const CPanelIndex index(Set().state.m_data);
    const std::vector<CVector4> points = GridPoints(Set().state);
    for (auto _ : bench) {
        int sum = 0;
        for (const CVector4& p : points) {
            sum += index.FindPanelContaining(p);
        }
        benchmark::DoNotOptimize(sum);
    }
    bench.SetItemsProcessed(bench.iterations() * static_cast<int64_t>(points.size()));
}

void BM_FindPanelLinear(benchmark::State& bench) {
    if (!Set().ok) {
        bench.SkipWithError("could not load the large data set");
        return;
    }
    const CViewState& state = Set().state;
    const std::vector<CVector4> points = GridPoints(state);
    for (auto _ : bench) {
        int sum = 0;
        for (const CVector4& p : points) {
            int found = -1;
            for (int i = 0; i < state.m_data.m_mesh.GetPanelCount() && found < 0; ++i) {
                CVector4 c[4];
                const int n = state.m_data.m_mesh.m_aNodeCount[static_cast<size_t>(i)];
                for (int k = 0; k < n && k < 4; ++k) {
                    c[k] = state.m_data.m_taps.GetPosition(state.m_data.m_mesh.GetNodeTapNo(i, k));
                }
                if (IsPointInPolygon(p, c, n)) {
                    found = i;
                }
            }
            sum += found;
        }
        benchmark::DoNotOptimize(sum);
    }
    bench.SetItemsProcessed(bench.iterations() * static_cast<int64_t>(points.size()));
}

BENCHMARK(BM_ContoursAllLayers)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ContoursBandsOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ContoursNoLabels)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ContoursPeakMin)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ContoursPeakMinEnvelope)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PanelIndexBuild)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindPanelIndexed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindPanelLinear)->Unit(benchmark::kMillisecond);

}  // namespace
