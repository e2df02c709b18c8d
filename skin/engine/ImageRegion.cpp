// Builds the region of non-key pixels straight from a SkinImage's pixels, without a device round trip.
#include "ImageRegion.h"

#include <vector>

#include "SkinImage.h"

HRGN RegionFromImage(const SkinImage& image, COLORREF key)
{
    if (!image.IsValid())
        return NULL;
    const int w = image.Width(), h = image.Height();
    std::vector<RECT> runs;
    runs.reserve(h + 2);
    for (int top = 0; top < h; ++top) {
        const int y = h - 1 - top; // storage rows are bottom-up
        int start = -1;
        for (int x = 0; x <= w; ++x) {
            bool solid = false;
            if (x < w) {
                RGBQUAD c = image.ColorAt(x, y);
                solid = RGB(c.rgbRed, c.rgbGreen, c.rgbBlue) != (key & 0xFFFFFF);
            }
            if (solid && start < 0)
                start = x;
            if (!solid && start >= 0) {
                RECT r = {start, top, x, top + 1};
                runs.push_back(r);
                start = -1;
            }
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
