// The tooltip's rich-text drawer; see RichTextDrawer.h.
#include "skin/engine/richtext/RichTextDrawer.h"

#include <algorithm>

#include "skin/engine/richtext/GdiRichTextDevice.h"
#include "skin/engine/richtext/MarkupLexer.h"
#include "skin/engine/richtext/RichTextResources.h"

namespace {

const int kShadowOffset = 4;
const int kShadowDarkness = 50;
const int kShadowBlur = 7;

} // namespace

RichTextDrawer::RichTextDrawer() : defaultFont_(), sheet_(colors_), layout_(sheet_, settings_)
{
    defaultFont_.lfHeight = 12;
    defaultFont_.lfWeight = FW_NORMAL;
    defaultFont_.lfCharSet = DEFAULT_CHARSET;
    MarkupLexer::CopyBounded(defaultFont_.lfFaceName, "Verdana");

    settings_.defaultFont.height = defaultFont_.lfHeight;
    settings_.defaultFont.weight = defaultFont_.lfWeight;
    MarkupLexer::CopyBounded(settings_.defaultFont.face, defaultFont_.lfFaceName);
    settings_.shadowX = settings_.shadowY = kShadowOffset;
    settings_.blurX = settings_.blurY = kShadowBlur;
    settings_.blurred = true;
    const int darkness = std::min(kShadowDarkness, 100);
    const int grey = MulDiv64(255, 100 - darkness, 100);
    settings_.shadowColor = RGB(grey, grey, grey);

    SetCssStyles(nullptr);
}

SIZE RichTextDrawer::Measure(HDC hdc, std::string_view text)
{
    GdiRichTextDevice device(hdc, defaultFont_, tools_, fonts_);
    return Measure(device, text);
}

void RichTextDrawer::Draw(HDC hdc, std::string_view text, const RECT& rect)
{
    GdiRichTextDevice device(hdc, defaultFont_, tools_, fonts_);
    Draw(device, text, rect);
}

SIZE RichTextDrawer::Measure(RichTextDevice& device, std::string_view text)
{
    SIZE size = layout_.LayoutText(device, text, RECT{0, 0, 0, 0}, true);
    // The tooltip makes a window and a bitmap of this size; keep it within reason whatever the markup.
    size.cx = std::min<LONG>(size.cx + 1, RichTextLimits::kMaxMeasure);
    size.cy = std::min<LONG>(size.cy + 1, RichTextLimits::kMaxMeasure);
    return size;
}

void RichTextDrawer::Draw(RichTextDevice& device, std::string_view text, const RECT& rect)
{
    RECT inner = rect;
    inner.right -= 1;
    inner.bottom -= 1;
    layout_.LayoutText(device, text, inner, false);
}

void RichTextDrawer::SetCssStyles(const char* text)
{
    sheet_.Install(text);
}

std::string RichTextDrawer::LoadResourceString(UINT id) const
{
    return RichTextResources::LoadStringText(settings_.instance, id);
}

std::string RichTextDrawer::GetStringPart(UINT id, int index) const
{
    if (index < 0)
        return {};
    std::string text = LoadResourceString(id);
    size_t start = 0;
    for (int part = 0; part < index; ++part) {
        size_t feed = text.find('\n', start);
        if (feed == std::string::npos)
            return {};
        start = feed + 1;
    }
    size_t end = text.find('\n', start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}
