#include "field/PickHits.h"

namespace kzv {

uint32_t ProcessHitRecords(const uint32_t* buffer, int bufferSize, int hits, uint32_t* names,
                           int namesCapacity, float* depth) {
    uint32_t best = NO_PICK;
    float bestDepth = NO_PICK_DEPTH;
    int pos = 0;
    int copied = 0;
    for (int h = 0; h < hits; ++h) {
        if (pos + 3 > bufferSize) {
            break;
        }
        const uint32_t count = buffer[pos];
        const float minDepth = static_cast<float>(buffer[pos + 1] * 2.3283064365386963e-10);
        if (count > static_cast<uint32_t>(bufferSize - pos - 3)) {
            break;
        }
        const uint32_t* recordNames = buffer + pos + 3;
        for (uint32_t i = 0; i < count; ++i) {
            if (names != nullptr && copied < namesCapacity) {
                names[copied++] = recordNames[i];
            }
        }
        // The initial depth is beyond any real one, so the first record always takes it.
        if (count > 0 && minDepth < bestDepth) {
            best = recordNames[0];
            bestDepth = minDepth;
        }
        pos += 3 + static_cast<int>(count);
    }
    if (depth != nullptr) {
        *depth = bestDepth;
    }
    return best;
}

}  // namespace kzv
