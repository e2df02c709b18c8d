// Fonts of the rich-text drawer's styles; see RichTextFontCache.h.
#include "skin/engine/richtext/RichTextFontCache.h"

#include <cstring>

RichTextFontCache::~RichTextFontCache()
{
    for (Entry& e : entries_)
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
        DeleteObject(entries_[oldest].font);
        entries_.erase(entries_.begin() + ptrdiff_t(oldest));
    }
    entries_.push_back(Entry{spec, font, clock_, 0, FontMetrics()});
    return font;
}

bool RichTextFontCache::FindMetrics(HFONT font, int profile, FontMetrics& metrics) const
{
    if (profile == 0)
        return false;
    for (const Entry& e : entries_)
        if (e.font == font && e.metricsProfile == profile) {
            metrics = e.metrics;
            return true;
        }
    return false;
}

void RichTextFontCache::KeepMetrics(HFONT font, int profile, const FontMetrics& metrics)
{
    if (profile == 0)
        return;
    for (Entry& e : entries_)
        if (e.font == font) {
            e.metricsProfile = profile;
            e.metrics = metrics;
            return;
        }
}
