// CFormView: creation from a dialog template, data exchange at the initial update, dialog keys.
#include "afxwin.h"
#include "afxext.h"

IMPLEMENT_DYNAMIC(CFormView, CScrollView)

CFormView::CFormView(UINT nIDTemplate) : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)) {}

CFormView::CFormView(LPCSTR lpszTemplateName) : m_lpszTemplateName(lpszTemplateName) {}

BOOL CFormView::Create(LPCSTR, LPCSTR, DWORD dwRequestedStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                       CCreateContext*)
{
    if (!CreateDlg(m_lpszTemplateName, pParentWnd))
        return FALSE;
    // The template's style stands, but the border is the creator's choice.
    ModifyStyle(WS_BORDER | WS_CAPTION, dwRequestedStyle & (WS_BORDER | WS_CAPTION), SWP_FRAMECHANGED);
    SetDlgCtrlID(nID);
    CRect rectTemplate;
    GetWindowRect(&rectTemplate);
    SetScrollSizes(MM_TEXT, rectTemplate.Size());
    SetWindowPos(nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (dwRequestedStyle & WS_VISIBLE)
        ShowWindow(SW_SHOWNORMAL);
    return TRUE;
}

void CFormView::OnInitialUpdate()
{
    UpdateData(FALSE);
    CScrollView::OnInitialUpdate();
}

BOOL CFormView::PreTranslateMessage(MSG* pMsg)
{
    return PreTranslateInput(pMsg);
}

// The dialog draws its own background and controls.
void CFormView::OnDraw(CDC*) {}
