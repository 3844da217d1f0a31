#pragma once

#include <string>

#include "state/StateOwner.h"

// The document: the owner of the view's state (the data set(s), the display settings, the
// camera, the selection, the value list), which the view, the pages and the dialogs are given,
// and a title: the loaded data set's name (empty for a new one), shown before the
// application's name in the window caption.
class CKZ_VDoc {
public:
    CStateOwner& State() { return m_state; }
    const CStateOwner& State() const { return m_state; }

    void SetTitle(const std::string& title) { m_strTitle = title; }
    const std::string& GetTitle() const { return m_strTitle; }
    // "<title> - KZ_V", or "KZ_V" for an empty title.
    std::string Caption() const { return m_strTitle.empty() ? "KZ_V" : m_strTitle + " - KZ_V"; }

private:
    CStateOwner m_state;
    std::string m_strTitle;
};
