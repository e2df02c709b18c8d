// CBitmapToggle: a horizontal level bar drawn from a back and a fill picture; a click sets the fill
// and the owner reads the value.
#pragma once

#include "station/ui/liveview/SkinButton.h"

// The callback given to Create is accepted and not used: the bar reports nothing.
class CBitmapToggle : public CSkinControl {
public:
    CBitmapToggle();

    int LoadBitmaps(LPCSTR back, LPCSTR fill, LPCSTR third, int width, int height);
    void SetRange(int minimum, int maximum);
    int GetValue() const;
    void SetValue(int value);
    int GetFillWidth() const { return m_fillWidth; }
    // Sets the control's width and height without pictures (tests, and a bar whose pictures failed).
    using CSkinControl::SetSize;
    // The back picture (1), or none (0).
    int ChosenPicture() const override;

    // The value of a fill width on a bar of the width: fill / width x (max - min), truncated,
    // clamped to min..max. A width of 0 reads the minimum.
    static int ValueOfFill(int fillWidth, int width, int minimum, int maximum);
    // The fill width of a value: value / (max - min) x width, truncated.
    static int FillOfValue(int value, int width, int minimum, int maximum);

protected:
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    enum { kBack, kFill, kThird };

    int m_fillWidth;
    int m_minimum;
    int m_maximum;
};
