// The matrix control page.
#include "station/config/servers/DlgCamMatrix.h"

#include "devices/portwick/Portwick.h"
#include "station/config/ConfigText.h"
#include "station/config/PathChoice.h"
#include "station/core/datamodel/TermCamera.h"
#include "station/core/sessions/ChannelSession.h"

BEGIN_MESSAGE_MAP(CDlgCamMatrix, CCameraPage)
ON_BN_CLICKED(IDC_MATRIX_CHOOSE, OnChooseFile)
ON_BN_CLICKED(IDC_MATRIX_UPGRADE, OnUpgrade)
END_MESSAGE_MAP()

CDlgCamMatrix::CDlgCamMatrix() : CCameraPage(IDD), m_monitor(0), m_network(0) {}

void CDlgCamMatrix::DoDataExchange(CDataExchange* pDX)
{
    CCameraPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_MATRIX_MONITOR, m_monitor);
    DDV_MinMaxInt(pDX, m_monitor, 0, 255);
    DDX_Text(pDX, IDC_MATRIX_NETWORK, m_network);
    DDV_MinMaxInt(pDX, m_network, 0, 255);
    DDX_Text(pDX, IDC_MATRIX_FILE, m_controlFile);
    DDV_MaxChars(pDX, m_controlFile, kControlFileChars);
}

BOOL CDlgCamMatrix::OnInitDialog()
{
    m_monitor = m_pCamera->m_matrixMonitor;
    m_network = m_pCamera->m_matrixNetwork;
    m_controlFile = m_pCamera->m_matrixControlFile;
    SendDlgItemMessage(IDC_MATRIX_FILE, EM_LIMITTEXT, kControlFileChars, 0);
    CCameraPage::OnInitDialog();
    ShowProtocolDescription();
    return TRUE;
}

void CDlgCamMatrix::ShowProtocolDescription()
{
    CChannelSession* session = m_pCamera->m_pSession;
    if (session == nullptr || session->m_ptzProtocol == 0)
        return;
    char text[PORTWICK_TEXT_SIZE > 50 ? PORTWICK_TEXT_SIZE : 50] = {};
    Portwick_GetProtocolDescription(session->m_ptzProtocol, text);
    text[sizeof(text) - 1] = '\0';
    SetDlgItemText(IDC_MATRIX_PROTOCOL, text);
}

void CDlgCamMatrix::OnChooseFile()
{
    CString path;
    if (ChooseExistingFile(this, nullptr, kPtzFileFilter, path))
        SetDlgItemText(IDC_MATRIX_FILE, path);
}

void CDlgCamMatrix::Upgrade()
{
    CChannelSession* session = m_pCamera->m_pSession;
    if (session == nullptr)
        return;
    if (session->SetPtzProtocol(m_controlFile)) {
        ShowProtocolDescription();
        ConfigMessage(IDS_MATRIX_UPGRADED);
    } else {
        ConfigMessage(IDS_MATRIX_UPGRADE_FAILED);
    }
}

void CDlgCamMatrix::OnUpgrade()
{
    if (m_pCamera != nullptr && ReadControls())
        Upgrade();
}

void CDlgCamMatrix::WriteValues()
{
    m_pCamera->m_matrixMonitor = m_monitor;
    m_pCamera->m_matrixNetwork = m_network;
    if (m_pCamera->m_matrixControlFile != m_controlFile)
        Upgrade();
    m_pCamera->m_matrixControlFile = m_controlFile;
}

void CDlgCamMatrix::WriteTo(CTermCamera* camera, BOOL)
{
    camera->m_matrixMonitor = m_monitor;
    camera->m_matrixNetwork = m_network;
    if (camera->m_matrixControlFile != m_controlFile && camera->m_pSession != nullptr)
        camera->m_pSession->SetPtzProtocol(m_controlFile);
    camera->m_matrixControlFile = m_controlFile;
}
