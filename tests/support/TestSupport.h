// Helpers shared by the test programs: paths, temporary start directories, child programs, windows.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

// The folder of the running test program; the programs under test are built beside it.
std::string ProgramDirectory();
std::string ProgramPath(const std::string& fileName);

// A fresh, empty folder for one test's fixtures, removed with everything in it at the end.
// With enter = true it is also the current directory while it lives (the programs' start directory).
class TempDir {
public:
    explicit TempDir(bool enter = false);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
    std::string previous_;
};

void RemoveTree(const std::string& path);

// A program started for a test; killed in the destructor when still running.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Start(const std::string& exePath, const std::string& arguments = "", const std::string& workDir = "");
    // Exit code, or -1 when the program did not end within timeoutMs.
    int Wait(DWORD timeoutMs);
    bool Running() const;
    void Kill();
    DWORD Id() const { return info_.dwProcessId; }

private:
    PROCESS_INFORMATION info_ = {};
};

// Waits (bounded) for a visible top-level window of the given process with the given caption (code page 936).
HWND WaitForWindow(DWORD processId, const std::string& caption, DWORD timeoutMs);

// Dispatches the messages waiting for this thread's windows.
void PumpMessages();

// Polls cond until it holds or timeoutMs passes, keeping this thread's windows served: the one kind
// of wait on other threads and processes that tests have, always bounded.
bool WaitUntil(const std::function<bool()>& cond, DWORD timeoutMs = 10000);

// Where a test keeps the pictures a person may want to look at: build/screenshots/<name>.png.
std::string ScreenshotPath(const std::string& name);
