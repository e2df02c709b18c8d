// The serial devices page on devsim's COM ports: which device is kept, reconfigured, reopened or
// opened on apply, the failures reported with the rest still done, and the control file loaded at
// once with the PTZ panel's relay buttons set off.
#include <gtest/gtest.h>

#include <memory>

#include "devices/devsim/control/DevsimControl.h"
#include "devices/portwick/Portwick.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/SysParam.h"
#include "tests/station/config/system/SysSettingTestSupport.h"

namespace {

DevsimSite& Site()
{
    static DevsimSite* site = [] {
        auto* s = new DevsimSite; // devsim ends with the test program
        static TempDir dir;
        std::string ini = dir.File("site.ini");
        WriteTextFile(ini, "[Station]\r\nComPorts=6\r\nLinkDevice=COM1\r\nLinkAddress=3\r\nKeyboard=COM2\r\n"
                           "AlarmInput=COM3\r\n");
        s->Start(ini);
        return s;
    }();
    return *site;
}

std::string Ptz(const char* name)
{
    return ProgramDirectory() + "\\ptz\\" + name;
}

ModalStep OnSerial(std::function<void(CWnd*)> action)
{
    return OnTab(tabSerial, [=](CDlgSysSetting*, CWnd* page) { action(page); });
}

class SysSerialTest : public SysSettingTest {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(Site().Running()); }
    void SetUp() override
    {
        SysSettingTest::SetUp();
        keyWindow_ = ::CreateWindowA("STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        windows_.keyboardWindow = keyWindow_;
        CSysParam& p = *g_pSysParam;
        p.m_linkagePort = 0;
        p.m_linkageAddress = 3;
        p.m_keyboardPort = 1;
        p.m_keyboardBaud = 9600;
        p.m_keyboardDataBits = 8;
        p.m_keyboardStopBits = 1;
        p.m_alarmInPort = 2;
        p.Save();
    }
    void TearDown() override
    {
        for (int handle : held_)
            Portwick_Close(handle, PORTWICK_ALARM_INPUT);
        ::DestroyWindow(keyWindow_);
        SysSettingTest::TearDown();
    }
    // Opens the three devices as the main window does at start.
    void OpenAll()
    {
        windows_.handles[1] = Portwick_OpenLinkDevice(0, 3, Ptz("LINKAGE.ptz").c_str());
        windows_.handles[2] = Portwick_OpenKeyboard(1, 8, 1, 0, 9600, 0, keyWindow_, WM_KEYBOARD_COMMAND);
        windows_.handles[3] = Portwick_OpenAlarmInput(2);
        ASSERT_GT(windows_.handles[1], 0);
        ASSERT_GT(windows_.handles[2], 0);
        ASSERT_GT(windows_.handles[3], 0);
    }
    // The site may take the just-opened port a moment after Portwick returned: the key is pressed
    // again until it arrives, for at most ten tries.
    bool KeyArrives(const char* command)
    {
        MSG msg;
        for (int attempt = 0; attempt < 10; ++attempt) {
            if (Site().Ok(command) && WaitUntil(
                                          [&] {
                                              return ::PeekMessageA(&msg, keyWindow_, WM_KEYBOARD_COMMAND,
                                                                    WM_KEYBOARD_COMMAND, PM_REMOVE) != 0;
                                          },
                                          500))
                return true;
        }
        return false;
    }
    HWND keyWindow_ = nullptr;
    std::vector<int> held_;
};

} // namespace

TEST_F(SysSerialTest, ShowsTheOpenDeviceAndKeepsWhatDidNotChange)
{
    OpenAll();
    const int link = windows_.handles[1], keyboard = windows_.handles[2], input = windows_.handles[3];
    g_pSysParam->m_linkageAddress = 9; // the open device's own address wins
    CDlgSysSetting dialog;
    RunModal(dialog, {OnSerial([](CWnd* page) {
                          EXPECT_EQ("COM1", GetText(page, IDC_SYSSERIAL_LINK_PORT));
                          EXPECT_EQ("3", GetText(page, IDC_SYSSERIAL_LINK_ADDRESS));
                          EXPECT_EQ("LINKAGE", GetText(page, IDC_SYSSERIAL_PROTOCOL));
                          EXPECT_TRUE(page->GetDlgItem(IDC_SYSSERIAL_LOAD)->IsWindowEnabled());
                          SetText(page, IDC_SYSSERIAL_LINK_ADDRESS, "5");
                          SelectCombo(page, IDC_SYSSERIAL_KEY_BAUD, 1);
                      }),
                      PressOk()});
    EXPECT_EQ(link, windows_.handles[1]) << "the address changed in place";
    EXPECT_EQ(5, Portwick_GetAddress(link));
    EXPECT_EQ(keyboard, windows_.handles[2]) << "same port: reconfigured, not reopened";
    EXPECT_EQ(input, windows_.handles[3]);
    EXPECT_EQ(4800, g_pSysParam->m_keyboardBaud);
}

TEST_F(SysSerialTest, APortChangeClosesAndReopensTheDevice)
{
    OpenAll();
    const int link = windows_.handles[1], keyboard = windows_.handles[2], input = windows_.handles[3];
    CDlgSysSetting dialog;
    RunModal(dialog, {OnSerial([](CWnd* page) {
                          SelectCombo(page, IDC_SYSSERIAL_LINK_PORT, 3);
                          SelectCombo(page, IDC_SYSSERIAL_KEY_PORT, 4);
                          SelectCombo(page, IDC_SYSSERIAL_IN_PORT, 5);
                      }),
                      PressOk()});
    EXPECT_NE(link, windows_.handles[1]);
    EXPECT_EQ(3, Portwick_GetPort(windows_.handles[1]));
    EXPECT_EQ(-1, Portwick_GetPort(link)) << "closed";
    EXPECT_NE(keyboard, windows_.handles[2]);
    EXPECT_EQ(4, Portwick_GetPort(windows_.handles[2]));
    EXPECT_NE(input, windows_.handles[3]);
    EXPECT_EQ(5, Portwick_GetPort(windows_.handles[3]));
    EXPECT_EQ("COM4,COM5,COM6", Site().State("station", "open"));
}

TEST_F(SysSerialTest, NothingOpenAndNoControlFileOpensOnlyTheKeyboardAndInput)
{
    CDlgSysSetting dialog;
    RunModal(dialog, {OnSerial([](CWnd* page) { SetText(page, IDC_SYSSERIAL_LINK_ADDRESS, "7"); }), PressOk()});
    EXPECT_EQ(0, windows_.handles[1]);
    EXPECT_EQ(7, g_pSysParam->m_linkageAddress);
    ASSERT_GT(windows_.handles[2], 0);
    ASSERT_GT(windows_.handles[3], 0);
    EXPECT_TRUE(KeyArrives("key 3 0 5")) << "keys reach the window the main window gave";
}

// Ports another program holds: each failure has its message, and every setting is stored anyway.
TEST_F(SysSerialTest, FailedOpensAreReportedAndTheRestIsStillDone)
{
    held_.push_back(Portwick_OpenAlarmInput(4)); // COM5
    ASSERT_GT(held_[0], 0);
    MessageBoxRecorder boxes;
    CDlgSysSetting dialog;
    INT_PTR result = RunModal(dialog, {OnSerial([](CWnd* page) {
                                           SelectCombo(page, IDC_SYSSERIAL_LINK_PORT, 4);
                                           SetText(page, IDC_SYSSERIAL_CONTROL_FILE, Ptz("LINKAGE.ptz").c_str());
                                           SelectCombo(page, IDC_SYSSERIAL_KEY_PORT, 4);
                                           SelectCombo(page, IDC_SYSSERIAL_KEY_PARITY, 2);
                                           SelectCombo(page, IDC_SYSSERIAL_IN_PORT, 4);
                                           SelectCombo(page, IDC_SYSSERIAL_IN_DATA_BITS, 1);
                                       }),
                                       PressOk()});
    EXPECT_EQ(IDOK, result);
    std::vector<std::string> texts;
    for (const RecordedBox& box : boxes.Boxes())
        texts.push_back(box.text);
    EXPECT_EQ((std::vector<std::string>{"打开文件或者串口失败", "打开键盘串口失败", "打开外部报警串口失败"}), texts);
    EXPECT_EQ(0, windows_.handles[1] | windows_.handles[2] | windows_.handles[3]);
    auto reloaded = std::make_unique<CSysParam>();
    reloaded->Load();
    const CSysParam& saved = *reloaded;
    EXPECT_EQ(4, saved.m_linkagePort);
    EXPECT_STREQ(Ptz("LINKAGE.ptz").c_str(), saved.m_linkageControlFile);
    EXPECT_EQ(4, saved.m_keyboardPort);
    EXPECT_EQ(2, saved.m_keyboardParity);
    EXPECT_EQ(4, saved.m_alarmInPort);
    EXPECT_EQ(6, saved.m_alarmInDataBits);
}

TEST_F(SysSerialTest, LoadingAControlFileSetsTheRelayButtonsOff)
{
    MessageBoxRecorder boxes;
    CDlgSysSetting dialog;
    RunModal(dialog, {OnSerial([&](CWnd* page) {
                          // No device yet: the file opens one, which the station keeps.
                          SetText(page, IDC_SYSSERIAL_CONTROL_FILE, Ptz("LINKAGE.ptz").c_str());
                          ClickButton(page, IDC_SYSSERIAL_LOAD);
                          EXPECT_GT(windows_.handles[1], 0);
                          EXPECT_EQ("LINKAGE", GetText(page, IDC_SYSSERIAL_PROTOCOL));
                          EXPECT_EQ(8u, windows_.relays.size());
                          windows_.relays.clear();
                          SetText(page, IDC_SYSSERIAL_CONTROL_FILE, "C:\\no\\such.ptz");
                          ClickButton(page, IDC_SYSSERIAL_LOAD);
                          EXPECT_TRUE(windows_.relays.empty());
                          EXPECT_EQ("LINKAGE", GetText(page, IDC_SYSSERIAL_PROTOCOL)) << "the old file stays";
                          SetText(page, IDC_SYSSERIAL_CONTROL_FILE, Ptz("PELCO-D.ptz").c_str());
                          ClickButton(page, IDC_SYSSERIAL_LOAD);
                          EXPECT_EQ("PELCO-D", GetText(page, IDC_SYSSERIAL_PROTOCOL));
                          SetText(page, IDC_SYSSERIAL_CONTROL_FILE, "");
                          ClickButton(page, IDC_SYSSERIAL_LOAD);
                      }),
                      PressCancel()});
    std::vector<std::string> texts;
    for (const RecordedBox& box : boxes.Boxes())
        texts.push_back(box.text);
    EXPECT_EQ((std::vector<std::string>{"升级文件成功", "打开文件或者串口失败", "升级文件成功"}), texts);
    std::vector<std::string> off;
    for (int output = 0; output < 8; ++output)
        off.push_back(std::to_string(output) + " off redraw");
    EXPECT_EQ(off, windows_.relays);
}
