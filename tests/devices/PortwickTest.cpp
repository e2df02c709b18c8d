// Portwick against the station's simulated serial devices, and its PTZ protocol files.
#include <gtest/gtest.h>

#include "tests/devices/DeviceTestSupport.h"
#include "devices/portwick/Portwick.h"
#include "tests/support/TestSupport.h"

namespace {

const UINT kKeyMessage = WM_APP + 0x3A;

class PortwickTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(TestSite().Running()); }
};

// Closes a serial device whatever way the test leaves, so the next test finds its port free.
struct DeviceCloser {
    int handle, kind;
    ~DeviceCloser() { Portwick_Close(handle, kind); }
};

TEST_F(PortwickTest, KeyboardKeysArriveAsPostedMessages)
{
    VideoWindow window(0, 0, 32, 32);
    int h = Portwick_OpenKeyboard(1, 8, 1, 0, 9600, 0, window.Handle(), kKeyMessage);
    ASSERT_GT(h, 0);
    DeviceCloser closer{h, PORTWICK_KEYBOARD};
    EXPECT_EQ(Portwick_OpenKeyboard(1, 8, 1, 0, 9600, 0, window.Handle(), kKeyMessage), 0) << "COM2 is taken";
    EXPECT_EQ(Portwick_GetPort(h), 1);
    struct Key {
        const char* command;
        WPARAM number;
        LPARAM code;
    } keys[] = {
        {"key 3 0 5", 3, (0 << 8) + 5},   {"key 3 14 0", 3, 14 << 8},         {"key 12 2 9", 12, (2 << 8) + 9},
        {"key 12 16 0", 12, 16 << 8},     {"key 7 10 12", 7, (10 << 8) + 12}, {"key 7 11 1", 7, (11 << 8) + 1},
        {"key 1 30 2", 1, (30 << 8) + 2}, {"key 1 31 2", 1, (31 << 8) + 2},
    };
    for (const Key& k : keys) {
        SCOPED_TRACE(k.command);
        ASSERT_TRUE(TestSite().Ok(k.command));
        WPARAM number = 0;
        LPARAM code = 0;
        ASSERT_TRUE(WaitUntil([&] { return window.TakeAppMessage(kKeyMessage, &number, &code); }));
        EXPECT_EQ(number, k.number);
        EXPECT_EQ(code, k.code);
    }
    // At another speed the keyboard's bytes are garbage: nothing arrives, until the speeds agree.
    ASSERT_EQ(Portwick_ConfigureKeyboard(h, 8, 1, 0, 4800, 0), 1);
    ASSERT_TRUE(TestSite().Ok("key 4 1 3"));
    ASSERT_EQ(Portwick_ConfigureKeyboard(h, 8, 1, 0, 9600, 0), 1);
    ASSERT_TRUE(TestSite().Ok("key 5 1 3"));
    WPARAM number = 0;
    LPARAM code = 0;
    ASSERT_TRUE(WaitUntil([&] { return window.TakeAppMessage(kKeyMessage, &number, &code); }));
    EXPECT_EQ(number, 5u) << "the key sent at the wrong speed was lost";
    EXPECT_EQ(Portwick_Close(h, PORTWICK_LINK_DEVICE), 0) << "the kind must match";
    EXPECT_EQ(Portwick_Close(h, PORTWICK_KEYBOARD), 1);
    EXPECT_EQ(TestSite().Command("key 3 0 5"), "err the keyboard's port is not open");
}

TEST_F(PortwickTest, LinkageDeviceSwitchesItsRelays)
{
    int h = Portwick_OpenLinkDevice(0, 3, "");
    ASSERT_GT(h, 0);
    DeviceCloser closer{h, PORTWICK_LINK_DEVICE};
    char name[PORTWICK_TEXT_SIZE];
    ASSERT_EQ(Portwick_GetProtocolName(h, name), 1);
    EXPECT_STREQ(name, "LINKAGE");
    EXPECT_EQ(Portwick_GetPort(h), 0);
    EXPECT_EQ(Portwick_GetAddress(h), 3);
    ASSERT_EQ(Portwick_SetRelay(h, PORTWICK_RELAY_ON, 2), 1);
    ASSERT_EQ(Portwick_SetRelay(h, PORTWICK_RELAY_ON, 7), 1);
    EXPECT_TRUE(TestSite().WaitState("station", "relays", "00100001", 5000));
    ASSERT_EQ(Portwick_SetRelay(h, PORTWICK_RELAY_OFF, 2), 1);
    EXPECT_TRUE(TestSite().WaitState("station", "relays", "00000001", 5000));
    EXPECT_EQ(Portwick_SetRelay(h, PORTWICK_RELAY_ON, 8), 0);
    EXPECT_EQ(Portwick_SetRelay(h, 12, 1), 0);
    // A device at another address ignores the frames; back at its own address it obeys again.
    ASSERT_EQ(Portwick_SetAddress(h, 4), 1);
    ASSERT_EQ(Portwick_SetRelay(h, PORTWICK_RELAY_ON, 0), 1);
    ASSERT_EQ(Portwick_SetAddress(h, 3), 1);
    ASSERT_EQ(Portwick_SetRelay(h, PORTWICK_RELAY_ON, 1), 1);
    EXPECT_TRUE(TestSite().WaitState("station", "relays", "01000001", 5000));
    EXPECT_NE(Portwick_LoadControlFile(h, "no-such-file.ptz"), 0);
    EXPECT_EQ(Portwick_LoadControlFile(h, (ProgramDirectory() + "\\ptz\\PELCO-D.ptz").c_str()), 0);
    ASSERT_EQ(Portwick_GetProtocolName(h, name), 1);
    EXPECT_STREQ(name, "PELCO-D");
    EXPECT_EQ(Portwick_OpenLinkDevice(0, 3, ""), 0) << "COM1 is taken";
    EXPECT_EQ(Portwick_OpenLinkDevice(8, 3, ""), 0) << "there is no COM9";
    int input = Portwick_OpenAlarmInput(2);
    ASSERT_GT(input, 0);
    EXPECT_EQ(TestSite().State("station", "open"), "COM1,COM3");
    EXPECT_EQ(Portwick_Close(input, PORTWICK_ALARM_INPUT), 1);
    EXPECT_EQ(Portwick_SetRelay(h, PORTWICK_RELAY_OFF, 7), 1);
    EXPECT_EQ(Portwick_Close(h, PORTWICK_LINK_DEVICE), 1);
    EXPECT_EQ(TestSite().State("station", "open"), "-");
    int again = Portwick_OpenLinkDevice(0, 3, (ProgramDirectory() + "\\ptz\\LINKAGE.ptz").c_str());
    EXPECT_GT(again, 0) << "a closed port can be opened again at once";
    Portwick_Close(again, PORTWICK_LINK_DEVICE);
}

TEST_F(PortwickTest, ProtocolFilesBuildTheirCommands)
{
    int h = Portwick_OpenPtzProtocol("PELCO-D");
    ASSERT_GT(h, 0);
    char text[PORTWICK_TEXT_SIZE];
    ASSERT_EQ(Portwick_GetProtocolDescription(h, text), 1);
    EXPECT_STREQ(text, "PELCO-D delay300");
    struct Case {
        int code, address, speed, value;
        std::vector<int> bytes;
    } cases[] = {
        {0, 1, 5, 0, {0xFF, 0x01, 0x00, 0x04, 0x05, 0x00, 0x0A}},
        {2, 2, 9, 0, {0xFF, 0x02, 0x00, 0x08, 0x00, 0x09, 0x13}},
        {14, 1, 5, 0, {0xFF, 0x01, 0x00, 0x00, 0x00, 0x00, 0x01}},
        {10, 255, 1, 12, {0xFF, 0xFF, 0x00, 0x07, 0x00, 0x0C, 0x12}},
        {13, 1, 1, 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        unsigned char out[PORTWICK_COMMAND_SIZE];
        int n = Portwick_BuildPtzCommand(h, c.code, out, c.address, c.speed, c.value);
        EXPECT_EQ(std::vector<int>(out, out + (n > 0 ? n : 0)), c.bytes);
    }
    TempDir dir;
    WriteTextFile(dir.File("bad.ptz"), "[Commands]\n0=FF Q 00\n");
    WriteTextFile(dir.File("xor.ptz"), "; a made-up protocol\n[Protocol]\nName=XOR-TEST\nDescription=made up delay42\n"
                                       "[Commands]\n0=A0 A V X\n");
    EXPECT_NE(Portwick_ChangePtzProtocol(h, dir.File("bad.ptz").c_str()), 0);
    EXPECT_NE(Portwick_ChangePtzProtocol(h, dir.File("missing.ptz").c_str()), 0);
    ASSERT_EQ(Portwick_GetProtocolDescription(h, text), 1);
    EXPECT_STREQ(text, "PELCO-D delay300") << "a refused file leaves the old protocol";
    ASSERT_EQ(Portwick_ChangePtzProtocol(h, dir.File("xor.ptz").c_str()), 0);
    unsigned char out[PORTWICK_COMMAND_SIZE];
    ASSERT_EQ(Portwick_BuildPtzCommand(h, 0, out, 0x11, 0, 0x22), 4);
    EXPECT_EQ(out[3], 0xA0 ^ 0x11 ^ 0x22);
    EXPECT_EQ(Portwick_OpenPtzProtocol(dir.File("bad.ptz").c_str()), 0);
    EXPECT_EQ(Portwick_ClosePtzProtocol(h), 1);
    EXPECT_EQ(Portwick_BuildPtzCommand(h, 0, out, 1, 1, 1), -1);
    EXPECT_EQ(Portwick_ClosePtzProtocol(h), 0);
}

} // namespace
