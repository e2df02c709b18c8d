// The stand-in watchdog records the station's crash notices and can end a station.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "DevsimControl.h"
#include "TestSupport.h"

namespace {

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(Pellinor, RecordsCrashNoticesAndOtherMessages)
{
    TempDir dir;
    ChildProcess watchdog;
    ASSERT_TRUE(watchdog.Start(ProgramPath("Pellinor.exe"), "\"" + dir.Path() + "\""));
    HWND window = WaitForWindow(watchdog.Id(), "Pellinor", 20000);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(FindWindowA(nullptr, "Pellinor"), window);

    char notice[524] = {};
    std::strcpy(notice, "C:\\station\\Warden.exe");
    std::strcpy(notice + 260, "C:\\station");
    DWORD pid = 4321;
    std::memcpy(notice + 520, &pid, 4);
    COPYDATASTRUCT cds = {0, sizeof notice, notice};
    EXPECT_EQ(SendMessageA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds)), TRUE);
    char odd[10] = {};
    COPYDATASTRUCT other = {7, sizeof odd, odd};
    SendMessageA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&other));

    std::string log = ReadText(dir.File("pellinor.log"));
    EXPECT_NE(log.find("crash restart-request pid=4321"), std::string::npos) << log;
    EXPECT_NE(log.find("exe=C:\\station\\Warden.exe dir=C:\\station"), std::string::npos) << log;
    EXPECT_NE(log.find("data=7 bytes=10"), std::string::npos) << log;

    // A second watchdog sees the first one's window and leaves at once.
    ChildProcess second;
    ASSERT_TRUE(second.Start(ProgramPath("Pellinor.exe"), "\"" + dir.Path() + "\""));
    EXPECT_EQ(second.Wait(20000), 0);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(watchdog.Wait(20000), 0);
}

LRESULT CALLBACK StationProc(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == 0x539)
        SetWindowTextA(w, "exit requested");
    return DefWindowProcA(w, msg, wp, lp);
}

TEST(Pellinor, AsksTheStationToExit)
{
    TempDir dir;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = StationProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "FakeStation";
    RegisterClassA(&wc);
    HWND station = CreateWindowA("FakeStation", "Fake station 17", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                 nullptr, wc.hInstance, nullptr);
    WriteTextFile(dir.File("start.ini"), "[PROGRAMNAME]\r\nWINDOWNAME=Fake station 17\r\n");
    ChildProcess asker;
    ASSERT_TRUE(asker.Start(ProgramPath("Pellinor.exe"), "/exit \"" + dir.Path() + "\""));
    DWORD start = GetTickCount();
    char title[64] = {};
    while (std::strcmp(title, "exit requested") != 0 && GetTickCount() - start < 20000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpMessages();
        GetWindowTextA(station, title, sizeof title);
    }
    EXPECT_STREQ(title, "exit requested");
    EXPECT_EQ(asker.Wait(20000), 0);
    DestroyWindow(station);
}

} // namespace
