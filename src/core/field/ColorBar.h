#pragma once

#include <string>
#include <vector>

#include "field/DisplaySettings.h"
#include "field/ScaleFit.h"
#include "geometry/Vector4.h"

// The colour bar overlay: its quads follow the window size; its picture (filled quads, value
// labels with tick marks, outline) is computed here and drawn by the view in overlay
// coordinates (origin at the window centre, x right, y up, one unit per pixel).

// Where the bar's band quads sit in a W x H client area: the bar's lower edge at
// m_nBarBottom = H/2 - 276; quad i 20 px wide, 10 px from the left edge, spanning 256 / n
// pixels from m_nBarBottom + i times that (n = the band count as set, also above 30); z 1000.
struct CColorBarLayout {
    int m_nBarBottom = 0;
    CVector4 m_aBarQuad[MAX_DIVISIONS][4];
};
CColorBarLayout MakeColorBarLayout(int divisions, int clientW, int clientH);

struct CColorBarQuad {
    CVector4 corner[4];  // the bar quad as stored
    CVector4 colour;     // its colour-table entry
};

// A labelled boundary: the value text in COLOR_BLACK with the axis font at textPos, and a
// small filled black triangle (tick) pointing at the bar.
struct CColorBarLabel {
    int boundary = 0;  // 0..n; the odd-count middle label carries n / 2
    CVector4 anchor;
    CVector4 textPos;  // anchor + (7, -3)
    std::string text;  // "%.2f"
    CVector4 tick[3];  // anchor, anchor + (5, 4), anchor + (5, -4)
};

// What the bar shows beyond the scale: a caption under it naming what is shown (empty for the
// mean of one direction), and at each end the data pass a triangle in that end's colour.
struct CColorBarExtras {
    std::string caption;
    CScaleOverflow overflow;
};

struct CColorBarDrawing {
    bool visible = false;
    // The end triangles (12 px beyond the bar, the width of the bar), each in its end band's
    // colour with a black outline; only where the data pass that end.
    bool below = false;
    bool above = false;
    CVector4 belowTriangle[3];
    CVector4 aboveTriangle[3];
    CVector4 belowColour;
    CVector4 aboveColour;
    // The caption's text start (axis font, black), under the bar and its lower triangle.
    std::string caption;
    CVector4 captionPos;
    std::vector<CColorBarQuad> quads;    // quad i is band i, bottom to top
    std::vector<CColorBarLabel> labels;  // by rising boundary
    CVector4 outline[4];                 // black line loop, width 1.0, drawn last
};

// The bar's picture for a W x H client area: hidden unless m_bShowColorBar is set and
// m_nDivisions > 1. The quads and the labels do not overlap (labels lie right of the bar),
// so drawing all quads, then the labels, then the outline gives the same picture as drawing
// boundary after boundary. Counts above the table's 30 entries are cut to 30.
CColorBarDrawing BuildColorBar(const CDisplaySettings& settings, int clientW, int clientH,
                               const CColorBarExtras& extras = {});

// The bands of the colour-bar page's preview, from the bottom: n bands share h pixels, each
// h / n tall (cut toward zero) and the first h mod n one pixel taller. Bands that would be no
// pixel tall are left out, so a count far above h costs no more than h bands. Empty when n or
// h is not positive.
std::vector<int> PreviewBandHeights(int h, int n);
