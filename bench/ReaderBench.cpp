// Speed of the data-set readers on a large generated data set (20 000 taps, 32 directions by
// default; KZV_BENCH_TAPS and KZV_BENCH_DIRECTIONS change it), and of a full scan of GetCp.
// Run: build/bench/kzv_bench

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "LargeSet.h"
#include "dataset/CpFile.h"
#include "dataset/MeasurePosFile.h"
#include "dataset/MeshFile.h"

namespace {

using kzv::bench::TheLargeSet;

template <typename Reader>
void ReadFile(benchmark::State& state, const char* name) {
    if (!TheLargeSet().Ok()) {
        state.SkipWithError(
            ("could not generate the large data set: " + TheLargeSet().Error()).c_str());
        return;
    }
    const std::string path = TheLargeSet().File(name);
    const auto bytes = static_cast<int64_t>(std::filesystem::file_size(path));
    Reader reader;
    for (auto _ : state) {
        if (!reader.Read(path.c_str())) {
            state.SkipWithError("read failed");
            return;
        }
        benchmark::DoNotOptimize(reader);
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}

void BM_ReadCpFile(benchmark::State& state) {
    ReadFile<CCpFile>(state, "cp.dat");
}
void BM_ReadMeasurePosFile(benchmark::State& state) {
    ReadFile<CMeasurePosFile>(state, "measure.pos");
}
void BM_ReadMeshFile(benchmark::State& state) {
    ReadFile<CMeshFile>(state, "mesh.msh");
}

// Every tap of measure.pos for every direction, as the value list and colouring ask.
void BM_GetCpFullScan(benchmark::State& state) {
    CCpFile cp;
    CMeasurePosFile taps;
    if (!TheLargeSet().Ok() || !cp.Read(TheLargeSet().File("cp.dat").c_str()) ||
        !taps.Read(TheLargeSet().File("measure.pos").c_str())) {
        state.SkipWithError("could not read the large data set");
        return;
    }
    for (auto _ : state) {
        double sum = 0.0;
        for (int32_t tap : taps.m_aTapNo) {
            for (int d = 0; d < cp.m_nDirectionCount; ++d) {
                sum += cp.GetCp(tap, d);
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(taps.m_aTapNo.size()) *
                            cp.m_nDirectionCount);
}

BENCHMARK(BM_ReadCpFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadMeasurePosFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadMeshFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GetCpFullScan)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
