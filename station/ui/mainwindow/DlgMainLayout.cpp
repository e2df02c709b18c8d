// The main dialog's layout file, command buttons and keys.
#include "station/ui/mainwindow/DlgMain.h"

#include <mmsystem.h>

#include "devices/portwick/Portwick.h"
#include "framework/Seams.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/sessions/AudioSeams.h"
#include "station/core/sessions/ChannelSession.h"
#include "station/ui/liveview/DlgPresetCycle.h"
#include "station/ui/liveview/DlgPreviewPane.h"
#include "station/ui/liveview/DlgVideoWall.h"
#include "station/ui/liveview/DlgPtzPanel.h"
#include "station/ui/mainwindow/MainKeys.h"
#include "station/ui/liveview/PtzCodes.h"
#include "station/ui/liveview/SkinButton.h"
#include "station/ui/mainwindow/SkinLayout.h"
#include "framework/StartupTrace.h"
#include "station/ui/mainwindow/WardenApp.h"

namespace {

struct SkinButtonInfo {
    UINT id;
    const char* key;
    const char* picture; // in "Skin//", without ".BMP"
    int english;
    UINT tooltip;
};

const SkinButtonInfo kButtons[kSkinButtonCount] = {
    {400, "alarminfo", "alarm", 1, 0},         {401, "queryinfo", "query", 1, 0},
    {402, "loopview", "loopview", 1, 0},       {403, "emap", "emap", 1, 0},
    {404, "status", "status", 1, 0},           {405, "mode_1", "mode1", 0, 248},
    {406, "mode_4", "mode4", 0, 249},          {407, "mode_6", "mode6", 0, 250},
    {408, "mode_8", "mode8", 0, 251},          {409, "mode_9", "mode9", 0, 252},
    {410, "mode_16", "mode16", 0, 253},        {411, "mode_full", "modefull", 0, 254},
    {412, "dislink", "dislink", 0, 255},       {413, "capbmp", "capbmp", 0, 256},
    {414, "localrecv", "localrecv", 0, 257},   {415, "remoterecv", "remoterecv", 0, 258},
    {416, "audioplay", "audio", 0, 259},       {417, "talkplay", "talk", 0, 260},
    {441, "cleanalarm", "cleanalarm", 0, 284}, {442, "pageleft", "page_left", 0, 308},
    {443, "pageright", "page_right", 0, 309},
};

int ButtonIndex(UINT id)
{
    for (int i = 0; i < kSkinButtonCount; ++i) {
        if (kSkinButtonIds[i] == id)
            return i;
    }
    return -1;
}

} // namespace

CSkinButton* CDlgMain::SkinButton(UINT id)
{
    int index = ButtonIndex(id);
    return index >= 0 ? m_skinButtons[index] : nullptr;
}

void CDlgMain::SetButtonCheck(UINT id, int on)
{
    if (CSkinButton* button = SkinButton(id))
        button->SetChecked(on ? 1 : 0);
}

int CDlgMain::IsButtonChecked(UINT id)
{
    CSkinButton* button = SkinButton(id);
    return button != nullptr ? button->GetChecked() : 0;
}

void CDlgMain::EnableButton(UINT id, BOOL enable)
{
    if (CSkinButton* button = SkinButton(id); button != nullptr && button->m_hWnd != nullptr)
        button->EnableWindow(enable);
}

void CDlgMain::ShowButton(UINT id, int show)
{
    if (CSkinButton* button = SkinButton(id); button != nullptr && button->m_hWnd != nullptr)
        button->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

HBITMAP CDlgMain::LoadButtonPicture(LPCSTR name, int width, int height)
{
    return (HBITMAP)::LoadImageA(nullptr, name, IMAGE_BITMAP, width, height, LR_LOADFROMFILE);
}

void CDlgMain::PlaceControl(CWnd& control, LPCSTR key, LPCSTR section)
{
    int x, y, w, h;
    ReadSkinRect(SkinLayoutPath(), key, &x, &y, &w, &h, section);
    if (control.m_hWnd != nullptr)
        control.MoveWindow(x, y, w, h);
}

void CDlgMain::SkinButtonEvent(UINT id, int event, UINT, CWnd* owner, int, int)
{
    if (CDlgMain* main = dynamic_cast<CDlgMain*>(owner))
        main->OnSkinButton(id, event);
}

void CDlgMain::CreateSkinButton(int index)
{
    const SkinButtonInfo& info = kButtons[index];
    int x, y, w, h;
    ReadSkinRect(SkinLayoutPath(), info.key, &x, &y, &w, &h, nullptr);
    CString picture;
    picture.Format("Skin//%s%s", info.picture, info.english && UseEnglishBitmaps() ? "_en" : "");
    CSkinButton* button = new CSkinButton;
    m_skinButtons[index] = button;
    // Without a layout key the size reads 0 x 0 and the pictures come at their own size, which the
    // button takes; without its pictures it stays 0 x 0 and cannot be seen or clicked. The pictures
    // are loaded first so that the window is made at its place and size at once; this dialog does
    // not use WM_PARENTNOTIFY.
    button->LoadBitmaps(picture + ".BMP", picture + "_push.BMP", nullptr, picture + "_dis.BMP", w, h);
    if (!button->CreateAt(info.id, this, SkinButtonEvent, x, y, WS_EX_NOPARENTNOTIFY))
        return;
    if (info.tooltip != 0) {
        CString tip;
        tip.LoadString(info.tooltip);
        m_toolTip.AddTool(button, tip);
    }
}

void CDlgMain::LayoutFromSkin()
{
    ::SetCurrentDirectoryA(GetStartDirectory());
    int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    // Painted first by the first paint: stretched meanwhile on a thread of its own.
    m_backgroundLoad.Start("Skin//background.bmp", width, height, LR_CREATEDIBSECTION);
    m_backgroundLoading = 1;
    int x, y, w, h;
    ReadSkinRect(SkinLayoutPath(), "logopos", &x, &y, &w, &h, "VIDEO_WND");
    if (HBITMAP logo = LoadButtonPicture("Skin//logo.bmp", w, h))
        m_logoPicture.SetBitmap(logo);
    m_logoPicture.MoveWindow(x, y, w, h);
    PlaceControl(m_serverTree, "treepos", "VIDEO_WND");
    PlaceControl(m_tabCtrl, "tabpos", "VIDEO_WND");
    TraceStartupStep("background and logo");
    for (int i = 0; i < kSkinButtonCount; ++i)
        CreateSkinButton(i);
    TraceStartupStep("command buttons");
    EnableButton(403, TRUE);
    ShowButton(404, 0);
    PlaceControl(m_clockLabel, "timepos", "VIDEO_WND");
    PlaceControl(m_dateLabel, "datepos", "VIDEO_WND");
    m_clockLabel.SetFont(&m_mainFont);
    m_dateLabel.SetFont(&m_mainFont);
    CreatePanels();
    TraceStartupStep("panels");
    CreateEMapWindows();
}

HBITMAP CDlgMain::BackgroundPicture()
{
    if (m_backgroundLoading) {
        m_backgroundLoading = 0;
        m_backgroundPicture = m_backgroundLoad.Take();
    }
    return m_backgroundPicture;
}

void CDlgMain::OnSkinButton(UINT id, int event)
{
    if (event != 2)
        return;
    switch (id) {
    case 400:
        OnSystemLog();
        return;
    case 401:
        OnVideoFiles();
        return;
    case 402:
        OnTour();
        return;
    case 403:
        OnEMap();
        return;
    case 411:
        ToggleFullScreen(1, -1);
        return;
    case 412:
        if (CChannelSession* session = WallSelectedSession())
            session->Connect(0, 0);
        return;
    case 413:
        if (CChannelSession* session = WallSelectedSession())
            session->RequestCaptureBmp();
        return;
    case 414:
        if (CChannelSession* session = WallSelectedSession())
            session->SetRecording(1, 1, 1);
        return;
    case 415:
        // Through the pane, which refuses without the right and says so.
        if (CDlgPreviewPane* pane = SelectedPreviewPane())
            pane->StartServerRecord();
        return;
    case 416:
        SetButtonCheck(416, !IsButtonChecked(416));
        WallSetAudioFollow(IsButtonChecked(416));
        return;
    case 417:
        Talk(0);
        return;
    case 441:
        ClearAlarms();
        return;
    case 442:
        WallPrevPage();
        return;
    case 443:
        WallNextPage();
        return;
    }
    static const int modes[6] = {1, 4, 6, 8, 9, 16};
    if (id >= 405 && id <= 410)
        SetSplitMode(modes[id - 405]);
}

void CDlgMain::SetSplitMode(int mode)
{
    if (GetDisplayPageCount() == 0)
        return;
    if (mode != 1 && mode != 4 && mode != 6 && mode != 8 && mode != 9 && mode != 16)
        return;
    if (mode != WallCurrentSplitMode())
        WallSetSplitMode(mode);
}

BOOL CDlgMain::PreTranslateMessage(MSG* pMsg)
{
    switch (RouteKeyMessage(IsTourRunning(), m_screenLocked, HasRight(7), pMsg->message, pMsg->wParam)) {
    case KEY_ROUTE_KEYDOWN:
        if (HandleHotKey(pMsg->wParam))
            return TRUE;
        return HasRight(7) && HandlePtzKey(pMsg->wParam, WM_KEYDOWN);
    case KEY_ROUTE_PTZ_UP:
        return HandlePtzKey(pMsg->wParam, WM_KEYUP);
    case KEY_ROUTE_SWALLOW:
        return TRUE;
    case KEY_ROUTE_DEFAULT:
        break;
    }
    if (m_toolTip.m_hWnd != nullptr)
        m_toolTip.RelayEvent(pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}

int CDlgMain::HandleHotKey(WPARAM key)
{
    int pane = HotKeyPane(key);
    if (pane >= 0) {
        if (HWND window = WallPaneWindow(pane))
            ::PostMessageA(window, WM_LBUTTONDOWN, 0, 0);
        return 1;
    }
    int mode = HotKeySplitMode(key, ::GetKeyState(VK_CONTROL) < 0);
    if (mode != 0) {
        SetSplitMode(mode);
        return 1;
    }
    return 0;
}

// The same codes and values as the PTZ panel's keys, read from the panel's controls.
int CDlgMain::HandlePtzKey(WPARAM key, UINT message)
{
    CChannelSession* session = WallSelectedSession();
    CDlgPtzPanel* ptz = GetPtzPanel();
    if (message == WM_KEYDOWN && key >= VK_F1 && key <= VK_F4 && ::GetKeyState(VK_CONTROL) < 0) {
        // Ctrl + F1..F4: relay 0..3 of the selected pane's server is inverted.
        if (ptz != nullptr)
            ptz->ToggleServerRelay((int)(key - VK_F1));
        return 1;
    }
    if (message == WM_KEYDOWN && (key == 'B' || key == 'V')) {
        if (session == nullptr)
            return 0;
        if (key == 'V') {
            CDlgPresetCycle cycle(session->m_pCamera, this);
            cycle.DoModal();
        } else if (session->m_presetCycleRunning) {
            session->StepPresetCycle(0, 0);
        } else {
            session->StepPresetCycle(1, 1);
        }
        return 1;
    }
    int code = PtzDirectionCode(key, message == WM_KEYUP);
    int value = ptz != nullptr ? ptz->GetSpeed() : 5;
    if (code < 0 && message == WM_KEYDOWN) {
        switch (key) {
        case 'R':
        case 'T':
            code = key == 'R' ? ptzGotoPreset : ptzSetPreset;
            value = ptz != nullptr ? ptz->ReadPresetNumber() : 0;
            break;
        case 'F':
        case 'G':
            code = key == 'F' ? ptzAuxOn : ptzAuxOff;
            value = ptz != nullptr ? ptz->ReadAuxNumber() : 0;
            break;
        case 'L':
            code = ptz != nullptr && ptz->ToggleAuto() ? ptzAutoScanOn : ptzAutoScanOff;
            value = 0;
            break;
        }
    }
    if (code < 0)
        return 0;
    if (session != nullptr)
        session->PtzControl(code, value, -1);
    if (ptz != nullptr)
        ptz->StartKeyRepeat(code, value);
    return 1;
}

void CDlgMain::ClearAlarms()
{
    if (m_alarmSoundOn) {
        AudioSeams::PlaySound(nullptr, nullptr, SND_ASYNC);
        m_alarmSoundOn = 0;
    }
    WallClearAllAlarms();
    SetButtonCheck(441, 0);
    m_tick.ClearAlarm();
    RelayOffAll();
}

void CDlgMain::RelayOffAll()
{
    for (int output = 0; output < 8; ++output) {
        if (m_services.LinkDeviceHandle() != 0)
            Portwick_SetRelay(m_services.LinkDeviceHandle(), 31, output);
        SetLocalRelayState(output, 0);
    }
}

void CDlgMain::WriteClock()
{
    SYSTEMTIME now;
    Seams::LocalTime(&now);
    CString clock, date;
    clock.Format("%02d:%02d:%02d", now.wHour, now.wMinute, now.wSecond);
    date.Format("%04d:%02d:%02d", now.wYear, now.wMonth, now.wDay);
    m_clockLabel.SetWindowText(clock);
    m_dateLabel.SetWindowText(date);
}
