#include "station/ui/BitmapToggle.h"

BEGIN_MESSAGE_MAP(CBitmapToggle, CWnd)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CBitmapToggle::CBitmapToggle()
    : m_back(nullptr), m_fill(nullptr), m_third(nullptr), m_width(0), m_height(0), m_fillWidth(0), m_minimum(1),
      m_maximum(10)
{
}

CBitmapToggle::~CBitmapToggle()
{
    ReleaseSkinPicture(m_back);
    ReleaseSkinPicture(m_fill);
    ReleaseSkinPicture(m_third);
    if (GetSafeHwnd())
        DestroyWindow();
}

int CBitmapToggle::Create(UINT id, CWnd* owner, SkinButtonCallback)
{
    return CreateSkinControlWindow(this, id, owner);
}

int CBitmapToggle::LoadBitmaps(LPCSTR back, LPCSTR fill, LPCSTR third, int width, int height)
{
    HBITMAP newBack = LoadSkinPicture(back, width, height);
    HBITMAP newFill = LoadSkinPicture(fill, width, height);
    HBITMAP newThird = third ? LoadSkinPicture(third, width, height) : nullptr;
    if (!newBack || !newFill || (third && !newThird)) {
        ReleaseSkinPicture(newBack);
        ReleaseSkinPicture(newFill);
        ReleaseSkinPicture(newThird);
        return 0;
    }
    ReleaseSkinPicture(m_back);
    ReleaseSkinPicture(m_fill);
    ReleaseSkinPicture(m_third);
    m_back = newBack;
    m_fill = newFill;
    m_third = newThird;
    SIZE size = SkinPictureSize(m_back);
    SetSize(size.cx, size.cy);
    return 1;
}

void CBitmapToggle::SetSize(int width, int height)
{
    m_width = width;
    m_height = height;
    if (GetSafeHwnd())
        SetWindowPos(nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBitmapToggle::SetRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = maximum;
}

int CBitmapToggle::ValueOfFill(int fillWidth, int width, int minimum, int maximum)
{
    // A bar without a width has no fill to read: the minimum, not a division by zero.
    int value = width > 0 ? static_cast<int>(static_cast<double>(fillWidth) / width * (maximum - minimum)) : minimum;
    if (value < minimum)
        value = minimum;
    if (value > maximum)
        value = maximum;
    return value;
}

int CBitmapToggle::FillOfValue(int value, int width, int minimum, int maximum)
{
    if (maximum == minimum)
        return 0;
    return static_cast<int>(static_cast<double>(value) / (maximum - minimum) * width);
}

int CBitmapToggle::GetValue() const
{
    return ValueOfFill(m_fillWidth, m_width, m_minimum, m_maximum);
}

void CBitmapToggle::SetValue(int value)
{
    m_fillWidth = FillOfValue(value, m_width, m_minimum, m_maximum);
    if (GetSafeHwnd())
        Invalidate(FALSE);
}

void CBitmapToggle::MoveTo(int x, int y)
{
    if (GetSafeHwnd())
        MoveWindow(x, y, m_width, m_height, TRUE);
}

void CBitmapToggle::OnPaint()
{
    CPaintDC dc(this);
    PaintSkinPicture(&dc, m_back, m_width, m_height);
    // The fill never paints beyond the control, whatever value was set.
    int fill = m_fillWidth < m_width ? m_fillWidth : m_width;
    if (fill > 0)
        PaintSkinPicture(&dc, m_fill, fill, m_height);
}

void CBitmapToggle::OnLButtonDown(UINT, CPoint point)
{
    m_fillWidth = point.x;
    Invalidate(FALSE);
}
