// The application object: AfxWinMain's order of InitInstance, Run and ExitInstance, the names it
// records, the main window, and the commands that dialogs leave to the application.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/framework/windows/WindowTestIds.h"
#include "tests/framework/windows/WindowTestSupport.h"

namespace {

std::vector<std::string> appCalls;

class CSimpleMainDlg : public CDialog {
public:
    CSimpleMainDlg() : CDialog(IDD_SIMPLE) {}
    afx_msg LRESULT OnQuitNow(WPARAM, LPARAM)
    {
        DestroyWindow();
        return 0;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_APP + 2)
            appCalls.push_back("dialog pretranslate");
        return CDialog::PreTranslateMessage(pMsg);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSimpleMainDlg, CDialog)
ON_MESSAGE(WM_APP + 2, &CSimpleMainDlg::OnQuitNow)
END_MESSAGE_MAP()

enum class Start { Fail, ModelessMainWindow, ModalMainDialog };

class CTestApp : public CWinApp {
public:
    explicit CTestApp(Start start) : m_start(start) {}
    Start m_start;
    CSimpleMainDlg m_main;
    CWnd* m_mainDuringInit = nullptr;
    INT_PTR m_modalResult = 0;

    BOOL InitInstance() override
    {
        appCalls.push_back("InitInstance");
        switch (m_start) {
        case Start::Fail:
            return FALSE;
        case Start::ModelessMainWindow:
            m_main.Create(IDD_SIMPLE);
            m_pMainWnd = &m_main;
            m_mainDuringInit = AfxGetMainWnd();
            // Destroying the main window ends the message loop.
            m_main.PostMessage(WM_APP + 2);
            return TRUE;
        case Start::ModalMainDialog: {
            // As the station runs: the main dialog modally inside InitInstance.
            m_pMainWnd = &m_main;
            ModalDriver driver([this](CWnd* w) {
                m_mainDuringInit = AfxGetMainWnd();
                w->PostMessage(WM_APP + 2);
            });
            m_modalResult = m_main.DoModal();
            return FALSE;
        }
        }
        return FALSE;
    }
    int Run() override
    {
        appCalls.push_back("Run");
        return CWinApp::Run();
    }
    int ExitInstance() override
    {
        appCalls.push_back("ExitInstance");
        CWinApp::ExitInstance();
        return 7;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_APP + 2)
            appCalls.push_back("app pretranslate");
        return CWinApp::PreTranslateMessage(pMsg);
    }
};

// AfxWinMain of the application object that is alive now.
int RunApp()
{
    appCalls.clear();
    int result = AfxWinMain(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_SHOWNORMAL);
    DiscardQuitMessage();
    return result;
}

TEST(WinApp, FailedInitInstanceStillRunsExitInstance)
{
    CTestApp app(Start::Fail);
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_EQ(RunApp(), 7);
    EXPECT_EQ(appCalls, std::vector<std::string>({"InitInstance", "ExitInstance"}));
    EXPECT_STREQ(app.m_pszExeName, "framework_window_tests");
    EXPECT_STREQ(app.m_pszAppName, "framework_window_tests");
    EXPECT_EQ(app.m_hInstance, ::GetModuleHandleA(nullptr));
    EXPECT_EQ(AfxGetInstanceHandle(), ::GetModuleHandleA(nullptr));
}

TEST(WinApp, RunLoopsUntilTheMainWindowIsGone)
{
    CTestApp app(Start::ModelessMainWindow);
    EXPECT_EQ(RunApp(), 7);
    // The posted message went through the application's filter, which walked to the dialog.
    EXPECT_EQ(appCalls, std::vector<std::string>(
                            {"InitInstance", "Run", "app pretranslate", "dialog pretranslate", "ExitInstance"}));
    EXPECT_EQ(app.m_mainDuringInit, &app.m_main);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
}

TEST(WinApp, ModalMainDialogDestroyedByItsHandlerEndsTheProgram)
{
    CTestApp app(Start::ModalMainDialog);
    EXPECT_EQ(RunApp(), 7);
    EXPECT_EQ(app.m_modalResult, -1);
    EXPECT_EQ(app.m_mainDuringInit, &app.m_main);
    EXPECT_EQ(appCalls,
              std::vector<std::string>({"InitInstance", "app pretranslate", "dialog pretranslate", "ExitInstance"}));
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

// Commands a dialog does not map go on to the application's map.
class CHelpApp : public CWinApp {
public:
    int m_helps = 0;
    afx_msg void OnAppHelp() { ++m_helps; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHelpApp, CWinApp)
ON_COMMAND(ID_HELP, &CHelpApp::OnAppHelp)
END_MESSAGE_MAP()

TEST(WinApp, DialogsLeaveUnmappedMenuCommandsToTheApplication)
{
    CHelpApp app;
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_SIMPLE));
    EXPECT_EQ(dlg.SendMessage(WM_COMMAND, ID_HELP, 0), 1);
    EXPECT_EQ(app.m_helps, 1);
    // Control identifiers below the command range stay with the dialog.
    dlg.SendMessage(WM_COMMAND, IDC_EDIT1, 0);
    EXPECT_EQ(app.m_helps, 1);
    dlg.DestroyWindow();
}

TEST(WinApp, MessageBoxesCarryTheApplicationNameAndThePlatformIcons)
{
    CWinApp app("监控站");
    AfxWinInit(::GetModuleHandleA(nullptr), nullptr, (LPSTR) "", SW_SHOWNORMAL);
    MessageBoxRecorder boxes(IDNO);
    EXPECT_EQ(AfxMessageBox("问题", MB_YESNO), IDNO);
    AfxMessageBox("提示");
    AfxMessageBox("停止", MB_OK | MB_ICONSTOP);
    ASSERT_EQ(boxes.Boxes().size(), 3u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "监控站");
    EXPECT_EQ(boxes.Boxes()[0].type, (UINT)(MB_YESNO | MB_ICONQUESTION));
    EXPECT_EQ(boxes.Boxes()[1].type, (UINT)(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(boxes.Boxes()[2].type, (UINT)(MB_OK | MB_ICONSTOP));

    // A window's own message box has the application's name unless told otherwise.
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_SIMPLE));
    dlg.MessageBox("一");
    dlg.MessageBox("二", "标题");
    ASSERT_EQ(boxes.Boxes().size(), 5u);
    EXPECT_EQ(boxes.Boxes()[3].caption, "监控站");
    EXPECT_EQ(boxes.Boxes()[3].owner, dlg.m_hWnd);
    EXPECT_EQ(boxes.Boxes()[4].caption, "标题");
    dlg.DestroyWindow();
}

} // namespace
