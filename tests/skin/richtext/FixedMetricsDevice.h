// A rich-text device without a device context: every glyph is half the font height wide and the font
// height tall, with an ascent of three quarters; pictures are sizes looked up in tables; everything drawn
// is recorded, so layouts can be checked as numbers.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "skin/engine/richtext/RichTextDevice.h"

class FixedMetricsDevice : public RichTextDevice {
public:
    enum Kind { kText, kLine, kFill, kFrame, kImage, kTile };
    struct Op {
        explicit Op(Kind k) : kind(k) {}
        Kind kind;
        int x = 0, y = 0, x2 = 0, y2 = 0; // text/image: position and size (x2, y2); line: ends
        std::string text;
        FontSpec font;
        COLORREF color = 0, color2 = 0;
        int style = 0, width = 0; // border style and pen width, fill effect, image style
        RECT rect = {};
        bool shadow = false;
        int backMode = 1;
        COLORREF back = 0;
    };

    static int HeightOf(const FontSpec& f) { return f.height > 0 ? f.height : 16; }
    static int GlyphWidth(const FontSpec& f) { return HeightOf(f) / 2 > 0 ? HeightOf(f) / 2 : 1; }
    static int AscentOf(const FontSpec& f) { return HeightOf(f) - HeightOf(f) / 4; }

    void BeginPass(const FontSpec& font, int backMode, COLORREF textColor, COLORREF backColor) override;
    void EndPass() override { ++passes; }
    void SelectFont(const FontSpec& f) override { font = f; }
    void SetColors(int mode, COLORREF text, COLORREF back) override;
    FontMetrics Metrics() override { return FontMetrics{HeightOf(font), AscentOf(font)}; }
    SIZE TextExtent(std::string_view text) override;
    int LogPixelsY() override { return 96; }
    SIZE IconMetrics() override { return SIZE{32, 32}; }

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

    std::vector<Op> Ops(Kind kind) const;
    std::vector<Op> ops;
    FontSpec font;
    int backMode = 1;
    COLORREF textColor = 0, backColor = 0;
    int passes = 0;
    int extentCalls = 0;

    // Pictures this device knows: resource ids, file names and handles, each with its size.
    std::map<int, SIZE> bitmapResources, iconResources;
    std::map<std::string, SIZE> bitmapFiles;
    std::map<uintptr_t, SIZE> bitmapHandles, iconHandles;
    int loadCalls = 0;
    int openImages = 0; // owned pictures not yet freed
    std::vector<RECT> cutCells;
};
