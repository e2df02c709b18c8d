// The voice-broadcast window: capture while shown, targets opened on Start, the list saved on close.
#include "station/ui/services/DlgBroadcast.h"

#include "devices/conduit/Conduit.h"
#include "station/core/sessions/SessionStrings.h"
#include "station/core/sessions/SessionWindows.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/datamodel/VuskAudioBroadcast.h"

BEGIN_MESSAGE_MAP(CDlgBroadcast, CDialog)
ON_WM_SHOWWINDOW()
ON_WM_DESTROY()
ON_BN_CLICKED(IDC_ADD_TARGET, OnAdd)
ON_BN_CLICKED(IDC_DELETE_TARGET, OnDelete)
ON_BN_CLICKED(IDC_START_BROADCAST, OnStart)
ON_BN_CLICKED(IDC_STOP_BROADCAST, OnStop)
ON_MESSAGE(WM_AUDIO_CAPTURE_STOPPED, OnCaptureStopped)
END_MESSAGE_MAP()

namespace {

enum { kColumnName, kColumnAddress, kColumnPort, kColumnState };

} // namespace

CDlgBroadcast::CDlgBroadcast(CWnd* pParent) : CDialog(IDD, pParent), m_broadcasting(0) {}

void CDlgBroadcast::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TARGET_LIST, m_targetList);
}

BOOL CDlgBroadcast::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_targetList.InsertColumn(kColumnName, SessionString(STR_COLUMN_SERVER), LVCFMT_LEFT, 140);
    m_targetList.InsertColumn(kColumnAddress, SessionString(STR_COLUMN_ADDRESS), LVCFMT_LEFT, 200);
    m_targetList.InsertColumn(kColumnPort, SessionString(STR_COLUMN_PORT), LVCFMT_LEFT, 80);
    m_targetList.InsertColumn(kColumnState, SessionString(STR_COLUMN_STATE), LVCFMT_LEFT, 80);
    m_targetList.SetExtendedStyle(m_targetList.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    m_capture.m_pDataCallback = BroadcastAudioCallback;
    m_capture.m_userValue = this;
    m_capture.m_hNotifyWnd = m_hWnd;
    CenterWindow();
    EnableStartStop(FALSE);
    return TRUE;
}

void CDlgBroadcast::EnableStartStop(BOOL broadcasting)
{
    GetDlgItem(IDC_START_BROADCAST)->EnableWindow(!broadcasting);
    GetDlgItem(IDC_STOP_BROADCAST)->EnableWindow(broadcasting);
}

void CDlgBroadcast::CloseAllTargets()
{
    m_broadcasting = 0;
    Conduit_StopBroadcast();
    m_handles.ClearAll();
}

void CDlgBroadcast::OnShowWindow(BOOL bShow, UINT nStatus)
{
    if (bShow && IsWindowVisible())
        return;
    CDialog::OnShowWindow(bShow, nStatus);
    if (!bShow) {
        CloseAllTargets();
        m_capture.RequestStop();
        return;
    }
    if (m_capture.Start() != 0) {
        AfxMessageBox(SessionString(STR_CAPTURE_FAILED));
        PostMessage(WM_SHOWWINDOW, 0, 0); // runs the hiding path: no capture, no targets
    }
    m_broadcasting = 0;
    FillTargetList();
    EnableStartStop(FALSE);
    m_handles.ClearAll();
}

void CDlgBroadcast::AddRow(CTermServer* server, int connected)
{
    int row = m_targetList.GetItemCount();
    CString port;
    port.Format("%d", server->m_port);
    m_targetList.InsertItem(row, server->m_name);
    m_targetList.SetItemText(row, kColumnAddress, server->m_address);
    m_targetList.SetItemText(row, kColumnPort, port);
    m_targetList.SetItemText(row, kColumnState,
                             SessionString(connected ? STR_TARGET_CONNECTED : STR_TARGET_DISCONNECTED));
    m_targetList.SetItemData(row, (DWORD_PTR)server);
}

void CDlgBroadcast::OnAdd()
{
    if (m_targetList.GetItemCount() >= kBroadcastSlots) {
        AfxMessageBox(SessionString(STR_TARGETS_FULL));
        return;
    }
    CTermServer* server = StationWindows().ChooseServer();
    if (server == nullptr)
        return;
    if (!m_broadcasting) {
        if (g_pAudioBroadcast != nullptr && g_pAudioBroadcast->AddServer(server))
            AddRow(server, 0);
        else
            AfxMessageBox(SessionString(STR_ADD_TARGET_FAILED));
        return;
    }
    int handle = 0;
    switch (OpenBroadcastTarget(*server, &handle)) {
    case broadcastOpened: {
        int row = m_targetList.GetItemCount();
        AddRow(server, 1);
        m_handles.Set(row, handle);
        if (g_pAudioBroadcast != nullptr)
            g_pAudioBroadcast->AddServer(server); // a second row for a listed server stays one entry
        break;
    }
    case broadcastDdnsFailed:
        AfxMessageBox(SessionString(STR_DDNS_CONNECT_FAILED));
        break;
    default:
        AfxMessageBox(SessionString(STR_ADD_TARGET_FAILED));
        break;
    }
}

void CDlgBroadcast::OnDelete()
{
    POSITION pos = m_targetList.GetFirstSelectedItemPosition();
    if (pos == nullptr) {
        AfxMessageBox(SessionString(STR_SELECT_TARGET));
        m_targetList.SetFocus();
        return;
    }
    int row = m_targetList.GetNextSelectedItem(pos);
    CTermServer* server = reinterpret_cast<CTermServer*>(m_targetList.GetItemData(row));
    int handle = m_handles.RemoveSlot(row);
    if (handle != 0)
        Conduit_RemoveBroadcastTarget(handle);
    if (g_pAudioBroadcast != nullptr)
        g_pAudioBroadcast->RemoveServer(server);
    m_targetList.DeleteItem(row);
}

void CDlgBroadcast::OnStart()
{
    m_broadcasting = 1;
    OpenAllTargets();
    EnableStartStop(TRUE);
}

void CDlgBroadcast::OnStop()
{
    CloseAllTargets();
    MarkAllDisconnected();
    EnableStartStop(FALSE);
}

void CDlgBroadcast::OnOK()
{
    OnCancel();
}

void CDlgBroadcast::OnCancel()
{
    CloseAllTargets();
    m_capture.RequestStop();
    ShowWindow(SW_HIDE);
    SaveTargets();
}

LRESULT CDlgBroadcast::OnCaptureStopped(WPARAM, LPARAM)
{
    m_capture.Close();
    return 0;
}

void CDlgBroadcast::OnDestroy()
{
    m_capture.Close();
    Conduit_StopBroadcast();
    CDialog::OnDestroy();
}

void CDlgBroadcast::BroadcastAudioCallback(const char* data, int count, void* dialog)
{
    static_cast<CDlgBroadcast*>(dialog)->m_handles.SendToAll(data, count);
}

void CDlgBroadcast::OpenAllTargets()
{
    for (int row = 0; row < m_targetList.GetItemCount() && row < kBroadcastSlots; ++row) {
        CTermServer* server = reinterpret_cast<CTermServer*>(m_targetList.GetItemData(row));
        int handle = 0;
        if (server != nullptr && OpenBroadcastTarget(*server, &handle) == broadcastOpened) {
            m_targetList.SetItemText(row, kColumnState, SessionString(STR_TARGET_CONNECTED));
            m_handles.Set(row, handle);
        }
    }
}

void CDlgBroadcast::MarkAllDisconnected()
{
    CString text = SessionString(STR_TARGET_DISCONNECTED);
    for (int row = 0; row < m_targetList.GetItemCount(); ++row)
        m_targetList.SetItemText(row, kColumnState, text);
}

void CDlgBroadcast::FillTargetList()
{
    m_targetList.DeleteAllItems();
    if (g_pAudioBroadcast == nullptr)
        return;
    for (int i = 0; i < g_pAudioBroadcast->m_count; ++i) {
        if (g_pAudioBroadcast->m_servers[i] != nullptr)
            AddRow(g_pAudioBroadcast->m_servers[i], 0);
    }
}

void CDlgBroadcast::SaveTargets()
{
    if (g_pAudioBroadcast != nullptr)
        g_pAudioBroadcast->Save(nullptr);
}
