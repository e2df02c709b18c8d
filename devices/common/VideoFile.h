// Recording files of motion-JPEG pictures, in containers that ordinary players open:
// MP4 (ISO base media: one 'mp4v' track, object type 0x6C = JPEG, 64-bit mdat and chunk offsets,
// millisecond timescale, the sample table written when the file is closed) and
// ASF (one video stream, BITMAPINFOHEADER compression 'MJPG', fixed 4096-byte data packets, one
// payload each, pictures split over packets; the header is completed when the file is closed).
// A file that is never closed (the process died) holds its pictures but lacks the index.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "devices/common/FileOut.h"

namespace dev {

class VideoFileWriter {
public:
    virtual ~VideoFileWriter() = default;
    virtual bool Open(const std::string& path, int width, int height) = 0;
    // One JPEG picture shown at timeMs (any origin; only differences count).
    virtual bool AddFrame(const uint8_t* jpeg, size_t size, uint32_t timeMs) = 0;
    virtual bool Close() = 0; // false when any write failed
    uint32_t Frames() const { return frames_; }

protected:
    // Creates the file and keeps the picture size; every writer's Open starts here.
    bool CreateOutput(const std::string& path, int width, int height)
    {
        width_ = width;
        height_ = height;
        return file_.Create(path);
    }
    FileOut file_;
    int width_ = 0, height_ = 0;
    uint32_t frames_ = 0;
};

enum class VideoContainer { Mp4, Asf };
std::unique_ptr<VideoFileWriter> MakeVideoFileWriter(VideoContainer container);

} // namespace dev
