// A simulated site of 16 live cameras (4 servers of 4 channels at 25 pictures a second) with
// their server tree and channel sessions, and the display pages the wall shows them on: what the
// wall's screenshots and its benchmark run against.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "devices/devsim/control/DevsimControl.h"
#include "station/core/sessions/SessionWindows.h"

class CChannelSession;
class CTermData;
class CTermServer;

// The main dialog as far as live panes need it: connect results wait for this thread.
class LiveWallWindows : public CNullStationWindows {
public:
    LiveWallWindows();
    ~LiveWallWindows() override;
    void PostConnectResult(CChannelSession* session, int result) override;
    // Hands the waiting results on as the main dialog does.
    void Deliver();

private:
    CRITICAL_SECTION lock_;
    std::vector<std::pair<CChannelSession*, int>> results_;
};

class LiveWallSite {
public:
    ~LiveWallSite();
    // Starts devsim in dir and builds the tree, one session per camera, and two display pages of
    // the 16 cameras (split 16 and split 9). False when devsim does not come up.
    bool Start(const std::string& dir);
    // Connects every session; false when they are not all connected within timeoutMs.
    bool ConnectAll(DWORD timeoutMs);
    // Pumps this thread's messages and the connect results for ms milliseconds.
    void Run(DWORD ms);
    void Stop();

    DevsimSite devsim;
    LiveWallWindows windows;
    std::vector<CChannelSession*> sessions;

private:
    IStationWindows* previous_ = nullptr;
    bool started_ = false;
};

// A server of the site in the project: reached on 127.0.0.1 at port with user and password, its
// cameras named "摄像机N" on channels 0 to cameras - 1 (bound to it, no sessions).
CTermServer* AddSiteServer(CTermData* project, int id, const char* name, int port, const char* user,
                           const char* password, int cameras);

// Copies the station's shipped skin folder (layout file and pictures) into dir\skin.
void CopyStationSkin(const std::string& dir);
