#include "tests/support/TestSupport.h"

#include <cstdio>

std::string ProgramDirectory()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string s(path, n);
    size_t slash = s.find_last_of("\\/");
    return slash == std::string::npos ? "." : s.substr(0, slash);
}

std::string ProgramPath(const std::string& fileName)
{
    return ProgramDirectory() + "\\" + fileName;
}

TempDir::TempDir(bool enter)
{
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    static LONG counter;
    for (;;) {
        char name[MAX_PATH];
        std::snprintf(name, sizeof name, "%swarden-test-%lu-%ld", base, GetCurrentProcessId(),
                      InterlockedIncrement(&counter));
        if (CreateDirectoryA(name, nullptr)) {
            path_ = name;
            break;
        }
    }
    if (enter) {
        char cwd[MAX_PATH];
        GetCurrentDirectoryA(sizeof cwd, cwd);
        previous_ = cwd;
        SetCurrentDirectoryA(path_.c_str());
    }
}

TempDir::~TempDir()
{
    if (!previous_.empty())
        SetCurrentDirectoryA(previous_.c_str());
    RemoveTree(path_);
}

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string full = path + "\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full);
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(find, &fd));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
}

ChildProcess::~ChildProcess()
{
    if (Running())
        Kill();
    if (info_.hProcess) {
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
}

bool ChildProcess::Start(const std::string& exePath, const std::string& arguments, const std::string& workDir)
{
    std::string commandLine = "\"" + exePath + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    return CreateProcessA(exePath.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                          workDir.empty() ? nullptr : workDir.c_str(), &si, &info_) != FALSE;
}

int ChildProcess::Wait(DWORD timeoutMs)
{
    if (!info_.hProcess || WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return int(code);
}

bool ChildProcess::Running() const
{
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

void ChildProcess::Kill()
{
    TerminateProcess(info_.hProcess, 255);
    WaitForSingleObject(info_.hProcess, 5000);
}

namespace {
struct WindowQuery {
    DWORD processId;
    const std::string* caption;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param)
{
    auto* q = reinterpret_cast<WindowQuery*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != q->processId || !IsWindowVisible(window))
        return TRUE;
    char text[256];
    GetWindowTextA(window, text, sizeof text);
    if (*q->caption == text) {
        q->found = window;
        return FALSE;
    }
    return TRUE;
}
} // namespace

HWND WaitForWindow(DWORD processId, const std::string& caption, DWORD timeoutMs)
{
    WindowQuery q = {processId, &caption, nullptr};
    WaitUntil(
        [&] {
            EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&q));
            return q.found != nullptr;
        },
        timeoutMs);
    return q.found;
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::string ScreenshotPath(const std::string& name)
{
    std::string dir = ProgramDirectory() + "\\..\\screenshots";
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir + "\\" + name + ".png";
}

bool WaitUntil(const std::function<bool()>& cond, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (cond())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        PumpMessages();
    }
}
