// Drawing from a skin: image parts, nine-piece frames and colour-keyed blits. Pieces cut from the skin's
// pictures are kept in a small cache while the skin stays current, so that a frame repaint does not copy
// pixels it has already cut.
#include "skin/engine/images/ImageDraw.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <tuple>

#include "skin/engine/drawing/MemoryDC.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/images/SkinImage.h"
#include "skin/engine/store/SkinStore.h"

namespace {

// The cut pieces, by source picture and source rectangle. Only touched under the engine lock.
class PieceCache {
public:
    ~PieceCache() { Clear(); }

    SkinImage* Cut(SkinImage& source, const RECT& cut)
    {
        if (!enabled_) {
            scratch_.Destroy();
            return source.Crop(cut.left, cut.top, cut.right, cut.bottom, &scratch_) ? &scratch_ : NULL;
        }
        Key key(&source, cut.left, cut.top, cut.right, cut.bottom);
        auto it = pieces_.find(key);
        if (it != pieces_.end())
            return it->second;
        // A skin has a few hundred pieces at most; a caller cutting ever new rectangles only restarts it.
        if (pieces_.size() >= kMaxPieces)
            Clear();
        SkinImage* piece = new SkinImage;
        if (!source.Crop(cut.left, cut.top, cut.right, cut.bottom, piece)) {
            delete piece;
            return NULL;
        }
        pieces_.emplace(key, piece);
        return piece;
    }

    void Clear()
    {
        for (auto& entry : pieces_)
            delete entry.second;
        pieces_.clear();
        scratch_.Destroy();
    }

    void Enable(bool on)
    {
        Clear();
        enabled_ = on;
    }

private:
    using Key = std::tuple<const SkinImage*, LONG, LONG, LONG, LONG>;
    static const size_t kMaxPieces = 1024;
    std::map<Key, SkinImage*> pieces_;
    SkinImage scratch_;
    bool enabled_ = true;
};

PieceCache& Pieces()
{
    static PieceCache cache;
    return cache;
}

int Width(const RECT& r)
{
    return r.right - r.left;
}

int Height(const RECT& r)
{
    return r.bottom - r.top;
}

// The picture an image part names in the current skin; the name is read within its field.
SkinImage* FindPartImage(const char (&name)[52])
{
    char bounded[sizeof name + 1];
    std::memcpy(bounded, name, sizeof name);
    bounded[sizeof name] = '\0';
    return SkinEngine::Instance().GetCurrentSkin()->FindImage(bounded);
}

enum { PieceModeTile = 1, PieceModeStretch = 2 };

// The nine pieces of a sliced image, numbered as the frame sections: source and target rectangles from
// the margins, and their draw modes. Pieces whose target would turn inside out are made empty and
// clipped to the destination, so a destination smaller than the margins draws no piece outside it.
struct Pieces9 {
    ImagePart parts[9];
    RECT targets[9];
};

Pieces9 SlicePieces(const SlicedImage& image, const RECT& margins, const RECT& dest, bool switchForMode8)
{
    Pieces9 p;
    std::memset(&p, 0, sizeof p);
    const RECT& s = image.source;
    const LONG L = margins.left, T = margins.top, R = margins.right, B = margins.bottom;
    const LONG sx[4] = {s.left, s.left + L, s.right - R, s.right};
    const LONG sy[4] = {s.top, s.top + T, s.bottom - B, s.bottom};
    const LONG dx[4] = {dest.left, dest.left + L, dest.right - R, dest.right};
    const LONG dy[4] = {dest.top, dest.top + T, dest.bottom - B, dest.bottom};
    const int mode = image.mode;
    for (int i = 0; i < 9; ++i) {
        const int col = i % 3, row = i / 3;
        ImagePart& part = p.parts[i];
        tessarine::CopyText(part.image, 51, image.image);
        SetRect(&part.source, sx[col], sy[row], sx[col + 1], sy[row + 1]);
        part.mode = mode == 1 ? PieceModeStretch : PieceModeTile;
        RECT t = {dx[col], dy[row], dx[col + 1], dy[row + 1]};
        if (t.right < t.left || t.bottom < t.top || !IntersectRect(&p.targets[i], &t, &dest))
            SetRectEmpty(&p.targets[i]);
    }
    auto stretch = [&p](int piece) { p.parts[piece].mode = PieceModeStretch; };
    switch (mode) {
    case 2:
        stretch(7);
        break;
    case 3:
        stretch(4);
        break;
    case 4:
        stretch(3);
        break;
    case 6:
        stretch(5);
        break;
    case 7:
        stretch(1);
        break;
    case 8:
        if (!switchForMode8)
            break;
        [[fallthrough]]; // the four edges stretch as in mode 5
    case 5:
        stretch(1);
        stretch(3);
        stretch(5);
        stretch(7);
        break;
    default:
        break;
    }
    return p;
}

void DrawPiece(HDC dc, const Pieces9& p, int i, COLORREF fillColor, BOOL fill)
{
    if (!IsRectEmpty(&p.targets[i]))
        DrawImagePart(dc, p.targets[i], p.parts[i], fillColor, fill);
}

// Slice mode 8: the centre in columns as wide as its source, each stretched to the centre's height; the
// last column takes the piece squeezed into what is left.
void DrawCentreColumns(HDC dc, const Pieces9& p, COLORREF fillColor, BOOL fill)
{
    const RECT& target = p.targets[4];
    ImagePart part = p.parts[4];
    part.mode = PieceModeStretch;
    const int step = Width(part.source);
    if (step <= 0 || IsRectEmpty(&target))
        return;
    for (LONG x = target.left; x < target.right; x += step) {
        RECT column = {x, target.top, std::min<LONG>(x + step, target.right), target.bottom};
        DrawImagePart(dc, column, part, fillColor, fill);
    }
}

void DrawBorder(HDC dc, const Pieces9& p, COLORREF fillColor, BOOL fill)
{
    static const int order[8] = {0, 1, 2, 3, 5, 6, 7, 8};
    for (int i : order)
        DrawPiece(dc, p, i, fillColor, fill);
}

// The mask method from a source context: key pixels black in a colour copy, the destination cut out with
// a monochrome mask, then the two ORed together.
void MaskedCopy(HDC dc, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, int sourceWidth,
                int sourceHeight, COLORREF key, HPALETTE palette)
{
    if (width <= 0 || height <= 0 || !source)
        return;
    MemoryDC color(dc, width, height);
    HDC maskDc = CreateCompatibleDC(dc);
    HBITMAP maskBitmap = CreateBitmap(width, height, 1, 1, NULL);
    if (!color.IsValid() || !maskDc || !maskBitmap) {
        if (maskBitmap)
            DeleteObject(maskBitmap);
        if (maskDc)
            DeleteDC(maskDc);
        return;
    }
    HGDIOBJ oldMask = SelectObject(maskDc, maskBitmap);
    HPALETTE oldColorPalette = NULL, oldDestPalette = NULL;
    const bool usePalette = palette && (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE);
    if (usePalette) {
        oldColorPalette = SelectPalette(color, palette, FALSE);
        RealizePalette(color);
        oldDestPalette = SelectPalette(dc, palette, FALSE);
        RealizePalette(dc);
    }
    if (sourceWidth == width && sourceHeight == height) {
        BitBlt(color, 0, 0, width, height, source, sourceX, sourceY, SRCCOPY);
    } else {
        SetStretchBltMode(color, COLORONCOLOR);
        StretchBlt(color, 0, 0, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, SRCCOPY);
    }
    SetBkColor(color, key);
    BitBlt(maskDc, 0, 0, width, height, color, 0, 0, SRCCOPY);
    // Key pixels (mask 1) become black in the colour copy.
    SetBkColor(color, RGB(0, 0, 0));
    SetTextColor(color, RGB(255, 255, 255));
    BitBlt(color, 0, 0, width, height, maskDc, 0, 0, SRCAND);
    // The destination keeps its pixels under the key and turns black elsewhere, then takes the colours.
    COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
    COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    BitBlt(dc, x, y, width, height, maskDc, 0, 0, SRCAND);
    BitBlt(dc, x, y, width, height, color, 0, 0, SRCPAINT);
    SetBkColor(dc, oldBk);
    SetTextColor(dc, oldText);
    if (usePalette) {
        SelectPalette(color, oldColorPalette, FALSE);
        SelectPalette(dc, oldDestPalette, FALSE);
    }
    SelectObject(maskDc, oldMask);
    DeleteObject(maskBitmap);
    DeleteDC(maskDc);
}

} // namespace

bool IsImagePartEmpty(const ImagePart& part)
{
    return !part.image[0] || IsRectEmpty(&part.source);
}

bool IsSlicedImageEmpty(const SlicedImage& image)
{
    return !image.image[0] || IsRectEmpty(&image.source);
}

ImagePart ChooseImagePart(const ImagePart& preferred, const ImagePart& fallback, const ImagePart* second)
{
    if (!IsImagePartEmpty(preferred))
        return preferred;
    if (IsImagePartEmpty(fallback) && second && !IsImagePartEmpty(*second))
        return *second;
    return fallback;
}

SlicedImage ChooseImagePart(const SlicedImage& preferred, const SlicedImage& fallback, const SlicedImage* second)
{
    if (!IsSlicedImageEmpty(preferred))
        return preferred;
    if (IsSlicedImageEmpty(fallback) && second && !IsSlicedImageEmpty(*second))
        return *second;
    return fallback;
}

void FillRectColor(HDC dc, const RECT& rect, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    if (!brush)
        return;
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void FillPolygonColor(HDC dc, const POINT (&points)[3], COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    if (brush && pen) {
        HGDIOBJ oldBrush = SelectObject(dc, brush);
        HGDIOBJ oldPen = SelectObject(dc, pen);
        Polygon(dc, points, 3);
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
    }
    if (pen)
        DeleteObject(pen);
    if (brush)
        DeleteObject(brush);
}

void DrawImagePart(HDC dc, const RECT& dest, const ImagePart& part, COLORREF fillColor, BOOL fill)
{
    if (!dc || IsRectEmpty(&dest))
        return;
    EngineLock lock;
    SkinImage* source = IsRectEmpty(&part.source) ? NULL : FindPartImage(part.image);
    RECT cut = part.source;
    if (source && part.mode == 0) {
        cut.right = cut.left + std::min(Width(dest), Width(part.source));
        cut.bottom = cut.top + std::min(Height(dest), Height(part.source));
    }
    SkinImage* piece = source ? Pieces().Cut(*source, cut) : NULL;
    if (!piece) {
        if (fill)
            FillRectColor(dc, dest, fillColor);
        return;
    }
    switch (part.mode) {
    case 0:
        piece->Draw(dc, dest.left, dest.top);
        break;
    case PieceModeTile:
        piece->Tile(dc, dest);
        break;
    default:
        piece->StretchDraw(dc, dest.left, dest.top, Width(dest), Height(dest));
        break;
    }
}

void DrawFrameImage(HDC dc, const RECT& dest, const SlicedImage& image, COLORREF fillColor, BOOL fill)
{
    const Pieces9 p = SlicePieces(image, image.margins, dest, true);
    for (int i = 0; i < 4; ++i)
        DrawPiece(dc, p, i, fillColor, fill);
    if (image.mode == 8)
        DrawCentreColumns(dc, p, fillColor, fill);
    else
        DrawPiece(dc, p, 4, fillColor, fill);
    for (int i = 5; i < 9; ++i)
        DrawPiece(dc, p, i, fillColor, fill);
}

void DrawFrameImageParts(HDC dc, const RECT& dest, const SlicedImage& image, COLORREF fillColor, BOOL fill)
{
    DrawBorder(dc, SlicePieces(image, image.margins, dest, false), fillColor, fill);
}

void DrawFrameImageEx(HDC dc, const RECT& dest, const RECT& margins, const SlicedImage& image, COLORREF fillColor,
                      BOOL fill)
{
    DrawBorder(dc, SlicePieces(image, margins, dest, false), fillColor, fill);
}

void DrawFrameImageTransparent(HDC dc, const RECT& dest, const SlicedImage& image, COLORREF key)
{
    MemoryDC buffer(dc, Width(dest), Height(dest));
    if (!buffer.IsValid())
        return;
    RECT local = {0, 0, Width(dest), Height(dest)};
    DrawFrameImage(buffer, local, image, key, TRUE);
    // Straight from the buffer: the same pixels as through a bitmap handed over, without making one.
    MaskedCopy(dc, dest.left, dest.top, local.right, local.bottom, buffer, 0, 0, local.right, local.bottom, key, NULL);
}

void DrawImagePartTransparent(HDC dc, const RECT& dest, const ImagePart& part, COLORREF key)
{
    MemoryDC buffer(dc, Width(dest), Height(dest));
    if (!buffer.IsValid())
        return;
    RECT local = {0, 0, Width(dest), Height(dest)};
    FillRectColor(buffer, local, key);
    DrawImagePart(buffer, local, part, key, FALSE);
    HBITMAP bitmap = buffer.DetachBitmap();
    BlitTransparent(dc, dest.left, dest.top, local.right, local.bottom, bitmap, 0, 0, key);
    DeleteObject(bitmap);
}

void BlitTransparent(HDC dc, int x, int y, int width, int height, HBITMAP bitmap, int sourceX, int sourceY,
                     COLORREF key, HPALETTE palette)
{
    HDC source = bitmap ? CreateCompatibleDC(dc) : NULL;
    if (!source)
        return;
    HGDIOBJ old = SelectObject(source, bitmap);
    MaskedCopy(dc, x, y, width, height, source, sourceX, sourceY, width, height, key, palette);
    SelectObject(source, old);
    DeleteDC(source);
}

void StretchBlitTransparent(HDC dc, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                            int sourceWidth, int sourceHeight, COLORREF key)
{
    MaskedCopy(dc, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, key, NULL);
}

void DrawImageTransparent(HDC dc, const SkinImage& image, const RECT& rect, COLORREF key)
{
    HBITMAP bitmap = image.MakeBitmap(dc);
    if (!bitmap)
        return;
    BlitTransparent(dc, rect.left, rect.top, std::min(image.Width(), Width(rect)),
                    std::min(image.Height(), Height(rect)), bitmap, 0, 0, key);
    DeleteObject(bitmap);
}

void DrawBitmapTransparent(HDC dc, HBITMAP bitmap, const RECT& rect, COLORREF key)
{
    SkinImage image;
    if (!image.CreateFromBitmap(bitmap))
        return;
    RGBQUAD quad = {GetBValue(key), GetGValue(key), GetRValue(key), 0};
    image.SetTransparentIndex(0);
    image.SetTransparentColor(quad);
    image.DrawMasked(dc, rect.left, rect.top, Width(rect), Height(rect));
}

void ClearImagePartCache()
{
    EngineLock lock;
    Pieces().Clear();
}

void EnableImagePartCache(bool on)
{
    EngineLock lock;
    Pieces().Enable(on);
}
