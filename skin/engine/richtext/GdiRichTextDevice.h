// The rich-text device on a real device context: fonts made from the drawer's default font description,
// text measured and drawn with GDI, pictures loaded through RichTextResources and drawn with DrawTools.
#pragma once
#include <windows.h>

#include <vector>

#include "skin/engine/richtext/DrawTools.h"
#include "skin/engine/richtext/RichTextDevice.h"
#include "skin/engine/richtext/RichTextFontCache.h"

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

private:
    HDC hdc_;
    LOGFONTA base_;
    const DrawTools& tools_;
    RichTextFontCache& fonts_;
    bool inPass_ = false;
    HFONT font_ = nullptr;
    HGDIOBJ previousFont_ = nullptr;
    int previousBackMode_ = 0;
    COLORREF previousText_ = 0, previousBack_ = 0;
    FontSpec current_;
    bool metricsValid_ = false;
    FontMetrics metrics_;
    HFONT inDc_ = nullptr; // the style font the DC holds: font_ goes in when text needs it
    struct FontMetricsOf {
        FontSpec font;
        FontMetrics metrics;
    };
    std::vector<FontMetricsOf> fontMetrics_; // read this pass
    void SelectIntoDc();
};
