// The system parameters: the 57 values of "sysparam.dat" in their order, and files that end early.
#include "tests/station/core/datamodel/DataModelTestSupport.h"

#include "station/core/datamodel/StationPaths.h"
#include "station/core/datamodel/SysParam.h"

namespace {

class SysParamTest : public DataModelTest {};

} // namespace

TEST_F(SysParamTest, DefaultsAreWrittenInFileOrder)
{
    SetStartDirectory("C:\\Warden\\");
    CSysParam param;
    param.Save(File("sysparam.dat").c_str());

    Record r;
    r.D(0xFFEEDD89).D(0x05092901);
    for (int i = 0; i < 4; ++i)
        r.S("C:\\Warden\\alert.wav");
    r.S("C:\\Warden\\Clipview.exe").S("C:\\").D(10).S("").D(50).D(20).S("D:").D(0);
    r.D(0).S("234.5.6.7").D(6000).S("").D(3000).D(50).D(100).D(50);
    r.S("531947").S("531947").S("590264").S("590264").S("731840").S("731840");
    r.D(1).D(3000).S("531947").S("531947");
    r.D(0).D(1).D(0).D(0).D(0).D(0).D(0).D(0).S("C:\\Warden\\mplayer2.exe");
    r.D(9600).D(8).D(0).D(0).D(1);
    r.D(9600).D(8).D(0).D(0).D(1).D(0);
    r.D(0).D(0).S("").S("").D(0);
    EXPECT_TRUE(SameBytes(ReadBytes(File("sysparam.dat")), r.bytes));
}

TEST_F(SysParamTest, ValuesRoundTrip)
{
    CSysParam param;
    param.m_alarmSound[2] = "D:\\声音\\门.wav";
    param.m_logKeepDays = 30;
    param.m_diskFullMode = 1;
    param.m_forwardOperatorPassword = "x";
    param.m_fileServiceUser.Empty();
    param.m_fileServicePassword.Empty();
    param.m_alarmAction = 2;
    param.m_restorePages = 0;
    param.m_alwaysReconnect = 1;
    param.m_keyboardPort = 5;
    param.m_linkageControlFile = "pelco.ptz";
    param.Save();

    CSysParam loaded;
    loaded.Load();
    EXPECT_EQ(loaded.m_alarmSound[2], "D:\\声音\\门.wav");
    EXPECT_EQ(loaded.m_logKeepDays, 30);
    EXPECT_EQ(loaded.m_forwardOperatorPassword, "x");
    EXPECT_TRUE(loaded.m_fileServiceUser.IsEmpty());
    EXPECT_EQ(loaded.m_restorePages, 0);
    EXPECT_EQ(loaded.m_alwaysReconnect, 1);
    EXPECT_EQ(loaded.m_keyboardPort, 5);
    Bytes first = ReadBytes(File("sysparam.dat"));
    loaded.Save(File("copy.dat").c_str());
    EXPECT_TRUE(SameBytes(ReadBytes(File("copy.dat")), first));
}

TEST_F(SysParamTest, FilesEndingEarlyGiveTheDefaults)
{
    CSysParam changed;
    changed.m_forwardAdminUser = "changed";
    changed.m_alwaysReconnect = 1;
    changed.Save();
    Bytes full = ReadBytes(File("sysparam.dat"));
    CSysParam().Save(File("defaults.dat").c_str());
    Bytes defaults = ReadBytes(File("defaults.dat"));

    const Bytes cases[] = {Hex("89 DD EE FF"), Bytes(full.begin(), full.end() - 4)}; // magic only; 56 values
    for (const Bytes& damaged : cases) {
        WriteBytes(File("sysparam.dat"), damaged);
        CSysParam param;
        param.m_forwardAdminUser = "stale";
        param.Load();
        EXPECT_EQ(param.m_forwardAdminUser, "531947");
        EXPECT_EQ(param.m_alwaysReconnect, 0);
        EXPECT_TRUE(SameBytes(ReadBytes(File("sysparam.dat")), defaults));
        EXPECT_TRUE(SameBytes(ReadBytes(File("sysparam.dat.bad")), damaged));
    }
}
