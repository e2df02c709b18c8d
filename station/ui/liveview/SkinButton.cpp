#include "station/ui/liveview/SkinButton.h"

BEGIN_MESSAGE_MAP(CSkinButton, CSkinControl)
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CSkinButton::CSkinButton() : m_look(0), m_down(0), m_tracking(0), m_checked(0) {}

int CSkinButton::LoadBitmaps(LPCSTR normal, LPCSTR pressed, LPCSTR hover, LPCSTR disabled, int width, int height)
{
    const LPCSTR paths[4] = {normal, pressed, hover, disabled};
    return LoadPictures(paths, 4, 1, width, height);
}

void CSkinButton::SetChecked(int checked)
{
    if (checked == m_checked)
        return;
    m_checked = checked;
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

int CSkinButton::ChosenPicture() const
{
    int normal = Picture(kNormal) ? 1 : 0;
    if (GetSafeHwnd() && !IsWindowEnabled())
        return Picture(kDisabled) ? 4 : normal;
    if (m_checked && Picture(kPressed))
        return 2;
    if (m_look == 1 && Picture(kPressed))
        return 2;
    if (m_look == 2 && Picture(kHover))
        return 3;
    return normal;
}

void CSkinButton::SetLook(int look)
{
    m_look = look;
    Invalidate(FALSE);
}

void CSkinButton::OnMouseMove(UINT, CPoint point)
{
    if (!m_tracking) {
        SetCapture();
        m_tracking = 1;
        if (Picture(kHover))
            SetLook(2);
        return;
    }
    if (!IsInside(point)) {
        if (m_look != 0)
            SetLook(0);
        // While down the capture stays, so that the release is seen.
        if (!m_down) {
            ReleaseCapture();
            m_tracking = 0;
        }
        return;
    }
    if (m_down && m_look != 1 && Picture(kPressed))
        SetLook(1);
}

void CSkinButton::OnLButtonDown(UINT flags, CPoint point)
{
    if (Picture(kPressed))
        SetLook(1);
    m_down = 1;
    Notify(skinButtonPressed, flags, point);
}

void CSkinButton::OnLButtonUp(UINT flags, CPoint point)
{
    if (!m_down)
        return;
    m_down = 0;
    int inside = IsInside(point);
    SetLook(0);
    ReleaseCapture();
    m_tracking = 0;
    // A release outside is reported apart: a PTZ key must still stop the movement it started.
    Notify(inside ? skinButtonClicked : skinButtonReleasedOutside, flags, point);
}
