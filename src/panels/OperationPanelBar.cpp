#include "panels/OperationPanelBar.h"

#include <QCoreApplication>
#include <algorithm>

#include <QFont>
#include <QFrame>
#include <QLayout>
#include <QProxyStyle>
#include <QScrollArea>
#include <QStyle>
#include <QTabBar>

namespace {

constexpr int kPageMargin = 3;

// Tabs with half the style's space beside their texts, so the six tabs fit the bar's default
// width of 320 pixels side by side.
class CNarrowTabStyle : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        return metric == PM_TabBarTabHSpace ? value / 2 : value;
    }
};

// A page in a scroll area. The tab's frame already sets the page off, so the page keeps
// only a narrow margin of its own: the widest page then fits the default bar with a
// vertical scroll bar beside it.
QScrollArea* Scrolled(CPanelPage* page) {
    if (QLayout* layout = page->layout()) {
        layout->setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
    }
    auto* area = new QScrollArea;
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setWidget(page);
    return area;
}

}  // namespace

COperationPanelBar::COperationPanelBar(QWidget* parent)
    : CSizingControlBar(QCoreApplication::translate("COperationPanelBar", "操作パネル"), parent,
                        QSize(320, 100), IDR_OPERATION_BAR),
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
    auto* tabStyle = new CNarrowTabStyle;
    tabStyle->setParent(m_tabs);
    m_tabs->tabBar()->setStyle(tabStyle);
    // A bar narrower than the six tabs scrolls them; the pages scroll in their areas. So the
    // bar can be made as small as its minimum size.
    m_tabs->setUsesScrollButtons(true);
    m_tabs->setMinimumSize(1, 1);
    m_tabs->addTab(Scrolled(m_pageDirection),
                   QCoreApplication::translate("COperationPanelBar", "方位"));
    m_tabs->addTab(Scrolled(m_pageOperation),
                   QCoreApplication::translate("COperationPanelBar", "操作"));
    m_tabs->addTab(Scrolled(m_pageDisplay),
                   QCoreApplication::translate("COperationPanelBar", "表示"));
    m_tabs->addTab(Scrolled(m_pageContour),
                   QCoreApplication::translate("COperationPanelBar", "コンタ"));
    m_tabs->addTab(Scrolled(m_pageColorBar),
                   QCoreApplication::translate("COperationPanelBar", "カラーバー"));
    m_tabs->addTab(Scrolled(m_pageDataValue),
                   QCoreApplication::translate("COperationPanelBar", "データ値"));
    m_tabs->setCurrentIndex(0);
    setWidget(m_tabs);
}

int COperationPanelBar::HeightForTallestPage() const {
    int tallest = 0;
    for (int tab = 0; tab < m_tabs->count(); ++tab) {
        if (const CPanelPage* page = Page(tab)) {
            tallest = std::max(tallest, page->sizeHint().height());
        }
    }
    // Around the page: the tab strip, the tab's frame, the bar's title and its frame.
    const int frame = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, m_tabs);
    const int title = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    return tallest + m_tabs->tabBar()->sizeHint().height() + 2 * frame + title + 8;
}

CPanelPage* COperationPanelBar::Page(int tab) const {
    const auto* area = qobject_cast<const QScrollArea*>(m_tabs->widget(tab));
    return area != nullptr ? qobject_cast<CPanelPage*>(area->widget()) : nullptr;
}
