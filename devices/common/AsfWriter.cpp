// ASF recording file: header (file properties, one video stream, header extension), then the data
// object of fixed-size packets; sizes, counts and durations are filled in when the file closes.
#include <cstring>

#include "devices/common/VideoFile.h"

namespace dev {
namespace {

struct Guid {
    uint32_t a;
    uint16_t b, c;
    uint8_t d[8];
};

const Guid kHeaderObject = {0x75B22630, 0x668E, 0x11CF, {0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C}};
const Guid kDataObject = {0x75B22636, 0x668E, 0x11CF, {0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C}};
const Guid kFileProperties = {0x8CABDCA1, 0xA947, 0x11CF, {0x8E, 0xE4, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65}};
const Guid kStreamProperties = {0xB7DC0791, 0xA9B7, 0x11CF, {0x8E, 0xE6, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65}};
const Guid kHeaderExtension = {0x5FBF03B5, 0xA92E, 0x11CF, {0x8E, 0xE3, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65}};
const Guid kReserved1 = {0xABD3D211, 0xA9BA, 0x11CF, {0x8E, 0xE6, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65}};
const Guid kVideoMedia = {0xBC19EFC0, 0x5B4D, 0x11CF, {0xA8, 0xFD, 0x00, 0x80, 0x5F, 0x5C, 0x44, 0x2B}};
const Guid kNoErrorCorrection = {0x20FB5700, 0x5B55, 0x11CF, {0xA8, 0xFD, 0x00, 0x80, 0x5F, 0x5C, 0x44, 0x2B}};

void PutGuid(std::vector<uint8_t>& v, const Guid& g)
{
    PutLe(v, g.a, 4);
    PutLe(v, g.b, 2);
    PutLe(v, g.c, 2);
    v.insert(v.end(), g.d, g.d + 8);
}

const uint32_t kPacketSize = 4096;
const size_t kPacketOverhead = 13 + 15; // parsing information + one payload header with 8 bytes replicated

class AsfWriter : public VideoFileWriter {
public:
    bool Open(const std::string& path, int width, int height) override
    {
        if (!CreateOutput(path, width, height))
            return false;
        std::vector<uint8_t> header = Header();
        headerSize_ = header.size();
        return file_.Write(header.data(), header.size());
    }

    bool AddFrame(const uint8_t* jpeg, size_t size, uint32_t timeMs) override
    {
        timeMs = NextPictureTime(timeMs);
        if (frames_ == 0)
            firstMs_ = timeMs;
        uint32_t t = timeMs - firstMs_;
        lastMs_ = t;
        size_t offset = 0;
        std::vector<uint8_t> packet;
        packet.reserve(kPacketSize);
        do {
            size_t chunk = size - offset;
            if (chunk > kPacketSize - kPacketOverhead)
                chunk = kPacketSize - kPacketOverhead;
            size_t padding = kPacketSize - kPacketOverhead - chunk;
            packet.clear();
            packet.push_back(0x82); // error correction data present, 2 bytes
            packet.push_back(0);
            packet.push_back(0);
            packet.push_back(0x10); // padding length as WORD; no packet length, no sequence
            packet.push_back(0x5D); // replicated BYTE, offset DWORD, object number BYTE, stream BYTE
            PutLe(packet, padding, 2);
            PutLe(packet, t, 4);    // send time
            PutLe(packet, 0, 2);    // duration
            packet.push_back(0x81); // stream 1, key frame
            packet.push_back(uint8_t(frames_));
            PutLe(packet, offset, 4);
            packet.push_back(8);
            PutLe(packet, size, 4);
            PutLe(packet, t, 4); // presentation time
            packet.insert(packet.end(), jpeg + offset, jpeg + offset + chunk);
            packet.insert(packet.end(), padding, 0);
            if (!file_.Write(packet.data(), packet.size()))
                return false;
            ++packets_;
            offset += chunk;
            if (size > maxObject_)
                maxObject_ = uint32_t(size);
        } while (offset < size);
        ++frames_;
        return true;
    }

    bool Close() override
    {
        if (!file_.Ok() || frames_ == 0)
            return CloseOutput();
        uint64_t frameMs = frames_ > 1 ? lastMs_ / (frames_ - 1) : 40;
        uint64_t duration100ns = (uint64_t(lastMs_) + frameMs) * 10000;
        std::vector<uint8_t> v;
        PutLe(v, file_.Position(), 8);
        PutLe(v, 0, 8); // creation date left as written
        PutLe(v, packets_, 8);
        PutLe(v, duration100ns, 8); // play duration
        PutLe(v, duration100ns, 8); // send duration
        file_.WriteAt(fileSizeAt_, v.data(), 8);
        file_.WriteAt(fileSizeAt_ + 16, v.data() + 16, 24);
        std::vector<uint8_t> d;
        PutLe(d, 50 + packets_ * uint64_t(kPacketSize), 8);
        file_.WriteAt(dataSizeAt_, d.data(), 8);
        d.clear();
        PutLe(d, packets_, 8);
        file_.WriteAt(dataSizeAt_ + 8 + 16, d.data(), 8);
        return CloseOutput();
    }

private:
    std::vector<uint8_t> Header()
    {
        Guid fileId = {GetTickCount(), 0x4445, 0x5653, {'W', 'a', 'r', 'd', 'e', 'n', 0, 1}};
        std::vector<uint8_t> fileProps;
        PutGuid(fileProps, kFileProperties);
        PutLe(fileProps, 104, 8);
        PutGuid(fileProps, fileId);
        PutLe(fileProps, 0, 8); // file size, at close
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        PutLe(fileProps, (uint64_t(now.dwHighDateTime) << 32) | now.dwLowDateTime, 8);
        PutLe(fileProps, 0, 8); // packets, at close
        PutLe(fileProps, 0, 8); // play duration, at close
        PutLe(fileProps, 0, 8); // send duration, at close
        PutLe(fileProps, 0, 8); // preroll
        PutLe(fileProps, 0, 4); // flags: not a broadcast, no index
        PutLe(fileProps, kPacketSize, 4);
        PutLe(fileProps, kPacketSize, 4);
        PutLe(fileProps, 8000000, 4);

        std::vector<uint8_t> video;
        PutLe(video, uint32_t(width_), 4);
        PutLe(video, uint32_t(height_), 4);
        video.push_back(2);
        PutLe(video, 40, 2);
        PutLe(video, 40, 4);
        PutLe(video, uint32_t(width_), 4);
        PutLe(video, uint32_t(height_), 4);
        PutLe(video, 1, 2);
        PutLe(video, 24, 2);
        video.insert(video.end(), {'M', 'J', 'P', 'G'});
        PutLe(video, uint32_t(width_ * height_ * 3), 4);
        PutLe(video, 0, 16);
        std::vector<uint8_t> stream;
        PutGuid(stream, kStreamProperties);
        PutLe(stream, 78 + video.size(), 8);
        PutGuid(stream, kVideoMedia);
        PutGuid(stream, kNoErrorCorrection);
        PutLe(stream, 0, 8);
        PutLe(stream, video.size(), 4);
        PutLe(stream, 0, 4);
        PutLe(stream, 1, 2); // stream number 1
        PutLe(stream, 0, 4);
        stream.insert(stream.end(), video.begin(), video.end());

        std::vector<uint8_t> extension;
        PutGuid(extension, kHeaderExtension);
        PutLe(extension, 46, 8);
        PutGuid(extension, kReserved1);
        PutLe(extension, 6, 2);
        PutLe(extension, 0, 4);

        std::vector<uint8_t> h;
        PutGuid(h, kHeaderObject);
        PutLe(h, 30 + fileProps.size() + stream.size() + extension.size(), 8);
        PutLe(h, 3, 4);
        h.push_back(1);
        h.push_back(2);
        fileSizeAt_ = h.size() + 16 + 8 + 16;
        h.insert(h.end(), fileProps.begin(), fileProps.end());
        h.insert(h.end(), stream.begin(), stream.end());
        h.insert(h.end(), extension.begin(), extension.end());
        PutGuid(h, kDataObject);
        dataSizeAt_ = h.size();
        PutLe(h, 50, 8); // at close
        PutGuid(h, fileId);
        PutLe(h, 0, 8); // packets, at close
        h.push_back(1);
        h.push_back(1);
        return h;
    }

    size_t headerSize_ = 0;
    uint64_t fileSizeAt_ = 0, dataSizeAt_ = 0;
    uint64_t packets_ = 0;
    uint32_t firstMs_ = 0, lastMs_ = 0, maxObject_ = 0;
};

} // namespace

std::unique_ptr<VideoFileWriter> MakeAsfWriter()
{
    return std::unique_ptr<VideoFileWriter>(new AsfWriter);
}

std::unique_ptr<VideoFileWriter> MakeMp4Writer();

std::unique_ptr<VideoFileWriter> MakeVideoFileWriter(VideoContainer container)
{
    return container == VideoContainer::Asf ? MakeAsfWriter() : MakeMp4Writer();
}

} // namespace dev
