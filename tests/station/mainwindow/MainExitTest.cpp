// The main dialog's ways out and its housekeeping, driven as an operator and the watchdog reach them:
// the exit request while a dialog of the station runs its own loop, the exit command and its
// confirmation, an import followed by the exit, the outside libraries stopped once, and the disk
// events of the recording storage.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "devices/conduit/Conduit.h"
#include "devices/depotix/Depotix.h"
#include "framework/Seams.h"
#include "framework/WindowSeams.h"
#include "resources/warden/resource.h"
#include "skin/engine/interception/ImportHook.h"
#include "station/config/servers/DlgCameraSetting.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/sessions/AudioSeams.h"
#include "station/core/storage/RecordStoreOwner.h"
#include "station/ui/mainwindow/DlgLogin.h"
#include "station/ui/mainwindow/DlgMain.h"
#include "station/ui/mainwindow/SettingsTransfer.h"
#include "tests/framework/windows/WindowTestSupport.h"
#include "tests/station/mainwindow/MainTestSupport.h"

namespace {

CDlgMain* LoadedMain(CWnd* window)
{
    CDlgMain* main = dynamic_cast<CDlgMain*>(window);
    return main != nullptr && g_pRecGroup != nullptr ? main : nullptr;
}

HTREEITEM FindItemWithData(CTreeCtrl& tree, HTREEITEM first, const void* data)
{
    for (HTREEITEM item = first; item != nullptr; item = tree.GetNextSiblingItem(item)) {
        if (tree.GetItemData(item) == (DWORD_PTR)data)
            return item;
        if (HTREEITEM found = FindItemWithData(tree, tree.GetChildItem(item), data))
            return found;
    }
    return nullptr;
}

// Clicks the record's item in the main dialog's server tree.
void SelectInTree(CDlgMain* main, const void* record)
{
    CTreeCtrl& tree = main->m_serverTree;
    HTREEITEM item = FindItemWithData(tree, tree.GetRootItem(), record);
    ASSERT_NE(nullptr, item);
    tree.SelectItem(item);
}

CTermCamera* FirstCamera()
{
    CTermServer* server = g_pRecGroup->m_projects.GetHead()->m_servers.GetHead();
    return server->m_cameras.GetHead();
}

std::string LastLogText(const std::string& dir)
{
    std::vector<SysLogRecord> records = ReadLogRecords(dir);
    return records.empty() ? std::string() : std::string(records.back().text);
}

// Answers the confirmation (the log-in dialog in its confirm mode) as the user would: the current
// user's name and password typed and OK pressed, or Cancel.
void AnswerConfirmation(CWnd* window, bool confirm)
{
    CDlgLogin* login = dynamic_cast<CDlgLogin*>(window);
    if (login == nullptr)
        return;
    if (!confirm) {
        login->SendMessage(WM_COMMAND, IDCANCEL);
        return;
    }
    login->SetDlgItemText(IDC_LOGIN_NAME, "admin");
    login->SetDlgItemText(IDC_LOGIN_PASSWORD, "pw");
    login->SendMessage(WM_COMMAND, IDOK);
}

} // namespace

// The watchdog's exit request arrives while the camera settings run their loop over the camera: the
// settings are cancelled first (their edits dropped), and only then is the tree freed and the station
// ended, with its exit record and its last log record.
TEST_F(StationDirTest, AnExitRequestEndsTheOpenCameraSettingsBeforeTheDataGoes)
{
    EnableAutoLogin();
    WriteServerTree("Quillmoor");
    const std::string treeBefore = FileBytes(dir_->File("servertree.cfg"));
    MessageBoxRecorder boxes;
    int settingsIdles = 0, freedUnderSettings = 0, requested = 0;
    {
        ModalDriver driver([&](CWnd* window) {
            if (CDlgMain* main = LoadedMain(window)) {
                if (requested == 0) {
                    requested = -1;
                    SelectInTree(main, FirstCamera());
                    main->PostMessage(WM_COMMAND, ID_CAMERA_SETTINGS);
                }
                return;
            }
            CDlgCameraSetting* settings = dynamic_cast<CDlgCameraSetting*>(window);
            if (settings == nullptr)
                return;
            ++settingsIdles;
            if (requested == -1) {
                requested = 1;
                if (settings->m_desc.m_hWnd != nullptr)
                    settings->m_desc.SetDlgItemText(IDC_DESCRIPTION, "改过的说明");
                ::PostMessageA(CDlgMain::Instance()->m_hWnd, WM_EXIT_REQUEST, 0, 0);
                return;
            }
            // Still running after the request: the tree it edits must still be there.
            freedUnderSettings += g_pRecGroup == nullptr;
            settings->EndDialog(IDCANCEL);
        });
        CDlgMain dialog;
        dialog.DoModal();
    }
    EXPECT_EQ(1, requested);
    EXPECT_EQ(0, freedUnderSettings) << "the shut-down ran while the settings dialog still worked on the tree";
    EXPECT_EQ(1, settingsIdles) << "the request ended the settings dialog";
    EXPECT_EQ(nullptr, g_pRecGroup);
    EXPECT_EQ("1", ReadIni(dir_->File("exit.ini"), "EXIT", "EXITCODE"));
    EXPECT_EQ("退出系统", LastLogText(dir_->Path()));
    EXPECT_EQ(treeBefore, FileBytes(dir_->File("servertree.cfg"))) << "nothing of the cancelled settings is saved";
}

// The exit command asks for the user's password: Cancel leaves the station running with its exit
// record at "0" and the temporary videos in place; a confirmation deletes them and records "1".
TEST_F(StationDirTest, TheExitCommandEndsOnlyWhenConfirmed)
{
    EnableAutoLogin();
    WriteServerTree("Quillmoor");
    CreateDirectoryA(dir_->File("Temp Video").c_str(), nullptr);
    WriteFile(dir_->File("Temp Video\\clip1.mp4"), "video");
    WriteFile(dir_->File("Temp Video\\clip2.asf"), "video");
    std::string codeAfterCancel;
    bool videosAfterCancel = false;
    int step = 0;
    {
        ModalDriver driver([&](CWnd* window) {
            if (CDlgMain* main = LoadedMain(window)) {
                if (step == 0) {
                    step = 1;
                    main->PostMessage(WM_COMMAND, ID_EXIT);
                } else if (step == 2) {
                    step = 3;
                    codeAfterCancel = ReadIni(dir_->File("exit.ini"), "EXIT", "EXITCODE");
                    videosAfterCancel = FileExists(dir_->File("Temp Video\\clip1.mp4"));
                    main->PostMessage(WM_COMMAND, ID_EXIT);
                }
                return;
            }
            if (dynamic_cast<CDlgLogin*>(window) == nullptr)
                return;
            AnswerConfirmation(window, step == 3);
            if (step == 1)
                step = 2;
        });
        CDlgMain dialog;
        dialog.DoModal();
    }
    ASSERT_EQ(3, step);
    EXPECT_EQ("0", codeAfterCancel) << "a cancelled exit leaves the station running";
    EXPECT_TRUE(videosAfterCancel);
    EXPECT_EQ("1", ReadIni(dir_->File("exit.ini"), "EXIT", "EXITCODE"));
    EXPECT_FALSE(FileExists(dir_->File("Temp Video\\clip1.mp4")));
    EXPECT_FALSE(FileExists(dir_->File("Temp Video\\clip2.asf")));
    EXPECT_EQ("退出系统", LastLogText(dir_->Path()));
}

namespace {

std::string g_importFolder;

BOOL ChooseImportFolder(const BROWSEINFOA*, LPCSTR, LPSTR path)
{
    lstrcpynA(path, g_importFolder.c_str(), MAX_PATH);
    return TRUE;
}

} // namespace

// An import copies another station's files over the start directory's and ends the station (after
// the confirmation): the shut-down must leave the imported files as they came, not save the running
// station's state over them.
TEST_F(StationDirTest, AnImportFollowedByTheExitKeepsTheImportedFiles)
{
    EnableAutoLogin();
    WriteServerTree("Quillmoor");
    TempDir other;
    g_importFolder = other.Path();
    {
        // The other station's files, written by the data model in its own start directory.
        SetStartDirectory(other.Path().c_str());
        WriteServerTree("Elsewhere");
        EnableAutoLogin("someone", "else");
        SetStartDirectory(dir_->Path().c_str());
    }
    const std::string importedTree = FileBytes(other.File("servertree.cfg"));
    const std::string importedUsers = FileBytes(other.File("userlist.dat"));
    MessageBoxRecorder boxes;
    Seams::FolderDialogFunc previousFolder = Seams::ReplaceFolderDialog(ChooseImportFolder);
    int step = 0;
    {
        ModalDriver driver([&](CWnd* window) {
            if (CDlgMain* main = LoadedMain(window)) {
                if (step++ == 0)
                    main->PostMessage(WM_COMMAND, ID_IMPORT_SETTINGS);
                return;
            }
            AnswerConfirmation(window, true);
        });
        CDlgMain dialog;
        dialog.DoModal();
    }
    Seams::ReplaceFolderDialog(previousFolder);
    const bool imported = SettingsImported() != 0;
    ResetSettingsImported();
    EXPECT_TRUE(imported);
    EXPECT_EQ("1", ReadIni(dir_->File("exit.ini"), "EXIT", "EXITCODE")) << "the station ended";
    EXPECT_EQ(importedTree, FileBytes(dir_->File("servertree.cfg")));
    EXPECT_EQ(importedUsers, FileBytes(dir_->File("userlist.dat"))) << "the user list is not saved over the import";
}

namespace {

int g_relayStops = 0, g_fileServiceStops = 0;
int(__stdcall* g_realRelayStop)() = nullptr;
int(__stdcall* g_realFileServiceStop)() = nullptr;

int __stdcall CountRelayStop()
{
    ++g_relayStops;
    return g_realRelayStop();
}

int __stdcall CountFileServiceStop()
{
    ++g_fileServiceStops;
    return g_realFileServiceStop();
}

// Counts the station's calls of the two stops through this program's import table.
class StopCounters {
public:
    StopCounters()
    {
        g_realRelayStop = &Conduit_StopRelayService;
        g_realFileServiceStop = &Depotix_Stop;
        HMODULE self = GetModuleHandleA(nullptr);
        ok_ = ImportHook::PatchModule(self, "Conduit.dll", (void*)g_realRelayStop, (void*)&CountRelayStop) &&
              ImportHook::PatchModule(self, "Depotix.dll", (void*)g_realFileServiceStop, (void*)&CountFileServiceStop);
    }
    ~StopCounters()
    {
        HMODULE self = GetModuleHandleA(nullptr);
        ImportHook::PatchModule(self, "Conduit.dll", (void*)&CountRelayStop, (void*)g_realRelayStop);
        ImportHook::PatchModule(self, "Depotix.dll", (void*)&CountFileServiceStop, (void*)g_realFileServiceStop);
    }
    bool Installed() const { return ok_; }

private:
    bool ok_ = false;
};

} // namespace

// The forwarding and the file service stop once at the end, though the shut-down runs twice (the
// exit's own and the window's destruction).
TEST_F(StationDirTest, TheServicesStopOnceAtTheEnd)
{
    EnableAutoLogin();
    WriteServerTree("Quillmoor");
    StopCounters counters;
    ASSERT_TRUE(counters.Installed());
    bool requested = false;
    {
        ModalDriver driver([&](CWnd* window) {
            CDlgMain* main = LoadedMain(window);
            if (main == nullptr || requested)
                return;
            requested = true;
            g_relayStops = g_fileServiceStops = 0; // the file service's start stops it first
            main->PostMessage(WM_EXIT_REQUEST);
        });
        CDlgMain dialog;
        dialog.DoModal();
    }
    ASSERT_TRUE(requested);
    EXPECT_EQ(1, g_relayStops);
    EXPECT_EQ(1, g_fileServiceStops);
}

namespace {

std::vector<std::string> g_sounds;

// Every recording drive has room: the disk watcher reports nothing of its own.
BOOL PlentyOfSpace(LPCSTR, ULONGLONG* freeBytes)
{
    *freeBytes = 100ULL << 30;
    return TRUE;
}

// The alarm sounds started (a stop, a null sound, is not one).
BOOL RecordSound(LPCSTR sound, HMODULE, DWORD flags)
{
    if (sound != nullptr)
        g_sounds.push_back(std::string(sound) + ((flags & SND_LOOP) ? " loop" : ""));
    return TRUE;
}

} // namespace

// The storage's disk events as the main dialog receives them: each writes its alarm record (strings
// 280, 281, 282); a full disk also starts the alarm sound, once, and checks the alarm button.
TEST_F(StationDirTest, DiskEventsAreLoggedAndAFullDiskSoundsTheAlarm)
{
    {
        CSysParam params;
        params.Load();
        params.m_alarmSound[0] = "C:\\alarm.wav";
        params.Save();
    }
    EnableAutoLogin();
    WriteServerTree("Quillmoor");
    g_sounds.clear();
    AudioSeams::PlaySoundFunc previousSound = AudioSeams::ReplacePlaySound(RecordSound);
    Seams::FreeDiskSpaceFunc previousSpace = Seams::ReplaceFreeDiskSpace(PlentyOfSpace);
    const struct {
        int event;
        const char* text;
        size_t sounds; // alarm sounds started so far
    } cases[] = {
        {DISK_EVENT_SWITCHED, "录像硬盘切换", 0},
        {DISK_EVENT_FULL_STOPPED, "录像硬盘满停止", 1},
        {DISK_EVENT_FULL_NO_DELETE, "录像硬盘满删除错误", 1}, // already sounding
    };
    bool done = false;
    {
        ModalDriver driver([&](CWnd* window) {
            CDlgMain* main = LoadedMain(window);
            if (main == nullptr || done)
                return;
            done = true;
            for (const auto& c : cases) {
                SCOPED_TRACE(c.text);
                main->SendMessage(WM_RECORD_DISK_EVENT, (WPARAM)c.event, 0);
                std::vector<SysLogRecord> records = ReadLogRecords(dir_->Path());
                ASSERT_FALSE(records.empty());
                EXPECT_STREQ(c.text, records.back().text);
                EXPECT_EQ(SYSLOG_ALARM, records.back().type);
                EXPECT_EQ(c.sounds, g_sounds.size()) << (g_sounds.empty() ? std::string() : g_sounds[0]);
            }
            EXPECT_EQ("C:\\alarm.wav loop", g_sounds.empty() ? std::string() : g_sounds[0]);
            EXPECT_EQ(1, main->IsAlarmSoundMarked());
            main->PostMessage(WM_EXIT_REQUEST);
        });
        CDlgMain dialog;
        dialog.DoModal();
    }
    Seams::ReplaceFreeDiskSpace(previousSpace);
    AudioSeams::ReplacePlaySound(previousSound);
    EXPECT_TRUE(done);
}
