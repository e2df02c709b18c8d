// PopupMenuWindow: drawing, item geometry, the mouse and the keys of a skinned popup menu cascade.
#include "skin/skinners/menu/PopupMenuWindow.h"

#include <commctrl.h>

#include <cstring>
#include <new>

#include "skin/engine/drawing/WindowTools.h"
#include "skin/engine/drawing/MemoryDC.h"
#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/objects/FramedSkinObjects.h"
#include "skin/engine/objects/ResourceSkinObjects.h"
#include "skin/engine/store/SkinStore.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/toolkit/SkinMessages.h"
#include "skin/engine/toolkit/TessarineInternal.h"
#include "skin/skinners/menu/PopupPlacement.h"

namespace {

const UINT_PTR kSubmenuTimer = 1001;
const UINT kSubmenuDelay = 500;

bool IsSeparator(const MenuItem& item)
{
    return (item.state & MF_SEPARATOR) && !item.submenu;
}

bool HasSubmenu(const MenuItem& item)
{
    return item.submenu != nullptr;
}

// Keys that come with Alt held without being a letter for a mnemonic.
bool IsModifierKey(WPARAM key)
{
    return key == VK_MENU || key == VK_LMENU || key == VK_RMENU || key == VK_SHIFT || key == VK_CONTROL ||
           key == static_cast<WPARAM>(-1);
}

const int kScrollArrow = 4; // half the width of a scroll arrow, in pixels

// A picture at its own size, centred in the cell, without its pixels of the transparent colour.
void DrawCentredPart(HDC dc, const RECT& cell, const ImagePart& part, COLORREF key)
{
    const int width = part.source.right - part.source.left, height = part.source.bottom - part.source.top;
    const int left = cell.left + (cell.right - cell.left - width) / 2;
    const int top = cell.top + (cell.bottom - cell.top - height) / 2;
    DrawImagePartTransparent(dc, RECT{left, top, left + width, top + height}, part, key);
}

} // namespace

PopupMenuWindow::PopupMenuWindow(HWND owner, PopupMenuWindow* parent, int mode)
    : owner_(owner), parent_(parent), mode_(mode), items_(NULL), ownsItems_(false), menu_(NULL), child_(NULL),
      font_(NULL), itemHeight_(0), selected_(-1), first_(0), visible_(0), scrollUp_(0), scrollDown_(0), done_(false),
      escaped_(false), closing_(false), command_(0), watched_{NULL, NULL}
{
}

PopupMenuWindow::~PopupMenuWindow()
{
    Close();
    if (font_)
        DeleteObject(font_);
}

const PopupMenuSkinObject* PopupMenuWindow::Object() const
{
    return skinObject_ && skinObject_->Type() == SkinTypePopupMenu
               ? static_cast<const PopupMenuSkinObject*>(skinObject_)
               : NULL;
}

BOOL PopupMenuWindow::Create()
{
    HWND hwnd = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kPopupMenuClassName, "", WS_POPUP, 0, 0, 10, 10,
                                owner_, NULL, TessarineInstance(), this);
    if (!hwnd)
        return FALSE;
    hwnd_ = hwnd;
    return TRUE;
}

void PopupMenuWindow::BindSkin(SkinObject* object)
{
    SkinnedItem::SetSkinObject(object);
    const SkinObject* app = SkinEngine::Instance().GetCurrentSkin()->FindObjectByType(SkinTypeApplication);
    if (app && app->Type() == SkinTypeApplication)
        transparentColor_ = static_cast<const ApplicationSkinObject*>(app)->transparentColor & 0xFFFFFF;
}

SkinObject* PopupMenuWindow::CurrentSkinObject()
{
    return SkinEngine::Instance().GetCurrentSkin()->FindObjectByType(SkinTypePopupMenu);
}

void PopupMenuWindow::SetMenu(HMENU menu)
{
    CloseChild();
    if (ownsItems_)
        delete items_;
    items_ = new (std::nothrow) MenuItemList;
    ownsItems_ = items_ != NULL;
    menu_ = menu;
    if (items_)
        items_->Build(menu);
    selected_ = -1;
    first_ = 0;
}

void PopupMenuWindow::SetItems(MenuItemList* items)
{
    if (ownsItems_)
        delete items_;
    items_ = items;
    ownsItems_ = false;
    menu_ = items && !items->Empty() ? items->At(0)->menu : NULL;
}

MenuItem* PopupMenuWindow::Item(int index) const
{
    return items_ && index >= 0 && index < Count() ? items_->At(static_cast<size_t>(index)) : NULL;
}

int PopupMenuWindow::Count() const
{
    return items_ ? static_cast<int>(items_->Count()) : 0;
}

int PopupMenuWindow::ItemHeight()
{
    if (itemHeight_)
        return itemHeight_;
    const PopupMenuSkinObject* object = Object();
    if (!font_ && object)
        font_ = CreateFontIndirectA(&object->itemFont.logFont);
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
    SIZE text = {0, 0};
    GetTextExtentPoint32A(dc, "TEST", 4, &text);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    const RECT margins = object ? object->ItemMargins() : RECT{0, 0, 0, 0};
    itemHeight_ = text.cy + margins.top + margins.bottom + 2;
    return itemHeight_;
}

SIZE PopupMenuWindow::MeasureSize()
{
    const int height = ItemHeight();
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
    int widest = 0;
    for (int i = 0; i < Count(); ++i) {
        const std::string& text = Item(i)->text;
        SIZE size = {0, 0};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        if (text.find('\t') != std::string::npos) {
            SIZE blanks = {0, 0};
            GetTextExtentPoint32A(dc, "    ", 4, &blanks);
            size.cx += blanks.cx;
        }
        if (size.cx > widest)
            widest = size.cx;
    }
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    const PopupMenuSkinObject* object = Object();
    const RECT margins = object ? object->ItemMargins() : RECT{0, 0, 0, 0};
    const RECT f0 = object ? object->GetFrameRect(3) : RECT{0, 0, 2, 0};
    const RECT f5 = object ? object->GetFrameRect(5) : RECT{0, 0, 2, 0};
    const RECT top = object ? object->GetFrameRect(1) : RECT{0, 0, 0, 2};
    const RECT bottom = object ? object->GetFrameRect(7) : RECT{0, 0, 0, 2};
    SIZE size;
    size.cx = widest + (f0.right - f0.left) + (f5.right - f5.left) + margins.left + margins.right + 2 * height + 1;
    size.cy = Count() * height + (top.bottom - top.top) + (bottom.bottom - bottom.top);
    return size;
}

void PopupMenuWindow::Arrange()
{
    RECT client;
    GetClientRect(hwnd_, &client);
    LayoutFrameRects(client.right, client.bottom);
    // Without a skin object the items use the whole client.
    if (!Framed())
        frameRects_[4] = client;
    const int height = ItemHeight();
    const int area = frameRects_[4].bottom - frameRects_[4].top;
    scrollUp_ = scrollDown_ = 0;
    visible_ = Count();
    if (height > 0 && area < height * Count()) {
        visible_ = area / height;
        if (area % height < 10 && visible_ > 1)
            --visible_;
        const int spare = area - visible_ * height;
        scrollUp_ = spare / 2;
        scrollDown_ = spare - scrollUp_;
    }
    first_ = 0;
    for (int i = 0; i < Count(); ++i)
        Item(i)->highlighted = 0;
}

RECT PopupMenuWindow::ItemBand(int index) const
{
    const int top = frameRects_[4].top + scrollUp_ + (index - first_) * itemHeight_;
    return RECT{frameRects_[4].left, top, frameRects_[4].right, top + itemHeight_};
}

RECT PopupMenuWindow::ScrollArea(bool up) const
{
    const RECT& area = frameRects_[4];
    if (up)
        return RECT{area.left, area.top, area.right, area.top + scrollUp_};
    return RECT{area.left, area.bottom - scrollDown_, area.right, area.bottom};
}

int PopupMenuWindow::ItemAt(POINT p) const
{
    if (Count() == 0 || itemHeight_ <= 0 || p.x < frameRects_[4].left || p.x >= frameRects_[4].right)
        return -1;
    const int top = frameRects_[4].top + scrollUp_;
    if (p.y < top || p.y >= top + visible_ * itemHeight_)
        return -1;
    const int index = first_ + (p.y - top) / itemHeight_;
    return index < Count() ? index : -1;
}

void PopupMenuWindow::Select(int index)
{
    if (index == selected_)
        return;
    KillTimer(hwnd_, kSubmenuTimer);
    if (MenuItem* old = Item(selected_))
        old->highlighted = 0;
    CloseChild();
    selected_ = index;
    MenuItem* item = Item(index);
    if (!item) {
        InvalidateRect(hwnd_, NULL, FALSE);
        return;
    }
    item->highlighted = 1;
    // The selection stays in view when the list scrolls.
    if (index < first_)
        first_ = index;
    else if (visible_ > 0 && index >= first_ + visible_)
        first_ = index - visible_ + 1;
    SendMessageA(owner_, WM_MENUSELECT, MAKEWPARAM(item->id, MF_HILITE | MF_MOUSESELECT),
                 reinterpret_cast<LPARAM>(item->menu));
    if (HasSubmenu(*item))
        SetTimer(hwnd_, kSubmenuTimer, kSubmenuDelay, NULL);
    InvalidateRect(hwnd_, NULL, FALSE);
    UpdateWindow(hwnd_);
}

void PopupMenuWindow::OpenSubmenu(bool selectFirst)
{
    KillTimer(hwnd_, kSubmenuTimer);
    MenuItem* item = Item(selected_);
    if (!item || !HasSubmenu(*item) || !item->IsUsable() || child_)
        return;
    PopupMenuWindow* child = new (std::nothrow) PopupMenuWindow(owner_, this, mode_);
    if (!child)
        return;
    if (!child->Create()) {
        delete child;
        return;
    }
    child->BindSkin(skinObject_);
    child->SetItems(item->submenu.get());
    const SIZE size = child->MeasureSize();
    RECT band = ItemBand(selected_), window, work;
    MapWindowPoints(hwnd_, NULL, reinterpret_cast<POINT*>(&band), 2);
    ::GetWindowRect(hwnd_, &window);
    if (!GetMonitorRectForRect(band, work, TRUE))
        work = RECT{-32000, -32000, 32000, 32000};
    const RECT r = PlaceSubmenu(size, band, window, work);
    MoveWindow(child->hwnd_, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
    child->Arrange();
    child_ = child;
    ShowWindow(child->hwnd_, SW_SHOWNOACTIVATE);
    if (selectFirst)
        child->Key(VK_DOWN);
}

void PopupMenuWindow::CloseChild()
{
    if (!child_)
        return;
    PopupMenuWindow* child = child_;
    child_ = NULL;
    delete child;
}

void PopupMenuWindow::Close()
{
    // From here on the capture and the owner's messages are the cascade's own going, not a dismissal.
    closing_ = true;
    CloseChild();
    UnhookOwner();
    if (hwnd_) {
        HWND hwnd = hwnd_;
        KillTimer(hwnd, kSubmenuTimer);
        if (GetCapture() == hwnd)
            ReleaseCapture();
        DestroyWindow(hwnd);
    }
    hwnd_ = NULL;
    if (ownsItems_)
        delete items_;
    items_ = NULL;
    ownsItems_ = false;
}

PopupMenuWindow* PopupMenuWindow::First()
{
    PopupMenuWindow* p = this;
    while (p->parent_)
        p = p->parent_;
    return p;
}

PopupMenuWindow* PopupMenuWindow::Deepest()
{
    PopupMenuWindow* p = this;
    while (p->child_ && p->child_->hwnd_)
        p = p->child_;
    return p;
}

PopupMenuWindow* PopupMenuWindow::PopupAt(POINT screen)
{
    for (PopupMenuWindow* p = Deepest(); p; p = p->parent_) {
        RECT r;
        if (p->hwnd_ && ::GetWindowRect(p->hwnd_, &r) && PtInRect(&r, screen))
            return p;
    }
    return NULL;
}

void PopupMenuWindow::Finish(bool escaped)
{
    PopupMenuWindow* first = First();
    SendMessageA(owner_, WM_MENUSELECT, 0xFFFF0000u, 0);
    first->escaped_ = escaped;
    // Every loop (the tracked menu's and the menu bar's) ends on the done flag; a notice left queued would
    // end the next menu at once.
    first->done_ = true;
}

bool PopupMenuWindow::InCascade(HWND hwnd)
{
    for (PopupMenuWindow* p = First(); p; p = p->child_)
        if (p->hwnd_ && p->hwnd_ == hwnd)
            return true;
    return false;
}

void PopupMenuWindow::Dismiss()
{
    PopupMenuWindow* first = First();
    if (first->done_ || first->closing_)
        return;
    Finish(true);
    // Hidden now: the loop may sit under another modal loop (a message box) until it sees the flag.
    for (PopupMenuWindow* p = first; p; p = p->child_)
        if (p->hwnd_)
            SetWindowPos(p->hwnd_, NULL, 0, 0, 0, 0,
                         SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (InCascade(GetCapture()))
        ReleaseCapture();
    // The loop waits for a posted message; one to the popup goes with its window when nobody takes it.
    if (first->hwnd_)
        PostMessageA(first->hwnd_, WM_NULL, 0, 0);
}

void PopupMenuWindow::HookOwner(WPARAM show, LPARAM)
{
    if (parent_ || !show) {
        UnhookOwner();
        return;
    }
    if (watched_[0] || !owner_)
        return;
    HWND root = GetAncestor(owner_, GA_ROOT);
    const HWND windows[2] = {owner_, root != owner_ ? root : NULL};
    for (int i = 0; i < 2; ++i)
        if (windows[i] && SetWindowSubclass(windows[i], &OwnerProc, reinterpret_cast<UINT_PTR>(this),
                                            reinterpret_cast<DWORD_PTR>(this)))
            watched_[i] = windows[i];
}

void PopupMenuWindow::UnhookOwner()
{
    for (HWND& hwnd : watched_) {
        if (hwnd && IsWindow(hwnd))
            RemoveWindowSubclass(hwnd, &OwnerProc, reinterpret_cast<UINT_PTR>(this));
        hwnd = NULL;
    }
}

LRESULT CALLBACK PopupMenuWindow::OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR self)
{
    PopupMenuWindow* popup = reinterpret_cast<PopupMenuWindow*>(self);
    switch (message) {
    case WM_CANCELMODE:
        popup->Dismiss();
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE && !popup->InCascade(reinterpret_cast<HWND>(lParam)))
            popup->Dismiss();
        break;
    case WM_ACTIVATEAPP:
        if (!wParam)
            popup->Dismiss();
        break;
    case WM_NCDESTROY:
        for (HWND& watched : popup->watched_)
            if (watched == hwnd) {
                RemoveWindowSubclass(hwnd, &OwnerProc, reinterpret_cast<UINT_PTR>(popup));
                watched = NULL;
            }
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

void PopupMenuWindow::Choose(const MenuItem& item)
{
    PopupMenuWindow* first = First();
    first->command_ = item.id;
    Finish(false);
    if (mode_ == 1)
        PostMessageA(owner_, WM_SYSCOMMAND, static_cast<WPARAM>(item.id), 0);
    else if (mode_ == 0 || mode_ == 2)
        PostMessageA(owner_, WM_COMMAND, static_cast<WPARAM>(item.id), 0);
}

void PopupMenuWindow::MouseMove(POINT screen)
{
    PopupMenuWindow* popup = PopupAt(screen);
    if (!popup)
        return;
    POINT client = screen;
    ScreenToClient(popup->hwnd_, &client);
    const int index = popup->ItemAt(client);
    if (index >= 0)
        popup->Select(index);
}

void PopupMenuWindow::ButtonDown(POINT screen)
{
    PopupMenuWindow* popup = PopupAt(screen);
    if (!popup) {
        Finish(false);
        return;
    }
    POINT client = screen;
    ScreenToClient(popup->hwnd_, &client);
    const RECT& area = popup->frameRects_[4];
    if (popup->scrollUp_ && client.y >= area.top && client.y < area.top + popup->scrollUp_) {
        if (popup->first_ > 0)
            --popup->first_;
        InvalidateRect(popup->hwnd_, NULL, FALSE);
        return;
    }
    if (popup->scrollDown_ && client.y >= area.bottom - popup->scrollDown_ && client.y < area.bottom) {
        if (popup->first_ + popup->visible_ < popup->Count())
            ++popup->first_;
        InvalidateRect(popup->hwnd_, NULL, FALSE);
        return;
    }
    const MenuItem* item = popup->Item(popup->ItemAt(client));
    if (!item || IsSeparator(*item) || HasSubmenu(*item) || !item->IsUsable())
        return;
    popup->Choose(*item);
}

BOOL PopupMenuWindow::Contains(POINT screen)
{
    return PopupAt(screen) != NULL;
}

bool PopupMenuWindow::DeepestSelectionOpensSubmenu()
{
    PopupMenuWindow* popup = Deepest();
    const MenuItem* item = popup->Item(popup->selected_);
    return item && HasSubmenu(*item) && item->IsUsable();
}

void PopupMenuWindow::Key(WPARAM key)
{
    PopupMenuWindow* popup = Deepest();
    if (popup != this) {
        popup->Key(key);
        return;
    }
    const int count = Count();
    switch (key) {
    case VK_ESCAPE:
    case VK_LEFT:
        if (parent_) {
            parent_->CloseChild();
            return;
        }
        if (key == VK_ESCAPE)
            Finish(true);
        return;
    case VK_UP:
    case VK_DOWN: {
        // One cycle at most: a menu of separators has nothing to select.
        const int step = key == VK_DOWN ? 1 : count - 1;
        int index = selected_ < 0 ? (key == VK_DOWN ? count - 1 : 0) : selected_;
        for (int tries = 0; tries < count; ++tries) {
            index = (index + step) % count;
            if (!IsSeparator(*Item(index))) {
                Select(index);
                return;
            }
        }
        return;
    }
    case VK_RIGHT:
        OpenSubmenu(true);
        return;
    case VK_RETURN: {
        const MenuItem* item = Item(selected_);
        if (!item || IsSeparator(*item) || !item->IsUsable())
            return;
        if (HasSubmenu(*item))
            OpenSubmenu(true);
        else
            Choose(*item);
        return;
    }
    default:
        for (int i = 0; i < count; ++i) {
            const MenuItem* item = Item(i);
            if (item->mnemonic != static_cast<int>(key))
                continue;
            if (!item->IsUsable() || IsSeparator(*item))
                return;
            Select(i);
            if (HasSubmenu(*item))
                OpenSubmenu(true);
            else
                Choose(*item);
            return;
        }
    }
}

void PopupMenuWindow::AltKey(WPARAM key)
{
    PopupMenuWindow* popup = Deepest();
    if (IsModifierKey(key))
        return;
    for (int i = 0; i < popup->Count(); ++i)
        if (popup->Item(i)->mnemonic == static_cast<int>(key)) {
            popup->Key(key);
            return;
        }
    if (mode_ == 2)
        Finish(false);
}

void PopupMenuWindow::OnTimer()
{
    KillTimer(hwnd_, kSubmenuTimer);
    OpenSubmenu(false);
}

LRESULT PopupMenuWindow::OnNcDestroy()
{
    HWND hwnd = hwnd_;
    UnhookOwner();
    RemovePropA(hwnd, kThisProperty);
    hwnd_ = NULL;
    // A popup destroyed from outside (its owner went) ends the tracking.
    if (!closing_)
        First()->done_ = true;
    return DefWindowProcA(hwnd, WM_NCDESTROY, 0, 0);
}

void PopupMenuWindow::PaintItem(HDC dc, int index)
{
    const PopupMenuSkinObject* object = Object();
    const MenuItem* item = Item(index);
    if (!item)
        return;
    RECT band = ItemBand(index);
    if (IsSeparator(*item)) {
        if (object && !IsSlicedImageEmpty(object->separatorImage)) {
            // Centred at the picture's own height.
            const RECT& source = object->separatorImage.source;
            const int height = source.bottom - source.top;
            RECT line = band;
            line.top = (band.top + band.bottom - height) / 2;
            line.bottom = line.top + height;
            DrawFrameImage(dc, line, object->separatorImage, object->separatorColor, TRUE);
        } else {
            RECT line = {band.left + 2, (band.top + band.bottom) / 2, band.right - 2, (band.top + band.bottom) / 2 + 2};
            DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        }
        return;
    }
    const bool usable = item->IsUsable();
    if (item->highlighted) {
        if (object && !IsSlicedImageEmpty(object->activeImage))
            DrawFrameImage(dc, band, object->activeImage, object->activeColor, TRUE);
        else
            FillRectColor(dc, band, object ? object->activeColor : GetSysColor(COLOR_HIGHLIGHT));
    }
    COLORREF color = object ? object->ItemTextColor() : GetSysColor(COLOR_MENUTEXT);
    if (!usable)
        color = object ? object->ItemDisabledTextColor() : GetSysColor(COLOR_GRAYTEXT);
    else if (item->highlighted)
        color = object ? object->ItemActiveTextColor() : GetSysColor(COLOR_HIGHLIGHTTEXT);
    SetTextColor(dc, color & 0xFFFFFF);
    const RECT margins = object ? object->ItemMargins() : RECT{0, 0, 0, 0};
    const int square = band.bottom - band.top;
    RECT text = {band.left + margins.left + square + 1, band.top + margins.top, band.right - margins.right - square,
                 band.bottom - margins.bottom};
    const size_t tab = item->text.find('\t');
    const std::string left = item->text.substr(0, tab);
    DrawTextA(dc, left.c_str(), static_cast<int>(left.size()), &text, DT_SINGLELINE | DT_VCENTER);
    if (tab != std::string::npos) {
        const std::string right = item->text.substr(tab + 1);
        DrawTextA(dc, right.c_str(), static_cast<int>(right.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    }
    if (item->state & MF_CHECKED) {
        const int cx = band.left + margins.left + square / 2, cy = (band.top + band.bottom) / 2;
        RECT mark = {cx - 3, cy - 3, cx + 3, cy + 3};
        if (object && !IsImagePartEmpty(object->checkImage)) {
            RECT cell = {band.left + margins.left, band.top, band.left + margins.left + square, band.bottom};
            DrawCentredPart(dc, cell, object->checkImage, transparentColor_);
        } else {
            FillRectColor(dc, mark, RGB(0, 0, 0));
        }
    }
    if (HasSubmenu(*item)) {
        if (object && !IsImagePartEmpty(object->submenuImage)) {
            RECT cell = {band.right - margins.right - square, band.top, band.right - margins.right, band.bottom};
            DrawCentredPart(dc, cell, object->submenuImage, transparentColor_);
        } else {
            const int x = band.right - margins.right - square / 2, cy = (band.top + band.bottom) / 2;
            const POINT arrow[3] = {{x - 2, cy - 4}, {x + 2, cy}, {x - 2, cy + 4}};
            FillPolygonColor(dc, arrow, color & 0xFFFFFF);
        }
    }
}

void PopupMenuWindow::PaintScrollArrows(HDC dc)
{
    if (!scrollUp_ && !scrollDown_)
        return;
    const PopupMenuSkinObject* object = Object();
    const COLORREF color = (object ? object->ItemTextColor() : GetSysColor(COLOR_MENUTEXT)) & 0xFFFFFF;
    const int a = kScrollArrow;
    if (scrollUp_) {
        const RECT r = ScrollArea(true);
        const int x = (r.left + r.right) / 2, y = (r.top + r.bottom - a) / 2;
        const POINT up[3] = {{x - a, y + a}, {x + a, y + a}, {x, y}};
        FillPolygonColor(dc, up, color);
    }
    if (scrollDown_) {
        const RECT r = ScrollArea(false);
        const int x = (r.left + r.right) / 2, y = (r.top + r.bottom - a) / 2;
        const POINT down[3] = {{x - a, y}, {x + a, y}, {x, y + a}};
        FillPolygonColor(dc, down, color);
    }
}

void PopupMenuWindow::Paint(HDC dc)
{
    RECT client;
    GetClientRect(hwnd_, &client);
    MemoryDC buffer;
    if (!buffer.Create(dc, client.right, client.bottom))
        return;
    const PopupMenuSkinObject* object = Object();
    FillRectColor(buffer, client, object ? object->ClientColor() : GetSysColor(COLOR_MENU));
    PaintFrame(buffer, TRUE);
    SetBkMode(buffer, TRANSPARENT);
    HGDIOBJ old = SelectObject(buffer, font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
    const int last = visible_ < Count() - first_ ? first_ + visible_ : Count();
    for (int i = first_; i < last; ++i)
        PaintItem(buffer, i);
    PaintScrollArrows(buffer);
    SelectObject(buffer, old);
    BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
}

LRESULT PopupMenuWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        if (dc)
            Paint(dc);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_SHOWWINDOW:
        HookOwner(wParam, lParam);
        return DefWindowProcA(hwnd_, message, wParam, lParam);
    case WM_CANCELMODE:
        Dismiss();
        return 0;
    case WM_CAPTURECHANGED:
        // The capture went elsewhere than to the cascade: the user is busy with something else.
        if (!InCascade(reinterpret_cast<HWND>(lParam)))
            Dismiss();
        return 0;
    case WM_TIMER:
        if (wParam == kSubmenuTimer)
            OnTimer();
        return 0;
    case WM_NCDESTROY:
        return OnNcDestroy();
    default:
        return hwnd_ ? DefWindowProcA(hwnd_, message, wParam, lParam) : 0;
    }
}
