// The matrix control page: the control file through the file dialog, the session's protocol object
// with the Portwick stand-in, and the frame's OK.
#include <gtest/gtest.h>

#include "devices/devsim/control/DevsimControl.h"
#include "framework/WindowSeams.h"
#include "station/config/servers/DlgCameraSetting.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/sessions/ChannelSession.h"
#include "tests/station/config/ConfigTestSupport.h"

namespace {

const int kMatrixTab = 9;
std::string fileAnswer; // empty: Cancel

// Answers the open-file dialog as a user who browsed elsewhere: the current directory moves.
BOOL AnswerFileDialog(BOOL, OPENFILENAMEA* ofn)
{
    ::SetCurrentDirectoryA(ProgramDirectory().c_str());
    if (fileAnswer.empty())
        return FALSE;
    lstrcpynA(ofn->lpstrFile, fileAnswer.c_str(), (int)ofn->nMaxFile);
    return TRUE;
}

std::string CurrentDirectory()
{
    char path[MAX_PATH] = "";
    ::GetCurrentDirectoryA(sizeof path, path);
    return path;
}

ModalStep OnMatrix(std::function<void(CDlgCameraSetting*, CWnd*)> action)
{
    return [=](CWnd* modal) {
        CDlgCameraSetting* d = dynamic_cast<CDlgCameraSetting*>(modal);
        if (d == nullptr)
            return false;
        SelectTab(d, IDC_SETTING_TAB, kMatrixTab);
        action(d, &d->m_matrix);
        return true;
    };
}

class MatrixTest : public ConfigTest {
protected:
    void SetUp() override
    {
        ConfigTest::SetUp();
        MakeLiveTree();
        camera_ = FindCamera(*g_pRecGroup, "大厅", 0);
        camera_->m_matrixControlFile = "C:\\ptz\\old.ptz";
        previous_ = Seams::ReplaceFileDialog(AnswerFileDialog);
    }
    void TearDown() override
    {
        Seams::ReplaceFileDialog(previous_);
        ConfigTest::TearDown();
    }
    // The camera live on the simulated site.
    CChannelSession* AttachSession()
    {
        EXPECT_TRUE(ConnectLive(camera_->m_pServer, camera_));
        return camera_->m_pSession;
    }
    CTermCamera* camera_ = nullptr;
    Seams::FileDialogFunc previous_ = nullptr;
};

} // namespace

TEST_F(MatrixTest, ChooseRestoresTheStartDirectoryWhetherAnsweredOrCancelled)
{
    const std::string start = (LPCSTR)GetStartDirectory();
    CDlgCameraSetting dialog;
    dialog.m_pCamera = camera_;
    RunModal(dialog, {OnMatrix([&](CDlgCameraSetting* d, CWnd* page) {
                 fileAnswer = "C:\\ptz\\pelco.ptz";
                 ClickButton(page, IDC_MATRIX_CHOOSE);
                 EXPECT_EQ("C:\\ptz\\pelco.ptz", GetText(page, IDC_MATRIX_FILE));
                 EXPECT_EQ(start, CurrentDirectory());
                 fileAnswer.clear();
                 ClickButton(page, IDC_MATRIX_CHOOSE);
                 EXPECT_EQ("C:\\ptz\\pelco.ptz", GetText(page, IDC_MATRIX_FILE));
                 EXPECT_EQ(start, CurrentDirectory());
                 EXPECT_STREQ("C:\\ptz\\old.ptz", camera_->m_matrixControlFile); // not before OK
                 ClickButton(d, IDCANCEL);
             })});
}

TEST_F(MatrixTest, OkWithoutASessionStoresThePathSilently)
{
    MessageBoxRecorder boxes;
    CDlgCameraSetting dialog;
    dialog.m_pCamera = camera_;
    RunModal(dialog, {OnMatrix([](CDlgCameraSetting* d, CWnd* page) {
                 ClickButton(page, IDC_MATRIX_UPGRADE); // not connected: nothing
                 SetText(page, IDC_MATRIX_MONITOR, "255");
                 SetText(page, IDC_MATRIX_NETWORK, "3");
                 SetText(page, IDC_MATRIX_FILE, "C:\\ptz\\new.ptz");
                 ClickButton(d, IDOK);
             })});
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(255, camera_->m_matrixMonitor);
    EXPECT_EQ(3, camera_->m_matrixNetwork);
    EXPECT_STREQ("C:\\ptz\\new.ptz", camera_->m_matrixControlFile);
}

TEST_F(MatrixTest, AnUnchangedFileMakesNoCallAndARefusedOneKeepsTheSessionsProtocol)
{
    CChannelSession* session = AttachSession();
    MessageBoxRecorder boxes;
    {
        CDlgCameraSetting dialog;
        dialog.m_pCamera = camera_;
        RunModal(dialog, {OnMatrix([](CDlgCameraSetting* d, CWnd*) { ClickButton(d, IDOK); })});
    }
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(0, session->m_ptzProtocol);
    {
        CDlgCameraSetting dialog;
        dialog.m_pCamera = camera_;
        RunModal(dialog, {OnMatrix([](CDlgCameraSetting* d, CWnd* page) {
                     SetText(page, IDC_MATRIX_FILE, "C:\\missing\\none.ptz");
                     ClickButton(d, IDOK);
                 })});
    }
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ("升级矩阵控制文件失败", boxes.Boxes()[0].text);
    EXPECT_STREQ("C:\\missing\\none.ptz", camera_->m_matrixControlFile);
    EXPECT_EQ(0, session->m_ptzProtocol);
    CRecGroup reloaded;
    EXPECT_STREQ("C:\\missing\\none.ptz", FindCamera(reloaded, "大厅", 0)->m_matrixControlFile);
}

TEST_F(MatrixTest, AChangedFileLoadsIntoTheSessionAndARefusedOneKeepsIt)
{
    const std::string good = StartPath("pelco.ptz");
    const std::string other = StartPath("other.ptz");
    ASSERT_TRUE(WriteTextFile(good, "[Protocol]\r\nName=PELCO\r\nDescription=PELCO delay200\r\n"
                                    "[Commands]\r\n2=FF A 00 04 S 00 C\r\n"));
    ASSERT_TRUE(WriteTextFile(other, "[Protocol]\r\nName=OTHER\r\nDescription=OTHER delay100\r\n"
                                     "[Commands]\r\n2=AA A V C\r\n"));
    CChannelSession* session = AttachSession();
    MessageBoxRecorder boxes;
    {
        CDlgCameraSetting dialog;
        dialog.m_pCamera = camera_;
        RunModal(dialog, {OnMatrix([&](CDlgCameraSetting* d, CWnd* page) {
                     SetText(page, IDC_MATRIX_FILE, good);
                     ClickButton(d, IDOK);
                 })});
    }
    ASSERT_EQ(1u, boxes.Boxes().size());
    EXPECT_EQ("升级矩阵控制文件成功", boxes.Boxes()[0].text);
    const int protocol = session->m_ptzProtocol;
    EXPECT_NE(0, protocol);
    EXPECT_EQ(200, session->m_protocolDelay);
    EXPECT_EQ(good, std::string(camera_->m_matrixControlFile));

    // The page shows the loaded protocol; a refused file leaves it loaded as it was.
    {
        CDlgCameraSetting dialog;
        dialog.m_pCamera = camera_;
        RunModal(dialog, {OnMatrix([&](CDlgCameraSetting* d, CWnd* page) {
                     EXPECT_EQ("PELCO delay200", GetText(page, IDC_MATRIX_PROTOCOL));
                     SetText(page, IDC_MATRIX_FILE, StartPath("none.ptz"));
                     ClickButton(d, IDOK);
                 })});
    }
    ASSERT_EQ(2u, boxes.Boxes().size());
    EXPECT_EQ("升级矩阵控制文件失败", boxes.Boxes()[1].text);
    EXPECT_EQ(protocol, session->m_ptzProtocol);
    EXPECT_EQ(200, session->m_protocolDelay);
    EXPECT_EQ(StartPath("none.ptz"), std::string(camera_->m_matrixControlFile));

    // A second good file replaces the loaded one in place.
    {
        CDlgCameraSetting dialog;
        dialog.m_pCamera = camera_;
        RunModal(dialog, {OnMatrix([&](CDlgCameraSetting* d, CWnd* page) {
                     SetText(page, IDC_MATRIX_FILE, other);
                     ClickButton(d, IDOK);
                 })});
    }
    ASSERT_EQ(3u, boxes.Boxes().size());
    EXPECT_EQ("升级矩阵控制文件成功", boxes.Boxes()[2].text);
    EXPECT_EQ(100, session->m_protocolDelay);
    CRecGroup reloaded;
    EXPECT_EQ(other, std::string(FindCamera(reloaded, "大厅", 0)->m_matrixControlFile));
}
