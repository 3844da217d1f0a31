#include "dataset/DataSet.h"

#include <algorithm>
#include <cmath>

#include "geometry/VectorFunctions.h"

void CDataSet::UpdatePanelNormals() {
    const int panels = m_mesh.GetPanelCount();
    m_aPanelNormal.assign(static_cast<size_t>(panels), CVector4());
    const CCornerTable& corners = CornerPositions();
    std::vector<CVector4> corner;
    for (int p = 0; p < panels; ++p) {
        if (m_mesh.GetNodeCount(p) < 3) {
            continue;
        }
        // Panels of more than four corners are not in the table; they still get a normal.
        const int32_t* rec = corners.Count(p) > 0 ? corners.PosRecords(p) : nullptr;
        corner.clear();
        for (int k = 0; k < m_mesh.GetNodeCount(p); ++k) {
            corner.push_back(rec != nullptr ? PositionOfRecord(rec[k])
                                            : m_taps.GetPosition(m_mesh.GetNodeTapNo(p, k)));
        }
        // Over all corners, so that a panel whose first three corners lie on a line (or
        // nearly) still faces the way its surface does.
        CVector4 n = PolygonNormal(corner.data(), static_cast<int>(corner.size()));
        n.Normalize();
        m_aPanelNormal[static_cast<size_t>(p)] = n;
    }

    CVector4 lo, hi;
    m_geoMain.GetBounds(lo, hi);
    const float largest = std::max({std::fabs(lo.x), std::fabs(lo.y), std::fabs(lo.z),
                                    std::fabs(hi.x), std::fabs(hi.y), std::fabs(hi.z)});
    m_fLift = std::max(1.0f, 0.001f * largest);
}

const std::vector<double>& CDataSet::CpColumn(int d) const {
    return ValueColumn(EValueQuantity::Mean, d);
}

const std::vector<double>& CDataSet::ValueColumn(EValueQuantity q, int d) const {
    // ValueOfRecord for every record, with the table and its row length looked up once.
    const size_t records = m_cp.m_aTapNo.size();
    m_cpColumn.resize(records);
    const CCpFile& table = Table(q);
    const int n = table.m_nDirectionCount;
    if (d < 0 || d >= n) {
        std::fill(m_cpColumn.begin(), m_cpColumn.end(), NO_VALUE);
        return m_cpColumn;
    }
    const double* values = table.m_aCp.data();
    const size_t size = table.m_aCp.size();
    const size_t stride = static_cast<size_t>(n);
    size_t k = static_cast<size_t>(d);
    for (size_t i = 0; i < records; ++i, k += stride) {
        m_cpColumn[i] = k < size ? values[k] : NO_VALUE;
    }
    return m_cpColumn;
}

void CDataSet::UpdateDerived() {
    UpdatePanelNormals();
    m_bPanelIndexStale = true;
    ++m_nGeneration;
}

void CDataSet::TurnBuilding(double degrees) {
    m_geoMain = m_geoMainOrg;
    m_geoSub = m_geoSubOrg;
    m_taps = m_tapsOrg;
    m_dBuildingTurn = degrees;
    if (degrees != 0.0) {
        const double radians = DegToRad(degrees);
        m_geoMain.RotateAboutZ(radians);
        m_geoSub.RotateAboutZ(radians);
        m_taps.RotateAboutZ(radians);
    }
    UpdateDerived();
}

int CDataSet::GetPartCount() const {
    return static_cast<int>(m_geoMain.m_objects.size() + m_geoSub.m_objects.size());
}

namespace {

// Part i of the running index over main parts then sub parts, or null; keeps constness.
template <typename Geo>
auto PartIn(Geo& main, Geo& sub, int index) -> decltype(&main.m_objects[0]) {
    const int mainCount = static_cast<int>(main.m_objects.size());
    if (index < 0) {
        return nullptr;
    }
    if (index < mainCount) {
        return &main.m_objects[static_cast<size_t>(index)];
    }
    const size_t i = static_cast<size_t>(index - mainCount);
    return i < sub.m_objects.size() ? &sub.m_objects[i] : nullptr;
}

}  // namespace

COLORREF CDataSet::GetPartColor(int index) const {
    const CGeometryObject* part = PartIn(m_geoMain, m_geoSub, index);
    return part != nullptr ? VectorToColorRef(part->m_color) : 0;
}

void CDataSet::SetPartColor(int index, COLORREF packed) {
    // The as-read copies count their parts the same way, so a later rotation keeps the colour.
    for (CGeometryObject* part :
         {PartIn(m_geoMain, m_geoSub, index), PartIn(m_geoMainOrg, m_geoSubOrg, index)}) {
        if (part != nullptr) {
            part->m_color = ColorRefToVector(packed);
        }
    }
}

int CDataSet::GetPartMode(int index) const {
    const CGeometryObject* part = PartIn(m_geoMain, m_geoSub, index);
    return part != nullptr ? part->m_nDisplayMode : 2;
}

void CDataSet::SetPartMode(int index, int mode) {
    for (CGeometryObject* part :
         {PartIn(m_geoMainOrg, m_geoSubOrg, index), PartIn(m_geoMain, m_geoSub, index)}) {
        if (part != nullptr) {
            part->m_nDisplayMode = mode;
        }
    }
}
