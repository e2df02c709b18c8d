// The storage-root file.
#include "station/core/storage/StoragePathFile.h"

#include <stdio.h>

namespace {

CString RootsPath(LPCSTR startDir)
{
    CString path;
    path.Format("%s\\%s", startDir, "sysrecord.dat");
    return path;
}

} // namespace

int LoadStorageRoots(LPCSTR startDir, StoragePathEntry table[kMaxStoragePaths])
{
    int count = 0;
    FILE* file = fopen(RootsPath(startDir), "a+b");
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

BOOL SaveStorageRoots(LPCSTR startDir, const StoragePathEntry* entries, int count)
{
    FILE* file = fopen(RootsPath(startDir), "wb");
    if (file == nullptr)
        return FALSE;
    BOOL whole = TRUE;
    for (int i = 0; i < count && whole; ++i)
        whole = fwrite(&entries[i], sizeof(StoragePathEntry), 1, file) == 1;
    if (fclose(file) != 0)
        whole = FALSE;
    return whole;
}
