// Helpers of the storage tests: a settable clock and free-space function installed through the
// framework's seams, and small file utilities.
#pragma once

#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "station/core/storage/RecordStoreOwner.h"
#include "station/core/storage/StoragePathEntry.h"

// The main window's part as the storage sees it: settings to hand out, and the disk events it was
// sent, with an event set at each so a test can wait for the watcher's thread.
class TestOwner : public IRecordStoreOwner {
public:
    TestOwner() : posted(CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}
    ~TestOwner() override { CloseHandle(posted); }
    void OnDiskEvent(int event) override;
    int GetRecordFormat() override { return format; }
    int GetLogKeepDays() override { return keep; }
    CSystemLog* GetSystemLog() override { return log; }
    // The events so far, which are then forgotten.
    std::vector<int> Take();

    HANDLE posted;
    int format = 0;
    int keep = 0;
    CSystemLog* log = nullptr;

private:
    std::mutex eventsLock;
    std::vector<int> events;
};

// Installs a fixed local time for its lifetime; Set moves it.
class ScopedClock {
public:
    ScopedClock(int year, int month, int day, int hour, int minute, int second);
    ~ScopedClock();
    void Set(int year, int month, int day, int hour, int minute, int second);
};

// Installs a free-space rule for its lifetime: megabytes free of a root, or a negative value for a
// volume that cannot be measured. Read on the watcher's thread too.
class ScopedFreeSpace {
public:
    typedef std::function<long long(const std::string& root)> Rule;
    explicit ScopedFreeSpace(Rule rule);
    ~ScopedFreeSpace();
    void SetRule(Rule rule);
};

std::vector<char> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const void* data, size_t size);
bool Exists(const std::string& path);
// Names of the entries of a folder (no dots), sorted.
std::vector<std::string> ListNames(const std::string& folder);
void MakeDir(const std::string& path);

StoragePathEntry MakeEntry(const std::string& root, int reserve, const std::string& dir);
