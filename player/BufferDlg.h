// CBufferDlg: the network buffer time for remote playback, 1 to 20 seconds (dialog 171).
#pragma once

#include <afxwin.h>

class CBufferDlg : public CDialog {
public:
    enum { IDD = 171 };
    explicit CBufferDlg(CWnd* parent = nullptr);

    int m_stayTime;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    DECLARE_MESSAGE_MAP()
};
