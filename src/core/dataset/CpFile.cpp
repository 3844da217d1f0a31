#include "dataset/CpFile.h"

#include "dataset/LineReader.h"
#include "text/NumberParse.h"

using kzv::CLineReader;
using kzv::CTextCursor;

namespace {

// Direction counts this program handles: the direction page steps by N / 8 and the Tolvex
// export takes every (N / 16)-th value.
bool IsValidDirectionCount(int n) {
    return n > 0 && n % 8 == 0;
}

// A record: tap number, then N values, each number followed by one separator character (any
// character; blanks before a number are skipped). Values beyond the N-th are ignored. A line
// that does not hold a tap number and N numbers is not a record and stores nothing, so the
// table stays aligned: exactly N values per stored tap number.
bool ParseRecord(const std::string& line, int n, int32_t& tapNo, std::vector<double>& values) {
    CTextCursor cursor(line);
    if (!cursor.ReadInt(tapNo)) {
        return false;
    }
    cursor.SkipOne();
    values.clear();
    for (int d = 0; d < n; ++d) {
        double v = 0.0;
        if (!cursor.ReadDouble(v)) {
            return false;
        }
        values.push_back(v);
        cursor.SkipOne();
    }
    return true;
}

}  // namespace

CCpFile::CCpFile() = default;

bool CCpFile::Read(const char* path) {
    m_aTapNo.clear();
    m_aCp.clear();
    m_firstRecord.Clear();

    CLineReader reader;
    if (!reader.Open(path) || !kzv::ReadTagLine(reader, m_strTag, m_nVersion)) {
        return false;
    }
    std::string line;
    int count = 0;
    if (!reader.ReadLine(line) || !CTextCursor(line).ReadInt(count) ||
        !IsValidDirectionCount(count)) {
        return false;
    }
    m_nDirectionCount = count;

    // Stops at "EOF" or, when the marker is missing, at the end of the file: a file without
    // the marker still gives every record it holds.
    std::vector<double> values;
    while (reader.ReadLine(line) && line != "EOF") {
        if (!line.empty() && line[0] == '#') {
            continue;
        }
        int32_t tapNo = 0;
        if (!ParseRecord(line, count, tapNo, values)) {
            continue;
        }
        m_aTapNo.push_back(tapNo);
        m_aCp.insert(m_aCp.end(), values.begin(), values.end());
    }
    RebuildIndex();
    return true;
}

void CCpFile::RebuildIndex() {
    m_firstRecord.Build(m_aTapNo);
}

int CCpFile::FindRecord(int32_t tapNo) const {
    return m_firstRecord.Find(tapNo);
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
