// The tooltip's rich-text drawer: measures and draws a text written in the tooltip markup (a subset of HTML
// tags styled by a small style sheet, with tables and pictures). Measure a text first; Draw then replays
// the lines and tables that measuring planned, on every paint.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "skin/engine/richtext/ColorTable.h"
#include "skin/engine/richtext/DrawTools.h"
#include "skin/engine/richtext/RichTextFontCache.h"
#include "skin/engine/richtext/RichTextLayout.h"
#include "skin/engine/richtext/StyleSheet.h"

class RichTextDevice;

class RichTextDrawer {
public:
    RichTextDrawer();
    virtual ~RichTextDrawer() = default;
    RichTextDrawer(const RichTextDrawer&) = delete;
    RichTextDrawer& operator=(const RichTextDrawer&) = delete;

    // The size the text needs: two more than its widest line or table and than its summed height.
    SIZE Measure(HDC hdc, std::string_view text);
    // Draws the last measured text into rect; lines or tables without a measured record are not drawn.
    void Draw(HDC hdc, std::string_view text, const RECT& rect);
    // The same passes on any device (the layout's own measures in tests).
    SIZE Measure(RichTextDevice& device, std::string_view text);
    void Draw(RichTextDevice& device, std::string_view text, const RECT& rect);

    // nullptr installs the default style sheet; a text replaces all rules (an empty one leaves none).
    void SetCssStyles(const char* text);
    const std::string& CssText() const { return sheet_.Text(); }

    // Part `index` (from 0) of string `id` of the resource module, split at line feeds; empty when missing.
    std::string GetStringPart(UINT id, int index) const;
    std::string LoadResourceString(UINT id) const;

    void SetResourceInstance(HINSTANCE module) { settings_.instance = module; }
    HINSTANCE ResourceInstance() const { return settings_.instance; }

    const LOGFONTA& DefaultFont() const { return defaultFont_; }
    const StyleSheet& Sheet() const { return sheet_; }
    const ColorTable& Colors() const { return colors_; }
    const RichTextLayout& Layout() const { return layout_; }
    const RichTextSettings& Settings() const { return settings_; }
    const DrawTools& Tools() const { return tools_; }

private:
    LOGFONTA defaultFont_;
    ColorTable colors_;
    StyleSheet sheet_;
    RichTextSettings settings_;
    DrawTools tools_;
    RichTextFontCache fonts_;
    RichTextLayout layout_;
};
