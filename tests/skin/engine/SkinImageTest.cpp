// SkinImage: decoding every BMP and TGA flavour, refusing damaged pictures, encoding, cutting, turning and drawing.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "tests/skin/engine/ImageFixtures.h"
#include "skin/engine/images/ImageRegion.h"
#include "skin/engine/images/SkinImage.h"

namespace {

const uint32_t R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, W = 0xFFFFFF, K = 0x000000, Y = 0xFFFF00;

// Colours of the image in screen order (first row is the top line).
void ExpectColors(const SkinImage& image, const std::vector<std::vector<uint32_t>>& rows, const std::string& what)
{
    ASSERT_EQ(image.Height(), static_cast<int>(rows.size())) << what;
    ASSERT_EQ(image.Width(), static_cast<int>(rows[0].size())) << what;
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t x = 0; x < rows[r].size(); ++x)
            EXPECT_EQ(Rgb(image.ColorAt(static_cast<int>(x), image.Height() - 1 - static_cast<int>(r))), rows[r][x])
                << what << " at " << x << "," << r;
}

SkinImage Make24(const std::vector<std::vector<uint32_t>>& rows)
{
    SkinImage image(SkinImage::FormatBmp);
    image.Create(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), 24, SkinImage::FormatBmp);
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t x = 0; x < rows[r].size(); ++x)
            image.SetColorAt(static_cast<int>(x), image.Height() - 1 - static_cast<int>(r), Quad(rows[r][x]));
    return image;
}

struct DecodeCase {
    const char* name;
    Bytes bytes;
    int format;
    int bits;
    std::vector<std::vector<uint32_t>> expected;
};

std::vector<DecodeCase> BmpCases()
{
    std::vector<DecodeCase> cases;
    const std::vector<std::vector<uint32_t>> rgb = {{R, G, B}, {W, K, Y}};
    const std::vector<uint32_t> palette16 = {K, R, G, B, W, Y, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    {
        BmpLayout s;
        s.width = 3;
        s.height = 2;
        s.bits = 1;
        s.palette = {K, W};
        s.pixels = {0x60, 0, 0, 0, 0xA0, 0, 0, 0}; // bottom row 0 1 1, top row 1 0 1
        cases.push_back({"1-bit", MakeBmp(s), 1, 1, {{W, K, W}, {K, W, W}}});
    }
    {
        BmpLayout s;
        s.width = 3;
        s.height = 2;
        s.bits = 4;
        s.palette = palette16;
        s.pixels = {0x45, 0x00, 0, 0, 0x12, 0x30, 0, 0};
        cases.push_back({"4-bit", MakeBmp(s), 1, 4, {{R, G, B}, {W, Y, K}}});
    }
    {
        BmpLayout s;
        s.width = 3;
        s.height = 2;
        s.bits = 8;
        s.palette = palette16;
        s.clrUsed = 16; // fewer entries than 256: the rest stay black
        s.pixels = {4, 0, 5, 0, 1, 2, 3, 0};
        cases.push_back({"8-bit", MakeBmp(s), 1, 8, {{R, G, B}, {W, K, Y}}});
    }
    {
        BmpLayout s;
        s.width = 3;
        s.height = 2;
        s.bits = 16; // 5-5-5 without masks
        s.pixels = {0xFF, 0x7F, 0, 0, 0xE0, 0x7F, 0, 0, 0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0, 0};
        cases.push_back({"16-bit 555", MakeBmp(s), 1, 24, {{0xF80000, 0x00F800, 0x0000F8}, {0xF8F8F8, K, 0xF8F800}}});
    }
    {
        BmpLayout s;
        s.width = 3;
        s.height = 2;
        s.bits = 16; // 5-6-5 through masks, each widened by its own shift
        s.compression = 3;
        s.masks = {0xF800, 0x07E0, 0x001F};
        s.pixels = {0xFF, 0xFF, 0, 0, 0xE0, 0xFF, 0, 0, 0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0, 0};
        cases.push_back({"16-bit 565", MakeBmp(s), 1, 24, {{0xF80000, 0x00FC00, 0x0000F8}, {0xF8FCF8, K, 0xF8FC00}}});
    }
    {
        BmpLayout s;
        s.width = 3;
        s.height = 2;
        s.bits = 24;
        Bytes p = {0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0, 0, 0, 0};
        s.pixels = p;
        cases.push_back({"24-bit", MakeBmp(s), 1, 24, rgb});
        s.fileHeader = false;
        cases.push_back({"bare DIB", MakeBmp(s), 1, 24, rgb});
        s.fileHeader = true;
        Bytes topDown = {0,    0,    0xFF, 0, 0xFF, 0, 0xFF, 0,    0,    0, 0, 0,
                         0xFF, 0xFF, 0xFF, 0, 0,    0, 0,    0xFF, 0xFF, 0, 0, 0};
        s.pixels = topDown;
        s.height = -2;
        cases.push_back({"top-down", MakeBmp(s), 1, 24, rgb});
    }
    {
        BmpLayout s;
        s.width = 3;
        s.height = 2;
        s.bits = 32; // the fourth byte is no alpha in a BMP
        s.pixels = {0xFF, 0xFF, 0xFF, 9, 0, 0, 0, 9, 0, 0xFF, 0xFF, 9, 0, 0, 0xFF, 9, 0, 0xFF, 0, 9, 0xFF, 0, 0, 9};
        cases.push_back({"32-bit", MakeBmp(s), 1, 24, rgb});
    }
    {
        BmpLayout s;
        s.width = 3;
        s.height = 2;
        s.bits = 8;
        s.coreHeader = true;
        s.palette = {K, R, G, B, W, Y};
        s.clrUsed = 6;
        // A core header names no colour count: all 256 three-byte entries are there.
        s.palette.resize(256, 0);
        s.pixels = {4, 0, 5, 0, 1, 2, 3, 0};
        cases.push_back({"core header", MakeBmp(s), 1, 8, {{R, G, B}, {W, K, Y}}});
    }
    {
        BmpLayout s; // RLE8: repeat, absolute run with pad, delta, end of bitmap
        s.width = 4;
        s.height = 3;
        s.bits = 8;
        s.compression = 1;
        s.palette = {K, R, G, B};
        s.clrUsed = 4;
        s.pixels = {4, 1, 0, 0, 0, 3, 2, 3, 1, 0, 1, 2, 0, 0, 0, 2, 2, 0, 2, 3, 0, 1};
        cases.push_back({"RLE8", MakeBmp(s), 1, 8, {{K, K, B, B}, {G, B, R, G}, {R, R, R, R}}});
    }
    {
        BmpLayout s; // RLE4: alternating nibbles, a two-byte absolute run
        s.width = 5;
        s.height = 2;
        s.bits = 4;
        s.compression = 2;
        s.palette = palette16;
        s.pixels = {5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 2, 0x55, 0, 1};
        cases.push_back({"RLE4", MakeBmp(s), 1, 4, {{B, W, Y, Y, Y}, {R, G, R, G, R}}});
    }
    return cases;
}

std::vector<DecodeCase> TgaCases()
{
    std::vector<DecodeCase> cases;
    const std::vector<std::vector<uint32_t>> rgb = {{R, G, B}, {W, K, Y}};
    Bytes bottom = {0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0xFF};
    Bytes top = {0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0};
    {
        Bytes b = MakeTgaHeader(2, 3, 2, 24);
        b.insert(b.end(), bottom.begin(), bottom.end());
        b.insert(b.end(), top.begin(), top.end());
        cases.push_back({"TGA 24", b, 2, 24, rgb});
        cases.push_back({"format 0 falls back to TGA", b, 0, 24, rgb});
    }
    {
        Bytes b = MakeTgaHeader(2, 3, 2, 24, 0x20);
        b.insert(b.end(), top.begin(), top.end());
        b.insert(b.end(), bottom.begin(), bottom.end());
        cases.push_back({"TGA 24 top-left", b, 2, 24, rgb});
    }
    {
        // Right-to-left: each row stored from its right end.
        Bytes b = MakeTgaHeader(2, 3, 2, 24, 0x10);
        Bytes rb = {0, 0xFF, 0xFF, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF};
        b.insert(b.end(), rb.begin(), rb.end());
        cases.push_back({"TGA right-to-left", b, 2, 24, rgb});
    }
    {
        // A run of four crosses the first row's end and goes on in the next; then two literal pixels.
        Bytes b = MakeTgaHeader(10, 3, 2, 24);
        Bytes p = {0x83, 0, 0, 0xFF, 0x01, 0, 0xFF, 0, 0xFF, 0, 0};
        b.insert(b.end(), p.begin(), p.end());
        cases.push_back({"TGA RLE across rows", b, 2, 24, {{R, G, B}, {R, R, R}}});
    }
    {
        Bytes b = MakeTgaHeader(1, 3, 1, 8, 0, 1, 3, 24);
        Bytes p = {0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0, 2, 1, 0};
        b.insert(b.end(), p.begin(), p.end());
        cases.push_back({"TGA colour-mapped", b, 2, 8, {{B, G, R}}});
    }
    {
        Bytes b = MakeTgaHeader(3, 3, 1, 8);
        Bytes p = {0, 128, 255};
        b.insert(b.end(), p.begin(), p.end());
        cases.push_back({"TGA grey", b, 2, 8, {{K, 0x808080, W}}});
    }
    {
        Bytes b = MakeTgaHeader(2, 3, 1, 16);
        Bytes p = {0x00, 0x7C, 0xE0, 0x83, 0x1F, 0x00};
        b.insert(b.end(), p.begin(), p.end());
        cases.push_back({"TGA 16", b, 2, 24, {{0xF80000, 0x00F800, 0x0000F8}}});
    }
    {
        // A true-colour picture may carry a colour map; it is read by its entry size and not stored.
        Bytes b = MakeTgaHeader(2, 3, 2, 24, 0, 1, 256, 32);
        b.resize(b.size() + 256 * 4, 0x77);
        b.insert(b.end(), bottom.begin(), bottom.end());
        b.insert(b.end(), top.begin(), top.end());
        cases.push_back({"TGA 24 with colour map", b, 2, 24, rgb});
    }
    return cases;
}

} // namespace

TEST(SkinImageDecode, EveryBmpAndTgaFlavour)
{
    std::vector<DecodeCase> cases = BmpCases();
    for (auto& c : TgaCases())
        cases.push_back(c);
    for (const auto& c : cases) {
        SkinImage image;
        ASSERT_TRUE(image.Decode(c.bytes.data(), c.bytes.size(), c.format)) << c.name;
        EXPECT_EQ(image.Bits(), c.bits) << c.name;
        ExpectColors(image, c.expected, c.name);
    }
}

TEST(SkinImageDecode, Tga32KeepsAlphaInBothOrientations)
{
    Bytes bottomUp = MakeTgaHeader(2, 2, 2, 32);
    Bytes topDown = MakeTgaHeader(2, 2, 2, 32, 0x20);
    Bytes low = {0, 0, 0xFF, 10, 0, 0xFF, 0, 20}, high = {0xFF, 0, 0, 30, 0xFF, 0xFF, 0xFF, 40};
    bottomUp.insert(bottomUp.end(), low.begin(), low.end());
    bottomUp.insert(bottomUp.end(), high.begin(), high.end());
    topDown.insert(topDown.end(), high.begin(), high.end());
    topDown.insert(topDown.end(), low.begin(), low.end());
    for (const Bytes* b : {&bottomUp, &topDown}) {
        SkinImage image;
        ASSERT_TRUE(image.Decode(b->data(), b->size(), SkinImage::FormatTga));
        ASSERT_TRUE(image.HasAlpha());
        EXPECT_EQ(image.Bits(), 24);
        EXPECT_EQ(Rgb(image.ColorAt(0, 0)), R);
        EXPECT_EQ(image.AlphaAt(0, 0), 10);
        EXPECT_EQ(image.AlphaAt(1, 0), 20);
        EXPECT_EQ(image.AlphaAt(0, 1), 30);
        EXPECT_EQ(image.AlphaAt(1, 1), 40);
        EXPECT_EQ(image.ColorAt(1, 1).rgbReserved, 40);
    }
}

TEST(SkinImageDecode, DamagedPicturesAreRefusedAndTheOldContentStays)
{
    BmpLayout good;
    good.width = 2;
    good.height = 2;
    good.bits = 24;
    good.pixels.assign(16, 0x40);
    std::vector<std::pair<const char*, Bytes>> bad;
    auto bmp = [&](const char* name, void (*change)(BmpLayout&)) {
        BmpLayout s = good;
        change(s);
        bad.push_back({name, MakeBmp(s)});
    };
    bmp("huge width", [](BmpLayout& s) { s.width = 0x7FFFFFFF; });
    bmp("most negative height", [](BmpLayout& s) { s.height = INT_MIN; });
    bmp("zero width", [](BmpLayout& s) { s.width = 0; });
    bmp("pixels cut short", [](BmpLayout& s) { s.pixels.resize(10); });
    bmp("two bits", [](BmpLayout& s) { s.bits = 2; });
    bmp("64 bits", [](BmpLayout& s) { s.bits = 64; });
    bmp("RLE8 on 24 bits", [](BmpLayout& s) { s.compression = 1; });
    bmp("palette count overflow", [](BmpLayout& s) {
        s.bits = 8;
        s.clrUsed = 0xFFFFFFFF;
        s.fileHeader = false;
    });
    bmp("32 bits cut short", [](BmpLayout& s) {
        s.bits = 32;
        s.pixels.resize(12);
    });
    bmp("masks missing", [](BmpLayout& s) {
        s.bits = 16;
        s.compression = 3;
        s.pixels.clear();
    });
    {
        Bytes b = MakeBmp(good);
        b[10] = 0xF0; // pixel offset beyond the end
        b[11] = 0xFF;
        bad.push_back({"pixel offset beyond end", b});
        Bytes odd = MakeBmp(good);
        odd[14] = 200; // unknown header size that does not describe a plain picture
        bad.push_back({"odd header size", odd});
    }
    bad.push_back({"empty", Bytes()});
    bad.push_back({"just BM", Bytes{'B', 'M'}});
    {
        Bytes b = MakeTgaHeader(2, 0xFFFF, 0xFFFF, 24);
        b.resize(b.size() + 1000);
        bad.push_back({"TGA beyond the size cap", b});
        bad.push_back({"TGA map too long", MakeTgaHeader(1, 2, 2, 8, 0, 1, 300, 24)});
        bad.push_back({"TGA colour-mapped 16 bits", MakeTgaHeader(1, 2, 2, 16, 0, 1, 2, 24)});
        bad.push_back({"TGA bad map entry size", MakeTgaHeader(1, 2, 2, 8, 0, 1, 2, 7)});
        bad.push_back({"TGA depth 12", MakeTgaHeader(2, 2, 2, 12)});
        bad.push_back({"TGA type 5", MakeTgaHeader(5, 2, 2, 24)});
        Bytes rle = MakeTgaHeader(10, 4, 4, 24);
        rle.push_back(0x81);
        rle.push_back(1);
        bad.push_back({"TGA RLE cut short", rle});
        Bytes raw = MakeTgaHeader(2, 4, 4, 24);
        raw.resize(raw.size() + 40);
        bad.push_back({"TGA raw cut short", raw});
    }
    SkinImage image;
    const Bytes valid = MakeBmp(good);
    ASSERT_TRUE(image.Decode(valid.data(), valid.size(), SkinImage::FormatBmp));
    for (const auto& b : bad) {
        EXPECT_FALSE(image.Decode(b.second.data(), b.second.size(), SkinImage::FormatNone)) << b.first;
        EXPECT_EQ(image.Width(), 2) << b.first;
        EXPECT_EQ(Rgb(image.ColorAt(1, 1)), 0x404040u) << b.first;
    }
    EXPECT_FALSE(image.Decode(valid.data(), valid.size(), 7));
}

TEST(SkinImageDecode, RunLengthWritesOutsideThePictureAreDropped)
{
    BmpLayout s;
    s.width = 2;
    s.height = 2;
    s.bits = 8;
    s.compression = 1;
    s.palette = {K, R};
    s.clrUsed = 2;
    // A long run, a delta far beyond the picture and an absolute run that never ends.
    s.pixels = {255, 1, 0, 2, 200, 200, 5, 1, 0, 200, 1, 1};
    Bytes b = MakeBmp(s);
    SkinImage image;
    ASSERT_TRUE(image.Decode(b.data(), b.size(), SkinImage::FormatBmp));
    ExpectColors(image, {{K, K}, {R, R}}, "clipped run");
}

TEST(SkinImageEncode, RoundTripsAndRefusals)
{
    SkinImage rgb = Make24({{R, G, B}, {W, K, Y}});
    rgb.SetDpi(120, 72);
    for (int format : {SkinImage::FormatBmp, SkinImage::FormatTga}) {
        BYTE* data = nullptr;
        DWORD size = 0;
        ASSERT_TRUE(rgb.Encode(format, &data, &size));
        SkinImage back;
        ASSERT_TRUE(back.Decode(data, size, format));
        std::free(data);
        ExpectColors(back, {{R, G, B}, {W, K, Y}}, format == 1 ? "BMP" : "TGA");
        EXPECT_EQ(back.FormatCode(), format);
        if (format == SkinImage::FormatBmp) {
            EXPECT_EQ(back.DpiX(), 120);
            EXPECT_EQ(back.DpiY(), 72);
        }
    }

    // Alpha makes a 32-bit TGA, scaled by the alpha maximum.
    ASSERT_TRUE(rgb.CreateAlphaPlane());
    rgb.SetAlphaAt(0, 0, 200);
    rgb.SetAlphaMax(128);
    BYTE* data = nullptr;
    DWORD size = 0;
    ASSERT_TRUE(rgb.Encode(SkinImage::FormatTga, &data, &size));
    EXPECT_EQ(data[16], 32);
    SkinImage back;
    ASSERT_TRUE(back.Decode(data, size, SkinImage::FormatTga));
    std::free(data);
    EXPECT_EQ(back.AlphaAt(0, 0), 200 * 128 / 255);

    SkinImage paletted;
    paletted.Create(2, 1, 8, SkinImage::FormatTga);
    paletted.SetPaletteEntry(7, Quad(0x123456));
    paletted.SetIndexAt(0, 0, 7);
    paletted.SetIndexAt(1, 0, 0);
    ASSERT_TRUE(paletted.Encode(SkinImage::FormatTga, &data, &size));
    ASSERT_TRUE(back.Decode(data, size, SkinImage::FormatTga));
    std::free(data);
    EXPECT_EQ(back.Bits(), 8);
    EXPECT_EQ(Rgb(back.ColorAt(0, 0)), 0x123456u);

    SkinImage four;
    four.Create(2, 2, 4, 0);
    EXPECT_FALSE(four.Encode(SkinImage::FormatTga, &data, &size));
    EXPECT_EQ(data, nullptr);
    EXPECT_TRUE(four.Encode(SkinImage::FormatBmp, &data, &size));
    std::free(data);
    SkinImage empty;
    EXPECT_FALSE(empty.Encode(SkinImage::FormatBmp, &data, &size));
}

TEST(SkinImageTransform, CropRotateFlip)
{
    const std::vector<std::vector<uint32_t>> rows = {{R, G, B, W}, {K, Y, R, G}, {B, W, K, Y}};
    SkinImage source = Make24(rows);

    SkinImage cut;
    ASSERT_TRUE(source.Crop(1, 0, 3, 2, &cut));
    ExpectColors(cut, {{G, B}, {Y, R}}, "crop");
    SkinImage swapped;
    ASSERT_TRUE(source.Crop(3, 2, 1, 0, &swapped));
    ExpectColors(swapped, {{G, B}, {Y, R}}, "crop reversed");
    ASSERT_TRUE(source.Crop(-5, 1, 99, 99, &cut)); // clamped to the picture
    ExpectColors(cut, {{K, Y, R, G}, {B, W, K, Y}}, "crop clamped");
    EXPECT_FALSE(source.Crop(2, 0, 2, 3, &cut));

    SkinImage turned;
    ASSERT_TRUE(source.Rotate180(&turned));
    ExpectColors(turned, {{Y, K, W, B}, {G, R, Y, K}, {W, B, G, R}}, "rotate 180");

    // A quarter turn spans the rotated corners plus two: storage (x, y) lands at (1 + y, 3 - x).
    ASSERT_TRUE(source.Rotate(90, &turned));
    ASSERT_EQ(turned.Width(), 3 + 2);
    ASSERT_EQ(turned.Height(), 4 + 2);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(Rgb(turned.ColorAt(1 + y, 3 - x)), Rgb(source.ColorAt(x, y))) << x << "," << y;

    SkinImage flipped(source);
    ASSERT_TRUE(flipped.FlipHorizontal());
    ExpectColors(flipped, {{W, B, G, R}, {G, R, Y, K}, {Y, K, W, B}}, "flip horizontal");
    ASSERT_TRUE(flipped.FlipVertical());
    ExpectColors(flipped, {{Y, K, W, B}, {G, R, Y, K}, {W, B, G, R}}, "flip both");

    SkinImage four;
    four.Create(3, 1, 4, 0);
    four.SetPaletteEntry(1, Quad(R));
    four.SetPaletteEntry(2, Quad(G));
    four.SetIndexAt(0, 0, 1);
    four.SetIndexAt(2, 0, 2);
    ASSERT_TRUE(four.Crop(1, 0, 3, 1, &cut));
    ExpectColors(cut, {{K, G}}, "4-bit crop");
}

// The region of a keyed picture holds exactly its pixels of other colours: runs at the edges and in the
// middle, rows repeating the one above (grown as a band), and a palette picture judged by its entries.
TEST(ImageRegion, HoldsExactlyTheUnkeyedPixels)
{
    const uint32_t M = 0xFF00FF; // the key
    const std::vector<std::vector<uint32_t>> rows = {
        {M, R, R, M, G, M}, {M, R, R, M, G, M}, {M, R, R, M, G, M}, {R, M, M, M, M, B},
        {M, M, M, M, M, M}, {W, W, W, W, W, W}, {W, W, W, W, W, W}, {M, K, M, K, M, K},
    };
    SkinImage deep = Make24(rows);
    SkinImage palette;
    palette.Create(6, 8, 8, SkinImage::FormatBmp);
    palette.SetPaletteEntry(0, Quad(M));
    palette.SetPaletteEntry(1, Quad(R));
    for (size_t r = 0; r < rows.size(); ++r)
        for (int x = 0; x < 6; ++x)
            palette.SetIndexAt(x, palette.Height() - 1 - static_cast<int>(r), rows[r][x] == M ? 0 : 1);
    for (const SkinImage* image : {&deep, &palette}) {
        HRGN region = RegionFromImage(*image, RGB(255, 0, 255));
        ASSERT_NE(region, nullptr);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 6; ++x)
                EXPECT_EQ(PtInRegion(region, x, y) != 0, rows[y][x] != M)
                    << image->Bits() << "-bit picture at " << x << "," << y;
        DeleteObject(region);
    }
}

TEST(SkinImageDraw, PlainStretchedKeyedAndBlended)
{
    SkinImage image = Make24({{R, G, B}, {W, K, Y}});
    {
        Canvas canvas(8, 6, 0x336699);
        EXPECT_EQ(image.Draw(canvas.Dc(), 1, 1), 1);
        EXPECT_EQ(canvas.Pixel(1, 1), R);
        EXPECT_EQ(canvas.Pixel(3, 1), B);
        EXPECT_EQ(canvas.Pixel(3, 2), Y);
        EXPECT_EQ(canvas.Pixel(0, 0), 0x336699u);
        EXPECT_EQ(canvas.Pixel(4, 1), 0x336699u);
    }
    {
        Canvas canvas(8, 6, 0x336699);
        EXPECT_EQ(image.Draw(canvas.Dc(), 0, 0, 6, 4), 1);
        const uint32_t expected[4][6] = {
            {R, R, G, G, B, B}, {R, R, G, G, B, B}, {W, W, K, K, Y, Y}, {W, W, K, K, Y, Y}};
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x)
                EXPECT_EQ(canvas.Pixel(x, y), expected[y][x]) << x << "," << y;
        EXPECT_EQ(canvas.Pixel(6, 0), 0x336699u);
    }
    {
        SkinImage keyed(image);
        keyed.SetTransparentIndex(0);
        keyed.SetTransparentColor(Quad(G));
        Canvas canvas(4, 2, 0x336699);
        keyed.Draw(canvas.Dc(), 0, 0);
        EXPECT_EQ(canvas.Pixel(0, 0), R);
        EXPECT_EQ(canvas.Pixel(1, 0), 0x336699u);
        Canvas masked(8, 4, 0x336699);
        EXPECT_EQ(keyed.DrawMasked(masked.Dc(), 0, 0, 6, 4), 1);
        EXPECT_EQ(masked.Pixel(1, 1), R);
        EXPECT_EQ(masked.Pixel(2, 0), 0x336699u);
        EXPECT_EQ(masked.Pixel(3, 1), 0x336699u);
        EXPECT_EQ(masked.Pixel(5, 3), Y);
    }
    {
        SkinImage white = Make24({{W, W}, {W, W}});
        ASSERT_TRUE(white.CreateAlphaPlane());
        for (int i = 0; i < 4; ++i)
            white.SetAlphaAt(i % 2, i / 2, 128);
        white.SetAlphaAt(0, 1, 0);
        Canvas canvas(2, 2, 0x000000);
        white.Draw(canvas.Dc(), 0, 0);
        EXPECT_EQ(canvas.Pixel(0, 0), 0x000000u); // alpha 0 leaves the destination
        EXPECT_EQ(canvas.Pixel(1, 0), 0x7F7F7Fu); // 255 * 128 >> 8
        white.SetAlphaMax(0);
        Canvas untouched(2, 2, 0x000000);
        white.Draw(untouched.Dc(), 0, 0);
        EXPECT_EQ(untouched.Pixel(1, 1), 0u);
        white.SetEnabled(false);
        EXPECT_EQ(white.Draw(untouched.Dc(), 0, 0), 0);
    }
}

TEST(SkinImageDraw, ClipRegionComesBackExactly)
{
    SkinImage image = Make24({{R, R, R, R}, {R, R, R, R}, {R, R, R, R}, {R, R, R, R}});
    Canvas canvas(10, 10, 0);
    HRGN original = CreateRectRgn(0, 0, 3, 3);
    HRGN second = CreateRectRgn(5, 5, 9, 9);
    CombineRgn(original, original, second, RGN_OR);
    SelectClipRgn(canvas.Dc(), original);

    RECT clip = {1, 1, 6, 6};
    image.Draw(canvas.Dc(), 0, 0, 8, 8, &clip);
    EXPECT_EQ(canvas.Pixel(2, 2), R);
    EXPECT_EQ(canvas.Pixel(0, 0), 0u); // outside the clip rectangle
    EXPECT_EQ(canvas.Pixel(4, 4), 0u); // outside the old region
    EXPECT_EQ(canvas.Pixel(7, 7), 0u); // in the old region, outside the rectangle

    HRGN after = CreateRectRgn(0, 0, 0, 0);
    ASSERT_EQ(GetClipRgn(canvas.Dc(), after), 1);
    EXPECT_TRUE(EqualRgn(after, original));

    SelectClipRgn(canvas.Dc(), NULL);
    image.Draw(canvas.Dc(), 0, 0, 8, 8, &clip);
    EXPECT_EQ(GetClipRgn(canvas.Dc(), after), 0); // no region before, none after
    DeleteObject(after);
    DeleteObject(second);
    DeleteObject(original);
}

TEST(SkinImageDraw, TileCutsTheLastRowAndColumn)
{
    SkinImage image = Make24({{R, G}, {B, W}});
    Canvas canvas(8, 8, 0x336699);
    RECT dest = {1, 1, 6, 4};
    EXPECT_EQ(image.Tile(canvas.Dc(), dest), 1);
    EXPECT_EQ(canvas.Pixel(1, 1), R);
    EXPECT_EQ(canvas.Pixel(3, 1), R);
    EXPECT_EQ(canvas.Pixel(5, 1), R);
    EXPECT_EQ(canvas.Pixel(4, 2), W);
    EXPECT_EQ(canvas.Pixel(5, 3), R);
    EXPECT_EQ(canvas.Pixel(6, 1), 0x336699u);
    EXPECT_EQ(canvas.Pixel(1, 4), 0x336699u);
}

TEST(SkinImageBitmap, MakeBitmapAndBack)
{
    SkinImage image = Make24({{R, G, B}, {W, K, Y}});
    HBITMAP section = image.MakeBitmap();
    ASSERT_NE(section, nullptr);
    SkinImage back;
    ASSERT_TRUE(back.CreateFromBitmap(section));
    DeleteObject(section);
    ExpectColors(back, {{R, G, B}, {W, K, Y}}, "section");
}
