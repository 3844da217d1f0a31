#pragma once

// The large generated data set the benchmarks run on: 20 000 taps and 32 directions by default,
// KZV_BENCH_TAPS and KZV_BENCH_DIRECTIONS change it. It is written once, on first use, into a
// temporary folder that goes away when the program ends.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "SampleGen.h"

namespace kzv::bench {

// A positive whole number from the environment, or fallback when unset or not positive.
inline int EnvInt(const char* name, int fallback) {
    const char* v = std::getenv(name);
    const int n = v != nullptr ? std::atoi(v) : 0;
    return n > 0 ? n : fallback;
}

class LargeSet {
public:
    LargeSet()
        : m_folder(std::filesystem::temp_directory_path() /
                   ("kzv-bench-" + std::to_string(::getpid()))) {
        m_ok = kzv::samplegen::WriteLargeDataSet(m_folder.string(), EnvInt("KZV_BENCH_TAPS", 20000),
                                                 EnvInt("KZV_BENCH_DIRECTIONS", 32), &m_error);
    }
    ~LargeSet() {
        std::error_code ec;
        std::filesystem::remove_all(m_folder, ec);
    }
    LargeSet(const LargeSet&) = delete;
    LargeSet& operator=(const LargeSet&) = delete;

    bool Ok() const { return m_ok; }
    // Why writing failed, empty when it did not.
    const std::string& Error() const { return m_error; }
    // The folder, ending with '/' as the loaders want it.
    std::string Folder() const { return m_folder.string() + "/"; }
    std::string File(const char* name) const { return (m_folder / name).string(); }

private:
    std::filesystem::path m_folder;
    std::string m_error;
    bool m_ok = false;
};

// The one set of the program, written on the first call.
inline const LargeSet& TheLargeSet() {
    static const LargeSet set;
    return set;
}

}  // namespace kzv::bench
