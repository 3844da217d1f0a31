#include "dataset/HeaderFile.h"

#include "dataset/LineReader.h"

using kzv::CLineReader;

namespace {

// The next line, or an empty text once the file has ended.
std::string NextLine(CLineReader& reader) {
    std::string line;
    reader.ReadLine(line);
    return line;
}

}  // namespace

bool CHeaderFile::Read(const char* path) {
    CLineReader reader;
    if (!reader.Open(path) || !kzv::ReadTagLine(reader, m_strTag, m_nVersion)) {
        return false;
    }

    // Read into a fresh header and copy it over at the end, so that no field keeps a text
    // from an earlier read when this file does not reach it.
    CHeaderFile h;
    h.m_strTitle = NextLine(reader);
    h.m_strAffiliation = NextLine(reader);
    h.m_strMeasurer = NextLine(reader);
    h.m_strManager = NextLine(reader);

    // Summary lines up to "END", each followed by CR LF; the last CR LF is dropped again.
    std::string line;
    while (reader.ReadLine(line) && line != "END") {
        h.m_strSummary += line;
        h.m_strSummary += "\r\n";
    }
    if (!h.m_strSummary.empty()) {
        h.m_strSummary.resize(h.m_strSummary.size() - 2);
    }

    h.m_strBuildingShape = NextLine(reader);
    h.m_strRoofShape = NextLine(reader);
    h.m_strBuildingSize = NextLine(reader);
    h.m_strAdjacentCondition = NextLine(reader);

    CopyFrom(h);
    return true;
}

void CHeaderFile::Clear() {
    m_strTitle.clear();
    m_strAffiliation.clear();
    m_strMeasurer.clear();
    m_strManager.clear();
    m_strSummary.clear();
    m_strBuildingShape.clear();
    m_strRoofShape.clear();
    m_strBuildingSize.clear();
    m_strAdjacentCondition.clear();
}

void CHeaderFile::CopyFrom(const CHeaderFile& other) {
    m_strTitle = other.m_strTitle;
    m_strAffiliation = other.m_strAffiliation;
    m_strMeasurer = other.m_strMeasurer;
    m_strManager = other.m_strManager;
    m_strSummary = other.m_strSummary;
    m_strBuildingShape = other.m_strBuildingShape;
    m_strRoofShape = other.m_strRoofShape;
    m_strBuildingSize = other.m_strBuildingSize;
    m_strAdjacentCondition = other.m_strAdjacentCondition;
}
