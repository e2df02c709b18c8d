// CDlgServerAssign: the server tree dialog (141 "服务器分配"). It edits a private copy of the tree
// read from "servertree.cfg" and writes the copy back on OK only; Cancel leaves the file as it was.
// Servers are added and edited by the add-server dialog (commands 32815 and 32816, and a double
// click on a server).
#pragma once

#include <afxcmn.h>

#include "station/config/ConfigDialog.h"
#include "resources/warden/config.h"

class CRecGroup;
class CTermData;

class CDlgServerAssign : public CConfigDialog {
public:
    enum { IDD = IDD_SERVER_ASSIGN };

    explicit CDlgServerAssign(CWnd* pParent = nullptr);

    CRecGroup* m_pCopy; // from the initialisation to the window's destruction
    CTreeCtrl m_tree;
    CImageList m_images;

    void FillTree();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnTreeRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTreeDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnAddTopGroup();
    afx_msg void OnAddProject();
    afx_msg void OnEditProjectName();
    afx_msg void OnAddGroup();
    afx_msg void OnDeleteGroup();
    afx_msg void OnEditGroupName();
    afx_msg void OnAddServer();
    afx_msg void OnEditServer();
    afx_msg void OnDeleteServer();
    afx_msg void OnEditCamera();
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // The selected item when it is of the kind and carries item data, else null.
    HTREEITEM SelectedItemOfKind(int kind) const;
    void* SelectedData(int kind) const;
    // The name dialog in the mode; FALSE on Cancel.
    BOOL AskName(int mode, CString& name);
    void AddGroupUnder(CTermData* parent, HTREEITEM parentItem, LPCSTR name);
    void ShowRootMenu(BOOL treeEmpty);
    void ShowItemMenu(int kind);
};
