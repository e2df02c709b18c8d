// Fonts the rich-text drawer made for its styles, kept between passes, each with a measuring DC of its own
// that holds it: a tooltip switches between a few styles many times per paint, and making a font, or
// selecting it into the drawn DC only to measure text or read its metrics, costs more than laying out
// the text.
#pragma once
#include <windows.h>

#include <vector>

#include "skin/engine/richtext/RichTextDevice.h"

class RichTextFontCache {
public:
    RichTextFontCache() = default;
    ~RichTextFontCache();
    RichTextFontCache(const RichTextFontCache&) = delete;
    RichTextFontCache& operator=(const RichTextFontCache&) = delete;

    // The font of a style made from base (the drawer's default font description), or nullptr when it cannot
    // be made. Fonts stay with the cache; the least recently used one goes when the cache is full, which is
    // never the one just handed out.
    HFONT Get(const LOGFONTA& base, const FontSpec& spec);
    size_t Size() const { return entries_.size(); }
    size_t Made() const { return made_; } // fonts created since the cache began
    // The next font made deletes the least recently used one.
    bool Full() const { return entries_.size() >= kCapacity; }

    // A font from Get, selected into a screen-compatible memory DC of its own, and its metrics read there;
    // nullptr when that DC cannot be made. Measures taken there hold for any DC that maps logical units to
    // pixels one to one at the screen's resolution (SharesMeasures).
    struct Measurer {
        HDC dc;
        FontMetrics metrics;
    };
    const Measurer* MeasurerOf(HFONT font);
    static bool SharesMeasures(HDC hdc);

private:
    struct Entry {
        FontSpec spec;
        HFONT font;
        unsigned long long used;
        Measurer measurer;       // dc nullptr until first asked for
        HGDIOBJ measuringDcFont; // what the measuring DC held before the font
    };
    static void Free(Entry& e);
    static const size_t kCapacity = 16;
    std::vector<Entry> entries_;
    unsigned long long clock_ = 0;
    size_t made_ = 0;
};
