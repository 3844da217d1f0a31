#include "state/StateOwner.h"

#include <algorithm>
#include <exception>
#include <utility>

CStateOwner::CEdit::CEdit(CStateOwner& owner, unsigned aspects)
    : m_owner(owner), m_nUncaught(std::uncaught_exceptions()) {
    ++m_owner.m_nDepth;
    m_owner.m_nPending |= aspects;
}

CStateOwner::CEdit::~CEdit() noexcept(false) {
    if (--m_owner.m_nDepth > 0) {
        return;
    }
    const unsigned aspects = std::exchange(m_owner.m_nPending, 0u);
    if (aspects == 0) {
        return;
    }
    // Left by an exception: the change is still announced, so that the views show what the
    // state now holds, but a listener's failure must not end the program during unwinding.
    if (std::uncaught_exceptions() > m_nUncaught) {
        try {
            m_owner.Announce(aspects);
        } catch (...) {
        }
        return;
    }
    m_owner.Announce(aspects);
}

int CStateOwner::AddListener(Listener listener) {
    m_listeners.push_back({m_nNextListener, std::move(listener)});
    return m_nNextListener++;
}

void CStateOwner::RemoveListener(int handle) {
    m_listeners.erase(std::remove_if(m_listeners.begin(), m_listeners.end(),
                                     [handle](const Entry& e) { return e.handle == handle; }),
                      m_listeners.end());
}

void CStateOwner::Announce(unsigned aspects) {
    m_state.Follow(aspects);
    // A listener may add or remove listeners; walk a copy of the handles.
    std::vector<int> handles;
    for (const Entry& e : m_listeners) {
        handles.push_back(e.handle);
    }
    for (int handle : handles) {
        for (const Entry& e : m_listeners) {
            if (e.handle == handle) {
                Listener call = e.listener;
                call(aspects);
                break;
            }
        }
    }
}
