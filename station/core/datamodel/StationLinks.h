// How the data model reaches what lives above it: the channel sessions and alarm-box pollers that
// the records own, the live-view windows that the page operations drive, and the map's icon
// windows. The model only holds forward-declared pointers and calls through these interfaces; the
// channel-session, main-window and map code implement them and install their implementations. Until then null
// implementations stand in, so the model loads, edits and saves on its own.
#pragma once

#include <afx.h>

class CChannelSession;
class CAlarmBoxPoller;
class CTermCamera;
class CEMapIcon;

// The live objects owned by the server tree.
class CSessionLinks {
public:
    virtual ~CSessionLinks() = default;

    // Disconnects the session (CChannelSession::Connect (0, 0)) and deletes it.
    virtual void DestroySession(CChannelSession* session) = 0;
    // Stops the poller's thread and deletes the poller (its destructor does both).
    virtual void DestroyAlarmBoxPoller(CAlarmBoxPoller* poller) = 0;

    // CChannelSession::SetRecording (on, reasonBits, 1).
    virtual void SetRecording(CChannelSession* session, int on, int reasonBits) = 0;
    // CChannelSession::SetAudio (on).
    virtual void SetAudio(CChannelSession* session, int on) = 0;
    // CChannelSession::ClearAlarm.
    virtual void ClearAlarm(CChannelSession* session) = 0;
    // CChannelSession::AttachPane (attach, the preview pane of that index or none for -1, connectFirst).
    virtual void AttachPane(CChannelSession* session, int attach, int pane, int connectFirst) = 0;
    // The camera whose session it is.
    virtual CTermCamera* GetSessionCamera(CChannelSession* session) = 0;
};

// The live view: the main dialog, the video pane container and its 16 preview panes.
class CViewLinks {
public:
    virtual ~CViewLinks() = default;

    // CDlgMain::RebuildPageTable (attach).
    virtual void RebuildPageTable(int attach) = 0;
    // CDlgVideoWall::ShowPage (page, pane, force).
    virtual void ShowPage(int page, int pane, int force) = 0;
    // CDlgVideoWall::FindPaneOfCamera: the camera's pane on the current display page, or -1.
    virtual int FindPaneOfCamera(CTermCamera* camera) = 0;
    // The index of the display page shown, or -1.
    virtual int GetCurrentPage() = 0;
    // The session attached to preview pane 0..15, or null.
    virtual CChannelSession* GetPaneSession(int pane) = 0;
    // The pane forgets its attached session and repaints (CDlgPreviewPane::RefreshView (0)).
    virtual void ClearPane(int pane) = 0;
};

// The electronic map's windows.
class CMapLinks {
public:
    virtual ~CMapLinks() = default;

    // A map device's alarm state changed while an icon window shows it.
    virtual void SetIconAlarm(CEMapIcon* icon, int state) = 0;
};

// The installed implementations (the null ones until something is installed).
CSessionLinks& SessionLinks();
CViewLinks& ViewLinks();
CMapLinks& MapLinks();
// Installing null puts the null implementation back. Each returns the one installed before.
CSessionLinks* SetSessionLinks(CSessionLinks* links);
CViewLinks* SetViewLinks(CViewLinks* links);
CMapLinks* SetMapLinks(CMapLinks* links);
