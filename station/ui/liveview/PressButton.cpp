#include "station/ui/liveview/PressButton.h"

BEGIN_MESSAGE_MAP(CPressButton, CButton)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CPressButton::CPressButton() : m_userValue(0), m_callback(nullptr) {}

void CPressButton::OnLButtonDown(UINT flags, CPoint point)
{
    if (m_callback)
        m_callback(m_userValue, 1, GetParent());
    CButton::OnLButtonDown(flags, point);
}

void CPressButton::OnLButtonUp(UINT flags, CPoint point)
{
    if (m_callback)
        m_callback(m_userValue, 0, GetParent());
    CButton::OnLButtonUp(flags, point);
}
