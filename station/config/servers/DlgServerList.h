// CDlgServerList: the pick list of "serverinfo.dat" (dialog 250 "选择服务器"): entries are added,
// changed and deleted here and one is chosen for the query dialog. The file is read when the dialog
// opens and rewritten when it closes, whichever way it closes.
#pragma once

#include <afxcmn.h>

#include "station/config/ConfigDialog.h"
#include "station/config/servers/ServerInfoFile.h"
#include "resources/warden/servers.h"

class CDlgServerList : public CConfigDialog {
public:
    enum { IDD = IDD_SERVER_LIST };

    explicit CDlgServerList(CWnd* pParent = nullptr);
    ~CDlgServerList() override;

    CServerInfoArray m_records; // heap copies in file order, owned
    CListCtrl m_list;
    ServerInfoRecord m_chosen; // what the opener reads after IDOK

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnAdd();
    afx_msg void OnEdit();
    afx_msg void OnDelete();
    afx_msg void OnChoose();
    afx_msg void OnListClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnListDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    int SelectedRow() const;
    void ShowRow(int row, ServerInfoRecord* record);
    // Copies the selected row's record into the chosen one; FALSE when no row is selected.
    BOOL ChooseSelected();
    // A missing selection: the message and the focus on the list.
    void AskForSelection(UINT message);

    BOOL m_loaded; // the file was read; a file that could not be opened is not overwritten
};
