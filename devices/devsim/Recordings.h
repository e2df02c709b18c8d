// A video server's own recordings. While server recording is on for a camera, its pictures go
// into an MP4 in the server's recordings folder, named SERVER_CH_YYYYMMDDhhmmss.mp4 (CH from 1,
// the local start time); the file purposes search that folder and serve its files.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <string>

#include "devices/common/FileService.h"

namespace devsim {

class CameraRecorder {
public:
    CameraRecorder(const std::string& folder, const std::string& server, int channel, int width, int height,
                   int frameRate);
    ~CameraRecorder(); // stops and completes the file

private:
    static unsigned __stdcall Main(void* self);
    void Run();
    std::string folder_, server_;
    int channel_, width_, height_, frameRate_;
    HANDLE stop_;
    HANDLE thread_ = nullptr;
};

// The files of one server's folder: recordings are manual ones (record type 1) of that server.
class RecordingFolder : public dev::FileServer {
public:
    RecordingFolder(const std::string& folder, const std::string& server) : folder_(folder), server_(server) {}
    int Login(const std::string&, const std::string&, const std::string&) override { return 0; }
    bool Search(const dev::FileSearchMsg& query, const std::function<bool(const dev::FileHitMsg&)>& emit) override;
    bool MayServe(const std::string& path) override;

private:
    // Channel (from 0), start time and kind from a file name of this server; false for any other.
    bool Parse(const std::string& file, int* channel, dev::WireTime* start, int* kind) const;
    std::string folder_, server_;
};

} // namespace devsim
