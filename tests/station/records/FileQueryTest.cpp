// The recorded-file query dialog, run modally and worked from its modal loop: the time check, the
// pages of results, and what playing and fetching start through the launcher seam.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "devices/framewell/FramewellApi.h"
#include "framework/WindowSeams.h"
#include "resources/warden/resource.h"
#include "station/config/queries/DlgFileQuery.h"
#include "shared/records/ProgressDlg.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/storage/RecordStore.h"
#include "tests/station/core/storage/StorageTestHelpers.h"
#include "tests/station/records/RecordsTestSupport.h"
#include "tests/support/RecordingTree.h"
#include "tests/support/TestSupport.h"
#include "tools/screenshot/Screenshot.h"

namespace {

struct Launch {
    std::string file;
    std::string parameters;
};
std::vector<Launch> g_launches;
std::vector<std::string> g_messages;
int g_downloads = 0;
int g_downloadResult = -1;

HINSTANCE RecordLaunch(HWND, LPCSTR, LPCSTR file, LPCSTR parameters, LPCSTR, int)
{
    g_launches.push_back({file ? file : "", parameters ? parameters : ""});
    return (HINSTANCE)(INT_PTR)42;
}

int RecordMessage(HWND, LPCSTR text, LPCSTR, UINT)
{
    g_messages.push_back(text);
    return IDOK;
}

// The download writes its target at once; its progress then reports the scripted end.
int __stdcall FakeStartDownload(const char*, const char*, const char*, const char*, const char* local, int, int)
{
    ++g_downloads;
    WriteFile(local, "ASF bytes");
    return 5;
}
int __stdcall FakeDownloadProgress(int)
{
    return g_downloadResult;
}
int __stdcall FakeCloseDownload(int)
{
    return 1;
}

void (*g_work)(CDlgFileQuery* dialog) = nullptr;

// Works the query dialog once; ends any progress dialog it opens as soon as the download ended.
void WorkDialogs(CWnd* window)
{
    if (CDlgFileQuery* query = dynamic_cast<CDlgFileQuery*>(window)) {
        void (*work)(CDlgFileQuery*) = g_work;
        g_work = nullptr;
        if (work != nullptr)
            work(query);
        query->EndDialog(IDCANCEL);
        return;
    }
    if (CProgressDlg* progress = dynamic_cast<CProgressDlg*>(window)) {
        progress->OnDownloadTick();
        progress->SendMessage(WM_TIMER, CProgressDlg::TIMER_END);
    }
}

void AddHits(CDlgFileQuery* query, int count, const char* extension, int remote)
{
    query->m_store.Create(remote, remote ? 1 : 1, remote ? "10.0.0.5" : nullptr, 3000, remote ? "u" : nullptr,
                          remote ? "p" : nullptr);
    for (int i = 0; i < count; ++i) {
        char path[64];
        sprintf(path, "D:\\rec\\20070704\\cam_%02d.%s", i, extension);
        CDlgFileQuery::LocalQueryHit("Lobby", i % 4, 1183552205 + i, 1183552265 + i, 1048576 * (i + 1), path, nullptr);
    }
    query->m_store.OpenForRead();
    query->ShowPage(0);
}

void SelectFirstRow(CDlgFileQuery* query)
{
    query->m_results.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
}

class FileQueryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetStartDirectory(dir_.Path().c_str());
        g_launches.clear();
        g_messages.clear();
        g_downloads = 0;
        g_downloadResult = -1;
        g_pSysParam = new CSysParam;
        g_pSysParam->m_mp4PlayerPath = "C:\\Quillmoor\\Clipview.exe";
        g_pSysParam->m_asfPlayerPath = "C:\\Media\\player.exe";
        FramewellApi fake = LibraryFramewellApi();
        fake.StartDownload = FakeStartDownload;
        fake.GetDownloadProgress = FakeDownloadProgress;
        fake.CloseDownload = FakeCloseDownload;
        fake_ = fake;
        SetFramewellApi(&fake_);
        Seams::ReplaceLaunch(RecordLaunch);
        Seams::ReplaceMessageBox(RecordMessage);
        Seams::ReplaceModalLoop(WorkDialogs);
    }
    void TearDown() override
    {
        Seams::ReplaceModalLoop(nullptr);
        Seams::ReplaceMessageBox(nullptr);
        Seams::ReplaceLaunch(nullptr);
        SetFramewellApi(nullptr);
        delete g_pSysParam;
        g_pSysParam = nullptr;
    }
    void Run(void (*work)(CDlgFileQuery*))
    {
        g_work = work;
        CDlgFileQuery query;
        query.DoModal();
        EXPECT_EQ(nullptr, g_work) << "the dialog was worked";
    }
    TempDir dir_;
    FramewellApi fake_;
};

} // namespace

TEST_F(FileQueryTest, EqualTimesAreRefusedAndTheOldResultsAreGone)
{
    Run([](CDlgFileQuery* query) {
        AddHits(query, 3, "mp4", 0);
        ASSERT_EQ(3, query->m_results.GetItemCount());
        query->CheckDlgButton(IDC_QUERY_USE_RANGE, BST_CHECKED);
        query->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_QUERY_USE_RANGE, BN_CLICKED),
                           (LPARAM)query->GetDlgItem(IDC_QUERY_USE_RANGE)->m_hWnd);
        EXPECT_TRUE(query->m_toTime.IsWindowEnabled()) << "the box enables the four pickers";
        SYSTEMTIME at = {2007, 7, 3, 4, 12, 0, 0, 0};
        query->m_fromDate.SetTime(&at);
        query->m_fromTime.SetTime(&at);
        query->m_toDate.SetTime(&at);
        query->m_toTime.SetTime(&at);
        query->OnQuery();
        EXPECT_EQ(std::vector<std::string>({"查询时间错误，请重新输入！"}), g_messages);
        EXPECT_EQ(0, query->m_results.GetItemCount());
        EXPECT_EQ(0, query->m_store.GetCount());
        HWND picker = query->GetDlgItem(IDC_QUERY_FROM_DATE)->m_hWnd;
        EXPECT_TRUE(::GetFocus() == picker || ::IsChild(picker, ::GetFocus())) << "the focus goes to the start date";
    });
}

TEST_F(FileQueryTest, FortyFiveHitsMakeThreePages)
{
    Run([](CDlgFileQuery* query) {
        AddHits(query, 45, "mp4", 0);
        EXPECT_EQ(20, query->m_results.GetItemCount());
        EXPECT_FALSE(query->GetDlgItem(IDC_QUERY_PREVIOUS)->IsWindowEnabled());
        EXPECT_TRUE(query->GetDlgItem(IDC_QUERY_NEXT)->IsWindowEnabled());
        query->SendMessage(WM_COMMAND, IDC_QUERY_LAST);
        EXPECT_EQ(5, query->m_results.GetItemCount());
        CString counter;
        query->GetDlgItemText(IDC_QUERY_COUNTER, counter);
        EXPECT_STREQ("当前3/3 共45条记录", (LPCSTR)counter);
        EXPECT_FALSE(query->GetDlgItem(IDC_QUERY_NEXT)->IsWindowEnabled());
        EXPECT_FALSE(query->GetDlgItem(IDC_QUERY_LAST)->IsWindowEnabled());
        EXPECT_TRUE(query->GetDlgItem(IDC_QUERY_FIRST)->IsWindowEnabled());
        EXPECT_STREQ("41", (LPCSTR)query->m_results.GetItemText(0, 0));

        query->SetDlgItemText(IDC_QUERY_PAGE, "2");
        query->SendMessage(WM_COMMAND, IDC_QUERY_GOTO);
        EXPECT_STREQ("21", (LPCSTR)query->m_results.GetItemText(0, 0));
        query->SetDlgItemText(IDC_QUERY_PAGE, "9");
        query->SendMessage(WM_COMMAND, IDC_QUERY_GOTO);
        EXPECT_STREQ("21", (LPCSTR)query->m_results.GetItemText(0, 0)) << "no such page: nothing changes";

        query->m_pager.OnColumnClick(3);
        EXPECT_EQ(1, query->m_pager.m_ascending);
        query->m_pager.OnColumnClick(3);
        EXPECT_EQ(0, query->m_pager.m_ascending) << "the same column again flips the order";
        EXPECT_STREQ("45.00", (LPCSTR)query->m_results.GetItemText(0, 3));
        query->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        SavePng(CaptureWindow(query->m_hWnd), ScreenshotPath("file-query"));
    });
}

TEST_F(FileQueryTest, PlayingStartsThePlayerTheMediaPlayerOrTheShell)
{
    Run([](CDlgFileQuery* query) {
        AddHits(query, 1, "mp4", 0);
        SelectFirstRow(query);
        query->OnResultDblClk();
        AddHits(query, 1, "asf", 0);
        SelectFirstRow(query);
        query->OnPlay();
        AddHits(query, 1, "jpg", 0);
        SelectFirstRow(query);
        query->OnPlay();
        AddHits(query, 1, "mp4", 1);
        SelectFirstRow(query);
        query->OnResultDblClk();
    });
    ASSERT_EQ(4u, g_launches.size());
    EXPECT_EQ("C:\\Quillmoor\\Clipview.exe", g_launches[0].file);
    EXPECT_EQ("D:\\rec\\20070704\\cam_00.mp4", g_launches[0].parameters) << "a local file: the bare path";
    EXPECT_EQ("C:\\Media\\player.exe", g_launches[1].file);
    EXPECT_EQ("D:\\rec\\20070704\\cam_00.jpg", g_launches[2].file) << "opened by its own program";
    EXPECT_EQ("D:\\rec\\20070704\\cam_00.mp4 *far 10.0.0.5 3000 u p", g_launches[3].parameters);
}

TEST_F(FileQueryTest, ARemoteAsfIsFetchedOnceAndAFailedFetchLeavesNothing)
{
    Run([](CDlgFileQuery* query) {
        query->m_store.Create(1, 4, "10.0.0.5", 3000, "u", "p");
        CDlgFileQuery::LocalQueryHit("Lobby", 0, 1183552205, 1183552265, 100, "D:\\rec\\20070704\\a.asf", nullptr);
        query->m_store.OpenForRead();
        query->ShowPage(0);
        SelectFirstRow(query);
        query->OnResultDblClk();
        query->OnResultDblClk();
    });
    EXPECT_EQ(1, g_downloads) << "the second play takes the fetched file";
    ASSERT_EQ(2u, g_launches.size());
    std::string fetched = dir_.File("Temp Video\\10.0.0.5_3000_20070704_a.asf");
    EXPECT_EQ(fetched, g_launches[1].parameters);
    EXPECT_EQ("ASF bytes", ReadFileText(fetched));

    g_launches.clear();
    g_downloadResult = -2;
    Run([](CDlgFileQuery* query) {
        query->m_store.Create(1, 4, "10.0.0.5", 3000, "u", "p");
        CDlgFileQuery::LocalQueryHit("Lobby", 0, 1183552205, 1183552265, 100, "D:\\rec\\20070705\\a.asf", nullptr);
        query->m_store.OpenForRead();
        query->ShowPage(0);
        SelectFirstRow(query);
        query->OnPlay();
    });
    EXPECT_TRUE(g_launches.empty()) << "a failed fetch starts no player";
    EXPECT_FALSE(FileExists(dir_.File("Temp Video\\10.0.0.5_3000_20070705_a.asf")));
    EXPECT_FALSE(FileExists(dir_.File("Temp Video\\10.0.0.5_3000_20070705_a.asf.part")));
}

namespace {

struct FilterCase {
    const char* label;
    const char* server;
    int channelIndex;
    int recordType;
    int fileType;
    bool dayTwo;
    int expected;
};
const FilterCase kFilters[] = {
    {"everything", "", 0, 0, 0, false, 32},    {"one server", "Server3", 0, 0, 0, false, 4},
    {"channel 2", "", 2, 0, 0, false, 8},      {"manual records", "", 0, 1, 0, false, 8},
    {"JPEG snapshots", "", 0, 0, 2, false, 0}, {"the second day", "", 0, 0, 0, true, 16},
};
std::vector<int> g_counts;

void QueryEachFilter(CDlgFileQuery* query)
{
    for (const FilterCase& c : kFilters) {
        query->SetDlgItemText(IDC_QUERY_SERVER_NAME, c.server);
        ((CComboBox*)query->GetDlgItem(IDC_QUERY_CHANNEL))->SetCurSel(c.channelIndex);
        ((CComboBox*)query->GetDlgItem(IDC_QUERY_RECORD_TYPE))->SetCurSel(c.recordType);
        query->m_fileType.SetCurSel(c.fileType);
        query->CheckDlgButton(IDC_QUERY_USE_RANGE, c.dayTwo ? BST_CHECKED : BST_UNCHECKED);
        SYSTEMTIME from = {2026, 1, 5, 2, 0, 0, 0, 0}, to = {2026, 1, 5, 2, 23, 59, 59, 0};
        query->m_fromDate.SetTime(&from);
        query->m_fromTime.SetTime(&from);
        query->m_toDate.SetTime(&to);
        query->m_toTime.SetTime(&to);
        query->OnQuery();
        g_counts.push_back(query->m_store.GetCount());
    }
}

} // namespace

TEST_F(FileQueryTest, LocalFiltersReachTheSearch)
{
    std::string storage = dir_.File("storage");
    CreateDirectoryA(storage.c_str(), nullptr);
    BuildRecordingTree(storage, 2, 16);
    StoragePathEntry entry = {};
    strcpy(entry.root, "C:");
    CopyText(entry.dir, storage.c_str());
    theRecordStore.SetStoragePaths(&entry, 1);
    g_counts.clear();
    Run(QueryEachFilter);
    theRecordStore.SetStoragePaths(nullptr, 0);
    ASSERT_EQ(sizeof kFilters / sizeof kFilters[0], g_counts.size());
    for (size_t i = 0; i < g_counts.size(); ++i)
        EXPECT_EQ(kFilters[i].expected, g_counts[i]) << kFilters[i].label;
    EXPECT_TRUE(g_messages.empty());
    EXPECT_TRUE(FileExists(dir_.File("PlayUsrParam.ini"))) << "a query keeps the last server";
}

namespace {

// A double-click on the first row of the results, as the mouse gives it.
void DoubleClickFirstRow(CDlgFileQuery* query)
{
    CRect row;
    ASSERT_TRUE(query->m_results.GetItemRect(0, &row, LVIR_LABEL));
    LPARAM at = MAKELPARAM(row.left + 4, row.top + row.Height() / 2);
    query->m_results.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    query->m_results.SendMessage(WM_LBUTTONUP, 0, at);
    query->m_results.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    query->m_results.SendMessage(WM_LBUTTONUP, 0, at);
}

std::vector<std::string> g_found;

// Each local kind in turn (MP4, ASF, JPEG, BMP by the combo's order), its one hit double-clicked.
void QueryEachLocalKind(CDlgFileQuery* query)
{
    for (int kind = 0; kind < 4; ++kind) {
        query->m_fileType.SetCurSel(kind);
        query->GetDlgItem(IDC_QUERY_START)->SendMessage(BM_CLICK);
        g_found.push_back(std::to_string(query->m_results.GetItemCount()));
        if (query->m_results.GetItemCount() > 0)
            DoubleClickFirstRow(query);
    }
}

} // namespace

TEST_F(FileQueryTest, EveryLocalKindIsFoundAndOpenedByItsExtension)
{
    // The store names and indexes them as the sessions have it do: a recording in each format and
    // a snapshot of each kind, in today's directory.
    std::string storage = dir_.File("storage");
    CreateDirectoryA(storage.c_str(), nullptr);
    StoragePathEntry entry = {};
    strcpy(entry.root, "C:");
    CopyText(entry.dir, storage.c_str());
    theRecordStore.SetStoragePaths(&entry, 1);
    ScopedClock clock(2026, 3, 9, 10, 20, 30);
    TestOwner owner;
    theRecordStore.SetOwner(&owner);
    char mp4[MAX_PATH], asf[MAX_PATH], bmp[MAX_PATH];
    ASSERT_TRUE(theRecordStore.BeginRecordFile("Lobby", 0, mp4, 1));
    owner.format = 1;
    ASSERT_TRUE(theRecordStore.BeginRecordFile("Lobby", 1, asf, 1));
    ASSERT_TRUE(theRecordStore.SaveJpegSnapshot("Lobby", 2, "JFIF", 4));
    int bmpEntry = 0;
    RecordIndexEntry bmpIndex = {};
    ASSERT_TRUE(theRecordStore.MakeBmpSnapshotPath("Lobby", 3, bmp, &bmpEntry, &bmpIndex));
    WriteFile(bmp, "BM");
    ASSERT_TRUE(theRecordStore.AppendBmpIndex(bmpEntry, &bmpIndex));
    theRecordStore.SetOwner(nullptr);

    g_found.clear();
    Run(QueryEachLocalKind);
    theRecordStore.SetStoragePaths(nullptr, 0);
    EXPECT_EQ(std::vector<std::string>({"1", "1", "1", "1"}), g_found) << "one hit of each kind";
    ASSERT_EQ(4u, g_launches.size());
    EXPECT_EQ("C:\\Quillmoor\\Clipview.exe", g_launches[0].file);
    EXPECT_EQ(mp4, g_launches[0].parameters) << "a local recording: the bare path";
    EXPECT_EQ("C:\\Media\\player.exe", g_launches[1].file);
    EXPECT_EQ(asf, g_launches[1].parameters);
    EXPECT_EQ(storage + "\\20260309\\Lobby_3_102030.jpg", g_launches[2].file) << "opened by its own program";
    EXPECT_EQ("", g_launches[2].parameters);
    EXPECT_EQ(bmp, g_launches[3].file);
    EXPECT_EQ("", g_launches[3].parameters);
}

namespace {

int g_searches = 0;

int __stdcall CountSearch(const char*, const char*, int, const char*, const char*, int, int, int, const FramewellTime*,
                          const FramewellTime*, FramewellSearchCallback, void*, int)
{
    ++g_searches;
    return -1;
}

std::string LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return (LPCSTR)text;
}

std::string g_portFocus;

// The storage-server source with a port beyond what a port can be.
void QueryPortTooHigh(CDlgFileQuery* query)
{
    query->CheckRadioButton(IDC_QUERY_LOCAL, IDC_QUERY_STORAGE, IDC_QUERY_STORAGE);
    query->OnSourceChanged();
    query->SetDlgItemText(IDC_QUERY_ADDRESS, "127.0.0.1");
    query->SetDlgItemText(IDC_QUERY_USER, "admin");
    query->SetDlgItemText(IDC_QUERY_PASSWORD, "1234");
    query->SetDlgItemText(IDC_QUERY_PORT, "65536");
    query->GetDlgItem(IDC_QUERY_START)->SendMessage(BM_CLICK);
    g_portFocus = ::GetFocus() == query->GetDlgItem(IDC_QUERY_PORT)->m_hWnd ? "port" : "elsewhere";
}

// The device source on the tree's server "Gate", whose account is longer than Framewell takes.
void QueryLongAccount(CDlgFileQuery* query)
{
    query->CheckRadioButton(IDC_QUERY_LOCAL, IDC_QUERY_STORAGE, IDC_QUERY_DEVICE);
    query->OnSourceChanged();
    query->SetDlgItemText(IDC_QUERY_SERVER_NAME, "Gate");
    query->GetDlgItem(IDC_QUERY_START)->SendMessage(BM_CLICK);
}

} // namespace

TEST_F(FileQueryTest, APortAboveTheRangeIsRefusedAtItsField)
{
    fake_.StartSearch = CountSearch;
    g_searches = 0;
    Run(QueryPortTooHigh);
    EXPECT_EQ(std::vector<std::string>({"请填入一个在1和65535之间的整数。"}), g_messages);
    EXPECT_EQ("port", g_portFocus);
    EXPECT_EQ(0, g_searches);
}

TEST_F(FileQueryTest, ATreeServersAccountTooLongForTheSearchIsExplained)
{
    fake_.StartSearch = CountSearch;
    g_pRecGroup = new CRecGroup;
    CTermData* project = g_pRecGroup->AddGroup(nullptr, "工程");
    CTermServer* server = new CTermServer;
    server->m_id = 1;
    server->m_name = "Gate";
    server->m_address = "127.0.0.1";
    server->m_port = 37010;
    server->m_channelCount = 4;
    server->m_pParent = project;
    project->m_servers.AddTail(server);
    const struct {
        const char* user;
        const char* password;
        int searches;
    } cases[] = {
        {"admin", "12345678901234567890123", 1},  // 23 characters: the search is asked
        {"admin", "123456789012345678901234", 0}, // 24: refused before
        {"administrator-of-the-gate", "1234", 0}, // a user of 25
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.password);
        server->m_user = c.user;
        server->m_password = c.password;
        g_searches = 0;
        g_messages.clear();
        Run(QueryLongAccount);
        EXPECT_EQ(c.searches, g_searches);
        std::string expected =
            c.searches ? LoadText(IDS_QUERY_SEARCH_FAILED) : "该服务器的用户名或密码超过23个字符，无法检索其录像文件!";
        EXPECT_EQ(std::vector<std::string>({expected}), g_messages);
    }
    delete g_pRecGroup;
    g_pRecGroup = nullptr;
}
