#include "station/ui/emap/EMapItemWnd.h"

#include "station/ui/emap/DlgEMapCanvas.h"
#include "station/ui/emap/EMapMessages.h"
#include "station/ui/emap/EMapRules.h"

BEGIN_MESSAGE_MAP(CEMapItemWnd, CWnd)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

CEMapItemWnd::CEMapItemWnd()
    : m_canvasWidth(0), m_canvasHeight(0), m_selected(0), m_editMode(1), m_x(0), m_y(0), m_callback(nullptr),
      m_pCanvas(nullptr), m_dragging(0)
{
}

namespace {

const char kItemClass[] = "WardenEMapItem";

// The items' own class: the window joins its object at its first message, as the framework's
// creation hook would do it, without that hook's calls (a scene makes a hundred items at a time).
LRESULT CALLBACK ItemWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        CWnd* item = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (item != nullptr && item->m_hWnd == nullptr)
            item->Attach(hWnd);
    }
    return AfxWndProc(hWnd, message, wParam, lParam);
}

BOOL RegisterItemClass()
{
    WNDCLASSA wc = {};
    HINSTANCE instance = AfxGetInstanceHandle();
    if (::GetClassInfoA(instance, kItemClass, &wc))
        return TRUE;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ItemWindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kItemClass;
    return ::RegisterClassA(&wc) != 0;
}

} // namespace

BOOL CEMapItemWnd::CreateItem(CDlgEMapCanvas* canvas, const CRect& rect, LPCSTR caption, BOOL visible)
{
    m_pCanvas = canvas;
    m_caption = caption;
    static const BOOL registered = RegisterItemClass();
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0);
    // The canvas hears of its items' clicks through their callback: no notification is sent to it
    // as each item is made, clicked or destroyed (a sent message costs round trips to the window
    // server while a hook watches the thread's messages, as the skin's does).
    if (!registered || m_hWnd != nullptr || canvas == nullptr ||
        ::CreateWindowExA(WS_EX_NOPARENTNOTIFY, kItemClass, caption, style, rect.left, rect.top, rect.Width(),
                          rect.Height(), canvas->m_hWnd, (HMENU)(UINT_PTR)kEMapChildId, AfxGetInstanceHandle(),
                          this) == nullptr)
        return FALSE;
    m_x = rect.left;
    m_y = rect.top;
    return TRUE;
}

void CEMapItemWnd::Place(int x, int y)
{
    CRect rect;
    GetWindowRect(&rect);
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_x = x;
    m_y = y;
}

void CEMapItemWnd::SetSelected(int selected)
{
    m_selected = selected;
    Invalidate();
}

void CEMapItemWnd::DrawFrame(CDC& dc, const CRect& frame, COLORREF unselected)
{
    CBrush brush(m_selected ? RGB(255, 0, 0) : unselected);
    dc.FrameRect(&frame, &brush);
}

CPoint CEMapItemWnd::ToCanvas(CPoint client)
{
    ClientToScreen(&client);
    if (GetParent() != nullptr)
        GetParent()->ScreenToClient(&client);
    return client;
}

void CEMapItemWnd::OnLButtonDown(UINT, CPoint point)
{
    if (m_callback != nullptr)
        m_callback(this, emapEventButtonDown, m_pCanvas);
    SetSelected(1);
    if (!m_editMode)
        return;
    SetCapture();
    m_dragging = 1;
    GetWindowRect(&m_dragStartRect);
    GetParent()->ScreenToClient(&m_dragStartRect);
    m_dragRect = m_dragStartRect;
    m_dragStartPoint = ToCanvas(point);
}

void CEMapItemWnd::OnLButtonDblClk(UINT, CPoint)
{
    if (m_callback != nullptr)
        m_callback(this, emapEventDoubleClick, m_pCanvas);
    SetSelected(1);
}

void CEMapItemWnd::OnMouseMove(UINT, CPoint point)
{
    if (!m_dragging)
        return;
    CPoint at = ToCanvas(point);
    int width = m_dragStartRect.Width(), height = m_dragStartRect.Height();
    int x = ClampDragPosition(m_dragStartRect.left, at.x - m_dragStartPoint.x, m_canvasWidth, width);
    int y = ClampDragPosition(m_dragStartRect.top, at.y - m_dragStartPoint.y, m_canvasHeight, height);
    CRect old = m_dragRect;
    MoveWindow(x, y, width, height);
    m_dragRect.SetRect(x, y, x + width, y + height);
    GetParent()->InvalidateRect(&old);
    m_x = x;
    m_y = y;
}

void CEMapItemWnd::OnLButtonUp(UINT, CPoint)
{
    if (m_dragging)
        EndDrag();
}

// A lost capture ends a drag like a release, so the item does not follow the mouse afterwards.
void CEMapItemWnd::OnCaptureChanged(CWnd*)
{
    if (m_dragging) {
        m_dragging = 0;
        GetParent()->InvalidateRect(&m_dragRect);
    }
}

void CEMapItemWnd::EndDrag()
{
    m_dragging = 0;
    ::ReleaseCapture();
    GetParent()->InvalidateRect(&m_dragRect);
}
