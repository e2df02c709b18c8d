#include "controls/DropComboBoxScroll.h"

#include "controls/DropComboBoxList.h"
#include "controls/DropComboItem.h"

BEGIN_MESSAGE_MAP(CDropComboBoxScroll, CScrollBar)
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_MESSAGE(WM_DROPCOMBO_LIST_CAPTURE, OnCapture)
ON_MESSAGE(WM_DROPCOMBO_LIST_RELEASE, OnRelease)
END_MESSAGE_MAP()

void CDropComboBoxScroll::SetList(CDropComboBoxList* list)
{
    m_list = list;
    SCROLLINFO info = {sizeof(info), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
    info.nMax = list->GetCount() - 1;
    info.nPage = static_cast<UINT>(list->VisibleRows());
    ::SetScrollInfo(m_hWnd, SB_CTL, &info, TRUE);
}

BOOL CDropComboBoxScroll::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_VSCROLL)
        return CScrollBar::OnChildNotify(message, wParam, lParam, pResult);
    VScroll(LOWORD(wParam));
    if (pResult != nullptr)
        *pResult = 0;
    return TRUE;
}

void CDropComboBoxScroll::VScroll(UINT code)
{
    SCROLLINFO info = {sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
    if (m_list == nullptr || !::GetScrollInfo(m_hWnd, SB_CTL, &info))
        return;
    int page = static_cast<int>(info.nPage);
    int pos = info.nPos;
    switch (code) {
    case SB_LINEUP:
        pos -= 1;
        break;
    case SB_LINEDOWN:
        pos += 1;
        break;
    case SB_PAGEUP:
        pos -= page;
        break;
    case SB_PAGEDOWN:
        pos += page;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        pos = info.nTrackPos;
        break;
    case SB_ENDSCROLL:
        ReleaseCapture();
        GetParent()->PostMessage(WM_DROPCOMBO_LIST_CAPTURE);
        return;
    default:
        return;
    }
    pos = std::max(info.nMin, std::min(pos, info.nMax));
    m_list->SetTopRow(pos, FALSE);
    SetScrollPos(pos, TRUE);
}

void CDropComboBoxScroll::PassCaptureWhenOutside(CPoint point)
{
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point))
        return;
    ReleaseCapture();
    GetParent()->SendMessage(WM_DROPCOMBO_LIST_CAPTURE);
}

void CDropComboBoxScroll::OnMouseMove(UINT flags, CPoint point)
{
    PassCaptureWhenOutside(point);
    CScrollBar::OnMouseMove(flags, point);
}

void CDropComboBoxScroll::OnLButtonDown(UINT flags, CPoint point)
{
    PassCaptureWhenOutside(point);
    CScrollBar::OnLButtonDown(flags, point);
}

LRESULT CDropComboBoxScroll::OnCapture(WPARAM, LPARAM)
{
    SetCapture();
    return 0;
}

LRESULT CDropComboBoxScroll::OnRelease(WPARAM, LPARAM)
{
    if (::GetCapture() == m_hWnd)
        ReleaseCapture();
    return 0;
}
