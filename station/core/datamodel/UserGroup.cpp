// The user list: its enciphered file, the default administrator and the log-in look-up.
#include "station/core/datamodel/UserGroup.h"

#include "station/core/datamodel/StationArchive.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/UserData.h"
#include "station/core/datamodel/UserListCipher.h"

IMPLEMENT_SERIAL(CUserGroup, CObject, 0)

namespace {

const char kUserListFile[] = "userlist.dat";
const char kPlainFile[] = "userlist.bak";

} // namespace

CUserGroup::CUserGroup() : m_magic(kUserListMagic), m_version(kUserListVersion), m_autoLogin(0) {}

CUserGroup::~CUserGroup()
{
    DeleteAll(m_users);
}

void CUserGroup::Reset()
{
    DeleteAll(m_users);
    m_magic = kUserListMagic;
    m_version = kUserListVersion;
    m_autoLogin = 0;
    m_autoLoginUser.Empty();
    m_autoLoginPassword.Empty();
}

void CUserGroup::Serialize(CArchive& ar)
{
    SerializeValues(ar, m_magic, m_version, m_autoLogin, m_autoLoginUser, m_autoLoginPassword);
    SerializeOwnedList(ar, m_users);
}

void CUserGroup::Save(LPCSTR plainPath)
{
    CString plain = StationFilePath(kPlainFile, plainPath);
    CString target = StationFilePath(kUserListFile);
    // An unwritten archive must never be enciphered over the list: an empty list means "admin"
    // without a password.
    if (SaveArchiveFile(plain, *this)) {
        CString temp = TempPathBeside(target);
        if (EncipherFile(plain, temp))
            ReplaceWithWrittenFile(target, temp);
        else
            DeleteFileA(temp);
    }
    DeleteFileA(plain);
}

void CUserGroup::Load(LPCSTR plainPath)
{
    CString plain = StationFilePath(kPlainFile, plainPath);
    CString source = StationFilePath(kUserListFile);
    Reset();
    BOOL deciphered = DecipherFile(source, plain);
    // Only a file that deciphered and still did not read is damaged; a failure to create the
    // plain file says nothing about the list.
    ArchiveLoadResult result = deciphered ? LoadArchiveFile(plain, kUserListMagic, *this, FALSE) : archiveMissing;
    DeleteFileA(plain);
    if (result == archiveLoaded)
        return;
    if (result == archiveDamaged)
        KeepDamagedFile(source);
    Reset();
    CUserData* admin = new CUserData;
    admin->m_name = "admin";
    for (int& right : admin->m_rights)
        right = 1;
    m_users.AddHead(admin);
}

int CUserGroup::RemoveUser(CUserData* user)
{
    return RemoveAndDelete(m_users, user) ? 1 : 0;
}

CUserData* CUserGroup::FindUser(LPCSTR name, LPCSTR password)
{
    if (name == nullptr)
        name = "";
    if (password == nullptr)
        password = "";
    for (POSITION pos = m_users.GetHeadPosition(); pos;) {
        CUserData* user = m_users.GetNext(pos);
        user->m_name.MakeLower();
        user->m_password.MakeLower();
        if (user->m_name.Compare(name) == 0 && user->m_password.Compare(password) == 0)
            return user;
    }
    return nullptr;
}
