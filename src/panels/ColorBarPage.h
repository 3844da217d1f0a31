#pragma once

#include <QFrame>

#include "geometry/Color.h"
#include "ui/PanelPage.h"

class CColorSwatch;
class CUpDown;
class QCheckBox;
class QLineEdit;
class QPushButton;

// The colour-bar page's preview: n bands ramped from the bottom colour to the top colour,
// bottom band at the bottom, sharing the frame's inside height (see PreviewBandHeights).
class CColorBarPreview : public QFrame {
    Q_OBJECT
public:
    explicit CColorBarPreview(QWidget* parent = nullptr);
    void SetBands(int n, COLORREF bottom, COLORREF top);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_nBands = 0;
    COLORREF m_clrBottom = 0;
    COLORREF m_clrTop = 0;
};

// "カラーバー": the colour scale of the contours: band count, label interval, the values at
// the top and bottom, the colours of the top and bottom bands, and whether the bar is shown.
// The page keeps the two end colours; every change ramps the view's colour table between them
// and announces the new scale.
class CColorBarPage : public CPanelPage {
    Q_OBJECT
public:
    explicit CColorBarPage(QWidget* parent = nullptr);

    // The controls from the view's scale; the end colours from the ends of its colour table.
    void RefreshFromView() override;

    COLORREF TopColor() const { return m_clrTop; }
    COLORREF BottomColor() const { return m_clrBottom; }
    CColorBarPreview* Preview() const { return m_preview; }

protected:
    // A load, a reset and a settings file refresh the page; its own writes do not read the
    // end colours back from the ramp (whose ends may differ from them in the last bit).
    void OnStateChanged(unsigned aspects) override;

private:
    // A proposed band count b: taken when 2 <= b <= 30, with the label interval that goes with
    // it; the page shows the scale and the ramp is rebuilt in any case.
    void ApplyDivisions(int b);
    // A proposed label interval b: taken when 0 <= b <= 5.
    void ApplyInterval(int b);
    void OnDivisionsCommitted();
    void OnIntervalCommitted();
    void OnValueCommitted(bool top);
    void OnChooseColour(bool top);
    void OnDefaults();
    // "範囲をデータに合わせる": MIN and MAX round values enclosing the shown values (of this
    // direction or of every direction, optionally symmetric about 0); the band count stays
    // and the label interval follows the count's rule.
    void OnFit();
    // Ramps the view's colour table between the end colours and announces the new scale.
    void Rebuild();
    // The numbers and the interval from the view, the swatches and the preview from the page.
    void ShowScale();
    void UpdatePreview();
    void ShowInvalidCount(QLineEdit* edit);

    CColorBarPreview* m_preview;
    CColorSwatch* m_topSwatch;
    QLineEdit* m_max;
    QLineEdit* m_divisions;
    CUpDown* m_divisionsSpin;
    QLineEdit* m_interval;
    CUpDown* m_intervalSpin;
    CColorSwatch* m_bottomSwatch;
    QLineEdit* m_min;
    QPushButton* m_defaults;
    QCheckBox* m_showBar;
    QPushButton* m_fit;
    QCheckBox* m_fitAll;
    QCheckBox* m_fitSymmetric;
    COLORREF m_clrTop = MakeColorRef(255, 0, 0);
    COLORREF m_clrBottom = MakeColorRef(0, 0, 255);
};
