// CScrollView: scroll sizes, the scroll bars and scrolling by bar, wheel or position.
#include "afxwin.h"
#include "afxext.h"

#include <stdlib.h>

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
ON_WM_SIZE()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault = {0, 0};

namespace {

// Logical units of a mapping mode to pixels of the screen.
CSize ToDevice(int nMapMode, SIZE size)
{
    if (nMapMode == MM_TEXT)
        return size;
    CWindowDC dc(nullptr);
    dc.SetMapMode(nMapMode);
    POINT pt = {size.cx, size.cy};
    dc.LPtoDP(&pt);
    return CSize(abs(pt.x), abs(pt.y));
}

int Clamp(int value, int low, int high)
{
    return value < low ? low : (value > high ? high : value);
}

} // namespace

CScrollView::CScrollView() : m_nMapMode(MM_TEXT) {}

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    m_nMapMode = nMapMode;
    m_totalLog = sizeTotal;
    m_totalDev = ToDevice(nMapMode, sizeTotal);
    m_pageDev = ToDevice(nMapMode, sizePage);
    m_lineDev = ToDevice(nMapMode, sizeLine);
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalDev.cx / 10;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalDev.cy / 10;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = m_pageDev.cx / 10;
    if (m_lineDev.cy == 0)
        m_lineDev.cy = m_pageDev.cy / 10;
    if (m_hWnd != nullptr) {
        UpdateBars();
        Invalidate(TRUE);
    }
}

void CScrollView::GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const
{
    nMapMode = m_nMapMode;
    sizeTotal = m_totalDev;
    sizePage = m_pageDev;
    sizeLine = m_lineDev;
}

CPoint CScrollView::GetScrollPosition() const
{
    CPoint pt = GetDeviceScrollPosition();
    if (m_nMapMode != MM_TEXT) {
        CWindowDC dc(nullptr);
        dc.SetMapMode(m_nMapMode);
        dc.DPtoLP(&pt);
    }
    return pt;
}

void CScrollView::ScrollToPosition(POINT pt)
{
    if (m_nMapMode != MM_TEXT) {
        CWindowDC dc(nullptr);
        dc.SetMapMode(m_nMapMode);
        dc.LPtoDP(&pt);
    }
    pt.x = Clamp(pt.x, 0, GetScrollLimit(SB_HORZ) > 0 ? GetScrollLimit(SB_HORZ) : 0);
    pt.y = Clamp(pt.y, 0, GetScrollLimit(SB_VERT) > 0 ? GetScrollLimit(SB_VERT) : 0);
    ScrollToDevicePosition(pt);
}

void CScrollView::ScrollToDevicePosition(POINT ptDev)
{
    int xOrig = GetScrollPos(SB_HORZ);
    int yOrig = GetScrollPos(SB_VERT);
    SetScrollPos(SB_HORZ, ptDev.x);
    SetScrollPos(SB_VERT, ptDev.y);
    // The bars may have refused part of it.
    ScrollContents(xOrig - GetScrollPos(SB_HORZ), yOrig - GetScrollPos(SB_VERT));
}

void CScrollView::ScrollContents(int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return;
    if (::IsWindowVisible(m_hWnd)) {
        ScrollWindow(dx, dy);
        return;
    }
    // A window that is not shown does not scroll at all; its children must still keep their place
    // in the contents, or they sit wrong once the view is shown (the map views scroll while hidden).
    for (HWND hChild = ::GetTopWindow(m_hWnd); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        CRect rect;
        ::GetWindowRect(hChild, &rect);
        ScreenToClient(&rect);
        ::SetWindowPos(hChild, nullptr, rect.left + dx, rect.top + dy, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Invalidate();
}

void CScrollView::UpdateBars()
{
    if (m_hWnd == nullptr || m_bInsideUpdate)
        return;
    m_bInsideUpdate = true;
    // The client area as it would be without bars; a bar in one direction takes room from the other.
    CRect rcClient;
    GetClientRect(&rcClient);
    CSize sizeClient = rcClient.Size();
    int cxBar = ::GetSystemMetrics(SM_CXVSCROLL);
    int cyBar = ::GetSystemMetrics(SM_CYHSCROLL);
    DWORD dwStyle = GetStyle();
    if (dwStyle & WS_VSCROLL)
        sizeClient.cx += cxBar;
    if (dwStyle & WS_HSCROLL)
        sizeClient.cy += cyBar;
    bool needH = m_totalDev.cx > sizeClient.cx;
    bool needV = m_totalDev.cy > sizeClient.cy;
    if (needH && !needV)
        needV = m_totalDev.cy > sizeClient.cy - cyBar;
    if (needV && !needH)
        needH = m_totalDev.cx > sizeClient.cx - cxBar;
    CSize sizeView(sizeClient.cx - (needV ? cxBar : 0), sizeClient.cy - (needH ? cyBar : 0));

    CPoint ptOrig = GetDeviceScrollPosition();
    CPoint ptNew(needH ? Clamp(ptOrig.x, 0, m_totalDev.cx - sizeView.cx) : 0,
                 needV ? Clamp(ptOrig.y, 0, m_totalDev.cy - sizeView.cy) : 0);
    // A range no larger than the page hides the bar.
    SCROLLINFO info = {};
    info.fMask = SIF_PAGE | SIF_RANGE | SIF_POS;
    info.nMax = needH ? m_totalDev.cx - 1 : 0;
    info.nPage = needH ? (UINT)sizeView.cx : 0;
    info.nPos = ptNew.x;
    SetScrollInfo(SB_HORZ, &info, TRUE);
    info.nMax = needV ? m_totalDev.cy - 1 : 0;
    info.nPage = needV ? (UINT)sizeView.cy : 0;
    info.nPos = ptNew.y;
    SetScrollInfo(SB_VERT, &info, TRUE);
    ScrollContents(ptOrig.x - ptNew.x, ptOrig.y - ptNew.y);
    m_bInsideUpdate = false;
}

void CScrollView::OnPrepareDC(CDC* pDC, void* pInfo)
{
    pDC->SetMapMode(m_nMapMode);
    CPoint pos = GetDeviceScrollPosition();
    pDC->SetViewportOrg(-pos.x, -pos.y);
    CView::OnPrepareDC(pDC, pInfo);
}

BOOL CScrollView::OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll)
{
    CSize delta;
    const UINT codes[2] = {LOBYTE(nScrollCode), HIBYTE(nScrollCode)};
    const int bars[2] = {SB_HORZ, SB_VERT};
    for (int i = 0; i < 2; ++i) {
        int line = i == 0 ? m_lineDev.cx : m_lineDev.cy;
        int page = i == 0 ? m_pageDev.cx : m_pageDev.cy;
        int pos = GetScrollPos(bars[i]);
        int next = pos;
        switch (codes[i]) {
        case SB_TOP:
            next = 0;
            break;
        case SB_BOTTOM:
            next = INT_MAX / 2;
            break;
        case SB_LINEUP:
            next -= line;
            break;
        case SB_LINEDOWN:
            next += line;
            break;
        case SB_PAGEUP:
            next -= page;
            break;
        case SB_PAGEDOWN:
            next += page;
            break;
        case SB_THUMBTRACK: {
            // The message's position has 16 bits; the bar has the full one.
            SCROLLINFO info = {};
            next = GetScrollInfo(bars[i], &info, SIF_TRACKPOS) ? info.nTrackPos : (int)nPos;
            break;
        }
        default:
            break;
        }
        (i == 0 ? delta.cx : delta.cy) = next - pos;
    }
    BOOL bResult = OnScrollBy(delta, bDoScroll);
    if (bResult && bDoScroll)
        UpdateWindow();
    return bResult;
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    DWORD dwStyle = GetStyle();
    if (!(dwStyle & WS_HSCROLL))
        sizeScroll.cx = 0;
    if (!(dwStyle & WS_VSCROLL))
        sizeScroll.cy = 0;
    int xOrig = GetScrollPos(SB_HORZ);
    int yOrig = GetScrollPos(SB_VERT);
    int x = Clamp(xOrig + sizeScroll.cx, 0, GetScrollLimit(SB_HORZ) > 0 ? GetScrollLimit(SB_HORZ) : 0);
    int y = Clamp(yOrig + sizeScroll.cy, 0, GetScrollLimit(SB_VERT) > 0 ? GetScrollLimit(SB_VERT) : 0);
    if (x == xOrig && y == yOrig)
        return FALSE;
    if (bDoScroll) {
        ScrollContents(xOrig - x, yOrig - y);
        SetScrollPos(SB_HORZ, x);
        SetScrollPos(SB_VERT, y);
    }
    return TRUE;
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    UpdateBars();
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    // A scroll bar control inside the view scrolls itself, not the view.
    if (pScrollBar != nullptr && pScrollBar->m_hWnd != nullptr) {
        CView::OnHScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    OnScroll(MAKEWORD(nSBCode, 0xFF), nPos);
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar != nullptr && pScrollBar->m_hWnd != nullptr) {
        CView::OnVScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    OnScroll(MAKEWORD(0xFF, nSBCode), nPos);
}

BOOL CScrollView::OnMouseWheel(UINT, short zDelta, CPoint)
{
    UINT nLines = 3;
    ::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0);
    int nScroll = ::MulDiv(-zDelta, (int)nLines, WHEEL_DELTA) * m_lineDev.cy;
    // Never more than a page at a time.
    if (abs(nScroll) > m_pageDev.cy)
        nScroll = nScroll < 0 ? -m_pageDev.cy : m_pageDev.cy;
    BOOL bResult = OnScrollBy(CSize(0, nScroll), TRUE);
    if (bResult)
        UpdateWindow();
    return bResult;
}
