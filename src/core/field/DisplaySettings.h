#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "geometry/Color.h"
#include "geometry/Vector4.h"

constexpr int COMMENT_ITEM_COUNT = 10;
constexpr int SLOT_COUNT = 20;
constexpr int MAX_DIVISIONS = 30;

// How the value at a point of the surface between the taps is formed from the corners of the
// sub-triangle that holds it (the data-value page's choice).
enum ValueMethod {
    VALUE_LINEAR = 0,            // linear, as the contours colour the sub-triangle
    VALUE_INVERSE_DISTANCE = 1,  // the corners' mean weighted by inverse distance
};

// Which values of the shown quantity the view shows: those of one wind direction, or per tap
// the extreme over every direction (the direction control's three envelope entries).
enum EnvelopeChoice {
    ENVELOPE_NONE = 0,    // the direction m_nDirection
    ENVELOPE_MAX = 1,     // "全風向の最大"
    ENVELOPE_MIN = 2,     // "全風向の最小"
    ENVELOPE_ABSMAX = 3,  // "全風向の絶対値最大"
};
constexpr int ENVELOPE_CHOICE_COUNT = 4;

// The comment block drawn over the view: which header items, where, in which font and colour.
struct CCommentRecord {
    CVector4 position;                       // top-left, window pixels, y down
    uint8_t flags[COMMENT_ITEM_COUNT] = {};  // items shown
    std::string font = "ＭＳ ゴシック";      // face name (bytes, UTF-8 here)
    int size = 14;                           // character height and line step, pixels
    CVector4 colour = COLOR_BLACK;
};

// Every display setting that the display-settings file keeps, besides the camera and the
// parts' modes and colours: each default is declared here once, and resetting the display is
// assigning a default-constructed object (see CViewState::ResetDisplayState for the
// exceptions). The settings file, the pages and the tests use this one declaration.
class CDisplaySettings {
public:
    CDisplaySettings();

    // ---- display switches ----
    uint8_t m_bShowMarkers = 1;
    uint8_t m_bShowNumbers = 0;
    uint8_t m_bShowAxes = 1;
    uint8_t m_bShowAxisNumbers = 0;
    uint8_t m_bShowMesh = 1;
    uint8_t m_bShowGround = 0;
    uint8_t m_bShowWind = 0;
    // Tap markers and numbers of a data set of more than 2 000 taps thinned on screen so that
    // markers keep room between them and numbers do not touch (PickLegible in field/Legible.h;
    // listed taps always show): a dense set keeps its colours visible. Off shows every marker
    // and number. Kept in the settings file ("TAP_THINNING_SETTING", written only when off).
    uint8_t m_bThinTaps = 1;

    int m_nDirection = 0;  // index of the wind direction shown

    // ---- the values shown ----
    // The quantity ("表示する値"): an EValueQuantity index, 0 the mean. A quantity the data set
    // does not hold shows the mean. Not kept in the settings file: which tables there are is
    // the data set's; a load and a reset show the mean.
    int m_nQuantity = 0;
    int m_nEnvelope = ENVELOPE_NONE;  // EnvelopeChoice; the direction stays for the steps
    // While an envelope is shown, each tap is labelled with the angle of its governing
    // direction instead of its number.
    uint8_t m_bShowGoverning = 0;

    // ---- contours and labels ----
    std::vector<uint8_t> m_abPanelContour;  // one per panel; reset makes it all 1
    int m_nContourKind = 0;                 // 0 surface, 1 lines, 2 both
    int m_nLineColorMode = 0;               // 0 level colour, 1 m_clrLine, other: no lines
    CVector4 m_clrLine = COLOR_BLACK;
    uint8_t m_bShowLabels = 0;
    int m_nLabelSkip = 0;
    int m_nLabelColorMode = 0;  // 0 the line's colour, 1 m_clrLabel
    CVector4 m_clrLabel = COLOR_BLACK;
    std::string m_strLabelFont = "ＭＳ ゴシック";
    int m_nLabelFontSize = 14;
    uint8_t m_abSlotOn[SLOT_COUNT] = {};
    CVector4 m_aSlot[SLOT_COUNT][2];  // segments A-B on the model; a reset keeps them

    // ---- colour scale ----
    double m_dColorMax = 1.0;
    double m_dColorMin = -1.0;
    int m_nDivisions = 30;
    uint8_t m_bShowColorBar = 1;
    CVector4 m_aColorTable[MAX_DIVISIONS];  // the ramp from blue (band 0) to red (band 29)
    int m_nTickInterval = 3;

    // ---- values at arbitrary points ----
    int m_nValueMethod = VALUE_LINEAR;

    // ---- comment ----
    CCommentRecord m_comment;

    // ---- material ----
    CVector4 m_clrAmbient{0.7f, 0.7f, 0.7f, 1.0f};
    CVector4 m_clrSpecular{0.8f, 0.8f, 0.8f, 1.0f};
    CVector4 m_clrShininess{100.0f, 100.0f, 100.0f, 1.0f};

    // The display page's brightness bar (0..256): the ambient grey x 64, cut toward zero;
    // setting it makes the ambient grey position / 64.
    int BrightnessPosition() const;
    void SetBrightnessPosition(int position);
    // The contrast bar (0..128): the shininess, cut toward zero.
    int ContrastPosition() const;
    void SetContrastPosition(int position);
};
