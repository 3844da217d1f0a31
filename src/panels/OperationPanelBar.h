#pragma once

#include <QTabWidget>

#include "DataValuePage.h"
#include "Pages.h"
#include "SizingControlBar.h"

// "操作パネル": the tab control with the six pages, tab 0 (direction) selected.
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

private:
    QTabWidget* m_tabs;
};
