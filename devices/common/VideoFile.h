// Recording files of motion-JPEG pictures, in containers that ordinary players open:
// MP4 (ISO base media: one 'mp4v' track, object type 0x6C = JPEG, 64-bit mdat and chunk offsets,
// millisecond timescale, the sample table written when the file is closed) and
// ASF (one video stream, BITMAPINFOHEADER compression 'MJPG', fixed 4096-byte data packets, one
// payload each, pictures split over packets; the header is completed when the file is closed).
// A file that is never closed (the process died) holds its pictures but lacks the index. A file closed
// without a single picture is removed: no player could show anything of it.
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
    // One JPEG picture shown at timeMs (any origin; only differences count). A time that is not later
    // than the last picture's is taken as 1 ms after it: the file's times always increase.
    virtual bool AddFrame(const uint8_t* jpeg, size_t size, uint32_t timeMs) = 0;
    virtual bool Close() = 0; // false when any write failed
    uint32_t Frames() const { return frames_; }

protected:
    // Creates the file and keeps the picture size; every writer's Open starts here.
    bool CreateOutput(const std::string& path, int width, int height)
    {
        width_ = width;
        height_ = height;
        path_ = path;
        return file_.Create(path);
    }
    // The time a new picture gets: timeMs, or 1 ms after the last picture when timeMs is not later
    // (two pictures of one tick, a clock set back).
    uint32_t NextPictureTime(uint32_t timeMs)
    {
        if (frames_ > 0 && int32_t(timeMs - lastTime_) <= 0)
            timeMs = lastTime_ + 1;
        return lastTime_ = timeMs;
    }
    // Every writer's Close ends here: the file is closed, and removed when it holds no picture.
    bool CloseOutput()
    {
        bool ok = file_.Close();
        if (frames_ == 0)
            DeleteFileA(path_.c_str());
        return ok;
    }
    FileOut file_;
    std::string path_;
    uint32_t lastTime_ = 0;
    int width_ = 0, height_ = 0;
    uint32_t frames_ = 0;
};

enum class VideoContainer { Mp4, Asf };
std::unique_ptr<VideoFileWriter> MakeVideoFileWriter(VideoContainer container);

} // namespace dev
