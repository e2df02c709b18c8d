// MenuBar: the skinned menu bar of a frame window. It holds the window's menu while the window is
// skinned, lays the top-level items out in rows under the caption, highlights them under the mouse and
// opens their submenus as skinned popups; while an MDI child is maximized it shows the child's icon and
// its minimize, restore and close buttons. An open item runs its popup modally (the mouse and keys of the
// thread go to the cascade; moving or pressing over another item switches to it) until the menu ends.
#pragma once
#include <vector>

#include "skin/skinners/menu/MdiButton.h"
#include "skin/skinners/window/FrameElement.h"

class MenuBarItem;
class MenuBarSkinObject;
class PopupMenuWindow;

class MenuBar : public FrameElement {
public:
    explicit MenuBar(SkinnedWindow* owner);
    ~MenuBar() override;

    // Takes the menu (one item per top-level entry with a text); NULL empties the bar. Always TRUE.
    BOOL SetMenu(HMENU menu);
    HMENU GetMenu() const { return menu_; }
    // Gives the menu up: the bar is empty afterwards.
    HMENU TakeMenu();
    // The bar's height for a bar that wide; 0 without items.
    int GetHeight(int width);
    // Window coordinates: between the side sections, under the top section.
    RECT GetRect();

    void Paint(HDC dc) override;
    // Binds the bar, its items and the MDI buttons' pictures.
    SkinObject* SetSkinObject(SkinObject* object) override;
    void OnMouseMove(POINT point) override;
    void OnLButtonUp(POINT point) override;
    void OnLButtonDown(POINT point) override;
    BOOL HitTest(POINT point) override;
    virtual void LayoutItems();

    // Closes the open item (the menu ended elsewhere).
    void EndTracking();
    // Menu keys: a mnemonic opens its item; FALSE when no item has it.
    BOOL OnKey(WPARAM key);
    BOOL IsTracking() const { return open_ >= 0; }
    void OnHoverTimer();

    size_t ItemCount() const { return items_.size(); }
    const MenuBarItem* Item(size_t index) const { return index < items_.size() ? items_[index] : NULL; }
    int HotIndex() const { return hot_; }
    int OpenIndex() const { return open_; }

private:
    const MenuBarSkinObject* Bar() const;
    void ClearItems();
    // Text widths and the item height, measured once per menu and skin.
    void Measure();
    RECT ItemArea(const RECT& bar) const;
    int ItemIndexAt(POINT point);
    bool ShowsMdiButtons();
    void Repaint();
    void SetHot(int index);
    void StartHoverTimer();
    void StopHoverTimer();
    // Runs the item's popup and those the user moves to; index of the first item to open.
    void Track(int index, bool byKey);
    // The loop of one open popup: the next item to open, or -1 when the menu ends; hotAfter is the item
    // to show hot afterwards (the mouse slid onto a command item), else left as it was.
    int RunPopup(PopupMenuWindow& popup, int current, bool& byKey, int& hotAfter);
    bool OpenPopup(PopupMenuWindow& popup, int index);
    // The next item that opens a popup, stepping left (-1) or right (1) round the bar; -1 for none.
    int Neighbour(int current, int step) const;
    void PressMdiButton(POINT point);

    HMENU menu_;
    std::vector<MenuBarItem*> items_;
    MdiButton mdiButtons_[4]; // icon, minimize, restore, close
    int hot_;
    int open_;
    HFONT font_;
    std::vector<int> widths_;
    int itemHeight_;
    bool measured_;
    bool hoverTimer_;
};
