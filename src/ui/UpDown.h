#pragma once

#include <QWidget>

class QToolButton;

// The two arrow buttons beside a number box: a dialog's up-down control. It keeps a range and
// a position for its owner, and each click on an arrow (repeated while the arrow is held down)
// asks the owner for a step of +1 (up) or -1 (down). It moves nothing by itself: the owner
// decides what a step does, so it can refuse one beyond its limits, and sets the position.
class CUpDown : public QWidget {
    Q_OBJECT
public:
    explicit CUpDown(QWidget* parent = nullptr);

    void SetRange(int minimum, int maximum);
    int Minimum() const { return m_nMin; }
    int Maximum() const { return m_nMax; }
    void SetPosition(int position) { m_nPos = position; }
    int Position() const { return m_nPos; }

    QToolButton* UpButton() const { return m_up; }
    QToolButton* DownButton() const { return m_down; }

signals:
    void StepRequested(int step);

private:
    QToolButton* m_up;
    QToolButton* m_down;
    int m_nMin = 0;
    int m_nMax = 100;
    int m_nPos = 0;
};
