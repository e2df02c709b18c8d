// Conduit against the simulated site: live pictures, recordings, snapshots, events, control,
// serial channel, voice, server-side calls, every connect result, and the close guarantee.
#include <winsock2.h>

#include <gtest/gtest.h>

#include <cstring>

#include "devices/common/Net.h"
#include "devices/conduit/Conduit.h"
#include "devices/conduit/ServerSession.h"
#include "tests/devices/DeviceTestSupport.h"
#include "devices/portwick/Portwick.h"
#include "tools/screenshot/Screenshot.h"
#include "tests/support/TestSupport.h"

namespace {

const char kUser[] = "admin";
const char kPassword[] = "secret";

class ConduitTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Conduit_Init(0, 0, 0, 0);
        ASSERT_TRUE(TestSite().Running());
    }
    void SetUp() override { Conduit_SetConnectTimeout(5, 1); }
    void TearDown() override
    {
        for (int h : handles_)
            Conduit_Disconnect(h);
    }

    // Connects to a channel of a server of the test site and waits for the log-in.
    int ConnectLive(const std::string& server, int channel, HWND window, EventLog* log)
    {
        ConduitConnectRecord r;
        FillRecord(&r, kUser, kPassword, channel, window, log);
        int h = Conduit_Connect("127.0.0.1", &r, TestSite().Port(server));
        if (h > 0)
            handles_.push_back(h);
        return h;
    }

    int Frames(int handle)
    {
        int info[5] = {};
        return Conduit_GetStreamInfo(handle, info) ? info[4] : -1;
    }

    unsigned short Port(const char* server) { return TestSite().Port(server); }
    std::vector<int> handles_;
};

int CountDifferentPixels(const Capture& a, const Capture& b)
{
    int n = 0;
    for (int y = 0; y < a.height && y < b.height; ++y)
        for (int x = 0; x < a.width && x < b.width; ++x)
            n += a.Pixel(x, y) != b.Pixel(x, y);
    return n;
}

TEST_F(ConduitTest, LivePicturesAreDrawnIntoTheWindowAndChange)
{
    VideoWindow window(40, 40, 352, 288);
    EventLog log;
    int h = ConnectLive("Alpha", 1, window.Handle(), &log);
    ASSERT_GT(h, 0);
    ASSERT_TRUE(log.WaitFor(CONDUIT_EVENT_CONNECT, CONDUIT_CONNECTED));
    int info[5] = {};
    ASSERT_TRUE(Conduit_GetStreamInfo(h, info));
    EXPECT_EQ(info[0], 352);
    EXPECT_EQ(info[1], 288);
    EXPECT_EQ(info[2], 1);
    EXPECT_EQ(Conduit_GetCameraInputs(h), 4);
    ASSERT_TRUE(WaitUntil([&] { return Frames(h) >= 3; }));
    Capture first = CaptureWindow(window.Handle());
    int seen = Frames(h);
    ASSERT_TRUE(WaitUntil([&] { return Frames(h) >= seen + 3; }));
    PumpMessages();
    Capture second = CaptureWindow(window.Handle());
    SavePng(first, ScreenshotPath("devices_live_1"));
    SavePng(second, ScreenshotPath("devices_live_2"));
    EXPECT_GT(CountDifferentPixels(first, second), 1000) << "the picture must move";
    int coloured = 0;
    for (int x = 0; x < second.width; x += 4)
        coloured += second.Pixel(x, second.height / 2) != RGB(0, 0, 0);
    EXPECT_GT(coloured, second.width / 8) << "the window shows a picture, not black";
    EXPECT_EQ(Conduit_RefreshDisplay(h, 0), 1);
    EXPECT_EQ(Conduit_StopVideo(h), 1);
    EXPECT_EQ(Conduit_RefreshDisplay(h, 0), 0) << "nothing is redrawn once the video is stopped";
    // All events of a channel arrive on one library thread, never the caller's.
    for (const DeviceEvent& e : log.Events())
        EXPECT_NE(e.thread, GetCurrentThreadId());
}

struct RecordingCase {
    const char* name;
    int(__stdcall* start)(int, const char*);
    int(__stdcall* stop)(int);
    bool (*read)(const std::string&, std::vector<MediaSample>*, int*, int*);
};

int __stdcall StartAsf(int h, const char* path)
{
    return Conduit_StartRecordAsf(h, path, 0);
}

TEST_F(ConduitTest, RecordingsHoldEveryPictureReceivedInOrder)
{
    const RecordingCase cases[] = {
        {"rec.mp4", Conduit_StartRecordMp4, Conduit_StopRecordMp4, ReadMp4Samples},
        {"rec.asf", StartAsf, Conduit_StopRecordAsf, ReadAsfSamples},
    };
    TempDir dir;
    EventLog log;
    int h = ConnectLive("Alpha", 0, nullptr, &log);
    ASSERT_TRUE(log.WaitFor(CONDUIT_EVENT_CONNECT, CONDUIT_CONNECTED));
    ASSERT_TRUE(WaitUntil([&] { return Frames(h) >= 1; }));
    for (const RecordingCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = dir.File(c.name);
        ASSERT_EQ(c.start(h, path.c_str()), 1);
        int from = Frames(h);
        ASSERT_TRUE(WaitUntil([&] { return Frames(h) >= from + 12; }));
        ASSERT_EQ(c.stop(h), 1);
        EXPECT_EQ(c.stop(h), 0) << "nothing left to stop";
        std::vector<MediaSample> samples;
        int width = 0, height = 0;
        ASSERT_TRUE(c.read(path, &samples, &width, &height));
        EXPECT_EQ(width, 352);
        EXPECT_EQ(height, 288);
        ASSERT_GE(samples.size(), 10u);
        long first = JpegFrameNumber(samples.front().data);
        for (size_t i = 0; i < samples.size(); ++i) {
            const std::vector<uint8_t>& jpeg = samples[i].data;
            ASSERT_GT(jpeg.size(), 4u);
            EXPECT_TRUE(jpeg[0] == 0xFF && jpeg[1] == 0xD8 && jpeg[jpeg.size() - 2] == 0xFF && jpeg.back() == 0xD9);
            EXPECT_EQ(JpegFrameNumber(jpeg), first + long(i)) << "no picture lost or repeated";
            if (i > 0) {
                EXPECT_GT(samples[i].timeMs, samples[i - 1].timeMs);
            }
        }
        int w = 0, hgt = 0;
        EXPECT_TRUE(DecodePicture(samples[samples.size() / 2].data, &w, &hgt));
        EXPECT_EQ(w, 352);
    }
    EXPECT_EQ(Conduit_StartRecordMp4(h, dir.File("no\\such\\folder\\x.mp4").c_str()), 0);
    EXPECT_EQ(Conduit_StartRecordMp4(h + 1000, dir.File("x.mp4").c_str()), 0);
}

TEST_F(ConduitTest, SnapshotsAreValidBmpAndJpegFiles)
{
    TempDir dir;
    EventLog log;
    int h = ConnectLive("Alpha", 2, nullptr, &log);
    ASSERT_TRUE(log.WaitFor(CONDUIT_EVENT_CONNECT, CONDUIT_CONNECTED));
    ASSERT_TRUE(WaitUntil([&] { return Frames(h) >= 1; }));
    for (const char* name : {"snap.bmp", "snap.jpg"}) {
        SCOPED_TRACE(name);
        ASSERT_EQ(Conduit_CapturePicture(h, dir.File(name).c_str()), 1);
        int w = 0, hgt = 0;
        EXPECT_TRUE(DecodePicture(ReadFileBytes(dir.File(name)), &w, &hgt));
        EXPECT_EQ(w, 352);
        EXPECT_EQ(hgt, 288);
    }
    std::vector<uint8_t> bmp = ReadFileBytes(dir.File("snap.bmp"));
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[28], 24) << "24 bits a pixel";
    EXPECT_EQ(bmp.size(), 54u + 352 * 3 * 288);
    EXPECT_EQ(Conduit_CapturePicture(h, dir.File("missing\\snap.bmp").c_str()), 0);
}

struct JpegSink {
    CRITICAL_SECTION lock;
    std::vector<std::vector<uint8_t>> pictures;
    std::vector<int> channels;
    int failures = 0;
    JpegSink() { InitializeCriticalSection(&lock); }
    ~JpegSink() { DeleteCriticalSection(&lock); }
    static void __stdcall Callback(int, int channel, const char* data, int length, void* context)
    {
        auto* s = static_cast<JpegSink*>(context);
        EnterCriticalSection(&s->lock);
        if (length > 0) {
            s->pictures.emplace_back(data, data + length);
            s->channels.push_back(channel);
        } else {
            ++s->failures;
        }
        LeaveCriticalSection(&s->lock);
    }
    size_t Count()
    {
        EnterCriticalSection(&lock);
        size_t n = pictures.size();
        LeaveCriticalSection(&lock);
        return n;
    }
};

TEST_F(ConduitTest, JpegStreamDeliversPicturesAndReportsItsLoss)
{
    JpegSink sink;
    EXPECT_EQ(Conduit_OpenJpegStream("Delta", "127.0.0.1", kUser, "wrong", Port("Delta"), JpegSink::Callback, &sink),
              -1);
    int h = Conduit_OpenJpegStream("Delta", "127.0.0.1", kUser, kPassword, Port("Delta"), JpegSink::Callback, &sink);
    ASSERT_GT(h, 0);
    ASSERT_EQ(Conduit_RequestJpeg(h, 1, 90), 1);
    ASSERT_EQ(Conduit_RequestJpeg(h, 0, 50), 1);
    ASSERT_TRUE(WaitUntil([&] { return sink.Count() == 2; }));
    EXPECT_EQ(sink.channels, (std::vector<int>{1, 0}));
    int w = 0, hgt = 0;
    EXPECT_TRUE(DecodePicture(sink.pictures[0], &w, &hgt));
    EXPECT_EQ(w, 352);
    ASSERT_TRUE(TestSite().Ok("stop Delta"));
    EXPECT_TRUE(WaitUntil([&] {
        EnterCriticalSection(&sink.lock);
        int f = sink.failures;
        LeaveCriticalSection(&sink.lock);
        return f == 1;
    }));
    EXPECT_EQ(Conduit_CloseJpegStream(h), 1);
    EXPECT_EQ(Conduit_CloseJpegStream(h), 0);
    ASSERT_TRUE(TestSite().Ok("start Delta"));
}

TEST_F(ConduitTest, ScriptedDeviceEventsReachTheCallback)
{
    EventLog log;
    int h = ConnectLive("Alpha", 3, nullptr, &log);
    ASSERT_TRUE(log.WaitFor(CONDUIT_EVENT_CONNECT, CONDUIT_CONNECTED));
    struct Case {
        const char* command;
        int type, value;
    } cases[] = {
        {"motion Alpha 3", CONDUIT_EVENT_MOTION, 1 << 3},
        {"motion Alpha 0", CONDUIT_EVENT_MOTION, 1 << 0},
        {"sensor Alpha 2", CONDUIT_EVENT_SENSOR, 1 << 2},
        {"cut Alpha 3", CONDUIT_EVENT_VIDEO_LOSS, 1 << 3},
        {"cut Alpha 1", CONDUIT_EVENT_VIDEO_LOSS, (1 << 3) | (1 << 1)},
        {"restore Alpha 3", CONDUIT_EVENT_VIDEO_LOSS, 1 << 1},
        {"restore Alpha 1", CONDUIT_EVENT_VIDEO_LOSS, 0},
        {"event Alpha 3 11 1", CONDUIT_EVENT_SERVER_RECORD, 1},
        {"event Alpha * 42 7", 42, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        ASSERT_TRUE(TestSite().Ok(c.command));
        EXPECT_TRUE(log.WaitFor(c.type, c.value));
    }
    // The server's answers to control calls come back as events too.
    ASSERT_EQ(Conduit_SetAlarmOutput(h, 2, 1), 1);
    EXPECT_TRUE(log.WaitFor(CONDUIT_EVENT_RELAYS, 1 << 2));
    EXPECT_TRUE(TestSite().WaitState("Alpha", "relays", "0010", 5000));
    unsigned char states[4] = {9, 9, 9, 9};
    ASSERT_EQ(Conduit_GetAlarmOutputs("Alpha", "127.0.0.1", kUser, kPassword, states, Port("Alpha")), 1);
    EXPECT_EQ(std::vector<int>(states, states + 4), (std::vector<int>{0, 0, 1, 0}));
    ASSERT_EQ(Conduit_SetAlarmOutput(h, 2, 0), 1);
    EXPECT_TRUE(log.WaitFor(CONDUIT_EVENT_RELAYS, 0));
    ASSERT_EQ(Conduit_SelectCamera(h, 2), 1);
    EXPECT_TRUE(log.WaitFor(CONDUIT_EVENT_CAMERA_INPUT, 2));
    ASSERT_EQ(Conduit_StartServerRecord("Alpha", "127.0.0.1", 3, kUser, kPassword, 1, Port("Alpha")), 1);
    EXPECT_TRUE(log.WaitFor(CONDUIT_EVENT_SERVER_RECORD, 1));
    EXPECT_EQ(TestSite().State("Alpha", "recording"), "0001");
    ASSERT_EQ(Conduit_StopServerRecord("Alpha", "127.0.0.1", 3, kUser, kPassword, Port("Alpha")), 1);
    EXPECT_TRUE(log.WaitFor(CONDUIT_EVENT_SERVER_RECORD, 0));
    ASSERT_EQ(Conduit_ClearAlarm(h), 1);
    EXPECT_TRUE(TestSite().WaitState("Alpha", "clears", "1", 5000));
}

TEST_F(ConduitTest, PtzCommandsReachTheServerNativelyAndAsProtocolBytes)
{
    EventLog log;
    int h = ConnectLive("Beta", 5, nullptr, &log);
    ASSERT_TRUE(log.WaitFor(CONDUIT_EVENT_CONNECT, CONDUIT_CONNECTED));
    ASSERT_TRUE(TestSite().Ok("ptz-clear Beta"));
    ASSERT_EQ(Conduit_PtzControl(h, 0, 5), 1);
    ASSERT_EQ(Conduit_PtzControl(h, 14, 0), 1);
    int protocol = Portwick_OpenPtzProtocol("PELCO-D");
    ASSERT_GT(protocol, 0);
    unsigned char bytes[PORTWICK_COMMAND_SIZE];
    int n = Portwick_BuildPtzCommand(protocol, 10, bytes, 1, 5, 7);
    ASSERT_EQ(n, 7);
    ASSERT_EQ(Conduit_SendSerialData(h, 0, bytes, n), 1);
    Portwick_ClosePtzProtocol(protocol);
    std::string expected = "ok 3 5:0:5 5:14:0 5:serial0:FF01000700070F";
    EXPECT_TRUE(WaitUntil([&] { return TestSite().Command("ptz Beta") == expected; }))
        << TestSite().Command("ptz Beta");
    EXPECT_EQ(Conduit_SendSerialData(h, 0, bytes, 0), 0);
    EXPECT_EQ(Conduit_PtzControl(h + 1000, 0, 5), 0);
}

struct SerialSink {
    CRITICAL_SECTION lock;
    std::vector<uint8_t> bytes;
    int lost = 0;
    SerialSink() { InitializeCriticalSection(&lock); }
    ~SerialSink() { DeleteCriticalSection(&lock); }
    static void __stdcall Callback(int, const char* data, int length, void* context)
    {
        auto* s = static_cast<SerialSink*>(context);
        EnterCriticalSection(&s->lock);
        if (length > 0)
            s->bytes.insert(s->bytes.end(), data, data + length);
        else
            ++s->lost;
        LeaveCriticalSection(&s->lock);
    }
    std::vector<uint8_t> Bytes()
    {
        EnterCriticalSection(&lock);
        std::vector<uint8_t> b = bytes;
        LeaveCriticalSection(&lock);
        return b;
    }
};

void Frame(uint8_t command, uint16_t value, uint8_t address, uint8_t out[7])
{
    out[0] = 0xF6;
    out[1] = address;
    out[2] = command;
    out[3] = 0x10;
    out[4] = uint8_t(value);
    out[5] = uint8_t(value >> 8);
    out[6] = uint8_t(out[1] + out[2] + out[3] + out[4] + out[5]);
}

TEST_F(ConduitTest, AlarmBoxAnswersPollsOverTheSerialChannel)
{
    ConduitSerialLine line = {9600, 8, 1, 0, 0};
    SerialSink sink;
    int h = Conduit_OpenSerialChannel("Alpha", "127.0.0.1", kUser, kPassword, 1, &line, SerialSink::Callback, &sink,
                                      Port("Alpha"));
    ASSERT_GT(h, 0);
    SerialSink other;
    EXPECT_LE(Conduit_OpenSerialChannel("Alpha", "127.0.0.1", kUser, kPassword, 1, &line, SerialSink::Callback, &other,
                                        Port("Alpha")),
              0)
        << "the port has one user";
    ASSERT_TRUE(TestSite().Ok("input Alpha 3 1"));
    ASSERT_TRUE(TestSite().Ok("input Alpha 12 1"));
    uint8_t poll[7], reply[7], wrongAddress[7], outputs[7];
    Frame(0x4A, 0, 9, wrongAddress);
    Frame(0x4A, 0, 5, poll);
    Frame(0x4B, (1 << 3) | (1 << 12), 5, reply);
    ASSERT_EQ(Conduit_WriteSerialChannel(h, wrongAddress, 7), 1);
    ASSERT_EQ(Conduit_WriteSerialChannel(h, poll, 7), 1);
    ASSERT_TRUE(WaitUntil([&] { return sink.Bytes().size() >= 7; }));
    EXPECT_EQ(sink.Bytes(), std::vector<uint8_t>(reply, reply + 7)) << "one answer, to the box's own address";
    Frame(0x44, 0x0105, 5, outputs);
    ASSERT_EQ(Conduit_WriteSerialChannel(h, outputs, 7), 1);
    EXPECT_TRUE(TestSite().WaitState("Alpha", "box_outputs", "0105", 5000));
    EXPECT_EQ(TestSite().State("Alpha", "box_polls"), "1");
    ASSERT_TRUE(TestSite().Ok("input Alpha 3 0"));
    ASSERT_TRUE(TestSite().Ok("input Alpha 12 0"));
    EXPECT_EQ(Conduit_CloseSerialChannel(h), 1);
    EXPECT_TRUE(TestSite().WaitState("Alpha", "box_open", "0", 5000));
}

TEST_F(ConduitTest, SerialChannelReportsItsLossOnce)
{
    ConduitSerialLine line = {9600, 8, 1, 0, 0};
    SerialSink sink;
    int h = Conduit_OpenSerialChannel("Delta", "127.0.0.1", kUser, kPassword, 0, &line, SerialSink::Callback, &sink,
                                      Port("Delta"));
    ASSERT_GT(h, 0);
    ASSERT_TRUE(TestSite().Ok("stop Delta"));
    EXPECT_TRUE(WaitUntil([&] {
        EnterCriticalSection(&sink.lock);
        int lost = sink.lost;
        LeaveCriticalSection(&sink.lock);
        return lost == 1;
    }));
    EXPECT_EQ(Conduit_CloseSerialChannel(h), 1);
    ASSERT_TRUE(TestSite().Ok("start Delta"));
}

TEST_F(ConduitTest, BroadcastAndTalkAudioReachTheServer)
{
    int target = 0;
    EXPECT_EQ(Conduit_AddBroadcastTarget("127.0.0.1", kUser, "bad", 3, &target, Port("Beta"), "Beta"), -102);
    ASSERT_EQ(Conduit_AddBroadcastTarget("127.0.0.1", kUser, kPassword, 3, &target, Port("Beta"), "Beta"), 0);
    ASSERT_GT(target, 0);
    std::vector<char> pcm(1600, 0x11);
    for (int i = 0; i < 3; ++i)
        ASSERT_EQ(Conduit_SendBroadcastAudio(target, pcm.data(), int(pcm.size())), 1);
    EXPECT_TRUE(TestSite().WaitState("Beta", "broadcast", "4800", 5000));
    EXPECT_EQ(Conduit_StopBroadcast(), 1);
    EXPECT_EQ(Conduit_SendBroadcastAudio(target, pcm.data(), int(pcm.size())), 0) << "every target was closed";

    int talk = Conduit_StartTalk("127.0.0.1", kUser, kPassword, Port("Beta"), 0, "Beta");
    ASSERT_GE(talk, 1);
    EXPECT_EQ(Conduit_StartTalk("127.0.0.1", kUser, kPassword, Port("Beta"), 0, "Beta"), CONDUIT_BUSY);
    EXPECT_EQ(Conduit_StartTalk("127.0.0.1", kUser, "bad", Port("Beta"), 0, "Beta"), CONDUIT_WRONG_LOGIN);
    EXPECT_EQ(Conduit_StartTalk("127.0.0.1", kUser, kPassword, Port("Gamma"), 0, "Gamma"), -1);
    EXPECT_TRUE(WaitUntil([&] { return std::atoi(TestSite().State("Beta", "talk").c_str()) >= 3200; }));
    EXPECT_EQ(Conduit_StopTalk(talk), 1);
    EXPECT_TRUE(TestSite().WaitState("Beta", "talking", "0", 5000));
}

TEST_F(ConduitTest, ServerSideCallsLogInForEachCall)
{
    const unsigned short port = Port("Alpha");
    unsigned char block[16] = {};
    ASSERT_EQ(Conduit_GetChannelParams("Alpha", "127.0.0.1", 2, kUser, kPassword, block, port), 1);
    EXPECT_EQ(block[12], 1) << "the PTZ device address starts at 1";
    block[12] = 77;
    ASSERT_EQ(Conduit_SetChannelParams("Alpha", "127.0.0.1", 2, kUser, kPassword, block, port), 1);
    EXPECT_EQ(TestSite().Command("params Alpha 2"), "ok 000000000000000000000000"
                                                    "4D000000");
    unsigned char again[16] = {};
    ASSERT_EQ(Conduit_GetChannelParams("Alpha", "127.0.0.1", 2, kUser, kPassword, again, port), 1);
    EXPECT_EQ(again[12], 77);
    EXPECT_EQ(Conduit_GetChannelParams("Alpha", "127.0.0.1", 2, kUser, "bad", again, port), 0);
    EXPECT_EQ(Conduit_GetChannelParams("Alpha", "127.0.0.1", 9, kUser, kPassword, again, port), 0);

    char text[CONDUIT_PTZ_DESCRIPTION_SIZE];
    ASSERT_EQ(Conduit_GetPtzDescription("Alpha", "127.0.0.1", 0, kUser, kPassword, text, port), 1);
    EXPECT_STREQ(text, "SpeedDome delay250");
    ASSERT_EQ(Conduit_CaptureServerJpeg("Alpha", "127.0.0.1", 1, kUser, kPassword, 80, port), 1);
    EXPECT_EQ(TestSite().State("Alpha", "captures"), "0,1,0,0");
    EXPECT_EQ(Conduit_Login("Alpha", "127.0.0.1", kUser, kPassword, port), 0);
    EXPECT_EQ(Conduit_Login("Alpha", "127.0.0.1", kUser, "bad", port), CONDUIT_WRONG_LOGIN);
    EXPECT_EQ(Conduit_Login("Gamma", "127.0.0.1", kUser, kPassword, Port("Gamma")), -1);
    int channels = 0, sensors = 0, relays = 0;
    ASSERT_EQ(Conduit_QueryDevice("any", "127.0.0.1", &channels, &sensors, &relays, Port("Beta")), 1);
    EXPECT_EQ(channels, 16);
    EXPECT_EQ(Conduit_QueryDevice("any", "127.0.0.1", &channels, &sensors, &relays, Port("Gamma")), 0);
    char address[CONDUIT_ADDRESS_SIZE];
    unsigned short resolved = 0;
    ASSERT_EQ(Conduit_ResolveDdns("127.0.0.1", TestSite().DdnsPort(), "alpha.ddns", address, &resolved), 0);
    EXPECT_STREQ(address, "127.0.0.1");
    EXPECT_EQ(resolved, port);
    EXPECT_EQ(Conduit_ResolveDdns("127.0.0.1", TestSite().DdnsPort(), "nobody.ddns", address, &resolved),
              CONDUIT_DDNS_UNKNOWN);
}

TEST_F(ConduitTest, EveryConnectResultIsReported)
{
    struct Case {
        const char* name;
        const char* server;
        const char* password;
        int channel;
        bool ddns;
        const char* setup;
        const char* undo;
        int result;
    } cases[] = {
        {"connected", "Alpha", kPassword, 0, false, "", "", CONDUIT_CONNECTED},
        {"server down", "Gamma", kPassword, 0, false, "", "", CONDUIT_CONNECT_FAILED},
        {"wrong password", "Alpha", "guess", 0, false, "", "", CONDUIT_WRONG_LOGIN},
        {"no such channel", "Alpha", kPassword, 4, false, "", "", CONDUIT_NO_CHANNEL},
        {"through DDNS", "alpha.ddns", kPassword, 0, true, "", "", CONDUIT_CONNECTED},
        {"not on the DDNS", "nobody.ddns", kPassword, 0, true, "", "", CONDUIT_DDNS_UNKNOWN},
        {"DDNS down", "alpha.ddns", kPassword, 0, true, "stop ddns", "start ddns", CONDUIT_DDNS_UNREACHABLE},
        {"not reported", "Beta", kPassword, 0, false, "fail Beta live 1", "fail Beta live off", 1},
        {"bind failed", "Beta", kPassword, 0, false, "fail Beta live 4", "fail Beta live off", 4},
        {"no memory", "Beta", kPassword, 0, false, "fail Beta live 5", "fail Beta live off", 5},
        {"slots full", "Beta", kPassword, 0, false, "fail Beta live -105", "fail Beta live off", -105},
        {"other code", "Beta", kPassword, 0, false, "fail Beta live -104", "fail Beta live off", -104},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (*c.setup) {
            ASSERT_TRUE(TestSite().Ok(c.setup));
        }
        EventLog log;
        ConduitConnectRecord r;
        FillRecord(&r, kUser, c.password, c.channel, nullptr, &log);
        r.serverName = c.server;
        int h = c.ddns ? Conduit_ConnectDdns("127.0.0.1", &r, TestSite().DdnsPort())
                       : Conduit_Connect("127.0.0.1", &r, Port(c.server));
        ASSERT_GT(h, 0);
        EXPECT_TRUE(WaitUntil([&] { return !log.Events().empty(); }));
        std::vector<DeviceEvent> events = log.Events();
        ASSERT_FALSE(events.empty());
        EXPECT_EQ(events[0].type, CONDUIT_EVENT_CONNECT);
        EXPECT_EQ(events[0].value, c.result);
        if (c.ddns && c.result == CONDUIT_CONNECTED) {
            char address[CONDUIT_ADDRESS_SIZE];
            unsigned short port = 0;
            ASSERT_EQ(Conduit_GetServerAddress(h, address, &port), 1);
            EXPECT_EQ(port, Port("Alpha")) << "the server's own port, not the DDNS server's";
        }
        EXPECT_EQ(Conduit_Disconnect(h), 1);
        if (*c.undo) {
            ASSERT_TRUE(TestSite().Ok(c.undo));
        }
    }
    ConduitConnectRecord r;
    FillRecord(&r, kUser, kPassword, 0, nullptr, nullptr);
    EXPECT_EQ(Conduit_Connect(nullptr, &r, Port("Alpha")), -1);
    EXPECT_EQ(Conduit_Connect("127.0.0.1", nullptr, Port("Alpha")), -1);
    EXPECT_EQ(Conduit_Disconnect(12345678), 0);
}

TEST_F(ConduitTest, ASlowServerMissesTheConnectTimeLimit)
{
    ASSERT_TRUE(TestSite().Ok("slow Delta 1500"));
    Conduit_SetConnectTimeout(1, 1);
    EventLog late;
    ConnectLive("Delta", 0, nullptr, &late);
    EXPECT_TRUE(late.WaitFor(CONDUIT_EVENT_CONNECT, CONDUIT_CONNECT_FAILED));
    Conduit_SetConnectTimeout(3, 1);
    EventLog patient;
    VideoWindow window(40, 40, 352, 288); // a shown channel: the pictures keep coming
    int h = ConnectLive("Delta", 0, window.Handle(), &patient);
    EXPECT_TRUE(patient.WaitFor(CONDUIT_EVENT_CONNECT, CONDUIT_CONNECTED));
    // Pictures come no faster than the server's delay.
    ASSERT_TRUE(WaitUntil([&] { return Frames(h) >= 2; }));
    EXPECT_EQ(Frames(h), 2);
    ASSERT_TRUE(TestSite().Ok("slow Delta 0"));
}

// The delays here are far longer than the test waits: only their early end lets it pass.
TEST_F(ConduitTest, ASlowServersWaitEndsWhenItsDelayIsLiftedOrTheClientLeaves)
{
    ASSERT_TRUE(TestSite().Ok("slow Delta 600000"));
    Conduit_SetConnectTimeout(600, 1);
    // The client leaves: the server lets go of the connection (and its thread) at once.
    EventLog leaving;
    int h = ConnectLive("Delta", 1, nullptr, &leaving);
    ASSERT_TRUE(TestSite().WaitState("Delta", "connections", "1", 10000));
    Conduit_Disconnect(h);
    EXPECT_TRUE(TestSite().WaitState("Delta", "connections", "0", 10000));
    // The delay set back to 0: the log-in that waits is answered now.
    EventLog waiting;
    ConnectLive("Delta", 0, nullptr, &waiting);
    ASSERT_TRUE(TestSite().WaitState("Delta", "connections", "1", 10000));
    ASSERT_TRUE(TestSite().Ok("slow Delta 0"));
    EXPECT_TRUE(waiting.WaitFor(CONDUIT_EVENT_CONNECT, CONDUIT_CONNECTED));
}

TEST(DevsimTest, QuitEndsTheSiteWhileASlowServerHoldsAClient)
{
    TempDir dir;
    ASSERT_TRUE(WriteTextFile(dir.File("slow.ini"), "[Server1]\r\nName=Sleepy\r\nUser=admin\r\nPassword=secret\r\n"));
    DevsimSite site;
    ASSERT_TRUE(site.Start(dir.File("slow.ini")));
    ASSERT_TRUE(site.Ok("slow Sleepy 600000"));
    Conduit_Init(0, 0, 0, 0);
    Conduit_SetConnectTimeout(600, 1);
    EventLog log;
    ConduitConnectRecord r;
    FillRecord(&r, kUser, kPassword, 0, nullptr, &log);
    int h = Conduit_Connect("127.0.0.1", &r, site.Port("Sleepy"));
    ASSERT_GT(h, 0);
    ASSERT_TRUE(site.WaitState("Sleepy", "connections", "1", 10000));
    EXPECT_EQ("ok", site.Command("quit"));
    EXPECT_TRUE(WaitUntil([&] { return !site.Running(); }, 5000)) << "devsim ended";
    EXPECT_TRUE(log.WaitFor(CONDUIT_EVENT_CONNECT, CONDUIT_CONNECT_FAILED));
    Conduit_Disconnect(h);
    Conduit_SetConnectTimeout(5, 1);
}

TEST_F(ConduitTest, UserSlotsOfAServerRunOut)
{
    EventLog first, second;
    ConnectLive("Tiny", 0, nullptr, &first);
    ASSERT_TRUE(first.WaitFor(CONDUIT_EVENT_CONNECT, CONDUIT_CONNECTED));
    ConnectLive("Tiny", 0, nullptr, &second);
    EXPECT_TRUE(second.WaitFor(CONDUIT_EVENT_CONNECT, CONDUIT_USERS_FULL));
}

TEST_F(ConduitTest, AServerThatStopsMidStreamClosesTheChannelAndKeepsTheRecording)
{
    TempDir dir;
    EventLog log;
    int h = ConnectLive("Delta", 1, nullptr, &log);
    ASSERT_TRUE(log.WaitFor(CONDUIT_EVENT_CONNECT, CONDUIT_CONNECTED));
    ASSERT_TRUE(WaitUntil([&] { return Frames(h) >= 1; }));
    ASSERT_EQ(Conduit_StartRecordMp4(h, dir.File("cut.mp4").c_str()), 1);
    int from = Frames(h);
    ASSERT_TRUE(WaitUntil([&] { return Frames(h) >= from + 5; }));
    ASSERT_TRUE(TestSite().Ok("stop Delta"));
    EXPECT_TRUE(log.WaitFor(CONDUIT_EVENT_CONNECT, CONDUIT_SERVER_CLOSED));
    std::vector<MediaSample> samples;
    int w, hgt;
    EXPECT_TRUE(ReadMp4Samples(dir.File("cut.mp4"), &samples, &w, &hgt)) << "the file was completed";
    EXPECT_GE(samples.size(), 5u);
    EXPECT_EQ(Conduit_PtzControl(h, 0, 1), 0) << "nothing goes out on a closed channel";
    EXPECT_EQ(Conduit_StartVideo(h), 0);
    ASSERT_TRUE(TestSite().Ok("start Delta"));
    EXPECT_EQ(TestSite().State("Delta", "running"), "1");
}

TEST_F(ConduitTest, ConnectResultCanBePostedToAWindow)
{
    VideoWindow window(0, 0, 64, 48);
    ConduitConnectRecord r;
    FillRecord(&r, kUser, kPassword, 0, nullptr, nullptr);
    r.notifyWindow = window.Handle();
    r.notifyMessage = WM_APP + 44;
    int h = Conduit_Connect("127.0.0.1", &r, Port("Alpha"));
    ASSERT_GT(h, 0);
    handles_.push_back(h);
    WPARAM wp = 0;
    LPARAM lp = -1;
    EXPECT_TRUE(WaitUntil([&] { return window.TakeAppMessage(WM_APP + 44, &wp, &lp); }));
    EXPECT_EQ(wp, WPARAM(CONDUIT_EVENT_CONNECT));
    EXPECT_EQ(lp, LPARAM(CONDUIT_CONNECTED));
}

struct RelayLog {
    static int __stdcall Account(int, const char* user, const char* password)
    {
        return std::string(user) == "boss" ? (std::string(password) == "pw" ? 1 : 0) : 3;
    }
    static int __stdcall Event(const char* server, int value, int connected, const char* client, const char* user,
                               const char*)
    {
        lines.push_back(std::string(server) + " " + std::to_string(value) + " " + std::to_string(connected) + " " +
                        client + " " + user);
        return 0;
    }
    static std::vector<std::string> lines; // written on the service's threads, read after they are joined
};
std::vector<std::string> RelayLog::lines;

TEST_F(ConduitTest, ForwardingServiceChecksAndReportsItsClients)
{
    // A port that was free a moment ago: the service's port is a setting, not chosen by the library.
    RelayServiceConfig config = {};
    std::strcpy(config.multicastAddress, "234.5.6.7");
    config.accountCheck = &RelayLog::Account;
    config.eventLog = &RelayLog::Event;
    SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in sa = {};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(s, reinterpret_cast<sockaddr*>(&sa), sizeof sa);
    int len = sizeof sa;
    getsockname(s, reinterpret_cast<sockaddr*>(&sa), &len);
    closesocket(s);
    config.port = ntohs(sa.sin_port);
    ASSERT_EQ(Conduit_ConfigureRelayService(&config), 1);
    ASSERT_EQ(Conduit_StartRelayService(0), 0);
    std::string port = std::to_string(config.port);
    EXPECT_EQ(TestSite().Command("relay-client " + port + " boss pw Alpha 2"), "ok level=1");
    EXPECT_EQ(TestSite().Command("relay-client " + port + " boss guess Alpha 2"), "ok refused=-102");
    EXPECT_EQ(TestSite().Command("relay-client " + port + " clerk x Beta 0"), "ok level=3");
    EXPECT_EQ(Conduit_StopRelayService(), 1);
    EXPECT_EQ(TestSite().Command("relay-client " + port + " boss pw"), "err unreachable");
    EXPECT_EQ(RelayLog::lines, (std::vector<std::string>{"Alpha 2 1 127.0.0.1 boss", "Alpha 2 0 127.0.0.1 boss",
                                                         "Beta 0 1 127.0.0.1 clerk", "Beta 0 0 127.0.0.1 clerk"}));
}

// Disconnect must leave no callback behind, whatever the callback is doing at that moment.
// A callback that starts after its handle's close returned, or is still running then, is late.
struct Hammer {
    volatile LONG closed[4096] = {};
    volatile LONG inside[4096] = {};
    volatile LONG late = 0;
    volatile LONG calls = 0;
    volatile LONG selfClose = -1;
    static void __stdcall Callback(int handle, int type, int, void* context)
    {
        auto* h = static_cast<Hammer*>(context);
        if (handle <= 0 || handle >= 4096)
            return;
        InterlockedIncrement(&h->inside[handle]);
        InterlockedIncrement(&h->calls);
        if (h->closed[handle])
            InterlockedIncrement(&h->late);
        if (type == CONDUIT_EVENT_CONNECT && handle == h->selfClose)
            Conduit_Disconnect(handle); // a callback may close its own handle
        // Some callbacks take a while, so that closes often meet one in progress.
        for (volatile int spin = 0; spin < (handle % 7) * 20000; ++spin) {
        }
        if (h->closed[handle])
            InterlockedIncrement(&h->late);
        InterlockedDecrement(&h->inside[handle]);
    }
};

DWORD WINAPI SpamMotion(LPVOID stop)
{
    while (!*static_cast<volatile LONG*>(stop))
        TestSite().Command("motion Beta 1");
    return 0;
}

TEST_F(ConduitTest, NoCallbackArrivesAfterDisconnectReturns)
{
    Hammer hammer;
    volatile LONG stop = 0;
    // A stream of events from the site while channels come and go.
    HANDLE spam = CreateThread(nullptr, 0, SpamMotion, const_cast<LONG*>(&stop), 0, nullptr);
    int connected = 0;
    const unsigned short beta = Port("Beta");
    for (int i = 0; i < 300; ++i) {
        ConduitConnectRecord r;
        FillRecord(&r, kUser, kPassword, i % 16, nullptr, nullptr);
        r.callback = &Hammer::Callback;
        r.context = &hammer;
        int h = Conduit_Connect("127.0.0.1", &r, beta);
        ASSERT_GT(h, 0);
        ASSERT_LT(h, 4096);
        if (i % 10 == 9)
            hammer.selfClose = h;
        // Close at varying moments: before the log-in, during it, while events flow.
        LONG before = hammer.calls;
        // A channel that closes itself in its connect callback sees nothing more.
        LONG more = i % 10 == 9 ? 0 : i % 4;
        if (i % 3 != 0)
            WaitUntil([&] { return hammer.calls > before + more; }, 2000);
        Conduit_Disconnect(h);
        if (h == hammer.selfClose)
            continue; // closed by its own callback: that close promises nothing about the callback itself
        InterlockedExchange(&hammer.closed[h], 1);
        if (hammer.inside[h])
            InterlockedIncrement(&hammer.late);
        connected += hammer.calls > before;
    }
    stop = 1;
    WaitForSingleObject(spam, 20000);
    CloseHandle(spam);
    EXPECT_EQ(hammer.late, 0);
    EXPECT_GT(connected, 150) << "most rounds saw callbacks before closing";
    EXPECT_TRUE(TestSite().WaitState("Beta", "clients", "0", 10000)) << "every channel was closed on the server too";
}

// A camera whose server takes the connection and never answers holds up no other camera's log-in,
// and the cameras served beside it all get their pictures (a window that is not visible keeps
// them coming, undecoded).
TEST_F(ConduitTest, ASilentServerHoldsUpNoOtherCameraAndEveryCameraGetsItsPictures)
{
    Conduit_SetConnectTimeout(600, 100);
    uint16_t silentPort = 0;
    SOCKET silent = dev::ListenTcp(0, &silentPort); // never accepts: the connect completes, no Welcome comes
    ASSERT_NE(silent, INVALID_SOCKET);
    EventLog waiting;
    ConduitConnectRecord r;
    FillRecord(&r, kUser, kPassword, 0, nullptr, &waiting);
    int stuck = Conduit_Connect("127.0.0.1", &r, silentPort);
    ASSERT_GT(stuck, 0);
    handles_.push_back(stuck);

    HWND hidden = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 64, 48, nullptr, nullptr, nullptr, nullptr);
    const int kCameras = 16;
    std::vector<EventLog> logs(kCameras);
    std::vector<int> cameras;
    for (int i = 0; i < kCameras; ++i)
        cameras.push_back(ConnectLive("Beta", i, hidden, &logs[i]));
    for (int i = 0; i < kCameras; ++i) {
        SCOPED_TRACE(i);
        ASSERT_GT(cameras[i], 0);
        EXPECT_TRUE(logs[i].WaitFor(CONDUIT_EVENT_CONNECT, CONDUIT_CONNECTED));
    }
    EXPECT_TRUE(waiting.Events().empty()) << "the silent server's camera is still waiting for its Welcome";
    for (int i = 0; i < kCameras; ++i) {
        SCOPED_TRACE(i);
        int h = cameras[i];
        EXPECT_TRUE(WaitUntil([&] { return Frames(h) >= 10; }));
    }
    EXPECT_EQ(Conduit_Disconnect(stuck), 1);
    EXPECT_TRUE(waiting.Events().empty());
    closesocket(silent);
    DestroyWindow(hidden);
}

// A callback that closes its own channel on the log-in result: the close returns, the handle is
// dead, nothing more is reported, and the channels that share its thread carry on.
struct SelfCloser {
    volatile LONG closed = -1, calls = 0;
    static void __stdcall Callback(int handle, int, int, void* context)
    {
        auto* self = static_cast<SelfCloser*>(context);
        InterlockedIncrement(&self->calls);
        InterlockedExchange(&self->closed, Conduit_Disconnect(handle));
    }
};

TEST_F(ConduitTest, AChannelClosedInItsConnectCallbackEndsThereAndItsNeighboursCarryOn)
{
    EventLog neighbourLog;
    int neighbour = ConnectLive("Beta", 3, nullptr, &neighbourLog);
    ASSERT_TRUE(neighbourLog.WaitFor(CONDUIT_EVENT_CONNECT, CONDUIT_CONNECTED));
    SelfCloser closer;
    ConduitConnectRecord r;
    FillRecord(&r, kUser, kPassword, 2, nullptr, nullptr);
    r.callback = &SelfCloser::Callback;
    r.context = &closer;
    int h = Conduit_Connect("127.0.0.1", &r, Port("Beta"));
    ASSERT_GT(h, 0);
    ASSERT_TRUE(WaitUntil([&] { return closer.closed != -1; }));
    EXPECT_EQ(closer.closed, 1);
    EXPECT_EQ(Conduit_StartVideo(h), 0) << "the handle is gone";
    ASSERT_TRUE(TestSite().Ok("motion Beta 3"));
    EXPECT_TRUE(neighbourLog.WaitFor(CONDUIT_EVENT_MOTION, 1 << 3));
    EXPECT_EQ(closer.calls, 1);
    EventLog late;
    ConnectLive("Beta", 4, nullptr, &late);
    EXPECT_TRUE(late.WaitFor(CONDUIT_EVENT_CONNECT, CONDUIT_CONNECTED));
}

TEST_F(ConduitTest, CleanupClosesEveryHandle)
{
    EventLog log;
    int live = ConnectLive("Beta", 7, nullptr, &log);
    ASSERT_TRUE(log.WaitFor(CONDUIT_EVENT_CONNECT, CONDUIT_CONNECTED));
    JpegSink sink;
    int jpeg = Conduit_OpenJpegStream("Beta", "127.0.0.1", kUser, kPassword, Port("Beta"), JpegSink::Callback, &sink);
    ASSERT_GT(jpeg, 0);
    unsigned char relays[4];
    ASSERT_EQ(Conduit_GetAlarmOutputs("Beta", "127.0.0.1", kUser, kPassword, relays, Port("Beta")), 1);
    ASSERT_EQ(Conduit_Cleanup(), 1);
    size_t events = log.Events().size();
    EXPECT_EQ(Conduit_Disconnect(live), 0) << "the handle is gone";
    EXPECT_EQ(Conduit_RequestJpeg(jpeg, 0, 50), 0);
    EXPECT_TRUE(TestSite().WaitState("Beta", "clients", "0", 10000));
    // Well before the server would let the kept request connection go by itself.
    EXPECT_TRUE(TestSite().WaitState("Beta", "connections", "0", 3000)) << "the kept request connection closed";
    ASSERT_TRUE(TestSite().Ok("motion Beta 7"));
    EXPECT_EQ(log.Events().size(), events) << "no callback after the clean-up";
    EXPECT_EQ(sink.failures, 0);
    handles_.clear();
    Conduit_Init(0, 0, 0, 0);
}

// Server-side calls on kept connections, against a site of their own so that the connections
// counted are theirs alone. The kept connections run on a clock of the test's.
DWORD g_keptNow = 0;
DWORD WINAPI KeptNow()
{
    return g_keptNow;
}

class KeptConnectionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = new TempDir;
        site_ = new DevsimSite;
        ASSERT_TRUE(WriteTextFile(dir_->File("kept.ini"),
                                  "[Server1]\r\nName=Keeper\r\nUser=admin\r\nPassword=secret\r\n"
                                  "PtzDescription=Dome delay100\r\n"));
        ASSERT_TRUE(site_->Start(dir_->File("kept.ini")));
    }
    static void TearDownTestSuite()
    {
        delete site_;
        delete dir_;
    }
    // The test's requests run on its own copy of the library's code, with its own settings.
    void SetUp() override
    {
        conduit::SetConnectSettings(5, 1);
        accepted0_ = std::atoi(site_->State("Keeper", "accepted").c_str());
    }
    void TearDown() override
    {
        kept_.CloseAll();
        site_->Ok("slow Keeper 0");
        site_->Ok("start Keeper");
        EXPECT_TRUE(site_->WaitState("Keeper", "connections", "0", 10000)) << "every kept connection closed";
    }

    // A request for the relay states through the test's kept connections: 0 or the failure code.
    int AskRelays(const char* password = kPassword)
    {
        std::vector<char> answer;
        int code = conduit::Request(kept_, "Keeper", "127.0.0.1", site_->Port("Keeper"), kUser, password,
                                    dev::OpGetAlarmOutputs, 0, 0, nullptr, 0, &answer);
        EXPECT_TRUE(code != 0 || answer.size() == 4) << "a whole answer";
        return code;
    }
    // Connections the server accepted during the test.
    int Accepted() { return std::atoi(site_->State("Keeper", "accepted").c_str()) - accepted0_; }

    static TempDir* dir_;
    static DevsimSite* site_;
    conduit::KeptConnections kept_{KeptNow, 5000, 4};
    int accepted0_ = 0;
};

TempDir* KeptConnectionTest::dir_ = nullptr;
DevsimSite* KeptConnectionTest::site_ = nullptr;

TEST_F(KeptConnectionTest, TheNextRequestWithTheSameLogInTakesTheKeptConnection)
{
    std::vector<char> answer;
    ASSERT_EQ(conduit::Request(kept_, "Keeper", "127.0.0.1", site_->Port("Keeper"), kUser, kPassword,
                               dev::OpGetPtzDescription, 0, 0, nullptr, 0, &answer),
              0);
    EXPECT_EQ(std::string(answer.begin(), answer.end()), "Dome delay100");
    ASSERT_EQ(AskRelays(), 0);
    EXPECT_EQ(Accepted(), 1) << "both requests on one connection";
    EXPECT_EQ(kept_.Count(), 1u);
    // Each request logs in: a wrong password is refused, on a connection of its own that is not kept.
    EXPECT_EQ(AskRelays("bad"), CONDUIT_WRONG_LOGIN);
    EXPECT_EQ(Accepted(), 2);
    EXPECT_EQ(kept_.Count(), 1u);
    ASSERT_EQ(AskRelays(), 0);
    EXPECT_EQ(Accepted(), 2);
}

TEST_F(KeptConnectionTest, AKeptConnectionTheServerLetGoIsReplacedByOneFreshConnection)
{
    ASSERT_EQ(AskRelays(), 0);
    // A restart drops the kept connection: the request goes on a fresh one, once.
    ASSERT_TRUE(site_->Ok("stop Keeper"));
    ASSERT_TRUE(site_->Ok("start Keeper"));
    int accepted = Accepted();
    ASSERT_EQ(AskRelays(), 0);
    EXPECT_EQ(Accepted(), accepted + 1);
    EXPECT_EQ(kept_.Count(), 1u);
    // Stopped for good: the fresh connection is refused as well.
    ASSERT_TRUE(site_->Ok("stop Keeper"));
    EXPECT_EQ(AskRelays(), -1);
    EXPECT_EQ(kept_.Count(), 0u);
    ASSERT_TRUE(site_->Ok("start Keeper"));
    // A server that answers too late on its kept connection had the only attempt allowed.
    ASSERT_EQ(AskRelays(), 0);
    accepted = Accepted();
    conduit::SetConnectSettings(1, 1);
    ASSERT_TRUE(site_->Ok("slow Keeper 600000"));
    EXPECT_EQ(AskRelays(), -1);
    EXPECT_EQ(Accepted(), accepted) << "no further attempt";
    EXPECT_EQ(kept_.Count(), 0u);
}

TEST_F(KeptConnectionTest, KeptConnectionsCloseWhenIdleOrTooManyWait)
{
    g_keptNow = 1000;
    ASSERT_EQ(AskRelays(), 0);
    g_keptNow += 4999;
    ASSERT_EQ(AskRelays(), 0);
    EXPECT_EQ(Accepted(), 1) << "kept while idle less than 5 s";
    g_keptNow += 5000;
    EXPECT_EQ(kept_.Count(), 1u);
    ASSERT_EQ(AskRelays(), 0);
    EXPECT_EQ(Accepted(), 2) << "the idle one was closed";
    EXPECT_TRUE(site_->WaitState("Keeper", "connections", "1", 10000));
    // Five requests at once need five connections; four are kept after them.
    std::vector<std::unique_ptr<dev::Channel>> taken;
    const std::string key = conduit::KeptConnections::Key("127.0.0.1", site_->Port("Keeper"), kUser, kPassword);
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(AskRelays(), 0);
        taken.push_back(kept_.Take(key));
    }
    for (auto& channel : taken)
        kept_.Keep(key, std::move(channel));
    EXPECT_EQ(kept_.Count(), 4u);
    EXPECT_TRUE(site_->WaitState("Keeper", "connections", "4", 10000));
}

} // namespace
