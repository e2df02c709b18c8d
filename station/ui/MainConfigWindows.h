// What the configuration and records dialogs ask of the main window, answered for them: the
// station's owner-drawn menus and the PTZ panel's description box.
#pragma once

#include "station/config/ConfigWindows.h"

class CMainConfigWindows : public IConfigWindows {
public:
    // The PTZ panel's description box comes with the panel; until then the text is not shown.
    void SetCameraDescription(LPCSTR) override {}
    void TrackOwnerDrawnMenu(CMenu* popup, CWnd* owner, POINT screen) override;
};
