// MenuBarItem: one top-level item of a skinned menu bar: its text and mnemonic, its command or submenu,
// and its look (normal, hot under the mouse, open while its popup shows).
#pragma once
#include <string>

#include "skin/skinners/window/FrameElement.h"

class MenuBarSkinObject;

class MenuBarItem : public FrameElement {
public:
    enum State { StateNormal = 0, StateHot = 1, StateOpen = 2 };

    MenuBarItem(SkinnedWindow* owner, HMENU menu, int position, const char* text);

    // The item in its state with the bar's pictures and colours; the caller selects the bar's font.
    void Paint(HDC dc) override;
    void SetRect(const RECT& rect) { rect_ = rect; }
    // Neither greyed nor disabled in its menu.
    BOOL IsItemEnabled() const;

    const std::string& Text() const { return text_; }
    int CommandId() const { return id_; }
    int Position() const { return position_; }
    HMENU Submenu() const { return submenu_; }
    int Mnemonic() const { return mnemonic_; }
    int GetState() const { return state_; }
    void SetState(int state) { state_ = state; }

private:
    const MenuBarSkinObject* Bar() const;

    std::string text_;
    int id_;
    int position_;
    HMENU submenu_;
    HMENU menu_;
    int state_;
    int mnemonic_;
};
