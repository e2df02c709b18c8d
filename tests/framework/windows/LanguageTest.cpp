// The resource module: once a language library is installed with AfxSetResourceHandle, strings,
// dialogs and the framework's own messages come from it, and what it lacks from the program.
#include <afxwin.h>

#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"
#include "tests/framework/windows/WindowTestIds.h"
#include "tests/framework/windows/WindowTestSupport.h"

namespace {

class CIntDlg : public CDialog {
public:
    CIntDlg() : CDialog(IDD_DDX) {}
    int m_value = 0;
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_TEXT_INT, m_value);
        DDV_MinMaxInt(pDX, m_value, 0, 9);
    }
};

// The caption and the text of IDC_LANG_TEXT of a dialog run modally.
std::pair<std::string, std::string> ShowDialog(UINT nID)
{
    std::pair<std::string, std::string> seen;
    CDialog dlg(nID);
    ModalDriver driver([&](CWnd* w) {
        seen = {WindowText(w->m_hWnd), WindowText(::GetDlgItem(w->m_hWnd, IDC_LANG_TEXT))};
        ((CDialog*)w)->EndDialog(IDOK);
    });
    dlg.DoModal();
    return seen;
}

class LanguageTest : public testing::Test {
protected:
    void SetUp() override
    {
        library = ::LoadLibraryA(ProgramPath("framework_window_lang.dll").c_str());
        ASSERT_NE(library, nullptr);
    }
    void TearDown() override
    {
        AfxSetResourceHandle(nullptr);
        ::FreeLibrary(library);
    }
    HMODULE library = nullptr;
};

TEST_F(LanguageTest, StringsAndDialogsComeFromTheLanguageLibrary)
{
    CString text;
    ASSERT_TRUE(AfxLoadString(IDS_GREETING, text));
    EXPECT_STREQ(text, "你好");
    EXPECT_EQ(ShowDialog(IDD_LANG), std::make_pair(std::string("语言测试"), std::string("中文")));

    AfxSetResourceHandle(library);
    ASSERT_TRUE(AfxLoadString(IDS_GREETING, text));
    EXPECT_STREQ(text, "Hello");
    CString loaded;
    ASSERT_TRUE(loaded.LoadString(IDS_GREETING));
    EXPECT_STREQ(loaded, "Hello");
    EXPECT_EQ(ShowDialog(IDD_LANG), std::make_pair(std::string("Language test"), std::string("English")));
    {
        MessageBoxRecorder boxes;
        AfxMessageBox(IDS_GREETING);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].text, "Hello");
    }

    // Back to the program's own resources.
    AfxSetResourceHandle(nullptr);
    ASSERT_TRUE(AfxLoadString(IDS_GREETING, text));
    EXPECT_STREQ(text, "你好");
    EXPECT_EQ(ShowDialog(IDD_LANG).first, "语言测试");
}

TEST_F(LanguageTest, WhatTheLibraryLacksComesFromTheProgram)
{
    AfxSetResourceHandle(library);
    CString text;
    ASSERT_TRUE(AfxLoadString(IDS_EXE_ONLY, text));
    EXPECT_STREQ(text, "只在程序里");
    EXPECT_EQ(ShowDialog(IDD_EXE_ONLY), std::make_pair(std::string("只在程序里"), std::string("程序")));
}

TEST_F(LanguageTest, DataExchangeMessagesFollowTheLanguage)
{
    AfxSetResourceHandle(library);
    CIntDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_DDX));
    MessageBoxRecorder boxes;
    dlg.SetDlgItemText(IDC_TEXT_INT, "x");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    dlg.SetDlgItemText(IDC_TEXT_INT, "10");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[0].text, "Please enter an integer.");
    // The library has no range message: the framework's own text stands in.
    EXPECT_EQ(boxes.Boxes()[1].text, "请填入一个在0和9之间的整数。");
    dlg.DestroyWindow();
}

} // namespace
