#include "station/ui/liveview/BitmapToggle.h"

BEGIN_MESSAGE_MAP(CBitmapToggle, CSkinControl)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CBitmapToggle::CBitmapToggle() : m_fillWidth(0), m_minimum(1), m_maximum(10) {}

int CBitmapToggle::LoadBitmaps(LPCSTR back, LPCSTR fill, LPCSTR third, int width, int height)
{
    const LPCSTR paths[3] = {back, fill, third};
    return LoadPictures(paths, 3, 2, width, height);
}

int CBitmapToggle::ChosenPicture() const
{
    return Picture(kBack) ? 1 : 0;
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

void CBitmapToggle::OnPaint()
{
    CPaintDC dc(this);
    PaintSkinPicture(&dc, Picture(kBack), m_width, m_height);
    // The fill never paints beyond the control, whatever value was set.
    int fill = m_fillWidth < m_width ? m_fillWidth : m_width;
    if (fill > 0)
        PaintSkinPicture(&dc, Picture(kFill), fill, m_height);
}

void CBitmapToggle::OnLButtonDown(UINT, CPoint point)
{
    m_fillWidth = point.x;
    Invalidate(FALSE);
}
