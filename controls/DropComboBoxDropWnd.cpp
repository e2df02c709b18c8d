#include "controls/DropComboBoxDropWnd.h"

#include "controls/DropComboBox.h"
#include "controls/DropComboLogic.h"
#include "controls/VisualStyles.h"

namespace {

const UINT kScrollId = 100;
const UINT kListId = 101;

int ScrollWidth()
{
    return ::GetSystemMetrics(SM_CXVSCROLL);
}

int ArrowHeight()
{
    return ::GetSystemMetrics(SM_CYVSCROLL);
}

} // namespace

BEGIN_MESSAGE_MAP(CDropComboBoxDropWnd, CWnd)
ON_WM_CREATE()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_ACTIVATEAPP()
ON_MESSAGE(WM_DROPCOMBO_LIST_CAPTURE, OnCapture)
ON_MESSAGE(WM_DROPCOMBO_LIST_RELEASE, OnRelease)
END_MESSAGE_MAP()

CDropComboBoxDropWnd::CDropComboBoxDropWnd(CDropComboBox* combo, const DropComboItems& items, DWORD flags)
    : m_scroll(new CDropComboBoxScroll), m_combo(combo), m_font(new CFont), m_items(items), m_flags(flags)
{
    m_list = new CDropComboBoxList(combo, m_scroll);
    m_font->CreateFont(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
}

CDropComboBoxDropWnd::~CDropComboBoxDropWnd()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    delete m_font;
    delete m_scroll;
    delete m_list;
}

BOOL CDropComboBoxDropWnd::Open(const CRect& screenRect)
{
    // A top-level tool window: never clipped by the combo's dialog, never taking its activation.
    LPCSTR windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                             reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
    return CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, windowClass, "", WS_POPUP, screenRect, m_combo,
                    0);
}

BOOL CDropComboBoxDropWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    if (::GetCapture() != nullptr && (::GetCapture() == m_hWnd || ::IsChild(m_hWnd, ::GetCapture())))
        ReleaseCapture();
    if (m_list->GetSafeHwnd() != nullptr)
        m_list->DestroyWindow();
    return CWnd::DestroyWindow();
}

int CDropComboBoxDropWnd::OnCreate(LPCREATESTRUCT cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    CRect createRect(cs->x, cs->y, cs->x + cs->cx, cs->y + cs->cy);
    SetWindowPos(&wndTopMost, createRect.left, createRect.top, createRect.Width(), createRect.Height(),
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    int sbW = ScrollWidth();
    m_scrollRect = CRect(cs->cx - sbW, 0, cs->cx, std::max(0, cs->cy - ArrowHeight()));
    m_scroll->Create(WS_CHILD | SBS_VERT, m_scrollRect, this, kScrollId);
    m_listRect = CRect(0, 0, cs->cx - sbW, cs->cy);
    m_list->Create(WS_CHILD | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, m_listRect, this,
                   kListId);
    m_list->SetFlags(m_flags);
    m_list->ShowWindow(SW_SHOWNA);
    PlaceAndSize(createRect);
    CRect client;
    GetClientRect(&client);
    m_gripRect = CRect(client.right - sbW, client.bottom - ArrowHeight(), client.right, client.bottom);
    for (const DropComboItem& item : m_items)
        m_list->AddItem(item);
    m_scroll->SetList(m_list);
    m_scroll->ShowWindow(SW_SHOWNA);
    SetCapture();
    return 0;
}

void CDropComboBoxDropWnd::PlaceAndSize(const CRect& createRect)
{
    CRect combo;
    m_combo->GetWindowRect(&combo);
    DropCombo::DropHeightInput height = {m_list->GetItemHeight(0),
                                         static_cast<int>(m_items.size()),
                                         combo.top,
                                         createRect.top,
                                         ::GetSystemMetrics(SM_CYSCREEN),
                                         m_combo->GetMaxVisibleItems(),
                                         m_combo->GetMinItemsBelow(),
                                         ArrowHeight()};
    DropCombo::Span vertical = DropCombo::DropVertical(height);
    int widest = 0;
    for (const DropComboItem& item : m_items)
        widest = std::max<int>(widest, m_list->MeasureText(item.text.c_str(), static_cast<int>(item.text.size())).cx);
    DropCombo::DropWidthInput width = {
        widest, ScrollWidth(), createRect.left, createRect.Width(), combo.Width(), ::GetSystemMetrics(SM_CXSCREEN)};
    DropCombo::Span horizontal = DropCombo::DropHorizontal(width);
    m_maxWidth = horizontal.size + 100;
    m_maxHeight = vertical.size + 100;
    SetWindowPos(nullptr, horizontal.pos, vertical.pos, horizontal.size, vertical.size,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CDropComboBoxDropWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    int sbW = ScrollWidth();
    m_listRect = CRect(0, 0, cx - sbW, cy);
    m_scrollRect = CRect(cx - sbW, 0, cx, cy - ArrowHeight());
    m_gripRect = CRect(cx - sbW, cy - ArrowHeight(), cx, cy);
    if (m_list->GetSafeHwnd() != nullptr) {
        CRect inner = m_listRect;
        inner.DeflateRect(1, 1);
        m_list->MoveWindow(&inner);
    }
    if (m_scroll->GetSafeHwnd() != nullptr) {
        CRect inner = m_scrollRect;
        inner.DeflateRect(1, 1);
        m_scroll->MoveWindow(&inner);
        SCROLLINFO info = {sizeof(info), SIF_PAGE, 0, 0, 0, 0, 0};
        info.nPage = static_cast<UINT>(m_list->VisibleRows());
        ::SetScrollInfo(m_scroll->m_hWnd, SB_CTL, &info, TRUE);
    }
    CClientDC dc(this);
    CBrush frame(::GetSysColor(COLOR_3DDKSHADOW));
    dc.FrameRect(&m_listRect, &frame);
    InvalidateRect(&m_gripRect);
}

void CDropComboBoxDropWnd::OnPaint()
{
    CPaintDC dc(this);
    CBrush frame(::GetSysColor(COLOR_3DDKSHADOW));
    dc.FrameRect(&m_listRect, &frame);
    DrawGrip(dc);
}

void CDropComboBoxDropWnd::DrawGrip(CDC& dc)
{
    HTHEME_HANDLE theme = CVisualStyles::IsThemed() ? CVisualStyles::OpenThemeData(m_hWnd, L"SCROLLBAR") : nullptr;
    if (theme != nullptr) {
        CVisualStyles::DrawThemeBackground(theme, dc.GetSafeHdc(), 6, 1, &m_gripRect, nullptr);
        CVisualStyles::DrawThemeBackground(theme, dc.GetSafeHdc(), 10, 1, &m_gripRect, nullptr);
        CVisualStyles::CloseThemeData(theme);
        return;
    }
    dc.DrawFrameControl(&m_gripRect, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

void CDropComboBoxDropWnd::OnMouseMove(UINT flags, CPoint point)
{
    if (m_resizing) {
        Resize(point);
        return;
    }
    if (m_listRect.PtInRect(point)) {
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        ReleaseCapture();
        m_scroll->SendMessage(WM_DROPCOMBO_LIST_RELEASE);
        m_list->SetFocus();
        m_list->SendMessage(WM_DROPCOMBO_LIST_CAPTURE);
        return;
    }
    if (m_scrollRect.PtInRect(point)) {
        ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
        m_scroll->SetFocus();
        ReleaseCapture();
        m_list->SendMessage(WM_DROPCOMBO_LIST_RELEASE);
        m_scroll->SendMessage(WM_DROPCOMBO_LIST_CAPTURE);
        return;
    }
    ::SetCursor(::LoadCursor(nullptr, m_gripRect.PtInRect(point) ? IDC_SIZENWSE : IDC_ARROW));
    SetCapture();
    CWnd::OnMouseMove(flags, point);
}

void CDropComboBoxDropWnd::OnLButtonDown(UINT, CPoint point)
{
    if (m_gripRect.PtInRect(point)) {
        m_resizing = TRUE;
        m_dragStart = point;
        CRect client;
        GetClientRect(&client);
        m_dragDx = client.Width() - point.x;
        m_dragDy = client.Height() - point.y;
        return;
    }
    CRect client;
    GetClientRect(&client);
    HWND combo = m_combo->GetSafeHwnd();
    if (!client.PtInRect(point)) {
        ReleaseCapture();
        ::PostMessage(combo, WM_DROPCOMBO_CLOSEUP, DROPCOMBO_PRESSED_OUTSIDE, 0);
    }
    ::PostMessage(combo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
}

void CDropComboBoxDropWnd::Resize(CPoint point)
{
    CRect combo;
    m_combo->GetWindowRect(&combo);
    DropCombo::GripInput grip = {point.x,    point.y,     m_dragDx,      m_dragDy,     combo.Width(),
                                 m_maxWidth, m_maxHeight, ScrollWidth(), ArrowHeight()};
    DropCombo::Size2 size = DropCombo::GripSize(grip);
    SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CDropComboBoxDropWnd::OnLButtonUp(UINT flags, CPoint point)
{
    if (m_resizing) {
        m_resizing = FALSE;
        ::LockWindowUpdate(nullptr);
        m_list->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        return;
    }
    CWnd::OnLButtonUp(flags, point);
}

void CDropComboBoxDropWnd::OnActivateApp(BOOL active, DWORD threadId)
{
    CWnd::OnActivateApp(active, threadId);
    if (!active)
        ::PostMessage(m_combo->GetSafeHwnd(), WM_DROPCOMBO_CLOSEUP, 0, 0);
}

LRESULT CDropComboBoxDropWnd::OnCapture(WPARAM, LPARAM)
{
    SetCapture();
    return 0;
}

LRESULT CDropComboBoxDropWnd::OnRelease(WPARAM, LPARAM)
{
    if (::GetCapture() == m_hWnd)
        ReleaseCapture();
    return 0;
}
