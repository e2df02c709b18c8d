// CDlgCameraSetting: the camera settings dialog (184 "摄像机设置"): ten pages over tab 1017 that
// edit one camera of the station's live tree in place. OK reads every page first; at the first
// page that refuses its values the dialog shows that page and stays open with nothing stored.
// Only when all pages read are they stored, in a fixed order, and the tree saved once.
#pragma once

#include <afxcmn.h>

#include "station/config/ConfigDialog.h"
#include "station/config/servers/DlgCamAlarmRecord.h"
#include "station/config/servers/DlgCamAlarmSound.h"
#include "station/config/servers/DlgCamDesc.h"
#include "station/config/servers/DlgCamLinkRecord.h"
#include "station/config/servers/DlgCamLinkage.h"
#include "station/config/servers/DlgCamMatrix.h"
#include "station/config/servers/DlgCamOther.h"
#include "station/config/servers/DlgCamSchedRecord.h"
#include "station/config/servers/DlgCamSnapshot.h"
#include "station/config/servers/DlgCamTalkLinkage.h"
#include "station/config/TabPageHost.h"
#include "resources/warden/config.h"

class CTermCamera;

class CDlgCameraSetting : public CConfigDialog {
public:
    enum { IDD = IDD_CAMERA_SETTING };
    explicit CDlgCameraSetting(CWnd* pParent = nullptr);

    CTermCamera* m_pCamera; // set by the opener
    CTabCtrl m_tab;
    CTabPageHost m_host;

    CDlgCamSchedRecord m_schedRecord;
    CDlgCamAlarmRecord m_alarmRecord;
    CDlgCamSnapshot m_snapshot;
    CDlgCamOther m_other;
    CDlgCamDesc m_desc;
    CDlgCamLinkage m_linkage;
    CDlgCamAlarmSound m_alarmSound;
    CDlgCamLinkRecord m_linkRecord;
    CDlgCamTalkLinkage m_talk;
    CDlgCamMatrix m_matrix;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnTabChange(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
