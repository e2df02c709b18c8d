// What the configuration dialogs ask of the station's main window. The main window installs its
// implementation at start; until then (and in tests that install none) a null one stands in.
#pragma once

#include <afxwin.h>

// Keys of the control keyboard, posted by Portwick to the window the serial devices page gives it.
const UINT WM_KEYBOARD_COMMAND = 0x53A;

// The station's serial devices, by the kind number Portwick_Close takes.
enum SerialDeviceKind { serialLinkDevice = 1, serialKeyboard = 2, serialAlarmInput = 3 };

class IConfigWindows {
public:
    virtual ~IConfigWindows() = default;
    // The PTZ panel's description box shows the text (CDlgPtzPanel::SetCameraDescription).
    virtual void SetCameraDescription(LPCSTR text) = 0;
    // Shows a pop-up menu as the station's owner-drawn menu; its command goes to owner. Without a
    // main window the plain menu shows.
    virtual void TrackOwnerDrawnMenu(CMenu* popup, CWnd* owner, POINT screen);

    // Stops the file service and starts it again with the stored settings when they enable it
    // (CDlgMain::RestartFileService); a failed start is reported there.
    virtual void RestartFileService() {}
    // The station-wide Portwick handle of a serial device (SerialDeviceKind), 0 when none is open;
    // the serial devices page replaces them and the main window closes them at exit.
    virtual int GetSerialHandle(int /*kind*/) { return 0; }
    virtual void SetSerialHandle(int /*kind*/, int /*handle*/) {}
    // The window that receives the control keyboard's WM_KEYBOARD_COMMAND.
    virtual HWND GetKeyboardWindow() { return nullptr; }
    // One of the PTZ panel's eight local relay buttons (CDlgPtzPanel::SetLocalRelayState).
    virtual void SetLocalRelayState(int /*output*/, int /*on*/, BOOL /*redraw*/) {}
};

class CNullConfigWindows : public IConfigWindows {
public:
    void SetCameraDescription(LPCSTR) override {}
};

IConfigWindows& ConfigWindows();
// Returns the implementation installed before; null puts the null one back.
IConfigWindows* InstallConfigWindows(IConfigWindows* windows);
