// TabSkinner: background, display-area frame, tab items by side, the clipped copy to the screen and the
// kept background for children.
#include "skin/skinners/controls/TabSkinner.h"

#include <commctrl.h>

#include "skin/engine/drawing/MemoryDC.h"
#include "skin/engine/drawing/TextEffects.h"
#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/objects/ControlSkinObjects.h"
#include "skin/engine/store/SkinRecords.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/engine/toolkit/SkinMessages.h"
#include "skin/skinners/controls/ButtonSkinnerBase.h"
#include "skin/skinners/controls/QuarterTurn.h"

namespace {

const int kIconGap = 4;

} // namespace

TabSide TabSideFromStyle(LONG style)
{
    if ((style & (TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE)) == (TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE))
        return TabRight;
    if (style & TCS_VERTICAL)
        return TabLeft;
    if (style & TCS_BOTTOM)
        return TabBottom;
    return TabTop;
}

TabSkinner::TabSkinner(SkinnedWindow* owner)
    : ControlSkinner(owner, SkinTypeTab), background_(NULL), backgroundSize_(), backgroundSelection_(-1),
      backgroundPaints_(0)
{
}

TabSkinner::~TabSkinner()
{
    ForgetBackground();
}

void TabSkinner::ForgetBackground()
{
    if (background_)
        DeleteObject(background_);
    background_ = NULL;
}

LONG_PTR TabSkinner::Attach(HWND hwnd)
{
    if (!hwnd || (GetWindowLongA(hwnd, GWL_STYLE) & TCS_OWNERDRAWFIXED))
        return 0;
    return ControlSkinner::Attach(hwnd);
}

void TabSkinner::Detach()
{
    ForgetBackground();
    ControlSkinner::Detach();
}

SkinObject* TabSkinner::SetSkinObject(SkinObject* object)
{
    ForgetBackground();
    return ControlSkinner::SetSkinObject(object);
}

void TabSkinner::PaintItem(HDC dc, const TabSkinObject& object, int index, TabSide side)
{
    RECT r;
    if (!AskWindow(hwnd_, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r)))
        return;
    char text[101] = "";
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_STATE | TCIF_IMAGE;
    item.dwStateMask = TCIS_BUTTONPRESSED | TCIS_HIGHLIGHTED;
    item.pszText = text;
    item.cchTextMax = 100;
    item.iImage = -1;
    if (!AskWindow(hwnd_, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item)))
        return;
    text[100] = '\0';
    const char* label = item.pszText ? item.pszText : "";
    const LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
    int state = TabSkinObject::Normal;
    if (!IsWindowEnabled(hwnd_))
        state = TabSkinObject::Disabled;
    else if (((style & TCS_BUTTONS) && (item.dwState & TCIS_BUTTONPRESSED)) ||
             index == AskWindow(hwnd_, TCM_GETCURSEL, 0, 0))
        state = TabSkinObject::Pressed;
    else if (item.dwState & TCIS_HIGHLIGHTED)
        state = TabSkinObject::Hovered;
    const SlicedImage& image = IsSlicedImageEmpty(object.states[state].image)
                                   ? object.states[TabSkinObject::Normal].image
                                   : object.states[state].image;
    const COLORREF key = TransparentColor();
    static const int kAngles[] = {0, 270, 90, 180};
    if (side == TabTop)
        DrawFrameImageTransparent(dc, r, image, key);
    else
        DrawFrameImageTurned(dc, r, image, GetSysColor(COLOR_BTNFACE), kAngles[side], &key);

    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(AskWindow(hwnd_, TCM_GETIMAGELIST, 0, 0));
    int iconWidth = 0, iconHeight = 0;
    if (images && item.iImage >= 0)
        ImageList_GetIconSize(images, &iconWidth, &iconHeight);
    else
        images = NULL;
    const int length = lstrlenA(label);
    SIZE textSize = {};
    GetTextExtentPoint32A(dc, label, length, &textSize);
    SetTextColor(dc, TextEffectColor(object.states[state].effect));
    if (side == TabLeft || side == TabRight) {
        // Texts stay upright: the icon at the top of the item, the text below it, centred across.
        int y = r.top + kIconGap;
        if (images) {
            ImageList_Draw(images, item.iImage, dc, r.left + (r.right - r.left - iconWidth) / 2, y, ILD_TRANSPARENT);
            y += iconHeight + kIconGap;
        }
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
        if (textSize.cx <= r.right - r.left - 2) {
            TextOutA(dc, r.left + (r.right - r.left - textSize.cx) / 2, y, label, length);
        } else {
            // Too narrow to write across: one character under the other, as vertical Chinese is written.
            for (const char* c = label; *c && y < r.bottom;) {
                const char* next = CharNextA(c);
                SIZE one = {};
                GetTextExtentPoint32A(dc, c, static_cast<int>(next - c), &one);
                TextOutA(dc, r.left + (r.right - r.left - one.cx) / 2, y, c, static_cast<int>(next - c));
                y += one.cy;
                c = next;
            }
        }
        RestoreDC(dc, saved);
        return;
    }
    RECT textRect = r;
    if (images) {
        const int group = iconWidth + kIconGap + textSize.cx;
        int iconX = r.left;
        if (group <= r.right - r.left)
            iconX = r.left + (r.right - r.left - group) / 2;
        const int iconY = r.top + (r.bottom - r.top - iconHeight) / 2;
        ImageList_Draw(images, item.iImage, dc, iconX, iconY, ILD_TRANSPARENT);
        textRect.left = iconX + iconWidth + kIconGap;
        if (group <= r.right - r.left)
            textRect.right = textRect.left + textSize.cx;
    }
    DrawTextA(dc, label, length, &textRect, DT_END_ELLIPSIS | DT_VCENTER | DT_CENTER | DT_SINGLELINE);
}

void TabSkinner::Paint(HDC dc)
{
    const TabSkinObject* object = dynamic_cast<const TabSkinObject*>(skinObject_);
    if (!hwnd_ || !object)
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    if (object->transparent)
        DrawParentBackground(hwnd_, GetParent(hwnd_), dc);
    else
        DrawFrameImage(dc, client, object->controlFrame, face, TRUE);
    const TabSide side = TabSideFromStyle(GetWindowLongA(hwnd_, GWL_STYLE));
    const int count = static_cast<int>(AskWindow(hwnd_, TCM_GETITEMCOUNT, 0, 0));
    RECT display = client;
    for (int i = 0; i < count; ++i) {
        RECT r;
        if (!AskWindow(hwnd_, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r)))
            continue;
        if (side == TabTop && r.bottom - 1 > display.top)
            display.top = r.bottom - 1;
        else if (side == TabLeft && r.right - 1 > display.left)
            display.left = r.right - 1;
        else if (side == TabRight && r.left + 1 < display.right)
            display.right = r.left + 1;
        else if (side == TabBottom && r.top + 1 < display.bottom)
            display.bottom = r.top + 1;
    }
    DrawFrameImage(dc, display, object->tabFrame, face, TRUE);
    const ControlFontInDc font(hwnd_, dc);
    SetBkMode(dc, TRANSPARENT);
    for (int i = 0; i < count; ++i)
        PaintItem(dc, *object, i, side);
}

void TabSkinner::OnPaint()
{
    BufferedPaint paint(hwnd_);
    if (paint.Ready()) {
        Paint(paint.Buffer());
        HDC dc = paint.Screen();
        const int saved = SaveDC(dc);
        const LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
        // Visible pages over the tab keep their pixels; hidden ones must not leave holes.
        auto cutOut = [&](HWND other) {
            RECT r;
            if (!IsWindowVisible(other) || !::GetWindowRect(other, &r))
                return;
            MapWindowPoints(NULL, hwnd_, reinterpret_cast<POINT*>(&r), 2);
            ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
        };
        HWND parent = GetParent(hwnd_);
        if ((style & WS_CLIPSIBLINGS) && parent)
            for (HWND other : ChildrenOf(parent))
                if (other != hwnd_)
                    cutOut(other);
        if (style & WS_CLIPCHILDREN)
            for (HWND child : ChildrenOf(hwnd_))
                cutOut(child);
        paint.Show();
        RestoreDC(dc, saved);
    }
}

LRESULT TabSkinner::DrawChildBackground(HDC dc, HWND child)
{
    RECT client;
    GetClientRect(hwnd_, &client);
    const int selection = static_cast<int>(AskWindow(hwnd_, TCM_GETCURSEL, 0, 0));
    if (background_ && (backgroundSize_.cx != client.right || backgroundSize_.cy != client.bottom ||
                        backgroundSelection_ != selection))
        ForgetBackground();
    if (!background_) {
        MemoryDC buffer;
        if (!buffer.Create(dc, client.right, client.bottom))
            return 0;
        Paint(buffer);
        ++backgroundPaints_;
        background_ = buffer.DetachBitmap();
        backgroundSize_ = {client.right, client.bottom};
        backgroundSelection_ = selection;
    }
    RECT under;
    GetClientRect(child, &under);
    MapWindowPoints(child, hwnd_, reinterpret_cast<POINT*>(&under), 2);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, background_);
    BitBlt(dc, 0, 0, under.right - under.left, under.bottom - under.top, source, under.left, under.top, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    return 1;
}

LRESULT TabSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!savedProc_)
        return ControlSkinner::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_SKIN_DRAWBACKGROUND:
        return DrawChildBackground(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SIZE:
    case WM_ENABLE:
    case WM_SETFONT:
    case TCM_INSERTITEMA:
    case TCM_INSERTITEMW:
    case TCM_SETITEMA:
    case TCM_SETITEMW:
    case TCM_DELETEITEM:
    case TCM_DELETEALLITEMS:
    case TCM_SETITEMSIZE:
    case TCM_SETPADDING:
    case TCM_SETIMAGELIST:
    case TCM_HIGHLIGHTITEM:
    case TCM_SETCURSEL:
        ForgetBackground();
        break;
    default:
        break;
    }
    return ControlSkinner::WindowProc(message, wParam, lParam);
}
