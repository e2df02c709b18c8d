// Text drawn with an optional shadow copy, from the values of a skin's text-effect record.
#pragma once
#include <windows.h>

#include <cstdint>

#include "skin/engine/store/SkinRecords.h"

// Transparent background; with flag bit 0 the text goes first in the shadow colour, moved by the offset's
// signed low byte (dx) and second byte (dy), then in the text colour. The context's state is kept.
void DrawTextShadowed(HDC dc, const RECT& rect, int32_t shadowOffset, uint32_t flags, COLORREF shadowColor,
                      COLORREF textColor, const char* text, int length, UINT format);
void DrawTextEffect(HDC dc, const TextEffect& effect, const RECT& rect, const char* text, int length, UINT format);

// A colour from three bytes red, green, blue, and the same stored back.
COLORREF GetTextEffectColor(const uint8_t (&rgb)[3]);
void StoreTextEffectColor(uint8_t (&rgb)[3], COLORREF color);
