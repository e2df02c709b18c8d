#include "controls/GridCellEdit.h"

#include "controls/GridMessages.h"

BEGIN_MESSAGE_MAP(CGridCellEdit, CEdit)
ON_WM_CREATE()
ON_WM_CHAR()
ON_WM_KILLFOCUS()
ON_WM_DESTROY()
ON_WM_PAINT()
END_MESSAGE_MAP()

CGridCellEdit::CGridCellEdit(CWnd* parent, LPCSTR initialText, BOOL numeric)
    : m_parent(parent), m_initialText(initialText != nullptr ? initialText : ""), m_numeric(numeric)
{
}

void CGridCellEdit::SendEndMessage(UINT message)
{
    if (m_endSent)
        return;
    m_endSent = TRUE;
    if (m_parent != nullptr && ::IsWindow(m_parent->GetSafeHwnd()))
        m_parent->SendMessage(message);
}

int CGridCellEdit::OnCreate(LPCREATESTRUCT cs)
{
    if (CEdit::OnCreate(cs) == -1)
        return -1;
    if (m_parent == nullptr)
        m_parent = GetParent();
    if (m_parent != nullptr)
        SetFont(m_parent->GetFont());
    SetWindowText(m_initialText.c_str());
    SetSel(0, -1);
    SetFocus();
    SetCapture();
    return 0;
}

BOOL CGridCellEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd) {
        if (pMsg->wParam == VK_RETURN) {
            SendEndMessage(WM_GRIDEDIT_KILL_FOCUS);
            return TRUE;
        }
        if (pMsg->wParam == VK_ESCAPE) {
            SendEndMessage(WM_GRIDEDIT_VK_ESCAPE);
            return TRUE;
        }
    }
    return CEdit::PreTranslateMessage(pMsg);
}

void CGridCellEdit::OnChar(UINT ch, UINT repeat, UINT flags)
{
    if (m_parent != nullptr && ch == VK_ESCAPE) {
        SendEndMessage(WM_GRIDEDIT_VK_ESCAPE);
        return;
    }
    if (m_parent != nullptr && ch == VK_RETURN) {
        SendEndMessage(WM_GRIDEDIT_KILL_FOCUS);
        return;
    }
    if (m_numeric && ch != VK_BACK && (ch < '0' || ch > '9'))
        return;
    CEdit::OnChar(ch, repeat, flags);
}

void CGridCellEdit::OnKillFocus(CWnd* newWnd)
{
    CEdit::OnKillFocus(newWnd);
    SendEndMessage(WM_GRIDEDIT_KILL_FOCUS);
}

void CGridCellEdit::OnDestroy()
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    CEdit::OnDestroy();
}

void CGridCellEdit::OnPaint()
{
    CRect client;
    GetClientRect(&client);
    {
        CClientDC dc(this);
        CRect fill = client;
        fill.right += 2;
        dc.FillSolidRect(&fill, ::GetSysColor(COLOR_WINDOW));
    }
    Default();
    CClientDC dc(this);
    CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_INACTIVECAPTION));
    CPen* oldPen = dc.SelectObject(&pen);
    HGDIOBJ oldBrush = dc.SelectObject(::GetStockObject(NULL_BRUSH));
    dc.Rectangle(client.left - 1, client.top - 1, client.right + 2, client.bottom - 1);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}
