// Keeps the active window and the keyboard focus across the creation of a hidden dialog. A dialog
// made after the main window appeared would take them: its creation gives the focus to its first
// control, and with it the activation to its top-level window. Before anything is active (the
// start-up) there is nothing to keep.
#pragma once
#include <windows.h>

class CFocusKeeper {
public:
    CFocusKeeper() : m_active(::GetActiveWindow()), m_focus(::GetFocus()) {}
    ~CFocusKeeper()
    {
        if (m_active != nullptr && ::IsWindow(m_active) && ::GetActiveWindow() != m_active)
            ::SetActiveWindow(m_active);
        if (m_focus != nullptr && ::IsWindow(m_focus) && ::GetFocus() != m_focus)
            ::SetFocus(m_focus);
    }
    CFocusKeeper(const CFocusKeeper&) = delete;
    CFocusKeeper& operator=(const CFocusKeeper&) = delete;

private:
    HWND m_active;
    HWND m_focus;
};
