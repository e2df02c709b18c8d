// Builds the region of non-key pixels straight from a SkinImage's pixels, without a device round trip.
#include "skin/engine/images/ImageRegion.h"

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
    for (int top = 0; top < h; ++top) {
        const int y = h - 1 - top; // storage rows are bottom-up
        const BYTE* pixels = image.Pixels() + static_cast<size_t>(y) * image.Stride();
        row.clear();
        int start = -1;
        for (int x = 0; x <= w; ++x) {
            bool solid = false;
            if (x < w) {
                if (image.Bits() == 24) {
                    const BYTE* p = pixels + x * 3;
                    solid = p[0] != keyBlue || p[1] != keyGreen || p[2] != keyRed;
                } else {
                    solid = solidIndex[image.IndexAt(x, y)];
                }
            }
            if (solid && start < 0)
                start = x;
            if (!solid && start >= 0) {
                RECT r = {start, top, x, top + 1};
                row.push_back(r);
                start = -1;
            }
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
