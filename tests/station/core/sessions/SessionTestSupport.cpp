#include "tests/station/core/sessions/SessionTestSupport.h"

#include <climits>
#include <cstring>

#include "station/core/sessions/AudioSeams.h"
#include "station/core/sessions/ChannelSessionLinks.h"
#include "devices/conduit/Conduit.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/datamodel/RecGroup.h"
#include "framework/Seams.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/storage/SystemLog.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"

namespace {

std::string SiteText()
{
    return "[Site]\r\n"
           "[Station]\r\nComPorts=6\r\nLinkDevice=COM1\r\nLinkAddress=1\r\n"
           "[Server1]\r\nName=Alpha\r\nUser=admin\r\nPassword=secret\r\nChannels=4\r\nCameraInputs=4\r\n"
           "PtzDescription=SpeedDome delay250\r\nAlarmBox=1\r\nBoxAddress=1\r\nBoxSerial=0\r\nBoxBaud=9600\r\n"
           "[Server2]\r\nName=Beta\r\nUser=admin\r\nPassword=secret\r\nChannels=4\r\n"
           "[Server3]\r\nName=Gamma\r\nUser=admin\r\nPassword=secret\r\nRunning=0\r\n"
           "[Server4]\r\nName=Delta\r\nUser=admin\r\nPassword=secret\r\nChannels=2\r\n"
           "[Server5]\r\nName=Echo\r\nUser=admin\r\nPassword=secret\r\nChannels=1\r\n"
           "[Server6]\r\nName=Foxtrot\r\nUser=admin\r\nPassword=secret\r\nChannels=1\r\n";
}

} // namespace

DevsimSite& Site()
{
    static DevsimSite* site = [] {
        auto* s = new DevsimSite; // devsim ends with the test program
        static TempDir dir;
        std::string ini = dir.File("site.ini");
        WriteTextFile(ini, SiteText());
        s->Start(ini);
        Conduit_Init(0, 0, 0, 0);
        return s;
    }();
    return *site;
}

// ---- Clock ----

namespace {

DWORD g_tick = 0;
SYSTEMTIME g_now = {};

DWORD FakeTick()
{
    return g_tick;
}
void FakeLocalTime(SYSTEMTIME* now)
{
    *now = g_now;
}

} // namespace

namespace TestClock {

void Install()
{
    g_tick = 5000000;
    g_now = {};
    g_now.wYear = 2026;
    g_now.wMonth = 3;
    g_now.wDay = 10;
    g_now.wDayOfWeek = 2;
    g_now.wHour = 10;
    Seams::ReplaceTickCount(FakeTick);
    Seams::ReplaceLocalTime(FakeLocalTime);
}

void Uninstall()
{
    Seams::ReplaceTickCount(nullptr);
    Seams::ReplaceLocalTime(nullptr);
}

void SetTime(int hour, int minute, int second)
{
    g_now.wHour = (WORD)hour;
    g_now.wMinute = (WORD)minute;
    g_now.wSecond = (WORD)second;
}

void Advance(DWORD milliseconds)
{
    g_tick += milliseconds;
    FILETIME ft;
    SystemTimeToFileTime(&g_now, &ft);
    ULARGE_INTEGER t;
    t.LowPart = ft.dwLowDateTime;
    t.HighPart = ft.dwHighDateTime;
    t.QuadPart += (ULONGLONG)milliseconds * 10000;
    ft.dwLowDateTime = t.LowPart;
    ft.dwHighDateTime = t.HighPart;
    FileTimeToSystemTime(&ft, &g_now);
}

DWORD Tick()
{
    return g_tick;
}
SYSTEMTIME Now()
{
    return g_now;
}

} // namespace TestClock

// ---- Free space and sound ----

namespace {

volatile long long g_freeMegabytes = 100000;

BOOL FakeFreeSpace(LPCSTR, ULONGLONG* freeBytes)
{
    *freeBytes = (ULONGLONG)g_freeMegabytes << 20;
    return TRUE;
}

CRITICAL_SECTION* SoundLock()
{
    static CRITICAL_SECTION* lock = [] {
        auto* l = new CRITICAL_SECTION;
        InitializeCriticalSection(l);
        return l;
    }();
    return lock;
}

std::vector<std::string> g_played;

BOOL FakePlaySound(LPCSTR sound, HMODULE, DWORD flags)
{
    EnterCriticalSection(SoundLock());
    g_played.push_back(std::string(sound ? sound : "") + ((flags & SND_LOOP) ? " loop" : ""));
    LeaveCriticalSection(SoundLock());
    return TRUE;
}

} // namespace

void SetFreeMegabytes(long long megabytes)
{
    g_freeMegabytes = megabytes;
}

namespace TestSound {

void Install()
{
    AudioSeams::ReplacePlaySound(FakePlaySound);
}
void Uninstall()
{
    AudioSeams::ReplacePlaySound(nullptr);
}

std::vector<std::string> Played()
{
    EnterCriticalSection(SoundLock());
    std::vector<std::string> copy = g_played;
    LeaveCriticalSection(SoundLock());
    return copy;
}

void Clear()
{
    EnterCriticalSection(SoundLock());
    g_played.clear();
    LeaveCriticalSection(SoundLock());
}

} // namespace TestSound

// ---- Windows ----

RecordingWindows::RecordingWindows()
{
    InitializeCriticalSection(&lock_);
}
RecordingWindows::~RecordingWindows()
{
    DeleteCriticalSection(&lock_);
}

void RecordingWindows::Record(const std::string& what, const std::string& text, int value)
{
    EnterCriticalSection(&lock_);
    calls_.push_back({what, text, value});
    LeaveCriticalSection(&lock_);
}

void RecordingWindows::PostConnectResult(CChannelSession* session, int result)
{
    EnterCriticalSection(&lock_);
    posted_.push_back({WM_STREAM_CONNECT_RESULT, session, result});
    LeaveCriticalSection(&lock_);
}

void RecordingWindows::PostExternalAlarm(CChannelSession* session, int input)
{
    EnterCriticalSection(&lock_);
    posted_.push_back({WM_EXTERNAL_ALARM, session, input});
    LeaveCriticalSection(&lock_);
}

void RecordingWindows::SetLocalRelayState(int output, int on)
{
    Record("relay", std::string(), output * 10 + on);
}
void RecordingWindows::AppendConnectInfo(LPCSTR text)
{
    Record("info", text);
}
void RecordingWindows::ShowMessage(LPCSTR text)
{
    Record("message", text);
}
void RecordingWindows::ClearTalkState()
{
    Record("talk");
}
void RecordingWindows::RunCameraSettings(CTermCamera*)
{
    Record("settings");
}
void RecordingWindows::RefreshLocalRelays()
{
    Record("refresh-relays");
}

IPreviewPane* RecordingWindows::GetPreviewPane(int index)
{
    return index >= 0 && index < (int)panes.size() ? panes[index] : nullptr;
}

void RecordingWindows::MarkAlarmSound()
{
    soundMarked = 1;
    Record("sound-mark");
}

void RecordingWindows::NoteAlarmStarted()
{
    Record("alarm-start");
}
int RecordingWindows::FindPageOfCamera(CTermCamera*)
{
    return cameraPage;
}
void RecordingWindows::SelectPane(int pane)
{
    Record("select-pane", std::string(), pane);
}
void RecordingWindows::OpenEMap()
{
    Record("open-map");
}
void RecordingWindows::ShowEMapDevice(CVuskEMapDev*)
{
    Record("show-device");
}

std::vector<RecordingWindows::Posted> RecordingWindows::TakePosted()
{
    EnterCriticalSection(&lock_);
    std::vector<Posted> taken;
    taken.swap(posted_);
    LeaveCriticalSection(&lock_);
    return taken;
}

int RecordingWindows::Deliver()
{
    std::vector<Posted> taken = TakePosted();
    for (const Posted& p : taken) {
        if (p.message == WM_STREAM_CONNECT_RESULT)
            HandleConnectResultMessage(reinterpret_cast<WPARAM>(p.session), p.value);
        else
            HandleExternalAlarmMessage(reinterpret_cast<WPARAM>(p.session), p.value);
    }
    return (int)taken.size();
}

int RecordingWindows::DeliverNext(UINT message, CChannelSession* session, DWORD timeoutMs)
{
    int value = INT_MIN;
    WaitUntil(
        [&] {
            EnterCriticalSection(&lock_);
            for (const Posted& p : posted_) {
                if (p.message == message && p.session == session) {
                    value = p.value;
                    break;
                }
            }
            LeaveCriticalSection(&lock_);
            return value != INT_MIN;
        },
        timeoutMs);
    if (value != INT_MIN)
        Deliver();
    return value;
}

std::vector<WindowCall> RecordingWindows::Calls()
{
    EnterCriticalSection(&lock_);
    std::vector<WindowCall> copy = calls_;
    LeaveCriticalSection(&lock_);
    return copy;
}

std::vector<std::string> RecordingWindows::Infos()
{
    std::vector<std::string> infos;
    for (const WindowCall& c : Calls()) {
        if (c.what == "info")
            infos.push_back(c.text);
    }
    return infos;
}

int RecordingWindows::Count(const std::string& what)
{
    int n = 0;
    for (const WindowCall& c : Calls())
        n += c.what == what;
    return n;
}

void RecordingWindows::ClearCalls()
{
    EnterCriticalSection(&lock_);
    calls_.clear();
    LeaveCriticalSection(&lock_);
}

// ---- Pane ----

namespace {

LRESULT CALLBACK PaneProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    return msg == WM_ERASEBKGND ? 1 : DefWindowProcA(w, msg, wp, lp);
}

} // namespace

RecordingPane::RecordingPane()
{
    InitializeCriticalSection(&lock_);
    static ATOM atom = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = PaneProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "SessionTestPane";
        return RegisterClassA(&wc);
    }();
    (void)atom;
    window_ = CreateWindowExA(0, "SessionTestPane", "", WS_POPUP, 0, 0, 176, 144, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
}

RecordingPane::~RecordingPane()
{
    DestroyWindow(window_);
    DeleteCriticalSection(&lock_);
}

void RecordingPane::Record(const std::string& what, int value)
{
    EnterCriticalSection(&lock_);
    calls_.push_back({what, value});
    LeaveCriticalSection(&lock_);
}

void RecordingPane::PostPaneAlarm(CChannelSession* s, LPARAM lParam)
{
    EnterCriticalSection(&lock_);
    alarms_.push_back({s, (int)lParam});
    LeaveCriticalSection(&lock_);
}

std::vector<int> RecordingPane::Alarms(CChannelSession* s)
{
    std::vector<int> values;
    EnterCriticalSection(&lock_);
    for (const auto& a : alarms_) {
        if (a.first == s)
            values.push_back(a.second);
    }
    LeaveCriticalSection(&lock_);
    return values;
}

bool RecordingPane::WaitAlarm(CChannelSession* s, int lParam, DWORD timeoutMs)
{
    return WaitUntil(
        [&] {
            for (int v : Alarms(s)) {
                if (v == lParam)
                    return true;
            }
            return false;
        },
        timeoutMs);
}

int RecordingPane::Last(const std::string& what)
{
    int value = -1;
    EnterCriticalSection(&lock_);
    for (const auto& c : calls_) {
        if (c.first == what)
            value = c.second;
    }
    LeaveCriticalSection(&lock_);
    return value;
}

int RecordingPane::Count(const std::string& what)
{
    int n = 0;
    EnterCriticalSection(&lock_);
    for (const auto& c : calls_)
        n += c.first == what;
    LeaveCriticalSection(&lock_);
    return n;
}

void RecordingPane::ClearCalls()
{
    EnterCriticalSection(&lock_);
    calls_.clear();
    alarms_.clear();
    LeaveCriticalSection(&lock_);
}

// ---- Fixture ----

void SessionTest::SetUp()
{
    Site();
    dir_.reset(new TempDir(true));
    SetStartDirectory(dir_->Path().c_str());
    TestClock::Install();
    TestSound::Install();
    SetFreeMegabytes(100000);
    Seams::ReplaceFreeDiskSpace(FakeFreeSpace);

    g_pSysParam = new CSysParam;
    g_pRecGroup = new CRecGroup;
    g_pRecGroup->AddGroup(nullptr, "工程");
    LoggedInUser& user = CurrentUser();
    user.name = "admin";
    for (int& right : user.rights)
        right = 1;

    log_.reset(new CSystemLog);
    log_->SetBaseDir(dir_->Path().c_str());
    windows_.log = log_.get();
    previousWindows_ = SetStationWindows(&windows_);
    previousLinks_ = InstallChannelSessionLinks();

    theRecordStore.StopDiskWatch();
    theRecordStore.SetOwner(&storeOwner_);
    StoragePathEntry entry = {};
    CopyText(entry.root, "C:");
    entry.reserve = 1;
    CopyText(entry.dir, StorageDir().c_str());
    CreateDirectoryA(StorageDir().c_str(), nullptr);
    theRecordStore.SetStoragePaths(&entry, 1);
    theRecordStore.StartDiskWatch();
    ASSERT_TRUE(WaitUntil([] { return theRecordStore.IsSpaceOk() != 0; }));
}

void SessionTest::TearDown()
{
    // The tree's destruction disconnects every session and stops every poller.
    delete g_pRecGroup;
    g_pRecGroup = nullptr;
    delete g_pSysParam;
    g_pSysParam = nullptr;
    theRecordStore.StopDiskWatch();
    theRecordStore.SetOwner(nullptr);
    SetSessionLinks(previousLinks_);
    SetStationWindows(previousWindows_);
    Seams::ReplaceFreeDiskSpace(nullptr);
    TestSound::Uninstall();
    TestSound::Clear();
    TestClock::Uninstall();
    CurrentUser().Clear();
    windows_.Deliver();
    windows_.panes.clear();
    panes_.clear();
    dir_.reset();
}

CTermServer* SessionTest::AddServer(const char* siteName, int cameras)
{
    CTermServer* server = new CTermServer;
    server->m_id = nextServerId_++;
    server->m_name = siteName;
    server->m_address = "127.0.0.1";
    server->m_port = Site().Port(siteName);
    server->m_user = "admin";
    server->m_password = "secret";
    server->m_channelCount = cameras;
    CTermData* project = g_pRecGroup->m_projects.GetHead();
    server->m_pParent = project;
    project->m_servers.AddTail(server);
    for (int i = 0; i < cameras; ++i) {
        CTermCamera* camera = new CTermCamera;
        camera->m_name.Format("摄像机%d", i + 1);
        camera->m_channel = i;
        server->m_cameras.AddTail(camera);
    }
    server->BindCameras();
    return server;
}

CChannelSession* SessionTest::MakeSession(CTermCamera* camera)
{
    CChannelSession* session = new CChannelSession;
    session->m_pCamera = camera;
    camera->m_pSession = session;
    session->OpenPtzProtocol();
    return session;
}

CTermCamera* SessionTest::Camera(CTermServer* server, int channel)
{
    return server->FindCamera(channel);
}

RecordingPane& SessionTest::NewPane()
{
    panes_.emplace_back(new RecordingPane);
    windows_.panes.push_back(panes_.back().get());
    return *panes_.back();
}

bool SessionTest::ConnectSession(CChannelSession* session, RecordingPane* pane)
{
    if (pane != nullptr)
        session->AttachPane(1, pane, 1);
    else
        session->Connect(1, 0);
    return windows_.DeliverNext(WM_STREAM_CONNECT_RESULT, session) == 0 && session->m_state == sessionConnected;
}

void SessionTest::Tick(int count)
{
    for (int i = 0; i < count; ++i) {
        TestClock::Advance(1000);
        TickAllSessions();
    }
}

std::vector<LogLine> SessionTest::LogLines()
{
    std::vector<LogLine> lines;
    for (const std::string& file : FilesIn(dir_->File("Vusk"), "*.log")) {
        std::vector<char> bytes = ReadAll(dir_->File("Vusk") + "\\" + file);
        for (size_t at = 0; at + sizeof(SysLogRecord) <= bytes.size(); at += sizeof(SysLogRecord)) {
            SysLogRecord r;
            memcpy(&r, bytes.data() + at, sizeof(r));
            lines.push_back({r.type, r.subType, std::string(r.text, strnlen(r.text, sizeof(r.text))),
                             std::string(r.detail, strnlen(r.detail, sizeof(r.detail)))});
        }
    }
    return lines;
}

std::string SessionTest::DayDir() const
{
    SYSTEMTIME now = TestClock::Now();
    char day[16];
    snprintf(day, sizeof(day), "%04d%02d%02d", now.wYear, now.wMonth, now.wDay);
    return StorageDir() + "\\" + day;
}

bool SessionTest::WaitForPictures()
{
    return WaitUntil([&] {
        std::vector<std::string> files = FilesIn(DayDir(), "*.mp4");
        for (const std::string& name : files) {
            if (ReadAll(DayDir() + "\\" + name).size() <= 100) // beyond the header and the media data's start
                return false;
        }
        return !files.empty();
    });
}

std::vector<std::string> SessionTest::FilesIn(const std::string& dir, const std::string& pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((dir + "\\" + pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(data.cFileName);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<RecordIndexEntry> SessionTest::IndexEntries(const char* indexName)
{
    std::vector<RecordIndexEntry> entries;
    std::vector<char> bytes = ReadAll(DayDir() + "\\" + indexName);
    for (size_t at = 0; at + sizeof(RecordIndexEntry) <= bytes.size(); at += sizeof(RecordIndexEntry)) {
        RecordIndexEntry e;
        memcpy(&e, bytes.data() + at, sizeof(e));
        entries.push_back(e);
    }
    return entries;
}

std::vector<char> ReadAll(const std::string& path)
{
    std::vector<char> bytes;
    FILE* f = fopen(path.c_str(), "rb");
    if (f == nullptr)
        return bytes;
    char buffer[65536];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), f)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    fclose(f);
    return bytes;
}

bool AsfComplete(const std::string& path)
{
    static const unsigned char kFileProperties[16] = {0xA1, 0xDC, 0xAB, 0x8C, 0x47, 0xA9, 0xCF, 0x11,
                                                      0x8E, 0xE4, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65};
    std::vector<char> bytes = ReadAll(path);
    for (size_t at = 0; at + 48 <= bytes.size(); ++at) {
        if (memcmp(bytes.data() + at, kFileProperties, 16) != 0)
            continue;
        unsigned long long size = 0;
        memcpy(&size, bytes.data() + at + 40, 8);
        return size == bytes.size();
    }
    return false;
}

bool Mp4Complete(const std::string& path)
{
    std::vector<char> bytes = ReadAll(path);
    for (size_t at = 0; at + 4 <= bytes.size(); ++at) {
        if (memcmp(bytes.data() + at, "moov", 4) == 0)
            return true;
    }
    return false;
}
