// CSearchDlg: the player's remote file search window (dialog 168, modeless). Asks one server for
// its recordings, shows them 20 a page, and plays, queues, downloads or converts what it found.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "devices/framewell/Framewell.h"
#include "shared/records/ResultPager.h"
#include "station/core/storage/QueryResultStore.h"

class CPlayerDlg;

class CSearchDlg : public CDialog {
public:
    enum { IDD = 168 };
    explicit CSearchDlg(CPlayerDlg* player);
    ~CSearchDlg() override;

    void OnQuery();
    static void __stdcall OnSearchResult(const char* serverName, int channel, const char* remotePath,
                                         const FramewellTime* start, const FramewellTime* end, unsigned int size,
                                         void* context);
    void ShowPage(UINT page) { m_pager.ShowPage(page); }
    void UpdatePaging() { m_pager.UpdatePaging(); }
    // FALSE when the record cannot be read or the pane cannot open it (message 131 shown).
    BOOL PlaySelected();
    void Download(BOOL convert);
    void AddSelectedToPlaylist();
    void AddAllToPlaylist();

    CString m_serverName;
    int m_port;
    CString m_address;
    int m_channelIndex;
    CString m_user;
    CString m_password;
    int m_fileTypeIndex;
    CQueryResultStore m_store;
    CListCtrl m_results;
    CDateTimeCtrl m_fromDate, m_fromTime, m_toDate, m_toTime;
    CResultPager m_pager;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnOK() override {}
    void OnCancel() override;
    afx_msg void OnQueryClicked();
    afx_msg void OnUseRange();
    afx_msg void OnFirst();
    afx_msg void OnPrevious();
    afx_msg void OnNext();
    afx_msg void OnLast();
    afx_msg void OnGoto();
    afx_msg void OnColumnClick(NMHDR* header, LRESULT* result);
    afx_msg void OnResultsDblClk(NMHDR* header, LRESULT* result);
    afx_msg void OnResultsRightClick(NMHDR* header, LRESULT* result);
    afx_msg void OnDownloadCommand();
    afx_msg void OnDownloadAsfCommand();
    afx_msg void OnPlayCommand();
    afx_msg void OnAddSelected();
    afx_msg void OnAddAll();
    DECLARE_MESSAGE_MAP()

private:
    void AppendRecord(const QueryResultRecord& record);
    void BackToPlayer();

    CPlayerDlg* m_player;
};
