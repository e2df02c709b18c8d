// What the player tests share: recordings written with the devices' own writer, a pane host that
// records what the transport asks of it, and a scripted Framewell table.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "devices/framewell/FramewellApi.h"
#include "player/PaneTransport.h"

// An MP4 recording of frames pictures 40 ms apart, width x height; from picture damagedFrom on (when
// not -1) the pictures are noise that does not decode.
void WriteRecording(const std::string& path, int frames, int width = 64, int height = 48, int damagedFrom = -1);

// A plain visible window that pictures and notifications go to.
class PlainWindow {
public:
    PlainWindow(int width = 320, int height = 240);
    ~PlainWindow();
    HWND Handle() const { return window_; }

private:
    HWND window_;
};

// A pane host that keeps a log of what it was asked and answers the save dialog from a script.
class RecordingHost : public PaneHost {
public:
    explicit RecordingHost(HWND window) : window_(window) {}

    HWND PaneWindow() override { return window_; }
    void StartPaneTimer(UINT id, UINT) override { timers.push_back(id); }
    void StopPaneTimer(UINT) override {}
    void Repaint() override {}
    BOOL IsActivePane() override { return active; }
    void UpdateControls() override {}
    void ShowStateText(int state) override { status = "state " + std::to_string(state); }
    void ShowStatusId(UINT id) override { status = "id " + std::to_string(id); }
    void ShowBuffering(int percent) override { status = "buffering " + std::to_string(percent); }
    void ResizeForPicture(int width, int height) override { resizes.push_back({width, height}); }
    int DisplayMode() override { return mode; }
    void RefreshPlaylist() override {}
    void MarkCurrent(int) override {}
    void LeaveFullScreen() override { ++leftFullScreen; }
    BOOL ChooseCutFile(char* path, size_t size) override;
    void ShowMessage(UINT id) override { messages.push_back(id); }
    int StayTime() override { return 10; }
    const char* ProgramDirectory() override { return directory.c_str(); }

    BOOL active = TRUE;
    int mode = 1;
    std::string status;
    std::vector<SIZE> resizes;
    std::vector<UINT> messages;
    std::vector<UINT> timers;
    int leftFullScreen = 0;
    std::string cutTarget; // empty: the save dialog is cancelled
    std::string directory = ".";

private:
    HWND window_;
};

// A Framewell table whose calls are logged by name; opens and remote opens answer from a script.
struct ScriptedFramewell {
    static ScriptedFramewell& Get();
    void Reset();
    FramewellApi table;
    std::vector<std::string> calls;
    std::vector<int> openResults; // per open call (local or remote), 0 = failure; empty: 7
    int pictureWidth = 352, pictureHeight = 288;
    int nextHandle = 7;
};

// Installs the scripted table for one test.
class ScriptedFramewellScope {
public:
    ScriptedFramewellScope();
    ~ScriptedFramewellScope();
};

// Pumps messages until the window got WM_PLAYER_NOTIFY with this code, handing each to the pane's
// transport; false after timeoutMs.
bool PumpNotifications(CPaneTransport& pane, WPARAM until, DWORD timeoutMs = 10000);
