#pragma once

#include <string>
#include <vector>

#include "text/Translatable.h"
#include "valuelist/ValueList.h"

// The value list's two export files, CSV and the 16-direction input file of the ventilation
// program Tolvex: CP932 text with CR LF line ends, no byte-order mark, nothing after the last
// line end. A character CP932 cannot hold is written as '?'.

inline constexpr const char* MSG_CSV_WRITE_FAILED =
    KZV_TR_NOOP("Core", "CSVファイルの書き出しに失敗しました。");
inline constexpr const char* MSG_TOLVEX_WRITE_FAILED =
    KZV_TR_NOOP("Core", "Tolvexファイルの書き出しに失敗しました。");
inline constexpr const char* MSG_TOLVEX_EIGHT_DIRECTIONS =
    KZV_TR_NOOP("Core", "８方位データのため、Tolvex形式のファイルは出力できません。");
// The Tolvex heading: the point number, then 16 compass directions clockwise from NNE to N.
inline constexpr const char* TOLVEX_HEADING =
    "番号,北北東,北東,東北東,東,東南東,南東,南南東,南,南南西,南西,西南西,西,西北西,北西,北北西,北";
constexpr int TOLVEX_COLUMN_COUNT = 16;

// The headings, then one line per row: the five cell texts as shown, joined by ",". A title,
// when not empty, is a first line of its own (what is shown when it is not the mean of one
// direction); directionColumn adds the "風向" column (while an envelope is shown).
std::string MakeCsvBytes(const std::vector<CValueRow>& rows, const std::string& title = {},
                         bool directionColumn = false);

// Tolvex needs more than 8 directions.
bool CanWriteTolvex(const CPointSource& points);

// Direction index of Tolvex column k (0 = NNE ... 15 = N) with the building-angle slider at
// slider (in direction steps): the direction whose wind comes from bearing 22.5 (k + 1) as the
// compass shows it, (9 + k) * N / 16 - slider, taken into 0..N-1. For 16 directions that is
// (9 + k - slider) mod 16, for 32 it is (2 (9 + k) - slider) mod 32. For counts that are not a
// multiple of 16 the nearest direction is taken (a tie goes to the higher index).
int TolvexDirectionIndex(int directionCount, int slider, int column);

// The heading, then per row its number text and the mean value of its point for each column's
// direction (measured for a measurement point, stored for the view's arbitrary point with the
// row's id; 990 when there is none), whatever quantity points.shown names, "%g". False, leaving
// bytes unchanged, when the data has 8 directions or fewer.
bool MakeTolvexBytes(const std::vector<CValueRow>& rows, const CPointSource& points, int slider,
                     std::string& bytes);

enum class CExportResult {
    Written,
    TooFewDirections,  // Tolvex of 8-direction data: MSG_TOLVEX_EIGHT_DIRECTIONS, keep the dialog
    WriteFailed,       // MSG_CSV_WRITE_FAILED / MSG_TOLVEX_WRITE_FAILED; an old file is intact
};

// Write the file so that a failure leaves an existing file as it was.
CExportResult WriteCsvFile(const std::vector<CValueRow>& rows, const std::string& path,
                           std::string* error = nullptr, const std::string& title = {},
                           bool directionColumn = false);
CExportResult WriteTolvexFile(const std::vector<CValueRow>& rows, const CPointSource& points,
                              int slider, const std::string& path, std::string* error = nullptr);
