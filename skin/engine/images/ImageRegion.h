// The region of an image's pixels that differ from a key colour, one rectangle per run of a row.
#pragma once
#include <windows.h>

class SkinImage;

// Top-down coordinates of the image; NULL for an empty image. The caller owns the region.
HRGN RegionFromImage(const SkinImage& image, COLORREF key);
