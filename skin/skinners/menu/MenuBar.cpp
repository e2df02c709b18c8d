// MenuBar: items, layout by the shared wrapping rule, painting, the mouse, the keys and the modal loop
// of an open item.
#include "skin/skinners/menu/MenuBar.h"

#include <set>

#include "skin/engine/drawing/WindowTools.h"
#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/menus/MenuTools.h"
#include "skin/engine/objects/FrameElementSkinObjects.h"
#include "skin/engine/store/SkinStore.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/toolkit/SkinMessages.h"
#include "skin/engine/toolkit/SkinnedWindow.h"
#include "skin/skinners/menu/MenuBarItem.h"
#include "skin/skinners/menu/MenuBarWrap.h"
#include "skin/skinners/menu/PopupMenuTracking.h"
#include "skin/skinners/menu/PopupMenuWindow.h"
#include "skin/skinners/menu/PopupPlacement.h"

namespace {

const UINT kHoverInterval = 100;
const int kFirstIndent = 4;
const int kMdiIndent = 20;
const int kMdiReserve = 48;

std::set<MenuBar*>& LiveBars()
{
    static std::set<MenuBar*> bars;
    return bars;
}

void CALLBACK BarHoverTimer(HWND hwnd, UINT, UINT_PTR id, DWORD)
{
    MenuBar* bar = reinterpret_cast<MenuBar*>(id);
    if (!LiveBars().count(bar)) {
        KillTimer(hwnd, id);
        return;
    }
    bar->OnHoverTimer();
}

bool IsPress(UINT message)
{
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_NCLBUTTONDOWN ||
           message == WM_NCRBUTTONDOWN || message == WM_LBUTTONDBLCLK || message == WM_NCLBUTTONDBLCLK;
}

bool IsRightPress(UINT message)
{
    return message == WM_RBUTTONDOWN || message == WM_NCRBUTTONDOWN;
}

bool IsRelease(UINT message)
{
    return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_NCLBUTTONUP || message == WM_NCRBUTTONUP;
}

bool IsMove(UINT message)
{
    return message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE;
}

} // namespace

MenuBar::MenuBar(SkinnedWindow* owner)
    : FrameElement(RECT{0, 0, 0, 0}, owner), menu_(NULL), hot_(-1), open_(-1), font_(NULL), itemHeight_(0),
      measured_(false), hoverTimer_(false)
{
    LiveBars().insert(this);
}

MenuBar::~MenuBar()
{
    StopHoverTimer();
    LiveBars().erase(this);
    ClearItems();
    if (font_)
        DeleteObject(font_);
}

const MenuBarSkinObject* MenuBar::Bar() const
{
    return skinObject_ && skinObject_->Type() == SkinTypeMenuBar ? static_cast<const MenuBarSkinObject*>(skinObject_)
                                                                 : NULL;
}

void MenuBar::ClearItems()
{
    for (MenuBarItem* item : items_)
        delete item;
    items_.clear();
    hot_ = open_ = -1;
    measured_ = false;
}

BOOL MenuBar::SetMenu(HMENU menu)
{
    ClearItems();
    menu_ = menu && IsMenu(menu) ? menu : NULL;
    const int count = menu_ ? GetMenuItemCount(menu_) : 0;
    for (int position = 0; position < count; ++position) {
        char text[256] = "";
        GetMenuStringA(menu_, position, text, sizeof text, MF_BYPOSITION);
        if (!text[0])
            continue;
        MenuBarItem* item = new MenuBarItem(owner_, menu_, position, text);
        item->SetSkinObject(skinObject_);
        items_.push_back(item);
    }
    return TRUE;
}

HMENU MenuBar::TakeMenu()
{
    HMENU menu = menu_;
    ClearItems();
    menu_ = NULL;
    return menu;
}

SkinObject* MenuBar::SetSkinObject(SkinObject* object)
{
    SkinObject* previous = FrameElement::SetSkinObject(object);
    for (MenuBarItem* item : items_)
        item->SetSkinObject(object);
    if (font_)
        DeleteObject(font_);
    font_ = NULL;
    const MenuBarSkinObject* bar = Bar();
    if (bar)
        font_ = CreateFontIndirectA(&bar->itemFont.logFont);
    for (int i = 0; i < 4; ++i) {
        if (bar)
            mdiButtons_[i].SetImages(bar->mdiImages[3 * i], bar->mdiImages[3 * i + 1], bar->mdiImages[3 * i + 2]);
        else
            mdiButtons_[i] = MdiButton();
    }
    measured_ = false;
    return previous;
}

void MenuBar::Measure()
{
    if (measured_)
        return;
    widths_.clear();
    const MenuBarSkinObject* bar = Bar();
    const SlicedImage* hot = bar ? &bar->hotImage : NULL;
    const SlicedImage* pressed = bar ? &bar->pressedImage : NULL;
    auto larger = [](LONG a, LONG b) { return a > b ? a : b; };
    const LONG left = hot ? larger(hot->margins.left, pressed->margins.left) : 0;
    const LONG right = hot ? larger(hot->margins.right, pressed->margins.right) : 0;
    const LONG top = hot ? larger(hot->margins.top, pressed->margins.top) : 0;
    const LONG bottom = hot ? larger(hot->margins.bottom, pressed->margins.bottom) : 0;
    HDC dc = GetDC(NULL);
    HGDIOBJ old = SelectObject(dc, font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
    int tallest = 0;
    for (MenuBarItem* item : items_) {
        RECT r = {0, 0, 0, 0};
        DrawTextA(dc, item->Text().c_str(), static_cast<int>(item->Text().size()), &r, DT_SINGLELINE | DT_CALCRECT);
        widths_.push_back(r.right + left + right);
        if (r.bottom + top + bottom > tallest)
            tallest = r.bottom + top + bottom;
    }
    SelectObject(dc, old);
    ReleaseDC(NULL, dc);
    itemHeight_ = tallest;
    measured_ = true;
}

bool MenuBar::ShowsMdiButtons()
{
    BOOL maximized = FALSE;
    HWND child = owner_ ? owner_->GetActiveMdiChild(&maximized) : NULL;
    return child && maximized && (SendMessageA(child, WM_SKIN_GETSTYLE, 0, 0) & WS_SYSMENU);
}

int MenuBar::GetHeight(int width)
{
    if (items_.empty())
        return 0;
    Measure();
    const MenuBarSkinObject* bar = Bar();
    const RECT margins = bar ? bar->background.margins : RECT{0, 0, 0, 0};
    const bool mdi = ShowsMdiButtons();
    const RECT area = {0, 0, width - margins.left - margins.right, 0};
    const MenuBarWrap wrap =
        WrapMenuBar(area, mdi ? kMdiIndent : kFirstIndent, widths_, itemHeight_, mdi ? kMdiReserve : 0);
    return wrap.height + margins.top + margins.bottom;
}

RECT MenuBar::GetRect()
{
    RECT bar = {0, 0, 0, 0};
    if (!owner_ || items_.empty())
        return bar;
    const RECT bounds = owner_->GetWindowBounds();
    owner_->LayoutFrameRects(bounds.right, bounds.bottom);
    bar.left = owner_->FrameRect(3).right;
    bar.right = owner_->FrameRect(5).left;
    bar.top = owner_->FrameRect(1).bottom;
    bar.bottom = bar.top + GetHeight(bar.right - bar.left);
    rect_ = bar;
    return bar;
}

RECT MenuBar::ItemArea(const RECT& bar) const
{
    const MenuBarSkinObject* object = Bar();
    const RECT m = object ? object->background.margins : RECT{0, 0, 0, 0};
    return RECT{bar.left + m.left, bar.top + m.top, bar.right - m.right, bar.bottom - m.bottom};
}

void MenuBar::LayoutItems()
{
    const RECT bar = GetRect();
    if (items_.empty())
        return;
    Measure();
    const RECT area = ItemArea(bar);
    const bool mdi = ShowsMdiButtons();
    const MenuBarWrap wrap =
        WrapMenuBar(area, mdi ? kMdiIndent : kFirstIndent, widths_, itemHeight_, mdi ? kMdiReserve : 0);
    for (size_t i = 0; i < items_.size() && i < wrap.items.size(); ++i)
        items_[i]->SetRect(wrap.items[i]);
    const int middle = area.top + (itemHeight_ - 14) / 2;
    mdiButtons_[0].rect = RECT{area.left + 2, middle, area.left + 18, middle + 16};
    mdiButtons_[3].rect = RECT{area.right - 16, middle, area.right, middle + 16};
    mdiButtons_[2].rect = RECT{area.right - 34, middle, area.right - 18, middle + 16};
    mdiButtons_[1].rect = RECT{area.right - 52, middle, area.right - 36, middle + 16};
}

void MenuBar::Paint(HDC dc)
{
    LayoutItems();
    if (items_.empty())
        return;
    const MenuBarSkinObject* bar = Bar();
    if (bar && !IsSlicedImageEmpty(bar->background))
        DrawFrameImage(dc, rect_, bar->background, bar->color, TRUE);
    else
        FillRectColor(dc, rect_, GetSysColor(COLOR_MENU));
    HGDIOBJ old = SelectObject(dc, font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
    for (MenuBarItem* item : items_)
        item->Paint(dc);
    SelectObject(dc, old);
    if (ShowsMdiButtons()) {
        BOOL maximized = FALSE;
        HWND child = owner_->GetActiveMdiChild(&maximized);
        const POINT icon = {mdiButtons_[0].rect.left, mdiButtons_[0].rect.top};
        DrawWindowIcon(child, dc, icon);
        for (int i = 1; i < 4; ++i)
            mdiButtons_[i].Paint(dc);
    }
}

void MenuBar::Repaint()
{
    if (owner_ && OwnerHwnd() && IsWindowVisible(OwnerHwnd()) && !items_.empty())
        owner_->RedrawNcRect(GetRect());
}

BOOL MenuBar::HitTest(POINT point)
{
    const RECT bar = GetRect();
    return PtInRect(&bar, point);
}

int MenuBar::ItemIndexAt(POINT point)
{
    LayoutItems();
    for (size_t i = 0; i < items_.size(); ++i) {
        const RECT& r = items_[i]->GetRect();
        if (PtInRect(&r, point))
            return static_cast<int>(i);
    }
    return -1;
}

void MenuBar::SetHot(int index)
{
    if (index == hot_)
        return;
    if (hot_ >= 0 && hot_ < static_cast<int>(items_.size()) && hot_ != open_)
        items_[hot_]->SetState(MenuBarItem::StateNormal);
    hot_ = index;
    if (hot_ >= 0 && hot_ < static_cast<int>(items_.size()))
        items_[hot_]->SetState(MenuBarItem::StateHot);
    Repaint();
}

void MenuBar::StartHoverTimer()
{
    HWND hwnd = OwnerHwnd();
    if (hoverTimer_ || !hwnd)
        return;
    hoverTimer_ = SetTimer(hwnd, reinterpret_cast<UINT_PTR>(this), kHoverInterval, &BarHoverTimer) != 0;
}

void MenuBar::StopHoverTimer()
{
    if (!hoverTimer_)
        return;
    if (HWND hwnd = OwnerHwnd())
        KillTimer(hwnd, reinterpret_cast<UINT_PTR>(this));
    hoverTimer_ = false;
}

void MenuBar::OnHoverTimer()
{
    POINT cursor;
    if (IsTracking() || (GetCursorPos(&cursor) && owner_ && HitTest(owner_->ScreenToWindow(cursor))))
        return;
    StopHoverTimer();
    for (MdiButton& button : mdiButtons_)
        button.state = MdiButton::StateNormal;
    SetHot(-1);
    Repaint();
}

void MenuBar::OnMouseMove(POINT point)
{
    if (IsTracking())
        return;
    const int index = ItemIndexAt(point);
    if (index >= 0 && items_[index]->IsItemEnabled()) {
        SetHot(index);
        StartHoverTimer();
        return;
    }
    SetHot(-1);
    if (!ShowsMdiButtons())
        return;
    bool changed = false;
    for (int i = 1; i < 4; ++i) {
        const int state = PtInRect(&mdiButtons_[i].rect, point) ? MdiButton::StateHot : MdiButton::StateNormal;
        if (state != mdiButtons_[i].state) {
            mdiButtons_[i].state = state;
            changed = true;
        }
        if (state == MdiButton::StateHot)
            StartHoverTimer();
    }
    if (changed)
        Repaint();
}

void MenuBar::OnLButtonDown(POINT point)
{
    const int index = ItemIndexAt(point);
    if (index < 0) {
        PressMdiButton(point);
        return;
    }
    MenuBarItem* item = items_[index];
    if (!item->IsItemEnabled())
        return;
    HWND frame = OwnerHwnd();
    SendMessageA(frame, WM_INITMENU, reinterpret_cast<WPARAM>(menu_), 0);
    // The application may have changed the menu while it was asked.
    if (index >= static_cast<int>(items_.size()) || items_[index] != item)
        return;
    StopHoverTimer();
    if (item->Submenu()) {
        Track(index, false);
        return;
    }
    item->SetState(MenuBarItem::StateNormal);
    hot_ = -1;
    Repaint();
    PostMessageA(frame, WM_COMMAND, static_cast<WPARAM>(item->CommandId()), 0);
}

void MenuBar::PressMdiButton(POINT point)
{
    if (!ShowsMdiButtons())
        return;
    BOOL maximized = FALSE;
    HWND child = owner_->GetActiveMdiChild(&maximized);
    if (PtInRect(&mdiButtons_[0].rect, point)) {
        ShowSystemMenu(child);
        return;
    }
    for (int i = 1; i < 4; ++i)
        if (PtInRect(&mdiButtons_[i].rect, point)) {
            mdiButtons_[i].state = MdiButton::StatePressed;
            Repaint();
        }
}

void MenuBar::OnLButtonUp(POINT point)
{
    if (!ShowsMdiButtons())
        return;
    BOOL maximized = FALSE;
    HWND child = owner_->GetActiveMdiChild(&maximized);
    HWND client = child ? GetParent(child) : NULL;
    for (int i = 1; i < 4; ++i) {
        if (mdiButtons_[i].state != MdiButton::StatePressed)
            continue;
        mdiButtons_[i].state = MdiButton::StateHot;
        if (!PtInRect(&mdiButtons_[i].rect, point))
            continue;
        if (i == 1)
            SendMessageA(child, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        else if (i == 2)
            SendMessageA(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
        else
            SendMessageA(child, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    Repaint();
}

void MenuBar::EndTracking()
{
    // An open popup ends its loop on the same message; here only the look is put right.
    if (open_ >= 0 && open_ < static_cast<int>(items_.size()))
        items_[open_]->SetState(MenuBarItem::StateNormal);
    Repaint();
}

BOOL MenuBar::OnKey(WPARAM key)
{
    // While an item is open its loop takes the keys itself (the hook that brought this one runs inside it).
    if (IsTracking())
        return FALSE;
    // Alt alone and arrows with nothing open: handled, so the system enters no menu mode of its own.
    if (key == static_cast<WPARAM>(-1) || key == VK_LEFT || key == VK_RIGHT)
        return TRUE;
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i]->Mnemonic() != static_cast<int>(key))
            continue;
        if (!items_[i]->IsItemEnabled())
            return TRUE;
        HWND frame = OwnerHwnd();
        SendMessageA(frame, WM_INITMENU, reinterpret_cast<WPARAM>(menu_), 0);
        if (i >= items_.size())
            return TRUE;
        if (items_[i]->Submenu())
            Track(static_cast<int>(i), true);
        else
            PostMessageA(frame, WM_COMMAND, static_cast<WPARAM>(items_[i]->CommandId()), 0);
        return TRUE;
    }
    return FALSE;
}

bool MenuBar::OpenPopup(PopupMenuWindow& popup, int index)
{
    HWND frame = OwnerHwnd();
    MenuBarItem* item = items_[index];
    HMENU submenu = item->Submenu();
    SendMessageA(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(submenu), item->Position());
    if (!IsWindow(frame) || !IsMenu(submenu) || index >= static_cast<int>(items_.size()) || items_[index] != item)
        return false;
    if (!popup.Create())
        return false;
    popup.SetMenu(submenu);
    popup.BindSkin(PopupMenuWindow::CurrentSkinObject());
    LayoutItems();
    RECT screen = item->GetRect();
    RECT window;
    ::GetWindowRect(frame, &window);
    OffsetRect(&screen, window.left, window.top);
    RECT work;
    if (!GetMonitorRectForRect(screen, work, TRUE))
        work = RECT{-32000, -32000, 32000, 32000};
    const RECT r = PlaceMenuBarPopup(popup.MeasureSize(), screen, work);
    MoveWindow(popup.GetHwnd(), r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
    popup.Arrange();
    ShowWindow(popup.GetHwnd(), SW_SHOWNOACTIVATE);
    SetCapture(popup.GetHwnd());
    return true;
}

void MenuBar::Track(int index, bool byKey)
{
    HWND frame = OwnerHwnd();
    int next = index;
    while (next >= 0 && next < static_cast<int>(items_.size()) && frame && IsWindow(frame)) {
        const int current = next;
        next = -1;
        MenuBarItem* item = items_[current];
        if (!item->Submenu() || !item->IsItemEnabled())
            break;
        PopupMenuWindow popup(frame, NULL, 0);
        if (!OpenPopup(popup, current))
            break;
        open_ = current;
        hot_ = -1;
        item->SetState(MenuBarItem::StateOpen);
        Repaint();
        if (byKey)
            popup.Key(VK_DOWN);
        int hotAfter = -1;
        next = RunPopup(popup, current, byKey, hotAfter);
        // The frame may have been destroyed, its skinner and this bar with it, while the menu was open.
        if (!LiveBars().count(this))
            return;
        popup.Close();
        open_ = -1;
        // The menu may have been replaced while its popup was open.
        if (current < static_cast<int>(items_.size()) && items_[current] == item)
            item->SetState(MenuBarItem::StateNormal);
        Repaint();
        if (hotAfter >= 0 && hotAfter < static_cast<int>(items_.size())) {
            SetHot(hotAfter);
            StartHoverTimer();
        }
    }
}

int MenuBar::Neighbour(int current, int step) const
{
    const int count = static_cast<int>(items_.size());
    int index = current;
    for (int tries = 0; tries < count; ++tries) {
        index = (index + step + count) % count;
        if (items_[index]->IsItemEnabled() && items_[index]->Submenu())
            return index;
    }
    return -1;
}

int MenuBar::RunPopup(PopupMenuWindow& popup, int current, bool& byKey, int& hotAfter)
{
    HWND frame = OwnerHwnd();
    for (;;) {
        if (popup.Done() || !popup.GetHwnd() || !IsWindow(popup.GetHwnd()) || !IsWindow(frame))
            return -1;
        MSG msg;
        const BOOL got = GetMessageA(&msg, NULL, 0, 0);
        if (got == 0) {
            // The caller's loop must still see the quit.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return -1;
        }
        if (got == -1)
            return -1;
        if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
            const WPARAM key = msg.wParam;
            if (key == VK_MENU || key == VK_F10)
                return -1;
            if ((key == VK_LEFT && !popup.Child()) || (key == VK_RIGHT && !popup.DeepestSelectionOpensSubmenu())) {
                byKey = true;
                return Neighbour(current, key == VK_LEFT ? -1 : 1);
            }
            popup.Key(key);
            continue;
        }
        if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP || msg.message == WM_CHAR ||
            msg.message == WM_SYSCHAR)
            continue;
        if (msg.message == WM_SKIN_MENUEND && msg.hwnd == frame)
            return -1;
        if (IsMove(msg.message) || IsPress(msg.message) || IsRelease(msg.message)) {
            const POINT screen = MessageScreenPoint(msg);
            if (popup.Contains(screen)) {
                if (IsMove(msg.message))
                    popup.MouseMove(screen);
                else if (IsPress(msg.message))
                    popup.ButtonDown(screen);
                continue;
            }
            if (IsRelease(msg.message))
                continue;
            const int over = ItemIndexAt(owner_->ScreenToWindow(screen));
            if (IsMove(msg.message)) {
                if (over < 0 || over == current || !items_[over]->IsItemEnabled())
                    continue;
                if (items_[over]->Submenu()) {
                    byKey = false;
                    return over;
                }
                // A command item has no popup to switch to: the menu ends and the item turns hot.
                hotAfter = over;
                return -1;
            }
            if (over == current)
                return -1;
            if (over >= 0 && items_[over]->IsItemEnabled() && items_[over]->Submenu()) {
                byKey = false;
                return over;
            }
            // Any other press ends the menu and reaches what it was meant for.
            PostMessageA(frame, IsRightPress(msg.message) ? WM_SKIN_MENURBUTTONDOWN : WM_SKIN_MENULBUTTONDOWN, 0,
                         MAKELPARAM(screen.x, screen.y));
            return -1;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
