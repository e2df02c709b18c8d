// Drawing from a skin: fills, one image part (copy, tile or stretch), the nine-piece drawing of sliced
// images, and colour-keyed blits. Images are found by name in the engine's current skin.
#pragma once
#include <windows.h>

#include "skin/engine/store/SkinRecords.h"

class SkinImage;

// Empty: no image name or an empty source rectangle.
bool IsImagePartEmpty(const ImagePart& part);
bool IsSlicedImageEmpty(const SlicedImage& image);
// The preferred record when it is not empty; else the second fallback when the fallback is empty and a
// non-empty second fallback is given; else the fallback.
ImagePart ChooseImagePart(const ImagePart& preferred, const ImagePart& fallback, const ImagePart* second = NULL);
SlicedImage ChooseImagePart(const SlicedImage& preferred, const SlicedImage& fallback,
                            const SlicedImage* second = NULL);

void FillRectColor(HDC dc, const RECT& rect, COLORREF color);
void FillPolygonColor(HDC dc, const POINT (&points)[3], COLORREF color);

// Mode 0 copies the source's top-left corner (no more than fits), 1 tiles it, anything else stretches it.
// A missing image or an empty part fills the destination with the fill colour when fill is set.
void DrawImagePart(HDC dc, const RECT& dest, const ImagePart& part, COLORREF fillColor, BOOL fill);
// The nine pieces, centre included, by the sliced image's slice mode.
void DrawFrameImage(HDC dc, const RECT& dest, const SlicedImage& image, COLORREF fillColor, BOOL fill);
// The eight border pieces only; the centre is left untouched.
void DrawFrameImageParts(HDC dc, const RECT& dest, const SlicedImage& image, COLORREF fillColor, BOOL fill);
// The eight border pieces, with the margins (left, top, right, bottom) taken from margins.
void DrawFrameImageEx(HDC dc, const RECT& dest, const RECT& margins, const SlicedImage& image, COLORREF fillColor,
                      BOOL fill);
// DrawFrameImage off-screen over the key colour, then blitted leaving the key's pixels out.
void DrawFrameImageTransparent(HDC dc, const RECT& dest, const SlicedImage& image, COLORREF key);
// DrawImagePart off-screen over the key colour, then blitted leaving the key's pixels out.
void DrawImagePartTransparent(HDC dc, const RECT& dest, const ImagePart& part, COLORREF key);

// Copies the bitmap's pixels but those of the key colour (the classic mask method).
void BlitTransparent(HDC dc, int x, int y, int width, int height, HBITMAP bitmap, int sourceX, int sourceY,
                     COLORREF key, HPALETTE palette = NULL);
// The same from a device context, stretched when the sizes differ.
void StretchBlitTransparent(HDC dc, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                            int sourceWidth, int sourceHeight, COLORREF key);
// The image at the rectangle's top-left, no larger than either, without its key-coloured pixels.
void DrawImageTransparent(HDC dc, const SkinImage& image, const RECT& rect, COLORREF key);
// The bitmap stretched to the rectangle, its key-coloured pixels left out.
void DrawBitmapTransparent(HDC dc, HBITMAP bitmap, const RECT& rect, COLORREF key);

// Forgets the pieces cut from the skin's pictures; the engine calls it whenever the current skin goes.
void ClearImagePartCache();
// With the cache off every part is cut afresh (the benchmark's baseline).
void EnableImagePartCache(bool on);
