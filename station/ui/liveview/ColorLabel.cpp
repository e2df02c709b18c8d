#include "station/ui/liveview/ColorLabel.h"

BEGIN_MESSAGE_MAP(CColorLabel, CStatic)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CColorLabel::CColorLabel() : m_bkColor(GetSysColor(COLOR_BTNFACE)), m_textColor(0)
{
    m_brush.CreateSolidBrush(m_bkColor);
}

void CColorLabel::SetBkColor(COLORREF color)
{
    m_bkColor = color;
    m_brush.DeleteObject();
    m_brush.CreateSolidBrush(color);
    RedrawNow();
}

void CColorLabel::SetTextColor(COLORREF color)
{
    m_textColor = color;
    RedrawNow();
}

void CColorLabel::RedrawNow()
{
    if (GetSafeHwnd())
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

HBRUSH CColorLabel::CtlColor(CDC* dc, UINT)
{
    dc->SetBkMode(TRANSPARENT);
    dc->SetBkColor(m_bkColor);
    dc->SetTextColor(m_textColor);
    return static_cast<HBRUSH>(m_brush.GetSafeHandle());
}
