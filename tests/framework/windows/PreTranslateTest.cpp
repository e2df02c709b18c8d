// PreTranslateMessage runs from the innermost window outwards: a key in an edit of a child dialog
// reaches the child dialog (and its IsDialogMessage) before the parent.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/framework/windows/WindowTestIds.h"
#include "tests/framework/windows/WindowTestSupport.h"

namespace {

std::vector<std::string> seen;

std::string Describe(const char* who, const MSG* pMsg)
{
    return std::string(who) + " " + std::to_string(pMsg->message) + " " + std::to_string(pMsg->wParam);
}

class CRecordingParent : public CDialog {
public:
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_CHAR)
            seen.push_back(Describe("parent", pMsg));
        return CDialog::PreTranslateMessage(pMsg);
    }
};

// Lets F5 go on to its parent without the dialog keyboard; everything else takes the dialog's course.
class CRecordingChild : public CDialog {
public:
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_CHAR)
            seen.push_back(Describe("child", pMsg));
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F5)
            return FALSE;
        return CDialog::PreTranslateMessage(pMsg);
    }
};

class PreTranslateTest : public testing::Test {
protected:
    void SetUp() override
    {
        seen.clear();
        ASSERT_TRUE(parent.Create(IDD_PARENT));
        ASSERT_TRUE(child.Create(IDD_CHILD, &parent));
        CRect area;
        parent.GetDlgItem(IDC_CHILD_AREA)->GetWindowRect(&area);
        parent.ScreenToClient(&area);
        child.MoveWindow(&area);
        child.ShowWindow(SW_SHOW);
        edit = ::GetDlgItem(child.m_hWnd, IDC_CHILD_EDIT);
    }
    void TearDown() override { parent.DestroyWindow(); }

    CRecordingParent parent;
    CRecordingChild child;
    HWND edit = nullptr;
};

TEST_F(PreTranslateTest, KeyInChildEditReachesTheChildFirst)
{
    ::PostMessageA(edit, WM_KEYDOWN, VK_F5, 0);
    PumpFrameworkMessages();
    MSG key = {edit, WM_KEYDOWN, VK_F5, 0, 0, {}};
    EXPECT_EQ(seen, std::vector<std::string>({Describe("child", &key), Describe("parent", &key)}));
}

TEST_F(PreTranslateTest, ChildDialogKeyboardTakesTheKeyBeforeTheParentSeesIt)
{
    ::PostMessageA(edit, WM_CHAR, 'a', 0);
    PumpFrameworkMessages();
    // The child's IsDialogMessage dispatched it to the edit; the parent never saw it.
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].rfind("child", 0), 0u);
    EXPECT_EQ(WindowText(edit), "a");
}

TEST_F(PreTranslateTest, KeyOfTheParentsOwnControlSkipsTheChild)
{
    HWND parentEdit = ::GetDlgItem(parent.m_hWnd, IDC_EDIT1);
    ::PostMessageA(parentEdit, WM_CHAR, 'b', 0);
    PumpFrameworkMessages();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].rfind("parent", 0), 0u);
    EXPECT_EQ(WindowText(parentEdit), "b");
}

} // namespace
