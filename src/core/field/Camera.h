#pragma once

#include "geometry/Matrix4.h"
#include "state/ViewState.h"

// Drag modes of the mouse.
enum DragMode { DRAG_NONE = 0, DRAG_ZOOM = 1, DRAG_ROTATE = 2, DRAG_PAN = 3 };

// One step of a mouse drag by (dx, dy) pixels (y down) in a W x H client area: zoom by the
// larger movement relative to its side, rotate by 360 degrees per client side, or pan. Ends by
// adding the rotation step to the angles.
void DragCamera(CViewState& state, int mode, int dx, int dy, int clientW, int clientH);

// The six axis views of the operation page.
enum ViewPreset { VIEW_X_PLUS, VIEW_X_MINUS, VIEW_Y_PLUS, VIEW_Y_MINUS, VIEW_Z_PLUS, VIEW_Z_MINUS };

// Resets the rotation and sets the preset's rotation step (applied at the next redraw).
void SetViewPreset(CViewState& state, CMatrix4& rotation, int preset);

// The rotation step of a preset, (x, y, z) in degrees.
CVector4 PresetStep(int preset);
