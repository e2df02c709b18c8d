// The installed station windows, the null ones that stand in until the main dialog exists, and
// the main dialog's handling of the messages that carry a session.
#include "station/core/sessions/SessionWindows.h"

#include "station/core/sessions/ChannelSession.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"

namespace {

// Set on the user-interface thread before any session or poller thread exists.
IStationWindows* stationWindows = nullptr;

IStationWindows& NullStationWindows()
{
    static CNullStationWindows windows;
    return windows;
}

// The session a message names, when the server tree still owns it: a session deleted after the
// message was posted must not be touched.
CChannelSession* OwnedSession(WPARAM wParam)
{
    CChannelSession* session = reinterpret_cast<CChannelSession*>(wParam);
    return g_pRecGroup != nullptr && g_pRecGroup->OwnsSession(session) ? session : nullptr;
}

} // namespace

IStationWindows& StationWindows()
{
    return stationWindows ? *stationWindows : NullStationWindows();
}

IStationWindows* SetStationWindows(IStationWindows* windows)
{
    IStationWindows* previous = stationWindows ? stationWindows : &NullStationWindows();
    stationWindows = windows;
    return previous;
}

void HandleConnectResultMessage(WPARAM wParam, LPARAM lParam)
{
    if (CChannelSession* session = OwnedSession(wParam))
        session->OnConnectResult(session, (int)lParam);
}

void HandleExternalAlarmMessage(WPARAM wParam, LPARAM lParam)
{
    if (CChannelSession* session = OwnedSession(wParam))
        session->OnExternalAlarm(session, (int)lParam);
}
