#include "controls/GridCellCombo.h"

#include "controls/DropComboBoxDropWnd.h"
#include "controls/GridListCtrl.h"

BEGIN_MESSAGE_MAP(CGridCellCombo, CDropComboBox)
ON_WM_KILLFOCUS()
ON_MESSAGE(WM_DROPCOMBO_CLOSEUP, OnCloseUp)
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CGridCellCombo::CGridCellCombo(CGridListCtrl* list) : CDropComboBox(0, list), m_list(list) {}

BOOL CGridCellCombo::Open(const CRect& screenRect, const std::vector<std::string>& texts, LPCSTR current, int maxRows)
{
    for (const std::string& text : texts)
        AddString(text.c_str());
    SetMaxVisibleItems(maxRows);
    if (!CreateEx(0, "SuperComboBox", "", WS_POPUP | WS_VISIBLE | CBS_DROPDOWNLIST, screenRect, m_list, 0))
        return FALSE;
    int index = FindStringExact(-1, current);
    if (index != -1)
        SetCurSel(index);
    SetFocus();
    SendMessage(WM_DROPCOMBO_DROPDOWN);
    return TRUE;
}

void CGridCellCombo::End(BOOL commit)
{
    if (m_ended)
        return;
    m_ended = TRUE;
    if (IsDropped())
        CloseDropDown();
    m_list->EndCellCombo(this, commit);
}

void CGridCellCombo::OnReturn()
{
    End(TRUE);
}

void CGridCellCombo::OnEscape()
{
    HWND focus = m_newFocus != nullptr ? m_newFocus : ::GetFocus();
    // The focus moves into the drop list while the mouse is over it: that is still this combo.
    if (FocusInOwnDropWindow(focus))
        return;
    End(FALSE);
}

bool CGridCellCombo::FocusInOwnDropWindow(HWND focus) const
{
    HWND drop = GetDropWnd() != nullptr ? GetDropWnd()->GetSafeHwnd() : nullptr;
    return drop != nullptr && focus != nullptr && (focus == drop || ::IsChild(drop, focus));
}

void CGridCellCombo::OnKillFocus(CWnd* newWnd)
{
    m_newFocus = newWnd != nullptr ? newWnd->GetSafeHwnd() : nullptr;
    CDropComboBox::OnKillFocus(newWnd);
    m_newFocus = nullptr;
}

// Outside the open list the press reaches nothing else (the list holds the capture): left standing
// over its cell, the combo would outlive the edit the operator meant to leave.
LRESULT CGridCellCombo::OnCloseUp(WPARAM why, LPARAM)
{
    CloseDropDown();
    if (why == DROPCOMBO_PRESSED_OUTSIDE)
        End(TRUE);
    return 0;
}

// The drop window passes every press on; once ended, one must not open a list again.
void CGridCellCombo::OnLButtonDown(UINT flags, CPoint point)
{
    if (!m_ended)
        CDropComboBox::OnLButtonDown(flags, point);
}

BOOL CGridCellCombo::PreTranslateMessage(MSG* pMsg)
{
    // Escape ends the cell combo whether its list is open or not; the drop-down alone would only
    // close the list and leave the combo standing over the cell.
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE && pMsg->hwnd == m_hWnd) {
        CDropComboBox::PreTranslateMessage(pMsg);
        End(FALSE);
        return TRUE;
    }
    return CDropComboBox::PreTranslateMessage(pMsg);
}
