#include "field/CornerTable.h"

#include "dataset/CpFile.h"
#include "dataset/MeasurePosFile.h"
#include "dataset/MeshFile.h"

void CCornerTable::Build(const CMeasurePosFile& taps, const CCpFile& cp, const CMeshFile& mesh) {
    const int panels = mesh.GetPanelCount();
    const size_t slots = static_cast<size_t>(panels) * 4;
    m_count.assign(static_cast<size_t>(panels), 0);
    m_tap.assign(slots, 0);
    m_pos.assign(slots, -1);
    m_cp.assign(slots, -1);
    // The Cp record of every tap's first position record, so that a corner needs one lookup.
    std::vector<int32_t> cpOfPos(taps.m_aTapNo.size());
    for (size_t i = 0; i < cpOfPos.size(); ++i) {
        cpOfPos[i] = cp.FindRecord(taps.m_aTapNo[i]);
    }
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
            const int pos = taps.FindTap(tap);
            m_pos[s] = pos;
            // The first position record of a tap has its number, so the record is the tap's.
            m_cp[s] = pos >= 0 && static_cast<size_t>(pos) < cpOfPos.size()
                          ? cpOfPos[static_cast<size_t>(pos)]
                          : cp.FindRecord(tap);
        }
    }
    m_tapsStamp = taps.IndexStamp();
    m_cpStamp = cp.IndexStamp();
    m_meshStamp = mesh.OffsetsStamp();
    m_meshCorners = mesh.m_aNodeTapNo.size();
    m_meshPanels = mesh.m_aNodeCount.size();
    m_built = true;
}

bool CCornerTable::IsCurrent(const CMeasurePosFile& taps, const CCpFile& cp,
                             const CMeshFile& mesh) const {
    return m_built && m_tapsStamp == taps.IndexStamp() && m_cpStamp == cp.IndexStamp() &&
           m_meshStamp == mesh.OffsetsStamp() && m_meshCorners == mesh.m_aNodeTapNo.size() &&
           m_meshPanels == mesh.m_aNodeCount.size() &&
           static_cast<size_t>(GetPanelCount()) == mesh.m_aPanelNo.size();
}
