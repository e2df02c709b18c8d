#include "station/ui/liveview/IconButton.h"

#include "station/ui/liveview/SkinButton.h"

BEGIN_MESSAGE_MAP(CIconButton, CButton)
ON_WM_PAINT()
END_MESSAGE_MAP()

CIconButton::CIconButton() : m_state(0), m_normal(nullptr), m_on(nullptr), m_width(0), m_height(0) {}

int CIconButton::LoadBitmaps(LPCSTR normal, LPCSTR on, int width, int height)
{
    HBITMAP newNormal = nullptr;
    HBITMAP newOn = nullptr;
    if (width == 0 && height == 0) {
        // The normal picture at the stored size (its own the first time), the on picture at the
        // normal picture's size, whatever size its file has.
        newNormal = SharedSkinPicture(normal, m_width, m_height);
        SIZE size = SkinPictureSize(newNormal);
        newOn = newNormal ? SharedSkinPicture(on, size.cx, size.cy) : nullptr;
    } else {
        newNormal = SharedSkinPicture(normal, width, height);
        newOn = SharedSkinPicture(on, width, height);
    }
    if (!newNormal || !newOn) {
        m_normal = nullptr;
        m_on = nullptr;
        return 0;
    }
    m_normal = newNormal;
    m_on = newOn;
    SizeToSkinPicture(this, m_normal, m_width, m_height);
    return 1;
}

void CIconButton::SetState(int state)
{
    if (state == m_state)
        return;
    m_state = state;
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

void CIconButton::MoveTo(int x, int y)
{
    if (GetSafeHwnd())
        MoveWindow(x, y, m_width, m_height, TRUE);
}

void CIconButton::DrawItem(LPDRAWITEMSTRUCT) {}

void CIconButton::OnPaint()
{
    CPaintDC dc(this);
    PaintSkinPicture(&dc, m_state ? m_on : m_normal, m_width, m_height);
}
