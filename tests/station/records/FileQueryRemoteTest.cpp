// The recorded-file query against a real storage server: Depotix serving the station's own
// recordings over the file-service bridge, reached through the real Framewell, with downloads,
// conversions, a cancel and a server that stops mid-download.
#include <winsock2.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "devices/depotix/Depotix.h"
#include "devices/framewell/FramewellApi.h"
#include "framework/WindowSeams.h"
#include "resources/records/progress.h"
#include "resources/warden/resource.h"
#include "station/config/queries/DlgFileQuery.h"
#include "shared/records/ProgressDlg.h"
#include "devices/conduit/Conduit.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/datamodel/TermData.h"
#include "station/core/datamodel/TermServer.h"
#include "station/core/storage/RecordReason.h"
#include "tests/devices/DeviceTestSupport.h"
#include "tests/devices/RemoteTestSupport.h"
#include "tests/station/records/RecordsTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

const int kFrames = 20;
std::vector<std::string> g_messages;
std::string g_saveAs;
int g_port = 0;
void (*g_work)(CDlgFileQuery*) = nullptr;

int RecordMessage(HWND, LPCSTR text, LPCSTR, UINT)
{
    g_messages.push_back(text);
    return IDOK;
}

BOOL AnswerSave(BOOL, OPENFILENAMEA* ofn)
{
    CopyText(ofn->lpstrFile, ofn->nMaxFile, g_saveAs.c_str());
    return TRUE;
}

// The query dialog is worked once and closed; a progress dialog runs on its own timers.
void WorkDialogs(CWnd* window)
{
    if (CDlgFileQuery* query = dynamic_cast<CDlgFileQuery*>(window)) {
        void (*work)(CDlgFileQuery*) = g_work;
        g_work = nullptr;
        if (work != nullptr)
            work(query);
        query->EndDialog(IDCANCEL);
    }
}

// The library's table, but the first progress report of a running download first takes the
// test's step: the job is certainly under way when the step comes.
void (*g_duringDownload)() = nullptr;
FramewellApi g_stepped;

int __stdcall SteppedProgress(int handle)
{
    int progress = LibraryFramewellApi().GetDownloadProgress(handle);
    if (progress >= 0 && g_duringDownload != nullptr) {
        void (*step)() = g_duringDownload;
        g_duringDownload = nullptr;
        step();
    }
    return progress;
}

BOOL CALLBACK CancelProgress(HWND window, LPARAM)
{
    if (::GetDlgItem(window, IDC_PROGRESS_BAR) != nullptr)
        ::PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

std::string LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return (LPCSTR)text;
}

// Every row of the result list, each as its columns joined, sorted.
std::vector<std::string> ListedRows(CDlgFileQuery* query)
{
    std::vector<std::string> rows;
    for (int row = 0; row < query->m_results.GetItemCount(); ++row) {
        std::string text;
        for (int column = 1; column < 6; ++column)
            text += std::string((LPCSTR)query->m_results.GetItemText(row, column)) + "|";
        rows.push_back(text);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void Query(CDlgFileQuery* query, int source, const char* password = "1234")
{
    query->CheckRadioButton(IDC_QUERY_LOCAL, IDC_QUERY_STORAGE, IDC_QUERY_LOCAL + source);
    query->OnSourceChanged();
    query->SetDlgItemText(IDC_QUERY_ADDRESS, "127.0.0.1");
    query->SetDlgItemText(IDC_QUERY_USER, "admin");
    query->SetDlgItemText(IDC_QUERY_PASSWORD, password);
    query->SetDlgItemInt(IDC_QUERY_PORT, g_port, FALSE);
    query->CheckDlgButton(IDC_QUERY_USE_RANGE, BST_UNCHECKED);
    query->OnQuery();
}

// Finds the station's recordings on itself as a storage server and selects the first (an MP4).
void QueryStorageAndSelect(CDlgFileQuery* query)
{
    Query(query, CDlgFileQuery::sourceStorage);
    ASSERT_GT(query->m_results.GetItemCount(), 0);
    query->m_results.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
}

class FileQueryRemoteTest : public ::testing::Test {
protected:
    FileQueryRemoteTest() : server_(dir_.File("store")) {}
    void SetUp() override
    {
        SetStartDirectory(dir_.Path().c_str());
        g_messages.clear();
        g_pSysParam = new CSysParam;
        g_pSysParam->m_downloadSpeedKB = 0;
        ASSERT_TRUE(GetFramewellApi().Init());
        paths_.push_back(server_.Record("Gate", 0, recordManual, 10, 0, kFrames));
        paths_.push_back(server_.Record("Gate", 1, recordMotion, 11, 0, kFrames));
        paths_.push_back(server_.Record("Yard", 0, recordAlarm, 12, 0, kFrames));
        g_port = server_.Start();
        ASSERT_GT(g_port, 0);
        Seams::ReplaceMessageBox(RecordMessage);
        Seams::ReplaceModalLoop(WorkDialogs);
        Seams::ReplaceFileDialog(AnswerSave);
    }
    void TearDown() override
    {
        SetFramewellApi(nullptr);
        Seams::ReplaceFileDialog(nullptr);
        Seams::ReplaceModalLoop(nullptr);
        Seams::ReplaceMessageBox(nullptr);
        server_.Stop();
        GetFramewellApi().Cleanup();
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
    // DownTmp_<n> files left in the start directory.
    int TemporaryFiles()
    {
        int count = 0;
        for (int n = 0; n < 4; ++n)
            count += FileExists(dir_.File("DownTmp_" + std::to_string(n))) ? 1 : 0;
        return count;
    }
    TempDir dir_;
    StationFileServer server_;
    std::vector<std::string> paths_;
};

std::vector<std::string> g_localRows, g_remoteRows;

} // namespace

TEST_F(FileQueryRemoteTest, TheStorageServerListsWhatTheLocalQueryLists)
{
    Run([](CDlgFileQuery* query) {
        Query(query, CDlgFileQuery::sourceLocal);
        g_localRows = ListedRows(query);
        Query(query, CDlgFileQuery::sourceStorage);
        g_remoteRows = ListedRows(query);
        EXPECT_STREQ("127.0.0.1", query->m_store.m_address);
    });
    EXPECT_EQ(3u, g_localRows.size());
    EXPECT_EQ(g_localRows, g_remoteRows);
    EXPECT_TRUE(g_messages.empty());

    Run([](CDlgFileQuery* query) {
        Query(query, CDlgFileQuery::sourceStorage, "wrong");
        EXPECT_EQ(0, query->m_results.GetItemCount());
    });
    EXPECT_EQ(std::vector<std::string>({LoadText(IDS_QUERY_SEARCH_FAILED)}), g_messages);

    g_messages.clear();
    Run([](CDlgFileQuery* query) {
        query->SetDlgItemText(IDC_QUERY_SERVER_NAME, "Nobody");
        Query(query, CDlgFileQuery::sourceDevice);
    });
    EXPECT_EQ(std::vector<std::string>({LoadText(IDS_QUERY_NO_SUCH_SERVER)}), g_messages);
}

TEST_F(FileQueryRemoteTest, DownloadsAreByteIdenticalAndConversionsPlay)
{
    g_saveAs = dir_.File("copy.mp4");
    Run([](CDlgFileQuery* query) {
        QueryStorageAndSelect(query);
        query->OnDownload();
    });
    // The listed order is the station's: the downloaded one's source is found by content.
    std::vector<uint8_t> copy = ReadFileBytes(g_saveAs);
    std::string source;
    for (const std::string& path : paths_)
        if (copy == ReadFileBytes(path))
            source = path;
    EXPECT_FALSE(copy.empty());
    ASSERT_FALSE(source.empty()) << "the downloaded file is one of the recordings, byte for byte";

    // Another job's temporary file stays as it is; the conversion takes the next name.
    WriteFile(dir_.File("DownTmp_0"), "another job");
    g_saveAs = dir_.File("copy.asf");
    Run([](CDlgFileQuery* query) {
        QueryStorageAndSelect(query);
        query->OnDownloadAsf();
    });
    EXPECT_EQ("another job", ReadFileText(dir_.File("DownTmp_0")));
    EXPECT_FALSE(FileExists(dir_.File("DownTmp_1"))) << "the conversion's own temporary file is gone";
    std::vector<MediaSample> samples;
    int width = 0, height = 0;
    ASSERT_TRUE(ReadAsfSamples(g_saveAs, &samples, &width, &height));
    EXPECT_EQ(size_t(kFrames), samples.size());
    EXPECT_EQ(352, width);
    int played = GetFramewellApi().OpenFile(g_saveAs.c_str(), 0);
    EXPECT_GT(played, 0) << "Framewell opens the converted file";
    int original = GetFramewellApi().OpenFile(source.c_str(), 0);
    EXPECT_GT(GetFramewellApi().GetTotalTime(played), 0);
    EXPECT_EQ(GetFramewellApi().GetTotalTime(original), GetFramewellApi().GetTotalTime(played))
        << "its length is the recording's";
    EXPECT_TRUE(g_messages.empty());
}

TEST_F(FileQueryRemoteTest, ACancelOrAStoppedServerEndsTheJobAndLeavesNothing)
{
    // Slow enough that the job is still running when the test steps in, fast enough that the
    // service's pieces keep coming within the client's patience.
    g_pSysParam->m_downloadSpeedKB = 20;
    g_stepped = LibraryFramewellApi();
    g_stepped.GetDownloadProgress = SteppedProgress;
    SetFramewellApi(&g_stepped);
    struct Step {
        const char* what;
        void (*work)();
        bool convert;
        bool stopsServer;
    } steps[] = {
        {"a cancel", [] { ::EnumThreadWindows(::GetCurrentThreadId(), CancelProgress, 0); }, false, false},
        {"a cancel of a conversion", [] { ::EnumThreadWindows(::GetCurrentThreadId(), CancelProgress, 0); }, true,
         false},
        {"a stopped server", [] { Depotix_Stop(); }, false, true},
        {"a stopped server under a conversion", [] { Depotix_Stop(); }, true, true},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        g_messages.clear();
        g_port = server_.Start();
        ASSERT_GT(g_port, 0);
        g_saveAs = dir_.File(step.convert ? "cut.asf" : "cut.mp4");
        g_duringDownload = step.work;
        Run(step.convert ? [](CDlgFileQuery* q) {
            QueryStorageAndSelect(q);
            q->OnDownloadAsf();
        }
                         : [](CDlgFileQuery* q) {
                               QueryStorageAndSelect(q);
                               q->OnDownload();
                           });
        EXPECT_EQ(nullptr, g_duringDownload) << "the step came while the job ran";
        EXPECT_EQ(0, TemporaryFiles());
        EXPECT_FALSE(FileExists(g_saveAs)) << "no partial file looks like a whole recording";
        EXPECT_EQ(step.stopsServer ? std::vector<std::string>({LoadText(IDS_PROGRESS_DOWNLOAD_FAILED)})
                                   : std::vector<std::string>(),
                  g_messages);
    }
    SetFramewellApi(nullptr);
}

namespace {

std::vector<int> g_deviceCounts;

void QueryDevices(CDlgFileQuery* query)
{
    for (const char* name : {"Alpha", "Ghost", "Nobody"}) {
        g_messages.clear();
        query->SetDlgItemText(IDC_QUERY_SERVER_NAME, name);
        Query(query, CDlgFileQuery::sourceDevice);
        g_deviceCounts.push_back(g_messages.empty() ? query->m_store.GetCount() : -1);
        for (const std::string& message : g_messages)
            g_deviceCounts.push_back(message == LoadText(IDS_QUERY_DDNS_FAILED)      ? 290
                                     : message == LoadText(IDS_QUERY_NO_SUCH_SERVER) ? 171
                                                                                     : 0);
    }
}

} // namespace

// The device source against devsim: a tree server's own recordings, a DDNS name the DDNS server
// does not know, a name not in the tree.
TEST_F(FileQueryRemoteTest, TheDeviceSourceAsksTheTreesServer)
{
    CreateDirectoryA(dir_.File("recs").c_str(), nullptr);
    CreateDirectoryA(dir_.File("recs\\Alpha").c_str(), nullptr);
    WriteTestRecording(dir_.File("recs\\Alpha\\Alpha_1_20261207100000.mp4"), dev::VideoContainer::Mp4, kFrames, 352,
                       288);
    WriteFile(dir_.File("site.ini"), "[Site]\r\nRecordings=recs\r\n[Server1]\r\nName=Alpha\r\nUser=admin\r\n"
                                     "Password=secret\r\nChannels=4\r\nDdnsName=alpha.ddns\r\n");
    DevsimSite devsim;
    ASSERT_TRUE(devsim.Start(dir_.File("site.ini")));
    Conduit_Init(0, 0, 0, 0);
    g_pRecGroup = new CRecGroup;
    CTermData* project = g_pRecGroup->AddGroup(nullptr, "工程");
    const char* names[] = {"Alpha", "Ghost"};
    for (int i = 0; i < 2; ++i) {
        CTermServer* server = new CTermServer;
        server->m_id = i + 1;
        server->m_name = names[i];
        server->m_address = "127.0.0.1";
        server->m_useDdns = i == 1;
        server->m_port = i == 1 ? devsim.DdnsPort() : devsim.Port("Alpha");
        server->m_user = "admin";
        server->m_password = "secret";
        server->m_channelCount = 4;
        server->m_pParent = project;
        project->m_servers.AddTail(server);
    }
    g_deviceCounts.clear();
    Run(QueryDevices);
    delete g_pRecGroup;
    g_pRecGroup = nullptr;
    Conduit_Cleanup();
    EXPECT_EQ(std::vector<int>({1, -1, 290, -1, 171}), g_deviceCounts);
}
