// ProgressSkinner: the bar's state, its messages and its three fill styles.
#include "skin/skinners/controls/ProgressSkinner.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>

#include "skin/engine/drawing/MemoryDC.h"
#include "skin/skinners/controls/DisabledLook.h"
#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/objects/ControlSkinObjects.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/engine/toolkit/SkinMessages.h"
#include "skin/skinners/controls/QuarterTurn.h"

namespace {

enum { StyleStretched = 0, StyleUncovered = 1, StyleBlocks = 2 };

} // namespace

ProgressSkinner::ProgressSkinner(SkinnedWindow* owner)
    : ControlSkinner(owner, SkinTypeProgressBar), active_(false), step_(1), position_(0), minimum_(0), maximum_(0)
{
}

int ProgressSkinner::FillLength(int position, int minimum, int maximum, int length)
{
    if (maximum <= minimum || length <= 0)
        return 0;
    const double fill = (static_cast<double>(position) - minimum) * length / (static_cast<double>(maximum) - minimum);
    if (fill <= 0)
        return 0;
    return fill >= length ? length : static_cast<int>(fill);
}

LONG_PTR ProgressSkinner::Attach(HWND hwnd)
{
    if (!hwnd)
        return 0;
    PostMessageA(hwnd, WM_SKIN_PROGRESSUPDATE, 0, 0);
    return ControlSkinner::Attach(hwnd);
}

void ProgressSkinner::Detach()
{
    HWND hwnd = hwnd_;
    const bool handBack = active_ && hwnd && !destroyed_;
    ControlSkinner::Detach();
    active_ = false;
    if (!handBack || !IsWindow(hwnd))
        return;
    SendMessageA(hwnd, PBM_SETRANGE32, minimum_, maximum_);
    SendMessageA(hwnd, PBM_SETPOS, position_, 0);
    SendMessageA(hwnd, PBM_SETSTEP, step_, 0);
}

void ProgressSkinner::ReadControlState()
{
    minimum_ = static_cast<int>(PassOn(PBM_GETRANGE, TRUE, 0));
    maximum_ = static_cast<int>(PassOn(PBM_GETRANGE, FALSE, 0));
    position_ = static_cast<int>(PassOn(PBM_GETPOS, 0, 0));
    // The control does not tell its step: one step from the minimum shows it.
    PassOn(PBM_SETPOS, minimum_, 0);
    PassOn(PBM_STEPIT, 0, 0);
    step_ = static_cast<int>(PassOn(PBM_GETPOS, 0, 0)) - minimum_;
    if (step_ <= 0)
        step_ = 1;
    active_ = true;
    SetWindowPos(hwnd_, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

int ProgressSkinner::Clamp(int value) const
{
    if (value > maximum_)
        value = maximum_;
    if (value < minimum_)
        value = minimum_;
    return value;
}

LRESULT ProgressSkinner::Changed(LRESULT result)
{
    InvalidateRect(hwnd_, NULL, TRUE);
    UpdateWindow(hwnd_);
    return result;
}

void ProgressSkinner::PaintBar(HDC dc, const RECT& bar, const ProgressSkinObject& object)
{
    DrawFrameImage(dc, bar, object.controlFrame, object.color, TRUE);
    const int width = bar.right - bar.left;
    const int fill = FillLength(position_, minimum_, maximum_, width);
    const COLORREF key = TransparentColor();
    const bool noImage = IsSlicedImageEmpty(object.progressImage);
    RECT filled = bar;
    filled.right = bar.left + fill;
    switch (object.style) {
    case StyleUncovered: {
        if (fill <= 0)
            break;
        MemoryDC whole;
        if (!whole.Create(dc, width, bar.bottom - bar.top))
            break;
        const RECT all = {0, 0, width, bar.bottom - bar.top};
        FillRectColor(whole, all, key);
        if (noImage)
            FillRectColor(whole, all, object.textColor);
        else
            DrawFrameImage(whole, all, object.progressImage, object.textColor, FALSE);
        HBITMAP bitmap = whole.DetachBitmap();
        BlitTransparent(dc, bar.left, bar.top, fill, bar.bottom - bar.top, bitmap, 0, 0, key);
        DeleteObject(bitmap);
        break;
    }
    case StyleBlocks: {
        const int block = object.progressImage.source.right - object.progressImage.source.left;
        if (noImage || block <= 0) {
            // Without a block picture the fill is a plain colour.
            if (fill > 0)
                FillRectColor(dc, filled, object.textColor);
            break;
        }
        const int count = fill / block;
        for (int i = 0; i < count; ++i) {
            const RECT one = {bar.left + i * block, bar.top, bar.left + (i + 1) * block, bar.bottom};
            DrawFrameImageTransparent(dc, one, object.progressImage, key);
        }
        break;
    }
    default:
        if (fill <= 0)
            break;
        if (noImage)
            FillRectColor(dc, filled, object.textColor);
        else
            DrawFrameImageTransparent(dc, filled, object.progressImage, key);
        break;
    }
}

void ProgressSkinner::Paint(HDC dc)
{
    const ProgressSkinObject* object = dynamic_cast<const ProgressSkinObject*>(skinObject_);
    if (!hwnd_ || !object)
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    if (!(GetWindowLongA(hwnd_, GWL_STYLE) & PBS_VERTICAL)) {
        PaintBar(dc, client, *object);
    } else {
        MemoryDC upright;
        if (!upright.Create(dc, client.bottom, client.right))
            return;
        const RECT bar = {0, 0, client.bottom, client.right};
        PaintBar(upright, bar, *object);
        BlitTurned(dc, 0, 0, upright, bar.right, bar.bottom, 270);
    }
    // The skin has no disabled pictures for a progress bar.
    if (!IsWindowEnabled(hwnd_))
        GreyOut(dc, client);
}

void ProgressSkinner::PaintNonClient()
{
    const ProgressSkinObject* object = dynamic_cast<const ProgressSkinObject*>(skinObject_);
    if (!object)
        return;
    RECT window, client;
    ::GetWindowRect(hwnd_, &window);
    GetClientRect(hwnd_, &client);
    const int borderX = ((window.right - window.left) - client.right) / 2;
    const int borderY = ((window.bottom - window.top) - client.bottom) / 2;
    if (borderX <= 0 && borderY <= 0)
        return;
    HDC dc = GetWindowDC(hwnd_);
    if (!dc)
        return;
    const RECT bounds = {0, 0, window.right - window.left, window.bottom - window.top};
    const RECT margins = {borderX, borderY, borderX, borderY};
    DrawFrameImageEx(dc, bounds, margins, object->controlFrame, object->color, TRUE);
    ReleaseDC(hwnd_, dc);
}

LRESULT ProgressSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!savedProc_)
        return ControlSkinner::WindowProc(message, wParam, lParam);
    if (message == WM_SKIN_PROGRESSUPDATE) {
        ReadControlState();
        return PassOn(message, wParam, lParam);
    }
    if (!active_)
        return ControlSkinner::WindowProc(message, wParam, lParam);
    const int previous = position_;
    switch (message) {
    case PBM_SETRANGE:
    case PBM_SETRANGE32: {
        const LRESULT result = MAKELONG(static_cast<WORD>(minimum_), static_cast<WORD>(maximum_));
        if (message == PBM_SETRANGE) {
            minimum_ = LOWORD(lParam);
            maximum_ = HIWORD(lParam);
        } else {
            minimum_ = static_cast<int>(wParam);
            maximum_ = static_cast<int>(lParam);
        }
        position_ = Clamp(position_);
        return Changed(result);
    }
    case PBM_SETPOS:
        position_ = Clamp(static_cast<int>(wParam));
        return Changed(previous);
    case PBM_DELTAPOS:
        // In 64 bits: a large delta neither wraps nor passes the range.
        position_ = Clamp(static_cast<int>(std::max<long long>(
            INT_MIN, std::min<long long>(INT_MAX, static_cast<long long>(position_) + static_cast<int>(wParam)))));
        return Changed(previous);
    case PBM_STEPIT:
        position_ = Clamp(static_cast<int>(
            std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, static_cast<long long>(position_) + step_))));
        return Changed(previous);
    case PBM_SETSTEP: {
        const int old = step_;
        step_ = static_cast<int>(wParam);
        return old;
    }
    case PBM_GETRANGE: {
        PBRANGE* range = reinterpret_cast<PBRANGE*>(lParam);
        if (range) {
            range->iLow = minimum_;
            range->iHigh = maximum_;
        }
        return wParam ? minimum_ : maximum_;
    }
    case PBM_GETPOS:
        return position_;
    case PBM_SETBARCOLOR:
    case PBM_SETBKCOLOR:
        return CLR_DEFAULT;
    case WM_SKIN_REFRESHFONT:
        return 0;
    case WM_NCPAINT:
        PaintNonClient();
        return 0;
    default:
        return ControlSkinner::WindowProc(message, wParam, lParam);
    }
}
