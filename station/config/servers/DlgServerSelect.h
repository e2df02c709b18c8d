// CDlgServerSelect: picks one server of the station's server tree (dialog 170 "服务器选择"): the
// projects, groups and servers of the live tree, without cameras. The query dialog and the voice
// broadcast list choose their server here.
#pragma once

#include <afxcmn.h>

#include "station/config/ConfigDialog.h"
#include "resources/warden/servers.h"

class CRecGroup;
class CTermServer;

class CDlgServerSelect : public CConfigDialog {
public:
    enum { IDD = IDD_SERVER_SELECT };

    explicit CDlgServerSelect(CWnd* pParent = nullptr);

    CString m_serverName;   // after IDOK
    CTermServer* m_pServer; // after IDOK
    CRecGroup* m_pTree;     // the tree shown; the live tree when none is set
    CTreeCtrl m_tree;
    CImageList m_images;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnTreeDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    // Takes the selected item when it is a server; FALSE otherwise.
    BOOL TakeSelectedServer();
};
