#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CCpFile;
class CMeasurePosFile;
class CMeshFile;

// The corners of every mesh panel looked up once: for corner k of panel p its tap number, the
// index of the tap's first record in the taps' arrays and the index of its first record in the
// Cp table (-1 where there is none). Positions and values are then read by index, and a frame
// of contours does no lookup by tap number at all.
//
// The table remembers the stamps of the indexes it was built from, so a data set can tell
// whether a new load, a rebuilt index or a changed mesh has made it stale. Its two halves can
// be built apart: the positions need only the taps and the mesh (a load resolves them while
// the Cp table is still being read), the Cp records need the positions half.
class CCornerTable {
public:
    // Both halves; the positions half only when it is not current.
    void Build(const CMeasurePosFile& taps, const CCpFile& cp, const CMeshFile& mesh);
    void BuildPositions(const CMeasurePosFile& taps, const CMeshFile& mesh);
    bool PositionsCurrent(const CMeasurePosFile& taps, const CMeshFile& mesh) const;
    bool IsCurrent(const CMeasurePosFile& taps, const CCpFile& cp, const CMeshFile& mesh) const;

    int GetPanelCount() const { return static_cast<int>(m_count.size()); }
    // 3 or 4; 0 for a panel with another corner count and for p out of range.
    int Count(int p) const {
        return p >= 0 && static_cast<size_t>(p) < m_count.size() ? m_count[static_cast<size_t>(p)]
                                                                 : 0;
    }
    // Four entries per panel, of which the first Count(p) are used.
    const int32_t* Taps(int p) const { return &m_tap[static_cast<size_t>(p) * 4]; }
    const int32_t* PosRecords(int p) const { return &m_pos[static_cast<size_t>(p) * 4]; }
    const int32_t* CpRecords(int p) const { return &m_cp[static_cast<size_t>(p) * 4]; }

private:
    std::vector<uint8_t> m_count;
    std::vector<int32_t> m_tap;
    std::vector<int32_t> m_pos;
    std::vector<int32_t> m_cp;
    uint64_t m_tapsStamp = 0;
    uint64_t m_cpStamp = 0;
    uint64_t m_meshStamp = 0;
    size_t m_meshCorners = 0;
    size_t m_meshPanels = 0;
    bool m_builtPositions = false;
    bool m_builtValues = false;

    void BuildValues(const CMeasurePosFile& taps, const CCpFile& cp);
};
