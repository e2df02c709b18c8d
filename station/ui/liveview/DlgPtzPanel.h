// CDlgPtzPanel: the pan-tilt-zoom control surface, a page of the main window's left-hand tab.
// Every command goes to the camera of the video wall's selected pane: movement and lens keys
// (start on press, stop on release), presets, automatic scan, auxiliary devices, the PTZ device
// address, the preset cycle, the four relays of the camera's server and the eight outputs of the
// station's serial alarm box. A held direction key is re-sent every delay period of the camera.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "resources/warden/panels.h"
#include "station/ui/liveview/BitmapToggle.h"
#include "station/ui/liveview/ColorEdit.h"
#include "station/ui/liveview/ColorLabel.h"
#include "station/ui/liveview/SkinButton.h"
#include "station/ui/liveview/StateButton.h"

class CDlgPreviewPane;

// The face of the edits of both panels (the matrix panel's too).
const COLORREF PANEL_EDIT_BACKGROUND = RGB(234, 237, 241);

// Control ids of the panel's run-time created keys.
enum PtzPanelKey {
    ptzKeyLeft = 418,
    ptzKeyRight = 419,
    ptzKeyUp = 420,
    ptzKeyDown = 421,
    ptzKeyIrisAdd = 422,
    ptzKeyIrisSub = 423,
    ptzKeyFocusAdd = 424,
    ptzKeyFocusSub = 425,
    ptzKeyZoomAdd = 426,
    ptzKeyZoomSub = 427,
    ptzKeyCall = 428,
    ptzKeyPreset = 429,
    ptzKeyAuto = 430,
    ptzKeyAuxOn = 431,
    ptzKeyCycleSettings = 432,
    ptzKeyCycleToggle = 434,
    ptzKeyAuxOff = 435,
    ptzKeySpeed = 436,
    ptzKeyRelayFirst = 437, // server relays 1..4: 437..440
    ptzKeySetAddress = 444,
    ptzKeyGetAddress = 445,
    ptzKeyLocalRelayFirst = 446, // alarm-box outputs 1..8: 446..453
};

// The start code of a movement or lens key (418..427), -1 for other ids.
int PtzKeyStartCode(UINT id);

class CDlgPtzPanel : public CDialog {
public:
    enum { IDD = IDD_PTZ_PANEL };
    enum { REPEAT_TIMER = 100 };
    enum { SKIN_KEY_COUNT = 19, SERVER_RELAYS = 4, LOCAL_RELAYS = 8 };

    CDlgPtzPanel();
    ~CDlgPtzPanel() override;

    void EnableControls(int enable);
    // The four relay states of the selected camera's server; null = all off.
    void ShowServerRelays(const BYTE* states);
    void SetCameraDescription(LPCSTR text);
    void SetCycleButton(int on);
    void SetLocalRelayState(int on, int index, int redraw);
    void RefreshLocalRelays();
    // Repeats a held movement (codes 0 to 9) for the selected pane; any other code only ends the
    // running repeat.
    void StartKeyRepeat(int code, int value);
    void StopKeyRepeat();
    // A key's press (1), click (2) or release outside it (3).
    void OnButton(UINT id, int event);

    // What the main window's PTZ keys read of the panel.
    int GetSpeed() const;
    int ReadPresetNumber() const;
    int ReadAuxNumber() const;
    int GetServerRelay(int index) const;
    // The auto button inverted: its new checked state.
    int ToggleAuto();
    // Server relay 0..3 inverted (state and button) and sent to the selected pane.
    void ToggleServerRelay(int index);
    int IsRepeating() const { return m_repeatTimer != 0; }
    CSkinButton* GetKey(UINT id) const;
    CStateButton* GetRelayButton(UINT id) const;
    CBitmapToggle* GetSpeedBar() const { return m_speedBar; }

    CColorLabel m_descriptionLabel;
    CColorEdit m_description;
    CColorEdit m_address;
    CColorEdit m_presetEdit;
    CColorEdit m_auxEdit;
    int m_auxNumber;
    int m_presetNumber;
    int m_ptzAddress;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnOK() override {}
    void OnCancel() override {}
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR id);
    DECLARE_MESSAGE_MAP()

private:
    static void KeyCallback(UINT id, int event, UINT flags, CWnd* owner, int x, int y);
    void CreateKeys(LPCSTR layout);
    void PlaceEdits(LPCSTR layout);
    void AddTip(CWnd* control, UINT textId);
    void SendPtz(CDlgPreviewPane* pane, int code, int value);
    void ToggleLocalRelay(int index);

    HBITMAP m_face;
    BYTE m_serverRelays[SERVER_RELAYS];
    CStateButton* m_relayButtons[SERVER_RELAYS];
    CSkinButton* m_keys[SKIN_KEY_COUNT];
    CBitmapToggle* m_speedBar;
    CStateButton* m_localRelayButtons[LOCAL_RELAYS];
    int m_localRelays[LOCAL_RELAYS];
    CToolTipCtrl m_toolTip;
    UINT_PTR m_repeatTimer;
    int m_heldCode;
    int m_heldValue;
    int m_heldSpeed;
    CDlgPreviewPane* m_repeatPane;
};
