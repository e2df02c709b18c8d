// CDlgAddServer: one video server of the server tree (dialog 142 "添加服务器"): name, address, port,
// DDNS, user and password, accepted only after the server itself answered through Conduit (which
// also tells its channel count). "搜索>>" widens the dialog to a list of the devices Ferret finds on
// the local network; choosing one fills the entry fields.
#pragma once

#include <afxcmn.h>

#include "station/config/ConfigDialog.h"
#include "resources/warden/servers.h"

class CRecGroup;
class CTermServer;

// A found device as its row keeps it (the row's item data).
#pragma pack(push, 1)
struct SearchRowRecord {
    char name[24];
    char address[16]; // dotted IPv4
    WORD port;
};
#pragma pack(pop)
static_assert(sizeof(SearchRowRecord) == 42, "SearchRowRecord is 42 bytes");

// The record of a report: texts cut on a character boundary to fit, null texts empty.
SearchRowRecord MakeSearchRow(const char* name, const char* address, int port);

class CDlgAddServer : public CConfigDialog {
public:
    enum { IDD = IDD_ADD_SERVER };
    enum { modeAdd = 1, modeEdit = 2 };
    enum { kNarrowWidth = 324, kWideWidth = 732, kWidenShift = 202, kMaxNameBytes = 24 };
    // A device's report is not trusted beyond this many channels (each becomes a camera).
    enum { kMaxChannels = 256 };

    explicit CDlgAddServer(CWnd* pParent = nullptr);
    ~CDlgAddServer() override;

    // Ferret's search callback; Ferret passes no user value, so it reaches the open dialog through
    // the one station-wide pointer. Reports of another kind than 1, or with no dialog open, are
    // ignored.
    static void __stdcall OnDeviceFound(int kind, const char* name, const char* address, const unsigned char* mac,
                                        int reserved1, int port, int reserved2, int reserved3, int reserved4,
                                        int reserved5, int reserved6, int channels);
    static CDlgAddServer* Current();

    CRecGroup* m_pServerTree; // for the duplicate-name check only
    CListCtrl m_found;
    int m_useDdns;
    CString m_name;
    CString m_password;
    int m_port;
    CString m_address;
    CString m_user;
    int m_channelCount;           // -1 until the server answered
    CTermServer* m_pEditedServer; // left out of the duplicate-name check
    int m_mode;

    void Search();
    // Fills the entry fields from the selected row; FALSE when none is selected.
    BOOL TakeSelectedDevice();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    afx_msg void OnDdnsClicked();
    afx_msg void OnWiden();
    afx_msg void OnSearchAgain();
    afx_msg void OnTake();
    afx_msg void OnFoundDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void AddFoundDevice(const char* name, const char* address, const unsigned char* mac, int port, int channels);
    void UpdateLabels();
    void ClearFound();
    void Refuse(UINT message, UINT focus);
    // Asks the server (through the DDNS server first when set) with the quick time-out, restoring
    // the standing one on every path; TRUE when it answered.
    BOOL ProbeServer();
};
