// The common dialogs and message boxes through their seams: what the platform would be given, and
// what the caller gets back.
#include <afxwin.h>
#include <afxdlgs.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/framework/windows/WindowTestIds.h"
#include "tests/framework/windows/WindowTestSupport.h"

namespace {

struct FileDialogCall {
    BOOL open = FALSE;
    std::vector<std::string> filter;
    std::string defExt;
    std::string initialFile;
    DWORD flags = 0;
    HWND owner = nullptr;
};

FileDialogCall lastFileCall;
const char* fileAnswer = nullptr; // null: Cancel
size_t fileAnswerSize = 0;

BOOL AnswerFileDialog(BOOL open, OPENFILENAMEA* ofn)
{
    lastFileCall = FileDialogCall();
    lastFileCall.open = open;
    for (const char* p = ofn->lpstrFilter; p != nullptr && *p != '\0'; p += strlen(p) + 1)
        lastFileCall.filter.push_back(p);
    lastFileCall.defExt = ofn->lpstrDefExt != nullptr ? ofn->lpstrDefExt : "";
    lastFileCall.initialFile = ofn->lpstrFile;
    lastFileCall.flags = ofn->Flags;
    lastFileCall.owner = ofn->hwndOwner;
    if (fileAnswer == nullptr)
        return FALSE;
    if (fileAnswerSize > ofn->nMaxFile)
        return FALSE;
    memcpy(ofn->lpstrFile, fileAnswer, fileAnswerSize);
    return TRUE;
}

class ScopedFileDialog {
public:
    ScopedFileDialog(const char* answer, size_t size) : previous_(Seams::ReplaceFileDialog(AnswerFileDialog))
    {
        fileAnswer = answer;
        fileAnswerSize = size;
    }
    ~ScopedFileDialog() { Seams::ReplaceFileDialog(previous_); }

private:
    Seams::FileDialogFunc previous_;
};

TEST(Seams, AllOffByDefault)
{
    Seams::MessageBoxFunc box = Seams::ReplaceMessageBox(nullptr);
    Seams::ModalLoopFunc loop = Seams::ReplaceModalLoop(nullptr);
    Seams::PopupMenuFunc menu = Seams::ReplacePopupMenu(nullptr);
    Seams::FileDialogFunc file = Seams::ReplaceFileDialog(nullptr);
    Seams::FolderDialogFunc folder = Seams::ReplaceFolderDialog(nullptr);
    EXPECT_EQ(box, nullptr);
    EXPECT_EQ(loop, nullptr);
    EXPECT_EQ(menu, nullptr);
    EXPECT_EQ(file, nullptr);
    EXPECT_EQ(folder, nullptr);
}

TEST(FileDialog, OpenGetsTheFilterAndGivesThePathInParts)
{
    const char path[] = "C:\\录像\\20261210\\摄像机1_1_120000.mp4";
    ScopedFileDialog seam(path, sizeof path);
    CDialog owner;
    ASSERT_TRUE(owner.Create(IDD_SIMPLE));
    CFileDialog dlg(TRUE, "*.bmp", nullptr, OFN_HIDEREADONLY, "bmp文件(*.bmp)|*.bmp|所有文件(*.*)|*.*||", &owner);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(lastFileCall.open);
    EXPECT_EQ(lastFileCall.filter, std::vector<std::string>({"bmp文件(*.bmp)", "*.bmp", "所有文件(*.*)", "*.*"}));
    EXPECT_EQ(lastFileCall.defExt, "*.bmp");
    EXPECT_TRUE(lastFileCall.flags & OFN_HIDEREADONLY);
    EXPECT_TRUE(lastFileCall.flags & OFN_EXPLORER);
    EXPECT_EQ(lastFileCall.owner, owner.m_hWnd);
    EXPECT_STREQ(dlg.GetPathName(), path);
    EXPECT_STREQ(dlg.GetFileName(), "摄像机1_1_120000.mp4");
    EXPECT_STREQ(dlg.GetFileExt(), "mp4");
    EXPECT_STREQ(dlg.GetFileTitle(), "摄像机1_1_120000");
    EXPECT_STREQ(dlg.GetFolderPath(), "C:\\录像\\20261210");
    owner.DestroyWindow();
}

TEST(FileDialog, FilterSplitsOnlyAtRealBars)
{
    // The second byte of "亅" in code page 936 is the byte of '|'.
    ScopedFileDialog seam(nullptr, 0);
    CFileDialog dlg(FALSE, "asf", "默认.asf", OFN_OVERWRITEPROMPT, "亅文件(*.asf)|*.asf");
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_FALSE(lastFileCall.open);
    EXPECT_EQ(lastFileCall.filter, std::vector<std::string>({"亅文件(*.asf)", "*.asf"}));
    EXPECT_EQ(lastFileCall.initialFile, "默认.asf");
}

TEST(FileDialog, SeveralFilesComeOneByOne)
{
    const char answer[] = "D:\\片段\0a.mp4\0第二.mp4\0";
    ScopedFileDialog seam(answer, sizeof answer);
    char buffer[512] = "";
    CFileDialog dlg(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT);
    dlg.m_ofn.lpstrFile = buffer;
    dlg.m_ofn.nMaxFile = sizeof buffer;
    ASSERT_EQ(dlg.DoModal(), IDOK);
    std::vector<std::string> files;
    for (POSITION pos = dlg.GetStartPosition(); pos != nullptr;)
        files.push_back((LPCSTR)dlg.GetNextPathName(pos));
    EXPECT_EQ(files, std::vector<std::string>({"D:\\片段\\a.mp4", "D:\\片段\\第二.mp4"}));
}

struct FolderCall {
    std::string title;
    std::string initial;
    UINT flags = 0;
};
FolderCall lastFolderCall;

BOOL AnswerFolderDialog(const BROWSEINFOA* bi, LPCSTR initialFolder, LPSTR path)
{
    lastFolderCall.title = bi->lpszTitle != nullptr ? bi->lpszTitle : "";
    lastFolderCall.initial = initialFolder != nullptr ? initialFolder : "";
    lastFolderCall.flags = bi->ulFlags;
    if (lastFolderCall.title == "取消")
        return FALSE;
    CopyText(path, MAX_PATH, "E:\\参数");
    return TRUE;
}

TEST(FolderPickerDialog, ChosenFolderOrCancel)
{
    Seams::FolderDialogFunc previous = Seams::ReplaceFolderDialog(AnswerFolderDialog);
    CFolderPickerDialog dlg("c:\\", BIF_RETURNONLYFSDIRS);
    dlg.SetTitle("请选择参数文件存放的目录");
    ASSERT_EQ(dlg.DoModal(), IDOK);
    EXPECT_STREQ(dlg.GetPathName(), "E:\\参数");
    EXPECT_EQ(lastFolderCall.title, "请选择参数文件存放的目录");
    EXPECT_EQ(lastFolderCall.initial, "c:\\");
    EXPECT_EQ(lastFolderCall.flags, (UINT)BIF_RETURNONLYFSDIRS);

    CFolderPickerDialog cancelled;
    cancelled.SetTitle("取消");
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_STREQ(cancelled.GetPathName(), "");
    Seams::ReplaceFolderDialog(previous);
}

} // namespace
