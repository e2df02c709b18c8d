// CConvertDlg: converts a local MP4 recording to an ASF file through Framewell and shows the
// progress (dialog 170). The caller may preset the MP4 path.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

class CConvertDlg : public CDialog {
public:
    enum { IDD = 170 };
    enum { kProgressTimer = 2 };
    explicit CConvertDlg(CWnd* parent = nullptr);

    // Button 1025: starts a conversion, or resets the dialog after one.
    void OnStartStop();
    // Timer 2's work, callable directly.
    void OnProgressTick();

    CString m_status;
    CString m_asfPath;
    CString m_mp4Path;
    CProgressCtrl m_progress;
    UINT_PTR m_timer;
    int m_handle;
    int m_running;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnChooseMp4();
    afx_msg void OnChooseAsf();
    afx_msg void OnStartButton();
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void DeriveAsfPath();
    void CloseConversion();
    void SetStatus(UINT id);
};
