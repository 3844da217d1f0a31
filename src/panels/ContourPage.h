#pragma once

#include "ui/PanelPage.h"

class CColorSwatch;
class CUpDown;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

// "コンタ": on which faces contours are drawn, surface or line contours or both, the colour of
// the lines, and the value labels on them (on/off, levels skipped, colour, font, size, where
// they sit). Every change goes straight into the view's state.
class CContourPage : public CPanelPage {
    Q_OBJECT
public:
    explicit CContourPage(QWidget* parent = nullptr);

    // Every control from the view's state; then the contour kind and the label font are
    // applied from the controls (a font or size not in the lists becomes the first entry).
    void RefreshFromView() override;

signals:
    // "数値表示位置の編集": the window shows the label-position dialog.
    void EditLabelPositions();

protected:
    // A load, a reset and a settings file refresh the page. The page's own writes and the
    // view's face picking do not: the faces choice stays as the user made it.
    void OnStateChanged(unsigned aspects) override;
    // Face picking (pick mode 1) is on only while the page is in front with "指定面上の表示".
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void OnFacesClicked(int choice);
    void OnKindClicked();
    void OnSkipEdited();
    void OnSkipCommitted();
    void OnSkipStep(int step);
    void OnChooseColour(bool label);
    void OnClearLabels();
    void ApplyFont();
    // The line-contour group is enabled for kinds 1 and 2 only.
    void EnableLineSettings();
    // Pick mode 1 while the page is shown with "指定面上の表示", none otherwise (another
    // control's pick mode is left alone).
    void UpdateFacePicking(bool shown);
    void ShowSkip(int value);
    // "表示する値": the quantity shown, only those the data set holds enabled.
    void ShowQuantity();
    // After the difference was chosen: offers the colour scale symmetric about 0.
    void ProposeDivergingScale();

    QComboBox* m_quantity;
    QButtonGroup* m_faces;
    QButtonGroup* m_kinds;
    QButtonGroup* m_lineModes;
    QButtonGroup* m_labelSwitch;
    QButtonGroup* m_labelModes;
    QGroupBox* m_lineSettings;
    CColorSwatch* m_lineSwatch;
    CColorSwatch* m_labelSwatch;
    QComboBox* m_font;
    QComboBox* m_size;
    QPushButton* m_editPositions;
    QLineEdit* m_skip;
    CUpDown* m_skipSpin;
    QPushButton* m_clear;
};
