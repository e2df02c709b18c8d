// The markup interpreter; see RichTextLayout.h.
#include "skin/engine/richtext/RichTextLayout.h"

#include <algorithm>
#include <cstring>

#include "skin/engine/richtext/MarkupLexer.h"
#include "skin/engine/richtext/RichTextResources.h"

namespace {

int64_t FloorDiv(int64_t a, int64_t b)
{
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// Elements whose style is the style-sheet rule of their own name.
const char* const kRuleElements[] = {"body", "h1",  "h2",  "h3",  "h4",  "h5",   "h6",
                                     "code", "pre", "big", "sub", "sup", "small"};

struct StyleElement {
    const char* tag;
    const char* name; // the internal name that closing tags are matched by
    void (*change)(TextStyle&);
};

const StyleElement kStyleElements[] = {
    {"b", "bold",
     [](TextStyle& s) { StyleSheet::SetFontWeight(s, std::min(int64_t(s.fontWeight) * 2, int64_t(900))); }},
    {"i", "italic", [](TextStyle& s) { s.italic = !s.italic; }},
    {"em", "italic", [](TextStyle& s) { s.italic = !s.italic; }},
    {"u", "underline", [](TextStyle& s) { s.underline = !s.underline; }},
    {"s", "strikeout", [](TextStyle& s) { s.strikeOut = !s.strikeOut; }},
    {"strike", "strikeout", [](TextStyle& s) { s.strikeOut = !s.strikeOut; }},
    {"left", "left", [](TextStyle& s) { s.textAlign = kAlignLeft; }},
    {"center", "center", [](TextStyle& s) { s.textAlign = kAlignCenter; }},
    {"right", "right", [](TextStyle& s) { s.textAlign = kAlignRight; }},
    {"baseline", "baseline", [](TextStyle& s) { s.verticalAlign = kVAlignBaseline; }},
    {"top", "top", [](TextStyle& s) { s.verticalAlign = kVAlignTop; }},
    {"middle", "vcenter", [](TextStyle& s) { s.verticalAlign = kVAlignMiddle; }},
    {"vcenter", "vcenter", [](TextStyle& s) { s.verticalAlign = kVAlignMiddle; }},
    {"bottom", "bottom", [](TextStyle& s) { s.verticalAlign = kVAlignBottom; }},
};

} // namespace

RichTextLayout::RichTextLayout(const StyleSheet& sheet, const RichTextSettings& settings)
    : sheet_(sheet), settings_(settings), tables_(*this)
{
    ResetStyle();
}

SIZE RichTextLayout::LayoutText(RichTextDevice& device, std::string_view text, const RECT& rect, bool measuring)
{
    device_ = &device;
    measuring_ = measuring;
    if (measuring) {
        tables_.Clear();
        lines_.clear();
        runs_.clear();
    }
    tables_.BeginPass();
    lineIndex_ = 0;
    runIndex_ = 0;
    stack_.clear();

    ResetStyle();
    ApplyRule("body");
    // The style's own font takes effect at the first tag (each block's implicit "body").
    font_ = settings_.defaultFont;
    device.BeginPass(font_, style_.backMode, style_.textColor, style_.backColor);
    metrics_ = device.Metrics();

    int64_t widest = 0, total = 0;
    RECT work = rect;
    auto account = [&](SIZE size) {
        widest = std::max<int64_t>(widest, size.cx);
        total = SaturateCoord(total + size.cy);
        if (!measuring)
            work.top = SaturateCoord(int64_t(work.top) + size.cy);
    };
    size_t pos = 0;
    while (pos < text.size()) {
        FoundTag table = MarkupLexer::FindTag(text, pos, {"table"}, false);
        size_t blockEnd = table ? table.start : text.size();
        if (blockEnd > pos)
            account(LayoutBlock(text.substr(pos, blockEnd - pos), work));
        if (!table)
            break;
        size_t tableEnd = MarkupLexer::SkipTable(text, table.start);
        account(tables_.LayoutTable(text.substr(table.start, tableEnd - table.start), work, 1));
        pos = tableEnd;
    }

    device.EndPass();
    stack_.clear();
    return SIZE{SaturateCoord(widest + 1), SaturateCoord(total + 1)};
}

void RichTextLayout::ResetStyle()
{
    std::memset(&style_, 0, sizeof style_);
    const FontSpec& font = settings_.defaultFont;
    style_.fontSize = font.height;
    style_.fontWeight = font.weight;
    style_.italic = font.italic;
    style_.underline = font.underline;
    style_.strikeOut = font.strikeOut;
    MarkupLexer::CopyBounded(style_.fontFamily, font.face);
    style_.fillEffect = -1;
    style_.textColor = RGB(0, 0, 0);
    style_.backColor = RGB(255, 255, 255);
    style_.borderLight = style_.borderDark = RGB(0, 0, 0);
    style_.backMiddle = style_.backEnd = RGB(255, 255, 255);
    style_.backMode = kBackTransparent;
    style_.textAlign = kAlignLeft;
    style_.verticalAlign = kVAlignBaseline;
    style_.marginLeft = style_.marginRight = style_.marginTop = style_.marginBottom = 2;
}

void RichTextLayout::ApplyRule(std::string_view selector)
{
    sheet_.ApplyStyle(*device_, selector, style_);
}

bool RichTextLayout::PushStyle(const char* name)
{
    // A runaway nest of opening tags stops growing the stack; the surplus tags are ignored.
    if (stack_.size() >= RichTextLimits::kMaxStyleDepth)
        return false;
    MarkupLexer::CopyBounded(style_.name, name);
    stack_.push_back(style_);
    return true;
}

bool RichTextLayout::PopStyle(const char* name)
{
    MarkupLexer::CopyBounded(style_.name, name);
    bool popped = false;
    if (!stack_.empty() && std::strcmp(stack_.back().name, style_.name) == 0) {
        style_ = stack_.back();
        stack_.pop_back();
        popped = true;
    }
    style_.name[0] = '\0';
    return popped;
}

void RichTextLayout::SelectStyleFont()
{
    FontSpec font;
    font.height = style_.fontSize;
    font.weight = style_.fontWeight;
    font.italic = style_.italic != 0;
    font.underline = style_.underline != 0;
    font.strikeOut = style_.strikeOut != 0;
    MarkupLexer::CopyBounded(font.face, style_.fontFamily);
    font_ = font;
    device_->SelectFont(font);
    device_->SetColors(style_.backMode, style_.textColor, style_.backColor);
    metrics_ = device_->Metrics();
}

SIZE RichTextLayout::LayoutBlock(std::string_view text, const RECT& rect)
{
    block_ = rect;
    x_ = rect.left;
    y_ = rect.top;
    widest_ = 0;
    const size_t firstLine = lineIndex_;
    StartLine();

    // Every block reads as if wrapped in "<body>" and "</body>".
    HandleTag("body");
    size_t pos = 0;
    while (pos < text.size()) {
        MarkupToken token = MarkupLexer::NextRun(text, pos);
        if (!token.run.empty())
            PlaceText(token.run, true);
        if (!token.hasTag)
            break;
        if (token.control) {
            if (token.tag[0] == '\n')
                NewLine(1);
            else if (token.tag[0] == '\t')
                Tab(1);
        } else {
            HandleTag(token.tag);
        }
    }
    HandleTag("/body");

    NewLine(1);
    int height = SaturateCoord(int64_t(y_) - rect.top);
    if (measuring_) {
        for (size_t i = firstLine; i < lineIndex_ && i < lines_.size(); ++i)
            if (lines_[i].percentage != 0)
                widest_ = std::max(
                    widest_, SaturateCoord(int64_t(lines_[i].width) + MulDiv64(lines_[i].percentage, widest_, 100)));
    }
    return SIZE{widest_, height};
}

void RichTextLayout::StartLine()
{
    if (measuring_) {
        line_ = LineRecord();
        line_.alignment = style_.textAlign;
        return;
    }
    // Drawing replays what measuring planned; a line it has no record of is not drawn.
    lineKnown_ = lineIndex_ < lines_.size();
    line_ = lineKnown_ ? lines_[lineIndex_] : LineRecord();
    const int64_t blockWidth = int64_t(block_.right) - block_.left;
    if (line_.percentage != 0)
        line_.width = SaturateCoord(line_.width + int64_t(MulDiv64(blockWidth, line_.percentage, 100)));
    if (line_.alignment == kAlignCenter)
        x_ = SaturateCoord(block_.left + (blockWidth - line_.width) / 2);
    else if (line_.alignment == kAlignRight)
        x_ = SaturateCoord(int64_t(block_.right) - line_.width);
    else
        x_ = block_.left;
}

void RichTextLayout::NewLine(int count)
{
    if (measuring_) {
        if (line_.height == 0)
            line_.height = metrics_.height;
        line_.width = SaturateCoord(int64_t(x_) - block_.left);
        widest_ = std::max(widest_, line_.width);
        line_.height = SaturateCoord(int64_t(line_.height) + line_.descent);
        // Records are kept for the lines ended; past the limit lines are measured but not replayed.
        if (lineIndex_ < RichTextLimits::kMaxLines) {
            if (lines_.size() <= lineIndex_)
                lines_.resize(lineIndex_ + 1, LineRecord());
            lines_[lineIndex_] = line_;
        }
    }
    y_ = SaturateCoord(y_ + int64_t(std::max(count, 1)) * line_.height);
    ++lineIndex_;
    x_ = block_.left;
    StartLine();
}

void RichTextLayout::Tab(int count)
{
    int64_t n = std::max(count, 1);
    int64_t offset = int64_t(x_) - block_.left;
    if (offset % 32 != 0) {
        offset = (FloorDiv(offset, 32) + 1) * 32;
        --n;
    }
    x_ = SaturateCoord(block_.left + offset + 32 * n);
}

int RichTextLayout::LineOffset(int itemHeight, int ascent) const
{
    const int64_t h = line_.height, d = line_.descent;
    switch (style_.verticalAlign) {
    case kVAlignTop:
        return 0;
    case kVAlignMiddle:
        return SaturateCoord((h - itemHeight) / 2);
    case kVAlignBottom:
        return SaturateCoord(h - ascent);
    default:
        return SaturateCoord(h - ascent - d);
    }
}

void RichTextLayout::PlaceText(const std::string& run, bool styled)
{
    std::string transformed;
    const std::string* text = &run;
    if (styled && style_.transform != 0) {
        if (style_.transform == 1)
            transformed = MarkupLexer::ToUpper(run);
        else if (style_.transform == 2)
            transformed = MarkupLexer::ToLower(run);
        else
            transformed = MarkupLexer::Capitalise(run);
        text = &transformed;
    }
    SIZE extent = RunExtent(*text);
    if (measuring_) {
        line_.height = std::max(line_.height, metrics_.ascent);
        line_.descent = std::max<int32_t>(line_.descent, extent.cy - metrics_.ascent);
        line_.alignment = style_.textAlign;
    } else if (lineKnown_) {
        int y = SaturateCoord(int64_t(y_) + LineOffset(metrics_.height, metrics_.ascent));
        device_->DrawRun(x_, y, *text);
        if (styled && style_.overline)
            device_->DrawLine(x_, y_, SaturateCoord(int64_t(x_) + extent.cx), y_, style_.textColor, kBorderSolid,
                              style_.fontWeight < 700 ? 1 : 2);
    }
    x_ = SaturateCoord(int64_t(x_) + extent.cx);
}

SIZE RichTextLayout::RunExtent(const std::string& text)
{
    if (measuring_) {
        SIZE extent = device_->TextExtent(text);
        if (runs_.size() < RichTextLimits::kMaxKeptRuns)
            runs_.push_back(MeasuredRun{font_, text, extent});
        return extent;
    }
    // Drawing meets the runs in the order measuring did; a run that differs (another text or style sheet
    // since) is measured anew.
    if (runIndex_ < runs_.size()) {
        const MeasuredRun& kept = runs_[runIndex_++];
        if (kept.font == font_ && kept.text == text)
            return kept.extent;
    }
    return device_->TextExtent(text);
}

int RichTextLayout::PlaceItem(int width, int height)
{
    int y = y_;
    if (measuring_) {
        line_.height = std::max(line_.height, height);
        line_.alignment = style_.textAlign;
    } else {
        const int64_t h = line_.height, d = line_.descent;
        int64_t offset = 0;
        if (style_.verticalAlign == kVAlignMiddle)
            offset = (h - height) / 2;
        else if (style_.verticalAlign == kVAlignBottom)
            offset = h - height;
        else if (style_.verticalAlign == kVAlignBaseline)
            offset = h - d - height;
        y = SaturateCoord(y_ + offset);
    }
    x_ = SaturateCoord(int64_t(x_) + width);
    return y;
}

void RichTextLayout::HandleTag(std::string_view tagText)
{
    std::string lower = MarkupLexer::ToLower(tagText);
    std::string_view tag(lower);
    size_t pos = 0;
    std::string_view name = MarkupLexer::TagName(tag, pos);
    bool closing = !name.empty() && name[0] == '/';
    if (closing)
        name.remove_prefix(1);
    if (name.empty())
        return;

    for (const StyleElement& e : kStyleElements)
        if (name == e.tag) {
            StyleTag(e.name, closing, e.change);
            return;
        }
    for (const char* element : kRuleElements)
        if (name == element) {
            if (closing) {
                if (PopStyle(element))
                    SelectStyleFont();
            } else if (PushStyle(element)) {
                ApplyRule(element);
                SelectStyleFont();
            }
            return;
        }
    if (name == "font") {
        if (closing) {
            if (PopStyle("font"))
                SelectStyleFont();
        } else {
            FontTag(tag, pos);
        }
    } else if (name == "hr") {
        RuleTag(tag, pos);
    } else if (name == "br") {
        NewLine(ReadCount(tag, pos));
    } else if (name == "t") {
        Tab(ReadCount(tag, pos));
    } else if (name == "bmp") {
        BitmapTag(tag, pos);
    } else if (name == "icon") {
        IconTag(tag, pos);
    } else if (name == "imglist") {
        ImageListTag(tag, pos);
    } else if (name == "string") {
        StringTag(tag, pos);
    } else if (name == "span") {
        if (closing) {
            if (PopStyle("span"))
                SelectStyleFont();
        } else {
            SpanTag(tag, pos);
        }
    } else if (name == "a") {
        if (closing) {
            if (PopStyle("link"))
                SelectStyleFont();
        } else {
            LinkTag(tag, pos);
        }
    }
}

void RichTextLayout::StyleTag(const char* name, bool closing, void (*change)(TextStyle&))
{
    if (closing) {
        if (PopStyle(name))
            SelectStyleFont();
        return;
    }
    if (!PushStyle(name))
        return;
    change(style_);
    SelectStyleFont();
}

int RichTextLayout::ReadCount(std::string_view tag, size_t& pos)
{
    std::string_view value = MarkupLexer::AttributeValue(tag, pos, '=');
    return ClampInt(StyleSheet::ParseNumber(*device_, value, 1, false), 1, RichTextLimits::kMaxRepeat);
}

void RichTextLayout::FontTag(std::string_view tag, size_t pos)
{
    if (!PushStyle("font"))
        return;
    MarkupLexer::ForEachAttribute(tag, pos, [&](std::string_view name, std::string_view value) {
        if (name == "face") {
            StyleSheet::SetFontFamily(style_, value);
        } else if (name == "size") {
            StyleSheet::SetFontSize(style_, StyleSheet::ParseLength(*device_, value, style_.fontSize, true));
        } else if (name == "color") {
            style_.textColor = sheet_.ParseColor(value, style_.textColor);
        } else if (name == "style") {
            StyleSheet::ParseFontStyleLetters(value, style_);
        } else if (name == "weight") {
            StyleSheet::SetFontWeight(style_, StyleSheet::ParseFontWeight(value));
        } else if (name == "bkgnd") {
            if (value.empty() || value == "transparent") {
                style_.backMode = kBackTransparent;
            } else {
                style_.backMode = kBackOpaque;
                style_.backColor = sheet_.ParseColor(value, style_.backColor);
            }
        }
    });
    SelectStyleFont();
}

void RichTextLayout::SpanTag(std::string_view tag, size_t pos)
{
    std::string_view name = MarkupLexer::NextAttributeName(tag, pos);
    if (name != "class")
        return;
    std::string_view value = MarkupLexer::AttributeValue(tag, pos, '=');
    if (value.empty() || !PushStyle("span"))
        return;
    std::string selector = ".";
    selector.append(value);
    ApplyRule(selector);
    SelectStyleFont();
}

void RichTextLayout::LinkTag(std::string_view tag, size_t pos)
{
    if (!PushStyle("link"))
        return;
    style_.linkKind = kLinkMsg;
    style_.linkTarget[0] = '\0';
    MarkupLexer::ForEachAttribute(tag, pos, [&](std::string_view name, std::string_view value) {
        if (name == "href" || name == "msg") {
            style_.linkKind = name == "href" ? kLinkHref : kLinkMsg;
            MarkupLexer::CopyBounded(style_.linkTarget, value);
        }
    });
    ApplyRule("a:link");
    SelectStyleFont();
}

void RichTextLayout::RuleTag(std::string_view tag, size_t pos)
{
    TextStyle rule = style_;
    sheet_.ApplyStyle(*device_, "hr", rule);
    int width = 100, thickness = 1;
    bool percent = true;
    COLORREF color = rule.textColor;
    MarkupLexer::ForEachAttribute(tag, pos, [&](std::string_view name, std::string_view value) {
        if (name == "width") {
            percent = !value.empty() && value.back() == '%';
            width = StyleSheet::ParseLength(*device_, value, percent ? 100 : width, false);
        } else if (name == "size") {
            thickness = StyleSheet::ParseLength(*device_, value, thickness, false);
        } else if (name == "color") {
            color = sheet_.ParseColor(value, color);
        }
    });
    const int64_t blockWidth = int64_t(block_.right) - block_.left;
    int placed = width;
    if (percent) {
        if (measuring_)
            line_.percentage = SaturateCoord(int64_t(line_.percentage) + width);
        placed = measuring_ ? 0 : MulDiv64(blockWidth, width, 100);
    }
    if (measuring_) {
        line_.height = std::max<int32_t>(line_.height, SaturateCoord(int64_t(thickness) + 8));
        line_.alignment = style_.textAlign;
    } else if (lineKnown_ && thickness > 0) {
        int y = SaturateCoord(int64_t(y_) + line_.height / 2);
        device_->DrawLine(x_, y, SaturateCoord(int64_t(x_) + placed), y, color, kBorderSolid, thickness);
    }
    x_ = SaturateCoord(int64_t(x_) + placed);
}

void RichTextLayout::ReadImageAttributes(std::string_view tag, size_t pos, ImageAttributes& a)
{
    MarkupLexer::ForEachAttribute(tag, pos, [&](std::string_view name, std::string_view value) {
        auto number = [&](int32_t current) {
            return ClampInt(StyleSheet::ParseNumber(*device_, value, current, false), INT32_MIN, INT32_MAX);
        };
        auto size = [&](int32_t& field, int32_t& percentFlag) {
            percentFlag = !value.empty() && value.back() == '%';
            field = StyleSheet::ParseLength(*device_, value, percentFlag ? 100 : field, false);
        };
        if (name == "index")
            a.index = number(a.index);
        else if (name == "idres")
            a.idres = number(a.idres);
        else if (name == "dllres")
            a.dllres = number(a.dllres);
        else if (name == "handle") {
            int64_t h = StyleSheet::ParseNumber(*device_, value, a.handle, false);
            a.handle = (h > 0 && h <= 0xFFFFFFFFll) ? uint32_t(h) : 0;
        } else if (name == "cx")
            a.cx = number(a.cx);
        else if (name == "cy")
            a.cy = number(a.cy);
        else if (name == "file")
            MarkupLexer::CopyBounded(a.file, value);
        else if (name == "dllsrc")
            MarkupLexer::CopyBounded(a.dllsrc, value);
        else if (name == "mask") {
            a.maskColor = sheet_.ParseColor(value, a.maskColor);
            a.maskFlag = 1;
        } else if (name == "style")
            a.style = a.hotStyle =
                StyleSheet::ParseImageStyle(value, settings_.shadowX, settings_.shadowY, settings_.blurred);
        else if (name == "hoverstyle")
            a.hotStyle = StyleSheet::ParseImageStyle(value, settings_.shadowX, settings_.shadowY, settings_.blurred);
        else if (name == "width")
            size(a.width, a.widthPercent);
        else if (name == "height")
            size(a.height, a.heightPercent);
    });
}

ImageSource RichTextLayout::SourceOf(const ImageAttributes& a) const
{
    ImageSource source;
    source.module = settings_.instance;
    if (a.idres != 0) {
        // Resource numbers are 16 bits; anything else names no resource and places nothing.
        source.resourceId = (a.idres >= 1 && a.idres <= 65535) ? a.idres : -1;
    } else if (a.file[0]) {
        source.file = a.file;
        if (!RichTextResources::IsLocalPath(source.file))
            source.resourceId = -1;
    } else {
        source.handle = a.handle;
    }
    return source;
}

void RichTextLayout::PlacePicture(DeviceImage& image, int width, int height, const ImageAttributes& a)
{
    width = ClampInt(width, 0, RichTextLimits::kMaxImageSide);
    height = ClampInt(height, 0, RichTextLimits::kMaxImageSide);
    const bool shadow = AsksShadow(a.style | a.hotStyle);
    int placedWidth = width, placedHeight = height;
    if (shadow && width != 0 && height != 0) {
        placedWidth += settings_.shadowX;
        placedHeight += settings_.shadowY;
    }
    int x = x_;
    int y = PlaceItem(placedWidth, placedHeight);
    if (!measuring_ && lineKnown_ && width != 0 && height != 0) {
        ImageEffects effects;
        effects.style = a.style;
        effects.mask = a.maskFlag != 0;
        effects.maskColor = a.maskColor;
        effects.shadow = shadow;
        effects.shadowX = settings_.shadowX;
        effects.shadowY = settings_.shadowY;
        effects.blurX = settings_.blurX;
        effects.blurY = settings_.blurY;
        effects.shadowColor = settings_.shadowColor;
        device_->DrawImage(image, x, y, width, height, effects);
    }
}

void RichTextLayout::BitmapTag(std::string_view tag, size_t pos)
{
    ImageAttributes a = {};
    a.width = a.height = 100;
    a.widthPercent = a.heightPercent = 1;
    a.maskColor = RGB(255, 0, 255);
    ReadImageAttributes(tag, pos, a);
    ImageSource source = SourceOf(a);
    if (source.resourceId < 0)
        return;
    DeviceImage image = device_->LoadBitmapImage(source);
    if (!image)
        return;
    int width = a.widthPercent ? MulDiv64(image.width, a.width, 100) : a.width;
    int height = a.heightPercent ? MulDiv64(image.height, a.height, 100) : a.height;
    PlacePicture(image, width, height, a);
    device_->FreeImage(image);
}

void RichTextLayout::IconTag(std::string_view tag, size_t pos)
{
    SIZE icon = device_->IconMetrics();
    ImageAttributes a = {};
    a.width = icon.cx;
    a.height = icon.cy;
    a.maskColor = RGB(255, 0, 255);
    ReadImageAttributes(tag, pos, a);
    ImageSource source = SourceOf(a);
    if (source.resourceId < 0)
        return;
    int width = ClampInt(a.widthPercent ? MulDiv64(icon.cx, a.width, 100) : a.width, 0, RichTextLimits::kMaxImageSide);
    int height =
        ClampInt(a.heightPercent ? MulDiv64(icon.cy, a.height, 100) : a.height, 0, RichTextLimits::kMaxImageSide);
    DeviceImage image = device_->LoadIconImage(source, width, height);
    if (!image)
        return;
    PlacePicture(image, image.width, image.height, a);
    device_->FreeImage(image);
}

void RichTextLayout::ImageListTag(std::string_view tag, size_t pos)
{
    SIZE icon = device_->IconMetrics();
    ImageAttributes a = {};
    a.cx = icon.cx;
    a.cy = icon.cy;
    a.width = a.height = 100;
    a.widthPercent = a.heightPercent = 1;
    a.maskColor = RGB(255, 0, 255);
    ReadImageAttributes(tag, pos, a);
    // Cells of no size cannot be counted, and a negative index names no cell.
    if (a.cx <= 0 || a.cy <= 0 || a.index < 0)
        return;
    const int cx = std::min(a.cx, RichTextLimits::kMaxImageSide);
    const int cy = std::min(a.cy, RichTextLimits::kMaxImageSide);
    ImageSource source = SourceOf(a);
    if (source.resourceId < 0)
        return;
    DeviceImage strip = device_->LoadBitmapImage(source);
    if (!strip)
        return;
    const int64_t columns = strip.width / cx, rows = strip.height / cy;
    if (columns > 0 && rows > 0 && a.index < columns * rows) {
        DeviceImage cell =
            device_->CutImageCell(strip, int(a.index % columns) * cx, int(a.index / columns) * cy, cx, cy);
        if (cell) {
            int width = a.widthPercent ? MulDiv64(cx, a.width, 100) : a.width;
            int height = a.heightPercent ? MulDiv64(cy, a.height, 100) : a.height;
            PlacePicture(cell, width, height, a);
            device_->FreeImage(cell);
        }
    }
    device_->FreeImage(strip);
}

void RichTextLayout::StringTag(std::string_view tag, size_t pos)
{
    int64_t id = 0;
    MarkupLexer::ForEachAttribute(tag, pos, [&](std::string_view name, std::string_view value) {
        if (name == "idres" || name == "dllres")
            id = StyleSheet::ParseNumber(*device_, value, id, false);
    });
    if (id <= 0 || id > 65535)
        return;
    std::string text = RichTextResources::LoadStringText(settings_.instance, UINT(id));
    if (!text.empty())
        PlaceText(text, false);
}
