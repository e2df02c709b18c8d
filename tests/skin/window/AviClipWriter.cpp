// The AVI writer: RIFF "AVI " with the header list, the frames in "movi" and the "idx1" index.
#include "tests/skin/window/AviClipWriter.h"

#include <cstdio>

namespace {

class Riff {
public:
    void Tag(const char* fourcc) { bytes_.insert(bytes_.end(), fourcc, fourcc + 4); }
    void Dword(DWORD value)
    {
        for (int i = 0; i < 4; ++i)
            bytes_.push_back(static_cast<unsigned char>(value >> (8 * i)));
    }
    void Word(WORD value)
    {
        bytes_.push_back(static_cast<unsigned char>(value));
        bytes_.push_back(static_cast<unsigned char>(value >> 8));
    }
    // Opens a chunk (or a list, with its type) whose size is filled in by End.
    size_t Begin(const char* id, const char* type = NULL)
    {
        Tag(id);
        const size_t at = bytes_.size();
        Dword(0);
        if (type)
            Tag(type);
        return at;
    }
    void End(size_t at)
    {
        const DWORD size = static_cast<DWORD>(bytes_.size() - at - 4);
        for (int i = 0; i < 4; ++i)
            bytes_[at + i] = static_cast<unsigned char>(size >> (8 * i));
        if (size & 1)
            bytes_.push_back(0);
    }
    size_t Size() const { return bytes_.size(); }
    void Byte(unsigned char value) { bytes_.push_back(value); }
    std::vector<unsigned char>& Bytes() { return bytes_; }

private:
    std::vector<unsigned char> bytes_;
};

} // namespace

const COLORREF kFourFrameColors[4] = {RGB(220, 40, 40), RGB(40, 180, 60), RGB(40, 70, 220), RGB(240, 200, 30)};

AviClipSpec FourFrameClip()
{
    AviClipSpec spec;
    spec.pixel = [](int frame, int, int) { return kFourFrameColors[frame % 4]; };
    return spec;
}

std::vector<unsigned char> MakeAviClip(const AviClipSpec& spec)
{
    const DWORD rowBytes = (static_cast<DWORD>(spec.width) * 3 + 3) & ~3u;
    const DWORD frameBytes = rowBytes * spec.height;
    const DWORD microseconds = static_cast<DWORD>(1000000ULL * spec.scale / (spec.rate ? spec.rate : 1));
    Riff riff;
    const size_t file = riff.Begin("RIFF", "AVI ");
    const size_t headers = riff.Begin("LIST", "hdrl");
    const size_t main = riff.Begin("avih");
    riff.Dword(microseconds);
    riff.Dword(static_cast<DWORD>(1ULL * frameBytes * spec.rate / (spec.scale ? spec.scale : 1)));
    riff.Dword(0);    // padding granularity
    riff.Dword(0x10); // AVIF_HASINDEX
    riff.Dword(spec.frames);
    riff.Dword(0); // initial frames
    riff.Dword(1); // streams
    riff.Dword(frameBytes);
    riff.Dword(spec.width);
    riff.Dword(spec.height);
    for (int i = 0; i < 4; ++i)
        riff.Dword(0);
    riff.End(main);
    const size_t streamList = riff.Begin("LIST", "strl");
    const size_t stream = riff.Begin("strh");
    riff.Tag("vids");
    riff.Tag("DIB ");
    riff.Dword(0); // flags
    riff.Word(0);  // priority
    riff.Word(0);  // language
    riff.Dword(0); // initial frames
    riff.Dword(spec.scale);
    riff.Dword(spec.rate);
    riff.Dword(0); // start
    riff.Dword(spec.frames);
    riff.Dword(frameBytes);
    riff.Dword(0xFFFFFFFF); // quality: the default
    riff.Dword(0);          // sample size: one frame a chunk
    riff.Word(0);
    riff.Word(0);
    riff.Word(static_cast<WORD>(spec.width));
    riff.Word(static_cast<WORD>(spec.height));
    riff.End(stream);
    const size_t format = riff.Begin("strf");
    riff.Dword(40);
    riff.Dword(spec.width);
    riff.Dword(spec.height); // bottom-up rows
    riff.Word(1);
    riff.Word(24);
    riff.Dword(BI_RGB);
    riff.Dword(frameBytes);
    for (int i = 0; i < 4; ++i)
        riff.Dword(0);
    riff.End(format);
    riff.End(streamList);
    riff.End(headers);
    const size_t movie = riff.Begin("LIST", "movi");
    const size_t movieType = movie + 4; // index offsets count from the list's type
    std::vector<DWORD> offsets;
    for (int f = 0; f < spec.frames; ++f) {
        offsets.push_back(static_cast<DWORD>(riff.Size() - movieType));
        const size_t chunk = riff.Begin("00db");
        for (int row = spec.height - 1; row >= 0; --row) {
            DWORD written = 0;
            for (int x = 0; x < spec.width; ++x, written += 3) {
                const COLORREF c = spec.pixel(f, x, row);
                riff.Byte(GetBValue(c));
                riff.Byte(GetGValue(c));
                riff.Byte(GetRValue(c));
            }
            for (; written < rowBytes; ++written)
                riff.Byte(0);
        }
        riff.End(chunk);
    }
    riff.End(movie);
    const size_t index = riff.Begin("idx1");
    for (DWORD offset : offsets) {
        riff.Tag("00db");
        riff.Dword(0x10); // AVIIF_KEYFRAME
        riff.Dword(offset);
        riff.Dword(frameBytes);
    }
    riff.End(index);
    riff.End(file);
    return riff.Bytes();
}

bool WriteClipFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written;
}
