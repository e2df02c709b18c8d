// Builds the region of non-key pixels straight from a SkinImage's pixels, without a device round trip.
#include "skin/engine/images/ImageRegion.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "skin/engine/images/SkinImage.h"

HRGN RegionFromImage(const SkinImage& image, COLORREF key)
{
    if (!image.IsValid())
        return NULL;
    const int w = image.Width(), h = image.Height();
    std::vector<RECT> runs;
    runs.reserve(h + 2);
    const BYTE keyRed = GetRValue(key), keyGreen = GetGValue(key), keyBlue = GetBValue(key);
    // Palette pictures are judged by entry once, not pixel by pixel.
    bool solidIndex[256];
    if (image.Bits() != 24)
        for (int i = 0; i < 256; ++i) {
            RGBQUAD c = image.PaletteEntry(i);
            solidIndex[i] = c.rgbRed != keyRed || c.rgbGreen != keyGreen || c.rgbBlue != keyBlue;
        }
    // Rows whose runs match the row above only make that band taller, so a plain piece is one rectangle.
    size_t bandStart = 0;
    std::vector<RECT> row;
    const BYTE* above = NULL;
    const bool deep = image.Bits() == 24;
    const size_t rowBytes = static_cast<size_t>(image.Bits()) * w / 8;
    for (int top = 0; top < h; ++top) {
        const int y = h - 1 - top; // storage rows are bottom-up
        const BYTE* pixels = image.Pixels() + static_cast<size_t>(y) * image.Stride();
        // A row that repeats the one above has its runs: the band grows without a scan.
        if (above && image.Bits() >= 8 && std::memcmp(pixels, above, rowBytes) == 0) {
            for (size_t i = bandStart; i < runs.size(); ++i)
                runs[i].bottom = top + 1;
            continue;
        }
        above = pixels;
        row.clear();
        // Key pixels are compared as one value: three bytes of a 24-bit row, or the palette's verdict.
        const uint32_t keyValue = keyBlue | (keyGreen << 8) | (keyRed << 16);
        auto solid = [&](int x) {
            if (deep) {
                const BYTE* p = pixels + x * 3;
                return (p[0] | (p[1] << 8) | (p[2] << 16)) != keyValue;
            }
            return solidIndex[image.IndexAt(x, y)];
        };
        for (int x = 0; x < w;) {
            while (x < w && !solid(x))
                ++x;
            const int start = x;
            while (x < w && solid(x))
                ++x;
            if (x > start)
                row.push_back(RECT{start, top, x, top + 1});
        }
        bool same = top > 0 && runs.size() - bandStart == row.size();
        for (size_t i = 0; same && i < row.size(); ++i)
            same = runs[bandStart + i].left == row[i].left && runs[bandStart + i].right == row[i].right;
        if (same) {
            for (size_t i = bandStart; i < runs.size(); ++i)
                runs[i].bottom = top + 1;
        } else {
            bandStart = runs.size();
            runs.insert(runs.end(), row.begin(), row.end());
        }
    }
    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    RGNDATA* region = reinterpret_cast<RGNDATA*>(data.data());
    region->rdh.dwSize = sizeof(RGNDATAHEADER);
    region->rdh.iType = RDH_RECTANGLES;
    region->rdh.nCount = static_cast<DWORD>(runs.size());
    region->rdh.nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
    SetRect(&region->rdh.rcBound, 0, 0, w, h);
    if (!runs.empty())
        std::copy(runs.begin(), runs.end(), reinterpret_cast<RECT*>(region->Buffer));
    return ExtCreateRegion(NULL, static_cast<DWORD>(data.size()), region);
}
