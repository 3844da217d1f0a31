#include "dataset/CornerTable.h"

#include "dataset/CpFile.h"
#include "dataset/MeasurePosFile.h"
#include "dataset/MeshFile.h"

void CCornerTable::Build(const CMeasurePosFile& taps, const CCpFile& cp, const CMeshFile& mesh) {
    if (!PositionsCurrent(taps, mesh)) {
        BuildPositions(taps, mesh);
    }
    BuildValues(taps, cp);
}

void CCornerTable::BuildPositions(const CMeasurePosFile& taps, const CMeshFile& mesh) {
    const int panels = mesh.GetPanelCount();
    const size_t slots = static_cast<size_t>(panels) * 4;
    m_count.assign(static_cast<size_t>(panels), 0);
    m_tap.assign(slots, 0);
    m_pos.assign(slots, -1);
    for (int p = 0; p < panels; ++p) {
        const int count = mesh.GetNodeCount(p);
        if (count != 3 && count != 4) {
            continue;
        }
        m_count[static_cast<size_t>(p)] = static_cast<uint8_t>(count);
        for (int k = 0; k < count; ++k) {
            const size_t s = static_cast<size_t>(p) * 4 + static_cast<size_t>(k);
            const int32_t tap = mesh.GetNodeTapNo(p, k);
            m_tap[s] = tap;
            m_pos[s] = taps.FindTap(tap);
        }
    }
    m_tapsStamp = taps.IndexStamp();
    m_meshStamp = mesh.OffsetsStamp();
    m_meshCorners = mesh.m_aNodeTapNo.size();
    m_meshPanels = mesh.m_aNodeCount.size();
    m_builtPositions = true;
    m_builtValues = false;
}

void CCornerTable::BuildValues(const CMeasurePosFile& taps, const CCpFile& cp) {
    // The Cp record of every tap's first position record, so that most corners need no lookup
    // of their own: the first position record of a tap has its number.
    std::vector<int32_t> cpOfPos(taps.m_aTapNo.size());
    for (size_t i = 0; i < cpOfPos.size(); ++i) {
        cpOfPos[i] = cp.FindRecord(taps.m_aTapNo[i]);
    }
    m_cp.assign(m_tap.size(), -1);
    for (size_t s = 0; s < m_tap.size(); ++s) {
        if (m_count[s / 4] <= s % 4) {
            continue;
        }
        const int32_t pos = m_pos[s];
        m_cp[s] = pos >= 0 && static_cast<size_t>(pos) < cpOfPos.size()
                      ? cpOfPos[static_cast<size_t>(pos)]
                      : cp.FindRecord(m_tap[s]);
    }
    m_cpStamp = cp.IndexStamp();
    m_builtValues = true;
}

bool CCornerTable::PositionsCurrent(const CMeasurePosFile& taps, const CMeshFile& mesh) const {
    return m_builtPositions && m_tapsStamp == taps.IndexStamp() &&
           m_meshStamp == mesh.OffsetsStamp() && m_meshCorners == mesh.m_aNodeTapNo.size() &&
           m_meshPanels == mesh.m_aNodeCount.size() &&
           static_cast<size_t>(GetPanelCount()) == mesh.m_aPanelNo.size();
}

bool CCornerTable::IsCurrent(const CMeasurePosFile& taps, const CCpFile& cp,
                             const CMeshFile& mesh) const {
    return PositionsCurrent(taps, mesh) && m_builtValues && m_cpStamp == cp.IndexStamp();
}
