// Warden.exe as a whole program against devsim, with Pellinor as its watchdog: log-in, live
// panes, a motion alarm with its recording, the exit through the watchdog, and a crash hand-over.
#include <gtest/gtest.h>
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "devices/devsim/control/DevsimControl.h"
#include "devices/framewell/FramewellApi.h"
#include "resources/warden/liveview.h"
#include "resources/warden/mainwindow.h"
#include "resources/warden/records.h"
#include "station/config/queries/FileQueryRules.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/storage/RecordStore.h"
#include "tests/station/mainwindow/MainTestSupport.h"
#include "tests/station/process/StationRun.h"
#include "tools/screenshot/Screenshot.h"

namespace {

// The demonstration site on free ports, and the station's data pointing at them.
struct Site {
    DevsimSite devsim;
    bool started = false;
    Site() { started = devsim.Start(ProgramPath("demo-site.ini")); }
    std::string Servers()
    {
        char text[128];
        snprintf(text, sizeof text, "Lobby=%u Warehouse=%u parking.ddns=%u", devsim.Port("Lobby"),
                 devsim.Port("Warehouse"), devsim.DdnsPort());
        return text;
    }
};

std::string ReadText(const std::string& path)
{
    std::string text;
    FILE* file = fopen(path.c_str(), "rb");
    if (file == nullptr)
        return text;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, n);
    fclose(file);
    return text;
}

bool HasRecord(const std::string& dir, BYTE type, const std::string& text)
{
    for (const SysLogRecord& record : ReadLogRecords(dir))
        if (record.type == type && (text.empty() || text == record.text))
            return true;
    return false;
}

int CountRecords(const std::string& dir, BYTE type)
{
    int count = 0;
    for (const SysLogRecord& record : ReadLogRecords(dir))
        count += record.type == type;
    return count;
}

// Every recording index entry below the storage folder (its day folders' "index" files), with
// the recording files beside them.
struct Recordings {
    std::vector<RecordIndexEntry> entries;
    std::vector<std::string> files;
};

Recordings FindRecordings(const std::string& storage)
{
    Recordings found;
    WIN32_FIND_DATAA day;
    HANDLE days = FindFirstFileA((storage + "\\*").c_str(), &day);
    if (days == INVALID_HANDLE_VALUE)
        return found;
    do {
        std::string dayDir = storage + "\\" + day.cFileName;
        if (!(day.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || day.cFileName[0] == '.')
            continue;
        std::string index = ReadText(dayDir + "\\index");
        for (size_t at = 0; at + sizeof(RecordIndexEntry) <= index.size(); at += sizeof(RecordIndexEntry)) {
            RecordIndexEntry entry;
            memcpy(&entry, index.data() + at, sizeof entry);
            found.entries.push_back(entry);
        }
        WIN32_FIND_DATAA file;
        HANDLE files = FindFirstFileA((dayDir + "\\*.mp4").c_str(), &file);
        if (files != INVALID_HANDLE_VALUE) {
            do
                found.files.push_back(dayDir + "\\" + file.cFileName);
            while (FindNextFileA(files, &file));
            FindClose(files);
        }
    } while (FindNextFileA(days, &day));
    FindClose(days);
    return found;
}

BOOL CALLBACK CollectAlarmIcons(HWND window, LPARAM param)
{
    if (GetDlgCtrlID(window) == IDC_PANE_ALARM && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

// The middle pixel of a skin picture of the start directory.
COLORREF SkinPixel(const std::string& startDir, const char* name)
{
    HBITMAP picture = (HBITMAP)LoadImageA(nullptr, (startDir + "\\skin\\" + name).c_str(), IMAGE_BITMAP, 0, 0,
                                          LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (picture == nullptr)
        return CLR_INVALID;
    BITMAP info = {};
    GetObjectA(picture, sizeof info, &info);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, picture);
    COLORREF pixel = GetPixel(dc, info.bmWidth / 2, info.bmHeight / 2);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(picture);
    return pixel;
}

// True when one of the panes' alarm icons shows the "on" picture on the screen.
bool AlarmPictureShown(HWND main, COLORREF on)
{
    std::vector<HWND> icons;
    EnumChildWindows(main, CollectAlarmIcons, reinterpret_cast<LPARAM>(&icons));
    for (HWND icon : icons) {
        RECT r;
        GetWindowRect(icon, &r);
        Capture capture = CaptureScreenRect(r);
        if (capture.width > 0 && capture.Pixel(capture.width / 2, capture.height / 2) == on)
            return true;
    }
    return false;
}

// The log as text, for a failure's message.
std::string DescribeLog(const std::string& dir)
{
    std::string text;
    for (const SysLogRecord& record : ReadLogRecords(dir))
        text += std::to_string(record.type) + " " + record.text + " | " + record.detail + "\n";
    return text;
}

void Click(int x, int y, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP)
{
    INPUT input[3] = {};
    for (INPUT& i : input) {
        i.type = INPUT_MOUSE;
        i.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        i.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        i.mi.dwFlags = MOUSEEVENTF_ABSOLUTE;
    }
    input[0].mi.dwFlags |= MOUSEEVENTF_MOVE;
    input[1].mi.dwFlags |= down;
    input[2].mi.dwFlags |= up;
    SendInput(3, input, sizeof(INPUT));
}

BOOL CALLBACK FindTree(HWND window, LPARAM param)
{
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    if (strcmp(name, "SysTreeView32") != 0 || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
}

// A visible pop-up menu window of the process, or null.
HWND OpenMenuOf(DWORD processId)
{
    HWND menu = nullptr;
    while ((menu = FindWindowExA(nullptr, menu, "#32768", nullptr)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(menu, &owner);
        if (owner == processId && IsWindowVisible(menu))
            return menu;
    }
    return nullptr;
}

bool MenuPainted(DWORD processId)
{
    HWND menu = OpenMenuOf(processId);
    RECT r;
    if (menu == nullptr || !GetWindowRect(menu, &r))
        return false;
    // Painted once its light face covers most of it and its items' texts show dark on it.
    const Capture shown = CaptureScreenRect(r);
    int light = 0, dark = 0, all = 0;
    for (int y = 3; y < shown.height - 3; ++y)
        for (int x = 3; x < shown.width - 3; ++x, ++all) {
            const COLORREF c = shown.Pixel(x, y);
            const int sum = GetRValue(c) + GetGValue(c) + GetBValue(c);
            light += sum > 600;
            dark += sum < 200;
        }
    return all > 0 && light * 2 > all && dark > 20;
}

bool IsLogIn(const SysLogRecord& record)
{
    return record.type == SYSLOG_LOGIN && std::string(record.user) == "admin";
}

// A TCP port nobody listens on now, or 0.
int FreePort()
{
    WSADATA wsa;
    if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0)
        return 0;
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    int port = 0;
    if (s != INVALID_SOCKET && bind(s, (sockaddr*)&address, sizeof address) == 0 &&
        getsockname(s, (sockaddr*)&address, &length) == 0)
        port = ntohs(address.sin_port);
    if (s != INVALID_SOCKET)
        closesocket(s);
    WSACleanup();
    return port;
}

// The station's file service listening on port for user and password, in its start directory.
void EnableFileService(const std::string& startDir, int port, const char* user, const char* password)
{
    SetStartDirectory(startDir.c_str());
    CSysParam params;
    params.Load();
    params.m_fileServiceEnabled = 1;
    params.m_fileServicePort = port;
    params.m_fileServiceUser = user;
    params.m_fileServicePassword = password;
    params.m_mp4PlayerPath = ProgramPath("Clipview.exe").c_str();
    params.Save();
}

void __stdcall CollectHit(const char*, int, const char* remotePath, const FramewellTime*, const FramewellTime*,
                          unsigned int, void* context)
{
    static_cast<std::vector<std::string>*>(context)->push_back(remotePath);
}

// The recordings' paths the station's file service finds for a remote search of every MP4.
std::vector<std::string> SearchStation(int port, const char* user, const char* password)
{
    std::vector<std::string> paths;
    const FramewellApi& fw = GetFramewellApi();
    const int search = fw.StartSearch("127.0.0.1", "", -1, user, password, FRAMEWELL_FILE_MP4, 0, 0, nullptr, nullptr,
                                      CollectHit, &paths, port);
    if (search <= 0)
        return paths;
    WaitUntil([&] { return fw.GetSearchState(search) == 1; }, 20000);
    fw.CloseSearch(search); // no callback after it: the list is ours again
    return paths;
}

// Clipview's ids (resources/clipview/resource.h, whose names clash with the station's).
const int kClipviewStatus = 1013;
const int kClipviewPlayTime = 1014;
const int kClipviewTotalTime = 1015;
const int kConvertStatus = 1017;
const int kConvertMp4Path = 1021;
const int kConvertAsfPath = 1022;
const int kConvertStart = 1025;
const int kToolsConvert = 32778;
const int kSearchAddress = 1062;
const int kSearchQuery = 1063;
const int kSearchResults = 1064;
const int kSearchCounter = 1065;
const int kSearchPort = 1072;
const int kSearchUser = 1075;
const int kSearchPassword = 1076;
const int kToolsSearch = 32781;

struct DialogSearch {
    DWORD processId;
    int firstItem, secondItem;
    HWND found;
};

BOOL CALLBACK FindDialogWithItems(HWND window, LPARAM param)
{
    DialogSearch* search = reinterpret_cast<DialogSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window) || GetDlgItem(window, search->firstItem) == nullptr ||
        GetDlgItem(window, search->secondItem) == nullptr)
        return TRUE;
    search->found = window;
    return FALSE;
}

// The process's visible top-level window holding both items once it shows, or null.
HWND WaitForDialog(DWORD processId, int firstItem, int secondItem)
{
    DialogSearch search = {processId, firstItem, secondItem, nullptr};
    WaitUntil(
        [&] {
            EnumWindows(FindDialogWithItems, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        20000);
    return search.found;
}

// True once a list's first row shows dark texts on the screen.
bool FirstRowShown(HWND list)
{
    RECT r, header = {};
    GetWindowRect(list, &r);
    GetWindowRect(FindWindowExA(list, nullptr, "SysHeader32", nullptr), &header);
    const RECT row = {r.left + 2, header.bottom + 1, r.right - 2, header.bottom + 16};
    const Capture shown = CaptureScreenRect(row);
    int dark = 0;
    for (int y = 0; y < shown.height; ++y)
        for (int x = 0; x < shown.width; ++x) {
            const COLORREF c = shown.Pixel(x, y);
            dark += GetRValue(c) + GetGValue(c) + GetBValue(c) < 200;
        }
    return dark > 20;
}

// A double-click on a list's first row.
void DoubleClickFirstRow(HWND list)
{
    RECT r, header = {};
    GetWindowRect(list, &r);
    GetWindowRect(FindWindowExA(list, nullptr, "SysHeader32", nullptr), &header);
    Click(r.left + 40, header.bottom + 8);
    Click(r.left + 40, header.bottom + 8);
}

HWND VisibleClipview()
{
    HWND window = FindWindowA(nullptr, "Clipviewer");
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

void ClickButton(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(dialog, id));
}

std::string Clock(int ms)
{
    char text[16];
    snprintf(text, sizeof text, "%02d:%02d:%02d", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60);
    return text;
}

std::string ItemText(HWND window, int id)
{
    char text[256] = "";
    GetDlgItemTextA(window, id, text, sizeof text);
    return text;
}

} // namespace

// One station proves the whole run: it logs in by itself and connects its four Lobby panes; a
// motion on camera 1 (armed, recording on motion) gives an alarm record, a recording with its
// index entry and the pane's alarm picture; the watchdog's exit request ends it in order.
TEST(StationProcess, RunsAgainstTheSiteAndExitsThroughTheWatchdog)
{
    Site site;
    ASSERT_TRUE(site.started);
    StationRun station(site.Servers());
    ASSERT_TRUE(station.Prepared());
    ChildProcess watchdog;
    ASSERT_TRUE(watchdog.Start(ProgramPath("Pellinor.exe"), "\"" + station.StartDir() + "\""));
    ASSERT_NE(nullptr, WaitForWindow(watchdog.Id(), "Pellinor", 20000));
    ASSERT_TRUE(station.Start());

    EXPECT_TRUE(WaitUntil([&] { return atoi(site.devsim.State("Lobby", "clients").c_str()) >= 4; }, 60000))
        << "the four Lobby panes connect\n"
        << DescribeLog(station.StartDir());
    bool loggedIn = false;
    for (const SysLogRecord& record : ReadLogRecords(station.StartDir()))
        loggedIn = loggedIn || IsLogIn(record);
    EXPECT_TRUE(loggedIn) << "the automatic log-in is logged with its user";
    EXPECT_NE("-", site.devsim.State("station", "open")) << "the station's serial devices are open";

    COLORREF alarmOn = SkinPixel(station.StartDir(), "alarm_on.bmp");
    ASSERT_NE(SkinPixel(station.StartDir(), "alarm_off.bmp"), alarmOn);
    int alarmsBefore = CountRecords(station.StartDir(), SYSLOG_ALARM);
    ASSERT_TRUE(site.devsim.Ok("motion Lobby 0"));
    EXPECT_TRUE(WaitUntil([&] { return AlarmPictureShown(station.MainWindow(), alarmOn); }, 20000))
        << "a pane shows the alarm picture";
    SavePng(CaptureWindow(station.MainWindow()), ScreenshotPath("station-process-alarm"));
    EXPECT_TRUE(WaitUntil([&] { return CountRecords(station.StartDir(), SYSLOG_ALARM) > alarmsBefore; }, 20000))
        << "the motion is logged";
    Recordings recordings;
    EXPECT_TRUE(WaitUntil(
        [&] {
            recordings = FindRecordings(station.StorageDir());
            return !recordings.entries.empty() && !recordings.files.empty();
        },
        30000))
        << "the motion starts a recording with its index entry";
    if (!recordings.entries.empty()) {
        EXPECT_STREQ("Lobby", recordings.entries[0].name);
        EXPECT_EQ(0, recordings.entries[0].channel);
        EXPECT_NE(0, recordings.entries[0].typeBits);
    }

    // The first menu of the bar, opened by a click on its title.
    POINT client = {0, 0};
    ClientToScreen(station.MainWindow(), &client);
    Click(client.x + 20, client.y - GetSystemMetrics(SM_CYMENU) / 2);
    if (WaitUntil([&] { return MenuPainted(station.Process().Id()); }, 10000))
        SavePng(CaptureScreen(), ScreenshotPath("main-window-menu"));
    else
        ADD_FAILURE() << "the bar's menu did not open";
    Click(client.x + 600, client.y - GetSystemMetrics(SM_CYMENU) / 2); // closes it again
    EXPECT_TRUE(WaitUntil([&] { return OpenMenuOf(station.Process().Id()) == nullptr; }, 10000));

    // The first camera's menu in the tree: the project and the Lobby opened by their buttons, then a
    // right-click on the camera.
    HWND tree = nullptr;
    EnumChildWindows(station.MainWindow(), FindTree, reinterpret_cast<LPARAM>(&tree));
    ASSERT_NE(nullptr, tree);
    POINT origin = {0, 0};
    ClientToScreen(tree, &origin);
    const int row = int(SendMessageA(tree, TVM_GETITEMHEIGHT, 0, 0));
    const int indent = int(SendMessageA(tree, TVM_GETINDENT, 0, 0));
    Click(origin.x + indent + indent / 2, origin.y + row + row / 2);         // project
    Click(origin.x + 2 * indent + indent / 2, origin.y + 2 * row + row / 2); // Lobby
    Click(origin.x + 4 * indent + 20, origin.y + 3 * row + row / 2, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
    if (WaitUntil([&] { return MenuPainted(station.Process().Id()); }, 10000))
        SavePng(CaptureScreen(), ScreenshotPath("main-window-tree-menu"));
    else
        ADD_FAILURE() << "the camera's menu did not open";
    Click(client.x + 600, client.y - GetSystemMetrics(SM_CYMENU) / 2);

    ChildProcess asker;
    ASSERT_TRUE(asker.Start(ProgramPath("Pellinor.exe"), "/exit \"" + station.StartDir() + "\""));
    EXPECT_EQ(0, asker.Wait(20000));
    EXPECT_NE(-1, station.Process().Wait(60000)) << "the station ends on the watchdog's request";
    EXPECT_EQ("1", ReadIni(station.StartDir() + "\\exit.ini", "EXIT", "EXITCODE"));
    // With en_resource.dll beside Warden.exe the station speaks English.
    bool english = GetFileAttributesA(ProgramPath("en_resource.dll").c_str()) != INVALID_FILE_ATTRIBUTES;
    EXPECT_TRUE(HasRecord(station.StartDir(), SYSLOG_LOGIN, english ? "Exited" : "退出系统"));
    EXPECT_TRUE(site.devsim.WaitState("Lobby", "clients", "0", 20000)) << "no session is left";
    EXPECT_EQ("-", site.devsim.State("station", "open")) << "the COM ports are closed";
    EXPECT_EQ(std::string::npos, ReadText(station.StartDir() + "\\pellinor.log").find("crash"));
}

// A fault raised by the test-only switch reaches the watchdog as its 524-byte notice, and the
// process ends without an error box.
TEST(StationProcess, CrashReachesTheWatchdog)
{
    Site site;
    ASSERT_TRUE(site.started);
    StationRun station(site.Servers());
    ASSERT_TRUE(station.Prepared());
    ChildProcess watchdog;
    ASSERT_TRUE(watchdog.Start(ProgramPath("Pellinor.exe"), "\"" + station.StartDir() + "\""));
    ASSERT_NE(nullptr, WaitForWindow(watchdog.Id(), "Pellinor", 20000));
    ASSERT_TRUE(station.Process().Start(ProgramPath("Warden.exe"), "/crashtest", station.StartDir()));
    int code = station.Process().Wait(60000);
    EXPECT_EQ(int(EXCEPTION_ACCESS_VIOLATION), code) << "the process ends by itself, no box waits";
    std::string log = ReadText(station.StartDir() + "\\pellinor.log");
    char expected[64];
    snprintf(expected, sizeof expected, "crash restart-request pid=%lu ", station.Process().Id());
    EXPECT_NE(std::string::npos, log.find(expected)) << log;
    EXPECT_NE(std::string::npos, log.find("exe=" + station.StartDir() + "\\Warden.exe")) << log;
    EXPECT_NE(std::string::npos, log.find("dir=" + station.StartDir())) << log;
}

// The station records a motion with its file service listening on a free port. Its query dialog
// finds the recording locally and starts Clipview on it; Clipview plays it from the station over
// the network, started with the remote line the station's query builds and from its own search
// window; once the station has ended, Clipview's conversion dialog turns the MP4 into an ASF of the
// same length that plays to its end.
TEST(StationProcess, ClipviewPlaysAndConvertsTheStationsRecording)
{
    Site site;
    ASSERT_TRUE(site.started);
    StationRun station(site.Servers());
    ASSERT_TRUE(station.Prepared());
    const int port = FreePort();
    ASSERT_GT(port, 0);
    EnableFileService(station.StartDir(), port, "remote", "pw26");
    ChildProcess watchdog;
    ASSERT_TRUE(watchdog.Start(ProgramPath("Pellinor.exe"), "\"" + station.StartDir() + "\""));
    ASSERT_NE(nullptr, WaitForWindow(watchdog.Id(), "Pellinor", 20000));
    ASSERT_TRUE(station.Start());
    EXPECT_TRUE(WaitUntil([&] { return atoi(site.devsim.State("Lobby", "clients").c_str()) >= 4; }, 60000))
        << DescribeLog(station.StartDir());
    ASSERT_TRUE(site.devsim.Ok("motion Lobby 0"));

    // Seconds of the recording are on the disk once Framewell opens it with that length (it grows
    // while the station records).
    const FramewellApi& fw = GetFramewellApi();
    fw.Init();
    std::string recording;
    int length = 0;
    EXPECT_TRUE(WaitUntil(
        [&] {
            Recordings found = FindRecordings(station.StorageDir());
            if (found.files.empty())
                return false;
            const int handle = fw.OpenFile(found.files[0].c_str(), 0);
            if (handle <= 0)
                return false;
            length = fw.GetTotalTime(handle);
            fw.Stop(handle);
            recording = found.files[0];
            return length >= 3000;
        },
        90000))
        << "the motion's recording grows to seconds: " << length << " ms\n"
        << DescribeLog(station.StartDir());
    ASSERT_FALSE(recording.empty());
    const std::vector<std::string> hits = SearchStation(port, "remote", "pw26");
    ASSERT_EQ(1u, hits.size()) << "the station's file service finds the recording";
    char full[MAX_PATH] = "";
    GetFullPathNameA(recording.c_str(), sizeof full, full, nullptr);
    EXPECT_STRCASEEQ(full, hits[0].c_str());

    // The station's own query dialog finds the recording locally, and a double-click on it starts
    // Clipview, which plays it.
    PostMessageA(station.MainWindow(), WM_COMMAND, ID_VIDEO_FILES, 0);
    HWND query = WaitForDialog(station.Process().Id(), IDC_QUERY_START, IDC_QUERY_RESULTS);
    ASSERT_NE(nullptr, query);
    ASSERT_EQ(BST_CHECKED, IsDlgButtonChecked(query, IDC_QUERY_LOCAL)) << "the local source is the first";
    ClickButton(query, IDC_QUERY_START);
    HWND queryResults = GetDlgItem(query, IDC_QUERY_RESULTS);
    EXPECT_TRUE(WaitUntil([&] { return FirstRowShown(queryResults); }, 30000))
        << "the recording is found: " << ItemText(query, IDC_QUERY_COUNTER);
    SavePng(CaptureWindow(query), ScreenshotPath("station-query-local"));
    DoubleClickFirstRow(queryResults);
    HWND launched = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (launched = VisibleClipview()) != nullptr; }, 30000)) << "Clipview starts";
    if (launched != nullptr) {
        EXPECT_TRUE(WaitUntil([&] { return ItemText(launched, kClipviewStatus) == "正在播放..."; }, 30000))
            << ItemText(launched, kClipviewStatus);
        EXPECT_TRUE(WaitUntil([&] { return ItemText(launched, kClipviewPlayTime) != "00:00:00"; }, 20000))
            << "the local recording's time advances";
        SavePng(CaptureWindow(launched), ScreenshotPath("station-clipview-local"));
        PostMessageA(launched, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(launched); }, 20000));
    }
    PostMessageA(query, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(query); }, 20000));

    const CString line = PlayerCommandLine(hits[0].c_str(), 1, "127.0.0.1", port, "remote", "pw26");
    ChildProcess player;
    ASSERT_TRUE(player.Start(ProgramPath("Clipview.exe"), (LPCSTR)line, ProgramDirectory()));
    HWND window = WaitForWindow(player.Id(), "Clipviewer", 20000);
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(WaitUntil([&] { return ItemText(window, kClipviewStatus) == "正在播放..."; }, 30000))
        << ItemText(window, kClipviewStatus) << "\n"
        << DescribeLog(station.StartDir());
    std::string seen;
    EXPECT_TRUE(WaitUntil(
        [&] {
            std::string now = ItemText(window, kClipviewStatus) + " " + ItemText(window, kClipviewPlayTime) + "\n";
            if (seen.size() < now.size() || seen.compare(seen.size() - now.size(), now.size(), now) != 0)
                seen += now;
            return ItemText(window, kClipviewPlayTime) != "00:00:00";
        },
        20000))
        << "the time advances\n"
        << seen;
    SavePng(CaptureWindow(window), ScreenshotPath("station-clipview-remote"));
    EXPECT_TRUE(WaitUntil([&] { return ItemText(window, kClipviewStatus) == "播放停止"; }, 30000))
        << "the seconds fetched play to their end";

    // Clipview's own search window finds the recording on the station, and a double-click on the hit
    // plays it remotely.
    PostMessageA(window, WM_COMMAND, kToolsSearch, 0);
    HWND search = WaitForDialog(player.Id(), kSearchQuery, kSearchResults);
    ASSERT_NE(nullptr, search);
    SetDlgItemTextA(search, kSearchAddress, "127.0.0.1");
    SetDlgItemInt(search, kSearchPort, UINT(port), FALSE);
    SetDlgItemTextA(search, kSearchUser, "remote");
    SetDlgItemTextA(search, kSearchPassword, "pw26");
    ClickButton(search, kSearchQuery);
    EXPECT_TRUE(WaitUntil([&] { return ItemText(search, kSearchCounter) == "当前1/1 共1条记录"; }, 30000))
        << ItemText(search, kSearchCounter);
    HWND results = GetDlgItem(search, kSearchResults);
    EXPECT_TRUE(WaitUntil([&] { return FirstRowShown(results); }, 10000)) << "the hit's row shows";
    SavePng(CaptureWindow(search), ScreenshotPath("station-clipview-search"));
    DoubleClickFirstRow(results);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(search); }, 20000)) << "the hit plays, back in the player";
    EXPECT_TRUE(WaitUntil([&] { return ItemText(window, kClipviewStatus) == "正在播放..."; }, 30000))
        << ItemText(window, kClipviewStatus);
    EXPECT_TRUE(WaitUntil([&] { return ItemText(window, kClipviewPlayTime) != "00:00:00"; }, 20000))
        << "the remote hit's time advances";

    // The station ends in order (its recording closed); Clipview's conversion dialog, driven by
    // its own controls, turns that MP4 into an ASF.
    ChildProcess asker;
    ASSERT_TRUE(asker.Start(ProgramPath("Pellinor.exe"), "/exit \"" + station.StartDir() + "\""));
    EXPECT_EQ(0, asker.Wait(20000));
    ASSERT_NE(-1, station.Process().Wait(60000)) << "the station ends on the watchdog's request";
    const int mp4 = fw.OpenFile(recording.c_str(), 0);
    ASSERT_GT(mp4, 0);
    length = fw.GetTotalTime(mp4);
    fw.Stop(mp4);
    const std::string asf = recording.substr(0, recording.size() - 4) + ".asf";
    PostMessageA(window, WM_COMMAND, kToolsConvert, 0);
    HWND convert = WaitForDialog(player.Id(), kConvertStart, kConvertMp4Path);
    ASSERT_NE(nullptr, convert);
    SetDlgItemTextA(convert, kConvertMp4Path, recording.c_str());
    SetDlgItemTextA(convert, kConvertAsfPath, asf.c_str());
    ClickButton(convert, kConvertStart);
    EXPECT_TRUE(WaitUntil([&] { return ItemText(convert, kConvertStatus) == "转换结束。"; }, 60000))
        << ItemText(convert, kConvertStatus);
    SavePng(CaptureWindow(convert), ScreenshotPath("station-clipview-convert"));
    PostMessageA(convert, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(convert); }, 20000));
    const int converted = fw.OpenFile(asf.c_str(), 0);
    ASSERT_GT(converted, 0) << "the ASF opens";
    EXPECT_EQ(length, fw.GetTotalTime(converted)) << "the ASF is as long as the MP4";
    fw.Stop(converted);

    // Handed to the running Clipview, the ASF plays to its end.
    ChildProcess second;
    ASSERT_TRUE(second.Start(ProgramPath("Clipview.exe"), "\"" + asf + "\"", ProgramDirectory()));
    EXPECT_EQ(0, second.Wait(20000));
    EXPECT_TRUE(WaitUntil([&] { return ItemText(window, kClipviewTotalTime) == Clock(length); }, 20000))
        << ItemText(window, kClipviewTotalTime) << " for " << length << " ms";
    EXPECT_TRUE(WaitUntil([&] { return ItemText(window, kClipviewPlayTime) != "00:00:00"; }, 20000));
    EXPECT_TRUE(WaitUntil([&] { return ItemText(window, kClipviewStatus) == "播放停止"; }, 30000))
        << "it plays to its end: " << ItemText(window, kClipviewStatus);

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, player.Wait(20000));
    fw.Cleanup();
}
