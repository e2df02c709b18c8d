// CPlayPane: one of the player's four video panes, a child window of the main dialog that plays one
// recording through its own Framewell player. The work is CPaneTransport's; the window paints its
// frame, takes clicks and relays timers and the library's notifications.
#pragma once

#include <afxwin.h>

#include "player/PaneTransport.h"

class CPlayerDlg;

const UINT WM_PLAYER_NOTIFY = 0x4C8;

class CPlayPane : public CWnd, public PaneHost {
public:
    CPlayPane(CPlayerDlg* owner, int index);
    ~CPlayPane() override;

    BOOL CreatePane(CWnd* parent, const RECT& rect);

    int Control(int command) { return m_transport.Control(command); }
    int OpenFile(const char* path) { return m_transport.OpenFile(path); }
    int ParseCommandLine(const char* text) { return ParsePlayerCommandLine(text, m_transport.m_target); }
    void StartCut() { m_transport.StartCut(); }
    void EndCut() { m_transport.EndCut(); }
    void Snapshot();
    int ToggleSound() { return m_transport.ToggleSound(); }
    void Seek(int seconds) { m_transport.Seek(seconds); }
    void SetVolume(int volume) { m_transport.SetVolume(volume); }
    void SetBufferTime() { m_transport.SetBufferTime(); }
    void SetActive(BOOL active);

    CPaneTransport m_transport;
    BOOL m_active;

    // PaneHost
    HWND PaneWindow() override { return m_hWnd; }
    void StartPaneTimer(UINT id, UINT milliseconds) override;
    void StopPaneTimer(UINT id) override;
    void Repaint() override;
    BOOL IsActivePane() override { return m_active; }
    void UpdateControls() override;
    void ShowStateText(int state) override;
    void ShowStatusId(UINT id) override;
    void ShowBuffering(int percent) override;
    void ResizeForPicture(int width, int height) override;
    int DisplayMode() override;
    void RefreshPlaylist() override;
    void MarkCurrent(int index) override;
    void LeaveFullScreen() override;
    BOOL ChooseCutFile(char* path, size_t size) override;
    void ShowMessage(UINT id) override;
    int StayTime() override;
    const char* ProgramDirectory() override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT create);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg LRESULT OnPlayerNotify(WPARAM code, LPARAM handle);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    CPlayerDlg* m_owner;
};
