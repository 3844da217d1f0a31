#include "state/ViewState.h"

#include <algorithm>
#include <iterator>
#include <cmath>

#include "geometry/VectorFunctions.h"

CViewState::CViewState() {
    m_aColorTable[0] = COLOR_BLUE;
    m_aColorTable[MAX_DIVISIONS - 1] = COLOR_RED;
    for (auto& quad : m_aBarQuad) {
        for (CVector4& v : quad) {
            v.z = 1000.0f;
        }
    }
}

void CViewState::ClearSelection() {
    m_lstSelected.clear();
    m_lstUndoGroup.clear();
    m_lstArbitrary.clear();
}

void CopyCommentSettings(CCommentRecord& to, const CCommentRecord& from) {
    to.position = from.position;
    std::copy(std::begin(from.flags), std::end(from.flags), std::begin(to.flags));
    to.font = from.font;
    to.size = from.size;
    to.colour = from.colour;
}

void CViewState::ResetDisplayState(CMatrix4& rotation) {
    m_bShowMarkers = 1;
    m_bShowNumbers = 0;
    m_bShowAxes = 1;
    m_bShowAxisNumbers = 0;
    m_bShowMesh = 1;
    m_bShowGround = 0;
    m_bShowWind = 0;
    m_nDirection = 0;
    m_nCornerCount = -1;
    m_nPickMode = 0;
    m_nDragMode = 0;

    m_nContourKind = 0;
    m_nLineColorMode = 0;
    m_clrLine = COLOR_BLACK;
    m_bShowLabels = 0;
    m_nLabelSkip = 0;
    m_nLabelColorMode = 0;
    m_clrLabel = COLOR_BLACK;
    m_strLabelFont = "ＭＳ ゴシック";
    m_nLabelFontSize = 14;
    m_nEditSlot = -1;
    m_nSlotPickCount = -1;
    std::fill(std::begin(m_abSlotOn), std::end(m_abSlotOn), 0);  // the segments stay

    m_comment.colour = COLOR_BLACK;
    m_comment.font = "ＭＳ ゴシック";
    m_comment.size = 14;
    m_comment.position = CVector4(0, 0, 0);
    std::fill(std::begin(m_comment.flags), std::end(m_comment.flags), 0);

    m_clrAmbient = CVector4(0.7f, 0.7f, 0.7f, 1.0f);
    m_clrSpecular = CVector4(0.8f, 0.8f, 0.8f, 1.0f);
    m_clrShininess = CVector4(100.0f, 100.0f, 100.0f, 1.0f);

    m_dColorMax = 1.0;
    m_dColorMin = -1.0;
    m_nDivisions = 30;
    m_bShowColorBar = 1;
    m_aColorTable[0] = COLOR_BLUE;
    m_aColorTable[MAX_DIVISIONS - 1] = COLOR_RED;
    m_fZoom = 1.0f;
    m_nTickInterval = 3;
    m_vPan.Set(0, 0, 0);

    // The "Z axis positive" view: identity, then -90 degrees about X at the next redraw.
    ResetRotation(rotation);
    m_vRotStep = CVector4(-90.0f, 0.0f, 0.0f);
    ApplyRotationStep();

    m_geoMain.ResetObjectStyles();
    m_geoSub.ResetObjectStyles();
    m_abPanelContour.assign(static_cast<size_t>(m_mesh.GetPanelCount()), 1);
}

void CViewState::UpdatePanelNormals() {
    const int panels = m_mesh.GetPanelCount();
    m_aPanelNormal.assign(static_cast<size_t>(panels), CVector4());
    for (int p = 0; p < panels; ++p) {
        if (m_mesh.GetNodeCount(p) < 3) {
            continue;
        }
        CVector4 n = TriangleNormal(m_taps.GetPosition(m_mesh.GetNodeTapNo(p, 0)),
                                    m_taps.GetPosition(m_mesh.GetNodeTapNo(p, 1)),
                                    m_taps.GetPosition(m_mesh.GetNodeTapNo(p, 2)));
        n.Normalize();
        m_aPanelNormal[static_cast<size_t>(p)] = n;
    }

    CVector4 lo, hi;
    m_geoMain.GetBounds(lo, hi);
    const float largest = std::max({std::fabs(lo.x), std::fabs(lo.y), std::fabs(lo.z),
                                    std::fabs(hi.x), std::fabs(hi.y), std::fabs(hi.z)});
    m_fLift = std::max(1.0f, 0.001f * largest);
}

void CViewState::SetBuildingAngle(double degrees) {
    m_geoMain = m_geoMainOrg;
    m_geoSub = m_geoSubOrg;
    m_taps = m_tapsOrg;
    if (degrees != 0.0) {
        const double radians = DegToRad(degrees);
        m_geoMain.RotateAboutZ(radians);
        m_geoSub.RotateAboutZ(radians);
        m_taps.RotateAboutZ(radians);
    }
    UpdatePanelNormals();
    m_lstArbitrary.clear();
}

int CViewState::GetPartCount() const {
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

COLORREF CViewState::GetPartColor(int index) const {
    const CGeometryObject* part = PartIn(m_geoMain, m_geoSub, index);
    return part != nullptr ? VectorToColorRef(part->m_color) : 0;
}

void CViewState::SetPartColor(int index, COLORREF packed) {
    // The as-read copies count their parts the same way, so a later rotation keeps the colour.
    for (CGeometryObject* part :
         {PartIn(m_geoMain, m_geoSub, index), PartIn(m_geoMainOrg, m_geoSubOrg, index)}) {
        if (part != nullptr) {
            part->m_color = ColorRefToVector(packed);
        }
    }
}

int CViewState::GetPartMode(int index) const {
    const CGeometryObject* part = PartIn(m_geoMain, m_geoSub, index);
    return part != nullptr ? part->m_nDisplayMode : 2;
}

void CViewState::SetPartMode(int index, int mode) {
    for (CGeometryObject* part :
         {PartIn(m_geoMainOrg, m_geoSubOrg, index), PartIn(m_geoMain, m_geoSub, index)}) {
        if (part != nullptr) {
            part->m_nDisplayMode = mode;
        }
    }
}

void CViewState::ResetRotation(CMatrix4& rotation) {
    rotation.SetIdentity();
    m_vAngles = CVector4(0, 0, 0);
}

void CViewState::ApplyRotationStep() {
    float* angles[3] = {&m_vAngles.x, &m_vAngles.y, &m_vAngles.z};
    const float steps[3] = {m_vRotStep.x, m_vRotStep.y, m_vRotStep.z};
    for (int i = 0; i < 3; ++i) {
        float a = *angles[i] + steps[i];
        if (a >= 360.0f) {
            a -= 360.0f;
        } else if (a < 0.0f) {
            a += 360.0f;
        }
        *angles[i] = a;
    }
}
