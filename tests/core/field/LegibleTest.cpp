#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "field/Legible.h"

namespace {

bool Overlap(const CLegibleItem& a, const CLegibleItem& b, float gap) {
    return std::fabs(a.x - b.x) < a.halfWidth + b.halfWidth + gap &&
           std::fabs(a.y - b.y) < a.halfHeight + b.halfHeight + gap;
}

// The numbers of a pitched roof's taps seen from afar: rows of taps 3 to 5 pixels apart with
// a little scatter, each label four digits wide (24 x 12 pixels), far denser than legible.
std::vector<CLegibleItem> DenseRoofLabels() {
    std::vector<CLegibleItem> items;
    for (int row = 0; row < 60; ++row) {
        for (int col = 0; col < 120; ++col) {
            CLegibleItem item;
            item.x = 20.0f + col * 4.7f + static_cast<float>((row * 7 + col * 3) % 5) * 0.3f;
            item.y = 40.0f + row * 3.1f + (col % 2 == 0 ? 0.0f : 1.4f);  // the ridge's zigzag
            item.halfWidth = 12.0f;
            item.halfHeight = 6.0f;
            items.push_back(item);
        }
    }
    return items;
}

// Of a dense field of labels, the chosen ones never overlap (gap included), every plain one
// left out overlaps a chosen one (nothing that would fit is hidden), and the same input gives
// the same choice.
TEST(Legible, ChoosesLabelsThatDoNotOverlapAndHidesOnlyWhatWouldCover) {
    const std::vector<CLegibleItem> items = DenseRoofLabels();
    const float gap = 2.0f;
    std::vector<uint8_t> shown;
    const size_t count = PickLegible(items, 1024, 768, gap, shown);
    ASSERT_EQ(shown.size(), items.size());
    EXPECT_GT(count, 50u);
    EXPECT_LT(count, items.size() / 10);
    for (size_t i = 0; i < items.size(); ++i) {
        bool coveredByChosen = false;
        for (size_t j = 0; j < items.size(); ++j) {
            if (j != i && shown[j] && Overlap(items[i], items[j], gap)) {
                coveredByChosen = true;
                EXPECT_FALSE(shown[i]) << "chosen labels " << i << " and " << j << " overlap";
            }
        }
        if (!shown[i]) {
            EXPECT_TRUE(coveredByChosen) << "label " << i << " hidden though it fits";
        }
    }
    std::vector<uint8_t> again;
    EXPECT_EQ(PickLegible(items, 1024, 768, gap, again), count);
    EXPECT_EQ(again, shown);

    // Apart from one another, every item shows.
    std::vector<CLegibleItem> sparse(items.begin(), items.begin() + 5);
    for (size_t i = 0; i < sparse.size(); ++i) {
        sparse[i].x = 40.0f + 60.0f * static_cast<float>(i);
    }
    EXPECT_EQ(PickLegible(sparse, 1024, 768, gap, shown), sparse.size());
}

// A picked tap shows wherever it is, even on top of another picked one; a selected tap wins
// its place over a plain one given before it; what lies off screen, or at no number, is not
// chosen unless picked.
TEST(Legible, PickedTapsAlwaysShowAndSelectedOnesComeFirst) {
    std::vector<CLegibleItem> items(6);
    for (CLegibleItem& item : items) {
        item.x = 100.0f;
        item.y = 100.0f;
        item.halfWidth = 10.0f;
        item.halfHeight = 5.0f;
    }
    items[2].rank = ELegibleRank::Favoured;
    items[3].rank = ELegibleRank::Always;
    items[4].rank = ELegibleRank::Always;
    items[4].x = 104.0f;
    std::vector<uint8_t> shown;
    PickLegible(items, 640, 480, 1.0f, shown);
    EXPECT_EQ(shown, (std::vector<uint8_t>{0, 0, 0, 1, 1, 0}));

    items[3].rank = items[4].rank = ELegibleRank::Plain;
    PickLegible(items, 640, 480, 1.0f, shown);
    EXPECT_EQ(shown, (std::vector<uint8_t>{0, 0, 1, 0, 0, 0}));

    items[0].x = -30.0f;                   // left of the view
    items[1].y = std::nanf("");            // behind the eye: no projection
    items[5].y = 2000.0f;                  // below it
    items[5].rank = ELegibleRank::Always;  // but picked
    PickLegible(items, 640, 480, 1.0f, shown);
    EXPECT_EQ(shown, (std::vector<uint8_t>{0, 0, 1, 0, 0, 1}));
}

}  // namespace
