// The server tree's links to its live objects, implemented by the channel sessions and the
// alarm-box pollers. The main dialog installs them (InstallChannelSessionLinks) before it builds
// the sessions; the data model then reaches sessions and pollers through them.
#pragma once

#include "station/core/datamodel/StationLinks.h"

class CChannelSessionLinks : public CSessionLinks {
public:
    void DestroySession(CChannelSession* session) override;
    void DestroyAlarmBoxPoller(CAlarmBoxPoller* poller) override;
    void SetRecording(CChannelSession* session, int on, int reasonBits) override;
    void SetAudio(CChannelSession* session, int on) override;
    void ClearAlarm(CChannelSession* session) override;
    void AttachPane(CChannelSession* session, int attach, int pane, int connectFirst) override;
    CTermCamera* GetSessionCamera(CChannelSession* session) override;
};

// Installs the one instance; returns the links installed before.
CSessionLinks* InstallChannelSessionLinks();
