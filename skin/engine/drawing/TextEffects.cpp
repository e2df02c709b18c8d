// Shadowed text: the shadow pass and the text pass share one saved device-context state.
#include "skin/engine/drawing/TextEffects.h"

void DrawTextShadowed(HDC dc, const RECT& rect, int32_t shadowOffset, uint32_t flags, COLORREF shadowColor,
                      COLORREF textColor, const char* text, int length, UINT format)
{
    if (!dc || !text)
        return;
    const int saved = SaveDC(dc);
    SetBkMode(dc, TRANSPARENT);
    if (flags & 1) {
        const int dx = static_cast<int8_t>(shadowOffset & 0xFF);
        const int dy = static_cast<int8_t>((shadowOffset >> 8) & 0xFF);
        RECT shadow = rect;
        OffsetRect(&shadow, dx, dy);
        SetTextColor(dc, shadowColor);
        DrawTextA(dc, text, length, &shadow, format);
    }
    RECT box = rect;
    SetTextColor(dc, textColor);
    DrawTextA(dc, text, length, &box, format);
    RestoreDC(dc, saved);
}

void DrawTextEffect(HDC dc, const TextEffect& effect, const RECT& rect, const char* text, int length, UINT format)
{
    const int32_t offset = static_cast<uint8_t>(effect.dx) | (static_cast<uint8_t>(effect.dy) << 8);
    const uint8_t text3[3] = {effect.red, effect.green, effect.blue};
    const uint8_t shadow3[3] = {effect.shadowRed, effect.shadowGreen, effect.shadowBlue};
    DrawTextShadowed(dc, rect, offset, effect.flags, GetTextEffectColor(shadow3), GetTextEffectColor(text3), text,
                     length, format);
}

COLORREF GetTextEffectColor(const uint8_t (&rgb)[3])
{
    return RGB(rgb[0], rgb[1], rgb[2]);
}

void StoreTextEffectColor(uint8_t (&rgb)[3], COLORREF color)
{
    rgb[0] = GetRValue(color);
    rgb[1] = GetGValue(color);
    rgb[2] = GetBValue(color);
}
