// Time to measure and draw a typical tooltip (a few styled lines, a small table, a picture with a shadow)
// on a memory DC, against the platform's DrawText of the same words measured in the same run.
#include <windows.h>

#include <cstdio>
#include <string>

#include "skin/engine/richtext/GdiRichTextDevice.h"
#include "skin/engine/richtext/RichTextDrawer.h"

#include "tests/support/BenchmarkClock.h"
#include "tests/support/BenchmarkReport.h"

namespace {

HBITMAP MakeBadge()
{
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, 16, 16};
    HBRUSH brush = CreateSolidBrush(RGB(40, 120, 220));
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

double Now()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1e6 * static_cast<double>(now.QuadPart) / frequency.QuadPart;
}

// Passes every call on to the real device and adds its time to one of four kinds; what is left of a
// drawing's time is the markup's own work (lexing, styles, layout). Fonts go into the DC, and colours are
// set, when something is drawn with them: that time counts with the drawing call.
class TimingDevice : public RichTextDevice {
public:
    enum Kind { Fonts, Text, Pictures, Lines, Kinds };
    explicit TimingDevice(RichTextDevice& real) : real_(real) {}
    double spent[Kinds] = {};

    template <class Call> auto Time(Kind kind, Call call)
    {
        struct Lap {
            double& total;
            double start = Now();
            ~Lap() { total += Now() - start; }
        } lap{spent[kind]};
        return call();
    }

    void BeginPass(const FontSpec& f, int m, COLORREF t, COLORREF b) override
    {
        Time(Fonts, [&] { real_.BeginPass(f, m, t, b); });
    }
    void EndPass() override
    {
        Time(Fonts, [&] { real_.EndPass(); });
    }
    void SelectFont(const FontSpec& f) override
    {
        Time(Fonts, [&] { real_.SelectFont(f); });
    }
    void SetColors(int m, COLORREF t, COLORREF b) override
    {
        Time(Text, [&] { real_.SetColors(m, t, b); });
    }
    FontMetrics Metrics() override
    {
        return Time(Fonts, [&] { return real_.Metrics(); });
    }
    SIZE TextExtent(std::string_view text) override
    {
        return Time(Fonts, [&] { return real_.TextExtent(text); });
    }
    int LogPixelsY() override
    {
        return Time(Fonts, [&] { return real_.LogPixelsY(); });
    }
    SIZE IconMetrics() override
    {
        return Time(Pictures, [&] { return real_.IconMetrics(); });
    }
    DeviceImage LoadBitmapImage(const ImageSource& s) override
    {
        return Time(Pictures, [&] { return real_.LoadBitmapImage(s); });
    }
    DeviceImage LoadIconImage(const ImageSource& s, int w, int h) override
    {
        return Time(Pictures, [&] { return real_.LoadIconImage(s, w, h); });
    }
    DeviceImage CutImageCell(const DeviceImage& strip, int x, int y, int w, int h) override
    {
        return Time(Pictures, [&] { return real_.CutImageCell(strip, x, y, w, h); });
    }
    void FreeImage(DeviceImage& image) override
    {
        Time(Pictures, [&] { real_.FreeImage(image); });
    }
    void DrawRun(int x, int y, std::string_view text) override
    {
        Time(Text, [&] { real_.DrawRun(x, y, text); });
    }
    void DrawLine(int x1, int y1, int x2, int y2, COLORREF c, int style, int pen) override
    {
        Time(Lines, [&] { real_.DrawLine(x1, y1, x2, y2, c, style, pen); });
    }
    void FillEffect(const RECT& r, int e, COLORREF c, COLORREF m, COLORREF end) override
    {
        Time(Lines, [&] { real_.FillEffect(r, e, c, m, end); });
    }
    void DrawFrame(const RECT& r, COLORREF l, COLORREF d, int style, int pen) override
    {
        Time(Lines, [&] { real_.DrawFrame(r, l, d, style, pen); });
    }
    void DrawImage(const DeviceImage& image, int x, int y, int w, int h, const ImageEffects& fx) override
    {
        Time(Pictures, [&] { real_.DrawImage(image, x, y, w, h, fx); });
    }
    void TileImage(const DeviceImage& image, const RECT& r) override
    {
        Time(Pictures, [&] { real_.TileImage(image, r); });
    }

private:
    RichTextDevice& real_;
};

// A device that measures every glyph 7 x 13 and draws nothing: what a tooltip costs without GDI.
class NullDevice : public RichTextDevice {
public:
    void BeginPass(const FontSpec&, int, COLORREF, COLORREF) override {}
    void EndPass() override {}
    void SelectFont(const FontSpec&) override {}
    void SetColors(int, COLORREF, COLORREF) override {}
    FontMetrics Metrics() override { return FontMetrics{13, 10}; }
    SIZE TextExtent(std::string_view text) override { return SIZE{LONG(7 * text.size()), 13}; }
    int LogPixelsY() override { return 96; }
    SIZE IconMetrics() override { return SIZE{32, 32}; }
    DeviceImage LoadBitmapImage(const ImageSource& s) override
    {
        DeviceImage image;
        image.handle = reinterpret_cast<HANDLE>(s.handle);
        image.width = image.height = 16;
        return image;
    }
    DeviceImage LoadIconImage(const ImageSource&, int, int) override { return DeviceImage(); }
    DeviceImage CutImageCell(const DeviceImage&, int, int, int, int) override { return DeviceImage(); }
    void FreeImage(DeviceImage& image) override { image = DeviceImage(); }
    void DrawRun(int, int, std::string_view) override {}
    void DrawLine(int, int, int, int, COLORREF, int, int) override {}
    void FillEffect(const RECT&, int, COLORREF, COLORREF, COLORREF) override {}
    void DrawFrame(const RECT&, COLORREF, COLORREF, int, int) override {}
    void DrawImage(const DeviceImage&, int, int, int, int, const ImageEffects&) override {}
    void TileImage(const DeviceImage&, const RECT&) override {}
};

} // namespace

int main()
{
    HBITMAP badge = MakeBadge();
    const std::string tip = "<b>Camera 3</b> - Front gate\n"
                            "Status: <font color=green>recording</font>, <i>motion armed</i>\n"
                            "<bmp handle=" +
                            std::to_string(reinterpret_cast<uintptr_t>(badge)) +
                            " style=s> Server 192.168.1.20\n"
                            "<table border=1><tr><td>Stream</td><td>1280 x 720</td></tr>"
                            "<tr><td>Disk</td><td>83% used</td></tr></table>";
    const char plain[] = "Camera 3 - Front gate\nStatus: recording, motion armed\nServer 192.168.1.20\n"
                         "Stream 1280 x 720\nDisk 83% used";

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 320;
    info.bmiHeader.biHeight = -200;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP canvas = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, canvas);
    HFONT font = CreateFontA(13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Verdana");

    RichTextDrawer drawer;
    const int runs = 2000;
    double rich = 1000.0 * MillisecondsPerRun(runs, [&] {
                      SIZE size = drawer.Measure(dc, tip);
                      drawer.Draw(dc, tip, RECT{0, 0, size.cx, size.cy});
                  });
    double baseline = 1000.0 * MillisecondsPerRun(runs, [&] {
                          HGDIOBJ previous = SelectObject(dc, font);
                          RECT r = {0, 0, 0, 0};
                          DrawTextA(dc, plain, -1, &r, DT_CALCRECT | DT_NOPREFIX);
                          DrawTextA(dc, plain, -1, &r, DT_NOPREFIX);
                          SelectObject(dc, previous);
                      });
    // The same drawing once more through a device that times each kind of call.
    LOGFONTA base = {};
    base.lfHeight = 12;
    base.lfWeight = FW_NORMAL;
    base.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(base.lfFaceName, "Verdana", LF_FACESIZE);
    RichTextFontCache fonts;
    GdiRichTextDevice gdi(dc, base, drawer.Tools(), fonts);
    TimingDevice timed(gdi);
    const double start = Now();
    for (int i = 0; i < runs; ++i) {
        SIZE size = drawer.Measure(timed, tip);
        drawer.Draw(timed, tip, RECT{0, 0, size.cx, size.cy});
    }
    const double total = Now() - start;
    const double* spent = timed.spent;
    const double markup = total - spent[0] - spent[1] - spent[2] - spent[3];
    std::printf("where a tooltip's time goes: fonts and measuring %.0f%%, drawing text %.0f%%, pictures %.0f%%, "
                "lines and frames %.0f%%, markup and layout %.0f%%\n",
                100 * spent[TimingDevice::Fonts] / total, 100 * spent[TimingDevice::Text] / total,
                100 * spent[TimingDevice::Pictures] / total, 100 * spent[TimingDevice::Lines] / total,
                100 * markup / total);

    // What the device asks of GDI per tooltip (measure and draw), and what one such call costs on this DC.
    const GdiCallCounts& counts = gdi.Counts();
    HFONT other = CreateFontA(13, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Verdana");
    HGDIOBJ kept = SelectObject(dc, font);
    // Microseconds a call, for work that makes callsPerRun calls.
    auto usPerCall = [](int callsPerRun, auto work) { return 1000.0 * MillisecondsPerRun(20000, work) / callsPerRun; };
    const double selectUs = usPerCall(2, [&] {
        SelectObject(dc, other);
        SelectObject(dc, font);
    });
    SIZE extent;
    const double extentUs = usPerCall(1, [&] { GetTextExtentPoint32A(dc, "1280 x 720", 10, &extent); });
    TEXTMETRICA tm;
    const double metricsUs = usPerCall(1, [&] { GetTextMetricsA(dc, &tm); });
    const double textOutUs = usPerCall(1, [&] { TextOutA(dc, 0, 0, "1280 x 720", 10); });
    const double stateUs = usPerCall(2, [&] {
        SetTextColor(dc, RGB(0, 128, 0));
        SetTextColor(dc, RGB(0, 0, 0));
    });
    SelectObject(dc, kept);
    DeleteObject(other);
    auto perTip = [&](int n) { return double(n) / runs; };
    std::printf("GDI calls per tooltip on the DC drawn into (us each): font selections %.1f (%.2f), metrics reads "
                "%.1f (%.2f), text extents %.1f (%.2f, on the fonts' own DCs), text outputs %.1f (%.2f), colour and "
                "mode sets %.1f (%.2f); fonts made %zu in all\n",
                perTip(counts.fontSelections), selectUs, perTip(counts.metricReads), metricsUs,
                perTip(counts.extentReads), extentUs, perTip(counts.textOutputs), textOutUs, perTip(counts.stateSets),
                stateUs, fonts.Made());
    NullDevice null;
    const double layoutOnly = 1000.0 * MillisecondsPerRun(runs, [&] {
                                  SIZE size = drawer.Measure(null, tip);
                                  drawer.Draw(null, tip, RECT{0, 0, size.cx, size.cy});
                              });
    std::printf("markup and layout alone, on a device that draws nothing: %.1f us a tooltip\n", layoutOnly);
    PrintFigure("rich-text tooltip vs DrawText of the same words", rich, baseline, "us", "at most 4");

    DeleteObject(font);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(canvas);
    DeleteObject(badge);
    return 0;
}
