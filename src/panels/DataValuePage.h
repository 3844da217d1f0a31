#pragma once

#include "ui/PanelPage.h"

class QButtonGroup;
class QPushButton;
class QRadioButton;

// "データ値": how clicks in the view select points for the value list (measurement points,
// one arbitrary point, a rectangle of arbitrary points, the measurement points of a face),
// taking back the last selection step and clearing the whole selection, and how the values of
// arbitrary points are interpolated. The page only sets the pick mode and the value method;
// the view picks.
class CDataValuePage : public CPanelPage {
    Q_OBJECT
public:
    enum { IDD = 103 };
    enum ControlId {
        IDC_MEASUREMENT_POINT = 1022,  // pick mode 2
        IDC_ARBITRARY_POINT = 1023,    // pick mode 3
        IDC_RECTANGLE = 1024,          // pick mode 4
        IDC_FACE_POINTS = 1025,        // pick mode 5
        IDC_RANGE = 1026,              // "範囲指定", pressed while a rectangle is picked
        IDC_CLEAR_ALL = 1027,
        IDC_UNDO = 1028,
        IDC_VALUE_LINEAR = 1290,            // values as the contours: linear on the triangle
        IDC_VALUE_INVERSE_DISTANCE = 1291,  // inverse-distance mean of the triangle's corners
    };

    explicit CDataValuePage(QWidget* parent = nullptr);

    void EnableUndo(bool enable);
    QPushButton* UndoButton() const { return m_undo; }
    QPushButton* RangeButton() const { return m_range; }
    QPushButton* ClearButton() const { return m_clear; }
    // The radio of a selection method, IDC_MEASUREMENT_POINT..IDC_FACE_POINTS.
    QRadioButton* MethodRadio(int id) const;
    // The radio of a value method, IDC_VALUE_LINEAR or IDC_VALUE_INVERSE_DISTANCE.
    QRadioButton* ValueRadio(int id) const;

    // Applies the chosen method: the pick mode of the selected radio (none: 0), "範囲指定"
    // enabled and pressed only for the rectangle, and a rectangle starts from its first
    // corner again.
    void ApplyMethod();
    // After a load, a reset or a settings file: no method chosen, no picking; the value
    // method as the state holds it.
    void RefreshFromView() override;

protected:
    void OnStateChanged(unsigned aspects) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void OnRange();
    void OnUndo();
    void OnClearAll();
    // A value-method radio clicked: the state takes the method and the listed arbitrary
    // points are computed again with it.
    void OnValueMethod();
    // The undo button and "範囲指定" follow the selection.
    void FollowSelection();

    QButtonGroup* m_methods;
    QRadioButton* m_radios[4];
    QRadioButton* m_valueRadios[2];
    QPushButton* m_range;
    QPushButton* m_undo;
    QPushButton* m_clear;
};
