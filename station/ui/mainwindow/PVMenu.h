// CPVMenu: an owner-drawn copy of a menu loaded from the resources, with the station's look: a
// coloured strip on the left for icons and check marks, a light fill with a dark frame for the
// highlighted item, embossed disabled texts and right-aligned accelerators. Used for the main
// window's menu bar and the pop-up menus of the tree, the panes and the panels.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

struct MenuItemRecord {
    UINT_PTR id; // command id; a sub-menu's handle for a sub-menu item
    UINT flags;  // the loaded flags with MF_OWNERDRAW
    HICON icon;  // destroyed with the menu
    int width;
    int height;
    char text[32]; // cut to 31 bytes on a character boundary
};

class CPVMenu : public CMenu {
    DECLARE_DYNCREATE(CPVMenu)
public:
    CPVMenu();
    ~CPVMenu() override;

    // Builds this menu as an owner-drawn copy of source; parent is the enclosing menu for
    // sub-menus, null for a menu bar (or a top-level pop-up built from a menu bar's first entry).
    void LoadFromMenu(CMenu* source, CPVMenu* parent);
    // Builds a pop-up: the copy of source that TrackPopupMenu can show (source is a pop-up menu).
    void LoadPopup(CMenu* source);
    void AppendItem(LPCSTR text, UINT_PTR id, UINT flags, HICON icon);
    void SetParentMenu(CPVMenu* parent);

    void MeasureItem(LPMEASUREITEMSTRUCT measure) override;
    void DrawItem(LPDRAWITEMSTRUCT draw) override;

    int GetItemCount() const { return m_itemCount; }
    const MenuItemRecord* GetItem(int index) const;

    COLORREF m_selectedTextColor = 0xFFFFFF;
    COLORREF m_textColor = 0;
    COLORREF m_highlightColor = RGB(255, 238, 194);
    COLORREF m_shadowColor = 0x808080;
    COLORREF m_frameColor = 0;
    COLORREF m_itemBackColor = 0xFFFFFF;
    int m_iconWidth = 16;
    int m_iconHeight = 16;

private:
    void CopyItems(CMenu* source);
    void ComputeSize(MenuItemRecord& item) const;
    void DrawSeparator(CDC& dc, const CRect& rect);
    void DrawBackground(CDC& dc, const CRect& rect, const MenuItemRecord& item, UINT state);
    void DrawIconOrCheck(CDC& dc, const CRect& rect, const MenuItemRecord& item, UINT state);
    void DrawText(CDC& dc, const CRect& rect, const MenuItemRecord& item, UINT state);

    CTypedPtrList<CPtrList, MenuItemRecord*> m_items;
    int m_itemCount = 0;
    CTypedPtrList<CPtrList, CPVMenu*> m_subMenus;
    int m_subMenuCount = 0;
    int m_modernSystem = 1;
    CPVMenu* m_parentMenu = nullptr;
    CPtrArray m_childMenus;
};
