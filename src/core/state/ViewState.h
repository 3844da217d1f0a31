#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <utility>
#include <vector>

#include "dataset/CpFile.h"
#include "dataset/HeaderFile.h"
#include "dataset/MeasurePosFile.h"
#include "dataset/MeshFile.h"
#include "geometry/Color.h"
#include "geometry/Geometry.h"
#include "geometry/Matrix4.h"
#include "geometry/Vector4.h"

// A point picked on the building surface: id -1, -2, ... in picking order, its position, the
// panel it lies on and its value for every direction.
struct CArbitraryPoint {
    int id = 0;
    CVector4 pos;
    int panel = -1;
    std::vector<double> values;
};

// A run of display lists, one per character of a text: (first list, count); (0, 0) = none.
using CTextLists = std::pair<unsigned, int>;

constexpr int COMMENT_ITEM_COUNT = 10;
constexpr int SLOT_COUNT = 20;
constexpr int MAX_DIVISIONS = 30;

// The comment block drawn over the view: which header items, where, in which font and colour.
struct CCommentRecord {
    CVector4 position;                       // top-left, window pixels, y down
    uint8_t flags[COMMENT_ITEM_COUNT] = {};  // items shown
    std::string font = "ＭＳ ゴシック";      // face name (bytes, UTF-8 here)
    int size = 14;                           // character height and line step, pixels
    CVector4 colour = COLOR_BLACK;
    CTextLists itemText[COMMENT_ITEM_COUNT] = {};
    std::vector<CTextLists> summaryLines;
};

// Copies what the user sets (position, item flags, font, size, colour), not the text lists.
void CopyCommentSettings(CCommentRecord& to, const CCommentRecord& from);

// Everything the pressure view is made of, without a window: the loaded data set, what is
// derived from it, every display setting, the camera and the selection. The view derives from
// it, so pages reach these members through g_pView under their own names; tests use it alone.
class CViewState {
public:
    CViewState();
    virtual ~CViewState() = default;

    // ---- data set ----
    std::string m_strDataFolder;  // with trailing '/', empty = no data set
    CGeometry m_geoMain, m_geoSub;
    CGeometry m_geoMainOrg, m_geoSubOrg;
    CMeasurePosFile m_taps, m_tapsOrg;
    CCpFile m_cp;
    CMeshFile m_mesh;
    CHeaderFile m_header;
    float m_fScale = 1.0f;

    // ---- derived ----
    std::vector<CVector4> m_aPanelNormal;
    float m_fLift = 1.0f;

    // ---- display switches ----
    uint8_t m_bShowMarkers = 1;
    uint8_t m_bShowNumbers = 0;
    uint8_t m_bShowAxes = 1;
    uint8_t m_bShowAxisNumbers = 0;
    uint8_t m_bShowMesh = 1;
    uint8_t m_bShowGround = 0;
    uint8_t m_bShowWind = 0;

    // ---- contours and labels ----
    std::vector<uint8_t> m_abPanelContour;
    int m_nContourKind = 0;
    int m_nLineColorMode = 0;
    CVector4 m_clrLine = COLOR_BLACK;
    uint8_t m_bShowLabels = 0;
    int m_nLabelSkip = 0;
    int m_nLabelColorMode = 0;
    CVector4 m_clrLabel = COLOR_BLACK;
    std::string m_strLabelFont = "ＭＳ ゴシック";
    int m_nLabelFontSize = 14;
    int m_nLabelFontList = 0;
    uint8_t m_abSlotOn[SLOT_COUNT] = {};
    CVector4 m_aSlot[SLOT_COUNT][2];
    int m_nEditSlot = -1;
    int m_nSlotPickCount = -1;
    int m_anSlotPanel[2] = {-1, -1};

    // ---- colour scale ----
    double m_dColorMax = 1.0;
    double m_dColorMin = -1.0;
    int m_nDivisions = 30;
    uint8_t m_bShowColorBar = 1;
    CVector4 m_aColorTable[MAX_DIVISIONS];
    CVector4 m_aBarQuad[MAX_DIVISIONS][4];
    int m_nBarBottom = 0;
    int m_nTickInterval = 3;

    int m_nDirection = 0;

    // ---- camera (the rotation matrix itself belongs to the OpenGL view) ----
    float m_fZoom = 1.0f;
    CVector4 m_vPan;
    CVector4 m_vRotStep;
    CVector4 m_vAngles;
    int m_nDragMode = 0;

    // ---- selection ----
    int m_nPickMode = 0;
    std::list<int> m_lstSelected;
    std::list<int> m_lstUndoGroup;
    std::list<CArbitraryPoint> m_lstArbitrary;
    CVector4 m_aCorner[4];
    int m_anCornerPanel[2] = {-1, -1};
    int m_nCornerCount = -1;

    // ---- material ----
    CVector4 m_clrAmbient{0.7f, 0.7f, 0.7f, 1.0f};
    CVector4 m_clrSpecular{0.8f, 0.8f, 0.8f, 1.0f};
    CVector4 m_clrShininess{100.0f, 100.0f, 100.0f, 1.0f};

    // ---- fonts and printing ----
    unsigned m_nAxisFontList = 0;
    unsigned m_nAxisFontListPrint = 0;
    uint8_t m_bPrinting = 0;
    CCommentRecord m_comment;
    CCommentRecord m_commentPrint;

    // Every display setting back to its initial state (see the member defaults); the rotation
    // is reset and the model turned -90 degrees about X at the next redraw; every geometry part
    // grey and outlined (working copies only); contours on for every panel.
    void ResetDisplayState(CMatrix4& rotation);

    // Unit normal of every panel from its first three corner taps, and the lift of contours
    // and mesh off the surface: 0.001 x the largest absolute coordinate of the main geometry,
    // at least 1.
    void UpdatePanelNormals();
    // m_aPanelNormal[p], or the zero vector when p has none (out of range).
    CVector4 PanelNormal(int p) const {
        return p >= 0 && static_cast<size_t>(p) < m_aPanelNormal.size()
                   ? m_aPanelNormal[static_cast<size_t>(p)]
                   : CVector4();
    }

    // Rebuilds the working geometry and taps from the as-read copies and turns them by the
    // angle about the vertical axis (x and y snapped to tenths); drops the arbitrary points.
    // Telling the value list is the view's part.
    void SetBuildingAngle(double degrees);

    // Forgets the selection: selected taps, the last group added and the arbitrary points.
    void ClearSelection();

    // Parts of the main geometry followed by those of the sub geometry.
    int GetPartCount() const;
    COLORREF GetPartColor(int index) const;
    void SetPartColor(int index, COLORREF packed);
    int GetPartMode(int index) const;
    void SetPartMode(int index, int mode);

    // The rotation matrix to identity and the angles to 0.
    void ResetRotation(CMatrix4& rotation);
    // Adds the step to the angles, each kept in [0, 360).
    void ApplyRotationStep();

    bool HasDataSet() const { return !m_strDataFolder.empty(); }
};
