// The system settings dialog: OK reads every page before it stores anything, Cancel leaves the
// files as they were, one table of bad input over every edit of every page, and the recording,
// file service, forwarding, software and program pages.
#include <gtest/gtest.h>

#include <memory>

#include "framework/WindowSeams.h"
#include "station/config/system/StartSchedule.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/datamodel/UserGroup.h"
#include "station/core/storage/StoragePathFile.h"
#include "tests/station/config/system/SysSettingTestSupport.h"

namespace {

const char kNoInteger[] = "请键入一个整数。";
const char kNoUnsigned[] = "请键入一个正整数。";

std::string Range(int low, int high)
{
    return "请填入一个在" + std::to_string(low) + "和" + std::to_string(high) + "之间的整数。";
}

std::string TooLong(int chars)
{
    return "在此字段中请不要超过" + std::to_string(chars) + "个字符。";
}

std::string CurrentDirectory()
{
    char path[MAX_PATH] = "";
    ::GetCurrentDirectoryA(sizeof path, path);
    return path;
}

// The keys of a section of "start.ini" in file order, "KEY=value" each.
std::vector<std::string> SectionLines(const std::string& ini, const char* section)
{
    char buffer[8192] = {};
    ::GetPrivateProfileSectionA(section, buffer, sizeof buffer, ini.c_str());
    std::vector<std::string> lines;
    for (const char* p = buffer; *p != '\0'; p += strlen(p) + 1)
        lines.push_back(p);
    return lines;
}

std::unique_ptr<CSysParam> ReloadedParams()
{
    auto params = std::make_unique<CSysParam>();
    params->Load();
    return params;
}

} // namespace

TEST_F(SysSettingTest, CancelLeavesEveryFileAndValueAsItWas)
{
    g_pSysParam->m_connectBuffers = 20;
    g_pSysParam->Save();
    StoragePathEntry entry = MakeStorageEntry("C:", 700, "C:\\rec");
    ASSERT_TRUE(SaveStorageRoots(GetStartDirectory(), &entry, 1));
    ::WritePrivateProfileStringA("STARATUPTIME", "ENABLE", "0", StartPath("start.ini").c_str());
    const std::string before = SettingsFiles();
    MessageBoxRecorder boxes;
    CDlgSysSetting dialog;
    INT_PTR result = RunModal(
        dialog,
        {OnTab(tabRecord, [](CDlgSysSetting*, CWnd* page) { SetText(page, IDC_SYSREC_BUFFERS, "30"); }),
         OnTab(tabUsers,
               [](CDlgSysSetting*, CWnd* page) {
                   SetText(page, IDC_SYSUSER_NAME, "新人");
                   SetText(page, IDC_SYSUSER_PASSWORD, "p");
                   SetText(page, IDC_SYSUSER_CONFIRM, "p");
                   ClickButton(page, IDC_SYSUSER_ADD);
               }),
         OnTab(tabSoftware,
               [](CDlgSysSetting*, CWnd* page) {
                   SetCheckBox(page, IDC_SYSTIMER_START, true);
                   ClickButton(page, IDC_SYSTIMER_START);
               }),
         OnTab(tabDrives, [](CDlgSysSetting* d, CWnd*) { d->m_drives.m_list.SetCheckbox(1, 0, 1); }), PressCancel()});
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(before, SettingsFiles());
    EXPECT_EQ(20, g_pSysParam->m_connectBuffers);
    EXPECT_EQ(2, (int)g_pUserGroup->m_users.GetCount()) << "the list is the one on disk again";
    EXPECT_EQ(0, windows_.restarts);
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(SysSettingTest, OkStoresEveryPageAndSavesTheParameters)
{
    g_pSysParam->m_logKeepDays = 15; // shows as 30 days and is saved so
    MessageBoxRecorder boxes;
    CDlgSysSetting dialog;
    INT_PTR result = RunModal(
        dialog, {OnTab(tabRecord,
                       [](CDlgSysSetting*, CWnd* page) {
                           EXPECT_EQ("30天", GetText(page, IDC_SYSREC_LOG_DAYS));
                           SetText(page, IDC_SYSREC_BUFFERS, "33");
                           SelectCombo(page, IDC_SYSREC_FORMAT, 1);
                           SetText(page, IDC_SYSREC_SOUND3, "C:\\wav\\three.wav");
                           ::CheckRadioButton(page->m_hWnd, IDC_SYSREC_DISK_DELETE, IDC_SYSREC_DISK_STOP,
                                              IDC_SYSREC_DISK_STOP);
                       }),
                 OnTab(tabFileService,
                       [](CDlgSysSetting*, CWnd* page) {
                           SetCheckBox(page, IDC_SYSFILE_ENABLE, true);
                           SetText(page, IDC_SYSFILE_PORT, "9000");
                       }),
                 OnTab(tabForward,
                       [](CDlgSysSetting*, CWnd* page) {
                           SetCheckBox(page, IDC_SYSFWD_ENABLE, true);
                           ClickButton(page, IDC_SYSFWD_ENABLE);
                           EXPECT_TRUE(page->GetDlgItem(IDC_SYSFWD_BUFFERS)->IsWindowEnabled());
                           SetText(page, IDC_SYSFWD_BUFFERS, "40");
                           SetText(page, IDC_SYSFWD_SENIOR_USER, "高级");
                       }),
                 OnTab(tabSoftware,
                       [](CDlgSysSetting*, CWnd* page) {
                           SetCheckBox(page, IDC_SYSTIMER_AUTORUN, true);
                           SelectCombo(page, IDC_SYSTIMER_ALARM_ACTION, 2);
                           SelectCombo(page, IDC_SYSTIMER_CAMERA_MODE, 1);
                           EXPECT_EQ("当前位置起空位显示", GetText(page, IDC_SYSTIMER_CAMERA_MODE_TEXT));
                       }),
                 OnTab(tabProgram, [](CDlgSysSetting*, CWnd* page) { SetText(page, IDC_SYSPROG_PATH, "C:\\x.exe"); }),
                 PressOk()});
    ASSERT_EQ(IDOK, result);
    for (const RecordedBox& box : boxes.Boxes()) // only the serial ports, which no site offers here
        EXPECT_TRUE(box.text == "打开键盘串口失败" || box.text == "打开外部报警串口失败") << box.text;
    std::unique_ptr<CSysParam> reloaded = ReloadedParams();
    const CSysParam& saved = *reloaded;
    EXPECT_EQ(30, saved.m_logKeepDays);
    EXPECT_EQ(33, saved.m_connectBuffers);
    EXPECT_EQ(1, saved.m_recordFormat);
    EXPECT_EQ(1, saved.m_diskFullMode);
    EXPECT_STREQ("C:\\wav\\three.wav", saved.m_alarmSound[2]);
    EXPECT_EQ(1, saved.m_fileServiceEnabled);
    EXPECT_EQ(9000, saved.m_fileServicePort);
    EXPECT_EQ(1, saved.m_forwardEnabled);
    EXPECT_EQ(40, saved.m_forwardBuffers);
    EXPECT_STREQ("高级", saved.m_forwardSeniorUser);
    EXPECT_EQ(2, saved.m_alarmAction);
    EXPECT_EQ(1, saved.m_cameraDoubleClick);
    EXPECT_STREQ("C:\\x.exe", saved.m_launchProgramPath);
    EXPECT_EQ(1, windows_.restarts);
    EXPECT_EQ(1, ::GetPrivateProfileIntA("PROGRAMNAME", "AUTORUN", -1, StartPath("start.ini").c_str()));
    StoragePathEntry table[kMaxStoragePaths];
    ASSERT_EQ(1, LoadStorageRoots(GetStartDirectory(), table));
    EXPECT_STREQ("D:", table[0].root);
    EXPECT_EQ(500, table[0].reserve) << "the default drive was shown checked and is written now";
}

// Every edit that can hold a wrong value: the framework's message (or the page's), the focus on
// the control, its tab selected, the dialog open, nothing applied and no file touched.
TEST_F(SysSettingTest, BadInputOnAnyPageKeepsTheDialogOpenAndAppliesNothing)
{
    const struct {
        int tab;
        int id;
        std::string text;
        std::string message;
    } cases[] = {
        {tabRecord, IDC_SYSREC_BUFFERS, "9", Range(10, 50)},
        {tabRecord, IDC_SYSREC_BUFFERS, "51", Range(10, 50)},
        {tabRecord, IDC_SYSREC_BUFFERS, "", kNoInteger},
        {tabRecord, IDC_SYSREC_PACK_MINUTES, "0", Range(1, 10000)},
        {tabRecord, IDC_SYSREC_PACK_MINUTES, "10001", Range(1, 10000)},
        {tabRecord, IDC_SYSREC_PACK_MINUTES, "1x", kNoInteger},
        {tabRecord, IDC_SYSREC_PLAYER, std::string(256, 'p'), TooLong(255)},
        {tabRecord, IDC_SYSREC_LOG_DIR, std::string(256, 'l'), TooLong(255)},
        {tabRecord, IDC_SYSREC_ASF_PLAYER, std::string(256, 'a'), TooLong(255)},
        {tabFileService, IDC_SYSFILE_PORT, "port", kNoUnsigned},
        {tabFileService, IDC_SYSFILE_PORT, "65536", Range(1, 65535)},
        {tabFileService, IDC_SYSFILE_PORT, "0", Range(1, 65535)},
        {tabFileService, IDC_SYSFILE_USER, std::string(21, 'u'), TooLong(20)},
        {tabFileService, IDC_SYSFILE_PASSWORD, std::string(21, 'w'), TooLong(20)},
        {tabFileService, IDC_SYSFILE_SPEED, "65537", Range(0, 65536)},
        {tabFileService, IDC_SYSFILE_SPEED, "-1", Range(0, 65536)},
        {tabForward, IDC_SYSFWD_MULTICAST_ADDRESS, std::string(21, '2'), TooLong(20)},
        {tabForward, IDC_SYSFWD_MULTICAST_PORT, "x", kNoUnsigned},
        {tabForward, IDC_SYSFWD_LOCAL_PORT, "-1", kNoUnsigned},
        {tabForward, IDC_SYSFWD_MULTICAST_PORT, "70000", Range(1, 65535)},
        {tabForward, IDC_SYSFWD_LOCAL_PORT, "65536", Range(1, 65535)},
        {tabForward, IDC_SYSFWD_CHANNEL_USERS, "", kNoUnsigned},
        {tabForward, IDC_SYSFWD_SYSTEM_USERS, "1.5", kNoUnsigned},
        {tabForward, IDC_SYSFWD_BUFFERS, "60", Range(10, 50)},
        {tabForward, IDC_SYSFWD_BUFFERS, "9", Range(10, 50)},
        {tabForward, IDC_SYSFWD_ADMIN_USER, std::string(21, 'a'), TooLong(20)},
        {tabForward, IDC_SYSFWD_OPERATOR_PASSWORD, std::string(21, 'o'), TooLong(20)},
        {tabSoftware, IDC_SYSTIMER_CLEAR_SECONDS, "soon", kNoUnsigned},
        {tabSoftware, IDC_SYSTIMER_CLEAR_SECONDS, "0", "报警清除时间输入错误"},
        {tabSerial, IDC_SYSSERIAL_LINK_ADDRESS, "one", kNoUnsigned},
        {tabSerial, IDC_SYSSERIAL_CONTROL_FILE, std::string(260, 'f'), TooLong(259)},
    };
    // Every field enabled, so that the refusal can put the focus on it.
    g_pSysParam->m_autoClearAlarm = 1;
    g_pSysParam->m_autoClearSeconds = 30;
    g_pSysParam->m_fileServiceEnabled = 1;
    g_pSysParam->m_forwardEnabled = 1;
    g_pSysParam->Save();
    ::WritePrivateProfileStringA("STOPTIME", "ENABLE", "1", StartPath("start.ini").c_str());
    const std::string before = SettingsFiles();
    const int buffers = g_pSysParam->m_connectBuffers;
    const CString password = g_pSysParam->m_fileServicePassword;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.tab) + "/" + std::to_string(c.id) + " \"" + c.text.substr(0, 10) + "\"");
        MessageBoxRecorder boxes;
        CDlgSysSetting dialog;
        INT_PTR result = RunModal(dialog, {OnSettings([&](CDlgSysSetting* d) {
                                      // A valid change elsewhere, which must not be applied.
                                      SetText(d->m_host.GetPage(tabRecord), IDC_SYSREC_BUFFERS, "12");
                                      SetText(d->m_host.GetPage(tabFileService), IDC_SYSFILE_PASSWORD, "n");
                                      SetText(d->m_host.GetPage(c.tab), c.id, c.text);
                                      SelectTab(d, IDC_SETTING_TAB, tabProgram);
                                      ClickButton(d, IDOK);
                                      EXPECT_EQ(c.tab, d->m_tab.GetCurSel());
                                      EXPECT_TRUE(d->m_host.GetPage(c.tab)->IsWindowVisible());
                                      EXPECT_EQ(c.id, FocusId());
                                      EXPECT_TRUE(d->IsWindowVisible());
                                      ClickButton(d, IDCANCEL);
                                  })});
        EXPECT_EQ(IDCANCEL, result);
        ASSERT_EQ(1u, boxes.Boxes().size());
        EXPECT_EQ(c.message, boxes.Boxes()[0].text);
        EXPECT_EQ(before, SettingsFiles());
        EXPECT_EQ(buffers, g_pSysParam->m_connectBuffers);
        EXPECT_STREQ(password, g_pSysParam->m_fileServicePassword);
        EXPECT_EQ(0, windows_.restarts);
    }
}

TEST_F(SysSettingTest, FileServiceRestartsOnlyWhenItsConnectionChanged)
{
    auto storeService = [] {
        g_pSysParam->m_fileServiceEnabled = 1;
        g_pSysParam->m_fileServiceUser = "Remote";
        g_pSysParam->m_fileServicePassword = "pw";
        g_pSysParam->m_fileServicePort = 8000;
        g_pSysParam->m_downloadSpeedKB = 100;
    };
    const struct {
        const char* what;
        std::function<void(CWnd*)> edit;
        int restarts;
    } cases[] = {
        {"nothing", [](CWnd*) {}, 0},
        {"speed only", [](CWnd* p) { SetText(p, IDC_SYSFILE_SPEED, "200"); }, 0},
        {"password", [](CWnd* p) { SetText(p, IDC_SYSFILE_PASSWORD, "pw2"); }, 1},
        {"user's case", [](CWnd* p) { SetText(p, IDC_SYSFILE_USER, "remote"); }, 1},
        {"port", [](CWnd* p) { SetText(p, IDC_SYSFILE_PORT, "8001"); }, 1},
        {"box off", [](CWnd* p) { SetCheckBox(p, IDC_SYSFILE_ENABLE, false); }, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        storeService();
        windows_.restarts = 0;
        CDlgSysSetting dialog;
        RunModal(dialog, {OnTab(tabFileService, [&](CDlgSysSetting*, CWnd* page) { c.edit(page); }), PressOk()});
        EXPECT_EQ(c.restarts, windows_.restarts);
    }
    EXPECT_EQ(0, g_pSysParam->m_fileServiceEnabled) << "the last case stored the box off";
}

TEST_F(SysSettingTest, SoftwarePageWritesTheWholeScheduleAndKeepsTimesAcrossDays)
{
    const std::string ini = StartPath("start.ini");
    CDlgSysSetting dialog;
    auto setTime = [](CWnd* page, int id, WORD hour, WORD minute) {
        SYSTEMTIME time = {2007, 1, 1, 1, hour, minute, 1, 0};
        page->SendDlgItemMessage(id, DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&time);
        Notify(page, id, DTN_DATETIMECHANGE);
    };
    INT_PTR result = RunModal(
        dialog, {OnTab(tabSoftware,
                       [&](CDlgSysSetting*, CWnd* page) {
                           // No "start.ini": everything off, every day at 12:00 and unused.
                           EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(page->m_hWnd, IDC_SYSTIMER_START));
                           EXPECT_FALSE(page->GetDlgItem(IDC_SYSTIMER_START_DAY)->IsWindowEnabled());
                           EXPECT_EQ("星期天", GetText(page, IDC_SYSTIMER_START_DAY));
                           SYSTEMTIME shown = {};
                           page->SendDlgItemMessage(IDC_SYSTIMER_START_TIME, DTM_GETSYSTEMTIME, 0, (LPARAM)&shown);
                           EXPECT_EQ(12, shown.wHour);
                           EXPECT_EQ(0, shown.wMinute);
                           SetCheckBox(page, IDC_SYSTIMER_START, true);
                           ClickButton(page, IDC_SYSTIMER_START);
                           EXPECT_TRUE(page->GetDlgItem(IDC_SYSTIMER_START_DAY)->IsWindowEnabled());
                           EXPECT_FALSE(page->GetDlgItem(IDC_SYSTIMER_START_TIME)->IsWindowEnabled());
                           SelectCombo(page, IDC_SYSTIMER_START_DAY, 3);
                           SetCheckBox(page, IDC_SYSTIMER_START_USE, true);
                           ClickButton(page, IDC_SYSTIMER_START_USE);
                           EXPECT_TRUE(page->GetDlgItem(IDC_SYSTIMER_START_TIME)->IsWindowEnabled());
                           setTime(page, IDC_SYSTIMER_START_TIME, 8, 30);
                           SelectCombo(page, IDC_SYSTIMER_START_DAY, 7);
                           EXPECT_EQ(BST_UNCHECKED, ::IsDlgButtonChecked(page->m_hWnd, IDC_SYSTIMER_START_USE));
                           setTime(page, IDC_SYSTIMER_START_TIME, 22, 15);
                           SelectCombo(page, IDC_SYSTIMER_START_DAY, 3);
                           page->SendDlgItemMessage(IDC_SYSTIMER_START_TIME, DTM_GETSYSTEMTIME, 0, (LPARAM)&shown);
                           EXPECT_EQ(8, shown.wHour) << "Wednesday kept its time across the switch";
                           // Auto-clear off: 0 seconds are accepted.
                           SetText(page, IDC_SYSTIMER_CLEAR_SECONDS, "0");
                       }),
                 PressOk()});
    ASSERT_EQ(IDOK, result);
    std::vector<std::string> expected;
    for (int i = 0; i < 8; ++i) {
        bool wednesday = i == 3, everyDay = i == 7;
        expected.push_back("HOUR" + std::to_string(i) + "=" + (wednesday ? "8" : everyDay ? "22" : "12"));
        expected.push_back("MINUTE" + std::to_string(i) + "=" + (wednesday ? "30" : everyDay ? "15" : "0"));
        expected.push_back("USE" + std::to_string(i) + "=" + (wednesday ? "1" : "0"));
    }
    expected.push_back("ENABLE=1");
    EXPECT_EQ(expected, SectionLines(ini, "STARATUPTIME"));
    expected.back() = "ENABLE=0";
    for (int i = 0; i < 8; ++i) {
        expected[i * 3] = "HOUR" + std::to_string(i) + "=12";
        expected[i * 3 + 1] = "MINUTE" + std::to_string(i) + "=0";
        expected[i * 3 + 2] = "USE" + std::to_string(i) + "=0";
    }
    EXPECT_EQ(expected, SectionLines(ini, "STOPTIME"));
    std::vector<std::string> program = SectionLines(ini, "PROGRAMNAME");
    ASSERT_EQ(3u, program.size());
    EXPECT_EQ("NAME=" + std::string(GetStartDirectory()) + "\\station_config_tests.exe", program[0]);
    EXPECT_EQ("CURDIRECTORY=" + std::string(GetStartDirectory()), program[1]);
    EXPECT_EQ("AUTORUN=0", program[2]);
    EXPECT_EQ(0, g_pSysParam->m_autoClearSeconds);
}

TEST_F(SysSettingTest, ProgramPageRunsTheWholePathAndRefusesAnEmptyOne)
{
    static std::vector<std::string> started;
    started.clear();
    Seams::LaunchFunc previous =
        Seams::ReplaceLaunch([](HWND, LPCSTR, LPCSTR file, LPCSTR parameters, LPCSTR, int show) -> HINSTANCE {
            started.push_back(std::string(file) + "|" + (parameters ? parameters : "") + "|" + std::to_string(show));
            return (HINSTANCE)42;
        });
    MessageBoxRecorder boxes;
    CDlgSysSetting dialog;
    RunModal(dialog, {OnTab(tabProgram,
                            [](CDlgSysSetting*, CWnd* page) {
                                SetText(page, IDC_SYSPROG_PATH, "");
                                ClickButton(page, IDC_SYSPROG_RUN);
                                SetText(page, IDC_SYSPROG_PATH, "C:\\Program Files\\tool\\x.exe");
                                ClickButton(page, IDC_SYSPROG_RUN);
                            }),
                      PressCancel()});
    Seams::ReplaceLaunch(previous);
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ("请指定文件路径！", boxes.Boxes()[0].text);
    ASSERT_EQ(1u, started.size());
    EXPECT_EQ("C:\\Program Files\\tool\\x.exe||" + std::to_string(SW_SHOWNORMAL), started[0]);
}

// Every browse button puts its choice beside it and the current directory back where it started,
// though the user browsed elsewhere; a cancelled choice leaves the edit alone.
TEST_F(SysSettingTest, BrowseButtonsFillTheirEditsAndRestoreTheCurrentDirectory)
{
    static std::string answer;
    static std::string lastFilter;
    Seams::FileDialogFunc previousFile = Seams::ReplaceFileDialog([](BOOL, OPENFILENAMEA* ofn) -> BOOL {
        ::SetCurrentDirectoryA(ProgramDirectory().c_str());
        lastFilter = ofn->lpstrFilter != nullptr ? ofn->lpstrFilter : "";
        if (answer.empty())
            return FALSE;
        lstrcpynA(ofn->lpstrFile, answer.c_str(), (int)ofn->nMaxFile);
        return TRUE;
    });
    Seams::FolderDialogFunc previousFolder =
        Seams::ReplaceFolderDialog([](const BROWSEINFOA*, LPCSTR, LPSTR path) -> BOOL {
            ::SetCurrentDirectoryA(ProgramDirectory().c_str());
            if (answer.empty())
                return FALSE;
            lstrcpynA(path, answer.c_str(), MAX_PATH);
            return TRUE;
        });
    const struct {
        int tab, button, edit;
        const char* filterStart;
    } cases[] = {
        {tabRecord, IDC_SYSREC_BROWSE_PLAYER, IDC_SYSREC_PLAYER, "exe Files(*.exe)"},
        {tabRecord, IDC_SYSREC_BROWSE_ASF_PLAYER, IDC_SYSREC_ASF_PLAYER, "exe Files(*.exe)"},
        {tabRecord, IDC_SYSREC_BROWSE_SOUND1, IDC_SYSREC_SOUND1, "wav Files(*.wav)"},
        {tabRecord, IDC_SYSREC_BROWSE_SOUND2, IDC_SYSREC_SOUND2, "wav Files(*.wav)"},
        {tabRecord, IDC_SYSREC_BROWSE_SOUND3, IDC_SYSREC_SOUND3, "wav Files(*.wav)"},
        {tabRecord, IDC_SYSREC_BROWSE_SOUND4, IDC_SYSREC_SOUND4, "wav Files(*.wav)"},
        {tabRecord, IDC_SYSREC_BROWSE_LOG_DIR, IDC_SYSREC_LOG_DIR, nullptr},
        {tabSerial, IDC_SYSSERIAL_CHOOSE, IDC_SYSSERIAL_CONTROL_FILE, "PTZ File(*.ptz)"},
        {tabProgram, IDC_SYSPROG_BROWSE, IDC_SYSPROG_PATH, "exe Files(*.exe)"},
    };
    const std::string start = CurrentDirectory();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        CDlgSysSetting dialog;
        RunModal(dialog, {OnTab(c.tab,
                                [&](CDlgSysSetting*, CWnd* page) {
                                    SetText(page, c.edit, "before");
                                    answer.clear();
                                    ClickButton(page, c.button);
                                    EXPECT_EQ("before", GetText(page, c.edit));
                                    EXPECT_EQ(start, CurrentDirectory());
                                    answer = "C:\\chosen\\file";
                                    lastFilter.clear();
                                    ClickButton(page, c.button);
                                    EXPECT_EQ(answer, GetText(page, c.edit));
                                    EXPECT_EQ(start, CurrentDirectory());
                                    if (c.filterStart != nullptr)
                                        EXPECT_EQ(c.filterStart, lastFilter);
                                }),
                          PressCancel()});
    }
    Seams::ReplaceFileDialog(previousFile);
    Seams::ReplaceFolderDialog(previousFolder);
}
