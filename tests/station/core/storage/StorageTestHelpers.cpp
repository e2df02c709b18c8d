// Helpers of the storage tests.
#include "tests/station/core/storage/StorageTestHelpers.h"

#include "framework/Seams.h"

#include <algorithm>
#include <stdio.h>
#include <string.h>

namespace {

SYSTEMTIME fixedTime;
void FixedLocalTime(SYSTEMTIME* now)
{
    *now = fixedTime;
}

std::mutex ruleLock;
ScopedFreeSpace::Rule freeRule;

BOOL RuleFreeSpace(LPCSTR root, ULONGLONG* freeBytes)
{
    long long megabytes;
    {
        std::lock_guard<std::mutex> lock(ruleLock);
        megabytes = freeRule ? freeRule(root) : -1;
    }
    if (megabytes < 0)
        return FALSE;
    *freeBytes = ((ULONGLONG)megabytes << 20) + 12345; // a fraction of a megabyte is dropped
    return TRUE;
}

} // namespace

void TestOwner::OnDiskEvent(int event)
{
    {
        std::lock_guard<std::mutex> lock(eventsLock);
        events.push_back(event);
    }
    SetEvent(posted);
}

std::vector<int> TestOwner::Take()
{
    std::lock_guard<std::mutex> lock(eventsLock);
    std::vector<int> taken;
    taken.swap(events);
    return taken;
}

ScopedClock::ScopedClock(int year, int month, int day, int hour, int minute, int second)
{
    Set(year, month, day, hour, minute, second);
    Seams::ReplaceLocalTime(&FixedLocalTime);
}

ScopedClock::~ScopedClock()
{
    Seams::ReplaceLocalTime(nullptr);
}

void ScopedClock::Set(int year, int month, int day, int hour, int minute, int second)
{
    SYSTEMTIME st = {};
    st.wYear = (WORD)year;
    st.wMonth = (WORD)month;
    st.wDay = (WORD)day;
    st.wHour = (WORD)hour;
    st.wMinute = (WORD)minute;
    st.wSecond = (WORD)second;
    fixedTime = st;
}

ScopedFreeSpace::ScopedFreeSpace(Rule rule)
{
    SetRule(std::move(rule));
    Seams::ReplaceFreeDiskSpace(&RuleFreeSpace);
}

ScopedFreeSpace::~ScopedFreeSpace()
{
    Seams::ReplaceFreeDiskSpace(nullptr);
    SetRule(nullptr);
}

void ScopedFreeSpace::SetRule(Rule rule)
{
    std::lock_guard<std::mutex> lock(ruleLock);
    freeRule = std::move(rule);
}

std::vector<char> ReadBytes(const std::string& path)
{
    std::vector<char> bytes;
    FILE* f = fopen(path.c_str(), "rb");
    if (f == nullptr)
        return bytes;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof(buffer), f)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    fclose(f);
    return bytes;
}

void WriteBytes(const std::string& path, const void* data, size_t size)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (f == nullptr)
        return;
    if (size > 0)
        fwrite(data, 1, size, f);
    fclose(f);
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> ListNames(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (strcmp(fd.cFileName, ".") != 0 && strcmp(fd.cFileName, "..") != 0)
            names.push_back(fd.cFileName);
    } while (FindNextFileA(find, &fd));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

void MakeDir(const std::string& path)
{
    CreateDirectoryA(path.c_str(), nullptr);
}

StoragePathEntry MakeEntry(const std::string& root, int reserve, const std::string& dir)
{
    StoragePathEntry entry = {};
    strncpy(entry.root, root.c_str(), sizeof(entry.root) - 1);
    entry.reserve = reserve;
    strncpy(entry.dir, dir.c_str(), sizeof(entry.dir) - 1);
    return entry;
}
