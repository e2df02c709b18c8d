// SkinImage: content, settings, pixel access and the geometric transformations.
// The codecs live in SkinImageCodec.cpp and the drawing in SkinImageDraw.cpp.
#include "skin/engine/images/SkinImage.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "skin/engine/store/SkinHeap.h"

namespace {

int NormaliseBits(int bits)
{
    if (bits < 2)
        return 1;
    if (bits < 5)
        return 4;
    if (bits < 9)
        return 8;
    return 24;
}

long PixelsPerMetre(int dpi)
{
    return static_cast<long>(std::floor(dpi * 39.37007874015748 + 0.5));
}

} // namespace

SkinImage::SkinImage(int format) : block_(NULL), pixels_(NULL), alpha_(NULL), stride_(0), format_(format)
{
    std::memset(&header_, 0, sizeof header_);
    ResetSettings();
}

SkinImage::SkinImage(const SkinImage& source, bool copyPixels, bool copyAlpha)
    : block_(NULL), pixels_(NULL), alpha_(NULL), stride_(0), format_(FormatNone)
{
    std::memset(&header_, 0, sizeof header_);
    ResetSettings();
    Copy(source, copyPixels, copyAlpha);
}

SkinImage::~SkinImage()
{
    Destroy();
}

void SkinImage::ResetSettings()
{
    transparentIndex_ = -1;
    std::memset(&transparentColor_, 0, sizeof transparentColor_);
    quality_ = 75;
    alphaMax_ = 255;
    alphaPalette_ = false;
    enabled_ = true;
    view_ = false;
    escape_ = false;
    dpiX_ = dpiY_ = 96;
    progress_ = 0;
    lastQuery_ = -1;
    lastAnswer_ = 0;
}

void SkinImage::CopySettings(const SkinImage& source)
{
    transparentIndex_ = source.transparentIndex_;
    transparentColor_ = source.transparentColor_;
    quality_ = source.quality_;
    alphaMax_ = source.alphaMax_;
    alphaPalette_ = source.alphaPalette_;
    enabled_ = source.enabled_;
    dpiX_ = source.dpiX_;
    dpiY_ = source.dpiY_;
}

void* SkinImage::Create(int width, int height, int bits, int format)
{
    Destroy();
    format_ = format;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
        static_cast<long long>(width) * height > kMaxPixels)
        return NULL;
    bits = NormaliseBits(bits);
    int colors = bits == 24 ? 0 : (1 << bits);
    long long stride = ((static_cast<long long>(width) * bits + 31) / 32) * 4;
    long long imageSize = stride * height;
    size_t total = sizeof(BITMAPINFOHEADER) + colors * sizeof(RGBQUAD) + static_cast<size_t>(imageSize);
    block_ = static_cast<BYTE*>(tessarine::SkinHeapAlloc(total));
    if (!block_)
        return NULL;
    std::memset(block_, 0, sizeof(BITMAPINFOHEADER) + colors * sizeof(RGBQUAD));
    // The last word of every row is zeroed, so that row padding never carries stale heap bytes into an
    // encoded file; the pixels themselves are written by whoever creates the image.
    BYTE* rows = block_ + sizeof(BITMAPINFOHEADER) + colors * sizeof(RGBQUAD);
    for (long long y = 0; y < height; ++y)
        std::memset(rows + (y + 1) * stride - 4, 0, 4);
    header_.biSize = sizeof(BITMAPINFOHEADER);
    header_.biWidth = width;
    header_.biHeight = height;
    header_.biPlanes = 1;
    header_.biBitCount = static_cast<WORD>(bits);
    header_.biCompression = BI_RGB;
    header_.biSizeImage = static_cast<DWORD>(imageSize);
    header_.biXPelsPerMeter = PixelsPerMetre(dpiX_);
    header_.biYPelsPerMeter = PixelsPerMetre(dpiY_);
    header_.biClrUsed = colors;
    header_.biClrImportant = 0;
    std::memcpy(block_, &header_, sizeof header_);
    pixels_ = block_ + sizeof(BITMAPINFOHEADER) + colors * sizeof(RGBQUAD);
    stride_ = static_cast<int>(stride);
    lastQuery_ = -1;
    return block_;
}

bool SkinImage::Copy(const SkinImage& source, bool copyPixels, bool copyAlpha)
{
    if (&source == this)
        return IsValid();
    CopySettings(source);
    if (!source.IsValid()) {
        Destroy();
        return false;
    }
    if (!Create(source.Width(), source.Height(), source.Bits(), source.format_))
        return false;
    SetDpi(source.dpiX_, source.dpiY_);
    size_t paletteBytes = header_.biClrUsed * sizeof(RGBQUAD);
    if (copyPixels)
        std::memcpy(pixels_, source.pixels_, header_.biSizeImage);
    std::memcpy(block_ + sizeof(BITMAPINFOHEADER), source.block_ + sizeof(BITMAPINFOHEADER), paletteBytes);
    if (copyAlpha && source.alpha_ && CreateAlphaPlane())
        std::memcpy(alpha_, source.alpha_, static_cast<size_t>(Width()) * Height());
    return true;
}

// Points this (emptied) image at the source's buffers and takes its settings.
void SkinImage::ShareBuffers(const SkinImage& source)
{
    Destroy();
    header_ = source.header_;
    block_ = source.block_;
    pixels_ = source.pixels_;
    alpha_ = source.alpha_;
    stride_ = source.stride_;
    format_ = source.format_;
    CopySettings(source);
}

void SkinImage::TakeOver(SkinImage& source)
{
    if (&source == this)
        return;
    ShareBuffers(source);
    view_ = source.view_;
    source.block_ = source.pixels_ = source.alpha_ = NULL;
    source.view_ = false;
    source.Destroy();
}

void SkinImage::Destroy()
{
    if (!view_) {
        tessarine::SkinHeapFree(block_);
        tessarine::SkinHeapFree(alpha_);
    }
    block_ = pixels_ = alpha_ = NULL;
    view_ = false;
    stride_ = 0;
    std::memset(&header_, 0, sizeof header_);
    lastQuery_ = -1;
}

void SkinImage::MakeView(const SkinImage& source)
{
    ShareBuffers(source);
    view_ = true;
}

RGBQUAD* SkinImage::Palette() const
{
    if (!block_ || header_.biClrUsed == 0)
        return NULL;
    return reinterpret_cast<RGBQUAD*>(block_ + sizeof(BITMAPINFOHEADER));
}

void SkinImage::SetDpi(int x, int y)
{
    dpiX_ = x;
    dpiY_ = y;
    header_.biXPelsPerMeter = PixelsPerMetre(x);
    header_.biYPelsPerMeter = PixelsPerMetre(y);
    if (block_ && !view_)
        std::memcpy(block_, &header_, sizeof header_);
}

RGBQUAD SkinImage::TransparentColor() const
{
    RGBQUAD* palette = Palette();
    if (palette && transparentIndex_ >= 0 && transparentIndex_ < static_cast<int>(header_.biClrUsed))
        return palette[transparentIndex_];
    return transparentColor_;
}

void SkinImage::SetTransparentColor(RGBQUAD color)
{
    transparentColor_ = color;
}

bool SkinImage::SameColor(RGBQUAD a, RGBQUAD b) const
{
    return a.rgbBlue == b.rgbBlue && a.rgbGreen == b.rgbGreen && a.rgbRed == b.rgbRed;
}

// ---- pixel access ----

BYTE SkinImage::IndexAt(int x, int y) const
{
    if (!block_ || x < 0 || y < 0 || x >= Width() || y >= Height()) {
        if (HasTransparency())
            return static_cast<BYTE>(transparentIndex_);
        return pixels_ ? pixels_[0] : 0;
    }
    const BYTE* row = pixels_ + static_cast<size_t>(y) * stride_;
    switch (Bits()) {
    case 8:
        return row[x];
    case 4:
        return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F;
    case 1:
        return (row[x >> 3] >> (7 - (x & 7))) & 0x01;
    default:
        return 0;
    }
}

void SkinImage::SetIndexAt(int x, int y, BYTE index)
{
    if (!block_ || x < 0 || y < 0 || x >= Width() || y >= Height())
        return;
    BYTE* row = pixels_ + static_cast<size_t>(y) * stride_;
    switch (Bits()) {
    case 8:
        row[x] = index;
        break;
    case 4: {
        int shift = (x & 1) ? 0 : 4;
        row[x >> 1] = static_cast<BYTE>((row[x >> 1] & ~(0x0F << shift)) | ((index & 0x0F) << shift));
        break;
    }
    case 1: {
        int shift = 7 - (x & 7);
        row[x >> 3] = static_cast<BYTE>((row[x >> 3] & ~(1 << shift)) | ((index & 1) << shift));
        break;
    }
    default:
        break;
    }
}

RGBQUAD SkinImage::ColorAt(int x, int y) const
{
    RGBQUAD c = {0, 0, 0, 0};
    if (!block_)
        return c;
    if (x < 0 || y < 0 || x >= Width() || y >= Height()) {
        if (HasTransparency())
            return TransparentColor();
        x = y = 0;
    }
    if (Bits() == 24) {
        const BYTE* p = pixels_ + static_cast<size_t>(y) * stride_ + x * 3;
        c.rgbBlue = p[0];
        c.rgbGreen = p[1];
        c.rgbRed = p[2];
    } else {
        c = PaletteEntry(IndexAt(x, y));
        c.rgbReserved = 0;
    }
    if (alpha_)
        c.rgbReserved = alpha_[static_cast<size_t>(y) * Width() + x];
    return c;
}

void SkinImage::SetColorAt(int x, int y, RGBQUAD color, bool setAlpha)
{
    if (!block_ || x < 0 || y < 0 || x >= Width() || y >= Height())
        return;
    if (Bits() == 24) {
        BYTE* p = pixels_ + static_cast<size_t>(y) * stride_ + x * 3;
        p[0] = color.rgbBlue;
        p[1] = color.rgbGreen;
        p[2] = color.rgbRed;
    } else {
        SetIndexAt(x, y, NearestPaletteIndex(color));
    }
    if (setAlpha && alpha_)
        alpha_[static_cast<size_t>(y) * Width() + x] = color.rgbReserved;
}

BYTE SkinImage::AlphaAt(int x, int y) const
{
    if (!block_ || x < 0 || y < 0 || x >= Width() || y >= Height())
        return 0;
    return alpha_ ? alpha_[static_cast<size_t>(y) * Width() + x] : 255;
}

void SkinImage::SetAlphaAt(int x, int y, BYTE alpha)
{
    if (!alpha_ || x < 0 || y < 0 || x >= Width() || y >= Height())
        return;
    alpha_[static_cast<size_t>(y) * Width() + x] = alpha;
}

RGBQUAD SkinImage::PaletteEntry(int index) const
{
    RGBQUAD c = {0, 0, 0, 0};
    RGBQUAD* palette = Palette();
    if (palette && index >= 0 && index < static_cast<int>(header_.biClrUsed))
        c = palette[index];
    return c;
}

void SkinImage::SetPaletteEntry(int index, RGBQUAD color)
{
    RGBQUAD* palette = Palette();
    if (palette && index >= 0 && index < static_cast<int>(header_.biClrUsed))
        palette[index] = color;
    lastQuery_ = -1;
}

void SkinImage::SetPaletteEntries(const RGBQUAD* colors, int count)
{
    RGBQUAD* palette = Palette();
    if (palette && colors && count > 0) {
        if (count > static_cast<int>(header_.biClrUsed))
            count = static_cast<int>(header_.biClrUsed);
        std::memcpy(palette, colors, count * sizeof(RGBQUAD));
    }
    lastQuery_ = -1;
}

void SkinImage::MakeGreyPalette()
{
    RGBQUAD* palette = Palette();
    int n = static_cast<int>(header_.biClrUsed);
    if (!palette || n < 2)
        return;
    for (int i = 0; i < n; ++i) {
        BYTE v = static_cast<BYTE>(i * (255 / (n - 1)));
        palette[i].rgbBlue = palette[i].rgbGreen = palette[i].rgbRed = v;
        palette[i].rgbReserved = 0;
    }
    lastQuery_ = -1;
}

BYTE SkinImage::NearestPaletteIndex(RGBQUAD color) const
{
    RGBQUAD* palette = Palette();
    if (!palette)
        return 0;
    int key = color.rgbBlue | (color.rgbGreen << 8) | (color.rgbRed << 16);
    if (key == lastQuery_)
        return lastAnswer_;
    int count = header_.biClrImportant ? static_cast<int>(header_.biClrImportant) : static_cast<int>(header_.biClrUsed);
    if (count > static_cast<int>(header_.biClrUsed))
        count = static_cast<int>(header_.biClrUsed);
    long best = 200000;
    int answer = 0;
    for (int i = 0; i < count; ++i) {
        long db = palette[i].rgbBlue - color.rgbBlue;
        long dg = palette[i].rgbGreen - color.rgbGreen;
        long dr = palette[i].rgbRed - color.rgbRed;
        long d = db * db + dg * dg + dr * dr;
        if (d == 0) {
            answer = i;
            break;
        }
        if (d < best) {
            best = d;
            answer = i;
        }
    }
    lastQuery_ = key;
    lastAnswer_ = static_cast<BYTE>(answer);
    return lastAnswer_;
}

bool SkinImage::CreateAlphaPlane()
{
    if (!block_)
        return false;
    if (alpha_ && !view_)
        tessarine::SkinHeapFree(alpha_);
    alpha_ = static_cast<BYTE*>(tessarine::SkinHeapAllocZero(static_cast<size_t>(Width()) * Height()));
    return alpha_ != NULL;
}

void SkinImage::DropAlphaPlane()
{
    if (!view_)
        tessarine::SkinHeapFree(alpha_);
    alpha_ = NULL;
}

void SkinImage::FlipAlphaVertical()
{
    if (!alpha_)
        return;
    int w = Width();
    for (int top = 0, bottom = Height() - 1; top < bottom; ++top, --bottom)
        for (int x = 0; x < w; ++x) {
            BYTE t = alpha_[static_cast<size_t>(top) * w + x];
            alpha_[static_cast<size_t>(top) * w + x] = alpha_[static_cast<size_t>(bottom) * w + x];
            alpha_[static_cast<size_t>(bottom) * w + x] = t;
        }
}

void SkinImage::FlipAlphaHorizontal()
{
    if (!alpha_)
        return;
    int w = Width();
    for (int y = 0; y < Height(); ++y) {
        BYTE* row = alpha_ + static_cast<size_t>(y) * w;
        for (int l = 0, r = w - 1; l < r; ++l, --r) {
            BYTE t = row[l];
            row[l] = row[r];
            row[r] = t;
        }
    }
}

// ---- transformations ----

bool SkinImage::FlipVertical()
{
    if (!block_)
        return false;
    BYTE* line = static_cast<BYTE*>(std::malloc(stride_));
    if (!line)
        return false;
    for (int top = 0, bottom = Height() - 1; top < bottom; ++top, --bottom) {
        BYTE* a = pixels_ + static_cast<size_t>(top) * stride_;
        BYTE* b = pixels_ + static_cast<size_t>(bottom) * stride_;
        std::memcpy(line, a, stride_);
        std::memcpy(a, b, stride_);
        std::memcpy(b, line, stride_);
    }
    std::free(line);
    FlipAlphaVertical();
    return true;
}

bool SkinImage::FlipHorizontal()
{
    if (!block_)
        return false;
    int w = Width();
    for (int y = 0; y < Height(); ++y) {
        BYTE* row = pixels_ + static_cast<size_t>(y) * stride_;
        for (int l = 0, r = w - 1; l < r; ++l, --r) {
            if (Bits() == 24) {
                for (int k = 0; k < 3; ++k) {
                    BYTE t = row[l * 3 + k];
                    row[l * 3 + k] = row[r * 3 + k];
                    row[r * 3 + k] = t;
                }
            } else if (Bits() == 8) {
                BYTE t = row[l];
                row[l] = row[r];
                row[r] = t;
            } else {
                BYTE a = IndexAt(l, y), b = IndexAt(r, y);
                SetIndexAt(l, y, b);
                SetIndexAt(r, y, a);
            }
        }
    }
    FlipAlphaHorizontal();
    return true;
}

bool SkinImage::Rotate(double angle, SkinImage* target)
{
    if (!block_)
        return false;
    const double theta = -angle * 3.14159265358979323846 / 180.0;
    const double c = std::cos(theta), s = std::sin(theta);
    const int W = Width(), H = Height();
    const double cx[4] = {0, static_cast<double>(W), 0, static_cast<double>(W - 1)};
    const double cy[4] = {0, 0, static_cast<double>(H), static_cast<double>(H)};
    int minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (int i = 0; i < 4; ++i) {
        int rx = static_cast<int>(std::floor(cx[i] * c - cy[i] * s));
        int ry = static_cast<int>(std::floor(cx[i] * s + cy[i] * c));
        if (i == 0 || rx < minX)
            minX = rx;
        if (i == 0 || rx > maxX)
            maxX = rx;
        if (i == 0 || ry < minY)
            minY = ry;
        if (i == 0 || ry > maxY)
            maxY = ry;
    }
    SkinImage result(format_);
    result.CopySettings(*this);
    if (!result.Create(maxX + 2 - minX, maxY + 2 - minY, Bits(), format_))
        return false;
    result.SetDpi(dpiX_, dpiY_);
    result.SetPaletteEntries(Palette(), ColorCount());
    if (alpha_ && !result.CreateAlphaPlane())
        return false;
    const bool palette = Bits() != 24;
    for (int y = minY; y < maxY + 2; ++y) {
        if (escape_)
            return false;
        progress_ = (y - minY) * 100 / result.Height();
        for (int x = minX; x < maxX + 2; ++x) {
            int sx = static_cast<int>(x * c + y * s - 0.5);
            int sy = static_cast<int>(y * c - x * s - 0.5);
            if (palette)
                result.SetIndexAt(x - minX, y - minY, IndexAt(sx, sy));
            else
                result.SetColorAt(x - minX, y - minY, ColorAt(sx, sy));
            if (alpha_)
                result.SetAlphaAt(x - minX, y - minY, AlphaAt(sx, sy));
        }
    }
    progress_ = 100;
    if (target)
        target->TakeOver(result);
    else
        TakeOver(result);
    return true;
}

bool SkinImage::Rotate180(SkinImage* target)
{
    if (!block_)
        return false;
    SkinImage result(*this, false, false);
    if (!result.IsValid())
        return false;
    if (alpha_ && !result.CreateAlphaPlane())
        return false;
    const int W = Width(), H = Height();
    for (int y = 0; y < H; ++y) {
        if (escape_)
            return false;
        progress_ = y * 100 / H;
        for (int x = 0; x < W; ++x) {
            if (Bits() == 24)
                result.SetColorAt(W - 1 - x, H - 1 - y, ColorAt(x, y));
            else
                result.SetIndexAt(W - 1 - x, H - 1 - y, IndexAt(x, y));
            if (alpha_)
                result.SetAlphaAt(W - 1 - x, H - 1 - y, AlphaAt(x, y));
        }
    }
    progress_ = 100;
    if (target)
        target->TakeOver(result);
    else
        TakeOver(result);
    return true;
}

bool SkinImage::Crop(int left, int top, int right, int bottom, SkinImage* target)
{
    if (!block_)
        return false;
    const int W = Width(), H = Height();
    auto clamp = [](int v, int hi) { return v < 0 ? 0 : (v > hi ? hi : v); };
    left = clamp(left, W);
    right = clamp(right, W);
    top = clamp(top, H);
    bottom = clamp(bottom, H);
    if (left == right || top == bottom)
        return false;
    if (left > right) {
        int t = left;
        left = right;
        right = t;
    }
    if (top > bottom) {
        int t = top;
        top = bottom;
        bottom = t;
    }
    const int firstRow = H - bottom, w = right - left, h = bottom - top;
    SkinImage result(format_);
    result.CopySettings(*this);
    if (!result.Create(w, h, Bits(), format_))
        return false;
    result.SetDpi(dpiX_, dpiY_);
    result.SetPaletteEntries(Palette(), ColorCount());
    if (alpha_ && !result.CreateAlphaPlane())
        return false;
    for (int y = 0; y < h; ++y) {
        if (escape_)
            return false;
        progress_ = y * 100 / h;
        const BYTE* src = pixels_ + static_cast<size_t>(firstRow + y) * stride_;
        BYTE* dst = result.pixels_ + static_cast<size_t>(y) * result.stride_;
        if (Bits() == 24)
            std::memcpy(dst, src + left * 3, static_cast<size_t>(w) * 3);
        else if (Bits() == 8)
            std::memcpy(dst, src + left, w);
        else
            for (int x = 0; x < w; ++x)
                result.SetIndexAt(x, y, IndexAt(left + x, firstRow + y));
        if (alpha_)
            std::memcpy(result.alpha_ + static_cast<size_t>(y) * w,
                        alpha_ + static_cast<size_t>(firstRow + y) * W + left, w);
    }
    progress_ = 100;
    if (target)
        target->TakeOver(result);
    else
        TakeOver(result);
    return true;
}
