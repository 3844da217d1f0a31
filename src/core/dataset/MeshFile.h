#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dataset/FileReadInfo.h"

// "mesh.msh": triangular and quadrilateral panels whose corners are taps, kept as three
// parallel tables. A panel is identified by its 0-based position in file order.
class CMeshFile {
public:
    CMeshFile() = default;
    CMeshFile(const CMeshFile&) = default;
    CMeshFile& operator=(const CMeshFile&) = default;
    virtual ~CMeshFile() = default;

    int32_t m_nVersion = 1;
    std::string m_strTag = "MESH_FILE";
    std::vector<int32_t> m_aPanelNo;    // panel number of each record; size P
    std::vector<int32_t> m_aNodeTapNo;  // corner taps, panel after panel
    std::vector<int32_t> m_aNodeCount;  // 3 or 4 per panel; sums to m_aNodeTapNo.size()

    // Replaces the contents with the file's. False (all arrays empty) when the file cannot be
    // opened or its first line is not "MESH_FILE,<version <= 1>". info, when given, receives
    // what could not be read.
    bool Read(const char* path, kzv::CFileReadInfo* info = nullptr);

    // Tap number of corner k of panel p; 0 (never a corner) when either index is out of range.
    int32_t GetNodeTapNo(int p, int k) const;

    // Offset of panel p's first corner in m_aNodeTapNo.
    size_t GetNodeOffset(int p) const;

    int GetPanelCount() const { return static_cast<int>(m_aPanelNo.size()); }

    // Corner count of panel p; 0 when p is out of range (also of a count table changed by hand).
    int GetNodeCount(int p) const {
        return p >= 0 && static_cast<size_t>(p) < m_aNodeCount.size()
                   ? m_aNodeCount[static_cast<size_t>(p)]
                   : 0;
    }

    // Rebuilt by Read; call after changing m_aNodeCount by hand.
    void RebuildOffsets();
    // Changes whenever the offsets are rebuilt, so that tables derived from the mesh can tell.
    uint64_t OffsetsStamp() const { return m_nOffsetsStamp; }

private:
    std::vector<size_t> m_aNodeStart;  // prefix sums of m_aNodeCount, size P + 1
    uint64_t m_nOffsetsStamp = 0;
};
