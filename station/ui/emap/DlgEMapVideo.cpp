#include "station/ui/emap/DlgEMapVideo.h"

#include <stdlib.h>

#include "devices/conduit/Conduit.h"
#include "resources/warden/emap.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/datamodel/VuskEMapDev.h"
#include "station/core/sessions/ChannelSession.h"
#include "station/core/sessions/SessionWindows.h"
#include "station/ui/liveview/PressButton.h"
#include "station/ui/emap/EMapMessages.h"
#include "station/ui/emap/EMapRules.h"

namespace {

const UINT kVideoArea = IDC_EMAP_VIDEO;
const UINT kSpeedTrackbar = IDC_EMAP_SPEED;
const UINT kPresetEdit = IDC_EMAP_PRESET;
const UINT kAutoButton = IDC_EMAP_AUTO;
const UINT kUpButton = IDC_EMAP_UP;
const UINT kButtonIds[13] = {IDC_EMAP_LEFT,      IDC_EMAP_RIGHT,     IDC_EMAP_UP,         IDC_EMAP_DOWN,
                             IDC_EMAP_AUTO,      IDC_EMAP_IRIS_OPEN, IDC_EMAP_IRIS_CLOSE, IDC_EMAP_FOCUS_NEAR,
                             IDC_EMAP_FOCUS_FAR, IDC_EMAP_ZOOM_IN,   IDC_EMAP_ZOOM_OUT,   IDC_EMAP_GOTO_PRESET,
                             IDC_EMAP_SET_PRESET};
const UINT kStripLabels[] = {IDC_EMAP_IRIS_LABEL, IDC_EMAP_FOCUS_LABEL, IDC_EMAP_ZOOM_LABEL, kSpeedTrackbar,
                             kPresetEdit};
const int kPtzRight = 7;
const int kFullScreenStartWidth = 352;
const int kFullScreenStartHeight = 288;

} // namespace

BEGIN_MESSAGE_MAP(CDlgEMapVideo, CDialog)
ON_MESSAGE(WM_EMAP_DEFERRED_START, OnDeferredStart)
ON_MESSAGE(WM_STREAM_CONNECT_RESULT, OnStreamConnectResult)
ON_WM_PAINT()
ON_WM_CTLCOLOR()
ON_WM_RBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_SYSCOMMAND()
ON_WM_SIZE()
ON_WM_GETMINMAXINFO()
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_WM_TIMER()
END_MESSAGE_MAP()

CDlgEMapVideo::CDlgEMapVideo(CVuskEMapDev* device, CTermCamera* camera)
    : CDialog(IDD), m_pDevice(device), m_pCamera(camera), m_speed(5), m_preset(0), m_screenHeight(0), m_screenWidth(0),
      m_savedPlacement(), m_fullScreen(0), m_initialised(0), m_ownHandle(-1), m_ownStream(0), m_ownConnected(0),
      m_borrowed(0), m_buttons()
{
}

CDlgEMapVideo::~CDlgEMapVideo()
{
    for (CPressButton*& button : m_buttons) {
        delete button;
        button = nullptr;
    }
}

void CDlgEMapVideo::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kVideoArea, m_videoArea);
    DDX_Control(pDX, kSpeedTrackbar, m_speedCtrl);
}

BOOL CDlgEMapVideo::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    m_screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    SetWindowText(m_pDevice->m_caption);
    PostMessage(WM_EMAP_DEFERRED_START, 0, 0);
    for (int i = 0; i < 13; ++i) {
        m_buttons[i] = new CPressButton;
        m_buttons[i]->SubclassDlgItem(kButtonIds[i], this);
        m_buttons[i]->m_userValue = (int)kButtonIds[i];
        m_buttons[i]->m_callback = OnPressButton;
    }
    m_speedCtrl.SetLineSize(1);
    m_speedCtrl.SetPageSize(1);
    m_speedCtrl.SetRange(1, 10);
    m_speedCtrl.SetPos(5);
    if (CWnd* preset = GetDlgItem(kPresetEdit))
        preset->SendMessage(EM_LIMITTEXT, 3);
    CRect window;
    GetWindowRect(&window);
    POINT at = PopupPosition((unsigned)rand(), (unsigned)rand(), CSize(m_screenWidth, m_screenHeight), window.Size());
    SetWindowPos(nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    CRect client;
    GetClientRect(&client);
    m_videoArea.MoveWindow(&client);
    ShowPtzControls(0);
    m_initialised = 1;
    return TRUE;
}

// Enter would end the dialog; Escape goes to the focused control and does not close the window.
BOOL CDlgEMapVideo::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN)
        return TRUE;
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE)
        return FALSE; // dispatched to the focused control, past the dialog manager
    return CDialog::PreTranslateMessage(pMsg);
}

LRESULT CDlgEMapVideo::OnDeferredStart(WPARAM, LPARAM)
{
    CChannelSession* session = m_pCamera->m_pSession;
    if (session != nullptr && session->m_liveHandle != -1) {
        Conduit_SetDisplayWindow(session->m_liveHandle, m_videoArea.m_hWnd);
        Conduit_EnableStream(session->m_liveHandle, 1);
        Conduit_StartVideo(session->m_liveHandle);
        m_borrowed = 1;
        return 0;
    }
    m_ownStream = 1;
    OpenOwnStream();
    return 0;
}

int CDlgEMapVideo::OpenOwnStream()
{
    CTermServer* server = m_pDevice->m_pServer;
    if (server == nullptr)
        return -1;
    char name[40], user[40], password[40], address[40];
    lstrcpynA(name, server->m_name, sizeof(name));
    lstrcpynA(user, server->m_user, sizeof(user));
    lstrcpynA(password, server->m_password, sizeof(password));
    lstrcpynA(address, server->m_address, sizeof(address));
    ConduitConnectRecord record = {};
    record.serverName = name;
    record.userName = user;
    record.password = password;
    record.transport = (unsigned short)m_pCamera->m_transport;
    record.showNow = 1;
    record.channel = (unsigned char)m_pCamera->m_channel;
    record.displayWindow = m_videoArea.m_hWnd;
    record.notifyWindow = m_hWnd;
    record.notifyMessage = WM_STREAM_CONNECT_RESULT;
    record.bufferCount = g_pSysParam != nullptr ? g_pSysParam->m_connectBuffers : 10;
    record.overlayKey = 0x00FF00FF;
    m_ownHandle = server->m_useDdns ? Conduit_ConnectDdns(address, &record, server->m_port)
                                    : Conduit_Connect(address, &record, server->m_port);
    return m_ownHandle;
}

LRESULT CDlgEMapVideo::OnStreamConnectResult(WPARAM kind, LPARAM result)
{
    if (kind != 1)
        return 0;
    if (result == 0) {
        m_ownConnected = 1;
        return 0;
    }
    m_ownConnected = 0;
    if (m_ownHandle != -1) {
        Conduit_Disconnect(m_ownHandle);
        m_ownHandle = -1;
    }
    SetTimer(kReconnectTimer, kReconnectDelayMs, nullptr);
    return 0;
}

void CDlgEMapVideo::OnTimer(UINT_PTR id)
{
    if (id != kReconnectTimer) {
        CDialog::OnTimer(id);
        return;
    }
    KillTimer(kReconnectTimer);
    if (m_ownHandle == -1 && OpenOwnStream() == -1)
        SetTimer(kReconnectTimer, kReconnectDelayMs, nullptr);
}

void CDlgEMapVideo::OnPaint()
{
    CPaintDC dc(this);
    CChannelSession* session = m_pCamera->m_pSession;
    if (session != nullptr && session->m_state == sessionConnected && session->m_liveHandle != -1) {
        Conduit_RefreshDisplay(session->m_liveHandle, 0);
        return;
    }
    if (m_ownConnected && m_ownHandle != -1) {
        Conduit_RefreshDisplay(m_ownHandle, 0);
        return;
    }
    CRect area;
    m_videoArea.GetWindowRect(&area);
    ScreenToClient(&area);
    dc.FillSolidRect(&area, RGB(0, 0, 0));
}

// The video area is black until a picture is drawn into it.
HBRUSH CDlgEMapVideo::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (pWnd != nullptr && pWnd->m_hWnd == m_videoArea.m_hWnd)
        return (HBRUSH)::GetStockObject(BLACK_BRUSH);
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CDlgEMapVideo::ShowPtzControls(int show)
{
    int visible = show && HasRight(kPtzRight);
    for (UINT id : kButtonIds) {
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(visible ? SW_SHOW : SW_HIDE);
    }
    for (UINT id : kStripLabels) {
        if (CWnd* control = GetDlgItem(id))
            control->ShowWindow(visible ? SW_SHOW : SW_HIDE);
    }
}

BOOL CDlgEMapVideo::IsStripVisible() const
{
    HWND up = ::GetDlgItem(m_hWnd, kUpButton);
    return up != nullptr && (::GetWindowLongA(up, GWL_STYLE) & WS_VISIBLE) != 0;
}

void CDlgEMapVideo::LayoutControls()
{
    CRect client;
    GetClientRect(&client);
    int w = client.Width(), h = client.Height();
    if (!IsStripVisible()) {
        m_videoArea.MoveWindow(0, 0, w, h);
        Invalidate();
        return;
    }
    PopupControlPlace places[20];
    int count = PopupStripPlaces(w, h, places, 20);
    for (int i = 0; i < count; ++i) {
        CWnd* control = GetDlgItem(places[i].id);
        if (control == nullptr)
            continue;
        if (places[i].id == kPresetEdit) {
            control->MoveWindow(places[i].x, places[i].y, 30, 20);
            continue;
        }
        control->SetWindowPos(nullptr, places[i].x, places[i].y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_videoArea.MoveWindow(0, 0, w, h - kPopupStripHeight);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CDlgEMapVideo::ResizeHeightBy(int delta)
{
    CRect window;
    GetWindowRect(&window);
    SetWindowPos(nullptr, 0, 0, window.Width(), window.Height() + delta, SWP_NOMOVE | SWP_NOZORDER);
}

void CDlgEMapVideo::OnRButtonDown(UINT flags, CPoint point)
{
    CDialog::OnRButtonDown(flags, point);
    if (IsZoomed() || m_fullScreen || !HasRight(kPtzRight))
        return;
    if (IsStripVisible()) {
        ShowPtzControls(0);
        ResizeHeightBy(-kPopupStripHeight);
    } else {
        ShowPtzControls(1);
        ResizeHeightBy(kPopupStripHeight);
    }
    LayoutControls();
}

void CDlgEMapVideo::OnLButtonDblClk(UINT, CPoint)
{
    ToggleFullScreen();
}

void CDlgEMapVideo::ToggleFullScreen()
{
    if (m_fullScreen) {
        m_fullScreen = 0;
        ModifyStyle(0, WS_THICKFRAME, SWP_FRAMECHANGED);
        SetWindowPlacement(&m_savedPlacement);
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return;
    }
    if (IsStripVisible()) {
        ShowPtzControls(0);
        ResizeHeightBy(-kPopupStripHeight);
    }
    m_savedPlacement.length = sizeof(m_savedPlacement);
    GetWindowPlacement(&m_savedPlacement);
    ModifyStyle(WS_THICKFRAME, 0, SWP_FRAMECHANGED);
    MoveWindow(0, 0, kFullScreenStartWidth, kFullScreenStartHeight);
    // The frame lies outside the screen; the client area covers it exactly.
    CRect full(0, 0, m_screenWidth, m_screenHeight);
    ::AdjustWindowRectEx(&full, GetStyle(), FALSE, GetExStyle());
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    placement.showCmd = SW_SHOWNORMAL;
    placement.rcNormalPosition = full;
    SetWindowPlacement(&placement);
    m_fullScreen = 1;
}

void CDlgEMapVideo::OnSysCommand(UINT id, LPARAM lParam)
{
    if ((id & 0xFFF0) == SC_MAXIMIZE && IsStripVisible()) {
        ShowPtzControls(0);
        ResizeHeightBy(-kPopupStripHeight);
    }
    CDialog::OnSysCommand(id, lParam);
}

void CDlgEMapVideo::OnSize(UINT type, int cx, int cy)
{
    CDialog::OnSize(type, cx, cy);
    if (m_initialised)
        LayoutControls();
}

void CDlgEMapVideo::OnGetMinMaxInfo(MINMAXINFO* info)
{
    CDialog::OnGetMinMaxInfo(info);
    info->ptMinTrackSize.x = kPopupMinTrackWidth;
    info->ptMinTrackSize.y = kPopupMinTrackHeight;
}

void CDlgEMapVideo::OnClose()
{
    if (CWnd* parent = GetParent())
        parent->PostMessage(WM_EMAP_POPUP_CLOSED, (WPARAM)this, 0);
    ShowWindow(SW_HIDE);
}

// Only what the window took is given back: its own channel, or the session's borrowed picture.
void CDlgEMapVideo::OnDestroy()
{
    KillTimer(kReconnectTimer);
    if (m_ownStream) {
        if (m_ownHandle != -1)
            Conduit_Disconnect(m_ownHandle);
        m_ownHandle = -1;
        m_ownConnected = 0;
    } else if (m_borrowed && m_pCamera->m_pSession != nullptr) {
        m_pCamera->m_pSession->AttachPane(0, nullptr, 0);
    }
    m_borrowed = 0;
    for (int i = 0; i < 13; ++i) {
        if (m_buttons[i] != nullptr && m_buttons[i]->m_hWnd != nullptr)
            m_buttons[i]->UnsubclassWindow();
        delete m_buttons[i];
        m_buttons[i] = nullptr;
    }
    CDialog::OnDestroy();
}

void CDlgEMapVideo::OnPressButton(int id, int pressed, CWnd* parent)
{
    if (CDlgEMapVideo* popup = dynamic_cast<CDlgEMapVideo*>(parent))
        popup->OnPtzButton((UINT)id, pressed);
}

int CDlgEMapVideo::CommandValue(UINT id)
{
    if (id == kAutoButton)
        return 0;
    if (id == IDC_EMAP_GOTO_PRESET || id == IDC_EMAP_SET_PRESET) {
        CString text;
        GetDlgItemText(kPresetEdit, text);
        m_preset = PresetNumberFromText(text);
        return m_preset;
    }
    m_speed = m_speedCtrl.GetPos();
    return m_speed;
}

void CDlgEMapVideo::OnPtzButton(UINT id, int pressed)
{
    BOOL autoChecked = IsDlgButtonChecked(kAutoButton) == BST_CHECKED;
    PopupPtzCodes codes = PopupButtonCodes(id, autoChecked);
    int code = pressed ? codes.onPress : codes.onRelease;
    if (code < 0)
        return;
    SendPtz(code, CommandValue(id));
}

// The own channel always takes the server's PTZ command, never a serial protocol.
void CDlgEMapVideo::SendPtz(int code, int value)
{
    if (m_ownConnected && m_ownHandle != -1) {
        Conduit_PtzControl(m_ownHandle, code, value);
        return;
    }
    CChannelSession* session = m_pCamera->m_pSession;
    if (session != nullptr && session->m_liveHandle != -1)
        session->PtzControl(code, value, -1);
}
