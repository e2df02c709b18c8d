#include "station/ui/StateButton.h"

BEGIN_MESSAGE_MAP(CStateButton, CWnd)
ON_WM_PAINT()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_ENABLE()
END_MESSAGE_MAP()

CStateButton::CStateButton()
    : m_id(0), m_owner(nullptr), m_callback(nullptr), m_state(0), m_hover(0), m_down(0), m_normal(nullptr),
      m_on(nullptr), m_hoverPicture(nullptr), m_disabled(nullptr), m_width(0), m_height(0)
{
}

CStateButton::~CStateButton()
{
    ReleaseSkinPicture(m_normal);
    ReleaseSkinPicture(m_on);
    ReleaseSkinPicture(m_hoverPicture);
    ReleaseSkinPicture(m_disabled);
    if (GetSafeHwnd())
        DestroyWindow();
}

int CStateButton::Create(UINT id, CWnd* owner, SkinButtonCallback callback)
{
    m_id = id;
    m_owner = owner;
    m_callback = callback;
    return CreateSkinControlWindow(this, id, owner);
}

int CStateButton::LoadBitmaps(LPCSTR normal, LPCSTR on, LPCSTR hover, LPCSTR disabled, int width, int height)
{
    const LPCSTR paths[4] = {normal, on, hover, disabled};
    HBITMAP* const slots[4] = {&m_normal, &m_on, &m_hoverPicture, &m_disabled};
    if (!ReplaceSkinPictures(paths, slots, 4, 2, width, height))
        return 0;
    SizeToSkinPicture(this, m_normal, m_width, m_height);
    return 1;
}

void CStateButton::MoveTo(int x, int y)
{
    if (GetSafeHwnd())
        MoveWindow(x, y, m_width, m_height, TRUE);
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
    if (m_state)
        return m_on ? 2 : 0;
    if (!GetSafeHwnd() || IsWindowEnabled()) {
        if (m_hover && m_hoverPicture)
            return 3;
        return m_normal ? 1 : 0;
    }
    return m_disabled ? 4 : (m_normal ? 1 : 0);
}

void CStateButton::OnPaint()
{
    CPaintDC dc(this);
    HBITMAP pictures[5] = {nullptr, m_normal, m_on, m_hoverPicture, m_disabled};
    PaintSkinPicture(&dc, pictures[ChosenPicture()], m_width, m_height);
}

void CStateButton::OnMouseMove(UINT, CPoint point)
{
    if (m_state || !m_hoverPicture)
        return;
    if (!m_hover) {
        SetCapture();
        m_hover = 1;
        Invalidate(FALSE);
        return;
    }
    RECT client;
    GetClientRect(&client);
    if (!PtInRect(&client, point)) {
        ReleaseCapture();
        m_hover = 0;
        Invalidate(FALSE);
    }
}

void CStateButton::OnLButtonDown(UINT flags, CPoint point)
{
    m_down = 1;
    if (m_callback)
        m_callback(m_id, skinButtonPressed, flags, m_owner, point.x, point.y);
}

void CStateButton::OnLButtonUp(UINT flags, CPoint point)
{
    if (!m_down)
        return;
    m_down = 0;
    m_hover = 0;
    Invalidate(FALSE);
    ReleaseCapture();
    if (m_callback)
        m_callback(m_id, skinButtonClicked, flags, m_owner, point.x, point.y);
}

void CStateButton::OnEnable(BOOL enable)
{
    Invalidate(FALSE);
    CWnd::OnEnable(enable);
}
