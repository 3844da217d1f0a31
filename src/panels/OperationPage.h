#pragma once

#include "ui/PanelPage.h"

class QLineEdit;

// "操作": moves the camera by buttons (zoom, axis views, rotation steps, pan, turns about the
// model's Z axis) and by typing the angles, zoom and pan into "視点の設定".
class COperationPage : public CPanelPage {
    Q_OBJECT
public:
    explicit COperationPage(QWidget* parent = nullptr);

    // The typed-view fields from the camera: zoom, the three angles and the pan.
    void UpdateFromView();

protected:
    void OnStateChanged(unsigned aspects) override;

private:
    // A camera change made by a button, announced to the view.
    template <typename F>
    void Move(F&& change);
    // "実行": the typed view, or the error box when the scale is not positive.
    void OnApply();

    QLineEdit* m_horizontal;
    QLineEdit* m_vertical;
    QLineEdit* m_z;
    QLineEdit* m_scale;
    QLineEdit* m_shiftX;
    QLineEdit* m_shiftY;
};
