#pragma once

#include <QString>
#include <functional>
#include <string>

class QWidget;

// The platform's folder browser, titled "フォルダの選択". Tests replace the browser through
// SetHook instead of clicking a modal window.
class CFolderBrowser {
public:
    // Answers with the chosen folder, or an empty text for a cancelled browser.
    using Hook = std::function<QString(QWidget* owner, const QString& title)>;

    // The chosen folder as the file system spells it (no trailing '/', except for the root), or
    // an empty string when the user cancels or the choice is not an existing folder.
    static std::string Browse(QWidget* owner);

    // Installs a hook (an empty one restores the real browser); returns the previous hook.
    static Hook SetHook(Hook hook);
};
