// Region building: reading a bitmap's bits in its own depth, collecting runs, transforming region data.
#include "skin/engine/drawing/RegionTools.h"

#include <cstring>
#include <vector>

#include "skin/engine/drawing/DibHeader.h"

namespace {

// Region data grows in steps; the first guess is one rectangle per row and two spare.
class RunCollector {
public:
    explicit RunCollector(int height) { runs_.reserve(static_cast<size_t>(height) + 2); }

    void Add(int left, int top, int right)
    {
        if (runs_.size() == runs_.capacity())
            runs_.reserve(runs_.size() + 40);
        RECT r = {left, top, right, top + 1};
        runs_.push_back(r);
    }

    HRGN Make(int width, int height) const
    {
        std::vector<BYTE> data(sizeof(RGNDATAHEADER) + runs_.size() * sizeof(RECT));
        RGNDATA* region = reinterpret_cast<RGNDATA*>(data.data());
        region->rdh.dwSize = sizeof(RGNDATAHEADER);
        region->rdh.iType = RDH_RECTANGLES;
        region->rdh.nCount = static_cast<DWORD>(runs_.size());
        region->rdh.nRgnSize = static_cast<DWORD>(runs_.size() * sizeof(RECT));
        SetRect(&region->rdh.rcBound, 0, 0, width, height);
        if (!runs_.empty())
            std::memcpy(region->Buffer, runs_.data(), runs_.size() * sizeof(RECT));
        return ExtCreateRegion(NULL, static_cast<DWORD>(data.size()), region);
    }

private:
    std::vector<RECT> runs_;
};

struct BitmapBits {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256]; // the palette of an 8-bit bitmap
};

} // namespace

HRGN RegionFromBitmap(HBITMAP bitmap, COLORREF key)
{
    BITMAP bm;
    if (!bitmap || !GetObject(bitmap, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return NULL;
    const int ownBits = bm.bmBitsPixel * bm.bmPlanes;
    // 8 and 24 bits are read as they are; 16 bits (whichever masks) and anything else as 32 bits, the
    // 16-bit pixels then compared with the key reduced to 5-6-5.
    const int bits = ownBits == 8 || ownBits == 24 ? ownBits : 32;
    const bool as565 = ownBits == 16;
    const int width = bm.bmWidth, height = bm.bmHeight;
    BitmapBits info;
    std::memset(&info, 0, sizeof info);
    info.header = TopDownHeader(width, height, static_cast<WORD>(bits));
    const size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    std::vector<BYTE> pixels(stride * height);
    HDC ic = CreateICA("DISPLAY", NULL, NULL, NULL);
    if (!ic)
        return NULL;
    const int rows =
        GetDIBits(ic, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteDC(ic);
    if (rows != height)
        return NULL;

    const BYTE kr = GetRValue(key), kg = GetGValue(key), kb = GetBValue(key);
    const WORD key565 = static_cast<WORD>(((kr >> 3) << 11) | ((kg >> 2) << 5) | (kb >> 3));
    auto transparent = [&](const BYTE* row, int x) -> bool {
        switch (bits) {
        case 8: {
            const RGBQUAD& c = info.colors[row[x]];
            return c.rgbRed == kr && c.rgbGreen == kg && c.rgbBlue == kb;
        }
        case 24:
            return row[x * 3] == kb && row[x * 3 + 1] == kg && row[x * 3 + 2] == kr;
        default:
            if (as565)
                return static_cast<WORD>(((row[x * 4 + 2] >> 3) << 11) | ((row[x * 4 + 1] >> 2) << 5) |
                                         (row[x * 4] >> 3)) == key565;
            return row[x * 4] == kb && row[x * 4 + 1] == kg && row[x * 4 + 2] == kr;
        }
    };
    RunCollector runs(height);
    for (int y = 0; y < height; ++y) {
        const BYTE* row = pixels.data() + stride * y;
        int start = -1;
        for (int x = 0; x <= width; ++x) {
            const bool solid = x < width && !transparent(row, x);
            if (solid && start < 0)
                start = x;
            else if (!solid && start >= 0) {
                runs.Add(start, y, x);
                start = -1;
            }
        }
    }
    return runs.Make(width, height);
}

HRGN TransformRegion(HRGN region, float scaleX, float scaleY, int dx, int dy)
{
    if (!region)
        return NULL;
    const DWORD size = GetRegionData(region, 0, NULL);
    if (!size)
        return NULL;
    std::vector<BYTE> data(size);
    if (GetRegionData(region, size, reinterpret_cast<RGNDATA*>(data.data())) != size)
        return NULL;
    XFORM transform = {scaleX, 0, 0, scaleY, 0, 0};
    HRGN result = ExtCreateRegion(&transform, size, reinterpret_cast<RGNDATA*>(data.data()));
    if (result)
        OffsetRgn(result, dx, dy);
    return result;
}

HRGN TileRegion(HRGN pattern, int stepX, int stepY, const RECT& area)
{
    HRGN result = CreateRectRgn(0, 0, 0, 0);
    if (!result || !pattern || stepX <= 0 || stepY <= 0)
        return result;
    CombineRgn(result, pattern, NULL, RGN_COPY);
    OffsetRgn(result, area.left, area.top);
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    for (LONG y = area.top; y < area.bottom; y += stepY)
        for (LONG x = area.left; x < area.right; x += stepX) {
            CombineRgn(copy, pattern, NULL, RGN_COPY);
            OffsetRgn(copy, x, y);
            CombineRgn(result, result, copy, RGN_OR);
        }
    DeleteObject(copy);
    HRGN clip = CreateRectRgnIndirect(&area);
    CombineRgn(result, result, clip, RGN_AND);
    DeleteObject(clip);
    return result;
}
