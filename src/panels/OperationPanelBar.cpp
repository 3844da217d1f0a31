#include "OperationPanelBar.h"

#include <QFont>
#include <QTabBar>

COperationPanelBar::COperationPanelBar(QWidget* parent)
    : CSizingControlBar(QString::fromUtf8("操作パネル"), parent, QSize(320, 100),
                        IDR_OPERATION_BAR),
      m_pageDirection(new CDirectionPage),
      m_pageOperation(new COperationPage),
      m_pageDisplay(new CDisplayPage),
      m_pageContour(new CContourPage),
      m_pageColorBar(new CColorBarPage),
      m_pageDataValue(new CDataValuePage),
      m_tabs(new QTabWidget(this)) {
    m_tabs->setProperty("controlId", IDC_TABS);
    QFont font(QString::fromUtf8("ＭＳ　Ｐゴシック"));
    font.setPointSize(9);
    m_tabs->setFont(font);
    m_tabs->tabBar()->setFont(font);
    m_tabs->setUsesScrollButtons(false);  // all six tabs stay in view
    m_tabs->addTab(m_pageDirection, QString::fromUtf8("方位"));
    m_tabs->addTab(m_pageOperation, QString::fromUtf8("操作"));
    m_tabs->addTab(m_pageDisplay, QString::fromUtf8("表示"));
    m_tabs->addTab(m_pageContour, QString::fromUtf8("コンタ"));
    m_tabs->addTab(m_pageColorBar, QString::fromUtf8("カラーバー"));
    m_tabs->addTab(m_pageDataValue, QString::fromUtf8("データ値"));
    m_tabs->setCurrentIndex(0);
    setWidget(m_tabs);
}
