// The main dialog's one-second tick, its posted messages and the exit record.
#include "station/ui/mainwindow/DlgMain.h"

#include "framework/Seams.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/sessions/ChannelSession.h"
#include "station/ui/liveview/DlgPtzPanel.h"
#include "station/ui/mainwindow/ExitRecord.h"

void CDlgMain::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == TIMER_TICK) {
        OnMainTick();
    } else if (nIDEvent == TIMER_TALK_LINKAGE) {
        m_services.OnTalkRelayTimer();
    }
    CDialog::OnTimer(nIDEvent);
}

void CDlgMain::OnMainTick()
{
    WriteClock();
    int autoClear = g_pSysParam != nullptr ? g_pSysParam->m_autoClearAlarm : 0;
    int seconds = g_pSysParam != nullptr ? g_pSysParam->m_autoClearSeconds : 0;
    int work = m_tick.Plan(g_pRecGroup != nullptr, autoClear, seconds, Seams::TickCount());
    if (work & TICK_SESSIONS)
        TickAllSessions();
    if (work & TICK_AUTO_CLEAR)
        ClearAlarms();
    if (work & TICK_HEARTBEAT)
        WriteHeartbeat();
}

void CDlgMain::WriteHeartbeat()
{
    SYSTEMTIME now;
    Seams::LocalTime(&now);
    ::WriteHeartbeat(GetStartDirectory(), now);
}

void CDlgMain::CheckLastExit()
{
    ::CheckLastExit(GetStartDirectory(), m_systemLog);
}

LRESULT CDlgMain::OnStreamConnectResult(WPARAM wParam, LPARAM lParam)
{
    HandleConnectResultMessage(wParam, lParam);
    return 0;
}

LRESULT CDlgMain::OnExternalAlarm(WPARAM wParam, LPARAM lParam)
{
    HandleExternalAlarmMessage(wParam, lParam);
    return 0;
}

LRESULT CDlgMain::OnKeyboardCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_screenLocked || g_pRecGroup == nullptr || !HasRight(7))
        return 0;
    CChannelSession* session = g_pRecGroup->FindSessionByKeyboardNo((int)wParam);
    if (session == nullptr || session->m_liveHandle == -1)
        return 0;
    int command = (int)((lParam >> 8) & 0xFF), value = (int)(lParam & 0xFF);
    session->PtzControl(command, value, -1);
    if (IsEMapShown() || IsTourRunning())
        return 0;
    ShowCamera(session->m_pCamera);
    if (CDlgPtzPanel* ptz = GetPtzPanel())
        ptz->StartKeyRepeat(command, value);
    return 0;
}
