// Helpers of the main window's tests: a start directory for the main dialog, its server tree and
// automatic log-in, the system log's records and small files.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "station/core/storage/SystemLog.h"
#include "tests/support/TestSupport.h"

// A start directory with a user list whose first user is "Admin" with password "Pw" and all rights,
// and the file service off. The window seams are the platform's again afterwards.
class StationDirTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::unique_ptr<TempDir> dir_;
};

// "servertree.cfg" with the root caption and one project holding server "Lobby" (127.0.0.1, port 1:
// nothing listens, so the poller and the sessions fail quietly; an alarm box) with two cameras, the
// second disabled.
void WriteServerTree(const char* caption);
// The user list's automatic log-in with the stored name and password.
void EnableAutoLogin(const char* user = "admin", const char* password = "pw");

// Every record of the daily files in "<dir>\Vusk", in file order.
std::vector<SysLogRecord> ReadLogRecords(const std::string& dir);
void WriteFile(const std::string& path, const std::string& bytes);
// The file's bytes; empty when it cannot be read.
std::string FileBytes(const std::string& path);
bool FileExists(const std::string& path);
std::string ReadIni(const std::string& path, const char* section, const char* key);
