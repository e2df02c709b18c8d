// Frame geometry: hit testing and sizes of the nine frame sections.
#include "skin/skinners/window/FrameGeometry.h"

namespace {

const int kGrip = 5; // the sizing corners and the top strip

bool In(const RECT& r, POINT p)
{
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// A sizing code where the window may be sized, else what the same place means on a fixed frame.
int Sizing(int code, int fixed, bool resizable)
{
    return resizable ? code : fixed;
}

// Steps shared by frames and dialogs once the caption and client have been ruled out.
int SectionHitTest(const RECT (&s)[9], POINT p, bool resizable, int outside)
{
    if (In(s[0], p))
        return p.x < s[0].left + kGrip && p.y < s[0].top + kGrip ? Sizing(HTTOPLEFT, HTCAPTION, resizable) : HTCAPTION;
    if (In(s[1], p))
        return p.y < s[1].top + kGrip ? Sizing(HTTOP, HTCAPTION, resizable) : HTCAPTION;
    if (In(s[2], p))
        return p.x >= s[2].right - kGrip && p.y < s[2].top + kGrip ? Sizing(HTTOPRIGHT, HTCAPTION, resizable)
                                                                   : HTCAPTION;
    if (In(s[5], p))
        return Sizing(HTRIGHT, HTNOWHERE, resizable);
    if (In(s[3], p))
        return Sizing(HTLEFT, HTNOWHERE, resizable);
    if (In(s[8], p))
        return p.x >= s[8].right - kGrip && p.y >= s[8].bottom - kGrip ? Sizing(HTBOTTOMRIGHT, HTNOWHERE, resizable)
                                                                       : Sizing(HTBOTTOM, HTNOWHERE, resizable);
    if (In(s[6], p))
        return p.x < s[6].left + kGrip && p.y >= s[6].bottom - kGrip ? Sizing(HTBOTTOMLEFT, HTNOWHERE, resizable)
                                                                     : Sizing(HTBOTTOM, HTNOWHERE, resizable);
    if (In(s[7], p))
        return Sizing(HTBOTTOM, HTNOWHERE, resizable);
    if (In(s[4], p))
        return HTCLIENT;
    return outside;
}

} // namespace

int FrameHitTest(const RECT (&s)[9], POINT p, const FrameHitState& state)
{
    if (In(state.menuBar, p))
        return HTMENU;
    if (state.maximized) {
        if (state.elementCode == HTCAPTION || In(s[0], p) || In(s[1], p) || In(s[2], p))
            return HTCAPTION;
        return In(s[4], p) ? HTCLIENT : HTNOWHERE;
    }
    if (state.elementCode)
        return state.elementCode;
    return SectionHitTest(s, p, state.resizable, HTERROR);
}

int DialogHitTest(const RECT (&s)[9], POINT p, bool resizable, bool zoomed, int elementCode)
{
    if (elementCode == HTCAPTION)
        return HTCAPTION;
    if (In(s[4], p))
        return HTCLIENT;
    if (!resizable || zoomed)
        return In(s[0], p) || In(s[1], p) || In(s[2], p) ? HTCAPTION : HTNOWHERE;
    return SectionHitTest(s, p, true, HTNOWHERE);
}

RECT FrameClientRect(const RECT& proposed, const RECT (&design)[9], int menuBarHeight)
{
    RECT client = proposed;
    client.left += RectWidth(design[3]);
    client.right -= RectWidth(design[5]);
    client.top += RectHeight(design[0]) + (menuBarHeight > 0 ? menuBarHeight : 0);
    client.bottom -= RectHeight(design[6]);
    // A window smaller than its frame has an empty client, never an inverted one.
    if (client.right < client.left)
        client.right = client.left;
    if (client.bottom < client.top)
        client.bottom = client.top;
    return client;
}

SIZE FrameMinTrackSize(const RECT (&d)[9])
{
    const int bottom = RectWidth(d[8]) + RectWidth(d[6]) + 2;
    const int top = RectWidth(d[2]) + RectWidth(d[0]) + 2;
    SIZE size = {bottom > top ? bottom : top, RectHeight(d[6]) + RectHeight(d[0]) + 2};
    return size;
}
