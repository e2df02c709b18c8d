// How the live-view windows (the video wall, its preview panes, the PTZ and matrix panels and the
// station services) reach the main dialog that carries them. The main dialog implements this and
// installs itself at start (SetLiveViewHost); until then a null implementation stands in, and
// tests implement it in a host window of their own. Every call comes from the user-interface
// thread.
#pragma once

#include <afxwin.h>

class CTermCamera;
class CDlgPtzPanel;
class CDlgMatrixPanel;

// The command buttons of the main window that the live view presses and releases.
const UINT ID_BUTTON_AUDIO_FOLLOW = 416; // "audioplay": audio follows the selection
const UINT ID_BUTTON_TALK = 417;         // "talkplay": a voice talk runs

// The main dialog's timer that ends the talk linkage (one shot).
const UINT_PTR TALK_RELAY_TIMER = 4;

class ILiveViewHost {
public:
    virtual ~ILiveViewHost() = default;

    // The main window: owner of the panels and the wall, receiver of the keyboard focus and of
    // the talk-linkage timer. Null while it does not exist.
    virtual CWnd* GetMainWindow() = 0;
    // CDlgMain::ToggleFullScreen (on, mode): the wall covers the screen (1) or returns to its
    // place (0); mode -1 keeps the page's own split mode.
    virtual void ToggleFullScreen(int on, int mode) = 0;
    // CDlgMain::SelectCameraInTree: the server tree selects the camera's item.
    virtual void SelectCameraInTree(CTermCamera* camera) = 0;
    // The main window's keyboard handling (CDlgMain::PreTranslateMessage) for a key message that
    // reached a pane; nonzero when it took the message.
    virtual BOOL HandleKeyMessage(MSG* message) = 0;
    // The screen lock is on: the panes' menus offer nothing but gray entries.
    virtual int IsScreenLocked() = 0;
    // Checked state of a skinned command button of the main window (416, 417).
    virtual int GetButtonChecked(UINT id) = 0;
    virtual void SetButtonChecked(UINT id, int checked) = 0;
    // The English resource library was loaded at start (CWardenApp::m_englishBitmaps): the PTZ
    // panel uses its "_en" pictures.
    virtual int UseEnglishBitmaps() = 0;
    // The panels the wall refreshes when the selection changes; null when not created.
    virtual CDlgPtzPanel* GetPtzPanel() = 0;
    virtual CDlgMatrixPanel* GetMatrixPanel() = 0;
};

// Does nothing and answers "none": what the windows see until the main dialog installs itself.
class CNullLiveViewHost : public ILiveViewHost {
public:
    CWnd* GetMainWindow() override { return nullptr; }
    void ToggleFullScreen(int, int) override {}
    void SelectCameraInTree(CTermCamera*) override {}
    BOOL HandleKeyMessage(MSG*) override { return FALSE; }
    int IsScreenLocked() override { return 0; }
    int GetButtonChecked(UINT) override { return 0; }
    void SetButtonChecked(UINT, int) override {}
    int UseEnglishBitmaps() override { return 0; }
    CDlgPtzPanel* GetPtzPanel() override { return nullptr; }
    CDlgMatrixPanel* GetMatrixPanel() override { return nullptr; }
};

// The installed host (the null one until one is installed).
ILiveViewHost& LiveViewHost();
// Installing null puts the null host back; returns the one installed before.
ILiveViewHost* SetLiveViewHost(ILiveViewHost* host);
