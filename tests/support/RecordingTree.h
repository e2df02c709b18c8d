// Day directories of empty recordings with their index files, as the record store writes them:
// what the record search and the file query are measured on.
#pragma once

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include <afx.h>

#include "station/core/storage/RecordStore.h"

// days directories from 1 January 2026, each with perDay recordings of eight servers' four
// channels spread over the day, one record type each in turn.
inline void BuildRecordingTree(const std::string& base, int days, int perDay)
{
    CTime day(2026, 1, 1, 0, 0, 0);
    for (int d = 0; d < days; ++d, day += CTimeSpan(1, 0, 0, 0)) {
        char dayDir[MAX_PATH];
        snprintf(dayDir, sizeof(dayDir), "%s\\%04d%02d%02d", base.c_str(), day.GetYear(), day.GetMonth(), day.GetDay());
        CreateDirectoryA(dayDir, nullptr);
        std::vector<RecordIndexEntry> entries(perDay);
        for (int i = 0; i < perDay; ++i) {
            RecordIndexEntry& e = entries[i];
            memset(&e, 0, sizeof(e));
            snprintf(e.name, sizeof(e.name), "Server%d", i % 8);
            e.channel = (BYTE)(i % 4);
            e.year = day.GetYear();
            e.month = (BYTE)day.GetMonth();
            e.day = (BYTE)day.GetDay();
            int second = i * (86400 / perDay);
            e.hour = (BYTE)(second / 3600);
            e.minute = (BYTE)(second / 60 % 60);
            e.second = (BYTE)(second % 60);
            e.typeBits = 1 << (i % 4);
            char path[MAX_PATH];
            snprintf(path, sizeof(path), "%s\\%s_%d_%02d%02d%02d.mp4", dayDir, e.name, e.channel + 1, e.hour, e.minute,
                     e.second);
            CloseHandle(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        }
        char index[MAX_PATH];
        snprintf(index, sizeof(index), "%s\\index", dayDir);
        FILE* f = fopen(index, "wb");
        if (f == nullptr)
            continue;
        fwrite(entries.data(), sizeof(RecordIndexEntry), entries.size(), f);
        fclose(f);
    }
}
