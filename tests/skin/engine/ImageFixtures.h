// Builders for small BMP and TGA files spelled out byte by byte, and a DIB-section canvas to draw on.
#pragma once
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& b, uint32_t v)
{
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
}

inline void Put32(Bytes& b, uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

struct BmpSpec {
    int width = 2;
    int height = 2; // negative: top-down
    int bits = 24;
    uint32_t compression = 0;
    std::vector<uint32_t> palette; // 0x00RRGGBB
    Bytes pixels;                  // already in file order, rows padded by the caller
    std::vector<uint32_t> masks;   // for compression 3
    bool fileHeader = true;
    bool coreHeader = false;
    uint32_t clrUsed = 0;
};

inline Bytes MakeBmp(const BmpSpec& s)
{
    Bytes info;
    if (s.coreHeader) {
        Put32(info, 12);
        Put16(info, s.width);
        Put16(info, s.height);
        Put16(info, 1);
        Put16(info, s.bits);
    } else {
        Put32(info, 40);
        Put32(info, s.width);
        Put32(info, static_cast<uint32_t>(s.height));
        Put16(info, 1);
        Put16(info, s.bits);
        Put32(info, s.compression);
        Put32(info, s.compression == 0 ? 0 : static_cast<uint32_t>(s.pixels.size()));
        Put32(info, 3780);
        Put32(info, 3780);
        Put32(info, s.clrUsed);
        Put32(info, 0);
    }
    for (uint32_t m : s.masks)
        Put32(info, m);
    for (uint32_t c : s.palette) {
        info.push_back(static_cast<uint8_t>(c));
        info.push_back(static_cast<uint8_t>(c >> 8));
        info.push_back(static_cast<uint8_t>(c >> 16));
        if (!s.coreHeader)
            info.push_back(0);
    }
    Bytes out;
    if (s.fileHeader) {
        out.push_back('B');
        out.push_back('M');
        Put32(out, static_cast<uint32_t>(14 + info.size() + s.pixels.size()));
        Put32(out, 0);
        Put32(out, static_cast<uint32_t>(14 + info.size()));
    }
    out.insert(out.end(), info.begin(), info.end());
    out.insert(out.end(), s.pixels.begin(), s.pixels.end());
    return out;
}

inline Bytes MakeTgaHeader(int imageType, int width, int height, int depth, int descriptor = 0, int mapType = 0,
                           int mapLength = 0, int mapEntry = 0)
{
    Bytes h;
    h.push_back(0);
    h.push_back(static_cast<uint8_t>(mapType));
    h.push_back(static_cast<uint8_t>(imageType));
    Put16(h, 0);
    Put16(h, mapLength);
    h.push_back(static_cast<uint8_t>(mapEntry));
    Put16(h, 0);
    Put16(h, 0);
    Put16(h, width);
    Put16(h, height);
    h.push_back(static_cast<uint8_t>(depth));
    h.push_back(static_cast<uint8_t>(descriptor));
    return h;
}

inline uint32_t Rgb(RGBQUAD q)
{
    return (q.rgbRed << 16) | (q.rgbGreen << 8) | q.rgbBlue;
}

inline RGBQUAD Quad(uint32_t rgb, uint8_t reserved = 0)
{
    RGBQUAD q = {static_cast<BYTE>(rgb), static_cast<BYTE>(rgb >> 8), static_cast<BYTE>(rgb >> 16), reserved};
    return q;
}

// A 32-bit top-down DIB section selected into a memory DC; Pixel() reads 0x00RRGGBB.
class Canvas {
public:
    Canvas(int width, int height, uint32_t fill) : width_(width), height_(height)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc_ = CreateCompatibleDC(NULL);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), NULL, 0);
        old_ = SelectObject(dc_, bitmap_);
        for (int i = 0; i < width * height; ++i)
            bits_[i] = fill;
    }
    ~Canvas()
    {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }
    uint32_t Pixel(int x, int y) const
    {
        GdiFlush();
        return bits_[y * width_ + x] & 0xFFFFFF;
    }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    uint32_t* bits_ = nullptr;
};
