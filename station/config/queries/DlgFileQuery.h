// CDlgFileQuery: finds recordings and snapshots in the station's own storage, on a video server of
// the tree or on a storage server (another station's file service), shows them 20 per page and
// plays, downloads or converts them.
#pragma once

#include <afxcmn.h>
#include <afxwin.h>

#include "station/config/ConfigDialog.h"
#include "station/config/queries/FileQueryRules.h"
#include "shared/records/ResultPager.h"
#include "station/core/storage/QueryResultStore.h"

class CTermServer;
struct FramewellTime;

class CDlgFileQuery : public CConfigDialog {
public:
    enum { IDD = 168 };
    enum Source { sourceLocal = 0, sourceDevice = 1, sourceStorage = 2 };
    explicit CDlgFileQuery(CWnd* parent = nullptr);
    ~CDlgFileQuery() override;

    // The open query dialog, whose store the search callbacks fill.
    static CDlgFileQuery* Current();

    void OnQuery();
    void OnSourceChanged();
    void ShowPage(UINT page);
    void UpdatePaging();
    void OnResultDblClk();
    void OnPlay();
    void OnDownload();
    void OnDownloadAsf();

    static int LocalQueryHit(const char* name, int channel, int start, int end, int size, const char* path, void* user);
    static void __stdcall RemoteQueryHit(const char* serverName, int channel, const char* remotePath,
                                         const FramewellTime* start, const FramewellTime* end, unsigned int size,
                                         void* reserved);

    // Bound to the controls.
    CString m_serverName;
    UINT m_port;
    CString m_address;
    int m_channelIndex;
    int m_source;
    CString m_user;
    CString m_password;
    int m_fileTypeIndex;
    int m_recordTypeIndex;

    CQueryResultStore m_store;
    CListCtrl m_results;
    CDateTimeCtrl m_fromDate, m_fromTime, m_toDate, m_toTime;
    CComboBox m_fileType;
    CResultPager m_pager;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnSourceClicked();
    afx_msg void OnQueryClicked();
    afx_msg void OnUseRange();
    afx_msg void OnChooseServer();
    afx_msg void OnChooseStorage();
    afx_msg void OnFirst();
    afx_msg void OnPrevious();
    afx_msg void OnNext();
    afx_msg void OnLast();
    afx_msg void OnGoto();
    afx_msg void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnResultsDblClk(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnResultsRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // The remote server of the query: the tree's server (device source) or the typed one.
    struct RemoteServer {
        char address[40];
        int port;
        char user[40];
        char password[40];
    };
    BOOL CheckInputs();
    BOOL ReadRange(SYSTEMTIME& from, SYSTEMTIME& to, BOOL check);
    void RunLocalQuery(BOOL useRange, const SYSTEMTIME& from, const SYSTEMTIME& to);
    void RunRemoteQuery(BOOL useRange, const SYSTEMTIME& from, const SYSTEMTIME& to);
    BOOL ResolveDeviceServer(RemoteServer& server);
    // The tree's server account as Framewell takes it; FALSE after saying why it cannot.
    BOOL TakeDeviceAccount(const CTermServer& found, RemoteServer& server);
    void SaveUserParams();
    void FillFileTypes();
    void Refuse(UINT message, UINT focus);
    // The first selected row's record of the current page.
    BOOL SelectedRecord(QueryResultRecord& record);
    void PlayMp4(const char* path);
    void StartPlayer(const CString& program, const CString& parameters);
    void FetchAndPlay(const char* remotePath);
    // Runs the progress dialog for one download; IDOK when it finished.
    INT_PTR RunDownload(const char* remotePath, const char* localPath, int convert, int buffering);
};
