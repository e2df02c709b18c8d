// Drawing and geometry routines on memory device contexts, checked by their pixels: image parts in each
// draw mode, nine-piece frames in each slice mode, colour-keyed blits, regions from bitmaps and patterns,
// shadowed text, MemoryDC, and the small window and file helpers.
#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdio>
#include <set>
#include <string>

#include "skin/engine/images/ImageDraw.h"
#include "tests/skin/engine/ImageFixtures.h"
#include "skin/engine/objects/ResourceSkinObjects.h"
#include "skin/engine/drawing/MemoryDC.h"
#include "skin/engine/drawing/RegionTools.h"
#include "skin/engine/toolkit/SkinEngine.h"
#include "skin/engine/images/SkinImage.h"
#include "skin/engine/drawing/TextEffects.h"
#include "tests/support/TestSupport.h"
#include "tests/skin/toolkit/ToolkitFixtures.h"
#include "skin/engine/drawing/WindowTools.h"

namespace {

const uint32_t kWhite = 0xFFFFFF;
const COLORREF kFill = RGB(0x20, 0x40, 0x60);

// The nine 5 x 5 pieces of PIECES.BMP: piece i is a solid colour, its first column and first row a
// second colour (the mark), so that a tiled piece shows its mark every 5 pixels and a stretched one
// shows it wider.
uint32_t PieceColor(int i)
{
    return 0x100000 * (i + 1) + 0x000010 * (i + 1);
}

uint32_t MarkColor(int i)
{
    return 0x001000 * (i + 1) + 0x000008;
}

COLORREF ToColorRef(uint32_t rgb)
{
    return RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

class DrawTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MakeCurrentSkin([](SkinStore& skin) {
            skin.AddImage(MakeImage("PIECES.BMP", 15, 15, [](int x, int y) {
                const int piece = (y / 5) * 3 + x / 5;
                return ToColorRef(x % 5 == 0 || y % 5 == 0 ? MarkColor(piece) : PieceColor(piece));
            }));
            // A 4 x 2 picture: left half red, right half the key colour.
            skin.AddImage(
                MakeImage("KEYED.BMP", 4, 2, [](int x, int) { return x < 2 ? RGB(255, 0, 0) : RGB(255, 0, 255); }));
        });
    }
    void TearDown() override { SkinEngine::Instance().Reset(); }

    static SlicedImage Sliced(int mode)
    {
        SlicedImage image = {};
        std::strcpy(image.image, "pieces.bmp"); // found whatever its case
        SetRect(&image.source, 0, 0, 15, 15);
        SetRect(&image.margins, 5, 5, 5, 5);
        image.mode = mode;
        return image;
    }

    static ImagePart Part(const char* name, RECT source, int mode)
    {
        ImagePart part = {};
        std::strcpy(part.image, name);
        part.source = source;
        part.mode = mode;
        return part;
    }
};

// Where a piece of the 40 x 30 frame drawn at (10, 10) shows whether it was tiled or stretched.
struct Probe {
    int piece;
    int x, y;
};
const Probe kProbes[] = {{1, 25, 12}, {3, 12, 25}, {4, 25, 25}, {5, 47, 25}, {7, 25, 37}};

} // namespace

TEST_F(DrawTest, ImagePartCopyTileStretchAndFill)
{
    Canvas canvas(60, 40, kWhite);
    // Copy into a larger destination: the 5 x 5 piece at the top-left, the rest untouched.
    DrawImagePart(canvas.Dc(), MakeRect(0, 0, 12, 12), Part("PIECES.BMP", MakeRect(5, 0, 10, 5), 0), kFill, TRUE);
    EXPECT_EQ(MarkColor(1), canvas.Pixel(0, 0));
    EXPECT_EQ(PieceColor(1), canvas.Pixel(4, 4));
    EXPECT_EQ(kWhite, canvas.Pixel(5, 5));
    EXPECT_EQ(kWhite, canvas.Pixel(11, 2));
    // Copy into a smaller destination: only what fits.
    DrawImagePart(canvas.Dc(), MakeRect(20, 0, 23, 3), Part("PIECES.BMP", MakeRect(0, 0, 15, 15), 0), kFill, TRUE);
    EXPECT_EQ(PieceColor(0), canvas.Pixel(22, 2));
    EXPECT_EQ(kWhite, canvas.Pixel(23, 2));
    // Tile: the mark every 5 pixels.
    DrawImagePart(canvas.Dc(), MakeRect(0, 20, 20, 25), Part("PIECES.BMP", MakeRect(5, 0, 10, 5), 1), kFill, TRUE);
    EXPECT_EQ(MarkColor(1), canvas.Pixel(10, 22));
    EXPECT_EQ(PieceColor(1), canvas.Pixel(12, 22));
    // Stretch: four times as wide, so the mark covers the first four columns.
    DrawImagePart(canvas.Dc(), MakeRect(30, 20, 50, 25), Part("PIECES.BMP", MakeRect(5, 0, 10, 5), 2), kFill, TRUE);
    EXPECT_EQ(MarkColor(1), canvas.Pixel(33, 22));
    EXPECT_EQ(PieceColor(1), canvas.Pixel(40, 22));
    // A missing picture or an empty part fills only when asked to.
    DrawImagePart(canvas.Dc(), MakeRect(0, 30, 5, 35), Part("NONE.BMP", MakeRect(0, 0, 5, 5), 0), kFill, TRUE);
    EXPECT_EQ(0x204060u, canvas.Pixel(2, 32));
    DrawImagePart(canvas.Dc(), MakeRect(10, 30, 15, 35), Part("PIECES.BMP", MakeRect(0, 0, 0, 5), 0), kFill, FALSE);
    EXPECT_EQ(kWhite, canvas.Pixel(12, 32));
}

TEST_F(DrawTest, FramePiecesFollowTheSliceMode)
{
    // The pieces each mode stretches; all others tile.
    const std::set<int> stretched[9] = {{}, {1, 3, 4, 5, 7}, {7}, {4}, {3}, {1, 3, 5, 7}, {5}, {1}, {1, 3, 5, 7}};
    for (int mode = 0; mode <= 8; ++mode) {
        SCOPED_TRACE("slice mode " + std::to_string(mode));
        Canvas canvas(60, 50, kWhite);
        DrawFrameImage(canvas.Dc(), MakeRect(10, 10, 50, 40), Sliced(mode), kFill, TRUE);
        // Every piece lands in its own target.
        const POINT inside[9] = {{13, 13}, {27, 13}, {47, 13}, {13, 27}, {27, 27},
                                 {47, 27}, {13, 37}, {27, 37}, {47, 37}};
        for (int i = 0; i < 9; ++i) {
            if (i != 4 || mode != 8) {
                EXPECT_EQ(PieceColor(i), canvas.Pixel(inside[i].x, inside[i].y)) << "piece " << i;
            }
        }
        for (const Probe& probe : kProbes) {
            if (probe.piece == 4 && mode == 8)
                continue;
            const bool stretch = stretched[mode].count(probe.piece) != 0;
            EXPECT_EQ(stretch ? PieceColor(probe.piece) : MarkColor(probe.piece), canvas.Pixel(probe.x, probe.y))
                << "piece " << probe.piece << (stretch ? " stretched" : " tiled");
        }
        EXPECT_EQ(kWhite, canvas.Pixel(9, 9));
        EXPECT_EQ(kWhite, canvas.Pixel(50, 40));
    }
}

TEST_F(DrawTest, SliceModeEightDrawsTheCentreInColumns)
{
    // A centre 2.5 times as wide as its 5-pixel source: two whole columns and a squeezed half one.
    Canvas canvas(40, 40, kWhite);
    DrawFrameImage(canvas.Dc(), MakeRect(0, 0, 22, 30), Sliced(8), kFill, TRUE);
    const int left = 5, y = 15;
    EXPECT_EQ(MarkColor(4), canvas.Pixel(left, y));
    EXPECT_EQ(PieceColor(4), canvas.Pixel(left + 1, y));
    EXPECT_EQ(MarkColor(4), canvas.Pixel(left + 5, y));
    EXPECT_EQ(PieceColor(4), canvas.Pixel(left + 6, y));
    // The last column, 2 pixels wide, holds the piece squeezed; the right edge follows it.
    for (int x : {left + 10, left + 11}) {
        const uint32_t c = canvas.Pixel(x, y);
        EXPECT_TRUE(c == MarkColor(4) || c == PieceColor(4)) << x;
    }
    EXPECT_EQ(PieceColor(5), canvas.Pixel(left + 13, y));
    // Columns are stretched to the centre's height: no row mark below its first row.
    EXPECT_EQ(PieceColor(4), canvas.Pixel(left + 2, 10));
}

TEST_F(DrawTest, BorderOnlyVariantsLeaveTheCentre)
{
    Canvas canvas(60, 50, kWhite);
    DrawFrameImageParts(canvas.Dc(), MakeRect(10, 10, 50, 40), Sliced(0), kFill, TRUE);
    EXPECT_EQ(kWhite, canvas.Pixel(27, 27));
    EXPECT_EQ(PieceColor(0), canvas.Pixel(13, 13));
    EXPECT_EQ(PieceColor(8), canvas.Pixel(47, 37));
    // Slice mode 8 switches nothing in the border-only form: the edges tile.
    Canvas eight(60, 50, kWhite);
    DrawFrameImageParts(eight.Dc(), MakeRect(10, 10, 50, 40), Sliced(8), kFill, TRUE);
    EXPECT_EQ(MarkColor(1), eight.Pixel(25, 12));
    EXPECT_EQ(kWhite, eight.Pixel(27, 27));
    // Margins of their own: a 2-pixel border cut from the same picture.
    Canvas ex(60, 50, kWhite);
    DrawFrameImageEx(ex.Dc(), MakeRect(10, 10, 50, 40), MakeRect(2, 2, 2, 2), Sliced(0), kFill, TRUE);
    EXPECT_EQ(MarkColor(0), ex.Pixel(10, 10));
    EXPECT_EQ(kWhite, ex.Pixel(13, 13));
    EXPECT_NE(kWhite, ex.Pixel(48, 38));
}

TEST_F(DrawTest, FrameSmallerThanItsMarginsStaysInside)
{
    Canvas canvas(30, 30, kWhite);
    DrawFrameImage(canvas.Dc(), MakeRect(10, 10, 16, 14), Sliced(0), kFill, TRUE);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) {
            if (x < 10 || x >= 16 || y < 10 || y >= 14) {
                ASSERT_EQ(kWhite, canvas.Pixel(x, y)) << x << "," << y;
            }
        }
    EXPECT_NE(kWhite, canvas.Pixel(10, 10));
    // Turned inside out: nothing drawn, nothing broken.
    DrawFrameImage(canvas.Dc(), MakeRect(20, 20, 18, 18), Sliced(5), kFill, TRUE);
    EXPECT_EQ(kWhite, canvas.Pixel(19, 19));
}

TEST_F(DrawTest, ColourKeyedBlits)
{
    const COLORREF key = RGB(255, 0, 255);
    // A 4 x 2 bitmap: red on the left, the key on the right.
    SkinImage* keyed = SkinEngine::Instance().GetCurrentSkin()->FindImage("KEYED.BMP");
    ASSERT_NE(nullptr, keyed);
    HBITMAP bitmap = keyed->MakeBitmap();
    {
        Canvas canvas(10, 4, 0x00FF00);
        BlitTransparent(canvas.Dc(), 2, 1, 4, 2, bitmap, 0, 0, key);
        EXPECT_EQ(0xFF0000u, canvas.Pixel(2, 1));
        EXPECT_EQ(0xFF0000u, canvas.Pixel(3, 2));
        EXPECT_EQ(0x00FF00u, canvas.Pixel(4, 1));
        EXPECT_EQ(0x00FF00u, canvas.Pixel(1, 1));
    }
    {
        Canvas source(4, 2, 0);
        BitBlt(source.Dc(), 0, 0, 4, 2, NULL, 0, 0, BLACKNESS);
        HDC memory = CreateCompatibleDC(NULL);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(source.Dc(), 0, 0, 4, 2, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
        Canvas canvas(10, 6, 0x00FF00);
        StretchBlitTransparent(canvas.Dc(), 0, 0, 8, 4, source.Dc(), 0, 0, 4, 2, key);
        EXPECT_EQ(0xFF0000u, canvas.Pixel(3, 3));
        EXPECT_EQ(0x00FF00u, canvas.Pixel(4, 0));
        EXPECT_EQ(0x00FF00u, canvas.Pixel(7, 3));
    }
    {
        Canvas canvas(10, 4, 0x0000FF);
        DrawImageTransparent(canvas.Dc(), *keyed, MakeRect(1, 1, 4, 2), key); // cut to 3 x 1
        EXPECT_EQ(0xFF0000u, canvas.Pixel(2, 1));
        EXPECT_EQ(0x0000FFu, canvas.Pixel(3, 1));
        EXPECT_EQ(0x0000FFu, canvas.Pixel(2, 2));
    }
    {
        Canvas canvas(10, 6, 0x0000FF);
        DrawBitmapTransparent(canvas.Dc(), bitmap, MakeRect(0, 0, 8, 4), key);
        EXPECT_EQ(0xFF0000u, canvas.Pixel(1, 1));
        EXPECT_EQ(0x0000FFu, canvas.Pixel(6, 2));
    }
    DeleteObject(bitmap);
}

TEST_F(DrawTest, TransparentFrameLeavesTheKeyOut)
{
    // Pieces of a missing picture are filled with the key, which the blit then leaves out.
    SlicedImage missing = Sliced(0);
    std::strcpy(missing.image, "NONE.BMP");
    Canvas canvas(30, 30, 0x123456);
    DrawFrameImageTransparent(canvas.Dc(), MakeRect(5, 5, 25, 25), missing, RGB(255, 0, 255));
    EXPECT_EQ(0x123456u, canvas.Pixel(15, 15));
    Canvas drawn(30, 30, 0x123456);
    DrawFrameImageTransparent(drawn.Dc(), MakeRect(5, 5, 25, 25), Sliced(0), RGB(255, 0, 255));
    EXPECT_EQ(PieceColor(0), drawn.Pixel(7, 7));
    EXPECT_EQ(0x123456u, drawn.Pixel(4, 4));
}

namespace {

// A DIB section of the given depth holding a 6 x 3 picture: key everywhere but a run of 3 in row 0
// and two single pixels in row 2.
HBITMAP KeyedBitmap(int bits, COLORREF key, COLORREF solid)
{
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } info = {};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = 6;
    info.header.biHeight = -3;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bits);
    info.colors[0] = {GetBValue(key), GetGValue(key), GetRValue(key), 0};
    info.colors[1] = {GetBValue(solid), GetGValue(solid), GetRValue(solid), 0};
    void* bits_ = nullptr;
    HBITMAP bitmap = CreateDIBSection(NULL, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits_, NULL, 0);
    HDC dc = CreateCompatibleDC(NULL);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool on = (y == 0 && x >= 1 && x <= 3) || (y == 2 && (x == 0 || x == 5));
            SetPixelV(dc, x, y, on ? solid : key);
        }
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

} // namespace

TEST(RegionTools, RegionFromBitmapInEveryDepth)
{
    const COLORREF key = RGB(255, 0, 255), solid = RGB(0, 128, 0);
    for (int bits : {8, 16, 24, 32}) {
        SCOPED_TRACE(std::to_string(bits) + " bits");
        HBITMAP bitmap = KeyedBitmap(bits, key, solid);
        HRGN region = RegionFromBitmap(bitmap, key);
        ASSERT_NE(nullptr, region);
        EXPECT_TRUE(PtInRegion(region, 1, 0));
        EXPECT_TRUE(PtInRegion(region, 3, 0));
        EXPECT_FALSE(PtInRegion(region, 4, 0));
        EXPECT_FALSE(PtInRegion(region, 2, 1));
        EXPECT_TRUE(PtInRegion(region, 0, 2));
        EXPECT_FALSE(PtInRegion(region, 1, 2));
        EXPECT_TRUE(PtInRegion(region, 5, 2));
        DeleteObject(region);
        DeleteObject(bitmap);
    }
    // Wholly the key: empty. No key at all: one rectangle per row.
    HBITMAP all = KeyedBitmap(24, key, key);
    HRGN empty = RegionFromBitmap(all, key);
    RECT box;
    EXPECT_EQ(NULLREGION, GetRgnBox(empty, &box));
    DeleteObject(empty);
    HRGN full = RegionFromBitmap(all, RGB(1, 2, 3));
    EXPECT_EQ(SIMPLEREGION, GetRgnBox(full, &box));
    EXPECT_EQ(6, box.right);
    EXPECT_EQ(3, box.bottom);
    DeleteObject(full);
    DeleteObject(all);
    EXPECT_EQ(nullptr, RegionFromBitmap(NULL, key));
}

TEST(RegionTools, TransformAndTile)
{
    HRGN pattern = CreateRectRgn(0, 0, 2, 3);
    HRGN scaled = TransformRegion(pattern, 2.0f, 3.0f, 10, 20);
    RECT box;
    GetRgnBox(scaled, &box);
    EXPECT_EQ(10, box.left);
    EXPECT_EQ(20, box.top);
    EXPECT_EQ(14, box.right);
    EXPECT_EQ(29, box.bottom);
    DeleteObject(scaled);
    EXPECT_EQ(nullptr, TransformRegion(NULL, 1, 1, 0, 0));
    DeleteObject(pattern);

    HRGN dot = CreateRectRgn(0, 0, 1, 1);
    HRGN tiled = TileRegion(dot, 2, 2, MakeRect(10, 10, 15, 13));
    EXPECT_TRUE(PtInRegion(tiled, 10, 10));
    EXPECT_FALSE(PtInRegion(tiled, 11, 10));
    EXPECT_TRUE(PtInRegion(tiled, 14, 12));
    EXPECT_FALSE(PtInRegion(tiled, 16, 10)); // clipped to the area
    DeleteObject(tiled);
    // A step of zero (or less) draws nothing instead of never ending.
    for (int step : {0, -3}) {
        HRGN none = TileRegion(dot, step, 2, MakeRect(0, 0, 50, 50));
        ASSERT_NE(nullptr, none);
        EXPECT_EQ(NULLREGION, GetRgnBox(none, &box));
        DeleteObject(none);
    }
    DeleteObject(dot);
}

TEST(TextEffects, ShadowFirstThenTextAndTheStateKept)
{
    Canvas canvas(80, 40, kWhite);
    HFONT font = CreateFontA(-30, 0, 0, 0, FW_HEAVY, 0, 0, 0, ANSI_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, "Arial");
    HGDIOBJ oldFont = SelectObject(canvas.Dc(), font);
    SetTextColor(canvas.Dc(), RGB(1, 2, 3));
    SetBkMode(canvas.Dc(), OPAQUE);
    TextEffect effect = {};
    effect.dx = 3;
    effect.dy = -2; // signed
    effect.red = 0;
    effect.green = 0;
    effect.blue = 255;
    effect.shadowRed = 255;
    effect.flags = 1;
    RECT rect = MakeRect(10, 5, 80, 40);
    DrawTextEffect(canvas.Dc(), effect, rect, "II", -1, DT_LEFT | DT_TOP | DT_SINGLELINE);
    int blue = 0, red = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 80; ++x) {
            blue += canvas.Pixel(x, y) == 0x0000FF;
            red += canvas.Pixel(x, y) == 0xFF0000;
        }
    EXPECT_GT(blue, 20);
    EXPECT_GT(red, 10);
    EXPECT_EQ(RGB(1, 2, 3), GetTextColor(canvas.Dc()));
    EXPECT_EQ(OPAQUE, GetBkMode(canvas.Dc()));
    // Without the flag no shadow, and no background either.
    Canvas plain(80, 40, kWhite);
    SelectObject(plain.Dc(), font);
    effect.flags = 0;
    DrawTextEffect(plain.Dc(), effect, rect, "II", -1, DT_LEFT | DT_TOP | DT_SINGLELINE);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 80; ++x)
            ASSERT_NE(0xFF0000u, plain.Pixel(x, y));
    SelectObject(canvas.Dc(), oldFont);
    DeleteObject(font);

    uint8_t rgb[3];
    StoreTextEffectColor(rgb, RGB(10, 20, 30));
    EXPECT_EQ(10, rgb[0]);
    EXPECT_EQ(RGB(10, 20, 30), GetTextEffectColor(rgb));
}

TEST(MemoryDCTest, CreateDrawDetachRelease)
{
    HDC screen = GetDC(NULL);
    MemoryDC buffer(screen, 16, 8);
    ReleaseDC(NULL, screen);
    ASSERT_TRUE(buffer.IsValid());
    EXPECT_EQ(16, buffer.Width());
    EXPECT_EQ(8, buffer.Height());
    FillRectColor(buffer, MakeRect(0, 0, 16, 8), RGB(0, 0, 200));
    const POINT triangle[3] = {{2, 2}, {10, 2}, {6, 6}};
    FillPolygonColor(buffer, triangle, RGB(200, 0, 0));
    EXPECT_EQ(RGB(200, 0, 0), GetPixel(buffer, 6, 3));
    EXPECT_EQ(RGB(0, 0, 200), GetPixel(buffer, 14, 7));
    HBITMAP bitmap = buffer.DetachBitmap();
    EXPECT_FALSE(buffer.IsValid());
    BITMAP bm;
    ASSERT_TRUE(GetObject(bitmap, sizeof bm, &bm));
    EXPECT_EQ(16, bm.bmWidth);
    Canvas canvas(16, 8, 0);
    HDC memory = CreateCompatibleDC(canvas.Dc());
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(canvas.Dc(), 0, 0, 16, 8, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    EXPECT_EQ(0xC80000u, canvas.Pixel(6, 3));
    EXPECT_FALSE(buffer.Create(NULL, 0, 5));
    EXPECT_TRUE(buffer.Create(NULL, 3, 3));
    buffer.Release();
    EXPECT_FALSE(buffer.IsValid());
}

// A context kept from a released memory DC comes back as a new one would: black, default colours, modes,
// font and clipping; only display-format bitmaps are kept, so a monochrome reference still gets its own.
TEST(MemoryDCTest, KeptContextsComeBackAsNew)
{
    RegisterPlainClass("MemoryDCTestWindow");
    HWND window =
        CreateWindowExA(0, "MemoryDCTestWindow", "", WS_POPUP, 0, 0, 40, 40, NULL, NULL, GetModuleHandleA(NULL), NULL);
    ASSERT_NE(nullptr, window);
    HDC windowDc = GetDC(window);
    HDC used = NULL;
    {
        MemoryDC first(windowDc, 20, 10);
        ASSERT_TRUE(first.IsValid());
        used = first.Dc();
        FillRectColor(first, MakeRect(0, 0, 20, 10), RGB(200, 0, 0));
        SetTextColor(first, RGB(0, 0, 255));
        SetBkColor(first, RGB(0, 255, 0));
        SetBkMode(first, TRANSPARENT);
        SelectObject(first, GetStockObject(DEFAULT_GUI_FONT));
        SelectObject(first, GetStockObject(BLACK_BRUSH));
        IntersectClipRect(first, 0, 0, 5, 5);
        SaveDC(first); // left unbalanced
    }
    {
        MemoryDC again(windowDc, 20, 10);
        ASSERT_TRUE(again.IsValid());
        EXPECT_EQ(used, again.Dc()) << "the context was kept";
        EXPECT_EQ(RGB(0, 0, 0), GetPixel(again, 15, 8));
        EXPECT_EQ(RGB(0, 0, 0), GetPixel(again, 2, 2));
        EXPECT_EQ(RGB(0, 0, 0), GetTextColor(again));
        EXPECT_EQ(RGB(255, 255, 255), GetBkColor(again));
        EXPECT_EQ(OPAQUE, GetBkMode(again));
        EXPECT_EQ(GetStockObject(SYSTEM_FONT), GetCurrentObject(again, OBJ_FONT));
        EXPECT_EQ(GetStockObject(WHITE_BRUSH), GetCurrentObject(again, OBJ_BRUSH));
        FillRectColor(again, MakeRect(0, 0, 20, 10), RGB(0, 0, 200));
        EXPECT_EQ(RGB(0, 0, 200), GetPixel(again, 15, 8)) << "no clipping left over";
        // Restored past its first state, a context is not kept.
        RestoreDC(again, -1);
        SetTextColor(again, RGB(0, 0, 255));
    }
    {
        MemoryDC third(windowDc, 20, 10);
        EXPECT_EQ(RGB(0, 0, 0), GetTextColor(third));
        EXPECT_EQ(RGB(0, 0, 0), GetPixel(third, 15, 8));
        // Detached, the bitmap is the caller's and the context is not kept with it.
        HBITMAP bitmap = third.DetachBitmap();
        ASSERT_NE(nullptr, bitmap);
        MemoryDC fourth(windowDc, 20, 10);
        ASSERT_TRUE(fourth.IsValid());
        EXPECT_NE(bitmap, fourth.Bitmap());
        DeleteObject(bitmap);
    }
    // A memory DC holding a monochrome bitmap makes monochrome bitmaps, kept ones of that size or not.
    {
        MemoryDC display(windowDc, 8, 8);
    }
    HDC mono = CreateCompatibleDC(windowDc);
    MemoryDC fromMono(mono, 8, 8);
    BITMAP info = {};
    ASSERT_TRUE(GetObjectA(fromMono.Bitmap(), sizeof info, &info));
    EXPECT_EQ(1, info.bmBitsPixel);
    fromMono.Release();
    DeleteDC(mono);
    ReleaseDC(window, windowDc);
    DestroyWindow(window);
    ReleaseSpareMemoryDCs();
}

TEST(WindowTools, RectanglesAndMonitors)
{
    struct Case {
        RECT rect;
        RECT expected;
    } cases[] = {
        {{10, 10, 30, 20}, {10, 10, 30, 20}},     // inside already
        {{90, 95, 110, 105}, {80, 90, 100, 100}}, // past the bottom-right
        {{-5, -8, 5, 2}, {0, 0, 10, 10}},         // past the top-left
        {{0, 0, 150, 20}, {0, 0, 150, 20}},       // wider than the outer one: its left edge wins
    };
    const RECT outer = {0, 0, 100, 100};
    for (const Case& c : cases) {
        RECT r = c.rect;
        ClampRectInside(outer, r);
        EXPECT_TRUE(EqualRect(&r, &c.expected)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
    EXPECT_EQ(MAKELONG(3, 4), static_cast<LONG>(PackPoint(3, 4)));
    RECT work, whole;
    ASSERT_TRUE(GetMonitorRectForPoint(POINT{5, 5}, work, TRUE));
    ASSERT_TRUE(GetMonitorRectForRect(MakeRect(0, 0, 10, 10), whole, FALSE));
    EXPECT_LE(whole.left, work.left);
    EXPECT_GE(whole.bottom, work.bottom);
    HWND frame = MakeFrame();
    RECT byWindow;
    EXPECT_TRUE(GetMonitorRectForWindow(frame, byWindow, FALSE));
    EXPECT_TRUE(EqualRect(&byWindow, &whole));
    RECT r = MakeRect(0, 0, 10, 10);
    ClientToScreenRect(frame, r);
    ScreenToClientRect(frame, r);
    EXPECT_EQ(10, r.right);
    DestroyWindow(frame);
}

TEST(WindowTools, WindowIconDrawnWhenThereIsOne)
{
    HWND frame = MakeFrame();
    SendMessageA(frame, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadIcon(NULL, IDI_ERROR)));
    Canvas canvas(20, 20, kWhite);
    DrawWindowIcon(frame, canvas.Dc(), POINT{2, 2});
    int changed = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            changed += canvas.Pixel(x, y) != kWhite;
    EXPECT_GT(changed, 20);
    for (int y = 0; y < 20; ++y)
        EXPECT_EQ(kWhite, canvas.Pixel(19, y));
    DestroyWindow(frame);
}

TEST(WindowTools, MonthCalendarButtons)
{
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_DATE_CLASSES};
    InitCommonControlsEx(&init);
    HWND frame = MakeFrame("Calendar", WS_OVERLAPPEDWINDOW);
    HWND calendar = CreateWindowExA(0, MONTHCAL_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, 0, 220, 180, frame, NULL,
                                    GetModuleHandleA(NULL), NULL);
    ASSERT_NE(nullptr, calendar);
    RECT client;
    GetClientRect(calendar, &client);
    RECT previous, next;
    FindMonthCalButtons(calendar, previous, next);
    ASSERT_FALSE(IsRectEmpty(&previous));
    ASSERT_FALSE(IsRectEmpty(&next));
    EXPECT_LT(previous.right, client.right / 2 + 2);
    EXPECT_GT(next.left, client.right / 2 - 2);
    // The rectangles hold the buttons, found again by hit-testing their centres.
    MCHITTESTINFO hit = {};
    hit.cbSize = sizeof hit;
    hit.pt = {(previous.left + previous.right) / 2, (previous.top + previous.bottom) / 2};
    SendMessageA(calendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    EXPECT_EQ(static_cast<UINT>(MCHT_TITLEBTNPREV), hit.uHit);
    DestroyWindow(frame);
}

TEST(WindowTools, ResourcesToFilesAndTemporaryNames)
{
    TempDir dir;
    const std::string path = dir.File("skin.bin");
    ASSERT_TRUE(SaveResourceToFile(path.c_str(), GetModuleHandleA(NULL), "DEFAULT", "TESSARINE"));
    HRSRC resource = FindResourceA(GetModuleHandleA(NULL), "DEFAULT", "TESSARINE");
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes));
    EXPECT_EQ(SizeofResource(GetModuleHandleA(NULL), resource), attributes.nFileSizeLow);
    EXPECT_FALSE(SaveResourceToFile(dir.File("none.bin").c_str(), GetModuleHandleA(NULL), "NONE", "TESSARINE"));
    EXPECT_FALSE(
        SaveResourceToFile((dir.Path() + "\\missing\\x.bin").c_str(), GetModuleHandleA(NULL), "DEFAULT", "TESSARINE"));

    char name[MAX_PATH];
    MakeTempFileName(name, sizeof name, "fallback", "C:\\", "dat");
    const std::string made = name;
    EXPECT_NE(std::string::npos, made.find("\\VL"));
    EXPECT_EQ(".dat", made.substr(made.size() - 4));
    DeleteFileA(made.substr(0, made.size() - 4).c_str()); // the file GetTempFileName made

    // No unique name (the temporary folder does not exist): folder and fallback name, one separator.
    char saved[MAX_PATH] = "";
    const DWORD had = GetEnvironmentVariableA("TMP", saved, sizeof saved);
    const std::string nowhere = dir.Path() + "\\nowhere\\";
    SetEnvironmentVariableA("TMP", nowhere.c_str());
    MakeTempFileName(name, sizeof name, "clip", "C:\\", "mp4");
    EXPECT_EQ(nowhere + "clip.mp4", std::string(name));
    // Cut to the buffer, always terminated.
    char small[8];
    MakeTempFileName(small, sizeof small, "clip", "C:\\", "mp4");
    EXPECT_EQ(7u, std::strlen(small));
    SetEnvironmentVariableA("TMP", had ? saved : NULL);
}
