// Modal loops seen from outside: a window ends the loops that run inside its own, innermost first,
// and a message held until they (and the system's modal windows) have returned.
#include <afxwin.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/framework/windows/WindowTestIds.h"
#include "tests/framework/windows/WindowTestSupport.h"

namespace {

const UINT WM_TEST_EXIT = WM_APP + 41;

std::vector<std::string> g_events;

// A dialog whose loop's end is recorded under its name.
class CNamedDlg : public CDialog {
public:
    CNamedDlg(const char* name, CWnd* parent) : CDialog(IDD_SIMPLE, parent), m_name(name) {}
    void EndModalLoop(int nResult) override
    {
        g_events.push_back(m_name + " ended " + std::to_string(nResult));
        CDialog::EndModalLoop(nResult);
    }
    std::string m_name;
};

// The outermost dialog: its exit ends the dialogs inside it first and goes on once they returned.
class COuterDlg : public CNamedDlg {
public:
    COuterDlg() : CNamedDlg("outer", nullptr) {}

protected:
    afx_msg LRESULT OnTestExit(WPARAM, LPARAM)
    {
        int ended = AfxEndModalLoopsInside(this, IDCANCEL);
        if (AfxPostAfterModalLoops(this, WM_TEST_EXIT, 0, 0)) {
            g_events.push_back("exit held after ending " + std::to_string(ended));
            return 0;
        }
        g_events.push_back("exit runs");
        EndDialog(IDOK);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COuterDlg, CNamedDlg)
ON_MESSAGE(WM_TEST_EXIT, &COuterDlg::OnTestExit)
END_MESSAGE_MAP()

int PumpingMessageBox(HWND, LPCSTR, LPCSTR, UINT)
{
    // A message box's own loop dispatches what arrives meanwhile.
    g_events.push_back("box shown");
    PumpFrameworkMessages();
    g_events.push_back("box closed");
    return IDOK;
}

} // namespace

TEST(ModalLoops, AnOuterWindowEndsTheInnerLoopsInnermostFirstThenGoesOn)
{
    g_events.clear();
    COuterDlg outer;
    INT_PTR middleResult = 0, innerResult = 0;
    bool started = false, innerAgain = false;
    CNamedDlg* innerDialog = nullptr;
    ModalDriver driver([&](CWnd* modal) {
        if (modal == &outer && !started) {
            started = true;
            CNamedDlg middle("middle", &outer);
            middleResult = middle.DoModal();
            return;
        }
        if (modal == innerDialog) {
            innerAgain = true;
            return;
        }
        if (dynamic_cast<CNamedDlg*>(modal) != nullptr && innerDialog == nullptr) {
            CNamedDlg inner("inner", modal);
            innerDialog = &inner;
            outer.PostMessage(WM_TEST_EXIT);
            innerResult = inner.DoModal();
            innerDialog = nullptr;
        }
    });
    EXPECT_EQ(IDOK, outer.DoModal());
    EXPECT_EQ(IDCANCEL, innerResult);
    EXPECT_EQ(IDCANCEL, middleResult);
    EXPECT_FALSE(innerAgain) << "the inner loop ended at once";
    EXPECT_EQ(std::vector<std::string>(
                  {"inner ended 2", "middle ended 2", "exit held after ending 2", "exit runs", "outer ended 1"}),
              g_events);
}

TEST(ModalLoops, AMessageIsHeldWhileASystemMessageBoxRuns)
{
    g_events.clear();
    COuterDlg outer;
    bool started = false;
    Seams::MessageBoxFunc previous = Seams::ReplaceMessageBox(PumpingMessageBox);
    ModalDriver driver([&](CWnd* modal) {
        if (modal != &outer || started)
            return;
        started = true;
        outer.PostMessage(WM_TEST_EXIT);
        AfxMessageBox("?");
    });
    EXPECT_EQ(IDOK, outer.DoModal());
    Seams::ReplaceMessageBox(previous);
    EXPECT_EQ(
        std::vector<std::string>({"box shown", "exit held after ending 0", "box closed", "exit runs", "outer ended 1"}),
        g_events);
}

TEST(ModalLoops, NothingInsideMeansNothingHeld)
{
    g_events.clear();
    COuterDlg outer;
    bool started = false;
    ModalDriver driver([&](CWnd* modal) {
        if (modal == &outer && !started) {
            started = true;
            outer.PostMessage(WM_TEST_EXIT);
        }
    });
    EXPECT_EQ(IDOK, outer.DoModal());
    EXPECT_EQ(std::vector<std::string>({"exit runs", "outer ended 1"}), g_events);
}
