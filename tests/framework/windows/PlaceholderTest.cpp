// A dialog whose template holds an ActiveX control that is not registered still opens, with a
// placeholder window of the control's class identifier in its place.
#include <afxwin.h>
#include <afxdisp.h>

#include <gtest/gtest.h>

#include "tests/framework/windows/WindowTestIds.h"
#include "tests/framework/windows/WindowTestSupport.h"

namespace {

const char kRemoteParamsClsid[] = "{6A1D3C52-8E47-4F0B-A3D9-5C21E8B07F64}";

// As the station wraps its remote-configuration control.
class CRemoteParams : public CWnd {
public:
    long ShowParams(LPCSTR server, short port)
    {
        long result = 12345;
        static const BYTE parms[] = VTS_BSTR VTS_I2;
        InvokeHelper(0x1, DISPATCH_METHOD, VT_I4, &result, parms, server, port);
        return result;
    }
};

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

class CActiveXDlg : public CDialog {
public:
    CActiveXDlg() : CDialog(IDD_ACTIVEX) {}
    CRemoteParams m_params;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_REMOTE_PARAMS, m_params); }
};

TEST(ActiveXPlaceholder, DialogOpensWithThePlaceholderInTheControlsPlace)
{
    AfxEnableControlContainer();
    CActiveXDlg dlg;
    bool checked = false;
    ModalDriver driver([&](CWnd* w) {
        HWND hCtrl = ::GetDlgItem(w->m_hWnd, IDC_REMOTE_PARAMS);
        ASSERT_NE(hCtrl, nullptr);
        EXPECT_EQ(ClassName(hCtrl), kRemoteParamsClsid);
        EXPECT_TRUE(AfxIsControlPlaceholder(hCtrl));
        EXPECT_TRUE(::IsWindowVisible(hCtrl));
        // Where and as large as the template says.
        CRect expected(10, 10, 130, 70);
        ::MapDialogRect(w->m_hWnd, &expected);
        CRect actual;
        ::GetWindowRect(hCtrl, &actual);
        w->ScreenToClient(&actual);
        EXPECT_EQ(actual, expected);
        // Bound to its wrapper, whose calls do nothing and return zero.
        EXPECT_EQ(dlg.m_params.m_hWnd, hCtrl);
        EXPECT_EQ(dlg.m_params.ShowParams("服务器", 3000), 0);
        checked = true;
        ((CDialog*)w)->EndDialog(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(checked);
}

TEST(ActiveXPlaceholder, ThePlatformAloneRefusesSuchADialog)
{
    // What the placeholder is for: the dialog manager fails the whole dialog.
    HWND raw = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ACTIVEX_RAW), nullptr,
                                    QuietDialogProc, 0);
    EXPECT_EQ(raw, nullptr);
    if (raw != nullptr)
        ::DestroyWindow(raw);

    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_ACTIVEX_RAW));
    HWND hCtrl = ::GetDlgItem(dlg.m_hWnd, IDC_REMOTE_PARAMS);
    EXPECT_TRUE(AfxIsControlPlaceholder(hCtrl));
    dlg.DestroyWindow();
}

TEST(ActiveXPlaceholder, CreateControlMakesAPlaceholderChild)
{
    CDialog parent;
    ASSERT_TRUE(parent.Create(IDD_SIMPLE));
    CLSID clsid = {};
    WCHAR wide[64];
    ::MultiByteToWideChar(CP_ACP, 0, kRemoteParamsClsid, -1, wide, 64);
    ASSERT_EQ(::CLSIDFromString(wide, &clsid), S_OK);
    CRemoteParams ctrl;
    ASSERT_TRUE(ctrl.CreateControl(clsid, "", WS_CHILD | WS_VISIBLE, CRect(5, 5, 85, 45), &parent, 1152));
    EXPECT_EQ(ClassName(ctrl.m_hWnd), kRemoteParamsClsid);
    EXPECT_EQ(::GetDlgCtrlID(ctrl.m_hWnd), 1152);
    EXPECT_EQ(ctrl.ShowParams("x", 1), 0);
    parent.DestroyWindow();
    EXPECT_EQ(ctrl.m_hWnd, nullptr);
}

} // namespace
