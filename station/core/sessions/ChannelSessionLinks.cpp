// The data model's session links, implemented over the channel sessions and pollers.
#include "station/core/sessions/ChannelSessionLinks.h"

#include "station/core/datamodel/TermCamera.h"
#include "station/core/sessions/AlarmBoxPoller.h"
#include "station/core/sessions/ChannelSession.h"
#include "station/core/sessions/SessionWindows.h"

namespace {

// The data model hands over only the sessions its cameras hold: one handled after its camera went (or
// after the camera took another) is the caller's mistake.
BOOL HeldByCamera(const CChannelSession* session)
{
    return session != nullptr && session->m_pCamera != nullptr && session->m_pCamera->m_pSession == session;
}

} // namespace

// The session's destructor disconnects it.
void CChannelSessionLinks::DestroySession(CChannelSession* session)
{
    delete session;
}

// The poller's destructor stops its thread before the server's cameras go.
void CChannelSessionLinks::DestroyAlarmBoxPoller(CAlarmBoxPoller* poller)
{
    delete poller;
}

void CChannelSessionLinks::SetRecording(CChannelSession* session, int on, int reasonBits)
{
    ASSERT(HeldByCamera(session));
    session->SetRecording(on, reasonBits, 1);
}

void CChannelSessionLinks::SetAudio(CChannelSession* session, int on)
{
    ASSERT(HeldByCamera(session));
    session->SetAudio(on);
}

void CChannelSessionLinks::ClearAlarm(CChannelSession* session)
{
    ASSERT(HeldByCamera(session));
    session->ClearAlarm();
}

void CChannelSessionLinks::AttachPane(CChannelSession* session, int attach, int pane, int connectFirst)
{
    ASSERT(HeldByCamera(session));
    IPreviewPane* window = pane >= 0 ? StationWindows().GetPreviewPane(pane) : nullptr;
    session->AttachPane(attach, window, connectFirst);
}

CTermCamera* CChannelSessionLinks::GetSessionCamera(CChannelSession* session)
{
    return session->m_pCamera;
}

CSessionLinks* InstallChannelSessionLinks()
{
    static CChannelSessionLinks links;
    return SetSessionLinks(&links);
}
