#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "field/ContourWalk.h"
#include "field/DisplaySettings.h"
#include "scene/SceneRenderer.h"

// The display lists of the comment block's texts, and the face, size and texts they were
// made from: they are made again only when one of these differs.
struct CCommentText {
    CTextLists itemText[COMMENT_ITEM_COUNT] = {};
    std::vector<CTextLists> summaryLines;
    bool made = false;
    std::string font;
    int size = 0;
    std::vector<std::string> texts;
};

// The text resources a frame draws with, made in the renderer that draws it: one set for the
// screen, one for a printed page or an enlarged picture.
struct CSceneFonts {
    unsigned axis = 0;      // "ＭＳ ゴシック" at 15 pixels (times the print factor)
    unsigned label = 0;     // the contour labels' font; 0 = none yet
    std::string labelFace;  // what the label font was made from
    int labelSize = 0;
    CCommentText comment;  // the comment block's texts
};

// Drawings derived from the state that a frame replays, each recomputed only when an input it
// reads changed: the contour items (keyed on a copy of their inputs), the mesh outlines and the
// tap-number positions (keyed on the data set's generation). A camera change reuses them all.
struct CFrameCache {
    bool contoursValid = false;
    CContourInputs contourKey;
    CContourDrawing contours;

    uint64_t meshGeneration = ~uint64_t(0);
    std::vector<CVector4> meshCorners;  // lifted corners, panel after panel
    std::vector<int> meshCounts;        // corners of each panel

    // The normal of a panel each tap is a corner of (zero for a tap on none), for thinning.
    uint64_t tapNormalsGeneration = ~uint64_t(0);
    std::vector<CVector4> tapNormals;

    uint64_t numbersGeneration = ~uint64_t(0);
    int numbersKind = 0;                    // 0 tap numbers, else which envelope's governing angles
    std::vector<CVector4> numberPositions;  // one per tap, in tap order
    std::vector<std::string> numberTexts;

    // The taps' markers and numbers in one display list (0 = none), and what it was made
    // from: the taps' generation, the switches, the marker radius, the font and which taps are
    // listed, how many numbers are one bitmap each.
    unsigned pointsList = 0;
    uint64_t pointsGeneration = ~uint64_t(0);
    std::array<float, 16> pointsCamera{};  // the model-view matrix of dots (zeros: spheres)
    bool pointsMarkers = false;
    bool pointsNumbers = false;
    int pointsNumbersKind = 0;
    float pointsRadius = 0.0f;
    unsigned pointsFont = 0;
    size_t pointsWholeNumbers = 0;  // taps whose numbers are one bitmap each
    std::vector<uint8_t> pointsListed;
    int pointsCompilations = 0;  // how many times the list was made (tests)

    // The bands, lines and label spheres in one display list (0 = none), made from the contour
    // computation numbered contoursListComputation at pixel scale contoursListScale; the
    // mesh's outlines likewise, for the mesh of meshListGeneration.
    unsigned contoursList = 0;
    int contoursListComputation = -1;
    int contoursListScale = 0;
    unsigned meshList = 0;
    uint64_t meshListGeneration = ~uint64_t(0);
    int meshListScale = 0;
    bool meshListEdges = false;  // drawn as its distinct edges (a thinned set)

    int contourComputations = 0;  // how many times the contours were computed (tests, bench)
    // The true range of the values shown, as a status-bar line ("データ範囲 min … max"; empty
    // without values), remade with every contour computation.
    std::string rangeText;
};
