// The storage-root file.
#include "station/core/storage/StoragePathFile.h"

#include <stdio.h>

#include <vector>

#include "station/core/datamodel/StationArchive.h"

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
    FILE* file = OpenRecordFile(RootsPath(startDir));
    if (file != nullptr) {
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
    // Through a temporary file: a stop or a full disk mid-save must not leave a short file, which
    // would send the next start's recordings to "D:".
    std::vector<StoragePathEntry> table(entries, entries + (count > 0 ? count : 0));
    return SaveBytesFile(RootsPath(startDir), table.empty() ? (const void*)"" : table.data(),
                         table.size() * sizeof(StoragePathEntry));
}
