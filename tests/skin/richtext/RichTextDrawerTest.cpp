// The drawer on real device contexts: measures agree with GDI, marked-up texts come out where and in the
// colours the markup says (pixel samples), pictures come from handles, files and resources, and one
// tooltip-like picture is saved for a person to look at.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/skin/richtext/Canvas.h"
#include "skin/engine/richtext/RichTextDrawer.h"
#include "tools/screenshot/Screenshot.h"
#include "tests/support/TestSupport.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

std::string Handle(HANDLE h)
{
    return std::to_string(reinterpret_cast<uintptr_t>(h));
}

// Measures and draws text at (0, 0) on the canvas; returns the measured size.
SIZE Show(RichTextDrawer& drawer, Canvas& canvas, const std::string& text)
{
    SIZE size = drawer.Measure(canvas.Dc(), text);
    drawer.Draw(canvas.Dc(), text, RECT{0, 0, size.cx, size.cy});
    return size;
}

// Writes a 24-bit bottom-up BMP file of one colour with a different top-left pixel.
void WriteBmp(const std::string& path, int width, int height, COLORREF color)
{
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + stride * height;
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = stride * height;
    std::string pixels(size_t(stride) * height, '\0');
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            char* p = &pixels[size_t(y) * stride + x * 3];
            p[0] = char(GetBValue(color));
            p[1] = char(GetGValue(color));
            p[2] = char(GetRValue(color));
        }
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(&file, sizeof file, 1, f);
    std::fwrite(&info, sizeof info, 1, f);
    std::fwrite(pixels.data(), 1, pixels.size(), f);
    std::fclose(f);
}

} // namespace

TEST(RichTextDrawer, MeasureAgreesWithTheBodyFont)
{
    RichTextDrawer drawer;
    Canvas canvas(200, 50);
    LOGFONTA lf = drawer.DefaultFont();
    lf.lfHeight = MulDiv(10, GetDeviceCaps(canvas.Dc(), LOGPIXELSY), 72);
    HFONT font = CreateFontIndirectA(&lf);
    HGDIOBJ old = SelectObject(canvas.Dc(), font);
    SIZE extent;
    GetTextExtentPoint32A(canvas.Dc(), "Hello world", 11, &extent);
    TEXTMETRICA tm;
    GetTextMetricsA(canvas.Dc(), &tm);
    SelectObject(canvas.Dc(), old);
    DeleteObject(font);

    SIZE size = drawer.Measure(canvas.Dc(), "Hello world");
    EXPECT_EQ(size.cx, extent.cx + 2);
    EXPECT_EQ(size.cy, tm.tmHeight + 2);
    SIZE two = drawer.Measure(canvas.Dc(), "Hello world\nHello");
    EXPECT_EQ(two.cy, 2 * tm.tmHeight + 2);
    EXPECT_EQ(drawer.Measure(canvas.Dc(), "").cx, 2);
    // A context whose measures are its own (here: spacing between characters) measures for itself.
    SetTextCharacterExtra(canvas.Dc(), 5);
    EXPECT_EQ(drawer.Measure(canvas.Dc(), "Hello world").cx, extent.cx + 11 * 5 + 2);
    SetTextCharacterExtra(canvas.Dc(), 0);

    // A pass gives the device context back as it found it.
    HGDIOBJ fontBefore = GetCurrentObject(canvas.Dc(), OBJ_FONT);
    SetTextColor(canvas.Dc(), RGB(1, 2, 3));
    SetBkMode(canvas.Dc(), OPAQUE);
    Show(drawer, canvas, "<b><font color=red bkgnd=blue>x</font></b>");
    EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_FONT), fontBefore);
    EXPECT_EQ(GetTextColor(canvas.Dc()), RGB(1, 2, 3));
    EXPECT_EQ(GetBkMode(canvas.Dc()), OPAQUE);
}

// More fonts in one text than the drawer keeps: each run still measures with its own font, though
// fonts go into the device context only when text needs them and old ones are deleted meanwhile.
TEST(RichTextDrawer, ATextWithMoreFontsThanTheCacheMeasuresEachRunWithItsFont)
{
    RichTextDrawer drawer;
    Canvas canvas(800, 100);
    std::string whole;
    int pieces = 0;
    for (int size = 8; size < 30; ++size) {
        // A text-less style switch before each run, as blocks and cells make them.
        std::string piece =
            "<font size=" + std::to_string(size + 1) + "></font><font size=" + std::to_string(size) + "px>W</font>";
        whole += piece;
        pieces += drawer.Measure(canvas.Dc(), piece).cx - 2;
    }
    HGDIOBJ fontBefore = GetCurrentObject(canvas.Dc(), OBJ_FONT);
    EXPECT_EQ(pieces, drawer.Measure(canvas.Dc(), whole).cx - 2);
    EXPECT_EQ(pieces, Show(drawer, canvas, whole).cx - 2);
    EXPECT_EQ(GetCurrentObject(canvas.Dc(), OBJ_FONT), fontBefore);
}

// The style's colours go into the device context only for what is drawn, and the context gets its own back.
TEST(RichTextDrawer, DrawingLeavesTheDeviceContextAsItWas)
{
    RichTextDrawer drawer;
    Canvas canvas(200, 40);
    HDC dc = canvas.Dc();
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(0, 0, 255));
    SetTextColor(dc, RGB(1, 2, 3));
    HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    SIZE size = Show(drawer, canvas, "<font bkgnd=yellow>x</font>y");
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetBkColor(dc), RGB(0, 0, 255));
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    // "x" fills its cell with yellow; "y" is drawn in the body style's transparent mode, not the context's.
    const int x = drawer.Measure(dc, "x").cx - 2;
    EXPECT_GT(canvas.Count(RECT{0, 0, x, size.cy}, RGB(255, 255, 0)), 0);
    EXPECT_EQ(canvas.Count(RECT{x, 0, size.cx, size.cy}, RGB(255, 255, 0)), 0);
    EXPECT_GT(canvas.CountOther(RECT{x, 0, size.cx, size.cy}, kWhite), 0);
    EXPECT_EQ(canvas.Count(RECT{0, 0, canvas.Width(), canvas.Height()}, RGB(0, 0, 255)), 0);
}

TEST(RichTextDrawer, PixelsFollowTheMarkup)
{
    RichTextDrawer drawer;
    Canvas canvas(300, 120);

    SIZE size = Show(drawer, canvas, "Hello");
    EXPECT_GT(canvas.CountOther(RECT{0, 0, size.cx, size.cy}, kWhite), 10);
    EXPECT_EQ(canvas.CountOther(RECT{size.cx, 0, 300, 120}, kWhite), 0);

    // Text colour: the pixels of the glyphs are blue, none are red.
    canvas.Fill(kWhite);
    size = Show(drawer, canvas, "<font color=#0000ff>IIIIII</font>");
    int blue = 0, other = 0;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x) {
            COLORREF c = canvas.At(x, y);
            if (c == kWhite)
                continue;
            // Smoothed glyph edges blend blue into white: the blue channel always leads.
            if (GetBValue(c) < GetRValue(c) || GetBValue(c) < GetGValue(c))
                ++other;
            else if (GetBValue(c) > GetRValue(c) + 100)
                ++blue;
        }
    EXPECT_GT(blue, 10);
    EXPECT_EQ(other, 0);

    // An opaque background fills the text cell.
    canvas.Fill(kWhite);
    size = Show(drawer, canvas, "<font bkgnd=yellow>x</font>");
    EXPECT_EQ(canvas.At(1, 1), RGB(255, 255, 0));

    // A filled table, its frame, and a gradient.
    canvas.Fill(kWhite);
    size = Show(drawer, canvas, "<table bgcolor=red border=1 bordercolor=blue><tr><td>cell</td></tr></table>");
    EXPECT_EQ(canvas.At(0, 5), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(3, 3), RGB(255, 0, 0));
    canvas.Fill(kWhite);
    drawer.Measure(canvas.Dc(), "<table bgeffect=hgradient bgcolor=black bgendcolor=white><tr><td></td></tr></table>");
    drawer.Draw(canvas.Dc(), "<table bgeffect=hgradient bgcolor=black bgendcolor=white><tr><td></td></tr></table>",
                RECT{0, 0, 257, 50});
    EXPECT_EQ(canvas.At(0, 2), RGB(0, 0, 0));
    EXPECT_GT(GetRValue(canvas.At(250, 2)), 240);

    // A rule across the block, in its colour.
    canvas.Fill(kWhite);
    drawer.Measure(canvas.Dc(), "<hr size=2 color=#00ff00>");
    drawer.Draw(canvas.Dc(), "<hr size=2 color=#00ff00>", RECT{0, 0, 201, 20});
    EXPECT_GT(canvas.Count(RECT{0, 0, 200, 20}, RGB(0, 255, 0)), 300);
}

TEST(RichTextDrawer, PicturesFromHandlesFilesAndResources)
{
    RichTextDrawer drawer;
    drawer.SetResourceInstance(GetModuleHandleA(nullptr));
    Canvas canvas(200, 100);
    const COLORREF green = RGB(0, 200, 0), magenta = RGB(255, 0, 255);

    HBITMAP bitmap = MakeBitmap(20, 20, green, RECT{0, 0, 5, 5}, magenta);
    SIZE size = Show(drawer, canvas, "<bmp handle=" + Handle(bitmap) + " mask=#ff00ff>");
    EXPECT_EQ(size.cx, 22);
    EXPECT_EQ(size.cy, 22);
    EXPECT_EQ(canvas.At(2, 2), kWhite);
    EXPECT_EQ(canvas.At(10, 10), green);
    EXPECT_NE(GetObjectType(bitmap), 0u); // a handle from the markup stays with its owner
    DeleteObject(bitmap);

    // Only bitmaps are taken as bitmaps: a brush handle places nothing.
    HBRUSH brush = CreateSolidBrush(green);
    EXPECT_EQ(drawer.Measure(canvas.Dc(), "<bmp handle=" + Handle(brush) + ">").cx, 2);
    EXPECT_EQ(drawer.Measure(canvas.Dc(), "<icon handle=" + Handle(brush) + ">").cx, 2);
    DeleteObject(brush);

    HICON icon = MakeIcon(16, RGB(255, 0, 0));
    canvas.Fill(kWhite);
    size = Show(drawer, canvas, "<icon handle=" + Handle(icon) + ">");
    EXPECT_EQ(size.cx, 18);
    EXPECT_EQ(canvas.At(8, 8), RGB(255, 0, 0));
    DestroyIcon(icon);

    // The test program's 4 x 2 bitmap resource, four times its size.
    canvas.Fill(kWhite);
    Show(drawer, canvas, "<bmp idres=200 width=400% height=400%>");
    EXPECT_EQ(canvas.At(2, 2), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(6, 2), kWhite);
    EXPECT_EQ(canvas.At(2, 6), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(6, 6), RGB(0, 255, 0));
    EXPECT_EQ(canvas.At(10, 6), RGB(255, 0, 0));

    // A strip cut into cells of 2 x 2: cell 1 is the right half.
    canvas.Fill(kWhite);
    Show(drawer, canvas, "<imglist idres=200 cx=2 cy=2 index=1 width=400% height=400%>");
    EXPECT_EQ(canvas.At(2, 2), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(2, 6), RGB(255, 0, 0));

    TempDir dir;
    const std::string file = dir.File("picture.bmp");
    WriteBmp(file, 6, 3, RGB(0, 0, 255));
    canvas.Fill(kWhite);
    size = Show(drawer, canvas, "<bmp file=\"" + file + "\">");
    EXPECT_EQ(size.cx, 8);
    EXPECT_EQ(canvas.At(3, 1), RGB(0, 0, 255));
    EXPECT_EQ(drawer.Measure(canvas.Dc(), "<bmp file=\"" + dir.File("missing.bmp") + "\">").cx, 2);

    // A table background tiled from a file.
    canvas.Fill(kWhite);
    drawer.Measure(canvas.Dc(), "<table background=\"file:" + file + "\"><tr><td>x</td></tr></table>");
    drawer.Draw(canvas.Dc(), "<table background=\"file:" + file + "\"><tr><td>x</td></tr></table>",
                RECT{0, 0, 101, 50});
    EXPECT_EQ(canvas.At(90, 1), RGB(0, 0, 255));
}

TEST(RichTextDrawer, TooltipScreenshot)
{
    RichTextDrawer drawer;
    HBITMAP badge = MakeBitmap(32, 32, RGB(40, 120, 220), RECT{8, 8, 24, 24}, RGB(250, 200, 40));
    const std::string text =
        "<h2>摄像机 3</h2>\n"
        "Status: <b><font color=green>recording</font></b>, <i>motion armed</i>\n"
        "<bmp handle=" +
        Handle(badge) +
        " style=s> <font size=12px>Front gate, channel 3</font>\n"
        "<hr>"
        "<table border=1 bordercolor=#808080 bgeffect=vgradient bgcolor=#ffffff bgendcolor=#dde8f4>"
        "<tr><td><b>Server</b></td><td>192.168.1.20:5000</td></tr>"
        "<tr><td><b>Stream</b></td><td align=right>1280 x 720, 25 fps</td></tr>"
        "<tr><td colspan=2 bgcolor=#fff3c0><center><font color=#a04000>Disk: 83% used</font></center></td></tr>"
        "</table>"
        "<font color=gray size=11px>Press <u>F2</u> to open the archive</font>";
    Canvas canvas(360, 260, GetSysColor(COLOR_INFOBK));
    SIZE size = drawer.Measure(canvas.Dc(), text);
    ASSERT_LT(size.cx, 360);
    ASSERT_LT(size.cy, 260);
    RECT frame = {0, 0, size.cx + 8, size.cy + 8};
    FrameRect(canvas.Dc(), &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    drawer.Draw(canvas.Dc(), text, RECT{4, 4, size.cx + 4, size.cy + 4});
    EXPECT_TRUE(SavePng(canvas.ToCapture(), ScreenshotPath("richtext_tooltip")));
    // The heading is orange, the badge and its shadow are there, the table has its grey frame.
    EXPECT_GT(canvas.CountOther(RECT{4, 4, size.cx, 20}, GetSysColor(COLOR_INFOBK)), 20);
    DeleteObject(badge);
}
