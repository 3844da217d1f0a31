#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dataset/FileReadInfo.h"
#include "dataset/TapIndex.h"

// The most wind directions a "cp.dat" may declare. The program is made for 8, 16 and 32 (the
// compass, the direction steps and the Tolvex export); a larger count would make every picked
// point and every grid cost memory and time in proportion to it.
constexpr int32_t kMaxDirectionCount = 32;

// Returned for a tap without a record; every consumer treats a Cp of 990.0 or more as no value.
constexpr double NO_VALUE = 990.0;

// "cp.dat": the pressure coefficient of every tap for each of N wind directions.
class CCpFile {
public:
    CCpFile();
    CCpFile(const CCpFile&) = default;
    CCpFile& operator=(const CCpFile&) = default;
    // A table handed on (into the value tables, out of a reader) is moved, not copied: the
    // declared copy and destructor would otherwise turn every std::move into a copy.
    CCpFile(CCpFile&&) noexcept = default;
    CCpFile& operator=(CCpFile&&) noexcept = default;
    virtual ~CCpFile() = default;

    int32_t m_nVersion = 1;
    std::string m_strTag = "CP_FILE";
    // N, a positive multiple of 8. Set only when a file's header is accepted; before the first
    // accepted file it is 8, so the rest of the program can always divide by N / 8.
    int32_t m_nDirectionCount = 8;
    std::vector<int32_t> m_aTapNo;  // tap number of each record, file order
    std::vector<double> m_aCp;      // record i, direction d at i * N + d

    // Replaces the contents with the file's. False (with both arrays empty) when the file cannot
    // be opened, its first line is not "CP_FILE,<version <= 1>" or its direction count is not a
    // positive multiple of 8 up to kMaxDirectionCount. info, when given, receives what could not be
    // read.
    bool Read(const char* path, kzv::CFileReadInfo* info = nullptr);

    // Value of the first record with tap number tapNo for direction index d; NO_VALUE when no
    // record has that number (or d is outside 0..N-1).
    double GetCp(int32_t tapNo, int d) const;

    // Index of the first record of a tap, or -1. Rebuilt by Read; call RebuildIndex after
    // changing m_aTapNo by hand.
    int FindRecord(int32_t tapNo) const { return m_firstRecord.Find(tapNo); }
    void RebuildIndex();
    // Changes whenever the index is rebuilt (see CTapIndex::Stamp).
    uint64_t IndexStamp() const { return m_firstRecord.Stamp(); }

private:
    CTapIndex m_firstRecord;
};
