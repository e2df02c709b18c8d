// CDropComboBox's keys and wheel: selection moved with the list open or closed, and the keys taken
// before the control's own handling (Enter, Escape, the page and arrow keys, F4, Alt+arrows, and
// Right for auto-append).
#include "controls/DropComboBox.h"

#include "controls/DropComboBoxDropWnd.h"
#include "controls/DropComboBoxEdit.h"
#include "controls/DropComboLogic.h"

void CDropComboBox::MoveClosedSelection(int index)
{
    if (index == m_curSel || index < 0 || index >= m_count)
        return;
    m_curSel = index;
    SetText(m_items[index].text);
    if (m_edit != nullptr)
        m_edit->SetWindowText(m_text.c_str());
    Invalidate();
    Notify(CBN_SELENDOK);
    Notify(CBN_SELCHANGE);
}

void CDropComboBox::SelectNext()
{
    if (m_dropped && m_dropWnd != nullptr) {
        CDropComboBoxList& list = m_dropWnd->List();
        list.SelectRow(list.GetCurSel() + 1);
        return;
    }
    int from = ValidSel() ? m_curSel : -1;
    MoveClosedSelection(DropCombo::NextEnabled(Disabled(), from, 1));
}

void CDropComboBox::SelectPrev()
{
    if (m_dropped && m_dropWnd != nullptr) {
        CDropComboBoxList& list = m_dropWnd->List();
        int current = list.GetCurSel();
        if (current > 0)
            list.SelectRow(current - 1);
        return;
    }
    int from = ValidSel() ? m_curSel : -1;
    MoveClosedSelection(DropCombo::NextEnabled(Disabled(), from, -1));
}

void CDropComboBox::PageListTo(CDropComboBoxList& list, int row)
{
    if (row == -1)
        return;
    list.SetNoSkip(TRUE);
    list.SelectRow(row);
    list.SetNoSkip(FALSE);
    CString text;
    list.GetText(list.GetCurSel(), text);
    SetText(static_cast<LPCSTR>(text));
}

void CDropComboBox::PageDown()
{
    if (m_dropped && m_dropWnd != nullptr) {
        CDropComboBoxList& list = m_dropWnd->List();
        PageListTo(list,
                   DropCombo::ListPageDown(list.GetCurSel(), list.GetTopIndex(), list.VisibleRows(), list.GetCount()));
        return;
    }
    MoveClosedSelection(DropCombo::ClosedPageDown(m_curSel, m_count));
}

void CDropComboBox::PageUp()
{
    if (m_dropped && m_dropWnd != nullptr) {
        CDropComboBoxList& list = m_dropWnd->List();
        PageListTo(list, DropCombo::ListPageUp(list.GetCurSel(), list.GetTopIndex(), list.VisibleRows()));
        return;
    }
    MoveClosedSelection(DropCombo::ClosedPageUp(m_curSel, m_count));
}

BOOL CDropComboBox::OnMouseWheel(UINT, short delta, CPoint)
{
    int step = DropCombo::WheelStep(m_wheelDelta, delta);
    if (step == 0)
        return TRUE;
    if (m_dropped && m_dropWnd != nullptr) {
        CDropComboBoxList& list = m_dropWnd->List();
        list.SetTopRow(DropCombo::WheelTopRow(list.GetTopIndex(), step, list.GetCount()), TRUE);
    } else if (step < 0) {
        SelectPrev();
    } else {
        SelectNext();
    }
    return TRUE;
}

void CDropComboBox::OnChar(UINT ch, UINT repeat, UINT flags)
{
    if (m_owner != nullptr && ch == VK_ESCAPE) {
        OnEscape();
        return;
    }
    if (m_owner != nullptr && ch == VK_RETURN) {
        OnReturn();
        return;
    }
    CWnd::OnChar(ch, repeat, flags);
}

void CDropComboBox::OnKeyDown(UINT ch, UINT repeat, UINT flags)
{
    switch (ch) {
    case VK_PRIOR:
        PageUp();
        break;
    case VK_NEXT:
        PageDown();
        break;
    case VK_UP:
        SelectPrev();
        break;
    case VK_DOWN:
        SelectNext();
        break;
    default:
        break;
    }
    CWnd::OnKeyDown(ch, repeat, flags);
}

BOOL CDropComboBox::PreTranslateMessage(MSG* pMsg)
{
    bool mine = pMsg->hwnd == m_hWnd || (m_edit != nullptr && pMsg->hwnd == m_edit->GetSafeHwnd());
    if (mine && pMsg->message == WM_KEYDOWN && PreTranslateKey(static_cast<UINT>(pMsg->wParam)))
        return TRUE;
    if (mine && pMsg->message == WM_SYSKEYDOWN && (pMsg->wParam == VK_UP || pMsg->wParam == VK_DOWN)) {
        SendMessage(WM_DROPCOMBO_DROPDOWN);
        Invalidate();
    }
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL CDropComboBox::PreTranslateKey(UINT key)
{
    m_appendAllowed = (key == VK_BACK || key == VK_DELETE) ? 0 : 1;
    switch (key) {
    case VK_RETURN:
        return HandleEnter();
    case VK_ESCAPE:
        return HandleEscape();
    case VK_PRIOR:
        PageUp();
        return TRUE;
    case VK_NEXT:
        PageDown();
        return TRUE;
    case VK_UP:
        SelectPrev();
        return TRUE;
    case VK_DOWN:
        SelectNext();
        return TRUE;
    case VK_RIGHT:
        return HandleRight();
    case VK_F4:
        SendMessage(WM_DROPCOMBO_DROPDOWN);
        Invalidate();
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CDropComboBox::HandleEnter()
{
    if (!m_dropped || m_dropWnd == nullptr)
        return FALSE;
    int row = m_dropWnd->List().GetCurSel();
    if (row != LB_ERR)
        SendMessage(WM_DROPCOMBO_SELECT, static_cast<WPARAM>(row));
    CloseDropDown();
    return TRUE;
}

BOOL CDropComboBox::HandleEscape()
{
    if (m_dropped && m_dropWnd != nullptr) {
        CloseDropDown();
        Invalidate();
        return TRUE;
    }
    OnEscape();
    return FALSE;
}

BOOL CDropComboBox::HandleRight()
{
    if (!(m_flags & DROPCOMBO_AUTO_APPEND) || m_edit == nullptr)
        return FALSE;
    int start = 0;
    int end = 0;
    m_edit->GetSel(start, end);
    int length = m_edit->GetWindowTextLength();
    if (start != end || end != length)
        return FALSE;
    AutoComplete();
    return TRUE;
}
