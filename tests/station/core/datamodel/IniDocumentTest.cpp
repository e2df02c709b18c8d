// The profile files saved whole: what a document writes reads back through the profile functions
// as their own writes would, every line it does not change keeps its bytes, and a save that cannot
// replace the file leaves it as it was.
#include "tests/station/core/datamodel/DataModelTestSupport.h"

#include "station/core/datamodel/IniDocument.h"

namespace {

std::string Profile(const std::string& path, const char* section, const char* key)
{
    char value[512] = {};
    GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, path.c_str());
    return value;
}

std::string FileText(const std::string& path)
{
    Bytes bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

void WriteText(const std::string& path, const std::string& text)
{
    WriteBytes(path, Bytes(text.begin(), text.end()));
}

struct Change {
    const char* section;
    const char* key;
    const char* value;
};

struct Lookup {
    const char* section;
    const char* key;
    const char* value; // as GetPrivateProfileString returns it
};

class IniDocumentTest : public DataModelTest {};

} // namespace

TEST_F(IniDocumentTest, ChangesReadBackThroughTheProfileFunctionsAndOtherLinesKeepTheirBytes)
{
    const struct Case {
        const char* what;
        std::string before; // null: no file
        bool missing;
        std::vector<Change> changes;
        std::string after;            // the whole file; empty: not compared
        std::vector<Lookup> readings; // through the profile functions after the save
    } cases[] = {
        {"a missing file",
         "",
         true,
         {{"STARATUPTIME", "HOUR0", "7"}, {"STARATUPTIME", "USE0", "1"}, {"PROGRAMNAME", "AUTORUN", "0"}},
         "[STARATUPTIME]\r\nHOUR0=7\r\nUSE0=1\r\n[PROGRAMNAME]\r\nAUTORUN=0\r\n",
         {{"STARATUPTIME", "HOUR0", "7"}, {"PROGRAMNAME", "AUTORUN", "0"}}},
        {"keys found whatever their case and blanks; new keys close their section; comments stay",
         "; written by hand\r\n[programname]\r\n  Name = old.exe  "
         "\r\nWINDOWNAME=监控中心\r\n\r\n[STOPTIME]\r\nENABLE=1\r\n",
         false,
         {{"PROGRAMNAME", "NAME", "C:\\监控\\Warden.exe"},
          {"PROGRAMNAME", "CURDIRECTORY", "C:\\监控"},
          {"STOPTIME", "ENABLE", "0"}},
         "; written by hand\r\n[programname]\r\nNAME=C:\\监控\\Warden.exe\r\nWINDOWNAME=监控中心\r\n"
         "CURDIRECTORY=C:\\监控\r\n\r\n[STOPTIME]\r\nENABLE=0\r\n",
         {{"PROGRAMNAME", "NAME", "C:\\监控\\Warden.exe"},
          {"PROGRAMNAME", "WINDOWNAME", "监控中心"},
          {"PROGRAMNAME", "CURDIRECTORY", "C:\\监控"},
          {"STOPTIME", "ENABLE", "0"}}},
        {"line ends of a foreign editor, no end on the last line, a key without a value, a second section of the "
         "same name",
         "[EXIT]\nEXITCODE\n[EXITTIME]\nYEAR=2025\n[EXIT]\nEXITCODE=1",
         false,
         {{"EXIT", "EXITCODE", "0"}, {"EXITTIME", "MONTH", "12"}},
         "[EXIT]\r\nEXITCODE=0\r\n[EXITTIME]\r\nYEAR=2025\r\nMONTH=12\r\n[EXIT]\r\nEXITCODE=1\r\n",
         {{"EXIT", "EXITCODE", "0"}, {"EXITTIME", "YEAR", "2025"}, {"EXITTIME", "MONTH", "12"}}},
        {"a value is one line: a break in it cannot start a section of its own",
         "[PROGRAMNAME]\r\nWINDOWNAME=old\r\n",
         false,
         {{"PROGRAMNAME", "WINDOWNAME", "title\r\n[STARATUPTIME]\r\nENABLE=1"}},
         "[PROGRAMNAME]\r\nWINDOWNAME=title\r\n",
         {{"PROGRAMNAME", "WINDOWNAME", "title"}, {"STARATUPTIME", "ENABLE", "<missing>"}}},
        {"a file the profile functions read as UTF-8 keeps what they read from it",
         "\xEF\xBB\xBF[USERINFO]\r\nADDRESS=\xE6\x80\xBB\xE9\x83\xA8\r\n",
         false,
         {{"USERINFO", "PORT", "3000"}},
         "[USERINFO]\r\nADDRESS=总部\r\nPORT=3000\r\n",
         {{"USERINFO", "ADDRESS", "总部"}, {"USERINFO", "PORT", "3000"}}},
        {"a file the profile functions read as UTF-16 keeps what they read from it",
         std::string("\xFF\xFE[\0P\0]\0\r\0\n\0s\0=\0\x3B\x60\xE8\x90\r\0\n\0", 24),
         false,
         {{"P", "t", "1"}},
         "[P]\r\ns=总部\r\nt=1\r\n",
         {{"P", "s", "总部"}, {"P", "t", "1"}}},
    };
    for (const Case& c : cases) {
        const std::string path = File("case.ini");
        DeleteFileA(path.c_str());
        if (!c.missing)
            WriteText(path, c.before);
        CIniDocument ini;
        ASSERT_TRUE(ini.Load(path.c_str())) << c.what;
        for (const Change& change : c.changes)
            ini.SetString(change.section, change.key, change.value);
        ASSERT_TRUE(ini.Save()) << c.what;
        if (!c.after.empty())
            EXPECT_EQ(c.after, FileText(path)) << c.what;
        for (const Lookup& l : c.readings)
            EXPECT_EQ(l.value, Profile(path, l.section, l.key)) << c.what << ": " << l.section << " " << l.key;
        EXPECT_FALSE(FileExists(path + ".tmp")) << c.what;
    }
}

TEST_F(IniDocumentTest, AFileThatCannotBeReplacedOrReadStaysAsItWas)
{
    const std::string path = File("start.ini");
    const std::string before = "[PROGRAMNAME]\r\nWINDOWNAME=监控中心\r\n";
    const struct Case {
        const char* what;
        std::function<void()> block, unblock;
    } cases[] = {
        {"the temporary file cannot be made", [&] { CreateDirectoryA((path + ".tmp").c_str(), nullptr); },
         [&] { RemoveDirectoryA((path + ".tmp").c_str()); }},
        {"the file is read-only", [&] { SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY); },
         [&] { SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL); }},
    };
    for (const Case& c : cases) {
        WriteText(path, before);
        c.block();
        CIniDocument ini;
        EXPECT_TRUE(ini.Load(path.c_str())) << c.what;
        ini.SetNumber("STARATUPTIME", "ENABLE", 1);
        EXPECT_FALSE(ini.Save()) << c.what;
        c.unblock();
        EXPECT_EQ(before, FileText(path)) << c.what;
        EXPECT_FALSE(FileExists(path + ".tmp")) << c.what;
    }

    // A file that exists but cannot be read is never replaced by the changes alone.
    WriteText(path, before);
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    CIniDocument ini;
    EXPECT_FALSE(ini.Load(path.c_str()));
    ini.SetNumber("STARATUPTIME", "ENABLE", 1);
    EXPECT_FALSE(ini.Save());
    CloseHandle(held);
    EXPECT_EQ(before, FileText(path));
}
