// Fixtures of the configuration dialog tests: a temporary start directory with a live server tree
// and tour list, the main-window recorder, dialogs run modally by a script, and tree lookups.
#pragma once

#include <afxcmn.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "devices/devsim/control/DevsimControl.h"
#include "station/config/ConfigDialog.h"
#include "station/config/ConfigWindows.h"
#include "station/config/servers/DlgAlarmDetect.h"
#include "station/config/TabPageHost.h"
#include "tests/framework/windows/WindowTestSupport.h"
#include "tests/support/TestSupport.h"

class CRecGroup;
class CTermCamera;
class CTermData;
class CTermServer;

// Records what the dialogs ask of the main window; keeps the serial device handles as the main
// window does.
class RecordingConfigWindows : public IConfigWindows {
public:
    void SetCameraDescription(LPCSTR text) override { descriptions.push_back(text); }
    void RestartFileService() override { ++restarts; }
    int GetSerialHandle(int kind) override { return kind >= 1 && kind <= 3 ? handles[kind] : 0; }
    void SetSerialHandle(int kind, int handle) override
    {
        if (kind >= 1 && kind <= 3)
            handles[kind] = handle;
    }
    HWND GetKeyboardWindow() override { return keyboardWindow; }
    void SetLocalRelayState(int output, int on, BOOL redraw) override
    {
        relays.push_back(std::to_string(output) + (on ? " on" : " off") + (redraw ? " redraw" : ""));
    }

    std::vector<std::string> descriptions;
    int restarts = 0;
    int handles[4] = {};
    HWND keyboardWindow = nullptr;
    std::vector<std::string> relays;
};

// Project "总部"; group "大楼" with child group "二层" (server "走廊", 1 camera) and servers "大厅"
// (4 cameras) and "仓库" (2 cameras); group "停车场" with server "入口" (2 cameras). Cameras are
// named "摄像机1".. per server.
void BuildSampleTree(CRecGroup& root);
CTermServer* AddSampleServer(CRecGroup& root, CTermData* group, LPCSTR name, int cameras);
CTermServer* FindServer(const CRecGroup& root, LPCSTR name);
CTermCamera* FindCamera(const CRecGroup& root, LPCSTR server, int channel);

// The alarm input page in a frame of one tab, as the server local settings dialog holds it; the
// camera settings template lends its tab control.
class CAlarmDetectHost : public CConfigDialog {
public:
    explicit CAlarmDetectHost(CTermServer* server);

    CTabCtrl m_tab;
    CTabPageHost m_host;
    CDlgAlarmDetect m_page;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};

// The simulated site of these tests, started once per test program: "Alpha", 4 channels, log-in
// admin/secret, an alarm box at address 1 behind its serial port 0.
DevsimSite& ConfigSite();
// Points the server at the site's "Alpha", gives the camera a session and connects it as the main
// window does (the connect result is handed to the session on this thread); true when connected.
bool ConnectLive(CTermServer* server, CTermCamera* camera);

class ConfigTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The live tree (g_pRecGroup) with the sample, saved to "servertree.cfg".
    CRecGroup& MakeLiveTree();
    // "servertree.cfg" with the sample tree (no live tree).
    void WriteSampleFile();
    std::string FileBytes(const std::string& name) const;
    std::string StartPath(const std::string& name) const { return dir_->File(name); }

    std::unique_ptr<TempDir> dir_;
    RecordingConfigWindows windows_;
};

// Runs the dialog modally; each time the innermost modal loop goes idle, the next step runs with
// that loop's window. A step returns false to wait for another idle turn with the same step. After
// the last step the dialog still open is ended with -3.
typedef std::function<bool(CWnd* modal)> ModalStep;
INT_PTR RunModal(CDialog& dialog, std::vector<ModalStep> steps);

// Steps and actions on dialogs.
void SetText(CWnd* dialog, int id, const std::string& text);
std::string GetText(CWnd* dialog, int id);
void SelectCombo(CWnd* dialog, int id, int index); // with CBN_SELCHANGE to the parent
void Notify(CWnd* dialog, int id, UINT code);      // WM_NOTIFY from the control
void SetCheckBox(CWnd* dialog, int id, bool on);
void SelectTab(CWnd* dialog, int tabId, int index); // with TCN_SELCHANGE
int FocusId();                                      // the control with the focus, 0 for none

// "大楼/二层": the item whose path of texts below the root item matches; the root for "".
HTREEITEM FindTreeItem(CTreeCtrl& tree, const std::string& path);
