// The main dialog: construction, start-up, log-in at start, loading and shut-down.
#include "station/ui/mainwindow/DlgMain.h"

#include "devices/conduit/Conduit.h"
#include "devices/ferret/Ferret.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationLinks.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/datamodel/UserGroup.h"
#include "station/core/datamodel/VuskAudioBroadcast.h"
#include "station/core/datamodel/VuskEMapGroup.h"
#include "station/ui/emap/EMapMessages.h"
#include "station/core/datamodel/VuskLoopGroup.h"
#include "station/core/datamodel/VuskPageGroup.h"
#include "station/core/sessions/ChannelSessionLinks.h"
#include "station/core/storage/RecordStore.h"
#include "station/core/storage/SystemLog.h"
#include "station/ui/services/DlgBroadcast.h"
#include "station/ui/mainwindow/DlgConnectInfo.h"
#include "station/ui/mainwindow/DlgLogin.h"
#include "station/ui/mainwindow/ExitRecord.h"
#include "station/ui/mainwindow/FocusKeeper.h"
#include "station/ui/mainwindow/SkinLayout.h"
#include "station/ui/mainwindow/SettingsTransfer.h"
#include "station/ui/liveview/SkinButton.h"
#include "framework/StartupTrace.h"
#include "station/ui/mainwindow/WardenApp.h"
#include "station/ui/mainwindow/WatchdogNotice.h"

const UINT kSkinButtonIds[kSkinButtonCount] = {400, 401, 402, 403, 404, 405, 406, 407, 408, 409, 410,
                                               411, 412, 413, 414, 415, 416, 417, 441, 442, 443};

namespace {

CDlgMain* g_mainDialog = nullptr;

const COLORREF kKeyColour = RGB(255, 51, 102);
const COLORREF kTreeBackground = RGB(192, 192, 192);

template <class T> void DeleteGlobal(T*& object)
{
    delete object;
    object = nullptr;
}

} // namespace

BEGIN_MESSAGE_MAP(CDlgMain, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_QUERYDRAGICON()
ON_WM_CTLCOLOR()
ON_WM_DESTROY()
ON_WM_TIMER()
ON_WM_MEASUREITEM()
ON_MESSAGE(WM_DEFERRED_START, OnDeferredStart)
ON_MESSAGE(WM_AFTER_FIRST_PAINT, OnAfterFirstPaint)
ON_MESSAGE(WM_STREAM_CONNECT_RESULT, OnStreamConnectResult)
ON_MESSAGE(WM_EXTERNAL_ALARM, OnExternalAlarm)
ON_MESSAGE(WM_RECORD_DISK_EVENT, OnRecordDiskEvent)
ON_MESSAGE(WM_REMOTE_LOGIN_DONE, OnRemoteLoginDone)
ON_MESSAGE(WM_EXIT_REQUEST, OnExitRequest)
ON_MESSAGE(WM_KEYBOARD_COMMAND, OnKeyboardCommand)
ON_MESSAGE(WM_EMAP_ACTIVATE, OnEMapActivate)
ON_MESSAGE(WM_EMAP_POPUP_CLOSED, OnEMapPopupClosed)
ON_NOTIFY(NM_DBLCLK, IDC_MAIN_TREE, OnTreeDblClk)
ON_NOTIFY(NM_RCLICK, IDC_MAIN_TREE, OnTreeRClick)
ON_NOTIFY(TVN_SELCHANGEDA, IDC_MAIN_TREE, OnTreeSelChanged)
ON_NOTIFY(TCN_SELCHANGE, IDC_MAIN_TABS, OnTabSelChange)
ON_NOTIFY(TVN_BEGINDRAGA, IDC_MAIN_TREE, OnTreeBeginDrag)
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_WM_CAPTURECHANGED()
ON_COMMAND(ID_LOCK_SCREEN, OnLockScreen)
ON_COMMAND(ID_SAVE_STATE, OnSaveState)
ON_COMMAND(ID_LOGIN, OnLogin)
ON_COMMAND(ID_EXIT, OnExitCommand)
ON_COMMAND(ID_VIDEO_FILES, OnVideoFiles)
ON_COMMAND(ID_SYSTEM_LOG, OnSystemLog)
ON_COMMAND(ID_SYSTEM_SETTINGS, OnSystemSettings)
ON_COMMAND(ID_SERVER_ASSIGN, OnServerAssignCommand)
ON_COMMAND(ID_REMOTE_SETTINGS, OnRemoteSettingsMenu)
ON_COMMAND(ID_EDIT_EMAP, OnEditEMap)
ON_COMMAND(ID_EMAP, OnEMap)
ON_COMMAND(ID_TOUR, OnTourCommand)
ON_COMMAND(ID_ABOUT, OnAbout)
ON_COMMAND(ID_TOUR_SETTINGS, OnTourSettings)
ON_COMMAND(ID_SERVER_LOCAL_SETTINGS, OnServerLocalSettingsMenu)
ON_COMMAND(ID_BROADCAST, OnBroadcast)
ON_COMMAND(ID_EXPORT_SETTINGS, OnExportSettings)
ON_COMMAND(ID_IMPORT_SETTINGS, OnImportSettings)
ON_COMMAND_RANGE(ID_CAMERA_CONNECT, ID_SERVER_REMOTE_SETTINGS, OnTreeCommand)
ON_COMMAND_RANGE(ID_CAMERA_CAPTURE_BMP, ID_CAMERA_SERVER_JPEG, OnTreeCommand)
ON_COMMAND_RANGE(ID_CAMERA_START_JPEG_STREAM, ID_CAMERA_CAPTURE_JPEG, OnTreeCommand)
ON_COMMAND(ID_SERVER_LOCAL_SETTINGS_TREE, OnServerLocalSettingsMenu)
ON_COMMAND_RANGE(ID_CAMERA_REMOVE_PANE, ID_CAMERA_REMOVE_PANE, OnTreeCommand)
ON_COMMAND_RANGE(ID_CAMERA_DISARM, ID_CAMERA_ARM, OnTreeCommand)
END_MESSAGE_MAP()

CDlgMain* CDlgMain::Instance()
{
    return g_mainDialog;
}

namespace {

DWORD WINAPI RaiseTestFault(LPVOID)
{
    ::RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    return 0;
}

// Test only: "/crashtest" on the command line faults once the crash hand-over is armed, so the
// whole-program tests see a crash reach the watchdog. Nothing else reads the command line.
void RaiseTestFaultWhenAsked()
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr || app->m_lpCmdLine == nullptr || strstr(app->m_lpCmdLine, "/crashtest") == nullptr)
        return;
    HANDLE thread = ::CreateThread(nullptr, 0, RaiseTestFault, nullptr, 0, nullptr);
    if (thread != nullptr)
        ::CloseHandle(thread);
}

} // namespace

CDlgMain::CDlgMain(CWnd* pParent)
    : CDialog(IDD, pParent), m_pageBeforeEMap(0), m_hIcon(nullptr), m_ownerMenu(nullptr), m_backgroundPicture(nullptr),
      m_mainTimer(0), m_remoteLoginThread(nullptr), m_savedPlacement(), m_lockedStates(0), m_lockedMenuStates(),
      m_storagePaths(), m_storagePathCount(0), m_skinButtons(), m_alarmSoundOn(0), m_screenLocked(0), m_editorOpen(0),
      m_broadcastWindow(nullptr), m_connectInfo(nullptr), m_systemLog(nullptr), m_videoWall(nullptr),
      m_emapView(nullptr), m_emapTree(nullptr), m_processId(::GetCurrentProcessId()), m_remoteLogin(),
      m_previousWindows(nullptr), m_previousHost(nullptr), m_installed(0), m_librariesStarted(0)
{
    m_hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_MAIN));
    if (m_hIcon == nullptr)
        m_hIcon = ::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDI_MAIN));
    g_mainDialog = this;
}

CDlgMain::~CDlgMain()
{
    Shutdown();
    delete m_ownerMenu;
    if (g_mainDialog == this)
        g_mainDialog = nullptr;
}

void CDlgMain::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MAIN_LOGO, m_logoPicture);
    DDX_Control(pDX, IDC_MAIN_TABS, m_tabCtrl);
    DDX_Control(pDX, IDC_MAIN_CLOCK, m_clockLabel);
    DDX_Control(pDX, IDC_MAIN_DATE, m_dateLabel);
    DDX_Control(pDX, IDC_MAIN_TREE, m_serverTree);
    DDX_Control(pDX, IDC_MAIN_REMOTE_PARAMS, m_remoteParams);
}

// Enter and Escape never close the main dialog.
void CDlgMain::OnOK() {}
void CDlgMain::OnCancel() {}

BOOL CDlgMain::OnInitDialog()
{
    CDialog::OnInitDialog();
    TraceStartupStep("dialog");
    m_windowThread = ::GetCurrentThreadId();
    m_firstPaintPending = 1;
    InstallLinks();
    InitSystemMenu();
    ::SetErrorMode(SEM_NOGPFAULTERRORBOX);
    SetCrashContext(GetStartDirectory(), (LPCSTR)AfxModuleBaseName(AfxGetInstanceHandle()), m_processId, m_hWnd);
    ::SetUnhandledExceptionFilter(WatchdogExceptionFilter);
    RaiseTestFaultWhenAsked();
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);
    CreateMainFont();
    m_mainMenu.LoadMenu(IDR_MAIN_MENU);
    ReadProjectName();
    m_ownerMenu = new CPVMenu;
    m_ownerMenu->LoadFromMenu(&m_mainMenu, nullptr);
    ::SetMenu(m_hWnd, m_ownerMenu->m_hMenu);
    // Not activated: the hidden window is activated once, when it shows.
    SetWindowPos(nullptr, 0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CString title;
    GetWindowText(title);
    RegisterAutoStart(GetStartDirectory(), (LPCSTR)AfxModuleBaseName(AfxGetInstanceHandle()), title);
    m_toolTip.Create(this);
    m_toolTip.Activate(TRUE);
    m_toolTip.SetDelayTime(TTDT_AUTOMATIC, 200);
    SetUpImageLists();
    TraceStartupStep("menus");
    // The connection-information window is hidden until a report: the object keeps the reports, and
    // its window is made after the first paint or at the first report.
    m_connectInfo = new CDlgConnectInfo;
    m_connectInfoWanted = 1;
    WriteClock();
    TraceStartupStep("connect info");
    StartLibraries();
    TraceStartupStep("libraries");
    m_mainTimer = SetTimer(TIMER_TICK, 1000, nullptr);
    CreateVideoWall();
    TraceStartupStep("users, parameters, log");
    StartServices();
    TraceStartupStep("services");
    PostMessage(WM_DEFERRED_START, 0, 0);
    LayoutFromSkin();
    TraceStartupStep("map windows");
    OpenSerialDevices();
    CheckLastExit();
    TraceStartupStep("serial and exit record");
    // The broadcast window is hidden until its command: it is made after the first paint.
    m_broadcastWanted = 1;
    TraceStartupStep("broadcast");
    return TRUE;
}

void CDlgMain::MakeConnectInfoWindow()
{
    if (!m_connectInfoWanted || m_connectInfo == nullptr || ::GetCurrentThreadId() != m_windowThread)
        return;
    m_connectInfoWanted = 0;
    CFocusKeeper focus;
    m_connectInfo->Create(CDlgConnectInfo::IDD, this);
    m_connectInfo->ShowWindow(m_connectInfoReported ? SW_SHOW : SW_HIDE);
}

void CDlgMain::MakeBroadcastWindow()
{
    if (!m_broadcastWanted)
        return;
    m_broadcastWanted = 0;
    CFocusKeeper focus;
    m_broadcastWindow = new CDlgBroadcast;
    m_broadcastWindow->Create(CDlgBroadcast::IDD, this);
    m_broadcastWindow->ShowWindow(SW_HIDE);
}

void CDlgMain::InitSystemMenu()
{
    CMenu* system = GetSystemMenu(FALSE);
    if (system == nullptr)
        return;
    CString about;
    about.LoadString(IDS_ABOUT_PREFIX);
    if (!about.IsEmpty()) {
        system->AppendMenu(MF_SEPARATOR);
        system->AppendMenu(MF_STRING, IDM_ABOUTBOX, about);
    }
    system->RemoveMenu(SC_SIZE, MF_BYCOMMAND);
    system->RemoveMenu(SC_MOVE, MF_BYCOMMAND);
    system->RemoveMenu(SC_MAXIMIZE, MF_BYCOMMAND);
}

void CDlgMain::CreateMainFont()
{
    int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    m_mainFont.CreateFont(ScaleDesignUnit(12, width, 1024), ScaleDesignUnit(6, height, 768), 0, 0, FW_NORMAL, FALSE,
                          FALSE, FALSE, GB2312_CHARSET, OUT_STRING_PRECIS, CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, "宋体");
    SetFont(&m_mainFont, TRUE);
}

void CDlgMain::ReadProjectName()
{
    ::SetCurrentDirectoryA(GetStartDirectory());
    CString name = ReadLayoutProjectName();
    SetWindowText(name);
    CString about;
    about.LoadString(IDS_ABOUT_PREFIX);
    m_mainMenu.ModifyMenu(ID_ABOUT, MF_BYCOMMAND | MF_STRING, ID_ABOUT, about + name);
}

void CDlgMain::SetUpImageLists()
{
    m_treeImages.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1);
    CBitmap tree;
    if (tree.LoadBitmap(IDB_TREE_IMAGES))
        m_treeImages.Add(&tree, kKeyColour);
    m_serverTree.SetImageList(&m_treeImages, TVSIL_NORMAL);
    m_serverTree.SetBkColor(kTreeBackground);
    m_tabImages.Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 1);
    CBitmap tabs;
    if (tabs.LoadBitmap(IDB_TAB_IMAGES))
        m_tabImages.Add(&tabs, kKeyColour);
    m_tabCtrl.SetImageList(&m_tabImages);
    const UINT texts[3] = {IDS_TAB_MANAGE, IDS_TAB_CONTROL, IDS_MAIN_TAB_MATRIX};
    for (int i = 0; i < 3; ++i) {
        CString text;
        text.LoadString(texts[i]);
        m_tabCtrl.InsertItem(i, text, i);
    }
    m_tabCtrl.SetFont(&m_mainFont);
}

void CDlgMain::StartLibraries()
{
    m_services.InitFileLibrary();
    Conduit_Init(0, 0, 0, 0);
    Ferret_Init();
    Conduit_SetConnectTimeout(30, 4);
    m_services.InitMediaLibrary();
    m_librariesStarted = 1;
}

void CDlgMain::StopLibraries()
{
    // The forwarding and the file service were stopped with their callbacks (StopCallbacks). The
    // clean-up runs once, however often Shutdown is called.
    if (!m_librariesStarted)
        return;
    m_librariesStarted = 0;
    Conduit_Cleanup();
    Ferret_Cleanup();
    m_services.CleanupFileAndMediaLibraries(); // Framewell_Cleanup
}

void CDlgMain::InstallLinks()
{
    if (m_installed)
        return;
    m_installed = 1;
    m_previousWindows = SetStationWindows(this);
    m_previousHost = SetLiveViewHost(this);
    m_previousConfigWindows = InstallConfigWindows(&m_configWindows);
    InstallChannelSessionLinks();
    theRecordStore.SetOwner(this);
}

void CDlgMain::UninstallLinks()
{
    if (!m_installed)
        return;
    m_installed = 0;
    theRecordStore.SetOwner(nullptr);
    SetSessionLinks(nullptr);
    SetViewLinks(nullptr);
    SetStationWindows(m_previousWindows);
    m_previousWindows = nullptr;
    SetLiveViewHost(m_previousHost);
    m_previousHost = nullptr;
    InstallConfigWindows(m_previousConfigWindows);
    m_previousConfigWindows = nullptr;
}

void CDlgMain::CreateVideoWall()
{
    int x = 0, y = 0, w = 0, h = 0;
    ReadSkinRect(SkinLayoutPath(), "videownd", &x, &y, &w, &h, "VIDEO_WND");
    CreateWallWindow(CRect(x, y, x + w, y + h));
    TraceStartupStep("wall window");
    if (g_pUserGroup == nullptr) {
        g_pUserGroup = new CUserGroup;
        g_pUserGroup->Load();
    }
    if (g_pSysParam == nullptr) {
        g_pSysParam = new CSysParam;
        g_pSysParam->Load();
    }
    if (m_systemLog == nullptr) {
        m_systemLog = new CSystemLog;
        m_systemLog->SetBaseDir(g_pSysParam->m_logDirectory);
    }
}

LRESULT CDlgMain::OnDeferredStart(WPARAM, LPARAM)
{
    TraceStartupStep("deferred start");
    if (!LoginAtStart()) {
        // Cancelled: the exit record says "clean" and the serial devices close before the end.
        WriteExitCode(GetStartDirectory(), "1");
        CloseSerialDevices();
        DestroyWindow();
        return 0;
    }
    LoadAll();
    TraceStartupStep("loaded");
    return 0;
}

LRESULT CDlgMain::OnAfterFirstPaint(WPARAM, LPARAM)
{
    SaveStartupFiles();
    MakeConnectInfoWindow();
    MakePanels();
    MakeEMapWindows();
    MakeBroadcastWindow();
    TraceStartupStep("windows after the first paint");
    return 0;
}

void CDlgMain::SetCurrentLogUser()
{
    if (m_systemLog != nullptr)
        m_systemLog->SetCurrentUser(CurrentUser().name);
}

int CDlgMain::LoginAtStart()
{
    CUserData* user = nullptr;
    if (g_pUserGroup != nullptr && g_pUserGroup->m_autoLogin)
        user = g_pUserGroup->FindUser(g_pUserGroup->m_autoLoginUser, g_pUserGroup->m_autoLoginPassword);
    if (user != nullptr) {
        CurrentUser().SetFrom(*user);
    } else {
        CDlgLogin login;
        login.m_mode = CDlgLogin::MODE_LOGIN;
        if (login.DoModal() != IDOK)
            return 0;
        // The automatic log-in choice must reach the file now: the users page reloads it.
        g_pUserGroup->Save();
    }
    SetCurrentLogUser();
    WriteLog(SYSLOG_LOGIN, IDS_LOG_LOGIN);
    ApplyMenuRights();
    EnablePanels(1);
    return 1;
}

void CDlgMain::WriteLog(int type, UINT textId)
{
    if (m_systemLog == nullptr)
        return;
    CString text;
    text.LoadString(textId);
    m_systemLog->Write(type, "", 0, text, nullptr);
}

int CDlgMain::LoadAll()
{
    g_pRecGroup = new CRecGroup;
    FillServerTree();
    TraceStartupStep("server tree");
    g_pRecGroup->ResolveCameraLinks();
    g_pLoopGroup = new CVuskLoopGroup;
    g_pLoopGroup->Load();
    g_pEMapGroup = new CVuskEMapGroup;
    g_pEMapGroup->Load();
    RefillEMapTree();
    if (g_pPageGroup == nullptr) {
        g_pPageGroup = new CVuskPageGroup;
        g_pPageGroup->Load();
        RebuildPageTable(1);
        TraceStartupStep("display pages");
    }
    if (g_pAudioBroadcast == nullptr) {
        g_pAudioBroadcast = new CVuskAudioBroadcast;
        g_pAudioBroadcast->Load();
    }
    LoadStorageRoots();
    theRecordStore.SetStoragePaths(m_storagePaths, m_storagePathCount);
    theRecordStore.SetOwner(this);
    theRecordStore.SetFullDiskMode(g_pSysParam != nullptr ? g_pSysParam->m_diskFullMode : 0);
    theRecordStore.StartDiskWatch();
    TraceStartupStep("tours, maps, recording drives");
    if (GetDisplayPageCount() > 0) {
        m_wallGridPending = 0;
        WallShowPage(0, -1, 0);
    }
    LayOutPendingGrid();
    TraceStartupStep("first page");
    m_serverTree.Expand(m_serverTree.GetRootItem(), TVE_EXPAND);
    // Before the first paint the loaded files are written back once the paint is done: the paint shows
    // nothing of them, and nothing changes them meanwhile.
    if (m_firstPaintPending) {
        m_startupSavePending = 1;
        return 1;
    }
    return SaveAll();
}

void CDlgMain::SaveStartupFiles()
{
    if (!m_startupSavePending)
        return;
    m_startupSavePending = 0;
    SaveAll();
}

int CDlgMain::SaveAll()
{
    // After an import the files on disk are the imported ones until the restart.
    if (SettingsImported())
        return 0;
    if (g_pUserGroup != nullptr)
        g_pUserGroup->Save();
    if (g_pSysParam != nullptr)
        g_pSysParam->Save();
    if (g_pLoopGroup != nullptr)
        g_pLoopGroup->Save();
    if (g_pEMapGroup != nullptr)
        g_pEMapGroup->Save();
    if (g_pAudioBroadcast != nullptr)
        g_pAudioBroadcast->Save();
    return 1;
}

void CDlgMain::Shutdown()
{
    // An end before the first paint still writes the loaded files back first.
    SaveStartupFiles();
    // Callbacks of the forwarding and file services use the parameters and the log: they stop first.
    if (m_librariesStarted)
        m_services.StopCallbacks();
    m_broadcastWanted = 0;
    m_connectInfoWanted = 0;
    if (m_broadcastWindow != nullptr) {
        m_broadcastWindow->DestroyWindow();
        DeleteGlobal(m_broadcastWindow);
    }
    theRecordStore.StopDiskWatch();
    if (m_connectInfo != nullptr) {
        m_connectInfo->DestroyWindow();
        DeleteGlobal(m_connectInfo);
    }
    // The map's windows point into the map and the server tree.
    DestroyEMapWindows();
    DeleteGlobal(g_pLoopGroup);
    DeleteGlobal(g_pEMapGroup);
    StopTalkAndDetachPanes();
    JoinRemoteLogin();
    if (g_pRecGroup != nullptr) {
        g_pRecGroup->CloseAllSessions();
        DeleteGlobal(g_pRecGroup);
    }
    DestroyWall();
    if (g_pUserGroup != nullptr) {
        if (!SettingsImported())
            g_pUserGroup->Save();
        DeleteGlobal(g_pUserGroup);
    }
    DeleteGlobal(m_systemLog);
    if (g_pPageGroup != nullptr) {
        if (!SettingsImported())
            RebuildPageTable(0);
        DeleteGlobal(g_pPageGroup);
    }
    DeleteGlobal(g_pSysParam);
    DeleteGlobal(g_pAudioBroadcast);
    FreePageTable();
    StopLibraries();
    for (CSkinButton*& button : m_skinButtons)
        DeleteGlobal(button);
    UninstallLinks();
}

void CDlgMain::OnDestroy()
{
    EndTreeDrag();
    if (m_mainTimer != 0) {
        KillTimer(m_mainTimer);
        m_mainTimer = 0;
    }
    Shutdown();
    CDialog::OnDestroy();
}

void CDlgMain::OnSysCommand(UINT nID, LPARAM lParam)
{
    switch (nID & 0xFFF0) {
    case IDM_ABOUTBOX:
        OnAbout();
        return;
    case SC_CLOSE:
        OnExit();
        return;
    case SC_MAXIMIZE:
    case SC_MOVE:
    case SC_SIZE:
        return;
    }
    CDialog::OnSysCommand(nID, lParam);
}

void CDlgMain::OnPaint()
{
    TraceStartupStep("paint");
    LayOutPendingGrid();
    if (m_firstPaintPending) {
        m_firstPaintPending = 0;
        PostMessage(WM_AFTER_FIRST_PAINT, 0, 0);
    }
    CPaintDC dc(this);
    if (IsIconic()) {
        SendMessage(WM_ICONERASEBKGND, (WPARAM)dc.GetSafeHdc(), 0);
        CRect client;
        GetClientRect(&client);
        int x = (client.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
        int y = (client.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
        dc.DrawIcon(x, y, m_hIcon);
        return;
    }
    HBITMAP background = BackgroundPicture();
    if (background == nullptr)
        return;
    CRect window;
    GetWindowRect(&window);
    HDC memory = ::CreateCompatibleDC(dc.GetSafeHdc());
    HGDIOBJ old = ::SelectObject(memory, background);
    ::BitBlt(dc.GetSafeHdc(), 0, 0, window.Width(), window.Height(), memory, 0, 0, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
}

// The background picture covers the whole client area at every paint: erasing it first would paint
// the window twice.
BOOL CDlgMain::OnEraseBkgnd(CDC* pDC)
{
    if (!IsIconic() && BackgroundPicture() != nullptr)
        return TRUE;
    return CDialog::OnEraseBkgnd(pDC);
}

HCURSOR CDlgMain::OnQueryDragIcon()
{
    return (HCURSOR)m_hIcon;
}

void CDlgMain::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    CDialog::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
    if (lpMeasureItemStruct->CtlType == ODT_MENU && m_ownerMenu != nullptr)
        m_ownerMenu->MeasureItem(lpMeasureItemStruct);
}

// The clock and the date in the station's blue on the background picture.
HBRUSH CDlgMain::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH brush = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    int id = pWnd != nullptr ? pWnd->GetDlgCtrlID() : 0;
    if (id == IDC_MAIN_CLOCK || id == IDC_MAIN_DATE) {
        // The label draws no background of its own, and the dialog clips its children: it gets the part of
        // the background picture under it first.
        if (HBITMAP background = BackgroundPicture()) {
            CRect label;
            pWnd->GetClientRect(&label);
            pWnd->MapWindowPoints(this, &label);
            HDC memory = ::CreateCompatibleDC(pDC->GetSafeHdc());
            HGDIOBJ old = ::SelectObject(memory, background);
            ::BitBlt(pDC->GetSafeHdc(), 0, 0, label.Width(), label.Height(), memory, label.left, label.top, SRCCOPY);
            ::SelectObject(memory, old);
            ::DeleteDC(memory);
        }
        pDC->SetTextColor(RGB(68, 162, 226));
        pDC->SetBkMode(TRANSPARENT);
        return (HBRUSH)::GetStockObject(NULL_BRUSH);
    }
    return brush;
}
