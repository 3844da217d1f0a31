#pragma once

#include <QDockWidget>

#include "state/SizeFile.h"

// A docking bar on the main window's right edge whose size the user changes by dragging its
// inner edge. It cannot float; its close button hides it. It keeps the three size pairs that
// the window-layout file saves (horizontal, vertical and floating).
class CSizingControlBar : public QDockWidget {
    Q_OBJECT
public:
    CSizingControlBar(const QString& caption, QWidget* parent, QSize defaultSize, int barId);

    static constexpr int kMinWidth = 33;
    static constexpr int kMinHeight = 32;

    // The sizes for the layout file, with the vertical pair taken from the bar as docked now.
    CBarSizes Sizes() const;
    void SetSizes(const CBarSizes& sizes);

    QSize sizeHint() const override;

private:
    CBarSizes m_sizes;
};
