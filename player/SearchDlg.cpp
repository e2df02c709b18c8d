// The player's remote file search window.
#include "player/SearchDlg.h"

#include <afxdlgs.h>

#include "devices/framewell/FramewellApi.h"
#include "player/PlayPane.h"
#include "player/PlayerApp.h"
#include "player/PlayerDlg.h"
#include "player/SearchNames.h"
#include "shared/records/PickerTime.h"
#include "resources/clipview/resource.h"
#include "skin/engine/toolkit/Tessarine.h"
#include "shared/records/ProgressDlg.h"
#include "shared/records/RemoteHit.h"

namespace {

CSearchDlg* g_searchWindow = nullptr;

const UINT kTitles[6] = {IDS_COLUMN_NUMBER, IDS_COLUMN_SERVER, IDS_COLUMN_CHANNEL,
                         IDS_COLUMN_SIZE,   IDS_COLUMN_START,  IDS_COLUMN_END};
const int kWidths[6] = {60, 258, 60, 94, 146, 146};
const ResultPagerSettings kPager = {IDS_PAGE_COUNTER, IDC_SEARCH_HINT, kTitles, kWidths, IDC_FIRST, IDC_COUNTER};
const UINT kRangePickers[] = {IDC_FROM_DATE, IDC_FROM_TIME, IDC_TO_DATE, IDC_TO_TIME};

// A file of the searched server, to be played from there.
PlayTarget RemoteTarget(const CQueryResultStore& store, const char* path)
{
    PlayTarget target = {};
    CopyText(target.path, path);
    target.local = 0;
    CopyText(target.address, store.m_address);
    CopyText(target.user, store.m_user);
    CopyText(target.password, store.m_password);
    target.port = store.m_port;
    return target;
}

// The date of one picker with the time of another.
FramewellTime Combine(CDateTimeCtrl& date, CDateTimeCtrl& time)
{
    return ToFramewellTime(CombinePickers(date, time));
}

} // namespace

BEGIN_MESSAGE_MAP(CSearchDlg, CDialog)
ON_BN_CLICKED(IDC_QUERY, &CSearchDlg::OnQueryClicked)
ON_BN_CLICKED(IDC_RANGE, &CSearchDlg::OnUseRange)
ON_BN_CLICKED(IDC_FIRST, &CSearchDlg::OnFirst)
ON_BN_CLICKED(IDC_PREVIOUS, &CSearchDlg::OnPrevious)
ON_BN_CLICKED(IDC_NEXT, &CSearchDlg::OnNext)
ON_BN_CLICKED(IDC_LAST, &CSearchDlg::OnLast)
ON_BN_CLICKED(IDC_GOTO, &CSearchDlg::OnGoto)
ON_BN_CLICKED(IDC_ADD_SELECTED, &CSearchDlg::OnAddSelected)
ON_BN_CLICKED(IDC_ADD_ALL, &CSearchDlg::OnAddAll)
ON_NOTIFY(LVN_COLUMNCLICK, IDC_RESULTS, &CSearchDlg::OnColumnClick)
ON_NOTIFY(NM_DBLCLK, IDC_RESULTS, &CSearchDlg::OnResultsDblClk)
ON_NOTIFY(NM_RCLICK, IDC_RESULTS, &CSearchDlg::OnResultsRightClick)
ON_COMMAND(ID_DOWNLOAD, &CSearchDlg::OnDownloadCommand)
ON_COMMAND(ID_DOWNLOAD_ASF, &CSearchDlg::OnDownloadAsfCommand)
ON_COMMAND(ID_PLAY_SELECTED, &CSearchDlg::OnPlayCommand)
END_MESSAGE_MAP()

CSearchDlg::CSearchDlg(CPlayerDlg* player)
    : CDialog(IDD, player), m_port(3000), m_channelIndex(0), m_fileTypeIndex(0),
      m_pager(this, m_results, m_store, kPager), m_player(player)
{
    g_searchWindow = this;
}

CSearchDlg::~CSearchDlg()
{
    m_store.Close();
    if (g_searchWindow == this)
        g_searchWindow = nullptr;
}

void CSearchDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RESULTS, m_results);
    DDX_Control(pDX, IDC_FROM_DATE, m_fromDate);
    DDX_Control(pDX, IDC_FROM_TIME, m_fromTime);
    DDX_Control(pDX, IDC_TO_DATE, m_toDate);
    DDX_Control(pDX, IDC_TO_TIME, m_toTime);
    DDX_Text(pDX, IDC_SERVERNAME, m_serverName);
    DDV_MaxChars(pDX, m_serverName, 39);
    DDX_Text(pDX, IDC_PORT, m_port);
    DDV_MinMaxInt(pDX, m_port, 0, FRAMEWELL_MAX_PORT);
    // One character less than the fields: the store and the playlist keep a terminator.
    DDX_Text(pDX, IDC_ADDRESS, m_address);
    DDV_MaxChars(pDX, m_address, FRAMEWELL_ADDRESS_CHARS);
    DDX_CBIndex(pDX, IDC_CHANNEL, m_channelIndex);
    DDX_Text(pDX, IDC_USER, m_user);
    DDV_MaxChars(pDX, m_user, FRAMEWELL_ACCOUNT_CHARS);
    DDX_Text(pDX, IDC_PASSWORD, m_password);
    DDV_MaxChars(pDX, m_password, FRAMEWELL_ACCOUNT_CHARS);
    DDX_CBIndex(pDX, IDC_FILETYPE, m_fileTypeIndex);
}

BOOL CSearchDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    TessarineAttachWindow(m_hWnd, "Dialog");
    CComboBox* channel = (CComboBox*)GetDlgItem(IDC_CHANNEL);
    channel->AddString(CString(MAKEINTRESOURCEA(IDS_CHANNEL_ALL)));
    for (const char* text : {"1", "2", "3", "4"})
        channel->AddString(text);
    CComboBox* type = (CComboBox*)GetDlgItem(IDC_FILETYPE);
    for (UINT text : {IDS_FILETYPE_VIDEO, IDS_FILETYPE_JPEG})
        type->AddString(CString(MAKEINTRESOURCEA(text)));
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    SetDayRange(now, m_fromDate, m_fromTime, m_toDate, m_toTime);
    m_pager.SetUpColumns();
    m_store.SetPageSize(CResultPager::kPageSize);
    m_address.Empty();
    m_user.Empty();
    m_password.Empty();
    ((CEdit*)GetDlgItem(IDC_ADDRESS))->SetLimitText(FRAMEWELL_ADDRESS_CHARS);
    ((CEdit*)GetDlgItem(IDC_USER))->SetLimitText(FRAMEWELL_ACCOUNT_CHARS);
    ((CEdit*)GetDlgItem(IDC_PASSWORD))->SetLimitText(FRAMEWELL_ACCOUNT_CHARS);
    ((CEdit*)GetDlgItem(IDC_SERVERNAME))->SetLimitText(39);
    UpdateData(FALSE);
    return TRUE;
}

BOOL CSearchDlg::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_SYSCOMMAND && (msg->wParam & 0xFFF0) == SC_MINIMIZE) {
        ShowWindow(SW_HIDE);
        return TRUE;
    }
    return CDialog::PreTranslateMessage(msg);
}

void CSearchDlg::OnCancel()
{
    ShowWindow(SW_HIDE); // the window lives as long as the main dialog
}

void CSearchDlg::OnUseRange()
{
    const BOOL on = IsDlgButtonChecked(IDC_RANGE) == BST_CHECKED;
    for (UINT id : kRangePickers)
        GetDlgItem(id)->EnableWindow(on);
}

void CSearchDlg::OnQueryClicked()
{
    OnQuery();
}

void CSearchDlg::OnQuery()
{
    if (!UpdateData(TRUE))
        return;
    const struct {
        const CString& value;
        UINT message, control;
    } required[] = {{m_address, IDS_NO_ADDRESS, IDC_ADDRESS},
                    {m_user, IDS_NO_USER, IDC_USER},
                    {m_password, IDS_NO_PASSWORD, IDC_PASSWORD}};
    for (const auto& r : required) {
        if (r.value.IsEmpty()) {
            AfxMessageBox(r.message);
            GetDlgItem(r.control)->SetFocus();
            return;
        }
    }
    m_pager.Clear();
    GetDlgItem(IDC_SEARCH_HINT)->ShowWindow(SW_HIDE);
    const FramewellTime from = Combine(m_fromDate, m_fromTime);
    const FramewellTime to = Combine(m_toDate, m_toTime);
    const int fileType = m_fileTypeIndex + 1;
    m_store.Create(1, fileType, m_address, m_port, m_user, m_password);
    const int useRange = IsDlgButtonChecked(IDC_RANGE) == BST_CHECKED ? 1 : 0;
    const int search = GetFramewellApi().StartSearch(m_address, m_serverName, m_channelIndex - 1, m_user, m_password,
                                                     fileType, 255, useRange, &from, &to, OnSearchResult, this, m_port);
    if (search < 0) {
        AfxMessageBox(IDS_SEARCH_START_FAILED);
        UpdatePaging();
        return;
    }
    CProgressDlg progress(this, PlayerProgress());
    progress.m_mode = CProgressDlg::modeSearch;
    progress.m_searchHandle = search;
    progress.DoModal();
    m_store.OpenForRead();
    ShowPage(0);
}

void __stdcall CSearchDlg::OnSearchResult(const char* serverName, int channel, const char* remotePath,
                                          const FramewellTime* start, const FramewellTime* end, unsigned int size,
                                          void* context)
{
    CSearchDlg* window = static_cast<CSearchDlg*>(context);
    if (window == nullptr)
        window = g_searchWindow;
    if (window == nullptr)
        return;
    window->AppendRecord(MakeRemoteHitRecord(serverName, channel, remotePath, start, end, size));
}

void CSearchDlg::AppendRecord(const QueryResultRecord& record)
{
    m_store.Append(&record);
}

void CSearchDlg::BackToPlayer()
{
    if (m_player != nullptr)
        m_player->ShowWindow(SW_SHOW);
    ShowWindow(SW_HIDE);
}

BOOL CSearchDlg::PlaySelected()
{
    const int index = m_pager.SelectedIndex();
    char path[MAX_PATH] = "";
    if (index < 0 || m_player == nullptr || !m_store.ReadPath(index, path))
        return FALSE;
    if (!m_player->ActivePane()->m_transport.OpenTarget(RemoteTarget(m_store, path))) {
        AfxMessageBox(IDS_OPEN_FAILED); // the window stays for another choice
        return FALSE;
    }
    BackToPlayer();
    return TRUE;
}

void CSearchDlg::Download(BOOL convert)
{
    const int index = m_pager.SelectedIndex();
    QueryResultRecord record = {};
    if (index < 0 || !m_store.ReadRecord(index, &record))
        return;
    if (convert && m_store.m_kind != 1)
        return;
    const SearchDownloadChoice choice = SearchDownloadChoiceFor(m_store.m_kind, convert);
    CString filter, name = MakeSearchLocalName(record, choice.nameKind);
    filter.LoadString(choice.filter);
    CFileDialog dialog(FALSE, choice.extension, name, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, this);
    const INT_PTR answer = dialog.DoModal();
    RestoreProgramDirectory();
    if (answer != IDOK)
        return;
    CProgressDlg progress(this, PlayerProgress());
    progress.m_mode = CProgressDlg::modeDownload;
    CopyText(progress.m_address, m_store.m_address);
    CopyText(progress.m_user, m_store.m_user);
    CopyText(progress.m_password, m_store.m_password);
    progress.m_port = m_store.m_port;
    CopyText(progress.m_remotePath, record.path);
    CopyText(progress.m_localPath, dialog.GetPathName());
    progress.m_convert = convert ? 1 : 0;
    progress.DoModal();
}

void CSearchDlg::AddSelectedToPlaylist()
{
    if (m_player == nullptr || m_results.GetNextItem(-1, LVNI_SELECTED) < 0)
        return;
    CPaneTransport& t = m_player->ActivePane()->m_transport;
    for (int row = m_results.GetNextItem(-1, LVNI_SELECTED); row >= 0;
         row = m_results.GetNextItem(row, LVNI_SELECTED)) {
        QueryResultRecord record = {};
        if (!m_store.ReadRecord((int)m_results.GetItemData(row), &record))
            continue;
        t.m_playlist.Add(MakePlaylistEntry(RemoteTarget(m_store, record.path)));
    }
    t.m_playlistMode = 1;
    m_player->RefreshPlaylist();
    BackToPlayer();
}

void CSearchDlg::AddAllToPlaylist()
{
    if (m_player == nullptr)
        return;
    const int shown = m_store.GetCurrentPage();
    if (!m_store.SeekPage(0))
        return;
    CPaneTransport& t = m_player->ActivePane()->m_transport;
    QueryResultRecord record = {};
    while (m_store.ReadNext(&record)) {
        t.m_playlist.Add(MakePlaylistEntry(RemoteTarget(m_store, record.path)));
    }
    // Back to the page on show: later plays and downloads read their rows from the current page.
    m_store.SeekPage((UINT)shown);
    t.m_playlistMode = 1;
    m_player->RefreshPlaylist();
    BackToPlayer();
}

void CSearchDlg::OnFirst()
{
    m_pager.OnFirst();
}

void CSearchDlg::OnPrevious()
{
    m_pager.OnPrevious();
}

void CSearchDlg::OnNext()
{
    m_pager.OnNext();
}

void CSearchDlg::OnLast()
{
    m_pager.OnLast();
}

void CSearchDlg::OnGoto()
{
    m_pager.OnGoto();
}

void CSearchDlg::OnColumnClick(NMHDR* header, LRESULT* result)
{
    *result = 0;
    m_pager.OnColumnClick(((NMLISTVIEW*)header)->iSubItem);
}

void CSearchDlg::OnResultsDblClk(NMHDR*, LRESULT* result)
{
    *result = 0;
    if (m_store.m_kind == 1)
        PlaySelected();
}

void CSearchDlg::OnResultsRightClick(NMHDR*, LRESULT* result)
{
    *result = 0;
    if (m_results.GetItemCount() == 0 || m_pager.SelectedIndex() < 0)
        return;
    CMenu menu;
    if (!menu.LoadMenu(IDR_SEARCH_MENU))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    const UINT video = m_store.m_kind == 1 ? MF_ENABLED : MF_GRAYED;
    popup->EnableMenuItem(ID_PLAY_SELECTED, MF_BYCOMMAND | video);
    popup->EnableMenuItem(ID_DOWNLOAD_ASF, MF_BYCOMMAND | video);
    POINT point;
    ::GetCursorPos(&point);
    const int command =
        TessarinePopupMenu(popup->m_hMenu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, point.x, point.y, m_hWnd);
    if (command != 0)
        SendMessage(WM_COMMAND, (WPARAM)command, 0);
}

void CSearchDlg::OnDownloadCommand()
{
    Download(FALSE);
}

void CSearchDlg::OnDownloadAsfCommand()
{
    Download(TRUE);
}

void CSearchDlg::OnPlayCommand()
{
    PlaySelected();
}

void CSearchDlg::OnAddSelected()
{
    AddSelectedToPlaylist();
}

void CSearchDlg::OnAddAll()
{
    AddAllToPlaylist();
}
