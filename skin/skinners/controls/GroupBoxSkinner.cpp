// GroupBoxSkinner: caption layout, frame and caption drawing, and the traces a changed caption leaves.
#include "skin/skinners/controls/GroupBoxSkinner.h"

#include <algorithm>
#include <vector>

#include "skin/engine/drawing/MemoryDC.h"
#include "skin/engine/drawing/TextEffects.h"
#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/objects/ButtonSkinObjects.h"
#include "skin/skinners/controls/ButtonSkinnerBase.h"

RECT GroupCaptionRect(const RECT& client, SIZE text, const RECT& margins, LONG style)
{
    const int width = text.cx + margins.left + margins.right;
    const int height = text.cy + margins.top + margins.bottom;
    RECT r = {0, client.top, 0, client.top + height};
    const LONG align = style & BS_CENTER;
    if (align == BS_RIGHT) {
        r.right = client.right - 4;
        r.left = r.right - width;
        if (r.left < client.left + 2)
            r.left = client.left + 2;
    } else if (align == BS_CENTER) {
        r.left = client.left + (client.right - client.left - width) / 2;
        r.right = r.left + width;
    } else {
        r.left = client.left + 4;
        r.right = r.left + width;
        if (r.right > client.right - 2)
            r.right = client.right - 2;
    }
    return r;
}

GroupBoxSkinner::GroupBoxSkinner(SkinnedWindow* owner)
    : ControlSkinner(owner, SkinTypeGroupBox), erasePending_(FALSE), addedTransparent_(FALSE)
{
    SetRectEmpty(&captionRect_);
}

LONG_PTR GroupBoxSkinner::Attach(HWND hwnd)
{
    if (!hwnd)
        return 0;
    const LONG exStyle = GetWindowLongA(hwnd, GWL_EXSTYLE);
    SetWindowLongA(hwnd, GWL_EXSTYLE, exStyle | WS_EX_TRANSPARENT);
    const LONG_PTR attached = ControlSkinner::Attach(hwnd);
    if (!attached) {
        SetWindowLongA(hwnd, GWL_EXSTYLE, exStyle);
        return 0;
    }
    addedTransparent_ = !(exStyle & WS_EX_TRANSPARENT);
    HWND parent = GetParent(hwnd);
    if (parent) {
        RECT r;
        ::GetWindowRect(hwnd, &r);
        MapWindowPoints(NULL, parent, reinterpret_cast<POINT*>(&r), 2);
        InvalidateRect(parent, &r, TRUE);
        UpdateWindow(parent);
    }
    return attached;
}

void GroupBoxSkinner::Detach()
{
    if (hwnd_ && addedTransparent_ && !destroyed_)
        SetWindowLongA(hwnd_, GWL_EXSTYLE, GetWindowLongA(hwnd_, GWL_EXSTYLE) & ~WS_EX_TRANSPARENT);
    addedTransparent_ = FALSE;
    ControlSkinner::Detach();
}

RECT GroupBoxSkinner::LayoutCaption(HDC dc, const char* text, int length) const
{
    const GroupBoxSkinObject* object = dynamic_cast<const GroupBoxSkinObject*>(skinObject_);
    RECT client;
    GetClientRect(hwnd_, &client);
    const ControlFontInDc font(hwnd_, dc);
    SIZE extent = {0, 0};
    if (length > 0)
        GetTextExtentPoint32A(dc, text, length, &extent);
    else
        GetTextExtentPoint32A(dc, "A", 1, &extent);
    const RECT margins = object ? object->captionImage.margins : RECT{0, 0, 0, 0};
    return GroupCaptionRect(client, extent, margins, GetWindowLongA(hwnd_, GWL_STYLE));
}

void GroupBoxSkinner::RestoreBackground(HDC dc, const RECT& rect)
{
    RECT client;
    GetClientRect(hwnd_, &client);
    MemoryDC buffer;
    if (IsRectEmpty(&rect) || !buffer.Create(dc, client.right, client.bottom))
        return;
    DrawParentBackground(hwnd_, FindTabParent(), buffer);
    BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, buffer, rect.left, rect.top,
           SRCCOPY);
}

void GroupBoxSkinner::Paint(HDC dc)
{
    const GroupBoxSkinObject* object = dynamic_cast<const GroupBoxSkinObject*>(skinObject_);
    if (!hwnd_ || !object)
        return;
    char text[200];
    const int length = ReadWindowText(hwnd_, text, 199);
    RECT caption = LayoutCaption(dc, text, length);
    RECT client;
    GetClientRect(hwnd_, &client);
    RECT frame = client;
    frame.top = (caption.top + caption.bottom) / 2;
    if (erasePending_) {
        RestoreBackground(dc, captionRect_);
        erasePending_ = FALSE;
    }
    captionRect_ = caption;
    DrawFrameImageParts(dc, frame, object->controlFrame, 0, FALSE);
    if (length <= 0)
        return;
    if (object->transparent) {
        RestoreBackground(dc, caption);
    } else {
        DrawFrameImage(dc, caption, object->captionImage, object->captionColor, TRUE);
        const RECT& m = object->captionImage.margins;
        caption.left += m.left;
        caption.top += m.top;
        caption.right -= m.right;
        caption.bottom -= m.bottom;
    }
    const ControlFontInDc font(hwnd_, dc);
    SetBkMode(dc, TRANSPARENT);
    DrawTextEffect(dc, object->textEffect, caption, text, length, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

LRESULT GroupBoxSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!savedProc_)
        return ControlSkinner::WindowProc(message, wParam, lParam);
    HWND self = hwnd_;
    switch (message) {
    case WM_ENABLE:
        return HiddenThen(message, wParam, lParam, [&] {
            InvalidateRect(self, NULL, TRUE);
            UpdateWindow(self);
        });
    case WM_SETTEXT: {
        char old[200];
        const int oldLength = ReadWindowText(self, old, 199);
        HDC dc = GetDC(self);
        const RECT oldCaption = LayoutCaption(dc, old, oldLength);
        ReleaseDC(self, dc);
        const LRESULT result = CallHidden(message, wParam, lParam);
        if (!StillSkinned(self, this))
            return result;
        const char* now = reinterpret_cast<const char*>(lParam);
        const int newLength = now ? lstrlenA(now) : 0;
        if (newLength < oldLength) {
            HWND parent = GetParent(self);
            if (parent) {
                RECT r = oldCaption;
                MapWindowPoints(self, parent, reinterpret_cast<POINT*>(&r), 2);
                InvalidateRect(parent, &r, TRUE);
                UpdateWindow(parent);
            }
            InvalidateRect(self, &oldCaption, TRUE);
        } else {
            dc = GetDC(self);
            char text[200];
            const int length = ReadWindowText(self, text, 199);
            const RECT caption = LayoutCaption(dc, text, length);
            ReleaseDC(self, dc);
            InvalidateRect(self, &caption, TRUE);
        }
        UpdateWindow(self);
        return result;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(self, &ps);
        if (dc)
            Paint(dc);
        EndPaint(self, &ps);
        // Controls inside the frame are painted over it.
        RECT mine, theirs, overlap;
        ::GetWindowRect(self, &mine);
        const std::vector<HWND> siblings = ChildrenOf(GetAncestor(self, GA_PARENT));
        auto after = std::find(siblings.begin(), siblings.end(), self);
        if (after != siblings.end())
            ++after;
        for (; after != siblings.end(); ++after) {
            HWND w = *after;
            if (GetWindowLongA(w, GWL_STYLE) & WS_GROUP)
                continue;
            if (::GetWindowRect(w, &theirs) && IntersectRect(&overlap, &mine, &theirs))
                RedrawWindow(w, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
        }
        return 0;
    }
    case WM_SETFONT:
        return HiddenThen(message, wParam, lParam, [&] {
            erasePending_ = TRUE;
            InvalidateRect(self, NULL, TRUE);
        });
    default:
        return ControlSkinner::WindowProc(message, wParam, lParam);
    }
}
