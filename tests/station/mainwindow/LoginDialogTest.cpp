// The log-in dialog in its three modes, run modally and typed into as the operator does: which
// check each mode makes, and what a wrong entry leaves behind (the password cleared, the cursor in
// the name).
#include <gtest/gtest.h>

#include <string>

#include "resources/warden/resource.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/UserData.h"
#include "station/core/datamodel/UserGroup.h"
#include "station/ui/mainwindow/DlgLogin.h"
#include "tests/framework/windows/WindowTestSupport.h"

namespace {

struct LoginCase {
    const char* name;
    int mode;
    const char* typedName;
    const char* typedPassword;
    bool tickAutoLogin;
    bool accepted;
    const char* userAfter; // the current user when the dialog is done
};

// The list holds "Admin"/"Pw" (every right) and "Guard"/"Gd" (query and PTZ); "admin" is logged in.
const LoginCase kCases[] = {
    {"log-in of another listed user, in any case", CDlgLogin::MODE_LOGIN, "GUARD", "gD", true, true, "guard"},
    {"log-in with a wrong password", CDlgLogin::MODE_LOGIN, "guard", "pw", false, false, "admin"},
    {"log-in of a user not in the list", CDlgLogin::MODE_LOGIN, "visitor", "gd", false, false, "admin"},
    {"confirmation by the current user", CDlgLogin::MODE_CONFIRM, "ADMIN", "pW", false, true, "admin"},
    {"confirmation by another listed user", CDlgLogin::MODE_CONFIRM, "guard", "gd", false, false, "admin"},
    {"unlock by the current user", CDlgLogin::MODE_UNLOCK, "Admin", "PW", false, true, "admin"},
    {"unlock by another listed user", CDlgLogin::MODE_UNLOCK, "guard", "gd", false, false, "admin"},
    {"unlock with the current user's name and another's password", CDlgLogin::MODE_UNLOCK, "admin", "gd", false, false,
     "admin"},
};

class LoginDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_pUserGroup = new CUserGroup;
        AddUser("Admin", "Pw", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
        AddUser("Guard", "Gd", {rightDataQuery, rightPtzControl});
        ASSERT_TRUE(CDlgLogin::LogIn("admin", "pw", 0));
    }
    void TearDown() override
    {
        CurrentUser().Clear();
        delete g_pUserGroup;
        g_pUserGroup = nullptr;
    }
    static void AddUser(const char* name, const char* password, std::initializer_list<int> rights)
    {
        CUserData* user = new CUserData;
        user->m_name = name;
        user->m_password = password;
        for (int right : rights)
            user->m_rights[right] = 1;
        g_pUserGroup->m_users.AddTail(user);
    }
};

// What the dialog showed after the entry was given.
struct Outcome {
    INT_PTR result = 0;
    bool stayedOpen = false;
    std::string nameAfter;
    std::string passwordAfter;
    bool focusOnName = false;
    int selectionStart = -1, selectionEnd = -1;
    std::string nameAtOpen;
};

// Types the entry into the open dialog, presses Enter in the password field, and reads what the
// dialog shows once the key was handled.
Outcome Enter(int mode, const char* name, const char* password, bool tickAutoLogin)
{
    Outcome outcome;
    int step = 0;
    CDlgLogin dialog;
    dialog.m_mode = mode;
    ModalDriver driver([&](CWnd* modal) {
        HWND nameEdit = ::GetDlgItem(modal->m_hWnd, IDC_LOGIN_NAME);
        HWND passwordEdit = ::GetDlgItem(modal->m_hWnd, IDC_LOGIN_PASSWORD);
        if (step++ == 0) {
            outcome.nameAtOpen = WindowText(nameEdit);
            ::SetWindowTextA(nameEdit, name);
            ::SetWindowTextA(passwordEdit, password);
            if (tickAutoLogin)
                ::SendMessageA(::GetDlgItem(modal->m_hWnd, IDC_LOGIN_AUTO), BM_CLICK, 0, 0);
            ::SetFocus(passwordEdit);
            modal->PostMessage(WM_NULL); // keeps the loop turning after the key
            ::PostMessageA(passwordEdit, WM_KEYDOWN, VK_RETURN, 0);
            return;
        }
        outcome.stayedOpen = true;
        outcome.nameAfter = WindowText(nameEdit);
        outcome.passwordAfter = WindowText(passwordEdit);
        outcome.focusOnName = ::GetFocus() == nameEdit;
        DWORD start = 0, end = 0;
        ::SendMessageA(nameEdit, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
        outcome.selectionStart = (int)start;
        outcome.selectionEnd = (int)end;
        static_cast<CDialog*>(modal)->EndDialog(IDCANCEL);
    });
    outcome.result = dialog.DoModal();
    return outcome;
}

} // namespace

TEST_F(LoginDialogTest, EachModeChecksItsOwnUserAndAWrongEntryClearsThePassword)
{
    for (const LoginCase& c : kCases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(CDlgLogin::LogIn("admin", "pw", 0));
        g_pUserGroup->m_autoLogin = 7; // neither state: shows whether the dialog wrote it
        Outcome outcome = Enter(c.mode, c.typedName, c.typedPassword, c.tickAutoLogin);
        EXPECT_EQ(c.accepted ? IDOK : IDCANCEL, outcome.result);
        EXPECT_EQ(c.userAfter, std::string(CurrentUser().name));
        if (c.mode == CDlgLogin::MODE_UNLOCK) {
            EXPECT_EQ("admin", outcome.nameAtOpen) << "the unlock offers the current user's name";
        }
        if (c.accepted) {
            EXPECT_FALSE(outcome.stayedOpen);
            if (c.mode == CDlgLogin::MODE_LOGIN) {
                EXPECT_EQ(c.tickAutoLogin ? 1 : 0, g_pUserGroup->m_autoLogin);
                EXPECT_EQ(c.userAfter, std::string(g_pUserGroup->m_autoLoginUser));
            } else {
                EXPECT_EQ(7, g_pUserGroup->m_autoLogin) << "only the log-in sets the automatic log-in";
            }
            continue;
        }
        EXPECT_TRUE(outcome.stayedOpen) << "a wrong entry keeps the dialog open";
        EXPECT_EQ("", outcome.passwordAfter);
        EXPECT_EQ(c.typedName, outcome.nameAfter);
        EXPECT_TRUE(outcome.focusOnName);
        EXPECT_EQ(0, outcome.selectionStart);
        EXPECT_EQ((int)strlen(c.typedName), outcome.selectionEnd) << "the name is selected for retyping";
        EXPECT_EQ(7, g_pUserGroup->m_autoLogin);
    }
}

TEST_F(LoginDialogTest, AnEmptyNameIsNeverLookedUpAndKeepsThePassword)
{
    for (int mode : {CDlgLogin::MODE_LOGIN, CDlgLogin::MODE_CONFIRM, CDlgLogin::MODE_UNLOCK}) {
        SCOPED_TRACE(mode);
        Outcome outcome = Enter(mode, "", "pw", false);
        EXPECT_EQ(IDCANCEL, outcome.result);
        EXPECT_TRUE(outcome.stayedOpen);
        EXPECT_TRUE(outcome.focusOnName);
        EXPECT_EQ("pw", outcome.passwordAfter) << "nothing but the focus changes";
        EXPECT_EQ("admin", std::string(CurrentUser().name));
    }
}

TEST_F(LoginDialogTest, RightsFollowTheUserThatLoggedInThroughTheDialog)
{
    Outcome outcome = Enter(CDlgLogin::MODE_LOGIN, "Guard", "GD", false);
    ASSERT_EQ(IDOK, outcome.result);
    EXPECT_EQ(1, CurrentUser().rights[rightDataQuery]);
    EXPECT_EQ(1, CurrentUser().rights[rightPtzControl]);
    EXPECT_EQ(0, CurrentUser().rights[rightServerAssign]);
    EXPECT_EQ(0, CurrentUser().rights[rightAdministrator]);
    EXPECT_EQ("gd", std::string(CurrentUser().password));
}
