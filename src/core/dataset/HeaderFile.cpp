#include "dataset/HeaderFile.h"

#include "dataset/LineReader.h"

using kzv::CLineReader;

namespace {

// The next line, or an empty text once the file has ended (complete then becomes false).
std::string NextLine(CLineReader& reader, bool& complete) {
    std::string line;
    complete = reader.ReadLine(line) && complete;
    return line;
}

}  // namespace

bool CHeaderFile::Read(const char* path, kzv::CFileReadInfo* info) {
    return ReadAt(kzv::kCurrentFolder, path, info);
}

bool CHeaderFile::ReadAt(int dirFd, const char* path, kzv::CFileReadInfo* info) {
    kzv::CFileReadInfo scratch;
    kzv::CFileReadInfo& report = info != nullptr ? *info : scratch;
    report = kzv::CFileReadInfo();
    report.byteLimit = kzv::kHeaderFileLimit;
    CLineReader reader;
    report.fault =
        kzv::OpenDataFile(reader, path, m_strTag, m_nVersion, kzv::kHeaderFileLimit, dirFd);
    if (report.fault != kzv::FileFault::None) {
        return false;
    }

    // Read into a fresh header and copy it over at the end, so that no field keeps a text
    // from an earlier read when this file does not reach it.
    CHeaderFile h;
    bool complete = true;
    h.m_strTitle = NextLine(reader, complete);
    h.m_strAffiliation = NextLine(reader, complete);
    h.m_strMeasurer = NextLine(reader, complete);
    h.m_strManager = NextLine(reader, complete);

    // Summary lines up to "END", each followed by CR LF; the last CR LF is dropped again.
    std::string line;
    bool endLine = false;
    while (complete && reader.ReadLine(line)) {
        if (line == "END") {
            endLine = true;
            break;
        }
        h.m_strSummary += line;
        h.m_strSummary += "\r\n";
    }
    complete = complete && endLine;
    if (!h.m_strSummary.empty()) {
        h.m_strSummary.resize(h.m_strSummary.size() - 2);
    }

    h.m_strBuildingShape = NextLine(reader, complete);
    h.m_strRoofShape = NextLine(reader, complete);
    h.m_strBuildingSize = NextLine(reader, complete);
    h.m_strAdjacentCondition = NextLine(reader, complete);
    if (reader.Fault() != kzv::FileFault::None) {
        report.fault = reader.Fault();  // grew past the limit or failed while being read
        return false;
    }
    report.endsEarly = !complete;

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
