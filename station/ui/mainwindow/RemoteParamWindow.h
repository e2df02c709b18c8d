// CRemoteParamWindow: our stand-in for the outside remote-configuration control's window. It shows
// a server's name, address and port and what the server reports of itself through Conduit (its
// channels, its alarm inputs, its alarm outputs and their states), until the user closes it.
// RemoteServerReport and its query hold no window code, so they are tested on their own.
#pragma once

#include <afxwin.h>

struct RemoteServerReport {
    CString name;
    CString address;
    unsigned short port = 0;
    int answered = 0; // the device answered the query; the counts below are its own
    int channels = 0;
    int sensors = 0;
    int relays = 0;
    int relayStatesRead = 0;           // the log-in for the relay states was accepted
    unsigned char relayStates[4] = {}; // outputs 0..3, 1 = on
};

// Asks the server (Conduit_QueryDevice, Conduit_GetAlarmOutputs); what it does not answer stays 0.
RemoteServerReport QueryRemoteServer(LPCSTR name, LPCSTR address, unsigned short port, LPCSTR user, LPCSTR password);

// The window's rows: a label and its value each.
struct RemoteReportRow {
    CString label;
    CString value;
};
int FormatRemoteReport(const RemoteServerReport& report, RemoteReportRow* rows, int maxRows);

class CRemoteParamWindow : public CWnd {
public:
    CRemoteParamWindow() = default;
    ~CRemoteParamWindow() override;

    enum { kCloseButton = IDCANCEL, kMaxRows = 8 };

    // Shows the report, in a new window owned by owner or in the one already open (brought to the
    // front). FALSE when the window could not be created.
    BOOL Show(CWnd* owner, const RemoteServerReport& report);
    int GetRowCount() const { return m_rowCount; }
    const RemoteReportRow& GetRow(int index) const { return m_rows[index]; }

protected:
    afx_msg void OnPaint();
    afx_msg void OnClose();
    afx_msg void OnCloseButton();
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateWindowFor(CWnd* owner);
    void LayOut();

    CFont m_font;
    CFont m_titleFont;
    CButton m_closeButton;
    RemoteReportRow m_rows[kMaxRows];
    int m_rowCount = 0;
};
