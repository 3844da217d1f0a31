#include "valuelist/PrintLayout.h"

#include <algorithm>

std::vector<CPrintPage> LayoutPrintPages(const std::vector<CValueRow>& rows, int lineHeight,
                                         int charWidth, int printableHeight) {
    const int rowsPerPage = lineHeight > 0 ? std::max(1, printableHeight / lineHeight) : 1;
    const int x[VALUE_COLUMN_COUNT] = {10, 10 + 3 * charWidth, 10 + 9 * charWidth,
                                       10 + 15 * charWidth, 10 + 18 * charWidth};
    std::vector<CPrintPage> pages(1);
    for (const CValueRow& row : rows) {
        if (static_cast<int>(pages.back().size()) == rowsPerPage) {
            pages.emplace_back();
        }
        CPrintLine line;
        line.y = 10 + static_cast<int>(pages.back().size()) * lineHeight;
        for (int c = 0; c < VALUE_COLUMN_COUNT; ++c) {
            line.cells[static_cast<size_t>(c)] = {x[c], row.text[static_cast<size_t>(c)]};
        }
        pages.back().push_back(std::move(line));
    }
    return pages;
}
