// Reading and writing "serverinfo.dat".
#include "station/config/ServerInfoFile.h"

#include <stdio.h>

#include "station/core/datamodel/StationPaths.h"

CString ServerInfoPath()
{
    return StationFilePath("serverinfo.dat");
}

BOOL LoadServerInfo(LPCSTR path, CServerInfoArray& records)
{
    FILE* file = fopen(path, "ab+");
    if (file == nullptr)
        return FALSE;
    rewind(file);
    ServerInfoRecord record;
    while (fread(&record, sizeof record, 1, file) == 1)
        records.Add(new ServerInfoRecord(record));
    fclose(file);
    return TRUE;
}

BOOL SaveServerInfo(LPCSTR path, const CServerInfoArray& records)
{
    FILE* file = fopen(path, "wb");
    if (file == nullptr)
        return FALSE;
    BOOL whole = TRUE;
    for (INT_PTR i = 0; i < records.GetSize(); ++i)
        whole = whole && fwrite(records[i], sizeof(ServerInfoRecord), 1, file) == 1;
    return fclose(file) == 0 && whole;
}

void FreeServerInfo(CServerInfoArray& records)
{
    for (INT_PTR i = 0; i < records.GetSize(); ++i)
        delete records[i];
    records.RemoveAll();
}
