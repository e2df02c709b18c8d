// The message and the log record of a failed save.
#include "station/config/SaveFailure.h"

#include "resources/warden/config.h"
#include "station/config/ConfigText.h"
#include "station/core/sessions/SessionWindows.h"
#include "station/core/storage/SystemLog.h"

void ReportSaveFailure(LPCSTR fileName)
{
    TRACE(traceArchive, "%s was not saved", fileName);
    // Logged as the storage events are, so that the log still tells after the box is gone.
    if (CSystemLog* log = StationWindows().GetSystemLog())
        log->Write(SYSLOG_ALARM, fileName, 0, ConfigString(IDS_SAVE_FAILED_LOG), nullptr);
    CString text;
    text.Format(ConfigString(IDS_SAVE_FAILED), fileName);
    ConfigMessageText(text);
}
