// Pellinor (stand-in watchdog): a window titled "Pellinor" that records every copy-data message
// it receives, the station's crash notice (a restart request) among them, one line each in
// "pellinor.log" of its folder (the argument, else the current directory), and lists them.
//   Pellinor.exe [FOLDER]         run the watchdog
//   Pellinor.exe /exit FOLDER     ask the station of FOLDER (its "start.ini" names its window)
//                                 to end, with WM_EXIT_REQUEST, and return
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const UINT WM_EXIT_REQUEST = 0x539;
const int kListId = 100;

#pragma pack(push, 1)
struct WatchdogCrashNotice {
    char executable[260];
    char startDirectory[260];
    DWORD processId;
};
#pragma pack(pop)
static_assert(sizeof(WatchdogCrashNotice) == 524, "crash notice");

std::string g_logPath;

std::string Field(const char* p, size_t size)
{
    size_t n = 0;
    while (n < size && p[n])
        ++n;
    return std::string(p, n);
}

void Record(HWND window, const std::string& text)
{
    SYSTEMTIME t;
    GetLocalTime(&t);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d:%02d:%02d ", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                  t.wSecond);
    std::string line = stamp + text;
    FILE* f = std::fopen(g_logPath.c_str(), "ab");
    if (f) {
        std::fprintf(f, "%s\r\n", line.c_str());
        std::fclose(f);
    }
    SendDlgItemMessageA(window, kListId, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

LRESULT OnCopyData(HWND window, HWND sender, const COPYDATASTRUCT* cds)
{
    char text[900];
    if (cds && cds->cbData == sizeof(WatchdogCrashNotice) && cds->lpData) {
        WatchdogCrashNotice n;
        std::memcpy(&n, cds->lpData, sizeof n);
        std::snprintf(text, sizeof text, "crash restart-request pid=%lu window=%p data=%lu exe=%s dir=%s", n.processId,
                      static_cast<void*>(sender), static_cast<unsigned long>(cds->dwData),
                      Field(n.executable, sizeof n.executable).c_str(),
                      Field(n.startDirectory, sizeof n.startDirectory).c_str());
    } else {
        // Anything else is recorded by its size only: its layout is unknown.
        std::snprintf(text, sizeof text, "message window=%p data=%lu bytes=%lu", static_cast<void*>(sender),
                      cds ? static_cast<unsigned long>(cds->dwData) : 0ul,
                      cds ? static_cast<unsigned long>(cds->cbData) : 0ul);
    }
    Record(window, text);
    return TRUE;
}

LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0,
                        0, 0, 0, window, reinterpret_cast<HMENU>(kListId), nullptr, nullptr);
        return 0;
    case WM_SIZE:
        MoveWindow(GetDlgItem(window, kListId), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_COPYDATA:
        return OnCopyData(window, reinterpret_cast<HWND>(wParam), reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

int AskStationToExit(const std::string& folder)
{
    char title[256];
    GetPrivateProfileStringA("PROGRAMNAME", "WINDOWNAME", "", title, sizeof title, (folder + "\\start.ini").c_str());
    HWND station = title[0] ? FindWindowA(nullptr, title) : nullptr;
    if (!station)
        return 1;
    PostMessageA(station, WM_EXIT_REQUEST, 0, 0);
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    std::string folder;
    if (__argc >= 3 && _stricmp(__argv[1], "/exit") == 0)
        return AskStationToExit(__argv[2]);
    if (__argc >= 2) {
        folder = __argv[1];
    } else {
        char cwd[MAX_PATH];
        GetCurrentDirectoryA(sizeof cwd, cwd);
        folder = cwd;
    }
    g_logPath = folder + "\\pellinor.log";
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "PellinorWatchdog";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "Pellinor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  480, 200, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, show == SW_HIDE ? SW_SHOWMINNOACTIVE : show);
    Record(window, "started folder=" + folder);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
