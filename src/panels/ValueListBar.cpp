#include "panels/ValueListBar.h"

#include <QCoreApplication>

CValueListBar::CValueListBar(QWidget* parent, CPanelPage* page)
    : CSizingControlBar(QCoreApplication::translate("CValueListBar", "シートメニュー"), parent,
                        QSize(320, 500), IDR_VALUE_LIST_BAR),
      m_page(page) {
    setWidget(m_page);
}
