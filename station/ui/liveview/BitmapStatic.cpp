#include "station/ui/liveview/BitmapStatic.h"

#include "station/ui/liveview/SkinButton.h"

BEGIN_MESSAGE_MAP(CBitmapStatic, CStatic)
ON_WM_PAINT()
ON_WM_DRAWITEM()
END_MESSAGE_MAP()

CBitmapStatic::CBitmapStatic() : m_on(0), m_picture(nullptr), m_shared(0), m_width(0), m_height(0) {}

CBitmapStatic::~CBitmapStatic()
{
    DropPicture();
}

void CBitmapStatic::DropPicture()
{
    if (m_shared)
        m_picture = nullptr;
    ReleaseSkinPicture(m_picture);
    m_shared = 0;
    m_path.Empty();
}

int CBitmapStatic::LoadBitmapFile(LPCSTR path, int width, int height)
{
    DropPicture();
    m_picture = LoadSkinPicture(path, width, height);
    if (!m_picture) {
        if (GetSafeHwnd())
            Invalidate(TRUE);
        return 0;
    }
    m_path = path;
    SIZE size = SkinPictureSize(m_picture);
    m_width = size.cx;
    m_height = size.cy;
    if (GetSafeHwnd())
        Invalidate(TRUE);
    return 1;
}

int CBitmapStatic::ShowSharedPicture(LPCSTR path, int width, int height)
{
    HBITMAP picture = SharedSkinPicture(path, width, height);
    if (picture && m_shared && picture == m_picture)
        return 1;
    DropPicture();
    if (GetSafeHwnd())
        Invalidate(TRUE);
    if (!picture)
        return 0;
    m_picture = picture;
    m_shared = 1;
    m_path = path;
    SIZE size = SkinPictureSize(m_picture);
    m_width = size.cx;
    m_height = size.cy;
    return 1;
}

void CBitmapStatic::MoveTo(int x, int y)
{
    if (GetSafeHwnd())
        MoveWindow(x, y, m_width, m_height, TRUE);
}

void CBitmapStatic::OnPaint()
{
    CPaintDC dc(this);
    PaintSkinPicture(&dc, m_picture, m_width, m_height);
}

void CBitmapStatic::PaintInto(CDC* dc, int x, int y) const
{
    CPoint origin = dc->SetViewportOrg(x, y);
    PaintSkinPicture(dc, m_picture, m_width, m_height);
    dc->SetViewportOrg(origin);
}

void CBitmapStatic::OnDrawItem(int, LPDRAWITEMSTRUCT) {}
