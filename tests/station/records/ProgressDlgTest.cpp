// The progress dialog through its timer handlers, with a scripted Framewell.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>

#include "devices/framewell/FramewellApi.h"
#include "framework/WindowSeams.h"
#include "resources/warden/resource.h"
#include "shared/records/ProgressDlg.h"
#include "station/core/datamodel/StationPaths.h"
#include "tests/station/records/RecordsTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tools/screenshot/Screenshot.h"

namespace {

// What the scripted library answers and what it was asked.
struct Script {
    int searchState = 0;
    int closedSearch = 0;
    int downloadHandle = 5;
    std::string downloadTarget;
    std::deque<int> downloadProgress;
    int closedDownload = 0;
    int convertHandle = 9;
    std::deque<int> convertProgress;
    int closedConvert = 0;
    std::string message;
};
Script g_script;

int __stdcall SearchState(int)
{
    return g_script.searchState;
}
int __stdcall CloseSearch(int)
{
    return ++g_script.closedSearch;
}
int __stdcall StartDownload(const char*, const char*, const char*, const char*, const char* local, int, int)
{
    g_script.downloadTarget = local;
    return g_script.downloadHandle;
}
int __stdcall DownloadProgress(int)
{
    int p = g_script.downloadProgress.front();
    if (g_script.downloadProgress.size() > 1)
        g_script.downloadProgress.pop_front();
    return p;
}
int __stdcall CloseDownload(int)
{
    return ++g_script.closedDownload;
}
int __stdcall StartConvert(const char*, const char*)
{
    return g_script.convertHandle;
}
int __stdcall ConvertProgress(int)
{
    int p = g_script.convertProgress.front();
    if (g_script.convertProgress.size() > 1)
        g_script.convertProgress.pop_front();
    return p;
}
int __stdcall CloseConvert(int)
{
    return ++g_script.closedConvert;
}
int RecordMessage(HWND, LPCSTR text, LPCSTR, UINT)
{
    g_script.message = text;
    return IDOK;
}

std::string Status(CWnd* dialog)
{
    CString text;
    dialog->GetDlgItemText(IDC_PROGRESS_STATUS, text);
    return (LPCSTR)text;
}

// Each test works the dialog from its modal loop with this.
void (*g_work)(CProgressDlg* dialog) = nullptr;
std::vector<std::string> g_statuses;

void WorkDialog(CWnd* window)
{
    if (CProgressDlg* dialog = dynamic_cast<CProgressDlg*>(window)) {
        void (*work)(CProgressDlg*) = g_work;
        g_work = nullptr;
        if (work != nullptr)
            work(dialog);
    }
}

class ProgressTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetStartDirectory(dir_.Path().c_str());
        g_script = Script();
        g_statuses.clear();
        FramewellApi fake = LibraryFramewellApi();
        fake.GetSearchState = SearchState;
        fake.CloseSearch = CloseSearch;
        fake.StartDownload = StartDownload;
        fake.GetDownloadProgress = DownloadProgress;
        fake.CloseDownload = CloseDownload;
        fake.StartConvert = StartConvert;
        fake.GetConvertProgress = ConvertProgress;
        fake.CloseConvert = CloseConvert;
        fake_ = fake;
        SetFramewellApi(&fake_);
        Seams::ReplaceModalLoop(WorkDialog);
        Seams::ReplaceMessageBox(RecordMessage);
    }
    void TearDown() override
    {
        Seams::ReplaceModalLoop(nullptr);
        Seams::ReplaceMessageBox(nullptr);
        SetFramewellApi(nullptr);
    }
    CProgressDlg* Download(CProgressDlg& dialog, int convert, int buffering)
    {
        dialog.m_mode = CProgressDlg::modeDownload;
        strcpy(dialog.m_address, "127.0.0.1");
        strcpy(dialog.m_remotePath, "D:\\rec\\a.mp4");
        CopyText(dialog.m_localPath, dir_.File(convert ? "a.asf" : "a.mp4").c_str());
        dialog.m_convert = convert;
        dialog.m_buffering = buffering;
        return &dialog;
    }
    TempDir dir_;
    FramewellApi fake_;
};

} // namespace

TEST_F(ProgressTest, ASearchThatEndedBeforeTheFirstTickClosesAfterThePause)
{
    g_script.searchState = 1;
    g_work = [](CProgressDlg* dialog) {
        g_statuses.push_back(Status(dialog));
        dialog->OnSearchTick();
        g_statuses.push_back(Status(dialog));
        dialog->SendMessage(WM_TIMER, CProgressDlg::TIMER_END);
    };
    CProgressDlg dialog;
    dialog.m_searchHandle = 3;
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_EQ(std::vector<std::string>({"正在检索文件......", "文件检索结束。"}), g_statuses);
    EXPECT_EQ(1, g_script.closedSearch) << "closed once, not again at the end";
}

TEST_F(ProgressTest, DownloadPercentagesAndTheBufferingText)
{
    g_script.downloadProgress = {40, 75, -1};
    g_work = [](CProgressDlg* dialog) {
        g_statuses.push_back(Status(dialog));
        for (int i = 0; i < 3; ++i) {
            dialog->OnDownloadTick();
            g_statuses.push_back(Status(dialog));
            if (i == 0) {
                dialog->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                PumpMessages();
                SavePng(CaptureWindow(dialog->m_hWnd), ScreenshotPath("file-progress"));
            }
        }
        dialog->SendMessage(WM_TIMER, CProgressDlg::TIMER_END);
    };
    CProgressDlg plain;
    EXPECT_EQ(IDOK, Download(plain, 0, 0)->DoModal());
    EXPECT_EQ(std::vector<std::string>({"正在下载......", "下载完成:40%", "下载完成:75%", "下载完成。"}), g_statuses);
    EXPECT_EQ(1, g_script.closedDownload);

    g_statuses.clear();
    g_script.downloadProgress = {40, -1};
    g_work = [](CProgressDlg* dialog) {
        dialog->OnDownloadTick();
        g_statuses.push_back(Status(dialog));
        dialog->OnDownloadTick();
        g_statuses.push_back(Status(dialog));
        dialog->SendMessage(WM_TIMER, CProgressDlg::TIMER_END);
    };
    CProgressDlg buffering;
    EXPECT_EQ(IDOK, Download(buffering, 0, 1)->DoModal());
    EXPECT_EQ(std::vector<std::string>({"正在缓冲...", "正在缓冲..."}), g_statuses) << "no percentage while buffering";
}

TEST_F(ProgressTest, ConversionUsesAFreeTemporaryNameAndLeavesOnlyTheAsf)
{
    // Another job's file holds the first name.
    WriteFile(dir_.File("DownTmp_0"), "another job");
    g_script.downloadProgress = {-1};
    g_script.convertProgress = {50, -1};
    g_work = [](CProgressDlg* dialog) {
        dialog->OnDownloadTick();
        g_statuses.push_back(Status(dialog));
        dialog->OnConvertTick();
        g_statuses.push_back(Status(dialog));
        dialog->OnConvertTick();
        g_statuses.push_back(Status(dialog));
        dialog->SendMessage(WM_TIMER, CProgressDlg::TIMER_END);
    };
    CProgressDlg dialog;
    EXPECT_EQ(IDOK, Download(dialog, 1, 0)->DoModal());
    EXPECT_EQ(dir_.File("DownTmp_1"), g_script.downloadTarget);
    EXPECT_EQ(std::vector<std::string>({"正在转换...", "转换完成:50%", "转换完成。"}), g_statuses);
    EXPECT_EQ("another job", ReadFileText(dir_.File("DownTmp_0"))) << "the other job's file is untouched";
    EXPECT_FALSE(FileExists(dir_.File("DownTmp_1"))) << "the temporary file does not outlive the dialog";
}

TEST_F(ProgressTest, FailuresSaySoAndKeepNothing)
{
    g_script.downloadProgress = {-1};
    g_script.convertHandle = 0;
    g_work = [](CProgressDlg* dialog) { dialog->OnDownloadTick(); };
    CProgressDlg convertFails;
    EXPECT_EQ(IDCANCEL, Download(convertFails, 1, 0)->DoModal());
    EXPECT_EQ("启动转换失败!", g_script.message);
    EXPECT_FALSE(FileExists(dir_.File("DownTmp_0")));

    g_script.convertHandle = 9;
    g_script.downloadProgress = {30, -2};
    g_work = [](CProgressDlg* dialog) {
        dialog->OnDownloadTick();
        dialog->OnDownloadTick();
        g_statuses.push_back(Status(dialog));
        dialog->SendMessage(WM_TIMER, CProgressDlg::TIMER_END);
    };
    CProgressDlg downloadFails;
    EXPECT_EQ(IDCANCEL, Download(downloadFails, 1, 0)->DoModal()) << "IDOK only after success";
    EXPECT_EQ(std::vector<std::string>({"下载失败!"}), g_statuses);
    EXPECT_EQ("下载失败!", g_script.message) << "the status alone closes too soon to be read";
    EXPECT_FALSE(FileExists(dir_.File("DownTmp_0"))) << "no conversion of a failed download, no temporary file";

    g_script.downloadHandle = 0;
    g_script.message.clear();
    CProgressDlg cannotStart;
    EXPECT_EQ(IDCANCEL, Download(cannotStart, 0, 0)->DoModal());
    EXPECT_EQ("启动下载失败!", g_script.message);
}

TEST(ProgressPrograms, ThePlayersTextsAndLimits)
{
    const ProgressProgram& player = PlayerProgress();
    const UINT ids[] = {player.searching,          player.downloading, player.downloadPercent,
                        player.downloadDone,       player.searchDone,  player.downloadStartFailed,
                        player.convertStartFailed, player.converting,  player.convertPercent,
                        player.convertDone};
    const UINT expected[] = {114, 116, 113, 111, 110, 115, 106, 112, 103, 102};
    EXPECT_TRUE(std::equal(std::begin(ids), std::end(ids), std::begin(expected)));
    EXPECT_EQ(0u, player.buffering);
    EXPECT_FALSE(player.limitDownloads);
    EXPECT_TRUE(StationProgress().limitDownloads);
    EXPECT_EQ(417u, StationProgress().buffering);
}
