// Quarter turns of off-screen drawings: vertical bars and side tabs are drawn in the horizontal
// orientation into a bitmap of swapped size, then turned into place. Angles are on the screen
// (y down): 90 turns the left edge to the top, 270 turns it to the bottom.
#pragma once
#include <windows.h>

#include "skin/engine/store/SkinRecords.h"

// The source DC's width x height pixels turned by 90, 180 or 270 degrees into dest at (x, y); with a key,
// pixels of that colour are left out.
void BlitTurned(HDC dest, int x, int y, HDC source, int width, int height, int angle, const COLORREF* key = NULL);
// A sliced image drawn upright into a bitmap of the turned size of rect, then turned into rect.
void DrawFrameImageTurned(HDC dc, const RECT& rect, const SlicedImage& image, COLORREF fill, int angle,
                          const COLORREF* key = NULL);
// The rectangle (in a bitmap of width x height) after the bitmap is turned by angle.
RECT TurnRect(const RECT& rect, int width, int height, int angle);
