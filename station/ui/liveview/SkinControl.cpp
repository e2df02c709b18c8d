#include "station/ui/liveview/SkinControl.h"

#include "station/ui/liveview/SkinButton.h"

BEGIN_MESSAGE_MAP(CSkinControl, CWnd)
ON_WM_PAINT()
ON_WM_ENABLE()
END_MESSAGE_MAP()

CSkinControl::CSkinControl() : m_id(0), m_owner(nullptr), m_callback(nullptr), m_pictures(), m_width(0), m_height(0) {}

CSkinControl::~CSkinControl()
{
    for (HBITMAP& picture : m_pictures)
        ReleaseSkinPicture(picture);
    if (GetSafeHwnd())
        DestroyWindow();
}

int CSkinControl::Create(UINT id, CWnd* owner, SkinButtonCallback callback)
{
    m_id = id;
    m_owner = owner;
    m_callback = callback;
    return CreateSkinControlWindow(this, id, owner);
}

int CSkinControl::CreateAt(UINT id, CWnd* owner, SkinButtonCallback callback, int x, int y, DWORD exStyle)
{
    m_id = id;
    m_owner = owner;
    m_callback = callback;
    const RECT rect = {x, y, x + m_width, y + m_height};
    return CreateSkinControlWindow(this, id, owner, &rect, exStyle);
}

int CSkinControl::LoadPictures(const LPCSTR* paths, int count, int required, int width, int height)
{
    HBITMAP* slots[kSlots];
    for (int i = 0; i < kSlots; ++i)
        slots[i] = &m_pictures[i];
    if (count > kSlots || !ReplaceSkinPictures(paths, slots, count, required, width, height))
        return 0;
    SizeToSkinPicture(this, m_pictures[0], m_width, m_height);
    return 1;
}

void CSkinControl::SetSize(int width, int height)
{
    m_width = width;
    m_height = height;
    if (GetSafeHwnd())
        SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CSkinControl::MoveTo(int x, int y)
{
    if (GetSafeHwnd())
        MoveWindow(x, y, m_width, m_height, TRUE);
}

int CSkinControl::IsInside(CPoint point) const
{
    RECT client;
    GetClientRect(&client);
    return PtInRect(&client, point) ? 1 : 0;
}

void CSkinControl::Notify(int event, UINT flags, CPoint point)
{
    if (m_callback)
        m_callback(m_id, event, flags, m_owner, point.x, point.y);
}

void CSkinControl::OnPaint()
{
    CPaintDC dc(this);
    int chosen = ChosenPicture();
    PaintSkinPicture(&dc, chosen > 0 ? m_pictures[chosen - 1] : nullptr, m_width, m_height);
}

// The disabled picture follows the window's enabled state.
void CSkinControl::OnEnable(BOOL enable)
{
    Invalidate(FALSE);
    CWnd::OnEnable(enable);
}
