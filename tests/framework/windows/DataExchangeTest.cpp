// Dialog data exchange: values into the controls and out of them, the conversions that fail, and what
// a failure does (the platform's message, the focus, the members after the failing control).
#include <afxwin.h>
#include <afxcmn.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "tests/framework/windows/WindowTestIds.h"
#include "tests/framework/windows/WindowTestSupport.h"

namespace {

class CDdxDlg : public CDialog {
public:
    CDdxDlg() : CDialog(IDD_DDX) {}

    CString m_str = "甲";
    int m_int = 1;
    UINT m_uint = 2;
    long m_long = 3;
    DWORD m_dword = 4;
    float m_float = 5.5f;
    int m_check = 0;
    int m_radio = 0;
    int m_cbIndex = 0;
    CString m_cbString = "Alpha";
    CTime m_time = CTime(2026, 12, 10, 0, 0, 0);
    int m_changes = 0;

protected:
    BOOL OnInitDialog() override
    {
        for (const char* item : {"Alpha", "Beta", "Gamma"}) {
            SendDlgItemMessage(IDC_CB_INDEX, CB_ADDSTRING, 0, (LPARAM)item);
            SendDlgItemMessage(IDC_CB_STRING, CB_ADDSTRING, 0, (LPARAM)item);
        }
        return CDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_TEXT_STR, m_str);
        DDV_MaxChars(pDX, m_str, 8);
        DDX_Text(pDX, IDC_TEXT_INT, m_int);
        DDV_MinMaxInt(pDX, m_int, 0, 100);
        DDX_Text(pDX, IDC_TEXT_UINT, m_uint);
        DDV_MinMaxUInt(pDX, m_uint, 1, 4000000000u);
        DDX_Text(pDX, IDC_TEXT_LONG, m_long);
        DDV_MinMaxLong(pDX, m_long, -100000, 100000);
        DDX_Text(pDX, IDC_TEXT_DWORD, m_dword);
        DDX_Text(pDX, IDC_TEXT_FLOAT, m_float);
        DDX_Check(pDX, IDC_CHECK, m_check);
        DDX_Radio(pDX, IDC_RADIO1, m_radio);
        DDX_CBIndex(pDX, IDC_CB_INDEX, m_cbIndex);
        DDX_CBString(pDX, IDC_CB_STRING, m_cbString);
        DDX_DateTimeCtrl(pDX, IDC_DATETIME, m_time);
    }
    afx_msg void OnStrChange() { ++m_changes; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDdxDlg, CDialog)
ON_EN_CHANGE(IDC_TEXT_STR, &CDdxDlg::OnStrChange)
END_MESSAGE_MAP()

class DataExchangeTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dlg.Create(IDD_DDX)); }
    // Only an active window can take the focus.
    void ShowAndActivate()
    {
        dlg.ShowWindow(SW_SHOW);
        dlg.SetActiveWindow();
    }
    void TearDown() override { dlg.DestroyWindow(); }

    std::string Text(int id) { return WindowText(::GetDlgItem(dlg.m_hWnd, id)); }
    void SetText(int id, const char* text) { dlg.SetDlgItemText(id, text); }
    HWND Item(int id) { return ::GetDlgItem(dlg.m_hWnd, id); }

    CDdxDlg dlg;
};

TEST_F(DataExchangeTest, LoadingFillsEveryKindOfControl)
{
    dlg.m_str = "摄像机一";
    dlg.m_int = -42;
    dlg.m_uint = 4000000000u;
    dlg.m_long = -100000;
    dlg.m_dword = 4294967295u;
    dlg.m_float = 0.1f;
    dlg.m_check = 1;
    dlg.m_radio = 2;
    dlg.m_cbIndex = 1;
    dlg.m_cbString = "Gam";
    dlg.m_time = CTime(2024, 2, 29, 0, 0, 0);
    ASSERT_TRUE(dlg.UpdateData(FALSE));

    EXPECT_EQ(Text(IDC_TEXT_STR), "摄像机一");
    EXPECT_EQ(Text(IDC_TEXT_INT), "-42");
    EXPECT_EQ(Text(IDC_TEXT_UINT), "4000000000");
    EXPECT_EQ(Text(IDC_TEXT_LONG), "-100000");
    EXPECT_EQ(Text(IDC_TEXT_DWORD), "4294967295");
    EXPECT_EQ(Text(IDC_TEXT_FLOAT), "0.1");
    EXPECT_EQ(::SendMessageA(Item(IDC_CHECK), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(::SendMessageA(Item(IDC_RADIO1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(::SendMessageA(Item(IDC_RADIO2), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(::SendMessageA(Item(IDC_RADIO3), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(::SendMessageA(Item(IDC_CB_INDEX), CB_GETCURSEL, 0, 0), 1);
    // Loading a combo's text selects the first item that begins with it.
    EXPECT_EQ(::SendMessageA(Item(IDC_CB_STRING), CB_GETCURSEL, 0, 0), 2);
    SYSTEMTIME st = {};
    ASSERT_EQ(::SendMessageA(Item(IDC_DATETIME), DTM_GETSYSTEMTIME, 0, (LPARAM)&st), GDT_VALID);
    EXPECT_EQ(st.wYear, 2024);
    EXPECT_EQ(st.wMonth, 2);
    EXPECT_EQ(st.wDay, 29);
    // The edit takes no more than the member may hold.
    EXPECT_EQ(::SendMessageA(Item(IDC_TEXT_STR), EM_GETLIMITTEXT, 0, 0), 8);
    // Filling the controls is not the user typing: no EN_CHANGE reached the dialog.
    EXPECT_EQ(dlg.m_changes, 0);
    SetText(IDC_TEXT_STR, "改");
    EXPECT_EQ(dlg.m_changes, 1);
}

TEST_F(DataExchangeTest, SavingReadsEveryKindOfControl)
{
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    SetText(IDC_TEXT_STR, " 空格 ");
    SetText(IDC_TEXT_INT, "  +17\t");
    SetText(IDC_TEXT_UINT, "4000000000");
    SetText(IDC_TEXT_LONG, "-99999");
    SetText(IDC_TEXT_DWORD, "4294967295");
    SetText(IDC_TEXT_FLOAT, "1e3");
    ::SendMessageA(Item(IDC_CHECK), BM_SETCHECK, BST_CHECKED, 0);
    ::SendMessageA(Item(IDC_RADIO1), BM_SETCHECK, BST_UNCHECKED, 0);
    ::SendMessageA(Item(IDC_RADIO2), BM_SETCHECK, BST_CHECKED, 0);
    ::SendMessageA(Item(IDC_CB_INDEX), CB_SETCURSEL, 2, 0);
    SetText(IDC_CB_STRING, "自由文字");
    SYSTEMTIME st = {};
    st.wYear = 2030;
    st.wMonth = 1;
    st.wDay = 15;
    ::SendMessageA(Item(IDC_DATETIME), DTM_SETSYSTEMTIME, GDT_VALID, (LPARAM)&st);

    MessageBoxRecorder boxes;
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    for (const RecordedBox& box : boxes.Boxes())
        ADD_FAILURE() << box.text;
    EXPECT_STREQ(dlg.m_str, " 空格 ");
    EXPECT_EQ(dlg.m_int, 17);
    EXPECT_EQ(dlg.m_uint, 4000000000u);
    EXPECT_EQ(dlg.m_long, -99999);
    EXPECT_EQ(dlg.m_dword, 4294967295u);
    EXPECT_FLOAT_EQ(dlg.m_float, 1000.0f);
    EXPECT_EQ(dlg.m_check, 1);
    EXPECT_EQ(dlg.m_radio, 1);
    EXPECT_EQ(dlg.m_cbIndex, 2);
    EXPECT_STREQ(dlg.m_cbString, "自由文字");
    EXPECT_EQ(dlg.m_time.GetYear(), 2030);
    EXPECT_EQ(dlg.m_time.GetMonth(), 1);
    EXPECT_EQ(dlg.m_time.GetDay(), 15);

    // No radio button checked reads as -1.
    ::SendMessageA(Item(IDC_RADIO2), BM_SETCHECK, BST_UNCHECKED, 0);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.m_radio, -1);
}

struct ConversionCase {
    int id;
    const char* text;
    const char* message; // null: accepted
    std::function<bool(const CDdxDlg&)> check;
};

TEST_F(DataExchangeTest, ConversionsAcceptWholeNumbersInRangeOnly)
{
    const char* kInteger = "请键入一个整数。";
    const char* kPositive = "请键入一个正整数。";
    const char* kNumber = "请键入一个数字。";
    const ConversionCase cases[] = {
        {IDC_TEXT_INT, "42", nullptr, [](const CDdxDlg& d) { return d.m_int == 42; }},
        {IDC_TEXT_INT, "", kInteger, nullptr},
        {IDC_TEXT_INT, "abc", kInteger, nullptr},
        {IDC_TEXT_INT, "12x", kInteger, nullptr},
        {IDC_TEXT_INT, "0x10", kInteger, nullptr},
        {IDC_TEXT_INT, "1 2", kInteger, nullptr},
        // Too large for the type is a wrong number, not the largest one.
        {IDC_TEXT_INT, "99999999999", kInteger, nullptr},
        {IDC_TEXT_INT, "-7", "请填入一个在0和100之间的整数。", nullptr},
        {IDC_TEXT_INT, "101", "请填入一个在0和100之间的整数。", nullptr},
        {IDC_TEXT_UINT, "-1", kPositive, nullptr},
        {IDC_TEXT_UINT, "4294967296", kPositive, nullptr},
        {IDC_TEXT_UINT, "0", "请填入一个在1和4000000000之间的整数。", nullptr},
        {IDC_TEXT_LONG, "2147483648", kInteger, nullptr},
        {IDC_TEXT_LONG, "-100001", "请填入一个在-100000和100000之间的整数。", nullptr},
        {IDC_TEXT_DWORD, "0", nullptr, [](const CDdxDlg& d) { return d.m_dword == 0; }},
        {IDC_TEXT_DWORD, "4294967296", kPositive, nullptr},
        {IDC_TEXT_FLOAT, "-2.5", nullptr, [](const CDdxDlg& d) { return d.m_float == -2.5f; }},
        {IDC_TEXT_FLOAT, ".5", nullptr, [](const CDdxDlg& d) { return d.m_float == 0.5f; }},
        {IDC_TEXT_FLOAT, "", kNumber, nullptr},
        {IDC_TEXT_FLOAT, "1,5", kNumber, nullptr},
        {IDC_TEXT_FLOAT, "nan", kNumber, nullptr},
        {IDC_TEXT_FLOAT, "inf", kNumber, nullptr},
        {IDC_TEXT_FLOAT, "1e39", kNumber, nullptr},
        {IDC_TEXT_STR, "八个字节", nullptr, [](const CDdxDlg& d) { return d.m_str == "八个字节"; }},
        {IDC_TEXT_STR, "九个字节了", "在此字段中请不要超过8个字符。", nullptr},
    };
    for (const ConversionCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.id) + " \"" + c.text + "\"");
        dlg.m_str = "甲";
        dlg.m_int = 1;
        dlg.m_uint = 2;
        dlg.m_long = 3;
        dlg.m_dword = 4;
        dlg.m_float = 5.5f;
        ASSERT_TRUE(dlg.UpdateData(FALSE));
        ::SendMessageA(Item(IDC_TEXT_STR), EM_LIMITTEXT, 0, 0); // let the test type past the limit
        SetText(c.id, c.text);
        MessageBoxRecorder boxes;
        BOOL ok = dlg.UpdateData(TRUE);
        if (c.message == nullptr) {
            EXPECT_TRUE(ok);
            EXPECT_TRUE(boxes.Boxes().empty());
            EXPECT_TRUE(c.check(dlg));
        } else {
            EXPECT_FALSE(ok);
            ASSERT_EQ(boxes.Boxes().size(), 1u);
            EXPECT_EQ(boxes.Boxes()[0].text, c.message);
            EXPECT_EQ(boxes.Boxes()[0].type & MB_ICONMASK, (UINT)MB_ICONEXCLAMATION);
        }
    }
}

TEST_F(DataExchangeTest, FailureFocusesTheControlAndStopsThere)
{
    ShowAndActivate();
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    SetText(IDC_TEXT_STR, "新");
    SetText(IDC_TEXT_INT, "abc");
    SetText(IDC_TEXT_UINT, "9");
    SetText(IDC_TEXT_FLOAT, "7.25");
    ::SendMessageA(Item(IDC_CHECK), BM_SETCHECK, BST_CHECKED, 0);
    ::SetFocus(Item(IDC_TEXT_FLOAT));

    MessageBoxRecorder boxes;
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "请键入一个整数。");
    // The caption is the program's name; the box belongs to no window (there is no main window).
    EXPECT_EQ(boxes.Boxes()[0].caption, "framework_window_tests");

    EXPECT_EQ(::GetFocus(), Item(IDC_TEXT_INT));
    DWORD start = 0, end = 0;
    ::SendMessageA(Item(IDC_TEXT_INT), EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 3u);
    // Before the failing control: saved. The failing one and after: as they were.
    EXPECT_STREQ(dlg.m_str, "新");
    EXPECT_EQ(dlg.m_int, 1);
    EXPECT_EQ(dlg.m_uint, 2u);
    EXPECT_EQ(dlg.m_float, 5.5f);
    EXPECT_EQ(dlg.m_check, 0);
}

TEST_F(DataExchangeTest, RangeFailureKeepsTheValueAsThePlatformDoes)
{
    ShowAndActivate();
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    SetText(IDC_TEXT_INT, "150");
    SetText(IDC_TEXT_UINT, "9");
    MessageBoxRecorder boxes;
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "请填入一个在0和100之间的整数。");
    EXPECT_EQ(::GetFocus(), Item(IDC_TEXT_INT));
    // The conversion succeeded before the check failed, so the member holds the number typed.
    EXPECT_EQ(dlg.m_int, 150);
    EXPECT_EQ(dlg.m_uint, 2u);
}

TEST_F(DataExchangeTest, OkStaysOpenUntilTheValuesPass)
{
    SetText(IDC_TEXT_INT, "x");
    MessageBoxRecorder boxes;
    ClickButton(&dlg, IDOK);
    EXPECT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_NE(dlg.m_hWnd, nullptr);
    EXPECT_TRUE(dlg.ContinueModal()) << "a modeless dialog is never ended by a failed OK";
}

TEST(DataExchange, UnknownControlFailsTheExchangeWithoutAMessage)
{
    class CMissingDlg : public CDialog {
    public:
        CMissingDlg() : CDialog(IDD_SIMPLE) {}
        CString m_value;
        void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, 4999, m_value); }
    } dlg;
    MessageBoxRecorder boxes;
    ModalDriver driver([](CWnd* w) { ((CDialog*)w)->EndDialog(IDOK); });
    // OnInitDialog's UpdateData fails, which ends the dialog at once.
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_TRUE(boxes.Boxes().empty());
}

} // namespace
