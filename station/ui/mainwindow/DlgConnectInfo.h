// CDlgConnectInfo: the connection-information window (dialog 133). The main dialog creates it once,
// hidden; the channel sessions append why a camera could not connect or raised a no-motion alarm,
// and show it. Reports accumulate, the newest 32 KB kept; OK empties the window and hides it.
#pragma once

#include <afxwin.h>

#include "resources/warden/resource.h"

class CDlgConnectInfo : public CDialog {
public:
    enum { IDD = IDD_CONNECT_INFO };
    enum { kMaxText = 32 * 1024 };

    explicit CDlgConnectInfo(CWnd* pParent = nullptr);

    // Appends the text and shows the whole in the edit; the caller shows the window.
    void SetInfoText(LPCSTR text);

    CString m_text;

    // Keeps the newest kMaxText bytes of text, cut on a character boundary.
    static CString KeepNewest(const CString& text, int maxBytes);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    DECLARE_MESSAGE_MAP()
};
