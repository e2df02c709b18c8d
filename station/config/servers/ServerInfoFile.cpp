// Reading and writing "serverinfo.dat".
#include "station/config/servers/ServerInfoFile.h"

#include <stdio.h>

#include <vector>

#include "station/core/datamodel/StationArchive.h"
#include "station/core/datamodel/StationPaths.h"

CString ServerInfoPath()
{
    return StationFilePath("serverinfo.dat");
}

BOOL LoadServerInfo(LPCSTR path, CServerInfoArray& records)
{
    FILE* file = OpenRecordFile(path);
    if (file == nullptr)
        return FALSE;
    ServerInfoRecord record;
    while (fread(&record, sizeof record, 1, file) == 1)
        records.Add(new ServerInfoRecord(record));
    fclose(file);
    return TRUE;
}

BOOL SaveServerInfo(LPCSTR path, const CServerInfoArray& records)
{
    // Through a temporary file: a stop or a full disk mid-save must not cost the pick list.
    std::vector<ServerInfoRecord> bytes;
    bytes.reserve(records.GetSize());
    for (INT_PTR i = 0; i < records.GetSize(); ++i)
        bytes.push_back(*records[i]);
    return SaveBytesFile(path, bytes.empty() ? (const void*)"" : bytes.data(), bytes.size() * sizeof(ServerInfoRecord));
}

void FreeServerInfo(CServerInfoArray& records)
{
    for (INT_PTR i = 0; i < records.GetSize(); ++i)
        delete records[i];
    records.RemoveAll();
}
