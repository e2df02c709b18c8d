// Skin scroll bars: scroll bars the toolkit lays out, hit-tests, tracks and paints itself in the
// non-client area of an ordinary window (list box, edit, list and tree view) in place of the platform's
// window scroll bars. The window keeps working through its usual scroll-bar calls, which the replacement
// functions answer from the skin bars' records. Each bar part is painted through SkinScrollCustomDraw,
// from the current skin's ScrollBar object.
#pragma once
#include <windows.h>

#include "skin/skinners/scrolling/SkinScrollGeometry.h"

// The window property that carries a window's state.
extern const char kSkinScrollProperty[]; // "SkinSBSubclassPtr"

struct SkinScrollState {
    WNDPROC oldProc;
    SkinScrollBar horizontal;
    SkinScrollBar vertical;
    BOOL leftScrollBar;
    SkinBarInsets insets;
    BOOL tracking;   // the thumb is being dragged
    BOOL styleGuard; // the toolkit itself is changing the window's style
    // What the platform's horizontal and vertical bars held when last looked at: the skin bars follow
    // what changes there.
    SCROLLINFO platformSeen[2];
};

// Timers on the window.
const UINT_PTR kSkinScrollFirstRepeat = 0xFFFD; // 300 ms
const UINT_PTR kSkinScrollRepeat = 0xFFFE;      // 55 ms
const UINT_PTR kSkinScrollHover = 0xFFFFFFF2;   // 20 ms

SkinScrollState* GetSkinScrollState(HWND hwnd);
// Whether the controls' own scroll-bar calls reach the platform's bars rather than the skin bars (Windows 98
// and Me, and every system where the functions are not redirected): the skinners then resynchronise
// drags and repaint the skin bars after every message.
bool SkinScrollFollowsPlatform();
// Copies what changed in the platform's bars since they were last looked at into the skin bars and
// repaints those; TRUE when anything changed. The window's own procedure does this after every message
// (a control may reach the platform's bars past redirected functions); the skinners call it where they
// need the bars at once.
BOOL SkinScrollFollowPlatformBars(HWND hwnd);
BOOL SkinScrollInstall(HWND hwnd);
HRESULT SkinScrollRemove(HWND hwnd);
BOOL SkinScrollSetStyle(HWND hwnd, int bar, int style);
BOOL SkinScrollSetSize(HWND hwnd, int bar, int arrowLength, int barWidth);
BOOL SkinScrollSetMinThumbSize(HWND hwnd, int bar, int size);
int SkinScrollUpdateScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw);
BOOL SkinScrollEnableScrollBar(HWND hwnd, UINT bar, UINT arrows);
BOOL SkinScrollGetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info);
int SkinScrollGetScrollPos(HWND hwnd, int bar);
BOOL SkinScrollGetScrollRange(HWND hwnd, int bar, LPINT minimum, LPINT maximum);
int SkinScrollSetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO info, BOOL redraw);
int SkinScrollSetScrollPos(HWND hwnd, int bar, int position, BOOL redraw);
BOOL SkinScrollSetScrollRange(HWND hwnd, int bar, int minimum, int maximum, BOOL redraw);
BOOL SkinScrollShowScrollBar(HWND hwnd, int bar, BOOL show);

// The drawing hook's record.
enum { kSkinDrawPrePaint = 1, kSkinDrawPostPaint = 2, kSkinDrawItemPaint = 0x10001 };
enum { kSkinStatePressed = 1, kSkinStateDisabled = 4, kSkinStateNormal = 32, kSkinStateHot = 64 };
const int kSkinCornerBar = 3;
struct SkinScrollDrawItem {
    DWORD stage;
    HDC dc;
    RECT rect;
    int part;
    UINT state;
    int bar;
};
// 4: the hook drew (skip the default drawing); 0: draw the default way.
LRESULT SkinScrollCustomDraw(const SkinScrollDrawItem& item);
// The platform-style drawing, used when the current skin has no ScrollBar object.
void SkinScrollDefaultDraw(const SkinScrollDrawItem& item, int style);

// The bar's rectangle in window coordinates, empty when the bar is not shown (tests and the skinners).
RECT GetSkinBarRect(HWND hwnd, int bar);
