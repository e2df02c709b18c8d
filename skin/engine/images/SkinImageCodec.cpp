// SkinImage codecs: BMP and TGA reading and writing. The bytes come from skin files, so every count in
// a header is checked against the bytes that are really there before anything is allocated or copied.
#include "skin/engine/images/SkinImage.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// A read-only view of the given bytes; reading past the end returns fewer bytes.
struct ByteReader {
    const BYTE* data;
    size_t size;
    size_t pos;

    size_t Left() const { return size - pos; }
    size_t Read(void* dest, size_t count)
    {
        if (count > Left())
            count = Left();
        std::memcpy(dest, data + pos, count);
        pos += count;
        return count;
    }
    bool ReadExact(void* dest, size_t count) { return Read(dest, count) == count; }
    bool Skip(size_t count)
    {
        if (count > Left()) {
            pos = size;
            return false;
        }
        pos += count;
        return true;
    }
    int Byte() { return pos < size ? data[pos++] : -1; }
};

// Grows in whole 4096-byte blocks; the finished buffer is handed to the caller.
struct ByteWriter {
    BYTE* data = NULL;
    size_t size = 0;
    size_t capacity = 0;
    bool failed = false;

    ~ByteWriter() { std::free(data); }
    void Write(const void* source, size_t count)
    {
        if (failed)
            return;
        if (size + count > capacity) {
            size_t wanted = ((size + count) / 4096 + 1) * 4096;
            BYTE* grown = static_cast<BYTE*>(std::realloc(data, wanted));
            if (!grown) {
                failed = true;
                return;
            }
            data = grown;
            capacity = wanted;
        }
        std::memcpy(data + size, source, count);
        size += count;
    }
    void Byte(BYTE b) { Write(&b, 1); }
    void Word(WORD w) { Write(&w, 2); }
};

#pragma pack(push, 1)
struct TgaHeader {
    BYTE idLength;
    BYTE colorMapType;
    BYTE imageType;
    WORD colorMapOrigin;
    WORD colorMapLength;
    BYTE colorMapEntrySize;
    WORD xOrigin;
    WORD yOrigin;
    WORD width;
    WORD height;
    BYTE pixelDepth;
    BYTE descriptor;
};
#pragma pack(pop)
static_assert(sizeof(TgaHeader) == 18, "TGA header is 18 bytes");
static_assert(sizeof(BITMAPFILEHEADER) == 14, "BMP file header is 14 bytes");

long long RowBytes(long long width, int bits)
{
    return ((width * bits + 31) / 32) * 4;
}

int DpiFromPixelsPerMetre(long ppm)
{
    double dpi = std::floor(ppm * 0.0254 + 0.5);
    if (dpi < 0)
        return 0;
    return dpi > 100000 ? 100000 : static_cast<int>(dpi);
}

// A 16-bit channel: the mask's bits moved down by the mask's own shift and scaled to 8 bits.
struct Channel {
    DWORD mask = 0;
    int shift = 0;
    int width = 0;

    explicit Channel(DWORD m) : mask(m)
    {
        if (!mask)
            return;
        while (!(mask & (1u << shift)))
            ++shift;
        for (DWORD v = mask >> shift; v & 1; v >>= 1)
            ++width;
    }
    BYTE Expand(DWORD value) const
    {
        if (!mask)
            return 0;
        DWORD v = (value & mask) >> shift;
        return static_cast<BYTE>(width >= 8 ? v >> (width - 8) : v << (8 - width));
    }
};

// Run-length BMP data: bottom-up rows, pixels written only inside the image, the loop ends with the input.
void DecodeBmpRle(ByteReader& in, SkinImage& image, bool fourBit)
{
    const int w = image.Width(), h = image.Height();
    std::memset(image.Pixels(), 0, static_cast<size_t>(image.Stride()) * h);
    int x = 0, y = 0;
    auto put = [&](BYTE index) {
        if (x < w && y < h)
            image.SetIndexAt(x, y, index);
        ++x;
    };
    while (y < h && !image.Escape()) {
        int count = in.Byte();
        int code = in.Byte();
        if (count < 0 || code < 0)
            break;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(fourBit ? static_cast<BYTE>((i & 1) ? (code & 0x0F) : (code >> 4)) : static_cast<BYTE>(code));
            continue;
        }
        if (code == 0) {
            x = 0;
            ++y;
        } else if (code == 1) {
            break;
        } else if (code == 2) {
            int dx = in.Byte(), dy = in.Byte();
            if (dx < 0 || dy < 0)
                break;
            x += dx;
            y += dy;
        } else {
            // An absolute run; four-bit runs pack two pixels a byte, high nibble first.
            const int bytes = fourBit ? (code + 1) / 2 : code;
            int held = 0;
            for (int i = 0; i < code; ++i) {
                if (!fourBit || !(i & 1)) {
                    held = in.Byte();
                    if (held < 0)
                        return;
                }
                put(static_cast<BYTE>(!fourBit ? held : ((i & 1) ? (held & 0x0F) : (held >> 4))));
            }
            if (bytes & 1)
                in.Byte();
        }
    }
}

bool ReadInfoHeader(ByteReader& in, BITMAPINFOHEADER& info, bool& core)
{
    std::memset(&info, 0, sizeof info);
    DWORD headerSize = 0;
    if (!in.ReadExact(&headerSize, 4))
        return false;
    core = headerSize == 12;
    if (core) {
        WORD fields[4];
        if (!in.ReadExact(fields, sizeof fields))
            return false;
        info.biSize = sizeof info;
        info.biWidth = fields[0];
        info.biHeight = fields[1];
        info.biPlanes = fields[2];
        info.biBitCount = fields[3];
        return true;
    }
    if (headerSize < 40 || !in.ReadExact(reinterpret_cast<BYTE*>(&info) + 4, 36))
        return false;
    info.biSize = headerSize;
    if (headerSize == 40)
        return true;
    if (headerSize == 64)
        return in.Skip(24);
    // Other headers only for plain pictures whose declared size agrees with their dimensions.
    if (info.biSizeImage != RowBytes(info.biWidth, info.biBitCount) * std::llabs(info.biHeight) || info.biPlanes != 1 ||
        info.biCompression != BI_RGB || info.biClrUsed != 0)
        return false;
    return in.Skip(headerSize - 40);
}

bool DecodeBmp(ByteReader& in, SkinImage& image)
{
    const size_t start = in.pos;
    BITMAPFILEHEADER file;
    if (!in.ReadExact(&file, sizeof file))
        return false;
    size_t pixelOffset = 0;
    if (file.bfType == 0x4D42)
        pixelOffset = file.bfOffBits;
    else
        in.pos = start; // a bare DIB

    BITMAPINFOHEADER info;
    bool core = false;
    if (!ReadInfoHeader(in, info, core))
        return false;
    const int bits = info.biBitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    // Negative height means top-down rows; the most negative value has no positive twin.
    if (info.biWidth <= 0 || info.biHeight == 0 || info.biHeight == LONG_MIN)
        return false;
    const bool topDown = info.biHeight < 0;
    const long width = info.biWidth, height = topDown ? -info.biHeight : info.biHeight;
    const DWORD compression = info.biCompression;
    if (!image.Create(width, height, bits, SkinImage::FormatBmp) || image.Escape())
        return false;
    image.SetDpi(DpiFromPixelsPerMetre(info.biXPelsPerMeter), DpiFromPixelsPerMetre(info.biYPelsPerMeter));

    // Bit-field masks stand right after the 40-byte header, before any pixel offset is applied.
    DWORD masks[3] = {0x7C00, 0x03E0, 0x001F};
    if (bits == 16 && compression == BI_BITFIELDS && !in.ReadExact(masks, sizeof masks))
        return false;

    if (bits <= 8) {
        DWORD declared = info.biClrUsed ? info.biClrUsed : (1u << bits);
        int colors = image.ColorCount();
        int entries = declared < static_cast<DWORD>(colors) ? static_cast<int>(declared) : colors;
        const int entrySize = core ? 3 : 4;
        for (int i = 0; i < entries; ++i) {
            BYTE e[4] = {0, 0, 0, 0};
            if (!in.ReadExact(e, entrySize))
                return false;
            RGBQUAD c = {e[0], e[1], e[2], 0};
            image.SetPaletteEntry(i, c);
        }
        if (declared > static_cast<DWORD>(colors) && !pixelOffset)
            in.Skip(static_cast<size_t>(declared - colors) * entrySize);
    }
    if (image.Escape())
        return false;
    if (pixelOffset) {
        if (pixelOffset > in.size - start)
            return false;
        in.pos = start + pixelOffset;
    }

    const size_t imageBytes = static_cast<size_t>(image.Stride()) * height;
    switch (bits) {
    case 1:
    case 4:
    case 8:
        if (compression == BI_RGB) {
            if (!in.ReadExact(image.Pixels(), imageBytes))
                return false;
        } else if (compression == BI_RLE8 && bits == 8) {
            DecodeBmpRle(in, image, false);
        } else if (compression == BI_RLE4 && bits == 4) {
            DecodeBmpRle(in, image, true);
        } else {
            return false;
        }
        break;
    case 16: {
        if (compression != BI_BITFIELDS && compression != BI_RGB)
            return false;
        const size_t stride16 = static_cast<size_t>((width + 1) / 2) * 4;
        if (!in.ReadExact(image.Pixels(), stride16 * height))
            return false;
        // Widened in place: the last pixel of the last row first, so nothing unread is overwritten.
        const Channel red(masks[0]), green(masks[1]), blue(masks[2]);
        BYTE* block = image.Pixels();
        for (long y = height - 1; y >= 0; --y)
            for (long x = width - 1; x >= 0; --x) {
                const BYTE* s = block + y * stride16 + x * 2;
                DWORD v = s[0] | (s[1] << 8);
                BYTE* d = block + static_cast<size_t>(y) * image.Stride() + x * 3;
                d[0] = blue.Expand(v);
                d[1] = green.Expand(v);
                d[2] = red.Expand(v);
            }
        break;
    }
    case 24:
        if (compression != BI_RGB || !in.ReadExact(image.Pixels(), imageBytes))
            return false;
        break;
    case 32: {
        if (compression != BI_RGB && compression != BI_BITFIELDS)
            return false;
        const size_t count = static_cast<size_t>(width) * height * 4;
        if (in.Left() < count)
            return false;
        const BYTE* source = in.data + in.pos;
        for (long y = 0; y < height; ++y) {
            BYTE* d = image.Pixels() + static_cast<size_t>(y) * image.Stride();
            for (long x = 0; x < width; ++x, source += 4, d += 3) {
                d[0] = source[0];
                d[1] = source[1];
                d[2] = source[2];
            }
        }
        in.pos += count;
        break;
    }
    }
    if (image.Escape())
        return false;
    if (topDown)
        image.FlipVertical();
    return true;
}

void StoreTgaPixel(SkinImage& image, int x, int y, const BYTE* p, int depth)
{
    if (depth == 8) {
        image.SetIndexAt(x, y, p[0]);
        return;
    }
    BYTE* d = image.Pixels() + static_cast<size_t>(y) * image.Stride() + x * 3;
    if (depth == 15 || depth == 16) {
        WORD v = static_cast<WORD>(p[0] | (p[1] << 8));
        d[0] = static_cast<BYTE>((v & 0x1F) << 3);
        d[1] = static_cast<BYTE>(((v >> 5) & 0x1F) << 3);
        d[2] = static_cast<BYTE>(((v >> 10) & 0x1F) << 3);
        return;
    }
    d[0] = p[0];
    d[1] = p[1];
    d[2] = p[2];
    if (depth == 32)
        image.SetAlphaAt(x, y, p[3]);
}

bool ReadTgaColorMap(ByteReader& in, SkinImage& image, const TgaHeader& h)
{
    const int entryBytes = (h.colorMapEntrySize + 7) / 8;
    if (h.colorMapLength && entryBytes != 2 && entryBytes != 3 && entryBytes != 4)
        return false;
    const bool paletted = image.Bits() == 8;
    for (int i = 0; i < h.colorMapLength; ++i) {
        BYTE e[4] = {0, 0, 0, 0};
        if (!in.ReadExact(e, entryBytes))
            return false;
        if (!paletted)
            continue; // a true-colour picture has no palette to hold the map
        RGBQUAD c = {e[0], e[1], e[2], 0};
        if (entryBytes == 2) {
            WORD v = static_cast<WORD>(e[0] | (e[1] << 8));
            c.rgbBlue = static_cast<BYTE>((v & 0x1F) << 3);
            c.rgbGreen = static_cast<BYTE>(((v >> 5) & 0x1F) << 3);
            c.rgbRed = static_cast<BYTE>(((v >> 10) & 0x1F) << 3);
        }
        image.SetPaletteEntry(i, c);
    }
    return true;
}

bool DecodeTga(ByteReader& in, SkinImage& image)
{
    TgaHeader h;
    if (!in.ReadExact(&h, sizeof h))
        return false;
    const bool rle = h.imageType >= 9 && h.imageType <= 11;
    if (!(h.imageType >= 1 && h.imageType <= 3) && !rle)
        return false;
    const int depth = h.pixelDepth;
    if (!h.width || !h.height || !depth || h.colorMapLength > 256)
        return false;
    if (depth != 8 && depth != 15 && depth != 16 && depth != 24 && depth != 32)
        return false;
    const int kind = h.imageType & 3; // 1 colour-mapped, 2 true colour, 3 grey
    if ((kind == 1 || kind == 3) && depth != 8)
        return false;
    if (!in.Skip(h.idLength))
        return false;
    if (!image.Create(h.width, h.height, depth, SkinImage::FormatTga) || image.Escape())
        return false;
    if (depth == 32 && !image.CreateAlphaPlane())
        return false;
    if (h.colorMapType && !ReadTgaColorMap(in, image, h))
        return false;
    if (kind == 3)
        image.MakeGreyPalette();

    const int pixelBytes = depth == 15 ? 2 : depth / 8;
    const int w = h.width, rows = h.height;
    const bool topLeft = (h.descriptor & 0x20) != 0;
    int packetLeft = 0;
    bool packetIsRun = false;
    BYTE pixel[4] = {0, 0, 0, 0};
    for (int i = 0; i < rows; ++i) {
        if (image.Escape())
            return false;
        const int y = topLeft ? rows - 1 - i : i;
        for (int x = 0; x < w; ++x) {
            if (rle && packetLeft == 0) {
                int header = in.Byte();
                if (header < 0)
                    return false;
                packetIsRun = (header & 0x80) != 0;
                packetLeft = (header & 0x7F) + 1;
                if (packetIsRun && !in.ReadExact(pixel, pixelBytes))
                    return false;
            }
            if (!rle || !packetIsRun) {
                if (!in.ReadExact(pixel, pixelBytes))
                    return false;
            }
            if (rle)
                --packetLeft; // a packet that passes the row's end goes on at the start of the next
            StoreTgaPixel(image, x, y, pixel, depth);
        }
    }
    if (h.descriptor & 0x10)
        image.FlipHorizontal();
    return true;
}

} // namespace

bool SkinImage::Decode(const void* bytes, size_t size, int format)
{
    if (!bytes || (format != FormatNone && format != FormatBmp && format != FormatTga))
        return false;
    ByteReader in = {static_cast<const BYTE*>(bytes), size, 0};
    SkinImage decoded;
    decoded.escape_ = escape_;
    bool ok = false;
    if (format == FormatBmp || format == FormatNone)
        ok = DecodeBmp(in, decoded);
    if (!ok && format != FormatBmp) {
        in.pos = 0;
        decoded.Destroy();
        ok = DecodeTga(in, decoded);
    }
    if (!ok)
        return false;
    TakeOver(decoded);
    escape_ = false;
    return true;
}

bool SkinImage::Encode(int format, BYTE** buffer, DWORD* size) const
{
    if (buffer)
        *buffer = NULL;
    if (size)
        *size = 0;
    if (!block_ || !buffer || !size || (format != FormatBmp && format != FormatTga))
        return false;
    ByteWriter out;
    const DWORD paletteBytes = header_.biClrUsed * sizeof(RGBQUAD);
    if (format == FormatBmp) {
        BITMAPFILEHEADER file = {};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + paletteBytes;
        file.bfSize = file.bfOffBits + header_.biSizeImage;
        out.Write(&file, sizeof file);
        out.Write(&header_, sizeof header_);
        out.Write(Palette(), paletteBytes);
        out.Write(pixels_, header_.biSizeImage);
    } else {
        if (Bits() < 8 || Width() > 0xFFFF || Height() > 0xFFFF)
            return false;
        const bool eight = Bits() == 8;
        TgaHeader h = {};
        h.colorMapType = Palette() ? 1 : 0;
        h.imageType = eight ? 1 : 2;
        h.colorMapLength = eight ? 256 : 0;
        h.colorMapEntrySize = eight ? 24 : 0;
        h.width = static_cast<WORD>(Width());
        h.height = static_cast<WORD>(Height());
        h.pixelDepth = static_cast<BYTE>(eight ? 8 : (alpha_ ? 32 : 24));
        out.Write(&h, sizeof h);
        if (eight)
            for (int i = 0; i < 256; ++i) {
                RGBQUAD c = PaletteEntry(i);
                out.Byte(c.rgbBlue);
                out.Byte(c.rgbGreen);
                out.Byte(c.rgbRed);
            }
        for (int y = 0; y < Height(); ++y) {
            const BYTE* row = pixels_ + static_cast<size_t>(y) * stride_;
            if (eight) {
                out.Write(row, Width());
                continue;
            }
            if (!alpha_) {
                out.Write(row, static_cast<size_t>(Width()) * 3);
                continue;
            }
            for (int x = 0; x < Width(); ++x) {
                out.Write(row + x * 3, 3);
                out.Byte(static_cast<BYTE>(alpha_[static_cast<size_t>(y) * Width() + x] * alphaMax_ / 255));
            }
        }
    }
    if (out.failed)
        return false;
    *buffer = out.data;
    *size = static_cast<DWORD>(out.size);
    out.data = NULL;
    return true;
}
