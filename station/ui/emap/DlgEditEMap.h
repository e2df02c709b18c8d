// CDlgEditEMap: the map editor, a full-screen modal dialog: the scene tree with its context menu on
// the left, the edit view on the rest. Changes go straight into the map, saved when it closes.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "station/ui/emap/EMapRules.h"

class CDlgViewEditMap;
class CTermServer;
class CVuskEMapDev;
class CVuskEMapTerm;

class CDlgEditEMap : public CDialog {
public:
    enum { IDD = 202 };
    explicit CDlgEditEMap(CWnd* parent = nullptr);

    // The chooser's OK: each checked device leaf below item becomes a device of the scene.
    void AddCheckedDevices(HTREEITEM sceneItem, CTreeCtrl& tree, int kind, HTREEITEM item);
    void AddDevice(HTREEITEM sceneItem, CTermServer* server, int index, int kind);
    EMapMenuTarget MenuTarget() const;

    int m_editing;
    CTreeCtrl m_tree;
    int m_nameCounter;
    CImageList m_images;
    CDlgViewEditMap* m_pView;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    afx_msg void OnSysCommand(UINT id, LPARAM lParam);
    afx_msg void OnDestroy();
    afx_msg void OnTreeRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTreeEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnEMapActivate(WPARAM item, LPARAM kind);
    afx_msg LRESULT OnLabelEdited(WPARAM item, LPARAM);
    afx_msg void OnAddScene();
    afx_msg void OnAddChildScene();
    afx_msg void OnLoadPicture();
    afx_msg void OnDeleteScene();
    afx_msg void OnAddCamera();
    afx_msg void OnAddInput();
    afx_msg void OnAddOutput();
    afx_msg void OnDeleteDevice();
    afx_msg void OnRename();
    DECLARE_MESSAGE_MAP()

private:
    CVuskEMapTerm* SelectedScene() const;
    CVuskEMapDev* SelectedDevice() const;
    CString NextName(UINT format);
    void ChooseDevices(int kind);
    void ShowContextMenu(CPoint screen);
};
