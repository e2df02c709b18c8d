// A form view hosted directly in a dialog: its template's controls scroll under its client area,
// the scroll bars follow the scroll size, and the view deletes itself with its window.
#include <afxwin.h>
#include <afxext.h>

#include <gtest/gtest.h>

#include "tests/framework/windows/WindowTestIds.h"
#include "tests/framework/windows/WindowTestSupport.h"

namespace {

bool formDeleted = false;

class CTestForm : public CFormView {
public:
    CTestForm() : CFormView(IDD_FORM) {}
    ~CTestForm() override { formDeleted = true; }
    CString m_value = "表单";

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_FORM_EDIT, m_value); }
};

class FormViewTest : public testing::Test {
protected:
    void SetUp() override
    {
        formDeleted = false;
        ASSERT_TRUE(host.Create(IDD_HOST));
        view = new CTestForm;
        ASSERT_TRUE(
            view->Create(nullptr, nullptr, WS_CHILD | WS_BORDER, CRect(0, 0, 0, 0), &host, AFX_IDW_PANE_FIRST + 1));
        view->OnInitialUpdate();
        CRect client;
        host.GetClientRect(&client);
        view->MoveWindow(&client);
        view->ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        if (host.m_hWnd != nullptr)
            host.DestroyWindow();
    }

    // The edit's top-left corner in the view's client coordinates.
    CPoint EditPosition()
    {
        CRect rect;
        ::GetWindowRect(::GetDlgItem(view->m_hWnd, IDC_FORM_EDIT), &rect);
        view->ScreenToClient(&rect);
        return rect.TopLeft();
    }

    void CheckScrolling();

    CDialog host;
    CTestForm* view = nullptr;
};

TEST_F(FormViewTest, IsAChildOfTheDialogWithItsControlsFilled)
{
    EXPECT_EQ(::GetParent(view->m_hWnd), host.m_hWnd);
    EXPECT_EQ(view->GetDlgCtrlID(), AFX_IDW_PANE_FIRST + 1);
    EXPECT_TRUE(view->GetStyle() & WS_BORDER);
    EXPECT_EQ(WindowText(::GetDlgItem(view->m_hWnd, IDC_FORM_EDIT)), "表单");
    EXPECT_EQ(host.GetDlgItem(AFX_IDW_PANE_FIRST + 1), view);
}

// The same whether the platform scrolls the shown window or the view moves its children itself.
void FormViewTest::CheckScrolling()
{
    // The template is larger than the dialog: both bars are there.
    EXPECT_TRUE(view->GetStyle() & WS_VSCROLL);
    EXPECT_TRUE(view->GetStyle() & WS_HSCROLL);
    CSize total = view->GetTotalSize();
    CRect client;
    view->GetClientRect(&client);
    EXPECT_GT(total.cy, client.Height());

    CPoint before = EditPosition();
    view->ScrollToPosition(CPoint(0, 100));
    EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 100));
    EXPECT_EQ(EditPosition(), before - CSize(0, 100));

    // Past the end stops at the end: the bottom of the contents meets the bottom of the view.
    view->ScrollToPosition(CPoint(0, 100000));
    EXPECT_EQ(view->GetScrollPosition().y, total.cy - client.Height());

    // A line down from the top moves by the line size.
    view->ScrollToPosition(CPoint(0, 0));
    view->SendMessage(WM_VSCROLL, SB_LINEDOWN);
    int nMapMode = 0;
    SIZE sizeTotal, sizePage, sizeLine;
    view->GetDeviceScrollSizes(nMapMode, sizeTotal, sizePage, sizeLine);
    EXPECT_EQ(nMapMode, MM_TEXT);
    EXPECT_EQ(view->GetScrollPosition().y, sizeLine.cy);
    EXPECT_EQ(EditPosition(), before - CSize(0, sizeLine.cy));
}

TEST_F(FormViewTest, ScrollsItsControlsWhileHidden)
{
    CheckScrolling();
}

TEST_F(FormViewTest, ScrollsItsControlsWhenShown)
{
    host.ShowWindow(SW_SHOW);
    host.UpdateWindow();
    CheckScrolling();
}

TEST_F(FormViewTest, SmallerScrollSizeRemovesTheBarsAndScrollsBack)
{
    CPoint before = EditPosition();
    view->ScrollToPosition(CPoint(30, 60));
    view->SetScrollSizes(MM_TEXT, CSize(20, 20));
    EXPECT_FALSE(view->GetStyle() & WS_VSCROLL);
    EXPECT_FALSE(view->GetStyle() & WS_HSCROLL);
    EXPECT_EQ(view->GetScrollPosition(), CPoint(0, 0));
    EXPECT_EQ(EditPosition(), before);
}

TEST_F(FormViewTest, DeletesItselfWithTheDialog)
{
    host.DestroyWindow();
    EXPECT_TRUE(formDeleted);
}

} // namespace
