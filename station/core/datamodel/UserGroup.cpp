// The user list: its enciphered file, the default administrator and the log-in look-up.
#include "station/core/datamodel/UserGroup.h"

#include "station/core/datamodel/BufferFile.h"
#include "station/core/datamodel/StationArchive.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/UserData.h"
#include "station/core/datamodel/UserListCipher.h"

IMPLEMENT_SERIAL(CUserGroup, CObject, 0)

namespace {

const char kUserListFile[] = "userlist.dat";
// Far above any real list (a user takes some 70 bytes): a longer file is not read into memory.
const ULONGLONG kMaxListBytes = 16 * 1024 * 1024;

BOOL ReadWholeFile(CFile& file, std::vector<BYTE>& bytes)
{
    try {
        ULONGLONG length = file.GetLength();
        if (length > kMaxListBytes)
            return FALSE;
        bytes.resize((size_t)length);
        return length == 0 || file.Read(bytes.data(), (UINT)length) == length;
    } catch (CException* e) {
        e->Delete();
    }
    return FALSE;
}

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

void CUserGroup::Save()
{
    // The plain archive is built and enciphered in memory: a station stopped at any moment of the
    // save leaves no readable name or password on the disk, only the old or the new enciphered list.
    CBufferFile plain;
    // An unwritten archive must never be enciphered over the list: an empty list means "admin"
    // without a password.
    if (!StoreArchiveRoot(plain, *this))
        return;
    std::vector<BYTE>& bytes = plain.Bytes();
    ApplyUserListCipher(bytes.data(), bytes.size());
    SaveBytesFile(StationFilePath(kUserListFile), bytes.data(), bytes.size());
}

CUserGroup::LoadResult CUserGroup::ReadList(LPCSTR source)
{
    CFile file;
    if (!file.Open(source, CFile::modeRead | CFile::shareDenyNone))
        return GetFileAttributesA(source) == INVALID_FILE_ATTRIBUTES ? listMissing : listDamaged;
    std::vector<BYTE> bytes;
    BOOL read = ReadWholeFile(file, bytes);
    file.Abort();
    if (!read)
        return listDamaged;
    ApplyUserListCipher(bytes.data(), bytes.size());
    CBufferFile plain(bytes.data(), bytes.size());
    WipeBytes(bytes);
    if (ReadArchiveRoot(plain, kUserListMagic, *this) != archiveLoaded)
        return listDamaged;
    // Nobody could log in to a list without users: one flipped bit in the count does it.
    return m_users.IsEmpty() ? listDamaged : listLoaded;
}

void CUserGroup::Load()
{
    CString source = StationFilePath(kUserListFile);
    Reset();
    LoadResult result = ReadList(source);
    if (result == listLoaded)
        return;
    if (result == listDamaged)
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
