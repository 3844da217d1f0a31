#include "dataset/MeasurePosFile.h"

#include <cmath>

#include "dataset/LineReader.h"
#include "geometry/VectorFunctions.h"
#include "text/NumberParse.h"

using kzv::CLineReader;
using kzv::CTextCursor;

namespace {

// "%d,%g,%g,%g" as scanf reads it: white space is skipped before each number, the commas must
// follow the numbers directly, and the rest of the line is ignored.
bool ParseRecord(std::string_view line, int32_t& tapNo, CVector4& pos) {
    CTextCursor c(line);
    float x = 0, y = 0, z = 0;
    if (!c.ReadInt(tapNo) || !c.Expect(',') || !c.ReadFloat(x) || !c.Expect(',') ||
        !c.ReadFloat(y) || !c.Expect(',') || !c.ReadFloat(z)) {
        return false;
    }
    pos = CVector4(x, y, z, 0.0f);
    return true;
}

}  // namespace

bool CMeasurePosFile::Read(const char* path, kzv::CFileReadInfo* info) {
    kzv::CFileReadInfo scratch;
    kzv::CFileReadInfo& report = info != nullptr ? *info : scratch;
    report = kzv::CFileReadInfo();
    report.byteLimit = kzv::kTableFileLimit;
    m_aTapNo.clear();
    m_aPos.clear();
    m_firstRecord.Clear();

    CLineReader reader;
    report.fault = kzv::OpenDataFile(reader, path, m_strTag, m_nVersion, kzv::kTableFileLimit);
    if (report.fault != kzv::FileFault::None) {
        return false;
    }
    // Ends at "EOF" or at the end of the file; lines that are not records are skipped.
    std::string_view line;
    bool endMarker = false;
    bool reserved = false;
    while (reader.ReadLine(line)) {
        if (!reserved) {
            // Reserved from the first line's length; a record takes at least 8 bytes.
            reserved = true;
            const size_t records = static_cast<size_t>(reader.RecordsAhead(line.size(), 8));
            m_aTapNo.reserve(records);
            m_aPos.reserve(records);
        }
        if (line == "EOF") {
            endMarker = true;
            break;
        }
        if (kzv::IsBlankLine(line)) {
            continue;
        }
        int32_t tapNo = 0;
        CVector4 pos;
        if (kzv::LooksLikeDecimalComma(line)) {
            ++report.decimalCommaLines;
            report.SkipLine(reader.LineNumber());
        } else if (ParseRecord(line, tapNo, pos)) {
            if (std::fabs(pos.x) > kzv::kMaxUsableCoordinate ||
                std::fabs(pos.y) > kzv::kMaxUsableCoordinate ||
                std::fabs(pos.z) > kzv::kMaxUsableCoordinate) {
                report.NoteUnusable(reader.LineNumber());  // the tap is left out
                continue;
            }
            m_aTapNo.push_back(tapNo);
            m_aPos.push_back(pos);
        } else {
            report.SkipLine(reader.LineNumber());
        }
    }
    if (reader.Fault() != kzv::FileFault::None) {
        report = kzv::CFileReadInfo{reader.Fault(), kzv::kTableFileLimit};
        m_aTapNo.clear();
        m_aPos.clear();
        return false;
    }
    report.endsEarly = !endMarker;
    report.longLines = reader.CutLines();
    report.firstLongLine = reader.FirstCutLine();
    RebuildIndex();
    return true;
}

void CMeasurePosFile::RebuildIndex() {
    m_firstRecord.Build(m_aTapNo);
}

CVector4 CMeasurePosFile::GetPosition(int32_t tapNo) const {
    const int i = FindTap(tapNo);
    if (i < 0 || static_cast<size_t>(i) >= m_aPos.size()) {
        return CVector4();
    }
    return m_aPos[static_cast<size_t>(i)];
}

void CMeasurePosFile::RotateAboutZ(double radians) {
    const CVector4 origin;
    for (CVector4& p : m_aPos) {
        p = RotateAboutAxis(PLANE_XY, radians, origin, p);
    }
}
