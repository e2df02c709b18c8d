// The player's main dialog.
#include "player/PlayerDlg.h"

#include <afxdlgs.h>
#include <shellapi.h>
#include <string.h>

#include "devices/framewell/FramewellApi.h"
#include "player/BufferDlg.h"
#include "player/ConvertDlg.h"
#include "player/PlayListDlg.h"
#include "player/PlayPane.h"
#include "player/PlayerApp.h"
#include "player/SearchDlg.h"
#include "resources/clipview/resource.h"
#include "skin/engine/toolkit/Tessarine.h"
#include "framework/StartupTrace.h"

namespace {

struct StripButton {
    UINT id;
    int flag; // PaneEnable
    UINT iconOn, iconOff, tip;
};
const StripButton kStrip[] = {
    {IDC_PLAY, enPlay, IDI_PLAY_ON, IDI_PLAY_OFF, IDS_TIP_PLAY},
    {IDC_PAUSE, enPause, IDI_PAUSE_ON, IDI_PAUSE_OFF, IDS_TIP_PAUSE},
    {IDC_STEP, enStep, 0, 0, IDS_TIP_STEP},
    {IDC_FAST, enFast, IDI_FAST_ON, IDI_FAST_OFF, IDS_TIP_FAST},
    {IDC_SLOW, enSlow, IDI_SLOW_ON, IDI_SLOW_OFF, IDS_TIP_SLOW},
    {IDC_STOP, enStop, IDI_STOP_ON, IDI_STOP_OFF, IDS_TIP_STOP},
    {IDC_CUT, enCut, IDI_CUT_ON, IDI_CUT_OFF, IDS_TIP_CUT},
    {IDC_SAVECUT, enSaveCut, IDI_SAVECUT_ON, IDI_SAVECUT_OFF, IDS_TIP_SAVECUT},
};

// The controls that full screen hides (button 1016 stays).
const UINT kShownWithStrip[] = {IDC_PLAYTIME, IDC_POSITION, IDC_TOTALTIME, IDC_PLAY, IDC_PAUSE,
                                IDC_STEP,     IDC_FAST,     IDC_SLOW,      IDC_STOP, IDC_SOUND,
                                IDC_VOLUME,   IDC_STATUS,   IDC_SAVECUT,   IDC_CUT};

CString FormatDuration(int milliseconds)
{
    const int seconds = milliseconds / 1000;
    CString text;
    text.Format("%02d:%02d:%02d", (seconds / 3600) % 24, (seconds / 60) % 60, seconds % 60);
    return text;
}

HICON LoadSmallIcon(UINT id)
{
    HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCEA(id), RT_GROUP_ICON);
    return (HICON)::LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, LR_SHARED);
}

// The mutex and window property that mark the running instance: the program's file name.
CString InstanceName()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    CString name = path;
    const int slash = name.ReverseFind('\\');
    if (slash >= 0)
        name = name.Mid(slash + 1);
    const int dot = name.ReverseFind('.');
    if (dot > 0)
        name = name.Left(dot);
    return name;
}

} // namespace

BEGIN_MESSAGE_MAP(CPlayerDlg, CDialog)
ON_WM_CREATE()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_WM_COPYDATA()
ON_WM_DROPFILES()
ON_WM_SIZE()
ON_WM_SIZING()
ON_WM_HSCROLL()
ON_WM_DESTROY()
ON_COMMAND(ID_FILE_OPEN_RECORD, &CPlayerDlg::OnOpenFile)
ON_COMMAND(ID_FILE_CLOSE_RECORD, &CPlayerDlg::OnCloseFile)
ON_COMMAND(ID_APP_EXIT_PLAYER, &CPlayerDlg::OnExit)
ON_COMMAND(ID_VIEW_FULLSCREEN, &CPlayerDlg::OnFullScreen)
ON_COMMAND_RANGE(ID_ZOOM_150, ID_ZOOM_200, &CPlayerDlg::OnZoom)
ON_COMMAND(ID_ZOOM_50, &CPlayerDlg::OnZoom50)
ON_COMMAND(ID_VIEW_SINGLE, &CPlayerDlg::OnSingleView)
ON_COMMAND(ID_VIEW_FOUR, &CPlayerDlg::OnFourView)
ON_COMMAND(ID_TOOLS_SEARCH, &CPlayerDlg::OnSearch)
ON_COMMAND(ID_PLAYLIST_SEARCH, &CPlayerDlg::OnSearch)
ON_COMMAND(ID_TOOLS_BUFFER, &CPlayerDlg::OnBufferSettings)
ON_COMMAND(ID_TOOLS_CONVERT, &CPlayerDlg::OnConvert)
ON_COMMAND(ID_TOOLS_SNAPSHOT, &CPlayerDlg::OnSnapshot)
ON_COMMAND(ID_APP_ABOUT_PLAYER, &CPlayerDlg::OnAbout)
ON_COMMAND(ID_PLAYLIST_DELETE, &CPlayerDlg::OnPlaylistDelete)
ON_COMMAND(ID_PLAYLIST_ADD, &CPlayerDlg::OnPlaylistAdd)
ON_COMMAND_RANGE(IDC_PLAY, IDC_STEP, &CPlayerDlg::OnTransport)
ON_BN_CLICKED(IDC_SOUND, &CPlayerDlg::OnSound)
ON_BN_CLICKED(IDC_PLAYLIST_TOGGLE, &CPlayerDlg::OnPlaylistButton)
END_MESSAGE_MAP()

CPlayerDlg::CPlayerDlg(CWnd* parent)
    : CDialog(IDD, parent), m_panes(), m_screenWidth(0), m_screenHeight(0), m_layoutReady(FALSE), m_borderWidth(0),
      m_captionHeight(0), m_fullScreen(FALSE), m_savedPlacement(), m_shownPlaylistWidth(0),
      m_playlistWidth(kPlayerDefaultPlaylistWidth), m_playlist(nullptr), m_mutex(nullptr), m_hIcon(nullptr),
      m_search(nullptr)
{
    if (CWinApp* app = AfxGetApp()) {
        if (app->m_lpCmdLine != nullptr)
            m_startLine = app->m_lpCmdLine;
    }
}

CPlayerDlg::~CPlayerDlg()
{
    for (CPlayPane*& pane : m_panes) {
        delete pane;
        pane = nullptr;
    }
    delete m_playlist;
    delete m_search;
}

void CPlayerDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_STATUS, m_statusText);
}

CPlayPane* CPlayerDlg::ActivePane() const
{
    return m_panes[Player().activePane];
}

int CPlayerDlg::OnCreate(LPCREATESTRUCT create)
{
    if (CDialog::OnCreate(create) == -1)
        return -1;
    const CString name = InstanceName();
    m_mutex = ::CreateMutexA(nullptr, TRUE, name);
    if (m_mutex != nullptr && ::GetLastError() != ERROR_ALREADY_EXISTS) {
        ::SetPropA(m_hWnd, name, (HANDLE)1);
        return 0;
    }
    HandOverToRunningInstance();
    return -1; // the second instance never shows a window
}

BOOL CPlayerDlg::HandOverToRunningInstance()
{
    const CString name = InstanceName();
    HWND other = ::GetWindow(::GetDesktopWindow(), GW_CHILD);
    while (other != nullptr && (other == m_hWnd || ::GetPropA(other, name) == nullptr))
        other = ::GetWindow(other, GW_HWNDNEXT);
    if (other == nullptr)
        return FALSE;
    if (::IsIconic(other))
        ::ShowWindow(other, SW_RESTORE);
    ::SetForegroundWindow(other);
    ::SetForegroundWindow(::GetLastActivePopup(other));
    if (m_startLine.IsEmpty())
        return FALSE;
    COPYDATASTRUCT data = {};
    data.dwData = 1;
    data.cbData = (DWORD)(m_startLine.GetLength() + 1);
    data.lpData = (void*)(LPCSTR)m_startLine;
    ::SendMessageA(other, WM_COPYDATA, (WPARAM)m_hWnd, (LPARAM)&data);
    return TRUE;
}

BOOL CPlayerDlg::OnInitDialog()
{
    TraceStartupStep("dialog");
    CDialog::OnInitDialog();
    CreatePanes();
    TraceStartupStep("panes");
    m_menu.LoadMenu(IDR_PLAYER_MENU);
    SetMenu(&m_menu);
    // The icon before the skin: a skinned frame repaints its caption for each new icon.
    HICON icon = AfxGetApp() != nullptr ? AfxGetApp()->LoadIcon(IDI_CLIPVIEW) : nullptr;
    if (icon == nullptr)
        icon = ::LoadIconA(AfxFindResourceHandle(MAKEINTRESOURCEA(IDI_CLIPVIEW), RT_GROUP_ICON),
                           MAKEINTRESOURCEA(IDI_CLIPVIEW));
    m_hIcon = icon;
    SetIcon(icon, TRUE);
    SetIcon(icon, FALSE);
    TessarineAttachWindow(m_hWnd, "MainFrame");
    GetFramewellApi().Init();
    TraceStartupStep("menu, skin and media library");
    CSliderCtrl* volume = (CSliderCtrl*)GetDlgItem(IDC_VOLUME);
    volume->SetLineSize(1);
    volume->SetPageSize(1);
    volume->SetRange(0, 10);
    volume->SetPos(10);
    if (m_screenWidth == 0) {
        m_screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
        m_screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    }
    const UINT unskinned[] = {IDC_PLAY, IDC_PAUSE, IDC_STOP,  IDC_SLOW,
                              IDC_FAST, IDC_STEP,  IDC_SOUND, IDC_PLAYLIST_TOGGLE};
    for (UINT id : unskinned)
        TessarineDetachWindow(::GetDlgItem(m_hWnd, id));
    TraceStartupStep("unskinned buttons");
    m_playlist = new CPlayListDlg(this);
    m_playlist->Create(CPlayListDlg::IDD, this);
    m_playlist->ShowWindow(SW_SHOW);
    TraceStartupStep("playlist");
    UpdateControls();
    if (Player().displayMode == 4)
        ResizeForPicture(704, 576);
    else
        ResizeForPicture(352, 288);
    m_layoutReady = TRUE;
    LayoutControls();
    ShowStateText(paneReady);
    TraceStartupStep("layout");
    CreateTooltips();
    m_menu.CheckMenuItem(ID_VIEW_SINGLE, MF_CHECKED);
    SetButtonIcon(IDC_PLAYLIST_TOGGLE, IDI_LIST_HIDDEN);
    TraceStartupStep("tooltips");
    return TRUE;
}

void CPlayerDlg::CreatePanes()
{
    // A start-up line that does not parse opens nothing.
    const CString line = m_startLine;
    for (int i = 0; i < 4; ++i) {
        m_panes[i] = new CPlayPane(this, i);
        if (i == Player().activePane && !line.IsEmpty()) {
            if (m_panes[i]->ParseCommandLine(line) != 0)
                m_panes[i]->m_transport.m_target.path[0] = '\0';
        }
        const RECT none = {0, 0, 1, 1};
        m_panes[i]->CreatePane(this, none);
    }
    for (int i = 0; i < 4; ++i)
        m_panes[i]->SetActive(i == Player().activePane);
}

void CPlayerDlg::CreateTooltips()
{
    m_tooltip.Create(this);
    for (const StripButton& b : kStrip)
        m_tooltip.AddTool(GetDlgItem(b.id), b.tip);
    m_tooltip.AddTool(GetDlgItem(IDC_SOUND), IDS_TIP_UNMUTE);
    m_tooltip.AddTool(GetDlgItem(IDC_VOLUME), IDS_TIP_VOLUME);
    m_tooltip.AddTool(GetDlgItem(IDC_PLAYLIST_TOGGLE), IDS_TIP_PLAYLIST);
    m_tooltip.Activate(TRUE);
}

BOOL CPlayerDlg::PreTranslateMessage(MSG* msg)
{
    if (m_tooltip.m_hWnd != nullptr)
        m_tooltip.RelayEvent(msg);
    if (msg->message == WM_KEYDOWN) {
        // Here rather than in a key-down handler: with a control focused the dialog never gets the key.
        switch (msg->wParam) {
        case VK_F2:
            ToggleFullScreen();
            return TRUE;
        case VK_F5:
            ShowSearchWindow();
            return TRUE;
        case VK_RETURN:
        case VK_ESCAPE:
            if (m_fullScreen)
                ToggleFullScreen();
            ::DispatchMessageA(msg); // never the dialog's default buttons: Enter and Esc do not close
            return TRUE;
        }
    }
    return CDialog::PreTranslateMessage(msg);
}

void CPlayerDlg::OnCancel()
{
    CDialog::OnCancel();
}

// Minimised, the window shows its icon centred (a system that draws minimised windows itself never
// asks), and the icon is what a drag of the minimised window shows.
void CPlayerDlg::OnPaint()
{
    if (!IsIconic()) {
        CDialog::OnPaint();
        TraceStartupStep("paint");
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, (WPARAM)dc.GetSafeHdc(), 0);
    CRect client;
    GetClientRect(&client);
    const int x = (client.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CPlayerDlg::OnQueryDragIcon()
{
    return (HCURSOR)m_hIcon;
}

BOOL CPlayerDlg::OnCopyData(CWnd*, COPYDATASTRUCT* data)
{
    // The block is another program's: read no further than its size, and take an empty one for nothing.
    if (data == nullptr || data->lpData == nullptr || data->cbData == 0)
        return FALSE;
    const char* bytes = (const char*)data->lpData;
    const size_t length = strnlen(bytes, data->cbData);
    if (length == 0)
        return FALSE;
    OpenCommandLine(CString(bytes, (int)length));
    return TRUE;
}

BOOL CPlayerDlg::OpenCommandLine(LPCSTR text)
{
    CPlayPane* pane = ActivePane();
    pane->Control(cmdStop);
    if (pane->ParseCommandLine(text) != 0)
        return FALSE;
    if (!pane->m_transport.OpenTarget(pane->m_transport.m_target)) {
        AfxMessageBox(IDS_OPEN_FAILED);
        return FALSE;
    }
    return TRUE;
}

void CPlayerDlg::OnDropFiles(HDROP drop)
{
    CStringArray files;
    const UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char name[MAX_PATH] = "";
        ::DragQueryFileA(drop, i, name, sizeof name);
        files.Add(name);
    }
    POINT point;
    ::GetCursorPos(&point);
    ::DragFinish(drop);
    DropFiles(files, point);
}

void CPlayerDlg::DropFiles(const CStringArray& files, CPoint screenPoint)
{
    if (files.GetSize() == 0)
        return;
    for (int i = 0; i < 4; ++i) {
        CRect rect;
        m_panes[i]->GetWindowRect(&rect);
        if (!m_panes[i]->IsWindowVisible() || !rect.PtInRect(screenPoint))
            continue;
        if (m_panes[i]->m_transport.OpenTarget(LocalTarget(files[0])))
            SetActivePane(i);
        else
            AfxMessageBox(IDS_OPEN_FAILED);
        return;
    }
    CRect list;
    m_playlist->GetWindowRect(&list);
    if (!m_playlist->IsWindowVisible() || !list.PtInRect(screenPoint))
        return;
    for (int i = 0; i < files.GetSize(); ++i)
        ActivePane()->m_transport.m_playlist.Add(MakePlaylistEntry(LocalTarget(files[i])));
    RefreshPlaylist();
}

void CPlayerDlg::SetActivePane(int index)
{
    if (index < 0 || index > 3)
        return;
    for (int i = 0; i < 4; ++i) {
        if (i != index)
            m_panes[i]->SetActive(FALSE);
    }
    Player().activePane = index;
    m_panes[index]->SetActive(TRUE);
    UpdateControls();
    RefreshPlaylist();
}

// Each setter below touches its control only when the value changes: the play-time timer calls
// UpdateControls every second, and a picture, a menu state or a range set again repaints for nothing.
void CPlayerDlg::SetButtonIcon(UINT id, UINT icon)
{
    CWnd* button = GetDlgItem(id);
    const HICON picture = LoadSmallIcon(icon); // shared: the same handle each time
    if (button != nullptr && (HICON)button->SendMessage(BM_GETIMAGE, IMAGE_ICON, 0) != picture)
        button->SendMessage(BM_SETIMAGE, IMAGE_ICON, (LPARAM)picture);
}

void CPlayerDlg::EnableControl(UINT id, BOOL enable)
{
    CWnd* control = GetDlgItem(id);
    if (control != nullptr && !control->IsWindowEnabled() != !enable)
        control->EnableWindow(enable);
}

void CPlayerDlg::SetControlText(UINT id, LPCSTR text)
{
    CString shown;
    GetDlgItemText(id, shown);
    if (shown != text)
        SetDlgItemText(id, text);
}

void CPlayerDlg::UpdateStripButton(UINT id, int enabled, UINT iconOn, UINT iconOff)
{
    if (iconOn != 0)
        SetButtonIcon(id, enabled ? iconOn : iconOff);
    EnableControl(id, enabled);
}

BOOL CPlayerDlg::GreyMenuItem(UINT id, int grey)
{
    const UINT state = m_menu.GetMenuState(id, MF_BYCOMMAND);
    if (state == (UINT)-1 || ((state & MF_GRAYED) != 0) == (grey != 0))
        return FALSE;
    m_menu.EnableMenuItem(id, MF_BYCOMMAND | (grey ? MF_GRAYED : MF_ENABLED));
    return TRUE;
}

void CPlayerDlg::UpdateControls()
{
    const CPaneTransport& t = ActivePane()->m_transport;
    for (const StripButton& b : kStrip)
        UpdateStripButton(b.id, t.m_enable[b.flag], b.iconOn, b.iconOff);
    SetButtonIcon(IDC_SOUND, t.m_sound ? IDI_SOUND_ON : IDI_SOUND_OFF);
    EnableControl(IDC_SOUND, t.m_enable[enSound]);
    if (m_menu.m_hMenu != nullptr) {
        const UINT items[] = {ID_FILE_CLOSE_RECORD, ID_VIEW_FULLSCREEN, ID_ZOOM_50,       ID_ZOOM_100,
                              ID_ZOOM_150,          ID_ZOOM_200,        ID_TOOLS_SNAPSHOT};
        const int grey[] = {t.m_grey[greyClose], t.m_grey[greyFullScreen], t.m_grey[greyZoom],    t.m_grey[greyZoom],
                            t.m_grey[greyZoom],  t.m_grey[greyZoom],       t.m_grey[greySnapshot]};
        BOOL changed = FALSE;
        for (int i = 0; i < 7; ++i)
            changed |= GreyMenuItem(items[i], grey[i]);
        if (changed)
            DrawMenuBar();
    }
    CSliderCtrl* position = (CSliderCtrl*)GetDlgItem(IDC_POSITION);
    if (position->GetRangeMin() != 0 || position->GetRangeMax() != t.m_totalTime / 1000)
        position->SetRange(0, t.m_totalTime / 1000, TRUE);
    if (!t.m_dragging) {
        SetControlText(IDC_PLAYTIME, FormatDuration(t.m_playTime));
        if (position->GetPos() != t.m_playTime / 1000)
            position->SetPos(t.m_playTime / 1000);
    }
    SetControlText(IDC_TOTALTIME, FormatDuration(t.m_totalTime));
    CSliderCtrl* volume = (CSliderCtrl*)GetDlgItem(IDC_VOLUME);
    if (volume->GetPos() != t.m_volume)
        volume->SetPos(t.m_volume);
    EnableControl(IDC_POSITION, t.m_enable[enPosition]);
    EnableControl(IDC_VOLUME, t.m_enable[enVolume]);
}

void CPlayerDlg::ShowStateText(int state)
{
    CString text, time;
    GetDlgItemText(IDC_PLAYTIME, time);
    switch (state) {
    case paneOpening:
        text.LoadString(ActivePane()->m_transport.m_target.local ? IDS_STATE_OPENING : IDS_STATE_CONNECTING);
        break;
    case panePlaying:
    case panePaused:
    case paneFast:
    case paneSlow:
    case paneSingleFrame:
    case paneStopped:
        text.LoadString(IDS_STATE_PLAYING + (state - panePlaying));
        break;
    case paneCutStarted:
        text.Format(IDS_STATE_CUT_STARTED, (LPCSTR)time);
        break;
    case paneCutEnded:
        text.Format(IDS_STATE_CUT_ENDED, (LPCSTR)time);
        break;
    default:
        text.LoadString(IDS_STATE_READY);
        break;
    }
    SetStatusText(text);
}

void CPlayerDlg::SetStatusText(LPCSTR text)
{
    m_statusText = text;
    SetDlgItemText(IDC_STATUS, m_statusText);
}

void CPlayerDlg::SetStatusTextId(UINT id)
{
    CString text;
    text.LoadString(id);
    SetStatusText(text);
}

void CPlayerDlg::RefreshPlaylist()
{
    if (m_playlist == nullptr || m_playlist->m_hWnd == nullptr)
        return;
    const CPaneTransport& t = ActivePane()->m_transport;
    m_playlist->ShowPlaylist(t.m_playlist);
    m_playlist->MarkCurrent(t.m_playlist.m_current);
}

void CPlayerDlg::MarkPlaylistCurrent(int index)
{
    if (m_playlist != nullptr && m_playlist->m_hWnd != nullptr)
        m_playlist->MarkCurrent(index);
}

void CPlayerDlg::MeasureFrame()
{
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    ClientToScreen(&client);
    m_borderWidth = (window.Width() - client.Width()) / 2;
    m_captionHeight = client.top - window.top;
}

void CPlayerDlg::ResizeForPicture(int width, int height)
{
    Player().picture = {width, height};
    if (m_fullScreen)
        return; // only kept: the playlist toggle and later resizes start from it
    MeasureFrame();
    const PictureWindow fit =
        FitPictureWindow(m_screenWidth, m_screenHeight, m_shownPlaylistWidth, m_borderWidth, width, height);
    if (fit.fullScreen) {
        EnterFullScreen();
        return;
    }
    MoveWindow(&fit.window);
    LayoutControls();
}

void CPlayerDlg::Zoom(int percent)
{
    const ZoomChoice zoom = ChooseZoom(percent, m_screenWidth);
    if (zoom.fullScreen)
        EnterFullScreen();
    else if (zoom.width != 0)
        ResizeForPicture(zoom.width, zoom.height);
}

void CPlayerDlg::ToggleFullScreen()
{
    if (m_fullScreen)
        LeaveFullScreenMode();
    else
        EnterFullScreen();
}

void CPlayerDlg::EnterFullScreen()
{
    if (m_fullScreen || !ActivePane()->m_transport.m_started)
        return;
    m_savedPlacement.length = sizeof m_savedPlacement;
    GetWindowPlacement(&m_savedPlacement);
    ModifyStyle(WS_THICKFRAME, 0, SWP_FRAMECHANGED);
    MoveWindow(0, 0, 352, 288);
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    ClientToScreen(&client);
    m_fullScreen = TRUE;
    WINDOWPLACEMENT placement = m_savedPlacement;
    placement.rcNormalPosition = FullScreenRect(m_screenWidth, m_screenHeight, window, client);
    placement.showCmd = SW_SHOWNORMAL;
    SetWindowPlacement(&placement);
    ShowControls(FALSE);
    LayoutControls();
}

void CPlayerDlg::LeaveFullScreenMode()
{
    ModifyStyle(0, WS_THICKFRAME, SWP_FRAMECHANGED);
    m_fullScreen = FALSE;
    SetWindowPlacement(&m_savedPlacement);
    ShowControls(TRUE);
    GetDlgItem(IDC_POSITION)->EnableWindow(TRUE);
    UpdateControls();
    LayoutControls();
    RedrawWindow(nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CPlayerDlg::ShowControls(BOOL show)
{
    for (UINT id : kShownWithStrip) {
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(show ? SW_SHOW : SW_HIDE);
    }
    if (m_playlist != nullptr)
        m_playlist->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CPlayerDlg::LayoutControls()
{
    if (!m_layoutReady)
        return;
    CRect client;
    GetClientRect(&client);
    if (m_fullScreen) {
        const int active = Player().activePane;
        for (int i = 0; i < 4; ++i) {
            if (i == active)
                m_panes[i]->MoveWindow(&client);
            m_panes[i]->ShowWindow(i == active ? SW_SHOW : SW_HIDE);
        }
        return;
    }
    PlayerLayout layout;
    LayoutPlayer(client.Width(), client.Height(), m_shownPlaylistWidth, m_playlistWidth, Player().displayMode, layout);
    for (const PlayerControlPlace& place : layout.controls) {
        // An unused place would move whichever child has id 0 (a pane, the playlist).
        if (place.id == 0)
            continue;
        if (CWnd* control = GetDlgItem(place.id))
            control->MoveWindow(&place.rect, FALSE);
    }
    for (int i = 0; i < 4; ++i) {
        if (layout.paneVisible[i])
            m_panes[i]->MoveWindow(&layout.panes[i], FALSE);
        m_panes[i]->ShowWindow(layout.paneVisible[i] ? SW_SHOW : SW_HIDE);
    }
    if (m_playlist != nullptr && m_playlist->m_hWnd != nullptr)
        m_playlist->Place(layout.playlist);
    RedrawWindow(nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CPlayerDlg::OnSize(UINT type, int cx, int cy)
{
    CDialog::OnSize(type, cx, cy);
    LayoutControls();
}

void CPlayerDlg::OnSizing(UINT side, LPRECT rect)
{
    CDialog::OnSizing(side, rect);
    if (rect->right - rect->left < kPlayerMinTrackWidth)
        rect->right = rect->left + kPlayerMinTrackWidth;
    if (rect->bottom - rect->top < kPlayerMinTrackHeight)
        rect->bottom = rect->top + kPlayerMinTrackHeight;
}

void CPlayerDlg::OnHScroll(UINT code, UINT, CScrollBar* bar)
{
    CPlayPane* pane = ActivePane();
    if (bar == nullptr || pane->m_transport.m_handle < 1)
        return;
    const int id = ::GetDlgCtrlID(bar->m_hWnd);
    const int pos = (int)::SendMessageA(bar->m_hWnd, TBM_GETPOS, 0, 0);
    if (id == IDC_POSITION) {
        if (code == TB_THUMBTRACK || code == TB_THUMBPOSITION) {
            SetDlgItemText(IDC_PLAYTIME, FormatDuration(pos * 1000));
            pane->m_transport.m_dragging = 1;
        } else if (code == TB_ENDTRACK) {
            pane->Seek(pos);
        }
    } else if (id == IDC_VOLUME) {
        pane->SetVolume(pos);
    }
}

void CPlayerDlg::OnDestroy()
{
    for (CPlayPane*& pane : m_panes) {
        if (pane != nullptr) {
            pane->DestroyWindow();
            delete pane;
            pane = nullptr;
        }
    }
    if (m_search != nullptr) {
        m_search->DestroyWindow();
        delete m_search;
        m_search = nullptr;
    }
    GetFramewellApi().Cleanup();
    if (m_playlist != nullptr) {
        m_playlist->DestroyWindow();
        delete m_playlist;
        m_playlist = nullptr;
    }
    if (m_mutex != nullptr) {
        ::RemovePropA(m_hWnd, InstanceName());
        ::CloseHandle(m_mutex);
        m_mutex = nullptr;
    }
    CDialog::OnDestroy();
}

void CPlayerDlg::OnOpenFile()
{
    CString filter;
    filter.LoadString(IDS_FILTER_MP4_ALL);
    CFileDialog dialog(TRUE, "mpg", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, this);
    const INT_PTR answer = dialog.DoModal();
    RestoreProgramDirectory();
    if (answer != IDOK)
        return;
    CPaneTransport& t = ActivePane()->m_transport;
    if (!t.OpenTarget(LocalTarget(dialog.GetPathName()), TRUE)) {
        AfxMessageBox(IDS_OPEN_FAILED);
        return;
    }
    t.Control(cmdPlay);
}

void CPlayerDlg::OnCloseFile()
{
    CPaneTransport& t = ActivePane()->m_transport;
    t.Control(cmdStop);
    t.m_enable[enPlay] = 0;
    t.m_grey[greyClose] = 1;
    UpdateControls();
}

void CPlayerDlg::OnExit()
{
    CDialog::OnCancel();
}

void CPlayerDlg::OnFullScreen()
{
    ToggleFullScreen();
}

void CPlayerDlg::OnZoom(UINT id)
{
    switch (id) {
    case ID_ZOOM_100:
        Zoom(100);
        break;
    case ID_ZOOM_150:
        Zoom(150);
        break;
    case ID_ZOOM_200:
        Zoom(200);
        break;
    }
}

void CPlayerDlg::SetDisplayMode(int mode)
{
    if (Player().displayMode == mode)
        return;
    Player().displayMode = mode;
    for (int i = 1; i < 4; ++i)
        m_panes[i]->ShowWindow(mode == 4 ? SW_SHOW : SW_HIDE);
    if (mode == 4)
        ResizeForPicture(704, 576);
    else
        ResizeForPicture(352, 288);
    SetActivePane(0);
    m_menu.CheckMenuItem(ID_VIEW_SINGLE, mode == 1 ? MF_CHECKED : MF_UNCHECKED);
    m_menu.CheckMenuItem(ID_VIEW_FOUR, mode == 4 ? MF_CHECKED : MF_UNCHECKED);
}

void CPlayerDlg::OnSingleView()
{
    SetDisplayMode(1);
}

void CPlayerDlg::OnFourView()
{
    SetDisplayMode(4);
}

void CPlayerDlg::OnSearch()
{
    ShowSearchWindow();
}

void CPlayerDlg::ShowSearchWindow()
{
    if (m_search == nullptr) {
        m_search = new CSearchDlg(this);
        if (!m_search->Create(CSearchDlg::IDD, this)) {
            delete m_search;
            m_search = nullptr;
            return;
        }
    }
    m_search->ShowWindow(SW_SHOW);
    m_search->ShowWindow(SW_RESTORE);
}

void CPlayerDlg::OnBufferSettings()
{
    CBufferDlg dialog(this);
    if (dialog.DoModal() != IDOK)
        return;
    for (CPlayPane* pane : m_panes)
        pane->SetBufferTime();
}

void CPlayerDlg::OnConvert()
{
    CConvertDlg dialog(this);
    const CPaneTransport& t = ActivePane()->m_transport;
    if (t.m_handle > 0 && t.m_target.local)
        dialog.m_mp4Path = t.m_target.path;
    dialog.DoModal();
}

void CPlayerDlg::OnSnapshot()
{
    ActivePane()->Snapshot();
}

void CPlayerDlg::OnAbout()
{
    CDialog about(IDD_ABOUTBOX, this);
    about.DoModal();
}

void CPlayerDlg::OnPlaylistDelete()
{
    ActivePane()->m_transport.DeletePlaylistItems(m_playlist->SelectedItems());
    RefreshPlaylist();
}

void CPlayerDlg::OnPlaylistAdd()
{
    RestoreProgramDirectory();
    CString filter;
    filter.LoadString(IDS_FILTER_MP4_ALL);
    CFileDialog dialog(TRUE, "mpg", nullptr,
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_ALLOWMULTISELECT | OFN_EXPLORER, filter, this);
    std::vector<char> names(6000, '\0');
    dialog.m_ofn.lpstrFile = names.data();
    dialog.m_ofn.nMaxFile = (DWORD)names.size();
    const INT_PTR answer = dialog.DoModal();
    RestoreProgramDirectory();
    if (answer != IDOK)
        return;
    CPaneTransport& t = ActivePane()->m_transport;
    POSITION pos = dialog.GetStartPosition();
    while (pos != nullptr)
        t.m_playlist.Add(MakePlaylistEntry(LocalTarget(dialog.GetNextPathName(pos))));
    t.m_playlistMode = 1;
    RefreshPlaylist();
}

void CPlayerDlg::OnTransport(UINT id)
{
    switch (id) {
    case IDC_PLAY:
        ActivePane()->Control(cmdPlay);
        break;
    case IDC_PAUSE:
        ActivePane()->Control(cmdPause);
        break;
    case IDC_STEP:
        ActivePane()->Control(cmdStep);
        break;
    case IDC_FAST:
        ActivePane()->Control(cmdFast);
        break;
    case IDC_SLOW:
        ActivePane()->Control(cmdSlow);
        break;
    case IDC_STOP:
        ActivePane()->Control(cmdStop);
        break;
    case IDC_CUT:
        ActivePane()->StartCut();
        break;
    case IDC_SAVECUT:
        ActivePane()->EndCut();
        break;
    }
}

void CPlayerDlg::OnZoom50()
{
    Zoom(50);
}

void CPlayerDlg::OnSound()
{
    const int result = ActivePane()->ToggleSound();
    if (result == 0)
        return;
    SetButtonIcon(IDC_SOUND, result == 1 ? IDI_SOUND_ON : IDI_SOUND_OFF);
    if (m_tooltip.m_hWnd != nullptr)
        m_tooltip.UpdateTipText(result == 1 ? IDS_TIP_MUTE : IDS_TIP_UNMUTE, GetDlgItem(IDC_SOUND));
}

void CPlayerDlg::OnPlaylistButton()
{
    TogglePlaylist();
}

void CPlayerDlg::TogglePlaylist()
{
    if (m_shownPlaylistWidth != 0) {
        m_shownPlaylistWidth = 0;
        SetButtonIcon(IDC_PLAYLIST_TOGGLE, IDI_LIST_HIDDEN);
    } else {
        m_shownPlaylistWidth = m_playlistWidth;
        SetButtonIcon(IDC_PLAYLIST_TOGGLE, IDI_LIST_SHOWN);
    }
    ResizeForPicture(Player().picture.cx, Player().picture.cy);
}

void CPlayerDlg::OnPlaylistResized(int width)
{
    CRect client;
    GetClientRect(&client);
    m_playlistWidth = m_shownPlaylistWidth = ClampPlaylistWidth(width, client.Width());
    LayoutControls();
}

int CPlayerDlg::PlayPlaylistEntry(int index, LPCSTR itemText)
{
    CPaneTransport& t = ActivePane()->m_transport;
    const PlaylistEntry* entry = t.m_playlist.GetAt(index);
    if (entry == nullptr || strcmp(PlaylistItemText(entry->path), itemText) != 0)
        return 0; // the list is stale
    t.m_playlistMode = 1;
    t.m_playlist.m_current = index;
    char path[MAX_PATH];
    CopyText(path, entry->path);
    t.OpenFile(path);
    return 1;
}
