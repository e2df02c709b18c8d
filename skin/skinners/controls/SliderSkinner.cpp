// SliderSkinner: background, channel and thumb; vertical bars from the horizontal pictures turned.
#include "skin/skinners/controls/SliderSkinner.h"

#include <commctrl.h>

#include "skin/engine/drawing/MemoryDC.h"
#include "skin/skinners/controls/DisabledLook.h"
#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/objects/ControlSkinObjects.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/skinners/controls/ButtonSkinnerBase.h"
#include "skin/skinners/controls/QuarterTurn.h"

SliderSkinner::SliderSkinner(SkinnedWindow* owner) : ControlSkinner(owner, SkinTypeSlider), savedStyle_(0) {}

LONG_PTR SliderSkinner::Attach(HWND hwnd)
{
    if (!hwnd)
        return 0;
    savedStyle_ = GetWindowLongA(hwnd, GWL_STYLE);
    SetWindowLongA(hwnd, GWL_STYLE, savedStyle_ | TBS_BOTH);
    const LONG_PTR attached = ControlSkinner::Attach(hwnd);
    if (!attached)
        SetWindowLongA(hwnd, GWL_STYLE, savedStyle_);
    return attached;
}

void SliderSkinner::Detach()
{
    if (hwnd_ && !destroyed_)
        SetWindowLongA(hwnd_, GWL_STYLE, (GetWindowLongA(hwnd_, GWL_STYLE) & ~TBS_BOTH) | (savedStyle_ & TBS_BOTH));
    ControlSkinner::Detach();
}

void SliderSkinner::Repaint()
{
    InvalidateRect(hwnd_, NULL, FALSE);
    UpdateWindow(hwnd_);
}

void SliderSkinner::Paint(HDC dc)
{
    const SliderSkinObject* object = dynamic_cast<const SliderSkinObject*>(skinObject_);
    if (!hwnd_ || !object)
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    PaintLook(dc, client, *object);
    // The skin has no disabled pictures for a trackbar.
    if (!IsWindowEnabled(hwnd_))
        GreyOut(dc, client);
}

void SliderSkinner::PaintLook(HDC dc, const RECT& client, const SliderSkinObject& look)
{
    const SliderSkinObject* object = &look;
    RECT thumb = {}, channel = {};
    SendMessageA(hwnd_, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    SendMessageA(hwnd_, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF key = TransparentColor();
    if (object->transparent)
        DrawParentBackground(hwnd_, FindTabParent(), dc);
    else
        DrawFrameImage(dc, client, object->controlFrame, face, TRUE);
    if (!(GetWindowLongA(hwnd_, GWL_STYLE) & TBS_VERT)) {
        DrawFrameImage(dc, channel, object->channel, face, TRUE);
        DrawFrameImageTransparent(dc, thumb, object->thumbHorizontal, key);
        return;
    }
    // Some controls report a vertical bar's channel in the horizontal orientation.
    if (channel.right - channel.left > channel.bottom - channel.top)
        channel = TurnRect(channel, client.bottom, client.right, 270);
    DrawFrameImageTurned(dc, channel, object->channel, face, 270);
    if (!IsSlicedImageEmpty(object->thumbVertical))
        DrawFrameImageTransparent(dc, thumb, object->thumbVertical, key);
    else
        DrawFrameImageTurned(dc, thumb, object->thumbHorizontal, face, 270, &key);
}

LRESULT SliderSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!savedProc_)
        return ControlSkinner::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_MOUSEMOVE: {
        const LRESULT result = ControlSkinner::WindowProc(message, wParam, lParam);
        if (hwnd_ && !(wParam & MK_LBUTTON))
            Repaint();
        return result;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: {
        const LRESULT result = ControlSkinner::WindowProc(message, wParam, lParam);
        if (hwnd_)
            Repaint();
        return result;
    }
    default:
        return ControlSkinner::WindowProc(message, wParam, lParam);
    }
}
