// The station's eight settings files copied to and from a folder. The table of recording storage
// roots read from "sysrecord.dat" comes with StoragePathFile.h.
#pragma once

#include <afx.h>

#include "station/core/storage/StoragePathFile.h"

const int kSettingsFileCount = 8;
extern const char* const kExportOrder[kSettingsFileCount];
extern const char* const kImportOrder[kSettingsFileCount];

// Copies every file from the start directory into folder, overwriting; all are attempted. Returns
// the number of copies that failed.
int ExportSettingsFiles(LPCSTR startDir, LPCSTR folder);

// Copies every file from folder into the start directory, overwriting; all are attempted. Returns
// the report: one line per failed file, then the restart notice. copied: how many succeeded.
CString ImportSettingsFiles(LPCSTR startDir, LPCSTR folder, int* copied);

// Once an import copied a file, the station saves none of the eight files until it restarts, so
// that what was imported takes effect at the next start.
void MarkSettingsImported();
int SettingsImported();
void ResetSettingsImported(); // for tests
