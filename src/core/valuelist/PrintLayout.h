#pragma once

#include <array>
#include <string>
#include <vector>

#include "valuelist/ValueList.h"

// The printed value list as data: where every cell text goes on which page, in the printer's
// device units. One line per row, no heading, no page number.

struct CPrintCell {
    int x = 0;
    std::string text;
};

struct CPrintLine {
    int y = 0;
    std::array<CPrintCell, VALUE_COLUMN_COUNT> cells;
};

using CPrintPage = std::vector<CPrintLine>;

// lineHeight: font height plus external leading; charWidth: the font's largest character
// width; printableHeight: the page's printable height. A page holds printableHeight /
// lineHeight rows (at least one, so a line taller than the page still prints); its first line
// is at y = 10, each further one lineHeight lower; the cells start at x = 10, 10 + 3w,
// 10 + 9w, 10 + 15w and 10 + 18w. An empty list gives one empty page.
std::vector<CPrintPage> LayoutPrintPages(const std::vector<CValueRow>& rows, int lineHeight,
                                         int charWidth, int printableHeight);
