// CDlgEMapDevSelect: the map editor's device chooser: the server tree with check boxes, offering
// the free devices of one kind (cameras, alarm inputs or alarm outputs) of every server.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

class CDlgEditEMap;
class CTermData;
class CTermServer;

class CDlgEMapDevSelect : public CDialog {
public:
    enum { IDD = 206 };
    CDlgEMapDevSelect(CDlgEditEMap* editor, int kind, HTREEITEM sceneItem);

    CTreeCtrl m_tree;
    CImageList m_images;
    int m_kind;
    HTREEITEM m_sceneItem;
    CDlgEditEMap* m_pEditor;

    // Fills the tree (the chooser does it once shown).
    void FillTree();
    // What a click on an item's check box does to its descendants.
    void CheckDescendants(HTREEITEM item, BOOL check);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg LRESULT OnRefill(WPARAM, LPARAM);
    afx_msg void OnTreeClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void FillGroup(CTermData* group, HTREEITEM parent);
    void AddServer(CTermServer* server, HTREEITEM parent);
    int AddFreeDevices(CTermServer* server, HTREEITEM serverItem);
};
