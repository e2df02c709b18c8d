// A recording opened for reading: the pictures (motion-JPEG samples) of an MP4 or ASF file with
// their times, without any window code. MP4 is read through its sample table; an MP4 that was
// never finished (no sample table) is scanned for whole pictures, 40 ms apart. ASF is read through
// its fixed-size packets; pictures are put together from their fragments and an unfinished file
// keeps the pictures it holds whole. Every count, size and offset read from the file is checked
// against the file itself.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace fw {

enum class Container { None, Mp4, Asf };

class MediaFile {
public:
    MediaFile() = default;
    ~MediaFile() { Close(); }
    MediaFile(const MediaFile&) = delete;
    MediaFile& operator=(const MediaFile&) = delete;

    // False for a missing file or one holding no picture of either container.
    bool Open(const std::string& path);
    void Close();

    Container Kind() const { return kind_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    size_t Count() const { return samples_.size(); }
    uint32_t TimeMs(size_t i) const { return samples_[i].timeMs; }
    uint32_t SizeOf(size_t i) const { return samples_[i].size; }
    uint32_t TotalMs() const { return totalMs_; } // from the first picture to the end of the last
    // The last picture at or before ms (0 before the first).
    size_t IndexAt(uint32_t ms) const;
    // Where picture i's bytes begin and just past where they end in the file.
    uint64_t StartOffset(size_t i) const;
    uint64_t EndOffset(size_t i) const;
    // The picture's bytes; false when the file can no longer be read. Reads move the file's position:
    // one reader at a time (a player reads under its lock).
    bool Read(size_t i, std::vector<uint8_t>& out) const;

    static const uint32_t kScanFrameMs = 40; // a file without timing plays at 25 pictures a second

private:
    struct Piece {
        uint64_t fileOffset;
        uint32_t length;
        uint32_t objectOffset;
    };
    struct Sample {
        uint32_t size;
        uint32_t timeMs;
        uint32_t firstPiece;
        uint32_t pieces;
    };

    bool ReadAt(uint64_t offset, void* data, size_t size) const;
    bool ReadSpan(const Sample& s, std::vector<uint8_t>& out) const;
    bool OpenMp4();
    bool ReadMp4Table(uint64_t moovAt, uint64_t moovEnd, uint32_t& lastDuration);
    void ScanForPictures(uint64_t from, uint64_t to);
    bool OpenAsf();
    struct OpenPicture { // an ASF picture whose fragments are still arriving
        bool active = false;
        Sample sample = {};
        uint32_t covered = 0;
    };
    void ReadAsfPacket(const uint8_t* packet, uint64_t at, uint32_t packetSize, OpenPicture& open);
    void AddWhole(uint64_t offset, uint32_t size, uint32_t timeMs);
    void Finish(uint32_t lastDurationMs);

    HANDLE file_ = INVALID_HANDLE_VALUE;
    uint64_t fileSize_ = 0;
    Container kind_ = Container::None;
    int width_ = 0, height_ = 0;
    uint32_t totalMs_ = 0;
    std::vector<Piece> pieces_;
    std::vector<Sample> samples_;
};

// Width and height from a JPEG's frame header; false when there is none.
bool JpegSize(const uint8_t* data, size_t size, int& width, int& height);
// Where a JPEG starting at data ends (just after its end marker), or 0 when it does not end in size.
size_t JpegLength(const uint8_t* data, size_t size);

} // namespace fw
