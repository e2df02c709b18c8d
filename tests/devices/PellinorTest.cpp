// The stand-in watchdog records the station's crash notices and can end a station.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "devices/devsim/control/DevsimControl.h"
#include "tests/support/TestSupport.h"

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
    // Found by its process: tests running beside this one may have watchdogs of their own.
    HWND window = WaitForWindow(watchdog.Id(), "Pellinor", 20000);
    ASSERT_NE(window, nullptr);

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
    std::string title = "Fake station " + std::to_string(GetCurrentProcessId()); // unique beside other tests
    HWND station = CreateWindowA("FakeStation", title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                 wc.hInstance, nullptr);
    WriteTextFile(dir.File("start.ini"), "[PROGRAMNAME]\r\nWINDOWNAME=" + title + "\r\n");
    ChildProcess asker;
    ASSERT_TRUE(asker.Start(ProgramPath("Pellinor.exe"), "/exit \"" + dir.Path() + "\""));
    DWORD start = GetTickCount();
    char text[64] = {};
    while (std::strcmp(text, "exit requested") != 0 && GetTickCount() - start < 20000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpMessages();
        GetWindowTextA(station, text, sizeof text);
    }
    EXPECT_STREQ(text, "exit requested");
    EXPECT_EQ(asker.Wait(20000), 0);
    DestroyWindow(station);
}

} // namespace
