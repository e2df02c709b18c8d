// CDlgEMapVideo: a free-floating window with one map camera's live picture, borrowed from the
// camera's channel session or from a channel of its own, with a PTZ strip under it.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

class CPressButton;
class CTermCamera;
class CVuskEMapDev;

class CDlgEMapVideo : public CDialog {
public:
    enum { IDD = 212 };
    CDlgEMapVideo(CVuskEMapDev* device, CTermCamera* camera);
    ~CDlgEMapVideo() override;

    // Each control of the strip shown when show is set and the user may control PTZ, else hidden.
    void ShowPtzControls(int show);
    void LayoutControls();
    void OnPtzButton(UINT id, int pressed);
    // Connects the window's own channel to the camera's server; the result arrives as a message.
    int OpenOwnStream();
    BOOL IsStripVisible() const;
    void ToggleFullScreen();

    CVuskEMapDev* m_pDevice;
    CTermCamera* m_pCamera;
    CStatic m_videoArea;
    CSliderCtrl m_speedCtrl;
    int m_speed;
    int m_preset;
    int m_screenHeight;
    int m_screenWidth;
    WINDOWPLACEMENT m_savedPlacement;
    int m_fullScreen;
    int m_initialised;
    int m_ownHandle;
    int m_ownStream;
    int m_ownConnected;
    int m_borrowed; // the session's picture is shown here (the deferred start took it)
    CPressButton* m_buttons[13];

    // A failed or lost own channel tries again after this pause, not at once: an unreachable server
    // would be flooded with connections.
    static const UINT kReconnectDelayMs = 5000;
    static const UINT_PTR kReconnectTimer = 1;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnOK() override {}
    void OnCancel() override {}
    afx_msg LRESULT OnDeferredStart(WPARAM, LPARAM);
    afx_msg LRESULT OnStreamConnectResult(WPARAM kind, LPARAM result);
    afx_msg void OnPaint();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnRButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnSysCommand(UINT id, LPARAM lParam);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* info);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR id);
    DECLARE_MESSAGE_MAP()

private:
    static void OnPressButton(int id, int pressed, CWnd* parent);
    void ResizeHeightBy(int delta);
    void SendPtz(int code, int value);
    int CommandValue(UINT id);
};
