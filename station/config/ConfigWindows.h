// What the configuration dialogs ask of the station's main window. The main window installs its
// implementation at start; until then (and in tests that install none) a null one stands in.
#pragma once

#include <afxwin.h>

class IConfigWindows {
public:
    virtual ~IConfigWindows() = default;
    // The PTZ panel's description box shows the text (CDlgPtzPanel::SetCameraDescription).
    virtual void SetCameraDescription(LPCSTR text) = 0;
    // Shows a pop-up menu as the station's owner-drawn menu; its command goes to owner. Without a
    // main window the plain menu shows.
    virtual void TrackOwnerDrawnMenu(CMenu* popup, CWnd* owner, POINT screen);
};

class CNullConfigWindows : public IConfigWindows {
public:
    void SetCameraDescription(LPCSTR) override {}
};

IConfigWindows& ConfigWindows();
// Returns the implementation installed before; null puts the null one back.
IConfigWindows* InstallConfigWindows(IConfigWindows* windows);
