// CDlgPreviewPane: one of the video wall's 16 panes: the live picture of the camera whose channel
// session is attached, a status strip (five icons, four camera-select buttons, the camera's name)
// and a frame that marks the selected pane. A click selects it, a drag to another pane swaps their
// cameras, a double-click steps through single pane and full screen, the right button opens the
// camera's menu, and WM_PANE_ALARM makes the alarm icon blink.
#pragma once

#include <afxwin.h>

#include "station/core/sessions/SessionWindows.h"
#include "station/ui/liveview/BitmapStatic.h"
#include "station/ui/liveview/ColorLabel.h"
#include "station/ui/liveview/IconButton.h"
#include "station/ui/liveview/VideoSurface.h"

class CChannelSession;

// Every command of the pane's context menu (menu 136), greyed before the pane enables its own.
const int kPaneMenuCommandCount = 17;
extern const UINT kPaneMenuCommands[kPaneMenuCommandCount];

class CDlgPreviewPane : public CDialog, public IPreviewPane {
public:
    enum { IDD = 131 };
    enum { BLINK_TIMER = 3 };
    explicit CDlgPreviewPane(int paneIndex);

    void ArrangeControls(int show);
    // While held, refreshes only wait; the release does the last one asked for, once.
    void HoldRefresh(int hold);
    void RefreshIcons();
    // The pane and its visible controls to be repainted, none erased first; the status icons are
    // drawn at once.
    void InvalidateWhole();
    void SetSelected(int selected);
    void SetMicIcon(int on);
    void CaptureBmp();
    void StartServerRecord();
    void StopServerRecord();
    void SetRecording(int start, int reasons);
    int PtzControl(int code, int value, int speed);
    int GetDeviceAddress();
    int SetDeviceAddress(int address);
    int SetRelay(int output, int on);
    void SetAudio(int on);

    // IPreviewPane
    HWND GetVideoSurface() override { return m_surface.m_hWnd; }
    void SetSession(CChannelSession* session) override { m_pSession = session; }
    void RefreshView(int arrange) override;
    void ResetIcons() override;
    void ResetOnConnectFailure(int result) override;
    void SetAudioIcon(int state) override;
    void SetRecordIcon(int reasons) override;
    void StartAlarmBlink() override;
    void StopAlarmBlink() override;
    void RemoveFromPage() override;
    void PostPaneAlarm(CChannelSession* session, LPARAM lParam) override;

    CColorLabel m_caption;
    CBitmapStatic m_alarmIcon;
    CBitmapStatic m_audioIcon;
    CBitmapStatic m_micIcon;
    CBitmapStatic m_serverRecordIcon;
    CBitmapStatic m_recordIcon;
    CIconButton m_inputs[4];
    CVideoSurface m_surface;
    int m_selected;
    CChannelSession* m_pSession;
    UINT_PTR m_blinkTimer;
    int m_paneIndex;
    CFont m_font;
    // Set whenever what the pane shows may have changed (its place, size, selection, icons,
    // caption or buttons). While the wall holds its drawing the pane's own repaints are lost: the
    // wall repaints the panes with it set and clears it when it holds its drawing again.
    int m_lookChanged;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnOK() override {}
    void OnCancel() override;
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnDestroy();
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnRButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnRButtonUp(UINT flags, CPoint point);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg LRESULT OnPaneAlarm(WPARAM wParam, LPARAM lParam);
    afx_msg void OnInputButton(UINT id);
    afx_msg void OnMenuCommand(UINT id);
    DECLARE_MESSAGE_MAP()

private:
    // The caption's text as this pane last set it: comparing with it asks the label nothing.
    CString m_captionText;
    int SX(int n) const;
    int SY(int n) const;
    CString SkinPath(LPCSTR name) const;
    void ShowIcon(CBitmapStatic& icon, LPCSTR name);
    void DrawStatusIcons();
    void StartBlinking();
    void StopBlinking();
    void SetAlarmIcon(int on);
    void ShowInputButtons(int show);
    void SetInputState(int input);
    // Selects the pane (and the camera in the tree) as a press of either button does.
    void PressSelect();
    BOOL CheckRight(int right);
    void BuildMenu(CMenu& menu);
    void DeferMove(HDWP& moves, CWnd& control, int x, int y, int w, int h);
    void PlaceInputButtons(HDWP& moves, const CRect& client);
    void SetCaptionText(LPCSTR text);

    // The client size the controls were last laid out for; (-1, -1) to lay them out again.
    CSize m_arrangedSize;
    int m_refreshHeld;
    // Whether the input buttons stand where the last layout puts them.
    int m_inputsPlaced;
};

// The pane where the last left-button press may start a camera move between panes.
extern CDlgPreviewPane* DragSourcePane;
// The split mode to return to when full screen is left from a pane; -1 = none.
extern int SplitBeforeFullScreen;
