#include "tests/station/ui/LiveWallSite.h"

#include "devices/conduit/Conduit.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/sessions/ChannelSession.h"
#include "station/core/sessions/ChannelSessionLinks.h"
#include "station/ui/liveview/DisplayPage.h"
#include "tests/support/TestSupport.h"

namespace {

const int kServers = 4;
const int kChannels = 4;

} // namespace

LiveWallWindows::LiveWallWindows()
{
    InitializeCriticalSection(&lock_);
}

LiveWallWindows::~LiveWallWindows()
{
    DeleteCriticalSection(&lock_);
}

void LiveWallWindows::PostConnectResult(CChannelSession* session, int result)
{
    EnterCriticalSection(&lock_);
    results_.push_back({session, result});
    LeaveCriticalSection(&lock_);
}

void LiveWallWindows::Deliver()
{
    std::vector<std::pair<CChannelSession*, int>> taken;
    EnterCriticalSection(&lock_);
    taken.swap(results_);
    LeaveCriticalSection(&lock_);
    for (auto& r : taken)
        HandleConnectResultMessage(reinterpret_cast<WPARAM>(r.first), r.second);
}

LiveWallSite::~LiveWallSite()
{
    Stop();
}

bool LiveWallSite::Start(const std::string& dir)
{
    std::string site = "[Site]\r\n";
    for (int s = 1; s <= kServers; ++s)
        site += "[Server" + std::to_string(s) + "]\r\nName=Site" + std::to_string(s) +
                "\r\nUser=admin\r\nPassword=admin\r\nChannels=4\r\nFrameRate=25\r\n";
    WriteTextFile(dir + "\\wall.ini", site);
    if (!devsim.Start(dir + "\\wall.ini"))
        return false;
    started_ = true;
    Conduit_Init(0, 0, 0, 0);
    g_pSysParam = new CSysParam;
    g_pRecGroup = new CRecGroup;
    CTermData* project = g_pRecGroup->AddGroup(nullptr, "工程");
    for (int s = 1; s <= kServers; ++s) {
        CString name;
        name.Format("Site%d", s);
        CTermServer* server =
            AddSiteServer(project, s, name, devsim.Port(std::string(name)), "admin", "admin", kChannels);
        for (int c = 0; c < kChannels; ++c) {
            CTermCamera* camera = server->FindCamera(c);
            camera->m_name.Format("%d号楼 摄像机%d", s, c + 1);
            CChannelSession* session = new CChannelSession;
            session->m_pCamera = camera;
            camera->m_pSession = session;
            sessions.push_back(session);
        }
    }
    for (int& right : CurrentUser().rights)
        right = 1;
    previous_ = SetStationWindows(&windows);
    InstallChannelSessionLinks();
    DisplayPage* pages[2] = {DisplayPageTable().Append(16), DisplayPageTable().Append(9)};
    for (DisplayPage* page : pages) {
        for (int i = 0; i < 16; ++i)
            page->cameras[i] = sessions[i]->m_pCamera;
    }
    return true;
}

bool LiveWallSite::ConnectAll(DWORD timeoutMs)
{
    for (CChannelSession* session : sessions)
        session->Connect(1, 0);
    DWORD start = GetTickCount();
    for (;;) {
        int connected = 0;
        for (CChannelSession* session : sessions)
            connected += session->m_state == sessionConnected;
        if (connected == (int)sessions.size())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return false;
        Run(10);
    }
}

void LiveWallSite::Run(DWORD ms)
{
    DWORD start = GetTickCount();
    do {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        PumpMessages();
        windows.Deliver();
    } while (GetTickCount() - start < ms);
}

void LiveWallSite::Stop()
{
    if (!started_)
        return;
    started_ = false;
    delete g_pRecGroup; // disconnects every session
    g_pRecGroup = nullptr;
    sessions.clear();
    delete g_pSysParam;
    g_pSysParam = nullptr;
    DisplayPageTable().RemoveAll();
    SetStationWindows(previous_);
    CurrentUser().Clear();
}

CTermServer* AddSiteServer(CTermData* project, int id, const char* name, int port, const char* user,
                           const char* password, int cameras)
{
    CTermServer* server = new CTermServer;
    server->m_id = id;
    server->m_name = name;
    server->m_address = "127.0.0.1";
    server->m_port = port;
    server->m_user = user;
    server->m_password = password;
    server->m_channelCount = cameras;
    server->m_pParent = project;
    project->m_servers.AddTail(server);
    for (int c = 0; c < cameras; ++c) {
        CTermCamera* camera = new CTermCamera;
        camera->m_name.Format("摄像机%d", c + 1);
        camera->m_channel = c;
        camera->m_pServer = server;
        server->m_cameras.AddTail(camera);
    }
    return server;
}

void CopyStationSkin(const std::string& dir)
{
    std::string from = ProgramDirectory() + "\\..\\..\\resources\\warden\\startdir\\skin";
    CreateDirectoryA((dir + "\\skin").c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((from + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        CopyFileA((from + "\\" + found.cFileName).c_str(), (dir + "\\skin\\" + found.cFileName).c_str(), FALSE);
    } while (FindNextFileA(find, &found));
    FindClose(find);
}
