#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

// Position of the first record of every tap number, so that a lookup by number answers what a
// search from the start of the file would, without the search.
class CTapIndex {
public:
    void Build(const std::vector<int32_t>& tapNumbers) {
        m_first.clear();
        m_first.reserve(tapNumbers.size());
        for (size_t i = 0; i < tapNumbers.size(); ++i) {
            m_first.emplace(tapNumbers[i], static_cast<int>(i));  // keeps the first
        }
    }
    void Clear() { m_first.clear(); }
    // Index of the first record of tapNo, or -1.
    int Find(int32_t tapNo) const {
        const auto it = m_first.find(tapNo);
        return it == m_first.end() ? -1 : it->second;
    }

private:
    std::unordered_map<int32_t, int> m_first;
};
