// kzv-samplegen: writes the bundled sample data sets, or one large data set for benchmarks.
//   kzv-samplegen <dataFolder>
//   kzv-samplegen --large <folder> <taps> <directions>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "SampleGen.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: kzv-samplegen <dataFolder>\n"
                 "       kzv-samplegen --large <folder> <taps> <directions>\n");
    return 2;
}

bool ParseCount(const char* text, int& out) {
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || v <= 0 || v > 10000000) {
        return false;
    }
    out = static_cast<int>(v);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    bool ok = false;
    if (argc == 2 && std::string(argv[1]).rfind("-", 0) != 0) {
        ok = kzv::samplegen::WriteSampleDataSets(argv[1], &error);
    } else if (argc == 5 && std::string(argv[1]) == "--large") {
        int taps = 0, directions = 0;
        if (!ParseCount(argv[3], taps) || !ParseCount(argv[4], directions)) {
            std::fprintf(stderr, "kzv-samplegen: tap and direction counts must be positive\n");
            return 2;
        }
        ok = kzv::samplegen::WriteLargeDataSet(argv[2], taps, directions, &error);
    } else {
        return Usage();
    }
    if (!ok) {
        std::fprintf(stderr, "kzv-samplegen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
