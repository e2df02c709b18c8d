// The rich-text device on a real device context: fonts made from the drawer's default font description,
// text measured and drawn with GDI, pictures loaded through RichTextResources and drawn with DrawTools.
#pragma once
#include <windows.h>

#include <vector>

#include "skin/engine/richtext/DrawTools.h"
#include "skin/engine/richtext/RichTextDevice.h"
#include "skin/engine/richtext/RichTextFontCache.h"

// Calls the device made on its device context, by kind (the benchmark prints them per tooltip).
struct GdiCallCounts {
    int fontSelections = 0; // SelectObject of a font, the pass's own restore included
    int metricReads = 0;    // GetTextMetrics (on the DC drawn into; the fonts' own DCs read theirs once)
    int extentReads = 0;    // GetTextExtentPoint32
    int textOutputs = 0;    // TextOut
    int stateSets = 0;      // SetBkMode, SetTextColor, SetBkColor
};

class GdiRichTextDevice : public RichTextDevice {
public:
    // Fonts come from the cache, which outlives the device (the drawer keeps one).
    GdiRichTextDevice(HDC hdc, const LOGFONTA& baseFont, const DrawTools& tools, RichTextFontCache& fonts);
    ~GdiRichTextDevice() override;
    GdiRichTextDevice(const GdiRichTextDevice&) = delete;
    GdiRichTextDevice& operator=(const GdiRichTextDevice&) = delete;

    void BeginPass(const FontSpec& font, int backMode, COLORREF textColor, COLORREF backColor) override;
    void EndPass() override;

    void SelectFont(const FontSpec& font) override;
    void SetColors(int backMode, COLORREF textColor, COLORREF backColor) override;
    FontMetrics Metrics() override;
    SIZE TextExtent(std::string_view text) override;
    int LogPixelsY() override;
    SIZE IconMetrics() override;

    DeviceImage LoadBitmapImage(const ImageSource& source) override;
    DeviceImage LoadIconImage(const ImageSource& source, int width, int height) override;
    DeviceImage CutImageCell(const DeviceImage& strip, int x, int y, int width, int height) override;
    void FreeImage(DeviceImage& image) override;

    void DrawRun(int x, int y, std::string_view text) override;
    void DrawLine(int x1, int y1, int x2, int y2, COLORREF color, int borderStyle, int penWidth) override;
    void FillEffect(const RECT& rect, int effect, COLORREF color, COLORREF middle, COLORREF end) override;
    void DrawFrame(const RECT& rect, COLORREF light, COLORREF dark, int borderStyle, int penWidth) override;
    void DrawImage(const DeviceImage& image, int x, int y, int width, int height, const ImageEffects& effects) override;
    void TileImage(const DeviceImage& image, const RECT& rect) override;

    const GdiCallCounts& Counts() const { return counts_; }

private:
    HDC hdc_;
    LOGFONTA base_;
    const DrawTools& tools_;
    RichTextFontCache& fonts_;
    bool inPass_ = false;
    HFONT font_ = nullptr;
    HGDIOBJ previousFont_ = nullptr;
    FontSpec current_;
    bool metricsValid_ = false;
    FontMetrics metrics_;
    HFONT inDc_ = nullptr;        // the style font the DC holds: font_ goes in when text needs it
    bool sharesMeasures_ = false; // the fonts' own measuring DCs measure for this DC
    const RichTextFontCache::Measurer* measurer_ = nullptr; // of font_, once asked for
    int logPixelsY_ = 0;                                    // read once a device: a DC's resolution does not change
    // Background mode, text and background colours: what the DC had before the pass, what it holds now,
    // and what the style wants. The style's colours go in only when something is drawn.
    struct Colors {
        int backMode = 0;
        COLORREF text = 0, back = 0;
    };
    Colors previous_, dcColors_, wanted_;
    struct FontMetricsOf {
        FontSpec font;
        FontMetrics metrics;
    };
    std::vector<FontMetricsOf> fontMetrics_; // read this pass, on a DC that measures for itself
    GdiCallCounts counts_;
    const RichTextFontCache::Measurer* Measurer();
    void SelectIntoDc();
    void PutColors(const Colors& colors);
    void ApplyColors() { PutColors(wanted_); }
};
