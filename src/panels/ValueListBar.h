#pragma once

#include "PanelPage.h"
#include "SizingControlBar.h"

// The value-list page: shows the state's value list (its rows). Its controls come with the
// value-list work.
class CValueListDlg : public CPanelPage {
    Q_OBJECT
public:
    explicit CValueListDlg(QWidget* parent = nullptr);
    // Deletes every row and makes the view forget its whole selection.
    void ClearAllRows();
};

// "シートメニュー": the bar holding the value-list page.
class CValueListBar : public CSizingControlBar {
    Q_OBJECT
public:
    explicit CValueListBar(QWidget* parent);
    static constexpr int IDR_VALUE_LIST_BAR = 59426;
    CValueListDlg* m_page;
};
