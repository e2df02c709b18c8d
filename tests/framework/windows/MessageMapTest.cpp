// Message maps: each family of entries reaches its handler with its parameters cracked, derived
// maps win over their bases, notifications are reflected to the controls that want them, and a
// window may destroy (and delete) itself inside its own handler.
#include <afxwin.h>
#include <afxcmn.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/framework/windows/WindowTestIds.h"
#include "tests/framework/windows/WindowTestSupport.h"

namespace {

std::vector<std::string> calls;

void Record(const std::string& what)
{
    calls.push_back(what);
}

const UINT WM_TEST_PRIVATE = WM_APP + 1;
const UINT WM_TEST_REGISTERED = ::RegisterWindowMessageA("FrameworkWindowTestRegistered");

// Handles its clicks itself: the parent never hears of them.
class CReflectButton : public CButton {
protected:
    afx_msg void OnClicked() { Record("child clicked"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectButton, CButton)
ON_CONTROL_REFLECT(BN_CLICKED, &CReflectButton::OnClicked)
END_MESSAGE_MAP()

// Sees its clicks first and lets the parent have them too.
class CReflectExButton : public CButton {
protected:
    afx_msg BOOL OnClicked()
    {
        Record("child ex clicked");
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectExButton, CButton)
ON_CONTROL_REFLECT_EX(BN_CLICKED, &CReflectExButton::OnClicked)
END_MESSAGE_MAP()

// Colours itself through the reflected WM_CTLCOLOR.
class CColorLabel : public CStatic {
public:
    CBrush m_brush{RGB(0, 0, 128)};

protected:
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor)
    {
        Record("label colour " + std::to_string(nCtlColor));
        pDC->SetTextColor(RGB(255, 0, 0));
        return m_brush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColorLabel, CStatic)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CNotifyList : public CListCtrl {
protected:
    afx_msg void OnRightClick(NMHDR*, LRESULT* pResult)
    {
        Record("list right click");
        *pResult = 5;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNotifyList, CListCtrl)
ON_NOTIFY_REFLECT(NM_RCLICK, &CNotifyList::OnRightClick)
END_MESSAGE_MAP()

class CMapsDlg : public CDialog {
public:
    CMapsDlg() : CDialog(IDD_MAPS) {}

    CReflectButton m_reflect;
    CReflectExButton m_reflectEx;
    CColorLabel m_label;
    CNotifyList m_list;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_REFLECT, m_reflect);
        DDX_Control(pDX, IDC_REFLECT_EX, m_reflectEx);
        DDX_Control(pDX, IDC_COLOR_LABEL, m_label);
        DDX_Control(pDX, IDC_LIST1, m_list);
    }
    afx_msg void OnButton1() { Record("button1"); }
    afx_msg void OnEditChange() { Record("edit change"); }
    afx_msg void OnComboSelChange() { Record("combo selchange"); }
    afx_msg void OnOpen() { Record("command open"); }
    afx_msg void OnRange(UINT nID) { Record("range " + std::to_string(nID)); }
    afx_msg void OnReflectClicked() { Record("parent reflect clicked"); }
    afx_msg void OnReflectExClicked() { Record("parent ex clicked"); }
    afx_msg void OnListClick(NMHDR* pNMHDR, LRESULT* pResult)
    {
        Record("list click " + std::to_string(pNMHDR->idFrom));
        *pResult = 3;
    }
    afx_msg void OnListRightClick(NMHDR*, LRESULT*) { Record("parent list right click"); }
    afx_msg void OnNotifyRange(UINT nID, NMHDR*, LRESULT*) { Record("notify range " + std::to_string(nID)); }
    afx_msg LRESULT OnPrivate(WPARAM wParam, LPARAM lParam)
    {
        Record("private " + std::to_string(wParam) + " " + std::to_string(lParam));
        return 77;
    }
    afx_msg LRESULT OnRegistered(WPARAM wParam, LPARAM)
    {
        Record("registered " + std::to_string(wParam));
        return 88;
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent) { Record("timer " + std::to_string(nIDEvent)); }
    afx_msg void OnSize(UINT, int cx, int cy) { Record("size " + std::to_string(cx) + "x" + std::to_string(cy)); }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point)
    {
        Record("lbuttondown " + std::to_string(nFlags) + " " + std::to_string(point.x) + "," + std::to_string(point.y));
    }
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        Record("keydown " + std::to_string(nChar) + " " + std::to_string(nRepCnt) + " " + std::to_string(nFlags));
    }
    afx_msg BOOL OnCopyData(CWnd* pWnd, COPYDATASTRUCT* pCopyData)
    {
        Record("copydata " + std::string((const char*)pCopyData->lpData, pCopyData->cbData) +
               (pWnd != nullptr ? " from window" : ""));
        return TRUE;
    }
    afx_msg void OnSysCommand(UINT nID, LPARAM) { Record("syscommand " + std::to_string(nID)); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMapsDlg, CDialog)
ON_BN_CLICKED(IDC_BUTTON1, &CMapsDlg::OnButton1)
ON_EN_CHANGE(IDC_EDIT1, &CMapsDlg::OnEditChange)
ON_CBN_SELCHANGE(IDC_COMBO1, &CMapsDlg::OnComboSelChange)
ON_COMMAND(ID_CMD_OPEN, &CMapsDlg::OnOpen)
ON_COMMAND_RANGE(IDC_RANGE_FIRST, IDC_RANGE_LAST, &CMapsDlg::OnRange)
ON_BN_CLICKED(IDC_REFLECT, &CMapsDlg::OnReflectClicked)
ON_BN_CLICKED(IDC_REFLECT_EX, &CMapsDlg::OnReflectExClicked)
ON_NOTIFY(NM_CLICK, IDC_LIST1, &CMapsDlg::OnListClick)
ON_NOTIFY(NM_RCLICK, IDC_LIST1, &CMapsDlg::OnListRightClick)
ON_NOTIFY_RANGE(NM_DBLCLK, IDC_EDIT1, IDC_LIST1, &CMapsDlg::OnNotifyRange)
ON_MESSAGE(WM_TEST_PRIVATE, &CMapsDlg::OnPrivate)
ON_REGISTERED_MESSAGE(WM_TEST_REGISTERED, &CMapsDlg::OnRegistered)
ON_WM_TIMER()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_KEYDOWN()
ON_WM_COPYDATA()
ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

// A derived map: its entry for button 1 wins; everything else comes from the base.
class CDerivedMapsDlg : public CMapsDlg {
protected:
    afx_msg void OnButton1Derived() { Record("derived button1"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedMapsDlg, CMapsDlg)
ON_BN_CLICKED(IDC_BUTTON1, &CDerivedMapsDlg::OnButton1Derived)
END_MESSAGE_MAP()

NMHDR NotifyHeader(CWnd* dlg, int id, UINT code)
{
    NMHDR hdr = {};
    hdr.hwndFrom = ::GetDlgItem(dlg->m_hWnd, id);
    hdr.idFrom = id;
    hdr.code = code;
    return hdr;
}

struct DispatchCase {
    const char* name;
    std::function<LRESULT(CMapsDlg&)> send;
    std::vector<std::string> expectedCalls;
    LRESULT expectedResult; // -1: not checked
};

class MessageMapTest : public testing::Test {
protected:
    void SetUp() override
    {
        calls.clear();
        ASSERT_TRUE(dlg.Create(IDD_MAPS));
        calls.clear();
    }
    void TearDown() override { dlg.DestroyWindow(); }
    CMapsDlg dlg;
};

TEST_F(MessageMapTest, EachFamilyReachesItsHandler)
{
    static COPYDATASTRUCT copyData = {0, 5, (void*)"hello"};
    const DispatchCase cases[] = {
        {"button click", [](CMapsDlg& d) { return d.GetDlgItem(IDC_BUTTON1)->SendMessage(BM_CLICK); }, {"button1"}, -1},
        {"edit change",
         [](CMapsDlg& d) {
             d.SetDlgItemText(IDC_EDIT1, "x");
             return (LRESULT)0;
         },
         {"edit change"},
         -1},
        {"combo selection",
         [](CMapsDlg& d) {
             return d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_COMBO1, CBN_SELCHANGE),
                                  (LPARAM)::GetDlgItem(d.m_hWnd, IDC_COMBO1));
         },
         {"combo selchange"},
         1},
        {"menu command", [](CMapsDlg& d) { return d.SendMessage(WM_COMMAND, ID_CMD_OPEN, 0); }, {"command open"}, 1},
        {"unmapped command", [](CMapsDlg& d) { return d.SendMessage(WM_COMMAND, ID_CMD_SAVE, 0); }, {}, -1},
        {"command range by button",
         [](CMapsDlg& d) { return d.GetDlgItem(1011)->SendMessage(BM_CLICK); },
         {"range 1011"},
         -1},
        {"command range by menu",
         [](CMapsDlg& d) { return d.SendMessage(WM_COMMAND, IDC_RANGE_LAST, 0); },
         {"range 1012"},
         1},
        {"notification",
         [](CMapsDlg& d) {
             NMHDR hdr = NotifyHeader(&d, IDC_LIST1, NM_CLICK);
             return d.SendMessage(WM_NOTIFY, IDC_LIST1, (LPARAM)&hdr);
         },
         {"list click 1005"},
         3},
        {"notification range",
         [](CMapsDlg& d) {
             NMHDR hdr = NotifyHeader(&d, IDC_BUTTON1, NM_DBLCLK);
             return d.SendMessage(WM_NOTIFY, IDC_BUTTON1, (LPARAM)&hdr);
         },
         {"notify range 1003"},
         -1},
        {"private message", [](CMapsDlg& d) { return d.SendMessage(WM_TEST_PRIVATE, 4, -9); }, {"private 4 -9"}, 77},
        {"registered message", [](CMapsDlg& d) { return d.SendMessage(WM_TEST_REGISTERED, 6); }, {"registered 6"}, 88},
        {"timer", [](CMapsDlg& d) { return d.SendMessage(WM_TIMER, 7); }, {"timer 7"}, -1},
        {"size",
         [](CMapsDlg& d) { return d.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(123, 45)); },
         {"size 123x45"},
         -1},
        {"mouse with negative coordinates",
         [](CMapsDlg& d) { return d.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-5, 12)); },
         {"lbuttondown 1 -5,12"},
         -1},
        {"key",
         [](CMapsDlg& d) { return d.SendMessage(WM_KEYDOWN, 'A', MAKELPARAM(2, 0x1E)); },
         {"keydown 65 2 30"},
         -1},
        {"copy data",
         [](CMapsDlg& d) { return d.SendMessage(WM_COPYDATA, (WPARAM)d.m_hWnd, (LPARAM)&copyData); },
         {"copydata hello from window"},
         1},
        {"system command", [](CMapsDlg& d) { return d.SendMessage(WM_SYSCOMMAND, 16, 0); }, {"syscommand 16"}, -1},
    };
    for (const DispatchCase& c : cases) {
        SCOPED_TRACE(c.name);
        calls.clear();
        LRESULT result = c.send(dlg);
        EXPECT_EQ(calls, c.expectedCalls);
        if (c.expectedResult != -1) {
            EXPECT_EQ(result, c.expectedResult);
        }
    }
}

TEST_F(MessageMapTest, NotificationsAreReflectedToTheControlsThatWantThem)
{
    dlg.GetDlgItem(IDC_REFLECT)->SendMessage(BM_CLICK);
    EXPECT_EQ(calls, std::vector<std::string>({"child clicked"}));

    calls.clear();
    dlg.GetDlgItem(IDC_REFLECT_EX)->SendMessage(BM_CLICK);
    EXPECT_EQ(calls, std::vector<std::string>({"child ex clicked", "parent ex clicked"}));

    calls.clear();
    NMHDR hdr = NotifyHeader(&dlg, IDC_LIST1, NM_RCLICK);
    EXPECT_EQ(dlg.SendMessage(WM_NOTIFY, IDC_LIST1, (LPARAM)&hdr), 5);
    EXPECT_EQ(calls, std::vector<std::string>({"list right click"}));

    // The label's colour comes from the label; another static gets the dialog's.
    calls.clear();
    HDC hdc = ::GetDC(dlg.m_hWnd);
    LRESULT brush = dlg.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hdc, (LPARAM)dlg.m_label.m_hWnd);
    EXPECT_EQ((HBRUSH)brush, (HBRUSH)dlg.m_label.m_brush);
    EXPECT_EQ(::GetTextColor(hdc), RGB(255, 0, 0));
    EXPECT_EQ(calls, std::vector<std::string>({"label colour " + std::to_string(CTLCOLOR_STATIC)}));
    ::SetTextColor(hdc, RGB(0, 0, 0));
    calls.clear();
    brush = dlg.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hdc, (LPARAM)::GetDlgItem(dlg.m_hWnd, IDC_EDIT1));
    EXPECT_NE((HBRUSH)brush, (HBRUSH)dlg.m_label.m_brush);
    EXPECT_TRUE(calls.empty());
    ::ReleaseDC(dlg.m_hWnd, hdc);
}

TEST(MessageMap, DerivedEntriesWinAndBaseEntriesStay)
{
    CDerivedMapsDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_MAPS));
    calls.clear();
    dlg.GetDlgItem(IDC_BUTTON1)->SendMessage(BM_CLICK);
    dlg.SendMessage(WM_TIMER, 3);
    EXPECT_EQ(calls, std::vector<std::string>({"derived button1", "timer 3"}));
    dlg.DestroyWindow();
}

// An owner-drawn button draws itself through the parent's WM_DRAWITEM.
class COwnerDrawButton : public CButton {
public:
    int m_draws = 0;
    UINT m_lastCtlType = 0;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override
    {
        ++m_draws;
        m_lastCtlType = lpDrawItemStruct->CtlType;
        ::FillRect(lpDrawItemStruct->hDC, &lpDrawItemStruct->rcItem, (HBRUSH)::GetStockObject(BLACK_BRUSH));
    }
};

TEST(MessageMap, OwnerDrawnControlDrawsItself)
{
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_MAPS));
    COwnerDrawButton button;
    ASSERT_TRUE(button.Create("", WS_VISIBLE | BS_OWNERDRAW, CRect(150, 150, 190, 170), &dlg, 2001));
    dlg.ShowWindow(SW_SHOW);
    dlg.UpdateWindow();
    button.UpdateWindow();
    EXPECT_GE(button.m_draws, 1);
    EXPECT_EQ(button.m_lastCtlType, (UINT)ODT_BUTTON);
    dlg.DestroyWindow();
    EXPECT_EQ(button.m_hWnd, nullptr);
}

// A window that destroys itself in its own handler and deletes itself afterwards. Its memory is
// made unreadable when it is deleted, so any later touch by the framework crashes the test.
class CSelfDestroying : public CWnd {
public:
    static void* operator new(size_t size)
    {
        void* p = ::VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (p == nullptr)
            throw std::bad_alloc();
        return p;
    }
    static void operator delete(void* p, size_t size)
    {
        DWORD old = 0;
        ::VirtualProtect(p, size, PAGE_NOACCESS, &old);
        ++deleted;
    }
    static int deleted;

protected:
    afx_msg void OnLButtonDown(UINT, CPoint) { DestroyWindow(); }
    afx_msg void OnClose() { DestroyWindow(); }
    void PostNcDestroy() override { delete this; }
    DECLARE_MESSAGE_MAP()
};

int CSelfDestroying::deleted = 0;

BEGIN_MESSAGE_MAP(CSelfDestroying, CWnd)
ON_WM_LBUTTONDOWN()
ON_WM_CLOSE()
END_MESSAGE_MAP()

TEST(MessageMap, WindowDestroyedInItsOwnHandlerIsNotTouchedAfterwards)
{
    for (UINT message : {WM_LBUTTONDOWN, WM_CLOSE}) {
        CSelfDestroying::deleted = 0;
        CSelfDestroying* wnd = new CSelfDestroying;
        ASSERT_TRUE(wnd->CreateEx(0, nullptr, "self", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
        HWND hWnd = wnd->m_hWnd;
        ::SendMessageA(hWnd, message, 0, 0);
        EXPECT_EQ(CSelfDestroying::deleted, 1);
        EXPECT_FALSE(::IsWindow(hWnd));
        EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    }
    // Also from a posted message taken by the framework's pump.
    CSelfDestroying::deleted = 0;
    CSelfDestroying* wnd = new CSelfDestroying;
    ASSERT_TRUE(wnd->CreateEx(0, nullptr, "self", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    wnd->PostMessage(WM_LBUTTONDOWN);
    PumpFrameworkMessages();
    EXPECT_EQ(CSelfDestroying::deleted, 1);
}

} // namespace
