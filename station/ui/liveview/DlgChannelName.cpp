#include "station/ui/liveview/DlgChannelName.h"

#include "station/core/datamodel/RecGroup.h"
#include "station/core/datamodel/StationGlobals.h"
#include "station/core/datamodel/TermCamera.h"

CDlgChannelName::CDlgChannelName(CWnd* parent) : CDialog(IDD, parent), m_pCamera(nullptr), m_entryIndex(-1), m_number(0)
{
}

void CDlgChannelName::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CHANNEL_NAME, m_name);
    DDV_MaxChars(pDX, m_name, 255);
    DDX_Text(pDX, IDC_CHANNEL_NUMBER, m_number);
    DDV_MinMaxInt(pDX, m_number, 0, 255);
}

BOOL CDlgChannelName::OnInitDialog()
{
    if (m_pCamera != nullptr && m_entryIndex >= 0 && m_entryIndex < m_pCamera->m_matrixChannelNames.GetSize()) {
        m_name = m_pCamera->m_matrixChannelNames[m_entryIndex].name;
        m_number = m_pCamera->m_matrixChannelNames[m_entryIndex].number;
    }
    CDialog::OnInitDialog();
    return TRUE;
}

void CDlgChannelName::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_pCamera != nullptr) {
        CArray<MatrixChannelName>& names = m_pCamera->m_matrixChannelNames;
        for (int i = 0; i < names.GetSize(); ++i) {
            if (names[i].number == m_number && i != m_entryIndex) {
                AfxMessageBox(IDS_MATRIX_CHANNEL_EXISTS);
                return;
            }
        }
        if (m_entryIndex == -1) {
            MatrixChannelName entry;
            entry.number = m_number;
            entry.name = m_name;
            names.Add(entry);
        } else if (m_entryIndex >= 0 && m_entryIndex < names.GetSize()) {
            names[m_entryIndex].number = m_number;
            names[m_entryIndex].name = m_name;
        }
    }
    if (g_pRecGroup != nullptr)
        g_pRecGroup->Save();
    EndDialog(IDOK);
}
