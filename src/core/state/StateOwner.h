#pragma once

#include <functional>
#include <vector>

#include "state/ViewState.h"

// The one owner of the view's state. Everyone else reads it (State()) and changes it only
// through an edit: a scoped object that gives write access, records the aspects the change
// touches and, when the outermost edit of a nest ends, brings the dependent parts up to date
// and announces the aspects once to every listener. A change and its notification cannot come
// apart, and a command made of several edits is announced as one.
class CStateOwner {
public:
    using Listener = std::function<void(unsigned aspects)>;

    class CEdit {
    public:
        CEdit(CStateOwner& owner, unsigned aspects);
        ~CEdit() noexcept(false);
        CEdit(const CEdit&) = delete;
        CEdit& operator=(const CEdit&) = delete;

        CViewState& operator*() const { return m_owner.m_state; }
        CViewState* operator->() const { return &m_owner.m_state; }
        // Adds aspects to the announcement (a change found to touch more than it expected).
        void Touch(unsigned aspects) { m_owner.m_nPending |= aspects; }

    private:
        CStateOwner& m_owner;
        int m_nUncaught;
    };

    CStateOwner() = default;
    CStateOwner(const CStateOwner&) = delete;
    CStateOwner& operator=(const CStateOwner&) = delete;

    const CViewState& State() const { return m_state; }
    const CViewState* operator->() const { return &m_state; }
    const CViewState& operator*() const { return m_state; }

    // An edit announcing aspects when the outermost edit ends (none: announces nothing unless
    // Touch adds some).
    CEdit Edit(unsigned aspects = 0) { return CEdit(*this, aspects); }
    // Announces aspects without changing anything (an edit that writes nothing).
    void Changed(unsigned aspects) { Edit(aspects); }

    // Registers a listener; it is called after every announcement, in registration order.
    // Returns its handle for RemoveListener.
    int AddListener(Listener listener);
    void RemoveListener(int handle);

private:
    void Announce(unsigned aspects);

    struct Entry {
        int handle;
        Listener listener;
    };
    CViewState m_state;
    std::vector<Entry> m_listeners;
    int m_nNextListener = 1;
    int m_nDepth = 0;         // edits open
    unsigned m_nPending = 0;  // aspects the open edits touch
};
