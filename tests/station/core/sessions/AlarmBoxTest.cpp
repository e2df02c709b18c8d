// The alarm box: its 7-byte frames, the reply parser, the inputs' re-trigger, hold and schedule
// rules, and the poller against a simulated box behind a server's serial port.
#include "tests/station/core/sessions/SessionTestSupport.h"

#include <initializer_list>

#include "station/core/sessions/AlarmBoxFrame.h"
#include "station/core/sessions/AlarmBoxInputs.h"
#include "station/core/sessions/AlarmBoxPoller.h"
#include "framework/Seams.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermServer.h"

namespace {

typedef std::vector<unsigned char> Bytes;

Bytes Frame(int address, unsigned char command, unsigned int value)
{
    AlarmBoxFrame f = MakeAlarmBoxFrame(address, command, value);
    return Bytes(f.bytes, f.bytes + kAlarmBoxFrameSize);
}

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

void Append(AlarmBoxReceiveBuffer& buffer, const Bytes& bytes)
{
    buffer.Append(bytes.data(), (int)bytes.size());
}

SYSTEMTIME At(int hour, int minute)
{
    SYSTEMTIME t = {};
    t.wYear = 2026;
    t.wMonth = 3;
    t.wDay = 10;
    t.wDayOfWeek = 2;
    t.wHour = (WORD)hour;
    t.wMinute = (WORD)minute;
    return t;
}

// Sixteen inputs at their defaults, input i watched all day when its bit is in watched.
struct InputTable {
    AlarmInputConfig inputs[16];
    explicit InputTable(int watched)
    {
        for (int i = 0; i < 16; ++i) {
            inputs[i].SetDefaults(i + 1);
            if (watched & (1 << i))
                inputs[i].schedule[0].Set(0, 0, 23, 59, scheduleEveryDay);
        }
    }
};

} // namespace

TEST(AlarmBoxFrameTest, FramesMatchTheGoldenBytes)
{
    struct Case {
        int address;
        unsigned char command;
        unsigned int value;
        Bytes bytes;
    };
    const Case cases[] = {
        {1, kAlarmBoxPoll, 0, {0xF6, 0x01, 0x4A, 0x10, 0x00, 0x00, 0x5B}},
        {1, kAlarmBoxOutputs, 0x0105, {0xF6, 0x01, 0x44, 0x10, 0x05, 0x01, 0x5B}},
        {1, kAlarmBoxOutputs, 0, {0xF6, 0x01, 0x44, 0x10, 0x00, 0x00, 0x55}},
        {0x1FE, kAlarmBoxOutputs, 0x1FFFF, {0xF6, 0xFE, 0x44, 0x10, 0xFF, 0xFF, 0x50}}, // low bytes only
        {5, kAlarmBoxInputs, 0x8001, {0xF6, 0x05, 0x4B, 0x10, 0x01, 0x80, 0xE1}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.bytes, Frame(c.address, c.command, c.value)) << c.address << " " << (int)c.command;
}

TEST(AlarmBoxFrameTest, ParserFindsRepliesInWhatArrives)
{
    const Bytes reply = Frame(1, kAlarmBoxInputs, 0x0204);
    const Bytes other = Frame(1, kAlarmBoxInputs, 0x8000);
    Bytes badSum = reply;
    badSum[6] ^= 0x01;
    struct Case {
        const char* name;
        std::vector<Bytes> chunks; // appended one after another, a take after each
        std::vector<int> takes;    // the result of each take
        int left;                  // bytes held at the end
    };
    const Case cases[] = {
        {"whole reply", {reply}, {0x0204}, 0},
        {"garbage first", {Join({{0x00, 0x11, 0x4B, 0x10}, reply})}, {0x0204}, 0},
        {"garbage only", {{0x01, 0x02, 0x03, 0x4B, 0x10, 0x05, 0x06, 0x07, 0x08}}, {-1}, 0},
        {"bad checksum", {badSum}, {-1}, 0},
        {"bad then good", {Join({badSum, reply})}, {0x0204}, 0},
        {"other box", {Frame(2, kAlarmBoxInputs, 0x0204)}, {-1}, 0},
        {"poll echo first", {Join({Frame(1, kAlarmBoxPoll, 0), reply})}, {0x0204}, 0},
        {"split", {Bytes(reply.begin(), reply.begin() + 4), Bytes(reply.begin() + 4, reply.end())}, {-1, 0x0204}, 0},
        {"doubled", {Join({reply, other}), {}}, {0x0204, 0x8000}, 0},
        {"half of the next stays", {Join({reply, Bytes(other.begin(), other.begin() + 3)})}, {0x0204}, 3},
        // A broken frame takes the six bytes after its 0xF6 with it, a reply starting among them too.
        {"swallowed", {Join({{0xF6, 0x01, 0x4B}, reply})}, {-1}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AlarmBoxReceiveBuffer buffer;
        std::vector<int> takes;
        for (const Bytes& chunk : c.chunks) {
            Append(buffer, chunk);
            takes.push_back(buffer.TakeInputReply(1));
        }
        EXPECT_EQ(c.takes, takes);
        EXPECT_EQ(c.left, buffer.Length());
    }
}

TEST(AlarmBoxFrameTest, OverflowKeepsTheNewestBytes)
{
    const Bytes reply = Frame(1, kAlarmBoxInputs, 0x0001);
    AlarmBoxReceiveBuffer buffer;
    Append(buffer, Bytes(1020, 0xF6));
    Append(buffer, reply); // does not fit beside what is held: the old bytes go
    EXPECT_EQ(7, buffer.Length());
    EXPECT_EQ(0x0001, buffer.TakeInputReply(1));

    Bytes chunk(1100, 0x00);
    std::copy(reply.begin(), reply.end(), chunk.end() - 7);
    Append(buffer, chunk);
    EXPECT_EQ(kAlarmBoxBufferSize, buffer.Length());
    EXPECT_EQ(0x0001, buffer.TakeInputReply(1));
    EXPECT_EQ(0, buffer.Length());
}

TEST(AlarmBoxInputsTest, HeldInputAlarmsAgainOnTheFifthPollAfterTheAlarm)
{
    // Poll interval 2, alarm interval 10.
    InputTable table(1 << 3);
    AlarmBoxInputs inputs;
    inputs.Reset(10);
    std::vector<int> alarmPolls;
    for (int poll = 1; poll <= 16; ++poll) {
        inputs.Advance(table.inputs, 2, poll * 2000, 1000);
        if (inputs.Trigger(table.inputs, 10, 1 << 3, At(10, 0), poll * 2000) != 0)
            alarmPolls.push_back(poll);
    }
    EXPECT_EQ((std::vector<int>{1, 6, 11, 16}), alarmPolls);
}

TEST(AlarmBoxInputsTest, AnAlarmIntervalAboveTheCeilingStillAlarms)
{
    InputTable table(1);
    AlarmBoxInputs inputs;
    inputs.Reset(400);
    std::vector<int> alarmPolls;
    for (int poll = 1; poll <= 450; ++poll) {
        inputs.Advance(table.inputs, 1, poll * 1000, 1000);
        if (inputs.Trigger(table.inputs, 400, 1, At(10, 0), poll * 1000) != 0)
            alarmPolls.push_back(poll);
    }
    EXPECT_EQ((std::vector<int>{1, 401}), alarmPolls);
}

TEST(AlarmBoxInputsTest, HoldsSwitchTheirOutputsOffAndSchedulesGateInputs)
{
    InputTable table((1 << 0) | (1 << 1));
    table.inputs[0].outputs[4] = 1;
    table.inputs[0].holdSeconds = 5;
    table.inputs[1].outputs[4] = table.inputs[1].outputs[9] = 1;
    table.inputs[1].holdSeconds = 20;
    table.inputs[2].outputs[7] = 1; // input 2 is not watched at all
    AlarmBoxInputs inputs;
    inputs.Reset(10);

    inputs.Advance(table.inputs, 1, 1000, 1000);
    EXPECT_EQ(0x3, inputs.Trigger(table.inputs, 10, 0x7, At(10, 0), 1000));
    EXPECT_EQ((1u << 4) | (1u << 9), inputs.Outputs());

    EXPECT_FALSE(inputs.Advance(table.inputs, 1, 6000, 1000)); // 5 s: not yet past the hold
    // Input 0's hold ends first and switches output 4 off, although input 1 still holds it.
    EXPECT_TRUE(inputs.Advance(table.inputs, 1, 6001, 1000));
    EXPECT_EQ(1u << 9, inputs.Outputs());
    EXPECT_TRUE(inputs.Advance(table.inputs, 1, 21001, 1000));
    EXPECT_EQ(0u, inputs.Outputs());

    // Outside its hours an input raises nothing and switches nothing.
    table.inputs[0].schedule[0].Set(8, 0, 18, 0, scheduleEveryDay);
    inputs.Reset(10);
    inputs.Advance(table.inputs, 1, 30000, 1000);
    EXPECT_EQ(0, inputs.Trigger(table.inputs, 10, 0x1, At(18, 0), 30000));
    EXPECT_EQ(0u, inputs.Outputs());
    EXPECT_EQ(0x1, inputs.Trigger(table.inputs, 10, 0x1, At(17, 59), 30000));
}

class AlarmBoxPollerTest : public SessionTest {
protected:
    void SetUp() override
    {
        SessionTest::SetUp();
        Seams::ReplaceTickCount(nullptr); // hold times run on the real clock here
        Site().Ok("input Alpha 2 0");
        server_ = AddServer("Alpha", 3);
        server_->m_alarmBoxEnabled = 1;
        server_->m_serialPort = 0;
        server_->m_boxAddress = 1;
        server_->m_pollSeconds = 1;
        server_->m_alarmIntervalSeconds = 3;
        AlarmInputConfig& input = server_->m_alarmInputs[2];
        input.schedule[0].Set(0, 0, 23, 59, scheduleEveryDay);
        input.outputs[4] = input.outputs[9] = 1;
        input.connectCameras[1] = 1;
        input.holdSeconds = 2;
        for (int i = 0; i < 3; ++i)
            sessions_[i] = MakeSession(Camera(server_, i));
        poller_ = new CAlarmBoxPoller;
        poller_->m_pServer = server_;
        poller_->SetSecondLength(40);
        server_->m_pAlarmBoxPoller = poller_;
    }
    void TearDown() override
    {
        Site().Ok("input Alpha 2 0");
        SessionTest::TearDown();
    }

    // The external alarms posted so far, as "camera:input".
    std::vector<std::string> TakeAlarms()
    {
        std::vector<std::string> alarms;
        for (const RecordingWindows::Posted& p : windows_.TakePosted()) {
            if (p.message != WM_EXTERNAL_ALARM)
                continue;
            for (int i = 0; i < 3; ++i) {
                if (p.session == sessions_[i])
                    alarms.push_back(std::to_string(i) + ":" + std::to_string(p.value));
            }
        }
        return alarms;
    }

    CTermServer* server_ = nullptr;
    CAlarmBoxPoller* poller_ = nullptr; // owned by the server
    CChannelSession* sessions_[3] = {};
};

TEST_F(AlarmBoxPollerTest, InputAlarmsTheCamerasAndSwitchesItsOutputsForItsHold)
{
    poller_->Enable(1);
    ASSERT_TRUE(Site().WaitState("Alpha", "box_open", "1", 10000));
    ASSERT_TRUE(WaitUntil([] { return std::stoi(Site().State("Alpha", "box_polls")) >= 2; }));
    EXPECT_TRUE(TakeAlarms().empty());
    EXPECT_EQ("0000", Site().State("Alpha", "box_outputs"));

    ASSERT_TRUE(Site().Ok("input Alpha 2 1"));
    std::vector<std::string> alarms;
    ASSERT_TRUE(WaitUntil([&] {
        for (const std::string& a : TakeAlarms())
            alarms.push_back(a);
        return alarms.size() >= 4;
    }));
    // Camera 1 is connected by the input's flag; every camera hears of input 2.
    EXPECT_EQ((std::vector<std::string>{"0:2", "1:-1", "1:2", "2:2"}),
              std::vector<std::string>(alarms.begin(), alarms.begin() + 4));
    EXPECT_TRUE(Site().WaitState("Alpha", "box_outputs", "0210", 5000));

    // Released: the hold runs out and the outputs go off.
    ASSERT_TRUE(Site().Ok("input Alpha 2 0"));
    EXPECT_TRUE(Site().WaitState("Alpha", "box_outputs", "0000", 5000));

    // The posted alarms reach the sessions through the main dialog's check.
    windows_.PostExternalAlarm(sessions_[0], 2);
    windows_.Deliver();
    EXPECT_EQ(1 << (alarmExternalFirst + 2), sessions_[0]->m_alarmAccumulated.load());

    poller_->Enable(0);
    EXPECT_EQ(nullptr, poller_->m_hThread);
    EXPECT_EQ(-1, poller_->m_serialHandle);
    EXPECT_TRUE(Site().WaitState("Alpha", "box_open", "0", 5000));
}

TEST_F(AlarmBoxPollerTest, LostLinkIsOpenedAgainAndSettingChangesReconnect)
{
    poller_->Enable(1);
    ASSERT_TRUE(Site().WaitState("Alpha", "box_open", "1", 10000));

    ASSERT_TRUE(Site().Ok("stop Alpha"));
    EXPECT_TRUE(WaitUntil([&] { return poller_->m_serialHandle == -1; }));
    ASSERT_TRUE(Site().Ok("start Alpha"));
    ASSERT_TRUE(Site().WaitState("Alpha", "box_open", "1", 10000));
    ASSERT_TRUE(Site().Ok("input Alpha 2 1"));
    EXPECT_TRUE(WaitUntil([&] { return !TakeAlarms().empty(); }));
    ASSERT_TRUE(Site().Ok("input Alpha 2 0"));

    // A wrong password: the log-in fails and is retried until the setting is mended.
    server_->m_password = "wrong";
    EXPECT_TRUE(Site().WaitState("Alpha", "box_open", "0", 10000));
    EXPECT_TRUE(WaitUntil([&] { return poller_->m_serialHandle == -1; }));
    server_->m_password = "secret";
    EXPECT_TRUE(Site().WaitState("Alpha", "box_open", "1", 10000));

    // Switched off: the link closes and the thread idles until the switch is on again.
    server_->m_alarmBoxEnabled = 0;
    EXPECT_TRUE(Site().WaitState("Alpha", "box_open", "0", 10000));
    server_->m_alarmBoxEnabled = 1;
    EXPECT_TRUE(Site().WaitState("Alpha", "box_open", "1", 10000));
}

TEST_F(AlarmBoxPollerTest, ChangedBoxAddressTakesEffectWhilePolling)
{
    // Opened for a box that is not there: nothing answers the polls.
    server_->m_boxAddress = 7;
    ASSERT_TRUE(Site().Ok("input Alpha 2 1"));
    poller_->Enable(1);
    ASSERT_TRUE(Site().WaitState("Alpha", "box_open", "1", 10000));

    // The operator enters the address of the box that is there: its inputs arrive.
    server_->m_boxAddress = 1;
    EXPECT_TRUE(WaitUntil([&] { return !TakeAlarms().empty(); }));
    EXPECT_GE(std::stoi(Site().State("Alpha", "box_polls")), 1);
}
