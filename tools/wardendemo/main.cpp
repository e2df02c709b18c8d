// wardendemo: writes the station's demonstration data into a start directory, through the
// station's own data model, so that Warden starts logged in on the simulated site of
// devices/devsim/demo-site.ini: three servers, the four Lobby cameras on page 0 in four panes,
// camera 1 recording on motion, an electronic map of the Lobby with a child scene, storage in the
// given folder, automatic log-in as "admin".
//
//     wardendemo <start directory> <storage folder> [NAME=PORT ...]
//
// NAME=PORT moves a server to another port (a site started on free ports, as the whole-program
// tests do).
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/datamodel/UserData.h"
#include "station/core/datamodel/UserGroup.h"
#include "station/core/datamodel/VuskEMapDev.h"
#include "station/core/datamodel/VuskEMapGroup.h"
#include "station/core/datamodel/VuskEMapTerm.h"
#include "station/core/datamodel/VuskPage.h"
#include "station/core/datamodel/VuskPageGroup.h"
#include "station/core/storage/StoragePathEntry.h"

namespace {

struct DemoServer {
    const char* name;
    const char* address;
    WORD port;
    int channels;
    int ddns;
    int alarmBox;
};

// As devices/devsim/demo-site.ini describes the site; Parking is found through the DDNS port.
DemoServer kServers[3] = {
    {"Lobby", "127.0.0.1", 37010, 4, 0, 0},
    {"Warehouse", "127.0.0.1", 37011, 8, 0, 1},
    {"parking.ddns", "127.0.0.1", 37002, 16, 1, 0},
};

CTermServer* AddServer(CRecGroup& tree, CTermData* group, const DemoServer& demo)
{
    CTermServer* server = new CTermServer;
    server->m_id = tree.m_nextServerId++;
    server->m_name = demo.name;
    server->m_address = demo.address;
    server->m_port = demo.port;
    server->m_channelCount = demo.channels;
    server->m_useDdns = demo.ddns;
    server->m_user = "admin";
    server->m_password = "1234";
    server->m_alarmBoxEnabled = demo.alarmBox;
    server->m_boxAddress = 1;
    server->m_baudRate = 9600;
    server->m_pParent = group;
    group->m_servers.AddTail(server);
    for (int channel = 0; channel < demo.channels; ++channel) {
        CTermCamera* camera = new CTermCamera;
        camera->m_name.Format("摄像机%d", channel + 1);
        camera->m_channel = channel;
        camera->m_transport = 3;
        server->m_cameras.AddTail(camera);
    }
    server->BindCameras();
    return server;
}

// The ids, not the servers: the tree and its servers are gone when this returns.
void WriteTree(int& lobbyId, int& warehouseId)
{
    // A fresh tree: the constructor would read an earlier run's file.
    ::DeleteFileA(StationFilePath("servertree.cfg"));
    CRecGroup tree;
    tree.m_rootCaption = "Quillmoor";
    CTermData* project = tree.AddGroup(nullptr, "演示工程");
    CTermServer* lobby = nullptr;
    for (const DemoServer& demo : kServers) {
        CTermServer* server = AddServer(tree, project, demo);
        if (server->m_name == "Lobby")
            lobby = server;
        if (server->m_name == "Warehouse")
            warehouseId = server->m_id;
    }
    // Camera 1 of the Lobby records when it sees motion (armed is the sessions' default).
    CTermCamera* first = lobby->m_cameras.GetHead();
    first->m_motionRecord = 1;
    first->m_alarmDelaySeconds = 10;
    lobbyId = lobby->m_id;
    tree.Save();
}

void WritePages(int lobbyId)
{
    CVuskPageGroup pages;
    CVuskPage* page = pages.AddPage(4);
    for (int slot = 0; slot < 4; ++slot)
        page->SetSlot(slot, nullptr, lobbyId, slot);
    pages.Save();
}

void AddMapDevice(CVuskEMapTerm* scene, int kind, int serverId, int index, int x, int y)
{
    CVuskEMapDev* device = new CVuskEMapDev;
    device->m_kind = kind;
    device->m_serverId = serverId;
    device->m_index = index;
    device->m_x = x;
    device->m_y = y;
    device->m_pScene = scene;
    scene->m_devices.AddTail(device);
}

// The Lobby's plan with its four cameras, an alarm input of the Warehouse, the Lobby's first
// alarm output, and the office as a child scene.
void WriteMap(int lobbyId, int warehouseId)
{
    CVuskEMapGroup map;
    CString plans = GetStartDirectory() + "\\emap\\";
    CVuskEMapTerm* lobby = map.AddScene("大厅", nullptr);
    lobby->m_mapPath = plans + "lobby.bmp";
    const POINT cameras[4] = {{160, 140}, {520, 140}, {120, 400}, {480, 420}};
    for (int channel = 0; channel < 4; ++channel)
        AddMapDevice(lobby, emapCamera, lobbyId, channel, cameras[channel].x, cameras[channel].y);
    AddMapDevice(lobby, emapAlarmInput, warehouseId, 0, 640, 60);
    AddMapDevice(lobby, emapAlarmOutput, lobbyId, 0, 60, 60);
    CVuskEMapTerm* office = map.AddScene("办公室", lobby);
    office->m_mapPath = plans + "office.bmp";
    office->m_x = 300;
    office->m_y = 480;
    map.Save();
}

void WriteParameters()
{
    CSysParam params;
    params.Load();
    params.m_restorePages = 1;
    params.m_logDirectory = GetStartDirectory();
    params.Save();
}

void WriteUsers()
{
    CUserGroup users;
    users.Load();
    users.m_autoLogin = 1;
    users.m_autoLoginUser = users.m_users.IsEmpty() ? "admin" : (LPCSTR)users.m_users.GetHead()->m_name;
    users.m_autoLoginPassword = users.m_users.IsEmpty() ? "" : (LPCSTR)users.m_users.GetHead()->m_password;
    users.Save();
}

int WriteStorage(LPCSTR storage)
{
    ::CreateDirectoryA(storage, nullptr);
    StoragePathEntry entry = {};
    char full[MAX_PATH] = "";
    ::GetFullPathNameA(storage, sizeof full, full, nullptr);
    CopyText(entry.root, CString(full).Left(2));
    entry.reserve = 100;
    CopyText(entry.dir, full);
    FILE* file = fopen(StationFilePath("sysrecord.dat"), "wb");
    if (file == nullptr)
        return 0;
    fwrite(&entry, sizeof entry, 1, file);
    fclose(file);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: wardendemo <start directory> <storage folder> [NAME=PORT ...]\n");
        return 2;
    }
    SetStartDirectory(argv[1]);
    for (int i = 3; i < argc; ++i) {
        const char* equals = strchr(argv[i], '=');
        for (DemoServer& demo : kServers)
            if (equals != nullptr && strncmp(argv[i], demo.name, size_t(equals - argv[i])) == 0 &&
                demo.name[equals - argv[i]] == '\0')
                demo.port = WORD(atoi(equals + 1));
    }
    int lobbyId = 0, warehouseId = 0;
    WriteTree(lobbyId, warehouseId);
    WritePages(lobbyId);
    WriteMap(lobbyId, warehouseId);
    WriteParameters();
    WriteUsers();
    if (!WriteStorage(argv[2]))
        return 1;
    printf("demonstration data written to %s\n", argv[1]);
    return 0;
}
