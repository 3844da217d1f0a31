#include "geometry/PolygonEdges.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <unordered_set>

namespace {

// An edge by the bits of its end points' coordinates, the smaller end first.
struct EdgeKey {
    std::array<uint32_t, 6> bits;
    bool operator==(const EdgeKey& other) const { return bits == other.bits; }
};

struct EdgeHash {
    size_t operator()(const EdgeKey& key) const {
        uint64_t h = 1469598103934665603ull;  // FNV-1a over the six words
        for (const uint32_t word : key.bits) {
            h = (h ^ word) * 1099511628211ull;
        }
        return static_cast<size_t>(h);
    }
};

EdgeKey KeyOf(const CVector4& a, const CVector4& b) {
    std::array<uint32_t, 3> pa{}, pb{};
    const float fa[3] = {a.x, a.y, a.z}, fb[3] = {b.x, b.y, b.z};
    std::memcpy(pa.data(), fa, sizeof fa);
    std::memcpy(pb.data(), fb, sizeof fb);
    if (pb < pa) {
        std::swap(pa, pb);
    }
    return EdgeKey{{pa[0], pa[1], pa[2], pb[0], pb[1], pb[2]}};
}

}  // namespace

std::vector<CVector4> DistinctEdges(const std::vector<CVector4>& corners,
                                    const std::vector<int>& counts) {
    std::vector<CVector4> edges;
    std::unordered_set<EdgeKey, EdgeHash> seen;
    seen.reserve(corners.size());
    size_t first = 0;
    for (const int count : counts) {
        const size_t n = static_cast<size_t>(std::max(count, 0));
        if (first + n > corners.size()) {
            break;
        }
        for (size_t i = 0; n >= 2 && i < n; ++i) {
            const CVector4& a = corners[first + i];
            const CVector4& b = corners[first + (i + 1) % n];
            if (seen.insert(KeyOf(a, b)).second) {
                edges.push_back(a);
                edges.push_back(b);
            }
        }
        first += n;
    }
    return edges;
}
