#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dataset/FileReadInfo.h"
#include "dataset/TapIndex.h"

#include "geometry/Vector4.h"

// "measure.pos": the position of every pressure tap.
class CMeasurePosFile {
public:
    CMeasurePosFile() = default;
    CMeasurePosFile(const CMeasurePosFile&) = default;
    // Copies tap numbers and positions; tag and version are the same in every instance.
    CMeasurePosFile& operator=(const CMeasurePosFile&) = default;
    virtual ~CMeasurePosFile() = default;

    int32_t m_nVersion = 1;
    std::string m_strTag = "MEASUREPOS_FILE";
    std::vector<int32_t> m_aTapNo;  // file order
    std::vector<CVector4> m_aPos;   // same index; w = 0

    // Replaces the contents with the file's. False (both arrays empty) when the file cannot be
    // opened or its first line is not "MEASUREPOS_FILE,<version <= 1>". info, when given,
    // receives what could not be read.
    bool Read(const char* path, kzv::CFileReadInfo* info = nullptr);

    // Position of the first record with that tap number; the origin for a tap the file does
    // not hold.
    CVector4 GetPosition(int32_t tapNo) const;

    // Index of the first record of a tap, or -1.
    int FindTap(int32_t tapNo) const { return m_firstRecord.Find(tapNo); }

    // Turns every position about the Z axis through the origin; x and y snapped to tenths.
    void RotateAboutZ(double radians);

    // Rebuilt by Read; call after changing m_aTapNo by hand.
    void RebuildIndex();
    // Changes whenever the index is rebuilt (see CTapIndex::Stamp).
    uint64_t IndexStamp() const { return m_firstRecord.Stamp(); }

private:
    CTapIndex m_firstRecord;
};
