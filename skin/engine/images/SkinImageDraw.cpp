// SkinImage drawing: platform bitmaps, plain and blended drawing, colour-keyed drawing and tiling.
#include "skin/engine/images/SkinImage.h"

#include <cstring>
#include <vector>

#include "skin/engine/drawing/DibHeader.h"

namespace {

// Saves the device context's clip region and puts exactly that region back, or none when it had none.
class ClipGuard {
public:
    ClipGuard(HDC dc, const RECT* clip) : dc_(dc), saved_(NULL), hadRegion_(false)
    {
        if (!clip)
            return;
        saved_ = CreateRectRgn(0, 0, 0, 0);
        hadRegion_ = saved_ && GetClipRgn(dc, saved_) == 1;
        IntersectClipRect(dc, clip->left, clip->top, clip->right, clip->bottom);
    }
    ~ClipGuard()
    {
        if (!saved_)
            return;
        SelectClipRgn(dc_, hadRegion_ ? saved_ : NULL);
        DeleteObject(saved_);
    }
    ClipGuard(const ClipGuard&) = delete;
    ClipGuard& operator=(const ClipGuard&) = delete;

private:
    HDC dc_;
    HRGN saved_;
    bool hadRegion_;
};

int Stride24(int width)
{
    return ((width * 24 + 31) / 32) * 4;
}

} // namespace

HBITMAP SkinImage::MakeBitmap(HDC dc) const
{
    if (!block_)
        return NULL;
    if (dc)
        return CreateDIBitmap(dc, &header_, CBM_INIT, pixels_, Info(), DIB_RGB_COLORS);
    void* bits = NULL;
    HBITMAP bitmap = CreateDIBSection(NULL, Info(), DIB_RGB_COLORS, &bits, NULL, 0);
    if (bitmap && bits)
        std::memcpy(bits, pixels_, header_.biSizeImage);
    return bitmap;
}

bool SkinImage::CreateFromBitmap(HBITMAP bitmap, HPALETTE palette)
{
    Destroy();
    BITMAP bm;
    if (!bitmap || !GetObject(bitmap, sizeof bm, &bm))
        return false;
    if (!Create(bm.bmWidth, bm.bmHeight, bm.bmBitsPixel * bm.bmPlanes, FormatNone))
        return false;
    HDC screen = GetDC(NULL);
    HPALETTE old = NULL;
    if (palette) {
        old = SelectPalette(screen, palette, FALSE);
        RealizePalette(screen);
    }
    int rows = GetDIBits(screen, bitmap, 0, Height(), pixels_, reinterpret_cast<BITMAPINFO*>(block_), DIB_RGB_COLORS);
    if (palette)
        SelectPalette(screen, old, FALSE);
    ReleaseDC(NULL, screen);
    // GetDIBits may rewrite header fields; the palette it filled in stays.
    std::memcpy(block_, &header_, sizeof header_);
    if (rows == 0) {
        Destroy();
        return false;
    }
    lastQuery_ = -1;
    return true;
}

void SkinImage::MapSourceColumns(int x, int w, const RECT& visible, int* columns) const
{
    for (int dx = visible.left; dx < visible.right; ++dx)
        columns[dx - visible.left] = static_cast<int>(static_cast<long long>(dx - x) * Width() / w);
}

// The destination row whose lower edge lies k rows below y takes source row H - ceil(k * H / h).
int SkinImage::SourceRow(int destRow, int y, int h) const
{
    long long k = destRow - y + 1;
    long long row = Height() - (k * Height() + h - 1) / h;
    return row < 0 ? 0 : static_cast<int>(row);
}

RGBQUAD SkinImage::SourceColor(int x, int y, BYTE* alphaOut) const
{
    RGBQUAD c;
    const BYTE* row = pixels_ + static_cast<size_t>(y) * stride_;
    if (Bits() == 24) {
        c.rgbBlue = row[x * 3];
        c.rgbGreen = row[x * 3 + 1];
        c.rgbRed = row[x * 3 + 2];
        c.rgbReserved = 0;
    } else {
        c = PaletteEntry(IndexAt(x, y));
    }
    int a = alpha_ ? alpha_[static_cast<size_t>(y) * Width() + x] : 255;
    a = (a * (alphaMax_ + 1)) >> 8;
    if (alphaPalette_ && Bits() != 24)
        a = (a * (c.rgbReserved + 1)) >> 8;
    *alphaOut = static_cast<BYTE>(a);
    return c;
}

int SkinImage::DrawPlain(HDC dc, const RECT& visible, int x, int y, int w, int h)
{
    if (w == Width() && h == Height()) {
        SetDIBitsToDevice(dc, x, y, w, h, 0, 0, 0, Height(), pixels_, Info(), DIB_RGB_COLORS);
        return 1;
    }
    const int vw = visible.right - visible.left, vh = visible.bottom - visible.top;
    const int stride = Stride24(vw);
    std::vector<BYTE> buffer(static_cast<size_t>(stride) * vh);
    std::vector<int> columns(vw);
    MapSourceColumns(x, w, visible, columns.data());
    for (int row = 0; row < vh; ++row) {
        int sy = SourceRow(visible.top + row, y, h);
        BYTE* d = buffer.data() + static_cast<size_t>(row) * stride;
        for (int col = 0; col < vw; ++col, d += 3) {
            BYTE a;
            RGBQUAD c = SourceColor(columns[col], sy, &a);
            d[0] = c.rgbBlue;
            d[1] = c.rgbGreen;
            d[2] = c.rgbRed;
        }
    }
    BITMAPINFOHEADER info = TopDownHeader(vw, vh, 24);
    SetDIBitsToDevice(dc, visible.left, visible.top, vw, vh, 0, 0, 0, vh, buffer.data(),
                      reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    return 1;
}

int SkinImage::DrawBlended(HDC dc, const RECT& visible, int x, int y, int w, int h)
{
    const int vw = visible.right - visible.left, vh = visible.bottom - visible.top;
    BITMAPINFOHEADER info = TopDownHeader(vw, vh, 24);
    void* bits = NULL;
    HBITMAP section = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, NULL, 0);
    if (!section || !bits) {
        if (section)
            DeleteObject(section);
        return 0;
    }
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, section);
    BitBlt(memory, 0, 0, vw, vh, dc, visible.left, visible.top, SRCCOPY);
    GdiFlush();

    const bool keyed = HasTransparency();
    const RGBQUAD key = TransparentColor();
    const int stride = Stride24(vw);
    std::vector<int> columns(vw);
    MapSourceColumns(x, w, visible, columns.data());
    for (int row = 0; row < vh; ++row) {
        int sy = SourceRow(visible.top + row, y, h);
        BYTE* d = static_cast<BYTE*>(bits) + static_cast<size_t>(row) * stride;
        for (int col = 0; col < vw; ++col, d += 3) {
            BYTE a;
            RGBQUAD c = SourceColor(columns[col], sy, &a);
            if (a == 0 || (keyed && SameColor(c, key)))
                continue;
            if (a == 255) {
                d[0] = c.rgbBlue;
                d[1] = c.rgbGreen;
                d[2] = c.rgbRed;
            } else {
                d[0] = static_cast<BYTE>((c.rgbBlue * a + d[0] * (255 - a)) >> 8);
                d[1] = static_cast<BYTE>((c.rgbGreen * a + d[1] * (255 - a)) >> 8);
                d[2] = static_cast<BYTE>((c.rgbRed * a + d[2] * (255 - a)) >> 8);
            }
        }
    }
    BitBlt(dc, visible.left, visible.top, vw, vh, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(section);
    return 1;
}

// Whether there is anything to draw; -1 for width or height means the image's own.
bool SkinImage::DrawSize(HDC dc, int& width, int& height) const
{
    if (!block_ || !dc || !enabled_)
        return false;
    if (width == -1)
        width = Width();
    if (height == -1)
        height = Height();
    return width > 0 && height > 0;
}

int SkinImage::Draw(HDC dc, int x, int y, int width, int height, const RECT* clip)
{
    if (!DrawSize(dc, width, height))
        return 0;
    ClipGuard guard(dc, clip);
    RECT box, dest = {x, y, x + width, y + height}, visible;
    if (GetClipBox(dc, &box) == ERROR || !IntersectRect(&visible, &dest, &box))
        return 1; // nothing of it is visible
    if (!HasTransparency() && !alpha_ && !alphaPalette_)
        return DrawPlain(dc, visible, x, y, width, height);
    return DrawBlended(dc, visible, x, y, width, height);
}

int SkinImage::DrawMasked(HDC dc, int x, int y, int width, int height)
{
    if (!DrawSize(dc, width, height))
        return 0;
    if (!HasTransparency())
        return StretchDraw(dc, x, y, width, height);
    RECT dest = {x, y, x + width, y + height};
    if (!RectVisible(dc, &dest))
        return 0;
    const int W = Width(), H = Height();
    HDC colorDc = CreateCompatibleDC(dc);
    HDC maskDc = CreateCompatibleDC(dc);
    HBITMAP color = CreateCompatibleBitmap(dc, W, H);
    HBITMAP mask = CreateBitmap(W, H, 1, 1, NULL);
    HGDIOBJ oldColor = SelectObject(colorDc, color);
    HGDIOBJ oldMask = SelectObject(maskDc, mask);
    SetStretchBltMode(colorDc, COLORONCOLOR);
    SetDIBitsToDevice(colorDc, 0, 0, W, H, 0, 0, 0, H, pixels_, Info(), DIB_RGB_COLORS);
    RGBQUAD key = TransparentColor();
    SetBkColor(colorDc, RGB(key.rgbRed, key.rgbGreen, key.rgbBlue));
    BitBlt(maskDc, 0, 0, W, H, colorDc, 0, 0, SRCCOPY);

    // XOR, AND with the mask, XOR again: key pixels leave the destination as it was.
    int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
    COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    StretchBlt(dc, x, y, width, height, colorDc, 0, 0, W, H, SRCINVERT);
    StretchBlt(dc, x, y, width, height, maskDc, 0, 0, W, H, SRCAND);
    StretchBlt(dc, x, y, width, height, colorDc, 0, 0, W, H, SRCINVERT);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBk);
    SetStretchBltMode(dc, oldMode);

    SelectObject(maskDc, oldMask);
    SelectObject(colorDc, oldColor);
    DeleteObject(mask);
    DeleteObject(color);
    DeleteDC(maskDc);
    DeleteDC(colorDc);
    return 1;
}

int SkinImage::StretchDraw(HDC dc, int x, int y, int width, int height)
{
    if (!block_ || !dc || width == 0 || height == 0)
        return 0;
    int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, x, y, width, height, 0, 0, Width(), Height(), pixels_, Info(), DIB_RGB_COLORS, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
    return 1;
}

int SkinImage::Tile(HDC dc, const RECT& dest)
{
    if (!block_ || !dc)
        return 0;
    const int W = Width(), H = Height();
    for (int y = dest.top; y < dest.bottom; y += H)
        for (int x = dest.left; x < dest.right; x += W) {
            RECT cell = {x, y, x + W < dest.right ? x + W : dest.right, y + H < dest.bottom ? y + H : dest.bottom};
            Draw(dc, x, y, W, H, &cell);
        }
    return 1;
}
