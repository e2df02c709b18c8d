// The markup interpreter: the pass over a whole text (blocks and tables), the style stack, the tags, and the
// placing of runs, rules and pictures on lines. Measuring records line and table records; drawing replays
// them. It works only through RichTextDevice, so it runs without a device context in tests.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "skin/engine/richtext/RichTextDevice.h"
#include "skin/engine/richtext/RichTextRecords.h"
#include "skin/engine/richtext/StyleSheet.h"
#include "skin/engine/richtext/TableLayout.h"

// What the drawer hands the interpreter: its default font, resource module and picture shadow settings.
struct RichTextSettings {
    FontSpec defaultFont;
    HINSTANCE instance = nullptr;
    int shadowX = 4, shadowY = 4;
    int blurX = 7, blurY = 7;
    bool blurred = true;
    COLORREF shadowColor = RGB(128, 128, 128);
};

class RichTextLayout {
public:
    RichTextLayout(const StyleSheet& sheet, const RichTextSettings& settings);

    // Returns (widest + 1, total height + 1). Measuring clears and records; drawing replays.
    SIZE LayoutText(RichTextDevice& device, std::string_view text, const RECT& rect, bool measuring);

    const std::vector<LineRecord>& Lines() const { return lines_; }
    const TableLayout& Tables() const { return tables_; }

    // Used by the tables.
    SIZE LayoutBlock(std::string_view text, const RECT& rect);
    TextStyle& Style() { return style_; }
    void ResetStyle();
    void ApplyRule(std::string_view selector);
    bool PushStyle(const char* name);
    bool PopStyle(const char* name);
    void SelectStyleFont();
    RichTextDevice& Device() { return *device_; }
    bool Measuring() const { return measuring_; }
    const StyleSheet& Sheet() const { return sheet_; }
    const RichTextSettings& Settings() const { return settings_; }

private:
    void HandleTag(std::string_view tagText);
    void StyleTag(const char* name, bool closing, void (*change)(TextStyle&));
    void FontTag(std::string_view tag, size_t pos);
    void LinkTag(std::string_view tag, size_t pos);
    void SpanTag(std::string_view tag, size_t pos);
    void RuleTag(std::string_view tag, size_t pos);
    void BitmapTag(std::string_view tag, size_t pos);
    void IconTag(std::string_view tag, size_t pos);
    void ImageListTag(std::string_view tag, size_t pos);
    void StringTag(std::string_view tag, size_t pos);
    int ReadCount(std::string_view tag, size_t& pos);
    void ReadImageAttributes(std::string_view tag, size_t pos, ImageAttributes& a);
    ImageSource SourceOf(const ImageAttributes& a) const;
    void PlacePicture(DeviceImage& image, int width, int height, const ImageAttributes& a);

    void StartLine();
    void NewLine(int count);
    void Tab(int count);
    void PlaceText(const std::string& run, bool styled);
    SIZE RunExtent(const std::string& text);
    // Puts an item of the given size on the line; returns the y it is drawn at (drawing) and moves x on.
    int PlaceItem(int width, int height);
    int LineOffset(int itemHeight, int ascent) const;

    const StyleSheet& sheet_;
    const RichTextSettings& settings_;
    RichTextDevice* device_ = nullptr;
    bool measuring_ = true;

    TextStyle style_;
    std::vector<TextStyle> stack_;
    FontSpec font_; // the font the current style asked for
    FontMetrics metrics_;

    // Each text run's extent as measuring found it, in order: drawing the same text in the same fonts
    // takes its extents from here instead of measuring every run again.
    struct MeasuredRun {
        FontSpec font;
        std::string text;
        SIZE extent;
    };
    std::vector<MeasuredRun> runs_;
    size_t runIndex_ = 0;

    std::vector<LineRecord> lines_;
    size_t lineIndex_ = 0;

    // The block being laid out and its current line.
    RECT block_ = {};
    int x_ = 0, y_ = 0;
    int widest_ = 0;
    LineRecord line_ = {};
    bool lineKnown_ = false; // drawing: the line has a record to replay

    TableLayout tables_;
};
