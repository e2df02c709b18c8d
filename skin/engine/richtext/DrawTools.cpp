// The rich-text drawing toolbox; see DrawTools.h.
#include "skin/engine/richtext/DrawTools.h"

#include <cstdint>
#include <memory>
#include <vector>

#include "skin/engine/drawing/DibHeader.h"
#include "skin/engine/drawing/PixelSection.h"

namespace {

const int kMaxPenWidth = 10000;

// The section a shadow darkens the destination in, kept per thread for the next shadow of the same size:
// a tooltip redraws the same pictures, and making a section and its DC cost more than the blur itself.
PixelSection& ScratchSection(int width, int height)
{
    thread_local std::unique_ptr<PixelSection> scratch;
    if (!scratch || scratch->Width() != width || scratch->Height() != height)
        scratch.reset(new PixelSection(width, height));
    return *scratch;
}

// A bitmap selected into a memory DC for reading.
class SelectedBitmap {
public:
    explicit SelectedBitmap(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr))
    {
        if (dc_)
            old_ = SelectObject(dc_, bitmap);
    }
    ~SelectedBitmap()
    {
        if (dc_) {
            SelectObject(dc_, old_);
            DeleteDC(dc_);
        }
    }
    SelectedBitmap(const SelectedBitmap&) = delete;
    SelectedBitmap& operator=(const SelectedBitmap&) = delete;
    HDC Dc() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

uint32_t PixelOf(COLORREF c)
{
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

void FillSolid(HDC hdc, const RECT& rect, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color & 0x00FFFFFF);
    FillRect(hdc, &rect, brush);
    DeleteObject(brush);
}

int PenStyleFor(int borderStyle)
{
    switch (borderStyle) {
    case 2:
        return PS_DASH;
    case 3:
        return PS_DOT;
    case 4:
        return PS_DASHDOT;
    case 5:
        return PS_DASHDOTDOT;
    default:
        return PS_SOLID;
    }
}

void FrameOnce(HDC hdc, const RECT& r, COLORREF light, COLORREF dark, int penStyle, int penWidth)
{
    int h = penWidth / 2;
    int left = r.left + h, top = r.top + h, right = r.right - h, bottom = r.bottom - h;
    HPEN lightPen = CreatePen(penStyle, penWidth, light & 0x00FFFFFF);
    HGDIOBJ old = SelectObject(hdc, lightPen);
    MoveToEx(hdc, left, bottom, nullptr);
    LineTo(hdc, left, top);
    LineTo(hdc, right, top);
    HPEN darkPen = nullptr;
    if ((dark & 0x00FFFFFF) != (light & 0x00FFFFFF)) {
        darkPen = CreatePen(penStyle, penWidth, dark & 0x00FFFFFF);
        SelectObject(hdc, darkPen);
    }
    LineTo(hdc, right, bottom);
    LineTo(hdc, left, bottom);
    SelectObject(hdc, old);
    DeleteObject(lightPen);
    if (darkPen)
        DeleteObject(darkPen);
}

void LineOnce(HDC hdc, int x1, int y1, int x2, int y2, HPEN pen)
{
    HGDIOBJ old = SelectObject(hdc, pen);
    MoveToEx(hdc, x1, y1, nullptr);
    LineTo(hdc, x2, y2);
    SelectObject(hdc, old);
}

// A picture as 0x00RRGGBB values, top row first; effects and shadows work on these in memory, and the
// results go to the device with one call each, without making GDI objects per picture.
using Pixels = std::vector<uint32_t>;

// The picture of bitmap at width x height: stretched from its own size when asked and the sizes differ,
// else its top-left corner (black where the bitmap is smaller).
bool ReadPixels(HDC hdc, HBITMAP bitmap, int width, int height, bool stretch, Pixels& out)
{
    BITMAP bm;
    if (!bitmap || width <= 0 || height <= 0 || int64_t(width) * height > kMaxSectionPixels ||
        !GetObjectA(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return false;
    if (bm.bmWidth == width && bm.bmHeight == height) {
        BITMAPINFO info = TopDownInfo(width, height);
        out.assign(size_t(width) * height, 0);
        if (GetDIBits(hdc, bitmap, 0, UINT(height), out.data(), &info, DIB_RGB_COLORS) == height)
            return true;
    }
    PixelSection section(width, height);
    if (!section.Ok())
        return false;
    {
        SelectedBitmap source(bitmap);
        if (stretch) {
            SetStretchBltMode(section.Dc(), COLORONCOLOR);
            StretchBlt(section.Dc(), 0, 0, width, height, source.Dc(), 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
        } else {
            BitBlt(section.Dc(), 0, 0, width, height, source.Dc(), 0, 0, SRCCOPY);
        }
    }
    GdiFlush();
    out.assign(section.Pixels(), section.Pixels() + section.Count());
    return true;
}

// The per-pixel steps of an effect bitmap: mask colour to black, or grey, darker, lighter, fill; then invert.
void ApplyEffects(uint32_t* p, size_t count, int flags, bool maskFlag, COLORREF maskColor, COLORREF fillColor)
{
    const uint32_t mask = PixelOf(maskColor);
    const uint32_t fill = PixelOf(fillColor);
    for (size_t i = 0; i < count; ++i) {
        uint32_t v = p[i] & 0x00FFFFFF;
        if (maskFlag && v == mask) {
            v = 0;
        } else {
            uint32_t r = (v >> 16) & 0xFF, g = (v >> 8) & 0xFF, b = v & 0xFF;
            if (flags & 1) {
                uint32_t grey = (299 * r + 587 * g + 114 * b) / 1000;
                r = g = b = grey;
            }
            if (flags & 2) {
                r = r * 3 / 4;
                g = g * 3 / 4;
                b = b * 3 / 4;
            }
            if (flags & 4) {
                r = r * 5 / 4 > 255 ? 255 : r * 5 / 4;
                g = g * 5 / 4 > 255 ? 255 : g * 5 / 4;
                b = b * 5 / 4 > 255 ? 255 : b * 5 / 4;
            }
            v = (r << 16) | (g << 8) | b;
            if (flags & 8)
                v = fill;
        }
        if (flags & 0x8000)
            v = ~v & 0x00FFFFFF;
        p[i] = v;
    }
}

Pixels WithEffects(const Pixels& source, int flags, bool maskFlag, COLORREF maskColor, COLORREF fillColor)
{
    Pixels out = source;
    ApplyEffects(out.data(), out.size(), flags, maskFlag, maskColor, fillColor);
    return out;
}

// Combines a picture with the destination by a raster operation (SRCAND, SRCPAINT, SRCCOPY).
void Blend(HDC hdc, int x, int y, int width, int height, const Pixels& pixels, DWORD rop)
{
    BITMAPINFO info = TopDownInfo(width, height);
    StretchDIBits(hdc, x, y, width, height, 0, 0, width, height, pixels.data(), &info, DIB_RGB_COLORS, rop);
}

// Darkens the destination under a shadow mask: each channel times the mask's blue value / 255, averaged
// over a blurX x blurY window when blurred (outside the mask counts as white).
void ShadowOnto(HDC hdc, int x, int y, int width, int height, const Pixels& mask, bool blurred, int blurX, int blurY)
{
    if (blurX < 1)
        blurX = 1;
    if (blurY < 1)
        blurY = 1;
    if (blurX % 2 == 0)
        ++blurX;
    if (blurY % 2 == 0)
        ++blurY;
    // A picture no larger than the blur would shrink to nothing; its shadow is drawn sharp instead.
    if (blurred && (width - blurX <= 0 || height - blurY <= 0))
        blurred = false;
    const size_t count = size_t(width) * height;
    Pixels a;
    if (blurred) {
        // The mask shrunk into the middle, leaving half a window of white around it.
        a.assign(count, 0x00FFFFFF);
        const int innerWidth = width - blurX, innerHeight = height - blurY;
        for (int ty = 0; ty < innerHeight; ++ty) {
            const int sy = int(int64_t(ty) * height / innerHeight);
            for (int tx = 0; tx < innerWidth; ++tx) {
                const int sx = int(int64_t(tx) * width / innerWidth);
                a[size_t(ty + blurY / 2) * width + tx + blurX / 2] = mask[size_t(sy) * width + sx];
            }
        }
    } else {
        a = mask;
    }
    PixelSection& b = ScratchSection(width, height);
    if (!b.Ok())
        return;
    BitBlt(b.Dc(), 0, 0, width, height, hdc, x, y, SRCCOPY);
    GdiFlush();

    std::vector<int64_t> factor(count); // numerator over `scale`
    int64_t scale;
    if (blurred) {
        // Box sums with running totals, first along rows, then along columns.
        const int rx = blurX / 2, ry = blurY / 2;
        std::vector<int64_t> rows(count);
        for (int row = 0; row < height; ++row) {
            const uint32_t* line = a.data() + size_t(row) * width;
            auto at = [&](int k) -> int64_t { return (k < 0 || k >= width) ? 255 : (line[k] & 0xFF); };
            int64_t sum = 0;
            for (int k = -rx; k <= rx; ++k)
                sum += at(k);
            for (int col = 0; col < width; ++col) {
                rows[size_t(row) * width + col] = sum;
                sum += at(col + rx + 1) - at(col - rx);
            }
        }
        const int64_t outside = int64_t(255) * blurX;
        for (int col = 0; col < width; ++col) {
            auto at = [&](int k) -> int64_t {
                return (k < 0 || k >= height) ? outside : rows[size_t(k) * width + col];
            };
            int64_t sum = 0;
            for (int k = -ry; k <= ry; ++k)
                sum += at(k);
            for (int row = 0; row < height; ++row) {
                factor[size_t(row) * width + col] = sum;
                sum += at(row + ry + 1) - at(row - ry);
            }
        }
        scale = int64_t(blurX) * blurY * 255;
    } else {
        for (size_t i = 0; i < count; ++i)
            factor[i] = a[i] & 0xFF;
        scale = 255;
    }
    uint32_t* bp = b.Pixels();
    for (size_t i = 0; i < count; ++i) {
        const int64_t f = factor[i];
        if (f < 0 || f >= scale)
            continue;
        const uint32_t v = bp[i];
        const uint32_t r = uint32_t(((v >> 16) & 0xFF) * f / scale);
        const uint32_t g = uint32_t(((v >> 8) & 0xFF) * f / scale);
        const uint32_t bl = uint32_t((v & 0xFF) * f / scale);
        bp[i] = (r << 16) | (g << 8) | bl;
    }
    BitBlt(hdc, x, y, width, height, b.Dc(), 0, 0, SRCCOPY);
}

} // namespace

SIZE DrawTools::GetIconSize(HICON icon) const
{
    SIZE size = {0, 0};
    ICONINFO info;
    if (!icon || !GetIconInfo(icon, &info))
        return size;
    size.cx = LONG(info.xHotspot) * 2;
    size.cy = LONG(info.yHotspot) * 2;
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    return size;
}

SIZE DrawTools::GetBitmapSize(HBITMAP bitmap) const
{
    SIZE size = {0, 0};
    BITMAP bm;
    if (bitmap && GetObjectA(bitmap, sizeof bm, &bm)) {
        size.cx = bm.bmWidth;
        size.cy = bm.bmHeight;
    }
    return size;
}

HBITMAP DrawTools::CreateEffectBitmap(HBITMAP bitmap, int width, int height, int flags, bool maskFlag,
                                      COLORREF maskColor, COLORREF fillColor) const
{
    PixelSection section(width, height);
    if (!section.Ok())
        return nullptr;
    {
        SelectedBitmap source(bitmap);
        BitBlt(section.Dc(), 0, 0, width, height, source.Dc(), 0, 0, SRCCOPY);
    }
    GdiFlush();
    ApplyEffects(section.Pixels(), section.Count(), flags, maskFlag, maskColor, fillColor);
    return section.Detach();
}

HICON DrawTools::StretchIcon(HICON icon, int width, int height) const
{
    ICONINFO info;
    if (!icon || width <= 0 || height <= 0 || !GetIconInfo(icon, &info))
        return nullptr;
    SIZE own = GetIconSize(icon);
    BITMAP maskInfo = {};
    GetObjectA(info.hbmMask, sizeof maskInfo, &maskInfo);
    int sourceWidth = own.cx > 0 ? own.cx : maskInfo.bmWidth;
    int sourceHeight = own.cy > 0 ? own.cy : (info.hbmColor ? maskInfo.bmHeight : maskInfo.bmHeight / 2);

    HDC screen = GetDC(nullptr);
    ICONINFO made = {};
    made.fIcon = TRUE;
    made.hbmMask = CreateBitmap(width, height, 1, 1, nullptr);
    made.hbmColor = info.hbmColor ? CreateCompatibleBitmap(screen, width, height) : nullptr;
    ReleaseDC(nullptr, screen);
    {
        SelectedBitmap from(info.hbmMask), to(made.hbmMask);
        SetStretchBltMode(to.Dc(), COLORONCOLOR);
        StretchBlt(to.Dc(), 0, 0, width, height, from.Dc(), 0, 0, sourceWidth, sourceHeight, SRCCOPY);
    }
    if (info.hbmColor && made.hbmColor) {
        SelectedBitmap from(info.hbmColor), to(made.hbmColor);
        SetStretchBltMode(to.Dc(), COLORONCOLOR);
        StretchBlt(to.Dc(), 0, 0, width, height, from.Dc(), 0, 0, sourceWidth, sourceHeight, SRCCOPY);
    }
    HICON result = (made.hbmMask && (made.hbmColor || !info.hbmColor)) ? CreateIconIndirect(&made) : nullptr;
    if (made.hbmMask)
        DeleteObject(made.hbmMask);
    if (made.hbmColor)
        DeleteObject(made.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    return result;
}

void DrawTools::GradientFill64(HDC hdc, const RECT& rect, COLORREF from, COLORREF to, bool horizontal) const
{
    const int64_t span = horizontal ? int64_t(rect.right) - rect.left : int64_t(rect.bottom) - rect.top;
    const int origin = horizontal ? rect.left : rect.top;
    const int fr = GetRValue(from), fg = GetGValue(from), fb = GetBValue(from);
    const int tr = GetRValue(to), tg = GetGValue(to), tb = GetBValue(to);
    for (int i = 0; i < 64; ++i) {
        int a = origin + int(span * i / 64);
        int b = origin + int(span * (i + 1) / 64);
        if (a >= b)
            continue;
        COLORREF c =
            RGB((64 * fr + i * (tr - fr)) / 64, (64 * fg + i * (tg - fg)) / 64, (64 * fb + i * (tb - fb)) / 64);
        RECT band = horizontal ? RECT{a, rect.top, b, rect.bottom} : RECT{rect.left, a, rect.right, b};
        FillSolid(hdc, band, c);
    }
}

void DrawTools::FillEffect(HDC hdc, int effect, const RECT& rect, COLORREF color, COLORREF middle, COLORREF end) const
{
    if (effect == 1 || effect == 2) {
        GradientFill64(hdc, rect, color, end, effect == 1);
        return;
    }
    if (effect < 3 || effect > 6) {
        FillSolid(hdc, rect, color);
        return;
    }
    // 3 and 4 run to the end colour and back; 5 and 6 through the middle colour to the end colour.
    const bool horizontal = effect == 3 || effect == 5;
    const COLORREF turn = effect <= 4 ? end : middle;
    const COLORREF last = effect <= 4 ? color : end;
    RECT first = rect, second = rect;
    if (horizontal)
        first.right = second.left = rect.left + (rect.right - rect.left) / 2;
    else
        first.bottom = second.top = rect.top + (rect.bottom - rect.top) / 2;
    GradientFill64(hdc, first, color, turn, horizontal);
    GradientFill64(hdc, second, turn, last, horizontal);
}

void DrawTools::TileBitmap(HDC hdc, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                           int tileWidth, int tileHeight) const
{
    if (tileWidth <= 0 || tileHeight <= 0 || width <= 0 || height <= 0)
        return;
    // Only the visible part needs tiles; the first one drawn stays on the grid that starts at (x, y).
    RECT clip;
    int64_t left = x, top = y, right = int64_t(x) + width, bottom = int64_t(y) + height;
    if (GetClipBox(hdc, &clip) != ERROR) {
        if (clip.left > left)
            left = x + (int64_t(clip.left) - x) / tileWidth * tileWidth;
        if (clip.top > top)
            top = y + (int64_t(clip.top) - y) / tileHeight * tileHeight;
        if (clip.right < right)
            right = clip.right;
        if (clip.bottom < bottom)
            bottom = clip.bottom;
    }
    if (left >= right || top >= bottom)
        return;
    // Many small tiles are first gathered into one larger tile, so the number of copies stays small.
    const int64_t tiles = ((right - left) / tileWidth + 1) * ((bottom - top) / tileHeight + 1);
    if (tiles > 1024 && (tileWidth < 64 || tileHeight < 64)) {
        int bigWidth = tileWidth * ((64 + tileWidth - 1) / tileWidth);
        int bigHeight = tileHeight * ((64 + tileHeight - 1) / tileHeight);
        PixelSection big(bigWidth, bigHeight);
        if (big.Ok()) {
            for (int tx = 0; tx < bigWidth; tx += tileWidth)
                for (int ty = 0; ty < bigHeight; ty += tileHeight)
                    BitBlt(big.Dc(), tx, ty, tileWidth, tileHeight, source, sourceX, sourceY, SRCCOPY);
            TileBitmap(hdc, int(left), int(top), int(right - left), int(bottom - top), big.Dc(), 0, 0, bigWidth,
                       bigHeight);
            return;
        }
    }
    for (int64_t tx = left; tx < right; tx += tileWidth)
        for (int64_t ty = top; ty < bottom; ty += tileHeight) {
            int w = int(right - tx < tileWidth ? right - tx : tileWidth);
            int h = int(bottom - ty < tileHeight ? bottom - ty : tileHeight);
            BitBlt(hdc, int(tx), int(ty), w, h, source, sourceX, sourceY, SRCCOPY);
        }
}

void DrawTools::DrawBitmap(HDC hdc, int x, int y, int width, int height, HBITMAP bitmap, bool maskFlag,
                           COLORREF maskColor, int styleFlags, bool shadowFlag, int shadowX, int shadowY, int blurX,
                           int blurY, COLORREF shadowColor) const
{
    Pixels scaled;
    if (!ReadPixels(hdc, bitmap, width, height, true, scaled))
        return;
    const COLORREF white = RGB(255, 255, 255);
    // White where the mask colour is, black elsewhere; and the picture, black where the mask colour is.
    const Pixels mask = WithEffects(scaled, 8 | 0x8000, maskFlag, maskColor, white);
    const Pixels picture = WithEffects(scaled, styleFlags, maskFlag, maskColor, white);
    int px = x, py = y;
    if (shadowFlag) {
        if (styleFlags & 0x300) {
            const Pixels shadow = WithEffects(scaled, 8 | 0x8000, maskFlag, maskColor, ~shadowColor & 0x00FFFFFF);
            ShadowOnto(hdc, x + shadowX, y + shadowY, width, height, shadow, (styleFlags & 0x200) != 0, blurX, blurY);
        } else {
            px += shadowX;
            py += shadowY;
        }
    }
    Blend(hdc, px, py, width, height, mask, SRCAND);
    Blend(hdc, px, py, width, height, picture, SRCPAINT);
}

void DrawTools::DrawIcon(HDC hdc, int x, int y, int width, int height, HICON icon, int styleFlags, bool shadowFlag,
                         int shadowX, int shadowY, int blurX, int blurY, COLORREF shadowColor) const
{
    if (!icon || width <= 0 || height <= 0 || int64_t(width) * height > kMaxSectionPixels)
        return;
    SIZE own = GetIconSize(icon);
    HICON copy = (own.cx == width && own.cy == height) ? CopyIcon(icon) : StretchIcon(icon, width, height);
    ICONINFO info;
    if (!copy || !GetIconInfo(copy, &info)) {
        if (copy)
            DestroyIcon(copy);
        return;
    }
    Pixels colors, mask;
    if (!info.hbmColor) {
        // A monochrome icon has no colour picture to apply effects to; the platform draws it as it is.
        DrawIconEx(hdc, x, y, copy, width, height, 0, nullptr, DI_NORMAL);
    } else if (ReadPixels(hdc, info.hbmColor, width, height, false, colors) &&
               ReadPixels(hdc, info.hbmMask, width, height, false, mask)) {
        const COLORREF white = RGB(255, 255, 255);
        // Black pixels of the colour picture are left out of the effects: the icon's mask makes them holes.
        const Pixels picture = WithEffects(colors, styleFlags, true, RGB(0, 0, 0), white);
        int px = x, py = y;
        if (shadowFlag) {
            if (styleFlags & 0x300) {
                const Pixels shadow = WithEffects(mask, 8 | 0x8000, true, white, ~shadowColor & 0x00FFFFFF);
                ShadowOnto(hdc, x + shadowX, y + shadowY, width, height, shadow, (styleFlags & 0x200) != 0, blurX,
                           blurY);
            } else {
                px += shadowX;
                py += shadowY;
            }
        }
        Blend(hdc, px, py, width, height, mask, SRCAND);
        Blend(hdc, px, py, width, height, picture, SRCPAINT);
    }
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    DestroyIcon(copy);
}

void DrawTools::DrawShadow(HDC hdc, int x, int y, int width, int height, HBITMAP shadowMask, bool blurred, int blurX,
                           int blurY) const
{
    Pixels mask;
    if (ReadPixels(hdc, shadowMask, width, height, false, mask))
        ShadowOnto(hdc, x, y, width, height, mask, blurred, blurX, blurY);
}

void DrawTools::DrawFrame(HDC hdc, const RECT& rect, COLORREF light, COLORREF dark, int borderStyle, int penWidth) const
{
    if (borderStyle == 0 || penWidth <= 0)
        return;
    if (penWidth > kMaxPenWidth)
        penWidth = kMaxPenWidth;
    int penStyle = PenStyleFor(borderStyle);
    FrameOnce(hdc, rect, light, dark, penStyle, penWidth);
    if (borderStyle == 6) {
        RECT inner = rect;
        InflateRect(&inner, -2 * penWidth, -2 * penWidth);
        FrameOnce(hdc, inner, light, dark, penStyle, penWidth);
    }
}

void DrawTools::DrawLine(HDC hdc, int x1, int y1, int x2, int y2, COLORREF color, int borderStyle, int penWidth) const
{
    if (borderStyle == 0 || penWidth <= 0)
        return;
    if (penWidth > kMaxPenWidth)
        penWidth = kMaxPenWidth;
    HPEN pen = CreatePen(PenStyleFor(borderStyle), penWidth, color & 0x00FFFFFF);
    LineOnce(hdc, x1, y1, x2, y2, pen);
    if (borderStyle == 6) {
        bool horizontal = (x2 - x1 >= 0 ? x2 - x1 : x1 - x2) >= (y2 - y1 >= 0 ? y2 - y1 : y1 - y2);
        int dx = horizontal ? 0 : 2 * penWidth, dy = horizontal ? 2 * penWidth : 0;
        LineOnce(hdc, x1 + dx, y1 + dy, x2 + dx, y2 + dy, pen);
    }
    DeleteObject(pen);
}
