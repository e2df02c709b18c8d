// What the configuration and records dialogs ask of the main window, answered for them: the
// station's owner-drawn menus and the PTZ panel's description box.
#pragma once

#include "station/config/ConfigWindows.h"

class CMainConfigWindows : public IConfigWindows {
public:
    void SetCameraDescription(LPCSTR text) override;
    void TrackOwnerDrawnMenu(CMenu* popup, CWnd* owner, POINT screen) override;
};
