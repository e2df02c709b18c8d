// The owner-drawn menu.
#include "station/ui/mainwindow/PVMenu.h"

IMPLEMENT_DYNCREATE(CPVMenu, CMenu)

namespace {

HFONT g_menuFont = nullptr;
int g_menuCount = 0;

HFONT MenuFont()
{
    if (g_menuFont == nullptr) {
        NONCLIENTMETRICSA metrics = {};
        metrics.cbSize = sizeof metrics;
        if (::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
            g_menuFont = ::CreateFontIndirectA(&metrics.lfMenuFont);
        if (g_menuFont == nullptr)
            g_menuFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    }
    return g_menuFont;
}

// The menu strip's colour: the menu bar's when the system has one, else the menu's.
HBRUSH MenuBackgroundBrush()
{
    static HBRUSH brush = nullptr;
    if (brush == nullptr) {
        COLORREF bar = ::GetSysColor(COLOR_MENUBAR);
        brush = ::CreateSolidBrush(bar != 0 ? bar : ::GetSysColor(COLOR_MENU));
    }
    return brush;
}

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour)
{
    RECT rect = {left, top, right, bottom};
    ::SetBkColor(dc, colour);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void FillStrip(HDC dc, int left, int top, int right, int bottom)
{
    RECT rect = {left, top, right, bottom};
    ::FillRect(dc, &rect, MenuBackgroundBrush());
}

const int kStripWidth = 21;
const int kSeparatorHeight = 7;
const int kTabExtra = 15;

} // namespace

CPVMenu::CPVMenu()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (::GetVersionExA(&version))
        m_modernSystem = version.dwMajorVersion > 4 ? 1 : 0;
#pragma GCC diagnostic pop
    MenuFont();
    ++g_menuCount;
}

CPVMenu::~CPVMenu()
{
    while (!m_items.IsEmpty()) {
        MenuItemRecord* item = m_items.RemoveHead();
        if (item->icon != nullptr)
            ::DestroyIcon(item->icon);
        delete item;
    }
    // The platform destroys sub-menus with their parent: only the wrappers go here.
    while (!m_subMenus.IsEmpty()) {
        CPVMenu* sub = m_subMenus.RemoveHead();
        sub->Detach();
        delete sub;
    }
    DestroyMenu();
    --g_menuCount;
}

void CPVMenu::SetParentMenu(CPVMenu* parent)
{
    m_parentMenu = parent;
    if (parent != nullptr)
        parent->m_childMenus.Add(this);
}

void CPVMenu::LoadFromMenu(CMenu* source, CPVMenu* parent)
{
    if (parent != nullptr) {
        CreatePopupMenu();
        SetParentMenu(parent);
    } else {
        CreateMenu();
    }
    CopyItems(source);
}

void CPVMenu::LoadPopup(CMenu* source)
{
    CreatePopupMenu();
    CopyItems(source);
}

void CPVMenu::CopyItems(CMenu* source)
{
    if (source == nullptr || source->m_hMenu == nullptr)
        return;
    int count = (int)source->GetMenuItemCount();
    for (int pos = 0; pos < count; ++pos) {
        char text[257] = "";
        source->GetMenuString(pos, text, sizeof text, MF_BYPOSITION);
        // States by position: a separator's id 0 or a sub-menu's -1 would find another item.
        UINT state = source->GetMenuState(pos, MF_BYPOSITION);
        HMENU popup = ::GetSubMenu(source->m_hMenu, pos);
        if (popup != nullptr) {
            CPVMenu* sub = new CPVMenu;
            m_subMenus.AddTail(sub);
            ++m_subMenuCount;
            sub->LoadFromMenu(CMenu::FromHandle(popup), this);
            UINT flags = MF_POPUP | (state & (MF_GRAYED | MF_DISABLED | MF_CHECKED));
            AppendItem(text, (UINT_PTR)sub->m_hMenu, flags, nullptr);
        } else {
            UINT flags = state & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED | MF_CHECKED);
            AppendItem(text, source->GetMenuItemID(pos), flags, nullptr);
        }
    }
}

void CPVMenu::ComputeSize(MenuItemRecord& item) const
{
    if (item.flags & MF_SEPARATOR) {
        item.width = 0;
        item.height = kSeparatorHeight;
        return;
    }
    // A memory DC of the screen's kind measures as the screen does, without the window system's
    // round trips of the screen's own DC (a menu bar measures every item of every sub-menu).
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, MenuFont());
    SIZE size = {};
    ::GetTextExtentPoint32A(dc, item.text, (int)strlen(item.text), &size);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    item.height = m_iconHeight + 6;
    item.width = size.cx + m_iconWidth + 6;
    if (m_parentMenu == nullptr && item.icon == nullptr)
        item.width -= m_iconWidth + 6;
    if (strchr(item.text, '\t') != nullptr)
        item.width += kTabExtra;
}

void CPVMenu::AppendItem(LPCSTR text, UINT_PTR id, UINT flags, HICON icon)
{
    MenuItemRecord* item = new MenuItemRecord();
    item->id = id;
    item->flags = flags | MF_OWNERDRAW;
    item->icon = icon;
    CopyText(item->text, text != nullptr ? text : "");
    ComputeSize(*item);
    m_items.AddTail(item);
    ++m_itemCount;
    ::AppendMenuA(m_hMenu, item->flags, id, (LPCSTR)item);
}

const MenuItemRecord* CPVMenu::GetItem(int index) const
{
    POSITION pos = m_items.FindIndex(index);
    return pos != nullptr ? m_items.GetAt(pos) : nullptr;
}

void CPVMenu::MeasureItem(LPMEASUREITEMSTRUCT measure)
{
    const MenuItemRecord* item = (const MenuItemRecord*)measure->itemData;
    if (item == nullptr)
        return;
    measure->itemWidth = item->width;
    measure->itemHeight = item->height;
}

void CPVMenu::DrawSeparator(CDC& dc, const CRect& rect)
{
    FillStrip(dc.m_hDC, rect.left, rect.top, rect.left + kStripWidth, rect.bottom + 1);
    Fill(dc.m_hDC, rect.left + kStripWidth, rect.top, rect.right, rect.bottom, m_itemBackColor);
    Fill(dc.m_hDC, rect.left + 26, rect.top + 3, rect.right - 4, rect.top + 4, m_shadowColor);
    Fill(dc.m_hDC, rect.left + 26, rect.top + 4, rect.right - 4, rect.top + 5, m_selectedTextColor);
}

void CPVMenu::DrawBackground(CDC& dc, const CRect& rect, const MenuItemRecord& item, UINT state)
{
    HDC hdc = dc.m_hDC;
    BOOL highlighted = (state & (ODS_SELECTED | ODS_HOTLIGHT)) != 0;
    if (highlighted) {
        if (m_parentMenu == nullptr) {
            Fill(hdc, rect.left, rect.top, rect.right, rect.bottom, m_itemBackColor);
            if (rect.Height() < 22) {
                HGDIOBJ pen = ::SelectObject(hdc, ::GetStockObject(BLACK_PEN));
                HBRUSH fill = ::CreateSolidBrush(m_highlightColor);
                HGDIOBJ brush = ::SelectObject(hdc, fill);
                ::Rectangle(hdc, rect.left, rect.top, rect.right, rect.bottom);
                ::SelectObject(hdc, brush);
                ::SelectObject(hdc, pen);
                ::DeleteObject(fill);
                return;
            }
        }
        FillStrip(hdc, rect.left, rect.top, rect.left + 1, rect.bottom);
        Fill(hdc, rect.left + 1, rect.top, rect.right, rect.bottom, m_highlightColor);
        HBRUSH frame = ::CreateSolidBrush(m_frameColor);
        RECT box = {rect.left, rect.top, rect.right, rect.bottom};
        ::FrameRect(hdc, &box, frame);
        ::DeleteObject(frame);
        return;
    }
    if ((item.flags & MF_POPUP) && m_parentMenu == nullptr) {
        FillStrip(hdc, rect.left, rect.top, rect.right, rect.bottom);
        return;
    }
    FillStrip(hdc, rect.left, rect.top, rect.left + kStripWidth, rect.bottom + 1);
    Fill(hdc, rect.left + kStripWidth, rect.top, rect.right + 1, rect.bottom + 1, m_itemBackColor);
}

void CPVMenu::DrawIconOrCheck(CDC& dc, const CRect& rect, const MenuItemRecord& item, UINT state)
{
    HDC hdc = dc.m_hDC;
    if (state & ODS_CHECKED) {
        RECT box = {rect.left + 4, rect.top + 5, rect.left + 17, rect.top + 18};
        ::DrawFrameControl(hdc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_FLAT | DFCS_MONO);
        return;
    }
    if (item.icon == nullptr)
        return;
    if (state & ODS_SELECTED) {
        HBRUSH shadow = ::CreateSolidBrush(m_frameColor + 0x464646);
        ::DrawState(hdc, shadow, nullptr, (LPARAM)item.icon, 0, rect.left + 4, rect.top + 4, 16, 16,
                    DST_ICON | DSS_MONO);
        ::DeleteObject(shadow);
        ::DrawIconEx(hdc, rect.left + 1, rect.top + 3, item.icon, 16, 16, 0, nullptr, DI_NORMAL);
    } else {
        ::DrawIconEx(hdc, rect.left + 2, rect.top + 4, item.icon, 16, 16, 0, nullptr, DI_NORMAL);
    }
}

void CPVMenu::DrawText(CDC& dc, const CRect& rect, const MenuItemRecord& item, UINT state)
{
    if (item.text[0] == '\0')
        return;
    HDC hdc = dc.m_hDC;
    CRect area = rect;
    area.left += 4 + 5;
    if (m_parentMenu != nullptr || item.icon != nullptr)
        area.left += m_iconWidth;
    BOOL disabled = (state & (ODS_GRAYED | ODS_DISABLED)) != 0;
    BOOL highlighted = (state & (ODS_SELECTED | ODS_HOTLIGHT)) != 0;
    if (!disabled && m_parentMenu == nullptr)
        area.OffsetRect(0, -2);
    HGDIOBJ oldFont = ::SelectObject(hdc, MenuFont());
    ::SetBkMode(hdc, TRANSPARENT);
    CString label(item.text), accelerator;
    int tab = label.Find('\t');
    if (tab >= 0) {
        accelerator = label.Mid(tab + 1) + "    ";
        label = label.Left(tab);
    }
    auto draw = [&](const CRect& at, COLORREF colour) {
        ::SetTextColor(hdc, colour);
        RECT r = at;
        ::DrawTextA(hdc, label, label.GetLength(), &r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        if (!accelerator.IsEmpty()) {
            r = at;
            ::DrawTextA(hdc, accelerator, accelerator.GetLength(), &r, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
        }
    };
    if (!disabled) {
        draw(area, m_textColor);
    } else if (highlighted) {
        draw(area, m_selectedTextColor);
    } else {
        CRect emboss = area;
        emboss.OffsetRect(1, 1);
        draw(emboss, m_selectedTextColor);
        draw(area, m_shadowColor);
    }
    ::SelectObject(hdc, oldFont);
}

void CPVMenu::DrawItem(LPDRAWITEMSTRUCT draw)
{
    const MenuItemRecord* item = (const MenuItemRecord*)draw->itemData;
    if (item == nullptr)
        return;
    CDC dc;
    dc.Attach(draw->hDC);
    CRect rect(draw->rcItem);
    UINT state = draw->itemState;
    if (item->flags & MF_SEPARATOR) {
        DrawSeparator(dc, rect);
    } else if ((state & (ODS_GRAYED | ODS_DISABLED)) && (state & ODS_SELECTED) && !(state & ODS_HOTLIGHT)) {
        // A disabled item highlighted by the keyboard keeps its last painted look.
    } else {
        DrawBackground(dc, rect, *item, state);
        DrawIconOrCheck(dc, rect, *item, state);
        DrawText(dc, rect, *item, state);
    }
    dc.Detach();
}
