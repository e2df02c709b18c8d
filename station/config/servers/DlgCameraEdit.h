// CDlgCameraEdit: a camera's name, transport and disabled flag in the server tree (dialog 144).
#pragma once

#include "station/config/ConfigDialog.h"
#include "resources/warden/config.h"

const int kCameraNameChars = 40;

class CDlgCameraEdit : public CConfigDialog {
public:
    enum { IDD = IDD_CAMERA_EDIT };

    explicit CDlgCameraEdit(CWnd* pParent = nullptr);

    int m_channelShown;   // the channel counted from 1
    CString m_name;       // at most 40 characters
    int m_transportIndex; // 0 UDP, 1 multicast, 2 TCP: the camera's transport - 1
    int m_disabled;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
