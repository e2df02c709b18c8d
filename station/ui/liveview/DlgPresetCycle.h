// CDlgPresetCycle: the editor of a camera's preset cycle (dialog 236): a list of {preset number,
// dwell seconds} rows that OK writes back to the camera and saves with the server tree.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "resources/warden/panels.h"

class CTermCamera;

class CDlgPresetCycle : public CDialog {
public:
    enum { IDD = IDD_PRESET_CYCLE };
    explicit CDlgPresetCycle(CTermCamera* camera, CWnd* parent = nullptr);

    CTermCamera* m_pCamera;
    CListCtrl m_list;
    int m_preset;
    int m_dwell;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnAdd();
    afx_msg void OnModify();
    afx_msg void OnDelete();
    afx_msg void OnListClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    int SelectedRow() const;
    void SetRow(int row, int preset, int dwell);
};
