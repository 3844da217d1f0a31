// Speed of the data-set readers on a large generated data set (20 000 taps, 32 directions by
// default; KZV_BENCH_TAPS and KZV_BENCH_DIRECTIONS change it), and of a full scan of GetCp.
// Run: build/bench/kzv_bench

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "SampleGen.h"
#include "dataset/CpFile.h"
#include "dataset/MeasurePosFile.h"
#include "dataset/MeshFile.h"

namespace fs = std::filesystem;

namespace {

int EnvInt(const char* name, int fallback) {
    const char* v = std::getenv(name);
    return v != nullptr && std::atoi(v) > 0 ? std::atoi(v) : fallback;
}

// The generated set lives in a temporary folder for the life of the program.
struct LargeSet {
    fs::path folder;
    bool ok = false;
    LargeSet() {
        folder = fs::temp_directory_path() / ("kzv-bench-" + std::to_string(::getpid()));
        fs::create_directories(folder);
        ok = kzv::samplegen::WriteLargeDataSet(folder.string(), EnvInt("KZV_BENCH_TAPS", 20000),
                                               EnvInt("KZV_BENCH_DIRECTIONS", 32));
    }
    ~LargeSet() {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
    std::string File(const char* name) const { return (folder / name).string(); }
};

const LargeSet& Set() {
    static LargeSet set;
    return set;
}

template <typename Reader>
void ReadFile(benchmark::State& state, const char* name) {
    if (!Set().ok) {
        state.SkipWithError("could not generate the large data set");
        return;
    }
    const std::string path = Set().File(name);
    const auto bytes = static_cast<int64_t>(fs::file_size(path));
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
    if (!Set().ok || !cp.Read(Set().File("cp.dat").c_str()) ||
        !taps.Read(Set().File("measure.pos").c_str())) {
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
