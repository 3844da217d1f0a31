#pragma once

#include <string>
#include <vector>

#include "dataset/DataSet.h"
#include "field/DisplaySettings.h"

// The parts of a frame that are not contours, as data for the view to draw: the extent and
// step of the scene, the ground grid, the wind arrows, the axes with their scale numbers, the
// measurement-point markers and the comment block. Model units are millimetres.

struct CSceneLine {
    CVector4 a, b;
};

struct CSceneText {
    CVector4 position;
    std::string text;
    CVector4 colour;
};

struct CSceneSphere {
    CVector4 centre;
    float radius = 0;
    CVector4 colour;
};

// 1.5 x the largest of |min x|, |max x|, |min y|, |max y| of the main geometry.
double SceneExtent(const CDataSet& data);
// 1000 up to 20000, 2000 up to 40000, 5000 up to 100000, else 10000.
int GridStep(double extent);

// Lines of the ground grid at z = 0 (centre lines too when the axes are hidden).
std::vector<CSceneLine> GroundGridLines(const CDataSet& data, const CDisplaySettings& settings);

// The wind arrows along X pointing to +Y (shaft and two head lines each) before the turn by
// WindArrowAngle about Z.
std::vector<CSceneLine> WindArrowLines(const CDataSet& data);
// -(direction x 360 / direction count) plus the angle the building is turned by, in degrees.
float WindArrowAngle(const CDataSet& data, const CDisplaySettings& settings);

// One coordinate axis: its line, where its cone sits and how it is turned, and its letter.
struct CAxisItem {
    CSceneLine line;
    CVector4 conePosition;
    float coneAngle = 0;
    CVector4 coneAxis;
    CSceneText letter;
};
std::vector<CAxisItem> AxisItems(const CDataSet& data);

// Scale numbers ("%d" metres) with a small sphere at each, X and Y first, then Z.
void AxisTicks(const CDataSet& data, std::vector<CSceneText>& texts,
               std::vector<CSceneSphere>& spheres);

// Index of the panel whose normal lifts the number of tap index i: the first k with
// i < c0 + ... + ck over the corner counts; -1 when there is none.
int NumberPanelOfTap(const CDataSet& data, int tapIndex);
