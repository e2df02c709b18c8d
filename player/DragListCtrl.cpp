// The playlist's list control with drag and drop of its items.
#include "player/DragListCtrl.h"

#include "player/PlayPane.h"
#include "player/PlayerDlg.h"

BEGIN_MESSAGE_MAP(CDragListCtrl, CListCtrl)
ON_NOTIFY_REFLECT(LVN_BEGINDRAG, &CDragListCtrl::OnBeginDrag)
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_TIMER()
END_MESSAGE_MAP()

CDragListCtrl::CDragListCtrl()
    : m_player(nullptr), m_dragImage(nullptr), m_dropIndex(-1), m_previousHighlight(-1), m_savedState(0),
      m_removedSingleSelection(FALSE), m_scrollDirection(0), m_dragging(FALSE)
{
}

CDragListCtrl::~CDragListCtrl()
{
    delete m_dragImage;
}

int CDragListCtrl::InsertionPosition(int dropIndex, int count)
{
    const int p = dropIndex + 1;
    return (p < 0 || p > count) ? count : p;
}

void CDragListCtrl::OnBeginDrag(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const NMLISTVIEW* info = (const NMLISTVIEW*)header;
    m_previousHighlight = -1;
    m_savedState = 0;
    // Each drag starts without a drop target: a release before any highlight moves nothing.
    m_dropIndex = -1;
    m_dragged.clear();
    for (int i = GetNextItem(-1, LVNI_SELECTED); i >= 0; i = GetNextItem(i, LVNI_SELECTED))
        m_dragged.push_back(i);
    if (GetStyle() & LVS_SINGLESEL) {
        m_removedSingleSelection = TRUE;
        ModifyStyle(LVS_SINGLESEL, 0);
    }
    if (m_dragged.empty())
        return;
    CPoint hotSpot;
    delete m_dragImage;
    m_dragImage = MakeDragImage(info->ptAction, hotSpot);
    m_dragging = TRUE;
    if (m_dragImage != nullptr) {
        m_dragImage->BeginDrag(0, hotSpot);
        CPoint screen = info->ptAction;
        ClientToScreen(&screen);
        m_dragImage->DragEnter(CWnd::FromHandle(::GetDesktopWindow()), screen);
    }
    SetCapture();
}

CImageList* CDragListCtrl::MakeDragImage(CPoint point, CPoint& hotSpot)
{
    CRect all;
    all.SetRectEmpty();
    for (int i : m_dragged) {
        CRect item;
        GetItemRect(i, &item, LVIR_BOUNDS);
        all.UnionRect(&all, &item);
    }
    if (all.IsRectEmpty())
        return nullptr;
    CClientDC screen(this);
    CDC memory;
    memory.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, all.Width(), all.Height());
    CBitmap* old = memory.SelectObject(&bitmap);
    memory.FillSolidRect(0, 0, all.Width(), all.Height(), RGB(0, 255, 0));
    for (int i : m_dragged) {
        CRect item;
        GetItemRect(i, &item, LVIR_BOUNDS);
        POINT origin;
        HIMAGELIST one = ListView_CreateDragImage(m_hWnd, i, &origin);
        if (one != nullptr) {
            ::ImageList_Draw(one, 0, memory.m_hDC, item.left - all.left, item.top - all.top, ILD_NORMAL);
            ::ImageList_Destroy(one);
        }
    }
    memory.SelectObject(old);
    CImageList* list = new CImageList;
    list->Create(all.Width(), all.Height(), ILC_COLOR24 | ILC_MASK, 0, 1);
    list->Add(&bitmap, RGB(0, 255, 0));
    hotSpot = CPoint(point.x - all.left, point.y - all.top);
    return list;
}

void CDragListCtrl::OnMouseMove(UINT flags, CPoint point)
{
    if (!m_dragging) {
        SetAutoscroll(0);
        CListCtrl::OnMouseMove(flags, point);
        return;
    }
    CPoint screen = point;
    ClientToScreen(&screen);
    if (m_dragImage != nullptr) {
        m_dragImage->DragMove(screen);
        m_dragImage->DragLeave(CWnd::FromHandle(::GetDesktopWindow()));
    }
    CRect client;
    GetClientRect(&client);
    CPoint probe(client.left + 8, point.y);
    CPoint probeScreen = probe;
    ClientToScreen(&probeScreen);
    if (::WindowFromPoint(probeScreen) == m_hWnd) {
        LVHITTESTINFO hit = {};
        hit.pt = CPoint(8, point.y);
        Highlight(ListView_HitTest(m_hWnd, &hit));
    }
    CRect headerRect(0, 0, 0, 0);
    if (HWND header = ListView_GetHeader(m_hWnd))
        ::GetWindowRect(header, &headerRect);
    if (point.y < client.top + headerRect.Height())
        SetAutoscroll(1);
    else if (point.y > client.bottom)
        SetAutoscroll(2);
    else
        SetAutoscroll(0);
    if (m_dragImage != nullptr)
        m_dragImage->DragEnter(CWnd::FromHandle(::GetDesktopWindow()), screen);
}

void CDragListCtrl::Highlight(int item)
{
    if (item < 0 || item >= GetItemCount())
        return;
    if (m_previousHighlight >= 0)
        SetItemState(m_previousHighlight, m_savedState, LVIS_SELECTED);
    m_savedState = GetItemState(item, LVIS_SELECTED);
    SetItemState(item, LVIS_SELECTED, LVIS_SELECTED);
    m_previousHighlight = item;
    m_dropIndex = item;
    UpdateWindow();
}

void CDragListCtrl::SetAutoscroll(int direction)
{
    if (direction == 0) {
        if (m_scrollDirection != 0)
            KillTimer(1);
    } else if (m_scrollDirection == 0) {
        SetTimer(1, 100, nullptr);
    }
    m_scrollDirection = direction;
}

void CDragListCtrl::OnTimer(UINT_PTR id)
{
    if (id != 1 || !m_dragging)
        return;
    const int target = m_scrollDirection == 1 ? m_dropIndex - 1 : m_dropIndex + 1;
    if (m_dragImage != nullptr)
        m_dragImage->DragShowNolock(FALSE);
    SendMessage(WM_VSCROLL, m_scrollDirection == 1 ? SB_LINEUP : SB_LINEDOWN, 0);
    Highlight(target);
    if (m_dragImage != nullptr)
        m_dragImage->DragShowNolock(TRUE);
}

void CDragListCtrl::OnLButtonUp(UINT flags, CPoint point)
{
    if (!m_dragging) {
        CListCtrl::OnLButtonUp(flags, point);
        return;
    }
    SetAutoscroll(0);
    ReleaseCapture();
    m_dragging = FALSE;
    if (m_dragImage != nullptr) {
        m_dragImage->DragLeave(CWnd::FromHandle(::GetDesktopWindow()));
        m_dragImage->EndDrag();
        delete m_dragImage;
        m_dragImage = nullptr;
    }
    Drop();
}

void CDragListCtrl::Drop()
{
    if (m_previousHighlight >= 0)
        SetItemState(m_previousHighlight, m_savedState, LVIS_SELECTED);
    // Without a highlighted item there is no place to drop on.
    if (m_dropIndex >= 0 && m_player != nullptr) {
        const int p = InsertionPosition(m_dropIndex, GetItemCount());
        m_player->ActivePane()->m_transport.MovePlaylistItems(m_dragged, p);
        m_player->RefreshPlaylist();
    }
    if (m_removedSingleSelection) {
        ModifyStyle(0, LVS_SINGLESEL);
        m_removedSingleSelection = FALSE;
    }
    m_dropIndex = -1;
}
