// What every archive file shares: the failure action of each root for a missing, short,
// wrong-magic or truncated file (the unreadable one kept aside), a version that is not compared,
// read-only files, and saves that replace a file only when the new one was written whole.
#include "tests/station/core/datamodel/DataModelTestSupport.h"

#include <functional>
#include <set>

#include "station/core/datamodel/SaveLeftovers.h"
#include "station/core/datamodel/StationArchive.h"
#include "station/core/datamodel/SysParam.h"
#include "station/core/datamodel/UserGroup.h"
#include "station/core/datamodel/VuskAudioBroadcast.h"
#include "station/core/datamodel/VuskEMapGroup.h"
#include "station/core/datamodel/VuskLoopGroup.h"
#include "station/core/datamodel/VuskLoopPage.h"
#include "station/core/datamodel/VuskPage.h"
#include "station/core/datamodel/VuskPageGroup.h"

namespace {

// The temporary files the saves wrote, seen through the save seam.
std::vector<std::string>& WrittenTemporaries()
{
    static std::vector<std::string> written;
    return written;
}

void NoteWritten(LPCSTR, LPCSTR written)
{
    WrittenTemporaries().push_back(written);
}

// One root: how to write a valid file with some content, how to load it (true when the content
// came back), and what the file holds after a failed load (empty: nothing was written, so the
// unreadable file stays where it was until the root is saved).
struct RootFile {
    const char* name;
    std::function<void()> writeValid;
    std::function<bool()> loadHoldsContent;
    std::function<Bytes()> afterFailure;
};

class ArchiveFilesTest : public DataModelTest {
protected:
    std::vector<RootFile> Roots()
    {
        return {
            {"servertree.cfg",
             [] {
                 std::unique_ptr<CRecGroup> tree(new CRecGroup);
                 tree->AddGroup(nullptr, "P");
                 tree->Save();
             },
             [] { return !std::unique_ptr<CRecGroup>(new CRecGroup)->m_projects.IsEmpty(); },
             [] { return Hex("12 AA BB CC 01 29 09 05 00 00 00 00 00 00 00"); }},
            {"sysparam.dat",
             [] {
                 CSysParam param;
                 param.m_fileMinutes = 77;
                 param.Save();
             },
             [] {
                 CSysParam param;
                 param.Load();
                 return param.m_fileMinutes == 77;
             },
             [this] {
                 CSysParam().Save(File("defaults.dat").c_str());
                 return ReadBytes(File("defaults.dat"));
             }},
            {"pageview.cfg",
             [] {
                 CVuskPageGroup pages;
                 pages.AddPage(9);
                 pages.Save();
             },
             [] {
                 CVuskPageGroup pages;
                 return pages.Load() == 1;
             },
             [] { return Bytes(); }},
            {"loopview.cfg",
             [] {
                 CVuskLoopGroup tours;
                 tours.AddPage(4, 10);
                 tours.Save();
             },
             [] {
                 // Steps without cameras are dropped by the binding, so look before it runs.
                 CVuskLoopGroup tours;
                 return tours.Load() == 1;
             },
             [] { return Bytes(); }},
            {"emaptree.cfg",
             [] {
                 CVuskEMapGroup map;
                 map.AddScene("Hall", nullptr);
                 map.Save();
             },
             [] {
                 CVuskEMapGroup map;
                 return map.Load() == 1 && map.m_scenes.GetCount() == 1;
             },
             [] { return Hex("EE DD BB CC 02 00 00 00 00 00"); }},
            {"broadcast.cfg",
             [] {
                 CVuskAudioBroadcast targets;
                 targets.m_count = 0;
                 targets.m_serverIds[0] = 5;
                 targets.Save();
             },
             [] {
                 CVuskAudioBroadcast targets;
                 return targets.Load() == 1 && targets.m_serverIds[0] == 5;
             },
             [] { return Bytes(); }},
        };
    }
};

} // namespace

TEST_F(ArchiveFilesTest, UnreadableFilesGetTheRootsFailureActionAndAreKeptAside)
{
    for (const RootFile& root : Roots()) {
        std::string path = File(root.name);
        std::string kept = path + ".bad";
        root.writeValid();
        Bytes valid = ReadBytes(path);
        ASSERT_GT(valid.size(), 10u) << root.name;
        ASSERT_TRUE(root.loadHoldsContent()) << root.name;
        Bytes expectedAfter = root.afterFailure();

        struct Damage {
            const char* what;
            Bytes bytes; // empty: no file at all
        };
        Bytes wrongMagic = valid;
        wrongMagic[0] ^= 0xFF;
        const Damage damages[] = {
            {"missing", Bytes()},
            {"three bytes", Bytes(valid.begin(), valid.begin() + 3)},
            {"wrong magic", wrongMagic},
            {"truncated body", Bytes(valid.begin(), valid.end() - 3)},
        };
        for (const Damage& damage : damages) {
            DeleteFileA(path.c_str());
            DeleteFileA(kept.c_str());
            if (!damage.bytes.empty())
                WriteBytes(path, damage.bytes);

            EXPECT_FALSE(root.loadHoldsContent()) << root.name << ", " << damage.what;
            if (damage.bytes.empty())
                EXPECT_FALSE(FileExists(kept)) << root.name << ", " << damage.what;
            else
                EXPECT_TRUE(SameBytes(ReadBytes(kept), damage.bytes)) << root.name << ", " << damage.what;
            if (expectedAfter.empty() && damage.bytes.empty())
                EXPECT_FALSE(FileExists(path)) << root.name << ", " << damage.what;
            else if (expectedAfter.empty())
                EXPECT_TRUE(SameBytes(ReadBytes(path), damage.bytes)) << root.name << ", " << damage.what;
            else
                EXPECT_TRUE(SameBytes(ReadBytes(path), expectedAfter)) << root.name << ", " << damage.what;
        }
        DeleteFileA(kept.c_str());
        DeleteFileA(path.c_str());
    }
}

TEST_F(ArchiveFilesTest, AnotherVersionLoadsAndIsWrittenBack)
{
    for (const RootFile& root : Roots()) {
        std::string path = File(root.name);
        root.writeValid();
        Bytes bytes = ReadBytes(path);
        bytes[4] = 0x77; // the version follows the magic
        WriteBytes(path, bytes);
        EXPECT_TRUE(root.loadHoldsContent()) << root.name;
        EXPECT_FALSE(FileExists(path + ".bad")) << root.name;
    }

    // Written back by the next save.
    Bytes tree = ReadBytes(File("servertree.cfg"));
    std::unique_ptr<CRecGroup>(new CRecGroup)->Save();
    EXPECT_TRUE(SameBytes(ReadBytes(File("servertree.cfg")), tree));
    EXPECT_EQ(tree[4], 0x77);
    CSysParam param;
    param.Load();
    param.Save();
    EXPECT_EQ(ReadBytes(File("sysparam.dat"))[4], 0x77);
}

TEST_F(ArchiveFilesTest, ReadOnlyFilesLoadAndAreNotOverwritten)
{
    for (const RootFile& root : Roots()) {
        std::string path = File(root.name);
        root.writeValid();
        Bytes before = ReadBytes(path);
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
        EXPECT_TRUE(root.loadHoldsContent()) << root.name;
        EXPECT_TRUE(SameBytes(ReadBytes(path), before)) << root.name;
    }

    // Saving into a read-only file changes nothing and reports nothing.
    std::unique_ptr<CRecGroup> tree(new CRecGroup);
    tree->AddGroup(nullptr, "Other");
    Bytes before = ReadBytes(File("servertree.cfg"));
    tree->Save();
    EXPECT_TRUE(SameBytes(ReadBytes(File("servertree.cfg")), before));
    CVuskLoopGroup tours;
    EXPECT_EQ(tours.Save(), 0);
    for (const RootFile& root : Roots())
        SetFileAttributesA(File(root.name).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ArchiveFilesTest, AFailedSaveLeavesTheOldFileWhole)
{
    std::unique_ptr<CRecGroup> tree(new CRecGroup);
    tree->AddGroup(nullptr, "Saved");
    tree->Save();
    Bytes saved = ReadBytes(File("servertree.cfg"));
    EXPECT_FALSE(FileExists(File("servertree.cfg.tmp")));

    // The temporary file cannot be created: the target stays as it was.
    ASSERT_TRUE(CreateDirectoryA(File("servertree.cfg.tmp").c_str(), nullptr));
    tree->AddGroup(nullptr, "Lost");
    tree->Save();
    EXPECT_TRUE(SameBytes(ReadBytes(File("servertree.cfg")), saved));
    RemoveDirectoryA(File("servertree.cfg.tmp").c_str());

    CVuskEMapGroup map;
    map.AddScene("Hall", nullptr);
    EXPECT_EQ(map.Save(File("no such folder\\emaptree.cfg").c_str()), 0);
}

TEST_F(ArchiveFilesTest, LeftoversOfInterruptedSavesAndNothingElseGoAtStart)
{
    // The temporary file of every save, as the saves themselves name it.
    WrittenTemporaries().clear();
    SetSaveReplaceHook(NoteWritten);
    for (const RootFile& root : Roots())
        root.writeValid();
    CUserGroup users;
    users.Load();
    users.Save();
    SetSaveReplaceHook(nullptr);
    // One name per file, however often it was saved.
    std::set<std::string> names(WrittenTemporaries().begin(), WrittenTemporaries().end());
    std::vector<std::string> leftovers(names.begin(), names.end());
    ASSERT_EQ(leftovers.size(), Roots().size() + 1);

    // A kill at the wrong moment left each of them, and an older version its plain user list.
    leftovers.push_back(File("userlist.bak"));
    for (const std::string& path : leftovers)
        WriteBytes(path, Bytes(64, 0x5A));
    const std::vector<std::string> others = {"notes.tmp",  "servertree.cfg.tmp.old", "sysparam.tmp", "userlist.bak.txt",
                                             "backup.bak", "pageview.cfg.bad"};
    for (const std::string& name : others)
        WriteBytes(File(name), Bytes(3, 1));
    std::vector<std::pair<std::string, Bytes>> saved;
    for (const RootFile& root : Roots())
        saved.push_back({root.name, ReadBytes(File(root.name))});
    saved.push_back({"userlist.dat", ReadBytes(File("userlist.dat"))});

    RemoveInterruptedSaveLeftovers();
    for (const std::string& path : leftovers)
        EXPECT_FALSE(FileExists(path)) << path;
    for (const std::string& name : others)
        EXPECT_TRUE(FileExists(File(name))) << name;
    for (const auto& file : saved)
        EXPECT_TRUE(SameBytes(ReadBytes(File(file.first)), file.second)) << file.first;
}
