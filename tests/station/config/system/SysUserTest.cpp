// The users page: who may change what, the checks of a new or changed user, the administrator kept,
// Cancel dropping the edits, and the logged-in user's own record taking effect after OK.
#include <gtest/gtest.h>

#include <memory>

#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/UserData.h"
#include "station/core/datamodel/UserGroup.h"
#include "station/core/sessions/SessionWindows.h"
#include "station/core/storage/LogFile.h"
#include "station/core/storage/SystemLog.h"
#include "tests/station/config/system/SysSettingTestSupport.h"

namespace {

// Clicks the row of the list as the user does: selected, then NM_CLICK.
void ClickRow(CWnd* page, int row)
{
    CDlgSysUser* users = static_cast<CDlgSysUser*>(page);
    users->m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    Notify(page, IDC_SYSUSER_LIST, NM_CLICK);
}

void TypeUser(CWnd* page, const char* name, const char* password, const char* confirm)
{
    SetText(page, IDC_SYSUSER_NAME, name);
    SetText(page, IDC_SYSUSER_PASSWORD, password);
    SetText(page, IDC_SYSUSER_CONFIRM, confirm);
}

CUserData* UserAt(int index)
{
    POSITION pos = g_pUserGroup->m_users.FindIndex(index);
    return pos != nullptr ? g_pUserGroup->m_users.GetAt(pos) : nullptr;
}

std::unique_ptr<CUserGroup> ReloadedUsers()
{
    auto users = std::make_unique<CUserGroup>();
    users->Load();
    return users;
}

// The station's log, for the name it stamps on its records.
class LogWindows : public CNullStationWindows {
public:
    CSystemLog* GetSystemLog() override { return &log; }
    CSystemLog log;
};

std::string LastLoggedUser(CSystemLog& log)
{
    log.Write(SYSLOG_LOGIN, "", 0, "test", nullptr);
    CPtrArray files;
    log.ListFiles(files);
    std::string user;
    for (int i = 0; i < files.GetSize(); ++i) {
        CLogFile* file = static_cast<CLogFile*>(files[i]);
        FILE* f = fopen(file->m_path, "rb");
        SysLogRecord record = {};
        while (f != nullptr && fread(&record, sizeof record, 1, f) == 1)
            user = record.user;
        if (f != nullptr)
            fclose(f);
        delete file;
    }
    return user;
}

} // namespace

class SysUserTest : public SysSettingTest {};

TEST_F(SysUserTest, TheFirstUserOfAnEmptyListIsTheAdministratorWithEveryRight)
{
    while (!g_pUserGroup->m_users.IsEmpty())
        delete g_pUserGroup->m_users.RemoveHead();
    CDlgSysSetting dialog;
    RunModal(dialog, {OnTab(tabUsers,
                            [](CDlgSysSetting*, CWnd* page) {
                                TypeUser(page, "boss", "pw", "pw");
                                ClickButton(page, IDC_SYSUSER_ADD); // no box checked
                                TypeUser(page, "second", "pw", "pw");
                                SetCheckBox(page, IDC_SYSUSER_RIGHT1 + 2, true);
                                SetCheckBox(page, IDC_SYSUSER_RIGHT12, true);
                                ClickButton(page, IDC_SYSUSER_ADD);
                            }),
                      PressOk()});
    std::unique_ptr<CUserGroup> reloaded = ReloadedUsers();
    CUserGroup& saved = *reloaded;
    ASSERT_EQ(2, (int)saved.m_users.GetCount());
    CUserData* boss = saved.m_users.GetHead();
    CUserData* second = saved.m_users.GetTail();
    EXPECT_STREQ("boss", boss->m_name);
    for (int right = 0; right < rightCount; ++right) {
        EXPECT_EQ(1, boss->m_rights[right]) << right;
        EXPECT_EQ(right == 3 || right == 12 ? 1 : 0, second->m_rights[right]) << right;
    }
}

// Add and change refuse, in this order, an empty name, a confirmation that differs and a name
// another user has in any case of its letters; nothing changes in the list.
TEST_F(SysUserTest, AddAndChangeRefuseBadNamesAndPasswords)
{
    static const std::string longName(21, 'n');
    const struct {
        int row; // -1: add
        const char* name;
        const char* password;
        const char* confirm;
        const char* message;
        int focus;
    } cases[] = {
        {-1, "", "a", "a", "请输入用户名!", IDC_SYSUSER_NAME},
        {-1, "new", "a", "b", "密码输入有错误,请重新输入!", IDC_SYSUSER_PASSWORD},
        {-1, "GUARD", "a", "a", "该用户名已经存在,请重新输入!", IDC_SYSUSER_NAME},
        {-1, "Admin", "a", "a", "该用户名已经存在,请重新输入!", IDC_SYSUSER_NAME},
        {-1, longName.c_str(), "a", "a", "在此字段中请不要超过20个字符。", IDC_SYSUSER_NAME},
        {1, "ADMIN", "a", "a", "该用户名已经存在,请重新输入!", IDC_SYSUSER_NAME},
        {1, "guard", "a", "", "密码输入有错误,请重新输入!", IDC_SYSUSER_PASSWORD},
    };
    const std::string before = FileBytes("userlist.dat");
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " row " + std::to_string(c.row));
        MessageBoxRecorder boxes;
        CDlgSysSetting dialog;
        RunModal(dialog, {OnTab(tabUsers,
                                [&](CDlgSysSetting*, CWnd* page) {
                                    if (c.row >= 0)
                                        ClickRow(page, c.row);
                                    TypeUser(page, c.name, c.password, c.confirm);
                                    ClickButton(page, c.row >= 0 ? IDC_SYSUSER_CHANGE : IDC_SYSUSER_ADD);
                                    EXPECT_EQ(c.focus, FocusId());
                                    EXPECT_EQ(2, (int)g_pUserGroup->m_users.GetCount());
                                    EXPECT_STREQ("guard", UserAt(1)->m_name);
                                    EXPECT_STREQ("abc", UserAt(1)->m_password);
                                }),
                          PressCancel()});
        ASSERT_EQ(1u, boxes.Boxes().size());
        EXPECT_EQ(c.message, boxes.Boxes()[0].text);
    }
    // A change to the same name in other letters is the user himself, not a clash; the name keeps
    // the letters typed.
    CDlgSysSetting dialog;
    RunModal(dialog, {OnTab(tabUsers,
                            [](CDlgSysSetting*, CWnd* page) {
                                ClickRow(page, 1);
                                TypeUser(page, "Guard", "new", "new");
                                ClickButton(page, IDC_SYSUSER_CHANGE);
                            }),
                      PressOk()});
    std::unique_ptr<CUserGroup> reloaded = ReloadedUsers();
    CUserGroup& saved = *reloaded;
    EXPECT_STREQ("Guard", saved.m_users.GetTail()->m_name);
    EXPECT_STREQ("new", saved.m_users.GetTail()->m_password);
}

TEST_F(SysUserTest, AnOrdinaryUserChangesOnlyHisOwnPassword)
{
    LogInAs("guard");
    CDlgSysSetting dialog;
    RunModal(dialog, {OnTab(tabUsers,
                            [](CDlgSysSetting*, CWnd* page) {
                                for (int id : {IDC_SYSUSER_NAME, IDC_SYSUSER_ADD, IDC_SYSUSER_DELETE,
                                               IDC_SYSUSER_RIGHT1, IDC_SYSUSER_RIGHT1 + 10, IDC_SYSUSER_RIGHT12})
                                    EXPECT_FALSE(page->GetDlgItem(id)->IsWindowEnabled()) << id;
                                ClickRow(page, 0);
                                EXPECT_FALSE(page->GetDlgItem(IDC_SYSUSER_CHANGE)->IsWindowEnabled());
                                ClickRow(page, 1);
                                EXPECT_TRUE(page->GetDlgItem(IDC_SYSUSER_CHANGE)->IsWindowEnabled());
                                EXPECT_EQ("abc", GetText(page, IDC_SYSUSER_PASSWORD));
                                // The rights boxes show his rights but a change leaves them.
                                EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(page->m_hWnd, IDC_SYSUSER_RIGHT1 + 2));
                                SetCheckBox(page, IDC_SYSUSER_RIGHT1, true);
                                SetText(page, IDC_SYSUSER_NAME, "renamed");
                                SetText(page, IDC_SYSUSER_PASSWORD, "secret");
                                SetText(page, IDC_SYSUSER_CONFIRM, "secret");
                                ClickButton(page, IDC_SYSUSER_CHANGE);
                            }),
                      PressOk()});
    std::unique_ptr<CUserGroup> reloaded = ReloadedUsers();
    CUserGroup& saved = *reloaded;
    CUserData* guard = saved.m_users.GetTail();
    EXPECT_STREQ("guard", guard->m_name);
    EXPECT_STREQ("secret", guard->m_password);
    EXPECT_EQ(0, guard->m_rights[1]);
    EXPECT_STREQ("1234", saved.m_users.GetHead()->m_password);
    EXPECT_STREQ("secret", CurrentUser().password) << "his new password unlocks the station";
}

TEST_F(SysUserTest, TheAdministratorStaysAndADeletedUserGoesOnlyWithOk)
{
    MessageBoxRecorder boxes(IDYES);
    CDlgSysSetting dialog;
    RunModal(dialog, {OnTab(tabUsers,
                            [](CDlgSysSetting*, CWnd* page) {
                                ClickRow(page, 0);
                                EXPECT_FALSE(page->GetDlgItem(IDC_SYSUSER_DELETE)->IsWindowEnabled());
                                ClickButton(page, IDC_SYSUSER_DELETE); // even when clicked
                                ClickRow(page, 1);
                                EXPECT_TRUE(page->GetDlgItem(IDC_SYSUSER_DELETE)->IsWindowEnabled());
                                ClickButton(page, IDC_SYSUSER_DELETE);
                                EXPECT_EQ(1, (int)g_pUserGroup->m_users.GetCount());
                            }),
                      PressCancel()});
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ("你确定要删除该用户吗?", boxes.Boxes()[0].text);
    EXPECT_EQ((UINT)(MB_YESNO | MB_ICONQUESTION), boxes.Boxes()[0].type & (MB_TYPEMASK | MB_ICONMASK));
    EXPECT_EQ(2, (int)g_pUserGroup->m_users.GetCount()) << "Cancel reloaded the list from its file";
    CDlgSysSetting again;
    RunModal(again, {OnTab(tabUsers,
                           [](CDlgSysSetting*, CWnd* page) {
                               ClickRow(page, 1);
                               ClickButton(page, IDC_SYSUSER_DELETE);
                           }),
                     PressOk()});
    EXPECT_EQ(1, (int)ReloadedUsers()->m_users.GetCount());
    EXPECT_STREQ("admin", g_pUserGroup->m_users.GetHead()->m_name);
}

// The administrator renames himself and changes his password: after OK the station's current user
// and the name the log stamps follow; Cancel would have left both.
TEST_F(SysUserTest, OwnRecordChangedTakesEffectAfterOk)
{
    LogWindows station;
    station.log.SetBaseDir(dir_->Path().c_str());
    station.log.SetCurrentUser("admin");
    IStationWindows* previous = SetStationWindows(&station);
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        CDlgSysSetting dialog;
        RunModal(dialog, {OnTab(tabUsers,
                                [](CDlgSysSetting*, CWnd* page) {
                                    ClickRow(page, 0);
                                    TypeUser(page, "chief", "9999", "9999");
                                    ClickButton(page, IDC_SYSUSER_CHANGE);
                                }),
                          ok ? PressOk() : PressCancel()});
        EXPECT_STREQ(ok ? "chief" : "admin", CurrentUser().name);
        EXPECT_STREQ(ok ? "9999" : "1234", CurrentUser().password);
        EXPECT_EQ(1, CurrentUser().rights[rightAdministrator]);
        EXPECT_EQ(ok ? "chief" : "admin", LastLoggedUser(station.log));
    }
    SetStationWindows(previous);
}

// The automatic log-in names a user by name and password: when that user's record changes (his own
// new password, or the administrator renaming him), the stored pair follows once OK saved the list,
// so the next start still logs him in; Cancel leaves it.
TEST_F(SysUserTest, TheAutomaticLogInFollowsAChangedUser)
{
    const struct {
        const char* loggedIn;
        const char* name;
        const char* password;
        bool ok;
        const char* storedName;
        const char* storedPassword;
    } cases[] = {
        {"guard", "guard", "Secret", true, "guard", "secret"},
        {"admin", "Warden", "9999", true, "warden", "9999"},
        {"guard", "guard", "Secret", false, "guard", "abc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.loggedIn) + (c.ok ? " OK" : " Cancel"));
        g_pUserGroup->m_autoLogin = 1;
        g_pUserGroup->m_autoLoginUser = "guard";
        g_pUserGroup->m_autoLoginPassword = "abc";
        UserAt(1)->m_name = "guard";
        UserAt(1)->m_password = "abc";
        g_pUserGroup->Save();
        LogInAs(c.loggedIn);
        CDlgSysSetting dialog;
        RunModal(dialog, {OnTab(tabUsers,
                                [&](CDlgSysSetting*, CWnd* page) {
                                    ClickRow(page, 1);
                                    TypeUser(page, c.name, c.password, c.password);
                                    ClickButton(page, IDC_SYSUSER_CHANGE);
                                }),
                          c.ok ? PressOk() : PressCancel()});
        std::unique_ptr<CUserGroup> saved = ReloadedUsers();
        EXPECT_STREQ(c.storedName, saved->m_autoLoginUser);
        EXPECT_STREQ(c.storedPassword, saved->m_autoLoginPassword);
        EXPECT_NE(nullptr, saved->FindUser(saved->m_autoLoginUser, saved->m_autoLoginPassword))
            << "the next start finds the stored user";
    }
}
