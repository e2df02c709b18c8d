#include "devices/framewell/Remote.h"

#include <cstring>

#include "devices/common/Text.h"

namespace fw {
namespace {

const DWORD kConnectMs = 5000;
const DWORD kAnswerMs = 15000; // a log-in, or a search's first hit, may wait on a busy station
const DWORD kIdleMs = 30000;   // a service silent this long is given up

bool TextArg(const char* text, size_t max, std::string& out)
{
    if (!text)
        return false;
    size_t n = strnlen(text, max + 1);
    if (n > max)
        return false;
    out.assign(text, n);
    return true;
}

} // namespace

bool MakeTarget(const char* address, const char* user, const char* password, int port, RemoteTarget& out)
{
    if (port <= 0 || port > FRAMEWELL_MAX_PORT || !TextArg(address, FRAMEWELL_ADDRESS_CHARS, out.address) ||
        out.address.empty() || !TextArg(user, FRAMEWELL_ACCOUNT_CHARS, out.user) ||
        !TextArg(password, FRAMEWELL_ACCOUNT_CHARS, out.password))
        return false;
    out.port = uint16_t(port);
    return true;
}

std::unique_ptr<dev::Channel> OpenFileChannel(const RemoteTarget& target, dev::Purpose purpose, const void* data,
                                              size_t size, HANDLE stop, std::vector<char>* extra)
{
    SOCKET s = dev::ConnectTcp(target.address, target.port, kConnectMs, stop);
    if (s == INVALID_SOCKET)
        return nullptr;
    std::unique_ptr<dev::Channel> channel(new dev::Channel(s));
    dev::HelloMsg hello = dev::MakeHello(purpose, "", target.user.c_str(), target.password.c_str());
    dev::WelcomeMsg welcome = {};
    if (!dev::Handshake(*channel, hello, data, size, kAnswerMs, stop, &welcome, extra) || welcome.code != 0)
        return nullptr;
    return channel;
}

bool WriteAt(HANDLE file, uint64_t offset, const char* data, size_t size)
{
    OVERLAPPED o = {};
    o.Offset = DWORD(offset);
    o.OffsetHigh = DWORD(offset >> 32);
    DWORD written = 0;
    return WriteFile(file, data, DWORD(size), &written, &o) && written == size;
}

RangeResult FetchRange(dev::Channel& channel, uint64_t offset, uint64_t end, HANDLE stop,
                       const std::function<bool(uint64_t at, const char* data, size_t size)>& sink)
{
    dev::FileRangeMsg range = {offset, end - offset};
    if (end <= offset)
        return RangeResult::Done;
    if (!channel.Send(dev::MsgFileRange, &range, sizeof range))
        return RangeResult::Failed;
    uint64_t at = offset;
    for (;;) {
        dev::Message m;
        dev::Wait r = channel.Receive(m, kIdleMs, stop);
        if (r == dev::Wait::Stopped)
            return RangeResult::Stopped;
        if (r != dev::Wait::Message)
            return RangeResult::Failed;
        if (m.kind == dev::MsgFileEnd) {
            dev::FileEndMsg e = {};
            if (m.data.size() < sizeof e)
                return RangeResult::Failed;
            std::memcpy(&e, m.data.data(), sizeof e);
            return e.code == 0 && at == end ? RangeResult::Done : RangeResult::Failed;
        }
        if (m.kind != dev::MsgFileData)
            continue;
        dev::FileDataMsg head = {};
        if (m.data.size() <= sizeof head)
            return RangeResult::Failed;
        std::memcpy(&head, m.data.data(), sizeof head);
        size_t n = m.data.size() - sizeof head;
        if (head.offset != at || n > end - at || !sink(at, m.data.data() + sizeof head, n))
            return RangeResult::Failed;
        at += n;
    }
}

bool Search::Start(const RemoteTarget& target, const dev::FileSearchMsg& query)
{
    channel_ = OpenFileChannel(target, dev::PurposeFileSearch, &query, sizeof query, stop_, nullptr);
    return channel_ && StartThread();
}

void Search::Run()
{
    for (;;) {
        dev::Message m;
        if (channel_->Receive(m, kIdleMs, stop_) != dev::Wait::Message || m.kind == dev::MsgFileEnd)
            break;
        if (m.kind != dev::MsgFileHit || m.data.size() < sizeof(dev::FileHitMsg))
            continue;
        dev::FileHitMsg hit;
        std::memcpy(&hit, m.data.data(), sizeof hit);
        std::string name = dev::FieldText(hit.name, sizeof hit.name);
        std::string path = dev::FieldText(hit.path, sizeof hit.path);
        FramewellTime start, end;
        static_assert(sizeof start == sizeof hit.start, "the same date-time record");
        std::memcpy(&start, &hit.start, sizeof start);
        std::memcpy(&end, &hit.end, sizeof end);
        if (Stopping())
            break; // closed: no callback after CloseSearch
        if (callback_)
            callback_(name.c_str(), hit.channel, path.c_str(), &start, &end, hit.size, context_);
    }
    channel_->Shutdown();
    InterlockedExchange(&finished_, 1);
}

Download::~Download()
{
    if (file_ != INVALID_HANDLE_VALUE)
        CloseHandle(file_);
}

bool Download::Start(const RemoteTarget& target, const std::string& remotePath, const std::string& localPath,
                     uint32_t bytesPerSecond)
{
    dev::FileFetchMsg request = {};
    if (dev::CopyText(request.path, remotePath.c_str()) != remotePath.size())
        return false;
    request.bytesPerSecond = bytesPerSecond;
    std::vector<char> extra;
    channel_ = OpenFileChannel(target, dev::PurposeFileFetch, &request, sizeof request, stop_, &extra);
    if (!channel_ || extra.size() < sizeof(dev::FileInfoMsg))
        return false;
    dev::FileInfoMsg info;
    std::memcpy(&info, extra.data(), sizeof info);
    size_ = info.size;
    localPath_ = localPath;
    file_ = CreateFileA(localPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file_ == INVALID_HANDLE_VALUE)
        return false;
    if (StartThread())
        return true;
    CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    DeleteFileA(localPath.c_str());
    return false;
}

void Download::Run()
{
    RangeResult r = FetchRange(*channel_, 0, size_, stop_, [&](uint64_t at, const char* data, size_t n) {
        if (!WriteAt(file_, at, data, n))
            return false;
        InterlockedExchange(&progress_, LONG(size_ ? (at + n) * 99 / size_ : 0));
        return true;
    });
    channel_->Shutdown();
    bool closed = CloseHandle(file_) != FALSE;
    file_ = INVALID_HANDLE_VALUE;
    if (r == RangeResult::Stopped)
        return; // closed by the caller: what arrived stays
    if (r != RangeResult::Done || !closed) {
        DeleteFileA(localPath_.c_str());
        InterlockedExchange(&progress_, kFailed);
        return;
    }
    InterlockedExchange(&progress_, kFinished);
}

} // namespace fw
