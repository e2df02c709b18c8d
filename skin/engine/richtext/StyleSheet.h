// The tooltip style sheet: rules of one simple selector each, kept as declaration text and applied to a
// TextStyle on demand, and the value syntaxes (lengths, colours, keywords) that markup attributes share.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "skin/engine/richtext/ColorTable.h"
#include "skin/engine/richtext/RichTextRecords.h"

class RichTextDevice;

class StyleSheet {
public:
    explicit StyleSheet(const ColorTable& colors) : colors_(colors) {}

    static const char* DefaultText();
    // Clears every rule, then parses text; nullptr installs the default sheet, "" leaves no rules.
    void Install(const char* text);
    const std::string& Text() const { return text_; }
    size_t RuleCount() const { return rules_.size(); }
    // The declarations of a selector (looked up lower-cased), or nullptr.
    const std::string* FindRule(std::string_view selector) const;

    // Parses the rule's declarations into style; an unknown selector changes nothing.
    bool ApplyStyle(RichTextDevice& device, std::string_view selector, TextStyle& style) const;
    void ParseDeclarations(RichTextDevice& device, std::string_view text, TextStyle& style) const;
    void ApplyProperty(RichTextDevice& device, std::string_view name, std::string_view value, TextStyle& style) const;

    // A length as the markup reads it, unclamped (64 bits); used for numbers that are not sizes too.
    static int64_t ParseNumber(RichTextDevice& device, std::string_view value, int64_t base, bool htmlSize);
    // A size: ParseNumber clamped to 0..kMaxLength, so negative results count as 0.
    static int ParseLength(RichTextDevice& device, std::string_view value, int base, bool htmlSize);
    COLORREF ParseColor(std::string_view value, COLORREF fallback) const;

    static int ParseFontWeight(std::string_view value);
    static int ParseItalic(std::string_view value, int current);
    static int ParseTextAlign(std::string_view value, int current);
    static int ParseTextTransform(std::string_view value, int current);
    static int ParseVerticalAlign(std::string_view value, int current);
    static int ParseBorderStyle(std::string_view value, int current);
    static void ParseTextDecoration(std::string_view value, TextStyle& style);
    // "b", "i", "o", "s", "u", each cleared instead after a "-" (which a "+" cancels).
    static void ParseFontStyleLetters(std::string_view value, TextStyle& style);
    // "g", "d", "l" and "s" (a shadow, blurred or sharp, when the offsets are not both 0).
    static int ParseImageStyle(std::string_view value, int shadowX, int shadowY, bool blurred);

    // Style fields as the markup sets them, clamped to their ranges.
    static void SetFontSize(TextStyle& style, int64_t size);
    static void SetFontWeight(TextStyle& style, int64_t weight);
    static void SetFontFamily(TextStyle& style, std::string_view face);

private:
    // A rule's declarations as written, and lower-cased once for applying them.
    struct Rule {
        std::string text;
        std::string lowered;
    };
    void ParseLowered(RichTextDevice& device, std::string_view decl, TextStyle& style) const;

    const ColorTable& colors_;
    std::map<std::string, Rule, std::less<>> rules_;
    std::string text_;
};
