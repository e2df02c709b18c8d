// CDlgCamLinkage: the local linkage page (237): which relay outputs of the serial linkage device
// each of the camera's alarms switches, and the keyboard's number for the camera.
#pragma once

#include "station/config/servers/CameraPage.h"
#include "resources/warden/config.h"

const int kLinkageRows = 6; // sensors 1 to 4, motion, video loss
const int kLinkageOutputs = 8;

class CDlgCamLinkage : public CCameraPage {
public:
    enum { IDD = IDD_CAM_LINKAGE };
    CDlgCamLinkage();

    int m_outputs[kLinkageRows][kLinkageOutputs];
    int m_keyboardNumber;

    void WriteTo(CTermCamera* camera, BOOL edited) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
