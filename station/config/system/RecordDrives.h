// What the recording drives page lists and saves: the drives C to Y that are removable, fixed or
// remote, with their size and free space, asked through replaceable queries (the page's test seam);
// and the rules for a row's reserve and the record it becomes in "sysrecord.dat".
#pragma once

#include <windows.h>

#include "station/core/storage/StoragePathEntry.h"

// The platform's drive queries. logicalDrives: the bit mask of drive letters (bit 0 = A).
// driveType: the type of a root such as "C:\" (DRIVE_REMOVABLE 2, DRIVE_FIXED 3, DRIVE_REMOTE 4...).
// diskSpace: total and free bytes of the volume named as "C:"; FALSE when it cannot be asked.
struct DriveQueries {
    DWORD (*logicalDrives)();
    UINT (*driveType)(LPCSTR root);
    BOOL (*diskSpace)(LPCSTR drive, ULONGLONG* totalBytes, ULONGLONG* freeBytes);
};

// Installs queries for the page (null puts the platform's back); returns the ones installed before.
const DriveQueries* ReplaceDriveQueries(const DriveQueries* queries);

const int kRecordDriveLetters = 23; // C to Y; Z is never offered

struct RecordDrive {
    char name[3]; // "D:"
    int totalMB;
    int freeMB;
};

// The drives to list, in letter order. Sizes are asked with the system's critical-error boxes off,
// so a removable drive without a medium answers 0 instead of stopping the dialog with a box.
int ListRecordDrives(RecordDrive drives[kRecordDriveLetters]);

// A reserve cell's text as the number it stands for (0 for none, bounded to int).
int ParseMegabytes(LPCSTR text);
// The reserve a row keeps after an edit: the typed one when 0 <= reserve <= free, else the free space.
int CorrectedReserve(int reserve, int freeMB);
// The record of a checked row: its drive, reserve and folder, each cut to its field.
StoragePathEntry MakeStorageEntry(LPCSTR drive, int reserve, LPCSTR folder);
