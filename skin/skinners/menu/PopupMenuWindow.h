// PopupMenuWindow: one skinned popup menu window of a cascade. The first popup of a tracked menu owns
// its submenu popups; the tracking loop hands it the mouse (capture) and the keys, and it hands each to
// the deepest open popup. It is never in the engine's table: its caller owns it, and a window destroyed
// under it (with its owner) only clears its handle and ends the tracking. While shown, the first popup
// watches its owner: the program losing the activation, the mouse capture or a WM_CANCELMODE ends the
// whole cascade, so no menu stays on top of another program.
#pragma once
#include "skin/engine/menus/MenuItemList.h"
#include "skin/engine/toolkit/SkinnedWindow.h"

class PopupMenuSkinObject;

class PopupMenuWindow : public SkinnedWindow {
public:
    // mode: 0 a menu bar's popup, 1 system menu, 2 tracked menu, 3 tracked menu returning the command.
    PopupMenuWindow(HWND owner, PopupMenuWindow* parent, int mode);
    ~PopupMenuWindow() override;

    BOOL Create();
    // Binds the skin's PopupMenu object (NULL: the built-in look) with the skin's transparent colour.
    void BindSkin(SkinObject* object);
    // The current skin's PopupMenu object; NULL when it has none.
    static SkinObject* CurrentSkinObject();
    void SetMenu(HMENU menu) override;
    // A submenu popup shows the list of its parent's item (not owned).
    void SetItems(MenuItemList* items);
    SIZE MeasureSize();
    // Lays the items out for the window's current size, scrolling when they do not fit.
    void Arrange();
    void Close();

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnNcDestroy() override;
    void Paint(HDC dc) override;
    // The first popup watches its owner (and the owner's top-level window) while it is shown.
    void HookOwner(WPARAM show, LPARAM status) override;

    // The tracking loop's inputs, given to the first popup.
    void MouseMove(POINT screen);
    // FALSE when the press dismissed the menu (outside every popup).
    void ButtonDown(POINT screen);
    void Key(WPARAM key);
    // A key with Alt held: a mnemonic chooses as the key alone does; a tracked context menu (mode 2)
    // ends on a letter no item has.
    void AltKey(WPARAM key);
    // Ends the whole cascade without a command (the program lost the mouse or the activation): the
    // popups hide at once and the loop that runs them wakes up to finish.
    void Dismiss();
    // Whether a point of the screen lies on a popup of the cascade.
    BOOL Contains(POINT screen);
    // Whether the selected item of the deepest popup opens a submenu (VK_RIGHT goes into it).
    bool DeepestSelectionOpensSubmenu();

    bool Done() const { return done_; }
    int Command() const { return command_; }
    bool Escaped() const { return escaped_; }
    int Selected() const { return selected_; }
    int FirstVisible() const { return first_; }
    int VisibleCount() const { return visible_; }
    PopupMenuWindow* Child() const { return child_; }
    // The band of an item (client coordinates) as laid out now.
    RECT ItemBand(int index) const;
    // The scroll-up (up) or scroll-down area, client coordinates; empty when the menu fits.
    RECT ScrollArea(bool up) const;

private:
    const PopupMenuSkinObject* Object() const;
    PopupMenuWindow* First();
    PopupMenuWindow* Deepest();
    PopupMenuWindow* PopupAt(POINT screen);
    MenuItem* Item(int index) const;
    int Count() const;
    int ItemHeight();
    int ItemAt(POINT client) const;
    void Select(int index);
    void OpenSubmenu(bool selectFirst);
    void CloseChild();
    void Choose(const MenuItem& item);
    void Finish(bool escaped);
    void OnTimer();
    void PaintItem(HDC dc, int index);
    void PaintScrollArrows(HDC dc);
    bool InCascade(HWND hwnd);
    void UnhookOwner();
    static LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR self);

    HWND owner_;
    PopupMenuWindow* parent_;
    int mode_;
    MenuItemList* items_;
    bool ownsItems_;
    HMENU menu_;
    PopupMenuWindow* child_;
    HFONT font_;
    int itemHeight_;
    int selected_;
    int first_;
    int visible_;
    int scrollUp_;
    int scrollDown_;
    bool done_;
    bool escaped_;
    bool closing_; // destroyed by its cascade, not from outside
    int command_;
    HWND watched_[2]; // the owner and its top-level window while they are watched
};
