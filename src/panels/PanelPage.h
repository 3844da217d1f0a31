#pragma once

#include <QWidget>

class CViewState;

// A page of the operation panel (or the value-list bar): a widget that carries its resource
// id, reads and writes the view's state and follows its change notification. A page knows the
// state, never the view's window or another page.
class CPanelPage : public QWidget {
    Q_OBJECT
public:
    CPanelPage(int resourceId, QWidget* parent = nullptr);

    // Follows the state's changes from now on (the main frame attaches every page once).
    void Attach(CViewState& state);
    CViewState* State() const { return m_pState; }

    // Controls from the view's state (after a load, a reset or a settings file). A page that
    // writes the state from a control's signal blocks its signals while it refreshes.
    virtual void RefreshFromView() {}

protected:
    // Called after every announced change. By default the page refreshes its controls for
    // any change but a pure camera move.
    virtual void OnStateChanged(unsigned aspects);

private:
    CViewState* m_pState = nullptr;
};
