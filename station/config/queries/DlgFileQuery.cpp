#include "station/config/queries/DlgFileQuery.h"

#include <afxdlgs.h>
#include <time.h>

#include "devices/conduit/Conduit.h"
#include "devices/framewell/FramewellApi.h"
#include "framework/Seams.h"
#include "framework/WindowSeams.h"
#include "resources/warden/resource.h"
#include "station/config/ConfigText.h"
#include "station/config/ConfigWindows.h"
#include "station/config/servers/DlgServerList.h"
#include "station/config/ConfigText.h"
#include "station/config/FieldText.h"
#include "station/config/PortField.h"
#include "shared/records/ProgressDlg.h"
#include "shared/records/PickerTime.h"
#include "shared/records/RemoteHit.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/sessions/SessionWindows.h"
#include "station/core/storage/RecordSearch.h"
#include "station/core/storage/RecordStore.h"

namespace {

CDlgFileQuery* openQuery = nullptr;

const UINT kTitles[6] = {IDS_RESULT_NUMBER, IDS_RESULT_SERVER, IDS_RESULT_CHANNEL,
                         IDS_RESULT_SIZE,   IDS_RESULT_START,  IDS_RESULT_END};
const int kWidths[6] = {40, 278, 60, 94, 146, 146};
const ResultPagerSettings kPager = {IDS_QUERY_COUNTER, 0, kTitles, kWidths, IDC_QUERY_FIRST, IDC_QUERY_COUNTER};

const UINT kStorageControls[] = {IDC_QUERY_ADDRESS, IDC_QUERY_PORT, IDC_QUERY_USER, IDC_QUERY_PASSWORD,
                                 IDC_QUERY_CHOOSE_STORAGE};
const UINT kRangePickers[] = {IDC_QUERY_FROM_DATE, IDC_QUERY_FROM_TIME, IDC_QUERY_TO_DATE, IDC_QUERY_TO_TIME};

} // namespace

BEGIN_MESSAGE_MAP(CDlgFileQuery, CConfigDialog)
ON_BN_CLICKED(IDC_QUERY_LOCAL, OnSourceClicked)
ON_BN_CLICKED(IDC_QUERY_DEVICE, OnSourceClicked)
ON_BN_CLICKED(IDC_QUERY_STORAGE, OnSourceClicked)
ON_BN_CLICKED(IDC_QUERY_START, OnQueryClicked)
ON_BN_CLICKED(IDC_QUERY_USE_RANGE, OnUseRange)
ON_BN_CLICKED(IDC_QUERY_CHOOSE_SERVER, OnChooseServer)
ON_BN_CLICKED(IDC_QUERY_CHOOSE_STORAGE, OnChooseStorage)
ON_BN_CLICKED(IDC_QUERY_FIRST, OnFirst)
ON_BN_CLICKED(IDC_QUERY_PREVIOUS, OnPrevious)
ON_BN_CLICKED(IDC_QUERY_NEXT, OnNext)
ON_BN_CLICKED(IDC_QUERY_LAST, OnLast)
ON_BN_CLICKED(IDC_QUERY_GOTO, OnGoto)
ON_NOTIFY(LVN_COLUMNCLICK, IDC_QUERY_RESULTS, OnColumnClick)
ON_NOTIFY(NM_DBLCLK, IDC_QUERY_RESULTS, OnResultsDblClk)
ON_NOTIFY(NM_RCLICK, IDC_QUERY_RESULTS, OnResultsRightClick)
ON_COMMAND(ID_RESULT_DOWNLOAD, OnDownload)
ON_COMMAND(ID_RESULT_DOWNLOAD_ASF, OnDownloadAsf)
ON_COMMAND(ID_RESULT_PLAY, OnPlay)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CDlgFileQuery::CDlgFileQuery(CWnd* parent)
    : CConfigDialog(IDD, parent), m_port(3000), m_channelIndex(0), m_source(sourceLocal), m_fileTypeIndex(0),
      m_recordTypeIndex(0), m_pager(this, m_results, m_store, kPager)
{
    openQuery = this;
}

// The scratch file goes with the dialog.
CDlgFileQuery::~CDlgFileQuery()
{
    m_store.Close();
    if (openQuery == this)
        openQuery = nullptr;
}

CDlgFileQuery* CDlgFileQuery::Current()
{
    return openQuery;
}

void CDlgFileQuery::DoDataExchange(CDataExchange* pDX)
{
    CConfigDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_QUERY_RESULTS, m_results);
    DDX_Control(pDX, IDC_QUERY_FROM_DATE, m_fromDate);
    DDX_Control(pDX, IDC_QUERY_FROM_TIME, m_fromTime);
    DDX_Control(pDX, IDC_QUERY_TO_DATE, m_toDate);
    DDX_Control(pDX, IDC_QUERY_TO_TIME, m_toTime);
    DDX_Control(pDX, IDC_QUERY_FILE_TYPE, m_fileType);
    DDX_Text(pDX, IDC_QUERY_SERVER_NAME, m_serverName);
    DDV_MaxChars(pDX, m_serverName, 40);
    DDX_Radio(pDX, IDC_QUERY_LOCAL, m_source);
    DDX_Text(pDX, IDC_QUERY_PORT, m_port);
    if (m_source == sourceStorage) // the field is disabled for the other sources
        DDV_Port(pDX, m_port);
    DDX_Text(pDX, IDC_QUERY_ADDRESS, m_address);
    DDV_MaxChars(pDX, m_address, FRAMEWELL_ADDRESS_CHARS);
    DDX_CBIndex(pDX, IDC_QUERY_CHANNEL, m_channelIndex);
    DDX_Text(pDX, IDC_QUERY_USER, m_user);
    DDV_MaxChars(pDX, m_user, FRAMEWELL_ACCOUNT_CHARS);
    DDX_Text(pDX, IDC_QUERY_PASSWORD, m_password);
    DDV_MaxChars(pDX, m_password, FRAMEWELL_ACCOUNT_CHARS);
    DDX_CBIndex(pDX, IDC_QUERY_FILE_TYPE, m_fileTypeIndex);
    DDX_CBIndex(pDX, IDC_QUERY_RECORD_TYPE, m_recordTypeIndex);
}

BOOL CDlgFileQuery::OnInitDialog()
{
    CComboBox* channel = (CComboBox*)GetDlgItem(IDC_QUERY_CHANNEL);
    const char* channels[] = {"所有通道", "1", "2", "3", "4"};
    for (const char* text : channels)
        channel->AddString(text);
    CComboBox* recordType = (CComboBox*)GetDlgItem(IDC_QUERY_RECORD_TYPE);
    const char* types[] = {"全部", "手动录像", "定时录像", "移动侦测", "探头报警"};
    for (const char* text : types)
        recordType->AddString(text);
    SendDlgItemMessage(IDC_QUERY_ADDRESS, EM_LIMITTEXT, FRAMEWELL_ADDRESS_CHARS, 0);
    SendDlgItemMessage(IDC_QUERY_USER, EM_LIMITTEXT, FRAMEWELL_ACCOUNT_CHARS, 0);
    SendDlgItemMessage(IDC_QUERY_PASSWORD, EM_LIMITTEXT, FRAMEWELL_ACCOUNT_CHARS, 0);
    CConfigDialog::OnInitDialog();
    SYSTEMTIME today;
    Seams::LocalTime(&today);
    SetDayRange(today, m_fromDate, m_fromTime, m_toDate, m_toTime);
    m_fromTime.SetFormat("HH:mm:ss");
    m_toTime.SetFormat("HH:mm:ss");
    m_pager.SetUpColumns();
    OnSourceChanged();
    PlayUserParams params;
    ReadPlayUserParams(GetStartDirectory(), params);
    m_address = params.address;
    m_user = params.user;
    m_password = params.password;
    m_port = (UINT)params.port;
    UpdateData(FALSE);
    m_pager.UpdatePaging();
    return TRUE;
}

void CDlgFileQuery::OnSourceClicked()
{
    UpdateData(TRUE);
    OnSourceChanged();
}

void CDlgFileQuery::OnSourceChanged()
{
    int source = GetCheckedRadioButton(IDC_QUERY_LOCAL, IDC_QUERY_STORAGE) - IDC_QUERY_LOCAL;
    if (source < 0)
        source = m_source;
    for (UINT id : kStorageControls)
        GetDlgItem(id)->EnableWindow(source == sourceStorage);
    FillFileTypes();
}

void CDlgFileQuery::FillFileTypes()
{
    int source = GetCheckedRadioButton(IDC_QUERY_LOCAL, IDC_QUERY_STORAGE) - IDC_QUERY_LOCAL;
    static const UINT localKinds[] = {IDS_KIND_MP4, IDS_KIND_ASF, IDS_KIND_JPEG, IDS_KIND_BMP, 0};
    static const UINT deviceKinds[] = {IDS_KIND_VIDEO, IDS_KIND_JPEG, 0};
    m_fileType.ResetContent();
    for (const UINT* id = source == sourceDevice ? deviceKinds : localKinds; *id != 0; ++id) {
        CString text;
        text.LoadString(*id);
        m_fileType.AddString(text);
    }
    m_fileType.SetCurSel(0);
}

void CDlgFileQuery::OnUseRange()
{
    BOOL on = IsDlgButtonChecked(IDC_QUERY_USE_RANGE) == BST_CHECKED;
    for (UINT id : kRangePickers)
        GetDlgItem(id)->EnableWindow(on);
}

void CDlgFileQuery::OnChooseServer()
{
    if (CTermServer* server = StationWindows().ChooseServer())
        SetDlgItemText(IDC_QUERY_SERVER_NAME, server->m_name);
}

void CDlgFileQuery::OnChooseStorage()
{
    CDlgServerList list(this);
    if (list.DoModal() != IDOK)
        return;
    SetDlgItemText(IDC_QUERY_ADDRESS, FieldText(list.m_chosen.address));
    SetDlgItemText(IDC_QUERY_USER, FieldText(list.m_chosen.user));
    SetDlgItemText(IDC_QUERY_PASSWORD, FieldText(list.m_chosen.password));
    CString port;
    port.Format("%d", list.m_chosen.port);
    SetDlgItemText(IDC_QUERY_PORT, port);
}

void CDlgFileQuery::Refuse(UINT message, UINT focus)
{
    ConfigMessage(message);
    if (CWnd* control = GetDlgItem(focus))
        control->SetFocus();
}

BOOL CDlgFileQuery::CheckInputs()
{
    if (m_source == sourceDevice && m_serverName.IsEmpty()) {
        Refuse(IDS_QUERY_NEED_SERVER_NAME, IDC_QUERY_SERVER_NAME);
        return FALSE;
    }
    if (m_source != sourceStorage)
        return TRUE;
    if (m_address.IsEmpty()) {
        Refuse(IDS_QUERY_NEED_ADDRESS, IDC_QUERY_ADDRESS);
        return FALSE;
    }
    if (m_user.IsEmpty()) {
        Refuse(IDS_QUERY_NEED_USER, IDC_QUERY_USER);
        return FALSE;
    }
    if (m_password.IsEmpty()) {
        Refuse(IDS_QUERY_NEED_PASSWORD, IDC_QUERY_PASSWORD);
        return FALSE;
    }
    return TRUE;
}

BOOL CDlgFileQuery::ReadRange(SYSTEMTIME& from, SYSTEMTIME& to, BOOL check)
{
    from = CombinePickers(m_fromDate, m_fromTime);
    to = CombinePickers(m_toDate, m_toTime);
    if (check && !TimeRangeValid(from, to)) {
        Refuse(IDS_QUERY_BAD_TIME, IDC_QUERY_FROM_DATE);
        return FALSE;
    }
    return TRUE;
}

void CDlgFileQuery::OnQueryClicked()
{
    OnQuery();
}

void CDlgFileQuery::OnQuery()
{
    if (!UpdateData(TRUE) || !CheckInputs())
        return;
    m_store.Close();
    m_pager.Clear();
    BOOL useRange = IsDlgButtonChecked(IDC_QUERY_USE_RANGE) == BST_CHECKED;
    SYSTEMTIME from = {}, to = {};
    if (!ReadRange(from, to, useRange)) {
        UpdatePaging();
        return;
    }
    if (m_source == sourceLocal)
        RunLocalQuery(useRange, from, to);
    else
        RunRemoteQuery(useRange, from, to);
}

void CDlgFileQuery::RunLocalQuery(BOOL useRange, const SYSTEMTIME& from, const SYSTEMTIME& to)
{
    int kind = LocalFileKind(m_fileType.GetCurSel());
    // Whatever was searched for, a local result is played by its extension.
    m_store.Create(0, queryKindByExtension, nullptr, 0, nullptr, nullptr);
    RecordQuery query = {};
    CopyText(query.name, m_serverName);
    query.channel = m_channelIndex - 1;
    query.kind = kind;
    query.rangeFlag = useRange ? 1 : 0;
    query.fromYear = from.wYear, query.fromMonth = from.wMonth, query.fromDay = from.wDay;
    query.fromHour = from.wHour, query.fromMinute = from.wMinute, query.fromSecond = from.wSecond;
    query.toYear = to.wYear, query.toMonth = to.wMonth, query.toDay = to.wDay;
    query.toHour = to.wHour, query.toMinute = to.wMinute, query.toSecond = to.wSecond;
    query.typeSelector = m_recordTypeIndex;
    theRecordStore.SearchRecords(LocalQueryHit, &query, this);
    m_store.OpenForRead();
    ShowPage(0);
    SaveUserParams();
}

BOOL CDlgFileQuery::ResolveDeviceServer(RemoteServer& server)
{
    CTermServer* found = g_pRecGroup != nullptr ? g_pRecGroup->FindServerByName(m_serverName, nullptr) : nullptr;
    if (found == nullptr) {
        UpdatePaging();
        ConfigMessage(IDS_QUERY_NO_SUCH_SERVER);
        return FALSE;
    }
    if (!TakeDeviceAccount(*found, server))
        return FALSE;
    if (!found->m_useDdns) {
        CopyText(server.address, found->m_address);
        server.port = found->m_port;
        return TRUE;
    }
    char resolved[64] = "";
    unsigned short port = 0;
    Conduit_SetConnectTimeout(10, 1);
    int result = Conduit_ResolveDdns(found->m_address, found->m_port, found->m_name, resolved, &port);
    Conduit_SetConnectTimeout(30, 4);
    if (result != 0) {
        UpdatePaging();
        ConfigMessage(IDS_QUERY_DDNS_FAILED);
        return FALSE;
    }
    CopyText(server.address, resolved);
    server.port = port;
    return TRUE;
}

BOOL CDlgFileQuery::TakeDeviceAccount(const CTermServer& found, RemoteServer& server)
{
    // The tree keeps longer accounts than the media library takes: cut, they would only be refused.
    if (found.m_user.GetLength() > FRAMEWELL_ACCOUNT_CHARS || found.m_password.GetLength() > FRAMEWELL_ACCOUNT_CHARS) {
        UpdatePaging();
        AfxMessageBox(ConfigStringNumber(IDS_QUERY_ACCOUNT_TOO_LONG, FRAMEWELL_ACCOUNT_CHARS));
        return FALSE;
    }
    CopyText(server.user, found.m_user);
    CopyText(server.password, found.m_password);
    return TRUE;
}

void CDlgFileQuery::RunRemoteQuery(BOOL useRange, const SYSTEMTIME& from, const SYSTEMTIME& to)
{
    RemoteServer server = {};
    if (m_source == sourceDevice) {
        if (!ResolveDeviceServer(server))
            return;
    } else {
        CopyText(server.address, m_address);
        CopyText(server.user, m_user);
        CopyText(server.password, m_password);
        server.port = (int)m_port;
    }
    CString typeText;
    m_fileType.GetWindowText(typeText);
    int kind = RemoteFileKind(typeText);
    m_store.Create(1, kind, server.address, server.port, server.user, server.password);
    FramewellTime fromTime = ToFramewellTime(from), toTime = ToFramewellTime(to);
    int search = GetFramewellApi().StartSearch(server.address, m_serverName, m_channelIndex - 1, server.user,
                                               server.password, kind, m_recordTypeIndex, useRange ? 1 : 0, &fromTime,
                                               &toTime, RemoteQueryHit, this, server.port);
    if (search < 0) {
        ConfigMessage(IDS_QUERY_SEARCH_FAILED);
        UpdatePaging();
        return;
    }
    CProgressDlg progress(this);
    progress.m_mode = 1;
    progress.m_searchHandle = search;
    progress.DoModal();
    m_store.OpenForRead();
    ShowPage(0);
    SaveUserParams();
}

void CDlgFileQuery::SaveUserParams()
{
    PlayUserParams params = {};
    CopyText(params.address, m_address);
    CopyText(params.user, m_user);
    CopyText(params.password, m_password);
    params.port = (int)m_port;
    WritePlayUserParams(GetStartDirectory(), params);
}

int CDlgFileQuery::LocalQueryHit(const char* name, int channel, int start, int end, int size, const char* path, void*)
{
    if (openQuery == nullptr)
        return 0;
    QueryResultRecord record = {};
    CopyText(record.name, name);
    record.channel = channel;
    record.start = start;
    record.end = end;
    record.size = size;
    CopyText(record.path, path);
    openQuery->m_store.Append(&record);
    return 0;
}

void __stdcall CDlgFileQuery::RemoteQueryHit(const char* serverName, int channel, const char* remotePath,
                                             const FramewellTime* start, const FramewellTime* end, unsigned int size,
                                             void* context)
{
    CDlgFileQuery* query = static_cast<CDlgFileQuery*>(context);
    if (query == nullptr)
        query = openQuery;
    if (query == nullptr)
        return;
    const QueryResultRecord record = MakeRemoteHitRecord(serverName, channel, remotePath, start, end, size);
    query->m_store.Append(&record);
}

void CDlgFileQuery::ShowPage(UINT page)
{
    m_pager.ShowPage(page);
}

void CDlgFileQuery::UpdatePaging()
{
    m_pager.UpdatePaging();
}

void CDlgFileQuery::OnFirst()
{
    m_pager.OnFirst();
}

void CDlgFileQuery::OnPrevious()
{
    m_pager.OnPrevious();
}

void CDlgFileQuery::OnNext()
{
    m_pager.OnNext();
}

void CDlgFileQuery::OnLast()
{
    m_pager.OnLast();
}

void CDlgFileQuery::OnGoto()
{
    m_pager.OnGoto();
}

void CDlgFileQuery::OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    m_pager.OnColumnClick(reinterpret_cast<NMLISTVIEW*>(pNMHDR)->iSubItem);
}

BOOL CDlgFileQuery::SelectedRecord(QueryResultRecord& record)
{
    int index = m_pager.SelectedIndex();
    return index >= 0 && m_store.ReadRecord(index, &record);
}

void CDlgFileQuery::StartPlayer(const CString& program, const CString& parameters)
{
    Seams::Launch(m_hWnd, "open", program, parameters.IsEmpty() ? nullptr : (LPCSTR)parameters, nullptr, SW_SHOWNORMAL);
}

void CDlgFileQuery::PlayMp4(const char* path)
{
    CString line = PlayerCommandLine(path, m_store.m_remote, m_store.m_address, m_store.m_port, m_store.m_user,
                                     m_store.m_password);
    StartPlayer(g_pSysParam != nullptr ? g_pSysParam->m_mp4PlayerPath : CString(), line);
}

void CDlgFileQuery::OnResultsDblClk(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    OnResultDblClk();
}

void CDlgFileQuery::OnResultDblClk()
{
    QueryResultRecord record;
    if (!SelectedRecord(record))
        return;
    if (m_store.m_kind == queryKindAsf && m_store.m_remote) {
        FetchAndPlay(record.path);
        return;
    }
    if (m_store.m_kind != queryKindByExtension)
        return;
    CString extension = FileExtension(record.path);
    if (extension.CompareNoCase("mp4") == 0)
        PlayMp4(record.path);
    else if (extension.CompareNoCase("asf") == 0)
        StartPlayer(g_pSysParam != nullptr ? g_pSysParam->m_asfPlayerPath : CString(), record.path);
    else
        StartPlayer(record.path, CString());
}

void CDlgFileQuery::OnPlay()
{
    QueryResultRecord record;
    if (!SelectedRecord(record))
        return;
    CString extension = FileExtension(record.path);
    if (extension.CompareNoCase("mp4") == 0)
        PlayMp4(record.path);
    else if (extension.CompareNoCase("asf") != 0)
        StartPlayer(record.path, CString());
    else if (m_store.m_remote)
        FetchAndPlay(record.path);
    else
        StartPlayer(g_pSysParam != nullptr ? g_pSysParam->m_asfPlayerPath : CString(), record.path);
}

// The fetched file is downloaded under a temporary name and renamed once complete, so a failed or
// cancelled fetch leaves nothing that a later play would take for the whole file.
void CDlgFileQuery::FetchAndPlay(const char* remotePath)
{
    CString folder;
    folder.Format("%s\\%s", (LPCSTR)GetStartDirectory(), "Temp Video");
    ::CreateDirectoryA(folder, nullptr);
    CString local = folder + "\\" + FetchedFileName(remotePath, m_store.m_address, m_store.m_port);
    CString player = g_pSysParam != nullptr ? g_pSysParam->m_asfPlayerPath : CString();
    if (::GetFileAttributesA(local) != INVALID_FILE_ATTRIBUTES) {
        StartPlayer(player, local);
        return;
    }
    CString partial = local + ".part";
    if (RunDownload(remotePath, partial, 0, 1) != IDOK || !::MoveFileExA(partial, local, MOVEFILE_REPLACE_EXISTING)) {
        ::DeleteFileA(partial);
        return;
    }
    StartPlayer(player, local);
}

INT_PTR CDlgFileQuery::RunDownload(const char* remotePath, const char* localPath, int convert, int buffering)
{
    CProgressDlg progress(this);
    progress.m_mode = 2;
    CopyText(progress.m_user, m_store.m_user);
    CopyText(progress.m_password, m_store.m_password);
    CopyText(progress.m_address, m_store.m_address);
    progress.m_port = m_store.m_port;
    CopyText(progress.m_remotePath, remotePath);
    CopyText(progress.m_localPath, localPath);
    progress.m_convert = convert;
    progress.m_buffering = buffering;
    return progress.DoModal();
}

void CDlgFileQuery::OnDownload()
{
    QueryResultRecord record;
    if (!SelectedRecord(record))
        return;
    DownloadChoice choice = DownloadChoiceForKind(m_store.m_kind);
    CString filter;
    filter.LoadString(choice.filter);
    CFileDialog dialog(FALSE, choice.extension, MakeLocalName(record, choice.nameKind),
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, this);
    INT_PTR answer = dialog.DoModal();
    ::SetCurrentDirectoryA(GetStartDirectory());
    if (answer == IDOK)
        RunDownload(record.path, dialog.GetPathName(), 0, 0);
}

void CDlgFileQuery::OnDownloadAsf()
{
    QueryResultRecord record;
    if (m_store.m_kind != queryKindMp4 || !SelectedRecord(record))
        return;
    CString filter;
    filter.LoadString(IDS_FILTER_ASF_CONVERT);
    CFileDialog dialog(FALSE, "asf", MakeLocalName(record, 3), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, this);
    INT_PTR answer = dialog.DoModal();
    ::SetCurrentDirectoryA(GetStartDirectory());
    if (answer == IDOK)
        RunDownload(record.path, dialog.GetPathName(), 1, 0);
}

void CDlgFileQuery::OnResultsRightClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    if (m_results.GetItemCount() == 0 || m_pager.SelectedIndex() < 0)
        return;
    CMenu menu;
    if (!menu.LoadMenu(IDR_MENU_FILE_RESULT))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    ResultMenuState state = ResultMenuStateFor(m_store.m_remote, m_store.m_kind);
    popup->EnableMenuItem(ID_RESULT_DOWNLOAD, MF_BYCOMMAND | (state.downloadGreyed ? MF_GRAYED : MF_ENABLED));
    popup->EnableMenuItem(ID_RESULT_DOWNLOAD_ASF, MF_BYCOMMAND | (state.downloadAsfGreyed ? MF_GRAYED : MF_ENABLED));
    popup->EnableMenuItem(ID_RESULT_PLAY, MF_BYCOMMAND | (state.playGreyed ? MF_GRAYED : MF_ENABLED));
    CPoint at;
    ::GetCursorPos(&at);
    ConfigWindows().TrackOwnerDrawnMenu(popup, this, at);
}

void CDlgFileQuery::OnDestroy()
{
    m_store.Close();
    CConfigDialog::OnDestroy();
}
