// Fixtures of the configuration dialog tests.
#include "tests/station/config/ConfigTestSupport.h"

#include <climits>
#include <fstream>
#include <mutex>
#include <sstream>

#include "devices/conduit/Conduit.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/datamodel/VuskLoopGroup.h"
#include "station/core/sessions/ChannelSession.h"
#include "station/core/sessions/SessionWindows.h"

CTermServer* AddSampleServer(CRecGroup& root, CTermData* group, LPCSTR name, int cameras)
{
    CTermServer* server = new CTermServer;
    server->m_id = root.m_nextServerId++;
    server->m_name = name;
    server->m_address = "127.0.0.1";
    server->m_channelCount = cameras;
    server->m_pParent = group;
    for (int d = 0; d < cameras; ++d) {
        CTermCamera* camera = new CTermCamera;
        camera->m_name.Format("摄像机%d", d + 1);
        camera->m_channel = d;
        camera->m_transport = 3;
        camera->m_pServer = server;
        server->m_cameras.AddTail(camera);
    }
    group->m_servers.AddTail(server);
    return server;
}

void BuildSampleTree(CRecGroup& root)
{
    root.m_rootCaption = "总部";
    CTermData* building = root.AddGroup(nullptr, "大楼");
    CTermData* floor = root.AddGroup(building, "二层");
    AddSampleServer(root, floor, "走廊", 1);
    AddSampleServer(root, building, "大厅", 4);
    AddSampleServer(root, building, "仓库", 2);
    CTermData* parking = root.AddGroup(nullptr, "停车场");
    AddSampleServer(root, parking, "入口", 2);
}

CTermServer* FindServer(const CRecGroup& root, LPCSTR name)
{
    return root.FindServerByName(name, nullptr);
}

CTermCamera* FindCamera(const CRecGroup& root, LPCSTR server, int channel)
{
    CTermServer* found = FindServer(root, server);
    return found != nullptr ? found->FindCamera(channel) : nullptr;
}

DevsimSite& ConfigSite()
{
    static DevsimSite* site = [] {
        auto* s = new DevsimSite; // devsim ends with the test program
        static TempDir dir;
        const std::string ini = dir.File("site.ini");
        WriteTextFile(ini, "[Site]\r\n[Server1]\r\nName=Alpha\r\nUser=admin\r\nPassword=secret\r\nChannels=4\r\n"
                           "AlarmBox=1\r\nBoxAddress=1\r\nBoxSerial=0\r\nBoxBaud=9600\r\n");
        s->Start(ini);
        Conduit_Init(0, 0, 0, 0);
        return s;
    }();
    return *site;
}

namespace {

// Keeps the connect results the sessions post to the main window.
class ConnectResults : public CNullStationWindows {
public:
    void PostConnectResult(CChannelSession* session, int result) override
    {
        std::lock_guard<std::mutex> hold(lock);
        posted.push_back({session, result});
    }
    std::mutex lock;
    std::vector<std::pair<CChannelSession*, int>> posted;
};

ConnectResults connectResults;

} // namespace

bool ConnectLive(CTermServer* server, CTermCamera* camera)
{
    server->m_address = "127.0.0.1";
    server->m_port = ConfigSite().Port("Alpha");
    server->m_user = "admin";
    server->m_password = "secret";
    SetStationWindows(&connectResults);
    {
        std::lock_guard<std::mutex> hold(connectResults.lock);
        connectResults.posted.clear();
    }
    CChannelSession* session = new CChannelSession;
    session->m_pCamera = camera;
    camera->m_pSession = session;
    session->Connect(1, 0);
    int result = INT_MIN;
    WaitUntil([&] {
        std::lock_guard<std::mutex> hold(connectResults.lock);
        for (auto& p : connectResults.posted) {
            if (p.first == session)
                result = p.second;
        }
        return result != INT_MIN;
    });
    HandleConnectResultMessage(reinterpret_cast<WPARAM>(session), result);
    return result == 0 && session->m_state == sessionConnected;
}

void ConfigTest::SetUp()
{
    dir_ = std::make_unique<TempDir>(true);
    SetStartDirectory(dir_->Path().c_str());
    InstallConfigWindows(&windows_);
}

void ConfigTest::TearDown()
{
    delete g_pLoopGroup;
    g_pLoopGroup = nullptr;
    delete g_pRecGroup;
    g_pRecGroup = nullptr;
    SetStationWindows(nullptr);
    InstallConfigWindows(nullptr);
    SetStartDirectory(ProgramDirectory().c_str());
    dir_.reset();
}

CRecGroup& ConfigTest::MakeLiveTree()
{
    g_pRecGroup = new CRecGroup;
    BuildSampleTree(*g_pRecGroup);
    g_pRecGroup->Save();
    return *g_pRecGroup;
}

void ConfigTest::WriteSampleFile()
{
    ::DeleteFileA(StartPath("servertree.cfg").c_str()); // the constructor would load what is there
    CRecGroup root;
    BuildSampleTree(root);
    root.Save();
}

std::string ConfigTest::FileBytes(const std::string& name) const
{
    std::ifstream in(dir_->File(name), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

INT_PTR RunModal(CDialog& dialog, std::vector<ModalStep> steps)
{
    size_t next = 0;
    ModalDriver driver([&](CWnd* modal) {
        if (next >= steps.size()) {
            if (modal->m_hWnd != nullptr && modal->ContinueModal())
                static_cast<CDialog*>(modal)->EndDialog(-3);
            return;
        }
        // A step may open a nested dialog whose loop runs the following steps before it returns.
        size_t index = next++;
        if (!steps[index](modal) && next == index + 1)
            next = index;
    });
    return dialog.DoModal();
}

void SetText(CWnd* dialog, int id, const std::string& text)
{
    ::SetDlgItemTextA(dialog->m_hWnd, id, text.c_str());
}

std::string GetText(CWnd* dialog, int id)
{
    return WindowText(::GetDlgItem(dialog->m_hWnd, id));
}

void SelectCombo(CWnd* dialog, int id, int index)
{
    HWND combo = ::GetDlgItem(dialog->m_hWnd, id);
    ::SendMessageA(combo, CB_SETCURSEL, index, 0);
    dialog->SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), (LPARAM)combo);
}

void Notify(CWnd* dialog, int id, UINT code)
{
    NMHDR header = {::GetDlgItem(dialog->m_hWnd, id), (UINT_PTR)id, code};
    dialog->SendMessage(WM_NOTIFY, id, (LPARAM)&header);
}

void SetCheckBox(CWnd* dialog, int id, bool on)
{
    ::CheckDlgButton(dialog->m_hWnd, id, on ? BST_CHECKED : BST_UNCHECKED);
}

void SelectTab(CWnd* dialog, int tabId, int index)
{
    ::SendDlgItemMessageA(dialog->m_hWnd, tabId, TCM_SETCURSEL, index, 0);
    Notify(dialog, tabId, TCN_SELCHANGE);
}

int FocusId()
{
    HWND focus = ::GetFocus();
    return focus != nullptr ? ::GetDlgCtrlID(focus) : 0;
}

namespace {

HTREEITEM FindChild(CTreeCtrl& tree, HTREEITEM parent, const std::string& text)
{
    for (HTREEITEM item = tree.GetChildItem(parent); item; item = tree.GetNextSiblingItem(item)) {
        if (std::string(tree.GetItemText(item)) == text)
            return item;
    }
    return nullptr;
}

} // namespace

HTREEITEM FindTreeItem(CTreeCtrl& tree, const std::string& path)
{
    HTREEITEM item = tree.GetRootItem();
    std::stringstream parts(path);
    std::string part;
    while (item != nullptr && std::getline(parts, part, '/'))
        item = FindChild(tree, item, part);
    return item;
}

CAlarmDetectHost::CAlarmDetectHost(CTermServer* server) : CConfigDialog(IDD_CAMERA_SETTING)
{
    m_page.m_pServer = server;
}

void CAlarmDetectHost::DoDataExchange(CDataExchange* pDX)
{
    CConfigDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SETTING_TAB, m_tab);
}

BOOL CAlarmDetectHost::OnInitDialog()
{
    CConfigDialog::OnInitDialog();
    m_host.Attach(&m_tab);
    m_host.AddPage("报警输入", &m_page, CDlgAlarmDetect::IDD);
    m_host.CreatePages();
    return TRUE;
}
