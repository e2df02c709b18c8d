// The station's file service: Depotix listening or not as the settings say, and the log-in check
// with its system-log records, following the settings when they change.
#include <winsock2.h>

#include <gtest/gtest.h>

#include "station/core/datamodel/SysParam.h"
#include "station/core/storage/StationFileService.h"
#include "station/core/storage/SystemLog.h"
#include "tests/station/core/storage/StorageTestHelpers.h"
#include "tests/support/TestSupport.h"

#include <string.h>

namespace {

bool Listening(int port)
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in sa = {};
    sa.sin_family = AF_INET;
    sa.sin_port = htons((u_short)port);
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool ok = connect(s, (sockaddr*)&sa, sizeof(sa)) == 0;
    closesocket(s);
    return ok;
}

std::vector<SysLogRecord> Records(const std::string& path)
{
    std::vector<char> bytes = ReadBytes(path);
    std::vector<SysLogRecord> records(bytes.size() / sizeof(SysLogRecord));
    if (!records.empty())
        memcpy(records.data(), bytes.data(), records.size() * sizeof(SysLogRecord));
    return records;
}

TEST(StationFileService, ListensAsTheSettingsSayAndChecksLogInsWithRecords)
{
    TempDir temp;
    ScopedClock clock(2026, 12, 7, 10, 0, 0);
    CSystemLog log;
    log.SetBaseDir(temp.Path().c_str());
    std::string day = temp.Path() + "\\Vusk\\2026_12_07.log";
    CSysParam params;
    params.m_fileServiceEnabled = 1;
    params.m_fileServicePort = 0; // any free port
    params.m_fileServiceUser = "remote";
    params.m_fileServicePassword = "pw";

    CStationFileService service;
    service.Init();
    ASSERT_TRUE(service.Restart(params, &log));
    int port = service.GetPort();
    ASSERT_GT(port, 0);
    EXPECT_TRUE(Listening(port));

    EXPECT_EQ(CStationFileService::Login("10.0.0.7", "remote", "pw"), 0);
    EXPECT_EQ(CStationFileService::Login("10.0.0.7", "remote", "PW"), -1);
    EXPECT_EQ(CStationFileService::Login("10.0.0.7", "", ""), -1);
    std::vector<SysLogRecord> records = Records(day);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].type, 3);
    EXPECT_EQ(records[0].subType, 0);
    EXPECT_STREQ(records[0].detail, "远程文件服务");
    EXPECT_STREQ(records[0].text, "10.0.0.7 连接成功");
    EXPECT_STREQ(records[1].text, "10.0.0.7 用户名密码错误！");

    // New settings reach the check: without a user everyone is admitted and nothing is logged.
    params.m_fileServiceUser = "";
    ASSERT_TRUE(service.Restart(params, &log));
    EXPECT_EQ(CStationFileService::Login("10.0.0.8", "anyone", "x"), 0);
    EXPECT_EQ(Records(day).size(), 3u);

    // Switched off: stopped; a port it cannot listen on: FALSE.
    params.m_fileServiceEnabled = 0;
    EXPECT_TRUE(service.Restart(params, &log));
    EXPECT_EQ(service.GetPort(), 0);
    EXPECT_FALSE(Listening(service.GetPort() ? service.GetPort() : port));
    params.m_fileServiceEnabled = 1;
    params.m_fileServicePort = 70000;
    EXPECT_FALSE(service.Restart(params, &log));
    service.Shutdown();
}

} // namespace
