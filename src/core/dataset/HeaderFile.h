#pragma once

#include <cstdint>
#include <string>

#include "dataset/FileReadInfo.h"

// "header": the descriptive metadata of a data set. Texts are kept as the bytes of the file
// (usually the Japanese code page); converting them for display is the caller's business.
class CHeaderFile {
public:
    CHeaderFile() = default;
    CHeaderFile(const CHeaderFile&) = default;
    CHeaderFile& operator=(const CHeaderFile&) = default;
    virtual ~CHeaderFile() = default;

    int32_t m_nVersion = 1;
    std::string m_strTag = "HEADER_FILE";

    std::string m_strTitle;
    std::string m_strAffiliation;
    std::string m_strMeasurer;
    std::string m_strManager;
    std::string m_strSummary;  // several lines joined with CR LF
    std::string m_strBuildingShape;
    std::string m_strRoofShape;
    std::string m_strBuildingSize;
    std::string m_strAdjacentCondition;

    // Reads the file. False, with the nine fields left as they were, when the file cannot be
    // opened or its first line is not "HEADER_FILE,<version <= 1>". Otherwise true, and every
    // one of the nine fields is set from the file: a file that ends early (before "END" or
    // before the four lines after it) gives the lines it has, and the fields it does not reach
    // are empty. Lines are kept whole however long (cutting them for the screen is the
    // display's business). info, when given, receives why the file was refused, or that it ended
    // early.
    bool Read(const char* path, kzv::CFileReadInfo* info = nullptr);
    // The same for the file name in the open folder dirFd.
    bool ReadAt(int dirFd, const char* name, kzv::CFileReadInfo* info = nullptr);

    // Empties the nine text fields.
    void Clear();
    // Copies the nine text fields of other.
    void CopyFrom(const CHeaderFile& other);
};
