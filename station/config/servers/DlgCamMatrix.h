// CDlgCamMatrix: the matrix control page (254): the camera's matrix monitor and network numbers and
// the PTZ protocol file, which "升级" hands to the camera's live channel session at once.
#pragma once

#include "station/config/servers/CameraPage.h"
#include "resources/warden/config.h"

const int kControlFileChars = 255;

class CDlgCamMatrix : public CCameraPage {
public:
    enum { IDD = IDD_CAM_MATRIX };
    CDlgCamMatrix();

    int m_monitor;
    int m_network;
    CString m_controlFile;

    // Also hands a changed control file to the session, with its message.
    void WriteValues() override;
    // Apply to all: no message.
    void WriteTo(CTermCamera* camera, BOOL edited) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnChooseFile();
    afx_msg void OnUpgrade();
    DECLARE_MESSAGE_MAP()

private:
    void ShowProtocolDescription();
    // The session takes the path; the message tells how it went. Nothing without a session.
    void Upgrade();
};
