#include "controls/DropComboBoxList.h"

#include "controls/DropComboBox.h"
#include "controls/DropComboBoxScroll.h"
#include "controls/DropComboLogic.h"

BEGIN_MESSAGE_MAP(CDropComboBoxList, CListBox)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_MESSAGE(WM_DROPCOMBO_LIST_CAPTURE, OnCapture)
ON_MESSAGE(WM_DROPCOMBO_LIST_RELEASE, OnRelease)
END_MESSAGE_MAP()

CDropComboBoxList::CDropComboBoxList(CDropComboBox* combo, CDropComboBoxScroll* scroll)
    : m_combo(combo), m_font(new CFont), m_scroll(scroll)
{
    m_font->CreateFont(20, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
}

CDropComboBoxList::~CDropComboBoxList()
{
    FreeRows();
    delete m_font;
}

void CDropComboBoxList::FreeRows()
{
    for (DropComboItem* row : m_rows)
        delete row;
    m_rows.clear();
}

int CDropComboBoxList::OnCreate(LPCREATESTRUCT cs)
{
    if (CListBox::OnCreate(cs) == -1)
        return -1;
    ShowWindow(SW_HIDE);
    ModifyStyleEx(0, WS_EX_TOOLWINDOW);
    SetWindowPos(nullptr, cs->x, cs->y, cs->cx, cs->cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    CFont* comboFont = m_combo->GetComboFont();
    CFont* font = comboFont != nullptr ? comboFont : m_font;
    SetFont(font);
    // Rows are drawn here (disabled ones greyed), so their height follows the font by hand.
    CClientDC dc(this);
    CFont* old = dc.SelectObject(font);
    TEXTMETRICA metrics;
    ::GetTextMetricsA(dc.GetSafeHdc(), &metrics);
    dc.SelectObject(old);
    SetItemHeight(0, static_cast<UINT>(metrics.tmHeight));
    return 0;
}

void CDropComboBoxList::DrawItem(LPDRAWITEMSTRUCT draw)
{
    int row = static_cast<int>(draw->itemID);
    if (row < 0 || row >= GetCount())
        return;
    CDC* dc = CDC::FromHandle(draw->hDC);
    bool selected = (draw->itemState & ODS_SELECTED) != 0;
    COLORREF text = ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    if (IsRowDisabled(row))
        text = ::GetSysColor(COLOR_GRAYTEXT);
    dc->FillSolidRect(&draw->rcItem, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    CString rowText;
    GetText(row, rowText);
    CRect rect(draw->rcItem);
    rect.left += 2;
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(text);
    dc->DrawText(rowText, &rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void CDropComboBoxList::OnDestroy()
{
    FreeRows();
    CListBox::OnDestroy();
}

int CDropComboBoxList::AddItem(const DropComboItem& item)
{
    int row = AddString(item.text.c_str());
    if (row < 0)
        return row;
    DropComboItem* copy = new DropComboItem(item);
    m_rows.push_back(copy);
    SetItemDataPtr(row, copy);
    return row;
}

BOOL CDropComboBoxList::IsRowDisabled(int row) const
{
    if (row < 0 || row >= GetCount())
        return FALSE;
    auto item = static_cast<const DropComboItem*>(GetItemDataPtr(row));
    return item != nullptr && item != reinterpret_cast<const DropComboItem*>(LB_ERR) && item->disabled;
}

CSize CDropComboBoxList::MeasureText(LPCSTR text, int length)
{
    CClientDC dc(this);
    CFont* font = m_combo->GetComboFont();
    CFont* old = font != nullptr ? dc.SelectObject(font) : nullptr;
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(dc.GetSafeHdc(), text, length, &size);
    if (old != nullptr)
        dc.SelectObject(old);
    if (m_flags & DROPCOMBO_WIDE_LIST)
        size.cx += 14;
    return CSize(size);
}

int CDropComboBoxList::SelectRow(int row)
{
    if (!m_noSkip) {
        std::vector<bool> disabled;
        for (int index = 0; index < GetCount(); ++index)
            disabled.push_back(IsRowDisabled(index) != FALSE);
        row = DropCombo::SkipDisabledRow(disabled, GetCurSel(), row);
    }
    if (IsRowDisabled(row))
        return row;
    int result = SetCurSel(row);
    FollowTop();
    return result == LB_ERR ? -1 : result;
}

void CDropComboBoxList::SetTopRow(int row, BOOL moveScroll)
{
    SetTopIndex(row);
    m_lastTop = GetTopIndex();
    if (moveScroll && m_scroll != nullptr && m_scroll->GetSafeHwnd() != nullptr)
        m_scroll->SetScrollPos(m_lastTop, TRUE);
}

int CDropComboBoxList::VisibleRows() const
{
    CRect client;
    GetClientRect(&client);
    int rowHeight = GetItemHeight(0);
    return rowHeight > 0 ? client.Height() / rowHeight : 0;
}

void CDropComboBoxList::FollowTop()
{
    int top = GetTopIndex();
    if (top == m_lastTop)
        return;
    m_lastTop = top;
    if (m_scroll != nullptr && m_scroll->GetSafeHwnd() != nullptr)
        m_scroll->SetScrollPos(top, TRUE);
}

int CDropComboBoxList::RowAt(CPoint point) const
{
    int rowHeight = GetItemHeight(0);
    if (rowHeight <= 0 || point.y < 0)
        return -1;
    int row = GetTopIndex() + point.y / rowHeight;
    return row < GetCount() ? row : -1;
}

BOOL CDropComboBoxList::HandOverWhenOutside(CPoint point)
{
    CRect client;
    GetClientRect(&client);
    if (client.PtInRect(point))
        return FALSE;
    ReleaseCapture();
    GetParent()->SendMessage(WM_DROPCOMBO_LIST_CAPTURE);
    return TRUE;
}

void CDropComboBoxList::OnMouseMove(UINT, CPoint point)
{
    if (HandOverWhenOutside(point))
        return;
    int row = RowAt(point);
    if (row != -1 && row != GetCurSel() && !IsRowDisabled(row))
        SelectRow(row);
    FollowTop();
}

void CDropComboBoxList::OnLButtonUp(UINT, CPoint point)
{
    if (HandOverWhenOutside(point))
        return;
    if (IsRowDisabled(RowAt(point)))
        return;
    int selected = GetCurSel();
    if (selected == LB_ERR || IsRowDisabled(selected))
        return;
    HWND combo = m_combo->GetSafeHwnd();
    ::PostMessage(combo, WM_DROPCOMBO_SELECT, static_cast<WPARAM>(selected), 0);
    ReleaseCapture();
    ::PostMessage(combo, WM_DROPCOMBO_CLOSEUP, 0, 0);
}

LRESULT CDropComboBoxList::OnCapture(WPARAM, LPARAM)
{
    SetCapture();
    return 0;
}

LRESULT CDropComboBoxList::OnRelease(WPARAM, LPARAM)
{
    if (::GetCapture() == m_hWnd)
        ReleaseCapture();
    return 0;
}
