#pragma once

#include "panels/SizingControlBar.h"
#include "ui/PanelPage.h"

// "シートメニュー": the bar holding the value-list page, which it fills.
class CValueListBar : public CSizingControlBar {
    Q_OBJECT
public:
    // The bar takes page (the value-list page) as its widget.
    CValueListBar(QWidget* parent, CPanelPage* page);
    static constexpr int IDR_VALUE_LIST_BAR = 59426;
    CPanelPage* m_page;
};
