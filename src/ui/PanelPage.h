#pragma once

#include <QWidget>
#include <cstddef>
#include <optional>

#include "state/StateOwner.h"

// A page's edit of the state: an edit of the owner's state while the page is attached, none
// (false, equal to nullptr) before. It announces what it touched when it goes out of scope.
class CPageEdit {
public:
    explicit CPageEdit(CStateOwner* owner) {
        if (owner != nullptr) {
            m_edit.emplace(*owner, 0u);
        }
    }
    CPageEdit(const CPageEdit&) = delete;
    CPageEdit& operator=(const CPageEdit&) = delete;

    explicit operator bool() const { return m_edit.has_value(); }
    bool operator==(std::nullptr_t) const { return !m_edit; }
    bool operator!=(std::nullptr_t) const { return m_edit.has_value(); }
    CViewState* operator->() const { return m_edit->operator->(); }
    CViewState& operator*() const { return **m_edit; }
    // The aspects the edit changed, announced when it ends.
    void Touch(unsigned aspects) { m_edit->Touch(aspects); }

private:
    std::optional<CStateOwner::CEdit> m_edit;
};

// A page of the operation panel (or the value-list bar): a widget that carries its resource
// id, reads the view's state, changes it through edits and follows its change notification. A
// page knows the state, never the view's window or another page.
class CPanelPage : public QWidget {
    Q_OBJECT
public:
    CPanelPage(int resourceId, QWidget* parent = nullptr);

    // Follows the state's changes from now on (the main frame attaches every page once).
    void Attach(CStateOwner& owner);
    // The state the page shows (null until attached); changes go through Owner()'s edits.
    const CViewState* State() const;
    CStateOwner* Owner() const { return m_pOwner; }
    CPageEdit EditState() const { return CPageEdit(m_pOwner); }

    // Controls from the view's state (after a load, a reset or a settings file). A page that
    // writes the state from a control's signal blocks its signals while it refreshes.
    virtual void RefreshFromView() {}

protected:
    // Called after every announced change. By default the page refreshes its controls for
    // any change but a pure camera move.
    virtual void OnStateChanged(unsigned aspects);

private:
    CStateOwner* m_pOwner = nullptr;
};
