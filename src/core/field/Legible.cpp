#include "field/Legible.h"

#include <algorithm>
#include <cmath>

namespace {

// A chosen item's grown box, and the next box of its cell (-1 at the end of the chain).
struct CChosenBox {
    float x, y, halfWidth, halfHeight;
    int next;
};

// The view's rectangle divided into square cells at least as large as every grown box, so
// that two boxes that meet have their centres in the same or in neighbouring cells. Each cell
// holds a chain of the chosen boxes whose centres lie in it; the boxes lie together in one
// small array (a few thousand fit on a screen), which keeps the look-ups in the cache.
class CCellGrid {
public:
    CCellGrid(int width, int height, float cell) {
        // Never more cells than there are pixels, nor more than a few million.
        constexpr double kMaxCells = 4.0e6;
        m_cell = std::max(1.0f, cell);
        const double cells = (static_cast<double>(width) / m_cell + 1.0) *
                             (static_cast<double>(height) / m_cell + 1.0);
        if (cells > kMaxCells) {
            m_cell *= static_cast<float>(std::sqrt(cells / kMaxCells));
        }
        m_columns = static_cast<int>(static_cast<float>(width) / m_cell) + 1;
        m_rows = static_cast<int>(static_cast<float>(height) / m_cell) + 1;
        m_head.assign(static_cast<size_t>(m_columns) * static_cast<size_t>(m_rows), -1);
    }

    int Column(float x) const { return std::clamp(static_cast<int>(x / m_cell), 0, m_columns - 1); }
    int Row(float y) const { return std::clamp(static_cast<int>(y / m_cell), 0, m_rows - 1); }

    void Add(float x, float y, float halfWidth, float halfHeight) {
        int& head = m_head[Index(Column(x), Row(y))];
        m_boxes.push_back({x, y, halfWidth, halfHeight, head});
        head = static_cast<int>(m_boxes.size() - 1);
    }

    // Whether a chosen box meets the box of centre (x, y) and these half extents.
    bool Meets(float x, float y, float halfWidth, float halfHeight) const {
        const int c = Column(x);
        const int r = Row(y);
        for (int row = std::max(0, r - 1); row <= std::min(m_rows - 1, r + 1); ++row) {
            for (int column = std::max(0, c - 1); column <= std::min(m_columns - 1, c + 1);
                 ++column) {
                for (int i = m_head[Index(column, row)]; i >= 0;
                     i = m_boxes[static_cast<size_t>(i)].next) {
                    const CChosenBox& b = m_boxes[static_cast<size_t>(i)];
                    if (std::fabs(b.x - x) < halfWidth + b.halfWidth &&
                        std::fabs(b.y - y) < halfHeight + b.halfHeight) {
                        return true;
                    }
                }
            }
        }
        return false;
    }

private:
    size_t Index(int column, int row) const {
        return static_cast<size_t>(row) * static_cast<size_t>(m_columns) +
               static_cast<size_t>(column);
    }

    float m_cell = 1.0f;
    int m_columns = 1;
    int m_rows = 1;
    std::vector<int> m_head;
    std::vector<CChosenBox> m_boxes;
};

float Extent(float half) {
    return std::isfinite(half) ? std::max(0.0f, half) : 0.0f;
}

bool OnScreen(const CLegibleItem& item, int width, int height) {
    return std::isfinite(item.x) && std::isfinite(item.y) && item.x >= 0.0f && item.y >= 0.0f &&
           item.x < static_cast<float>(width) && item.y < static_cast<float>(height);
}

}  // namespace

size_t PickLegible(const std::vector<CLegibleItem>& items, int width, int height, float gap,
                   std::vector<uint8_t>& shown) {
    shown.assign(items.size(), 0);
    if (items.empty()) {
        return 0;
    }
    gap = std::isfinite(gap) ? std::max(0.0f, gap) : 0.0f;
    // Half extents grown by half the gap each: two grown boxes apart means the boxes are at
    // least gap apart.
    float largest = 0.0f;
    for (const CLegibleItem& item : items) {
        largest = std::max({largest, Extent(item.halfWidth), Extent(item.halfHeight)});
    }
    const float grow = 0.5f * gap;
    CCellGrid grid(std::max(1, width), std::max(1, height), 2.0f * (largest + grow));
    const auto halfW = [&](const CLegibleItem& item) { return Extent(item.halfWidth) + grow; };
    const auto halfH = [&](const CLegibleItem& item) { return Extent(item.halfHeight) + grow; };
    size_t count = 0;
    const auto take = [&](size_t i) {
        shown[i] = 1;
        ++count;
        // An item off screen can still reach into it; its cell is the nearest one inside.
        if (std::isfinite(items[i].x) && std::isfinite(items[i].y)) {
            grid.Add(items[i].x, items[i].y, halfW(items[i]), halfH(items[i]));
        }
    };
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].rank == ELegibleRank::Always) {
            take(i);
        }
    }
    for (const ELegibleRank rank : {ELegibleRank::Favoured, ELegibleRank::Plain}) {
        for (size_t i = 0; i < items.size(); ++i) {
            const CLegibleItem& item = items[i];
            if (item.rank != rank || !OnScreen(item, width, height)) {
                continue;
            }
            if (!grid.Meets(item.x, item.y, halfW(item), halfH(item))) {
                take(i);
            }
        }
    }
    return count;
}
