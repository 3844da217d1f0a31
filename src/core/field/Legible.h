#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Thinning of tap markers and tap numbers that would cover one another on screen. A dense set
// (tens of thousands of taps) otherwise buries the field under black markers and unreadable
// numbers; a legible subset shows where the taps are and what they are called while the
// colours stay visible.

// How much an item is worth keeping.
enum class ELegibleRank : uint8_t {
    Plain = 0,     // an ordinary tap
    Favoured = 1,  // preferred where it competes with plain ones (a selected tap)
    Always = 2,    // shown whatever it covers (a tap the user picked)
};

// One item on screen: the centre of its marker or label in pixels (any origin; the view's
// rectangle is 0 .. width x 0 .. height) and half its extent each way.
struct CLegibleItem {
    float x = 0.0f;
    float y = 0.0f;
    float halfWidth = 0.0f;
    float halfHeight = 0.0f;
    ELegibleRank rank = ELegibleRank::Plain;
};

// Chooses which items to draw: every Always item; then the Favoured ones, then the Plain ones,
// each in the order given, wherever the item's box, grown by gap pixels on every side, meets
// no box already chosen. An item whose centre lies outside the view (or is not a number) is
// not chosen unless it is Always; nothing there is on screen to read. The choice depends on
// the items and the view alone, so an unchanged picture draws the same subset every frame,
// and giving the items in a fixed order (the taps' file order) keeps it steady while the
// camera moves. shown gets one entry per item, 1 for a chosen one; the count chosen is
// returned. Linear in the number of items: the boxes are looked up on a grid of cells as
// large as the largest box.
size_t PickLegible(const std::vector<CLegibleItem>& items, int width, int height, float gap,
                   std::vector<uint8_t>& shown);
