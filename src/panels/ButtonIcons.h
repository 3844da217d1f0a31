#pragma once

#include <QIcon>

class QPainter;
class QRectF;

// The pictures of the pages' icon buttons. They are painted, not loaded: each is drawn with
// QPainter at whatever size and pixel ratio the button asks for, so it stays sharp at any
// scale factor.
enum class ButtonGlyph {
    MoveLeft,
    MoveRight,
    MoveUp,
    MoveDown,
    RotateUp,
    RotateDown,
    RotateLeft,
    RotateRight,
    TurnLeft,   // round arrow, anticlockwise
    TurnRight,  // round arrow, clockwise
    ZoomIn,
    ZoomOut,
    ZoomNormal,
    ViewXPlus,
    ViewXMinus,
    ViewYPlus,
    ViewYMinus,
    ViewZPlus,
    ViewZMinus,
};

QIcon ButtonIcon(ButtonGlyph glyph);

// Draws glyph into rect; a disabled button's glyph is grey.
void PaintButtonGlyph(QPainter& painter, const QRectF& rect, ButtonGlyph glyph, bool enabled);
