// SkinImage: the toolkit's in-memory picture. A device-independent bitmap (1, 4, 8 or 24 bits, rows
// bottom-up) with an optional palette, alpha plane and transparent colour; decoded from and encoded to
// BMP and TGA, cut, turned and drawn into device contexts.
#pragma once
#include <windows.h>

#include <cstddef>

class SkinImage {
public:
    enum { FormatNone = 0, FormatBmp = 1, FormatTga = 2 };

    explicit SkinImage(int format = FormatNone);
    SkinImage(const SkinImage& source, bool copyPixels = true, bool copyAlpha = true);
    virtual ~SkinImage();
    SkinImage& operator=(const SkinImage&) = delete;

    // Content. Create frees the old content and normalises bits to 1, 4, 8 or 24; the palette is
    // zeroed, the pixels are left to the caller but for zeroed row padding. Returns the block, or null
    // (the image is then empty).
    void* Create(int width, int height, int bits, int format);
    bool Copy(const SkinImage& source, bool copyPixels = true, bool copyAlpha = true);
    void TakeOver(SkinImage& source);
    void Destroy();
    // A view shows another image's buffers without owning them (the source must outlive it).
    void MakeView(const SkinImage& source);

    // Codecs. Decode leaves the image as it was when the bytes are refused. Encode hands back a
    // buffer the caller frees with free().
    bool Decode(const void* bytes, size_t size, int format);
    bool Encode(int format, BYTE** buffer, DWORD* size) const;

    // Platform bitmaps.
    HBITMAP MakeBitmap(HDC dc = NULL) const;
    bool CreateFromBitmap(HBITMAP bitmap, HPALETTE palette = NULL);

    // Drawing; width or height -1 means the image's own.
    int Draw(HDC dc, int x, int y, int width = -1, int height = -1, const RECT* clip = NULL);
    int DrawMasked(HDC dc, int x, int y, int width = -1, int height = -1);
    int StretchDraw(HDC dc, int x, int y, int width, int height);
    int Tile(HDC dc, const RECT& dest);

    // Transformations; with a target the result goes there and this image stays.
    bool FlipVertical();
    bool FlipHorizontal();
    bool Rotate(double angle, SkinImage* target = NULL);
    bool Rotate180(SkinImage* target = NULL);
    bool Crop(int left, int top, int right, int bottom, SkinImage* target = NULL);

    // Pixels: x from the left, y from the bottom row (storage order). Writes outside are ignored.
    BYTE IndexAt(int x, int y) const;
    void SetIndexAt(int x, int y, BYTE index);
    RGBQUAD ColorAt(int x, int y) const;
    void SetColorAt(int x, int y, RGBQUAD color, bool setAlpha = false);
    BYTE AlphaAt(int x, int y) const;
    void SetAlphaAt(int x, int y, BYTE alpha);
    RGBQUAD PaletteEntry(int index) const;
    void SetPaletteEntry(int index, RGBQUAD color);
    void SetPaletteEntries(const RGBQUAD* colors, int count);
    void MakeGreyPalette();
    BYTE NearestPaletteIndex(RGBQUAD color) const;
    bool CreateAlphaPlane();
    void DropAlphaPlane();
    void FlipAlphaVertical();
    void FlipAlphaHorizontal();

    // State.
    bool IsValid() const { return block_ != NULL; }
    int Width() const { return header_.biWidth; }
    int Height() const { return header_.biHeight; }
    int Bits() const { return header_.biBitCount; }
    int Stride() const { return stride_; }
    int ColorCount() const { return static_cast<int>(header_.biClrUsed); }
    int FormatCode() const { return format_; }
    void SetFormatCode(int format) { format_ = format; }
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(block_); }
    BYTE* Pixels() const { return pixels_; }
    RGBQUAD* Palette() const;
    const BYTE* AlphaPlane() const { return alpha_; }
    bool HasAlpha() const { return alpha_ != NULL; }

    int TransparentIndex() const { return transparentIndex_; }
    void SetTransparentIndex(int index) { transparentIndex_ = index; }
    RGBQUAD TransparentColor() const;
    void SetTransparentColor(RGBQUAD color);
    BYTE AlphaMax() const { return alphaMax_; }
    void SetAlphaMax(BYTE value) { alphaMax_ = value; }
    bool AlphaPaletteOn() const { return alphaPalette_; }
    void SetAlphaPalette(bool on) { alphaPalette_ = on; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on) { enabled_ = on; }
    void SetDpi(int x, int y);
    int DpiX() const { return dpiX_; }
    int DpiY() const { return dpiY_; }
    int Progress() const { return progress_; }
    void SetEscape(bool on) { escape_ = on; }
    bool Escape() const { return escape_; }

    // Bounds on what a decoded image may be, so that a hostile header cannot ask for gigabytes.
    static const int kMaxSide = 16384;
    static const long long kMaxPixels = 16LL * 1024 * 1024;

private:
    void ResetSettings();
    void CopySettings(const SkinImage& source);
    void ShareBuffers(const SkinImage& source);
    bool DrawSize(HDC dc, int& width, int& height) const;
    bool HasTransparency() const { return transparentIndex_ != -1; }
    bool SameColor(RGBQUAD a, RGBQUAD b) const;
    RGBQUAD SourceColor(int x, int y, BYTE* alphaOut) const;
    int DrawPlain(HDC dc, const RECT& visible, int x, int y, int w, int h);
    int DrawBlended(HDC dc, const RECT& visible, int x, int y, int w, int h);
    void MapSourceColumns(int x, int w, const RECT& visible, int* columns) const;
    int SourceRow(int destRow, int y, int h) const;

    BITMAPINFOHEADER header_;
    BYTE* block_;
    BYTE* pixels_;
    BYTE* alpha_;
    int stride_;
    int format_;
    int transparentIndex_;
    RGBQUAD transparentColor_;
    BYTE quality_;
    BYTE alphaMax_;
    bool alphaPalette_;
    bool enabled_;
    bool view_;
    bool escape_;
    int dpiX_;
    int dpiY_;
    int progress_;
    mutable int lastQuery_;
    mutable BYTE lastAnswer_;
};
