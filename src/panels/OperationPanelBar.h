#pragma once

#include <QTabWidget>

#include "panels/DataValuePage.h"
#include "panels/Pages.h"
#include "panels/SizingControlBar.h"

// "操作パネル": the tab control with the six pages, tab 0 (direction) selected. Each page sits
// in a scroll area that fills the tab's display area: the page takes the area's width (down to
// the width its controls need) and scrolls when it is taller than the bar.
class COperationPanelBar : public CSizingControlBar {
    Q_OBJECT
public:
    explicit COperationPanelBar(QWidget* parent);

    static constexpr int IDC_TABS = 1000;
    // Resource ids of the bar (the value-list bar is 59426).
    static constexpr int IDR_OPERATION_BAR = 59425;

    CDirectionPage* m_pageDirection;
    COperationPage* m_pageOperation;
    CDisplayPage* m_pageDisplay;
    CContourPage* m_pageContour;
    CColorBarPage* m_pageColorBar;
    CDataValuePage* m_pageDataValue;

    QTabWidget* Tabs() const { return m_tabs; }
    // The page of a tab (0..5), or null.
    CPanelPage* Page(int tab) const;
    // The bar's height that shows the tallest page whole, without a scroll bar: the height a
    // first start gives the bar.
    int HeightForTallestPage() const;

private:
    QTabWidget* m_tabs;
};
