// A preview pane that is only its window: a session draws into it and no call is answered. The
// benchmarks' panes.
#pragma once
#include <windows.h>

#include "station/core/sessions/SessionWindows.h"

class SilentPane : public IPreviewPane {
public:
    // The pane owns the window and destroys it.
    explicit SilentPane(HWND window) : window_(window) {}
    ~SilentPane() override { DestroyWindow(window_); }
    SilentPane(const SilentPane&) = delete;
    SilentPane& operator=(const SilentPane&) = delete;

    HWND GetVideoSurface() override { return window_; }
    void SetSession(CChannelSession*) override {}
    void RefreshView(int) override {}
    void ResetIcons() override {}
    void ResetOnConnectFailure(int) override {}
    void SetAudioIcon(int) override {}
    void SetRecordIcon(int) override {}
    void StartAlarmBlink() override {}
    void StopAlarmBlink() override {}
    void RemoveFromPage() override {}
    void PostPaneAlarm(CChannelSession*, LPARAM) override {}

private:
    HWND window_;
};
