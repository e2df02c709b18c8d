// DisabledLook: the greyed picture of a disabled control.
#include "skin/skinners/controls/DisabledLook.h"

#include <vector>

#include "skin/engine/drawing/DibHeader.h"

void GreyOut(HDC dc, const RECT& rect)
{
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    HDC copy = CreateCompatibleDC(dc);
    BITMAPINFO info = TopDownInfo(width, height);
    void* bits = NULL;
    HBITMAP dib = copy ? CreateDIBSection(copy, &info, DIB_RGB_COLORS, &bits, NULL, 0) : NULL;
    if (!dib) {
        if (copy)
            DeleteDC(copy);
        return;
    }
    HGDIOBJ old = SelectObject(copy, dib);
    BitBlt(copy, 0, 0, width, height, dc, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const int faceGrey = (GetRValue(face) * 30 + GetGValue(face) * 59 + GetBValue(face) * 11) / 100;
    DWORD* pixel = static_cast<DWORD*>(bits);
    for (int i = 0; i < width * height; ++i) {
        const DWORD p = pixel[i];
        const int grey = (static_cast<int>((p >> 16) & 0xFF) * 30 + static_cast<int>((p >> 8) & 0xFF) * 59 +
                          static_cast<int>(p & 0xFF) * 11) /
                         100;
        // Half way to the face: the shapes stay readable, the colours are gone.
        const DWORD v = static_cast<DWORD>((grey + faceGrey) / 2);
        pixel[i] = (v << 16) | (v << 8) | v;
    }
    BitBlt(dc, rect.left, rect.top, width, height, copy, 0, 0, SRCCOPY);
    SelectObject(copy, old);
    DeleteObject(dib);
    DeleteDC(copy);
}
