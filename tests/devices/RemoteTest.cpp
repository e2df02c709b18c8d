// Remote recordings: Framewell's search, download and remote play against Depotix over the
// station's file-service bridge (and a storage of real recordings), the server side of the file
// protocol with an injected clock, and both sides fed with garbage.
#include <winsock2.h>

#include <gtest/gtest.h>
#include <process.h>

#include <cstddef>
#include <cstring>
#include <map>
#include <set>
#include <tuple>

#include "devices/common/FileService.h"
#include "devices/common/Jpeg.h"
#include "devices/common/Net.h"
#include "devices/common/Text.h"
#include "devices/common/VideoFile.h"
#include "devices/conduit/Conduit.h"
#include "devices/depotix/Depotix.h"
#include "devices/framewell/FramewellApi.h"
#include "station/core/storage/DepotixTypes.h"
#include "station/core/storage/FileServiceBridge.h"
#include "station/core/storage/RecordReason.h"
#include "station/core/storage/RecordStore.h"
#include "tests/devices/DeviceTestSupport.h"
#include "tests/devices/RemoteTestSupport.h"
#include "tests/station/core/storage/StorageTestHelpers.h"
#include "tools/screenshot/Screenshot.h"

namespace {

const UINT kNotify = WM_APP + 9;

// --- the library's header against the station's records -------------------------------------

TEST(DepotixHeader, LaysOutItsRecordsAsTheStationDoes)
{
    EXPECT_EQ(sizeof(DepotixDateTime), sizeof(FileServiceDateTime));
    EXPECT_EQ(offsetof(DepotixDateTime, year), offsetof(FileServiceDateTime, year));
    EXPECT_EQ(offsetof(DepotixDateTime, month), offsetof(FileServiceDateTime, month));
    EXPECT_EQ(offsetof(DepotixDateTime, day), offsetof(FileServiceDateTime, day));
    EXPECT_EQ(offsetof(DepotixDateTime, hour), offsetof(FileServiceDateTime, hour));
    EXPECT_EQ(offsetof(DepotixDateTime, minute), offsetof(FileServiceDateTime, minute));
    EXPECT_EQ(offsetof(DepotixDateTime, second), offsetof(FileServiceDateTime, second));
    EXPECT_EQ(offsetof(DepotixDateTime, fill), offsetof(FileServiceDateTime, fill));
    EXPECT_EQ(sizeof(DepotixRequest), sizeof(FileServiceRequest));
    EXPECT_EQ(offsetof(DepotixRequest, name), offsetof(FileServiceRequest, name));
    EXPECT_EQ(offsetof(DepotixRequest, channel), offsetof(FileServiceRequest, channel));
    EXPECT_EQ(offsetof(DepotixRequest, kind), offsetof(FileServiceRequest, kind));
    EXPECT_EQ(offsetof(DepotixRequest, typeSelector), offsetof(FileServiceRequest, typeSelector));
    EXPECT_EQ(offsetof(DepotixRequest, rangeFlag), offsetof(FileServiceRequest, rangeFlag));
    EXPECT_EQ(offsetof(DepotixRequest, from), offsetof(FileServiceRequest, from));
    EXPECT_EQ(offsetof(DepotixRequest, to), offsetof(FileServiceRequest, to));
    EXPECT_EQ(offsetof(DepotixRequest, resultCallback), offsetof(FileServiceRequest, resultCallback));
    EXPECT_EQ(offsetof(DepotixRequest, resultCallback), 80u);
}

// --- the server side of the protocol ---------------------------------------------------------

TEST(FileService, OnlyPlainLocalPathsAreSafe)
{
    struct Case {
        const char* path;
        bool safe;
    } cases[] = {
        {"C:\\rec\\20261207\\Gate_1_100000.mp4", true},
        {"z:/tmp/a.asf", true},
        {"C:\\rec\\..\\secret.mp4", false},
        {"C:\\rec\\..", false},
        {"..\\a.mp4", false},
        {"\\\\server\\share\\a.mp4", false},
        {"\\\\?\\C:\\a.mp4", false},
        {"\\\\.\\PhysicalDrive0", false},
        {"C:\\rec\\CON", false},
        {"C:\\rec\\nul.mp4", false},
        {"C:\\rec\\com1.txt", false},
        {"C:\\rec\\a.mp4:stream", false},
        {"C:rec\\a.mp4", false},
        {"rec\\a.mp4", false},
        {"C:\\rec\\a*.mp4", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dev::IsSafeFilePath(c.path), c.safe) << c.path;
    EXPECT_FALSE(dev::IsSafeFilePath("C:\\" + std::string(300, 'a')));
}

TEST(FileService, PacingHoldsTheLimitOnAnInjectedClock)
{
    TempDir dir;
    std::vector<uint8_t> bytes(1u << 20);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = uint8_t(i * 7 + (i >> 9));
    std::string path = dir.File("big.bin");
    WriteTextFile(path, std::string(bytes.begin(), bytes.end()));
    struct Case {
        uint32_t rate;
        double seconds;
    } cases[] = {{200 * 1024, 5.12}, {50 * 1024, 20.48}, {0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rate);
        CountingClock clock;
        ServedFetch fetch(path, c.rate, &clock);
        std::vector<uint8_t> got;
        ASSERT_TRUE(fetch.Receive(0, bytes.size(), &got));
        EXPECT_TRUE(got == bytes);
        double seconds = double(clock.Now()) / 1000.0;
        if (c.rate == 0) {
            EXPECT_EQ(clock.Now(), 0u);
        } else {
            EXPECT_GT(seconds, c.seconds * 0.8);
            EXPECT_LT(seconds, c.seconds * 1.2);
        }
    }
}

TEST(FileService, RangesAreCheckedAgainstTheFile)
{
    TempDir dir;
    std::string path = dir.File("small.bin");
    WriteTextFile(path, "0123456789");
    CountingClock clock;
    ServedFetch fetch(path, 0, &clock);
    std::vector<uint8_t> got;
    ASSERT_TRUE(fetch.Receive(3, 4, &got));
    EXPECT_EQ(std::string(got.begin(), got.end()), "3456");
    ASSERT_TRUE(fetch.Receive(8, 1000, &got)); // cut at the end
    EXPECT_EQ(std::string(got.begin(), got.end()), "89");
    EXPECT_FALSE(fetch.Receive(11, 1, &got)); // beyond the end: the range fails, the connection stays
    ASSERT_TRUE(fetch.Receive(0, 2, &got));
    EXPECT_EQ(std::string(got.begin(), got.end()), "01");
}

// --- Depotix over the station's bridge -------------------------------------------------------

struct Hit {
    std::string name;
    int channel;
    std::string path;
    int startDay, startHour, startMinute, startSecond;
    int endDay, endHour, endMinute;
    unsigned size;
    bool operator<(const Hit& o) const { return path < o.path; }
    bool operator==(const Hit& o) const
    {
        return std::tie(name, channel, path, startDay, startHour, startMinute, startSecond, endDay, endHour, endMinute,
                        size) == std::tie(o.name, o.channel, o.path, o.startDay, o.startHour, o.startMinute,
                                          o.startSecond, o.endDay, o.endHour, o.endMinute, o.size);
    }
};

struct HitLog {
    CRITICAL_SECTION lock;
    std::vector<Hit> hits;
    HitLog() { InitializeCriticalSection(&lock); }
    ~HitLog() { DeleteCriticalSection(&lock); }
    std::vector<Hit> Sorted()
    {
        EnterCriticalSection(&lock);
        std::vector<Hit> h = hits;
        LeaveCriticalSection(&lock);
        std::sort(h.begin(), h.end());
        return h;
    }
};

void __stdcall CollectRemote(const char* name, int channel, const char* path, const FramewellTime* s,
                             const FramewellTime* e, unsigned int size, void* context)
{
    HitLog* log = static_cast<HitLog*>(context);
    EnterCriticalSection(&log->lock);
    log->hits.push_back({name, channel, path, s->day, s->hour, s->minute, s->second, e->day, e->hour, e->minute, size});
    LeaveCriticalSection(&log->lock);
}

HitLog* g_bridgeLog = nullptr;
int CALLBACK CollectBridge(const char* name, int channel, const char* path, const FileServiceDateTime* s,
                           const FileServiceDateTime* e, int size, int)
{
    g_bridgeLog->hits.push_back(
        {name, channel, path, s->day, s->hour, s->minute, s->second, e->day, e->hour, e->minute, unsigned(size)});
    return 0;
}

int CALLBACK StationLogin(const char*, const char* user, const char* password)
{
    return std::string(user) == "admin" && std::string(password) == "1234" ? 0 : -1;
}

const FramewellApi& Api()
{
    return GetFramewellApi();
}

int WaitSearch(int handle)
{
    DWORD until = GetTickCount() + 20000;
    while (Api().GetSearchState(handle) != 1 && int(until - GetTickCount()) > 0)
        WaitForSingleObject(GetCurrentThread(), 5);
    return Api().GetSearchState(handle);
}

int WaitDownload(int handle, DWORD ms = 30000)
{
    DWORD until = GetTickCount() + ms;
    int p;
    while ((p = Api().GetDownloadProgress(handle)) >= 0 && int(until - GetTickCount()) > 0)
        WaitForSingleObject(GetCurrentThread(), 5);
    return p;
}

FramewellTime At(int hour, int minute)
{
    FramewellTime t = {};
    t.year = 2026;
    t.month = 12;
    t.day = 7;
    t.hour = uint8_t(hour);
    t.minute = uint8_t(minute);
    return t;
}

// A station with recordings of two servers (MP4 and ASF, each record type, and a snapshot),
// serving them through Depotix with the bridge as its event callback.
class DepotixTest : public ::testing::Test {
protected:
    DepotixTest() : clock(2026, 12, 7, 10, 0, 0) {}
    void SetUp() override
    {
        ASSERT_TRUE(Api().Init());
        ASSERT_TRUE(Depotix_Init());
        StoragePathEntry entry = MakeEntry("C:", 0, dir.File("store"));
        theRecordStore.SetStoragePaths(&entry, 1);
        theRecordStore.SetOwner(&owner);
        Record("Gate", 0, recordManual, 10, 0, 60);
        Record("Gate", 1, recordMotion, 11, 0, 20);
        Record("Yard", 0, recordAlarm, 12, 0, 20);
        Record("Yard", 2, recordSchedule, 13, 0, 20);
        owner.format = 1;
        Record("Gate", 0, recordManual, 14, 0, 20);
        owner.format = 0;
        char jpeg[] = "jpeg";
        theRecordStore.SaveJpegSnapshot("Yard", 1, jpeg, 4);
        Depotix_SetLoginCallback(StationLogin);
        Depotix_SetEventCallback(reinterpret_cast<DepotixEventCallback>(&FileServiceQueryCallback));
        port = Depotix_Start(0, 0);
        ASSERT_GT(port, 0);
    }
    void TearDown() override
    {
        Depotix_Stop();
        Api().Cleanup();
        Depotix_Cleanup();
        theRecordStore.SetOwner(nullptr);
        theRecordStore.SetStoragePaths(nullptr, 0);
    }
    void Record(const char* name, int channel, int reason, int hour, int minute, int frames)
    {
        clock.Set(2026, 12, 7, hour, minute, 0);
        char path[MAX_PATH];
        ASSERT_EQ(theRecordStore.BeginRecordFile(name, channel, path, reason), 1);
        bool asf = std::string(path).find(".asf") != std::string::npos;
        WriteTestRecording(path, asf ? dev::VideoContainer::Asf : dev::VideoContainer::Mp4, frames, 352, 288);
        paths.push_back(path);
    }
    // What the station's own search finds, as the bridge hands it out.
    std::vector<Hit> StationHits(const char* name, int channel, int kind, int selector, int useRange,
                                 FramewellTime from, FramewellTime to)
    {
        HitLog log;
        g_bridgeLog = &log;
        FileServiceRequest request = {};
        dev::CopyText(request.name, name);
        request.channel = channel;
        request.kind = kind;
        request.typeSelector = selector >= 1 && selector <= 4 ? selector : 0;
        request.rangeFlag = useRange;
        std::memcpy(&request.from, &from, sizeof from);
        std::memcpy(&request.to, &to, sizeof to);
        request.resultCallback = CollectBridge;
        FileServiceQueryCallback(&request, 1);
        g_bridgeLog = nullptr;
        return log.Sorted();
    }
    std::vector<Hit> RemoteHits(const char* name, int channel, int kind, int selector, int useRange, FramewellTime from,
                                FramewellTime to, const char* password = "1234", const char* address = "127.0.0.1")
    {
        HitLog log;
        int h = Api().StartSearch(address, name, channel, "admin", password, kind, selector, useRange, &from, &to,
                                  CollectRemote, &log, port);
        lastSearch = h;
        if (h < 0)
            return {};
        EXPECT_EQ(WaitSearch(h), 1);
        EXPECT_TRUE(Api().CloseSearch(h));
        return log.Sorted();
    }

    TempDir dir;
    ScopedClock clock;
    TestOwner owner;
    std::vector<std::string> paths;
    int port = 0;
    int lastSearch = 0;
};

TEST_F(DepotixTest, RemoteHitsAreTheStationsOwn)
{
    struct Case {
        const char* what;
        const char* name;
        int channel, kind, selector, useRange;
        FramewellTime from, to;
        size_t hits;
    } cases[] = {
        {"every MP4", "", -1, 1, 0, 0, {}, {}, 4},
        {"one server", "Gate", -1, 1, 0, 0, {}, {}, 2},
        {"one channel", "", 0, 1, 0, 0, {}, {}, 2},
        {"ASF", "", -1, 4, 0, 0, {}, {}, 1},
        {"JPEG", "", -1, 2, 0, 0, {}, {}, 1},
        {"range", "", -1, 1, 0, 1, At(10, 30), At(12, 30), 2},
        {"range excluding all", "", -1, 1, 0, 1, At(20, 0), At(21, 0), 0},
        {"selector 1", "", -1, 1, 1, 0, {}, {}, 1},
        {"selector 2", "", -1, 1, 2, 0, {}, {}, 1},
        {"selector 3", "", -1, 1, 3, 0, {}, {}, 1},
        {"selector 4", "", -1, 1, 4, 0, {}, {}, 1},
        {"selector 255", "", -1, 1, 255, 0, {}, {}, 4},
        {"selector 9", "", -1, 1, 9, 0, {}, {}, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<Hit> station = StationHits(c.name, c.channel, c.kind, c.selector, c.useRange, c.from, c.to);
        std::vector<Hit> remote = RemoteHits(c.name, c.channel, c.kind, c.selector, c.useRange, c.from, c.to);
        EXPECT_GT(lastSearch, 0);
        EXPECT_EQ(station.size(), c.hits);
        EXPECT_TRUE(remote == station);
    }
}

// The machine's own address on its network, as another PC would dial it: the address a datagram to
// a documentation address would leave from (nothing is sent); empty when there is no such route.
std::string NetworkAddress()
{
    dev::EnsureWinsock();
    SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (s == INVALID_SOCKET)
        return {};
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_port = htons(9);
    to.sin_addr.s_addr = inet_addr("192.0.2.123");
    sockaddr_in local = {};
    int length = sizeof local;
    std::string address;
    if (connect(s, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0 &&
        getsockname(s, reinterpret_cast<sockaddr*>(&local), &length) == 0 && local.sin_addr.s_addr != 0 &&
        (ntohl(local.sin_addr.s_addr) >> 24) != 127)
        address = inet_ntoa(local.sin_addr);
    closesocket(s);
    return address;
}

TEST_F(DepotixTest, APlayerOnAnotherMachineReachesTheService)
{
    const std::string address = NetworkAddress();
    if (address.empty())
        GTEST_SKIP() << "this machine has no network address but loopback";
    std::vector<Hit> hits = RemoteHits("", -1, 1, 0, 0, {}, {}, "1234", address.c_str());
    EXPECT_GT(lastSearch, 0) << address;
    EXPECT_EQ(hits.size(), 4u) << address;
}

TEST_F(DepotixTest, ARefusedLogInFailsEveryCall)
{
    EXPECT_EQ(Api().StartSearch("127.0.0.1", "", -1, "admin", "wrong", 1, 0, 0, nullptr, nullptr, CollectRemote,
                                nullptr, port),
              -1);
    EXPECT_EQ(Api().StartDownload("127.0.0.1", "admin", "wrong", paths[0].c_str(), dir.File("x.mp4").c_str(), port, 0),
              0);
    EXPECT_EQ(GetFileAttributesA(dir.File("x.mp4").c_str()), INVALID_FILE_ATTRIBUTES);
    // Nobody listens there.
    Depotix_Stop();
    EXPECT_EQ(Api().StartSearch("127.0.0.1", "", -1, "admin", "1234", 1, 0, 0, nullptr, nullptr, CollectRemote, nullptr,
                                port),
              -1);
}

TEST_F(DepotixTest, DownloadsAreByteIdentical)
{
    for (const std::string& path : {paths[0], paths[4]}) { // MP4 and ASF
        std::string local = dir.File("copy.bin");
        int h = Api().StartDownload("127.0.0.1", "admin", "1234", path.c_str(), local.c_str(), port, 0);
        ASSERT_GT(h, 0);
        EXPECT_EQ(WaitDownload(h), -1);
        EXPECT_TRUE(Api().CloseDownload(h));
        EXPECT_TRUE(ReadFileBytes(local) == ReadFileBytes(path));
        EXPECT_EQ(Api().GetDownloadProgress(h), -2); // closed
    }
}

TEST_F(DepotixTest, OnlyPathsTheStationListsAreServed)
{
    WriteTestRecording(dir.File("secret.mp4"), dev::VideoContainer::Mp4, 5, 64, 48);
    std::string storeDir = paths[0].substr(0, paths[0].rfind('\\'));
    const std::string refused[] = {
        dir.File("secret.mp4"),            // a real recording, never listed
        storeDir + "\\..\\..\\secret.mp4", // climbing out of a listed folder
        "\\\\127.0.0.1\\c$\\secret.mp4",   // UNC
        paths[0] + ":x",                   // a stream
        storeDir + "\\index",              // the station's index file
        "",                                // nothing
    };
    for (const std::string& path : refused) {
        SCOPED_TRACE(path);
        std::string local = dir.File("got.bin");
        EXPECT_EQ(Api().StartDownload("127.0.0.1", "admin", "1234", path.c_str(), local.c_str(), port, 0), 0);
        EXPECT_EQ(GetFileAttributesA(local.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    // A listed path is served without a search first (the station checks it by one search).
    int h = Api().StartDownload("127.0.0.1", "admin", "1234", paths[1].c_str(), dir.File("ok.mp4").c_str(), port, 0);
    ASSERT_GT(h, 0);
    EXPECT_EQ(WaitDownload(h), -1);
    Api().CloseDownload(h);
}

TEST_F(DepotixTest, StoppingTheServiceFailsARunningDownload)
{
    std::string local = dir.File("partial.mp4");
    int h = Api().StartDownload("127.0.0.1", "admin", "1234", paths[0].c_str(), local.c_str(), port, 20 * 1024);
    ASSERT_GT(h, 0);
    DWORD until = GetTickCount() + 10000;
    while (Api().GetDownloadProgress(h) < 1 && int(until - GetTickCount()) > 0)
        WaitForSingleObject(GetCurrentThread(), 5);
    ASSERT_GE(Api().GetDownloadProgress(h), 1);
    Depotix_Stop();
    EXPECT_EQ(WaitDownload(h), -2);
    EXPECT_TRUE(Api().CloseDownload(h));
    EXPECT_EQ(GetFileAttributesA(local.c_str()), INVALID_FILE_ATTRIBUTES); // the partial file is gone
    // The service starts again and serves again.
    port = Depotix_Start(0, 0);
    ASSERT_GT(port, 0);
    EXPECT_EQ(RemoteHits("", -1, 1, 0, 0, {}, {}).size(), 4u);
}

TEST_F(DepotixTest, RemotePlayBuffersThenPlays)
{
    VideoWindow window(0, 0, 360, 300);
    int h = Api().OpenRemoteFile("127.0.0.1", "admin", "1234", paths[0].c_str(), window.Handle(), port);
    ASSERT_GT(h, 0);
    ASSERT_TRUE(Api().SetBufferTime(h, 1));
    ASSERT_TRUE(Api().SetNotifyWindow(h, window.Handle(), kNotify)); // what came before waited for this
    std::vector<WPARAM> got = WaitNotifications(window, kNotify, h, 2);
    ASSERT_GE(got.size(), 3u);
    EXPECT_EQ(got.front(), 3u);
    EXPECT_EQ(got[got.size() - 2], 4u);
    EXPECT_EQ(got.back(), 2u);
    EXPECT_EQ(Api().GetTotalTime(h), 60 * 40);
    int w = 0, hh = 0;
    Api().GetPictureSize(h, &w, &hh);
    EXPECT_EQ(w, 352);
    EXPECT_EQ(hh, 288);
    ASSERT_TRUE(Api().Play(h, window.Handle()));
    for (int i = 0; i < 3; ++i)
        Api().Fast(h);
    got = WaitNotifications(window, kNotify, h, 1);
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.back(), 1u);
    EXPECT_EQ(Api().GetPlayTime(h), 59 * 40); // every picture was shown, the last one last
    EXPECT_TRUE(Api().Stop(h));
}

TEST_F(DepotixTest, ClosingDownloadsAndPlayersAtOnceLeavesNothingBehind)
{
    VideoWindow window(0, 0, 120, 100);
    for (int round = 0; round < 15; ++round) {
        SCOPED_TRACE(round);
        int d = Api().StartDownload("127.0.0.1", "admin", "1234", paths[round % 2].c_str(), dir.File("d.mp4").c_str(),
                                    port, 100 * 1024);
        ASSERT_GT(d, 0);
        EXPECT_TRUE(Api().CloseDownload(d));
        EXPECT_EQ(Api().GetDownloadProgress(d), -2); // gone
        int p = Api().OpenRemoteFile("127.0.0.1", "admin", "1234", paths[0].c_str(), window.Handle(), port);
        ASSERT_GT(p, 0);
        Api().SetNotifyWindow(p, window.Handle(), kNotify);
        for (int spin = 0; spin < round % 4; ++spin)
            WaitForSingleObject(GetCurrentThread(), 2);
        EXPECT_TRUE(Api().Stop(p));
        WPARAM wp;
        LPARAM lp;
        while (window.TakeAppMessage(kNotify, &wp, &lp)) {
        } // what came before the stop
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        EXPECT_FALSE(window.TakeAppMessage(kNotify, &wp, &lp)); // nothing after it
    }
    // The service is still there for the next client.
    EXPECT_EQ(RemoteHits("", -1, 1, 0, 0, {}, {}).size(), 4u);
}

TEST_F(DepotixTest, RemotePlayThatCannotStartEndsWithoutReady)
{
    VideoWindow window(0, 0, 200, 150);
    struct Case {
        const char* what;
        std::string password, path;
    } cases[] = {
        {"refused log-in", "wrong", paths[0]},
        {"unlisted path", "1234", dir.File("none.mp4")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        int h = Api().OpenRemoteFile("127.0.0.1", "admin", c.password.c_str(), c.path.c_str(), window.Handle(), port);
        ASSERT_GT(h, 0);
        Api().SetNotifyWindow(h, window.Handle(), kNotify);
        std::vector<WPARAM> got = WaitNotifications(window, kNotify, h, 1);
        ASSERT_FALSE(got.empty());
        EXPECT_EQ(got.back(), 1u);
        for (WPARAM n : got)
            EXPECT_NE(n, 2u);
        EXPECT_TRUE(Api().Stop(h));
    }
}

// --- the same against a video server of devsim ----------------------------------------------

// A site whose server Alpha keeps its own recordings: one it made while server recording was on
// (through Conduit), and one copied into its folder.
class DevsimFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(WriteTextFile(dir.File("site.ini"), "[Site]\r\nRecordings=rec\r\n[Server1]\r\nName=Alpha\r\n"
                                                        "User=admin\r\nPassword=1234\r\nChannels=2\r\n"));
        ASSERT_TRUE(site.Start(dir.File("site.ini")));
        port = site.Port("Alpha");
        ASSERT_TRUE(Api().Init());
        Conduit_Init(0, 0, 0, 0);
        folder = dir.File("rec\\Alpha");
        copied = folder + "\\Alpha_1_20261207100000.mp4";
        ASSERT_EQ(Conduit_StartServerRecord("Alpha", "127.0.0.1", 1, "admin", "1234", 1, port), 1);
        // The server writes at its frame rate: about a second of pictures.
        ASSERT_TRUE(
            WaitUntil([&] { return !RecordedPath().empty() && ReadFileBytes(RecordedPath()).size() > 400000; }, 20000));
        ASSERT_EQ(Conduit_StopServerRecord("Alpha", "127.0.0.1", 1, "admin", "1234", uint16_t(port)), 1);
        recorded = RecordedPath();
        WriteTestRecording(copied, dev::VideoContainer::Mp4, 60, 352, 288);
    }
    void TearDown() override
    {
        Api().Cleanup();
        Conduit_Cleanup();
    }
    std::string RecordedPath()
    {
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA((folder + "\\Alpha_2_*.mp4").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE)
            return std::string();
        FindClose(find);
        return folder + "\\" + found.cFileName;
    }
    std::vector<Hit> Search(const char* name, int channel, int kind, int selector)
    {
        HitLog log;
        FramewellTime none = {};
        int h = Api().StartSearch("127.0.0.1", name, channel, "admin", "1234", kind, selector, 0, &none, &none,
                                  CollectRemote, &log, port);
        if (h < 0)
            return {};
        EXPECT_EQ(WaitSearch(h), 1);
        Api().CloseSearch(h);
        return log.Sorted();
    }

    TempDir dir;
    DevsimSite site;
    int port = 0;
    std::string folder, copied, recorded;
};

TEST_F(DevsimFilesTest, AServersRecordingsAreSearchedAndDownloaded)
{
    std::vector<Hit> all = Search("", -1, 1, 0);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].path, copied);
    EXPECT_EQ(all[0].channel, 0);
    EXPECT_EQ(all[0].startHour, 10);
    EXPECT_EQ(all[1].path, recorded);
    EXPECT_EQ(all[1].name, "Alpha");
    EXPECT_EQ(all[1].channel, 1);
    EXPECT_EQ(all[1].size, unsigned(ReadFileBytes(recorded).size()));
    EXPECT_EQ(Search("Alpha", 1, 1, 255).size(), 1u);
    EXPECT_EQ(Search("Beta", -1, 1, 0).size(), 0u);
    EXPECT_EQ(Search("", -1, 4, 0).size(), 0u);
    EXPECT_EQ(Search("", -1, 1, 3).size(), 0u); // a server's recordings are manual ones

    std::string local = dir.File("copy.mp4");
    int h = Api().StartDownload("127.0.0.1", "admin", "1234", recorded.c_str(), local.c_str(), port, 0);
    ASSERT_GT(h, 0);
    EXPECT_EQ(WaitDownload(h), -1);
    Api().CloseDownload(h);
    EXPECT_TRUE(ReadFileBytes(local) == ReadFileBytes(recorded));
    // Not in the folder, or not a recording of the server.
    WriteTextFile(folder + "\\notes.mp4", "x");
    for (std::string path : {folder + "\\..\\..\\site.ini", dir.File("site.ini"), folder + "\\notes.mp4"}) {
        EXPECT_EQ(Api().StartDownload("127.0.0.1", "admin", "1234", path.c_str(), local.c_str(), port, 0), 0) << path;
    }
    EXPECT_EQ(Api().StartSearch("127.0.0.1", "", -1, "admin", "nope", 1, 0, 0, nullptr, nullptr, CollectRemote, nullptr,
                                port),
              -1);
    ASSERT_TRUE(site.Ok("fail Alpha search -1 1"));
    EXPECT_EQ(Api().StartSearch("127.0.0.1", "", -1, "admin", "1234", 1, 0, 0, nullptr, nullptr, CollectRemote, nullptr,
                                port),
              -1);
    ASSERT_TRUE(site.Ok("fail Alpha fetch -5 1"));
    EXPECT_EQ(Api().StartDownload("127.0.0.1", "admin", "1234", recorded.c_str(), local.c_str(), port, 0), 0);
}

TEST_F(DevsimFilesTest, ARecordingOfTheServerPlaysRemotely)
{
    VideoWindow window(0, 0, 354, 290);
    int h = Api().OpenRemoteFile("127.0.0.1", "admin", "1234", recorded.c_str(), window.Handle(), port);
    ASSERT_GT(h, 0);
    Api().SetBufferTime(h, 1);
    Api().SetNotifyWindow(h, window.Handle(), kNotify);
    std::vector<WPARAM> got = WaitNotifications(window, kNotify, h, 2);
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.front(), 3u);
    EXPECT_EQ(got.back(), 2u);
    ASSERT_TRUE(Api().Play(h, window.Handle()));
    ASSERT_TRUE(WaitUntil([&] { return Api().GetPlayTime(h) >= 600; }));
    ASSERT_TRUE(Api().Pause(h));
    Api().RefreshDisplay(h, nullptr);
    PumpMessages();
    Capture shot = CaptureWindow(window.Handle());
    SavePng(shot, ScreenshotPath("framewell-playback"));
    int coloured = 0;
    for (int x = 0; x < shot.width; x += 4)
        coloured += shot.Pixel(x, shot.height / 2) != RGB(0, 0, 0);
    EXPECT_GT(coloured, shot.width / 8) << "the window shows the recording";
    ASSERT_TRUE(Api().Play(h, window.Handle()));
    got = WaitNotifications(window, kNotify, h, 1);
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.back(), 1u);
    EXPECT_TRUE(Api().Stop(h));
}

TEST_F(DevsimFilesTest, AServerStoppedDuringPlayEndsIt)
{
    ASSERT_TRUE(site.Ok("slow Alpha 150")); // a piece every 150 ms: the download outlasts the test
    VideoWindow window(0, 0, 200, 160);
    int h = Api().OpenRemoteFile("127.0.0.1", "admin", "1234", copied.c_str(), window.Handle(), port);
    ASSERT_GT(h, 0);
    Api().SetBufferTime(h, 0);
    Api().SetNotifyWindow(h, window.Handle(), kNotify);
    std::vector<WPARAM> got = WaitNotifications(window, kNotify, h, 2);
    ASSERT_FALSE(got.empty());
    ASSERT_EQ(got.back(), 2u);
    ASSERT_TRUE(Api().Play(h, window.Handle()));
    ASSERT_TRUE(site.Ok("stop Alpha"));
    got = WaitNotifications(window, kNotify, h, 1);
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.back(), 1u);
    EXPECT_LT(Api().GetPlayTime(h), 59 * 40); // it did not reach the end
    EXPECT_TRUE(Api().Stop(h));
    ASSERT_TRUE(site.Ok("start Alpha"));
}

TEST_F(DevsimFilesTest, ASeekFetchesFromItsNewPosition)
{
    std::string longer = folder + "\\Alpha_1_20261207110000.mp4";
    WriteTestRecording(longer, dev::VideoContainer::Mp4, 250, 352, 288); // 10 s
    ASSERT_TRUE(site.Ok("slow Alpha 100")); // 32 KB every 100 ms: the whole file takes seconds
    VideoWindow window(0, 0, 200, 160);
    int h = Api().OpenRemoteFile("127.0.0.1", "admin", "1234", longer.c_str(), window.Handle(), port);
    ASSERT_GT(h, 0);
    Api().SetBufferTime(h, 0);
    Api().SetNotifyWindow(h, window.Handle(), kNotify);
    ASSERT_EQ(WaitNotifications(window, kNotify, h, 2).back(), 2u);
    // Near the end at once: those pictures are fetched next, before the middle.
    ASSERT_TRUE(Api().SetPlayTime(h, 9000));
    ASSERT_TRUE(Api().Play(h, window.Handle()));
    Api().Fast(h);
    Api().Fast(h);
    std::vector<WPARAM> got = WaitNotifications(window, kNotify, h, 1);
    ASSERT_FALSE(got.empty());
    ASSERT_EQ(got.back(), 1u);
    EXPECT_EQ(Api().GetPlayTime(h), 249 * 40);
    // The middle has not arrived yet: playing it waits for it, then plays to the end.
    ASSERT_TRUE(Api().SetPlayTime(h, 5000));
    ASSERT_TRUE(Api().Play(h, window.Handle()));
    Api().Fast(h);
    Api().Fast(h);
    got = WaitNotifications(window, kNotify, h, 1);
    ASSERT_GE(got.size(), 3u);
    EXPECT_EQ(got[0], 3u);
    EXPECT_EQ(got[1], 4u);
    EXPECT_EQ(got.back(), 1u);
    EXPECT_EQ(Api().GetPlayTime(h), 249 * 40);
    EXPECT_TRUE(Api().Stop(h));
}

// A service that admits the search, sends three hits and hangs up without its end message.
unsigned __stdcall ThreeHitsThenGone(void* listener)
{
    SOCKET s = accept(*static_cast<SOCKET*>(listener), nullptr, nullptr);
    if (s == INVALID_SOCKET)
        return 0;
    dev::Channel channel(s);
    dev::Message hello;
    channel.Receive(hello, 10000, nullptr);
    dev::WelcomeMsg w = {};
    channel.Send(dev::MsgWelcome, &w, sizeof w);
    for (int i = 0; i < 3; ++i) {
        dev::FileHitMsg hit = {};
        dev::CopyText(hit.name, "Gate");
        hit.channel = i;
        dev::CopyText(hit.path, "C:\\rec\\a.mp4");
        channel.Send(dev::MsgFileHit, &hit, sizeof hit);
    }
    channel.Abort();
    return 0;
}

TEST(RemoteSearch, ASearchThatFailsPartWayEndsAndKeepsItsHits)
{
    ASSERT_TRUE(Api().Init());
    uint16_t port = 0;
    SOCKET listener = dev::ListenTcp(0, &port);
    HANDLE server = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ThreeHitsThenGone, &listener, 0, nullptr));
    HitLog log;
    int h = Api().StartSearch("127.0.0.1", "", -1, "u", "p", 1, 0, 0, nullptr, nullptr, CollectRemote, &log, port);
    ASSERT_GT(h, 0);
    EXPECT_EQ(WaitSearch(h), 1);
    EXPECT_EQ(log.Sorted().size(), 3u);
    EXPECT_TRUE(Api().CloseSearch(h));
    WaitForSingleObject(server, INFINITE);
    CloseHandle(server);
    closesocket(listener);
    Api().Cleanup();
}

// --- many hits, starts and closes ------------------------------------------------------------

struct LateLog {
    volatile LONG closed = 0;
    volatile LONG late = 0;
    volatile LONG calls = 0;
};

void __stdcall CountLate(const char*, int, const char*, const FramewellTime*, const FramewellTime*, unsigned int,
                         void* context)
{
    LateLog* log = static_cast<LateLog*>(context);
    InterlockedIncrement(&log->calls);
    if (log->closed)
        InterlockedIncrement(&log->late);
}

int CALLBACK EndlessHits(DepotixRequest* request, int userValue)
{
    DepotixDateTime t = {2026, 12, 7, 10, 0, 0, {0, 0, 0}};
    for (int i = 0; i < 3000; ++i)
        request->resultCallback("Gate", i % 4, "C:\\rec\\a.mp4", &t, &t, i, userValue);
    return 0;
}

TEST(DepotixHammer, StartsAndClosesUnderAStreamOfHitsLeaveNoLateCallback)
{
    ASSERT_TRUE(Api().Init());
    Depotix_SetLoginCallback(nullptr);
    Depotix_SetEventCallback(EndlessHits);
    int port = Depotix_Start(0, 0);
    ASSERT_GT(port, 0);
    LONG total = 0;
    for (int round = 0; round < 30; ++round) {
        LateLog log;
        int h = Api().StartSearch("127.0.0.1", "", -1, "u", "p", 1, 0, 0, nullptr, nullptr, CountLate, &log, port);
        ASSERT_GT(h, 0);
        for (int spin = 0; spin < round % 5; ++spin)
            WaitForSingleObject(GetCurrentThread(), 1);
        // Every fifth round closes only once hits flow, however long a busy machine takes to start them.
        for (DWORD until = GetTickCount() + 5000; round % 5 == 4 && log.calls == 0 && int(until - GetTickCount()) > 0;)
            WaitForSingleObject(GetCurrentThread(), 1);
        EXPECT_TRUE(Api().CloseSearch(h));
        InterlockedExchange(&log.closed, 1);
        WaitForSingleObject(GetCurrentThread(), 2); // a late call would come now
        EXPECT_EQ(log.late, 0);
        total += log.calls;
    }
    EXPECT_GT(total, 0);
    // One search runs to its end: every hit, then state 1.
    LateLog all;
    int h = Api().StartSearch("127.0.0.1", "", -1, "u", "p", 1, 0, 0, nullptr, nullptr, CountLate, &all, port);
    ASSERT_GT(h, 0);
    EXPECT_EQ(WaitSearch(h), 1);
    EXPECT_EQ(all.calls, 3000);
    Api().CloseSearch(h);
    Depotix_Stop();
    Depotix_SetEventCallback(nullptr);
    Api().Cleanup();
}

// --- garbage on both sides -------------------------------------------------------------------

TEST(RemoteFuzz, DepotixSurvivesGarbageAndStillServes)
{
    Depotix_SetLoginCallback(nullptr);
    Depotix_SetEventCallback(EndlessHits);
    int port = Depotix_Start(0, 0);
    ASSERT_GT(port, 0);
    uint32_t seed = 99;
    for (int i = 0; i < 60; ++i)
        SendGarbage(uint16_t(port), seed);
    ASSERT_TRUE(Api().Init());
    LateLog log;
    int h = Api().StartSearch("127.0.0.1", "", -1, "u", "p", 1, 0, 0, nullptr, nullptr, CountLate, &log, port);
    ASSERT_GT(h, 0);
    EXPECT_EQ(WaitSearch(h), 1);
    EXPECT_EQ(log.calls, 3000);
    Api().CloseSearch(h);
    Depotix_Stop();
    Depotix_SetEventCallback(nullptr);
    Api().Cleanup();
}

TEST(RemoteFuzz, FramewellEndsEveryJobAgainstAServerSpeakingGarbage)
{
    ASSERT_TRUE(Api().Init());
    TempDir dir;
    VideoWindow window(0, 0, 100, 80);
    for (int round = 0; round < 24; ++round) {
        SCOPED_TRACE(round);
        GarbageServer server(uint32_t(round * 7919 + 1));
        LateLog log;
        int s =
            Api().StartSearch("127.0.0.1", "", -1, "u", "p", 1, 0, 0, nullptr, nullptr, CountLate, &log, server.Port());
        if (s > 0) {
            EXPECT_EQ(WaitSearch(s), 1);
            Api().CloseSearch(s);
        }
        int d = Api().StartDownload("127.0.0.1", "u", "p", "C:\\a.mp4", dir.File("d.bin").c_str(), server.Port(), 0);
        if (d > 0) {
            EXPECT_LT(WaitDownload(d), 0);
            Api().CloseDownload(d);
        }
        int p = Api().OpenRemoteFile("127.0.0.1", "u", "p", "C:\\a.mp4", window.Handle(), server.Port());
        ASSERT_GT(p, 0);
        Api().SetNotifyWindow(p, window.Handle(), kNotify);
        Api().Play(p, window.Handle());
        std::vector<WPARAM> got = WaitNotifications(window, kNotify, p, 1, 20000);
        EXPECT_FALSE(got.empty());
        EXPECT_TRUE(Api().Stop(p));
    }
    Api().Cleanup();
}

} // namespace
