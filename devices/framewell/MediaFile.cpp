#include "devices/framewell/MediaFile.h"

#include <algorithm>
#include <cstring>

namespace fw {
namespace {

const uint32_t kMaxPicture = 8u << 20; // no recorded picture is near this
const size_t kMaxSamples = 16u << 20;  // ten hours at 25 a second, many times over
const uint32_t kMaxAsfPacket = 64u << 10;

uint32_t Be32(const uint8_t* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}
uint16_t Be16(const uint8_t* p)
{
    return uint16_t(p[0] << 8 | p[1]);
}
uint64_t Be64(const uint8_t* p)
{
    return uint64_t(Be32(p)) << 32 | Be32(p + 4);
}
uint64_t Le(const uint8_t* p, int bytes)
{
    uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | p[i];
    return v;
}

const uint8_t kAsfHeaderGuid[16] = {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                    0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
const uint8_t kAsfDataGuid[16] = {0x36, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                  0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
const uint8_t kAsfFilePropsGuid[16] = {0xA1, 0xDC, 0xAB, 0x8C, 0x47, 0xA9, 0xCF, 0x11,
                                       0x8E, 0xE4, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65};
const uint8_t kAsfStreamGuid[16] = {0x91, 0x07, 0xDC, 0xB7, 0xB7, 0xA9, 0xCF, 0x11,
                                    0x8E, 0xE6, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65};

// A sized view with bounds-checked reads: a field outside the box reads as 0 and marks it bad.
struct View {
    const uint8_t* p;
    size_t n;
    size_t at = 0;
    bool bad = false;
    bool Need(size_t k)
    {
        if (bad || k > n || at > n - k)
            return bad = true, false;
        return true;
    }
    uint32_t B32() { return Need(4) ? (at += 4, Be32(p + at - 4)) : 0; }
    uint64_t B64() { return Need(8) ? (at += 8, Be64(p + at - 8)) : 0; }
    uint64_t L(int k)
    {
        if (k == 0)
            return 0;
        return Need(size_t(k)) ? (at += size_t(k), Le(p + at - size_t(k), k)) : 0;
    }
    void Skip(size_t k)
    {
        if (Need(k))
            at += k;
    }
};

// Boxes directly inside [p, p + n): calls f(type, body, bodySize) for each whole one.
template <class F> void ForEachBox(const uint8_t* p, size_t n, F f)
{
    size_t at = 0;
    while (n - at >= 8) {
        uint64_t size = Be32(p + at);
        size_t head = 8;
        if (size == 1) {
            if (n - at < 16)
                return;
            size = Be64(p + at + 8);
            head = 16;
        } else if (size == 0) {
            size = n - at;
        }
        if (size < head || size > n - at)
            return;
        f(p + at + 4, p + at + head, size_t(size - head));
        at += size_t(size);
    }
}

const uint8_t* FindBox(const uint8_t* p, size_t n, const char* type, size_t& size)
{
    const uint8_t* found = nullptr;
    ForEachBox(p, n, [&](const uint8_t* t, const uint8_t* body, size_t bodySize) {
        if (!found && std::memcmp(t, type, 4) == 0)
            found = body, size = bodySize;
    });
    return found;
}

const uint8_t* FindPath(const uint8_t* p, size_t n, std::initializer_list<const char*> path, size_t& size)
{
    size = n;
    for (const char* type : path) {
        p = FindBox(p, size, type, size);
        if (!p)
            return nullptr;
    }
    return p;
}

} // namespace

bool JpegSize(const uint8_t* data, size_t size, int& width, int& height)
{
    if (size < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return false;
    size_t at = 2;
    while (at + 4 <= size && data[at] == 0xFF) {
        uint8_t marker = data[at + 1];
        size_t length = Be16(data + at + 2);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            if (at + 9 > size)
                return false;
            height = Be16(data + at + 5);
            width = Be16(data + at + 7);
            return width > 0 && height > 0;
        }
        if (marker == 0xDA || length < 2)
            return false;
        at += 2 + length;
    }
    return false;
}

size_t JpegLength(const uint8_t* data, size_t size)
{
    if (size < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return 0;
    size_t at = 2;
    // Marker segments up to the start of scan, then entropy-coded data up to the end marker.
    while (true) {
        while (at < size && data[at] == 0xFF && at + 1 < size && data[at + 1] == 0xFF)
            ++at; // fill bytes
        if (at + 4 > size || data[at] != 0xFF)
            return 0;
        uint8_t marker = data[at + 1];
        if (marker == 0xD9)
            return at + 2;
        size_t length = Be16(data + at + 2);
        if (length < 2)
            return 0;
        at += 2 + length;
        if (marker != 0xDA)
            continue;
        for (; at + 1 < size; ++at) {
            if (data[at] != 0xFF)
                continue;
            uint8_t m = data[at + 1];
            if (m == 0xD9)
                return at + 2;
            if (m != 0 && !(m >= 0xD0 && m <= 0xD7) && m != 0xFF)
                break; // another scan's header follows
        }
        if (at + 1 >= size)
            return 0;
    }
}

bool MediaFile::Open(const std::string& path)
{
    Close();
    file_ = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file_ == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file_, &size)) {
        Close();
        return false;
    }
    fileSize_ = uint64_t(size.QuadPart);
    uint8_t head[16] = {};
    if (fileSize_ >= 16 && ReadAt(0, head, 16)) {
        if (std::memcmp(head, kAsfHeaderGuid, 16) == 0)
            OpenAsf();
        else if (std::memcmp(head + 4, "ftyp", 4) == 0 || std::memcmp(head + 4, "mdat", 4) == 0)
            OpenMp4();
    }
    if (samples_.empty() || width_ <= 0 || height_ <= 0) {
        Close();
        return false;
    }
    return true;
}

void MediaFile::Close()
{
    if (file_ != INVALID_HANDLE_VALUE)
        CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    fileSize_ = 0;
    kind_ = Container::None;
    width_ = height_ = 0;
    totalMs_ = 0;
    pieces_.clear();
    samples_.clear();
}

bool MediaFile::ReadAt(uint64_t offset, void* data, size_t size) const
{
    if (offset > fileSize_ || size > fileSize_ - offset)
        return false;
    // Seek and read rather than a read at an offset: under Wine a read with an OVERLAPPED is one more
    // round trip to the server (it offers the completion to a port), and this runs for every picture.
    LARGE_INTEGER at;
    at.QuadPart = LONGLONG(offset);
    DWORD got = 0;
    return SetFilePointerEx(file_, at, nullptr, FILE_BEGIN) && ReadFile(file_, data, DWORD(size), &got, nullptr) &&
           got == size;
}

size_t MediaFile::IndexAt(uint32_t ms) const
{
    auto it = std::upper_bound(samples_.begin(), samples_.end(), ms,
                               [](uint32_t t, const Sample& s) { return t < s.timeMs; });
    return it == samples_.begin() ? 0 : size_t(it - samples_.begin()) - 1;
}

uint64_t MediaFile::StartOffset(size_t i) const
{
    if (i >= samples_.size() || samples_[i].pieces == 0)
        return 0;
    const Sample& s = samples_[i];
    uint64_t start = pieces_[s.firstPiece].fileOffset;
    for (uint32_t k = 1; k < s.pieces; ++k)
        start = std::min<uint64_t>(start, pieces_[s.firstPiece + k].fileOffset);
    return start;
}

uint64_t MediaFile::EndOffset(size_t i) const
{
    uint64_t end = 0;
    if (i >= samples_.size())
        return end;
    const Sample& s = samples_[i];
    for (uint32_t k = 0; k < s.pieces; ++k)
        end = std::max<uint64_t>(end, pieces_[s.firstPiece + k].fileOffset + pieces_[s.firstPiece + k].length);
    return end;
}

bool MediaFile::Read(size_t i, std::vector<uint8_t>& out) const
{
    if (i >= samples_.size())
        return false;
    const Sample& s = samples_[i];
    out.resize(s.size);
    if (s.pieces == 1) {
        const Piece& p = pieces_[s.firstPiece];
        return ReadAt(p.fileOffset, out.data() + p.objectOffset, p.length);
    }
    if (ReadSpan(s, out))
        return true;
    // Otherwise the pieces come through a window of the file: a picture of many small pieces costs a
    // read a window, not a read a piece.
    const uint64_t kWindow = 1u << 20;
    std::vector<uint8_t> window;
    uint64_t windowAt = 0;
    for (uint32_t k = 0; k < s.pieces; ++k) {
        const Piece& p = pieces_[s.firstPiece + k];
        if (p.fileOffset < windowAt || p.fileOffset - windowAt > window.size() ||
            p.length > window.size() - (p.fileOffset - windowAt)) {
            if (p.fileOffset > fileSize_)
                return false;
            window.resize(size_t(std::min(std::max<uint64_t>(kWindow, p.length), fileSize_ - p.fileOffset)));
            windowAt = p.fileOffset;
            if (window.size() < p.length || !ReadAt(windowAt, window.data(), window.size()))
                return false;
        }
        std::memcpy(out.data() + p.objectOffset, window.data() + (p.fileOffset - windowAt), p.length);
    }
    return true;
}

// A picture in many pieces (ASF packets) is read with one call: the packets it spans in one go, then
// each piece moved down over the packet headers before it. Only for pieces that lie in file order,
// one after another in the picture, not too far apart; anything else is read piece by piece.
bool MediaFile::ReadSpan(const Sample& s, std::vector<uint8_t>& out) const
{
    const Piece* first = &pieces_[s.firstPiece];
    const uint64_t start = first[0].fileOffset;
    uint64_t end = start;
    uint32_t covered = 0;
    for (uint32_t k = 0; k < s.pieces; ++k) {
        const Piece& p = first[k];
        if (p.objectOffset != covered || p.fileOffset < end)
            return false;
        end = p.fileOffset + p.length;
        covered += p.length;
    }
    if (covered != s.size || end - start > uint64_t(s.size) * 2 + kMaxAsfPacket)
        return false;
    out.resize(size_t(end - start));
    if (!ReadAt(start, out.data(), out.size()))
        return false;
    // Each piece's place in the picture is at or before its place in the span, and past the pieces
    // already moved: moving them in order never overwrites one still to move.
    for (uint32_t k = 0; k < s.pieces; ++k) {
        const Piece& p = first[k];
        std::memmove(out.data() + p.objectOffset, out.data() + (p.fileOffset - start), p.length);
    }
    out.resize(s.size);
    return true;
}

void MediaFile::AddWhole(uint64_t offset, uint32_t size, uint32_t timeMs)
{
    samples_.push_back({size, timeMs, uint32_t(pieces_.size()), 1});
    pieces_.push_back({offset, size, 0});
}

// Times start at 0; the last picture lasts as long as the average one.
void MediaFile::Finish(uint32_t lastDurationMs)
{
    if (samples_.empty())
        return;
    uint32_t first = samples_.front().timeMs;
    for (Sample& s : samples_)
        s.timeMs -= first;
    uint32_t last = samples_.back().timeMs;
    if (!lastDurationMs)
        lastDurationMs = samples_.size() > 1 ? last / uint32_t(samples_.size() - 1) : kScanFrameMs;
    totalMs_ = last + (lastDurationMs ? lastDurationMs : 1);
    if (width_ <= 0 || height_ <= 0) {
        std::vector<uint8_t> jpeg;
        if (Read(0, jpeg) && !JpegSize(jpeg.data(), jpeg.size(), width_, height_))
            width_ = height_ = 0;
    }
}

bool MediaFile::OpenMp4()
{
    kind_ = Container::Mp4;
    uint64_t at = 0, mdatBody = 0, mdatEnd = 0, moovAt = 0, moovEnd = 0;
    // Box headers come through a block of the file: a file of many small boxes costs few reads.
    std::vector<uint8_t> block;
    uint64_t blockAt = 0;
    auto readHead = [&](uint64_t from, uint8_t* h, size_t n) {
        if (from < blockAt || from - blockAt + n > block.size()) {
            block.resize(size_t(std::min<uint64_t>(64u << 10, fileSize_ - from)));
            blockAt = from;
            if (block.size() < n || !ReadAt(from, block.data(), block.size())) {
                block.clear();
                return false;
            }
        }
        std::memcpy(h, block.data() + (from - blockAt), n);
        return true;
    };
    while (fileSize_ - at >= 8) {
        uint8_t h[16];
        if (!readHead(at, h, 8))
            break;
        uint64_t size = Be32(h);
        uint64_t head = 8;
        if (size == 1) {
            if (!readHead(at + 8, h + 8, 8))
                break;
            size = Be64(h + 8);
            head = 16;
        }
        // An unfinished file's mdat still says 0 or less than it holds: it runs to the end.
        bool mdat = std::memcmp(h + 4, "mdat", 4) == 0;
        if (size == 0 || size > fileSize_ - at || (mdat && size < head))
            size = fileSize_ - at;
        if (size < head)
            break;
        if (mdat)
            mdatBody = at + head, mdatEnd = at + size;
        if (std::memcmp(h + 4, "moov", 4) == 0)
            moovAt = at + head, moovEnd = at + size;
        at += size;
    }
    uint32_t lastDuration = 0;
    if (moovAt && ReadMp4Table(moovAt, moovEnd, lastDuration)) {
        Finish(lastDuration);
        return true;
    }
    samples_.clear(), pieces_.clear();
    if (mdatBody)
        ScanForPictures(mdatBody, mdatEnd);
    Finish(kScanFrameMs);
    return !samples_.empty();
}

bool MediaFile::ReadMp4Table(uint64_t moovAt, uint64_t moovEnd, uint32_t& lastDuration)
{
    if (moovEnd - moovAt > (64u << 20))
        return false;
    std::vector<uint8_t> moov(size_t(moovEnd - moovAt));
    if (!ReadAt(moovAt, moov.data(), moov.size()))
        return false;
    size_t n = 0;
    const uint8_t* trak = FindBox(moov.data(), moov.size(), "trak", n);
    size_t mdiaSize = 0, stblSize = 0;
    const uint8_t* mdia = trak ? FindBox(trak, n, "mdia", mdiaSize) : nullptr;
    const uint8_t* stbl = mdia ? FindPath(mdia, mdiaSize, {"minf", "stbl"}, stblSize) : nullptr;
    if (!stbl)
        return false;
    uint32_t timescale = 1000;
    size_t k = 0;
    if (const uint8_t* mdhd = FindBox(mdia, mdiaSize, "mdhd", k)) {
        View v{mdhd, k};
        uint32_t version = v.B32() >> 24;
        v.Skip(version == 1 ? 16 : 8);
        uint32_t t = v.B32();
        if (!v.bad && t)
            timescale = t;
    }
    if (const uint8_t* stsd = FindBox(stbl, stblSize, "stsd", k)) {
        View v{stsd, k};
        v.Skip(8 + 8 + 24);
        uint32_t wh = v.B32();
        if (!v.bad)
            width_ = int(wh >> 16), height_ = int(wh & 0xFFFF);
    }
    // The four tables are read in place, each with a cursor that only moves forward, so the walk
    // costs one pass over them however long or odd they are.
    const uint8_t* p = FindBox(stbl, stblSize, "stsz", k);
    if (!p)
        return false;
    View sizes{p, k};
    sizes.Skip(4);
    uint32_t fixed = sizes.B32(), count = sizes.B32();
    if (sizes.bad || count > kMaxSamples || (!fixed && count > (k - sizes.at) / 4))
        return false;
    bool wide = true;
    p = FindBox(stbl, stblSize, "co64", k);
    if (!p)
        p = FindBox(stbl, stblSize, "stco", k), wide = false;
    if (!p)
        return false;
    View chunks{p, k};
    chunks.Skip(4);
    uint32_t chunkCount = chunks.B32();
    if (chunks.bad || chunkCount > (k - chunks.at) / (wide ? 8 : 4))
        return false;
    // Samples per chunk: runs of (first chunk, samples each, description).
    p = FindBox(stbl, stblSize, "stsc", k);
    if (!p)
        return false;
    View runs{p, k};
    runs.Skip(4);
    uint32_t runCount = runs.B32();
    if (runs.bad || runCount > (k - runs.at) / 12)
        return false;
    p = FindBox(stbl, stblSize, "stts", k);
    if (!p)
        return false;
    View durations{p, k};
    durations.Skip(4);
    uint32_t entries = durations.B32();
    if (durations.bad || entries > (k - durations.at) / 8)
        return false;

    uint32_t runsRead = 0, each = 0, nextRunFirst = 0;
    auto nextRun = [&] {
        if (runsRead < runCount) {
            nextRunFirst = runs.B32();
            return true;
        }
        nextRunFirst = 0;
        return false;
    };
    bool moreRuns = nextRun();
    uint32_t durationsLeft = 0, duration = 0, entriesRead = 0, time = 0;
    uint64_t t = 0;
    uint64_t bytes = 0; // a real file's pictures never overlap: together they fit in the file
    // Walk the chunks; a sample that lies outside the file (cut short) ends the list.
    size_t sample = 0;
    for (uint32_t c = 0; c < chunkCount && sample < count; ++c) {
        uint64_t offset = wide ? chunks.B64() : chunks.B32();
        while (moreRuns && nextRunFirst <= c + 1) {
            each = runs.B32();
            runs.B32();
            ++runsRead;
            moreRuns = nextRun();
        }
        for (uint32_t j = 0; j < each && sample < count; ++j, ++sample) {
            uint32_t s = fixed ? fixed : sizes.B32();
            bytes += s;
            if (s < 4 || s > kMaxPicture || offset > fileSize_ || s > fileSize_ - offset || bytes > fileSize_)
                return !samples_.empty();
            while (durationsLeft == 0 && entriesRead < entries) {
                durationsLeft = durations.B32();
                duration = durations.B32();
                ++entriesRead;
            }
            if (durationsLeft) {
                time = uint32_t(t * 1000 / timescale);
                t += duration;
                --durationsLeft;
            }
            AddWhole(offset, s, time);
            offset += s;
        }
    }
    uint32_t lastMs = uint32_t(t * 1000 / timescale);
    if (!samples_.empty() && samples_.size() == count && lastMs > samples_.back().timeMs)
        lastDuration = lastMs - samples_.back().timeMs;
    return !samples_.empty();
}

// An unfinished recording has no sample table: its pictures are found by their markers, in one pass
// over the bytes. A picture runs from a start marker to the first end marker after it (coded data
// holds no marker). A candidate that is not a whole picture is dropped; when another start marker
// came before its end, the picture from that one is tried instead (damage followed by a whole one).
void MediaFile::ScanForPictures(uint64_t from, uint64_t to)
{
    const size_t kBlock = 1u << 20;
    std::vector<uint8_t> block(kBlock);
    std::vector<uint8_t> picture;
    uint32_t time = 0;
    const uint64_t kNone = ~uint64_t(0);
    uint64_t start = kNone, lastStart = kNone;
    uint64_t blockAt = from;
    size_t blockSize = 0;
    // A candidate inside the block is checked where it lies; one that began in an earlier block is
    // read again (at most twice a block).
    auto add = [&](uint64_t first, uint64_t end) {
        if (end - first > kMaxPicture)
            return false;
        const uint8_t* bytes = nullptr;
        if (first >= blockAt) {
            bytes = block.data() + (first - blockAt);
        } else {
            picture.resize(size_t(end - first));
            if (!ReadAt(first, picture.data(), picture.size()))
                return false;
            bytes = picture.data();
        }
        if (JpegLength(bytes, size_t(end - first)) != end - first)
            return false;
        AddWhole(first, uint32_t(end - first), time);
        time += kScanFrameMs;
        return true;
    };
    auto onMarker = [&](uint64_t at, uint8_t code) {
        if (code == 0xD8) {
            (start == kNone ? start : lastStart) = at;
        } else if (code == 0xD9 && start != kNone) {
            if (!add(start, at + 2) && lastStart != kNone)
                add(lastStart, at + 2);
            start = lastStart = kNone;
        }
    };
    bool afterFF = false; // the last byte of the previous block was 0xFF
    while (blockAt + blockSize < to && samples_.size() < kMaxSamples) {
        blockAt += blockSize;
        blockSize = size_t(std::min<uint64_t>(kBlock, to - blockAt));
        if (!ReadAt(blockAt, block.data(), blockSize))
            return;
        if (afterFF)
            onMarker(blockAt - 1, block[0]);
        afterFF = false;
        for (size_t i = 0; i < blockSize && samples_.size() < kMaxSamples;) {
            const void* ff = std::memchr(block.data() + i, 0xFF, blockSize - i);
            if (!ff)
                break;
            i = size_t(static_cast<const uint8_t*>(ff) - block.data()) + 1;
            if (i == blockSize)
                afterFF = true;
            else
                onMarker(blockAt + i - 1, block[i]);
        }
    }
}

bool MediaFile::OpenAsf()
{
    kind_ = Container::Asf;
    uint8_t h[30];
    if (!ReadAt(0, h, 30))
        return false;
    uint64_t headerSize = Le(h + 16, 8);
    if (headerSize < 30 || headerSize > fileSize_ || headerSize > (1u << 20))
        return false;
    std::vector<uint8_t> header(static_cast<size_t>(headerSize));
    if (!ReadAt(0, header.data(), header.size()))
        return false;
    uint32_t packetSize = 0;
    size_t at = 30;
    while (header.size() - at >= 24) {
        uint64_t size = Le(&header[at + 16], 8);
        if (size < 24 || size > header.size() - at)
            break;
        View v{&header[at], size_t(size), 24};
        if (std::memcmp(&header[at], kAsfFilePropsGuid, 16) == 0) {
            v.Skip(16 + 8 + 8 + 8 + 8 + 8 + 8 + 4);
            uint32_t minPacket = uint32_t(v.L(4)), maxPacket = uint32_t(v.L(4));
            if (!v.bad && minPacket == maxPacket)
                packetSize = minPacket;
        } else if (std::memcmp(&header[at], kAsfStreamGuid, 16) == 0) {
            v.Skip(16 + 16 + 8 + 4 + 4 + 2 + 4);
            uint32_t w = uint32_t(v.L(4)), hh = uint32_t(v.L(4));
            if (!v.bad && w <= 65535 && hh <= 65535)
                width_ = int(w), height_ = int(hh);
        }
        at += size_t(size);
    }
    uint8_t data[50];
    if (packetSize < 32 || packetSize > kMaxAsfPacket || !ReadAt(headerSize, data, 50) ||
        std::memcmp(data, kAsfDataGuid, 16) != 0)
        return false;
    // The packet count in the header is 0 until the file is finished: the file's length decides.
    // Packets are read many at a time: a file of small packets costs no more calls than a large one.
    uint64_t first = headerSize + 50;
    uint64_t packets = (fileSize_ - first) / packetSize;
    const uint64_t perRead = std::max<uint64_t>(1, (1u << 20) / packetSize);
    std::vector<uint8_t> block;
    OpenPicture open;
    for (uint64_t i = 0; i < packets && samples_.size() < kMaxSamples; i += perRead) {
        uint64_t n = std::min(perRead, packets - i);
        block.resize(size_t(n * packetSize));
        if (!ReadAt(first + i * packetSize, block.data(), block.size()))
            break;
        for (uint64_t j = 0; j < n && samples_.size() < kMaxSamples; ++j)
            ReadAsfPacket(block.data() + j * packetSize, first + (i + j) * packetSize, packetSize, open);
    }
    Finish(0);
    return !samples_.empty();
}

// One packet's payloads of stream 1. A picture is complete when its fragments cover its size.
void MediaFile::ReadAsfPacket(const uint8_t* packet, uint64_t at, uint32_t packetSize, OpenPicture& open)
{
    View v{packet, packetSize};
    uint8_t flags = uint8_t(v.L(1));
    if (flags & 0x80)
        v.Skip(flags & 0x0F);
    uint8_t lengthFlags = uint8_t(v.L(1)), props = uint8_t(v.L(1));
    auto width = [](int code) { return code == 3 ? 4 : code; };
    v.L(width((lengthFlags >> 5) & 3)); // packet length
    v.L(width((lengthFlags >> 1) & 3)); // sequence
    uint32_t padding = uint32_t(v.L(width((lengthFlags >> 3) & 3)));
    v.Skip(6); // send time, duration
    int payloads = 1, payloadLengthWidth = 0;
    if (lengthFlags & 1) {
        uint8_t pf = uint8_t(v.L(1));
        payloads = pf & 0x3F;
        payloadLengthWidth = width(pf >> 6);
    }
    for (int p = 0; p < payloads && !v.bad; ++p) {
        uint8_t stream = uint8_t(v.L(1)) & 0x7F;
        v.L(width((props >> 4) & 3)); // object number
        uint32_t offset = uint32_t(v.L(width((props >> 2) & 3)));
        uint32_t replicated = uint32_t(v.L(width(props & 3)));
        uint32_t objectSize = 0, time = 0;
        if (replicated >= 8 && v.Need(replicated)) {
            objectSize = uint32_t(Le(v.p + v.at, 4));
            time = uint32_t(Le(v.p + v.at + 4, 4));
        }
        v.Skip(replicated);
        size_t length =
            payloadLengthWidth ? size_t(v.L(payloadLengthWidth)) : (v.n - v.at >= padding ? v.n - v.at - padding : 0);
        if (v.bad || !v.Need(length))
            return;
        uint64_t dataAt = at + v.at;
        v.Skip(length);
        if (stream != 1 || objectSize == 0 || objectSize > kMaxPicture || offset > objectSize ||
            length > objectSize - offset)
            continue;
        // Fragments of one picture follow each other; anything else starts over.
        if (offset == 0) {
            open.active = true;
            open.sample = Sample{objectSize, time, uint32_t(pieces_.size()), 0};
            open.covered = 0;
        }
        if (!open.active || open.sample.size != objectSize)
            continue;
        Sample& s = open.sample;
        if (open.covered != offset || s.firstPiece + s.pieces != pieces_.size()) {
            open.active = false;
            continue;
        }
        pieces_.push_back({dataAt, uint32_t(length), offset});
        ++s.pieces;
        open.covered += uint32_t(length);
        if (open.covered == objectSize) {
            samples_.push_back(s);
            open.active = false;
        }
    }
}

} // namespace fw
