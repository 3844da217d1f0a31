#include "ui/ColorSwatch.h"

#include <QPainter>

CColorSwatch::CColorSwatch(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void CColorSwatch::SetColor(const QColor& color) {
    // The swatch shows colours as the program keeps them: opaque, 8 bits a channel.
    const QColor opaque = color.toRgb();
    m_color = QColor(opaque.red(), opaque.green(), opaque.blue());
    setToolTip(m_color.name());
    update();
}

QSize CColorSwatch::sizeHint() const {
    return QSize(40, 20);
}

void CColorSwatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& pal = palette();
    QColor frame = hasFocus() ? pal.color(QPalette::Highlight) : pal.color(QPalette::Dark);
    if (!isEnabled()) {
        frame = pal.color(QPalette::Disabled, QPalette::Mid);
    }
    painter.fillRect(rect(), frame);
    painter.fillRect(rect().adjusted(kFrame, kFrame, -kFrame, -kFrame), m_color);
}
