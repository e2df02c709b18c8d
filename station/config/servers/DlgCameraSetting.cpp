// The camera settings dialog with its ten pages.
#include "station/config/servers/DlgCameraSetting.h"

#include "station/config/ConfigText.h"
#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"

BEGIN_MESSAGE_MAP(CDlgCameraSetting, CConfigDialog)
ON_NOTIFY(TCN_SELCHANGE, IDC_SETTING_TAB, OnTabChange)
END_MESSAGE_MAP()

CDlgCameraSetting::CDlgCameraSetting(CWnd* pParent) : CConfigDialog(IDD, pParent), m_pCamera(nullptr) {}

void CDlgCameraSetting::DoDataExchange(CDataExchange* pDX)
{
    CConfigDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SETTING_TAB, m_tab);
}

BOOL CDlgCameraSetting::OnInitDialog()
{
    CConfigDialog::OnInitDialog();
    const struct {
        UINT caption;
        CCameraPage* page;
        UINT templateId;
    } tabs[] = {
        {IDS_TAB_SCHED_RECORD, &m_schedRecord, CDlgCamSchedRecord::IDD},
        {IDS_TAB_ALARM_RECORD, &m_alarmRecord, CDlgCamAlarmRecord::IDD},
        {IDS_TAB_SNAPSHOT, &m_snapshot, CDlgCamSnapshot::IDD},
        {IDS_TAB_OTHER, &m_other, CDlgCamOther::IDD},
        {IDS_TAB_DESC, &m_desc, CDlgCamDesc::IDD},
        {IDS_TAB_LINKAGE, &m_linkage, CDlgCamLinkage::IDD},
        {IDS_TAB_ALARM_SOUND, &m_alarmSound, CDlgCamAlarmSound::IDD},
        {IDS_TAB_LINK_RECORD, &m_linkRecord, CDlgCamLinkRecord::IDD},
        {IDS_TAB_TALK, &m_talk, CDlgCamTalkLinkage::IDD},
        {IDS_TAB_MATRIX, &m_matrix, CDlgCamMatrix::IDD},
    };
    m_host.Attach(&m_tab);
    for (const auto& tab : tabs) {
        tab.page->m_pCamera = m_pCamera;
        m_host.AddPage(ConfigString(tab.caption), tab.page, tab.templateId);
    }
    if (m_pCamera == nullptr || !m_host.CreatePages())
        EndDialog(IDCANCEL);
    return TRUE;
}

void CDlgCameraSetting::OnTabChange(NMHDR*, LRESULT* pResult)
{
    m_host.ShowSelected();
    *pResult = 0;
}

void CDlgCameraSetting::OnOK()
{
    CConfigPage* const order[] = {&m_desc,     &m_linkage,    &m_schedRecord, &m_alarmRecord, &m_other,
                                  &m_snapshot, &m_alarmSound, &m_linkRecord,  &m_talk,        &m_matrix};
    for (CConfigPage* page : order) {
        if (!page->ReadControls()) {
            m_host.Select(m_host.IndexOf(page));
            return;
        }
    }
    for (CConfigPage* page : order)
        page->WriteValues();
    if (g_pRecGroup != nullptr)
        g_pRecGroup->Save();
    EndDialog(IDOK);
}
