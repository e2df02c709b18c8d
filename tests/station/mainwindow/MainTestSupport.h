// Helpers of the main window's tests: the system log's records and small files.
#pragma once

#include <string>
#include <vector>

#include "station/core/storage/SystemLog.h"

// Every record of the daily files in "<dir>\Vusk", in file order.
std::vector<SysLogRecord> ReadLogRecords(const std::string& dir);
void WriteFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
std::string ReadIni(const std::string& path, const char* section, const char* key);
