#include "devices/devsim/Recordings.h"

#include <process.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <tuple>

#include "devices/common/FrameCodec.h"
#include "devices/common/Jpeg.h"
#include "devices/common/Text.h"
#include "devices/common/VideoFile.h"
#include "devices/devsim/Picture.h"

namespace devsim {
namespace {

auto Key(const dev::WireTime& t)
{
    return std::make_tuple(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

dev::WireTime ToWire(const SYSTEMTIME& st)
{
    dev::WireTime t = {};
    t.year = st.wYear;
    t.month = uint8_t(st.wMonth);
    t.day = uint8_t(st.wDay);
    t.hour = uint8_t(st.wHour);
    t.minute = uint8_t(st.wMinute);
    t.second = uint8_t(st.wSecond);
    return t;
}

} // namespace

CameraRecorder::CameraRecorder(const std::string& folder, const std::string& server, int channel, int width, int height,
                               int frameRate)
    : folder_(folder), server_(server), channel_(channel), width_(width), height_(height), frameRate_(frameRate),
      stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr))
{
    thread_ = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, Main, this, 0, nullptr));
}

CameraRecorder::~CameraRecorder()
{
    SetEvent(stop_);
    if (thread_) {
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
    }
    CloseHandle(stop_);
}

unsigned __stdcall CameraRecorder::Main(void* self)
{
    static_cast<CameraRecorder*>(self)->Run();
    return 0;
}

void CameraRecorder::Run()
{
    CreateDirectoryA(folder_.c_str(), nullptr);
    SYSTEMTIME st;
    GetLocalTime(&st);
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, "%s\\%s_%d_%04u%02u%02u%02u%02u%02u.mp4", folder_.c_str(), server_.c_str(),
                  channel_ + 1, st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
    std::unique_ptr<dev::VideoFileWriter> writer = dev::MakeVideoFileWriter(dev::VideoContainer::Mp4);
    if (!writer->Open(name, width_, height_))
        return;
    PictureMaker picture(width_, height_, server_, channel_);
    std::vector<uint8_t> rgb, jpeg;
    DWORD interval = DWORD(1000 / (frameRate_ > 0 ? frameRate_ : 25));
    uint32_t frame = 0;
    do {
        picture.Draw(++frame, false, 0);
        dev::IndexedToRgb(picture.Pixels(), width_, height_, rgb);
        dev::EncodeJpeg(rgb.data(), width_, height_, 80, jpeg,
                        "frame=" + std::to_string(frame) + " channel=" + std::to_string(channel_));
        if (!writer->AddFrame(jpeg.data(), jpeg.size(), GetTickCount()))
            break;
    } while (WaitForSingleObject(stop_, interval) == WAIT_TIMEOUT);
    writer->Close();
}

bool RecordingFolder::Parse(const std::string& file, int* channel, dev::WireTime* start, int* kind) const
{
    if (file.size() <= server_.size() + 1 || file.compare(0, server_.size(), server_) != 0 ||
        file[server_.size()] != '_')
        return false;
    unsigned ch = 0, y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    char ext[8] = "";
    char stamp[15] = "";
    if (std::sscanf(file.c_str() + server_.size() + 1, "%u_%14[0-9].%7s", &ch, stamp, ext) != 3 ||
        std::strlen(stamp) != 14 || ch < 1 || ch > 64 ||
        std::sscanf(stamp, "%4u%2u%2u%2u%2u%2u", &y, &mo, &d, &h, &mi, &s) != 6)
        return false;
    if (_stricmp(ext, "mp4") == 0)
        *kind = 1;
    else if (_stricmp(ext, "jpg") == 0)
        *kind = 2;
    else if (_stricmp(ext, "bmp") == 0)
        *kind = 3;
    else if (_stricmp(ext, "asf") == 0)
        *kind = 4;
    else
        return false;
    *channel = int(ch) - 1;
    *start = dev::WireTime{int32_t(y), uint8_t(mo), uint8_t(d), uint8_t(h), uint8_t(mi), uint8_t(s), {0, 0, 0}};
    return true;
}

bool RecordingFolder::Search(const dev::FileSearchMsg& query, const std::function<bool(const dev::FileHitMsg&)>& emit)
{
    std::string wanted = dev::FieldText(query.name, sizeof query.name);
    if (folder_.empty() || (!wanted.empty() && wanted != server_))
        return true;
    if (query.selector >= 2 && query.selector <= 4)
        return true; // a server records by command only
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder_ + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return true;
    do {
        int channel = 0, kind = 0;
        dev::FileHitMsg hit = {};
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !Parse(found.cFileName, &channel, &hit.start, &kind))
            continue;
        int queryKind = query.kind >= 1 && query.kind <= 3 ? query.kind : 4;
        if (kind != queryKind || (query.channel >= 0 && query.channel != channel))
            continue;
        if (query.useRange && (Key(hit.start) < Key(query.from) || Key(query.to) < Key(hit.start)))
            continue;
        FILETIME local;
        SYSTEMTIME st;
        FileTimeToLocalFileTime(&found.ftLastWriteTime, &local);
        FileTimeToSystemTime(&local, &st);
        hit.end = ToWire(st);
        dev::CopyText(hit.name, server_.c_str());
        hit.channel = channel;
        std::string path = folder_ + "\\" + found.cFileName;
        if (dev::CopyText(hit.path, path.c_str()) != path.size())
            continue;
        hit.size = found.nFileSizeHigh ? 0xFFFFFFFFu : found.nFileSizeLow;
        if (!emit(hit))
            break;
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return true;
}

bool RecordingFolder::MayServe(const std::string& path)
{
    size_t slash = path.find_last_of("\\/");
    if (folder_.empty() || slash == std::string::npos || _stricmp(path.substr(0, slash).c_str(), folder_.c_str()) != 0)
        return false;
    int channel = 0, kind = 0;
    dev::WireTime start;
    return Parse(path.substr(slash + 1), &channel, &start, &kind);
}

} // namespace devsim
