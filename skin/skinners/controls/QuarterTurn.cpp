// Quarter turns through 32-bit pixel copies: exact, no resampling.
#include "skin/skinners/controls/QuarterTurn.h"

#include <vector>

#include "skin/engine/drawing/DibHeader.h"
#include "skin/engine/drawing/MemoryDC.h"
#include "skin/engine/images/ImageDraw.h"

namespace {

bool Swaps(int angle)
{
    return angle == 90 || angle == 270;
}

} // namespace

RECT TurnRect(const RECT& rect, int width, int height, int angle)
{
    RECT r = rect;
    switch (angle) {
    case 90: // (x, y) -> (height - y, x)
        r = {height - rect.bottom, rect.left, height - rect.top, rect.right};
        break;
    case 180:
        r = {width - rect.right, height - rect.bottom, width - rect.left, height - rect.top};
        break;
    case 270: // (x, y) -> (y, width - x)
        r = {rect.top, width - rect.right, rect.bottom, width - rect.left};
        break;
    default:
        break;
    }
    return r;
}

void BlitTurned(HDC dest, int x, int y, HDC source, int width, int height, int angle, const COLORREF* key)
{
    if (width <= 0 || height <= 0)
        return;
    std::vector<DWORD> in(static_cast<size_t>(width) * height);
    BITMAPINFO info = TopDownInfo(width, height);
    // Read through a copy of exactly that size, selected into no DC while its pixels are taken.
    MemoryDC exact;
    if (!exact.Create(source, width, height))
        return;
    BitBlt(exact, 0, 0, width, height, source, 0, 0, SRCCOPY);
    HBITMAP bitmap = exact.DetachBitmap();
    const int got = GetDIBits(source, bitmap, 0, height, in.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    if (got != height)
        return;
    const int outWidth = Swaps(angle) ? height : width;
    const int outHeight = Swaps(angle) ? width : height;
    std::vector<DWORD> out(in.size());
    for (int sy = 0; sy < height; ++sy)
        for (int sx = 0; sx < width; ++sx) {
            int dx = sx, dy = sy;
            if (angle == 90) {
                dx = height - 1 - sy;
                dy = sx;
            } else if (angle == 180) {
                dx = width - 1 - sx;
                dy = height - 1 - sy;
            } else if (angle == 270) {
                dx = sy;
                dy = width - 1 - sx;
            }
            out[static_cast<size_t>(dy) * outWidth + dx] = in[static_cast<size_t>(sy) * width + sx];
        }
    MemoryDC turned;
    if (!turned.Create(source, outWidth, outHeight))
        return;
    BITMAPINFO outInfo = TopDownInfo(outWidth, outHeight);
    SetDIBitsToDevice(turned, 0, 0, outWidth, outHeight, 0, 0, 0, outHeight, out.data(), &outInfo, DIB_RGB_COLORS);
    if (key) {
        // The mask blit selects the bitmap into a DC of its own: it must leave this one first.
        HBITMAP bitmap = turned.DetachBitmap();
        BlitTransparent(dest, x, y, outWidth, outHeight, bitmap, 0, 0, *key);
        DeleteObject(bitmap);
    } else
        BitBlt(dest, x, y, outWidth, outHeight, turned, 0, 0, SRCCOPY);
}

void DrawFrameImageTurned(HDC dc, const RECT& rect, const SlicedImage& image, COLORREF fill, int angle,
                          const COLORREF* key)
{
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const int upWidth = Swaps(angle) ? height : width;
    const int upHeight = Swaps(angle) ? width : height;
    MemoryDC upright;
    if (!upright.Create(dc, upWidth, upHeight))
        return;
    const RECT all = {0, 0, upWidth, upHeight};
    if (key)
        FillRectColor(upright, all, *key);
    DrawFrameImage(upright, all, image, fill, key == NULL);
    BlitTurned(dc, rect.left, rect.top, upright, upWidth, upHeight, angle, key);
}
