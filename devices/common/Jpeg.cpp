#include "devices/common/Jpeg.h"

#include <cmath>
#include <cstring>

namespace dev {
namespace {

const double kPi = 3.14159265358979323846;

const uint8_t kZigzag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
                             41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
                             30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

const uint8_t kLumQuant[64] = {16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
                               14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
                               18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
                               49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};

const uint8_t kChromQuant[64] = {17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99, 24, 26, 56, 99, 99, 99,
                                 99, 99, 47, 66, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
                                 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};

const uint8_t kDcLumBits[16] = {0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0};
const uint8_t kDcChromBits[16] = {0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0};
const uint8_t kDcVals[12] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
const uint8_t kAcLumBits[16] = {0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7d};
const uint8_t kAcLumVals[162] = {
    0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61, 0x07, 0x22, 0x71,
    0x14, 0x32, 0x81, 0x91, 0xa1, 0x08, 0x23, 0x42, 0xb1, 0xc1, 0x15, 0x52, 0xd1, 0xf0, 0x24, 0x33, 0x62, 0x72,
    0x82, 0x09, 0x0a, 0x16, 0x17, 0x18, 0x19, 0x1a, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2a, 0x34, 0x35, 0x36, 0x37,
    0x38, 0x39, 0x3a, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4a, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59,
    0x5a, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a, 0x83,
    0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9a, 0xa2, 0xa3,
    0xa4, 0xa5, 0xa6, 0xa7, 0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6, 0xb7, 0xb8, 0xb9, 0xba, 0xc2, 0xc3,
    0xc4, 0xc5, 0xc6, 0xc7, 0xc8, 0xc9, 0xca, 0xd2, 0xd3, 0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda, 0xe1, 0xe2,
    0xe3, 0xe4, 0xe5, 0xe6, 0xe7, 0xe8, 0xe9, 0xea, 0xf1, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa};
const uint8_t kAcChromBits[16] = {0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77};
const uint8_t kAcChromVals[162] = {
    0x00, 0x01, 0x02, 0x03, 0x11, 0x04, 0x05, 0x21, 0x31, 0x06, 0x12, 0x41, 0x51, 0x07, 0x61, 0x71, 0x13, 0x22,
    0x32, 0x81, 0x08, 0x14, 0x42, 0x91, 0xa1, 0xb1, 0xc1, 0x09, 0x23, 0x33, 0x52, 0xf0, 0x15, 0x62, 0x72, 0xd1,
    0x0a, 0x16, 0x24, 0x34, 0xe1, 0x25, 0xf1, 0x17, 0x18, 0x19, 0x1a, 0x26, 0x27, 0x28, 0x29, 0x2a, 0x35, 0x36,
    0x37, 0x38, 0x39, 0x3a, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4a, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58,
    0x59, 0x5a, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a,
    0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9a,
    0xa2, 0xa3, 0xa4, 0xa5, 0xa6, 0xa7, 0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6, 0xb7, 0xb8, 0xb9, 0xba,
    0xc2, 0xc3, 0xc4, 0xc5, 0xc6, 0xc7, 0xc8, 0xc9, 0xca, 0xd2, 0xd3, 0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda,
    0xe2, 0xe3, 0xe4, 0xe5, 0xe6, 0xe7, 0xe8, 0xe9, 0xea, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa};

struct HuffTable {
    uint16_t code[256];
    uint8_t size[256];
};

void BuildHuffman(const uint8_t bits[16], const uint8_t* vals, HuffTable& t)
{
    std::memset(&t, 0, sizeof t);
    uint16_t code = 0;
    int k = 0;
    for (int len = 1; len <= 16; ++len) {
        for (int i = 0; i < bits[len - 1]; ++i) {
            t.code[vals[k]] = code++;
            t.size[vals[k]] = uint8_t(len);
            ++k;
        }
        code <<= 1;
    }
}

struct Tables {
    HuffTable dcLum, acLum, dcChrom, acChrom;
    float cosine[8][8]; // cosine[u][x] = C(u)/2 * cos((2x+1)u pi/16)
    Tables()
    {
        BuildHuffman(kDcLumBits, kDcVals, dcLum);
        BuildHuffman(kAcLumBits, kAcLumVals, acLum);
        BuildHuffman(kDcChromBits, kDcVals, dcChrom);
        BuildHuffman(kAcChromBits, kAcChromVals, acChrom);
        for (int u = 0; u < 8; ++u)
            for (int x = 0; x < 8; ++x)
                cosine[u][x] = float((u == 0 ? std::sqrt(0.5) : 1.0) / 2.0 * std::cos((2 * x + 1) * u * kPi / 16));
    }
};

const Tables& GetTables()
{
    static const Tables tables;
    return tables;
}

class BitWriter {
public:
    explicit BitWriter(std::vector<uint8_t>& out) : out_(out) {}
    void Put(uint32_t bits, int count)
    {
        acc_ = (acc_ << count) | (bits & ((1u << count) - 1));
        n_ += count;
        while (n_ >= 8) {
            uint8_t b = uint8_t(acc_ >> (n_ - 8));
            out_.push_back(b);
            if (b == 0xFF)
                out_.push_back(0); // byte stuffing
            n_ -= 8;
        }
    }
    void Flush()
    {
        if (n_ > 0)
            Put(0x7F, 8 - n_); // pad with 1-bits
    }

private:
    std::vector<uint8_t>& out_;
    uint32_t acc_ = 0;
    int n_ = 0;
};

void ScaleQuant(const uint8_t base[64], int quality, uint8_t out[64])
{
    int scale = quality < 50 ? 5000 / quality : 200 - quality * 2;
    for (int i = 0; i < 64; ++i) {
        int q = (base[i] * scale + 50) / 100;
        out[i] = uint8_t(q < 1 ? 1 : q > 255 ? 255 : q);
    }
}

int Category(int v)
{
    v = v < 0 ? -v : v;
    int n = 0;
    while (v) {
        ++n;
        v >>= 1;
    }
    return n;
}

void EncodeBlock(const float block[64], const uint8_t quant[64], int& prevDc, const HuffTable& dc, const HuffTable& ac,
                 BitWriter& bw)
{
    const Tables& t = GetTables();
    float tmp[64], coef[64];
    for (int y = 0; y < 8; ++y)
        for (int u = 0; u < 8; ++u) {
            float s = 0;
            for (int x = 0; x < 8; ++x)
                s += block[y * 8 + x] * t.cosine[u][x];
            tmp[y * 8 + u] = s;
        }
    for (int u = 0; u < 8; ++u)
        for (int v = 0; v < 8; ++v) {
            float s = 0;
            for (int y = 0; y < 8; ++y)
                s += tmp[y * 8 + u] * t.cosine[v][y];
            coef[v * 8 + u] = s;
        }
    int q[64];
    for (int i = 0; i < 64; ++i) {
        int pos = kZigzag[i];
        q[i] = int(std::lround(coef[pos] / quant[i]));
    }
    int diff = q[0] - prevDc;
    prevDc = q[0];
    int cat = Category(diff);
    bw.Put(dc.code[cat], dc.size[cat]);
    if (cat)
        bw.Put(uint32_t(diff < 0 ? diff - 1 : diff), cat);
    int run = 0;
    for (int i = 1; i < 64; ++i) {
        if (q[i] == 0) {
            ++run;
            continue;
        }
        while (run > 15) {
            bw.Put(ac.code[0xF0], ac.size[0xF0]);
            run -= 16;
        }
        int c = Category(q[i]);
        int sym = (run << 4) | c;
        bw.Put(ac.code[sym], ac.size[sym]);
        bw.Put(uint32_t(q[i] < 0 ? q[i] - 1 : q[i]), c);
        run = 0;
    }
    if (run > 0)
        bw.Put(ac.code[0x00], ac.size[0x00]);
}

void Put16(std::vector<uint8_t>& out, int v)
{
    out.push_back(uint8_t(v >> 8));
    out.push_back(uint8_t(v));
}

void PutHuffmanSegment(std::vector<uint8_t>& out, int classId, const uint8_t bits[16], const uint8_t* vals)
{
    int n = 0;
    for (int i = 0; i < 16; ++i)
        n += bits[i];
    out.push_back(uint8_t(classId));
    out.insert(out.end(), bits, bits + 16);
    out.insert(out.end(), vals, vals + n);
}

} // namespace

bool EncodeJpeg(const uint8_t* rgb, int width, int height, int quality, std::vector<uint8_t>& out,
                const std::string& comment)
{
    out.clear();
    if (!rgb || width <= 0 || height <= 0 || width > 65535 || height > 65535)
        return false;
    quality = quality < 1 ? 1 : quality > 100 ? 100 : quality;
    uint8_t lumQ[64], chromQ[64];
    uint8_t lumZ[64], chromZ[64];
    for (int i = 0; i < 64; ++i) {
        lumZ[i] = kLumQuant[kZigzag[i]];
        chromZ[i] = kChromQuant[kZigzag[i]];
    }
    ScaleQuant(lumZ, quality, lumQ);
    ScaleQuant(chromZ, quality, chromQ);

    const uint8_t app0[] = {0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0};
    out.push_back(0xFF);
    out.push_back(0xD8);
    out.insert(out.end(), app0, app0 + sizeof app0);
    if (!comment.empty()) {
        size_t n = comment.size() > 60000 ? 60000 : comment.size();
        out.push_back(0xFF);
        out.push_back(0xFE);
        Put16(out, int(n + 2));
        out.insert(out.end(), comment.begin(), comment.begin() + ptrdiff_t(n));
    }
    out.push_back(0xFF);
    out.push_back(0xDB);
    Put16(out, 2 + 65 * 2);
    out.push_back(0);
    out.insert(out.end(), lumQ, lumQ + 64);
    out.push_back(1);
    out.insert(out.end(), chromQ, chromQ + 64);
    const uint8_t sof[] = {0xFF,
                           0xC0,
                           0,
                           17,
                           8,
                           uint8_t(height >> 8),
                           uint8_t(height),
                           uint8_t(width >> 8),
                           uint8_t(width),
                           3,
                           1,
                           0x22,
                           0,
                           2,
                           0x11,
                           1,
                           3,
                           0x11,
                           1};
    out.insert(out.end(), sof, sof + sizeof sof);
    std::vector<uint8_t> dht;
    PutHuffmanSegment(dht, 0x00, kDcLumBits, kDcVals);
    PutHuffmanSegment(dht, 0x10, kAcLumBits, kAcLumVals);
    PutHuffmanSegment(dht, 0x01, kDcChromBits, kDcVals);
    PutHuffmanSegment(dht, 0x11, kAcChromBits, kAcChromVals);
    out.push_back(0xFF);
    out.push_back(0xC4);
    Put16(out, int(dht.size() + 2));
    out.insert(out.end(), dht.begin(), dht.end());
    const uint8_t sos[] = {0xFF, 0xDA, 0, 12, 3, 1, 0x00, 2, 0x11, 3, 0x11, 0, 63, 0};
    out.insert(out.end(), sos, sos + sizeof sos);

    const Tables& t = GetTables();
    BitWriter bw(out);
    int dcY = 0, dcCb = 0, dcCr = 0;
    float y[4][64], cb[64], cr[64];
    for (int my = 0; my < height; my += 16) {
        for (int mx = 0; mx < width; mx += 16) {
            float sumCb[64] = {}, sumCr[64] = {};
            for (int py = 0; py < 16; ++py) {
                int sy = my + py < height ? my + py : height - 1;
                for (int px = 0; px < 16; ++px) {
                    int sx = mx + px < width ? mx + px : width - 1;
                    const uint8_t* p = rgb + (size_t(sy) * width + sx) * 3;
                    float r = p[0], g = p[1], b = p[2];
                    int block = (py / 8) * 2 + px / 8;
                    y[block][(py % 8) * 8 + px % 8] = 0.299f * r + 0.587f * g + 0.114f * b - 128.0f;
                    int c = (py / 2) * 8 + px / 2;
                    sumCb[c] += -0.168736f * r - 0.331264f * g + 0.5f * b;
                    sumCr[c] += 0.5f * r - 0.418688f * g - 0.081312f * b;
                }
            }
            for (int i = 0; i < 64; ++i) {
                cb[i] = sumCb[i] / 4;
                cr[i] = sumCr[i] / 4;
            }
            for (int b = 0; b < 4; ++b)
                EncodeBlock(y[b], lumQ, dcY, t.dcLum, t.acLum, bw);
            EncodeBlock(cb, chromQ, dcCb, t.dcChrom, t.acChrom, bw);
            EncodeBlock(cr, chromQ, dcCr, t.dcChrom, t.acChrom, bw);
        }
    }
    bw.Flush();
    out.push_back(0xFF);
    out.push_back(0xD9);
    return true;
}

} // namespace dev
