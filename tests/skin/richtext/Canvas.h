// A white 32-bit top-down bitmap in a memory DC, for drawing tests that read pixels back.
#pragma once
#include <windows.h>

#include <cstdint>

#include "tools/screenshot/Screenshot.h"

class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = RGB(255, 255, 255)) : width_(width), height_(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<uint32_t*>(bits);
        dc_ = CreateCompatibleDC(nullptr);
        old_ = SelectObject(dc_, bitmap_);
        Fill(fill);
    }
    ~Canvas()
    {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void Fill(COLORREF color)
    {
        RECT all = {0, 0, width_, height_};
        HBRUSH brush = CreateSolidBrush(color);
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
        GdiFlush();
    }
    COLORREF At(int x, int y) const
    {
        GdiFlush();
        uint32_t v = bits_[size_t(y) * width_ + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    // Pixels in the rectangle that differ from color.
    int CountOther(const RECT& r, COLORREF color) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += At(x, y) != color;
        return n;
    }
    int Count(const RECT& r, COLORREF color) const
    {
        return (r.right - r.left) * (r.bottom - r.top) - CountOther(r, color);
    }
    Capture ToCapture() const
    {
        Capture c;
        c.width = width_;
        c.height = height_;
        c.rgb.resize(size_t(width_) * height_ * 3);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                COLORREF p = At(x, y);
                uint8_t* o = &c.rgb[(size_t(y) * width_ + x) * 3];
                o[0] = GetRValue(p);
                o[1] = GetGValue(p);
                o[2] = GetBValue(p);
            }
        return c;
    }

private:
    int width_, height_;
    HBITMAP bitmap_;
    uint32_t* bits_;
    HDC dc_;
    HGDIOBJ old_;
};

// A bitmap of the given size filled with one colour, with an optional rectangle of another.
inline HBITMAP MakeBitmap(int width, int height, COLORREF color, RECT inner = RECT{0, 0, 0, 0}, COLORREF innerColor = 0)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    if (inner.right > inner.left) {
        brush = CreateSolidBrush(innerColor);
        FillRect(dc, &inner, brush);
        DeleteObject(brush);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

// An icon of one colour; with a transparent top-left corner of the given size.
inline HICON MakeIcon(int size, COLORREF color, int transparentCorner = 0)
{
    HBITMAP picture = MakeBitmap(size, size, color, RECT{0, 0, transparentCorner, transparentCorner}, RGB(0, 0, 0));
    HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, mask);
    PatBlt(dc, 0, 0, size, size, BLACKNESS);
    PatBlt(dc, 0, 0, transparentCorner, transparentCorner, WHITENESS);
    SelectObject(dc, old);
    DeleteDC(dc);
    ICONINFO info = {TRUE, 0, 0, mask, picture};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(picture);
    DeleteObject(mask);
    return icon;
}
