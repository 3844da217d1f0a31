#include "dataset/MeshFile.h"

#include "dataset/LineReader.h"
#include "dataset/TapIndex.h"
#include "text/NumberParse.h"

using kzv::CLineReader;
using kzv::CTextCursor;

namespace {

// A record: panel number, then the corner fields, all integers separated by single characters
// (commas). Four fields with a 0 in the fourth make a triangle, four non-zero fields a
// quadrilateral; three non-zero fields (a triangle written without its trailing 0) are also a
// triangle. Fields after the fourth are ignored. Anything else (fewer than three corners, a 0
// among the first three, text) is not a panel and stores nothing, so the corner count always
// equals the corners appended.
bool ParseRecord(std::string_view line, int32_t& panelNo, int32_t corners[4], int& count) {
    CTextCursor c(line);
    if (!c.ReadInt(panelNo)) {
        return false;
    }
    c.SkipOne();
    count = 0;
    for (int k = 0; k < 4; ++k) {
        int32_t tap = 0;
        if (!c.ReadInt(tap)) {
            break;
        }
        c.SkipOne();
        if (tap == 0) {
            if (k < 3) {
                return false;
            }
            break;
        }
        corners[count++] = tap;
    }
    return count >= 3;
}

}  // namespace

bool CMeshFile::Read(const char* path, kzv::CFileReadInfo* info) {
    kzv::CFileReadInfo scratch;
    kzv::CFileReadInfo& report = info != nullptr ? *info : scratch;
    report = kzv::CFileReadInfo();
    report.byteLimit = kzv::kTableFileLimit;
    m_aPanelNo.clear();
    m_aNodeTapNo.clear();
    m_aNodeCount.clear();
    m_aNodeStart.assign(1, 0);

    CLineReader reader;
    report.fault = kzv::OpenDataFile(reader, path, m_strTag, m_nVersion, kzv::kTableFileLimit);
    if (report.fault != kzv::FileFault::None) {
        return false;
    }
    // The data ends at the first line beginning with 'E' ("EOF"), or at the end of the file.
    std::string_view line;
    bool endMarker = false;
    bool reserved = false;
    while (reader.ReadLine(line)) {
        if (!reserved) {
            // Reserved from the first line's length; a record takes at least 8 bytes.
            reserved = true;
            const size_t records = static_cast<size_t>(reader.RecordsAhead(line.size(), 8));
            m_aPanelNo.reserve(records);
            m_aNodeCount.reserve(records);
            m_aNodeTapNo.reserve(records * 4);
        }
        if (!line.empty() && line[0] == 'E') {
            endMarker = true;
            break;
        }
        if (kzv::IsBlankLine(line)) {
            continue;
        }
        int32_t panelNo = 0;
        int32_t corners[4];
        int count = 0;
        if (!ParseRecord(line, panelNo, corners, count)) {
            report.SkipLine(reader.LineNumber());
            continue;
        }
        m_aPanelNo.push_back(panelNo);
        m_aNodeTapNo.insert(m_aNodeTapNo.end(), corners, corners + count);
        m_aNodeCount.push_back(count);
    }
    if (reader.Fault() != kzv::FileFault::None) {
        report = kzv::CFileReadInfo{reader.Fault(), kzv::kTableFileLimit};
        m_aPanelNo.clear();
        m_aNodeTapNo.clear();
        m_aNodeCount.clear();
    }
    RebuildOffsets();
    if (report.fault != kzv::FileFault::None) {
        return false;
    }
    report.endsEarly = !endMarker;
    report.longLines = reader.CutLines();
    report.firstLongLine = reader.FirstCutLine();
    return true;
}

void CMeshFile::RebuildOffsets() {
    m_aNodeStart.assign(1, 0);
    m_aNodeStart.reserve(m_aNodeCount.size() + 1);
    for (int32_t n : m_aNodeCount) {
        m_aNodeStart.push_back(m_aNodeStart.back() + static_cast<size_t>(n > 0 ? n : 0));
    }
    m_nOffsetsStamp = NextTableStamp();
}

size_t CMeshFile::GetNodeOffset(int p) const {
    if (p < 0 || static_cast<size_t>(p) + 1 >= m_aNodeStart.size()) {
        return m_aNodeTapNo.size();
    }
    return m_aNodeStart[static_cast<size_t>(p)];
}

int32_t CMeshFile::GetNodeTapNo(int p, int k) const {
    if (p < 0 || static_cast<size_t>(p) + 1 >= m_aNodeStart.size() || k < 0 ||
        static_cast<size_t>(p) >= m_aNodeCount.size() ||
        k >= m_aNodeCount[static_cast<size_t>(p)]) {
        return 0;
    }
    const size_t i = m_aNodeStart[static_cast<size_t>(p)] + static_cast<size_t>(k);
    return i < m_aNodeTapNo.size() ? m_aNodeTapNo[i] : 0;
}
