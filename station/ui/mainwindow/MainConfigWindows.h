// What the configuration and records dialogs ask of the main window, answered for them: the
// station's owner-drawn menus, the PTZ panel's description box and relay buttons, the serial
// device handles the main dialog keeps, and the file service.
#pragma once

#include "station/config/ConfigWindows.h"

class CMainConfigWindows : public IConfigWindows {
public:
    void SetCameraDescription(LPCSTR text) override;
    void TrackOwnerDrawnMenu(CMenu* popup, CWnd* owner, POINT screen) override;
    // The file service (Depotix) is not started by the station yet, so there is nothing to restart.
    void RestartFileService() override;
    int GetSerialHandle(int kind) override;
    void SetSerialHandle(int kind, int handle) override;
    HWND GetKeyboardWindow() override;
    void SetLocalRelayState(int output, int on, BOOL redraw) override;
};
