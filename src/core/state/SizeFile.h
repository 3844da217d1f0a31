#pragma once

#include <string>

// The window layout kept in the file "size" beside the program: window placement and the six
// sizes of each docking bar, one integer per line with CR LF.
struct CBarSizes {
    int horzCx = 200, horzCy = 200;
    int vertCx = 200, vertCy = 200;
    int floatCx = 200, floatCy = 200;
};

struct CWindowLayout {
    enum ShowState { SHOW_NORMAL = 1, SHOW_MINIMIZED = 2, SHOW_MAXIMIZED = 3 };
    int showCmd = SHOW_MAXIMIZED;
    int minX = -1, minY = -1;
    int maxX = -1, maxY = -1;
    int left = 20, right = 1004, top = 20, bottom = 748;  // normal-position rectangle
    CBarSizes panel{320, 100, 320, 100, 320, 100};        // operation panel bar
    CBarSizes values{320, 500, 320, 500, 320, 500};       // value-list bar
    // The polar-diagram bar: kept only once the user has opened it, so that the file of a user
    // who never does stays as it always was.
    bool hasPolar = false;
    CBarSizes polar{380, 460, 380, 460, 380, 460};
};

// Reads the layout; values the file does not hold (missing file, short file, a line that is
// not a number) keep the defaults already in layout. Lines 1 to 9 are the placement, then the
// panel's six sizes, then the value list's six, then, when the file has them, the polar-diagram
// bar's six (hasPolar). Reading stops at the first line that is missing or not a number: every
// value read before it is taken, even within a group.
void ReadWindowLayout(const std::string& path, CWindowLayout& layout);

// Writes the layout (all 21 lines, 27 with the polar-diagram bar; without the placement when
// withPlacement is false) so that a failure leaves the old file whole. False on failure.
bool WriteWindowLayout(const std::string& path, const CWindowLayout& layout,
                       bool withPlacement = true);

// The file's text.
std::string FormatWindowLayout(const CWindowLayout& layout, bool withPlacement);

// Keeps the normal-position rectangle on the available screen area (left, top, right, bottom):
// a window larger than the area is cut to it, and one that lies partly or wholly off it is
// moved back inside, keeping its size. An empty area changes nothing.
void FitWindowOnto(CWindowLayout& layout, int areaLeft, int areaTop, int areaRight, int areaBottom);
