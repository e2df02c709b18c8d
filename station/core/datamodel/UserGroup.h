// CUserGroup: the station's users and the automatic log-in, the root of the enciphered
// "userlist.dat". The plain archive exists only in memory, on its way to and from the cipher.
#pragma once

#include <afxtempl.h>

class CUserData;

const DWORD kUserListMagic = 0xCCBBAA12;
const DWORD kUserListVersion = 0x05092901;

class CUserGroup : public CObject {
    DECLARE_SERIAL(CUserGroup)
public:
    // Empty; does not load.
    CUserGroup();
    ~CUserGroup() override;

    void Serialize(CArchive& ar) override;

    // The enciphered file is always "userlist.dat" of the start directory, replaced only when the
    // new one was written whole; a failure leaves the old file as it was and is not reported.
    void Save();
    // When "userlist.dat" cannot be read, or holds no user, the list holds one user "admin" with an
    // empty password and every right; nothing is saved (a damaged file is kept aside as ".bad").
    void Load();

    // Removes and destroys the user: 1; 0 when it is not in the list.
    int RemoveUser(CUserData* user);
    // Lower-cases each stored name and password in place while it searches (they stay so and are
    // saved so), then compares them byte for byte with the given ones. The callers lower-case
    // what the operator typed.
    CUserData* FindUser(LPCSTR name, LPCSTR password);

    DWORD m_magic;
    DWORD m_version;
    int m_autoLogin;
    CString m_autoLoginUser;
    CString m_autoLoginPassword;
    CTypedPtrList<CObList, CUserData*> m_users; // owned; the first is the administrator

private:
    enum LoadResult { listLoaded, listMissing, listDamaged };
    void Reset();
    LoadResult ReadList(LPCSTR source);
};
