#include "dataset/MeasurePosFile.h"

#include "dataset/LineReader.h"
#include "geometry/VectorFunctions.h"
#include "text/NumberParse.h"

using kzv::CLineReader;
using kzv::CTextCursor;

namespace {

// "%d,%g,%g,%g" as scanf reads it: white space is skipped before each number, the commas must
// follow the numbers directly, and the rest of the line is ignored.
bool ParseRecord(const std::string& line, int32_t& tapNo, CVector4& pos) {
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

bool CMeasurePosFile::Read(const char* path) {
    m_aTapNo.clear();
    m_aPos.clear();
    m_firstRecord.Clear();

    CLineReader reader;
    if (!reader.Open(path) || !kzv::ReadTagLine(reader, m_strTag, m_nVersion)) {
        return false;
    }
    // Ends at "EOF" or at the end of the file; lines that are not records are skipped.
    std::string line;
    while (reader.ReadLine(line) && line != "EOF") {
        int32_t tapNo = 0;
        CVector4 pos;
        if (ParseRecord(line, tapNo, pos)) {
            m_aTapNo.push_back(tapNo);
            m_aPos.push_back(pos);
        }
    }
    RebuildIndex();
    return true;
}

void CMeasurePosFile::RebuildIndex() {
    m_firstRecord.Build(m_aTapNo);
}

int CMeasurePosFile::FindTap(int32_t tapNo) const {
    return m_firstRecord.Find(tapNo);
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
