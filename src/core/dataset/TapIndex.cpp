#include "dataset/TapIndex.h"

#include <atomic>
#include <cstdint>

uint64_t NextTableStamp() {
    static std::atomic<uint64_t> counter{0};
    return ++counter;
}

void CTapIndex::Build(const std::vector<int32_t>& tapNumbers) {
    // At least twice as many slots as numbers keeps the probe runs short.
    uint32_t bits = 4;
    while (bits < 31 && (size_t{1} << bits) < 2 * tapNumbers.size()) {
        ++bits;
    }
    m_mask = static_cast<uint32_t>((size_t{1} << bits) - 1);
    m_shift = 32 - bits;
    m_bits = bits;
    m_spread = false;
    if (!Fill(tapNumbers, 64)) {
        m_spread = true;
        Fill(tapNumbers, SIZE_MAX);
    }
    m_stamp = NextTableStamp();
}

bool CTapIndex::Fill(const std::vector<int32_t>& tapNumbers, size_t probeLimit) {
    m_key.assign(size_t{m_mask} + 1, 0);
    m_slot.assign(size_t{m_mask} + 1, -1);
    for (size_t i = 0; i < tapNumbers.size(); ++i) {
        const int32_t key = tapNumbers[i];
        size_t probes = 0;
        for (uint32_t s = SlotOf(key);; s = (s + 1) & m_mask) {
            if (m_slot[s] < 0) {
                m_key[s] = key;
                m_slot[s] = static_cast<int>(i);
                break;
            }
            if (m_key[s] == key) {
                break;  // keeps the first record
            }
            if (++probes > probeLimit) {
                return false;
            }
        }
    }
    return true;
}

void CTapIndex::Clear() {
    m_key.clear();
    m_slot.clear();
    m_mask = 0;
    m_shift = 0;
    m_stamp = NextTableStamp();
}
