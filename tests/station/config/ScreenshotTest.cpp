// Pictures of every dialog and page with the toolkit started and the default skin loaded, in
// build/screenshots/config/, for a person to look at.
#include <gtest/gtest.h>

#include "skin/engine/toolkit/Tessarine.h"
#include "station/config/servers/DlgCameraEdit.h"
#include "station/config/servers/DlgCameraSelect.h"
#include "station/config/servers/DlgCameraSetting.h"
#include "station/config/servers/DlgServerAssign.h"
#include "station/config/servers/DlgServerName.h"
#include "station/config/servers/DlgTourSetting.h"
#include "station/config/servers/DlgAlarmDetect.h"
#include "station/config/servers/DlgAddServer.h"
#include "station/config/queries/DlgFileQuery.h"
#include "station/config/servers/DlgServerList.h"
#include "station/config/servers/DlgServerParam.h"
#include "station/config/servers/DlgServerSelect.h"
#include "station/config/queries/DlgSysLog.h"
#include "station/core/storage/SystemLog.h"
#include "station/config/servers/DlgServerLocalSetting.h"
#include "station/config/TabPageHost.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/VuskLoopGroup.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/storage/StoragePathFile.h"
#include "tests/station/config/system/SysSettingTestSupport.h"
#include "tools/screenshot/Screenshot.h"

namespace {

bool Shot(CWnd* window, const std::string& name)
{
    std::string dir = ScreenshotPath("config");
    dir = dir.substr(0, dir.size() - 4); // "...\screenshots\config"
    ::CreateDirectoryA(dir.c_str(), nullptr);
    window->SetForegroundWindow();
    ::RedrawWindow(window->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpMessages();
    return SavePng(CaptureWindow(window->m_hWnd), dir + "\\" + name + ".png");
}

// One shot of whatever modal window is on top, then it is closed.
ModalStep ShootAndClose(const std::string& name)
{
    return [=](CWnd* modal) {
        EXPECT_TRUE(Shot(modal, name));
        static_cast<CDialog*>(modal)->EndDialog(IDCANCEL);
        return true;
    };
}

// A fixture's set-up with the skin loaded and a live tree made.
template <class Fixture> class Skinned : public Fixture {
protected:
    void SetUp() override
    {
        Fixture::SetUp();
        HINSTANCE self = ::GetModuleHandleA(nullptr);
        ASSERT_TRUE(TessarineInit(self));
        EXPECT_TRUE(TessarineLoadSkin(self, "DEFAULT", "TESSARINE"));
        this->MakeLiveTree();
    }
    void TearDown() override
    {
        TessarineShutdown();
        Fixture::TearDown();
    }
};

class ScreenshotTest : public Skinned<ConfigTest> {};

// The system settings need the parameters, the users and the drives of their own fixture.
class SettingsScreenshotTest : public Skinned<SysSettingTest> {};

} // namespace

TEST_F(ScreenshotTest, ServerTreeNameAndCameraDialogs)
{
    CDlgServerAssign tree;
    RunModal(tree, {[](CWnd* modal) {
                        CDlgServerAssign* d = dynamic_cast<CDlgServerAssign*>(modal);
                        for (const char* path : {"大楼", "大楼/二层", "大楼/二层/走廊", "大楼/大厅", "停车场"})
                            d->m_tree.Expand(FindTreeItem(d->m_tree, path), TVE_EXPAND);
                        d->m_tree.SelectItem(FindTreeItem(d->m_tree, "大楼/大厅"));
                        return true;
                    },
                    ShootAndClose("141-server-tree")});
    CDlgServerName name;
    name.m_mode = CDlgServerName::modeEditGroup;
    name.m_name = "大楼";
    RunModal(name, {ShootAndClose("143-name")});
    CDlgCameraEdit camera;
    camera.m_channelShown = 2;
    camera.m_name = "摄像机2";
    camera.m_transportIndex = 2;
    RunModal(camera, {ShootAndClose("144-camera")});
}

TEST_F(ScreenshotTest, CameraSettingsEveryTabAndThePicker)
{
    CTermCamera* camera = FindCamera(*g_pRecGroup, "大厅", 0);
    camera->m_description = "大厅正门，朝向东侧入口";
    camera->m_links[0].Add(CameraLink{1, 1, FindCamera(*g_pRecGroup, "大厅", 1)});
    CDlgCameraSetting dialog;
    dialog.m_pCamera = camera;
    std::vector<ModalStep> steps;
    for (int tab = 0; tab < 10; ++tab) {
        steps.push_back([tab](CWnd* modal) {
            CDlgCameraSetting* d = dynamic_cast<CDlgCameraSetting*>(modal);
            SelectTab(d, IDC_SETTING_TAB, tab);
            EXPECT_TRUE(Shot(d, "184-camera-settings-tab" + std::to_string(tab)));
            return true;
        });
    }
    CDlgCameraSelect picker(g_pRecGroup, &camera->m_links[0]);
    RunModal(picker, {ShootAndClose("247-camera-picker")});
    steps.push_back(ShootAndClose("184-camera-settings-last"));
    RunModal(dialog, steps);
}

TEST_F(ScreenshotTest, AlarmInputPageInItsHostAndTourSettings)
{
    CAlarmDetectHost host(FindServer(*g_pRecGroup, "仓库"));
    RunModal(host, {ShootAndClose("223-alarm-input")});

    g_pLoopGroup = new CVuskLoopGroup;
    MessageBoxRecorder boxes(IDYES);
    CDlgTourSetting tour;
    RunModal(tour, {[](CWnd* modal) {
                        ::CheckRadioButton(modal->m_hWnd, IDC_TOUR_SPLIT1, IDC_TOUR_SPLIT1 + 5, IDC_TOUR_SPLIT1 + 1);
                        ClickButton(modal, IDC_TOUR_AUTO);
                        return true;
                    },
                    ShootAndClose("213-tour")});
}

TEST_F(ScreenshotTest, AddServerNarrowAndWideWithDevicesFound)
{
    CDlgAddServer dialog;
    dialog.m_pServerTree = g_pRecGroup;
    RunModal(dialog,
             {[](CWnd* modal) {
                  SetText(modal, IDC_ADDSRV_NAME, "大门");
                  SetText(modal, IDC_ADDSRV_ADDRESS, "192.168.1.20");
                  SetText(modal, IDC_ADDSRV_USER, "admin");
                  SetText(modal, IDC_ADDSRV_PASSWORD, "1234");
                  EXPECT_TRUE(Shot(modal, "142-add-server-narrow"));
                  ClickButton(modal, IDC_ADDSRV_WIDEN);
                  static const unsigned char macs[3][6] = {{0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x01},
                                                           {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x02},
                                                           {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x03}};
                  CDlgAddServer::OnDeviceFound(1, "Lobby", "192.168.1.10", macs[0], 0, 37010, 0, 0, 0, 0, 0, 4);
                  CDlgAddServer::OnDeviceFound(1, "Warehouse", "192.168.1.11", macs[1], 0, 37011, 0, 0, 0, 0, 0, 8);
                  CDlgAddServer::OnDeviceFound(1, "停车场", "192.168.1.12", macs[2], 0, 37012, 0, 0, 0, 0, 0, 16);
                  CDlgAddServer* d = dynamic_cast<CDlgAddServer*>(modal);
                  d->m_found.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
                  d->GetDlgItem(IDC_ADDSRV_TAKE)->EnableWindow(TRUE);
                  return true;
              },
              ShootAndClose("142-add-server-wide")});
}

TEST_F(ScreenshotTest, ServerListEntryAndSelect)
{
    CServerInfoArray records;
    const char* rows[][4] = {{"总部存储", "192.168.1.100", "admin", "1234"},
                             {"分部存储", "10.20.0.5", "guest", "guest"}};
    for (auto& row : rows) {
        ServerInfoRecord* r = new ServerInfoRecord();
        CopyText(r->name, row[0]);
        CopyText(r->address, row[1]);
        CopyText(r->user, row[2]);
        CopyText(r->password, row[3]);
        r->port = 3000;
        records.Add(r);
    }
    SaveServerInfo(ServerInfoPath(), records);
    FreeServerInfo(records);
    CDlgServerList list;
    RunModal(list, {[](CWnd* modal) {
                        CDlgServerList* d = dynamic_cast<CDlgServerList*>(modal);
                        d->m_list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
                        return true;
                    },
                    ShootAndClose("250-server-list")});
    CDlgServerParam param;
    CopyText(param.m_record.name, "总部存储");
    CopyText(param.m_record.address, "192.168.1.100");
    CopyText(param.m_record.user, "admin");
    CopyText(param.m_record.password, "1234");
    param.m_record.port = 3000;
    RunModal(param, {ShootAndClose("251-server-param")});
    CDlgServerSelect select;
    RunModal(select, {[](CWnd* modal) {
                          CDlgServerSelect* d = dynamic_cast<CDlgServerSelect*>(modal);
                          d->m_tree.SelectItem(FindTreeItem(d->m_tree, "大楼/大厅"));
                          return true;
                      },
                      ShootAndClose("170-server-select")});
}

TEST_F(ScreenshotTest, SystemLogWithAPageOfRecords)
{
    CSystemLog log;
    log.SetBaseDir(dir_->Path().c_str());
    std::string folder = dir_->File("Vusk");
    ::CreateDirectoryA(folder.c_str(), nullptr);
    static const char* texts[] = {"连接成功", "视频移动报警", "用户登录", "连接失败", "探头[1]报警"};
    static const int types[] = {SYSLOG_CONNECT, SYSLOG_ALARM, SYSLOG_LOGIN, SYSLOG_CONNECT, SYSLOG_ALARM};
    for (const char* day : {"2026_12_06", "2026_12_07"}) {
        FILE* f = fopen((folder + "\\" + day + ".log").c_str(), "wb");
        for (int i = 0; i < 45; ++i) {
            SysLogRecord r = {};
            r.type = (BYTE)types[i % 5];
            r.subType = (BYTE)(i % 4);
            snprintf(r.time, sizeof r.time, "%.4s-%.2s-%.2s %02d-%02d-%02d", day, day + 5, day + 8, 8 + i / 10,
                     (i * 7) % 60, (i * 13) % 60);
            CopyText(r.user, "admin");
            CopyText(r.text, texts[i % 5]);
            snprintf(r.detail, sizeof r.detail, "总部:大楼:大厅:摄像机%d", i % 4 + 1);
            fwrite(&r, sizeof r, 1, f);
        }
        fclose(f);
    }
    CDlgSysLog viewer(&log);
    RunModal(viewer, {[](CWnd* modal) {
                          CDlgSysLog* d = dynamic_cast<CDlgSysLog*>(modal);
                          HTREEITEM day = FindTreeItem(d->m_tree, "2026_12_07");
                          d->m_tree.Expand(day, TVE_EXPAND);
                          d->m_tree.SelectItem(day);
                          d->ShowItem(day);
                          return true;
                      },
                      ShootAndClose("174-system-log")});
}

TEST_F(SettingsScreenshotTest, SystemSettingsEveryTabAndServerLocalSettings)
{
    g_pSysParam->m_fileServiceEnabled = 1;
    g_pSysParam->m_fileServicePort = 8000;
    g_pSysParam->m_fileServiceUser = "remote";
    g_pSysParam->m_autoClearAlarm = 1;
    g_pSysParam->m_autoClearSeconds = 30;
    g_pSysParam->m_linkageControlFile = "C:\\ptz\\LINKAGE.ptz";
    StoragePathEntry entries[] = {MakeStorageEntry("C:", 800, "C:\\录像"), MakeStorageEntry("D:", 500, "")};
    ASSERT_TRUE(SaveStorageRoots(GetStartDirectory(), entries, 2));
    CDlgSysSetting dialog;
    std::vector<ModalStep> steps;
    for (int tab = 0; tab < 8; ++tab) {
        steps.push_back(OnSettings([tab](CDlgSysSetting* d) {
            SelectTab(d, IDC_SETTING_TAB, tab);
            if (tab == tabUsers) {
                d->m_users.m_list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
                Notify(&d->m_users, IDC_SYSUSER_LIST, NM_CLICK);
            }
            EXPECT_TRUE(Shot(d, "148-system-settings-tab" + std::to_string(tab)));
        }));
    }
    steps.push_back(PressCancel());
    RunModal(dialog, steps);

    CDlgServerLocalSetting local;
    local.m_pServer = FindServer(*g_pRecGroup, "仓库");
    std::vector<ModalStep> localSteps;
    for (int tab = 0; tab < 2; ++tab) {
        localSteps.push_back([tab](CWnd* modal) {
            SelectTab(modal, IDC_SETTING_TAB, tab);
            EXPECT_TRUE(Shot(modal, "149-server-local-settings-tab" + std::to_string(tab)));
            return true;
        });
    }
    localSteps.push_back([](CWnd* modal) {
        ClickButton(modal, IDCANCEL);
        return true;
    });
    RunModal(local, localSteps);
}

// The query dialog wears the skin as every other dialog does.
TEST_F(ScreenshotTest, FileQueryIsSkinned)
{
    CDlgFileQuery query;
    RunModal(query, {[](CWnd* modal) {
                         // Detaching answers whether the window was skinned; it is then skinned again.
                         EXPECT_TRUE(TessarineDetachWindow(modal->m_hWnd)) << "the query dialog is not skinned";
                         EXPECT_TRUE(TessarineAttachWindow(modal->m_hWnd, "Dialog"));
                         return true;
                     },
                     ShootAndClose("168-file-query")});
}
