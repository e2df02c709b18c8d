#include "devices/devsim/Picture.h"

#include <winsock2.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <map>

#include "devices/common/FrameCodec.h"

namespace devsim {

const int kTextHeight = 18;

TextMask RenderText(const std::string& text, int pixelHeight)
{
    TextMask m;
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontA(-pixelHeight, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, FIXED_PITCH | FF_MODERN, "宋体");
    HGDIOBJ oldFont = SelectObject(dc, font);
    SIZE size = {};
    GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size);
    m.width = size.cx > 0 ? size.cx : 1;
    m.height = size.cy > 0 ? size.cy : pixelHeight;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = m.width;
    bi.bmiHeader.biHeight = -m.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    m.bits.assign(size_t(m.width) * m.height, 0);
    if (bmp && bits) {
        HGDIOBJ oldBmp = SelectObject(dc, bmp);
        std::memset(bits, 0, size_t(m.width) * m.height * 4);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        TextOutA(dc, 0, 0, text.c_str(), int(text.size()));
        GdiFlush();
        const uint32_t* p = static_cast<const uint32_t*>(bits);
        for (size_t i = 0; i < m.bits.size(); ++i)
            m.bits[i] = (p[i] & 0xFF00) > 0x8000 ? 1 : 0;
        SelectObject(dc, oldBmp);
        DeleteObject(bmp);
    }
    SelectObject(dc, oldFont);
    DeleteObject(font);
    DeleteDC(dc);
    return m;
}

namespace {

const char kGlyphs[] = "0123456789:-.# ";

// Glyphs of the text that changes every frame, rendered once for the whole process.
struct GlyphAtlas {
    TextMask glyph[sizeof kGlyphs - 1];
    GlyphAtlas()
    {
        for (size_t i = 0; i + 1 < sizeof kGlyphs; ++i)
            glyph[i] = RenderText(std::string(1, kGlyphs[i]), kTextHeight);
    }
    const TextMask* Find(char c) const
    {
        const char* at = std::strchr(kGlyphs, c);
        return at && c ? &glyph[at - kGlyphs] : nullptr;
    }
};

const GlyphAtlas& Atlas()
{
    static const GlyphAtlas* atlas = new GlyphAtlas; // used by connection threads to the end
    return *atlas;
}

const uint8_t kBars[8] = {dev::CubeColour(5, 5, 5), dev::CubeColour(5, 5, 0), dev::CubeColour(0, 5, 5),
                          dev::CubeColour(0, 5, 0), dev::CubeColour(5, 0, 5), dev::CubeColour(5, 0, 0),
                          dev::CubeColour(0, 0, 5), dev::CubeColour(1, 1, 1)};
const uint8_t kBlack = dev::CubeColour(0, 0, 0);
const uint8_t kWhite = dev::CubeColour(5, 5, 5);
const uint8_t kYellow = dev::CubeColour(5, 5, 0);
const uint8_t kBlue = dev::CubeColour(0, 0, 3);
const uint8_t kOrange = dev::CubeColour(5, 2, 0);

} // namespace

// Labels rendered once per text for the whole process: connections come and go often, and the
// font renderer is slow to start.
static TextMask CachedText(const std::string& text)
{
    static CRITICAL_SECTION* lock = [] {
        auto* cs = new CRITICAL_SECTION;
        InitializeCriticalSection(cs);
        return cs;
    }();
    static auto* cache = new std::map<std::string, TextMask>;
    EnterCriticalSection(lock);
    auto it = cache->find(text);
    if (it == cache->end())
        it = cache->emplace(text, RenderText(text, kTextHeight)).first;
    TextMask m = it->second;
    LeaveCriticalSection(lock);
    return m;
}

PictureMaker::PictureMaker(int width, int height, const std::string& serverName, int channel)
    : width_(width), height_(height), pixels_(size_t(width) * height)
{
    char text[96];
    std::snprintf(text, sizeof text, "%s  CH %02d", serverName.c_str(), channel + 1);
    label_ = CachedText(text);
    noVideo_ = CachedText("NO VIDEO");
    Atlas();
}

void PictureMaker::Blit(const TextMask& mask, int x, int y, uint8_t colour)
{
    for (int r = 0; r < mask.height; ++r) {
        int py = y + r;
        if (py < 0 || py >= height_)
            continue;
        const uint8_t* src = &mask.bits[size_t(r) * mask.width];
        uint8_t* dst = &pixels_[size_t(py) * width_];
        for (int c = 0; c < mask.width; ++c) {
            int px = x + c;
            if (src[c] && px >= 0 && px < width_)
                dst[px] = colour;
        }
    }
}

void PictureMaker::DrawDynamic(const std::string& text, int x, int y, uint8_t colour)
{
    for (char c : text) {
        const TextMask* g = Atlas().Find(c);
        if (!g)
            continue;
        Blit(*g, x, y, colour);
        x += g->width;
    }
}

void PictureMaker::Draw(uint32_t frameNo, bool noVideo, int input)
{
    const int strip = kTextHeight + 6;
    if (noVideo) {
        std::memset(pixels_.data(), kBlue, pixels_.size());
        Blit(noVideo_, (width_ - noVideo_.width) / 2, (height_ - noVideo_.height) / 2, kWhite);
    } else {
        int barWidth = width_ / 8 > 0 ? width_ / 8 : 1;
        int shift = int(frameNo * 4 % uint32_t(width_));
        for (int y = strip; y < height_ - strip; ++y) {
            uint8_t* row = &pixels_[size_t(y) * width_];
            for (int x = 0; x < width_; ++x)
                row[x] = kBars[((x + shift) / barWidth) % 8];
        }
        // A box bouncing across the bars, so that motion shows even in a still of two frames.
        int box = height_ / 6;
        int spanX = width_ - box, spanY = height_ - 2 * strip - box;
        int bx = spanX > 0 ? int(frameNo * 7 % uint32_t(2 * spanX)) : 0;
        int by = spanY > 0 ? int(frameNo * 5 % uint32_t(2 * spanY)) : 0;
        bx = bx > spanX ? 2 * spanX - bx : bx;
        by = (by > spanY ? 2 * spanY - by : by) + strip;
        for (int y = by; y < by + box && y < height_; ++y)
            std::memset(&pixels_[size_t(y) * width_ + bx], kOrange, size_t(box));
    }
    std::memset(pixels_.data(), kBlack, size_t(strip) * width_);
    std::memset(&pixels_[size_t(height_ - strip) * width_], kBlack, size_t(strip) * width_);
    Blit(label_, 6, 3, kYellow);
    if (input > 0) {
        char in[16];
        std::snprintf(in, sizeof in, "#%d", input);
        DrawDynamic(in, width_ - 40, 3, kYellow);
    }
    SYSTEMTIME t;
    GetLocalTime(&t);
    char line[64];
    std::snprintf(line, sizeof line, "%04d-%02d-%02d %02d:%02d:%02d  #%06u", t.wYear, t.wMonth, t.wDay, t.wHour,
                  t.wMinute, t.wSecond, frameNo);
    DrawDynamic(line, 6, height_ - strip + 3, kWhite);
}

} // namespace devsim
