#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dataset/CornerTable.h"
#include "dataset/CpFile.h"
#include "dataset/Geometry.h"
#include "dataset/HeaderFile.h"
#include "dataset/MeasurePosFile.h"
#include "dataset/MeshFile.h"
#include "dataset/PanelIndex.h"
#include "dataset/ValueTables.h"
#include "geometry/Color.h"
#include "geometry/Vector4.h"

// What a load reads from a data-set folder and what is derived from it: the geometry and taps
// as read and as turned by the building angle, the Cp table, the mesh, the header, the panel
// normals, the lift of drawings off the surface and the panel index. The display parts' modes
// and colours live in the geometry's parts.
class CDataSet {
public:
    std::string m_strDataFolder;  // with trailing '/', empty = no data set
    CGeometry m_geoMain, m_geoSub;
    CGeometry m_geoMainOrg, m_geoSubOrg;
    CMeasurePosFile m_taps, m_tapsOrg;
    CCpFile m_cp;  // the mean
    // The extra tables beside the mean (max, min, rms, peaks), record-aligned with m_cp.
    CValueTables m_tables;
    CMeshFile m_mesh;
    CHeaderFile m_header;
    float m_fScale = 1.0f;
    // What the last load could not read, as the message for the user (UTF-8); empty when
    // everything was read.
    std::string m_strLoadReport;

    // ---- derived ----
    std::vector<CVector4> m_aPanelNormal;
    float m_fLift = 1.0f;

    bool HasDataSet() const { return !m_strDataFolder.empty(); }

    // Unit normal of every panel from all its corner taps (Newell's sum), and the lift of contours
    // and mesh off the surface: 0.001 x the largest absolute coordinate of the main geometry,
    // at least 1.
    void UpdatePanelNormals();
    // m_aPanelNormal[p], or the zero vector when p has none (out of range).
    CVector4 PanelNormal(int p) const {
        return p >= 0 && static_cast<size_t>(p) < m_aPanelNormal.size()
                   ? m_aPanelNormal[static_cast<size_t>(p)]
                   : CVector4();
    }
    // Every panel's corners resolved to records of the taps and the Cp table; rebuilt here
    // whenever the taps', the Cp table's or the mesh's index has changed since.
    const CCornerTable& Corners() const {
        if (!m_corners.IsCurrent(m_taps, m_cp, m_mesh)) {
            m_corners.Build(m_taps, m_cp, m_mesh);
        }
        return m_corners;
    }
    // The positions half of Corners() alone: it reads no Cp table (which a load may still be
    // filling on another thread).
    const CCornerTable& CornerPositions() const {
        if (!m_corners.PositionsCurrent(m_taps, m_mesh)) {
            m_corners.BuildPositions(m_taps, m_mesh);
        }
        return m_corners;
    }
    // Position of the tap of a record index from Corners(); the origin for -1.
    CVector4 PositionOfRecord(int32_t record) const {
        return record >= 0 && static_cast<size_t>(record) < m_taps.m_aPos.size()
                   ? m_taps.m_aPos[static_cast<size_t>(record)]
                   : CVector4();
    }
    // Value of a Cp record index from Corners() for direction d; NO_VALUE for -1, as GetCp.
    double CpOfRecord(int32_t record, int d) const {
        const int n = m_cp.m_nDirectionCount;
        if (record < 0 || d < 0 || d >= n) {
            return NO_VALUE;
        }
        const size_t k =
            static_cast<size_t>(record) * static_cast<size_t>(n) + static_cast<size_t>(d);
        return k < m_cp.m_aCp.size() ? m_cp.m_aCp[k] : NO_VALUE;
    }

    // The table of a quantity, record-aligned with m_cp; m_cp itself for the mean and for a
    // quantity the data set does not hold.
    const CCpFile& Table(EValueQuantity q) const {
        const CCpFile* table = m_tables.Table(q, m_cp);
        return table != nullptr ? *table : m_cp;
    }
    // CpOfRecord in the table of quantity q.
    double ValueOfRecord(EValueQuantity q, int32_t record, int d) const {
        const CCpFile& table = Table(q);
        const int n = table.m_nDirectionCount;
        if (record < 0 || d < 0 || d >= n) {
            return NO_VALUE;
        }
        const size_t k =
            static_cast<size_t>(record) * static_cast<size_t>(n) + static_cast<size_t>(d);
        return k < table.m_aCp.size() ? table.m_aCp[k] : NO_VALUE;
    }

    // CpOfRecord(record, d) for every record of the Cp table, in record order: one pass along
    // the table instead of a jump into a tap's record for every corner of a frame. Valid until
    // the next call; ColumnValue reads it.
    const std::vector<double>& CpColumn(int d) const;
    // The same for the table of quantity q.
    const std::vector<double>& ValueColumn(EValueQuantity q, int d) const;
    static double ColumnValue(const std::vector<double>& column, int32_t record) {
        return record >= 0 && static_cast<size_t>(record) < column.size()
                   ? column[static_cast<size_t>(record)]
                   : NO_VALUE;
    }

    // The first panel, in mesh order, that holds p; -1 when none does. The panel index behind
    // it is built on the first question after a change of the positions, not with every load
    // and building angle: only picking asks.
    int FindPanelContaining(CVector4 p) const {
        if (m_bPanelIndexStale) {
            m_panelIndex.Build(*this);
            m_bPanelIndexStale = false;
        }
        return m_panelIndex.FindPanelContaining(p);
    }
    // The first panel, in mesh order, that holds p and that accept(panel) takes; -1 for none.
    template <typename Accept>
    int FindPanelContaining(CVector4 p, Accept accept) const {
        if (m_bPanelIndexStale) {
            m_panelIndex.Build(*this);
            m_bPanelIndexStale = false;
        }
        return m_panelIndex.FindPanelContaining(p, accept);
    }

    // Rebuilds the working geometry and taps from the as-read copies and turns them by the
    // angle about the vertical axis (x and y snapped to tenths; 0 restores them exactly as
    // read), then the normals and the panel index.
    void TurnBuilding(double degrees);
    // The angle of the last TurnBuilding (0 as loaded): what the wind arrows turn with.
    double m_dBuildingTurn = 0.0;
    // Everything derived from the tap positions: normals, lift, panel index (built when next
    // asked for). Whoever changes the working taps or mesh calls it; it also counts a new
    // generation of the positions.
    void UpdateDerived();
    // Counts up whenever the data set or its positions change (load, building angle): caches
    // of drawings derived from them compare it.
    uint64_t Generation() const { return m_nGeneration; }

    // Parts of the main geometry followed by those of the sub geometry.
    int GetPartCount() const;
    COLORREF GetPartColor(int index) const;
    void SetPartColor(int index, COLORREF packed);
    int GetPartMode(int index) const;
    void SetPartMode(int index, int mode);

private:
    uint64_t m_nGeneration = 0;
    mutable CCornerTable m_corners;
    mutable CPanelIndex m_panelIndex;
    mutable bool m_bPanelIndexStale = true;
    mutable std::vector<double> m_cpColumn;
};
