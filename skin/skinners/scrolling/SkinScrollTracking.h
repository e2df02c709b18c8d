// Skin scroll bars, inside: the process-wide tracking of the pointer (SkinScrollTracking.cpp) and what it
// uses of the bars' layout and painting (SkinScrollBar.cpp). Only these two files include it.
#pragma once
#include <windows.h>

#include "skin/skinners/scrolling/SkinScrollBar.h"

namespace skinscroll {

// One pointer interaction at a time, shared by every window with skin bars.
struct Tracking {
    HWND window;
    int hotBar;
    RECT hotRect; // screen
    int hotPart;
    int previousHotPart;
    int pressedBar;
    int pressedPart;
    BOOL shownPressed;
    UINT scrollMessage;
    RECT pressRect; // window coordinates
    int thumbStartAtPress;
    int thumbSizeAtPress;
    int clickOffset;
    int lastPosition;
    int thumbStart; // while dragging
};
Tracking& Tracked();

// The pointer's messages: true when handled here, with the answer in result; false to pass them on.
bool TrackingMessage(SkinScrollState* state, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
// A window whose bars go: its timers, capture and tracking are dropped without a message sent to it.
void ForgetTracking(HWND hwnd);
int HitTestWindowPoint(HWND hwnd, SkinScrollState* state, int which, POINT windowPoint);
POINT ToWindow(HWND hwnd, POINT screen);

// From the bars' side.
RECT BarRect(HWND hwnd, SkinScrollState* state, int which);
SkinBarLayout BarLayout(const SkinScrollBar& bar, const RECT& rect);
// Paints one bar into the window's DC at once; a drag draws its thumb at thumbOverride (-1: the
// position's place).
void PaintBarNow(HWND hwnd, SkinScrollState* state, int which, int thumbOverride = -1);
void SendNcPaint(HWND hwnd);
LRESULT CallOld(SkinScrollState* state, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace skinscroll
