// The scheduled recording page.
#include "station/config/servers/DlgCamSchedRecord.h"

#include "station/config/ScheduleGrid.h"
#include "station/core/datamodel/TermCamera.h"

CDlgCamSchedRecord::CDlgCamSchedRecord() : CCameraPage(IDD), m_rows() {}

void CDlgCamSchedRecord::DoDataExchange(CDataExchange* pDX)
{
    CCameraPage::DoDataExchange(pDX);
    DDX_ScheduleGrid(pDX, kRecordScheduleGrid, m_rows);
}

BOOL CDlgCamSchedRecord::OnInitDialog()
{
    InitScheduleGrid(this, kRecordScheduleGrid);
    RowsFromRecordSchedule(m_pCamera->m_recordSchedule, m_rows);
    return CCameraPage::OnInitDialog();
}

void CDlgCamSchedRecord::WriteTo(CTermCamera* camera, BOOL)
{
    RowsToRecordSchedule(m_rows, camera->m_recordSchedule);
}
