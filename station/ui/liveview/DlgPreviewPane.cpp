#include "station/ui/liveview/DlgPreviewPane.h"

#include "resources/warden/resource.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/datamodel/VuskPageGroup.h"
#include "station/core/sessions/ChannelSession.h"
#include "station/ui/liveview/DisplayPage.h"
#include "station/ui/liveview/DlgPtzPanel.h"
#include "station/ui/liveview/DlgVideoWall.h"
#include "station/ui/liveview/LiveViewHost.h"
#include "station/ui/mainwindow/PVMenu.h"
#include "station/ui/liveview/PaneGeometry.h"

CDlgPreviewPane* DragSourcePane = nullptr;
int SplitBeforeFullScreen = -1;

namespace {

const COLORREF kStripColour = RGB(57, 65, 99);
const UINT kBlinkMs = 2000;
const UINT kInputIds[4] = {IDC_PANE_INPUT0, IDC_PANE_INPUT1, IDC_PANE_INPUT2, IDC_PANE_INPUT3};
// WM_PANE_ALARM's event types.
enum { paneMotion = 2, paneVideoLoss = 3, paneInputs = 4, paneRelays = 5, paneInput = 6, paneServerRecord = 11 };

// The current display page's split mode, -1 without one.
int CurrentSplitMode()
{
    CDlgVideoWall* wall = VideoWall();
    return wall != nullptr ? wall->GetSplitMode() : -1;
}

int IsTouring()
{
    CDlgVideoWall* wall = VideoWall();
    return wall != nullptr && wall->IsTouring();
}

void FocusMainWindow()
{
    if (CWnd* main = LiveViewHost().GetMainWindow())
        main->SetFocus();
}

} // namespace

BEGIN_MESSAGE_MAP(CDlgPreviewPane, CDialog)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_DESTROY()
ON_WM_LBUTTONDOWN()
ON_WM_RBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONUP()
ON_WM_TIMER()
ON_MESSAGE(WM_PANE_ALARM, OnPaneAlarm)
ON_COMMAND_RANGE(IDC_PANE_INPUT0, IDC_PANE_INPUT3, OnInputButton)
ON_COMMAND_RANGE(32787, 32864, OnMenuCommand)
END_MESSAGE_MAP()

CDlgPreviewPane::CDlgPreviewPane(int paneIndex)
    : CDialog(IDD), m_selected(0), m_pSession(nullptr), m_blinkTimer(0), m_paneIndex(paneIndex), m_arrangedSize(-1, -1),
      m_refreshHeld(0), m_inputsPlaced(0), m_lookChanged(0)
{
}

void CDlgPreviewPane::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PANE_CAPTION, m_caption);
    DDX_Control(pDX, IDC_PANE_ALARM, m_alarmIcon);
    DDX_Control(pDX, IDC_PANE_AUDIO, m_audioIcon);
    DDX_Control(pDX, IDC_PANE_MIC, m_micIcon);
    DDX_Control(pDX, IDC_PANE_SERVER_RECORD, m_serverRecordIcon);
    DDX_Control(pDX, IDC_PANE_RECORD, m_recordIcon);
    for (int i = 3; i >= 0; --i)
        DDX_Control(pDX, kInputIds[i], m_inputs[i]);
    DDX_Control(pDX, IDC_PANE_SURFACE, m_surface);
}

// The panes follow the screen's size at start (nothing is recomputed when it changes), read once:
// each reading asks the display driver again.
int CDlgPreviewPane::SX(int n) const
{
    static const int width = ::GetSystemMetrics(SM_CXSCREEN);
    return ScaleToScreen(n, width, 1024);
}

int CDlgPreviewPane::SY(int n) const
{
    static const int height = ::GetSystemMetrics(SM_CYSCREEN);
    return ScaleToScreen(n, height, 768);
}

CString CDlgPreviewPane::SkinPath(LPCSTR name) const
{
    CString path;
    path.Format("%s\\skin\\%s", (LPCSTR)GetStartDirectory(), name);
    return path;
}

void CDlgPreviewPane::ShowIcon(CBitmapStatic& icon, LPCSTR name)
{
    int width = icon.GetWidth(), height = icon.GetHeight();
    icon.ShowSharedPicture(SkinPath(name));
    m_lookChanged = 1;
    // The strip is laid out with the icons' sizes: a picture of another size needs it again.
    if (icon.GetWidth() != width || icon.GetHeight() != height)
        m_arrangedSize = CSize(-1, -1);
}

BOOL CDlgPreviewPane::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (CIconButton& input : m_inputs)
        input.LoadBitmaps("Skin//camerasel.bmp", "Skin//camerasel_on.bmp", SX(10), SY(10));
    m_inputs[0].SetState(1);
    const struct {
        CBitmapStatic* icon;
        LPCSTR name;
    } icons[] = {{&m_recordIcon, "record_off.BMP"},
                 {&m_audioIcon, "audioen_disable.bmp"},
                 {&m_micIcon, "mic.BMP"},
                 {&m_serverRecordIcon, "serverrecord_off.bmp"},
                 {&m_alarmIcon, "alarm_off.bmp"}};
    for (const auto& icon : icons)
        icon.icon->ShowSharedPicture(SkinPath(icon.name), SX(10), SY(10));
    m_caption.SetTextColor(RGB(255, 255, 255));
    m_caption.SetBkColor(kStripColour);
    // The height follows the screen's width and the width its height, as the layout always had it.
    m_font.CreateFont(SX(12), SY(6), 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_STROKE_PRECIS,
                      CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "宋体");
    SetFont(&m_font);
    m_caption.SetFont(&m_font);
    m_captionText = "Not assigned";
    m_caption.SetWindowText(m_captionText);
    ShowInputButtons(0);
    m_surface.m_pOwner = this;
    return TRUE;
}

// Most controls keep their size, many their place: what does not change is not sent. Nothing is
// copied or invalidated on the way: the pane is repainted whole once.
void CDlgPreviewPane::DeferMove(HDWP& moves, CWnd& control, int x, int y, int w, int h)
{
    if (moves == nullptr || control.GetSafeHwnd() == nullptr)
        return;
    CRect now;
    control.GetWindowRect(&now);
    ScreenToClient(&now);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS;
    flags |= now.left == x && now.top == y ? SWP_NOMOVE : 0;
    flags |= now.Width() == w && now.Height() == h ? SWP_NOSIZE : 0;
    if ((flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE))
        moves = ::DeferWindowPos(moves, control.m_hWnd, nullptr, x, y, w, h, flags);
}

void CDlgPreviewPane::PlaceInputButtons(HDWP& moves, const CRect& client)
{
    for (int i = 0; i < 4; ++i)
        DeferMove(moves, m_inputs[i], client.left + SX(51 + 10 * i), client.bottom - SY(12), m_inputs[i].GetWidth(),
                  m_inputs[i].GetHeight());
}

void CDlgPreviewPane::ArrangeControls(int show)
{
    // A hidden pane is laid out when the wall shows it, which it always does through this call with
    // show set: a pane made for a page and attached to its session before the wall places it would
    // otherwise be laid out twice, first at its template's size.
    if (!show && !(GetStyle() & WS_VISIBLE))
        return;
    CRect client;
    GetClientRect(&client);
    // Panes are laid out again on every switch of split mode or page; most keep their size.
    if (client.Size() != m_arrangedSize) {
        m_arrangedSize = client.Size();
        m_lookChanged = 1;
        int strip = client.bottom - SY(12);
        HDWP moves = ::BeginDeferWindowPos(11);
        DeferMove(moves, m_surface, client.left + 1, client.top + 1, client.Width() - 2, client.Height() - SY(12) - 2);
        const struct {
            CBitmapStatic* icon;
            int n;
        } icons[] = {
            {&m_recordIcon, 1}, {&m_audioIcon, 11}, {&m_micIcon, 21}, {&m_serverRecordIcon, 31}, {&m_alarmIcon, 41}};
        for (const auto& icon : icons)
            DeferMove(moves, *icon.icon, client.left + SX(icon.n), strip, icon.icon->GetWidth(),
                      icon.icon->GetHeight());
        // Hidden input buttons (cameras without inputs, most of them) are placed when they show.
        m_inputsPlaced = (m_inputs[0].GetStyle() & WS_VISIBLE) != 0;
        if (m_inputsPlaced)
            PlaceInputButtons(moves, client);
        DeferMove(moves, m_caption, client.right - SX(140) - 1, strip - 1, SX(140), SY(12));
        if (moves == nullptr || !::EndDeferWindowPos(moves))
            m_arrangedSize = CSize(-1, -1);
        // A pane that does not show (the wall holds its drawing, or it is hidden) is painted whole
        // when it shows again.
        if (IsWindowVisible())
            InvalidateWhole();
    }
    // The wall shows the panes it places itself, with their move.
    if (show && !(GetStyle() & WS_VISIBLE))
        ShowWindow(SW_SHOW);
}

// Each window is invalidated by itself: invalidated through its parent, a control would also be
// erased and its (empty) frame painted first. The status icons are drawn at once instead, all five
// through one device context of the pane: painted each on its own, an icon costs as much as the
// whole pane.
void CDlgPreviewPane::InvalidateWhole()
{
    CWnd* controls[] = {&m_surface, &m_inputs[0], &m_inputs[1], &m_inputs[2], &m_inputs[3], &m_caption};
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE);
    for (CWnd* control : controls) {
        if (control->GetSafeHwnd() != nullptr && (control->GetStyle() & WS_VISIBLE))
            control->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE);
    }
    DrawStatusIcons();
}

// The pane's device context without its children clipped reaches the icons' areas; without one
// the icons paint themselves.
void CDlgPreviewPane::DrawStatusIcons()
{
    CBitmapStatic* icons[] = {&m_recordIcon, &m_audioIcon, &m_micIcon, &m_serverRecordIcon, &m_alarmIcon};
    HDC handle = ::GetDCEx(m_hWnd, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
    CDC dc;
    if (handle != nullptr)
        dc.Attach(handle);
    for (CBitmapStatic* icon : icons) {
        if (icon->GetSafeHwnd() == nullptr || !(icon->GetStyle() & WS_VISIBLE))
            continue;
        if (handle == nullptr) {
            icon->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE);
            continue;
        }
        CRect place;
        icon->GetWindowRect(&place);
        ScreenToClient(&place);
        icon->PaintInto(&dc, place.left, place.top);
    }
    if (handle != nullptr)
        ::ReleaseDC(m_hWnd, dc.Detach());
}

void CDlgPreviewPane::RefreshView(int arrange)
{
    if (m_hWnd == nullptr)
        return;
    // While the wall switches pages, the refreshes of a detach and the next attach come as one.
    if (m_refreshHeld) {
        m_refreshHeld = arrange || m_refreshHeld == 3 ? 3 : 2;
        return;
    }
    if (arrange)
        ArrangeControls(0);
    RefreshIcons();
    m_lookChanged = 1;
    InvalidateRect(nullptr, TRUE);
    m_surface.Invalidate(TRUE);
}

// m_refreshHeld: 0 not held; 1 held; 2 held with a refresh waiting; 3 with a layout as well.
void CDlgPreviewPane::HoldRefresh(int hold)
{
    if (hold) {
        m_refreshHeld = m_refreshHeld != 0 ? m_refreshHeld : 1;
        return;
    }
    int held = m_refreshHeld;
    m_refreshHeld = 0;
    if (held > 1)
        RefreshView(held == 3);
}

void CDlgPreviewPane::ShowInputButtons(int show)
{
    if (show && !m_inputsPlaced) {
        CRect client;
        GetClientRect(&client);
        HDWP moves = ::BeginDeferWindowPos(4);
        PlaceInputButtons(moves, client);
        m_inputsPlaced = moves != nullptr && ::EndDeferWindowPos(moves);
    }
    for (CIconButton& input : m_inputs)
        input.ShowWindow(show ? SW_SHOW : SW_HIDE);
    m_lookChanged = 1;
}

void CDlgPreviewPane::SetInputState(int input)
{
    for (int i = 0; i < 4; ++i)
        m_inputs[i].SetState(i == input ? 1 : 0);
    m_lookChanged = 1;
}

void CDlgPreviewPane::SetAlarmIcon(int on)
{
    ShowIcon(m_alarmIcon, on ? "alarm_on.bmp" : "alarm_off.bmp");
    m_alarmIcon.SetOn(on);
}

void CDlgPreviewPane::StartBlinking()
{
    if (m_blinkTimer != 0)
        return;
    SetAlarmIcon(1);
    m_blinkTimer = SetTimer(BLINK_TIMER, kBlinkMs, nullptr);
}

void CDlgPreviewPane::StopBlinking()
{
    if (m_blinkTimer != 0)
        KillTimer(BLINK_TIMER);
    m_blinkTimer = 0;
}

void CDlgPreviewPane::RefreshIcons()
{
    CChannelSession* session = m_pSession;
    if (session == nullptr) {
        SetMicIcon(0);
        SetRecordIcon(0);
        SetAudioIcon(0);
        ShowIcon(m_serverRecordIcon, "serverrecord_off.bmp");
        StopBlinking();
        SetAlarmIcon(0);
        SetCaptionText("Not assigned");
        ShowInputButtons(0);
        return;
    }
    SetMicIcon(session->m_talkHandle != -1);
    SetRecordIcon(session->m_recordReasons);
    SetAudioIcon(session->m_audioState);
    ShowIcon(m_serverRecordIcon, session->m_serverRecordEvent != 0 ? "serverrecord_on.bmp" : "serverrecord_off.bmp");
    if (session->m_alarmAccumulated.load() != 0) {
        StartBlinking();
        SetAlarmIcon(1);
    } else {
        StopBlinking();
        SetAlarmIcon(0);
    }
    CTermCamera* camera = session->m_pCamera;
    CString caption = "Not assigned";
    if (camera != nullptr)
        caption.Format("%s-%s", camera->m_pServer != nullptr ? (LPCSTR)camera->m_pServer->m_name : "",
                       (LPCSTR)camera->m_name);
    SetCaptionText(caption);
    ShowInputButtons(session->m_cameraInputs > 0);
}

// Every attach and detach refreshes the caption, mostly with the text it has: an unchanged text
// is not set (setting it repaints the label). Only this pane sets the label's text, so the text it
// set last is the label's: reading it back from the label would cost two messages.
void CDlgPreviewPane::SetCaptionText(LPCSTR text)
{
    if (m_captionText != text) {
        m_captionText = text;
        m_caption.SetWindowText(text);
        m_lookChanged = 1;
    }
}

void CDlgPreviewPane::SetSelected(int selected)
{
    selected = selected ? 1 : 0;
    if (selected == m_selected)
        return;
    m_selected = selected;
    if (selected && VideoWall() != nullptr)
        VideoWall()->SetSelectedPaneWnd(this);
    m_lookChanged = 1;
    InvalidateRect(nullptr, TRUE);
    FocusMainWindow();
}

void CDlgPreviewPane::ResetIcons()
{
    StopBlinking();
    ShowIcon(m_recordIcon, "record_off.BMP");
    ShowIcon(m_audioIcon, "audioen_disable.bmp");
    ShowIcon(m_micIcon, "mic.BMP");
    ShowIcon(m_serverRecordIcon, "serverrecord_off.bmp");
    ShowIcon(m_alarmIcon, "alarm_off.bmp");
    ShowInputButtons(0); // both mark the pane's look changed
    Invalidate();
}

void CDlgPreviewPane::ResetOnConnectFailure(int result)
{
    if (m_pSession == nullptr)
        return;
    StopBlinking();
    if (result == 0)
        return;
    ShowInputButtons(0);
    ShowIcon(m_recordIcon, "record_off.BMP");
    ShowIcon(m_audioIcon, "audioen_disable.bmp");
    ShowIcon(m_micIcon, "mic.BMP");
    ShowIcon(m_serverRecordIcon, "serverrecord_off.bmp");
    ShowIcon(m_alarmIcon, "alarm_off.bmp");
}

void CDlgPreviewPane::SetRecordIcon(int reasons)
{
    ShowIcon(m_recordIcon, reasons != 0 ? "record_on.BMP" : "record_off.BMP");
}

void CDlgPreviewPane::SetAudioIcon(int state)
{
    ShowIcon(m_audioIcon, state == 2 ? "audioen_on.bmp" : state == 1 ? "audioen_off.bmp" : "audioen_disable.BMP");
}

void CDlgPreviewPane::SetMicIcon(int on)
{
    ShowIcon(m_micIcon, on ? "mic_on.BMP" : "mic.BMP");
}

void CDlgPreviewPane::StartAlarmBlink()
{
    StartBlinking();
}

void CDlgPreviewPane::StopAlarmBlink()
{
    StopBlinking();
    SetAlarmIcon(0);
}

void CDlgPreviewPane::RemoveFromPage()
{
    CDlgVideoWall* wall = VideoWall();
    if (g_pPageGroup != nullptr && wall != nullptr)
        g_pPageGroup->ClearSlot(wall->GetCurrentPage(), m_paneIndex);
}

void CDlgPreviewPane::PostPaneAlarm(CChannelSession* session, LPARAM lParam)
{
    if (m_hWnd != nullptr)
        ::PostMessageA(m_hWnd, WM_PANE_ALARM, (WPARAM)session, lParam);
}

BOOL CDlgPreviewPane::CheckRight(int right)
{
    if (HasRight(right))
        return TRUE;
    AfxMessageBox(IDS_NO_PERMISSION);
    return FALSE;
}

void CDlgPreviewPane::CaptureBmp()
{
    if (CheckRight(rightSnapshot) && m_pSession != nullptr)
        m_pSession->CaptureBmp();
}

void CDlgPreviewPane::StartServerRecord()
{
    if (CheckRight(rightServerRecord) && m_pSession != nullptr)
        m_pSession->StartServerRecord();
}

void CDlgPreviewPane::StopServerRecord()
{
    if (CheckRight(rightServerRecord) && m_pSession != nullptr)
        m_pSession->StopServerRecord();
}

void CDlgPreviewPane::SetRecording(int start, int reasons)
{
    if (m_pSession != nullptr)
        m_pSession->SetRecording(start, reasons, 1);
}

int CDlgPreviewPane::PtzControl(int code, int value, int speed)
{
    return m_pSession != nullptr ? m_pSession->PtzControl(code, value, speed) : 0;
}

int CDlgPreviewPane::GetDeviceAddress()
{
    return m_pSession != nullptr ? m_pSession->GetDeviceAddress() : 0;
}

int CDlgPreviewPane::SetDeviceAddress(int address)
{
    return m_pSession != nullptr ? m_pSession->SetDeviceAddress(address) : 0;
}

int CDlgPreviewPane::SetRelay(int output, int on)
{
    return m_pSession != nullptr ? m_pSession->SetRelay(output, on) : 0;
}

void CDlgPreviewPane::SetAudio(int on)
{
    if (m_pSession != nullptr)
        m_pSession->SetAudio(on);
}

void CDlgPreviewPane::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    CRect strip(client.left, client.bottom - SY(12) - 2, client.right, client.bottom);
    CBrush fill(kStripColour);
    CBrush* oldBrush = dc.SelectObject(&fill);
    dc.Rectangle(&strip);
    dc.SelectObject(oldBrush);
    CBrush frame(m_selected ? RGB(0, 255, 255) : RGB(66, 66, 66));
    dc.FrameRect(&client, &frame);
}

// The paint covers what the controls leave of the client area (the frame and the status strip).
BOOL CDlgPreviewPane::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CDlgPreviewPane::OnDestroy()
{
    CDlgVideoWall* wall = VideoWall();
    if (wall != nullptr && wall->GetSelectedPaneWnd() == this)
        wall->SetSelectedPaneWnd(nullptr);
    if (DragSourcePane == this)
        DragSourcePane = nullptr;
    StopBlinking();
    CDialog::OnDestroy();
}

void CDlgPreviewPane::OnTimer(UINT_PTR id)
{
    if (id != BLINK_TIMER) {
        CDialog::OnTimer(id);
        return;
    }
    SetAlarmIcon(m_alarmIcon.IsOn() ? 0 : 1);
}

// A message from a session that has left the pane meanwhile does nothing.
LRESULT CDlgPreviewPane::OnPaneAlarm(WPARAM wParam, LPARAM lParam)
{
    CChannelSession* session = m_pSession;
    if (session == nullptr || (WPARAM)session != wParam)
        return 0;
    int type = PaneAlarmType(lParam), value = PaneAlarmValue(lParam);
    CTermCamera* camera = session->m_pCamera;
    int channel = camera != nullptr ? camera->m_channel : 0;
    switch (type) {
    case paneMotion:
    case paneVideoLoss:
        if (channel >= 0 && channel < 24 && (value & (1 << channel)) != 0)
            StartBlinking();
        break;
    case paneInputs:
        for (int i = 0; i < 4; ++i) {
            if (camera != nullptr && camera->m_sensorMatchesChannel && i != channel)
                continue;
            if (value & (1 << i))
                StartBlinking();
        }
        break;
    case paneRelays:
        // The relay buttons only: the rest of the panels (the matrix panel's edits, which the
        // operator may be typing in) stays as it is.
        if (VideoWall() != nullptr && VideoWall()->GetSelectedPaneWnd() == this) {
            if (CDlgPtzPanel* ptz = LiveViewHost().GetPtzPanel())
                ptz->ShowServerRelays(session->m_relayStates);
        }
        break;
    case paneInput:
        if (value >= 0 && value <= 3)
            SetInputState(value);
        break;
    case paneServerRecord:
        ShowIcon(m_serverRecordIcon, value != 0 ? "serverrecord_on.bmp" : "serverrecord_off.bmp");
        break;
    }
    SetRecordIcon(session->m_recordReasons);
    return 0;
}

void CDlgPreviewPane::OnInputButton(UINT id)
{
    int input = (int)(id - IDC_PANE_INPUT0);
    SetInputState(input);
    if (m_pSession != nullptr)
        m_pSession->SelectCamera(input);
}

void CDlgPreviewPane::PressSelect()
{
    CDlgVideoWall* wall = VideoWall();
    if (!IsTouring() && m_pSession != nullptr && m_pSession->m_pCamera != nullptr)
        LiveViewHost().SelectCameraInTree(m_pSession->m_pCamera);
    if (!m_selected && wall != nullptr)
        wall->SelectPane(m_paneIndex);
}

void CDlgPreviewPane::OnLButtonDown(UINT flags, CPoint point)
{
    if (DisplayPageTable().GetCount() == 0)
        return;
    DragSourcePane = nullptr;
    int mode = CurrentSplitMode();
    if (mode != -1 && mode != 1)
        DragSourcePane = this;
    BOOL wasSelected = m_selected;
    PressSelect();
    if (!wasSelected)
        CDialog::OnLButtonDown(flags, point);
}

void CDlgPreviewPane::OnRButtonDown(UINT flags, CPoint point)
{
    if (DisplayPageTable().GetCount() == 0)
        return;
    BOOL wasSelected = m_selected;
    PressSelect();
    if (!wasSelected)
        CDialog::OnRButtonDown(flags, point);
}

void CDlgPreviewPane::OnLButtonUp(UINT flags, CPoint point)
{
    CDlgPreviewPane* source = DragSourcePane;
    DragSourcePane = nullptr;
    if (source != nullptr && source != this && !IsTouring() && g_pPageGroup != nullptr) {
        g_pPageGroup->SwapPanes(source->m_paneIndex, m_paneIndex);
        if (!m_selected && VideoWall() != nullptr)
            VideoWall()->SelectPane(m_paneIndex);
    }
    CDialog::OnLButtonUp(flags, point);
}

void CDlgPreviewPane::OnLButtonDblClk(UINT, CPoint)
{
    CDlgVideoWall* wall = VideoWall();
    int mode = wall != nullptr && wall->GetCurrentPage() >= 0 ? CurrentSplitMode() : -1;
    if (mode == -1)
        return;
    if (wall->IsFullScreen()) {
        LiveViewHost().ToggleFullScreen(0, SplitBeforeFullScreen);
        SplitBeforeFullScreen = -1;
        return;
    }
    if (wall->IsTouring()) {
        LiveViewHost().ToggleFullScreen(1, -1);
        FocusMainWindow();
        return;
    }
    if (mode != 1) {
        SplitBeforeFullScreen = mode;
        wall->SetSplitMode(1, -1);
        FocusMainWindow();
        return;
    }
    if (SplitBeforeFullScreen == -1)
        SplitBeforeFullScreen = 1;
    LiveViewHost().ToggleFullScreen(1, -1);
    FocusMainWindow();
}

void CDlgPreviewPane::OnCancel()
{
    CDlgVideoWall* wall = VideoWall();
    if (wall != nullptr && wall->IsFullScreen()) {
        LiveViewHost().ToggleFullScreen(0, SplitBeforeFullScreen);
        SplitBeforeFullScreen = -1;
        return;
    }
    FocusMainWindow();
}

// Keys go to the main window's keyboard handling first, then to the pane's own.
BOOL CDlgPreviewPane::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP)
        LiveViewHost().HandleKeyMessage(pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}

const UINT kPaneMenuCommands[kPaneMenuCommandCount] = {ID_CAMERA_REMOVE_PANE,
                                                       ID_CAMERA_CONNECT,
                                                       ID_CAMERA_DISCONNECT,
                                                       ID_CAMERA_SHOW_PREVIEW,
                                                       ID_CAMERA_HIDE_PREVIEW,
                                                       ID_CAMERA_START_RECORD,
                                                       ID_CAMERA_STOP_RECORD,
                                                       ID_CAMERA_START_SERVER_RECORD,
                                                       ID_CAMERA_STOP_SERVER_RECORD,
                                                       ID_CAMERA_CAPTURE_BMP,
                                                       ID_CAMERA_SERVER_JPEG,
                                                       ID_CAMERA_START_JPEG_STREAM,
                                                       ID_CAMERA_STOP_JPEG_STREAM,
                                                       ID_CAMERA_CAPTURE_JPEG,
                                                       ID_CAMERA_DISARM,
                                                       ID_CAMERA_ARM,
                                                       ID_CAMERA_SETTINGS};

void CDlgPreviewPane::BuildMenu(CMenu& popup)
{
    for (UINT id : kPaneMenuCommands)
        popup.EnableMenuItem(id, MF_BYCOMMAND | MF_GRAYED);
    CChannelSession* session = m_pSession;
    if (LiveViewHost().IsScreenLocked() || session == nullptr)
        return;
    auto enable = [&popup](UINT id, BOOL on) {
        popup.EnableMenuItem(id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    };
    enable(ID_CAMERA_REMOVE_PANE, !IsTouring());
    if (session->m_state == sessionIdle) {
        enable(ID_CAMERA_CONNECT, TRUE);
    } else {
        enable(ID_CAMERA_DISCONNECT, TRUE);
        if (session->m_state == sessionConnected) {
            enable(session->m_previewWanted ? ID_CAMERA_HIDE_PREVIEW : ID_CAMERA_SHOW_PREVIEW, TRUE);
            enable(session->m_armed ? ID_CAMERA_DISARM : ID_CAMERA_ARM, TRUE);
            if (HasRight(rightLocalRecord))
                enable(session->m_recordReasons != 0 ? ID_CAMERA_STOP_RECORD : ID_CAMERA_START_RECORD, TRUE);
            if (HasRight(rightServerRecord)) {
                enable(ID_CAMERA_START_SERVER_RECORD, session->m_serverRecording == 0);
                enable(ID_CAMERA_STOP_SERVER_RECORD, session->m_serverRecording != 0);
            }
            enable(ID_CAMERA_CAPTURE_BMP, HasRight(rightSnapshot));
            enable(ID_CAMERA_SERVER_JPEG, HasRight(rightSnapshot));
            if (HasRight(rightSnapshot)) {
                BOOL streaming = session->m_jpegHandle != -1;
                enable(ID_CAMERA_CAPTURE_JPEG, streaming);
                enable(ID_CAMERA_STOP_JPEG_STREAM, streaming);
                enable(ID_CAMERA_START_JPEG_STREAM, !streaming);
            }
        }
    }
    enable(ID_CAMERA_SETTINGS, HasRight(rightCameraSettings));
}

void CDlgPreviewPane::OnRButtonUp(UINT flags, CPoint point)
{
    CMenu source;
    if (source.LoadMenu(IDR_CAMERA_MENU)) {
        CMenu* popup = source.GetSubMenu(0);
        if (popup != nullptr) {
            BuildMenu(*popup);
            CPVMenu owner;
            owner.LoadPopup(popup);
            CRect window;
            GetWindowRect(&window);
            owner.TrackPopupMenu(TPM_LEFTALIGN | TPM_LEFTBUTTON, point.x + window.left, point.y + window.top, this);
        }
    }
    CDialog::OnRButtonUp(flags, point);
}

void CDlgPreviewPane::OnMenuCommand(UINT id)
{
    CChannelSession* session = m_pSession;
    switch (id) {
    case ID_CAMERA_REMOVE_PANE:
        RemoveFromPage();
        return;
    case ID_CAMERA_START_RECORD:
    case ID_CAMERA_STOP_RECORD:
        if (CheckRight(rightLocalRecord))
            SetRecording(id == ID_CAMERA_START_RECORD, 1);
        return;
    case ID_CAMERA_START_SERVER_RECORD:
        StartServerRecord();
        return;
    case ID_CAMERA_STOP_SERVER_RECORD:
        StopServerRecord();
        return;
    case ID_CAMERA_CAPTURE_BMP:
        CaptureBmp();
        return;
    case ID_CAMERA_SETTINGS:
        if (CheckRight(rightCameraSettings) && session != nullptr)
            StationWindows().RunCameraSettings(session->m_pCamera);
        return;
    }
    if ((id == ID_CAMERA_SERVER_JPEG || id == ID_CAMERA_START_JPEG_STREAM || id == ID_CAMERA_STOP_JPEG_STREAM ||
         id == ID_CAMERA_CAPTURE_JPEG) &&
        !CheckRight(rightSnapshot))
        return;
    if (session == nullptr)
        return;
    switch (id) {
    case ID_CAMERA_CONNECT:
        session->Connect(1, 0);
        break;
    case ID_CAMERA_DISCONNECT:
        session->Connect(0, 0);
        break;
    case ID_CAMERA_SHOW_PREVIEW:
        session->ShowPreview(1);
        break;
    case ID_CAMERA_HIDE_PREVIEW:
        session->ShowPreview(0);
        break;
    case ID_CAMERA_SERVER_JPEG:
        session->CaptureServerJpeg();
        break;
    case ID_CAMERA_START_JPEG_STREAM:
        session->StartJpegStream();
        break;
    case ID_CAMERA_STOP_JPEG_STREAM:
        session->StopJpegStream();
        break;
    case ID_CAMERA_CAPTURE_JPEG:
        session->CaptureJpeg();
        break;
    case ID_CAMERA_DISARM:
        session->Disarm();
        break;
    case ID_CAMERA_ARM:
        session->Arm();
        break;
    }
}
