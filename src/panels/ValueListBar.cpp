#include "ValueListBar.h"

#include "state/ViewState.h"

CValueListDlg::CValueListDlg(QWidget* parent) : CPanelPage(131, parent) {}

void CValueListDlg::ClearAllRows() {
    // Forgetting the rows forgets the whole selection with them.
    if (State() != nullptr) {
        State()->ClearSelection();
        State()->m_valueList.ClearAllRows();
        State()->Changed(ASPECT_SELECTION);
    }
}

CValueListBar::CValueListBar(QWidget* parent)
    : CSizingControlBar(QString::fromUtf8("シートメニュー"), parent, QSize(320, 500),
                        IDR_VALUE_LIST_BAR),
      m_page(new CValueListDlg(this)) {
    setWidget(m_page);
}
