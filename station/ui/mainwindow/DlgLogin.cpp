// The log-in, confirmation and unlock dialog.
#include "station/ui/mainwindow/DlgLogin.h"

#include "skin/engine/toolkit/Tessarine.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/UserData.h"
#include "station/core/datamodel/UserGroup.h"
#include "station/core/sessions/SessionWindows.h"
#include "station/core/storage/SystemLog.h"

BEGIN_MESSAGE_MAP(CDlgLogin, CDialog)
END_MESSAGE_MAP()

namespace {

const int kFieldLength = 20;
const int kMovedHeight = 24;
const int kExtraHeight = 30;

} // namespace

CDlgLogin::CDlgLogin(CWnd* pParent) : CDialog(IDD, pParent), m_mode(MODE_LOGIN) {}

void CDlgLogin::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_LOGIN_PASSWORD, m_password);
    DDV_MaxChars(pDX, m_password, kFieldLength);
    DDX_Text(pDX, IDC_LOGIN_NAME, m_userName);
    DDV_MaxChars(pDX, m_userName, kFieldLength);
}

BOOL CDlgLogin::OnInitDialog()
{
    CDialog::OnInitDialog();
    TessarineAttachWindow(m_hWnd, "Dialog");
    UINT caption = m_mode == MODE_LOGIN    ? IDS_LOGIN_CAPTION
                   : m_mode == MODE_UNLOCK ? IDS_UNLOCK_CAPTION
                                           : IDS_CONFIRM_CAPTION;
    CString text;
    text.LoadString(caption);
    SetWindowText(text);
    ((CEdit*)GetDlgItem(IDC_LOGIN_NAME))->SetLimitText(kFieldLength);
    ((CEdit*)GetDlgItem(IDC_LOGIN_PASSWORD))->SetLimitText(kFieldLength);
    if (m_mode == MODE_UNLOCK)
        LayOutUnlock();
    else if (m_mode != MODE_LOGIN)
        LayOutConfirm();
    return TRUE;
}

void CDlgLogin::MoveControl(int id, int x, int y, int width)
{
    if (CWnd* control = GetDlgItem(id))
        control->MoveWindow(x, y, width, kMovedHeight);
}

void CDlgLogin::LayOutConfirm()
{
    CString ok;
    ok.LoadString(IDS_OK);
    SetDlgItemText(IDOK, ok);
    GetDlgItem(IDC_LOGIN_AUTO)->ShowWindow(SW_HIDE);
    MoveControl(IDOK, 100, 100, 60);
    MoveControl(IDCANCEL, 180, 100, 60);
    CRect window;
    GetWindowRect(&window);
    SetWindowPos(nullptr, 0, 0, window.Width(), window.Height() + kExtraHeight, SWP_NOMOVE | SWP_NOZORDER);
}

void CDlgLogin::LayOutUnlock()
{
    CString prompt;
    prompt.Format(IDS_UNLOCK_PROMPT, (LPCSTR)CurrentUser().name);
    SetDlgItemText(IDC_LOGIN_UNLOCK_TEXT, prompt);
    MoveControl(IDC_LOGIN_UNLOCK_TEXT, 30, 10, 320);
    GetDlgItem(IDC_LOGIN_UNLOCK_TEXT)->ShowWindow(SW_SHOW);
    GetDlgItem(IDC_LOGIN_AUTO)->ShowWindow(SW_HIDE);
    MoveControl(IDC_LOGIN_NAME_LABEL, 40, 40, 70);
    MoveControl(IDC_LOGIN_NAME, 120, 36, 160);
    SetDlgItemText(IDC_LOGIN_NAME, CurrentUser().name);
    MoveControl(IDC_LOGIN_PASSWORD_LABEL, 40, 75, 70);
    MoveControl(IDC_LOGIN_PASSWORD, 120, 70, 160);
    CString ok;
    ok.LoadString(IDS_OK);
    SetDlgItemText(IDOK, ok);
    MoveControl(IDOK, 100, 105, 60);
    MoveControl(IDCANCEL, 180, 105, 60);
    CRect window;
    GetWindowRect(&window);
    SetWindowPos(nullptr, 0, 0, window.Width(), window.Height() + kExtraHeight, SWP_NOMOVE | SWP_NOZORDER);
}

BOOL CDlgLogin::MatchesCurrentUser(LPCSTR name, LPCSTR password)
{
    CString typedName(name), typedPassword(password);
    CString userName = CurrentUser().name, userPassword = CurrentUser().password;
    typedName.MakeLower();
    typedPassword.MakeLower();
    userName.MakeLower();
    userPassword.MakeLower();
    return typedName == userName && typedPassword == userPassword;
}

BOOL CDlgLogin::LogIn(LPCSTR name, LPCSTR password, int autoLogin)
{
    if (g_pUserGroup == nullptr)
        return FALSE;
    CString typedName(name), typedPassword(password);
    typedName.MakeLower();
    typedPassword.MakeLower();
    CUserData* user = g_pUserGroup->FindUser(typedName, typedPassword);
    if (user == nullptr)
        return FALSE;
    CurrentUser().SetFrom(*user);
    if (CSystemLog* log = StationWindows().GetSystemLog())
        log->SetCurrentUser(CurrentUser().name);
    g_pUserGroup->m_autoLogin = autoLogin ? 1 : 0;
    g_pUserGroup->m_autoLoginUser = CurrentUser().name;
    g_pUserGroup->m_autoLoginPassword = CurrentUser().password;
    return TRUE;
}

void CDlgLogin::RejectEntry()
{
    CEdit* name = (CEdit*)GetDlgItem(IDC_LOGIN_NAME);
    name->SetSel(0, -1);
    SetDlgItemText(IDC_LOGIN_PASSWORD, "");
    name->SetFocus();
}

void CDlgLogin::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_userName.IsEmpty()) {
        GetDlgItem(IDC_LOGIN_NAME)->SetFocus();
        return;
    }
    BOOL accepted;
    if (m_mode == MODE_LOGIN)
        accepted = LogIn(m_userName, m_password, IsDlgButtonChecked(IDC_LOGIN_AUTO) == BST_CHECKED);
    else
        accepted = MatchesCurrentUser(m_userName, m_password);
    if (!accepted) {
        RejectEntry();
        return;
    }
    EndDialog(IDOK);
}
