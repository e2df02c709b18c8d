// ButtonSkinner: push-button state, drawing, content and region.
#include "skin/skinners/controls/ButtonSkinner.h"

#include "skin/engine/drawing/MemoryDC.h"
#include "skin/engine/drawing/RegionTools.h"
#include "skin/engine/drawing/TextEffects.h"
#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/objects/ButtonSkinObjects.h"
#include "skin/engine/store/SkinStore.h"
#include "skin/engine/toolkit/SkinEngine.h"

namespace {

// Fixed, whatever the skin's own transparent colour: the corners a push button's picture leaves out.
const COLORREF kRegionKey = RGB(255, 0, 255);

} // namespace

ButtonSkinner::ButtonSkinner(SkinnedWindow* owner) : ButtonSkinnerBase(owner, SkinTypeButton), default_(FALSE) {}

const ButtonSkinObject* ButtonSkinner::Button() const
{
    return skinObject_ && skinObject_->Type() == SkinTypeButton ? static_cast<const ButtonSkinObject*>(skinObject_)
                                                                : NULL;
}

SkinObject* ButtonSkinner::GetDefaultSkinObject()
{
    return SkinEngine::Instance().GetCurrentSkin()->FindObjectByType(SkinTypeButton);
}

void ButtonSkinner::OnClick() {}

SkinObject* ButtonSkinner::SetSkinObject(SkinObject* object)
{
    SkinObject* previous = ButtonSkinnerBase::SetSkinObject(object);
    if (hwnd_)
        RebuildRegion();
    return previous;
}

LONG_PTR ButtonSkinner::Attach(HWND hwnd)
{
    const LONG_PTR attached = ButtonSkinnerBase::Attach(hwnd);
    if (!attached)
        return 0;
    default_ = (GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    if (skinObject_)
        RebuildRegion();
    return attached;
}

void ButtonSkinner::RebuildRegion()
{
    const ButtonSkinObject* button = Button();
    RECT client;
    if (!button || !hwnd_ || !GetClientRect(hwnd_, &client) || client.right <= 0 || client.bottom <= 0)
        return;
    HDC dc = GetDC(hwnd_);
    MemoryDC buffer;
    const BOOL made = buffer.Create(dc, client.right, client.bottom);
    ReleaseDC(hwnd_, dc);
    if (!made)
        return;
    DrawFrameImage(buffer, client, button->states[ButtonSkinObject::Normal].image, GetSysColor(COLOR_BTNFACE), TRUE);
    HBITMAP bitmap = buffer.DetachBitmap();
    HRGN region = RegionFromBitmap(bitmap, kRegionKey);
    DeleteObject(bitmap);
    if (!region)
        return;
    SetWindowRgn(hwnd_, NULL, FALSE);
    if (SetWindowRgn(hwnd_, region, TRUE))
        region_ = region; // the window's from now on
    else
        DeleteObject(region);
}

void ButtonSkinner::DrawContent(HDC dc, const RECT& client, int state)
{
    const ButtonSkinObject* button = Button();
    const LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
    if (style & BS_ICON) {
        HICON icon = reinterpret_cast<HICON>(AskWindow(hwnd_, BM_GETIMAGE, IMAGE_ICON, 0));
        if (!icon)
            return;
        int width = 32, height = 32;
        ICONINFO info;
        if (GetIconInfo(icon, &info)) {
            BITMAP bm;
            if (info.hbmColor && GetObjectA(info.hbmColor, sizeof bm, &bm)) {
                width = bm.bmWidth;
                height = bm.bmHeight;
            }
            if (info.hbmColor)
                DeleteObject(info.hbmColor);
            if (info.hbmMask)
                DeleteObject(info.hbmMask);
        }
        const RECT r = PlaceButtonContent(client, width, height, style);
        DrawIcon(dc, r.left, r.top, icon);
        return;
    }
    if (style & BS_BITMAP) {
        HBITMAP bitmap = reinterpret_cast<HBITMAP>(AskWindow(hwnd_, BM_GETIMAGE, IMAGE_BITMAP, 0));
        BITMAP bm;
        if (!bitmap || !GetObjectA(bitmap, sizeof bm, &bm))
            return;
        const RECT r = PlaceButtonContent(client, bm.bmWidth, bm.bmHeight, style);
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, bitmap);
        BitBlt(dc, r.left, r.top, bm.bmWidth, bm.bmHeight, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
        return;
    }
    char text[300];
    const int length = ReadWindowText(hwnd_, text, 299);
    if (length <= 0)
        return;
    const ControlFontInDc font(hwnd_, dc);
    SetBkMode(dc, TRANSPARENT);
    const UINT format = ButtonTextFormat(style, GetWindowLongA(hwnd_, GWL_EXSTYLE));
    RECT measured = client;
    DrawTextExA(dc, text, length, &measured, format | DT_CALCRECT, NULL);
    const RECT placed =
        PlaceButtonContent(client, measured.right - measured.left, measured.bottom - measured.top, style);
    if (button) {
        DrawTextEffect(dc, button->states[state].effect, placed, text, length, format);
    } else {
        RECT r = placed;
        DrawTextA(dc, text, length, &r, format);
    }
}

void ButtonSkinner::Paint(HDC dc)
{
    if (!hwnd_)
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    const ButtonSkinObject* button = Button();
    ButtonInputs in = Inputs();
    in.isDefault = default_ != FALSE;
    bool empty[6] = {true, true, true, true, true, true};
    if (button)
        for (int i = 0; i < 6; ++i)
            empty[i] = IsSlicedImageEmpty(button->states[i].image);
    int chain[3];
    const int count = PushButtonChain(in, empty[kPushHighlighted], chain);
    int state = chain[count - 1];
    for (int i = 0; i < count; ++i)
        if (!empty[chain[i]]) {
            state = chain[i];
            break;
        }
    if (button && !empty[state]) {
        DrawFrameImageTransparent(dc, client, button->states[state].image, TransparentColor());
    } else {
        // No picture for this state: the face colour with the platform's edge.
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        RECT edge = client;
        DrawEdge(dc, &edge, state == kPushPressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    }
    DrawContent(dc, client, state);
}

void ButtonSkinner::PaintWithBackground(HDC dc)
{
    DrawParentBackground(hwnd_, GetParent(hwnd_), dc);
    Paint(dc);
}

LRESULT ButtonSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!savedProc_)
        return ButtonSkinnerBase::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_SIZE: {
        const LRESULT result = ButtonSkinnerBase::WindowProc(message, wParam, lParam);
        RebuildRegion();
        return result;
    }
    case WM_SETTEXT: {
        // The button would paint its own face while it stores the text.
        return HiddenThen(message, wParam, lParam, [&] {
            InvalidateRect(hwnd_, NULL, TRUE);
            UpdateWindow(hwnd_);
        });
    }
    case WM_PAINT: {
        BufferedPaint paint(hwnd_);
        if (paint.Ready()) {
            PaintWithBackground(paint.Buffer());
            paint.Show();
        }
        return 0;
    }
    case WM_STYLECHANGED:
        if (wParam == static_cast<WPARAM>(GWL_STYLE) && lParam)
            default_ = (reinterpret_cast<const STYLESTRUCT*>(lParam)->styleNew & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        break;
    default:
        break;
    }
    return ButtonSkinnerBase::WindowProc(message, wParam, lParam);
}
