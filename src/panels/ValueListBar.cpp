#include "panels/ValueListBar.h"

CValueListBar::CValueListBar(QWidget* parent, CPanelPage* page)
    : CSizingControlBar(QString::fromUtf8("シートメニュー"), parent, QSize(320, 500),
                        IDR_VALUE_LIST_BAR),
      m_page(page) {
    setWidget(m_page);
}
