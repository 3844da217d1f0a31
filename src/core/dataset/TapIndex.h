#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A number that no earlier call returned: tables stamp each rebuild with one.
uint64_t NextTableStamp();

// Position of the first record of every tap number, so that a lookup by number answers what a
// search from the start of the file would, without the search.
//
// An open-addressing table in two flat arrays: building it allocates twice, copying it (the
// as-read copy of the taps) is two plain copies, and a lookup reads one or two cache lines.
// Every build gets a stamp of its own, so that tables derived from an index (the panels'
// resolved corners) can tell whether it has been rebuilt since.
class CTapIndex {
public:
    void Build(const std::vector<int32_t>& tapNumbers);
    void Clear();

    // Index of the first record of tapNo, or -1.
    int Find(int32_t tapNo) const {
        if (m_slot.empty()) {
            return -1;
        }
        for (uint32_t s = SlotOf(tapNo);; s = (s + 1) & m_mask) {
            const int i = m_slot[s];
            if (i < 0 || m_key[s] == tapNo) {
                return i;
            }
        }
    }

    // Changes with every Build and Clear; copies keep it, as they hold the same content.
    uint64_t Stamp() const { return m_stamp; }

private:
    // Tap numbers come in runs of consecutive numbers (face by face), and lookups follow the
    // same runs: slots from the low bits keep neighbouring taps in neighbouring slots, so a
    // walk over the mesh reads the table nearly in order. The high bits are folded in so that
    // runs a power of two apart do not land on each other. A table whose probes still grow
    // long (numbers chosen to collide) is built again with Fibonacci hashing, which spreads
    // any pattern.
    uint32_t SlotOf(int32_t key) const {
        const uint32_t k = static_cast<uint32_t>(key);
        return m_spread ? (k * 2654435769u) >> m_shift : (k ^ (k >> m_bits)) & m_mask;
    }
    // Fills the table; false when a probe ran longer than the limit.
    bool Fill(const std::vector<int32_t>& tapNumbers, size_t probeLimit);

    std::vector<int32_t> m_key;
    std::vector<int> m_slot;  // record index, -1 for an empty slot
    uint32_t m_mask = 0;      // slots - 1
    uint32_t m_shift = 0;     // 32 - log2(slots)
    uint32_t m_bits = 0;      // log2(slots)
    bool m_spread = false;
    uint64_t m_stamp = 0;
};
