#pragma once

#include "PanelPage.h"
#include "SizingControlBar.h"

// The value-list page: the rows of the selected points. Its list and operations come with the
// value-list work; it already empties itself, and the selection, for a new data set.
class CValueListDlg : public CPanelPage {
    Q_OBJECT
public:
    explicit CValueListDlg(QWidget* parent = nullptr);
    // Deletes every row and makes the view forget its whole selection.
    void ClearAllRows();

protected:
    void OnStateChanged(unsigned aspects) override;
};

// "シートメニュー": the bar holding the value-list page.
class CValueListBar : public CSizingControlBar {
    Q_OBJECT
public:
    explicit CValueListBar(QWidget* parent);
    CValueListDlg* m_page;
};
