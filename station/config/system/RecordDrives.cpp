// The recording drives and their reserves.
#include "station/config/system/RecordDrives.h"

#include <afx.h>
#include <limits.h>
#include <stdlib.h>

namespace {

DWORD PlatformLogicalDrives()
{
    return ::GetLogicalDrives();
}

UINT PlatformDriveType(LPCSTR root)
{
    return ::GetDriveTypeA(root);
}

BOOL PlatformDiskSpace(LPCSTR drive, ULONGLONG* totalBytes, ULONGLONG* freeBytes)
{
    ULARGE_INTEGER available = {}, total = {}, free = {};
    if (!::GetDiskFreeSpaceExA(drive, &available, &total, &free))
        return FALSE;
    *totalBytes = total.QuadPart;
    *freeBytes = free.QuadPart;
    return TRUE;
}

const DriveQueries kPlatform = {PlatformLogicalDrives, PlatformDriveType, PlatformDiskSpace};
const DriveQueries* g_queries = &kPlatform;

int Megabytes(ULONGLONG bytes)
{
    ULONGLONG mb = bytes >> 20;
    return mb > (ULONGLONG)INT_MAX ? INT_MAX : (int)mb;
}

} // namespace

const DriveQueries* ReplaceDriveQueries(const DriveQueries* queries)
{
    const DriveQueries* previous = g_queries;
    g_queries = queries != nullptr ? queries : &kPlatform;
    return previous;
}

int ListRecordDrives(RecordDrive drives[kRecordDriveLetters])
{
    UINT oldMode = ::SetErrorMode(SEM_FAILCRITICALERRORS);
    DWORD mask = g_queries->logicalDrives();
    int count = 0;
    for (char letter = 'C'; letter <= 'Y'; ++letter) {
        if ((mask & (1u << (letter - 'A'))) == 0)
            continue;
        char root[4] = {letter, ':', '\\', '\0'};
        UINT type = g_queries->driveType(root);
        if (type != DRIVE_REMOVABLE && type != DRIVE_FIXED && type != DRIVE_REMOTE)
            continue;
        RecordDrive& drive = drives[count++];
        drive.name[0] = letter;
        drive.name[1] = ':';
        drive.name[2] = '\0';
        ULONGLONG total = 0, free = 0;
        if (!g_queries->diskSpace(drive.name, &total, &free))
            total = free = 0;
        drive.totalMB = Megabytes(total);
        drive.freeMB = Megabytes(free);
    }
    ::SetErrorMode(oldMode);
    return count;
}

int ParseMegabytes(LPCSTR text)
{
    long long value = text != nullptr ? strtoll(text, nullptr, 10) : 0;
    return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : (int)value;
}

int CorrectedReserve(int reserve, int freeMB)
{
    return reserve >= 0 && reserve <= freeMB ? reserve : freeMB;
}

StoragePathEntry MakeStorageEntry(LPCSTR drive, int reserve, LPCSTR folder)
{
    StoragePathEntry entry = {};
    CopyText(entry.root, drive);
    entry.reserve = reserve;
    CopyText(entry.dir, folder);
    return entry;
}
