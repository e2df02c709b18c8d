// Window regions built from bitmaps and region patterns: the non-key pixels of a bitmap, a scaled and
// moved copy of a region, and a pattern repeated over an area.
#pragma once
#include <windows.h>

// The region of every pixel whose colour is not the key, one rectangle per run of a row (top row first).
// NULL when the bitmap's bits cannot be read.
HRGN RegionFromBitmap(HBITMAP bitmap, COLORREF key);
// A copy of the region scaled by the two factors and moved by (dx, dy); NULL when its data can't be had.
HRGN TransformRegion(HRGN region, float scaleX, float scaleY, int dx, int dy);
// The pattern repeated from the area's top-left corner in the given steps, clipped to the area. A step
// that is not positive yields an empty region.
HRGN TileRegion(HRGN pattern, int stepX, int stepY, const RECT& area);
