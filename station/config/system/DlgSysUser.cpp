// The users page of the system settings.
#include "station/config/system/DlgSysUser.h"

#include "station/config/ConfigText.h"
#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/UserData.h"
#include "station/core/datamodel/UserGroup.h"
#include "station/core/sessions/SessionWindows.h"
#include "station/core/storage/SystemLog.h"

namespace {

const int kNameChars = 20;
const int kAdministratorControls[] = {IDC_SYSUSER_NAME, IDC_SYSUSER_PASSWORD, IDC_SYSUSER_CONFIRM,
                                      IDC_SYSUSER_ADD,  IDC_SYSUSER_CHANGE,   IDC_SYSUSER_DELETE};

int RightBox(int right)
{
    return right == 12 ? IDC_SYSUSER_RIGHT12 : IDC_SYSUSER_RIGHT1 + right - 1;
}

// User names are one name whatever the case of their letters; the stored names stay as typed.
BOOL SameUserName(const CString& a, const CString& b)
{
    CString left = a, right = b;
    return left.MakeLower() == right.MakeLower();
}

// The automatic log-in names a user by his name and password as a log-in stored them (lower-cased):
// when that user's record changes, the stored pair follows, or the next start would ask again.
void FollowAutoLogin(const CString& oldName, const CUserData& user)
{
    if (g_pUserGroup == nullptr || !SameUserName(g_pUserGroup->m_autoLoginUser, oldName))
        return;
    CString name = user.m_name, password = user.m_password;
    g_pUserGroup->m_autoLoginUser = name.MakeLower();
    g_pUserGroup->m_autoLoginPassword = password.MakeLower();
}

} // namespace

BEGIN_MESSAGE_MAP(CDlgSysUser, CConfigPage)
ON_NOTIFY(NM_CLICK, IDC_SYSUSER_LIST, OnListClick)
ON_BN_CLICKED(IDC_SYSUSER_ADD, OnAdd)
ON_BN_CLICKED(IDC_SYSUSER_CHANGE, OnChange)
ON_BN_CLICKED(IDC_SYSUSER_DELETE, OnDelete)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CDlgSysUser::CDlgSysUser() : CConfigPage(IDD), m_rights(), m_row(-1), m_ownRecord(nullptr) {}

void CDlgSysUser::DoDataExchange(CDataExchange* pDX)
{
    CConfigPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SYSUSER_LIST, m_list);
    DDX_Text(pDX, IDC_SYSUSER_NAME, m_name);
    DDV_MaxChars(pDX, m_name, kNameChars);
    DDX_Text(pDX, IDC_SYSUSER_PASSWORD, m_password);
    DDV_MaxChars(pDX, m_password, kNameChars);
    DDX_Text(pDX, IDC_SYSUSER_CONFIRM, m_confirm);
    DDV_MaxChars(pDX, m_confirm, kNameChars);
    for (int right = 1; right <= 12; ++right)
        DDX_Check(pDX, RightBox(right), m_rights[right]);
}

BOOL CDlgSysUser::IsAdministrator() const
{
    return CurrentUser().rights[rightAdministrator] != 0;
}

CUserData* CDlgSysUser::UserOfRow(int row) const
{
    return row >= 0 && row < m_list.GetItemCount() ? reinterpret_cast<CUserData*>(m_list.GetItemData(row)) : nullptr;
}

BOOL CDlgSysUser::OnInitDialog()
{
    CConfigPage::OnInitDialog();
    for (int id : {IDC_SYSUSER_NAME, IDC_SYSUSER_PASSWORD, IDC_SYSUSER_CONFIRM})
        SendDlgItemMessage(id, EM_LIMITTEXT, kNameChars, 0);
    m_images.Create(32, 32, ILC_COLOR32 | ILC_MASK, 1, 1);
    HICON icon = (HICON)::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDI_SYS_USER), IMAGE_ICON, 32, 32, 0);
    if (icon != nullptr) {
        m_images.Add(icon);
        ::DestroyIcon(icon);
    }
    m_list.SetImageList(&m_images, LVSIL_NORMAL);
    if (g_pUserGroup != nullptr) {
        int row = 0;
        for (POSITION pos = g_pUserGroup->m_users.GetHeadPosition(); pos != nullptr; ++row) {
            CUserData* user = g_pUserGroup->m_users.GetNext(pos);
            m_list.InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, row, user->m_name, 0, 0, 0, (LPARAM)user);
            if (m_ownRecord == nullptr && SameUserName(user->m_name, CurrentUser().name))
                m_ownRecord = user;
        }
    }
    BOOL administrator = IsAdministrator();
    for (int id : kAdministratorControls)
        GetDlgItem(id)->EnableWindow(administrator);
    for (int right = 1; right <= 11; ++right)
        GetDlgItem(RightBox(right))->EnableWindow(administrator);
    GetDlgItem(IDC_SYSUSER_RIGHT12)->EnableWindow(CurrentUser().rights[rightAssignPanes] != 0);
    return TRUE;
}

void CDlgSysUser::OnListClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    int row = m_list.GetNextItem(-1, LVNI_SELECTED);
    CUserData* user = UserOfRow(row);
    if (user == nullptr)
        return;
    m_name = user->m_name;
    m_password = user->m_password;
    m_confirm = user->m_password;
    if (IsAdministrator()) {
        GetDlgItem(IDC_SYSUSER_DELETE)->EnableWindow(row != 0);
    } else {
        BOOL own = SameUserName(user->m_name, CurrentUser().name);
        for (int id : {IDC_SYSUSER_PASSWORD, IDC_SYSUSER_CONFIRM, IDC_SYSUSER_CHANGE})
            GetDlgItem(id)->EnableWindow(own);
    }
    for (int right = 1; right <= 12; ++right)
        m_rights[right] = user->m_rights[right] ? 1 : 0;
    m_row = row;
    UpdateData(FALSE);
}

BOOL CDlgSysUser::PasswordsMatch()
{
    if (m_password == m_confirm)
        return TRUE;
    ConfigMessage(IDS_PASSWORD_MISMATCH);
    SendDlgItemMessage(IDC_SYSUSER_PASSWORD, WM_CLEAR);
    SendDlgItemMessage(IDC_SYSUSER_CONFIRM, WM_CLEAR);
    GotoDlgCtrl(GetDlgItem(IDC_SYSUSER_PASSWORD));
    return FALSE;
}

BOOL CDlgSysUser::Validate(int skipRow)
{
    if (!UpdateData(TRUE))
        return FALSE;
    if (m_name.IsEmpty()) {
        ConfigMessage(IDS_ENTER_USER_NAME);
        GotoDlgCtrl(GetDlgItem(IDC_SYSUSER_NAME));
        return FALSE;
    }
    if (!PasswordsMatch())
        return FALSE;
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        CUserData* user = UserOfRow(row);
        if (row == skipRow || user == nullptr || !SameUserName(user->m_name, m_name))
            continue;
        ConfigMessage(IDS_USER_EXISTS);
        SendDlgItemMessage(IDC_SYSUSER_NAME, WM_CLEAR);
        GotoDlgCtrl(GetDlgItem(IDC_SYSUSER_NAME));
        return FALSE;
    }
    return TRUE;
}

void CDlgSysUser::RightsFromBoxes(CUserData* user) const
{
    for (int right = 1; right <= 12; ++right)
        user->m_rights[right] = m_rights[right] ? 1 : 0;
}

void CDlgSysUser::OnAdd()
{
    if (g_pUserGroup == nullptr || !Validate(-1))
        return;
    CUserData* user = new CUserData;
    user->m_name = m_name;
    user->m_password = m_password;
    if (g_pUserGroup->m_users.IsEmpty()) {
        for (int& right : user->m_rights)
            right = 1;
    } else {
        user->m_rights[rightAdministrator] = 0;
        RightsFromBoxes(user);
    }
    g_pUserGroup->m_users.AddTail(user);
    int row = m_list.GetItemCount();
    m_list.InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, row, user->m_name, 0, 0, 0, (LPARAM)user);
}

void CDlgSysUser::OnChange()
{
    CUserData* user = UserOfRow(m_row);
    if (user == nullptr)
        return;
    CString oldName = user->m_name;
    if (!IsAdministrator()) {
        if (!SameUserName(user->m_name, CurrentUser().name) || !UpdateData(TRUE) || !PasswordsMatch())
            return;
        user->m_password = m_password;
        FollowAutoLogin(oldName, *user);
        return;
    }
    if (!Validate(m_row))
        return;
    user->m_name = m_name;
    user->m_password = m_password;
    FollowAutoLogin(oldName, *user);
    if (!user->m_rights[rightAdministrator])
        RightsFromBoxes(user);
    m_list.SetItemText(m_row, 0, m_name);
}

void CDlgSysUser::OnDelete()
{
    CUserData* user = UserOfRow(m_row);
    // The administrator, row 0, is never deleted, even when a click left the button enabled.
    if (user == nullptr || m_row == 0 || g_pUserGroup == nullptr)
        return;
    if (ConfigMessage(IDS_DELETE_USER, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (user == m_ownRecord)
        m_ownRecord = nullptr;
    g_pUserGroup->RemoveUser(user);
    m_list.DeleteItem(m_row);
    m_row = -1;
}

void CDlgSysUser::AfterListSaved()
{
    if (m_ownRecord == nullptr)
        return;
    CurrentUser().SetFrom(*m_ownRecord);
    if (CSystemLog* log = StationWindows().GetSystemLog())
        log->SetCurrentUser(CurrentUser().name);
}

void CDlgSysUser::OnDestroy()
{
    m_ownRecord = nullptr;
    if (g_pUserGroup != nullptr) {
        delete g_pUserGroup;
        g_pUserGroup = new CUserGroup;
        g_pUserGroup->Load();
    }
    CConfigPage::OnDestroy();
}
