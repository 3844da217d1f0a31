#include "dataset/CpFile.h"

#include <sys/mman.h>

#include <cmath>
#include <cstdint>

#include "dataset/LineReader.h"
#include "text/NumberParse.h"

using kzv::CLineReader;
using kzv::CTextCursor;
using kzv::FileFault;

namespace {

// Direction counts this program handles: the direction page steps by N / 8 and the Tolvex
// export takes every (N / 16)-th value.
bool IsValidDirectionCount(int n) {
    return n > 0 && n % 8 == 0;
}

// Asks for large pages under a table of many megabytes: filling it then takes a page fault
// per 2 MiB instead of per 4 KiB. Only advice; nothing changes where it is not followed.
void AdviseLargePages(void* data, size_t bytes) {
    constexpr uintptr_t kLarge = uintptr_t{2} << 20;
    const uintptr_t begin = (reinterpret_cast<uintptr_t>(data) + kLarge - 1) & ~(kLarge - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(data) + bytes) & ~(kLarge - 1);
    if (end > begin) {
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    }
}

enum class RecordParse { Ok, NotRecord, TooFewValues };

// A record: tap number, then N values, each number followed by one separator character (any
// character; blanks before a number are skipped). Values beyond the N-th are ignored, but
// counted in valueCount so that a direction count that disagrees with the records is noticed.
// A line that ends before its N-th value has too few values; one with text, a non-finite or
// out-of-range number where a number belongs is not a record. Neither stores anything, so the
// table stays aligned: exactly N values per stored tap number.
// The values are appended to values straight away; the caller takes them back when the line
// is not a whole record. commasOnly tells that the line held nothing but numbers, each
// followed by a comma (the last one maybe not): no blank, tab, CR or semicolon anywhere, so
// it cannot be a line of decimal-comma numbers.
RecordParse ParseRecord(std::string_view line, int n, int32_t& tapNo, std::vector<double>& values,
                        int& valueCount, bool& commasOnly) {
    CTextCursor cursor(line);
    // A number that does not start right away starts after a blank (or is not one).
    const auto startsPlain = [&cursor] {
        const int c = cursor.Peek();
        return c >= 0 && c != ' ' && c != '\t' && c != '\r';
    };
    bool plain = startsPlain();
    const auto skipSeparator = [&cursor, &plain] {
        const int c = cursor.Peek();
        plain = plain && (c < 0 || c == ',');
        cursor.SkipOne();
    };
    commasOnly = false;  // until the whole line has been read
    if (!cursor.ReadInt(tapNo)) {
        return RecordParse::NotRecord;
    }
    skipSeparator();
    // The record's values go into a local row first and join the table in one copy: the
    // number loop then keeps its output in registers instead of the table's end pointer.
    double row[kMaxDirectionCount];
    double v = 0.0;
    for (int d = 0; d < n; ++d) {
        plain = plain && startsPlain();
        if (!cursor.ReadDouble(row[d])) {
            valueCount = d;
            values.insert(values.end(), row, row + d);
            cursor.SkipBlanks();
            return cursor.AtEnd() ? RecordParse::TooFewValues : RecordParse::NotRecord;
        }
        skipSeparator();
    }
    values.insert(values.end(), row, row + n);
    valueCount = n;
    while (!cursor.AtEnd() && startsPlain() && cursor.ReadDouble(v)) {
        ++valueCount;
        skipSeparator();
    }
    // Anything left (text, or numbers after a blank) is looked at by the caller.
    commasOnly = plain && cursor.AtEnd();
    while (cursor.ReadDouble(v)) {
        ++valueCount;
        cursor.SkipOne();
    }
    return RecordParse::Ok;
}

}  // namespace

CCpFile::CCpFile() = default;

bool CCpFile::Read(const char* path, kzv::CFileReadInfo* info) {
    kzv::CFileReadInfo scratch;
    kzv::CFileReadInfo& report = info != nullptr ? *info : scratch;
    report = kzv::CFileReadInfo();
    report.byteLimit = kzv::kTableFileLimit;
    m_aTapNo.clear();
    m_aCp.clear();
    m_firstRecord.Clear();

    CLineReader reader;
    report.fault = kzv::OpenDataFile(reader, path, m_strTag, m_nVersion, kzv::kTableFileLimit);
    if (report.fault != FileFault::None) {
        return false;
    }
    std::string_view line;
    int count = 0;
    if (!reader.ReadLine(line) || !CTextCursor(line).ReadInt(count) ||
        !IsValidDirectionCount(count)) {
        report.fault =
            reader.Fault() != FileFault::None ? reader.Fault() : FileFault::BadDirectionCount;
        return false;
    }
    if (count > kMaxDirectionCount) {
        report.fault = FileFault::TooManyDirections;
        report.directionCount = count;
        return false;
    }
    report.directionCount = count;

    // Stops at "EOF" or, when the marker is missing, at the end of the file: a file without
    // the marker still gives every record it holds. The tables are reserved from the length
    // of the first record and the bytes left, so that they are not copied as they grow.
    bool endMarker = false;
    bool reserved = false;
    while (reader.ReadLine(line)) {
        if (line == "EOF") {
            endMarker = true;
            break;
        }
        if ((!line.empty() && line[0] == '#') || kzv::IsBlankLine(line) || reader.LastLineCut()) {
            continue;  // a cut line is counted by the reader and named on its own
        }
        if (!reserved) {
            // Never more than the file could fill: a value takes at least two bytes.
            reserved = true;
            const size_t records = static_cast<size_t>(
                reader.RecordsAhead(line.size(), 2 * static_cast<uint64_t>(count)));
            if (records > 0) {
                m_aTapNo.reserve(records);
                m_aCp.reserve(records * static_cast<size_t>(count));
                AdviseLargePages(m_aCp.data(), m_aCp.capacity() * sizeof(double));
            }
        }
        int32_t tapNo = 0;
        int valueCount = 0;
        bool commasOnly = false;
        const size_t before = m_aCp.size();
        const RecordParse parse = ParseRecord(line, count, tapNo, m_aCp, valueCount, commasOnly);
        // A record of plain comma-separated numbers (nearly every line) needs no second look;
        // any other line is refused when it looks like numbers with a decimal comma, as
        // before it is read.
        if (!commasOnly && kzv::LooksLikeDecimalComma(line)) {
            m_aCp.resize(before);
            ++report.decimalCommaLines;
            report.SkipLine(reader.LineNumber());
            continue;
        }
        if (parse != RecordParse::NotRecord && valueCount != count &&
            report.countMismatchLines++ == 0) {
            report.firstMismatchValueCount = valueCount;
        }
        if (parse != RecordParse::Ok) {
            m_aCp.resize(before);
            report.SkipLine(reader.LineNumber());
            continue;
        }
        // A value no measurement can have is kept as no value, so that the colour range and
        // the contours are made from the others.
        size_t unusable = 0;
        for (size_t k = before; k < m_aCp.size(); ++k) {
            if (std::fabs(m_aCp[k]) > kzv::kMaxUsableCp) {
                m_aCp[k] = NO_VALUE;
                ++unusable;
            }
        }
        if (unusable > 0) {
            report.NoteUnusable(reader.LineNumber(), unusable);
        }
        m_aTapNo.push_back(tapNo);
    }
    if (reader.Fault() != FileFault::None) {
        // Grew past the limit or failed while being read: nothing of it is kept.
        report = kzv::CFileReadInfo{reader.Fault(), kzv::kTableFileLimit};
        m_aTapNo.clear();
        m_aCp.clear();
        return false;
    }
    report.endsEarly = !endMarker;
    report.longLines = reader.CutLines();
    report.firstLongLine = reader.FirstCutLine();
    m_nDirectionCount = count;
    RebuildIndex();
    return true;
}

void CCpFile::RebuildIndex() {
    m_firstRecord.Build(m_aTapNo);
}

double CCpFile::GetCp(int32_t tapNo, int d) const {
    const int i = FindRecord(tapNo);
    if (i < 0 || d < 0 || d >= m_nDirectionCount) {
        return NO_VALUE;
    }
    const size_t k =
        static_cast<size_t>(i) * static_cast<size_t>(m_nDirectionCount) + static_cast<size_t>(d);
    return k < m_aCp.size() ? m_aCp[k] : NO_VALUE;
}
