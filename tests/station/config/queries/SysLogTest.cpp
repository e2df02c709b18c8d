// The system log viewer over daily files written by the test (or by the system log itself): the
// tree, paging, sorting, deletion and a copy while another thread appends.
#include <gtest/gtest.h>

#include <process.h>

#include <atomic>
#include <fstream>

#include "framework/WindowSeams.h"
#include "station/config/queries/DlgSysLog.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/storage/LogFile.h"
#include "station/core/storage/SystemLog.h"
#include "tests/station/config/ConfigTestSupport.h"

namespace {

SysLogRecord MakeRecord(int type, const std::string& text, const std::string& time = "2026-12-07 10-00-00")
{
    SysLogRecord r = {};
    r.type = (BYTE)type;
    r.subType = (BYTE)(text.size() % 4);
    strncpy(r.time, time.c_str(), sizeof r.time - 1);
    strcpy(r.user, "admin");
    strncpy(r.text, text.c_str(), sizeof r.text - 1);
    strcpy(r.detail, "大楼:大厅:摄像机1");
    return r;
}

// The popup-menu seam: the state of "删除" and the command to choose.
bool deleteEnabled = false;
UINT menuChoice = 0;
UINT RecordPopup(HMENU menu, UINT, int, int, HWND)
{
    deleteEnabled = (::GetMenuState(menu, ID_SYSLOG_DELETE, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
    return menuChoice;
}

class SysLogTest : public ConfigTest {
protected:
    void SetUp() override
    {
        ConfigTest::SetUp();
        log_.SetBaseDir(dir_->Path().c_str());
        ::CreateDirectoryA(Folder().c_str(), nullptr);
        previousPopup_ = Seams::ReplacePopupMenu(RecordPopup);
        CurrentUser().Clear();
    }
    void TearDown() override
    {
        Seams::ReplacePopupMenu(previousPopup_);
        CurrentUser().Clear();
        ConfigTest::TearDown();
    }
    std::string Folder() { return dir_->File("Vusk"); }
    void WriteDay(const std::string& date, const std::vector<SysLogRecord>& records)
    {
        std::ofstream out(Folder() + "\\" + date + ".log", std::ios::binary);
        for (const auto& r : records)
            out.write(reinterpret_cast<const char*>(&r), sizeof r);
    }
    std::vector<SysLogRecord> ReadDay(const std::string& date)
    {
        std::ifstream in(Folder() + "\\" + date + ".log", std::ios::binary);
        std::vector<SysLogRecord> records;
        SysLogRecord r;
        while (in.read(reinterpret_cast<char*>(&r), sizeof r))
            records.push_back(r);
        return records;
    }

    CSystemLog log_;
    Seams::PopupMenuFunc previousPopup_ = nullptr;
};

CDlgSysLog* AsLog(CWnd* modal)
{
    return dynamic_cast<CDlgSysLog*>(modal);
}

ModalStep OnLog(std::function<void(CDlgSysLog*)> action)
{
    return [=](CWnd* modal) {
        CDlgSysLog* viewer = AsLog(modal);
        if (viewer == nullptr)
            return false;
        action(viewer);
        return true;
    };
}

// Clicks (NM_CLICK or NM_RCLICK) the tree item with the mouse over it, as the tree reports it.
void ClickItem(CDlgSysLog* d, HTREEITEM item, UINT code = NM_CLICK)
{
    ASSERT_NE(nullptr, item);
    d->m_tree.EnsureVisible(item);
    CRect rect;
    d->m_tree.GetItemRect(item, &rect, TRUE);
    CPoint point = rect.CenterPoint();
    d->m_tree.ClientToScreen(&point);
    ::SetCursorPos(point.x, point.y);
    Notify(d, IDC_SYSLOG_TREE, code);
}

HTREEITEM Item(CDlgSysLog* d, const std::string& path)
{
    return FindTreeItem(d->m_tree, path);
}

bool Enabled(CDlgSysLog* d, int id)
{
    return d->GetDlgItem(id)->IsWindowEnabled() != FALSE;
}

// "<<", "<", ">", ">>" enabled, as four letters.
std::string PagingState(CDlgSysLog* d)
{
    std::string s;
    for (int id = IDC_SYSLOG_FIRST; id <= IDC_SYSLOG_LAST; ++id)
        s += Enabled(d, id) ? 'E' : '-';
    return s;
}

void ClickColumn(CDlgSysLog* d, int column)
{
    NMLISTVIEW header = {};
    header.hdr.hwndFrom = d->m_list.m_hWnd;
    header.hdr.idFrom = IDC_SYSLOG_LIST;
    header.hdr.code = LVN_COLUMNCLICK;
    header.iItem = -1;
    header.iSubItem = column;
    d->SendMessage(WM_NOTIFY, IDC_SYSLOG_LIST, (LPARAM)&header);
}

} // namespace

TEST_F(SysLogTest, AnEmptyFolderShowsTheRootOnlyAndNoRecords)
{
    CDlgSysLog viewer(&log_);
    RunModal(viewer, {OnLog([](CDlgSysLog* d) {
                 EXPECT_EQ(1u, d->m_tree.GetCount());
                 EXPECT_EQ("日志", std::string(d->m_tree.GetItemText(d->m_tree.GetRootItem())));
                 ClickItem(d, d->m_tree.GetRootItem());
                 EXPECT_EQ("当前0/0 共0条记录", GetText(d, IDC_SYSLOG_COUNTER));
                 EXPECT_EQ("0", GetText(d, IDC_SYSLOG_PAGE));
                 EXPECT_EQ("----", PagingState(d));
                 EXPECT_FALSE(Enabled(d, IDC_SYSLOG_GOTO));
                 EXPECT_EQ(0, d->m_list.GetItemCount());
             })});
}

TEST_F(SysLogTest, ADaysCategoriesPageThirtyRecordsAtATime)
{
    std::vector<SysLogRecord> day;
    for (int i = 0; i < 31; ++i)
        day.push_back(MakeRecord(SYSLOG_LOGIN, "登录" + std::to_string(i)));
    for (int i = 0; i < 5; ++i)
        day.push_back(MakeRecord(SYSLOG_ALARM, "报警" + std::to_string(i)));
    WriteDay("2026_12_07", day);
    CDlgSysLog viewer(&log_);
    RunModal(viewer, {OnLog([](CDlgSysLog* d) {
                 std::vector<std::string> categories;
                 HTREEITEM dayItem = Item(d, "2026_12_07");
                 ASSERT_NE(nullptr, dayItem);
                 for (HTREEITEM c = d->m_tree.GetChildItem(dayItem); c; c = d->m_tree.GetNextSiblingItem(c))
                     categories.push_back(std::string(d->m_tree.GetItemText(c)));
                 EXPECT_EQ(
                     std::vector<std::string>({"登陆日志", "报警日志", "连接日志", "外部连接日志", "异常退出日志"}),
                     categories);
                 d->m_tree.Expand(dayItem, TVE_EXPAND);
                 ClickItem(d, Item(d, "2026_12_07/登陆日志"));
                 EXPECT_EQ("当前1/2 共31条记录", GetText(d, IDC_SYSLOG_COUNTER));
                 ASSERT_EQ(30, d->m_list.GetItemCount());
                 EXPECT_EQ("登录0", std::string(d->m_list.GetItemText(0, 4)));
                 EXPECT_EQ("2026-12-07 10-00-00", std::string(d->m_list.GetItemText(0, 0)));
                 EXPECT_EQ("大楼:大厅:摄像机1", std::string(d->m_list.GetItemText(0, 1)));
                 EXPECT_EQ("1", std::string(d->m_list.GetItemText(0, 2))); // "登录0" is 5 bytes
                 EXPECT_EQ("admin", std::string(d->m_list.GetItemText(0, 3)));
                 EXPECT_EQ("--EE", PagingState(d));
                 ClickButton(d, IDC_SYSLOG_NEXT);
                 EXPECT_EQ("当前2/2 共31条记录", GetText(d, IDC_SYSLOG_COUNTER));
                 EXPECT_EQ(1, d->m_list.GetItemCount());
                 EXPECT_EQ("EE--", PagingState(d));
                 // "跳至" with 0, a negative number, one beyond the pages or no number does nothing.
                 for (const char* page : {"0", "-1", "3", "x"}) {
                     SetText(d, IDC_SYSLOG_PAGE, page);
                     ClickButton(d, IDC_SYSLOG_GOTO);
                     EXPECT_EQ("当前2/2 共31条记录", GetText(d, IDC_SYSLOG_COUNTER)) << page;
                     EXPECT_EQ(1, d->m_list.GetItemCount()) << page;
                 }
                 SetText(d, IDC_SYSLOG_PAGE, "1");
                 ClickButton(d, IDC_SYSLOG_GOTO);
                 EXPECT_EQ(30, d->m_list.GetItemCount());
                 ClickItem(d, Item(d, "2026_12_07/报警日志"));
                 EXPECT_EQ("当前1/1 共5条记录", GetText(d, IDC_SYSLOG_COUNTER));
                 EXPECT_EQ("----", PagingState(d));
                 ClickItem(d, Item(d, "2026_12_07/连接日志"));
                 EXPECT_EQ("当前0/0 共0条记录", GetText(d, IDC_SYSLOG_COUNTER));
                 ClickItem(d, dayItem);
                 EXPECT_EQ("当前1/2 共36条记录", GetText(d, IDC_SYSLOG_COUNTER));
             })});
}

TEST_F(SysLogTest, TheRootShowsEveryDayTogether)
{
    WriteDay("2026_12_06", {MakeRecord(SYSLOG_LOGIN, "a"), MakeRecord(SYSLOG_ALARM, "b")});
    WriteDay("2026_12_07",
             {MakeRecord(SYSLOG_CONNECT, "c"), MakeRecord(SYSLOG_CONNECT, "d"), MakeRecord(SYSLOG_REMOTE, "e")});
    CDlgSysLog viewer(&log_);
    std::vector<std::string> texts;
    RunModal(viewer, {OnLog([&](CDlgSysLog* d) {
                 ClickItem(d, d->m_tree.GetRootItem());
                 EXPECT_EQ("当前1/1 共5条记录", GetText(d, IDC_SYSLOG_COUNTER));
                 for (int row = 0; row < d->m_list.GetItemCount(); ++row)
                     texts.push_back(std::string(d->m_list.GetItemText(row, 4)));
             })});
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(std::vector<std::string>({"a", "b", "c", "d", "e"}), texts);
}

TEST_F(SysLogTest, AColumnSortsAndASecondClickReversesIt)
{
    WriteDay("2026_12_07", {MakeRecord(SYSLOG_LOGIN, "b", "2026-12-07 09-00-00"),
                            MakeRecord(SYSLOG_LOGIN, "c", "2026-12-07 08-00-00"),
                            MakeRecord(SYSLOG_LOGIN, "a", "2026-12-07 10-00-00")});
    CDlgSysLog viewer(&log_);
    RunModal(viewer, {OnLog([](CDlgSysLog* d) {
                 ClickItem(d, Item(d, "2026_12_07"));
                 auto firstText = [d] { return std::string(d->m_list.GetItemText(0, 4)); };
                 // Time is the sort column at the start, ascending: its first click reverses.
                 ClickColumn(d, 0);
                 EXPECT_EQ("a", firstText());
                 ClickColumn(d, 0);
                 EXPECT_EQ("c", firstText());
                 ClickColumn(d, 4);
                 EXPECT_EQ("a", firstText());
                 ClickColumn(d, 4);
                 EXPECT_EQ("c", firstText()) << "the same column again reverses the order";
                 EXPECT_EQ("当前1/1 共3条记录", GetText(d, IDC_SYSLOG_COUNTER));
             })});
}

TEST_F(SysLogTest, DeletingNeedsRightZeroAndRebuildsTheTree)
{
    WriteDay("2026_12_06", {MakeRecord(SYSLOG_LOGIN, "a")});
    WriteDay("2026_12_07", {MakeRecord(SYSLOG_LOGIN, "b")});
    menuChoice = 0;
    CDlgSysLog viewer(&log_);
    std::vector<bool> enabled;
    RunModal(viewer, {OnLog([&](CDlgSysLog* d) {
                          ClickItem(d, Item(d, "2026_12_07"), NM_RCLICK);
                          enabled.push_back(deleteEnabled);
                          CurrentUser().rights[0] = 1;
                          menuChoice = ID_SYSLOG_DELETE;
                          ClickItem(d, Item(d, "2026_12_06"), NM_RCLICK);
                          enabled.push_back(deleteEnabled);
                      }),
                      OnLog([&](CDlgSysLog* d) {
                          EXPECT_EQ(nullptr, Item(d, "2026_12_06"));
                          EXPECT_NE(nullptr, Item(d, "2026_12_07"));
                          ClickItem(d, d->m_tree.GetRootItem(), NM_RCLICK);
                      }),
                      OnLog([&](CDlgSysLog* d) { EXPECT_EQ(1u, d->m_tree.GetCount()); })});
    menuChoice = 0;
    EXPECT_EQ(std::vector<bool>({false, true}), enabled);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((Folder() + "\\2026_12_06.log").c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((Folder() + "\\2026_12_07.log").c_str()));
}

TEST_F(SysLogTest, DeletingACategoryRewritesItsDay)
{
    WriteDay("2026_12_07",
             {MakeRecord(SYSLOG_LOGIN, "b"), MakeRecord(SYSLOG_ALARM, "c"), MakeRecord(SYSLOG_LOGIN, "d")});
    CurrentUser().rights[0] = 1;
    menuChoice = ID_SYSLOG_DELETE;
    CDlgSysLog viewer(&log_);
    RunModal(viewer, {OnLog([&](CDlgSysLog* d) {
                          d->m_tree.Expand(Item(d, "2026_12_07"), TVE_EXPAND);
                          ClickItem(d, Item(d, "2026_12_07/登陆日志"), NM_RCLICK);
                      }),
                      OnLog([](CDlgSysLog*) {})});
    menuChoice = 0;
    std::vector<SysLogRecord> left = ReadDay("2026_12_07");
    ASSERT_EQ(1u, left.size());
    EXPECT_STREQ("c", left[0].text);
}

namespace {

struct Appender {
    CSystemLog* log;
    std::atomic<bool> stop{false};
    std::atomic<int> written{0};
};

unsigned __stdcall AppendUntilStopped(void* context)
{
    Appender* a = static_cast<Appender*>(context);
    while (!a->stop) {
        char text[48];
        snprintf(text, sizeof text, "event %d", a->written.load());
        a->log->Write(SYSLOG_ALARM, "大楼:大厅:摄像机1", 1, text, nullptr);
        ++a->written;
        ::SwitchToThread(); // lets the viewer take the lock between appends
    }
    return 0;
}

} // namespace

TEST_F(SysLogTest, RecordsAppendedDuringACopyLandWhole)
{
    log_.Write(SYSLOG_ALARM, "", 0, "first", nullptr);
    Appender appender;
    appender.log = &log_;
    HANDLE thread = (HANDLE)_beginthreadex(nullptr, 0, AppendUntilStopped, &appender, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    CDlgSysLog viewer(&log_);
    RunModal(viewer, {OnLog([&](CDlgSysLog* d) {
                 HTREEITEM day = d->m_tree.GetChildItem(d->m_tree.GetRootItem());
                 ASSERT_NE(nullptr, day);
                 int previous = 0, first = -1;
                 for (int round = 0; round < 4; ++round) {
                     d->ShowItem(day);
                     WIN32_FILE_ATTRIBUTE_DATA data = {};
                     ASSERT_TRUE(::GetFileAttributesExA(d->m_store.GetPath(), GetFileExInfoStandard, &data));
                     EXPECT_EQ(0u, data.nFileSizeLow % sizeof(SysLogRecord));
                     EXPECT_EQ((int)(data.nFileSizeLow / sizeof(SysLogRecord)), d->m_store.GetCount());
                     EXPECT_GE(d->m_store.GetCount(), previous);
                     previous = d->m_store.GetCount();
                     if (first < 0)
                         first = previous;
                     // The last record is whole: its text is one the writer made.
                     FILE* store = fopen(d->m_store.GetPath(), "rb");
                     ASSERT_NE(nullptr, store);
                     SysLogRecord last = {};
                     fseek(store, -(long)sizeof last, SEEK_END);
                     EXPECT_EQ(1u, fread(&last, sizeof last, 1, store));
                     fclose(store);
                     std::string text(last.text, strnlen(last.text, sizeof last.text));
                     EXPECT_TRUE(text == "first" || text.compare(0, 6, "event ") == 0) << text;
                 }
                 EXPECT_GT(previous, first) << "the copies ran while records were appended";
             })});
    appender.stop = true;
    ::WaitForSingleObject(thread, INFINITE);
    ::CloseHandle(thread);
    EXPECT_GT(appender.written.load(), 0);
}
