// CDlgChannelName: adds or renames one named channel of a camera's video matrix (dialog 257);
// OK stores the entry in the camera and saves the server tree.
#pragma once

#include <afxwin.h>

#include "resources/warden/panels.h"

class CTermCamera;

class CDlgChannelName : public CDialog {
public:
    enum { IDD = IDD_CHANNEL_NAME };
    explicit CDlgChannelName(CWnd* parent = nullptr);

    CTermCamera* m_pCamera;
    int m_entryIndex; // -1 = add a new entry
    CString m_name;
    int m_number;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
};
