// Runs a fuzz target's entry point once on every file under the given files and folders, so
// the test run replays the committed inputs through the same invariants the fuzzer checks
// (under the sanitizers in the sanitizer build). A broken invariant aborts the process.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

// libFuzzer's own limit in scripts/fuzz.sh: larger files are not fuzz inputs.
constexpr std::uintmax_t kMaxInput = 65536;

bool Replay(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return false;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        const fs::path root(argv[i]);
        std::error_code ec;
        if (fs::is_regular_file(root, ec)) {
            files.push_back(root);
            continue;
        }
        if (!fs::is_directory(root, ec)) {
            std::fprintf(stderr, "no such file or folder: %s\n", argv[i]);
            return 2;
        }
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root, ec)) {
            if (entry.is_regular_file(ec) && entry.file_size(ec) <= kMaxInput) {
                files.push_back(entry.path());
            }
        }
    }
    bool ok = !files.empty();
    for (const fs::path& file : files) {
        ok = Replay(file) && ok;
    }
    std::remove(FuzzScratchPath().c_str());
    std::printf("%zu inputs replayed\n", files.size());
    return ok ? 0 : 1;
}
