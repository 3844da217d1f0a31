#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

// The readers take a path, so every input goes through one scratch file per process
// (on /dev/shm when it exists, to keep the disk out of the loop).
inline const std::string& FuzzScratchPath() {
    static const std::string path = [] {
        const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        return std::string(dir) + "/kzv-fuzz-" + std::to_string(getpid());
    }();
    return path;
}

inline const char* WriteFuzzInput(const uint8_t* data, size_t size) {
    const std::string& path = FuzzScratchPath();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) {
        return nullptr;
    }
    if (size > 0) {
        std::fwrite(data, 1, size, f);
    }
    std::fclose(f);
    return path.c_str();
}

// Aborts (a finding) when an invariant of a reader's tables does not hold.
#define FUZZ_CHECK(cond)                                           \
    do {                                                           \
        if (!(cond)) {                                             \
            std::fprintf(stderr, "invariant failed: %s\n", #cond); \
            __builtin_trap();                                      \
        }                                                          \
    } while (0)
