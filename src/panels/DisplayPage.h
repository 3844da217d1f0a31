#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "field/DisplaySettings.h"
#include "geometry/Color.h"
#include "ui/PanelPage.h"

class CColorSwatch;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QListWidget;
class QPushButton;
class QScrollBar;

// "表示": how each geometry part is drawn (faces, lines, hidden) and in which colour, the
// auxiliary displays, and the material's brightness and contrast. Every change goes straight
// into the view's state.
class CDisplayPage : public CPanelPage {
    Q_OBJECT
public:
    explicit CDisplayPage(QWidget* parent = nullptr);

    void ClearPartNames();
    void AddPartName(const std::string& name);  // bytes of the geometry file
    QListWidget* PartList() const { return m_parts; }

    // The switches, bars and the selected part's mode and colour from the view.
    void RefreshFromView() override;

    // The swatch's colour: the selected part's, the button face without a selection.
    COLORREF SwatchColor() const { return m_clrSwatch; }

protected:
    void OnStateChanged(unsigned aspects) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Radios and swatch for the selected part (or none).
    void ShowSelectedPart();
    void OnModeClicked(int mode);
    void OnChooseColor();
    // The placeholder swatch: a flat button filled with the colour. The shared colour-swatch
    // widget replaces it.

    QListWidget* m_parts;
    QButtonGroup* m_modes;
    QWidget* m_colorGroup;
    CColorSwatch* m_swatch;
    QScrollBar* m_brightness;
    QScrollBar* m_contrast;
    struct Switch {
        QCheckBox* box;
        uint8_t CDisplaySettings::*member;
    };
    std::vector<Switch> m_switches;
    COLORREF m_clrSwatch = 0;
};
