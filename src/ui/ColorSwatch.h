#pragma once

#include <QAbstractButton>
#include <QColor>

// A colour swatch: a small button that shows one colour, exactly that colour over its whole
// inside (no gradient, bevel or style tint), inside a thin frame that turns the highlight
// colour while the swatch has the keyboard focus. Clicking it is the user's way to choose
// another colour; the owner connects `clicked` to its colour prompt and calls SetColor.
class CColorSwatch : public QAbstractButton {
    Q_OBJECT
public:
    explicit CColorSwatch(QWidget* parent = nullptr);

    void SetColor(const QColor& color);
    QColor Color() const { return m_color; }

    QSize sizeHint() const override;

    // Width of the frame around the colour, in pixels.
    static constexpr int kFrame = 2;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color = Qt::black;
};
