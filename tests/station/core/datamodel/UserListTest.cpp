// The user list: the enciphered file byte for byte, the default administrator, the log-in look-up
// and saves that never leave a damaged or empty list behind.
#include "tests/station/core/datamodel/DataModelTestSupport.h"

#include <algorithm>
#include <set>

#include "station/core/datamodel/LoggedInUser.h"
#include "station/core/datamodel/SaveLeftovers.h"
#include "station/core/datamodel/StationArchive.h"
#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/UserData.h"
#include "station/core/datamodel/UserGroup.h"
#include "station/core/datamodel/UserListCipher.h"

namespace {

// The default list (one user "admin", empty password, every right), enciphered: 90 bytes.
const char kDefaultUserList[] =
    "13 D0 6B 51 AD FA E0 4A F9 13 28 EC A6 09 EB 84 F9 39 3E 48 CD 93 7A 16 E4 00 4D AA 47 42 23 25 29 F7 41 45 "
    "4D 8A 97 15 EF 38 4D 7A AB 8C 9C 87 4B 5A 8B AD 22 3F 0D FB 7C A8 CD A5 CB EF E4 C8 40 9B A9 1E F0 4D C5 1D "
    "5F C7 BF 49 07 5D C0 AD B1 A8 8B 26 8C 17 D0 A5 38 1D";

// Auto-login 1 as "ops"/"pw"; users "admin" (password "abc", every right) and "Ops" (password "Pw",
// rights 1, 3, 5, 7, 9, 11).
const char kTwoUserList[] =
    "13 D0 6B 51 AD FA E0 4A F8 13 28 EC A5 66 9A F7 04 B6 49 4A C4 6C C6 43 97 6C 3F AD 73 45 27 52 0C F2 58 4D "
    "26 EB F2 78 86 56 4F 1B C9 EF 9C 87 4B 5A 8B AD 22 3F 0D FB 7C A8 CD A5 CB EF E4 C8 40 9B A9 1E F0 4D C5 1D "
    "5F C7 BF 49 07 5D C0 AD B1 A8 8B 26 8C 17 D0 A5 38 1D B1 33 7C 9F E5 67 DC BB 8F A1 CC B3 CB 37 B6 F9 FA CC "
    "7A 37 84 20 C5 DE EB AC 5A 97 B7 7E 2A BA 0E 17 59 1A 4E F8 BC 5F 30 F4 BB 36 2F 9E B3 45 8E 48 6C 86 B6 BC "
    "95 93 63 59 8E BA 5D 64 AD 68 0E 6A 86 3E E3";

// The names of a folder's files (no dots, no folders).
std::set<std::string> FilesOf(const std::string& folder)
{
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.insert(found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return names;
}

// True when any file of the folder holds the text's bytes.
bool AnyFileHolds(const std::string& folder, const std::string& text)
{
    for (const std::string& name : FilesOf(folder)) {
        Bytes bytes = ReadBytes(folder + "\\" + name);
        if (std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) != bytes.end())
            return true;
    }
    return false;
}

// What the start directory held when a save was about to replace its file.
std::set<std::string>& FilesBeforeReplace()
{
    static std::set<std::string> files;
    return files;
}

void NoteFilesBeforeReplace(LPCSTR, LPCSTR)
{
    std::set<std::string> now = FilesOf(std::string(GetStartDirectory()));
    FilesBeforeReplace().insert(now.begin(), now.end());
}

// The child of the kill test: the environment names its start directory and the event it sets when
// its save is about to replace the list; then it waits to be stopped.
const char kChildDirVariable[] = "WARDEN_USERLIST_SAVE_DIR";
const char kChildEventVariable[] = "WARDEN_USERLIST_SAVE_PAUSED";

void PauseUntilStopped(LPCSTR, LPCSTR)
{
    char name[MAX_PATH] = {};
    GetEnvironmentVariableA(kChildEventVariable, name, sizeof(name));
    HANDLE paused = OpenEventA(EVENT_MODIFY_STATE, FALSE, name);
    if (paused != nullptr)
        SetEvent(paused);
    // Stopped by the parent long before this runs out; bounded so that a lost child still ends.
    HANDLE never = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    WaitForSingleObject(never, 60000);
    ExitProcess(4);
}

class UserListTest : public DataModelTest {
protected:
    static CUserData* AddUser(CUserGroup& users, const char* name, const char* password)
    {
        CUserData* user = new CUserData;
        user->m_name = name;
        user->m_password = password;
        users.m_users.AddTail(user);
        return user;
    }
};

} // namespace

TEST_F(UserListTest, MissingListGivesTheAdministratorAndSavesAsTheKnownBytes)
{
    CUserGroup users;
    users.Load();
    ASSERT_EQ(users.m_users.GetCount(), 1);
    CUserData* admin = users.m_users.GetHead();
    EXPECT_EQ(admin->m_name, "admin");
    EXPECT_EQ(admin->m_password, "");
    for (int right : admin->m_rights)
        EXPECT_EQ(right, 1);
    EXPECT_EQ(users.m_autoLogin, 0);
    EXPECT_FALSE(FileExists(File("userlist.bak")));
    EXPECT_FALSE(FileExists(File("userlist.dat"))); // nothing is saved

    users.Save();
    EXPECT_TRUE(SameBytes(ReadBytes(File("userlist.dat")), Hex(kDefaultUserList)));
    EXPECT_FALSE(FileExists(File("userlist.bak")));
    EXPECT_FALSE(FileExists(File("userlist.dat.tmp")));
}

TEST_F(UserListTest, KnownFileDeciphersAndRoundTrips)
{
    WriteBytes(File("userlist.dat"), Hex(kTwoUserList));
    CUserGroup users;
    users.Load();
    EXPECT_EQ(users.m_autoLogin, 1);
    EXPECT_EQ(users.m_autoLoginUser, "ops");
    EXPECT_EQ(users.m_autoLoginPassword, "pw");
    ASSERT_EQ(users.m_users.GetCount(), 2);
    CUserData* ops = users.m_users.GetTail();
    EXPECT_EQ(ops->m_name, "Ops");
    for (int i = 0; i < rightCount; ++i)
        EXPECT_EQ(ops->m_rights[i], i % 2) << i;
    EXPECT_FALSE(FileExists(File("userlist.bak")));

    users.Save();
    EXPECT_TRUE(SameBytes(ReadBytes(File("userlist.dat")), Hex(kTwoUserList)));
}

TEST_F(UserListTest, KeyStreamRunsOnAcrossBlocks)
{
    // Enciphering zeros gives the key stream itself: RC4 keyed with the MD5 of the pass phrase.
    WriteBytes(File("zeros"), Bytes(2500, 0));
    EXPECT_EQ(EncipherFile(File("zeros").c_str(), File("stream").c_str()), 1);
    Bytes stream = ReadBytes(File("stream"));
    ASSERT_EQ(stream.size(), 2500u);
    EXPECT_EQ(Bytes(stream.begin(), stream.begin() + 8), Hex("01 7A D0 9D AC D3 E9 4F"));
    EXPECT_EQ(Bytes(stream.begin() + 996, stream.begin() + 1004), Hex("4B 27 8C 3E 5F DF 0D 61"));
    EXPECT_EQ(Bytes(stream.begin() + 2492, stream.end()), Hex("81 D6 64 9F 96 B1 78 8A"));
    EXPECT_EQ(DecipherFile(File("stream").c_str(), File("back").c_str()), 1);
    EXPECT_TRUE(SameBytes(ReadBytes(File("back")), Bytes(2500, 0)));

    WriteBytes(File("empty"), Bytes());
    EXPECT_EQ(EncipherFile(File("empty").c_str(), File("empty.out").c_str()), 1);
    EXPECT_TRUE(FileExists(File("empty.out")));
    EXPECT_TRUE(ReadBytes(File("empty.out")).empty());
    EXPECT_EQ(EncipherFile(File("absent").c_str(), File("absent.out").c_str()), 0);
}

TEST_F(UserListTest, FindUserLowerCasesStoredNamesUpToTheMatch)
{
    CUserGroup users;
    EXPECT_EQ(users.FindUser("admin", ""), nullptr);
    CUserData* first = AddUser(users, "Zhang张三", "PassWord");
    CUserData* second = AddUser(users, "Li李四", "Secret");
    CUserData* third = AddUser(users, "WANG王五", "XyZ");

    EXPECT_EQ(users.FindUser("li李四", "secret"), second);
    EXPECT_EQ(first->m_name, "zhang张三");
    EXPECT_EQ(first->m_password, "password");
    EXPECT_EQ(second->m_name, "li李四");
    EXPECT_EQ(third->m_name, "WANG王五"); // after the match: untouched
    EXPECT_EQ(third->m_password, "XyZ");
    EXPECT_EQ(users.FindUser("Li李四", "secret"), nullptr); // the typed text is compared as given
    EXPECT_EQ(users.FindUser("wang王五", "xyz"), third);

    users.Save();
    CUserGroup reloaded;
    reloaded.Load();
    EXPECT_EQ(reloaded.m_users.GetTail()->m_name, "wang王五");

    LoggedInUser& current = CurrentUser();
    current.SetFrom(*second);
    second->m_rights[rightAdministrator] = 1;
    second->m_rights[rightAssignPanes] = 1;
    current.SetFrom(*second);
    EXPECT_EQ(current.name, "li李四");
    EXPECT_EQ(HasRight(rightAssignPanes), 1);
    EXPECT_EQ(HasRight(rightAdministrator), 0); // never reported
    EXPECT_EQ(HasRight(13), 0);
    current.Clear();
}

TEST_F(UserListTest, RemoveUser)
{
    CUserGroup users;
    CUserData* one = AddUser(users, "a", "");
    AddUser(users, "b", "");
    CUserData stranger;
    EXPECT_EQ(users.RemoveUser(&stranger), 0);
    EXPECT_EQ(users.RemoveUser(one), 1);
    ASSERT_EQ(users.m_users.GetCount(), 1);
    EXPECT_EQ(users.m_users.GetHead()->m_name, "b");
}

TEST_F(UserListTest, FailedSaveLeavesTheOldListIntact)
{
    WriteBytes(File("userlist.dat"), Hex(kTwoUserList));
    CUserGroup users;
    users.Load();
    DeleteAll(users.m_users);

    // The enciphered copy cannot be written.
    ASSERT_TRUE(CreateDirectoryA(File("userlist.dat.tmp").c_str(), nullptr));
    users.Save();
    EXPECT_TRUE(SameBytes(ReadBytes(File("userlist.dat")), Hex(kTwoUserList)));
    EXPECT_FALSE(FileExists(File("userlist.bak")));
    RemoveDirectoryA(File("userlist.dat.tmp").c_str());

    // A read-only list stays as it is.
    SetFileAttributesA(File("userlist.dat").c_str(), FILE_ATTRIBUTE_READONLY);
    users.Save();
    EXPECT_TRUE(SameBytes(ReadBytes(File("userlist.dat")), Hex(kTwoUserList)));
    CUserGroup readOnly;
    readOnly.Load();
    EXPECT_EQ(readOnly.m_users.GetCount(), 2);
    SetFileAttributesA(File("userlist.dat").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(UserListTest, UndecipherableListIsKeptAside)
{
    const Bytes valid = Hex(kTwoUserList);
    const Bytes damages[] = {Hex("13 D0 6B"), Hex("00 11 22 33 44 55 66 77 88 99"),
                             Bytes(valid.begin(), valid.end() - 4)};
    for (const Bytes& damage : damages) {
        WriteBytes(File("userlist.dat"), damage);
        CUserGroup users;
        users.Load();
        ASSERT_EQ(users.m_users.GetCount(), 1) << ToHex(damage);
        EXPECT_EQ(users.m_users.GetHead()->m_name, "admin");
        EXPECT_EQ(users.m_autoLogin, 0);
        EXPECT_TRUE(SameBytes(ReadBytes(File("userlist.dat.bad")), damage));
        // Nothing is saved: the list keeps its old content until the next save.
        EXPECT_TRUE(SameBytes(ReadBytes(File("userlist.dat")), damage));
        EXPECT_FALSE(FileExists(File("userlist.bak")));
    }
}

TEST_F(UserListTest, NothingPlainReachesTheDiskWhenTheListIsSavedOrLoaded)
{
    // A folder in the place of the old plain file: a list that passed through it could not load.
    ASSERT_TRUE(CreateDirectoryA(File("userlist.bak").c_str(), nullptr));
    WriteBytes(File("userlist.dat"), Hex(kTwoUserList));
    CUserGroup users;
    users.Load();
    ASSERT_EQ(users.m_users.GetCount(), 2);
    EXPECT_EQ(users.m_users.GetTail()->m_name, "Ops");
    RemoveDirectoryA(File("userlist.bak").c_str());

    AddUser(users, "plainname", "plainsecret");
    FilesBeforeReplace().clear();
    SetSaveReplaceHook(NoteFilesBeforeReplace);
    users.Save();
    SetSaveReplaceHook(nullptr);
    // Only the old list and the enciphered new one were ever there; no name is readable anywhere.
    EXPECT_EQ(FilesBeforeReplace(), (std::set<std::string>{"userlist.dat", "userlist.dat.tmp"}));
    EXPECT_EQ(FilesOf(dir_->Path()), (std::set<std::string>{"userlist.dat"}));
    EXPECT_FALSE(AnyFileHolds(dir_->Path(), "plainname"));
    EXPECT_FALSE(AnyFileHolds(dir_->Path(), "plainsecret"));

    CUserGroup reloaded;
    reloaded.Load();
    ASSERT_EQ(reloaded.m_users.GetCount(), 3);
    EXPECT_EQ(reloaded.m_users.GetTail()->m_password, "plainsecret");
}

TEST_F(UserListTest, AListWithoutUsersIsDamaged)
{
    // One flipped bit: the user count of the default list (offset 14 of the plain archive) reads 0.
    Bytes flipped = Hex(kDefaultUserList);
    flipped[14] ^= 0x01;
    // And a list saved empty.
    CUserGroup empty;
    empty.m_autoLogin = 1;
    empty.Save();
    const Bytes savedEmpty = ReadBytes(File("userlist.dat"));

    for (const Bytes& damage : {flipped, savedEmpty}) {
        SCOPED_TRACE(ToHex(damage));
        WriteBytes(File("userlist.dat"), damage);
        DeleteFileA(File("userlist.dat.bad").c_str());
        CUserGroup users;
        users.Load();
        ASSERT_EQ(users.m_users.GetCount(), 1);
        EXPECT_EQ(users.m_users.GetHead()->m_name, "admin");
        EXPECT_EQ(users.m_users.GetHead()->m_password, "");
        EXPECT_EQ(users.m_autoLogin, 0);
        EXPECT_TRUE(SameBytes(ReadBytes(File("userlist.dat.bad")), damage));
        EXPECT_TRUE(SameBytes(ReadBytes(File("userlist.dat")), damage));
    }
}

// Runs only as the child of the kill test below.
TEST(UserListSaveChild, SavesUntilStopped)
{
    char dir[MAX_PATH] = {};
    if (GetEnvironmentVariableA(kChildDirVariable, dir, sizeof(dir)) == 0)
        GTEST_SKIP() << "the child of UserListTest.KillDuringASaveLeavesNoPlainTextAndAWholeList";
    SetStartDirectory(dir);
    CUserGroup users;
    users.Load();
    CUserData* user = new CUserData;
    user->m_name = "killedname";
    user->m_password = "killedsecret";
    users.m_users.AddTail(user);
    SetSaveReplaceHook(PauseUntilStopped);
    users.Save();
    FAIL() << "the save was not stopped";
}

TEST_F(UserListTest, KillDuringASaveLeavesNoPlainTextAndAWholeList)
{
    const Bytes old = Hex(kTwoUserList);
    WriteBytes(File("userlist.dat"), old);
    char eventName[64];
    snprintf(eventName, sizeof(eventName), "warden-userlist-save-%lu", (unsigned long)GetCurrentProcessId());
    HANDLE paused = CreateEventA(nullptr, TRUE, FALSE, eventName);
    ASSERT_NE(paused, nullptr);
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof(self));

    // The child inherits the two variables; this process forgets them at once.
    SetEnvironmentVariableA(kChildDirVariable, dir_->Path().c_str());
    SetEnvironmentVariableA(kChildEventVariable, eventName);
    ChildProcess child;
    bool started = child.Start(self, "--gtest_filter=UserListSaveChild.SavesUntilStopped", dir_->Path());
    SetEnvironmentVariableA(kChildDirVariable, nullptr);
    SetEnvironmentVariableA(kChildEventVariable, nullptr);
    ASSERT_TRUE(started);
    bool reached =
        WaitUntil([&] { return WaitForSingleObject(paused, 0) == WAIT_OBJECT_0 || !child.Running(); }, 60000);
    ASSERT_TRUE(reached && WaitForSingleObject(paused, 0) == WAIT_OBJECT_0) << "the child's save never paused";
    child.Kill();
    CloseHandle(paused);
    ASSERT_FALSE(child.Running());

    // The old list whole, the new one enciphered beside it, nothing readable anywhere.
    EXPECT_EQ(FilesOf(dir_->Path()), (std::set<std::string>{"userlist.dat", "userlist.dat.tmp"}));
    EXPECT_TRUE(SameBytes(ReadBytes(File("userlist.dat")), old));
    EXPECT_FALSE(AnyFileHolds(dir_->Path(), "killedname"));
    EXPECT_FALSE(AnyFileHolds(dir_->Path(), "killedsecret"));

    // The next start removes what the save left and finds the old list.
    RemoveInterruptedSaveLeftovers();
    EXPECT_EQ(FilesOf(dir_->Path()), (std::set<std::string>{"userlist.dat"}));
    CUserGroup users;
    users.Load();
    EXPECT_EQ(users.m_users.GetCount(), 2);
    EXPECT_EQ(users.m_autoLoginUser, "ops");
}
