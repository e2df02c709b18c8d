// Log records as rows of the viewer's list.
#include "station/config/queries/SysLogRows.h"

#include "station/config/FieldText.h"

void FormatLogRow(const SysLogRecord& record, CString columns[5])
{
    columns[0] = FieldText(record.time);
    columns[1] = FieldText(record.detail);
    columns[2].Format("%d", record.subType);
    columns[3] = FieldText(record.user);
    columns[4] = FieldText(record.text);
}

BOOL CLogRows::ReadRow(int, CString* columns)
{
    SysLogRecord record;
    if (!m_store.ReadNext(&record))
        return FALSE;
    FormatLogRow(record, columns);
    return TRUE;
}
