// The rich-text device on a real device context; see GdiRichTextDevice.h.
#include "skin/engine/richtext/GdiRichTextDevice.h"

#include <climits>

#include "skin/engine/richtext/RichTextResources.h"

namespace {

int ClampCount(size_t n)
{
    return n > size_t(INT_MAX) ? INT_MAX : int(n);
}

} // namespace

GdiRichTextDevice::GdiRichTextDevice(HDC hdc, const LOGFONTA& baseFont, const DrawTools& tools,
                                     RichTextFontCache& fonts)
    : hdc_(hdc), base_(baseFont), tools_(tools), fonts_(fonts)
{
}

GdiRichTextDevice::~GdiRichTextDevice()
{
    EndPass();
}

void GdiRichTextDevice::BeginPass(const FontSpec& font, int backMode, COLORREF textColor, COLORREF backColor)
{
    EndPass();
    previous_.backMode = GetBkMode(hdc_);
    previous_.text = GetTextColor(hdc_);
    previous_.back = GetBkColor(hdc_);
    dcColors_ = previous_;
    previousFont_ = GetCurrentObject(hdc_, OBJ_FONT);
    sharesMeasures_ = RichTextFontCache::SharesMeasures(hdc_);
    inPass_ = true;
    fontMetrics_.clear();
    SelectFont(font);
    SetColors(backMode, textColor, backColor);
}

void GdiRichTextDevice::EndPass()
{
    if (!inPass_)
        return;
    PutColors(previous_);
    if (inDc_ != nullptr) {
        SelectObject(hdc_, previousFont_);
        ++counts_.fontSelections;
    }
    inDc_ = nullptr;
    font_ = nullptr;
    measurer_ = nullptr;
    metricsValid_ = false;
    inPass_ = false;
}

void GdiRichTextDevice::SelectFont(const FontSpec& font)
{
    // Styles often come back to the font in use (every block opens and closes "body"); keep it then.
    if (font_ && font == current_)
        return;
    // A full cache may delete its oldest font to make this one: never while the DC holds it.
    if (inDc_ != nullptr && fonts_.Full()) {
        SelectObject(hdc_, previousFont_);
        ++counts_.fontSelections;
        inDc_ = nullptr;
    }
    HFONT made = fonts_.Get(base_, font);
    if (!made)
        return;
    font_ = made;
    current_ = font;
    metricsValid_ = false;
    measurer_ = nullptr;
}

void GdiRichTextDevice::SetColors(int backMode, COLORREF textColor, COLORREF backColor)
{
    wanted_.backMode = backMode == 2 ? OPAQUE : TRANSPARENT;
    wanted_.text = textColor & 0x00FFFFFF;
    wanted_.back = backColor & 0x00FFFFFF;
}

// Every style change sets the colours, and measuring draws nothing: the DC gets the colours a drawing
// call will use, each value only when it differs from what the DC holds.
void GdiRichTextDevice::PutColors(const Colors& colors)
{
    if (colors.backMode != dcColors_.backMode) {
        SetBkMode(hdc_, colors.backMode);
        ++counts_.stateSets;
    }
    if (colors.back != dcColors_.back) {
        SetBkColor(hdc_, colors.back);
        ++counts_.stateSets;
    }
    if (colors.text != dcColors_.text) {
        SetTextColor(hdc_, colors.text);
        ++counts_.stateSets;
    }
    dcColors_ = colors;
}

// Selecting a font into a DC is the dearest call of a drawing under some display drivers, and styles
// switch fonts around text-less steps (a block's opening, a table cell): the font goes into the DC
// only when text is drawn with it (or measured, on a DC whose measures are its own).
void GdiRichTextDevice::SelectIntoDc()
{
    if (font_ != nullptr && inDc_ != font_) {
        SelectObject(hdc_, font_);
        ++counts_.fontSelections;
        inDc_ = font_;
    }
}

// Where the current font is measured without selecting it into the DC drawn into; nullptr when that DC
// measures for itself.
const RichTextFontCache::Measurer* GdiRichTextDevice::Measurer()
{
    if (!measurer_ && sharesMeasures_ && font_ != nullptr)
        measurer_ = fonts_.MeasurerOf(font_);
    return measurer_;
}

FontMetrics GdiRichTextDevice::Metrics()
{
    if (metricsValid_)
        return metrics_;
    if (const RichTextFontCache::Measurer* own = Measurer()) {
        metrics_ = own->metrics;
        metricsValid_ = true;
        return metrics_;
    }
    for (const FontMetricsOf& known : fontMetrics_) {
        if (font_ != nullptr && known.font == current_) {
            metrics_ = known.metrics;
            metricsValid_ = true;
            return metrics_;
        }
    }
    SelectIntoDc();
    TEXTMETRICA tm = {};
    GetTextMetricsA(hdc_, &tm);
    ++counts_.metricReads;
    metrics_.height = tm.tmHeight;
    metrics_.ascent = tm.tmAscent;
    metricsValid_ = font_ != nullptr;
    if (metricsValid_)
        fontMetrics_.push_back({current_, metrics_});
    return metrics_;
}

SIZE GdiRichTextDevice::TextExtent(std::string_view text)
{
    HDC measuring = hdc_;
    if (const RichTextFontCache::Measurer* own = Measurer())
        measuring = own->dc;
    else
        SelectIntoDc();
    SIZE size = {0, 0};
    ++counts_.extentReads;
    if (!GetTextExtentPoint32A(measuring, text.data(), ClampCount(text.size()), &size))
        size.cx = size.cy = 0;
    return size;
}

int GdiRichTextDevice::LogPixelsY()
{
    if (logPixelsY_ == 0)
        logPixelsY_ = GetDeviceCaps(hdc_, LOGPIXELSY);
    return logPixelsY_;
}

SIZE GdiRichTextDevice::IconMetrics()
{
    return SIZE{GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
}

DeviceImage GdiRichTextDevice::LoadBitmapImage(const ImageSource& source)
{
    DeviceImage image;
    HBITMAP bitmap = nullptr;
    if (source.resourceId != 0) {
        bitmap = RichTextResources::LoadBitmapResource(source.module, source.resourceId);
        image.owned = true;
    } else if (!source.file.empty()) {
        bitmap = RichTextResources::LoadBitmapFile(source.file);
        image.owned = true;
    } else if (RichTextResources::IsBitmapHandle(reinterpret_cast<HANDLE>(source.handle))) {
        bitmap = reinterpret_cast<HBITMAP>(source.handle);
    }
    if (!bitmap)
        return DeviceImage();
    image.handle = bitmap;
    SIZE size = tools_.GetBitmapSize(bitmap);
    image.width = size.cx;
    image.height = size.cy;
    return image;
}

DeviceImage GdiRichTextDevice::LoadIconImage(const ImageSource& source, int width, int height)
{
    DeviceImage image;
    image.icon = true;
    HICON icon = nullptr;
    if (source.resourceId != 0) {
        icon = RichTextResources::LoadIconResource(source.module, source.resourceId, width, height);
        image.owned = true;
    } else if (!source.file.empty()) {
        icon = RichTextResources::LoadIconFile(source.file, width, height);
        image.owned = true;
    } else if (RichTextResources::IsIconHandle(reinterpret_cast<HANDLE>(source.handle))) {
        icon = reinterpret_cast<HICON>(source.handle);
    }
    if (!icon)
        return DeviceImage();
    image.handle = icon;
    SIZE size = tools_.GetIconSize(icon);
    image.width = size.cx;
    image.height = size.cy;
    return image;
}

DeviceImage GdiRichTextDevice::CutImageCell(const DeviceImage& strip, int x, int y, int width, int height)
{
    DeviceImage cell;
    if (!strip || strip.icon)
        return cell;
    HBITMAP bitmap = RichTextResources::CopyBitmapPart(static_cast<HBITMAP>(strip.handle), x, y, width, height);
    if (!bitmap)
        return cell;
    cell.handle = bitmap;
    cell.owned = true;
    cell.width = width;
    cell.height = height;
    return cell;
}

void GdiRichTextDevice::FreeImage(DeviceImage& image)
{
    if (image && image.owned) {
        if (image.icon)
            DestroyIcon(static_cast<HICON>(image.handle));
        else
            DeleteObject(image.handle);
    }
    image = DeviceImage();
}

void GdiRichTextDevice::DrawRun(int x, int y, std::string_view text)
{
    SelectIntoDc();
    ApplyColors();
    ++counts_.textOutputs;
    TextOutA(hdc_, x, y, text.data(), ClampCount(text.size()));
}

void GdiRichTextDevice::DrawLine(int x1, int y1, int x2, int y2, COLORREF color, int borderStyle, int penWidth)
{
    ApplyColors();
    tools_.DrawLine(hdc_, x1, y1, x2, y2, color, borderStyle, penWidth);
}

void GdiRichTextDevice::FillEffect(const RECT& rect, int effect, COLORREF color, COLORREF middle, COLORREF end)
{
    ApplyColors();
    tools_.FillEffect(hdc_, effect, rect, color, middle, end);
}

void GdiRichTextDevice::DrawFrame(const RECT& rect, COLORREF light, COLORREF dark, int borderStyle, int penWidth)
{
    ApplyColors();
    tools_.DrawFrame(hdc_, rect, light, dark, borderStyle, penWidth);
}

void GdiRichTextDevice::DrawImage(const DeviceImage& image, int x, int y, int width, int height, const ImageEffects& fx)
{
    if (!image)
        return;
    ApplyColors();
    if (image.icon)
        tools_.DrawIcon(hdc_, x, y, width, height, static_cast<HICON>(image.handle), fx.style, fx.shadow, fx.shadowX,
                        fx.shadowY, fx.blurX, fx.blurY, fx.shadowColor);
    else
        tools_.DrawBitmap(hdc_, x, y, width, height, static_cast<HBITMAP>(image.handle), fx.mask, fx.maskColor,
                          fx.style, fx.shadow, fx.shadowX, fx.shadowY, fx.blurX, fx.blurY, fx.shadowColor);
}

void GdiRichTextDevice::TileImage(const DeviceImage& image, const RECT& rect)
{
    if (!image || image.icon || image.width <= 0 || image.height <= 0)
        return;
    ApplyColors();
    HDC source = CreateCompatibleDC(hdc_);
    if (!source)
        return;
    HGDIOBJ old = SelectObject(source, image.handle);
    tools_.TileBitmap(hdc_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, source, 0, 0,
                      image.width, image.height);
    SelectObject(source, old);
    DeleteDC(source);
}
