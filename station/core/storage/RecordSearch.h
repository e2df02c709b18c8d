// The recording search's query and its answer: what CRecordStore::SearchRecords and SearchDayDirs take
// (RecordSearch.cpp holds them).
#pragma once

// File kinds of the search.
enum RecordKind { RECORD_KIND_MP4 = 1, RECORD_KIND_JPEG = 2, RECORD_KIND_BMP = 3, RECORD_KIND_ASF = 4 };

struct RecordQuery {
    char name[40]; // server name; empty = any
    int channel;   // counted from 0; -1 = any
    int kind;      // RecordKind; any other value searches ASF recordings
    int rangeFlag; // 0 = no date or time filter (the date and time fields are not read)
    int fromYear, fromMonth, fromDay;
    int toYear, toMonth, toDay;
    int fromHour, fromMinute;
    int toHour, toMinute;
    int fromSecond, toSecond;
    int typeSelector; // 0 any; 1 manual, 2 schedule, 3 video motion, 4 alarm
};

// One call per hit: server name, channel from 0, start and end (file modification) as calendar
// times, size in bytes (at most 0x7FFFFFFF), full path, the caller's user value.
typedef int (*RecordSearchCallback)(const char* name, int channel, int start, int end, int size, const char* path,
                                    void* user);

// The RecordReason bit a query's type selector asks for, or 0 for no filter.
int RecordReasonOfSelector(int typeSelector);
