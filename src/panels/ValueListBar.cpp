#include "ValueListBar.h"

#include "KZ_VView.h"

CValueListDlg::CValueListDlg(QWidget* parent) : CPanelPage(131, parent) {}

void CValueListDlg::ClearAllRows() {
    // Forgetting the rows forgets the whole selection with them.
    if (g_pView != nullptr) {
        g_pView->ClearSelection();
        g_pView->update();
    }
}

CValueListBar::CValueListBar(QWidget* parent)
    : CSizingControlBar(QString::fromUtf8("シートメニュー"), parent, QSize(320, 500), 59426),
      m_page(new CValueListDlg(this)) {
    setWidget(m_page);
}
