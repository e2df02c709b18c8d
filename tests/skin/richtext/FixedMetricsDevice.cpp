// A rich-text device without a device context; see FixedMetricsDevice.h.
#include "tests/skin/richtext/FixedMetricsDevice.h"

namespace {

DeviceImage Found(const SIZE& size, bool icon, bool owned, uintptr_t id)
{
    DeviceImage image;
    image.handle = reinterpret_cast<HANDLE>(id);
    image.icon = icon;
    image.owned = owned;
    image.width = size.cx;
    image.height = size.cy;
    return image;
}

} // namespace

void FixedMetricsDevice::BeginPass(const FontSpec& f, int mode, COLORREF text, COLORREF back)
{
    font = f;
    SetColors(mode, text, back);
}

void FixedMetricsDevice::SetColors(int mode, COLORREF text, COLORREF back)
{
    backMode = mode;
    textColor = text;
    backColor = back;
}

SIZE FixedMetricsDevice::TextExtent(std::string_view text)
{
    ++extentCalls;
    return SIZE{LONG(text.size()) * GlyphWidth(font), HeightOf(font)};
}

DeviceImage FixedMetricsDevice::LoadBitmapImage(const ImageSource& source)
{
    ++loadCalls;
    if (source.resourceId != 0) {
        auto it = bitmapResources.find(source.resourceId);
        if (it == bitmapResources.end())
            return DeviceImage();
        ++openImages;
        return Found(it->second, false, true, 0x1000 + source.resourceId);
    }
    if (!source.file.empty()) {
        auto it = bitmapFiles.find(source.file);
        if (it == bitmapFiles.end())
            return DeviceImage();
        ++openImages;
        return Found(it->second, false, true, 0x2000);
    }
    auto it = bitmapHandles.find(source.handle);
    return it == bitmapHandles.end() ? DeviceImage() : Found(it->second, false, false, source.handle);
}

DeviceImage FixedMetricsDevice::LoadIconImage(const ImageSource& source, int width, int height)
{
    ++loadCalls;
    if (source.resourceId != 0) {
        if (!iconResources.count(source.resourceId))
            return DeviceImage();
        ++openImages;
        return Found(SIZE{width, height}, true, true, 0x3000 + source.resourceId);
    }
    auto it = iconHandles.find(source.handle);
    return it == iconHandles.end() ? DeviceImage() : Found(it->second, true, false, source.handle);
}

DeviceImage FixedMetricsDevice::CutImageCell(const DeviceImage& strip, int x, int y, int width, int height)
{
    cutCells.push_back(RECT{x, y, x + width, y + height});
    if (!strip || x < 0 || y < 0 || x + width > strip.width || y + height > strip.height)
        return DeviceImage();
    ++openImages;
    return Found(SIZE{width, height}, false, true, 0x4000);
}

void FixedMetricsDevice::FreeImage(DeviceImage& image)
{
    if (image && image.owned)
        --openImages;
    image = DeviceImage();
}

void FixedMetricsDevice::DrawRun(int x, int y, std::string_view text)
{
    Op op(kText);
    op.x = x;
    op.y = y;
    op.text = std::string(text);
    op.font = font;
    op.color = textColor;
    op.backMode = backMode;
    op.back = backColor;
    ops.push_back(op);
}

void FixedMetricsDevice::DrawLine(int x1, int y1, int x2, int y2, COLORREF color, int borderStyle, int penWidth)
{
    Op op(kLine);
    op.x = x1;
    op.y = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.color = color;
    op.style = borderStyle;
    op.width = penWidth;
    ops.push_back(op);
}

void FixedMetricsDevice::FillEffect(const RECT& rect, int effect, COLORREF color, COLORREF, COLORREF end)
{
    Op op(kFill);
    op.rect = rect;
    op.style = effect;
    op.color = color;
    op.color2 = end;
    ops.push_back(op);
}

void FixedMetricsDevice::DrawFrame(const RECT& rect, COLORREF light, COLORREF dark, int borderStyle, int penWidth)
{
    Op op(kFrame);
    op.rect = rect;
    op.color = light;
    op.color2 = dark;
    op.style = borderStyle;
    op.width = penWidth;
    ops.push_back(op);
}

void FixedMetricsDevice::DrawImage(const DeviceImage& image, int x, int y, int width, int height,
                                   const ImageEffects& effects)
{
    Op op(kImage);
    op.x = x;
    op.y = y;
    op.x2 = width;
    op.y2 = height;
    op.style = effects.style;
    op.shadow = effects.shadow;
    op.width = image.icon ? 1 : 0;
    ops.push_back(op);
}

void FixedMetricsDevice::TileImage(const DeviceImage&, const RECT& rect)
{
    Op op(kTile);
    op.rect = rect;
    ops.push_back(op);
}

std::vector<FixedMetricsDevice::Op> FixedMetricsDevice::Ops(Kind kind) const
{
    std::vector<Op> out;
    for (const Op& op : ops)
        if (op.kind == kind)
            out.push_back(op);
    return out;
}
