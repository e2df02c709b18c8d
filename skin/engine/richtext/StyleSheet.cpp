// The tooltip style sheet and style values; see StyleSheet.h.
#include "skin/engine/richtext/StyleSheet.h"

#include "skin/engine/richtext/MarkupLexer.h"
#include "skin/engine/richtext/RichTextDevice.h"

namespace {

const char kDefaultSheet[] = "body {font-size: 10pt; color:black; font-family:Verdana}\r\n"
                             "p {font-size: 10pt; color:black; font-family:Verdana; font-weight:bold}\r\n"
                             "h1 {font-size: 14pt; color:black; font-family:Verdana; font-weight:bold}\r\n"
                             "h2 {font-size: 13pt; color:#ff9900; font-family:Verdana; font-weight:bold}\r\n"
                             "h3 {font-size: 12pt; color:#ff9900; font-family:Arial; font-weight:bold}\r\n"
                             "h4 {font-size: 10pt; color:black; font-family:Verdana; font-weight:bold}\r\n"
                             "h5 {font-size: 9pt; color:#ff9900; font-family:Verdana; font-weight:bold}\r\n"
                             "h6 {font-size: 65%; color:#626262; font-family:Verdana; font-weight:normal}\r\n"
                             "pre {font-size: 9pt; font-family:\"Courier\"; background-color:#fbedbb}\r\n"
                             "code {color:#990000; font-family:Arial}\r\n"
                             "a:link {text-decoration:none; color:blue}\r\n"
                             "a:hover {text-decoration:underline; color:blue}\r\n"
                             "sub {font-size:65%; vertical-align:bottom}\r\n"
                             "sup {font-size:65%; vertical-align:top}\r\n"
                             "big {font-size:125%}\r\n"
                             "small {font-size:75%}\r\n"
                             ".code-comment {color:green; font-style:italic}\r\n";

bool IsSelectorStart(char c)
{
    return MarkupLexer::IsAsciiAlnum(c) || c == '.';
}

} // namespace

const char* StyleSheet::DefaultText()
{
    return kDefaultSheet;
}

void StyleSheet::Install(const char* text)
{
    rules_.clear();
    text_ = text ? text : kDefaultSheet;
    std::string_view sheet(text_);
    size_t pos = 0;
    for (;;) {
        size_t start = MarkupLexer::FindChar(sheet, pos, IsSelectorStart);
        if (start == std::string_view::npos)
            return;
        size_t end = MarkupLexer::FindChar(sheet, start, [](char c) { return MarkupLexer::IsBlank(c) || c == '{'; });
        if (end == std::string_view::npos)
            return;
        size_t open = MarkupLexer::FindChar(sheet, end, '{');
        if (open == std::string_view::npos)
            return;
        // A sheet cut short inside a rule ends there; the unfinished rule is dropped.
        size_t close = MarkupLexer::FindChar(sheet, open + 1, '}');
        if (close == std::string_view::npos)
            return;
        if (close > open + 1) {
            std::string_view decl = sheet.substr(open + 1, close - open - 1);
            rules_[MarkupLexer::ToLower(sheet.substr(start, end - start))] =
                Rule{std::string(decl), MarkupLexer::ToLower(decl)};
        }
        pos = close + 1;
    }
}

const std::string* StyleSheet::FindRule(std::string_view selector) const
{
    auto it = rules_.find(MarkupLexer::ToLower(selector));
    return it == rules_.end() ? nullptr : &it->second.text;
}

bool StyleSheet::ApplyStyle(RichTextDevice& device, std::string_view selector, TextStyle& style) const
{
    // The markup asks for its selectors in lower case already (element names, classes read from lowered tags).
    bool lower = true;
    for (char c : selector)
        lower = lower && !(c >= 'A' && c <= 'Z');
    auto it = lower ? rules_.find(selector) : rules_.find(MarkupLexer::ToLower(selector));
    if (it == rules_.end())
        return false;
    ParseLowered(device, it->second.lowered, style);
    return true;
}

void StyleSheet::ParseDeclarations(RichTextDevice& device, std::string_view text, TextStyle& style) const
{
    ParseLowered(device, MarkupLexer::ToLower(text), style);
}

void StyleSheet::ParseLowered(RichTextDevice& device, std::string_view decl, TextStyle& style) const
{
    size_t pos = 0;
    while (pos < decl.size()) {
        size_t start = MarkupLexer::FindChar(decl, pos, IsSelectorStart);
        if (start == std::string_view::npos)
            return;
        size_t end = MarkupLexer::FindChar(decl, start, [](char c) { return MarkupLexer::IsBlank(c) || c == ':'; });
        if (end == std::string_view::npos)
            return;
        pos = end;
        std::string_view value = MarkupLexer::AttributeValue(decl, pos, ':', ';');
        ApplyProperty(device, decl.substr(start, end - start), value, style);
    }
}

void StyleSheet::ApplyProperty(RichTextDevice& device, std::string_view name, std::string_view value,
                               TextStyle& style) const
{
    if (name == "font-size")
        SetFontSize(style, ParseLength(device, value, style.fontSize, true));
    else if (name == "font-family") {
        if (!value.empty())
            SetFontFamily(style, value);
    } else if (name == "font-style")
        style.italic = ParseItalic(value, style.italic);
    else if (name == "font-weight")
        SetFontWeight(style, ParseFontWeight(value));
    else if (name == "text-align")
        style.textAlign = ParseTextAlign(value, style.textAlign);
    else if (name == "text-transform")
        style.transform = ParseTextTransform(value, style.transform);
    else if (name == "color")
        style.textColor = ParseColor(value, style.textColor);
    else if (name == "background-color") {
        if (value.empty() || value == "transparent") {
            style.backMode = kBackTransparent;
        } else {
            style.backMode = kBackOpaque;
            style.backColor = ParseColor(value, style.backColor);
        }
    } else if (name == "text-decoration")
        ParseTextDecoration(value, style);
    else if (name == "vertical-align")
        style.verticalAlign = ParseVerticalAlign(value, style.verticalAlign);
    else if (name == "border-color")
        style.borderLight = style.borderDark = ParseColor(value, style.borderLight);
    else if (name == "border-width" || name == "size") {
        if (value == "thin")
            style.borderWidth = MulDiv64(75, style.borderWidth, 100);
        else if (value == "thick")
            style.borderWidth = ClampInt(MulDiv64(125, style.borderWidth, 100), 0, RichTextLimits::kMaxLength);
        else if (value != "medium")
            style.borderWidth = ParseLength(device, value, style.borderWidth, false);
    } else if (name == "border-style")
        style.borderStyle = ParseBorderStyle(value, style.borderStyle);
    else if (name == "margin-left")
        style.marginLeft = ParseLength(device, value, style.marginLeft, false);
    else if (name == "margin-top")
        style.marginTop = ParseLength(device, value, style.marginTop, false);
    else if (name == "margin-right")
        style.marginRight = ParseLength(device, value, style.marginRight, false);
    else if (name == "margin-bottom")
        style.marginBottom = ParseLength(device, value, style.marginBottom, false);
    else if (name == "padding-left")
        style.paddingLeft = ParseLength(device, value, style.paddingLeft, false);
    else if (name == "padding-top")
        style.paddingTop = ParseLength(device, value, style.paddingTop, false);
    else if (name == "padding-right")
        style.paddingRight = ParseLength(device, value, style.paddingRight, false);
    else if (name == "padding-bottom")
        style.paddingBottom = ParseLength(device, value, style.paddingBottom, false);
}

int64_t StyleSheet::ParseNumber(RichTextDevice& device, std::string_view value, int64_t base, bool htmlSize)
{
    if (value.empty())
        return base;
    if (value.back() == '%')
        return MulDiv64(base, MarkupLexer::ReadDecimal(value.substr(0, value.size() - 1)), 100);
    if (value[0] == '+' || value[0] == '-')
        value.remove_prefix(1);
    std::string_view unit = value.size() >= 2 ? value.substr(value.size() - 2) : value;
    int64_t n = value.size() >= 2 ? MarkupLexer::ReadDecimal(value.substr(0, value.size() - 2)) : 0;
    if (n < 0)
        n = 0;
    if (unit == "px")
        return n;
    if (unit == "ex")
        return n * device.TextExtent("x").cy;
    if (unit == "em")
        return n * device.Metrics().height;
    int64_t r = n * device.LogPixelsY();
    if (unit == "in")
        return r;
    if (unit == "cm")
        return static_cast<int64_t>(r * 0.39370078740157477);
    if (unit == "mm")
        return static_cast<int64_t>(r * 0.03937007874015748);
    if (unit == "pt")
        return r / 72;
    if (unit == "pc")
        return r / 6;
    int64_t number = MarkupLexer::ReadCNumber(value);
    if (htmlSize && number >= 1 && number <= 7) {
        static const int kHtmlSizes[] = {8, 10, 12, 14, 18, 24, 36};
        number = kHtmlSizes[number - 1];
    }
    return number;
}

int StyleSheet::ParseLength(RichTextDevice& device, std::string_view value, int base, bool htmlSize)
{
    return ClampInt(ParseNumber(device, value, base, htmlSize), 0, RichTextLimits::kMaxLength);
}

COLORREF StyleSheet::ParseColor(std::string_view value, COLORREF fallback) const
{
    if (value.empty())
        return fallback;
    if (value[0] == '#') {
        // Only the full #rrggbb form is a colour; a short or broken one keeps the fallback.
        if (value.size() != 7)
            return fallback;
        unsigned rgb = 0;
        for (size_t i = 1; i < 7; ++i) {
            int digit = MarkupLexer::HexDigit(value[i]);
            if (digit < 0)
                return fallback;
            rgb = (rgb << 4) | unsigned(digit);
        }
        return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }
    if (value[0] >= '0' && value[0] <= '9')
        return static_cast<COLORREF>(MarkupLexer::ReadCNumber(value)) & 0x00FFFFFF;
    COLORREF color;
    return colors_.Find(value, color) ? color : fallback;
}

int StyleSheet::ParseFontWeight(std::string_view value)
{
    if (value.empty() || value == "normal")
        return 400;
    if (value == "bold")
        return 700;
    if (value == "bolder")
        return 900;
    if (value == "lighter")
        return 100;
    size_t digits = 0;
    while (digits < value.size() && value[digits] >= '0' && value[digits] <= '9')
        ++digits;
    return ClampInt(MarkupLexer::ReadDecimal(value.substr(0, digits)), 0, RichTextLimits::kMaxFontWeight);
}

int StyleSheet::ParseItalic(std::string_view value, int current)
{
    if (value.empty() || value == "normal")
        return 0;
    if (value == "italic" || value == "oblique")
        return 1;
    return current;
}

int StyleSheet::ParseTextAlign(std::string_view value, int current)
{
    if (value.empty() || value == "left")
        return kAlignLeft;
    if (value == "center")
        return kAlignCenter;
    if (value == "right")
        return kAlignRight;
    return current;
}

int StyleSheet::ParseTextTransform(std::string_view value, int current)
{
    if (value.empty() || value == "none")
        return 0;
    if (value == "uppercase")
        return 1;
    if (value == "lowercase")
        return 2;
    if (value == "capitalize")
        return 3;
    return current;
}

int StyleSheet::ParseVerticalAlign(std::string_view value, int current)
{
    if (value.empty() || value == "baseline")
        return kVAlignBaseline;
    if (value == "middle" || value == "vcenter")
        return kVAlignMiddle;
    if (value == "top")
        return kVAlignTop;
    if (value == "bottom")
        return kVAlignBottom;
    return current;
}

int StyleSheet::ParseBorderStyle(std::string_view value, int current)
{
    if (value.empty() || value == "none")
        return kBorderNone;
    if (value == "solid")
        return kBorderSolid;
    if (value == "dashed")
        return kBorderDashed;
    if (value == "dotted")
        return kBorderDotted;
    if (value == "double")
        return kBorderDouble;
    return current;
}

void StyleSheet::ParseTextDecoration(std::string_view value, TextStyle& style)
{
    if (value.empty()) {
        style.underline = style.strikeOut = style.overline = 0;
        return;
    }
    size_t pos = 0;
    while (pos < value.size()) {
        while (pos < value.size() && (MarkupLexer::IsBlank(value[pos]) || value[pos] == ','))
            ++pos;
        size_t end = pos;
        while (end < value.size() && !MarkupLexer::IsBlank(value[end]) && value[end] != ',')
            ++end;
        std::string_view word = value.substr(pos, end - pos);
        if (word == "none")
            style.underline = style.strikeOut = style.overline = 0;
        else if (word == "underline")
            style.underline = 1;
        else if (word == "line-through")
            style.strikeOut = 1;
        else if (word == "overline")
            style.overline = 1;
        pos = end;
    }
}

void StyleSheet::ParseFontStyleLetters(std::string_view value, TextStyle& style)
{
    bool clear = false;
    for (char c : value) {
        switch (c) {
        case 'b':
            style.fontWeight = clear ? 400 : 700;
            break;
        case 'i':
            style.italic = !clear;
            break;
        case 'o':
            style.overline = !clear;
            break;
        case 's':
            style.strikeOut = !clear;
            break;
        case 'u':
            style.underline = !clear;
            break;
        case '-':
            clear = true;
            continue;
        case '+':
            clear = false;
            continue;
        default:
            continue;
        }
        clear = false;
    }
}

int StyleSheet::ParseImageStyle(std::string_view value, int shadowX, int shadowY, bool blurred)
{
    int flags = 0;
    for (char c : value) {
        if (c == 'g')
            flags |= kImageGrey;
        else if (c == 'd')
            flags |= kImageDarker;
        else if (c == 'l')
            flags |= kImageLighter;
        else if (c == 's' && (shadowX != 0 || shadowY != 0))
            flags = (flags & ~(kImageSharpShadow | kImageBlurredShadow)) |
                    (blurred ? kImageBlurredShadow : kImageSharpShadow);
    }
    return flags;
}

void StyleSheet::SetFontSize(TextStyle& style, int64_t size)
{
    style.fontSize = ClampInt(size, 0, RichTextLimits::kMaxFontSize);
}

void StyleSheet::SetFontWeight(TextStyle& style, int64_t weight)
{
    style.fontWeight = ClampInt(weight, 0, RichTextLimits::kMaxFontWeight);
}

void StyleSheet::SetFontFamily(TextStyle& style, std::string_view face)
{
    MarkupLexer::CopyBounded(style.fontFamily, face);
}
