#pragma once

#include <QSpinBox>

#include "ui/PanelPage.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class CCompassWidget;

// The direction spin (1078): its value is the direction index, its read-only text box (1077)
// shows the direction's angle. Its arrows, keys and wheel do not change the value themselves:
// each asks for a step of one direction, which the page applies with its wrap-around.
class CDirectionSpin : public QSpinBox {
    Q_OBJECT
public:
    explicit CDirectionSpin(QWidget* parent = nullptr);
    void SetDirectionCount(int count) { m_nDirCount = count; }
    QLineEdit* AngleEdit() const { return lineEdit(); }
    void stepBy(int steps) override;

signals:
    void StepRequested(int steps);

protected:
    QString textFromValue(int value) const override;
    StepEnabled stepEnabled() const override;

private:
    int m_nDirCount = -1;
};

// "方位": which wind direction the view shows and at which angle the building stands on the
// compass. Steps the direction with the spin, the two buttons or by dragging the compass's
// arrow, and turns the building with the slider (applied when the slider is let go).
class CDirectionPage : public CPanelPage {
    Q_OBJECT
public:
    explicit CDirectionPage(QWidget* parent = nullptr);

    // A new direction count: the spin runs 0..count-1 and stands at 0; -1 shows nothing.
    void SetDirectionCount(int count);
    // Everything from the loaded data set: plan outlines, direction count, the spin from the
    // view's direction, the slider's range and the state's building-angle step.
    void RefreshFromView() override;
    // One step of the direction (+1 up, -1 down), wrapping around, announced to the view.
    void ApplyDirectionStep(int step);

    int m_nDirCount = -1;

    CCompassWidget* Compass() const { return m_compass; }

protected:
    void OnStateChanged(unsigned aspects) override;

private:
    // The spin, its angle and the compass from the view's direction.
    void ShowDirection();
    // The compass with the slider's building angle and the view's direction.
    void UpdateCompass();
    // The state's building turns to the slider's step (unless it stands there already).
    void ApplyBuildingAngle();
    // The choice: entry i < count shows direction i, the three after them the envelopes.
    void ApplyChoice(int index);
    void FillChoice();

    QLabel* m_count;
    QComboBox* m_choice;
    QCheckBox* m_governing;
    CDirectionSpin* m_spin;
    QPushButton* m_next;
    QPushButton* m_prev;
    QSlider* m_slider;
    CCompassWidget* m_compass;
};
