// Helpers of the main window's tests.
#include "tests/station/mainwindow/MainTestSupport.h"

#include <windows.h>
#include <stdio.h>

#include "framework/WindowSeams.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/datamodel/UserData.h"
#include "station/core/datamodel/UserGroup.h"

void StationDirTest::SetUp()
{
    dir_.reset(new TempDir(true));
    SetStartDirectory(dir_->Path().c_str());
    CUserGroup users;
    users.Load();
    CUserData* admin = users.m_users.GetHead();
    admin->m_name = "Admin";
    admin->m_password = "Pw";
    users.Save();
    CSysParam params;
    params.m_logDirectory = dir_->Path().c_str();
    // Test programs run side by side: none may hold the file service's fixed port.
    params.m_fileServiceEnabled = 0;
    params.Save();
}

void StationDirTest::TearDown()
{
    Seams::ReplaceModalLoop(nullptr);
    Seams::ReplaceMessageBox(nullptr);
    CurrentUser().Clear();
    dir_.reset();
}

std::vector<SysLogRecord> ReadLogRecords(const std::string& dir)
{
    std::vector<SysLogRecord> records;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((dir + "\\Vusk\\*.log").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return records;
    do {
        FILE* file = fopen((dir + "\\Vusk\\" + found.cFileName).c_str(), "rb");
        if (file == nullptr)
            continue;
        SysLogRecord record;
        while (fread(&record, sizeof record, 1, file) == 1)
            records.push_back(record);
        fclose(file);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return records;
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (file == nullptr)
        return;
    fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
}

std::string FileBytes(const std::string& path)
{
    std::string bytes;
    FILE* file = fopen(path.c_str(), "rb");
    if (file == nullptr)
        return bytes;
    char block[4096];
    size_t read;
    while ((read = fread(block, 1, sizeof block, file)) > 0)
        bytes.append(block, read);
    fclose(file);
    return bytes;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadIni(const std::string& path, const char* section, const char* key)
{
    char value[512] = "";
    GetPrivateProfileStringA(section, key, "", value, sizeof value, path.c_str());
    return value;
}

void WriteServerTree(const char* caption)
{
    DeleteFileA(StationFilePath("servertree.cfg"));
    CRecGroup tree;
    tree.m_rootCaption = caption;
    CTermData* project = tree.AddGroup(nullptr, "工程");
    CTermServer* server = new CTermServer;
    server->m_id = tree.m_nextServerId++;
    server->m_name = "Lobby";
    server->m_address = "127.0.0.1";
    server->m_port = 1;
    server->m_alarmBoxEnabled = 1;
    server->m_pParent = project;
    project->m_servers.AddTail(server);
    for (int i = 0; i < 2; ++i) {
        CTermCamera* camera = new CTermCamera;
        camera->m_name.Format("摄像机%d", i + 1);
        camera->m_channel = i;
        camera->m_disabled = i;
        server->m_cameras.AddTail(camera);
    }
    server->BindCameras();
    tree.Save();
}

void EnableAutoLogin(const char* user, const char* password)
{
    CUserGroup users;
    users.Load();
    users.m_autoLogin = 1;
    users.m_autoLoginUser = user;
    users.m_autoLoginPassword = password;
    users.Save();
}
