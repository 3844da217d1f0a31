#pragma once

#include "PanelPage.h"
#include "SizingControlBar.h"

// The value-list page: the rows of the selected points. Its list and operations come with the
// value-list work; the calls the view makes exist already.
class CValueListDlg : public CPanelPage {
    Q_OBJECT
public:
    explicit CValueListDlg(QWidget* parent = nullptr);
    void ClearAllRows();
    void RefreshPointCoordinates() {}
    bool FindPointRow(int /*id*/) const { return false; }
};

// "シートメニュー": the bar holding the value-list page.
class CValueListBar : public CSizingControlBar {
    Q_OBJECT
public:
    explicit CValueListBar(QWidget* parent);
    CValueListDlg* m_page;
};
