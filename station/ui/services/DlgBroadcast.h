// CDlgBroadcast: the voice-broadcast window (dialog 234 "语音广播"). The main dialog creates it
// hidden at start and shows it on the operator's command. While shown it captures the
// microphone; between Start and Stop every 100 ms buffer goes to each open target server. The
// target list is the global CVuskAudioBroadcast ("broadcast.cfg"), saved when the window closes.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "station/core/sessions/AudioCapture.h"
#include "station/core/sessions/BroadcastTargets.h"
#include "resources/warden/resource.h"

class CTermServer;

class CDlgBroadcast : public CDialog {
public:
    enum { IDD = IDD_BROADCAST };
    enum {
        IDC_TARGET_LIST = IDC_BROADCAST_LIST,
        IDC_ADD_TARGET = IDC_BROADCAST_ADD,
        IDC_DELETE_TARGET = IDC_BROADCAST_DELETE,
        IDC_START_BROADCAST = IDC_BROADCAST_START,
        IDC_STOP_BROADCAST = IDC_BROADCAST_STOP,
    };

    explicit CDlgBroadcast(CWnd* pParent = nullptr);

    // Called on the capture's worker thread for each buffer: sends it to every open target.
    static void BroadcastAudioCallback(const char* data, int count, void* dialog);

    CAudioCapture m_capture;
    int m_broadcasting;
    BroadcastHandleTable m_handles; // parallel to the rows of the target list; 0 = not open
    CListCtrl m_targetList;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnAdd();
    afx_msg void OnDelete();
    afx_msg void OnStart();
    afx_msg void OnStop();
    afx_msg LRESULT OnCaptureStopped(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void OpenAllTargets();
    void MarkAllDisconnected();
    void FillTargetList();
    void SaveTargets();
    void AddRow(CTermServer* server, int connected);
    void EnableStartStop(BOOL broadcasting);
    void CloseAllTargets();
};
