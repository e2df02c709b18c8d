// Export and import of the settings files; the storage-root table.
#include "station/ui/SettingsTransfer.h"

#include <stdio.h>

#include "resources/warden/resource.h"

const char* const kExportOrder[kSettingsFileCount] = {
    "sysparam.dat", "userlist.dat", "sysrecord.dat", "servertree.cfg",
    "pageview.cfg", "emaptree.cfg", "loopview.cfg",  "broadcast.cfg",
};
const char* const kImportOrder[kSettingsFileCount] = {
    "sysparam.dat", "userlist.dat", "sysrecord.dat", "servertree.cfg",
    "pageview.cfg", "emaptree.cfg", "broadcast.cfg", "loopview.cfg",
};

namespace {

int g_imported = 0;

CString JoinPath(LPCSTR dir, LPCSTR name)
{
    CString path;
    path.Format("%s\\%s", dir, name);
    return path;
}

} // namespace

int ExportSettingsFiles(LPCSTR startDir, LPCSTR folder)
{
    int failed = 0;
    for (const char* name : kExportOrder) {
        if (!::CopyFileA(JoinPath(startDir, name), JoinPath(folder, name), FALSE))
            ++failed;
    }
    return failed;
}

CString ImportSettingsFiles(LPCSTR startDir, LPCSTR folder, int* copied)
{
    CString report;
    int done = 0;
    for (const char* name : kImportOrder) {
        if (::CopyFileA(JoinPath(folder, name), JoinPath(startDir, name), FALSE)) {
            ++done;
            continue;
        }
        CString line;
        line.Format(IDS_IMPORT_FILE_FAILED, name);
        report += line + "\t\r\n";
    }
    CString notice;
    notice.LoadString(IDS_IMPORT_RESTART);
    report += notice;
    if (copied != nullptr)
        *copied = done;
    return report;
}

void MarkSettingsImported()
{
    g_imported = 1;
}
int SettingsImported()
{
    return g_imported;
}
void ResetSettingsImported()
{
    g_imported = 0;
}

int LoadStorageRoots(LPCSTR startDir, StoragePathEntry table[kMaxStoragePaths])
{
    int count = 0;
    FILE* file = fopen(JoinPath(startDir, "sysrecord.dat"), "a+b");
    if (file != nullptr) {
        fseek(file, 0, SEEK_SET);
        while (count < kMaxStoragePaths && fread(&table[count], sizeof(StoragePathEntry), 1, file) == 1) {
            StoragePathEntry& entry = table[count++];
            entry.root[sizeof entry.root - 1] = '\0';
            entry.dir[sizeof entry.dir - 1] = '\0';
        }
        fclose(file);
    }
    if (count == 0) {
        memset(&table[0], 0, sizeof table[0]);
        CopyText(table[0].root, "D:");
        table[0].reserve = 500;
        count = 1;
    }
    return count;
}
