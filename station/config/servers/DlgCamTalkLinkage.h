// CDlgCamTalkLinkage: the talk linkage page (252): the server alarm output switched on while an
// intercom with the camera's server runs, and after how many seconds it is reset.
#pragma once

#include "station/config/servers/CameraPage.h"
#include "resources/warden/config.h"

class CDlgCamTalkLinkage : public CCameraPage {
public:
    enum { IDD = IDD_CAM_TALK_LINKAGE };
    CDlgCamTalkLinkage();

    int m_output; // 0 to 3 output 1 to 4, 4 none
    int m_resetSeconds;

    void WriteTo(CTermCamera* camera, BOOL edited) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
