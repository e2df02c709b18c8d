// MD5 of the pass phrase and RC4 over the file, computed here rather than through the platform's
// cryptographic provider, which yields the same bytes without a key container to create.
#include "station/core/datamodel/UserListCipher.h"

#include <string.h>

namespace {

// Hashed as its 24 bytes, without a terminator.
const char kPassPhrase[] = "pebblestreams BrookWater";
const UINT kBlockSize = 1000;

DWORD RotateLeft(DWORD x, int n)
{
    return (x << n) | (x >> (32 - n));
}

// MD5 (RFC 1321) of a short message held whole in memory.
void Md5Digest(const BYTE* message, size_t length, BYTE digest[16])
{
    static const DWORD K[64] = {
        0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
        0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
        0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
        0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
        0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
        0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
        0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
        0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};
    static const int S[64] = {7,  12, 17, 22, 7,  12, 17, 22, 7,  12, 17, 22, 7,  12, 17, 22, 5,  9,  14, 20, 5,  9,
                              14, 20, 5,  9,  14, 20, 5,  9,  14, 20, 4,  11, 16, 23, 4,  11, 16, 23, 4,  11, 16, 23,
                              4,  11, 16, 23, 6,  10, 15, 21, 6,  10, 15, 21, 6,  10, 15, 21, 6,  10, 15, 21};

    // The message, a 0x80 byte, zeros up to 56 mod 64, then the bit length (little-endian).
    size_t padded = (length + 8) / 64 * 64 + 64;
    BYTE* data = new BYTE[padded];
    memset(data, 0, padded);
    memcpy(data, message, length);
    data[length] = 0x80;
    unsigned long long bits = (unsigned long long)length * 8;
    for (int i = 0; i < 8; ++i)
        data[padded - 8 + i] = (BYTE)(bits >> (8 * i));

    DWORD h[4] = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
    for (size_t block = 0; block < padded; block += 64) {
        DWORD m[16];
        for (int i = 0; i < 16; ++i) {
            const BYTE* p = data + block + i * 4;
            m[i] = p[0] | (p[1] << 8) | (p[2] << 16) | ((DWORD)p[3] << 24);
        }
        DWORD a = h[0], b = h[1], c = h[2], d = h[3];
        for (int i = 0; i < 64; ++i) {
            DWORD f;
            int g;
            if (i < 16) {
                f = (b & c) | (~b & d);
                g = i;
            } else if (i < 32) {
                f = (d & b) | (~d & c);
                g = (5 * i + 1) % 16;
            } else if (i < 48) {
                f = b ^ c ^ d;
                g = (3 * i + 5) % 16;
            } else {
                f = c ^ (b | ~d);
                g = (7 * i) % 16;
            }
            DWORD next = b + RotateLeft(a + f + K[i] + m[g], S[i]);
            a = d;
            d = c;
            c = b;
            b = next;
        }
        h[0] += a;
        h[1] += b;
        h[2] += c;
        h[3] += d;
    }
    delete[] data;
    for (int i = 0; i < 16; ++i)
        digest[i] = (BYTE)(h[i / 4] >> (8 * (i % 4)));
}

class Rc4 {
public:
    Rc4(const BYTE* key, size_t keyLength)
    {
        for (int i = 0; i < 256; ++i)
            s_[i] = (BYTE)i;
        for (int i = 0, j = 0; i < 256; ++i) {
            j = (j + s_[i] + key[i % keyLength]) & 0xFF;
            BYTE t = s_[i];
            s_[i] = s_[j];
            s_[j] = t;
        }
    }

    void Apply(BYTE* data, size_t length)
    {
        for (size_t n = 0; n < length; ++n) {
            i_ = (i_ + 1) & 0xFF;
            j_ = (j_ + s_[i_]) & 0xFF;
            BYTE t = s_[i_];
            s_[i_] = s_[j_];
            s_[j_] = t;
            data[n] ^= s_[(s_[i_] + s_[j_]) & 0xFF];
        }
    }

private:
    BYTE s_[256];
    int i_ = 0;
    int j_ = 0;
};

Rc4 MakeCipher()
{
    BYTE key[16];
    Md5Digest(reinterpret_cast<const BYTE*>(kPassPhrase), sizeof(kPassPhrase) - 1, key);
    return Rc4(key, sizeof(key));
}

int TransformFile(LPCSTR sourcePath, LPCSTR destinationPath)
{
    CFile destination;
    if (!destination.Open(destinationPath, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyNone))
        return 0;
    CFile source;
    if (!source.Open(sourcePath, CFile::modeRead | CFile::shareDenyNone))
        return 0;

    Rc4 cipher = MakeCipher();
    BYTE buffer[kBlockSize];
    try {
        for (;;) {
            UINT n = source.Read(buffer, kBlockSize);
            if (n == 0)
                break;
            cipher.Apply(buffer, n);
            destination.Write(buffer, n);
        }
        destination.Close();
        return 1;
    } catch (CException* e) {
        e->Delete();
    }
    return 0;
}

} // namespace

int EncipherFile(LPCSTR sourcePath, LPCSTR destinationPath)
{
    return TransformFile(sourcePath, destinationPath);
}

int DecipherFile(LPCSTR sourcePath, LPCSTR destinationPath)
{
    return TransformFile(sourcePath, destinationPath);
}

void ApplyUserListCipher(BYTE* data, size_t length)
{
    Rc4 cipher = MakeCipher();
    cipher.Apply(data, length);
}
