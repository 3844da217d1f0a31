#include "panels/SizingControlBar.h"

CSizingControlBar::CSizingControlBar(const QString& caption, QWidget* parent, QSize defaultSize,
                                     int barId)
    : QDockWidget(caption, parent) {
    setObjectName(QStringLiteral("bar%1").arg(barId));
    setProperty("controlId", barId);
    setFeatures(QDockWidget::DockWidgetClosable);  // no floating, no moving off the dock
    setAllowedAreas(Qt::RightDockWidgetArea);
    setMinimumSize(kMinWidth, kMinHeight);
    m_sizes = CBarSizes{defaultSize.width(),  defaultSize.height(), defaultSize.width(),
                        defaultSize.height(), defaultSize.width(),  defaultSize.height()};
}

CBarSizes CSizingControlBar::Sizes() const {
    CBarSizes sizes = m_sizes;
    if (isVisible()) {
        sizes.vertCx = width();
        sizes.vertCy = height();
    }
    return sizes;
}

void CSizingControlBar::SetSizes(const CBarSizes& sizes) {
    m_sizes = sizes;
    updateGeometry();
}

QSize CSizingControlBar::sizeHint() const {
    return QSize(std::max(kMinWidth, m_sizes.vertCx), std::max(kMinHeight, m_sizes.vertCy));
}
