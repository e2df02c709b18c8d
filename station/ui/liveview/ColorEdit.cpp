#include "station/ui/liveview/ColorEdit.h"

#include <cstdlib>

BEGIN_MESSAGE_MAP(CColorEdit, CEdit)
ON_WM_CTLCOLOR_REFLECT()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CColorEdit::CColorEdit() : m_scrollUp(0), m_clickScroll(0), m_bkColor(GetSysColor(COLOR_BTNFACE)), m_textColor(0)
{
    m_brush.CreateSolidBrush(m_bkColor);
}

void CColorEdit::SetBkColor(COLORREF color)
{
    m_bkColor = color;
    m_brush.DeleteObject();
    m_brush.CreateSolidBrush(color);
    RedrawNow();
}

void CColorEdit::SetTextColor(COLORREF color)
{
    m_textColor = color;
    RedrawNow();
}

void CColorEdit::RedrawNow()
{
    if (GetSafeHwnd())
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

HBRUSH CColorEdit::CtlColor(CDC* dc, UINT)
{
    dc->SetBkMode(TRANSPARENT);
    dc->SetBkColor(m_bkColor);
    dc->SetTextColor(m_textColor);
    return static_cast<HBRUSH>(m_brush.GetSafeHandle());
}

int CColorEdit::GetNumber(int maxChars) const
{
    if (!GetSafeHwnd())
        return 0;
    CString text;
    GetWindowText(text);
    if (maxChars > 0 && text.GetLength() > maxChars)
        text = text.Left(maxChars);
    return atoi(text);
}

int CColorEdit::ClickScrollStep(int lineCount, int firstLine, int& scrollUp)
{
    if (lineCount <= 6)
        return 0;
    if (scrollUp == 1) {
        if (firstLine > 0)
            return -1;
        scrollUp = 0;
        return 1;
    }
    if (lineCount - firstLine < 7) {
        scrollUp = 1;
        return -1;
    }
    return 1;
}

void CColorEdit::OnLButtonDown(UINT flags, CPoint point)
{
    if (m_clickScroll == 1) {
        int step = ClickScrollStep(GetLineCount(), GetFirstVisibleLine(), m_scrollUp);
        if (step != 0) {
            LineScroll(step);
            Invalidate(TRUE);
        }
    }
    CEdit::OnLButtonDown(flags, point);
}
