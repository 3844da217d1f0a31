#pragma once

#include <string>

// The document stores nothing; its title is the loaded data set's name (empty for a new one),
// shown before the application's name in the window caption.
class CKZ_VDoc {
public:
    void SetTitle(const std::string& title) { m_strTitle = title; }
    const std::string& GetTitle() const { return m_strTitle; }
    // "<title> - KZ_V", or "KZ_V" for an empty title.
    std::string Caption() const { return m_strTitle.empty() ? "KZ_V" : m_strTitle + " - KZ_V"; }

private:
    std::string m_strTitle;
};
