// Time to measure and draw a typical tooltip (a few styled lines, a small table, a picture with a shadow)
// on a memory DC, against the platform's DrawText of the same words measured in the same run.
#include <windows.h>

#include <cstdio>
#include <string>

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
    PrintFigure("rich-text tooltip vs DrawText of the same words", rich, baseline, "us", "a small multiple");

    DeleteObject(font);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(canvas);
    DeleteObject(badge);
    return 0;
}
