// CDlgCamLinkRecord: the linked recording page (245): for each of the camera's six alarm kinds the
// list of other cameras that record with it. The buttons change the camera's lists at once; only
// the enable box waits for the frame's OK.
#pragma once

#include <afxcmn.h>
#include <afxtempl.h>

#include "station/config/servers/CameraPage.h"
#include "station/core/datamodel/CameraLink.h"
#include "resources/warden/config.h"

class CDlgCamLinkRecord : public CCameraPage {
public:
    enum { IDD = IDD_CAM_LINK_RECORD };
    CDlgCamLinkRecord();

    int m_enabled;
    int m_type; // the list on show, 0 to 5
    CListCtrl m_list;

    void WriteTo(CTermCamera* camera, BOOL edited) override;
    CArray<CameraLink>& ShownList();
    void FillList();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnTypeChange();
    afx_msg void OnAdd();
    afx_msg void OnDelete();
    afx_msg void OnDeleteAll();
    afx_msg void OnApplyToAllTypes();
    afx_msg void OnDeleteAllTypes();
    DECLARE_MESSAGE_MAP()

private:
    // The row's item data is the entry's index in the list on show.
    void AddRow(const CameraLink& link, INT_PTR index);
};
