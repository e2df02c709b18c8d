// Modal and modeless dialogs from resource templates: the codes DoModal returns, the ends of its
// loop, the parent disabled meanwhile, nested loops and the temporary objects that live across them.
#include <afxwin.h>

#include <gtest/gtest.h>

#include "tests/framework/windows/WindowTestIds.h"
#include "tests/framework/windows/WindowTestSupport.h"

namespace {

class CSimpleDlg : public CDialog {
public:
    explicit CSimpleDlg(CWnd* pParent = nullptr) : CDialog(IDD_SIMPLE, pParent) {}

    CString m_text = "初始";
    int m_initCalls = 0;
    int m_endInInit = 0; // when not 0, OnInitDialog ends the dialog with it

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_EDIT1, m_text); }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        ++m_initCalls;
        if (m_endInInit != 0)
            EndDialog(m_endInInit);
        return TRUE;
    }
    afx_msg void OnDestroyClicked() { DestroyWindow(); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSimpleDlg, CDialog)
ON_BN_CLICKED(IDC_DESTROY, &CSimpleDlg::OnDestroyClicked)
END_MESSAGE_MAP()

struct ModalCase {
    const char* name;
    std::function<void(CWnd*)> action;
    INT_PTR expectedResult;
    const char* expectedText; // m_text afterwards
};

TEST(DoModal, ReturnsTheEndCodeAndReadsTheControlsOnlyOnOk)
{
    const ModalCase cases[] = {
        {"EndDialog from outside", [](CWnd* w) { ((CDialog*)w)->EndDialog(42); }, 42, "初始"},
        {"OK reads the edit",
         [](CWnd* w) {
             w->SetDlgItemText(IDC_EDIT1, "新的文字");
             ClickButton(w, IDOK);
         },
         IDOK, "新的文字"},
        {"Cancel leaves the member",
         [](CWnd* w) {
             w->SetDlgItemText(IDC_EDIT1, "丢弃");
             ClickButton(w, IDCANCEL);
         },
         IDCANCEL, "初始"},
        {"closing is Cancel", [](CWnd* w) { w->SendMessage(WM_CLOSE); }, IDCANCEL, "初始"},
        {"destroyed by its own handler", [](CWnd* w) { ClickButton(w, IDC_DESTROY); }, -1, "初始"},
        {"destroyed from outside", [](CWnd* w) { ::DestroyWindow(w->m_hWnd); }, -1, "初始"},
    };
    for (const ModalCase& c : cases) {
        SCOPED_TRACE(c.name);
        CSimpleDlg dlg;
        bool shownAndFilled = false;
        ModalDriver driver([&](CWnd* w) {
            shownAndFilled =
                w == &dlg && w->IsWindowVisible() && WindowText(::GetDlgItem(w->m_hWnd, IDC_EDIT1)) == "初始";
            c.action(w);
        });
        EXPECT_EQ(dlg.DoModal(), c.expectedResult);
        EXPECT_TRUE(shownAndFilled) << "the dialog was not up and filled when the loop went idle";
        EXPECT_EQ(dlg.m_initCalls, 1);
        EXPECT_STREQ(dlg.m_text, c.expectedText);
        EXPECT_EQ(dlg.m_hWnd, nullptr);
    }
}

TEST(DoModal, EndedDuringInitialisationNeverLoops)
{
    CSimpleDlg dlg;
    dlg.m_endInInit = 7;
    ModalDriver driver([](CWnd* w) { ((CDialog*)w)->EndDialog(99); });
    EXPECT_EQ(dlg.DoModal(), 7);
    EXPECT_EQ(driver.Calls(), 0);
}

TEST(DoModal, MissingTemplateIsMinusOne)
{
    CDialog dlg(4242u);
    ModalDriver driver([](CWnd* w) { ((CDialog*)w)->EndDialog(1); });
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(driver.Calls(), 0);
}

TEST(DoModal, DisablesTheParentWhileItRuns)
{
    CSimpleDlg parent;
    ASSERT_TRUE(parent.Create(IDD_SIMPLE));
    parent.ShowWindow(SW_SHOW);
    CSimpleDlg dlg(&parent);
    bool parentEnabledDuring = true;
    HWND ownerDuring = nullptr;
    ModalDriver driver([&](CWnd* w) {
        parentEnabledDuring = parent.IsWindowEnabled();
        ownerDuring = ::GetWindow(w->m_hWnd, GW_OWNER);
        ((CDialog*)w)->EndDialog(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(parentEnabledDuring);
    EXPECT_EQ(ownerDuring, parent.m_hWnd);
    EXPECT_TRUE(parent.IsWindowEnabled());
    parent.DestroyWindow();
}

// A dialog whose button runs a second modal dialog and then uses a wrapper it took before.
class COuterDlg : public CSimpleDlg {
public:
    INT_PTR m_innerResult = 0;
    bool m_wrapperIntact = false;

protected:
    afx_msg void OnRunInner()
    {
        CWnd* pEdit = GetDlgItem(IDC_EDIT1); // a temporary wrapper: the edit belongs to no object
        HWND hEdit = pEdit->m_hWnd;
        CSimpleDlg inner(this);
        m_innerResult = inner.DoModal();
        // The inner loop went idle many times; the wrapper of the outer handler must still be there.
        m_wrapperIntact = pEdit->m_hWnd == hEdit;
        pEdit->SetWindowText("回来了");
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COuterDlg, CSimpleDlg)
ON_BN_CLICKED(IDC_DESTROY, &COuterDlg::OnRunInner)
END_MESSAGE_MAP()

TEST(DoModal, NestedLoopsEachEndWithTheirOwnCode)
{
    COuterDlg outer;
    std::vector<HWND> seen;
    ModalDriver driver([&](CWnd* w) {
        if (std::find(seen.begin(), seen.end(), w->m_hWnd) != seen.end())
            return;
        seen.push_back(w->m_hWnd);
        if (w != &outer) {
            ((CDialog*)w)->EndDialog(11);
            return;
        }
        ClickButton(w, IDC_DESTROY); // runs the inner dialog inside the handler
        ((CDialog*)w)->EndDialog(22);
    });
    EXPECT_EQ(outer.DoModal(), 22);
    EXPECT_EQ(outer.m_innerResult, 11);
    EXPECT_TRUE(outer.m_wrapperIntact);
    EXPECT_EQ(seen.size(), 2u);
}

TEST(ModelessDialog, ChildPageLivesInsideItsParent)
{
    CSimpleDlg parent;
    ASSERT_TRUE(parent.Create(IDD_SIMPLE));
    CDialog page;
    ASSERT_TRUE(page.Create(IDD_CHILD, &parent));
    EXPECT_EQ(::GetParent(page.m_hWnd), parent.m_hWnd);
    EXPECT_TRUE(page.GetStyle() & WS_CHILD);
    EXPECT_NE(page.GetDlgItem(IDC_CHILD_EDIT), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(page.m_hWnd), &page);
    // A page's Enter must not end anything: EndDialog on a modeless dialog only hides it.
    page.ShowWindow(SW_SHOW);
    page.EndDialog(IDOK);
    EXPECT_NE(page.m_hWnd, nullptr);
    parent.DestroyWindow();
    // Destroying the parent destroyed the page and detached its object.
    EXPECT_EQ(page.m_hWnd, nullptr);
}

} // namespace
