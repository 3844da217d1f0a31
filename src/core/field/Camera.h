#pragma once

#include "geometry/Matrix4.h"
#include "geometry/Vector4.h"

// Drag modes of the mouse.
enum DragMode { DRAG_NONE = 0, DRAG_ZOOM = 1, DRAG_ROTATE = 2, DRAG_PAN = 3 };

// The six axis views of the operation page.
enum ViewPreset { VIEW_X_PLUS, VIEW_X_MINUS, VIEW_Y_PLUS, VIEW_Y_MINUS, VIEW_Z_PLUS, VIEW_Z_MINUS };

// The rotation step of a preset, (x, y, z) in degrees.
CVector4 PresetStep(int preset);

// Zoom, pan and the accumulated rotation of the view, with the drag and preset arithmetic.
// Every operation leaves the camera final: a rotation step is added to the angles and put in
// front of the rotation matrix at once, so drawing only reads the camera.
class CCamera {
public:
    float m_fZoom = 1.0f;
    CVector4 m_vPan;
    CVector4 m_vRotStep;     // the step being applied; zero between operations
    CVector4 m_vAngles;      // accumulated angles about x, y, z, each in [0, 360)
    CMatrix4 m_matRotation;  // accumulated model rotation, OpenGL column order
    int m_nDragMode = DRAG_NONE;

    // Zoom 1, no pan, no drag, and the "Z axis positive" view: the rotation reset, then
    // -90 degrees about X (the angles read 270, 0, 0).
    void ResetCamera();
    // The rotation matrix to identity and the angles to 0.
    void ResetRotation();
    // Turns by step degrees about x, y and z: adds the step to the angles (each kept in
    // [0, 360)) and puts the rotation in front of the matrix.
    void Turn(CVector4 step);
    // One step of a mouse drag by (dx, dy) pixels (y down) in a W x H client area: zoom by the
    // larger movement relative to its side, rotate by 360 degrees per client side, or pan.
    void Drag(int mode, int dx, int dy, int clientW, int clientH);
    // Resets the rotation and turns to the preset's view.
    void SetViewPreset(int preset);
    // The view typed into the operation page: zoom = scale, the rotation reset and then turned
    // by the three angles (horizontal-plane angle about y, vertical-plane angle about x, z),
    // pan = (panX, panY). False, changing nothing, when the scale is not a positive (normal)
    // float.
    bool SetTypedView(double scale, double horizontal, double vertical, double z, double panX,
                      double panY);

    // The angles that give the rotation matrix when the view is typed in (x about x, y about
    // y, z about z from the identity, as Turn composes them), each in [0, 360): for a matrix
    // that comes without its angles, such as a settings file's.
    void AnglesFromMatrix();

    // Where a model point appears in the view, in window pixels from the centre (x right,
    // y up): the pan plus the rotated point scaled by fitScale x zoom.
    CVector4 Project(CVector4 p, float fitScale) const;
    // Pans so that the model point p appears at the window's centre.
    void CentreOn(CVector4 p, float fitScale);
};
