#include "tools/screenshot/Screenshot.h"

#include "tools/screenshot/PngWriter.h"

Capture CaptureScreenRect(const RECT& rect)
{
    Capture cap;
    cap.width = rect.right - rect.left;
    cap.height = rect.bottom - rect.top;
    if (cap.width <= 0 || cap.height <= 0)
        return Capture();

    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = cap.width;
    bi.bmiHeader.biHeight = -cap.height; // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, cap.width, cap.height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();

    cap.rgb.resize(size_t(cap.width) * cap.height * 3);
    const uint8_t* src = static_cast<const uint8_t*>(bits);
    for (size_t i = 0, n = size_t(cap.width) * cap.height; i < n; ++i) {
        cap.rgb[i * 3 + 0] = src[i * 4 + 2];
        cap.rgb[i * 3 + 1] = src[i * 4 + 1];
        cap.rgb[i * 3 + 2] = src[i * 4 + 0];
    }
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return cap;
}

Capture CaptureWindow(HWND window)
{
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return Capture();
    return CaptureScreenRect(rect);
}

Capture CaptureScreen()
{
    RECT rect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return CaptureScreenRect(rect);
}

bool SavePng(const Capture& capture, const std::string& path)
{
    return png::WriteRgb(path, capture.width, capture.height, capture.rgb);
}
