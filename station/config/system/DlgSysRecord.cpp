// The recording page of the system settings.
#include "station/config/system/DlgSysRecord.h"

#include "station/config/ConfigText.h"
#include "station/config/PathChoice.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/SysParam.h"

const char kProgramFilter[] = "exe Files(*.exe)|*.exe||";
const char kSoundFilter[] = "wav Files(*.wav)|*.wav||";

namespace {

const int kPathChars = 255;
// Edit, browse button, in the order of the four sounds.
const int kSoundEdits[4] = {IDC_SYSREC_SOUND1, IDC_SYSREC_SOUND2, IDC_SYSREC_SOUND3, IDC_SYSREC_SOUND4};
const int kSoundButtons[4] = {IDC_SYSREC_BROWSE_SOUND1, IDC_SYSREC_BROWSE_SOUND2, IDC_SYSREC_BROWSE_SOUND3,
                              IDC_SYSREC_BROWSE_SOUND4};

} // namespace

BEGIN_MESSAGE_MAP(CDlgSysRecord, CConfigPage)
ON_BN_CLICKED(IDC_SYSREC_BROWSE_PLAYER, OnBrowsePlayer)
ON_BN_CLICKED(IDC_SYSREC_BROWSE_ASF_PLAYER, OnBrowseAsfPlayer)
ON_CONTROL_RANGE(BN_CLICKED, IDC_SYSREC_BROWSE_SOUND1, IDC_SYSREC_BROWSE_SOUND4, OnBrowseSound)
ON_BN_CLICKED(IDC_SYSREC_BROWSE_LOG_DIR, OnBrowseLogDirectory)
END_MESSAGE_MAP()

CDlgSysRecord::CDlgSysRecord()
    : CConfigPage(IDD), m_diskFullMode(0), m_connectBuffers(10), m_localAddressIndex(0), m_logDaysIndex(0),
      m_packMinutes(1), m_formatIndex(0)
{
}

int CDlgSysRecord::LogDaysIndex(int days)
{
    switch (days) {
    case 0:
        return 0;
    case 10:
        return 1;
    case 20:
        return 2;
    }
    return 3;
}

int CDlgSysRecord::LogDaysOfIndex(int index)
{
    return index >= 0 && index <= 3 ? index * 10 : 30;
}

void CDlgSysRecord::DoDataExchange(CDataExchange* pDX)
{
    CConfigPage::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_SYSREC_DISK_DELETE, m_diskFullMode);
    DDX_Text(pDX, IDC_SYSREC_PLAYER, m_playerPath);
    DDV_MaxChars(pDX, m_playerPath, kPathChars);
    DDX_Text(pDX, IDC_SYSREC_LOG_DIR, m_logDirectory);
    DDV_MaxChars(pDX, m_logDirectory, kPathChars);
    DDX_Text(pDX, IDC_SYSREC_BUFFERS, m_connectBuffers);
    DDV_MinMaxInt(pDX, m_connectBuffers, 10, 50);
    DDX_CBIndex(pDX, IDC_SYSREC_LOCAL_ADDRESS, m_localAddressIndex);
    DDX_CBIndex(pDX, IDC_SYSREC_LOG_DAYS, m_logDaysIndex);
    DDX_Text(pDX, IDC_SYSREC_PACK_MINUTES, m_packMinutes);
    DDV_MinMaxInt(pDX, m_packMinutes, 1, 10000);
    for (int i = 0; i < 4; ++i)
        DDX_Text(pDX, kSoundEdits[i], m_sounds[i]);
    DDX_CBIndex(pDX, IDC_SYSREC_FORMAT, m_formatIndex);
    DDX_Text(pDX, IDC_SYSREC_ASF_PLAYER, m_asfPlayerPath);
    DDV_MaxChars(pDX, m_asfPlayerPath, kPathChars);
}

BOOL CDlgSysRecord::OnInitDialog()
{
    FillCombo(this, IDC_SYSREC_LOG_DAYS, {"手动删除", "10天", "20天", "30天"});
    FillCombo(this, IDC_SYSREC_LOCAL_ADDRESS, {"Any"});
    FillCombo(this, IDC_SYSREC_FORMAT, {"MP4", "ASF"});
    for (int id : {IDC_SYSREC_PLAYER, IDC_SYSREC_LOG_DIR, IDC_SYSREC_ASF_PLAYER})
        SendDlgItemMessage(id, EM_LIMITTEXT, kPathChars, 0);
    if (const CSysParam* p = g_pSysParam) {
        m_diskFullMode = p->m_diskFullMode == 1 ? 1 : 0;
        m_playerPath = p->m_mp4PlayerPath;
        m_logDirectory = p->m_logDirectory;
        m_connectBuffers = p->m_connectBuffers;
        m_logDaysIndex = LogDaysIndex(p->m_logKeepDays);
        m_packMinutes = p->m_fileMinutes;
        for (int i = 0; i < 4; ++i)
            m_sounds[i] = p->m_alarmSound[i];
        m_formatIndex = p->m_recordFormat == 1 ? 1 : 0;
        m_asfPlayerPath = p->m_asfPlayerPath;
    }
    m_localAddressIndex = 0;
    return CConfigPage::OnInitDialog();
}

void CDlgSysRecord::WriteValues()
{
    CSysParam* p = g_pSysParam;
    if (p == nullptr)
        return;
    p->m_mp4PlayerPath = m_playerPath;
    p->m_logDirectory = m_logDirectory;
    p->m_logKeepDays = LogDaysOfIndex(m_logDaysIndex);
    p->m_localAddress = ""; // the one entry "Any"
    p->m_connectBuffers = m_connectBuffers;
    p->m_fileMinutes = m_packMinutes;
    p->m_diskFullMode = m_diskFullMode;
    p->m_recordFormat = m_formatIndex;
    for (int i = 0; i < 4; ++i)
        p->m_alarmSound[i] = m_sounds[i];
    p->m_asfPlayerPath = m_asfPlayerPath;
}

void CDlgSysRecord::BrowseProgram(int editId)
{
    CString path;
    if (ChooseExistingFile(this, "exe", kProgramFilter, path))
        SetDlgItemText(editId, path);
}

void CDlgSysRecord::OnBrowsePlayer()
{
    BrowseProgram(IDC_SYSREC_PLAYER);
}

void CDlgSysRecord::OnBrowseAsfPlayer()
{
    BrowseProgram(IDC_SYSREC_ASF_PLAYER);
}

void CDlgSysRecord::OnBrowseSound(UINT id)
{
    for (int i = 0; i < 4; ++i) {
        CString path;
        if ((int)id == kSoundButtons[i] && ChooseExistingFile(this, "wav", kSoundFilter, path))
            SetDlgItemText(kSoundEdits[i], path);
    }
}

void CDlgSysRecord::OnBrowseLogDirectory()
{
    CString folder;
    if (ChooseFolder(this, ConfigString(IDS_CHOOSE_LOG_DIR), nullptr, "c:\\", folder))
        SetDlgItemText(IDC_SYSREC_LOG_DIR, folder);
}
