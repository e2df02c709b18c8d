// Fonts of the rich-text drawer's styles; see RichTextFontCache.h.
#include "skin/engine/richtext/RichTextFontCache.h"

#include <cstring>

RichTextFontCache::~RichTextFontCache()
{
    for (Entry& e : entries_)
        Free(e);
}

void RichTextFontCache::Free(Entry& e)
{
    if (e.measurer.dc) {
        SelectObject(e.measurer.dc, e.measuringDcFont);
        DeleteDC(e.measurer.dc);
    }
    DeleteObject(e.font);
}

HFONT RichTextFontCache::Get(const LOGFONTA& base, const FontSpec& spec)
{
    ++clock_;
    for (Entry& e : entries_)
        if (e.spec == spec) {
            e.used = clock_;
            return e.font;
        }
    LOGFONTA lf = base;
    lf.lfHeight = spec.height;
    lf.lfWeight = spec.weight;
    lf.lfItalic = spec.italic ? 1 : 0;
    lf.lfUnderline = spec.underline ? 1 : 0;
    lf.lfStrikeOut = spec.strikeOut ? 1 : 0;
    std::memcpy(lf.lfFaceName, spec.face, sizeof lf.lfFaceName);
    lf.lfFaceName[sizeof lf.lfFaceName - 1] = '\0';
    HFONT font = CreateFontIndirectA(&lf);
    if (!font)
        return nullptr;
    ++made_;
    if (entries_.size() >= kCapacity) {
        size_t oldest = 0;
        for (size_t i = 1; i < entries_.size(); ++i)
            if (entries_[i].used < entries_[oldest].used)
                oldest = i;
        Free(entries_[oldest]);
        entries_.erase(entries_.begin() + ptrdiff_t(oldest));
    }
    entries_.push_back(Entry{spec, font, clock_, Measurer{nullptr, FontMetrics()}, nullptr});
    return font;
}

const RichTextFontCache::Measurer* RichTextFontCache::MeasurerOf(HFONT font)
{
    for (Entry& e : entries_) {
        if (e.font != font)
            continue;
        if (!e.measurer.dc) {
            HDC dc = CreateCompatibleDC(nullptr);
            if (!dc)
                return nullptr;
            e.measuringDcFont = SelectObject(dc, font);
            TEXTMETRICA tm = {};
            GetTextMetricsA(dc, &tm);
            e.measurer.metrics.height = tm.tmHeight;
            e.measurer.metrics.ascent = tm.tmAscent;
            e.measurer.dc = dc;
        }
        return &e.measurer;
    }
    return nullptr;
}

bool RichTextFontCache::SharesMeasures(HDC hdc)
{
    static const int screenLogPixelsY = [] {
        HDC screen = GetDC(nullptr);
        int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
        if (screen)
            ReleaseDC(nullptr, screen);
        return dpi;
    }();
    return GetMapMode(hdc) == MM_TEXT && GetGraphicsMode(hdc) == GM_COMPATIBLE && GetTextCharacterExtra(hdc) == 0 &&
           screenLogPixelsY != 0 && GetDeviceCaps(hdc, LOGPIXELSY) == screenLogPixelsY;
}
