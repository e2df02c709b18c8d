// CDlgEMapTree: the tree of all scenes with their devices beside the run view; selecting an item
// shows its scene, a camera's double-click or alarm opens its pop-up video.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

class CDlgViewEMap;
class CVuskEMapDev;

class CDlgEMapTree : public CDialog {
public:
    enum { IDD = 211 };
    explicit CDlgEMapTree(CDlgViewEMap* view = nullptr);

    void Refill();
    // The run view closes its pop-ups and clears its scene.
    void CloseMapWindows();
    void ShowEMap(int show);
    // The alarm path: selects the camera's item (its scene shown, its icon selected) and asks the
    // main window for its pop-up video.
    void ShowDevice(CVuskEMapDev* device);
    void FitTree();
    // The main window's answer to WM_EMAP_ACTIVATE: a link shows its scene; an icon or a device of a
    // bound camera opens its pop-up. Windows and devices gone since the message was posted are ignored.
    void Activate(WPARAM item, LPARAM kind);

    int m_refilling;
    int m_shown;
    CTreeCtrl m_tree;
    CImageList m_images;
    CDlgViewEMap* m_pView;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnSize(UINT type, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    void ReselectForShow();
};
