#include "devices/common/FileService.h"

#include <cctype>
#include <cstring>

#include "devices/common/Text.h"

namespace dev {
namespace {

class SystemClock : public PaceClock {
public:
    uint64_t NowMs() override
    {
        LARGE_INTEGER now, frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return uint64_t(now.QuadPart) / (uint64_t(frequency.QuadPart) / 1000);
    }
    bool Wait(DWORD ms, HANDLE stop) override
    {
        if (!stop) {
            Sleep(ms);
            return true;
        }
        return WaitForSingleObject(stop, ms) != WAIT_OBJECT_0;
    }
};

bool Stopped(HANDLE stop)
{
    return stop && WaitForSingleObject(stop, 0) == WAIT_OBJECT_0;
}

void SendEnd(Channel& channel, int32_t code, uint32_t count, uint64_t offset)
{
    FileEndMsg end = {code, count, offset};
    channel.Send(MsgFileEnd, &end, sizeof end);
}

void Refuse(Channel& channel, int32_t code)
{
    WelcomeMsg w = {};
    w.code = code;
    channel.Send(MsgWelcome, &w, sizeof w);
    channel.Finish(2000); // the refusal reaches the client before the connection ends
}

bool IsDeviceName(std::string part)
{
    size_t dot = part.find('.');
    if (dot != std::string::npos)
        part.resize(dot);
    while (!part.empty() && (part.back() == ' ' || part.back() == '.'))
        part.pop_back();
    for (char& c : part)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    static const char* kNames[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* n : kNames)
        if (part == n)
            return true;
    return part.size() == 4 && (part.compare(0, 3, "COM") == 0 || part.compare(0, 3, "LPT") == 0) && part[3] >= '0' &&
           part[3] <= '9';
}

void ServeSearch(FileServer& server, Channel& channel, const std::vector<char>& data, HANDLE stop,
                 const FileServeOptions& options)
{
    if (data.size() < sizeof(FileSearchMsg)) {
        Refuse(channel, kFileBadRequest);
        return;
    }
    FileSearchMsg query;
    std::memcpy(&query, data.data(), sizeof query);
    query.name[sizeof query.name - 1] = '\0';
    WelcomeMsg w = {};
    if (!channel.Send(MsgWelcome, &w, sizeof w))
        return;
    PaceClock& clock = options.clock ? *options.clock : SystemPaceClock();
    uint32_t count = 0;
    bool gone = false;
    bool ok = server.Search(query, [&](const FileHitMsg& found) {
        if (gone || Stopped(stop))
            return false;
        if (options.gapMs && count > 0 && !clock.Wait(options.gapMs, stop))
            return gone = true, false;
        FileHitMsg hit = found;
        hit.name[sizeof hit.name - 1] = '\0';
        hit.path[sizeof hit.path - 1] = '\0';
        if (!channel.Send(MsgFileHit, &hit, sizeof hit))
            return gone = true, false;
        ++count;
        return true;
    });
    if (gone || Stopped(stop))
        return; // the client sees the connection end without an end message: the search failed
    SendEnd(channel, ok ? 0 : kFileReadError, count, 0);
    channel.Finish(2000);
}

bool ReadAt(HANDLE file, uint64_t offset, char* buffer, DWORD size)
{
    OVERLAPPED o = {};
    o.Offset = DWORD(offset);
    o.OffsetHigh = DWORD(offset >> 32);
    DWORD got = 0;
    return ReadFile(file, buffer, size, &got, &o) && got == size;
}

uint64_t SizeOf(HANDLE file)
{
    LARGE_INTEGER size = {};
    return GetFileSizeEx(file, &size) && size.QuadPart > 0 ? uint64_t(size.QuadPart) : 0;
}

bool TakeRange(const Message& m, FileRangeMsg& range)
{
    if (m.kind != MsgFileRange || m.data.size() < sizeof range)
        return false;
    std::memcpy(&range, m.data.data(), sizeof range);
    return true;
}

void ServeFetch(FileServer& server, Channel& channel, const std::vector<char>& data, HANDLE stop,
                const FileServeOptions& options)
{
    if (data.size() < sizeof(FileFetchMsg)) {
        Refuse(channel, kFileBadRequest);
        return;
    }
    FileFetchMsg request;
    std::memcpy(&request, data.data(), sizeof request);
    std::string path = FieldText(request.path, sizeof request.path);
    HANDLE file = INVALID_HANDLE_VALUE;
    if (IsSafeFilePath(path) && server.MayServe(path))
        file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        Refuse(channel, kFileNotServed);
        return;
    }
    WelcomeMsg w = {};
    FileInfoMsg info = {SizeOf(file)};
    PaceClock& clock = options.clock ? *options.clock : SystemPaceClock();
    Pacer pacer(request.bytesPerSecond, clock.NowMs());
    std::vector<char> piece(kMaxFilePiece);
    bool pending = false;
    FileRangeMsg range = {};
    if (channel.Send(MsgWelcome, &w, sizeof w, &info, sizeof info)) {
        for (;;) {
            Message m;
            if (!pending) {
                Wait r = channel.Receive(m, options.idleMs, stop);
                if (r != Wait::Message)
                    break;
                if (!TakeRange(m, range))
                    continue;
            }
            pending = false;
            // The file may have grown (a recording still being written): its size now counts.
            uint64_t size = SizeOf(file);
            if (range.offset > size) {
                SendEnd(channel, kFileBadRequest, 0, range.offset);
                continue;
            }
            uint64_t end = range.length == 0 || range.length > size - range.offset ? size : range.offset + range.length;
            uint64_t at = range.offset;
            int32_t code = 0;
            bool first = true;
            while (at < end) {
                DWORD n = DWORD(end - at < kMaxFilePiece ? end - at : kMaxFilePiece);
                DWORD wait = pacer.Take(n, clock.NowMs());
                if (options.gapMs && !first && wait < options.gapMs)
                    wait = options.gapMs;
                first = false;
                if (wait && !clock.Wait(wait, stop))
                    goto done;
                if (!ReadAt(file, at, piece.data(), n)) {
                    code = kFileReadError;
                    break;
                }
                FileDataMsg head = {at};
                if (!channel.Send(MsgFileData, &head, sizeof head, piece.data(), n))
                    goto done;
                at += n;
                // A new range (a seek) replaces the one being sent.
                Wait r = channel.Receive(m, 0, stop);
                if (r == Wait::Closed || r == Wait::Stopped)
                    goto done;
                if (r == Wait::Message && TakeRange(m, range)) {
                    pending = true;
                    break;
                }
            }
            if (!pending)
                SendEnd(channel, code, 0, at);
        }
    }
done:
    CloseHandle(file);
}

} // namespace

PaceClock& SystemPaceClock()
{
    static SystemClock clock;
    return clock;
}

DWORD Pacer::Take(size_t bytes, uint64_t nowMs)
{
    if (rate_ == 0)
        return 0;
    // The pieces sent so far are due at startMs_ + sent_ / rate; this one waits for its turn.
    uint64_t dueMs = startMs_ + sent_ * 1000 / rate_;
    sent_ += bytes;
    if (nowMs > dueMs + 1000)
        startMs_ += nowMs - dueMs - 1000; // an idle pause earns at most one second of burst
    return dueMs > nowMs ? DWORD(dueMs - nowMs) : 0;
}

bool IsSafeFilePath(const std::string& path)
{
    if (path.size() < 4 || path.size() > 259)
        return false;
    if (!std::isalpha(static_cast<unsigned char>(path[0])) || path[1] != ':' || (path[2] != '\\' && path[2] != '/'))
        return false;
    if (path.find(':', 2) != std::string::npos)
        return false;
    size_t start = 3;
    while (start <= path.size()) {
        size_t sep = path.find_first_of("\\/", start);
        std::string part = path.substr(start, sep == std::string::npos ? std::string::npos : sep - start);
        if (part == ".." || part == "." || (sep != std::string::npos && part.empty()) || IsDeviceName(part))
            return false;
        if (part.find_first_of("*?\"<>|") != std::string::npos)
            return false;
        if (sep == std::string::npos)
            break;
        start = sep + 1;
    }
    for (char c : path)
        if (static_cast<unsigned char>(c) < 32)
            return false;
    return true;
}

void ServeFileConnection(FileServer& server, Channel& channel, const HelloMsg& hello, const std::vector<char>& data,
                         HANDLE stop, const FileServeOptions& options)
{
    if (hello.purpose != PurposeFileSearch && hello.purpose != PurposeFileFetch) {
        Refuse(channel, kFileBadRequest);
        return;
    }
    int code = server.Login(channel.PeerAddress(), FieldText(hello.user, sizeof hello.user),
                            FieldText(hello.password, sizeof hello.password));
    if (code != 0) {
        Refuse(channel, code);
        return;
    }
    if (hello.purpose == PurposeFileSearch)
        ServeSearch(server, channel, data, stop, options);
    else
        ServeFetch(server, channel, data, stop, options);
}

} // namespace dev
