// Fonts the rich-text drawer made for its styles, kept between passes with their metrics: a tooltip
// switches between a few styles many times per paint, and making a font, or selecting it only to read its
// metrics, costs more than laying out the text.
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
    // Metrics of a font from Get as read on device contexts of one profile (a DC's kind of measures: the
    // same profile, the same metrics); profile 0 is never kept. False when they are not known.
    bool FindMetrics(HFONT font, int profile, FontMetrics& metrics) const;
    void KeepMetrics(HFONT font, int profile, const FontMetrics& metrics);
    // The next font made deletes the least recently used one.
    bool Full() const { return entries_.size() >= kCapacity; }

private:
    struct Entry {
        FontSpec spec;
        HFONT font;
        unsigned long long used;
        int metricsProfile;
        FontMetrics metrics;
    };
    static const size_t kCapacity = 16;
    std::vector<Entry> entries_;
    unsigned long long clock_ = 0;
    size_t made_ = 0;
};
