// The add-server dialog: entry, LAN search and the check that the server answers.
#include "station/config/servers/DlgAddServer.h"

#include "devices/conduit/Conduit.h"
#include "devices/ferret/Ferret.h"
#include "station/config/servers/ConduitProbe.h"
#include "station/config/ConfigText.h"
#include "station/core/datamodel/RecGroup.h"

namespace {

CDlgAddServer* openAddServer = nullptr;

const int kSearchTimeoutMs = 300;
const UINT kColumnTitles[] = {IDS_ADDSRV_COLUMN_NAME, IDS_ADDSRV_COLUMN_ADDRESS, IDS_ADDSRV_COLUMN_MAC,
                              IDS_ADDSRV_COLUMN_PORT, IDS_ADDSRV_COLUMN_CHANNELS};
const int kColumnWidths[] = {86, 106, 116, 40, 40};

} // namespace

SearchRowRecord MakeSearchRow(const char* name, const char* address, int port)
{
    SearchRowRecord record = {};
    CopyText(record.name, name != nullptr ? name : "");
    CopyText(record.address, address != nullptr ? address : "");
    record.port = (WORD)port;
    return record;
}

BEGIN_MESSAGE_MAP(CDlgAddServer, CConfigDialog)
ON_BN_CLICKED(IDC_ADDSRV_DDNS, OnDdnsClicked)
ON_BN_CLICKED(IDC_ADDSRV_WIDEN, OnWiden)
ON_BN_CLICKED(IDC_ADDSRV_SEARCH, OnSearchAgain)
ON_BN_CLICKED(IDC_ADDSRV_TAKE, OnTake)
ON_NOTIFY(NM_DBLCLK, IDC_ADDSRV_FOUND, OnFoundDoubleClick)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CDlgAddServer::CDlgAddServer(CWnd* pParent)
    : CConfigDialog(IDD, pParent), m_pServerTree(nullptr), m_useDdns(FALSE), m_port(3000), m_channelCount(-1),
      m_pEditedServer(nullptr), m_mode(modeAdd)
{
    openAddServer = this;
}

CDlgAddServer::~CDlgAddServer()
{
    if (openAddServer == this)
        openAddServer = nullptr;
}

CDlgAddServer* CDlgAddServer::Current()
{
    return openAddServer;
}

void CDlgAddServer::DoDataExchange(CDataExchange* pDX)
{
    CConfigDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ADDSRV_FOUND, m_found);
    DDX_Check(pDX, IDC_ADDSRV_DDNS, m_useDdns);
    // The name has no edit limit: its 24-byte check below says what is wrong.
    DDX_Text(pDX, IDC_ADDSRV_NAME, m_name);
    // Conduit takes at most 39 bytes of a text; a 40th would be cut off silently.
    DDX_Text(pDX, IDC_ADDSRV_PASSWORD, m_password);
    DDV_MaxChars(pDX, m_password, 39);
    DDX_Text(pDX, IDC_ADDSRV_PORT, m_port);
    DDV_MinMaxInt(pDX, m_port, 0, 65535);
    DDX_Text(pDX, IDC_ADDSRV_ADDRESS, m_address);
    DDV_MaxChars(pDX, m_address, 39);
    DDX_Text(pDX, IDC_ADDSRV_USER, m_user);
    DDV_MaxChars(pDX, m_user, 39);
}

BOOL CDlgAddServer::OnInitDialog()
{
    CConfigDialog::OnInitDialog();
    for (int c = 0; c < 5; ++c)
        m_found.InsertColumn(c, ConfigString(kColumnTitles[c]), LVCFMT_LEFT, kColumnWidths[c]);
    m_found.SetExtendedStyle(m_found.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    if (m_mode == modeEdit)
        SetWindowText(ConfigString(IDS_ADDSRV_EDIT_CAPTION));
    UpdateLabels();
    CRect frame;
    GetWindowRect(&frame);
    SetWindowPos(nullptr, 0, 0, kNarrowWidth, frame.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CenterWindow();
    return TRUE;
}

void CDlgAddServer::UpdateLabels()
{
    BOOL ddns = IsDlgButtonChecked(IDC_ADDSRV_DDNS) == BST_CHECKED;
    SetDlgItemText(IDC_ADDSRV_ADDRESS_LABEL, ConfigString(ddns ? IDS_ADDSRV_DDNS_ADDRESS : IDS_ADDSRV_SERVER_ADDRESS));
    SetDlgItemText(IDC_ADDSRV_PORT_LABEL, ConfigString(ddns ? IDS_ADDSRV_DDNS_PORT : IDS_ADDSRV_SERVER_PORT));
}

void CDlgAddServer::OnDdnsClicked()
{
    UpdateLabels();
}

void CDlgAddServer::OnWiden()
{
    CRect frame;
    GetWindowRect(&frame);
    if (frame.Width() == kNarrowWidth) {
        SetWindowPos(nullptr, frame.left - kWidenShift, frame.top, kWideWidth, frame.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        Search();
    } else {
        SetWindowPos(nullptr, frame.left + kWidenShift, frame.top, kNarrowWidth, frame.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CDlgAddServer::OnSearchAgain()
{
    Search();
}

void CDlgAddServer::ClearFound()
{
    if (m_found.m_hWnd == nullptr)
        return;
    for (int row = m_found.GetItemCount() - 1; row >= 0; --row)
        delete reinterpret_cast<SearchRowRecord*>(m_found.GetItemData(row));
    m_found.DeleteAllItems();
}

void CDlgAddServer::Search()
{
    ClearFound();
    m_found.UpdateWindow();
    CWnd* widen = GetDlgItem(IDC_ADDSRV_WIDEN);
    widen->EnableWindow(FALSE);
    UpdateWindow();
    // Both calls return only after their last report; the callback runs on this thread meanwhile.
    Ferret_SearchDevices(kSearchTimeoutMs, &CDlgAddServer::OnDeviceFound);
    Ferret_SearchDevicesEx(kSearchTimeoutMs, &CDlgAddServer::OnDeviceFound);
    BOOL found = m_found.GetItemCount() > 0;
    if (found) {
        m_found.SetFocus();
        m_found.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    GetDlgItem(IDC_ADDSRV_TAKE)->EnableWindow(found);
    widen->EnableWindow(TRUE);
}

void __stdcall CDlgAddServer::OnDeviceFound(int kind, const char* name, const char* address, const unsigned char* mac,
                                            int, int port, int, int, int, int, int, int channels)
{
    if (kind != 1 || openAddServer == nullptr || openAddServer->m_found.m_hWnd == nullptr)
        return;
    openAddServer->AddFoundDevice(name, address, mac, port, channels);
}

void CDlgAddServer::AddFoundDevice(const char* name, const char* address, const unsigned char* mac, int port,
                                   int channels)
{
    static const unsigned char noMac[6] = {};
    if (mac == nullptr)
        mac = noMac;
    SearchRowRecord* record = new SearchRowRecord(MakeSearchRow(name, address, port));
    CString macText, portText, channelText;
    macText.Format("%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    portText.Format("%d", port & 0xFFFF);
    channelText.Format("%d", channels);
    // The newest report stands first.
    int row = m_found.InsertItem(0, name != nullptr ? name : "");
    if (row < 0) {
        delete record;
        return;
    }
    m_found.SetItemText(row, 1, address != nullptr ? address : "");
    m_found.SetItemText(row, 2, macText);
    m_found.SetItemText(row, 3, portText);
    m_found.SetItemText(row, 4, channelText);
    m_found.SetItemData(row, (DWORD_PTR)record);
    m_found.UpdateWindow();
}

BOOL CDlgAddServer::TakeSelectedDevice()
{
    POSITION pos = m_found.GetFirstSelectedItemPosition();
    if (pos == nullptr)
        return FALSE;
    const SearchRowRecord* record =
        reinterpret_cast<const SearchRowRecord*>(m_found.GetItemData(m_found.GetNextSelectedItem(pos)));
    if (record == nullptr)
        return FALSE;
    SetDlgItemText(IDC_ADDSRV_NAME, record->name);
    SetDlgItemText(IDC_ADDSRV_ADDRESS, record->address);
    CString port;
    port.Format("%d", record->port);
    SetDlgItemText(IDC_ADDSRV_PORT, port);
    CheckDlgButton(IDC_ADDSRV_DDNS, BST_UNCHECKED);
    UpdateLabels();
    return TRUE;
}

void CDlgAddServer::OnTake()
{
    if (!TakeSelectedDevice()) {
        ConfigMessage(IDS_ADDSRV_CHOOSE_FOUND);
        m_found.SetFocus();
    }
}

void CDlgAddServer::OnFoundDoubleClick(NMHDR*, LRESULT* pResult)
{
    TakeSelectedDevice();
    *pResult = 0;
}

void CDlgAddServer::Refuse(UINT message, UINT focus)
{
    ConfigMessage(message);
    if (CWnd* control = GetDlgItem(focus))
        control->SetFocus();
}

void CDlgAddServer::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_name.IsEmpty()) {
        Refuse(IDS_ADDSRV_NEED_NAME, IDC_ADDSRV_NAME);
        return;
    }
    if (m_name.GetLength() > kMaxNameBytes) {
        Refuse(IDS_ADDSRV_NAME_TOO_LONG, IDC_ADDSRV_NAME);
        return;
    }
    if (m_address.IsEmpty()) {
        Refuse(IDS_ADDSRV_NEED_ADDRESS, IDC_ADDSRV_ADDRESS);
        return;
    }
    if (m_user.IsEmpty()) {
        Refuse(IDS_ADDSRV_NEED_USER, IDC_ADDSRV_USER);
        return;
    }
    if (m_password.IsEmpty()) {
        Refuse(IDS_ADDSRV_NEED_PASSWORD, IDC_ADDSRV_PASSWORD);
        return;
    }
    if (m_pServerTree != nullptr && m_pServerTree->FindServerByName(m_name, m_pEditedServer) != nullptr) {
        Refuse(IDS_ADDSRV_NAME_EXISTS, IDC_ADDSRV_NAME);
        SendDlgItemMessage(IDC_ADDSRV_NAME, EM_SETSEL, 0, -1);
        SendDlgItemMessage(IDC_ADDSRV_NAME, EM_SCROLLCARET, 0, 0);
        return;
    }
    if (ProbeServer())
        EndDialog(IDOK);
}

BOOL CDlgAddServer::ProbeServer()
{
    IConduitProbe& probe = ConduitProbe();
    probe.SetConnectTimeout(10, 1);
    char address[40] = "";
    CopyText(address, m_address);
    unsigned short port = (unsigned short)m_port;
    if (m_useDdns) {
        // The resolved address and port serve only this test; the members keep the DDNS server's.
        char resolved[CONDUIT_ADDRESS_SIZE] = "";
        unsigned short resolvedPort = 0;
        if (probe.ResolveDdns(address, port, m_name, resolved, &resolvedPort) != 0) {
            probe.SetConnectTimeout(30, 4);
            ConfigMessage(IDS_ADDSRV_DDNS_FAILED);
            return FALSE;
        }
        resolved[sizeof resolved - 1] = '\0';
        CopyText(address, resolved);
        port = resolvedPort;
    }
    int channels = 0, sensors = 0, relays = 0;
    int answered = probe.QueryDevice(m_name, address, &channels, &sensors, &relays, port);
    probe.SetConnectTimeout(30, 4);
    if (answered == 0) {
        ConfigMessage(IDS_ADDSRV_NOT_ANSWERING);
        return FALSE;
    }
    m_channelCount = channels < 0 ? 0 : (channels > kMaxChannels ? kMaxChannels : channels);
    return TRUE;
}

void CDlgAddServer::OnDestroy()
{
    ClearFound();
    CConfigDialog::OnDestroy();
}
