// Window captures read from the windows' own surfaces.
#include "tests/skin/window/WindowStackCapture.h"

Capture CaptureStack(const std::vector<HWND>& windows)
{
    RECT all = {0, 0, 0, 0};
    for (HWND hwnd : windows) {
        RECT r;
        GetWindowRect(hwnd, &r);
        UnionRect(&all, &all, &r);
    }
    Capture capture = CaptureScreenRect(all);
    HDC screen = GetDC(NULL);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, capture.width, capture.height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, capture.width, capture.height, screen, all.left, all.top, SRCCOPY);
    for (HWND hwnd : windows) {
        RECT r;
        GetWindowRect(hwnd, &r);
        HDC dc = GetWindowDC(hwnd);
        BitBlt(memory, r.left - all.left, r.top - all.top, r.right - r.left, r.bottom - r.top, dc, 0, 0, SRCCOPY);
        ReleaseDC(hwnd, dc);
    }
    for (int y = 0; y < capture.height; ++y)
        for (int x = 0; x < capture.width; ++x) {
            const COLORREF c = GetPixel(memory, x, y);
            uint8_t* p = &capture.rgb[(size_t(y) * capture.width + x) * 3];
            p[0] = GetRValue(c);
            p[1] = GetGValue(c);
            p[2] = GetBValue(c);
        }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(NULL, screen);
    return capture;
}
