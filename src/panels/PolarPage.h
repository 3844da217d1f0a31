#pragma once

#include <optional>
#include <vector>

#include "panels/SizingControlBar.h"
#include "ui/PanelPage.h"

class CPolarDiagram;

// The band drawn around a point's line: its lower and upper value for every direction.
struct CPointBand {
    std::vector<double> min;
    std::vector<double> max;
};

// The band of a point (a tap number, or a negative arbitrary point's id) from the data set's
// minimum and maximum tables ("cpmin.dat", "cpmax.dat"): a tap's tabled values, an arbitrary
// point's interpolated as its mean is. None when the data set lacks either table.
std::optional<CPointBand> PointBand(const CViewState& state, int id);

// "風向特性": a polar diagram of the values of the points chosen in the value list over every
// wind direction (the last picked point when no row is chosen), the shown direction marked. A
// click at a direction shows that direction, as a step on the direction page does.
class CPolarPage : public CPanelPage {
    Q_OBJECT
public:
    enum { IDD = 170 };

    explicit CPolarPage(QWidget* parent = nullptr);

    // The points whose rows are selected in the value list, in row order (none: the last
    // picked point is drawn).
    void SetChosenPoints(const std::vector<int>& ids);
    // The points drawn, in legend order (at most CPolarDiagram::kMaxSeries).
    const std::vector<int>& ShownPoints() const { return m_shown; }
    CPolarDiagram* Diagram() const { return m_diagram; }

    void RefreshFromView() override;

private:
    void OnDirectionChosen(int direction);

    std::vector<int> m_chosen;  // the first kMaxSeries chosen points
    int m_nChosenCount = 0;     // how many were chosen
    std::vector<int> m_shown;
    CPolarDiagram* m_diagram;
};

// The bar of the "風向特性" page: docked at the main window's left edge and hidden until the
// user opens it. It keeps the size it had when it was closed.
class CPolarBar : public CSizingControlBar {
    Q_OBJECT
public:
    CPolarBar(QWidget* parent, CPolarPage* page);
    static constexpr int IDR_POLAR_BAR = 59427;
    CPolarPage* m_page;

protected:
    void hideEvent(QHideEvent* event) override;
};
