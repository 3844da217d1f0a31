#pragma once

#include "geometry/Vector4.h"

// The rectangle of grid points the range dialog is asked about, and what the user made of it.
struct CRangeRequest {
    CVector4 corner[2];       // the two picked corners (the dialog may edit them)
    int panel[2] = {-1, -1};  // the panel each corner was picked on
    int orientation = 0;      // the constant axis: 0 x, 1 y, 2 z; 3 none (a sloped face)
    int divisionsP = 1;       // divisions along the first and the second varying axis
    int divisionsQ = 1;
};
