#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;
class QToolButton;

// The user guide's window: its HTML pages in a text browser, with buttons back, forward and
// to the contents page. Links within the guide stay in the window; links to the web open in
// the desktop's browser.
class CHelpWindow : public QWidget {
    Q_OBJECT
public:
    // indexPath: the guide's contents page (index.html).
    explicit CHelpWindow(const QString& indexPath, QWidget* parent = nullptr);

    // Shows the contents page and brings the window to the front.
    void ShowContents();

    QTextBrowser* Browser() const { return m_browser; }
    QToolButton* BackButton() const { return m_back; }
    QToolButton* ContentsButton() const { return m_contents; }

private:
    QTextBrowser* m_browser = nullptr;
    QToolButton* m_back = nullptr;
    QToolButton* m_forward = nullptr;
    QToolButton* m_contents = nullptr;
    QString m_indexPath;
};
