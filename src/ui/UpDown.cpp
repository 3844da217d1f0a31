#include "ui/UpDown.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* Arrow(QWidget* parent, Qt::ArrowType type) {
    auto* button = new QToolButton(parent);
    button->setArrowType(type);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);  // the number box keeps the keyboard
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    button->setFixedWidth(16);
    button->setIconSize(QSize(8, 8));
    return button;
}

}  // namespace

CUpDown::CUpDown(QWidget* parent)
    : QWidget(parent), m_up(Arrow(this, Qt::UpArrow)), m_down(Arrow(this, Qt::DownArrow)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_up);
    column->addWidget(m_down);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    connect(m_up, &QToolButton::clicked, this, [this] { emit StepRequested(+1); });
    connect(m_down, &QToolButton::clicked, this, [this] { emit StepRequested(-1); });
}

void CUpDown::SetRange(int minimum, int maximum) {
    m_nMin = minimum;
    m_nMax = maximum;
}
