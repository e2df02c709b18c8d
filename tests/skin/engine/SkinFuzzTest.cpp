// Fuzz-style tests: thousands of seeded random mutations of a valid packed skin and of valid pictures must
// load or fail cleanly. The number of cases is fixed, so the run time is bounded.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "tests/skin/engine/ImageFixtures.h"
#include "tests/skin/engine/SkinFixtures.h"
#include "skin/engine/images/SkinImage.h"

namespace {

void Mutate(std::vector<uint8_t>& bytes, std::mt19937& rng, size_t hotEnd)
{
    if (bytes.empty())
        return;
    auto offset = [&]() {
        size_t end = (rng() % 2 && hotEnd) ? std::min(hotEnd, bytes.size()) : bytes.size();
        return static_cast<size_t>(rng() % end);
    };
    switch (rng() % 5) {
    case 0: // a few bytes flipped
        for (int i = 1 + rng() % 8; i > 0; --i)
            bytes[offset()] ^= static_cast<uint8_t>(1 + rng() % 255);
        break;
    case 1: { // a count or size replaced by an extreme value
        static const uint32_t extremes[] = {0, 1, 0xFF, 0xFFFF, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 1000000};
        size_t at = offset() & ~size_t(3);
        if (at + 4 <= bytes.size())
            std::memcpy(&bytes[at], &extremes[rng() % 8], 4);
        break;
    }
    case 2: // cut short
        bytes.resize(offset());
        break;
    case 3: { // a stretch repeated
        size_t at = offset(), length = std::min<size_t>(1 + rng() % 64, bytes.size() - at);
        std::vector<uint8_t> chunk(bytes.begin() + at, bytes.begin() + at + length);
        bytes.insert(bytes.begin() + offset(), chunk.begin(), chunk.end());
        break;
    }
    default: // a stretch removed
        size_t at = offset(), length = std::min<size_t>(1 + rng() % 64, bytes.size() - at);
        bytes.erase(bytes.begin() + at, bytes.begin() + at + length);
        break;
    }
}

std::vector<uint8_t> Unpacked(const std::vector<uint8_t>& packedBytes)
{
    MemoryStream packed(packedBytes.data(), static_cast<DWORD>(packedBytes.size()));
    MemoryStream raw(10240);
    EXPECT_TRUE(UnpackSkin(packed, raw));
    return std::vector<uint8_t>(raw.Data(), raw.Data() + raw.Size());
}

// A picture that decoded is used the way the toolkit uses pictures.
void Exercise(SkinImage& image)
{
    Canvas canvas(24, 24, 0x336699);
    image.Draw(canvas.Dc(), 0, 0, 20, 20);
    image.DrawMasked(canvas.Dc(), 2, 2, 10, 10);
    SkinImage piece;
    image.Crop(0, 0, 3, 3, &piece);
    BYTE* data = nullptr;
    DWORD size = 0;
    if (image.Encode(SkinImage::FormatBmp, &data, &size))
        std::free(data);
}

} // namespace

TEST(SkinFuzz, MutatedSkinsLoadOrFailCleanly)
{
    const std::vector<uint8_t> packedSkin = DefaultSkinBytes();
    ASSERT_FALSE(packedSkin.empty());
    const std::vector<uint8_t> raw = Unpacked(packedSkin);
    // Objects stand before the pictures: half of the mutations go there.
    size_t objectsEnd = 0;
    {
        SkinStore store;
        MemoryStream packed(packedSkin.data(), static_cast<DWORD>(packedSkin.size()));
        ASSERT_TRUE(store.Load(packed));
        MemoryStream objectsOnly(10240);
        SkinFileHeader header = store.Header();
        objectsOnly.Write(&header, sizeof header);
        for (const auto& entry : store.Objects())
            entry.second->Save(objectsOnly);
        objectsEnd = objectsOnly.Size();
    }

    std::mt19937 rng(20261210);
    int loaded = 0, refused = 0;
    for (int i = 0; i < 2000; ++i) {
        std::vector<uint8_t> bytes = raw;
        for (int m = 1 + rng() % 3; m > 0; --m)
            Mutate(bytes, rng, objectsEnd);
        SkinStore store;
        std::unique_ptr<MemoryStream> packed(PackedStream(bytes));
        if (store.Load(*packed)) {
            ++loaded;
            store.FindObjectByType(SkinTypeFrameWnd);
            store.FindImage("FRAME.BMP");
        } else {
            ++refused;
            EXPECT_TRUE(store.Objects().empty());
        }
    }
    for (int i = 0; i < 500; ++i) {
        std::vector<uint8_t> bytes = packedSkin;
        Mutate(bytes, rng, 0);
        SkinStore store;
        MemoryStream packed(bytes.data(), static_cast<DWORD>(bytes.size()));
        store.Load(packed) ? ++loaded : ++refused;
    }
    EXPECT_GT(loaded, 0);
    EXPECT_GT(refused, 0);
    std::printf("mutated skins: %d loaded, %d refused\n", loaded, refused);
}

TEST(SkinFuzz, MutatedPicturesDecodeOrFailCleanly)
{
    std::vector<Bytes> seeds;
    {
        BmpLayout s;
        s.width = 7;
        s.height = 5;
        s.bits = 24;
        s.pixels.assign(((7 * 3 + 3) & ~3) * 5, 0x5A);
        seeds.push_back(MakeBmp(s));
        s.height = -5;
        seeds.push_back(MakeBmp(s));
        s.height = 5;
        s.bits = 8;
        s.palette.assign(256, 0x123456);
        s.pixels.assign(8 * 5, 3);
        seeds.push_back(MakeBmp(s));
        s.compression = 1;
        s.pixels = {4, 1, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 1, 1, 3, 2, 0, 1};
        seeds.push_back(MakeBmp(s));
        s.bits = 4;
        s.compression = 2;
        s.palette.assign(16, 0x654321);
        s.pixels = {5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 2, 0x55, 0, 1};
        seeds.push_back(MakeBmp(s));
        s.bits = 16;
        s.compression = 3;
        s.palette.clear();
        s.masks = {0xF800, 0x07E0, 0x001F};
        s.pixels.assign(16 * 5, 0x77);
        seeds.push_back(MakeBmp(s));
        s.coreHeader = true;
        s.masks.clear();
        s.compression = 0;
        s.bits = 1;
        s.palette = {0, 0xFFFFFF};
        s.pixels.assign(4 * 5, 0xAA);
        seeds.push_back(MakeBmp(s));
    }
    {
        Bytes tga = MakeTgaHeader(10, 6, 4, 32, 0x20);
        for (int i = 0; i < 6; ++i) {
            tga.push_back(0x83);
            Bytes px = {1, 2, 3, 200};
            tga.insert(tga.end(), px.begin(), px.end());
        }
        seeds.push_back(tga);
        Bytes mapped = MakeTgaHeader(9, 5, 3, 8, 0x10, 1, 4, 24);
        for (int i = 0; i < 12; ++i)
            mapped.push_back(static_cast<uint8_t>(i * 20));
        for (int i = 0; i < 5; ++i) {
            mapped.push_back(0x82);
            mapped.push_back(static_cast<uint8_t>(i % 4));
        }
        seeds.push_back(mapped);
        Bytes raw24 = MakeTgaHeader(2, 4, 4, 24);
        raw24.resize(raw24.size() + 48, 0x31);
        seeds.push_back(raw24);
    }
    std::mt19937 rng(8675309);
    int decoded = 0, refused = 0;
    for (int i = 0; i < 4000; ++i) {
        const Bytes& seed = seeds[i % seeds.size()];
        ASSERT_TRUE(SkinImage().Decode(seed.data(), seed.size(), SkinImage::FormatNone)) << "seed " << i % seeds.size();
        Bytes bytes = seed;
        for (int m = 1 + rng() % 3; m > 0; --m)
            Mutate(bytes, rng, 40);
        SkinImage image;
        if (image.Decode(bytes.data(), bytes.size(), static_cast<int>(rng() % 3))) {
            ++decoded;
            Exercise(image);
        } else {
            ++refused;
            EXPECT_FALSE(image.IsValid());
        }
    }
    EXPECT_GT(decoded, 0);
    EXPECT_GT(refused, 0);
    std::printf("mutated pictures: %d decoded, %d refused\n", decoded, refused);
}
