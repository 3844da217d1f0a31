#include "panels/ButtonIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// Every glyph is drawn in a 24 x 24 box and scaled to the button's icon size.
constexpr qreal kBox = 24.0;

const QColor kInk(32, 32, 32);
const QColor kGreyInk(160, 160, 160);

// Turns the painter about the box's centre.
void TurnBox(QPainter& p, qreal degrees) {
    p.translate(kBox / 2, kBox / 2);
    p.rotate(degrees);
    p.translate(-kBox / 2, -kBox / 2);
}

// A solid triangle for an arrow head.
void Head(QPainter& p, const QColor& ink, QPointF a, QPointF b, QPointF c) {
    QPainterPath head;
    head.moveTo(a);
    head.lineTo(b);
    head.lineTo(c);
    head.closeSubpath();
    p.fillPath(head, ink);
}

// A straight arrow pointing right, turned by degrees.
void StraightArrow(QPainter& p, const QColor& ink, qreal degrees) {
    TurnBox(p, degrees);
    p.fillRect(QRectF(3, 10, 11, 4), ink);
    Head(p, ink, QPointF(13, 4), QPointF(21, 12), QPointF(13, 20));
}

// A bent arrow pointing up across a model's equator, turned by degrees: the model tips
// toward the arrow.
void TurnModelArrow(QPainter& p, const QColor& ink, qreal degrees) {
    TurnBox(p, degrees);
    p.setPen(QPen(ink, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(3, 9.5, 18, 5));
    QPainterPath shaft;
    shaft.moveTo(11, 21);
    shaft.quadTo(17, 14, 12.5, 8);
    p.setPen(QPen(ink, 2.6, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(shaft);
    Head(p, ink, QPointF(8, 9.5), QPointF(11, 2), QPointF(16, 8));
}

// A round arrow over the top, ending at the left and pointing down (anticlockwise); mirrored
// for clockwise.
void RoundArrow(QPainter& p, const QColor& ink, bool clockwise) {
    if (clockwise) {
        p.translate(kBox, 0);
        p.scale(-1, 1);
    }
    QPainterPath arc;
    const QRectF circle(5, 6, 14, 14);
    arc.arcMoveTo(circle, -20);
    arc.arcTo(circle, -20, 190);
    p.setPen(QPen(ink, 2.6, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    Head(p, ink, QPointF(1, 11), QPointF(10, 11), QPointF(5.5, 18));
}

// A magnifying glass with a mark in its lens: '+', '-' or '1'.
void Magnifier(QPainter& p, const QColor& ink, char mark) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(ink, 2.0));
    p.drawEllipse(QPointF(10, 10), 6.5, 6.5);
    p.setPen(QPen(ink, 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15, 15), QPointF(21, 21));
    p.setPen(QPen(ink, 2.0, Qt::SolidLine, Qt::FlatCap));
    if (mark == '+' || mark == '-') {
        p.drawLine(QPointF(6.5, 10), QPointF(13.5, 10));
    }
    if (mark == '+') {
        p.drawLine(QPointF(10, 6.5), QPointF(10, 13.5));
    }
    if (mark == '1') {
        p.drawLine(QPointF(10.5, 6.5), QPointF(10.5, 13.5));
        p.drawLine(QPointF(10.5, 6.5), QPointF(8, 8.5));
    }
}

// The axis a preset looks along, in the axis colour: "+X", "−Y", ...
void AxisLabel(QPainter& p, const QColor& ink, bool enabled, char axis, bool positive) {
    const QColor colour = !enabled      ? ink
                          : axis == 'X' ? QColor(200, 0, 0)
                          : axis == 'Y' ? QColor(0, 140, 0)
                                        : QColor(0, 0, 210);
    p.setPen(QPen(ink, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(1.5, 1.5, 21, 21), 3, 3);
    QFont font;
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(colour);
    const QString text =
        QString(positive ? QStringLiteral("+") : QString(QChar(0x2212))) + QChar::fromLatin1(axis);
    p.drawText(QRectF(0, 0, kBox, kBox), Qt::AlignCenter, text);
}

class CGlyphIconEngine : public QIconEngine {
public:
    explicit CGlyphIconEngine(ButtonGlyph glyph) : m_glyph(glyph) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        PaintButtonGlyph(*painter, rect, m_glyph, mode != QIcon::Disabled);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }
    // QIcon asks for the pixmap in device pixels (size is already times scale): painted at
    // that density, so a high-density screen gets every pixel.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override {
        QPixmap pixmap(size);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        PaintButtonGlyph(painter, QRectF(0, 0, size.width() / scale, size.height() / scale),
                         m_glyph, mode != QIcon::Disabled);
        return pixmap;
    }
    QIconEngine* clone() const override { return new CGlyphIconEngine(m_glyph); }

private:
    ButtonGlyph m_glyph;
};

}  // namespace

QIcon ButtonIcon(ButtonGlyph glyph) {
    return QIcon(new CGlyphIconEngine(glyph));
}

void PaintButtonGlyph(QPainter& p, const QRectF& rect, ButtonGlyph glyph, bool enabled) {
    const QColor ink = enabled ? kInk : kGreyInk;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(rect.topLeft());
    p.scale(rect.width() / kBox, rect.height() / kBox);
    switch (glyph) {
        case ButtonGlyph::MoveRight:
            StraightArrow(p, ink, 0);
            break;
        case ButtonGlyph::MoveDown:
            StraightArrow(p, ink, 90);
            break;
        case ButtonGlyph::MoveLeft:
            StraightArrow(p, ink, 180);
            break;
        case ButtonGlyph::MoveUp:
            StraightArrow(p, ink, 270);
            break;
        case ButtonGlyph::RotateUp:
            TurnModelArrow(p, ink, 0);
            break;
        case ButtonGlyph::RotateRight:
            TurnModelArrow(p, ink, 90);
            break;
        case ButtonGlyph::RotateDown:
            TurnModelArrow(p, ink, 180);
            break;
        case ButtonGlyph::RotateLeft:
            TurnModelArrow(p, ink, 270);
            break;
        case ButtonGlyph::TurnLeft:
            RoundArrow(p, ink, false);
            break;
        case ButtonGlyph::TurnRight:
            RoundArrow(p, ink, true);
            break;
        case ButtonGlyph::ZoomIn:
            Magnifier(p, ink, '+');
            break;
        case ButtonGlyph::ZoomOut:
            Magnifier(p, ink, '-');
            break;
        case ButtonGlyph::ZoomNormal:
            Magnifier(p, ink, '1');
            break;
        case ButtonGlyph::ViewXPlus:
            AxisLabel(p, ink, enabled, 'X', true);
            break;
        case ButtonGlyph::ViewXMinus:
            AxisLabel(p, ink, enabled, 'X', false);
            break;
        case ButtonGlyph::ViewYPlus:
            AxisLabel(p, ink, enabled, 'Y', true);
            break;
        case ButtonGlyph::ViewYMinus:
            AxisLabel(p, ink, enabled, 'Y', false);
            break;
        case ButtonGlyph::ViewZPlus:
            AxisLabel(p, ink, enabled, 'Z', true);
            break;
        case ButtonGlyph::ViewZMinus:
            AxisLabel(p, ink, enabled, 'Z', false);
            break;
    }
    p.restore();
}
