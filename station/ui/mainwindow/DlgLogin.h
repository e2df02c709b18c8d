// CDlgLogin: the log-in dialog (dialog 130). Mode 0 logs a user of the user list in and makes him
// the current user; mode 1 asks the current user to confirm himself before the station exits;
// mode 2 lets only the current user lift the screen lock. A wrong entry never shows a message: the
// password is cleared and the cursor goes back to the name.
#pragma once

#include <afxwin.h>

#include "resources/warden/resource.h"

class CDlgLogin : public CDialog {
public:
    enum { IDD = IDD_LOGIN };
    enum { MODE_LOGIN = 0, MODE_CONFIRM = 1, MODE_UNLOCK = 2 };

    explicit CDlgLogin(CWnd* pParent = nullptr);

    int m_mode;
    CString m_password;
    CString m_userName;

    // The check of modes 1 and 2: the typed name and password, lower-cased, are the current user's.
    static BOOL MatchesCurrentUser(LPCSTR name, LPCSTR password);
    // The log-in of mode 0: the user of the list with that name and password becomes the current
    // user (name, password, rights, the system log's user) and the automatic log-in follows
    // autoLogin. Returns FALSE when there is no such user.
    static BOOL LogIn(LPCSTR name, LPCSTR password, int autoLogin);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    void LayOutConfirm();
    void LayOutUnlock();
    void MoveControl(int id, int x, int y, int width);
    void RejectEntry();
    DECLARE_MESSAGE_MAP()
};
