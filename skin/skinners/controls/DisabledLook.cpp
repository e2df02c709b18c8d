// DisabledLook: the greyed picture of a disabled control.
#include "skin/skinners/controls/DisabledLook.h"

#include "skin/engine/drawing/PixelSection.h"

void GreyOut(HDC dc, const RECT& rect)
{
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    PixelSection copy(width, height);
    if (!copy.Ok())
        return;
    BitBlt(copy.Dc(), 0, 0, width, height, dc, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const int faceGrey = (GetRValue(face) * 30 + GetGValue(face) * 59 + GetBValue(face) * 11) / 100;
    uint32_t* pixel = copy.Pixels();
    for (size_t i = 0; i < copy.Count(); ++i) {
        const uint32_t p = pixel[i];
        const int grey = (static_cast<int>((p >> 16) & 0xFF) * 30 + static_cast<int>((p >> 8) & 0xFF) * 59 +
                          static_cast<int>(p & 0xFF) * 11) /
                         100;
        // Half way to the face: the shapes stay readable, the colours are gone.
        const uint32_t v = static_cast<uint32_t>((grey + faceGrey) / 2);
        pixel[i] = (v << 16) | (v << 8) | v;
    }
    BitBlt(dc, rect.left, rect.top, width, height, copy.Dc(), 0, 0, SRCCOPY);
}
