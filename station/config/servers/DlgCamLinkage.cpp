// The local linkage page.
#include "station/config/servers/DlgCamLinkage.h"

#include "station/core/datamodel/TermCamera.h"

namespace {

// The camera's output row of a page row.
int* CameraRow(CTermCamera* camera, int row)
{
    if (row < 4)
        return camera->m_sensorOutputs[row];
    return row == 4 ? camera->m_motionOutputs : camera->m_lossOutputs;
}

} // namespace

CDlgCamLinkage::CDlgCamLinkage() : CCameraPage(IDD), m_outputs(), m_keyboardNumber(0) {}

void CDlgCamLinkage::DoDataExchange(CDataExchange* pDX)
{
    CCameraPage::DoDataExchange(pDX);
    for (int row = 0; row < kLinkageRows; ++row) {
        for (int o = 0; o < kLinkageOutputs; ++o)
            DDX_Check(pDX, IDC_LINKAGE_FIRST + o + kLinkageOutputs * row, m_outputs[row][o]);
    }
    DDX_Text(pDX, IDC_KEYBOARD_NUMBER, m_keyboardNumber);
    DDV_MinMaxInt(pDX, m_keyboardNumber, 0, 255);
}

BOOL CDlgCamLinkage::OnInitDialog()
{
    for (int row = 0; row < kLinkageRows; ++row) {
        const int* source = CameraRow(m_pCamera, row);
        for (int o = 0; o < kLinkageOutputs; ++o)
            m_outputs[row][o] = source[o] ? 1 : 0;
    }
    m_keyboardNumber = m_pCamera->m_keyboardNumber;
    return CCameraPage::OnInitDialog();
}

void CDlgCamLinkage::WriteTo(CTermCamera* camera, BOOL)
{
    for (int row = 0; row < kLinkageRows; ++row) {
        int* target = CameraRow(camera, row);
        for (int o = 0; o < kLinkageOutputs; ++o)
            target[o] = m_outputs[row][o];
    }
    camera->m_keyboardNumber = m_keyboardNumber;
}
