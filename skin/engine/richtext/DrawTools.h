// The rich-text drawer's drawing toolbox: bitmaps and icons with colour effects, transparency and drop
// shadows, solid and 64-step gradient fills, tiles, and frames and lines in the markup's border styles.
// It keeps no state; every operation depends only on its arguments.
#pragma once
#include <windows.h>

class DrawTools {
public:
    virtual ~DrawTools() = default;

    SIZE GetIconSize(HICON icon) const;
    SIZE GetBitmapSize(HBITMAP bitmap) const;
    // A new 32-bit section with the top-left width x height pixels of bitmap, transformed pixel by pixel;
    // nullptr when it cannot be made.
    HBITMAP CreateEffectBitmap(HBITMAP bitmap, int width, int height, int flags, bool maskFlag, COLORREF maskColor,
                               COLORREF fillColor) const;
    HICON StretchIcon(HICON icon, int width, int height) const;

    void GradientFill64(HDC hdc, const RECT& rect, COLORREF from, COLORREF to, bool horizontal) const;
    void FillEffect(HDC hdc, int effect, const RECT& rect, COLORREF color, COLORREF middle, COLORREF end) const;
    void TileBitmap(HDC hdc, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                    int tileWidth, int tileHeight) const;

    void DrawBitmap(HDC hdc, int x, int y, int width, int height, HBITMAP bitmap, bool maskFlag, COLORREF maskColor,
                    int styleFlags, bool shadowFlag, int shadowX, int shadowY, int blurX, int blurY,
                    COLORREF shadowColor) const;
    void DrawIcon(HDC hdc, int x, int y, int width, int height, HICON icon, int styleFlags, bool shadowFlag,
                  int shadowX, int shadowY, int blurX, int blurY, COLORREF shadowColor) const;
    // Darkens the destination by the shadow mask (white leaves it, grey halves it ...), blurred or sharp.
    void DrawShadow(HDC hdc, int x, int y, int width, int height, HBITMAP shadowMask, bool blurred, int blurX,
                    int blurY) const;

    void DrawFrame(HDC hdc, const RECT& rect, COLORREF light, COLORREF dark, int borderStyle, int penWidth) const;
    void DrawLine(HDC hdc, int x1, int y1, int x2, int y2, COLORREF color, int borderStyle, int penWidth) const;
};
