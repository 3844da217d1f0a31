#include "valuelist/ValueListPrint.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "valuelist/PrintLayout.h"

bool PrintValueRows(QPrinter& printer, const std::vector<CValueRow>& rows) {
    printer.setDocName(QString());
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    // The printer's default font, measured on the printer: line height is the font's height
    // and its external leading.
    const QFontMetrics metrics(painter.font(), painter.device());
    const int lineHeight = metrics.height() + std::max(0, metrics.leading());
    const std::vector<CPrintPage> pages =
        LayoutPrintPages(rows, lineHeight, metrics.maxWidth(), painter.device()->height());
    for (size_t page = 0; page < pages.size(); ++page) {
        if (page > 0) {
            printer.newPage();
        }
        for (const CPrintLine& line : pages[page]) {
            // y is the top of the line; QPainter places text on its baseline.
            const int baseline = line.y + metrics.ascent();
            for (const CPrintCell& cell : line.cells) {
                painter.drawText(cell.x, baseline, QString::fromStdString(cell.text));
            }
        }
    }
    return painter.end();
}
