// Helpers of the main window's tests.
#include "tests/station/mainwindow/MainTestSupport.h"

#include <windows.h>
#include <stdio.h>

std::vector<SysLogRecord> ReadLogRecords(const std::string& dir)
{
    std::vector<SysLogRecord> records;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((dir + "\\Vusk\\*.log").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return records;
    do {
        FILE* file = fopen((dir + "\\Vusk\\" + found.cFileName).c_str(), "rb");
        if (file == nullptr)
            continue;
        SysLogRecord record;
        while (fread(&record, sizeof record, 1, file) == 1)
            records.push_back(record);
        fclose(file);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return records;
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (file == nullptr)
        return;
    fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadIni(const std::string& path, const char* section, const char* key)
{
    char value[512] = "";
    GetPrivateProfileStringA(section, key, "", value, sizeof value, path.c_str());
    return value;
}
