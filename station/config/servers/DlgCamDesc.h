// CDlgCamDesc: the camera description page (235). Its store is also its own OK, so Enter in the
// text stores the description and shows it in the PTZ panel without closing anything.
#pragma once

#include "station/config/servers/CameraPage.h"
#include "resources/warden/config.h"

const int kDescriptionBytes = 500;

class CDlgCamDesc : public CCameraPage {
public:
    enum { IDD = IDD_CAM_DESC };
    CDlgCamDesc();

    CString m_description;

    void WriteValues() override;
    void WriteTo(CTermCamera* camera, BOOL edited) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
};
