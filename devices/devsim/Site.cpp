// Loading the site description, the listeners, and what each kind of connection is served.
#include "devices/devsim/Site.h"

#include <process.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <functional>

#include "devices/common/FrameCodec.h"
#include "devices/common/Jpeg.h"
#include "devices/devsim/Picture.h"
#include "devices/common/SerialFrames.h"
#include "devices/common/Text.h"

namespace devsim {

namespace {

struct ThreadStart {
    void (*fn)(void*);
    void* arg;
};

unsigned __stdcall ThreadMain(void* p)
{
    ThreadStart start = *static_cast<ThreadStart*>(p);
    delete static_cast<ThreadStart*>(p);
    start.fn(start.arg);
    return 0;
}

// Runs a callable on a new thread; the handle is the caller's to wait on and close.
HANDLE Spawn(std::function<void()> work)
{
    auto* heap = new std::function<void()>(std::move(work));
    HANDLE h = StartThread(
        [](void* p) {
            auto* w = static_cast<std::function<void()>*>(p);
            (*w)();
            delete w;
        },
        heap);
    if (!h)
        delete heap;
    return h;
}

std::string IniString(const std::string& path, const std::string& section, const char* key, const char* def)
{
    char buf[512];
    GetPrivateProfileStringA(section.c_str(), key, def, buf, sizeof buf, path.c_str());
    return buf;
}

int IniInt(const std::string& path, const std::string& section, const char* key, int def)
{
    std::string v = IniString(path, section, key, "");
    return v.empty() ? def : int(std::strtol(v.c_str(), nullptr, 0));
}

// "COM2" or "2" -> index 1; empty or "0" -> -1.
int ComIndex(const std::string& text)
{
    const char* p = text.c_str();
    if (_strnicmp(p, "COM", 3) == 0)
        p += 3;
    int n = std::atoi(p);
    return n >= 1 ? n - 1 : -1;
}

dev::SerialLine IniLine(const std::string& path, const std::string& section, const std::string& prefix)
{
    dev::SerialLine l;
    l.baud = IniInt(path, section, (prefix + "Baud").c_str(), 9600);
    l.dataBits = uint8_t(IniInt(path, section, (prefix + "DataBits").c_str(), 8));
    l.stopBits = uint8_t(IniInt(path, section, (prefix + "StopBits").c_str(), 1));
    l.parity = uint8_t(IniInt(path, section, (prefix + "Parity").c_str(), 0));
    l.flow = 0;
    return l;
}

int Clamp(int v, int lo, int hi)
{
    return v < lo ? lo : v > hi ? hi : v;
}

} // namespace

bool SameLine(const dev::SerialLine& a, const dev::SerialLine& b)
{
    return a.baud == b.baud && a.dataBits == b.dataBits && a.stopBits == b.stopBits && a.parity == b.parity;
}

HANDLE StartThread(void (*fn)(void*), void* arg)
{
    auto* start = new ThreadStart{fn, arg};
    uintptr_t h = _beginthreadex(nullptr, 0, ThreadMain, start, 0, nullptr);
    if (!h)
        delete start;
    return reinterpret_cast<HANDLE>(h);
}

Site::Site()
{
    InitializeCriticalSection(&lock_);
}

Site::~Site()
{
    StopAll();
    DeleteCriticalSection(&lock_);
}

void Site::Log(const char* format, ...)
{
    if (!verbose_)
        return;
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    std::printf("\n");
    std::fflush(stdout);
    va_end(args);
}

bool Site::Load(const std::string& iniPath, bool freePorts)
{
    char full[MAX_PATH];
    if (!GetFullPathNameA(iniPath.c_str(), sizeof full, full, nullptr) ||
        GetFileAttributesA(full) == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "devsim: cannot read the site description %s\n", iniPath.c_str());
        return false;
    }
    std::string path = full;
    auto port = [&](const std::string& section, const char* key, int def) {
        return freePorts ? uint16_t(0) : uint16_t(Clamp(IniInt(path, section, key, def), 0, 65535));
    };
    control_.port = port("Site", "ControlPort", 0);
    site_.port = port("Site", "SitePort", 0);
    ddns_.port = port("Site", "DdnsPort", 0);

    // Each server keeps its own recordings in a folder of its name below this one.
    std::string recordings = IniString(path, "Site", "Recordings", "");
    if (!recordings.empty()) {
        std::string folder = path.substr(0, path.find_last_of("\\/") + 1);
        char resolved[MAX_PATH];
        std::string joined = recordings.size() > 1 && recordings[1] == ':' ? recordings : folder + recordings;
        if (!GetFullPathNameA(joined.c_str(), sizeof resolved, resolved, nullptr)) {
            std::fprintf(stderr, "devsim: the recordings folder %s cannot be used\n", recordings.c_str());
            return false;
        }
        recordings = resolved;
        CreateDirectoryA(recordings.c_str(), nullptr);
    }

    station_.comPorts = Clamp(IniInt(path, "Station", "ComPorts", 6), 0, 16);
    station_.linkPort = ComIndex(IniString(path, "Station", "LinkDevice", ""));
    station_.linkAddress = IniInt(path, "Station", "LinkAddress", 1);
    station_.linkLine = IniLine(path, "Station", "Link");
    station_.keyboardPort = ComIndex(IniString(path, "Station", "Keyboard", ""));
    station_.keyboardLine = IniLine(path, "Station", "Keyboard");
    station_.alarmInputPort = ComIndex(IniString(path, "Station", "AlarmInput", ""));

    char names[8192];
    DWORD n = GetPrivateProfileSectionNamesA(names, sizeof names, path.c_str());
    for (const char* section = names; section < names + n && *section; section += std::strlen(section) + 1) {
        if (_strnicmp(section, "Server", 6) != 0 || _stricmp(section, "Servers") == 0)
            continue;
        auto s = std::make_unique<Server>();
        s->name = IniString(path, section, "Name", section);
        if (s->name.empty() || s->name.find_first_of(" \t") != std::string::npos || FindServer(s->name)) {
            std::fprintf(stderr, "devsim: server name \"%s\" in [%s] is empty, has blanks or is used twice\n",
                         s->name.c_str(), section);
            return false;
        }
        s->listener.port = port(section, "Port", 0);
        s->user = IniString(path, section, "User", "admin");
        s->password = IniString(path, section, "Password", "admin");
        s->ddnsName = IniString(path, section, "DdnsName", s->name.c_str());
        s->ptzDescription = IniString(path, section, "PtzDescription", "PTZ delay200");
        s->channels = Clamp(IniInt(path, section, "Channels", 4), 1, 32);
        s->maxUsers = Clamp(IniInt(path, section, "MaxUsers", 64), 0, 1024);
        s->cameraInputs = Clamp(IniInt(path, section, "CameraInputs", 0), 0, 4);
        s->audio = IniInt(path, section, "Audio", 1) ? 1 : 0;
        s->sensors = Clamp(IniInt(path, section, "Sensors", 4), 0, 4);
        s->relays = Clamp(IniInt(path, section, "Relays", 4), 0, 4);
        s->width = Clamp(IniInt(path, section, "Width", 352), 64, 1280) & ~1;
        s->height = Clamp(IniInt(path, section, "Height", 288), 48, 1024) & ~1;
        s->frameRate = Clamp(IniInt(path, section, "FrameRate", 25), 1, 60);
        s->search = Clamp(IniInt(path, section, "Search", 1), 0, 2);
        int index = int(servers_.size()) + 1;
        const uint8_t mac[6] = {0x00, 0x1C, 0x27, 0x5E, uint8_t(index >> 8), uint8_t(index)};
        std::memcpy(s->mac, mac, 6);
        s->cameras.resize(size_t(s->channels));
        for (CameraState& c : s->cameras)
            c.params[12] = 1; // PTZ device address
        s->box.present = IniInt(path, section, "AlarmBox", 0) != 0;
        s->box.address = IniInt(path, section, "BoxAddress", 1) & 0xFF;
        s->box.serialPort = IniInt(path, section, "BoxSerial", 0);
        s->box.line = IniLine(path, section, "Box");
        s->listener.running = IniInt(path, section, "Running", 1) != 0;
        if (!recordings.empty())
            s->recordings = recordings + "\\" + s->name;
        s->recorders.resize(size_t(s->channels));
        servers_.push_back(std::move(s));
    }
    return true;
}

Server* Site::FindServer(const std::string& name)
{
    for (auto& s : servers_)
        if (s->name == name)
            return s.get();
    return nullptr;
}

bool Site::StartListener(Listener& l, int kind, Server* server)
{
    uint16_t bound = 0;
    SOCKET s = dev::ListenTcp(l.port, &bound);
    if (s == INVALID_SOCKET)
        return false;
    {
        Lock lock(lock_);
        l.socket = s;
        l.port = bound;
        l.running = true;
    }
    Listener* lp = &l;
    l.thread = Spawn([this, lp, kind, server] { AcceptLoop(lp, kind, server); });
    return l.thread != nullptr;
}

void Site::StopListener(Listener& l)
{
    SOCKET s;
    {
        Lock lock(lock_);
        l.running = false;
        s = l.socket;
        l.socket = INVALID_SOCKET;
    }
    if (s != INVALID_SOCKET)
        closesocket(s); // ends the blocking accept
    if (l.thread) {
        WaitForSingleObject(l.thread, INFINITE);
        CloseHandle(l.thread);
        l.thread = nullptr;
    }
}

bool Site::StartAll()
{
    if (!StartListener(control_, KindControl, nullptr) || !StartListener(site_, KindSite, nullptr) ||
        !StartListener(ddns_, KindDdns, nullptr)) {
        std::fprintf(stderr, "devsim: cannot listen on the control, site or DDNS port\n");
        return false;
    }
    for (auto& s : servers_) {
        bool wanted = s->listener.running;
        s->listener.running = false;
        // A server described as not running still gets its port now, so the ports file is complete.
        if (!StartServer(*s)) {
            std::fprintf(stderr, "devsim: server %s cannot listen on port %u\n", s->name.c_str(), s->listener.port);
            return false;
        }
        if (!wanted)
            StopServer(*s);
    }
    return true;
}

void Site::StopAll()
{
    for (auto& s : servers_) {
        StopServer(*s);
        Lock lock(lock_);
        for (auto& r : s->recorders)
            r.reset(); // completes the recording
    }
    StopListener(ddns_);
    StopListener(site_);
    std::vector<ConnectionPtr> site;
    {
        Lock lock(lock_);
        site.swap(siteConnections_);
    }
    DropConnections(site);
    StopListener(control_);
}

bool Site::StartServer(Server& s)
{
    if (s.listener.running)
        return true;
    return StartListener(s.listener, KindServer, &s);
}

void Site::StopServer(Server& s)
{
    StopListener(s.listener);
    std::vector<ConnectionPtr> list;
    {
        Lock lock(lock_);
        list = s.connections;
    }
    DropConnections(list);
}

void Site::DropConnections(std::vector<ConnectionPtr>& list)
{
    for (auto& c : list) {
        SetEvent(c->stop);
        SetEvent(c->wake);
        c->channel->Abort();
    }
    for (auto& c : list)
        WaitForSingleObject(c->done, 10000);
}

void Site::AcceptLoop(Listener* l, int kind, Server* server)
{
    for (;;) {
        SOCKET s = accept(l->socket, nullptr, nullptr);
        if (s == INVALID_SOCKET)
            return;
        auto c = std::make_shared<Connection>();
        c->channel.reset(new dev::Channel(s));
        c->server = server;
        {
            Lock lock(lock_);
            if (!l->running) {
                c->channel->Abort();
                return;
            }
            // Registered before it is served (the serving needs the lock to leave the list again).
            if (kind != KindControl)
                (server ? server->connections : siteConnections_).push_back(c);
            if (server)
                ++server->accepted;
        }
        // Control clients live until they hang up or devsim ends; nobody waits for them.
        servingThreads_.Run([this, c, kind] { Serve(c, kind); });
    }
}

void Site::Welcome(const ConnectionPtr& c, int code, const void* extra, size_t size)
{
    dev::WelcomeMsg w = {};
    w.code = code;
    if (Server* s = c->server) {
        Lock lock(lock_);
        w.channels = s->channels;
        w.cameraInputs = s->cameraInputs;
        w.audio = s->audio;
        w.width = s->width;
        w.height = s->height;
        w.frameRate = s->frameRate;
        w.sensors = s->sensors;
        w.relays = s->relays;
    }
    c->channel->Send(dev::MsgWelcome, &w, sizeof w, extra, size);
}

bool Site::Admit(const ConnectionPtr& c, int code)
{
    Welcome(c, code);
    if (code != 0)
        c->channel->Finish(2000); // the refusal reaches the client before the connection ends
    return code == 0;
}

bool Site::TakeFault(Server& s, const char* purpose, int* code)
{
    Lock lock(lock_);
    auto it = s.faults.find(purpose);
    if (it == s.faults.end())
        return false;
    *code = it->second.code;
    if (it->second.remaining > 0 && --it->second.remaining == 0)
        s.faults.erase(it);
    return true;
}

void Site::Serve(ConnectionPtr c, int kind)
{
    if (kind == KindControl) {
        ServeControl(c);
        SetEvent(c->done);
        return;
    }
    dev::HelloMsg hello;
    std::vector<char> data;
    if (dev::ReceiveHello(*c->channel, 10000, c->stop, &hello, &data)) {
        if (kind == KindServer)
            ServeServerConnection(c, hello, data);
        else if (kind == KindSite)
            ServeSite(c, hello);
        else if (kind == KindDdns)
            ServeDdns(c, hello);
    }
    if (!c->streamed)
        EndServing(c);
}

void Site::EndServing(const ConnectionPtr& c)
{
    {
        Lock lock(lock_);
        auto& list = c->server ? c->server->connections : siteConnections_;
        for (size_t i = 0; i < list.size(); ++i)
            if (list[i] == c) {
                list.erase(list.begin() + ptrdiff_t(i));
                break;
            }
    }
    SetEvent(c->done);
}

static const char* PurposeName(int purpose)
{
    switch (purpose) {
    case dev::PurposeLive:
        return "live";
    case dev::PurposeRequest:
        return "request";
    case dev::PurposeJpeg:
        return "jpeg";
    case dev::PurposeSerial:
        return "serial";
    case dev::PurposeTalk:
        return "talk";
    case dev::PurposeBroadcast:
        return "broadcast";
    case dev::PurposeFileSearch:
        return "search";
    case dev::PurposeFileFetch:
        return "fetch";
    default:
        return "";
    }
}

// A live connection on a streaming thread: the commands of the client and the pictures of its camera.
class Site::LiveClient : public LiveStreams::Client {
public:
    LiveClient(Site* site, ConnectionPtr c)
        : site_(site), c_(std::move(c)), s_(*c_->server), camera_(c_->camera),
          picture_(s_.width, s_.height, s_.name, camera_), next_(GetTickCount())
    {
    }
    HANDLE Readable() const override { return c_->channel->ReadEvent(); }
    HANDLE Dropped() const override { return c_->stop; }
    bool TakeArrivals() override;
    DWORD NextPictureMs() override;
    bool SendPicture() override;
    void Ended() override { site_->EndServing(c_); }

private:
    void Command(const dev::CommandMsg& cmd, const uint8_t* extra, size_t extraSize);

    Site* site_;
    ConnectionPtr c_;
    Server& s_;
    int camera_;
    PictureMaker picture_;
    std::vector<uint8_t> rle_;
    // The channel opens with one picture and then waits for the client's wish: a client that
    // connects many channels nobody watches gets no pictures it does not want meanwhile.
    bool streaming_ = true, opening_ = true;
    uint32_t frameNo_ = 0;
    DWORD next_;
};

// A request connection stays open for the client's next request, which logs in again with a Hello
// of its own and is checked as the first one was; the client closes it, or it ends after sitting
// idle longer than any client keeps one.
void Site::ServeServerConnection(ConnectionPtr c, dev::HelloMsg hello, std::vector<char> data)
{
    const DWORD kRequestIdleMs = 10000;
    bool more = ServeServer(c, hello, data);
    while (more) {
        if (!dev::ReceiveHello(*c->channel, kRequestIdleMs, c->stop, &hello, &data)) {
            c->channel->Shutdown();
            return;
        }
        more = hello.purpose == dev::PurposeRequest ? ServeServer(c, hello, data) : Admit(c, -1);
    }
}

// True when the connection answered a request and may carry the next one.
bool Site::ServeServer(ConnectionPtr c, const dev::HelloMsg& hello, const std::vector<char>& data)
{
    Server& s = *c->server;
    c->purpose = hello.purpose;
    if (!WaitSlowDelay(c))
        return false;
    int code = 0;
    if (TakeFault(s, PurposeName(hello.purpose), &code)) {
        Admit(c, code);
        return false;
    }
    bool noLogin = hello.purpose == dev::PurposeRequest && hello.op == dev::OpQueryDevice;
    if (!noLogin && (dev::FieldText(hello.user, sizeof hello.user) != s.user ||
                     dev::FieldText(hello.password, sizeof hello.password) != s.password)) {
        Log("%s: log-in refused", s.name.c_str());
        Admit(c, -102);
        return false;
    }
    switch (hello.purpose) {
    case dev::PurposeLive: {
        {
            Lock lock(lock_);
            int users = 0;
            for (auto& other : s.connections)
                users += other->loggedIn && other->purpose == dev::PurposeLive;
            if (hello.channel < 0 || hello.channel >= s.channels)
                code = -106;
            else if (users >= s.maxUsers)
                code = -103;
            c->camera = hello.channel;
            c->loggedIn = code == 0;
        }
        if (Admit(c, code)) {
            c->streamed = true; // its streaming thread ends its serving
            liveStreams_.Add(std::unique_ptr<LiveStreams::Client>(new LiveClient(this, c)));
        }
        return false;
    }
    case dev::PurposeRequest:
        return ServeRequest(c, hello, data);
    case dev::PurposeJpeg:
        Welcome(c, 0);
        ServeJpeg(c);
        return false;
    case dev::PurposeSerial: {
        {
            Lock lock(lock_);
            c->camera = hello.channel; // the serial port
            c->line = hello.line;
            if (s.box.present && hello.channel == s.box.serialPort) {
                if (s.box.open)
                    code = -1; // the port is taken
                else
                    s.box.open = true;
            }
            c->loggedIn = code == 0;
        }
        if (Admit(c, code))
            ServeSerial(c);
        return false;
    }
    case dev::PurposeTalk:
    case dev::PurposeBroadcast: {
        bool talk = hello.purpose == dev::PurposeTalk;
        {
            Lock lock(lock_);
            if (talk && s.talking)
                code = -104;
            else if (talk)
                s.talking = true;
            c->loggedIn = code == 0;
        }
        if (Admit(c, code))
            ServeAudio(c, talk);
        return false;
    }
    case dev::PurposeFileSearch:
    case dev::PurposeFileFetch:
        ServeFiles(c, hello, data);
        return false;
    default:
        Admit(c, -1);
        return false;
    }
}

// A slow server answers late: the delay as it is set now, counted from the hello. It ends early when
// the delay is changed (the new one counts), the client leaves or the site drops the connection;
// false then, and the connection is over.
bool Site::WaitSlowDelay(const ConnectionPtr& c)
{
    DWORD start = GetTickCount();
    for (;;) {
        DWORD delay;
        {
            Lock lock(lock_);
            delay = DWORD(c->server->slowMs);
        }
        DWORD spent = GetTickCount() - start;
        if (spent >= delay)
            return true;
        // Nothing comes before the welcome but the client's leaving.
        dev::Message ignored;
        dev::Wait r = c->channel->Receive(ignored, delay - spent, c->wake);
        if (r == dev::Wait::Closed || WaitForSingleObject(c->stop, 0) == WAIT_OBJECT_0)
            return false;
    }
}

void Site::BroadcastEvent(Server& s, int camera, int type, int value)
{
    std::vector<ConnectionPtr> targets;
    {
        Lock lock(lock_);
        for (auto& c : s.connections)
            if (c->loggedIn && c->purpose == dev::PurposeLive && (camera < 0 || c->camera == camera))
                targets.push_back(c);
    }
    dev::EventMsg e = {type, value};
    for (auto& c : targets)
        c->channel->Send(dev::MsgEvent, &e, sizeof e);
}

bool Site::LiveClient::TakeArrivals()
{
    for (;;) {
        dev::Message m;
        dev::Wait r = c_->channel->Receive(m, 0, c_->stop);
        if (r == dev::Wait::Closed || r == dev::Wait::Stopped)
            return false;
        if (r == dev::Wait::Timeout)
            return true;
        if (m.kind == dev::MsgCommand && m.data.size() >= sizeof(dev::CommandMsg)) {
            dev::CommandMsg cmd;
            std::memcpy(&cmd, m.data.data(), sizeof cmd);
            Command(cmd, reinterpret_cast<const uint8_t*>(m.data.data()) + sizeof cmd, m.data.size() - sizeof cmd);
        }
    }
}

void Site::LiveClient::Command(const dev::CommandMsg& cmd, const uint8_t* extra, size_t extraSize)
{
    Server& s = s_;
    int camera = camera_;
    char entry[1200];
    switch (cmd.op) {
    case dev::CmdStream:
        if (!streaming_ && cmd.a && int(GetTickCount() - next_) > 0)
            next_ = GetTickCount(); // resumes at once, then at the usual pace
        streaming_ = cmd.a != 0;
        opening_ = false;
        break;
    case dev::CmdPtz: {
        Lock lock(site_->lock_);
        std::snprintf(entry, sizeof entry, "%d:%d:%d", camera, cmd.a, cmd.b);
        s.ptzLog.push_back(entry);
        break;
    }
    case dev::CmdSerial: {
        int n = std::snprintf(entry, sizeof entry, "%d:serial%d:", camera, cmd.a);
        for (size_t i = 0; i < extraSize && n + 3 < int(sizeof entry); ++i)
            n += std::snprintf(entry + n, sizeof entry - size_t(n), "%02X", extra[i]);
        Lock lock(site_->lock_);
        s.ptzLog.push_back(entry);
        break;
    }
    case dev::CmdAlarmOutput: {
        int states;
        {
            Lock lock(site_->lock_);
            if (cmd.a < 0 || cmd.a >= s.relays)
                break;
            if (cmd.b)
                s.relayStates = uint8_t(s.relayStates | (1 << cmd.a));
            else
                s.relayStates = uint8_t(s.relayStates & ~(1 << cmd.a));
            states = s.relayStates;
        }
        site_->BroadcastEvent(s, -1, 5, states);
        break;
    }
    case dev::CmdClearAlarm: {
        Lock lock(site_->lock_);
        ++s.clears;
        break;
    }
    case dev::CmdSelectCamera:
        if (cmd.a >= 0 && cmd.a <= 4) {
            {
                Lock lock(site_->lock_);
                s.cameras[size_t(camera)].input = cmd.a;
            }
            site_->BroadcastEvent(s, camera, 6, cmd.a);
        }
        break;
    }
}

DWORD Site::LiveClient::NextPictureMs()
{
    if (!streaming_)
        return INFINITE;
    int left = int(next_ - GetTickCount());
    return left > 0 ? DWORD(left) : 0;
}

bool Site::LiveClient::SendPicture()
{
    DWORD interval;
    bool noVideo;
    int input;
    {
        Lock lock(site_->lock_);
        noVideo = s_.cameras[size_t(camera_)].noVideo;
        input = s_.cameras[size_t(camera_)].input;
        interval = noVideo ? 200 : DWORD(1000 / s_.frameRate);
        if (DWORD(s_.slowMs) > interval)
            interval = DWORD(s_.slowMs);
    }
    ++frameNo_;
    picture_.Draw(frameNo_, noVideo, input);
    dev::EncodeRle8(picture_.Pixels(), s_.width, s_.height, rle_);
    dev::FrameHeader h = {frameNo_,           GetTickCount(),      uint16_t(camera_),
                          uint16_t(s_.width), uint16_t(s_.height), uint8_t(noVideo ? 1 : 0),
                          uint8_t(input)};
    if (!c_->channel->Send(dev::MsgFrame, &h, sizeof h, rle_.data(), rle_.size()))
        return false;
    {
        Lock lock(site_->lock_);
        ++s_.cameras[size_t(camera_)].framesSent;
    }
    next_ += interval;
    streaming_ = streaming_ && !opening_;
    opening_ = false;
    if (int(GetTickCount() - next_) > int(interval) * 2)
        next_ = GetTickCount() + interval; // fell behind: do not burst
    return true;
}

bool Site::ServeRequest(ConnectionPtr c, const dev::HelloMsg& hello, const std::vector<char>& data)
{
    Server& s = *c->server;
    std::vector<char> answer;
    int code = 0;
    int event = -1, eventValue = 0;
    {
        Lock lock(lock_);
        bool needsChannel = hello.op == dev::OpGetParams || hello.op == dev::OpSetParams ||
                            hello.op == dev::OpGetPtzDescription || hello.op == dev::OpStartServerRecord ||
                            hello.op == dev::OpStopServerRecord || hello.op == dev::OpCaptureServerJpeg;
        CameraState* cam =
            hello.channel >= 0 && hello.channel < s.channels ? &s.cameras[size_t(hello.channel)] : nullptr;
        if (needsChannel && !cam) {
            code = -106;
        } else {
            switch (hello.op) {
            case dev::OpLogin:
                break;
            case dev::OpQueryDevice: {
                dev::QueryDeviceAnswer q = {s.channels, s.sensors, s.relays};
                answer.assign(reinterpret_cast<char*>(&q), reinterpret_cast<char*>(&q) + sizeof q);
                break;
            }
            case dev::OpGetParams:
                answer.assign(cam->params, cam->params + 16);
                break;
            case dev::OpSetParams:
                if (data.size() != 16)
                    code = -1;
                else
                    std::memcpy(cam->params, data.data(), 16);
                break;
            case dev::OpGetAlarmOutputs:
                for (int i = 0; i < 4; ++i)
                    answer.push_back(char((s.relayStates >> i) & 1));
                break;
            case dev::OpGetPtzDescription:
                answer.assign(s.ptzDescription.begin(), s.ptzDescription.end());
                break;
            case dev::OpStartServerRecord:
            case dev::OpStopServerRecord:
                cam->serverRecording = hello.op == dev::OpStartServerRecord;
                if (!s.recordings.empty()) {
                    std::unique_ptr<CameraRecorder>& r = s.recorders[size_t(hello.channel)];
                    if (!cam->serverRecording)
                        r.reset(); // its thread never takes the site's lock
                    else if (!r)
                        r.reset(
                            new CameraRecorder(s.recordings, s.name, hello.channel, s.width, s.height, s.frameRate));
                }
                event = 11;
                eventValue = cam->serverRecording ? 1 : 0;
                break;
            case dev::OpCaptureServerJpeg:
                ++cam->captures;
                break;
            default:
                code = -1;
            }
        }
    }
    Welcome(c, code, answer.data(), answer.size());
    if (event >= 0)
        BroadcastEvent(s, hello.channel, event, eventValue);
    if (code != 0)
        c->channel->Finish(2000); // a refused request ends its connection, as a refused log-in does
    return code == 0;
}

void Site::ServeJpeg(ConnectionPtr c)
{
    Server& s = *c->server;
    std::map<int, std::unique_ptr<PictureMaker>> pictures;
    uint32_t count = 0;
    for (;;) {
        dev::Message m;
        dev::Wait r = c->channel->Receive(m, INFINITE, c->stop);
        if (r != dev::Wait::Message)
            return;
        if (m.kind != dev::MsgJpegRequest || m.data.size() < sizeof(dev::JpegRequestMsg))
            continue;
        dev::JpegRequestMsg req;
        std::memcpy(&req, m.data.data(), sizeof req);
        bool noVideo;
        {
            Lock lock(lock_);
            if (req.channel < 0 || req.channel >= s.channels)
                continue;
            noVideo = s.cameras[size_t(req.channel)].noVideo;
        }
        auto& pm = pictures[req.channel];
        if (!pm)
            pm.reset(new PictureMaker(s.width, s.height, s.name, req.channel));
        pm->Draw(++count, noVideo, 0);
        std::vector<uint8_t> rgb, jpeg;
        dev::IndexedToRgb(pm->Pixels(), s.width, s.height, rgb);
        char comment[96];
        std::snprintf(comment, sizeof comment, "server=%s channel=%d picture=%u", s.name.c_str(), req.channel, count);
        dev::EncodeJpeg(rgb.data(), s.width, s.height, req.quality, jpeg, comment);
        dev::JpegRequestMsg head = {req.channel, req.quality};
        if (!c->channel->Send(dev::MsgJpeg, &head, sizeof head, jpeg.data(), jpeg.size()))
            return;
    }
}

void Site::ServeSerial(ConnectionPtr c)
{
    Server& s = *c->server;
    std::vector<uint8_t> buffer;
    for (;;) {
        dev::Message m;
        if (c->channel->Receive(m, INFINITE, c->stop) != dev::Wait::Message)
            break;
        if (m.kind != dev::MsgSerialData)
            continue;
        bool toBox;
        {
            Lock lock(lock_);
            toBox = s.box.present && c->camera == s.box.serialPort && SameLine(c->line, s.box.line);
        }
        if (!toBox)
            continue; // nothing on this port understands the bytes
        buffer.insert(buffer.end(), m.data.begin(), m.data.end());
        HandleBoxBytes(s, c, buffer);
    }
    Lock lock(lock_);
    if (s.box.present && c->camera == s.box.serialPort)
        s.box.open = false;
}

// The alarm box: "J" polls to its address are answered with "K" and the inputs; "D" sets outputs.
void Site::HandleBoxBytes(Server& s, const ConnectionPtr& c, std::vector<uint8_t>& b)
{
    for (const dev::SerialFrame& f : dev::TakeSerialFrames(b, 0xF6)) {
        uint8_t reply[7] = {0xF6, 0, 0x4B, 0x10, 0, 0, 0};
        {
            Lock lock(lock_);
            if (f[1] != s.box.address || f[3] != 0x10)
                continue;
            if (f[2] == 0x44) {
                s.box.outputs = uint16_t(f[4] | (f[5] << 8));
                continue;
            }
            if (f[2] != 0x4A)
                continue;
            ++s.box.polls;
            reply[1] = uint8_t(s.box.address);
            reply[4] = uint8_t(s.box.inputs);
            reply[5] = uint8_t(s.box.inputs >> 8);
        }
        reply[6] = uint8_t(reply[1] + reply[2] + reply[3] + reply[4] + reply[5]);
        c->channel->Send(dev::MsgSerialData, reply, sizeof reply);
    }
}

void Site::ServeAudio(ConnectionPtr c, bool talk)
{
    Server& s = *c->server;
    for (;;) {
        dev::Message m;
        if (c->channel->Receive(m, INFINITE, c->stop) != dev::Wait::Message)
            break;
        if (m.kind != dev::MsgAudio)
            continue;
        Lock lock(lock_);
        (talk ? s.talkBytes : s.broadcastBytes) += m.data.size();
    }
    if (talk) {
        Lock lock(lock_);
        s.talking = false;
    }
}

void Site::ServeSite(ConnectionPtr c, const dev::HelloMsg& hello)
{
    if (hello.purpose == dev::PurposeDiscover) {
        std::vector<dev::DeviceRecord> found;
        {
            Lock lock(lock_);
            for (auto& s : servers_) {
                if (!s->listener.running || s->search != hello.op)
                    continue;
                dev::DeviceRecord r = {};
                dev::CopyText(r.name, s->name.c_str());
                dev::CopyText(r.address, "127.0.0.1");
                r.port = s->listener.port;
                std::memcpy(r.mac, s->mac, 6);
                r.channels = s->channels;
                r.kind = 1;
                found.push_back(r);
            }
        }
        Welcome(c, 0, found.data(), found.size() * sizeof(dev::DeviceRecord));
        c->channel->Finish(2000);
        return;
    }
    if (hello.purpose == dev::PurposeCom) {
        int code = 0;
        {
            Lock lock(lock_);
            if (hello.channel < 0 || hello.channel >= station_.comPorts)
                code = -1;
            for (auto& other : station_.open)
                if (other->comPort == hello.channel)
                    code = -2; // a serial port has one owner
            if (code == 0) {
                c->comPort = hello.channel;
                c->line = hello.line;
                c->purpose = dev::PurposeCom;
                station_.open.push_back(c);
            }
        }
        if (Admit(c, code))
            ServeCom(c);
        return;
    }
    Admit(c, -1);
}

void Site::ServeCom(ConnectionPtr c)
{
    std::vector<uint8_t> buffer;
    for (;;) {
        dev::Message m;
        if (c->channel->Receive(m, INFINITE, c->stop) != dev::Wait::Message)
            break;
        Lock lock(lock_);
        if (m.kind == dev::MsgLineSettings && m.data.size() >= sizeof(dev::SerialLine)) {
            std::memcpy(&c->line, m.data.data(), sizeof c->line);
            c->channel->Send(dev::MsgLineSettings, &c->line, sizeof c->line); // the port is set now
        } else if (m.kind == dev::MsgSerialData && c->comPort == station_.linkPort &&
                   SameLine(c->line, station_.linkLine)) {
            buffer.insert(buffer.end(), m.data.begin(), m.data.end());
            HandleLinkBytes(buffer);
        }
    }
    Lock lock(lock_);
    for (size_t i = 0; i < station_.open.size(); ++i)
        if (station_.open[i] == c) {
            station_.open.erase(station_.open.begin() + ptrdiff_t(i));
            break;
        }
}

// The linkage device (lock held): relay frames F6, address, 'R', 10, output, 1/0, checksum.
void Site::HandleLinkBytes(std::vector<uint8_t>& b)
{
    for (const dev::SerialFrame& f : dev::TakeSerialFrames(b, 0xF6)) {
        if (f[1] != station_.linkAddress || f[2] != 0x52 || f[3] != 0x10 || f[4] >= 8)
            continue;
        if (f[5])
            station_.linkRelays = uint8_t(station_.linkRelays | (1 << f[4]));
        else
            station_.linkRelays = uint8_t(station_.linkRelays & ~(1 << f[4]));
    }
}

// The server's recordings (the log-in was checked): a slow server spaces its hits and pieces.
void Site::ServeFiles(ConnectionPtr c, const dev::HelloMsg& hello, const std::vector<char>& data)
{
    Server& s = *c->server;
    dev::FileServeOptions options;
    std::string folder;
    {
        Lock lock(lock_);
        folder = s.recordings;
        options.gapMs = DWORD(s.slowMs);
        c->loggedIn = true;
    }
    RecordingFolder files(folder, s.name);
    dev::ServeFileConnection(files, *c->channel, hello, data, c->stop, options);
}

void Site::ServeDdns(ConnectionPtr c, const dev::HelloMsg& hello)
{
    std::string name = dev::FieldText(hello.name, sizeof hello.name);
    dev::DdnsAnswer a = {};
    int code = -112;
    {
        Lock lock(lock_);
        for (auto& s : servers_)
            if (_stricmp(s->ddnsName.c_str(), name.c_str()) == 0) {
                dev::CopyText(a.address, "127.0.0.1");
                a.port = s->listener.port;
                code = 0;
            }
    }
    if (code == 0)
        Welcome(c, 0, &a, sizeof a);
    else
        Welcome(c, code);
    c->channel->Finish(2000);
}

bool Site::WritePortsFile(const std::string& path)
{
    std::string text = "[Ports]\r\n";
    char line[128];
    std::snprintf(line, sizeof line, "Control=%u\r\nSite=%u\r\nDdns=%u\r\n\r\n[Servers]\r\n", control_.port, site_.port,
                  ddns_.port);
    text += line;
    for (auto& s : servers_) {
        std::snprintf(line, sizeof line, "=%u\r\n", s->listener.port);
        text += s->name + line;
    }
    // Written aside and moved into place, so a reader never sees half a file.
    std::string temp = path + ".tmp";
    FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    ok = std::fclose(f) == 0 && ok;
    return ok && MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

} // namespace devsim
