#include "tests/devices/RemoteTestSupport.h"

#include <process.h>

#include <cstring>

#include "devices/common/Net.h"
#include "devices/common/Text.h"
#include "devices/depotix/Depotix.h"
#include "station/core/storage/FileServiceBridge.h"
#include "station/core/storage/RecordStore.h"

namespace {

// Serves exactly one path; everyone may log in.
class OnePathServer : public dev::FileServer {
public:
    explicit OnePathServer(const std::string& path) : path_(path) {}
    int Login(const std::string&, const std::string&, const std::string&) override { return 0; }
    bool Search(const dev::FileSearchMsg&, const std::function<bool(const dev::FileHitMsg&)>&) override { return true; }
    bool MayServe(const std::string& path) override { return path == path_; }

private:
    std::string path_;
};

uint32_t Next(uint32_t& seed)
{
    seed = seed * 1103515245u + 12345u;
    return seed >> 8;
}

std::vector<char> RandomBytes(uint32_t& seed, size_t n)
{
    std::vector<char> b(n);
    for (char& c : b)
        c = char(Next(seed));
    return b;
}

} // namespace

struct ServedFetch::Impl {
    OnePathServer server;
    std::unique_ptr<dev::Channel> client, served;
    HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread = nullptr;
    dev::FileServeOptions options;
    explicit Impl(const std::string& path) : server(path) {}
    static unsigned __stdcall Main(void* p)
    {
        Impl* self = static_cast<Impl*>(p);
        dev::HelloMsg hello;
        std::vector<char> data;
        if (!dev::ReceiveHello(*self->served, 10000, self->stop, &hello, &data))
            return 0;
        dev::ServeFileConnection(self->server, *self->served, hello, data, self->stop, self->options);
        return 0;
    }
};

ServedFetch::ServedFetch(const std::string& path, uint32_t bytesPerSecond, dev::PaceClock* clock)
    : impl_(new Impl(path))
{
    uint16_t port = 0;
    SOCKET listener = dev::ListenTcp(0, &port);
    SOCKET c = dev::ConnectTcp("127.0.0.1", port, 5000, nullptr);
    SOCKET s = accept(listener, nullptr, nullptr);
    closesocket(listener);
    impl_->client.reset(new dev::Channel(c));
    impl_->served.reset(new dev::Channel(s));
    impl_->options.clock = clock;
    impl_->thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &Impl::Main, impl_.get(), 0, nullptr));
    dev::HelloMsg hello = dev::MakeHello(dev::PurposeFileFetch, "", "u", "p");
    dev::FileFetchMsg request = {};
    dev::CopyText(request.path, path.c_str());
    request.bytesPerSecond = bytesPerSecond;
    dev::WelcomeMsg w = {};
    dev::Handshake(*impl_->client, hello, &request, sizeof request, 10000, nullptr, &w, nullptr);
}

ServedFetch::~ServedFetch()
{
    impl_->client->Shutdown();
    SetEvent(impl_->stop);
    WaitForSingleObject(impl_->thread, INFINITE);
    CloseHandle(impl_->thread);
    CloseHandle(impl_->stop);
}

bool ServedFetch::Receive(uint64_t offset, uint64_t length, std::vector<uint8_t>* out)
{
    out->clear();
    dev::FileRangeMsg range = {offset, length};
    if (!impl_->client->Send(dev::MsgFileRange, &range, sizeof range))
        return false;
    for (;;) {
        dev::Message m;
        if (impl_->client->Receive(m, 20000, nullptr) != dev::Wait::Message)
            return false;
        if (m.kind == dev::MsgFileEnd && m.data.size() >= sizeof(dev::FileEndMsg)) {
            dev::FileEndMsg e;
            std::memcpy(&e, m.data.data(), sizeof e);
            return e.code == 0;
        }
        if (m.kind == dev::MsgFileData && m.data.size() >= sizeof(dev::FileDataMsg))
            out->insert(out->end(), m.data.begin() + sizeof(dev::FileDataMsg), m.data.end());
    }
}

void WriteTestRecording(const std::string& path, dev::VideoContainer container, int frames, int width, int height)
{
    std::unique_ptr<dev::VideoFileWriter> writer = dev::MakeVideoFileWriter(container);
    if (!writer->Open(path, width, height))
        return;
    for (int i = 0; i < frames; ++i) {
        std::vector<uint8_t> jpeg = TestFrameJpeg(i, width, height);
        writer->AddFrame(jpeg.data(), jpeg.size(), 1000 + uint32_t(i) * 40);
    }
    writer->Close();
}

std::vector<WPARAM> WaitNotifications(VideoWindow& window, UINT message, int handle, WPARAM until, DWORD timeoutMs)
{
    std::vector<WPARAM> got;
    DWORD end = GetTickCount() + timeoutMs;
    while (int(end - GetTickCount()) > 0) {
        WPARAM wp = 0;
        LPARAM lp = 0;
        while (window.TakeAppMessage(message, &wp, &lp)) {
            if (lp != LPARAM(handle))
                continue;
            got.push_back(wp);
            if (wp == until)
                return got;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return got;
}

void SendGarbage(uint16_t port, uint32_t& seed)
{
    SOCKET s = dev::ConnectTcp("127.0.0.1", port, 5000, nullptr);
    if (s == INVALID_SOCKET)
        return;
    dev::Channel channel(s);
    int mode = int(Next(seed) % 5);
    dev::HelloMsg hello = dev::MakeHello(Next(seed) % 2 ? dev::PurposeFileFetch : dev::PurposeFileSearch, "", "u", "p");
    if (mode == 0) {
        std::vector<char> junk = RandomBytes(seed, 1 + Next(seed) % 3000);
        channel.SendRaw(junk.data(), junk.size());
    } else if (mode == 1) {
        hello.purpose = uint16_t(Next(seed));
        std::vector<char> data = RandomBytes(seed, Next(seed) % 600);
        channel.Send(dev::MsgHello, &hello, sizeof hello, data.data(), data.size());
    } else if (mode == 2) {
        // A hello whose data is cut short, or texts without terminators.
        std::vector<char> data = RandomBytes(seed, Next(seed) % 400);
        std::memset(hello.user, 'x', sizeof hello.user);
        channel.Send(dev::MsgHello, &hello, sizeof hello, data.data(), data.size());
    } else if (mode == 3) {
        // A fetch of an odd path, then ranges far outside any file.
        dev::FileFetchMsg request;
        std::vector<char> path = RandomBytes(seed, sizeof request.path);
        std::memcpy(request.path, path.data(), sizeof request.path);
        request.bytesPerSecond = Next(seed);
        hello.purpose = dev::PurposeFileFetch;
        channel.Send(dev::MsgHello, &hello, sizeof hello, &request, sizeof request);
        for (int i = 0; i < 4; ++i) {
            dev::FileRangeMsg range = {uint64_t(Next(seed)) << 20, uint64_t(Next(seed)) << 30};
            channel.Send(dev::MsgFileRange, &range, sizeof range);
        }
    } else {
        // A header that claims more than any message may hold.
        dev::WireHeader h = {0xFFFFFFF0u, dev::MsgHello, 0};
        channel.SendRaw(&h, sizeof h);
    }
    dev::Message m;
    channel.Receive(m, uint32_t(Next(seed) % 50), nullptr);
    channel.Abort();
}

GarbageServer::GarbageServer(uint32_t seed) : seed_(seed)
{
    listener_ = dev::ListenTcp(0, &port_);
    thread_ = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &GarbageServer::Main, this, 0, nullptr));
}

GarbageServer::~GarbageServer()
{
    closesocket(listener_);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
}

unsigned __stdcall GarbageServer::Main(void* self)
{
    static_cast<GarbageServer*>(self)->Run();
    return 0;
}

void GarbageServer::Run()
{
    for (;;) {
        SOCKET s = accept(listener_, nullptr, nullptr);
        if (s == INVALID_SOCKET)
            return;
        dev::Channel channel(s);
        dev::Message hello;
        channel.Receive(hello, 2000, nullptr);
        uint32_t& seed = seed_;
        dev::WelcomeMsg w = {};
        w.code = Next(seed) % 4 == 0 ? int32_t(Next(seed)) : 0;
        dev::FileInfoMsg info = {Next(seed) % 3 == 0 ? uint64_t(Next(seed)) << 24 : Next(seed) % 200000};
        channel.Send(dev::MsgWelcome, &w, sizeof w, &info, Next(seed) % 2 ? sizeof info : Next(seed) % 8);
        uint64_t at = 0;
        int messages = int(Next(seed) % 40);
        for (int i = 0; i < messages; ++i) {
            switch (Next(seed) % 6) {
            case 0: {
                std::vector<char> hit = RandomBytes(seed, sizeof(dev::FileHitMsg) + Next(seed) % 3);
                channel.Send(dev::MsgFileHit, hit.data(), hit.size());
                break;
            }
            case 1: {
                // A piece in order most of the time, so that a job gets some way before failing.
                dev::FileDataMsg head = {Next(seed) % 4 ? at : uint64_t(Next(seed))};
                std::vector<char> data = RandomBytes(seed, Next(seed) % 40000);
                channel.Send(dev::MsgFileData, &head, sizeof head, data.data(), data.size());
                at += data.size();
                break;
            }
            case 2: {
                dev::FileEndMsg e = {int32_t(Next(seed) % 3) - 1, Next(seed), uint64_t(Next(seed))};
                channel.Send(dev::MsgFileEnd, &e, Next(seed) % 2 ? sizeof e : Next(seed) % 16);
                break;
            }
            case 3: {
                std::vector<char> junk = RandomBytes(seed, Next(seed) % 100);
                channel.SendRaw(junk.data(), junk.size());
                break;
            }
            default: {
                std::vector<char> data = RandomBytes(seed, Next(seed) % 64);
                channel.Send(uint16_t(Next(seed)), data.data(), data.size());
            }
            }
        }
        channel.Abort();
    }
}

namespace {

int CALLBACK StationLogIn(const char*, const char* user, const char* password)
{
    return std::string(user) == "admin" && std::string(password) == "1234" ? 0 : -1;
}

} // namespace

StationFileServer::StationFileServer(const std::string& storageDir) : clock_(2026, 12, 7, 10, 0, 0)
{
    CreateDirectoryA(storageDir.c_str(), nullptr);
    StoragePathEntry entry = MakeEntry("C:", 0, storageDir);
    theRecordStore.SetStoragePaths(&entry, 1);
    theRecordStore.SetOwner(&owner_);
    Depotix_Init();
    Depotix_SetLoginCallback(StationLogIn);
    Depotix_SetEventCallback(reinterpret_cast<DepotixEventCallback>(&FileServiceQueryCallback));
}

StationFileServer::~StationFileServer()
{
    Depotix_Stop();
    Depotix_Cleanup();
    theRecordStore.SetOwner(nullptr);
    theRecordStore.SetStoragePaths(nullptr, 0);
}

std::string StationFileServer::Record(const char* name, int channel, int reason, int hour, int minute, int frames,
                                      int width, int height)
{
    clock_.Set(2026, 12, 7, hour, minute, 0);
    char path[MAX_PATH] = "";
    if (theRecordStore.BeginRecordFile(name, channel, path, reason) != 1)
        return std::string();
    WriteTestRecording(path, dev::VideoContainer::Mp4, frames, width, height);
    // The index takes a recording's end from its file's time: as if it ended when its pictures did.
    const int seconds = (frames * 40 + 999) / 1000;
    SYSTEMTIME local = {2026, 12, 0, 7, WORD(hour), WORD(minute), WORD(seconds), 0}, utc;
    FILETIME when;
    HANDLE file = CreateFileA(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        if (TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) && SystemTimeToFileTime(&utc, &when))
            SetFileTime(file, nullptr, nullptr, &when);
        CloseHandle(file);
    }
    return path;
}

int StationFileServer::Start()
{
    Depotix_Stop();
    port_ = Depotix_Start(0, 0);
    return port_;
}

void StationFileServer::Stop()
{
    Depotix_Stop();
}
