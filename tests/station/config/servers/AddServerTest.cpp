// The add-server dialog against devsim and through its search callback called directly, and the
// server tree dialog's server commands that run it.
#include <gtest/gtest.h>

#include "devices/devsim/control/DevsimControl.h"
#include "devices/ferret/Ferret.h"
#include "station/config/servers/ConduitProbe.h"
#include "station/config/servers/DlgAddServer.h"
#include "station/config/servers/DlgServerAssign.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermServer.h"
#include "tests/station/config/ConfigTestSupport.h"

namespace {

// Records the Conduit calls; forwards them to the library, or answers them itself when scripted
// (the DDNS server resolves to 10.0.0.9:4000, every device answers with scriptedChannels).
class RecordingProbe : public IConduitProbe {
public:
    explicit RecordingProbe(bool scripted) : scripted(scripted) { previous_ = InstallConduitProbe(this); }
    ~RecordingProbe() override { InstallConduitProbe(previous_); }

    int SetConnectTimeout(int seconds, int tries) override
    {
        calls.push_back("timeout " + std::to_string(seconds) + " " + std::to_string(tries));
        return scripted ? 1 : IConduitProbe::SetConnectTimeout(seconds, tries);
    }
    int ResolveDdns(const char* ddnsAddress, unsigned short ddnsPort, const char* serverName, char* address,
                    unsigned short* port) override
    {
        int result = 0;
        if (scripted) {
            strcpy(address, "10.0.0.9");
            *port = 4000;
        } else {
            result = IConduitProbe::ResolveDdns(ddnsAddress, ddnsPort, serverName, address, port);
        }
        calls.push_back(std::string("ddns ") + serverName + "@" + ddnsAddress + " -> " + std::to_string(result));
        return result;
    }
    int QueryDevice(const char* name, const char* address, int* channels, int* sensors, int* relays,
                    unsigned short port) override
    {
        int result = 1;
        if (scripted)
            *channels = scriptedChannels;
        else
            result = IConduitProbe::QueryDevice(name, address, channels, sensors, relays, port);
        calls.push_back(std::string("query ") + address + ":" + std::to_string(port) + " -> " + std::to_string(result));
        return result;
    }

    std::vector<std::string> calls;
    bool scripted;
    int scriptedChannels = 3;

private:
    IConduitProbe* previous_;
};

struct Entry {
    std::string name, address, port, user, password;
    bool ddns;
};

CDlgAddServer* AsAddServer(CWnd* modal)
{
    return dynamic_cast<CDlgAddServer*>(modal);
}

ModalStep EnterAndAccept(const Entry& e)
{
    return [=](CWnd* modal) {
        if (AsAddServer(modal) == nullptr)
            return false;
        SetText(modal, IDC_ADDSRV_NAME, e.name);
        SetText(modal, IDC_ADDSRV_ADDRESS, e.address);
        SetText(modal, IDC_ADDSRV_PORT, e.port);
        SetText(modal, IDC_ADDSRV_USER, e.user);
        SetText(modal, IDC_ADDSRV_PASSWORD, e.password);
        SetCheckBox(modal, IDC_ADDSRV_DDNS, e.ddns);
        ClickButton(modal, IDOK);
        return true;
    };
}

ModalStep OnAddServer(std::function<void(CDlgAddServer*)> action)
{
    return [=](CWnd* modal) {
        CDlgAddServer* dialog = AsAddServer(modal);
        if (dialog == nullptr)
            return false;
        action(dialog);
        return true;
    };
}

CRect FrameOf(CWnd* window)
{
    CRect rect;
    window->GetWindowRect(&rect);
    return rect;
}

std::vector<std::string> Column(CListCtrl& list, int column)
{
    std::vector<std::string> texts;
    for (int row = 0; row < list.GetItemCount(); ++row)
        texts.push_back(std::string(list.GetItemText(row, column)));
    return texts;
}

void SelectRow(CListCtrl& list, int row)
{
    list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

class AddServerTest : public ConfigTest {
protected:
    static void SetUpTestSuite()
    {
        siteDir_ = new TempDir(false);
        site_ = new DevsimSite;
        const std::string ini = siteDir_->File("site.ini");
        WriteTextFile(ini, "[Server1]\nName=Alpha\nChannels=4\n"
                           "[Server2]\nName=Beta\nChannels=8\n"
                           "[Server3]\nName=Gamma\nChannels=2\nDdnsName=gamma.ddns\nSearch=2\n");
        ASSERT_TRUE(site_->Start(ini));
        Ferret_Init();
    }
    static void TearDownTestSuite()
    {
        delete site_;
        delete siteDir_;
        site_ = nullptr;
    }
    static std::string PortOf(const char* server) { return std::to_string(site_->Port(server)); }

    static DevsimSite* site_;
    static TempDir* siteDir_;
};

DevsimSite* AddServerTest::site_ = nullptr;
TempDir* AddServerTest::siteDir_ = nullptr;

} // namespace

TEST_F(AddServerTest, AcceptanceChecksInOrderAndLeavesNamesOfOtherServers)
{
    const std::string name24 = "abcdefghijklmnopqrstuvwx";
    const std::string wide24 = "一二三四五六七八九十甲乙"; // 12 characters of 2 bytes
    const std::string long40(40, 'a');
    const struct {
        const char* label;
        int mode;
        const char* edited; // the server being changed in mode 2
        Entry entry;
        const char* message; // null: accepted; "" any framework message
        int focus;
    } cases[] = {
        {"24 bytes", 1, nullptr, {name24, "127.0.0.1", "3000", "admin", "pw", false}, nullptr, 0},
        {"24 bytes wide", 1, nullptr, {wide24, "127.0.0.1", "3000", "admin", "pw", false}, nullptr, 0},
        {"25 bytes",
         1,
         nullptr,
         {name24 + "y", "127.0.0.1", "3000", "admin", "pw", false},
         "服务器名称不能超过24个字符!",
         IDC_ADDSRV_NAME},
        {"no name", 1, nullptr, {"", "127.0.0.1", "3000", "admin", "pw", false}, "请输入服务器名称!", IDC_ADDSRV_NAME},
        {"no address", 1, nullptr, {"新", "", "3000", "admin", "pw", false}, "请输入服务器地址!", IDC_ADDSRV_ADDRESS},
        {"no user", 1, nullptr, {"新", "127.0.0.1", "3000", "", "pw", false}, "请输入用户名!", IDC_ADDSRV_USER},
        {"no password",
         1,
         nullptr,
         {"新", "127.0.0.1", "3000", "admin", "", false},
         "请输入密码!",
         IDC_ADDSRV_PASSWORD},
        {"taken",
         1,
         nullptr,
         {"大厅", "127.0.0.1", "3000", "admin", "pw", false},
         "服务器名称已经存在，请重新输入!",
         IDC_ADDSRV_NAME},
        {"own name", 2, "大厅", {"大厅", "127.0.0.1", "3000", "admin", "pw", false}, nullptr, 0},
        {"other's name",
         2,
         "大厅",
         {"仓库", "127.0.0.1", "3000", "admin", "pw", false},
         "服务器名称已经存在，请重新输入!",
         IDC_ADDSRV_NAME},
        {"address 40 bytes", 1, nullptr, {"新", long40, "3000", "admin", "pw", false}, "", IDC_ADDSRV_ADDRESS},
        {"password 40 bytes", 1, nullptr, {"新", "127.0.0.1", "3000", "admin", long40, false}, "", IDC_ADDSRV_PASSWORD},
        {"port no number", 1, nullptr, {"新", "127.0.0.1", "x", "admin", "pw", false}, "", IDC_ADDSRV_PORT},
        {"port too big", 1, nullptr, {"新", "127.0.0.1", "65536", "admin", "pw", false}, "", IDC_ADDSRV_PORT},
    };
    CRecGroup& tree = MakeLiveTree();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        RecordingProbe probe(true);
        MessageBoxRecorder boxes;
        CDlgAddServer dialog;
        dialog.m_pServerTree = &tree;
        dialog.m_mode = c.mode;
        dialog.m_pEditedServer = c.edited != nullptr ? FindServer(tree, c.edited) : nullptr;
        int focus = -1;
        bool wholeNameSelected = false;
        INT_PTR result =
            RunModal(dialog, {EnterAndAccept(c.entry), OnAddServer([&](CDlgAddServer* d) {
                                  focus = FocusId();
                                  DWORD from = 0, to = 0;
                                  d->SendDlgItemMessage(IDC_ADDSRV_NAME, EM_GETSEL, (WPARAM)&from, (LPARAM)&to);
                                  HWND name = d->GetDlgItem(IDC_ADDSRV_NAME)->m_hWnd;
                                  wholeNameSelected = from == 0 && (int)to == ::GetWindowTextLengthW(name);
                              })});
        if (c.message == nullptr) {
            EXPECT_EQ(IDOK, result);
            EXPECT_TRUE(boxes.Boxes().empty());
            EXPECT_EQ(3, dialog.m_channelCount);
            EXPECT_EQ(c.entry.name, std::string(dialog.m_name));
            EXPECT_EQ(std::vector<std::string>({"timeout 10 1", "query 127.0.0.1:3000 -> 1", "timeout 30 4"}),
                      probe.calls);
            continue;
        }
        EXPECT_EQ(-3, result) << "the dialog stays open";
        ASSERT_EQ(1u, boxes.Boxes().size());
        if (*c.message != '\0') {
            EXPECT_EQ(c.message, boxes.Boxes()[0].text);
        }
        EXPECT_EQ(c.focus, focus);
        EXPECT_TRUE(probe.calls.empty()) << "no server is asked";
        EXPECT_EQ(-1, dialog.m_channelCount);
        if (std::string(c.message) == "服务器名称已经存在，请重新输入!") {
            EXPECT_TRUE(wholeNameSelected) << "the name is selected for retyping";
        }
    }
}

TEST_F(AddServerTest, AsksTheServerThroughConduitAndRestoresTheTimeOut)
{
    const std::string ddnsPort = std::to_string(site_->DdnsPort());
    const struct {
        const char* label;
        const char* before; // devsim command first, or null
        Entry entry;
        const char* message; // null: accepted
        std::vector<std::string> calls;
        int channels;
    } cases[] = {
        {"plain",
         nullptr,
         {"Alpha", "127.0.0.1", PortOf("Alpha"), "admin", "admin", false},
         nullptr,
         {"timeout 10 1", "query 127.0.0.1:" + PortOf("Alpha") + " -> 1", "timeout 30 4"},
         4},
        {"ddns",
         nullptr,
         {"gamma.ddns", "127.0.0.1", ddnsPort, "admin", "admin", true},
         nullptr,
         {"timeout 10 1", "ddns gamma.ddns@127.0.0.1 -> 0", "query 127.0.0.1:" + PortOf("Gamma") + " -> 1",
          "timeout 30 4"},
         2},
        {"ddns down",
         "stop ddns",
         {"gamma.ddns", "127.0.0.1", ddnsPort, "admin", "admin", true},
         "连接DDNS服务器失败",
         {"timeout 10 1", "ddns gamma.ddns@127.0.0.1 -> 6", "timeout 30 4"},
         -1},
        {"server stopped",
         "stop Beta",
         {"Beta", "127.0.0.1", PortOf("Beta"), "admin", "admin", false},
         "服务器没有开机或忙，注册失败！",
         {"timeout 10 1", "query 127.0.0.1:" + PortOf("Beta") + " -> 0", "timeout 30 4"},
         -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        if (c.before != nullptr) {
            ASSERT_TRUE(site_->Ok(c.before));
        }
        RecordingProbe probe(false);
        MessageBoxRecorder boxes;
        CDlgAddServer dialog;
        INT_PTR result = RunModal(dialog, {EnterAndAccept(c.entry)});
        EXPECT_EQ(c.calls, probe.calls);
        EXPECT_EQ(c.channels, dialog.m_channelCount);
        if (c.message == nullptr) {
            EXPECT_EQ(IDOK, result);
            EXPECT_TRUE(boxes.Boxes().empty());
            // With DDNS the members keep the DDNS server's address and port.
            EXPECT_EQ(c.entry.address, std::string(dialog.m_address));
            EXPECT_EQ(c.entry.port, std::to_string(dialog.m_port));
        } else {
            EXPECT_EQ(-3, result);
            ASSERT_EQ(1u, boxes.Boxes().size());
            EXPECT_EQ(c.message, boxes.Boxes()[0].text);
        }
        if (c.before != nullptr)
            site_->Ok(std::string(c.before).replace(0, 4, "start"));
    }
}

TEST_F(AddServerTest, SearchListsDevicesNewestFirstAndButtonThreeTogglesTheWidth)
{
    CDlgAddServer dialog;
    CRect narrow, wide, narrowAgain;
    std::vector<std::string> found, afterNarrowing, afterSearchAgain;
    BOOL takeEnabled = FALSE;
    int selectedRow = -1;
    RunModal(dialog, {OnAddServer([&](CDlgAddServer* d) {
                 narrow = FrameOf(d);
                 EXPECT_FALSE(d->GetDlgItem(IDC_ADDSRV_TAKE)->IsWindowEnabled());
                 ClickButton(d, IDC_ADDSRV_WIDEN);
                 wide = FrameOf(d);
                 found = Column(d->m_found, 0);
                 takeEnabled = d->GetDlgItem(IDC_ADDSRV_TAKE)->IsWindowEnabled();
                 POSITION pos = d->m_found.GetFirstSelectedItemPosition();
                 selectedRow = pos != nullptr ? d->m_found.GetNextSelectedItem(pos) : -1;
                 // A row that only a search would remove.
                 static const unsigned char mac[6] = {1, 2, 3, 4, 5, 6};
                 CDlgAddServer::OnDeviceFound(1, "Extra", "10.1.1.1", mac, 0, 3000, 0, 0, 0, 0, 0, 1);
                 ClickButton(d, IDC_ADDSRV_WIDEN);
                 narrowAgain = FrameOf(d);
                 afterNarrowing = Column(d->m_found, 0);
                 ClickButton(d, IDC_ADDSRV_SEARCH);
                 afterSearchAgain = Column(d->m_found, 0);
                 // Choosing Beta by a double-click fills the entry and clears DDNS.
                 SetCheckBox(d, IDC_ADDSRV_DDNS, true);
                 ClickButton(d, IDC_ADDSRV_DDNS);
                 for (int row = 0; row < d->m_found.GetItemCount(); ++row) {
                     if (std::string(d->m_found.GetItemText(row, 0)) == "Beta")
                         SelectRow(d->m_found, row);
                 }
                 Notify(d, IDC_ADDSRV_FOUND, NM_DBLCLK);
                 EXPECT_EQ("Beta", GetText(d, IDC_ADDSRV_NAME));
                 EXPECT_EQ("127.0.0.1", GetText(d, IDC_ADDSRV_ADDRESS));
                 EXPECT_EQ(PortOf("Beta"), GetText(d, IDC_ADDSRV_PORT));
                 EXPECT_EQ(BST_UNCHECKED, d->IsDlgButtonChecked(IDC_ADDSRV_DDNS));
                 EXPECT_EQ("服务器地址:", GetText(d, IDC_ADDSRV_ADDRESS_LABEL));
                 EXPECT_EQ("服务器端口:", GetText(d, IDC_ADDSRV_PORT_LABEL));
             })});
    EXPECT_EQ(CDlgAddServer::kNarrowWidth, narrow.Width());
    EXPECT_EQ(CDlgAddServer::kWideWidth, wide.Width());
    EXPECT_EQ(narrow.left - CDlgAddServer::kWidenShift, wide.left);
    EXPECT_EQ(narrow.Height(), wide.Height());
    ASSERT_EQ(3u, found.size());
    EXPECT_EQ("Gamma", found[0]) << "the extended search reports last, so its device stands first";
    EXPECT_TRUE(takeEnabled);
    EXPECT_EQ(0, selectedRow);
    EXPECT_EQ(CDlgAddServer::kNarrowWidth, narrowAgain.Width());
    EXPECT_EQ(narrow.left, narrowAgain.left);
    EXPECT_EQ(4u, afterNarrowing.size()) << "narrowing does not search";
    EXPECT_EQ("Extra", afterNarrowing[0]);
    EXPECT_EQ(found, afterSearchAgain) << "button 4 searches at any width";
}

TEST_F(AddServerTest, ReportsThroughTheCallbackAreFilteredAndCutToTheirRecord)
{
    const std::string longName = "一二三四五六七八九十甲乙丙丁戊"; // 30 bytes
    const std::string longAddress = "192.168.100.200:777";
    MessageBoxRecorder boxes;
    CDlgAddServer* open = nullptr;
    {
        CDlgAddServer dialog;
        RunModal(dialog, {OnAddServer([&](CDlgAddServer* d) {
                     open = CDlgAddServer::Current();
                     ClickButton(d, IDC_ADDSRV_TAKE);
                     EXPECT_EQ(IDC_ADDSRV_FOUND, FocusId()) << "no row: the list takes the focus";
                     static const unsigned char mac[6] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0xFE};
                     CDlgAddServer::OnDeviceFound(2, "Other", "10.0.0.1", mac, 0, 3000, 0, 0, 0, 0, 0, 4);
                     CDlgAddServer::OnDeviceFound(1, nullptr, nullptr, nullptr, 0, 1, 0, 0, 0, 0, 0, 0);
                     CDlgAddServer::OnDeviceFound(1, longName.c_str(), longAddress.c_str(), mac, 0, 70000, 0, 0, 0, 0,
                                                  0, 9);
                     ASSERT_EQ(2, d->m_found.GetItemCount());
                     EXPECT_EQ(longName, std::string(d->m_found.GetItemText(0, 0)));
                     EXPECT_EQ("00-1A-2B-3C-4D-FE", std::string(d->m_found.GetItemText(0, 2)));
                     EXPECT_EQ("4464", std::string(d->m_found.GetItemText(0, 3)));
                     EXPECT_EQ("9", std::string(d->m_found.GetItemText(0, 4)));
                     EXPECT_EQ("00-00-00-00-00-00", std::string(d->m_found.GetItemText(1, 2)));
                     SelectRow(d->m_found, 0);
                     ClickButton(d, IDC_ADDSRV_TAKE);
                     EXPECT_EQ(longName.substr(0, 22), GetText(d, IDC_ADDSRV_NAME)) << "cut between characters";
                     EXPECT_EQ("192.168.100.200", GetText(d, IDC_ADDSRV_ADDRESS));
                     EXPECT_EQ("4464", GetText(d, IDC_ADDSRV_PORT));
                 })});
        EXPECT_EQ(&dialog, open);
    }
    EXPECT_EQ(nullptr, CDlgAddServer::Current()) << "no report reaches a dialog that is gone";
    CDlgAddServer::OnDeviceFound(1, "Late", "10.0.0.2", nullptr, 0, 1, 0, 0, 0, 0, 0, 0);
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ("请选择要添加的服务器!", boxes.Boxes()[0].text);
    SearchRowRecord row = MakeSearchRow("abc", "1.2.3.4", 65535);
    EXPECT_STREQ("abc", row.name);
    EXPECT_EQ(65535, row.port);
}

TEST_F(AddServerTest, TheTreeDialogAddsServersWithTheirCameras)
{
    WriteSampleFile();
    int nextId = CRecGroup().m_nextServerId;
    RecordingProbe scripted(true);
    scripted.scriptedChannels = 0;
    CDlgServerAssign dialog;
    auto command = [](const char* path, UINT id) {
        return ModalStep([=](CWnd* modal) {
            CDlgServerAssign* d = dynamic_cast<CDlgServerAssign*>(modal);
            if (d == nullptr)
                return false;
            d->m_tree.SelectItem(FindTreeItem(d->m_tree, path));
            d->SendMessage(WM_COMMAND, id, 0);
            return true;
        });
    };
    std::vector<std::string> cameras;
    bool expanded = false, emptyHasChildren = true;
    INT_PTR result =
        RunModal(dialog, {command("停车场", ID_TREE_ADD_SERVER),
                          EnterAndAccept({"空", "10.0.0.1", "3000", "u", "p", false}), ModalStep([&](CWnd*) {
                              scripted.scripted = false; // devsim's Alpha answers with its 4 channels
                              return true;
                          }),
                          command("大楼", ID_TREE_ADD_SERVER),
                          EnterAndAccept({"门岗", "127.0.0.1", PortOf("Alpha"), "admin", "pw", false}),
                          ModalStep([&](CWnd* modal) {
                              CDlgServerAssign* d = dynamic_cast<CDlgServerAssign*>(modal);
                              if (d == nullptr)
                                  return false;
                              HTREEITEM server = FindTreeItem(d->m_tree, "大楼/门岗");
                              EXPECT_NE(nullptr, server);
                              expanded = (d->m_tree.GetItemState(server, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
                              for (HTREEITEM c = d->m_tree.GetChildItem(server); c; c = d->m_tree.GetNextSiblingItem(c))
                                  cameras.push_back(std::string(d->m_tree.GetItemText(c)));
                              emptyHasChildren = d->m_tree.ItemHasChildren(FindTreeItem(d->m_tree, "停车场/空"));
                              ClickButton(d, IDOK);
                              return true;
                          })});
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(std::vector<std::string>({"摄像机1", "摄像机2", "摄像机3", "摄像机4"}), cameras);
    EXPECT_TRUE(expanded);
    EXPECT_FALSE(emptyHasChildren);
    CRecGroup reloaded;
    CTermServer* server = FindServer(reloaded, "门岗");
    ASSERT_NE(nullptr, server);
    EXPECT_EQ(nextId + 1, server->m_id);
    EXPECT_EQ(nextId + 2, reloaded.m_nextServerId);
    EXPECT_EQ(4, server->m_channelCount);
    EXPECT_EQ(site_->Port("Alpha"), server->m_port);
    EXPECT_STREQ("127.0.0.1", server->m_address);
    EXPECT_STREQ("admin", server->m_user);
    EXPECT_STREQ("pw", server->m_password);
    ASSERT_EQ(4, server->m_cameras.GetCount());
    CTermCamera* last = server->m_cameras.GetTail();
    EXPECT_EQ(3, last->m_channel);
    EXPECT_EQ(3, last->m_transport);
    EXPECT_STREQ("大楼", server->m_pParent->m_name);
    ASSERT_NE(nullptr, FindServer(reloaded, "空"));
    EXPECT_EQ(0, FindServer(reloaded, "空")->m_cameras.GetCount());
}

TEST_F(AddServerTest, DoubleClickingAServerEditsItAndKeepsItsExpansion)
{
    WriteSampleFile();
    RecordingProbe scripted(true);
    CDlgServerAssign dialog;
    std::string caption, shownName;
    UINT stateBefore = 0, stateAfter = 0;
    RunModal(dialog, {ModalStep([&](CWnd* modal) {
                          CDlgServerAssign* d = dynamic_cast<CDlgServerAssign*>(modal);
                          if (d == nullptr)
                              return false;
                          d->m_tree.Expand(FindTreeItem(d->m_tree, "大楼"), TVE_EXPAND);
                          HTREEITEM server = FindTreeItem(d->m_tree, "大楼/大厅");
                          d->m_tree.SelectItem(server);
                          stateBefore = d->m_tree.GetItemState(server, TVIS_EXPANDED) & TVIS_EXPANDED;
                          CRect rect;
                          d->m_tree.GetItemRect(server, &rect, TRUE);
                          // The tree's own double-click: it notifies, then toggles the item.
                          d->m_tree.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON,
                                                MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y));
                          stateAfter = d->m_tree.GetItemState(server, TVIS_EXPANDED) & TVIS_EXPANDED;
                          EXPECT_NE(nullptr, FindTreeItem(d->m_tree, "大楼/前厅"));
                          ClickButton(d, IDOK);
                          return true;
                      }),
                      OnAddServer([&](CDlgAddServer* d) {
                          caption = WindowText(d->m_hWnd);
                          shownName = GetText(d, IDC_ADDSRV_NAME);
                          SetText(d, IDC_ADDSRV_NAME, "前厅");
                          SetText(d, IDC_ADDSRV_PORT, "4000");
                          SetText(d, IDC_ADDSRV_USER, "admin");
                          SetText(d, IDC_ADDSRV_PASSWORD, "pw");
                          ClickButton(d, IDOK);
                      })});
    EXPECT_EQ("设置服务器", caption);
    EXPECT_EQ("大厅", shownName);
    EXPECT_EQ(stateBefore, stateAfter);
    CRecGroup reloaded;
    CTermServer* server = FindServer(reloaded, "前厅");
    ASSERT_NE(nullptr, server);
    EXPECT_EQ(4000, server->m_port);
    EXPECT_EQ(4, server->m_cameras.GetCount()) << "the cameras stay as they were";
}
