#include "app/HelpWindow.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QToolButton* MakeButton(const QString& text, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

}  // namespace

CHelpWindow::CHelpWindow(const QString& indexPath, QWidget* parent)
    : QWidget(parent, Qt::Window), m_indexPath(indexPath) {
    setWindowTitle(QCoreApplication::translate("CHelpWindow", "KZ_V ヘルプ"));
    resize(820, 720);

    m_back = MakeButton(QCoreApplication::translate("CHelpWindow", "戻る"), this);
    m_forward = MakeButton(QCoreApplication::translate("CHelpWindow", "進む"), this);
    m_contents = MakeButton(QCoreApplication::translate("CHelpWindow", "目次"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addWidget(m_contents);
    buttons->addStretch(1);

    m_browser = new QTextBrowser(this);
    m_browser->setOpenExternalLinks(true);  // http(s) links go to the desktop's browser
    m_browser->setOpenLinks(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(buttons);
    layout->addWidget(m_browser, 1);

    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_contents, &QToolButton::clicked, this,
            [this] { m_browser->setSource(QUrl::fromLocalFile(m_indexPath)); });
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QToolButton::setEnabled);
    // The window's title follows the page's.
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = m_browser->documentTitle();
        setWindowTitle(
            title.isEmpty()
                ? QCoreApplication::translate("CHelpWindow", "KZ_V ヘルプ")
                : QCoreApplication::translate("CHelpWindow", "%1 - KZ_V ヘルプ").arg(title));
    });
}

void CHelpWindow::ShowContents() {
    m_browser->setSource(QUrl::fromLocalFile(m_indexPath));
    show();
    raise();
    activateWindow();
}
