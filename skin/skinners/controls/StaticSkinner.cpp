// StaticSkinner: kinds, background and text of skinned statics.
#include "skin/skinners/controls/StaticSkinner.h"

#include "skin/engine/drawing/TextEffects.h"
#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/objects/ButtonSkinObjects.h"
#include "skin/skinners/controls/ButtonSkinnerBase.h"

StaticKind ClassifyStatic(LONG style)
{
    switch (style & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
    case SS_LEFTNOWORDWRAP:
        return StaticText;
    case SS_ICON:
        return StaticIcon;
    case SS_BITMAP:
        return StaticBitmap;
    default:
        return StaticNative;
    }
}

UINT StaticTextFormat(LONG style, LONG exStyle)
{
    UINT format = DT_LEFT;
    const LONG type = style & SS_TYPEMASK;
    if (type == SS_CENTER)
        format = DT_CENTER;
    else if (type == SS_RIGHT)
        format = DT_RIGHT;
    if (style & SS_CENTERIMAGE)
        format |= DT_VCENTER | DT_SINGLELINE;
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    format |= type == SS_LEFTNOWORDWRAP ? DT_SINGLELINE : DT_WORDBREAK;
    if (exStyle & WS_EX_RTLREADING)
        format |= DT_RTLREADING;
    if (style & SS_EDITCONTROL)
        format |= DT_WORDBREAK | DT_EDITCONTROL;
    return format;
}

StaticSkinner::StaticSkinner(SkinnedWindow* owner) : ControlSkinner(owner, SkinTypeStatic), addedTransparent_(FALSE) {}

LONG_PTR StaticSkinner::Attach(HWND hwnd)
{
    if (!hwnd || ClassifyStatic(GetWindowLongA(hwnd, GWL_STYLE)) == StaticNative)
        return 0;
    const LONG_PTR attached = ControlSkinner::Attach(hwnd);
    if (!attached)
        return 0;
    // Read from the object the control really got.
    const StaticSkinObject* object = dynamic_cast<const StaticSkinObject*>(skinObject_);
    const LONG exStyle = GetWindowLongA(hwnd, GWL_EXSTYLE);
    if (object && object->transparent && !(exStyle & WS_EX_TRANSPARENT)) {
        SetWindowLongA(hwnd, GWL_EXSTYLE, exStyle | WS_EX_TRANSPARENT);
        addedTransparent_ = TRUE;
    }
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

void StaticSkinner::Detach()
{
    if (hwnd_ && addedTransparent_ && !destroyed_)
        SetWindowLongA(hwnd_, GWL_EXSTYLE, GetWindowLongA(hwnd_, GWL_EXSTYLE) & ~WS_EX_TRANSPARENT);
    addedTransparent_ = FALSE;
    ControlSkinner::Detach();
}

void DrawStaticBackground(HWND control, HWND holder, const SkinObject* skinObject, HDC dc)
{
    const StaticSkinObject* object = dynamic_cast<const StaticSkinObject*>(skinObject);
    RECT client;
    GetClientRect(control, &client);
    if (!object || object->transparent)
        DrawParentBackground(control, holder, dc);
    else
        DrawFrameImage(dc, client, object->controlFrame, object->color, TRUE);
}

void StaticSkinner::PaintBackground(HDC dc)
{
    DrawStaticBackground(hwnd_, FindTabParent(), skinObject_, dc);
}

void StaticSkinner::Paint(HDC dc)
{
    if (!hwnd_)
        return;
    const LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
    const StaticKind kind = ClassifyStatic(style);
    PaintBackground(dc);
    if (kind == StaticIcon) {
        HICON icon = reinterpret_cast<HICON>(AskWindow(hwnd_, STM_GETICON, 0, 0));
        if (icon && (style & SS_CENTERIMAGE))
            DrawIconEx(dc, 0, 0, icon, 0, 0, 0, NULL, DI_NORMAL);
        else if (icon)
            DrawIcon(dc, 0, 0, icon);
        return;
    }
    if (kind == StaticBitmap) {
        HBITMAP bitmap = reinterpret_cast<HBITMAP>(AskWindow(hwnd_, STM_GETIMAGE, IMAGE_BITMAP, 0));
        if (!bitmap)
            return;
        RECT client;
        GetClientRect(hwnd_, &client);
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, bitmap);
        BitBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
        return;
    }
    const StaticSkinObject* object = dynamic_cast<const StaticSkinObject*>(skinObject_);
    char text[1024];
    const int length = ReadWindowText(hwnd_, text, 1023);
    if (length <= 0 || !object)
        return;
    const ControlFontInDc font(hwnd_, dc);
    SetTextColor(dc, object->font.color & 0xFFFFFF);
    SetBkMode(dc, TRANSPARENT);
    RECT client;
    GetClientRect(hwnd_, &client);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
    const UINT format = StaticTextFormat(style, GetWindowLongA(hwnd_, GWL_EXSTYLE));
    const bool disabledLook = !IsWindowEnabled(hwnd_) && !(style & SS_EDITCONTROL);
    DrawTextEffect(dc, disabledLook ? object->textEffect2 : object->textEffect, client, text, length, format);
    RestoreDC(dc, saved);
}

LRESULT StaticSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!savedProc_)
        return ControlSkinner::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_ENABLE:
    case WM_SETTEXT: {
        // The static would paint itself while it handles these.
        return HiddenThen(message, wParam, lParam, [&] {
            InvalidateRect(hwnd_, NULL, FALSE);
            UpdateWindow(hwnd_);
        });
    }
    case WM_ERASEBKGND:
        // WM_PAINT covers the whole client, background included.
        return 1;
    default:
        return ControlSkinner::WindowProc(message, wParam, lParam);
    }
}
