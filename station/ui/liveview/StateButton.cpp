#include "station/ui/liveview/StateButton.h"

BEGIN_MESSAGE_MAP(CStateButton, CSkinControl)
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CStateButton::CStateButton() : m_state(0), m_hover(0), m_down(0) {}

int CStateButton::LoadBitmaps(LPCSTR normal, LPCSTR on, LPCSTR hover, LPCSTR disabled, int width, int height)
{
    const LPCSTR paths[4] = {normal, on, hover, disabled};
    return LoadPictures(paths, 4, 2, width, height);
}

void CStateButton::SetState(int state)
{
    if (state == m_state)
        return;
    m_state = state;
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

int CStateButton::ChosenPicture() const
{
    int normal = Picture(kNormal) ? 1 : 0;
    if (m_state)
        return Picture(kOn) ? 2 : 0;
    if (!GetSafeHwnd() || IsWindowEnabled())
        return m_hover && Picture(kHover) ? 3 : normal;
    return Picture(kDisabled) ? 4 : normal;
}

void CStateButton::OnMouseMove(UINT, CPoint point)
{
    if (m_state || !Picture(kHover))
        return;
    if (!m_hover) {
        SetCapture();
        m_hover = 1;
        Invalidate(FALSE);
        return;
    }
    if (!IsInside(point)) {
        ReleaseCapture();
        m_hover = 0;
        Invalidate(FALSE);
    }
}

void CStateButton::OnLButtonDown(UINT flags, CPoint point)
{
    m_down = 1;
    Notify(skinButtonPressed, flags, point);
}

void CStateButton::OnLButtonUp(UINT flags, CPoint point)
{
    if (!m_down)
        return;
    m_down = 0;
    m_hover = 0;
    Invalidate(FALSE);
    ReleaseCapture();
    Notify(skinButtonClicked, flags, point);
}
