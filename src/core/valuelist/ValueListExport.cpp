#include "valuelist/ValueListExport.h"

#include <cstdint>

#include "io/AtomicFile.h"
#include "text/CodePage.h"
#include "text/CsvField.h"
#include "text/NumberFormat.h"
#include "valuelist/PointLookup.h"

namespace {
constexpr const char* kLineEnd = "\r\n";
}  // namespace

std::string MakeCsvBytes(const std::vector<CValueRow>& rows, const std::string& title,
                         bool directionColumn) {
    std::string text;
    text.reserve((rows.size() + 2) * 48);
    if (!title.empty()) {
        text += kzv::CsvField(title);
        text += kLineEnd;
    }
    for (int c = 0; c < VALUE_COLUMN_COUNT; ++c) {
        text += c == 0 ? "" : ",";
        text += VALUE_COLUMN_HEADINGS[c];
    }
    if (directionColumn) {
        text += ',';
        text += DIRECTION_COLUMN_HEADING;
    }
    text += kLineEnd;
    for (const CValueRow& row : rows) {
        for (int c = 0; c < VALUE_COLUMN_COUNT; ++c) {
            if (c != 0) {
                text += ',';
            }
            text += row.text[static_cast<size_t>(c)];
        }
        if (directionColumn) {
            text += ',';
            text += row.direction;
        }
        text += kLineEnd;
    }
    return kzv::Utf8ToCp932(text);
}

bool CanWriteTolvex(const CPointSource& points) {
    return points.data.m_cp.m_nDirectionCount > 8;
}

int TolvexDirectionIndex(int directionCount, int slider, int column) {
    if (directionCount <= 0) {
        return 0;
    }
    const int64_t n = directionCount;
    // Nearest of (9 + k) * N / 16, ties upward; exact when N is a multiple of 16. A building
    // turned clockwise by the slider brings each direction round to a later bearing, so the
    // column for a bearing holds a direction that many steps earlier.
    const int64_t base = ((9 + static_cast<int64_t>(column)) * n * 2 + 16) / 32;
    return static_cast<int>((((base - slider) % n) + n) % n);
}

bool MakeTolvexBytes(const std::vector<CValueRow>& rows, const CPointSource& points, int slider,
                     std::string& bytes) {
    if (!CanWriteTolvex(points)) {
        return false;
    }
    const int count = points.data.m_cp.m_nDirectionCount;
    int direction[TOLVEX_COLUMN_COUNT];
    for (int k = 0; k < TOLVEX_COLUMN_COUNT; ++k) {
        direction[k] = TolvexDirectionIndex(count, slider, k);
    }
    const CArbitraryById arbitrary(points.selection);
    // Always the mean of each direction, whatever the view shows.
    const CPointSource mean{points.data, points.selection, MeanOf(points.shown)};
    std::string text = TOLVEX_HEADING;
    text += kLineEnd;
    for (const CValueRow& row : rows) {
        text += row.text[0];
        for (int k = 0; k < TOLVEX_COLUMN_COUNT; ++k) {
            text += ',';
            text += kzv::FormatG(RowPointValue(mean, arbitrary, row.id, direction[k]).value);
        }
        text += kLineEnd;
    }
    bytes = kzv::Utf8ToCp932(text);
    return true;
}

CExportResult WriteCsvFile(const std::vector<CValueRow>& rows, const std::string& path,
                           std::string* error, const std::string& title, bool directionColumn) {
    return kzv::WriteFileAtomically(path, MakeCsvBytes(rows, title, directionColumn), error)
               ? CExportResult::Written
               : CExportResult::WriteFailed;
}

CExportResult WriteTolvexFile(const std::vector<CValueRow>& rows, const CPointSource& points,
                              int slider, const std::string& path, std::string* error) {
    std::string bytes;
    if (!MakeTolvexBytes(rows, points, slider, bytes)) {
        return CExportResult::TooFewDirections;
    }
    return kzv::WriteFileAtomically(path, bytes, error) ? CExportResult::Written
                                                        : CExportResult::WriteFailed;
}
