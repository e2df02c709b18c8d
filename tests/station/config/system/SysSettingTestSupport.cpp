// Fixtures of the system settings tests.
#include "tests/station/config/system/SysSettingTestSupport.h"

#include "devices/portwick/Portwick.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/datamodel/UserData.h"
#include "station/core/datamodel/UserGroup.h"

namespace {

FakeDrive g_drives[26];

DWORD FakeLogicalDrives()
{
    DWORD mask = 0;
    for (int i = 0; i < 26; ++i) {
        if (g_drives[i].type != 0)
            mask |= 1u << i;
    }
    return mask;
}

int LetterIndex(LPCSTR root)
{
    char letter = root != nullptr ? (char)(root[0] & ~0x20) : 0;
    return letter >= 'A' && letter <= 'Z' ? letter - 'A' : -1;
}

UINT FakeDriveType(LPCSTR root)
{
    // The page asks with a real root path; anything else is no root at all.
    int index = LetterIndex(root);
    if (index < 0 || std::string(root).substr(1) != ":\\")
        return DRIVE_NO_ROOT_DIR;
    return g_drives[index].type != 0 ? g_drives[index].type : DRIVE_NO_ROOT_DIR;
}

BOOL FakeDiskSpace(LPCSTR drive, ULONGLONG* total, ULONGLONG* free)
{
    int index = LetterIndex(drive);
    if (index < 0 || g_drives[index].type == 0)
        return FALSE;
    *total = (ULONGLONG)g_drives[index].totalMB << 20;
    *free = ((ULONGLONG)g_drives[index].freeMB << 20) + 12345; // whole megabytes and a rest
    return TRUE;
}

CUserData* MakeUser(const char* name, const char* password, std::initializer_list<int> rights)
{
    CUserData* user = new CUserData;
    user->m_name = name;
    user->m_password = password;
    for (int right : rights)
        user->m_rights[right] = 1;
    return user;
}

} // namespace

const DriveQueries kFakeDriveQueries = {FakeLogicalDrives, FakeDriveType, FakeDiskSpace};

void SetFakeDrive(char letter, FakeDrive drive)
{
    g_drives[letter - 'A'] = drive;
}

void SetStandardDrives()
{
    for (FakeDrive& drive : g_drives)
        drive = FakeDrive{0, 0, 0};
    SetFakeDrive('C', {DRIVE_FIXED, 100000, 40000});
    SetFakeDrive('D', {DRIVE_FIXED, 200000, 150000});
    SetFakeDrive('E', {DRIVE_CDROM, 700, 0});
    SetFakeDrive('F', {DRIVE_REMOTE, 50000, 1000});
    SetFakeDrive('G', {DRIVE_RAMDISK, 512, 512});
    SetFakeDrive('Z', {DRIVE_FIXED, 300000, 300000});
}

void SysSettingTest::SetUp()
{
    ConfigTest::SetUp();
    quietBoxes_ = std::make_unique<MessageBoxRecorder>();
    g_pSysParam = new CSysParam;
    g_pSysParam->Save();
    g_pUserGroup = new CUserGroup;
    g_pUserGroup->m_users.AddTail(MakeUser("admin", "1234", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    g_pUserGroup->m_users.AddTail(MakeUser("guard", "abc", {3, 7}));
    g_pUserGroup->Save();
    LogInAs("admin");
    SetStandardDrives();
    ReplaceDriveQueries(&kFakeDriveQueries);
}

void SysSettingTest::TearDown()
{
    // Devices an OK opened on a site leave their ports free for the next test.
    for (int kind = 1; kind <= 3; ++kind) {
        if (windows_.handles[kind] != 0)
            Portwick_Close(windows_.handles[kind], kind);
    }
    quietBoxes_.reset();
    ReplaceDriveQueries(nullptr);
    CurrentUser().Clear();
    delete g_pUserGroup;
    g_pUserGroup = nullptr;
    delete g_pSysParam;
    g_pSysParam = nullptr;
    ConfigTest::TearDown();
}

void SysSettingTest::LogInAs(const char* name)
{
    for (POSITION pos = g_pUserGroup->m_users.GetHeadPosition(); pos != nullptr;) {
        CUserData* user = g_pUserGroup->m_users.GetNext(pos);
        if (user->m_name == name)
            CurrentUser().SetFrom(*user);
    }
}

std::string SysSettingTest::SettingsFiles() const
{
    std::string all;
    for (const char* name : {"sysparam.dat", "userlist.dat", "sysrecord.dat", "start.ini"})
        all += std::string(name) + ":" + FileBytes(name) + "\n";
    return all;
}

ModalStep OnSettings(SettingsAction action)
{
    return [=](CWnd* modal) {
        CDlgSysSetting* d = dynamic_cast<CDlgSysSetting*>(modal);
        if (d == nullptr)
            return false;
        action(d);
        return true;
    };
}

ModalStep OnTab(int tab, std::function<void(CDlgSysSetting*, CWnd* page)> action)
{
    return OnSettings([=](CDlgSysSetting* d) {
        SelectTab(d, IDC_SETTING_TAB, tab);
        action(d, d->m_host.GetPage(tab));
    });
}

ModalStep PressOk()
{
    return OnSettings([](CDlgSysSetting* d) { ClickButton(d, IDOK); });
}

ModalStep PressCancel()
{
    return OnSettings([](CDlgSysSetting* d) { ClickButton(d, IDCANCEL); });
}
