// The main dialog against the simulated site: the remote-settings log-in (one at a time, its
// refusals and the remote-configuration window it opens) and the server tree dialog removing a
// server whose cameras are live on the wall.
#include <gtest/gtest.h>

#include <string>

#include "framework/WindowSeams.h"
#include "resources/warden/resource.h"
#include "station/config/servers/DlgServerAssign.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/datamodel/VuskPage.h"
#include "station/core/datamodel/VuskPageGroup.h"
#include "station/ui/mainwindow/DlgMain.h"
#include "station/ui/liveview/DlgPreviewPane.h"
#include "station/ui/liveview/DlgVideoWall.h"
#include "station/ui/mainwindow/RemoteParamWindow.h"
#include "devices/devsim/control/DevsimControl.h"
#include "tests/framework/windows/WindowTestSupport.h"
#include "tests/station/mainwindow/MainTestSupport.h"
#include "tests/station/ui/LiveWallSite.h"
#include "tools/screenshot/Screenshot.h"

namespace {

// Two servers of four cameras ("Lobby" and "Office", user admin, password 1234) in the test's folder.
bool StartSite(DevsimSite& site, const std::string& dir)
{
    std::string ini = "[Site]\r\n";
    const char* names[2] = {"Lobby", "Office"};
    for (int i = 0; i < 2; ++i)
        ini += "[Server" + std::to_string(i + 1) + "]\r\nName=" + names[i] +
               "\r\nUser=admin\r\nPassword=1234\r\nChannels=4\r\nFrameRate=5\r\n";
    WriteFile(dir + "\\site.ini", ini);
    return site.Start(dir + "\\site.ini");
}

struct TreeServer {
    const char* name;
    int port;
    const char* password;
};

// "servertree.cfg" with the servers (four cameras each) and, when pageServer names one, page 0 of
// four panes showing its cameras.
void WriteSiteTree(const std::vector<TreeServer>& servers, const char* pageServer)
{
    DeleteFileA(StationFilePath("servertree.cfg"));
    DeleteFileA(StationFilePath("pageview.cfg"));
    CRecGroup tree;
    tree.m_rootCaption = "Quillmoor";
    CTermData* project = tree.AddGroup(nullptr, "工程");
    int pageServerId = -1;
    for (const TreeServer& s : servers) {
        CTermServer* server = AddSiteServer(project, tree.m_nextServerId++, s.name, s.port, "admin", s.password, 4);
        server->BindCameras();
        if (pageServer != nullptr && server->m_name == pageServer)
            pageServerId = server->m_id;
    }
    tree.Save();
    if (pageServerId == -1)
        return;
    CVuskPageGroup pages;
    CVuskPage* page = pages.AddPage(4);
    for (int slot = 0; slot < 4; ++slot)
        page->SetSlot(slot, nullptr, pageServerId, slot);
    pages.Save();
}

CDlgMain* LoadedMain(CWnd* window)
{
    CDlgMain* main = dynamic_cast<CDlgMain*>(window);
    return main != nullptr && g_pRecGroup != nullptr ? main : nullptr;
}

CTermServer* TreeServerNamed(const char* name)
{
    CTermServer* found = nullptr;
    for (POSITION pos = g_pRecGroup->m_projects.GetHeadPosition(); pos != nullptr;) {
        g_pRecGroup->m_projects.GetNext(pos)->ForEachServer([&](CTermServer* server) {
            if (server->m_name == name)
                found = server;
        });
    }
    return found;
}

HTREEITEM ItemWithData(CTreeCtrl& tree, HTREEITEM first, DWORD_PTR data)
{
    for (HTREEITEM item = first; item != nullptr; item = tree.GetNextSiblingItem(item)) {
        if (tree.GetItemData(item) == data)
            return item;
        if (HTREEITEM found = ItemWithData(tree, tree.GetChildItem(item), data))
            return found;
    }
    return nullptr;
}

HTREEITEM ItemWithText(CTreeCtrl& tree, HTREEITEM first, const char* text)
{
    for (HTREEITEM item = first; item != nullptr; item = tree.GetNextSiblingItem(item)) {
        if (tree.GetItemText(item) == text)
            return item;
        if (HTREEITEM found = ItemWithText(tree, tree.GetChildItem(item), text))
            return found;
    }
    return nullptr;
}

CRemoteParamWindow* OpenRemoteWindow(CDlgMain* main)
{
    return main->m_remoteParams.GetParamWindow();
}

} // namespace

// 远程设置 on a server: a log-in thread, one at a time (a second command while it runs is ignored);
// a refused log-in (-102) gives message 185, an unreachable server message 110, and a log-in that
// succeeds opens the remote-configuration window with what the server reports of itself.
TEST_F(StationDirTest, RemoteSettingsLogInOneAtATimeAndItsThreeAnswers)
{
    DevsimSite site;
    ASSERT_TRUE(StartSite(site, dir_->Path()));
    WriteSiteTree(
        {{"Lobby", site.Port("Lobby"), "1234"}, {"Office", site.Port("Office"), "wrong"}, {"Gone", 1, "1234"}},
        nullptr);
    EnableAutoLogin();
    MessageBoxRecorder boxes;
    const struct {
        const char* server;
        const char* message; // "" = the window opens
    } cases[] = {
        {"Office", "用户名或密码错误,或者不是管理员!"},
        {"Gone", "连接服务器失败!"},
        {"Lobby", ""},
    };
    bool ran = false;
    {
        ModalDriver driver([&](CWnd* window) {
            CDlgMain* main = LoadedMain(window);
            if (main == nullptr || ran)
                return;
            ran = true;
            for (const auto& c : cases) {
                SCOPED_TRACE(c.server);
                size_t before = boxes.Boxes().size();
                CTermServer* server = TreeServerNamed(c.server);
                ASSERT_NE(nullptr, server);
                HTREEITEM item = ItemWithData(main->m_serverTree, main->m_serverTree.GetRootItem(), (DWORD_PTR)server);
                ASSERT_NE(nullptr, item);
                main->m_serverTree.SelectItem(item);
                // The second command comes while the first log-in runs (its answer waits in the
                // queue at the earliest): it is ignored.
                main->SendMessage(WM_COMMAND, ID_REMOTE_SETTINGS);
                HANDLE first = main->m_remoteLoginThread;
                EXPECT_NE(nullptr, first);
                main->SendMessage(WM_COMMAND, ID_REMOTE_SETTINGS);
                EXPECT_EQ(first, main->m_remoteLoginThread);
                ASSERT_TRUE(
                    WaitUntil([&] { return boxes.Boxes().size() > before || OpenRemoteWindow(main) != nullptr; }));
                EXPECT_EQ(nullptr, main->m_remoteLoginThread) << "joined";
                if (c.message[0] != '\0') {
                    ASSERT_EQ(before + 1, boxes.Boxes().size()) << "one log-in, one answer";
                    EXPECT_EQ(c.message, boxes.Boxes().back().text);
                    EXPECT_EQ(nullptr, OpenRemoteWindow(main));
                    continue;
                }
                EXPECT_EQ(before, boxes.Boxes().size());
                CRemoteParamWindow* remote = OpenRemoteWindow(main);
                ASSERT_NE(nullptr, remote);
                EXPECT_TRUE(remote->IsWindowVisible());
                ASSERT_GE(remote->GetRowCount(), 6);
                EXPECT_EQ("Lobby", std::string(remote->GetRow(0).value));
                EXPECT_EQ("127.0.0.1", std::string(remote->GetRow(1).value));
                EXPECT_EQ(std::to_string(site.Port("Lobby")), std::string(remote->GetRow(2).value));
                EXPECT_EQ("通道:", std::string(remote->GetRow(3).label));
                EXPECT_EQ("4", std::string(remote->GetRow(3).value));
                remote->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                SavePng(CaptureWindow(remote->m_hWnd), ScreenshotPath("remote-settings"));
                // Closed by the user.
                remote->SendMessage(WM_COMMAND, IDCANCEL);
                EXPECT_EQ(nullptr, OpenRemoteWindow(main));
            }
            main->PostMessage(WM_EXIT_REQUEST);
        });
        CDlgMain dialog;
        dialog.DoModal();
    }
    EXPECT_TRUE(ran);
}

// The server tree dialog deletes a server whose four cameras are live on page 0: after OK its
// channels are closed at the site, the panes show nothing, and the station goes on (and ends) with
// nothing pointing at the old tree.
TEST_F(StationDirTest, AssignmentRemovingALiveServerFreesItsSessionsAndEmptiesThePanes)
{
    DevsimSite site;
    ASSERT_TRUE(StartSite(site, dir_->Path()));
    WriteSiteTree({{"Lobby", site.Port("Lobby"), "1234"}, {"Office", site.Port("Office"), "1234"}}, "Lobby");
    EnableAutoLogin();
    MessageBoxRecorder boxes(IDYES);
    int step = 0;
    bool liveBefore = false;
    int sessionsInPanes = -1;
    bool lobbyGone = false;
    {
        ModalDriver driver([&](CWnd* window) {
            if (CDlgServerAssign* assign = dynamic_cast<CDlgServerAssign*>(window)) {
                HTREEITEM item = ItemWithText(assign->m_tree, assign->m_tree.GetRootItem(), "Lobby");
                ASSERT_NE(nullptr, item);
                assign->m_tree.SelectItem(item);
                assign->SendMessage(WM_COMMAND, ID_TREE_DELETE_SERVER);
                assign->SendMessage(WM_COMMAND, IDOK);
                return;
            }
            CDlgMain* main = LoadedMain(window);
            if (main == nullptr)
                return;
            if (step == 0) {
                step = 1;
                liveBefore = WaitUntil([&] { return site.State("Lobby", "clients") == "4"; }, 20000);
                main->PostMessage(WM_COMMAND, ID_SERVER_ASSIGN);
                return;
            }
            if (step == 1) {
                step = 2;
                lobbyGone = TreeServerNamed("Lobby") == nullptr;
                CDlgVideoWall* wall = dynamic_cast<CDlgVideoWall*>(main->m_videoWall);
                sessionsInPanes = 0;
                for (int i = 0; wall != nullptr && i < 16; ++i)
                    sessionsInPanes += wall->GetPane(i) != nullptr && wall->GetPane(i)->m_pSession != nullptr;
                main->PostMessage(WM_EXIT_REQUEST);
            }
        });
        CDlgMain dialog;
        dialog.DoModal();
    }
    ASSERT_EQ(2, step);
    EXPECT_TRUE(liveBefore) << "the four cameras were live before";
    EXPECT_TRUE(lobbyGone);
    EXPECT_EQ(0, sessionsInPanes) << "no pane keeps a session of the removed server";
    EXPECT_TRUE(site.WaitState("Lobby", "clients", "0", 10000)) << "its channels are closed at the site";
    EXPECT_EQ("1", ReadIni(dir_->File("exit.ini"), "EXIT", "EXITCODE"));
}
