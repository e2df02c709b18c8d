// The rich-text drawing toolbox; see DrawTools.h.
#include "DrawTools.h"

#include <cstdint>
#include <vector>

namespace {

const int64_t kMaxSectionPixels = 4096 * 4096; // effect sections are made per picture; refuse absurd ones
const int kMaxPenWidth = 10000;

// A 32-bit bottom-up section selected into its own memory DC, freed with the object unless detached.
class Section {
public:
    Section(int width, int height) : width_(width), height_(height)
    {
        if (width <= 0 || height <= 0 || int64_t(width) * height > kMaxSectionPixels)
            return;
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        info.bmiHeader.biSizeImage = DWORD(width) * height * 4;
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
    ~Section()
    {
        if (dc_) {
            SelectObject(dc_, old_);
            DeleteDC(dc_);
        }
        if (bitmap_)
            DeleteObject(bitmap_);
    }
    Section(const Section&) = delete;
    Section& operator=(const Section&) = delete;

    bool Ok() const { return pixels_ != nullptr; }
    HDC Dc() const { return dc_; }
    uint32_t* Pixels() const { return pixels_; }
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

uint32_t PixelOf(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

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
    Section section(width, height);
    if (!section.Ok())
        return nullptr;
    {
        SelectedBitmap source(bitmap);
        BitBlt(section.Dc(), 0, 0, width, height, source.Dc(), 0, 0, SRCCOPY);
    }
    GdiFlush();
    const uint32_t mask = PixelOf(maskColor);
    const uint32_t fill = PixelOf(fillColor);
    uint32_t* p = section.Pixels();
    for (size_t i = 0, n = section.Count(); i < n; ++i) {
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
        COLORREF c = RGB((64 * fr + i * (tr - fr)) / 64, (64 * fg + i * (tg - fg)) / 64, (64 * fb + i * (tb - fb)) / 64);
        RECT band = horizontal ? RECT{a, rect.top, b, rect.bottom} : RECT{rect.left, a, rect.right, b};
        FillSolid(hdc, band, c);
    }
}

void DrawTools::FillEffect(HDC hdc, int effect, const RECT& rect, COLORREF color, COLORREF middle,
                           COLORREF end) const
{
    int midX = rect.left + (rect.right - rect.left) / 2;
    int midY = rect.top + (rect.bottom - rect.top) / 2;
    RECT first = rect, second = rect;
    switch (effect) {
    case 1:
        GradientFill64(hdc, rect, color, end, true);
        break;
    case 2:
        GradientFill64(hdc, rect, color, end, false);
        break;
    case 3:
    case 5:
        first.right = midX;
        second.left = midX;
        GradientFill64(hdc, first, color, effect == 3 ? end : middle, true);
        GradientFill64(hdc, second, effect == 3 ? end : middle, effect == 3 ? color : end, true);
        break;
    case 4:
    case 6:
        first.bottom = midY;
        second.top = midY;
        GradientFill64(hdc, first, color, effect == 4 ? end : middle, false);
        GradientFill64(hdc, second, effect == 4 ? end : middle, effect == 4 ? color : end, false);
        break;
    default:
        FillSolid(hdc, rect, color);
        break;
    }
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
        Section big(bigWidth, bigHeight);
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
    if (!bitmap || width <= 0 || height <= 0)
        return;
    SIZE own = GetBitmapSize(bitmap);
    Section scaled(width, height);
    if (!scaled.Ok() || own.cx <= 0 || own.cy <= 0)
        return;
    {
        SelectedBitmap source(bitmap);
        if (own.cx == width && own.cy == height) {
            BitBlt(scaled.Dc(), 0, 0, width, height, source.Dc(), 0, 0, SRCCOPY);
        } else {
            SetStretchBltMode(scaled.Dc(), COLORONCOLOR);
            StretchBlt(scaled.Dc(), 0, 0, width, height, source.Dc(), 0, 0, own.cx, own.cy, SRCCOPY);
        }
    }
    HBITMAP picture = scaled.Detach();
    HBITMAP mask = CreateEffectBitmap(picture, width, height, 8 | 0x8000, maskFlag, maskColor, RGB(255, 255, 255));
    HBITMAP effect = CreateEffectBitmap(picture, width, height, styleFlags, maskFlag, maskColor, RGB(255, 255, 255));
    int px = x, py = y;
    if (shadowFlag) {
        if (styleFlags & 0x300) {
            HBITMAP shadow = CreateEffectBitmap(picture, width, height, 8 | 0x8000, maskFlag, maskColor,
                                                ~shadowColor & 0x00FFFFFF);
            DrawShadow(hdc, x + shadowX, y + shadowY, width, height, shadow, (styleFlags & 0x200) != 0, blurX, blurY);
            if (shadow)
                DeleteObject(shadow);
        } else {
            px += shadowX;
            py += shadowY;
        }
    }
    if (mask && effect) {
        SelectedBitmap m(mask), e(effect);
        BitBlt(hdc, px, py, width, height, m.Dc(), 0, 0, SRCAND);
        BitBlt(hdc, px, py, width, height, e.Dc(), 0, 0, SRCPAINT);
    }
    if (mask)
        DeleteObject(mask);
    if (effect)
        DeleteObject(effect);
    DeleteObject(picture);
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
    if (!info.hbmColor) {
        // A monochrome icon has no colour picture to apply effects to; the platform draws it as it is.
        DrawIconEx(hdc, x, y, copy, width, height, 0, nullptr, DI_NORMAL);
    } else {
        HBITMAP picture =
            CreateEffectBitmap(info.hbmColor, width, height, styleFlags, true, RGB(0, 0, 0), RGB(255, 255, 255));
        int px = x, py = y;
        if (shadowFlag) {
            if (styleFlags & 0x300) {
                HBITMAP shadow = CreateEffectBitmap(info.hbmMask, width, height, 8 | 0x8000, true,
                                                    RGB(255, 255, 255), ~shadowColor & 0x00FFFFFF);
                DrawShadow(hdc, x + shadowX, y + shadowY, width, height, shadow, (styleFlags & 0x200) != 0, blurX,
                           blurY);
                if (shadow)
                    DeleteObject(shadow);
            } else {
                px += shadowX;
                py += shadowY;
            }
        }
        if (picture) {
            // The monochrome mask takes the DC's text colour for 0 and background colour for 1.
            COLORREF oldText = SetTextColor(hdc, RGB(0, 0, 0));
            COLORREF oldBack = SetBkColor(hdc, RGB(255, 255, 255));
            SelectedBitmap m(info.hbmMask), p(picture);
            BitBlt(hdc, px, py, width, height, m.Dc(), 0, 0, SRCAND);
            BitBlt(hdc, px, py, width, height, p.Dc(), 0, 0, SRCPAINT);
            SetTextColor(hdc, oldText);
            SetBkColor(hdc, oldBack);
            DeleteObject(picture);
        }
    }
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    DestroyIcon(copy);
}

void DrawTools::DrawShadow(HDC hdc, int x, int y, int width, int height, HBITMAP shadowMask, bool blurred,
                           int blurX, int blurY) const
{
    if (!shadowMask)
        return;
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
    Section a(width, height), b(width, height);
    if (!a.Ok() || !b.Ok())
        return;
    {
        SelectedBitmap mask(shadowMask);
        if (blurred) {
            PatBlt(a.Dc(), 0, 0, width, height, WHITENESS);
            SetStretchBltMode(a.Dc(), COLORONCOLOR);
            StretchBlt(a.Dc(), blurX / 2, blurY / 2, width - blurX, height - blurY, mask.Dc(), 0, 0, width, height,
                       SRCCOPY);
        } else {
            BitBlt(a.Dc(), 0, 0, width, height, mask.Dc(), 0, 0, SRCCOPY);
        }
    }
    BitBlt(b.Dc(), 0, 0, width, height, hdc, x, y, SRCCOPY);
    GdiFlush();

    const size_t count = a.Count();
    std::vector<int64_t> factor(count); // numerator over `scale`
    int64_t scale;
    const uint32_t* ap = a.Pixels();
    if (blurred) {
        // Box sums with running totals, first along rows, then along columns; outside counts as white.
        const int rx = blurX / 2, ry = blurY / 2;
        std::vector<int64_t> rows(count);
        for (int row = 0; row < height; ++row) {
            const uint32_t* line = ap + size_t(row) * width;
            int64_t sum = 0;
            for (int k = -rx; k <= rx; ++k)
                sum += (k < 0 || k >= width) ? 255 : (line[k] & 0xFF);
            for (int col = 0; col < width; ++col) {
                rows[size_t(row) * width + col] = sum;
                int leave = col - rx, enter = col + rx + 1;
                sum -= (leave < 0 || leave >= width) ? 255 : (line[leave] & 0xFF);
                sum += (enter < 0 || enter >= width) ? 255 : (line[enter] & 0xFF);
            }
        }
        const int64_t outside = int64_t(255) * blurX;
        for (int col = 0; col < width; ++col) {
            int64_t sum = 0;
            for (int k = -ry; k <= ry; ++k)
                sum += (k < 0 || k >= height) ? outside : rows[size_t(k) * width + col];
            for (int row = 0; row < height; ++row) {
                factor[size_t(row) * width + col] = sum;
                int leave = row - ry, enter = row + ry + 1;
                sum -= (leave < 0 || leave >= height) ? outside : rows[size_t(leave) * width + col];
                sum += (enter < 0 || enter >= height) ? outside : rows[size_t(enter) * width + col];
            }
        }
        scale = int64_t(blurX) * blurY * 255;
    } else {
        for (size_t i = 0; i < count; ++i)
            factor[i] = ap[i] & 0xFF;
        scale = 255;
    }
    uint32_t* bp = b.Pixels();
    for (size_t i = 0; i < count; ++i) {
        int64_t f = factor[i];
        if (f < 0 || f >= scale)
            continue;
        uint32_t v = bp[i];
        uint32_t r = uint32_t(((v >> 16) & 0xFF) * f / scale);
        uint32_t g = uint32_t(((v >> 8) & 0xFF) * f / scale);
        uint32_t bl = uint32_t((v & 0xFF) * f / scale);
        bp[i] = (r << 16) | (g << 8) | bl;
    }
    BitBlt(hdc, x, y, width, height, b.Dc(), 0, 0, SRCCOPY);
}

void DrawTools::DrawFrame(HDC hdc, const RECT& rect, COLORREF light, COLORREF dark, int borderStyle,
                          int penWidth) const
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

void DrawTools::DrawLine(HDC hdc, int x1, int y1, int x2, int y2, COLORREF color, int borderStyle,
                         int penWidth) const
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
