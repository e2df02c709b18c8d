// What the recording storage asks of the station around it. The main window implements it and
// hands itself to CRecordStore::SetOwner before the disk watcher starts; without an owner the
// storage records MP4, purges no log and reports nothing.
#pragma once

class CSystemLog;

// The disk watcher's reports, the wParam of WM_RECORD_DISK_EVENT (0x52D, lParam 0).
enum RecordDiskEvent {
    DISK_EVENT_SWITCHED = 0,       // recording moved to another storage path
    DISK_EVENT_FULL_STOPPED = 1,   // every path is full and the full-disk mode stops recording
    DISK_EVENT_FULL_NO_DELETE = 2, // every path is full and deleting old days did not free one
};

class IRecordStoreOwner {
public:
    virtual ~IRecordStoreOwner() = default;

    // Called on the watcher's thread: post WM_RECORD_DISK_EVENT (event, 0) to the main window,
    // which restarts the channel sessions' recordings and writes the log there.
    virtual void OnDiskEvent(int event) = 0;
    // The system parameters' recording format (1 = ASF, else MP4), read each time a recording
    // file is named, on the user-interface or a library thread.
    virtual int GetRecordFormat() = 0;
    // The system parameters' number of daily log files kept (0 = all), read by the watcher.
    virtual int GetLogKeepDays() = 0;
    // The station's system log, purged by the watcher; may be null.
    virtual CSystemLog* GetSystemLog() = 0;
};
