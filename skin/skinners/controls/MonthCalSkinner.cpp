// MonthCalSkinner: background, colours and the title buttons of a month calendar.
#include "skin/skinners/controls/MonthCalSkinner.h"

#include <commctrl.h>

#include "skin/engine/drawing/WindowTools.h"
#include "skin/engine/images/ImageDraw.h"
#include "skin/engine/objects/ControlSkinObjects.h"
#include "skin/engine/store/SkinTypes.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/toolkit/SkinMessages.h"

namespace {

enum { PreviousNormal, PreviousPressed, NextNormal, NextPressed, PreviousDisabled, NextDisabled };

} // namespace

MonthCalSkinner::MonthCalSkinner(SkinnedWindow* owner)
    : ControlSkinner(owner, SkinTypeMonthCalendar), previous_(), next_(), buttonState_(ButtonNone)
{
}

const MonthCalendarSkinObject* MonthCalSkinner::Calendar() const
{
    return dynamic_cast<const MonthCalendarSkinObject*>(skinObject_);
}

LONG_PTR MonthCalSkinner::Attach(HWND hwnd)
{
    const LONG_PTR attached = ControlSkinner::Attach(hwnd);
    if (!attached)
        return attached;
    FindMonthCalButtons(hwnd, previous_, next_);
    if (skinObject_)
        PostMessageA(hwnd, WM_SKIN_COLORSCHANGED, 0, 0);
    return attached;
}

SkinObject* MonthCalSkinner::SetSkinObject(SkinObject* object)
{
    SkinObject* previous = ControlSkinner::SetSkinObject(object);
    if (hwnd_ && skinObject_)
        PostMessageA(hwnd_, WM_SKIN_COLORSCHANGED, 0, 0);
    return previous;
}

LRESULT MonthCalSkinner::OnColorsChanged()
{
    const MonthCalendarSkinObject* object = Calendar();
    if (!hwnd_ || !object)
        return 1;
    const struct {
        int part;
        COLORREF color;
    } colors[] = {
        {MCSC_BACKGROUND, object->color},  {MCSC_MONTHBK, object->colors[0]},   {MCSC_TEXT, object->textColor},
        {MCSC_TITLEBK, object->colors[1]}, {MCSC_TITLETEXT, object->colors[2]}, {MCSC_TRAILINGTEXT, object->colors[3]},
    };
    for (const auto& c : colors)
        CallSavedProc(MCM_SETCOLOR, c.part, c.color & 0xFFFFFF);
    return 1;
}

void MonthCalSkinner::Paint(HDC dc)
{
    const MonthCalendarSkinObject* object = Calendar();
    if (!hwnd_ || !object)
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    DrawFrameImage(dc, client, object->controlFrame, object->color, TRUE);
    CallSavedProc(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    const SlicedImage* images = object->images;
    SlicedImage previous = buttonState_ == ButtonPrevious
                               ? ChooseImagePart(images[PreviousPressed], images[PreviousNormal])
                               : images[PreviousNormal];
    SlicedImage next =
        buttonState_ == ButtonNext ? ChooseImagePart(images[NextPressed], images[NextNormal]) : images[NextNormal];
    if (!IsWindowEnabled(hwnd_)) {
        previous = ChooseImagePart(images[PreviousDisabled], previous);
        next = ChooseImagePart(images[NextDisabled], next);
    }
    const COLORREF key = TransparentColor();
    if (!IsRectEmpty(&previous_) && !IsSlicedImageEmpty(previous))
        DrawFrameImageTransparent(dc, previous_, previous, key);
    if (!IsRectEmpty(&next_) && !IsSlicedImageEmpty(next))
        DrawFrameImageTransparent(dc, next_, next, key);
}

LRESULT MonthCalSkinner::OnMouse(UINT message, WPARAM wParam, LPARAM lParam)
{
    const POINT point = PointFromLParam(lParam);
    const bool inPrevious = PtInRect(&previous_, point) != FALSE;
    const bool inNext = PtInRect(&next_, point) != FALSE;
    if (message == WM_MOUSEMOVE)
        buttonState_ = inPrevious ? ButtonPrevious : inNext ? ButtonNext : ButtonNone;
    else if (!inPrevious && !inNext) {
        // Released away from a pressed button: it must not stay drawn pressed.
        const bool wasPressed = buttonState_ != ButtonNone;
        buttonState_ = ButtonNone;
        return PassOnThen(message, wParam, lParam, [&] {
            if (wasPressed)
                InvalidateRect(hwnd_, NULL, FALSE);
        });
    } else if (message == WM_LBUTTONDOWN)
        buttonState_ = inPrevious ? ButtonPrevious : ButtonNext;
    else
        buttonState_ = ButtonNone;
    // Whatever the calendar drew while hidden was lost: show its new look (and the buttons') now.
    return HiddenThen(message, wParam, lParam, [&] {
        InvalidateRect(hwnd_, NULL, FALSE);
        UpdateWindow(hwnd_);
    });
}

LRESULT MonthCalSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!savedProc_)
        return ControlSkinner::WindowProc(message, wParam, lParam);
    switch (message) {
    case WM_SKIN_COLORSCHANGED:
        return OnColorsChanged();
    case WM_SIZE: {
        if (!skinObject_)
            break;
        return PassOnThen(message, wParam, lParam, [&] { FindMonthCalButtons(hwnd_, previous_, next_); });
    }
    case WM_MOUSEMOVE:
        if (!(wParam & MK_LBUTTON))
            break;
        return OnMouse(message, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        return OnMouse(message, wParam, lParam);
    default:
        break;
    }
    return ControlSkinner::WindowProc(message, wParam, lParam);
}
