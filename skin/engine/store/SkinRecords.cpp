// The format version in force, the record defaults shared by the skin object classes, bounded text copies.
#include "skin/engine/store/SkinRecords.h"

#include <cstring>

namespace {

// Nothing loaded: the newest version, so that objects built in memory carry every field.
int g_major = 1;
int g_minor = 16;

} // namespace

void SetSkinFormatVersion(int major, int minor)
{
    g_major = major;
    g_minor = minor;
}

int SkinFormatMajor()
{
    return g_major;
}

int SkinFormatMinor()
{
    return g_minor;
}

bool GateOpen(const FieldDef& def)
{
    if (!def.Gated())
        return true;
    return g_major > 0 && g_minor >= def.minMinor && g_minor <= def.maxMinor;
}

bool MinorAtLeast(int minor)
{
    return g_major > 0 && g_minor >= minor;
}

bool MinorBelow(int minor)
{
    return g_major > 0 && g_minor < minor;
}

void SetTextEffectColor(TextEffect& effect, COLORREF color)
{
    effect.red = GetRValue(color);
    effect.green = GetGValue(color);
    effect.blue = GetBValue(color);
}

COLORREF TextEffectColor(const TextEffect& effect)
{
    return RGB(effect.red, effect.green, effect.blue);
}

TextEffect ResetTextEffect()
{
    TextEffect e;
    std::memset(&e, 0, sizeof e);
    SetTextEffectColor(e, GetSysColor(COLOR_BTNTEXT));
    e.opaque = 255;
    COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    e.shadowRed = GetRValue(shadow);
    e.shadowGreen = GetGValue(shadow);
    e.shadowBlue = GetBValue(shadow);
    e.flags = 0x8004;
    return e;
}

SkinFont ResetFont(const char* face)
{
    SkinFont f;
    std::memset(&f, 0, sizeof f);
    f.logFont.lfHeight = -12;
    f.logFont.lfWeight = FW_NORMAL;
    f.logFont.lfOutPrecision = OUT_STROKE_PRECIS;
    f.logFont.lfClipPrecision = CLIP_STROKE_PRECIS;
    f.logFont.lfQuality = DRAFT_QUALITY;
    tessarine::CopyText(f.logFont.lfFaceName, sizeof f.logFont.lfFaceName, face);
    return f;
}

void tessarine::CopyText(char* dest, size_t size, const char* source)
{
    if (!dest || size == 0)
        return;
    size_t n = 0;
    if (source) {
        // Walk whole characters: a lead byte of code page 936 takes its trail byte with it.
        while (source[n]) {
            size_t step = (static_cast<unsigned char>(source[n]) >= 0x81 && source[n + 1]) ? 2 : 1;
            if (n + step > size - 1)
                break;
            n += step;
        }
        std::memcpy(dest, source, n);
    }
    // The rest is zeroed too, so that nothing but the text is ever written to a file.
    std::memset(dest + n, 0, size - n);
}
