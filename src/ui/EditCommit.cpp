#include "ui/EditCommit.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

class CEditCommitFilter : public QObject {
public:
    CEditCommitFilter(QLineEdit* edit, std::function<void()> commit)
        : QObject(edit), m_commit(std::move(commit)) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                Commit();
                return true;  // the number box is done; the key does nothing more
            }
        } else if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
                Commit();
            }
        }
        return false;
    }

private:
    void Commit() {
        if (m_bRunning) {
            return;
        }
        m_bRunning = true;
        m_commit();
        m_bRunning = false;
    }

    std::function<void()> m_commit;
    bool m_bRunning = false;
};

}  // namespace

void OnEditCommitted(QLineEdit* edit, std::function<void()> commit) {
    edit->installEventFilter(new CEditCommitFilter(edit, std::move(commit)));
}
