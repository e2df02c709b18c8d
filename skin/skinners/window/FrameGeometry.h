// Frame geometry of skinned windows, free of window calls so it is tested on its own: the hit test of
// the nine frame sections (0 top-left, 1 top, 2 top-right, 3 left, 4 client, 5 right, 6 bottom-left,
// 7 bottom, 8 bottom-right; window coordinates), the non-client size and the smallest tracking size.
#pragma once
#include <windows.h>

inline int RectWidth(const RECT& r)
{
    return r.right - r.left;
}

inline int RectHeight(const RECT& r)
{
    return r.bottom - r.top;
}

struct FrameHitState {
    bool resizable;  // sizing codes only for a resizable window
    bool maximized;  // a maximized window is neither moved nor sized by its frame
    RECT menuBar;    // empty when the window has no menu bar
    int elementCode; // what the frame elements answer for the point, 0 for none
};

// The hit-test code of a frame window (HTERROR for a point in no section, such as a transparent corner).
int FrameHitTest(const RECT (&sections)[9], POINT point, const FrameHitState& state);
// The hit-test code of a dialog: no menu bar, HTNOWHERE outside every section.
int DialogHitTest(const RECT (&sections)[9], POINT point, bool resizable, bool zoomed, int elementCode);

// The client rectangle left inside a proposed window rectangle by the design sections and a menu bar.
RECT FrameClientRect(const RECT& proposed, const RECT (&design)[9], int menuBarHeight);
// The smallest window that still shows both top and both bottom corners.
SIZE FrameMinTrackSize(const RECT (&design)[9]);
