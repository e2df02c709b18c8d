// What the channel sessions, the pollers and the recording store call on the main dialog.
#include "station/ui/mainwindow/DlgMain.h"

#include "station/config/servers/DlgCameraSetting.h"
#include "station/config/servers/DlgServerSelect.h"

#include "framework/Seams.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/SysParam.h"
#include "station/ui/mainwindow/DlgConnectInfo.h"
#include "station/ui/mainwindow/WardenApp.h"

void CDlgMain::PostConnectResult(CChannelSession* session, int result)
{
    if (m_hWnd != nullptr)
        ::PostMessageA(m_hWnd, WM_STREAM_CONNECT_RESULT, (WPARAM)session, (LPARAM)result);
}

void CDlgMain::PostExternalAlarm(CChannelSession* session, int input)
{
    if (m_hWnd != nullptr)
        ::PostMessageA(m_hWnd, WM_EXTERNAL_ALARM, (WPARAM)session, (LPARAM)input);
}

int CDlgMain::GetLinkageHandle()
{
    return m_services.LinkDeviceHandle();
}

CSystemLog* CDlgMain::GetSystemLog()
{
    return m_systemLog;
}

void CDlgMain::AppendConnectInfo(LPCSTR text)
{
    if (m_connectInfo == nullptr)
        return;
    m_connectInfo->SetInfoText(text);
    m_connectInfoReported = 1;
    MakeConnectInfoWindow();
    if (m_connectInfo->m_hWnd != nullptr)
        m_connectInfo->ShowWindow(SW_SHOW);
}

void CDlgMain::ShowMessage(LPCSTR text)
{
    AfxMessageBox(text);
}

void CDlgMain::ClearTalkState()
{
    m_services.ClearTalkState();
}

void CDlgMain::RunCameraSettings(CTermCamera* camera)
{
    // Right 11 was tested by the caller.
    if (camera == nullptr)
        return;
    CDlgCameraSetting settings(this);
    settings.m_pCamera = camera;
    settings.DoModal();
}

IPreviewPane* CDlgMain::GetPreviewPane(int index)
{
    return WallPane(index);
}

CTermServer* CDlgMain::ChooseServer()
{
    // Owned by the window that asked (the query dialog or the broadcast list), not by this one.
    CDlgServerSelect select;
    return select.DoModal() == IDOK ? select.m_pServer : nullptr;
}

int CDlgMain::IsAlarmSoundMarked()
{
    return m_alarmSoundOn;
}
void CDlgMain::MarkAlarmSound()
{
    m_alarmSoundOn = 1;
}

void CDlgMain::NoteAlarmStarted()
{
    m_tick.NoteAlarm(Seams::TickCount());
    SetButtonCheck(441, 1);
}

int CDlgMain::IsEMapShown()
{
    return IsButtonChecked(403);
}
int CDlgMain::IsTourRunning()
{
    return IsButtonChecked(402);
}
int CDlgMain::IsEMapEditorOpen()
{
    return m_editorOpen;
}
int CDlgMain::FindPageOfCamera(CTermCamera* camera)
{
    return WallFindPageOfCamera(camera);
}
void CDlgMain::SelectPane(int pane)
{
    WallSelectPane(pane);
}
void CDlgMain::OpenEMap()
{
    OnSkinButton(403, 2);
}

void CDlgMain::OnDiskEvent(int event)
{
    if (m_hWnd != nullptr)
        ::PostMessageA(m_hWnd, WM_RECORD_DISK_EVENT, (WPARAM)event, 0);
}

int CDlgMain::GetRecordFormat()
{
    return g_pSysParam != nullptr ? g_pSysParam->m_recordFormat : 0;
}
int CDlgMain::GetLogKeepDays()
{
    return g_pSysParam != nullptr ? g_pSysParam->m_logKeepDays : 0;
}

CWnd* CDlgMain::GetMainWindow()
{
    return m_hWnd != nullptr ? this : nullptr;
}
BOOL CDlgMain::HandleKeyMessage(MSG* message)
{
    return PreTranslateMessage(message);
}
int CDlgMain::IsScreenLocked()
{
    return m_screenLocked;
}
int CDlgMain::GetButtonChecked(UINT id)
{
    return IsButtonChecked(id);
}
void CDlgMain::SetButtonChecked(UINT id, int checked)
{
    SetButtonCheck(id, checked);
}
int CDlgMain::UseEnglishBitmaps()
{
    return ::UseEnglishBitmaps();
}
