// PixelSection: a 32-bit top-down DIB section selected into a memory DC of its own, for code that reads or
// writes pixels directly (0x00RRGGBB each); freed with the object unless the bitmap is detached. Sections
// larger than 4096 x 4096 pixels are refused.
#pragma once
#include <windows.h>

#include <cstdint>

#include "skin/engine/drawing/DibHeader.h"

const int64_t kMaxSectionPixels = 4096 * 4096;

class PixelSection {
public:
    PixelSection(int width, int height) : width_(width), height_(height)
    {
        if (width <= 0 || height <= 0 || int64_t(width) * height > kMaxSectionPixels)
            return;
        BITMAPINFO info = TopDownInfo(width, height);
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!bitmap_)
            return;
        dc_ = CreateCompatibleDC(nullptr);
        if (!dc_) {
            DeleteObject(bitmap_);
            bitmap_ = nullptr;
            return;
        }
        old_ = SelectObject(dc_, bitmap_);
        pixels_ = static_cast<uint32_t*>(bits);
    }
    ~PixelSection()
    {
        if (dc_) {
            SelectObject(dc_, old_);
            DeleteDC(dc_);
        }
        if (bitmap_)
            DeleteObject(bitmap_);
    }
    PixelSection(const PixelSection&) = delete;
    PixelSection& operator=(const PixelSection&) = delete;

    bool Ok() const { return pixels_ != nullptr; }
    HDC Dc() const { return dc_; }
    uint32_t* Pixels() const { return pixels_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    size_t Count() const { return size_t(width_) * height_; }
    // Hands the bitmap over (deselected); the section no longer frees it.
    HBITMAP Detach()
    {
        GdiFlush();
        SelectObject(dc_, old_);
        DeleteDC(dc_);
        dc_ = nullptr;
        HBITMAP b = bitmap_;
        bitmap_ = nullptr;
        pixels_ = nullptr;
        return b;
    }

private:
    int width_, height_;
    HBITMAP bitmap_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
    uint32_t* pixels_ = nullptr;
};
