// The drawing toolbox on memory DCs: pixel effects, gradients, frames and lines, masks, shadows, icons, tiles.
#include <gtest/gtest.h>

#include "tests/skin/richtext/Canvas.h"
#include "skin/engine/richtext/DrawTools.h"

namespace {

COLORREF PixelOf(HBITMAP bitmap, int x, int y)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

} // namespace

TEST(DrawTools, EffectBitmapTransformsEachPixel)
{
    DrawTools tools;
    const COLORREF magenta = RGB(255, 0, 255);
    struct Case {
        COLORREF source;
        int flags;
        bool maskFlag;
        COLORREF expected;
    } cases[] = {
        {RGB(255, 0, 0), 1, false, RGB(76, 76, 76)},
        {RGB(0, 0, 255), 1, false, RGB(29, 29, 29)},
        {RGB(200, 100, 40), 2, false, RGB(150, 75, 30)},
        {RGB(220, 100, 40), 4, false, RGB(255, 125, 50)},
        {RGB(10, 20, 30), 8, false, RGB(1, 2, 3)},
        {RGB(10, 20, 30), 0x8000, false, RGB(245, 235, 225)},
        {magenta, 1, true, RGB(0, 0, 0)},
        {magenta, 8 | 0x8000, true, RGB(255, 255, 255)},
        {RGB(10, 20, 30), 8 | 0x8000, true, RGB(254, 253, 252)},
        {RGB(255, 0, 0), 1 | 2, false, RGB(57, 57, 57)},
    };
    for (const Case& c : cases) {
        HBITMAP source = MakeBitmap(4, 4, c.source);
        HBITMAP effect = tools.CreateEffectBitmap(source, 4, 4, c.flags, c.maskFlag, magenta, RGB(1, 2, 3));
        ASSERT_NE(effect, nullptr);
        EXPECT_EQ(PixelOf(effect, 2, 2), c.expected) << std::hex << c.source << " flags " << c.flags;
        DeleteObject(effect);
        DeleteObject(source);
    }
    EXPECT_EQ(tools.CreateEffectBitmap(nullptr, 0, 4, 0, false, 0, 0), nullptr);
}

TEST(DrawTools, GradientsAndFillEffects)
{
    DrawTools tools;
    Canvas canvas(100, 40);
    tools.GradientFill64(canvas.Dc(), RECT{0, 0, 100, 10}, RGB(0, 0, 0), RGB(255, 255, 255), true);
    EXPECT_EQ(canvas.At(0, 5), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(99, 5), RGB(251, 251, 251)); // the last band is 63/64 of the way
    EXPECT_EQ(canvas.At(50, 5), RGB(127, 127, 127));

    // Effect 3: from the start colour to the end colour at the middle, and back. Each 50-pixel half has
    // fewer pixels than bands, so its first band is empty and it starts one band in (251 of 255).
    tools.FillEffect(canvas.Dc(), 3, RECT{0, 10, 100, 20}, RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(0, 15), RGB(251, 0, 3));
    EXPECT_EQ(canvas.At(49, 15), RGB(3, 0, 251));
    EXPECT_EQ(canvas.At(50, 15), RGB(3, 0, 251));
    EXPECT_EQ(canvas.At(99, 15), RGB(251, 0, 3));
    tools.FillEffect(canvas.Dc(), 3, RECT{0, 0, 256, 10}, RGB(255, 0, 0), 0, RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(0, 5), RGB(255, 0, 0)); // wide enough: every band has pixels

    tools.FillEffect(canvas.Dc(), 6, RECT{0, 20, 10, 40}, RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(5, 20), RGB(231, 23, 0)); // the first band with a row of its own is band 6
    EXPECT_EQ(canvas.At(5, 30), RGB(0, 231, 23));
    tools.FillEffect(canvas.Dc(), 0, RECT{20, 20, 30, 40}, RGB(1, 2, 3), 0, 0);
    tools.FillEffect(canvas.Dc(), 42, RECT{30, 20, 40, 40}, RGB(4, 5, 6), 0, 0);
    EXPECT_EQ(canvas.At(25, 39), RGB(1, 2, 3));
    EXPECT_EQ(canvas.At(35, 20), RGB(4, 5, 6));
}

TEST(DrawTools, FramesAndLines)
{
    DrawTools tools;
    Canvas canvas(60, 60);
    const COLORREF white = RGB(255, 255, 255), red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
    tools.DrawFrame(canvas.Dc(), RECT{10, 10, 40, 40}, red, blue, 1, 0);
    tools.DrawFrame(canvas.Dc(), RECT{10, 10, 40, 40}, red, blue, 0, 3);
    EXPECT_EQ(canvas.CountOther(RECT{0, 0, 60, 60}, white), 0);

    tools.DrawFrame(canvas.Dc(), RECT{10, 10, 40, 40}, red, blue, 6, 1);
    EXPECT_EQ(canvas.At(10, 25), red); // light: left and top
    EXPECT_EQ(canvas.At(25, 10), red);
    EXPECT_EQ(canvas.At(40, 25), blue); // dark: right and bottom
    EXPECT_EQ(canvas.At(25, 40), blue);
    EXPECT_EQ(canvas.At(12, 25), red); // the inner frame of a double border
    EXPECT_EQ(canvas.At(38, 25), blue);
    EXPECT_EQ(canvas.At(11, 25), white);

    canvas.Fill(white);
    tools.DrawLine(canvas.Dc(), 0, 5, 50, 5, red, 6, 1);
    EXPECT_EQ(canvas.At(20, 5), red);
    EXPECT_EQ(canvas.At(20, 7), red);
    EXPECT_EQ(canvas.At(20, 6), white);
    tools.DrawLine(canvas.Dc(), 0, 20, 50, 20, red, 2, 1);
    int dashed = canvas.Count(RECT{0, 20, 50, 21}, red);
    EXPECT_GT(dashed, 10);
    EXPECT_LT(dashed, 50);
}

TEST(DrawTools, BitmapMasksStylesAndShadows)
{
    DrawTools tools;
    const COLORREF white = RGB(255, 255, 255), green = RGB(0, 128, 0), magenta = RGB(255, 0, 255);
    HBITMAP picture = MakeBitmap(32, 32, green, RECT{0, 0, 8, 8}, magenta);
    Canvas canvas(100, 100);

    tools.DrawBitmap(canvas.Dc(), 10, 10, 32, 32, picture, true, magenta, 0, false, 4, 4, 7, 7, RGB(128, 128, 128));
    EXPECT_EQ(canvas.At(12, 12), white); // the mask colour leaves the destination visible
    EXPECT_EQ(canvas.At(30, 30), green);
    EXPECT_EQ(canvas.At(44, 30), white); // no shadow asked

    canvas.Fill(white);
    tools.DrawBitmap(canvas.Dc(), 10, 10, 32, 32, picture, false, magenta, 1, false, 4, 4, 7, 7, 0);
    EXPECT_EQ(canvas.At(30, 30), RGB(75, 75, 75)); // grey of (0, 128, 0)
    EXPECT_EQ(canvas.At(12, 12), RGB(105, 105, 105));

    // A sharp shadow: the picture covers 36 x 36 with its shadow below and to the right.
    canvas.Fill(white);
    tools.DrawBitmap(canvas.Dc(), 10, 10, 32, 32, picture, true, magenta, 0x100, true, 4, 4, 7, 7, RGB(128, 128, 128));
    EXPECT_EQ(canvas.At(43, 30), RGB(128, 128, 128));
    EXPECT_EQ(canvas.At(30, 45), RGB(128, 128, 128));
    EXPECT_EQ(canvas.At(46, 30), white);
    EXPECT_EQ(canvas.At(12, 12), white); // the shadow of the masked corner is not drawn either

    // Blurred: softer, still only below and to the right.
    canvas.Fill(white);
    tools.DrawBitmap(canvas.Dc(), 10, 10, 32, 32, picture, false, magenta, 0x200, true, 4, 4, 7, 7, RGB(128, 128, 128));
    COLORREF soft = canvas.At(43, 30);
    EXPECT_LT(GetRValue(soft), 255);
    EXPECT_GT(GetRValue(soft), 128);
    EXPECT_EQ(canvas.At(47, 30), white);
    EXPECT_EQ(canvas.At(8, 8), white);

    // A shadow asked only on hover moves the picture by the offsets instead.
    canvas.Fill(white);
    tools.DrawBitmap(canvas.Dc(), 10, 10, 32, 32, picture, false, magenta, 0, true, 4, 4, 7, 7, 0);
    EXPECT_EQ(canvas.At(12, 12), white);
    EXPECT_EQ(canvas.At(45, 45), green);

    // A picture smaller than the blur gets a sharp shadow.
    HBITMAP tiny = MakeBitmap(5, 5, green);
    canvas.Fill(white);
    tools.DrawBitmap(canvas.Dc(), 10, 10, 5, 5, tiny, false, magenta, 0x200, true, 4, 4, 7, 7, RGB(128, 128, 128));
    EXPECT_EQ(canvas.At(17, 17), RGB(128, 128, 128));
    EXPECT_EQ(canvas.At(12, 12), green);
    DeleteObject(tiny);

    // Stretched to another size.
    canvas.Fill(white);
    tools.DrawBitmap(canvas.Dc(), 0, 0, 64, 64, picture, true, magenta, 0, false, 4, 4, 7, 7, 0);
    EXPECT_EQ(canvas.At(14, 14), white);
    EXPECT_EQ(canvas.At(20, 20), green);
    DeleteObject(picture);
}

TEST(DrawTools, Icons)
{
    DrawTools tools;
    HICON icon = MakeIcon(16, RGB(255, 0, 0), 4);
    ASSERT_NE(icon, nullptr);
    SIZE size = tools.GetIconSize(icon);
    EXPECT_EQ(size.cx, 16);
    EXPECT_EQ(size.cy, 16);
    EXPECT_EQ(tools.GetIconSize(nullptr).cx, 0);

    const COLORREF white = RGB(255, 255, 255), red = RGB(255, 0, 0);
    Canvas canvas(80, 80);
    SetTextColor(canvas.Dc(), RGB(9, 9, 9));
    tools.DrawIcon(canvas.Dc(), 10, 10, 16, 16, icon, 0, false, 4, 4, 7, 7, 0);
    EXPECT_EQ(canvas.At(11, 11), white);
    EXPECT_EQ(canvas.At(20, 20), red);
    EXPECT_EQ(GetTextColor(canvas.Dc()), RGB(9, 9, 9)); // given back after the mask steps

    canvas.Fill(white);
    tools.DrawIcon(canvas.Dc(), 10, 10, 32, 32, icon, 1, true, 4, 4, 7, 7, RGB(128, 128, 128));
    EXPECT_EQ(canvas.At(12, 12), white); // the transparent corner, stretched
    EXPECT_EQ(canvas.At(30, 30), RGB(76, 76, 76));

    canvas.Fill(white);
    tools.DrawIcon(canvas.Dc(), 10, 10, 16, 16, icon, 0x100, true, 4, 4, 7, 7, RGB(128, 128, 128));
    EXPECT_EQ(canvas.At(28, 28), RGB(128, 128, 128));
    EXPECT_EQ(canvas.At(20, 20), red);

    HICON big = tools.StretchIcon(icon, 48, 48);
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(tools.GetIconSize(big).cx, 48);
    DestroyIcon(big);
    DestroyIcon(icon);
}

TEST(DrawTools, TilesRepeatFromTheAreaCorner)
{
    DrawTools tools;
    HBITMAP checker = MakeBitmap(2, 2, RGB(255, 0, 0), RECT{1, 0, 2, 1}, RGB(0, 0, 255));
    HDC source = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(source, checker);
    SetPixel(source, 0, 1, RGB(0, 0, 255));
    Canvas canvas(120, 120);
    tools.TileBitmap(canvas.Dc(), 5, 5, 100, 100, source, 0, 0, 2, 2); // many small tiles
    EXPECT_EQ(canvas.At(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(6, 5), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(5, 6), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(104, 104), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(4, 4), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(105, 105), RGB(255, 255, 255));
    tools.TileBitmap(canvas.Dc(), 0, 0, 10, 10, source, 0, 0, 0, 2); // no tile size: nothing, no endless loop
    EXPECT_EQ(canvas.At(0, 0), RGB(255, 255, 255));
    SelectObject(source, old);
    DeleteDC(source);
    DeleteObject(checker);
}
