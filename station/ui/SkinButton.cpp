#include "station/ui/SkinButton.h"

BEGIN_MESSAGE_MAP(CSkinButton, CWnd)
ON_WM_PAINT()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_ENABLE()
END_MESSAGE_MAP()

CSkinButton::CSkinButton()
    : m_id(0), m_owner(nullptr), m_normal(nullptr), m_pressed(nullptr), m_hover(nullptr), m_disabled(nullptr),
      m_width(0), m_height(0), m_look(0), m_down(0), m_tracking(0), m_callback(nullptr), m_checked(0)
{
}

CSkinButton::~CSkinButton()
{
    ReleaseSkinPicture(m_normal);
    ReleaseSkinPicture(m_pressed);
    ReleaseSkinPicture(m_hover);
    ReleaseSkinPicture(m_disabled);
    if (GetSafeHwnd())
        DestroyWindow();
}

int CSkinButton::Create(UINT id, CWnd* owner, SkinButtonCallback callback)
{
    m_id = id;
    m_owner = owner;
    m_callback = callback;
    return CreateSkinControlWindow(this, id, owner);
}

int CSkinButton::LoadBitmaps(LPCSTR normal, LPCSTR pressed, LPCSTR hover, LPCSTR disabled, int width, int height)
{
    const LPCSTR paths[4] = {normal, pressed, hover, disabled};
    HBITMAP* const slots[4] = {&m_normal, &m_pressed, &m_hover, &m_disabled};
    if (!ReplaceSkinPictures(paths, slots, 4, 1, width, height))
        return 0;
    SizeToSkinPicture(this, m_normal, m_width, m_height);
    return 1;
}

void CSkinButton::MoveTo(int x, int y)
{
    if (GetSafeHwnd())
        MoveWindow(x, y, m_width, m_height, TRUE);
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
    if (GetSafeHwnd() && !IsWindowEnabled())
        return m_disabled ? 4 : (m_normal ? 1 : 0);
    if (m_checked && m_pressed)
        return 2;
    if (m_look == 1 && m_pressed)
        return 2;
    if (m_look == 2 && m_hover)
        return 3;
    return m_normal ? 1 : 0;
}

void CSkinButton::OnPaint()
{
    CPaintDC dc(this);
    HBITMAP pictures[5] = {nullptr, m_normal, m_pressed, m_hover, m_disabled};
    PaintSkinPicture(&dc, pictures[ChosenPicture()], m_width, m_height);
}

void CSkinButton::SetLook(int look)
{
    m_look = look;
    Invalidate(FALSE);
}

int CSkinButton::IsInside(CPoint point) const
{
    RECT client;
    GetClientRect(&client);
    return PtInRect(&client, point) ? 1 : 0;
}

void CSkinButton::Notify(int event, UINT flags, CPoint point)
{
    if (m_callback)
        m_callback(m_id, event, flags, m_owner, point.x, point.y);
}

void CSkinButton::OnMouseMove(UINT, CPoint point)
{
    if (!m_tracking) {
        SetCapture();
        m_tracking = 1;
        if (m_hover)
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
    if (m_down && m_look != 1 && m_pressed)
        SetLook(1);
}

void CSkinButton::OnLButtonDown(UINT flags, CPoint point)
{
    if (m_pressed)
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

void CSkinButton::OnEnable(BOOL enable)
{
    Invalidate(FALSE);
    CWnd::OnEnable(enable);
}
