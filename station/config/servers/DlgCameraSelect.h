// CDlgCameraSelect: the camera picker (247 "选择摄像机") of the linked recording page: the live
// server tree with check boxes, without the cameras already in the list being edited. OK appends
// every ticked camera to that list.
#pragma once

#include <afxcmn.h>
#include <afxtempl.h>

#include "station/config/ConfigDialog.h"
#include "station/core/datamodel/CameraLink.h"
#include "resources/warden/config.h"

class CRecGroup;

class CDlgCameraSelect : public CConfigDialog {
public:
    enum { IDD = IDD_CAMERA_SELECT };
    CDlgCameraSelect(CRecGroup* tree, CArray<CameraLink>* list, CWnd* pParent = nullptr);

    CTreeCtrl m_tree;
    CImageList m_images;
    int m_added; // entries appended by OK

    // The click rule: an item clicked on its row from two item heights left of its text to the
    // text's end is selected, and a parent gives every item below it the opposite of its own
    // check state before the click.
    void ClickAt(CPoint client);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnTreeClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    bool IsListed(const CTermCamera* camera) const;
    void SetCheckBelow(HTREEITEM item, BOOL check);
    void AddTicked(HTREEITEM item);

    CRecGroup* m_pTree;
    CArray<CameraLink>* m_pList;
};
